// The diameter picker "Diametri Disponibili" (ViewDiametriFrm): "Auto" and the nominal-diameter
// labels of one pipe series; the choice comes back as text in `Selected`.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cstdint>
#include <string>

#include "shell/ui/services.h"

namespace varnex::ui {

class ViewDiametriFrm : public Dialogo {
  Q_OBJECT
 public:
  explicit ViewDiametriFrm(QWidget* parent = nullptr);

  // Primes the picker for series `serie` (0..50): its name, "Auto" and its labels in row order,
  // nothing highlighted, `Selected` empty.
  void SetMateriale(int16_t serie);

  // A selected item becomes the choice. An item that is only current (the list makes its first
  // item current when it takes the focus) is no choice.
  void List1_Click();
  void List1_DblClick();
  void Command2_Click();  // "OK"
  void Command1_Click();  // "Annulla"

  // The label picked last; empty while nothing is picked and after "Annulla".
  std::string Selected;

  QLabel* Label1;
  QListWidget* List1;
  QPushButton* Command2;
  QPushButton* Command1;

 protected:
  // Esc cancels; the close box ends the choice like "OK".
  void keyPressEvent(QKeyEvent* evento) override;
  void reject() override;
};

// Primes a new picker for the series, shows it modal and returns the choice ("" for none).
std::string ScegliDiametro(int16_t serie, QWidget* parent = nullptr);

}  // namespace varnex::ui
