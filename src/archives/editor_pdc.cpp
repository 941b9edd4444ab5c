#include "archives/editor_pdc.h"

#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "model/valori_archivio.h"

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
  for (const std::string* t : {&campi.Potenza, &campi.Potenza1[0], &campi.Potenza1[1], &campi.Potenza1[2],
                               &campi.Potenza2[0], &campi.Potenza2[1], &campi.Potenza2[2]}) {
    // Not above 0 takes the default; infinity would be kept, used and written back as "0".
    if (!ValoreArchivio(CommaToDot(*t), true)) {
      MsgBox(std::string(MsgValorePDCNonValido) + *t, Bottoni::OK, Icona::Esclamazione);
      return false;
    }
  }
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
