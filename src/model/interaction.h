// How the core talks to the user without knowing about windows.
//
// The core never shows anything itself: every message, question and busy cursor goes through the
// one IInterazione installed at start-up. The Qt program installs message boxes and the override
// cursor; tests install a scripted fake that records every message and answers scripted questions.
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

enum class Bottoni { OK, OKAnnulla, SiNo, SiNoAnnulla, RiprovaAnnulla };
enum class Icona { Nessuna, Critico, Domanda, Esclamazione, Informazione };
enum class Risposta { OK, Annulla, Si, No, Riprova };

class IInterazione {
 public:
  virtual ~IInterazione() = default;
  // A message box: text, buttons, icon and title (most messages of the system have no title).
  virtual Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona icona,
                             const std::string& titolo) = 0;
  // The screen pointer: 0 default, 11 hourglass (other codes are passed on unchanged).
  virtual void Puntatore(int16_t codice) = 0;
  // A progress text of a long operation (start-up loading); may be ignored.
  virtual void Stato(const std::string& testo) {}
};

// Installs the implementation (nullptr restores the silent default, which writes the text to
// standard error and answers every question with the choice that changes nothing: No or Annulla).
void ImpostaInterazione(IInterazione* interazione);
IInterazione& Interazione();

// Shorthand for a message box through the installed interaction.
Risposta MsgBox(const std::string& testo, Bottoni bottoni = Bottoni::OK, Icona icona = Icona::Nessuna,
                const std::string& titolo = "");

}  // namespace varnex
