// The dialog "Valori di default": the default values for new projects. Its behaviour lives in
// shell/default_values.h; the window shows the fields and filters the keys.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/default_values.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmDefaultValue : public Dialogo {
  Q_OBJECT
 public:
  // Loading reads "defaultValue.ini" again and fills the lists.
  explicit frmDefaultValue(QWidget* parent = nullptr);

  void cmdOK_Click();
  void cmdCancel_Click();

  QLabel* lblGas;
  QComboBox* cmbGas;
  QLabel* lblMateriali;
  QComboBox* cmbMateriali;
  QLabel* lblVelocity;
  QLineEdit* txtVelocity;
  QLabel* lblVelocityUnit;
  QGroupBox* framePressioni;
  QLabel* lblInitPres;
  QComboBox* cmbInitPres;
  QLabel* lblFinalPres;
  QComboBox* cmbFinalPres;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void Form_Load();
  static void ScegliPressione(QComboBox* lista, const std::string& testo);
  CampiValoriDefault campi_;
};

}  // namespace varnex::ui
