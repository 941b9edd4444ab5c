// The core's user interaction shown with Qt: message boxes with Italian buttons, shown through the
// dialogs service; the override cursor for the busy pointer; progress texts on the start-up
// window's status line.
#pragma once

#include <QMessageBox>
#include <memory>
#include <vector>

#include "model/interaction.h"

namespace varnex::ui {

// A message box ready to show, with the answer of each of its buttons.
struct MessaggioQt {
  std::unique_ptr<QMessageBox> box;
  std::vector<std::pair<QAbstractButton*, Risposta>> risposte;
  // The answer of the button that closed the box; the box's close box and Esc answer like the
  // last button (Annulla or No), the choice that changes nothing.
  varnex::Risposta Esito() const;
};
MessaggioQt CostruisciMessaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo);

class QtInterazione : public IInterazione {
 public:
  Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) override;
  void Puntatore(int16_t codice) override;
  void Stato(const std::string& testo) override;

 private:
  bool clessidra_ = false;
};

}  // namespace varnex::ui
