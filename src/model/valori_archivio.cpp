#include "model/valori_archivio.h"

#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace varnex {

std::optional<float> ValoreArchivio(std::string_view testo, bool ammessoNegativo) {
  const double v = Val(testo);
  if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  const float f = static_cast<float>(v);
  if (!std::isfinite(f) || (!ammessoNegativo && f < 0)) return std::nullopt;
  return f;
}

}  // namespace varnex
