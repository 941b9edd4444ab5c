// The tips window "Suggerimenti...", shown modal at start-up.
#pragma once

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/ui/services.h"

namespace varnex::ui {

class frmHints : public Dialogo {
  Q_OBJECT
 public:
  explicit frmHints(QWidget* parent = nullptr);

  void cmdNextHint_Click();
  void cmdClose_Click();

  QPlainTextEdit* txtHint;
  QCheckBox* ckDontShowAgain;
  QPushButton* cmdNextHint;
  QPushButton* cmdClose;

 private:
  void Form_Load();
  void MostraProssimo();
};

}  // namespace varnex::ui
