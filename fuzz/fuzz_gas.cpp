// The gas archive ("gas.cfg") from arbitrary bytes: read, saved, read back and saved again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/gas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("gas.cfg", dati, n);
  InitGas();
  if (!SalvaGas()) __builtin_trap();
  const std::string primo = fuzz::Leggi("gas.cfg");
  InitGas();
  if (!SalvaGas()) __builtin_trap();
  fuzz::StessoFile("gas.cfg", primo, fuzz::Leggi("gas.cfg"), true);
  return 0;
}
