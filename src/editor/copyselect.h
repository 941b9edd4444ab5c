// The multi-segment copy selection as plain logic: which boxes the activity offers, what the
// "all fittings" box ticks, and the 14 flags that the confirmation returns.
#pragma once

#include <array>
#include <cstdint>

namespace varnex {

// The boxes of the dialog: 0..9 the fittings (chkGroup1), 10..13 the segment values
// (chkGroup0(0..3): additional length, simultaneity, length, diameter).
using SceltaCopia = std::array<int16_t, 15>;

// True when box `flag` (0..13) is shown and enabled for the activity.
bool CasellaCopiaVisibile(int flag, bool reteInPressione);
// The fitting boxes that "PDC Localizzate" sets: 0..9 for a pressurised network, 0..3 otherwise.
int UltimaCasellaLocali(bool reteInPressione);

}  // namespace varnex
