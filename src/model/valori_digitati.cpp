#include "model/valori_digitati.h"

#include <cmath>

#include "model/helpers.h"
#include "model/numbers.h"
#include "model/strings.h"

namespace varnex {

std::optional<float> Singolo(double v) {
  const float f = static_cast<float>(v);
  if (!std::isfinite(f)) return std::nullopt;
  return f;
}

std::optional<double> NumeroCella(const std::string& testo) {
  const std::string t = Trim(CommaToDot(testo));
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  int cifre = 0, punti = 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      ++cifre;
    else if (t[i] == '.' && punti == 0)
      ++punti;
    else
      return std::nullopt;
  }
  if (cifre == 0) return std::nullopt;
  return Val(t);
}

std::string RifiutoNumero(const std::string& nome, const std::string& testo, bool negativoAmmesso) {
  const std::optional<double> v = NumeroCella(testo);
  if (!v || !Singolo(*v))
    return "\"" + Trim(testo) + "\" non e' un numero valido per " + nome + ".\r\nIl valore non e' stato cambiato.";
  if (*v < 0 && !negativoAmmesso) {
    std::string s = nome;
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + " non puo' essere negativa.\r\nIl valore non e' stato cambiato.";
  }
  return {};
}

}  // namespace varnex
