// The fittings editor "Lunghezze equivalenti accidentalità" (frmSpeciali), modal. Its logic is
// EditorSpeciali.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "archives/editor_raccordi.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmSpeciali : public Dialogo {
  Q_OBJECT
 public:
  explicit frmSpeciali(QWidget* parent = nullptr);

  // The forty boxes from the tables, and their texts.
  void MostraSpeciali();
  CampiSpeciali LeggiSpeciali() const;

  void cmdOK_Click();
  void cmdAnnulla_Click();

  std::array<QLineEdit*, 10> txtDesc{};
  std::array<QLineEdit*, 10> txtRange1{};
  std::array<QLineEdit*, 10> txtRange2{};
  std::array<QLineEdit*, 10> txtRange3{};
  QPushButton* cmdOK;
  QPushButton* cmdAnnulla;

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
};

void MostraSpeciali(QWidget* parent);

}  // namespace varnex::ui
