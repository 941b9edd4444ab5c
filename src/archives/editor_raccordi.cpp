#include "archives/editor_raccordi.h"

#include "archives/testi_archivio.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "model/valori_archivio.h"

namespace varnex {

CampiSpeciali EditorSpeciali::MostraSpeciali() {
  CampiSpeciali c;
  for (size_t i = 1; i <= 10; ++i) {
    RigaSpeciale& r = c[i - 1];
    r.Descrizione = NomiSpeciali[i];
    r.Range1 = TestoNumero(LunghezzeEquivalenti[i][1][1]);
    r.Range2 = TestoNumero(LunghezzeEquivalenti[i][1][2]);
    r.Range3 = TestoNumero(LunghezzeEquivalenti[i][1][3]);
  }
  return c;
}

void EditorSpeciali::LeggiSpeciali(const CampiSpeciali& campi) {
  for (size_t i = 1; i <= 10; ++i) {
    const RigaSpeciale& r = campi[i - 1];
    NomiSpeciali[i] = r.Descrizione;
    LunghezzeEquivalenti[i][1][1] = static_cast<float>(ValDot(r.Range1));
    LunghezzeEquivalenti[i][1][2] = static_cast<float>(ValDot(r.Range2));
    LunghezzeEquivalenti[i][1][3] = static_cast<float>(ValDot(r.Range3));
  }
}

bool EditorSpeciali::Conferma(const CampiSpeciali& campi) {
  for (const RigaSpeciale& r : campi) {
    // Read back shifted or cut, every later fitting would take another one's lengths.
    if (!TestoArchiviabile(r.Descrizione)) {
      MsgBox(MsgTestoNonArchiviabile("La descrizione di un raccordo"), Bottoni::OK, Icona::Esclamazione);
      return false;
    }
    for (const std::string* t : {&r.Range1, &r.Range2, &r.Range3}) {
      // Infinity would be used by the calculation and written back as a number it is not.
      if (!ValoreArchivio(CommaToDot(*t))) {
        MsgBox(std::string(MsgLunghezzaNonValida) + r.Descrizione + ": " + *t, Bottoni::OK, Icona::Esclamazione);
        return false;
      }
    }
  }
  const auto nomi = NomiSpeciali;
  const auto lunghezze = LunghezzeEquivalenti;
  LeggiSpeciali(campi);
  std::string errore;
  if (SalvaSpeciali(&errore)) return true;
  NomiSpeciali = nomi;
  LunghezzeEquivalenti = lunghezze;
  MsgBox(errore, Bottoni::OK, Icona::Critico);
  return false;
}

}  // namespace varnex
