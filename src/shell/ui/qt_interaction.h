// The core's user interaction shown with Qt: message boxes with Italian buttons and the override
// cursor for the busy pointer.
#pragma once

#include "model/interaction.h"

namespace varnex::ui {

class QtInterazione : public IInterazione {
 public:
  Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) override;
  void Puntatore(int16_t codice) override;

 private:
  bool clessidra_ = false;
};

}  // namespace varnex::ui
