// The printed page's proportions: width and height of the printed area in percent of the page,
// kept in the settings store ("X-percent", "Y-percent" of section "Varnex").
#pragma once

#include <cstdint>

namespace varnex {

extern int16_t PercentualeX;
extern int16_t PercentualeY;

// Reads both values; a missing value or 0 becomes 100 and is written back at once.
void LoadPagePercent();
// Writes both values as plain decimal text.
void SavePagePercent();

}  // namespace varnex
