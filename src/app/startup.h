// The start-up sequence: the single-instance refusal, the start-up window with its progress, the
// archives in their fixed order, the recent files and default values, the main window, the
// project named on the command line, the tips and the start screen.
//
// The sequence only decides and orders; the windows, the instance guard and the end of the
// process are behind IFinestreAvvio, and the archive loaders behind ICaricatoriAvvio, so the
// whole sequence runs in tests without a display.
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

// The program's windows and platform pieces as the sequence drives them.
class IFinestreAvvio {
 public:
  virtual ~IFinestreAvvio() = default;
  // Takes the one-per-user instance lock; false when another instance holds it.
  virtual bool PrendiIstanza() = 0;
  // The start-up window: load and show modeless, progress value, status line, unload.
  virtual void MostraSplash() = 0;
  virtual void Progresso(int16_t valore) = 0;
  virtual void ShowWorking(const std::string& testo) = 0;
  virtual void ScaricaSplash() = 0;
  // Loads and shows the main window.
  virtual void MostraFinestraPrincipale() = 0;
  // The tips window, modal; and the check mark of the menu entry "Visualizza suggerimenti".
  virtual void MostraSuggerimenti() = 0;
  virtual void SpuntaSuggerimenti(bool spuntato) = 0;
  // The start screen, modal, with its choices acted on until it is left.
  virtual void MostraAttivita() = 0;
  // Ends the process (the settings are saved first); returns only in tests.
  virtual void TerminaProcesso(int codice) = 0;
};

// The loaders in the order the sequence calls them. Each default runs the real loader; a false
// result stops the start-up (the loader has already told the user which file is at fault).
class ICaricatoriAvvio {
 public:
  virtual ~ICaricatoriAvvio() = default;
  virtual void LoadSwCompany();
  // The user's firm lines shown on the main window and printed in the report headers.
  virtual void CaricaDatiDitta();
  virtual void ResetRete();
  virtual void CaricaMateriali();
  virtual bool InitGas();  // false for an empty gas archive (after a message naming "gas.cfg")
  virtual void CaricaPDCMax();
  virtual void InitPDCMax();
  virtual void InitSpeciali();
  virtual bool InitFamiglieGas();
  virtual void LoadPagePercent();
  virtual bool CaricaDefinizioneGriglie();
  virtual void getDefaultValueFromFile();
};

// What the sequence did, for its caller and for tests.
enum class EsitoAvvio {
  Avviato,           // the program runs on in the main window's events
  SecondaIstanza,    // refused: another instance is running; the process was ended
  ArchivioMancante,  // an archive the program cannot run without is missing or empty; ended
};

// The message shown to a second instance.
inline constexpr const char* MessaggioSecondaIstanza = "E' gia' aperta una sessione di VarnexPro.";

// The project path named by a command line: "" when the line is blank; otherwise the line
// unchanged but for one double quote removed at its start and one at its end.
std::string PercorsoDaRigaComando(const std::string& rigaComando);

class SequenzaAvvio {
 public:
  explicit SequenzaAvvio(IFinestreAvvio& finestre);
  SequenzaAvvio(IFinestreAvvio& finestre, ICaricatoriAvvio& caricatori);

  // Runs the whole sequence on `rigaComando`, the text after the program name.
  EsitoAvvio Esegui(const std::string& rigaComando);

  // True when the command line's project was loaded (the start screen was then skipped).
  bool ProgettoDaRigaComando() const { return caricato_; }

 private:
  bool CaricaArchivi();
  void ImpostaGasIniziale();
  void RigaComando(const std::string& rigaComando);

  IFinestreAvvio& finestre_;
  ICaricatoriAvvio caricatoriPredefiniti_;
  ICaricatoriAvvio& caricatori_;
  bool caricato_ = false;
};

}  // namespace varnex
