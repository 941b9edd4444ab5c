// The segment-parameters dialog "Parametri Tronco" (PTronchi): fittings, lengths, simultaneity,
// pipe series and diameter of one segment, stored into the segment table's current row or its
// selected range. One instance, created on first use and kept loaded (OK and Annulla hide it).
//
// Opening it: make the segment the table's current row, write "1" into SReteSync and the segment
// number into TroncoSync (each write loads), show it with MostraModale, and afterwards run
// Elaborazione when RicalcoloAutomatico is on. ApriParametriTronco does the middle steps.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <cstdint>
#include <string>

#include "editor/ptronchi.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class PTronchi : public Dialogo {
  Q_OBJECT
 public:
  explicit PTronchi(QWidget* parent = nullptr);

  // ---- State (see ParametriTronco) ----
  ParametriTronco Stato;

  // ---- Handlers ----
  void SReteSync_Change();
  void TroncoSync_Change();
  void Command1_Click();  // OK
  // OK's checks of the boxes, for every way the dialog stores: false after the message naming the
  // refused box, which has the keyboard again.
  bool CampiAccettati();
  void Command2_Click();  // Annulla
  void Command3_Click();  // "..." diameter chooser
  void SSRibbon1_Click(bool giu);
  void spnLocal_Change(int indice, bool su);
  void SpinButton1_Change(bool su);
  void Spin4_Change(bool su);
  void txtContemp_LostFocus();
  void Text10_Change();
  // Key filters: the key code by reference, 0 discards it.
  void txtLocal_KeyPress(int indice, int16_t& tasto);
  void txtlen_KeyPress(int16_t& tasto);
  void Text3_KeyPress(int16_t& tasto);
  void txtContemp_KeyPress(int16_t& tasto);
  void txtDiametro_KeyPress(int16_t& tasto);
  void Text10_KeyPress(int16_t& tasto);
  void cmbMateriali_KeyPress(int16_t& tasto);
  void Form_KeyPress(int16_t& tasto);

  // CaricaTronco and SalvaTronco on the controls.
  void CaricaTronco();
  void SalvaTronco();
  // The controls as texts, and back.
  CampiTronco LeggiCampi() const;
  void ScriviCampi(const CampiTronco& campi);

  // ---- Controls ----
  std::array<QLineEdit*, NumLocali> txtLocal{};
  std::array<QToolButton*, NumLocali> spnLocalSu{};
  std::array<QToolButton*, NumLocali> spnLocalGiu{};
  std::array<QLabel*, NumLocali> lblLocal{};
  QGroupBox* fraLocali;
  QFrame* pnlLocali;
  QLineEdit* txtlen;
  QLineEdit* Text3;
  QFrame* pnlContemp;
  QLineEdit* txtContemp;
  QToolButton* SpinButton1Su;
  QToolButton* SpinButton1Giu;
  QLabel* lblTipo;
  QComboBox* cmbMateriali;
  QLabel* lblDN;
  QLineEdit* txtDiametro;
  QPushButton* Command3;
  QToolButton* SSRibbon1;
  QLabel* Label6;
  QLabel* lblRiferimento;
  QLineEdit* Text10;
  QToolButton* Spin4Su;
  QToolButton* Spin4Giu;
  QLineEdit* SReteSync;
  QLineEdit* TroncoSync;
  QPushButton* Command1;
  QPushButton* Command2;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 // True while ApriParametriTronco runs the dialog's modal loop.
  bool inModale_ = false;
  friend void ApriParametriTronco(int16_t seg);

 private:
  void Form_Load();
  void ApplicaLayout(bool inPressione);
  void ApriSceltaDiametro(bool daPulsante);
  void Selezione(int16_t& prima, int16_t& ultima) const;
  void ImpostaRigaTabella(int16_t riga);
  void ColoraDiametro(bool rosso);
  // Set while OK or Annulla hides the dialog, which keeps it loaded.
  bool nascondi_ = false;
};

// The one instance: created on first use, null while not loaded.
PTronchi& CaricaPTronchi();
PTronchi* PTronchiCaricato();
// Unloads it (the new-project commands); its state, the field choice included, is lost.
void ScaricaPTronchi();

// Primes the dialog on segment `seg` of network 1 and shows it modal. The caller has made `seg`
// the table's current row and runs Elaborazione afterwards as its own rule says.
void ApriParametriTronco(int16_t seg);

}  // namespace varnex::ui
