#include "tightness/validazione.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/helpers.h"
#include "model/numbers.h"
#include "model/strings.h"

namespace varnex {

namespace {

constexpr int kMaxScroll = 32767;

// The number of decimals a decimals text asks for.
int Decimali(const std::string& decimali) { return static_cast<int>(StrToDouble(decimali)); }

// The number steps shared by kinds 3, 4 and 5 (`conVirgola` turns "." into "," first).
bool ValidaNumero(std::string& valore, bool conVirgola, bool riscriviSempre, const std::string& decimali,
                  const std::string& massimo) {
  if (conVirgola && Decimali(decimali) == 0 && !decimali.empty()) {
    // A box of whole units: a point there groups thousands ("1.500" is 1500). Any other point
    // cannot be read without guessing, and stays as typed, refused.
    if (valore.find('.') != std::string::npos) {
      if (!MigliaiaConPunto(valore)) return false;
      valore.erase(std::remove(valore.begin(), valore.end(), '.'), valore.end());
    }
  } else if (conVirgola) {
    std::replace(valore.begin(), valore.end(), '.', ',');
  }
  // An empty box stays empty: a 0 written in its place could not be told from a measured 0.
  if (valore.empty()) return false;
  bool valido = true;
  const std::optional<double> numero = LeggiRegionale(valore);
  if (!numero) valido = false;
  // Beyond 15 significant digits the decimals tidy nothing: "1E+300" stays as typed rather than
  // becoming a number of 301 digits (it is refused as a measurement anyway).
  if (!decimali.empty() && numero && std::fabs(*numero) < 1e15) {
    // The decimals only tidy the display: a text that rounding would change keeps every digit
    // typed, since the verdict and the saved record must judge the value as measured.
    const std::string formattato = FormatNumero(*numero, Decimali(decimali));
    const bool stessoValore = LeggiRegionale(formattato) == numero;
    if (stessoValore && (riscriviSempre || formattato != valore)) {
      valore = formattato;
    } else if (!stessoValore && conVirgola && Decimali(decimali) == 0) {
      // A box of whole units never keeps exactly three decimals: read back from the file, "1,500"
      // could be an older program's 1500. The value is written without its trailing zeros ("1,5"),
      // and a value with three decimals of its own gets a fourth zero ("1,2340").
      std::string corto = TestoNumero(*numero);
      if (LeggiRegionale(corto) == numero) {
        const size_t virgola = corto.find(',');
        if (virgola != std::string::npos && corto.size() - virgola == 4) corto += '0';
        valore = corto;
      }
    }
  }
  if (!massimo.empty() && numero && StrToDouble(valore) > StrToDouble(massimo)) valido = false;
  return valido;
}

}  // namespace

std::optional<double> LeggiPascalInteri(std::string_view testo) { return LeggiConMigliaia(testo); }

bool ValidaCampo(std::string& valore, int16_t tipo, const std::string& decimali, const std::string& massimo) {
  switch (tipo) {
    case CampoLibero:
      return true;
    case CampoTestoRichiesto:
      return !valore.empty();
    case CampoNumero:
      return ValidaNumero(valore, true, false, decimali, massimo);
    case CampoNumeroNonZero: {
      const bool valido = ValidaNumero(valore, true, false, decimali, massimo);
      return valido && StrToDouble(valore) != 0;
    }
    case CampoNumeroSemplice:
      return ValidaNumero(valore, false, true, decimali, massimo);
    case CampoVero:
    case CampoCasella:
      return StrToBoolean(valore);
    case CampoData:
      return IsDataValida(valore);
    case CampoOra: {
      std::string copia = valore;
      return IsOraValida(copia);
    }
    default:
      return false;
  }
}

ColoreTenuta ColoraCampo(bool valido, int16_t tipo) {
  if (!valido) return ColoreGialloChiaro;
  return tipo == CampoCasella ? ColoreFacciaPulsante : ColoreSfondoFinestra;
}

ColoreTenuta ColoraCoppiaOpzioni(bool a, bool b) { return (a || b) ? ColoreFacciaPulsante : ColoreGialloChiaro; }

ScrollTenuta DimensionaPaginaTenuta(int altezzaSchede, int altezzaInner, int bordoOuter) {
  ScrollTenuta s;
  s.Altezza = std::max(0, altezzaSchede - 20);
  const int64_t inner = std::max(0, altezzaInner);
  // A page that fits has nothing to scroll: a range would only move it out of sight.
  const int64_t massimo = altezzaSchede >= inner ? 0 : inner - altezzaSchede;
  s.Massimo = static_cast<int>(std::clamp<int64_t>(massimo, 0, kMaxScroll));
  // The outer panel's share of itself that its border leaves visible, times the visible height.
  const int internoOuter = s.Altezza - std::max(0, bordoOuter);
  if (internoOuter > 0) {
    const double passo = ArrotondaPari(static_cast<double>(s.Altezza) / internoOuter * s.Altezza * 0.9);
    s.PassoGrande = static_cast<int>(std::clamp(passo, 0.0, static_cast<double>(kMaxScroll)));
  }
  return s;
}

}  // namespace varnex
