// The table's column definitions ("gridgas.cne") from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/colonne.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("gridgas.cne", dati, n);
  CaricaDefinizioneGriglie();
  return 0;
}
