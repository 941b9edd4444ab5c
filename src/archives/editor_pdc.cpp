#include "archives/editor_pdc.h"

#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "archives/testi_archivio.h"
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

bool EditorPDC::ApplicaPDC(CampiPDC& campi, int* rifiutato) {
  const CampiPDC mostrati = MostraPDC();
  // Nothing typed: the file is left as it is.
  if (campi.Potenza == mostrati.Potenza && campi.Potenza1 == mostrati.Potenza1 && campi.Potenza2 == mostrati.Potenza2) {
    campi = mostrati;
    return true;
  }
  static constexpr const char* kBox[BoxPDC] = {
      "potenza di soglia",
      "potenza fino alla soglia, 1\xC2\xB0 famiglia",
      "potenza fino alla soglia, 2\xC2\xB0 famiglia",
      "potenza fino alla soglia, 3\xC2\xB0 famiglia",
      "potenza oltre la soglia, 1\xC2\xB0 famiglia",
      "potenza oltre la soglia, 2\xC2\xB0 famiglia",
      "potenza oltre la soglia, 3\xC2\xB0 famiglia"};
  const std::string* testi[BoxPDC] = {&campi.Potenza,     &campi.Potenza1[0], &campi.Potenza1[1], &campi.Potenza1[2],
                                      &campi.Potenza2[0], &campi.Potenza2[1], &campi.Potenza2[2]};
  for (int b = 0; b < BoxPDC; ++b) {
    const CampoArchivio regola = b == 0 ? CampoArchivio::SogliaPotenza : CampoArchivio::PDCMassima;
    // Not above 0 takes the default; what the reader would refuse never gets in.
    if (ValoreCasella(*testi[b], regola)) continue;
    MsgBox(std::string(MsgValorePDCNonValido) + *testi[b] + " (" + kBox[b] + ").\r\nSono ammessi i valori " +
               TestoIntervallo(regola) + ".",
           Bottoni::OK, Icona::Esclamazione);
    if (rifiutato) *rifiutato = b;
    return false;
  }
  const float soglia = SogliaPotenzaPDC;
  const auto tabella = PDCMaxTabella;
  // Read as judged above.
  SogliaPotenzaPDC = ValoreCasella(campi.Potenza, CampoArchivio::SogliaPotenza).value_or(0.0f);
  for (size_t i = 0; i < 3; ++i) {
    PDCMaxTabella[1][i + 1] = ValoreCasella(campi.Potenza1[i], CampoArchivio::PDCMassima).value_or(0.0f);
    PDCMaxTabella[2][i + 1] = ValoreCasella(campi.Potenza2[i], CampoArchivio::PDCMassima).value_or(0.0f);
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
