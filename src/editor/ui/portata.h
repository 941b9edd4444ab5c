// The appliance-flow dialogs: "Calcolo portata" (frmCportata) for internal installations, with
// the appliance kind, three units and the typical burners, and "Portata utenza" (frmPortata) for
// pressurised networks. Each is primed with SetDati, shown with MostraModale and read through
// Done, Portata, Tipologia (and Composizione); OK also writes the reference text into the segment.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <string>

#include "editor/portata.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmCportata : public Dialogo {
  Q_OBJECT
 public:
  explicit frmCportata(QWidget* parent = nullptr);

  int16_t Tipologia = 0;
  float Portata = 0;
  std::string Composizione;
  bool Done = false;
  void AzzeraRisposta() override { Done = false; }

  std::string CodificaComposizione() const;
  void DecodificaComposizione(const std::string& s);
  void ResetChk();
  void Ricalcola(int16_t from);
  void SetDati(int16_t segmento, float portata);
  void ShowUtenze(bool f);

  // Handlers
  void Fornello_Click(int indice);
  void Command3_Click();
  void ribSelect_Click(int indice, bool valore);
  void Unita_Change();
  void Unita_GotFocus(QLineEdit* box);
  void Unita_LostFocus(QLineEdit* box);
  void Unita_KeyPress(QLineEdit* box, int16_t& tasto);
  void txtRif_KeyPress(int16_t& tasto);
  void cmdOK_Click();
  void Command2_Click();

  QLineEdit* txtRif;
  std::array<QFrame*, 2> pnlSelect{};
  std::array<QPushButton*, 2> ribSelect{};
  QGroupBox* pnlCaratteristiche;
  QLineEdit* txtWatt;
  QLineEdit* txtKcal;
  QLineEdit* txtNMC;
  QGroupBox* pnlUtenze;
  std::array<QCheckBox*, NumFornelli> chkFornelli{};  // chkAux .. chkForno
  QPushButton* Command3;
  QPushButton* cmdOK;
  QPushButton* Command2;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void ColoraPannelli(int selezionato);
  BoxUnita Tipo(const QLineEdit* box) const;
  // Whether the box's text is a flow the table would take; its message otherwise.
  bool BoxAccettato(QLineEdit* box);
  int16_t NumeroTronco = 0;
  int32_t PotenzaFornelli = 0;
  bool ValoriModificati = false;
  bool AggiornamentoInCorso = false;
  // The unit box that has the keyboard, its text as it came in and as it was shown before.
  QLineEdit* BoxInIngresso = nullptr;
  QString TestoInIngresso;
  QString TestoRaggruppato;
};

class frmPortata : public Dialogo {
  Q_OBJECT
 public:
  explicit frmPortata(QWidget* parent = nullptr);

  bool Done = false;
  float Portata = 0;
  int16_t Tipologia = 0;
  int16_t Composizione = 0;
  void AzzeraRisposta() override { Done = false; }

  void SetDati(int16_t segmento, float portata);

  void txtNMC_GotFocus();
  void txtNMC_LostFocus();
  void txtNMC_KeyPress(int16_t& tasto);
  void txtRif_KeyPress(int16_t& tasto);
  void cmdOK_Click();
  void Command2_Click();

  QLineEdit* txtRif;
  QLineEdit* txtNMC;
  QPushButton* cmdOK;
  QPushButton* Command2;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  int16_t NumeroTronco = 0;
};

// The answer of the flow dialog of the activity in force for segment `seg`.
struct EsitoDialogoPortata {
  bool Done = false;
  float Portata = 0;
  int16_t Tipologia = 0;
  std::string Composizione;  // frmCportata's composition; "0" from frmPortata
  bool DaCportata = false;   // the internal-installation dialog answered
};
// Opens frmPortata (ReteInPressione) or frmCportata on `seg` with its own flow, modal; the
// dialog is gone when this returns. Nothing is written to the segment except the reference text
// that OK stores.
EsitoDialogoPortata ChiediPortataUtenza(int16_t seg);

}  // namespace varnex::ui
