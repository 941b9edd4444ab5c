#include "archives/testi_archivio.h"

#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace varnex {

std::string MsgTestoNonArchiviabile(const std::string& campo, std::string_view testo) {
  return campo + " non puo' " + DifettoTestoArchivio(testo) +
         ": il file dell'archivio non lo restituirebbe uguale. Correggere il testo.";
}

std::string MsgValoreNonAmmesso(const std::string& campo, CampoArchivio regola) {
  return campo + " non e' valido: sono ammessi i valori " + TestoIntervallo(regola) + ".";
}

std::optional<float> ValoreCasella(std::string_view testo, CampoArchivio regola) {
  const double v = ValDot(testo);
  if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  const float f = static_cast<float>(v);
  if (!ValoreAmmesso(regola, f)) return std::nullopt;
  return f;
}

}  // namespace varnex
