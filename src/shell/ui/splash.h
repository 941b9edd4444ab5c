// The start-up window (modeless, with progress bar and status line while the program loads) and
// the about window (modal, with "Chiudi"): one window in two modes. And the contacts card.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <string>

#include "shell/ui/services.h"

namespace varnex::ui {

class frmSplash : public Dialogo {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  ~frmSplash() override;

  // Start-up mode: shown modeless with the progress bar; the core's progress texts go to the
  // status line while it is up.
  void MostraAvvio();
  // About mode: "Chiudi" instead of the progress bar, shown modal until closed.
  void MostraInformazioni();

  // The status line: shows the text, then lets pending events run (the window repaints).
  void ShowWorking(const std::string& s);

  // The version line: " VarnexPro versione 4.0 Build. 15".
  static QString TestoVersione(int maggiore, int minore, int revisione);

  void Timer2_Timer();
  void cmdContatti_Click();
  void Command1_Click();

  int16_t k = 0;  // the flame picture shown next
  QLabel* Image2;
  QLabel* picFlame;
  QLabel* Label2;
  QGroupBox* Frame1;
  QLabel* Label1;
  QPushButton* cmdContatti;
  QProgressBar* ProgressBar1;
  QLabel* lblWorking;
  QPushButton* Command1;
  QTimer* Timer2;

 protected:
  // While the program loads, the user cannot close the start-up window: it has no close box then,
  // and Esc is ignored.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Form_Load();
  QPixmap ImgP_[2];
  bool lineaStato_ = false;
  bool avvio_ = false;
};

class frmContatti : public Dialogo {
  Q_OBJECT
 public:
  explicit frmContatti(QWidget* parent = nullptr);
  void cmdChiudi_Click();

  QGroupBox* Frame1;
  QLabel* Righe[5];
  QPushButton* cmdChiudi;
};

// The legal notice of the start-up and about window.
QString AvvisoLegale();

}  // namespace varnex::ui
