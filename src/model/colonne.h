// The table layouts of the editor's segment table and of the report tables, read at start-up from
// "gridgas.cne" in the program folder.
//
// The file holds eleven layouts; each column names the segment value it shows by a key ("ID_LEN")
// that maps to a column code, with its title, unit, number format, width weight, read-only flag
// and description. The file is stored scrambled byte by byte; `DecodificaRigaGriglia` undoes it
// and `CodificaRigaGriglia` does it (the tests check the shipped file against its readable source
// tools/gridgas/gridgas.txt with it).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnex {

// One column of a layout.
struct TColonnaGriglia {
  int16_t IdCampo = 0;      // column code of the value shown; 0 = no segment value
  int16_t PesoColonna = 0;  // width weight
  std::string Titolo;       // first header line
  int16_t SolaLettura = 0;  // non-zero = computed column, read-only in the table
  std::string Unita;        // second header line
  std::string Descrizione;  // help text of the column
  std::string Formato;      // number format mask of the values

  bool operator==(const TColonnaGriglia&) const = default;
};

inline constexpr int NumLayoutGriglia = 11;   // layouts 0..10
inline constexpr int MaxColonneGriglia = 50;  // columns 0..49 of a layout

// Layouts: 0 editor table (internal installation), 1-4 report tables of an internal installation
// (segments, localized losses, least favoured path, appliances), 5 editor table (pressurised
// network), 6-10 report tables of a pressurised network (segments, least favoured path,
// appliances, localized losses, equivalent lengths).
extern std::array<std::array<TColonnaGriglia, MaxColonneGriglia>, NumLayoutGriglia> ColonneGriglia;
// Index of the last column of each layout (-1 for a layout without columns).
extern std::array<int16_t, NumLayoutGriglia> UltimaColonnaGriglia;

// Reads "gridgas.cne" into ColonneGriglia and UltimaColonnaGriglia. A missing file, a byte that
// cannot be unscrambled, or more layouts or columns than the arrays hold stop the reading with a
// message and give false; what was read before stays. A column line with the wrong number of
// fields is left out, with the message "Numero campi nella tabella errato" shown once, and the
// reading goes on.
bool CaricaDefinizioneGriglie();
// Same, from an explicit path (tests and tools).
bool CaricaDefinizioneGriglie(const std::string& percorso);

// Column code of a key (trimmed, upper-cased); an unknown key shows "Non trovato:" and gives 0.
int16_t CodiceColonna(std::string_view chiave);

// Unscrambles one line (Windows-1252 bytes in, Windows-1252 bytes out): byte 254 becomes a TAB,
// any other byte c at position i (from 1) becomes c - ((i mod 7) + 3). Positions whose result
// would be below 0 give byte 0; `DecodificabileRigaGriglia` tells whether a line is clean.
std::string DecodificaRigaGriglia(std::string_view riga);
bool DecodificabileRigaGriglia(std::string_view riga);
// The inverse: TAB becomes 254, any other byte d at position i becomes d + ((i mod 7) + 3).
// nullopt when a byte cannot be stored: the result would pass 255, be 254 (read back as a TAB),
// or be a line end (CR or LF).
std::optional<std::string> CodificaRigaGriglia(std::string_view riga);

}  // namespace varnex
