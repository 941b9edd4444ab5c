#include "archives/testi_archivio.h"

#include <cmath>
#include <limits>

#include "model/valori_digitati.h"
#include "model/numbers.h"
#include "model/strings.h"

namespace varnex {

std::string MsgTestoNonArchiviabile(const std::string& campo, std::string_view testo) {
  return campo + " non puo' " + DifettoTestoArchivio(testo) +
         ": il file dell'archivio non lo restituirebbe uguale. Correggere il testo.";
}

std::string MsgValoreNonAmmesso(const std::string& campo, CampoArchivio regola) {
  return campo + " non e' valido: sono ammessi i valori " + TestoIntervallo(regola) + ".";
}

std::optional<float> ValoreCasella(std::string_view testo, CampoArchivio regola) {
  // One plain number by the table's rule: "2,5,9", "12abc" or "abc" are no number, not 2,5, 12 or
  // 0. A box left blank is 0, as it always was (the editors give it its meaning).
  const std::string t(testo);
  const std::optional<double> numero = Trim(t).empty() ? std::optional<double>(0.0) : NumeroCella(t);
  if (!numero) return std::nullopt;
  const double v = *numero;
  if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  const float f = static_cast<float>(v);
  if (!ValoreAmmesso(regola, f)) return std::nullopt;
  return f;
}

}  // namespace varnex
