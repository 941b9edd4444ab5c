// Replacement of archive entries that a project names and this installation lacks.
//
// While a project loads, a missing gas or pipe series is replaced by an entry of the same kind
// that the user picks. Each distinct missing name is asked once: the answer is remembered until
// the project is closed (Reset), so every segment naming the same series gets the same index.
// The window that asks is the UI's; the core reaches it through IDialogoSostituzione.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

// Kinds of archive entry.
inline constexpr int16_t SostituzioneMateriale = 1;
inline constexpr int16_t SostituzioneGas = 2;

// The window "Sostituzioni".
class IDialogoSostituzione {
 public:
  virtual ~IDialogoSostituzione() = default;
  // Shows the missing name exactly as written and the candidates in archive order, modal.
  // Returns the chosen line counted from 1 (= the candidate's archive index), or 0 when the
  // window was left without a choice.
  virtual int16_t Scegli(const std::string& nome, int16_t tipo, const std::vector<std::string>& candidati) = 0;
};
// Installs the window (nullptr: no window, every question stays unanswered with 0).
void ImpostaDialogoSostituzione(IDialogoSostituzione* dialogo);

// One remembered substitution: the missing name (trimmed, upper case), the chosen index and the
// name of the entry chosen. The archive may be loaded again while the project is open, and the
// index then names whatever sits there: the answer follows the chosen entry's name.
struct TEquivalenza {
  std::string NOld;
  int16_t NNew = 0;
  std::string NomeNuovo;
};

class Sostituzioni {
 public:
  // Finds the replacement for `nome` of kind `Tipo` and leaves it in value(): 0 at once for a
  // blank name, the remembered index for a name answered before, otherwise the user's choice;
  // 0 when the window was left without one ("Annulla"), which is then not asked again until
  // Reset.
  // `soloCombustibili` (a project of an internal installation) offers only the combustible gases:
  // a non-combustible one could not be calculated with nor shown by the gas selector.
  void Substitute(const std::string& nome, int16_t Tipo, bool soloCombustibili = false);
  // The index chosen by the last Substitute, 0 when none.
  int16_t value() const { return value_; }
  // Forgets every remembered substitution.
  void Reset();

  // The remembered index of `Name` in list `Tipo`, 0 when none; `Name` becomes its trimmed,
  // upper-cased form. The index is where the chosen entry's name sits now: 0 when the archive no
  // longer holds it, so that the question is asked again.
  int16_t SearchEquiv(std::string& Name, int16_t Tipo) const;
  // Remembers the answer for `NOld`, replacing an earlier one for the same name.
  void AddEquiv(const std::string& NOld, int16_t NNew, int16_t Tipo);
  // The candidates of a kind in archive order: the pipe-series names 1..NumMateriali or the gas
  // names 1..NumGas; nothing for other kinds.
  static std::vector<std::string> LoadList(int16_t Tipo);
  // The archive indices of the candidates offered, in the order shown: the pipe series that can
  // size a segment (SerieUsabile); for gases with `soloCombustibili` the combustible ones only.
  static std::vector<int16_t> IndiciCandidati(int16_t Tipo, bool soloCombustibili);
  // The "Procedi" button of the window: false (after the message) when no line is selected
  // (`posizione` < 0), true when the window may close with line `posizione` (from 0).
  static bool ConfermaSelezione(int posizione);

  const std::array<std::vector<TEquivalenza>, 11>& Equivalenze() const { return equivalenze_; }

 private:
  std::array<std::vector<TEquivalenza>, 11> equivalenze_{};
  // The names (trimmed, upper case) whose window was left without a choice, by kind.
  std::array<std::vector<std::string>, 11> senzaScelta_{};
  int16_t tipo_ = 0;
  std::string nome_;
  int16_t value_ = 0;
};

// The one substitution memory of the program.
extern Sostituzioni frmEquiv;

// Binds every segment of the open project to the series its name (`ID_MATERIALE`) names in the
// pipe-series table as it is now, wherever that series sits: the table may have been loaded again
// while the project is open, and an index alone would then name another series. A segment whose
// series the table no longer holds has no series (index 0), which the calculation refuses naming
// it, and keeps its name. With `chiediSostituto` (after the table was loaded again) such a name is
// first replaced as while a project loads: the substitute already chosen for it, or the user's
// choice, which marks the project modified. A segment without a name is left as it is.
void RiassociaSerieTronchi(bool chiediSostituto);

}  // namespace varnex
