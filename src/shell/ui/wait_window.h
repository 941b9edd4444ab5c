// The wait window "Attesa": tells the user that a long file operation is under way, with an
// animation that advances while the work lets pending events run.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdint>

namespace varnex::ui {

class AttesaFrm : public QDialog {
  Q_OBJECT
 public:
  explicit AttesaFrm(QWidget* parent = nullptr);

  void Form_Activate();
  void Form_Deactivate();
  void Timer1_Timer();

  int16_t k = 1;  // the frame shown, 1 to 4
  QLabel* Label1;
  QLabel* imgAnim;
  QTimer* Timer1;

 protected:
  bool event(QEvent* e) override;

 private:
  QPixmap ImageList1_[4];
};

// The one wait window: null while it is not loaded.
AttesaFrm* AttesaCaricata();
// Loads the window if needed (starting its animation at frame 1), shows it and lets it paint.
AttesaFrm& MostraAttesa();
// Hides the window and keeps it loaded: shown again, the animation goes on where it stopped.
void NascondiAttesa();
// Unloads the window.
void ScaricaAttesa();

// Shows the wait window for the life of the object and unloads it at the end, also when the
// work ends early: closing it never waits for a repaint elsewhere.
class AttesaInCorso {
 public:
  AttesaInCorso() { MostraAttesa(); }
  ~AttesaInCorso() { ScaricaAttesa(); }
  AttesaInCorso(const AttesaInCorso&) = delete;
  AttesaInCorso& operator=(const AttesaInCorso&) = delete;
};

}  // namespace varnex::ui
