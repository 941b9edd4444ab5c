// How a result is judged and set as text, the same on the screen and in every output (the editor's
// table, the schema, the printed report, the HTML and the text files): a value under its column's
// mask, the marker of a result the calculation could not compute, a value beyond the design's
// limits, and the colours these are marked in. Plain values, no display: the outputs apply them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/campi.h"

namespace varnex {

// Colours as &HBBGGRR values.
namespace colore {
inline constexpr int32_t Bianco = 0xFFFFFF;
inline constexpr int32_t GialloChiaro = 0x80FFFF;
inline constexpr int32_t GrigioChiaro = 0xC0C0C0;
inline constexpr int32_t Blu = 0xFF0000;
inline constexpr int32_t Rosso = 0xFF;
inline constexpr int32_t RossoScuro = 0xC0;
inline constexpr int32_t Nero = 0;
}  // namespace colore

// A value through a number mask of the column definitions ("##0.00", "###0.", "0", "@", "" or a
// mask with literal text around the digits, "##0.000 bar"): numbers with the mask's decimals and
// the decimal comma; a text that is not a number, and every value under "@" or an empty mask, as
// its plain text.
std::string FormatMaschera(const ValoreCampo& valore, std::string_view maschera);

// The table layout of the activity: 5 for a pressurised network, 0 for an internal installation.
int16_t LayoutAttivita();
// Number of table columns of a layout (fixed column included): UltimaColonnaGriglia + 1, at least 1.
int16_t ColonneLayout(int16_t layout);

// The drop a pressurised network may spend (kPa): its initial pressure less its final one.
double BudgetPressione();

// What the table, the printed report, the HTML and the text files show for a result the
// calculation could not compute (the -1 it leaves on a choked segment): never a number.
inline constexpr const char* TestoNonCalcolabile = "n.c.";
// True when field `codice` of `slot` holds that marker instead of a value: the segment's drop,
// its end pressure and its path drop, once its drop could not be computed.
bool NonCalcolabile(int16_t slot, int16_t codice);

// Why the calculation left results not computed ("n.c.") on a connected segment, as one sentence
// for the editor's status panel and every report: the final pressure not below the initial one,
// or the first segment that no diameter of its series carries. Empty when every connected segment
// has its drop, or when the calculation was refused (the refusal says so itself).
std::string MotivoReteNonDimensionata();

// The diameter warning: the slot's diameter `testo` is the largest of its series (or not one of
// it) while the path drop or the velocity is above the limit.
bool AvvisoDiametro(int16_t slot, const std::string& testo);

// The cumulative drop a design may reach: a pressurised network's pressure budget (kPa), or an
// internal installation's maximum drop (Pa), the very value the sizing worked to.
double LimitePerditaPercorso();
// That limit as the statements quote it, with its unit: the budget with three decimals ("4,500
// kPa"), the maximum drop as entered ("30,5 Pa").
std::string TestoLimitePerditaPercorso();
// Whether the table shows the slot's value of field `idCampo` (as the cell shows it, `testo`) as
// beyond the design's limits: red, or the diameter warning. The report outputs mark the same
// values, so a failing design reads as failing on paper and in the files too.
bool OltreLimite(int16_t slot, int16_t idCampo, const std::string& testo);

}  // namespace varnex
