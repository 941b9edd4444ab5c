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
    // Read as Conferma judged them.
    LunghezzeEquivalenti[i][1][1] = ValoreCasella(r.Range1, CampoArchivio::LunghezzaEquivalente).value_or(0.0f);
    LunghezzeEquivalenti[i][1][2] = ValoreCasella(r.Range2, CampoArchivio::LunghezzaEquivalente).value_or(0.0f);
    LunghezzeEquivalenti[i][1][3] = ValoreCasella(r.Range3, CampoArchivio::LunghezzaEquivalente).value_or(0.0f);
  }
}

bool EditorSpeciali::Conferma(const CampiSpeciali& campi, BoxSpeciale* rifiutato) {
  // Nothing typed: a line refused at load, shown as an empty row, must not come back as "- 0 0 0".
  if (campi == MostraSpeciali()) return true;
  static constexpr const char* kColonne[] = {"", "< 50mm", "50mm \xC3\xB7 125mm", "> 125mm"};
  for (size_t i = 0; i < campi.size(); ++i) {
    const RigaSpeciale& r = campi[i];
    const std::string riga = "riga " + std::to_string(i + 1);
    auto rifiuta = [&](const std::string& messaggio, int colonna) {
      MsgBox(messaggio, Bottoni::OK, Icona::Esclamazione);
      if (rifiutato) *rifiutato = {static_cast<int>(i), colonna};
      return false;
    };
    // Read back shifted or cut, every later fitting would take another one's lengths.
    if (!TestoArchiviabile(r.Descrizione))
      return rifiuta(MsgTestoNonArchiviabile("La descrizione del raccordo della " + riga, r.Descrizione), 0);
    const std::string* testi[] = {nullptr, &r.Range1, &r.Range2, &r.Range3};
    for (int c = 1; c <= 3; ++c) {
      // What the reader would refuse never reaches the file.
      if (!ValoreCasella(*testi[c], CampoArchivio::LunghezzaEquivalente)) {
        return rifiuta(std::string(MsgLunghezzaNonValida) + r.Descrizione + " (" + riga + ", colonna " +
                           kColonne[c] + "): " + *testi[c] + ".\r\nSono ammessi i valori " +
                           TestoIntervallo(CampoArchivio::LunghezzaEquivalente) + ".",
                       c);
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
