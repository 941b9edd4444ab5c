// The technician's defaults of the tightness test ("TENIMPTECDEF.CFG") from arbitrary bytes: read
// into the test record as the tightness page does, saved, read back and saved again.
#include <cstddef>
#include <cstdint>

#include "ambiente_fuzz.h"
#include "model/tenuta.h"

namespace {

void Carica() {
  using namespace varnex;
  LeggiTenImpTecDef();
  TenutaImpianto = TTenutaImpianto{};
  TenutaImpianto.RagSociale = DefRagSociale;
  TenutaImpianto.Indirizzo = DefIndirizzo;
  TenutaImpianto.Telefono = DefTelefono;
  TenutaImpianto.NomeTecnico = DefNomeTecnico;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  fuzz::PreparaProgramma();
  fuzz::Scrivi("TENIMPTECDEF.CFG", dati, n);
  Carica();
  if (!SalvaTenImpTecDef()) __builtin_trap();
  const std::string primo = fuzz::Leggi("TENIMPTECDEF.CFG");
  Carica();
  if (!SalvaTenImpTecDef()) __builtin_trap();
  fuzz::StessoFile("TENIMPTECDEF.CFG", primo, fuzz::Leggi("TENIMPTECDEF.CFG"), true);
  return 0;
}
