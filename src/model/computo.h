// Bill of quantities: metres of pipe per nominal diameter of each series, weight per series and
// total weight of steel pipe, for the segments the last calculation reached from the root.
//
// The totals live in the pipe-series table (LunghezzaComputo, PesoComputo) and PesoTotaleAcciaio.
#pragma once

#include <cstdint>
#include <vector>

namespace varnex {

// Total weight (kg) of the pipe of every steel series in the bill.
extern float PesoTotaleAcciaio;
// The reached segments of some length that the bill could not count, lowest first: their pipe has
// no diameter row of its series (a network not sized). Their series' totals are then no totals.
extern std::vector<int16_t> TronchiFuoriComputo;

// Empties every total of the bill.
void ResetComputo();
// Adds the reached segments of network `rete` (nothing for 0). Twice without a reset doubles.
void CalcolaComputo(int16_t rete);
// Adds one length of row `riga` of series `serie`; nothing when any of the three is 0.
void AddToComputo(int16_t serie, int16_t riga, float lunghezza);

}  // namespace varnex
