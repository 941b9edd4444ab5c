#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "model/strings.h"

namespace varnex {
namespace {

// A number as decimal digits: value = 0.d1d2d3... x 10^(point), sign apart. Digits carry no
// leading zero and no trailing zero; zero has no digits.
struct Decimale {
  bool negativo = false;
  std::string cifre;
  int punto = 0;  // position of the decimal point counted from the left of cifre
};

// The value rounded to `significative` digits, exactly (to_chars rounds the binary value correctly).
Decimale Scomponi(double value, int significative) {
  Decimale d;
  if (value == 0 || !std::isfinite(value)) return d;
  d.negativo = value < 0;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           significative - 1);
  std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
  size_t e = s.find('e');
  std::string_view mant = s.substr(0, e);
  int esponente = 0;
  std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), esponente);
  for (char c : mant)
    if (c != '.') d.cifre += c;
  while (!d.cifre.empty() && d.cifre.back() == '0') d.cifre.pop_back();
  d.punto = esponente + 1;
  return d;
}

std::string Componi(const Decimale& d, int significative) {
  if (d.cifre.empty()) return "0";
  std::string out = d.negativo ? "-" : "";
  const int esponente = d.punto - 1;
  if (esponente < -4 || esponente >= significative) {
    out += d.cifre[0];
    if (d.cifre.size() > 1) {
      out += ',';
      out += d.cifre.substr(1);
    }
    out += esponente < 0 ? "E-" : "E+";
    int a = std::abs(esponente);
    if (a < 10) out += '0';
    out += std::to_string(a);
    return out;
  }
  if (d.punto <= 0) {
    out += "0," + std::string(static_cast<size_t>(-d.punto), '0') + d.cifre;
  } else if (static_cast<size_t>(d.punto) >= d.cifre.size()) {
    out += d.cifre + std::string(static_cast<size_t>(d.punto) - d.cifre.size(), '0');
  } else {
    out += d.cifre.substr(0, static_cast<size_t>(d.punto)) + "," + d.cifre.substr(static_cast<size_t>(d.punto));
  }
  return out;
}

// Rounds the decimal digits at `decimali` places after the point, half away from zero, and
// writes them with at least one integer digit and exactly that many decimals.
std::string Maschera(Decimale d, int decimali) {
  if (decimali < 0) decimali = 0;
  const int tenere = d.punto + decimali;  // digits of cifre that stay
  if (tenere < 0) {
    d.cifre.clear();
  } else if (static_cast<size_t>(tenere) < d.cifre.size()) {
    bool su = d.cifre[static_cast<size_t>(tenere)] >= '5';
    d.cifre.resize(static_cast<size_t>(tenere));
    if (su) {
      int i = tenere - 1;
      while (i >= 0 && d.cifre[static_cast<size_t>(i)] == '9') d.cifre[static_cast<size_t>(i--)] = '0';
      if (i >= 0) {
        ++d.cifre[static_cast<size_t>(i)];
      } else {
        d.cifre.insert(d.cifre.begin(), '1');
        ++d.punto;
      }
    }
  }
  // Integer and decimal digits.
  std::string intera, decimale;
  for (int pos = 0; pos < d.punto; ++pos)
    intera += pos < static_cast<int>(d.cifre.size()) ? d.cifre[static_cast<size_t>(pos)] : '0';
  for (int k = 0; k < decimali; ++k) {
    int pos = d.punto + k;
    decimale += pos >= 0 && pos < static_cast<int>(d.cifre.size()) ? d.cifre[static_cast<size_t>(pos)] : '0';
  }
  if (intera.empty()) intera = "0";
  bool zero = intera.find_first_not_of('0') == std::string::npos &&
              decimale.find_first_not_of('0') == std::string::npos;
  std::string out = d.negativo && !zero ? "-" : "";
  out += intera;
  if (decimali > 0) out += "," + decimale;
  return out;
}

// Reads a 16- or 32-bit signed integer written in base 16 or 8 (the "&H" and "&O" forms).
double LeggiBase(std::string_view cifre, int base) {
  uint64_t v = 0;
  size_t n = 0;
  for (char c : cifre) {
    int k;
    if (c >= '0' && c <= '9') k = c - '0';
    else if (c >= 'A' && c <= 'F') k = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') k = c - 'a' + 10;
    else break;
    if (k >= base) break;
    v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(k);
    if (++n > 22) break;
  }
  if (v <= 0xFFFF && (base == 16 ? n <= 4 : v <= 0xFFFF)) return static_cast<double>(static_cast<int16_t>(v));
  if (v <= 0xFFFFFFFFu) return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  return static_cast<double>(v);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value that is not a real number is named: written as 0 it would pass for a result.
std::string TestoNonFinito(double value) {
  if (std::isnan(value)) return "NaN";
  return value > 0 ? "Inf" : "-Inf";
}

}  // namespace

