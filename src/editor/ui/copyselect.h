// The multi-segment copy selection "Selezione copia multipla" (frmCopySelect): which of the
// segment-parameters dialog's values a store to a range of segments writes. Shown modal by that
// dialog's OK, read through `ok` and GetSelection.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <cstdint>

#include "editor/copyselect.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmCopySelect : public Dialogo {
  Q_OBJECT
 public:
  explicit frmCopySelect(QWidget* parent = nullptr);

  // True when closed with "OK" (cleared before every show, so a close by the close box is "Annulla").
  bool ok = false;
  // Flags 0..13 of the last "OK" into iArray(0..13).
  void GetSelection(std::array<int16_t, 14>& iArray) const;

  void AzzeraRisposta() override { ok = false; }

  void chkAllGroup1_Click();
  void cmdOK_Click();
  void cmdAnnulla_Click();

  std::array<QCheckBox*, 10> chkGroup1{};
  std::array<QCheckBox*, 4> chkGroup0{};
  QCheckBox* chkAllGroup1;
  QGroupBox* fraTronco;
  QGroupBox* fraLocali;
  QGroupBox* fraInfo;
  QPlainTextEdit* Text1;
  QPushButton* cmdOK;
  QPushButton* cmdAnnulla;

 private:
  void Form_Load();
  SceltaCopia SceltaCopia_{};
};

}  // namespace varnex::ui
