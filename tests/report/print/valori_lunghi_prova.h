// A small calculated network whose tables hold the longest values a valid network gives: a
// cumulative drop above 100 Pa, lengths near 100 m, a diameter with its inch mark, a flow with its
// simultaneity, counted fittings with long names and a free reference of two words.
#pragma once

#include "model/calcolo_prova.h"
#include "model/raccordi.h"

namespace varnex::test {

inline void ReteValoriLunghi(bool pressione) {
  PreparaCalcolo();
  const char* nomi[] = {"GOMITO A 45", "VALVOLA A SFERA", "SARACINESCA", "T PASSANTE", "VALVOLA DI RITEGNO",
                        "GIUNTO DIELETTRICO"};
  for (int i = 0; i < 6; ++i) NomiSpeciali[static_cast<size_t>(5 + i)] = nomi[i];
  Materiali[1][4].RifDiametro = "1 1/4\"";
  if (pressione) {
    ReteInPressione = -1;
    GasCorrente.Densita = 0.6f;
    PressioneIniziale = 200;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
  }
  AggiungiProva(0, 95.5f);
  Tronco(1).ID_DIAMETRO = "1 1/4\"";
  Tronco(1).ID_DIAMCUSTOM = -1;
  Tronco(1).ID_RIF = "Centrale termica";
  AggiungiProva(1, 9.25f, 2.5f);
  Tronco(2).ID_DIAMETRO = "1/2";
  Tronco(2).ID_DIAMCUSTOM = -1;
  Tronco(2).TipologiaUtenza = 2;
  AggiungiProva(1, 3.5f, pressione ? 28.0f : 2.0f);
  Tronco(1).ID_CONTEMP = 60;
  Tronco(3).ID_SPC6 = 12;
  Tronco(3).ID_NCURVE = 15;
  Tronco(3).TipologiaUtenza = 2;
}

}  // namespace varnex::test
