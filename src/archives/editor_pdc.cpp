#include "archives/editor_pdc.h"

#include "model/interaction.h"
#include "model/numbers.h"
#include "model/raccordi.h"

namespace varnex {

CampiPDC EditorPDC::MostraPDC() {
  CampiPDC c;
  c.Potenza = TestoNumero(SogliaPotenzaPDC);
  c.PotenzaBis = c.Potenza;
  for (size_t i = 0; i < 3; ++i) {
    c.Potenza1[i] = TestoNumero(PDCMaxTabella[1][i + 1]);
    c.Potenza2[i] = TestoNumero(PDCMaxTabella[2][i + 1]);
  }
  return c;
}

bool EditorPDC::ApplicaPDC(CampiPDC& campi) {
  const float soglia = SogliaPotenzaPDC;
  const auto tabella = PDCMaxTabella;
  SogliaPotenzaPDC = static_cast<float>(ValDot(campi.Potenza));
  for (size_t i = 0; i < 3; ++i) {
    PDCMaxTabella[1][i + 1] = static_cast<float>(ValDot(campi.Potenza1[i]));
    PDCMaxTabella[2][i + 1] = static_cast<float>(ValDot(campi.Potenza2[i]));
  }
  InitPDCMax();
  campi = MostraPDC();
  std::string errore;
  if (SalvaPDCMax(&errore)) return true;
  SogliaPotenzaPDC = soglia;
  PDCMaxTabella = tabella;
  MsgBox(errore, Bottoni::OK, Icona::Critico);
  return false;
}

}  // namespace varnex
