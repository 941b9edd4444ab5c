// The fittings of pressurised networks ("EQLEN.CFG") from arbitrary bytes: read, saved, read back
// and saved again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/raccordi.h"

namespace {

void Carica() {
  using namespace varnex;
  LunghezzeEquivalenti = {};
  NomiSpeciali = {};
  CaricaSpeciali();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("EQLEN.CFG", dati, n);
  Carica();
  if (!SalvaSpeciali()) __builtin_trap();
  const std::string primo = fuzz::Leggi("EQLEN.CFG");
  Carica();
  if (!SalvaSpeciali()) __builtin_trap();
  fuzz::StessoFile("EQLEN.CFG", primo, fuzz::Leggi("EQLEN.CFG"), true);
  return 0;
}
