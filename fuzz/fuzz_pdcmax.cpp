// The maximum pressure drops ("PDCMAX.CFG") from arbitrary bytes: read, saved, read back and saved
// again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/raccordi.h"

namespace {

void Carica() {
  using namespace varnex;
  PDCMaxTabella = {};
  SogliaPotenzaPDC = 0;
  CaricaPDCMax();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("PDCMAX.CFG", dati, n);
  Carica();
  if (!SalvaPDCMax()) __builtin_trap();
  const std::string primo = fuzz::Leggi("PDCMAX.CFG");
  Carica();
  if (!SalvaPDCMax()) __builtin_trap();
  fuzz::StessoFile("PDCMAX.CFG", primo, fuzz::Leggi("PDCMAX.CFG"));
  return 0;
}
