// A pipe series (".mat") from arbitrary bytes: read, saved, read back and saved again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/materiali.h"

namespace {

void Carica() {
  using namespace varnex;
  Materiali[1] = TSerieMateriale{};
  Materiali[1][0].Nome = "FUZZ";
  NumMateriali = 1;
  CaricaFileMateriale(1);
  CalcolaDatiMateriali();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("FUZZ.mat", dati, n);
  Carica();
  if (!SalvaMateriale(1)) __builtin_trap();
  const std::string primo = fuzz::Leggi("FUZZ.mat");
  Carica();
  if (!SalvaMateriale(1)) __builtin_trap();
  fuzz::StessoFile("FUZZ.mat", primo, fuzz::Leggi("FUZZ.mat"));
  return 0;
}
