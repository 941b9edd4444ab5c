#include "model/helpers.h"

#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"

namespace varnex {
namespace {

// The integer of a date or time part; nullopt when the part is not a number.
std::optional<int> ParteIntera(std::string_view part) {
  auto v = LeggiRegionale(part);
  if (!v) return std::nullopt;
  auto i = ToInt32(*v);
  if (!i) return std::nullopt;
  return *i;
}

bool Bisestile(int anno) { return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0; }

std::string spezzaTesto;  // the cut text shared by every caller
long spezzaPosizione = 1;

}  // namespace

bool IsRigaVuota(std::string_view line) { return line.find_first_not_of(' ') == std::string_view::npos; }

bool IsRigaCommento(std::string_view line) { return !line.empty() && line[0] == '#'; }

std::string CommaToDot(std::string_view text) { return Replace(text, ",", "."); }

std::string ReadDataLineRaw(TextReader& file) {
  std::string line;
  while ((IsRigaVuota(line) || IsRigaCommento(line)) && !file.Eof()) line = file.LineInput();
  if (IsRigaVuota(line) || IsRigaCommento(line)) return {};
  return line;
}

std::string ReadDataLine(TextReader& file) { return CommaToDot(ReadDataLineRaw(file)); }

std::string ReadNextLineRaw(TextReader& file) {
  if (file.Eof()) return {};
  std::string line;
  do {
    line = file.LineInput();
  } while (IsRigaCommento(line) && !file.Eof());
  return line;
}

std::string ReadNextLine(TextReader& file) { return CommaToDot(ReadNextLineRaw(file)); }

int16_t SplitFields(std::string_view line, std::vector<std::string>& fields) {
  int index = 0;
  std::string field;
  bool inField = false;
  auto store = [&] {
    if (index >= 0 && static_cast<size_t>(index) < fields.size()) fields[static_cast<size_t>(index)] = field;
  };
  for (char c : line) {
    if (c == '\t') {
      if (inField) {
        store();
        field.clear();
        ++index;
        inField = false;
      }
    } else {
      inField = true;
      field += c == ',' ? '.' : c;
    }
  }
  store();
  return static_cast<int16_t>(index);
}

bool IsDataValida(std::string_view text) {
  auto parts = Split(text, "/");
  if (parts.size() != 3) return false;
  auto g = ParteIntera(parts[0]), m = ParteIntera(parts[1]), a = ParteIntera(parts[2]);
  if (!g || !m || !a) return false;
  if (*a <= 1900 || *a >= 3000 || *m < 1 || *m > 12 || *g < 1) return false;
  static const int giorni[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int massimo = giorni[*m - 1] + (*m == 2 && Bisestile(*a) ? 1 : 0);
  return *g <= massimo;
}

bool IsOraValida(std::string& text) {
  text = Replace(text, ".", ":");
  auto parts = Split(text, ":");
  if (parts.size() != 2) return false;
  auto h = ParteIntera(parts[0]), m = ParteIntera(parts[1]);
  if (!h || !m) return false;
  return *h >= 0 && *h < 24 && *m >= 0 && *m < 60;
}

bool IsCifra(int16_t keyAscii) { return keyAscii >= 48 && keyAscii <= 57; }

std::string FormatString(std::string_view modello, const std::vector<std::string>& argomenti) {
  std::string testo(modello);
  for (size_t k = argomenti.size(); k-- > 0;) {
    std::string marker = "{" + std::to_string(k) + "}";
    std::string nuovo = Replace(testo, marker, argomenti[k]);
    if (nuovo == testo) MsgBox("parametro " + argomenti[k] + "indicato ma non utilizzato!");
    testo = std::move(nuovo);
  }
  return testo;
}

std::string SpezzaTesto(int16_t larghezza, int16_t& altro, std::optional<std::string_view> testo) {
  if (larghezza <= 0) {
    altro = 0;
    return {};
  }
  if (testo) {
    if (Len(*testo) <= static_cast<size_t>(larghezza)) {
      altro = 0;
      return std::string(*testo);
    }
    spezzaTesto = std::string(*testo);
    spezzaPosizione = larghezza + 1;
    altro = 1;
    return Left(spezzaTesto, larghezza);
  }
  std::string resto = Mid(spezzaTesto, spezzaPosizione);
  if (Len(resto) <= static_cast<size_t>(larghezza)) {
    altro = 0;
    return resto;
  }
  spezzaPosizione += larghezza;
  altro = 1;
  return Left(resto, larghezza);
}

void MostraAvviso(int16_t, const std::string& testo) { MsgBox(testo); }

std::string SostituisciACapo(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace varnex
