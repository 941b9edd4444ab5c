// The project-parameters dialog "Parametri di progetto" (Parametri): reference, job description,
// document folder, the gas of the project and, for a pressurised network, the maximum velocity.
// Also the folder picker and the explorer launcher of the document folder.
//
// The dialog's CurrentGas is the program-wide index of the gas in use (varnex::CurrentGas).
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <string>

#include "shell/ui/services.h"

namespace varnex::ui {

class Parametri : public Dialogo {
  Q_OBJECT
 public:
  explicit Parametri(QWidget* parent = nullptr);

  // Fills the fields from the project again.
  void update();
  // Refills the gas list (the activity decides which gases); selects `s` (a pattern) again, or
  // the first entry.
  void ReloadCombo(const std::string& s = {});

  void Combo1_Click();
  void Command1_Click();  // OK
  void Command2_Click();  // Annulla
  void Command4_Click();  // "Gestione gas ->"
  void cmdBrowse_Click();
  void txtDocumentPath_DblClick();

  QTabWidget* Tabbed1;
  QLineEdit* Text1;
  QLineEdit* Text2;
  QLineEdit* txtDocumentPath;
  QPushButton* cmdBrowse;
  QComboBox* Combo1;
  QPushButton* Command4;
  QGroupBox* frameGas;
  QLineEdit* txtDensita;
  QLineEdit* txtMassa;
  QLineEdit* txtViscosita;
  QLabel* lblCombustibile;
  QFrame* pnlCombustibile;
  QLineEdit* txtPCinf;
  QLineEdit* txtPCsup;
  QLineEdit* txtWobbeInf;
  QLineEdit* txtWobbeSup;
  QLineEdit* txtFamiglia;
  QFrame* pnlVelocita;
  QLineEdit* txtVelocita;
  QPushButton* Command1;
  QPushButton* Command2;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void Form_Load();
  void LoadFields();
  // Grows the tabs, and the dialog with them, until every box and caption fits whole.
  void AdattaDimensioni();
  void FillGasData(int16_t gas);
  void SelectDefaultGas();
};

// The gas editor opened by "Gestione gas ->"; until the archive editors exist it is not installed
// and the button does nothing but refill the list.
using ApriEditorGas = void (*)();
void ImpostaEditorGas(ApriEditorGas apri);

// Shows the dialog modal on the open project (a new dialog each time) and returns when it closed.
void MostraParametri();

// The folder picker: the chosen folder, or "" when nothing was chosen. The initial folder is
// passed on to the picker.
std::string BrowseForFolder(const std::string& cartellaIniziale, const std::string& titolo, QWidget* owner);
// Opens the folder with the desktop's file manager; false when it could not.
bool OpenExplorer(const std::string& percorso);

}  // namespace varnex::ui
