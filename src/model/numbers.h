// Number conversions of the system, all by hand so that nothing depends on the machine's locale.
//
// - The decimal reading rule (`Val`): what the file readers use, "." as the decimal point only.
// - The Italian regional forms (`StrToDouble`, `StrToInteger`, `StrToBoolean`, `TestoNumero`):
//   "," as the decimal separator, "." grouping thousands.
// - The print form (`TestoStampa`): how numbers are written to the archive and project files,
//   a blank in place of the sign of a non-negative number, decimal comma, one trailing blank.
// - The two rounding rules: integers round half to even; `FormatNumero` masks round half away
//   from zero on the decimal text of the value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnex {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double ArrotondaPari(double x);
// The 16-bit and 32-bit integer conversions with that rounding; nullopt on overflow or NaN.
std::optional<int16_t> ToInt16(double x);
std::optional<int32_t> ToInt32(double x);

// The decimal reading rule: blanks, TABs and line feeds anywhere are ignored; optional sign,
// digits with at most one "." and an optional exponent ("E" or "D", sign, digits); "&H" and "&O"
// prefixes; reading stops at the first character that cannot continue the number; a text that
// does not begin with a number gives 0.
double Val(std::string_view text);

// The decimal reading rule applied to the text with every "," turned into ".".
double ValDot(std::string_view text);

// Regional (Italian) text of a number, no blanks: up to 7 significant digits for a single and 15
// for a double, decimal comma, no thousands grouping, exponent form below 1E-04 and from the
// digit count up ("1,4E-05", "1,234568E+07"). A value that is not finite is "Inf", "-Inf" or
// "NaN", never a number.
std::string TestoNumero(float value);
std::string TestoNumero(double value);
std::string TestoNumero(int64_t value);
inline std::string TestoNumero(int32_t value) { return TestoNumero(static_cast<int64_t>(value)); }
inline std::string TestoNumero(int16_t value) { return TestoNumero(static_cast<int64_t>(value)); }

// The print form: " 12,5 ", "-3 ".
std::string TestoStampa(float value);
std::string TestoStampa(double value);
std::string TestoStampa(int64_t value);
inline std::string TestoStampa(int32_t value) { return TestoStampa(static_cast<int64_t>(value)); }
inline std::string TestoStampa(int16_t value) { return TestoStampa(static_cast<int64_t>(value)); }

// The regional conversions. Blanks around the number are allowed; "." groups thousands and is
// otherwise ignored; "," is the decimal separator. nullopt when the text is not a number.
std::optional<double> LeggiRegionale(std::string_view text);
// Whether `testo` groups its whole part in thousands with points: "1.500", "-12.000.000,5".
bool MigliaiaConPunto(std::string_view testo);
// The number of a box of whole units where a point can only group thousands ("1.500" is 1500): a
// text with any other point ("1.5") is no number, since reading it as a decimal would take 1500
// for 1,5. nullopt when the text is not a number.
std::optional<double> LeggiConMigliaia(std::string_view testo);
// 0 when the conversion fails.
double StrToDouble(std::string_view text);
// Rounded half to even; 0 when the conversion fails or overflows 16 bits.
int16_t StrToInteger(std::string_view text);
// "True"/"Vero" and "False"/"Falso" in any letter case, or a number (true when not 0); false
// when the conversion fails.
bool StrToBoolean(std::string_view text);

// The value with exactly `decimali` decimals (none when <= 0), at least one integer digit, no
// grouping, decimal comma, rounded half away from zero on the value's decimal text.
std::string FormatNumero(double value, int decimali);
std::string FormatNumero(float value, int decimali);
std::string FormatNumero(int value, int decimali);
// A text is converted with the regional rules first; a text that is not a number comes back as it is.
std::string FormatNumero(std::string_view value, int decimali);
inline std::string FormatNumero(const char* value, int decimali) { return FormatNumero(std::string_view(value), decimali); }

}  // namespace varnex