double ArrotondaPari(double x) {
  if (!std::isfinite(x)) return x;
  double f = std::floor(x);
  double diff = x - f;
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

std::optional<int16_t> ToInt16(double x) {
  double r = ArrotondaPari(x);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(r);
}

std::optional<int32_t> ToInt32(double x) {
  double r = ArrotondaPari(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(r);
}

double Val(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  if (s.size() >= 2 && s[0] == '&') {
    char p = s[1];
    if (p == 'H' || p == 'h') return LeggiBase(std::string_view(s).substr(2), 16);
    if (p == 'O' || p == 'o') return LeggiBase(std::string_view(s).substr(2), 8);
    return 0;
  }
  std::string num;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') num += '-';
    ++i;
  }
  bool cifre = false, punto = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      num += s[i];
      cifre = true;
    } else if (s[i] == '.' && !punto) {
      num += '.';
      punto = true;
    } else {
      break;
    }
  }
  if (!cifre) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string esp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) esp += s[j++];
    size_t inizio = j;
    while (j < s.size() && IsDigit(s[j])) esp += s[j++];
    if (j > inizio) num += esp;
  }
  double v = 0;
  const char* first = num.data();
  if (*first == '-') ++first;
  auto res = std::from_chars(first, num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range) v = (num.find("e-") != std::string::npos) ? 0.0 : HUGE_VAL;
  return num[0] == '-' ? -v : v;
}

double ValDot(std::string_view text) { return Val(Replace(text, ",", ".")); }

std::string TestoNumero(float value) {
  if (!std::isfinite(value)) return TestoNonFinito(value);
  return Componi(Scomponi(static_cast<double>(value), 7), 7);
}
std::string TestoNumero(double value) {
  if (!std::isfinite(value)) return TestoNonFinito(value);
  return Componi(Scomponi(value, 15), 15);
}
std::string TestoNumero(int64_t value) { return std::to_string(value); }

std::string TestoStampa(float value) { return (value >= 0 ? " " : "") + TestoNumero(value) + " "; }
std::string TestoStampa(double value) { return (value >= 0 ? " " : "") + TestoNumero(value) + " "; }
std::string TestoStampa(int64_t value) { return (value >= 0 ? " " : "") + TestoNumero(value) + " "; }

std::optional<double> LeggiRegionale(std::string_view text) {
  std::string s = Trim(text);
  while (!s.empty() && s.back() == '\t') s.pop_back();
  if (s.empty()) return std::nullopt;
  std::string num;
  size_t i = 0;
  if (s[i] == '+' || s[i] == '-') {
    if (s[i] == '-') num += '-';
    ++i;
    while (i < s.size() && s[i] == ' ') ++i;
  }
  bool cifre = false, virgola = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (IsDigit(c)) {
      num += c;
      cifre = true;
    } else if (c == '.' && !virgola) {
      // thousands grouping: ignored
    } else if (c == ',' && !virgola) {
      num += '.';
      virgola = true;
    } else {
      break;
    }
  }
  if (!cifre) return std::nullopt;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    size_t j = i + 1;
    std::string esp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) esp += s[j++];
    size_t inizio = j;
    while (j < s.size() && IsDigit(s[j])) esp += s[j++];
    if (j == inizio) return std::nullopt;
    num += esp;
    i = j;
  }
  if (i != s.size()) return std::nullopt;
  double v = 0;
  const char* first = num.data() + (num[0] == '-' ? 1 : 0);
  auto res = std::from_chars(first, num.data() + num.size(), v);
  if (res.ec != std::errc()) return std::nullopt;
  return num[0] == '-' ? -v : v;
}

double StrToDouble(std::string_view text) { return LeggiRegionale(text).value_or(0.0); }

bool MigliaiaConPunto(std::string_view testo) {
  const size_t inizio = testo.find_first_not_of(" +-");
  if (inizio == std::string_view::npos) return false;
  std::string_view intero = testo.substr(inizio, std::min(testo.find(','), testo.size()) - inizio);
  while (!intero.empty() && intero.back() == ' ') intero.remove_suffix(1);
  if (intero.find('.') == std::string_view::npos) return false;
  // First group of 1 to 3 digits, then groups of exactly three after each point.
  size_t cifre = 0;
  bool primo = true;
  for (char c : intero) {
    if (c == '.') {
      if (cifre == 0 || cifre > 3 || (!primo && cifre != 3)) return false;
      primo = false;
      cifre = 0;
    } else if (c >= '0' && c <= '9') {
      ++cifre;
    } else {
      return false;
    }
  }
  return cifre == 3;
}

std::optional<double> LeggiConMigliaia(std::string_view testo) {
  if (testo.find('.') != std::string_view::npos && !MigliaiaConPunto(testo)) return std::nullopt;
  return LeggiRegionale(testo);
}

int16_t StrToInteger(std::string_view text) {
  auto v = LeggiRegionale(text);
  if (!v) return 0;
  return ToInt16(*v).value_or(0);
}

bool StrToBoolean(std::string_view text) {
  std::string s = UCase(Trim(text));
  if (s == "TRUE" || s == "VERO") return true;
  if (s == "FALSE" || s == "FALSO") return false;
  auto v = LeggiRegionale(s);
  return v && *v != 0;
}

std::string FormatNumero(double value, int decimali) {
  if (!std::isfinite(value)) return TestoNumero(value);
  return Maschera(Scomponi(value, 15), decimali);
}

std::string FormatNumero(float value, int decimali) {
  if (!std::isfinite(value)) return TestoNumero(value);
  return Maschera(Scomponi(static_cast<double>(value), 7), decimali);
}

std::string FormatNumero(int value, int decimali) { return FormatNumero(static_cast<double>(value), decimali); }

std::string FormatNumero(std::string_view value, int decimali) {
  auto v = LeggiRegionale(value);
  if (!v) return std::string(value);
  return FormatNumero(*v, decimali);
}

}  // namespace varnex
