// The three network-wide selectors above the segment table (initial and final pressure of a
// pressurised network, imposed maximum drop of an internal installation): their lists, the key
// filter, and the value applied on Enter or when a list is left. The rules are editor/selettori.h.
#pragma once

#include <QComboBox>
#include <QObject>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "editor/selettori.h"

namespace varnex::ui {

class GasGrid;

class SelettoriRete : public QObject {
  Q_OBJECT
 public:
  // Works on the window's ComboInitPres, ComboFinalPres and ComboDpMax.
  explicit SelettoriRete(GasGrid& griglia);

  void InitInitialPressureCombo(const std::optional<std::string>& iniziale = std::nullopt,
                                const std::optional<std::string>& finale = std::nullopt);
  void InitDPMaxCombo(const std::optional<std::string>& s = std::nullopt);
  // Shows the value in the list: the equal entry selected, or the text alone.
  void SelectItemInInitialPressureList(const std::string& s);
  void SelectItemInFinalPressureList(const std::string& s);
  void SelectItemInDpMaxList(const std::string& s);

  // Handlers; the key code by reference, 0 discards the key.
  void ComboInitPres_KeyPress(int16_t& keyAscii);
  void ComboFinalPres_KeyPress(int16_t& keyAscii);
  void ComboDpMax_KeyPress(int16_t& keyAscii);
  void ComboInitPres_LostFocus();
  void ComboFinalPres_LostFocus();
  void ComboDpMax_LostFocus();

  // The text colour of a list: true when red.
  static bool TestoRosso(const QComboBox& lista);

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Riempi(QComboBox* lista);
  void Seleziona(QComboBox* lista, const std::string& testo);
  static void Colora(QComboBox* lista, bool rosso);
  bool Filtra(Selettore selettore, int16_t& keyAscii);
  // False after telling the user why the list's text cannot be applied: the list then shows
  // `inVigore` again and has the keyboard.
  bool Ammesso(QComboBox* lista, Selettore selettore, const std::string& inVigore);
  void Rifiuta(QComboBox* lista, const std::string& rifiuto);
  // False when the text was refused and nothing changed.
  bool ApplicaPressione(bool iniziale);
  bool ApplicaPerdita();

  GasGrid& g_;
  // The text each list had when it took the keyboard.
  std::map<QComboBox*, QString> testoIngresso_;
  // While a refusal is on screen.
  bool rifiutando_ = false;
  // How the keyboard last left a list.
  Qt::FocusReason uscita_ = Qt::OtherFocusReason;
};

}  // namespace varnex::ui
