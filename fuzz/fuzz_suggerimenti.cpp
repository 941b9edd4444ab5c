// The start-up tips ("HINTS.CFG") from arbitrary bytes: read, and a round of tips shown.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "shell/hints.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("HINTS.CFG", dati, n);
  HintLast = 0;
  LoadHints();
  for (size_t i = 0; i <= Hints.size() && i < 64; ++i) NextHint();
  return 0;
}
