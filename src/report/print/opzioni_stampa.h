// The print dialog's section choices: the three fixed presets and the stored one ("SetStampe").
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varnex {

// Ticks in letter order (cover, segments, diagram, localized losses, path, appliances, bill of
// quantities, tightness test).
using SceltaSezioni = std::array<bool, 8>;

// Presets 0 "Stampa completa", 1 "Stampa relazione", 2 "Stampa riepilogo".
SceltaSezioni PresetSezioni(int16_t indice);

// The stored preset; a missing or blank value reads as no section. Characters other than "A"
// count as not ticked.
SceltaSezioni LeggiSetStampe();
// Eight "A"/"B" and a blank.
std::string TestoSetStampe(const SceltaSezioni& scelta);
void SalvaSetStampe(const SceltaSezioni& scelta);

// Sets the eight flags and NumSezioniStampa.
void StoreSelected(const SceltaSezioni& scelta);

}  // namespace varnex
