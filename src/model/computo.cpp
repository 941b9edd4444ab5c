#include "model/computo.h"

#include "model/materiali.h"
#include "model/rete.h"

namespace varnex {

float PesoTotaleAcciaio = 0;
std::vector<int16_t> TronchiFuoriComputo;

void ResetComputo() {
  const int16_t serie = NumMateriali < 0 ? 0 : (NumMateriali > MaxMateriali ? MaxMateriali : NumMateriali);
  for (int16_t s = 1; s <= serie; ++s) {
    TSerieMateriale& m = Materiali[static_cast<size_t>(s)];
    const int16_t righe = m[0].NumDiametri < 0 ? 0 : (m[0].NumDiametri > MaxDiametri ? MaxDiametri : m[0].NumDiametri);
    for (int16_t r = 0; r <= righe; ++r) {
      m[static_cast<size_t>(r)].LunghezzaComputo = 0;
      m[static_cast<size_t>(r)].PesoComputo = 0;
    }
  }
  PesoTotaleAcciaio = 0;
  TronchiFuoriComputo.clear();
}

void CalcolaComputo(int16_t rete) {
  if (rete <= 0 || rete >= static_cast<int16_t>(BloccoReti.size())) return;
  const TRete& r = BloccoReti[static_cast<size_t>(rete)];
  const int16_t n = r.NumTronchi < 0 ? 0 : (r.NumTronchi > MaxTronchi ? MaxTronchi : r.NumTronchi);
  for (int16_t i = 0; i <= n; ++i) {
    const TTronco& t = r.Tronchi[static_cast<size_t>(i)];
    // Only what the last calculation reached from the root is part of the installation.
    if (t.Collegato == 0) continue;
    if (t.IndiceMateriale < 1 || t.IndiceMateriale > MaxMateriali) continue;
    const int16_t riga = CercaDiametro(t.IndiceMateriale, t.ID_DIAMETRO);
    if (riga == 0 && t.ID_LEN > 0) TronchiFuoriComputo.push_back(i);
    AddToComputo(t.IndiceMateriale, riga, t.ID_LEN);
  }
}

void AddToComputo(int16_t serie, int16_t riga, float lunghezza) {
  if (lunghezza == 0 || serie == 0 || riga == 0) return;
  if (serie < 0 || serie > MaxMateriali || riga < 0 || riga > MaxDiametri) return;
  TSerieMateriale& m = Materiali[static_cast<size_t>(serie)];
  m[static_cast<size_t>(riga)].LunghezzaComputo += lunghezza;
  const float peso = m[static_cast<size_t>(riga)].PesoMetro * lunghezza;
  m[0].PesoComputo += peso;
  m[0].LunghezzaComputo = -1;
  if (m[0].TipoFormula == 1) PesoTotaleAcciaio += peso;
}

}  // namespace varnex
