// The gas archive "gas.cfg": the gases the user can calculate with, their derived volumic mass,
// Wobbe indexes and gas family, and the copy of the gas in use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

struct TGas {
  std::string Nome;
  float Densita = 0;            // relative density (air = 1)
  float Viscosita = 0;          // kinematic viscosity, m2/s
  float PCI = 0;                // lower calorific value, MJ/m3
  float PCS = 0;                // higher calorific value, MJ/m3
  int16_t NonCombustibile = 0;  // -1 for a non-combustible gas
  float MassaVolumica = 0;      // kg/m3 (derived)
  float WobbeInf = 0;           // lower Wobbe index (derived)
  float WobbeSup = 0;           // upper Wobbe index (derived)
  int16_t Famiglia = 0;         // gas family 1..3 (derived; 0 for a non-combustible gas)
  int16_t ErroreFamiglia = 0;   // -1 when no family matched the Wobbe index
  int16_t Cancellato = 0;       // -1 for a gas deleted in the gas editor: not saved
};

// Entries 0..NumGas; entry 0 is an empty placeholder (no name, all values 0), never written.
extern std::vector<TGas> ArchivioGas;
extern int16_t NumGas;
// A copy of the gas in use (not a reference into the archive).
extern TGas GasCorrente;
// The index in ArchivioGas of the gas chosen last in the gas lists (0 until one is chosen).
extern int16_t CurrentGas;

// Empties the archive (placeholder only) and loads "gas.cfg".
void InitGas();
// Loads "gas.cfg" of the program folder into the archive; a missing file gives an empty archive.
// A line with fewer than six fields, a field that is not wholly a number, a non-combustible flag
// other than 0 or -1, or values DifettoValoriGas refuses, is not loaded; the refused lines are
// named in one message for the file.
void CaricaGas();
// Why the gas may not be in the archive: no name, or a value outside its field's range (heating
// values of a non-combustible gas may be 0); empty when it may. The gas editor refuses to save
// such a gas and the reader refuses its line, so that what one saves the other loads.
std::string DifettoValoriGas(const TGas& gas);
// Rewrites "gas.cfg" (atomically) with every gas not deleted: the gases CaricaGas loaded in their
// lines' places, every line it did not load (remarks, blank lines, refused gases) byte for byte
// in its place, the gases added since at the end. False with the reason in `errore` when the file
// could not be written (the old file is then left as it was).
bool SalvaGas(std::string* errore = nullptr);
// Appends a gas with that name and every other field 0; NumGas becomes its index, which is returned.
int16_t AggiungiGas(const std::string& nome);
// Derives volumic mass, Wobbe indexes and family; false (after a message) when no family matches,
// or when the density is not above 0.
bool CalcolaFamigliaGas(TGas& gas);
// A non-combustible gas, or a named gas whose density, viscosity and calorific values are above 0.
bool IsGasValido(const TGas& gas);
// The same gas with the same stored values (name, density, viscosity, heating values, flag): the
// derived values follow from these.
bool StessiValoriGas(const TGas& a, const TGas& b);
// The form by which gas names are compared: blanks of every kind (tabs, non-breaking and
// typographic blanks too) left out around the name and a run of them inside taken as one blank,
// letter case ignored.
std::string ChiaveNomeGas(std::string_view nome);
// Two gas names name the same gas: the same ChiaveNomeGas. Wherever a gas is found or compared by
// its name (the loader, the editor, the archive copy, the defaults, the selectors) this is the
// comparison.
bool StessoNomeGas(std::string_view a, std::string_view b);
// The index of the first of `voci` (from `da`) naming the same gas as `nome`; -1 when none does.
int IndiceNomeGas(const std::vector<std::string>& voci, std::string_view nome, size_t da = 0);
// The index of the first gas whose name is StessoNomeGas as `nome`; -1 after a message.
int16_t CercaGas(const std::string& nome);

}  // namespace varnex
