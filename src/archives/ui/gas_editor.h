// The gas archive editor "Gestione GAS" (frmGas), modal. Its logic is EditorGas.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <optional>

#include "archives/editor_gas.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmGas : public Dialogo {
  Q_OBJECT
 public:
  explicit frmGas(QWidget* parent = nullptr);

  void CaricaListaGas(const std::optional<std::string>& nome = std::nullopt);
  void SelezionaGasDefault();
  void MostraDatiGas(const CampiGas& campi);
  CampiGas Campi() const;

  void Combo1_Click();
  void cmdNew_Click();
  void cmdCancel_Click();
  void cmdSaveIt_Click();
  void cmdRecalculate_Click();
  void cmdExit_Click();
  void chkGasCombustibile_Click();

  // The main window's gas selector (its text, nullopt when it shows none) and what to do after a
  // completed exit; installed by whoever opens the editor from the main window.
  std::function<std::optional<std::string>()> voceSelettore;
  std::function<void(bool aggiornaSelettore)> dopoUscita;

  EditorGas editor;

  QComboBox* Combo1;
  QCheckBox* chkGasCombustibile;
  QLineEdit* txtDensita;
  QLineEdit* txtMassa;
  QLineEdit* txtViscosita;
  QLineEdit* txtPCinf;
  QLineEdit* txtPCsup;
  QLineEdit* txtWobbeInf;
  QLineEdit* txtWobbeSup;
  QLineEdit* txtFamiglia;
  QFrame* pnlCombustibile;
  QPushButton* cmdNew;
  QPushButton* cmdCancel;
  QPushButton* cmdSaveIt;
  QPushButton* cmdRecalculate;
  QPushButton* cmdExit;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Form_Load();
  bool riempendo_ = false;
  // The list's previous entry, shown again when the switching question is cancelled is not
  // wanted: the list keeps the new name while the boxes keep the old gas.
  bool chiudendo_ = false;
};

// Shows the editor modal (a new one each time). From the main window the main selector is read
// through `voceSelettore` and refreshed through `dopoUscita`.
void MostraEditorGas(QWidget* parent, std::function<std::optional<std::string>()> voceSelettore,
                     std::function<void(bool)> dopoUscita);

}  // namespace varnex::ui
