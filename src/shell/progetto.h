// The life of the open project: open, save, close, the exit command, the main window's caption,
// the editor shown on the network, and the last work folder kept in the settings store.
//
// The operations drive windows (file dialogs, the wait window, the editor window, the caption)
// through one IAmbienteProgetto that the program installs at start-up; tests install a scripted
// one and run the whole lifecycle without a display.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnex {

// The filters and titles of the two project dialogs.
inline constexpr const char* TitoloApriProgetto = "Carica impianto";
inline constexpr const char* FiltroApriProgetto = "Impianti (*.RTG)|*.RTG";
inline constexpr const char* TitoloSalvaProgetto = "Salva con nome";
inline constexpr const char* FiltroSalvaProgetto = "Reti|*.rtg";
// The title of the question asked before a save under a new name replaces an existing file.
inline constexpr const char* TitoloSovrascrivereProgetto = "Sovrascrivere";

// What the lifecycle needs of the windows. Every operation has a harmless default, so an
// environment only overrides what it has.
class IAmbienteProgetto {
 public:
  virtual ~IAmbienteProgetto() = default;

  // The open and save dialogs: the chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChiediFileApri(const std::string& titolo, const std::string& filtro,
                                                    const std::string& cartella) {
    return std::nullopt;
  }
  virtual std::optional<std::string> ChiediFileSalva(const std::string& titolo, const std::string& filtro,
                                                     const std::string& cartella, const std::string& nome) {
    return std::nullopt;
  }
  // The wait window "Attesa", shown while a project is read, then unloaded.
  virtual void MostraAttesa() {}
  virtual void ScaricaAttesa() {}
  // Lets pending window events run.
  virtual void DoEvents() {}
  // The main window's caption.
  virtual void Titolo(const std::string& titolo) {}

  // The editor window: unload it (it loads again on next use), show network `rete` in its table
  // (loading it when needed), show it modeless, calculate and show, refill the table.
  virtual void ScaricaEditor() {}
  virtual void NewRete(int16_t rete) {}
  virtual void MostraEditor() {}
  virtual void Elaborazione() {}
  virtual void AggiornaCalcoli() {}
  // Holds the editor's calculations and refreshes asked for from now on; the release does once
  // what was asked (calculate, refill the table, draw the page in front). Holds nest.
  virtual void SospendiAggiornamenti() {}
  virtual void RiprendiAggiornamenti() {}

  // Unloads the substitution window "Sostituzioni" (the remembered answers are the core's).
  virtual void ScaricaSostituzione() {}

  // Ends the process at once (the settings are saved first); returns only in tests.
  virtual void TerminaProcesso(int codice) {}
};

// Installs the environment (nullptr: the silent default, which cancels every dialog).
void ImpostaAmbienteProgetto(IAmbienteProgetto* ambiente);
IAmbienteProgetto& AmbienteProgetto();

// Holds the editor's refreshes of the environment in force while the object lives: what is asked
// for meanwhile is done once, at Riprendi(). Leaving by an error releases the hold without doing
// the held work.
class AggiornamentiRimandati {
 public:
  AggiornamentiRimandati() : a_(AmbienteProgetto()) { a_.SospendiAggiornamenti(); }
  ~AggiornamentiRimandati() {
    if (attivo_) a_.RiprendiAggiornamenti();
  }
  AggiornamentiRimandati(const AggiornamentiRimandati&) = delete;
  AggiornamentiRimandati& operator=(const AggiornamentiRimandati&) = delete;
  void Riprendi() {
    if (!attivo_) return;
    attivo_ = false;
    a_.RiprendiAggiornamenti();
  }

 private:
  IAmbienteProgetto& a_;
  bool attivo_ = true;
};

// The open command: the open dialog at the last work folder, the close of the open project
// (with the save question), the load, the recent-files entry and the editor on the project.
// A load that fails leaves the empty project in the editor and stays out of the recent files.
void ApriProgetto();

// Saves to `path`, or under a name asked with the save dialog when `path` is blank. A name typed
// without extension gets ".rtg"; when a file of that name exists (letter case aside) the user is
// asked before it is replaced, and "No" writes nothing. Returns
// PercorsoProgetto after the save, or "" when the dialog was cancelled or the save failed (the
// path and the modified flag are then unchanged).
std::string SalvaProgetto(const std::string& path);

// Reads the project at `path` with the wait window; "Il file selezionato non esiste" when the
// file cannot be opened. Returns ProgettoCaricato (false also for a missing file).
bool CaricaProgetto(const std::string& path);

// Closes the project: asks "Salvare il progetto aperto" when it was modified (Sì saves first),
// then empties it. False when the user cancelled, or answered Sì and the save was cancelled or
// failed: the project is then left as it was.
bool ChiudiProgetto();

// The exit command: closes the project, then ends the process. Nothing happens on a cancel.
void EsciProgramma();

// The caption after a close: "VarnexPro  - " (two blanks) followed by PercorsoProgetto.
void AggiornaTitolo();
// The caption after a load or a save: "VarnexPro - " followed by the path.
std::string TitoloProgetto(const std::string& percorso);

// Shows the editor on network 1 (NewRete), then shows the editor window.
void NuovaReteGriglia();

// Takes the project the editor now shows as what its file holds, once a loaded project (or the
// empty one a refused file leaves) or a new one is on screen: what the program filled in while
// showing it (the tightness page's figures, the firm's defaults on a page shown the first time)
// is no change by the user, and asks no question on close.
void ProgettoMostrato();

// The last work folder ("Recent"/"LastWorkDirectory"), or the program folder's "Archivio
// Lavori" when it was never stored.
std::string GetUltimaCartella();
// Stores the folder of `path` (nothing for a blank path).
void SalvaUltimaCartella(const std::string& path);
// After folder `da` was copied to `a`: the recent files and the last work folder that lay inside
// `da` name the same places in `a`, so that the user goes on working in the copy.
void SpostaPercorsiRicordati(const std::string& da, const std::string& a);
// The paths the program remembers: the last work folder and the recent files.
std::vector<std::string> PercorsiRicordati();

}  // namespace varnex
