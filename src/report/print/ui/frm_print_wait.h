// The progress window of a report run ("Attesa"): a fixed line, the current step and a bar.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <string>

#include "report/print/stampa_report.h"

namespace varnex::ui {

class frmPrintWait : public QDialog {
  Q_OBJECT
 public:
  explicit frmPrintWait(QWidget* parent = nullptr);

  void PrintMsg(const std::string& s);
  void UpdateBar(int16_t P, int16_t t);
  // The bar's fill in percent.
  double Percentuale() const { return percentuale_; }

  QLabel* Label1 = nullptr;
  QLabel* lblMsg = nullptr;
  QProgressBar* SSPanel1 = nullptr;

 private:
  double percentuale_ = 0;
};

// The progress window as the runs use it: shown modeless for a run, closed at its end.
class AttesaStampaQt : public IAttesaStampa {
 public:
  void Mostra() override;
  void PrintMsg(const std::string& s) override;
  void UpdateBar(int16_t p, int16_t t) override;
  void Chiudi() override;
  frmPrintWait* Finestra() { return finestra_; }

 private:
  frmPrintWait* finestra_ = nullptr;
};

// Installs the Qt progress window for the runs (once, at the dialog's first opening).
void InstallaAttesaStampaQt();

}  // namespace varnex::ui
