// The field rules of the tightness page: what a valid value is for each kind of field, the colours
// that mark a field as still missing or wrong, and the sizing of the page's scroll bar.
//
// Colours are &HBBGGRR values; the three system colours carry the high bit, as the window system
// reads them, so that the page follows the desktop theme.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnex {

using ColoreTenuta = uint32_t;
inline constexpr ColoreTenuta ColoreSfondoFinestra = 0x80000005u;  // system window background
inline constexpr ColoreTenuta ColoreFacciaPulsante = 0x8000000Fu;  // system button face
inline constexpr ColoreTenuta ColoreTestoPulsante = 0x80000012u;   // system button text
inline constexpr ColoreTenuta ColoreGialloChiaro = 0xC0FFFFu;      // RGB 255, 255, 192
inline constexpr ColoreTenuta ColoreRossoTenuta = 0x0000FFu;       // RGB 255, 0, 0
inline bool IsColoreSistema(ColoreTenuta c) { return (c & 0x80000000u) != 0; }

// Field kinds of the page.
inline constexpr int16_t CampoLibero = 1;        // anything
inline constexpr int16_t CampoTestoRichiesto = 2; // not empty (blanks count)
inline constexpr int16_t CampoNumero = 3;         // number; "." becomes ","; decimals, maximum
inline constexpr int16_t CampoNumeroNonZero = 4;  // as 3, and not 0
inline constexpr int16_t CampoNumeroSemplice = 5; // number without the "." to "," step
inline constexpr int16_t CampoVero = 7;           // a ticked box
inline constexpr int16_t CampoCasella = 8;        // a ticked box, coloured as a check box
inline constexpr int16_t CampoData = 9;           // dd/mm/yyyy
inline constexpr int16_t CampoOra = 10;           // hh:mm

// The number of a box of whole pascals: a point there only groups thousands ("1.500" is 1500); a
// text with any other point ("1.5") is no number, since reading it as a decimal would judge a
// drop of 1500 Pa as 1,5 Pa.
std::optional<double> LeggiPascalInteri(std::string_view testo);

// Whether `valore` is valid for the kind; number kinds may rewrite it (decimal comma, the given
// decimals when that keeps the value). An empty text is never valid for a number kind and stays
// empty. `decimali` and `massimo` are texts, empty for none. Check-box kinds read the value as a
// boolean ("0" clear, "-1" or "1" ticked).
bool ValidaCampo(std::string& valore, int16_t tipo, const std::string& decimali = "",
                 const std::string& massimo = "");
// The back colour of a field: light yellow when not valid; the button face for check boxes
// (kind 8), the window background for every other kind.
ColoreTenuta ColoraCampo(bool valido, int16_t tipo);
// The back colour of both options of a pair: the button face when either is selected.
ColoreTenuta ColoraCoppiaOpzioni(bool a, bool b);

// The scroll bar of the page, in twips.
struct ScrollTenuta {
  int Altezza = 0;      // of the scroll bar and of the outer panel
  int Massimo = 0;      // scroll range, 0..32767
  int PassoGrande = 0;  // large step, 0..32767
};
// From the visible height, the height of the inner panel and the border of the outer panel (its
// height less its inner height). The range is what of the inner panel does not fit, 0 when it all
// fits.
ScrollTenuta DimensionaPaginaTenuta(int altezzaSchede, int altezzaInner, int bordoOuter);

}  // namespace varnex
