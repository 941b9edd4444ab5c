// Program-wide values that several subsystems share and that the core needs to read.
//
// The default values for new projects are owned by the application shell (they live in
// "defaultValue.ini") but the project reset and new segments read them, so they are kept here.
#pragma once

#include <string>

namespace varnex {

// The five default values for new projects, as the user typed them.
extern std::string DefaultGas;
extern std::string DefaultMateriale;
extern std::string DefaultVelocita;
extern std::string DefaultPressioneIniziale;
extern std::string DefaultPressioneFinale;

// The maximum pressure drop in force as the editor shows it ("0" until first set).
extern std::string PDCMaxTesto;

// "VxP" followed by major.minor.revision of the program, set once at start-up.
extern std::string VersioneProgramma;
// The program's own version text: "VxP4.0.15".
std::string VersioneDelProgramma();

}  // namespace varnex
