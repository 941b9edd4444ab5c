// The default values of new projects ("defaultValue.ini") from arbitrary bytes: read, saved, read
// back and saved again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/globals.h"
#include "shell/default_values.h"

namespace {

void Carica() {
  using namespace varnex;
  DefaultGas.clear();
  DefaultMateriale.clear();
  DefaultVelocita.clear();
  DefaultPressioneIniziale.clear();
  DefaultPressioneFinale.clear();
  getDefaultValueFromFile();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("defaultValue.ini", dati, n);
  Carica();
  if (!putDefaultValueInFile()) __builtin_trap();
  const std::string primo = fuzz::Leggi("defaultValue.ini");
  Carica();
  if (!putDefaultValueInFile()) __builtin_trap();
  fuzz::StessoFile("defaultValue.ini", primo, fuzz::Leggi("defaultValue.ini"));
  return 0;
}
