#include "report/print/computo_report.h"

#include "model/computo.h"
#include "model/materiali.h"
#include "report/print/copertina.h"

namespace varnex {

std::vector<SerieComputo> GetSerieComputo() {
  std::vector<SerieComputo> elenco;
  for (int16_t m = 1; m <= MaxMateriali; ++m) {
    const TSerieMateriale& serie = Materiali[static_cast<size_t>(m)];
    const TMateriale& testa = serie[0];
    if (testa.LunghezzaComputo == 0) continue;
    SerieComputo s;
    s.Slot = m;
    s.Nome = testa.Nome;
    s.Descrizione = testa.Descrizione;
    s.Acciaio = testa.TipoFormula == 1;
    s.Peso = testa.PesoComputo;
    s.PesoTesto = FormatCopertina(testa.PesoComputo, "#######0");
    for (int16_t r = 1; r <= MaxDiametri; ++r) {
      const TMateriale& riga = serie[static_cast<size_t>(r)];
      if (!(riga.LunghezzaComputo > 0)) continue;
      s.Diametri.push_back({r, riga.RifDiametro, riga.LunghezzaComputo, FormatCopertina(riga.LunghezzaComputo, "###0.0")});
    }
    elenco.push_back(std::move(s));
  }
  return elenco;
}

bool MostraPesoTotaleAcciaio() { return PesoTotaleAcciaio > 0; }

std::string TestoPesoTotaleAcciaio() { return FormatCopertina(PesoTotaleAcciaio, "#######0"); }

}  // namespace varnex
