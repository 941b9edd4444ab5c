// What the archive files (gases, pipe series, fittings, maximum drops) may hold: one rule per
// field, used by the editor that saves a value and by the reader that loads it, so that whatever
// an editor saves loads again and whatever one refuses the other refuses too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnex {

// The numeric fields of the archives.
enum class CampoArchivio {
  Spessore,              // pipe wall thickness, mm
  DiametroInterno,       // mm
  DiametroEsterno,       // mm (typed in the pipe-series editor; the file holds the other two)
  PesoSpecifico,         // specific weight of a pipe material, kg/m3
  Densita,               // relative density of a gas (air = 1)
  Viscosita,             // kinematic viscosity of a gas, m2/s
  PotereCalorifico,      // lower or higher heating value of a combustible gas, MJ/m3
  PotereCalorificoInerte,  // the same of a non-combustible gas, which has none
  LunghezzaEquivalente,  // equivalent length of a fitting, m
  PDCMassima,            // maximum pressure drop, Pa
  SogliaPotenza,         // power threshold of the maximum drops, kW
};

// The closed range of a field's valid values.
struct IntervalloCampo {
  double minimo;
  double massimo;
};
IntervalloCampo Intervallo(CampoArchivio campo);
// The range as the user reads it in a message: "da 0,5 a 5000 mm".
std::string TestoIntervallo(CampoArchivio campo);

// True when `valore`, the single the field holds, is a finite number in the field's range.
bool ValoreAmmesso(CampoArchivio campo, double valore);

// The number an archive field holds: blanks around it, an optional sign, digits with at most one
// "." and an optional exponent, nothing else (the reader has already turned "," into "."). A
// text that is not wholly a number ("NaN", "12abc", random bytes) or not finite gives nullopt,
// where the decimal reading rule would give 0 or the leading digits.
std::optional<double> NumeroArchivio(std::string_view testo);

// The number of an archive field as the single that holds it; nullopt when NumeroArchivio gives
// none or the number lies beyond a single's range (it would turn into infinity and, written back,
// into "0").
std::optional<float> SingoloArchivio(std::string_view testo);

// The field's value in single precision; nullopt when the text is not a number or the value lies
// outside the field's range. Such a value must never reach the calculation: the reader refuses
// the line, the editor the box.
std::optional<float> ValoreArchivio(std::string_view testo, CampoArchivio campo);

// The non-combustible flag of a gas line: 0 or -1 (1 as written by hand is taken as -1);
// nullopt for anything else.
std::optional<short> FlagArchivio(std::string_view testo);

// Why a text would not come back unchanged from the archive file that holds it as a field; empty
// when it would. The readers skip a line beginning with "#" as a comment, split the line at TABs,
// turn "," into "." and read the file in Windows-1252, where the writer puts "?" for a character
// it cannot hold; a line break would end the line.
std::string DifettoTestoArchivio(std::string_view testo);
inline bool TestoArchiviabile(std::string_view testo) { return DifettoTestoArchivio(testo).empty(); }

// The lines of one archive file refused at load, reported together in one message when the file
// has been read (a damaged file would otherwise open one message box per line).
class RigheRifiutate {
 public:
  explicit RigheRifiutate(std::string nomeFile) : nomeFile_(std::move(nomeFile)) {}
  // Line `riga` (from 1) and what happened to it ("valore non valido, il gas non e' stato caricato").
  void Aggiungi(size_t riga, std::string motivo);
  bool Vuota() const { return righe_.empty(); }
  size_t Numero() const { return righe_.size(); }
  // "Errori nel file gas.cfg (3 righe):" and one line per refused line, the first few only.
  std::string Messaggio() const;
  // Shows the message when a line was refused.
  void Mostra() const;

  static constexpr size_t RigheMostrate = 5;

 private:
  std::string nomeFile_;
  std::vector<std::pair<size_t, std::string>> righe_;
};

}  // namespace varnex
