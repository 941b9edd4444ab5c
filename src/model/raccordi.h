// Equivalent lengths of fittings (the built-in table of internal installations and "EQLEN.CFG" of
// pressurised networks) and the maximum pressure drops of internal installations ("PDCMAX.CFG").
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varnex {

// Entries 1..10 are fitting names; entry 0 holds nothing.
extern std::array<std::string, 11> NomiSpeciali;
// LunghezzeEquivalenti[fitting 0..10][column 0..3][diameter class 0..4], metres. Internal
// installations use fittings 1..4, columns 1..3 (gas family) and classes 1..4; pressurised networks
// use fittings 1..10, column 1 and classes 1..3.
extern std::array<std::array<std::array<float, 5>, 4>, 11> LunghezzeEquivalenti;
// PDCMaxTabella[row 0..2][gas family 0..3], Pa: row 1 up to SogliaPotenzaPDC, row 2 above it.
extern std::array<std::array<float, 4>, 3> PDCMaxTabella;
// Power threshold, kW.
extern float SogliaPotenzaPDC;

// Names 1..4 and the built-in lengths of internal installations; fittings 5..10 are left alone.
void InitSpeciali();
// Reads "EQLEN.CFG" into names 1..10 and column 1, classes 1..3. When the file is missing it says
// so, with how to get it back (ComeRiavereFileDistribuito), and returns false: the
// caller must then refuse the pressurised network. A line with fewer than four fields, or with a
// length that is not a number within its range, is refused (that fitting keeps its previous
// values); the refused lines are named in one message for the file.
bool CaricaSpeciali();
// Rewrites "EQLEN.CFG" (atomically); an empty name is first set to "-" in NomiSpeciali. False with
// the reason in `errore` when the file could not be written (the old file is then left as it was).
bool SalvaSpeciali(std::string* errore = nullptr);
// The fittings table of the activity: "EQLEN.CFG" for a pressurised network (reteInPressione not 0),
// the built-in table otherwise. False only when a pressurised network finds no "EQLEN.CFG".
bool ImpostaTabellaSpeciali(int16_t reteInPressione);

// Diameter class of internal installations: 1 for Di <= 22.3, 2 <= 53.9, 3 <= 81.7, else 4.
int16_t ClasseDiametro(float di);
// Diameter class of pressurised networks: 1 for Di <= 50, 2 <= 125, else 3.
int16_t ClasseDiametroRete(float di);
// Equivalent length of one fitting of an internal installation (family 1..3); 0 out of the table.
float LunghezzaEquivalente(int16_t speciale, float di, int16_t famiglia);
// Equivalent length of one fitting of a pressurised network; 0 out of the table.
float LunghezzaEquivalenteRete(int16_t speciale, float di);

// Puts the default into every entry (threshold included) that is not above 0.
void InitPDCMax();
// Reads "PDCMAX.CFG" (seven lines, one number each). A missing file or missing lines give the
// defaults of InitPDCMax for those entries, and so does a line that is not a number within its
// range, named in one message for the file; false when the file is missing.
bool CaricaPDCMax();
// Rewrites "PDCMAX.CFG" (atomically). False with the reason in `errore` on failure.
bool SalvaPDCMax(std::string* errore = nullptr);

}  // namespace varnex
