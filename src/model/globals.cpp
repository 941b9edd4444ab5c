#include "model/globals.h"

namespace varnex {

std::string DefaultGas;
std::string DefaultMateriale;
std::string DefaultVelocita;
std::string DefaultPressioneIniziale;
std::string DefaultPressioneFinale;
std::string PDCMaxTesto = "0";
std::string VersioneProgramma = VersioneDelProgramma();

std::string VersioneDelProgramma() {
  return "VxP" + std::to_string(VARNEX_VERSION_MAJOR) + "." + std::to_string(VARNEX_VERSION_MINOR) + "." +
         std::to_string(VARNEX_VERSION_PATCH);
}

}  // namespace varnex
