// Shared set-up of the calculation tests: a known gas, one steel series and one copper series in
// memory, the built-in fittings and maximum drops, and an empty network with fresh sizing state.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/dimensionamento.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"

namespace varnex::test {

// The steel series 1 of the calculation tests: label, inner diameter (mm), kg per metre.
struct RigaProva {
  const char* etichetta;
  float interno;
  float pesoMetro;
};
inline const std::vector<RigaProva>& RigheAcciaio() {
  static const std::vector<RigaProva> righe = {
      {"1/2", 16.0f, 1.21f},   {"3/4", 21.6f, 1.56f},   {"1", 27.2f, 2.41f},
      {"1 1/4", 35.9f, 3.10f}, {"1 1/2", 41.8f, 3.56f}, {"2", 53.0f, 5.03f},
      {"2 1/2", 68.8f, 6.42f}, {"3", 80.8f, 8.36f},     {"4", 105.3f, 12.2f},
  };
  return righe;
}

inline void PreparaCalcolo() {
  Materiali = {};
  NumMateriali = 2;
  TSerieMateriale& acciaio = Materiali[1];
  acciaio[0].Nome = "ACCIAIOT";
  acciaio[0].TipoFormula = 1;
  acciaio[0].NumDiametri = static_cast<int16_t>(RigheAcciaio().size());
  for (size_t r = 0; r < RigheAcciaio().size(); ++r) {
    acciaio[r + 1].RifDiametro = RigheAcciaio()[r].etichetta;
    acciaio[r + 1].DiamInterno = RigheAcciaio()[r].interno;
    acciaio[r + 1].PesoMetro = RigheAcciaio()[r].pesoMetro;
  }
  TSerieMateriale& rame = Materiali[2];
  rame[0].Nome = "RAMET";
  rame[0].TipoFormula = 2;
  rame[0].NumDiametri = 2;
  rame[1].RifDiametro = "14x1";
  rame[1].DiamInterno = 12.0f;
  rame[1].PesoMetro = 0.36f;
  rame[2].RifDiametro = "22x1";
  rame[2].DiamInterno = 20.0f;
  rame[2].PesoMetro = 0.59f;

  GasCorrente = TGas{};
  GasCorrente.Nome = "METANO";
  GasCorrente.Viscosita = 1.4e-5f;
  GasCorrente.MassaVolumica = 0.7f;
  GasCorrente.PCI = 34.02f;
  GasCorrente.Famiglia = 2;

  LunghezzeEquivalenti = {};
  InitSpeciali();
  PDCMaxTabella = {};
  SogliaPotenzaPDC = 0;
  InitPDCMax();

  BloccoReti = {};
  SetReteCorrente(1);
  ReteInPressione = 0;
  PDCMaxUtente = 0;
  PressioneIniziale = 2500;
  ProgettoModificato = 0;
  ListaUtenze.Clear();
  StatoDimensionamento = {};
}

// One segment of series 1 under `padre` (0 for the root), linked into the parent's first free
// derivation. Returns the slot, which is also the new count.
inline int16_t AggiungiProva(int16_t padre, float lunghezza, float utenza = 0) {
  TRete& rete = Rete();
  const int16_t s = static_cast<int16_t>(rete.NumTronchi + 1);
  rete.NumTronchi = s;
  TTronco& t = Tronco(s);
  t.ID_PREV = padre;
  t.IndiceMateriale = 1;
  t.ID_MATERIALE = "ACCIAIOT";
  t.ID_LEN = lunghezza;
  t.ID_P_UTENZE = utenza;
  if (padre > 0) {
    if (Tronco(padre).ID_LEFT == 0) {
      Tronco(padre).ID_LEFT = s;
    } else {
      Tronco(padre).ID_RIGHT = s;
    }
  }
  return s;
}

}  // namespace varnex::test
