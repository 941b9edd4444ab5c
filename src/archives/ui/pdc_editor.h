// The maximum-pressure-drop editor "Perdite di carico massime predefinite" (frmPDC), modal. Its
// logic is EditorPDC.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "archives/editor_pdc.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmPDC : public Dialogo {
  Q_OBJECT
 public:
  explicit frmPDC(QWidget* parent = nullptr);

  void MostraPDC(const CampiPDC& campi);
  CampiPDC Campi() const;
  // The focus back on the threshold with its text selected: each time the window is shown or
  // comes back to the front. After a refused value the refused box takes the threshold's place
  // until the user moves to another control, so that the correction goes where it belongs.
  void Form_Paint();

  void cmdOK_Click();
  void cmdAnnulla_Click();

  QLineEdit* txtPotenza;
  QLineEdit* txtPotenzaBis;
  std::array<QLineEdit*, 3> txtPotenza1{};
  std::array<QLineEdit*, 3> txtPotenza2{};
  QPushButton* cmdOK;
  QPushButton* cmdAnnulla;

 protected:
  QLineEdit* rifiutato_ = nullptr;
  bool event(QEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
};

void MostraPDC(QWidget* parent);

}  // namespace varnex::ui
