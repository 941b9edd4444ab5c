// Generated networks for the calculation benchmarks: a fixed set of archives in memory and
// internal installations of any size, shaped as a balanced tree or as a long chain with one
// appliance branch at every step. Appliances sit on the end segments only.
#pragma once

#include <cstdint>

#include "model/gas.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"

namespace varnex::bench {

enum class FormaRete {
  Bilanciata,  // slot s hangs under slot s / 2
  Catena,      // a spine 1, 2, 4, 6, ... and one end segment off every spine segment
};

// Natural gas of family II, one steel series (series 1) of nine diameters, the built-in fittings
// and maximum drops. Nothing is read from disk.
inline void PreparaArchiviProva() {
  Materiali = {};
  NumMateriali = 1;
  TSerieMateriale& serie = Materiali[1];
  serie[0].Nome = "ACCIAIOB";
  serie[0].TipoFormula = 1;
  const struct {
    const char* etichetta;
    float interno;
  } righe[] = {{"1/2", 16.0f},   {"3/4", 21.6f},   {"1", 27.2f},   {"1 1/4", 35.9f}, {"1 1/2", 41.8f},
               {"2", 53.0f},     {"2 1/2", 68.8f}, {"3", 80.8f},   {"4", 105.3f}};
  int16_t r = 0;
  for (const auto& riga : righe) {
    ++r;
    serie[static_cast<size_t>(r)].RifDiametro = riga.etichetta;
    serie[static_cast<size_t>(r)].DiamInterno = riga.interno;
  }
  serie[0].NumDiametri = r;

  GasCorrente = TGas{};
  GasCorrente.Nome = "METANO";
  GasCorrente.Densita = 0.56f;
  GasCorrente.Viscosita = 1.4e-5f;
  GasCorrente.MassaVolumica = 0.7f;
  GasCorrente.PCI = 34.02f;
  GasCorrente.Famiglia = 2;

  LunghezzeEquivalenti = {};
  InitSpeciali();
  PDCMaxTabella = {};
  SogliaPotenzaPDC = 0;
  InitPDCMax();
}

// The parent of slot s (2..n) in a network of that shape.
inline int16_t PadreGenerato(int16_t s, FormaRete forma) {
  if (forma == FormaRete::Bilanciata) return static_cast<int16_t>(s / 2);
  if (s == 2) return 1;
  return static_cast<int16_t>(s % 2 == 0 ? s - 2 : s - 1);
}

// Replaces network 1 by n segments (1..200) of series 1 in that shape. Lengths, fittings and the
// appliance flows vary with the slot but are always the same for the same n and shape.
inline void GeneraRete(int16_t n, FormaRete forma) {
  BloccoReti = {};
  SetReteCorrente(1);
  ReteInPressione = 0;
  PDCMaxUtente = 0;
  PressioneIniziale = 2500;
  TRete& rete = Rete();
  rete.NumTronchi = n;
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    t.IndiceMateriale = 1;
    t.ID_MATERIALE = Materiali[1][0].Nome;
    t.ID_LEN = 1.0f + static_cast<float>((s * 37) % 100) / 10.0f;
    t.ID_NCURVE = static_cast<int16_t>(s % 3);
    t.ID_NGOMITI = static_cast<int16_t>((s / 3) % 2);
    t.ID_CONTEMP = 100;
    if (s == 1) continue;
    const int16_t p = PadreGenerato(s, forma);
    t.ID_PREV = p;
    TTronco& padre = Tronco(p);
    if (padre.ID_LEFT == 0) {
      padre.ID_LEFT = s;
    } else {
      padre.ID_RIGHT = s;
    }
  }
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    if (IsTerminale(s)) {
      t.ID_P_UTENZE = 0.3f + 0.4f * static_cast<float>(s % 5);
      t.ID_NRUBINETTI = 1;
    } else {
      t.ID_NRACCORDI = 1;
    }
  }
}

}  // namespace varnex::bench
