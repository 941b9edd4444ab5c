#include "report/print/computo_report.h"

#include "model/computo.h"
#include "model/giudizi.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "report/print/copertina.h"

namespace varnex {

namespace {

// Whether a pipe of series `m` could not be counted.
bool SerieIncompleta(int16_t m) {
  for (int16_t s : TronchiFuoriComputo)
    if (Tronco(s).IndiceMateriale == m) return true;
  return false;
}

bool AcciaioIncompleto() {
  for (int16_t s : TronchiFuoriComputo) {
    const int16_t m = Tronco(s).IndiceMateriale;
    if (m >= 1 && m <= MaxMateriali && Materiali[static_cast<size_t>(m)][0].TipoFormula == 1) return true;
  }
  return false;
}

}  // namespace

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
    // A weight that leaves out pipes of the series is no total of it.
    s.PesoTesto = SerieIncompleta(m) ? std::string(TestoNonCalcolabile) : FormatCopertina(testa.PesoComputo, "#######0");
    for (int16_t r = 1; r <= MaxDiametri; ++r) {
      const TMateriale& riga = serie[static_cast<size_t>(r)];
      if (!(riga.LunghezzaComputo > 0)) continue;
      s.Diametri.push_back({r, riga.RifDiametro, riga.LunghezzaComputo, FormatCopertina(riga.LunghezzaComputo, "###0.0")});
    }
    elenco.push_back(std::move(s));
  }
  return elenco;
}

bool MostraPesoTotaleAcciaio() { return PesoTotaleAcciaio > 0 || AcciaioIncompleto(); }

std::string TestoPesoTotaleAcciaio() {
  return AcciaioIncompleto() ? std::string(TestoNonCalcolabile) : FormatCopertina(PesoTotaleAcciaio, "#######0");
}

std::string NotaComputoIncompleto() {
  if (TronchiFuoriComputo.empty()) return {};
  return "Computo incompleto: il tronco " + std::to_string(TronchiFuoriComputo.front()) +
         (TronchiFuoriComputo.size() > 1 ? " e altri " + std::to_string(TronchiFuoriComputo.size() - 1) : std::string()) +
         " non " + (TronchiFuoriComputo.size() > 1 ? "hanno" : "ha") +
         " un diametro calcolato: i loro metri non sono contati e i pesi delle loro serie non sono calcolati (\"" +
         TestoNonCalcolabile + "\").";
}

}  // namespace varnex
