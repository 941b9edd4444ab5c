// The default values for new projects: the file "defaultValue.ini" of the program folder, and the
// behaviour of the "Valori di default" dialog that edits them (the window only mirrors it).
//
// The five values themselves are the globals DefaultGas, DefaultMateriale, DefaultVelocita,
// DefaultPressioneIniziale and DefaultPressioneFinale (model/globals.h), kept as typed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

// Fills the five defaults from "defaultValue.ini", or from the built-in values when the file is
// missing (then also PDCMaxTesto = "0"). A key missing from the file leaves its value as it was,
// and a value that was still empty takes its built-in value. Reports errors itself.
void getDefaultValueFromFile();
// Writes the five defaults to "defaultValue.ini" (the old file stays whole if writing fails).
// Reports errors itself; false on failure.
bool putDefaultValueInFile();

// Built-in values: the name of gas 1, of pipe series 1 (empty when the archive has none), "15",
// "200", "150".
std::string DefaultGasPredefinito();
std::string DefaultMaterialePredefinito();
inline constexpr const char* DefaultVelocitaPredefinita = "15";
inline constexpr const char* DefaultPressioneInizialePredefinita = "200";
inline constexpr const char* DefaultPressioneFinalePredefinita = "150";

// The default text as the projects use it: `testo` when it reads as a number
// (NumeroTestoDefault: "," or "." as the decimal mark), else the built-in `predefinito`.
std::string TestoDefaultUsato(const std::string& testo, const char* predefinito);

// The content of the dialog's fields.
struct CampiValoriDefault {
  bool inPressione = false;            // the pressure fields are shown (pressurised network)
  std::vector<std::string> gas;        // entry 0 is blank
  int gasScelto = 0;                   // index into gas
  std::vector<std::string> materiali;  // entry 0 is blank
  int materialeScelto = 0;
  std::string velocita;
  std::vector<std::string> pressioni;  // the choices of both pressure lists; empty when hidden
  std::string pressioneIniziale;       // the edit texts of the two pressure lists
  std::string pressioneFinale;
};

// "1", then 10 to 500 in steps of 10.
std::vector<std::string> ElencoPressioni();
// Index of the first entry equal to `testo` (exact text), -1 when none.
int IndiceVoce(const std::vector<std::string>& voci, const std::string& testo);

// Opening the dialog: the lists from the archives (an internal installation lists only
// combustible gases), the defaults reloaded from the file, and the selections made from them.
CampiValoriDefault ApriValoriDefault();
// OK: stores the fields into the five defaults (a blank gas or pipe-series choice takes the first
// entry; a velocity or pressure that is not a number takes its built-in value; the caller's
// fields then show what was stored), sets PDCMaxTesto = "0" and writes the file.
// Fields that the dialog hides keep the values they replace: in an internal installation the
// pressures, and a default gas that the list could not offer. A file that cannot be written is
// told (putDefaultValueInFile) and leaves the defaults as they were: false, the fields keep what
// the user chose, so that OK can be tried again.
bool ConfermaValoriDefault(CampiValoriDefault& campi);

// Key filter of the velocity (limit 4) and pressure (limit 6) fields: the key code to pass on, or
// 0 to drop it. Enter (13) is dropped too: the caller moves the focus. Only digits, Backspace,
// "," and "." pass, and no key but Backspace when the trimmed text is longer than the limit and
// nothing is selected.
int16_t FiltroTastoNumerico(int16_t keyAscii, const std::string& testo, bool testoSelezionato, size_t limite);

}  // namespace varnex
