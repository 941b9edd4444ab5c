// The eight drawing directions of the schema, the turn codes that lead from a parent's direction
// to a child's, and the walk of the segment tree of network 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnex {

// Direction codes: 1 U, 2 L, 3 D, 4 R, 5 UL, 6 DL, 7 DR, 8 UR.
std::string LettereDirezione(int16_t dir);  // "" for no direction

int16_t RotateLeft45(int16_t dir);
int16_t RotateRight45(int16_t dir);
int16_t ReverseDirection(int16_t dir);
int16_t RotateByCode(int16_t dir, int16_t code);
// The direction in which segment `child` is drawn under a parent drawn in `parentDir`.
int16_t ChildDirection(int16_t child, int16_t parentDir, std::optional<int16_t> siblingDir = std::nullopt);
// Child n (1 or 2) of seg in network 1; "Errore visita rete" when n is beyond the count.
int16_t GetDerivazione(int16_t seg, int16_t n);
// Number of child links of seg in network 1 (0..2).
int16_t CountDerivazioni(int16_t seg);

}  // namespace varnex
