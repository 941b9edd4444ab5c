// The pipe-series archive: one ".mat" file per series in the program folder, all loaded at
// start-up into the table `Materiali`, with the derived data of every diameter.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnex {

// One element of the pipe-series table. Row 0 of a series is its header (name, formula type,
// specific weight, description, diameter count); rows 1..NumDiametri are its diameters.
struct TMateriale {
  std::string Nome;           // row 0: series name = file name without its ".mat"
  int16_t TipoFormula = 0;    // row 0: 1 steel ("Acciaio"), 2 copper ("Rame"), 3 plastic ("Plastica")
  float PesoSpecifico = 0;    // row 0: kg/m3
  std::string Descrizione;    // row 0
  std::string RifDiametro;    // rows 1..n: nominal-diameter label, as written in the file
  int16_t NumDiametri = 0;    // row 0: number of diameter rows, 0..50
  float Spessore = 0;         // rows 1..n: wall thickness, mm
  float DiamInterno = 0;      // rows 1..n: inner diameter, mm
  float VelLimite = 0;        // rows 1..n: always 0
  float PortataMax = 0;       // rows 1..n: always 0
  float DiamEsterno = 0;      // rows 1..n: outer diameter, mm (derived)
  float PesoMetro = 0;        // rows 1..n: kg/m (derived)
  float Sezione = 0;          // rows 1..n: inner area in mm2 / 1000 (derived)
  float LunghezzaComputo = 0; // rows 1..n: metres in the bill of quantities; row 0: -1 = series used
  float PesoComputo = 0;      // row 0: kg of the series in the bill of quantities
};

constexpr int16_t MaxMateriali = 50;  // series 1..50
constexpr int16_t MaxDiametri = 50;   // rows 1..50 of a series

using TSerieMateriale = std::array<TMateriale, MaxDiametri + 1>;
// Materiali[series][row]: series 0 is never used, series 1..NumMateriali are loaded.
extern std::array<TSerieMateriale, MaxMateriali + 1> Materiali;
extern int16_t NumMateriali;

// Velocity limits of the (unused) maximum-flow columns; nothing sets them, so they stay 0.
extern float VelLimiteFino28;
extern float VelLimiteOltre28;

// Every series of the program folder (start-up).
void CaricaMateriali();
// Every ".mat" file of `cartella` (extension in any letter case), sorted by name without regard to
// letter case, each series named after its whole file name but the ".mat"; a 51st series is
// refused with a message. Shows "Caricamento tubazione: " + name as
// progress text for each series.
void CaricaCartellaMateriali(const std::string& cartella);
// Reads the file of one series whose Nome is already set: FileMateriale, or `percorso` when given
// (the file as listed).
// False when the file cannot be opened (the series then has no diameters). A diameter line
// without its inner diameter, with a field that is not a number, or refused by DifettoDiametro is
// left out, and so are lines past the 50th diameter; a header value that is not valid is set to
// 0. Those lines are named in one message for the file. A line whose inner diameter is not above
// 0 is left out without a word, as the format has it.
bool CaricaFileMateriale(int16_t serie, const std::string& percorso = {});
// Why a diameter row with that wall thickness and inner diameter (mm) may not be in a series:
// a value, or the outer diameter they give, outside its field's range; empty when it may. The
// pipe-series editor refuses to save such a row and the reader refuses its line.
std::string DifettoDiametro(float spessore, float interno);
// Recomputes outer diameter, weight per metre and section of every loaded diameter row.
void CalcolaDatiMateriali();
// Writes the file of one series (atomically): its rows, then, byte for byte, the diameter lines
// its file held that the load did not take (refused lines, told at the load). True when written,
// or when the trimmed name is empty and nothing is written; false with the reason in `errore` when the file could not be written
// (the old file is then left as it was).
bool SalvaMateriale(int16_t serie, std::string* errore = nullptr);
// The file of series `serie`: the one it was read from while its name is still that file's,
// otherwise the program folder's Nome + ".mat" (found without regard to letter case). Saving and
// deleting a series go to this file.
std::string FileMateriale(int16_t serie);
// Trims the caller's text in place; the index 1..NumMateriali of the first series whose Nome equals
// it exactly (letter case included), or 0.
int16_t CercaMateriale(std::string& nome);
// The row 1..NumDiametri of the first diameter whose label equals `rif` exactly, or 0.
int16_t CercaDiametro(int16_t serie, std::string_view rif);
// The text before the first "."; the whole text when there is none.
std::string TogliEstensione(std::string_view nome);

// The editor window's pipe-series list, refilled after the pipe-series editor saved a series.
// The editor window installs itself while it is loaded and removes itself (nullptr) on unload.
class IListeEditor {
 public:
  virtual ~IListeEditor() = default;
  virtual void LoadCombos() = 0;
};
void ImpostaListeEditor(IListeEditor* editor);
// Calls LoadCombos of the editor window when it is loaded; nothing otherwise.
void RefreshGasGridCombos();

}  // namespace varnex
