// The tightness-test parameters of the gas families ("PARFAMGAS.CFG") from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/tenuta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("PARFAMGAS.CFG", dati, n);
  InitFamiglieGas();
  return 0;
}
