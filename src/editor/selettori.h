// The network-wide inputs above the segment table: the initial and final relative pressure of a
// pressurised network and the imposed maximum pressure drop of an internal installation. Each is
// an editable list of suggestions; a typed value takes effect on Enter or when the list is left.
//
// The rules live here; the editor window applies them to its three lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

enum class Selettore { PressioneIniziale, PressioneFinale, PerditaMassima };

// "Auto", then "10", "20" ... "500".
std::vector<std::string> VociSelettore();

// The text a value shows: a whole number without decimals ("200"), another number with the
// decimal comma ("150,5").
std::string TestoValoreSelettore(double valore);
// The first entry equal to the text (exactly, with letter case), or -1.
int VoceUguale(const std::vector<std::string>& voci, const std::string& testo);

// Whether a typed key reaches the list (Enter is not filtered here): digits, Backspace and both
// decimal marks. Letters never make a number; any other key the list takes and the text is judged
// when applied: dropping a comma or a fifth digit would silently apply a value ten times another.
bool TastoAmmesso(Selettore selettore, int16_t keyAscii);

// Why the list's text cannot be applied (a message naming the list and quoting the text), empty
// when it can: "0", "Auto" and an empty text stand for their usual values; anything else must be
// one number, with at most one decimal mark ("," or "."), not negative.
std::string RifiutoSelettore(Selettore selettore, const std::string& testo);

// A pressure applied from the list's text: "0" and "Auto" stand for the default, anything else
// is read as a number (comma or point) without its sign. `Rossa`: the value differs from the
// default's.
struct EsitoPressione {
  double Valore = 0;
  bool Rossa = false;
};
EsitoPressione LeggiPressione(const std::string& testo, double predefinito);

// Applies the maximum drop typed in the list: PDCMaxUtente ("0" and "Auto": 0, the table value in
// force) and PDCMaxTesto, the text of the maximum drop now in force.
void ApplicaPerditaMassima(const std::string& testo);
// The maximum drop of the table for the current gas and installed power, rounded to a whole
// number (the user's own value left out).
double PerditaMassimaTabella();
// The list's text is red when, read as a number, it differs from the table value.
bool PerditaMassimaRossa(const std::string& testo);

}  // namespace varnex
