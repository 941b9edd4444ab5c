// The bill of quantities as the report shows it: every pipe series the last count used, with the
// metres of each diameter and the weights. Reads the totals of ResetComputo/CalcolaComputo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

struct DiametroComputo {
  int16_t Riga = 0;          // row of the series
  std::string RifDiametro;   // whole label (renderers cut it to their column)
  float Lunghezza = 0;       // metres
  std::string Metri;         // through "###0.0"
};

struct SerieComputo {
  int16_t Slot = 0;
  std::string Nome;
  std::string Descrizione;
  bool Acciaio = false;       // TipoFormula 1: the series weight is shown
  float Peso = 0;             // kg
  std::string PesoTesto;      // through "#######0"
  std::vector<DiametroComputo> Diametri;  // rows with metres above 0, in row order
};

// The used series (header LunghezzaComputo <> 0), in slot order 1..50.
std::vector<SerieComputo> GetSerieComputo();

// Shown when PesoTotaleAcciaio is above 0, or a steel pipe could not be counted.
bool MostraPesoTotaleAcciaio();
// PesoTotaleAcciaio through "#######0"; "n.c." when a steel pipe could not be counted.
std::string TestoPesoTotaleAcciaio();
// The sentence under the bill when a reached pipe could not be counted (`TronchiFuoriComputo`):
// which segment, and that the totals of its series are not computed; "" otherwise.
std::string NotaComputoIncompleto();

}  // namespace varnex
