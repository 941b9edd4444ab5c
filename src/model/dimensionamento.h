// Diameter sizing of an internal (low-pressure) installation, and the sizing list that the
// pressurised calculation shares.
//
// The sizing works path by path: the longest path from the source first, each later path only
// down to the first segment an earlier one has already sized. The list of appliance branches is
// kept sorted by path length, longest first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace varnex {

// One entry of a VList: a segment slot and its sort key. `Vuoto` marks an empty value (what an
// unfilled entry or an out-of-range read gives); as a number it reads 0.
struct TVListItem {
  int16_t Valore = 0;
  float Chiave = 0;
  bool Vuoto = true;
};

// A list of (value, key) pairs kept sorted by key, largest first. Items are numbered from 1;
// entry 0 of the array is never used. Equal keys keep the order in which they were added.
class VList {
 public:
  VList();

  int16_t Count() const { return count_; }
  // Value of item `Index`; an index beyond the array shows "Sconfinamento lista" and gives an
  // empty value (0). Index 1 of an empty list gives 0 without the message.
  int16_t Item(int16_t Index) const;
  // Key of item `Index`, with the same check (empty value: 0).
  float Key(int16_t Index) const;
  // Whether item `Index` holds no value (also true out of range, without a message).
  bool IsVuoto(int16_t Index) const;
  // Bubble passes that swap neighbours only when the first key is smaller: stable, descending.
  void SortLista();
  // Appends the pair and sorts again.
  void Add(int16_t valore, float Key);
  void Clear();

 private:
  bool FuoriLimiti(int16_t Index) const;
  std::vector<TVListItem> items_;  // bounds 0..count (0..1 while empty)
  int16_t count_ = 0;
};

// Sizing state of one segment slot.
struct TDimensionamento {
  int16_t Dimensionato = 0;      // -1: the diameter was chosen in the current pass
  float LunghezzaResidua = 0;    // m: own equivalent length, or for a list member its key
  float PerditaCumulata = 0;     // Pa: drop from the source to the segment's end along its path
  float PressioneUscita = 0;     // kPa: pressure after the segment (pressurised networks)
};

// The appliance branches: inner segments all of whose existing children are end segments,
// keyed by the longest path length through them. Rebuilt by every sizing pass.
extern VList ListaUtenze;
// One entry per slot 0..200; entry 0 stands for the missing ancestor of the root.
extern std::array<TDimensionamento, 201> StatoDimensionamento;

// The whole low-pressure sizing pass.
void CalcoloDiametri();
// Resets the sizing flags and remaining lengths and rebuilds ListaUtenze.
void CostruisciListaUtenze();
// The first member after item 1 whose segment is not yet sized; 0 when none.
int16_t PrimoNonDimensionato();
// Sizes the path from the first sized ancestor down to member m. `lunghezza` is lowered in place
// (the caller passes the member's own LunghezzaResidua, or a copy of item 1's key).
void DimensionaPercorso(int16_t m, float& lunghezza);
// Chooses the smallest row of segment s whose drop per metre fits budget/length (Pa, m), unless
// the user fixed the diameter, then computes the segment's drop. A length of 0 leaves s alone.
void ScegliDiametro(int16_t s, float budget, float lunghezza);
// Sizes every segment that no path reached, from its parent's remaining budget.
void DimensionaResto();
// One optimisation pass below s: steps diameters down one row where every path stays within the
// allowed drop. Returns the number of changes kept.
int16_t OttimizzaDiametri(int16_t s);

// The loaded series `indice` (1..NumMateriali) has a row with an inner diameter above 0, so that
// it can size a segment; false for a series without rows and for any other index.
bool SerieUsabile(int16_t indice);
// The segments that no sizing can give a true drop: one without a loaded series, one fixed to a
// row whose inner diameter is not above 0 or that its series does not hold, or one of "Auto"
// diameter whose series has no row with a usable inner diameter (no row at all included). Empty
// when there are none; otherwise the text that refuses the calculation, naming them. Both the
// low-pressure and the pressurised calculation check it first.
std::string DiametriNonUsabili();
// The text refusing the calculation for the faults of `difetti` (segment, what is wrong with its
// diameter), naming the first ten; empty when there are none.
std::string RifiutoDiametri(const std::vector<std::pair<int16_t, std::string>>& difetti);

// Runs the loop of the sizing passes over the members after item 1, calling `dimensiona(m, L)`
// for each member m not yet sized, with m's own LunghezzaResidua. A member that a call leaves
// exactly as it was (not sized, its remaining length unchanged, no other segment sized) would be
// returned again for ever: it is marked sized and the loop moves on. Shared with the pressurised
// sizing.
void DimensionaMembriSuccessivi(void (*dimensiona)(int16_t, float&));

}  // namespace varnex
