// Calculation and diameter sizing of a pressurised gas network.
//
// Pressures in the segment fields and in the project parameters are relative pressures in kPa,
// drops in kPa, velocities in m/s. A segment that cannot be sized within the pressure budget, or
// whose drop the formulas cannot produce, gets a drop of -1, and so does its whole subtree.
#pragma once

#include <cstdint>

namespace varnex {

// The whole pressurised calculation of the current network (called by CalcolaRete).
void CalcolaReteMP();

// Equivalent lengths with the ten fittings of a pressurised network. Mode 1 takes the inner
// diameter of the segment's row, any other mode a provisional 200 mm. Without a slot: every
// segment 1..NumTronchi.
void CalcolaLunghezzeEquivalentiMP(int16_t modo);
void CalcolaLunghezzeEquivalentiMP(int16_t modo, int16_t s);

// Sizing of every path, then of the remaining segments.
void DimensionaMP();
// Sizes the path from the first sized ancestor down to member m; lunghezza is lowered in place.
void DimensionaPercorsoMP(int16_t m, float& lunghezza);
// Chooses the row of segment s within the budget (kPa) over the remaining length (m).
void ScegliDiametroMP(int16_t s, float budget, float lunghezza);
// Sizes the segments that no path reached, from their parent's pressure.
void DimensionaRestoMP();
// Velocity of the segment at its mean pressure, m/s.
float CalcolaVelocitaMP(int16_t s);
// Marks with -1 the whole subtree below a failed segment.
void PropagaGuasti(int16_t s);

}  // namespace varnex
