// A network whose branches the schema's layout draws on one another, like the floors of a block of
// flats whose branches are alike: every node's two children turn the same way, so each level's
// branches lie on one spot, and every end is an appliance on the same spot as the others.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/calcolo_prova.h"
#include "model/rete.h"

namespace varnex::test {

// 2^livelli - 1 segments; each level turns left, then right, so the drawing climbs in steps.
inline void ReteRamiSovrapposti(int16_t livelli) {
  std::vector<int16_t> livello{AggiungiProva(0, 4)};
  for (int16_t l = 1; l < livelli; ++l) {
    std::vector<int16_t> prossimo;
    for (const int16_t padre : livello)
      for (int figlio = 0; figlio < 2; ++figlio) {
        const int16_t s = AggiungiProva(padre, 3, l + 1 == livelli ? 1.5f : 0);
        Tronco(s).CodiceSvolta = l % 2 == 1 ? 2 : 3;
        prossimo.push_back(s);
      }
    livello = prossimo;
  }
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    TTronco& t = Tronco(s);
    t.Collegato = -1;
    t.ID_DIAMETRO = "3/4";
    t.ID_EQ_LEN = 3.5f;
  }
  for (const int16_t s : livello) {
    Tronco(s).ID_P_TRONCO = 1.5f;
    Tronco(s).TipologiaUtenza = 2;
    Tronco(s).ID_RIF = "rif " + std::to_string(s);
  }
}

}  // namespace varnex::test
