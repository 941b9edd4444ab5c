// The in-place editors of the segment table on the editor window: the text editor Text1, the
// material list Combo1 and the ">" button, driven by the editing logic of editor/celle.h.
//
// The editor window creates one for its life; it installs itself as the window's cell editor
// (IEditorCelle) and turns the widgets' events into the logic's handlers.
//
// Focus losses: a focus loss that our own handler causes (hiding the editor, a message box of a
// commit) is handled once that handler has finished, as the old toolkit delivered it, so it
// never commits the text of a cell the handler just moved to. A focus loss to a dialog the cell
// actions open is handled by the logic itself before the dialog shows.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "editor/celle.h"
#include "editor/ui/gasgrid.h"

namespace varnex::ui {

class EditorCelleGriglia : public QObject, public IEditorCelle, public IVistaCelle {
  Q_OBJECT
 public:
  explicit EditorCelleGriglia(GasGrid& griglia);
  ~EditorCelleGriglia() override;

  ModificaCelle& Logica() { return logica_; }

  // ---- IEditorCelle ----
  void GridEditing(const std::string& testo) override;
  void ConfermaModificaInCorso() override;

  // ---- IVistaCelle ----
  int16_t Row() const override;
  int16_t Col() const override;
  int16_t RowSel() const override;
  int16_t ColSel() const override;
  int16_t Rows() const override;
  int16_t Cols() const override;
  void SetRowCol(int16_t riga, int16_t colonna) override;
  void SetSelezione(int16_t rigaFine, int16_t colonnaFine) override;
  std::string TextMatrix(int16_t riga, int16_t colonna) const override;
  void SetTextMatrix(int16_t riga, int16_t colonna, const std::string& testo) override;
  int32_t CellForeColor(int16_t riga, int16_t colonna) const override;
  void SetCellForeColor(int16_t riga, int16_t colonna, int32_t colore) override;
  void SetCellBackColor(int16_t riga, int16_t colonna, int32_t colore) override;
  void SetRedraw(bool attivo) override;
  AreaTwips RettangoloCella() const override;
  bool RigaInVista(int16_t riga) const override;
  void FocusTabella() override;
  std::string TestoEditor() const override;
  void ImpostaTestoEditor(const std::string& testo, bool tuttoSelezionato) override;
  void MostraEditor(const AreaTwips& posto) override;
  void NascondiEditor() override;
  void FocusEditor() override;
  int LarghezzaPulsante() const override;
  void MostraPulsante(const AreaTwips& posto) override;
  void NascondiPulsante() override;
  int NumeroVoci() const override;
  std::string TestoVoce(int indice) const override;
  void SelezionaVoce(int indice) override;
  std::string VoceScelta() const override;
  void MostraLista() override;
  void FocusLista() override;
  void Lucchetto(bool chiuso) override;
  void TestoStato(const std::string& testo) override;
  void Elaborazione() override;
  void AggiungiRigaGriglia() override;
  std::string ScegliDiametro(int16_t serie) override;
  EsitoPortata PortataUtenza(bool inPressione, int16_t riga, float portata) override;
  void ParametriTronco(int16_t riga) override;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  // Runs a handler of the logic; focus losses raised meanwhile run after the outermost one.
  void Esegui(const std::function<void()>& azione);
  void PerditaFocus(bool lista);

  GasGrid& g_;
  ModificaCelle logica_;
  int profondita_ = 0;
  bool perditaEditor_ = false;
  bool perditaLista_ = false;
};

}  // namespace varnex::ui
