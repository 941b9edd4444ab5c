#include "shell/hints.h"

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "shell/settings.h"
#include "shell/sw_company.h"

namespace varnex {

bool HintsShow = true;
int16_t HintLast = 0;
std::vector<THint> Hints;

namespace {

const char* const SezioneHints = "Varnex";
const char* const TagMarcato = "<SWCOMPANY=1>";
const char* const TagNonMarcato = "<SWCOMPANY=0>";

char Minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Position of an ASCII tag in the line, letters compared without regard to case.
size_t TrovaTag(const std::string& riga, std::string_view tag, size_t da = 0) {
  for (size_t i = da; i + tag.size() <= riga.size(); ++i) {
    size_t j = 0;
    while (j < tag.size() && Minuscola(riga[i + j]) == Minuscola(tag[j])) ++j;
    if (j == tag.size()) return i;
  }
  return std::string::npos;
}

void TogliTag(std::string& riga, std::string_view tag) {
  for (size_t p = TrovaTag(riga, tag); p != std::string::npos; p = TrovaTag(riga, tag, p)) riga.erase(p, tag.size());
}

}  // namespace

void ReadHintsStatus() {
  HintsShow = StrToBoolean(GetSetting(SezioneHints, "HintsShow", "true"));
  HintLast = StrToInteger(GetSetting(SezioneHints, "HintLast", "0"));
}

void WriteHintsStatus() {
  SaveSetting(SezioneHints, "HintsShow", HintsShow ? "true" : "false");
  SaveSetting(SezioneHints, "HintLast", std::to_string(HintLast));
}

THint InterpretaHint(const std::string& riga) {
  THint hint;
  hint.Marcato = TrovaTag(riga, TagMarcato) != std::string::npos ? 1 : 0;
  std::string testo = riga;
  TogliTag(testo, TagMarcato);
  TogliTag(testo, TagNonMarcato);
  testo = Replace(testo, "<br>", "\r\n");
  hint.Testo = Replace(testo, "<BR>", "\r\n");
  return hint;
}

void LoadHints() {
  Hints.clear();
  std::string percorso = FileProgramma("HINTS.CFG");
  if (!EsisteFile(percorso)) return;
  TextReader file;
  if (!file.Open(percorso)) {
    MsgBox("Impossibile leggere il file " + percorso);
    return;
  }
  while (!file.Eof() && Hints.size() < 32767) {
    std::string riga = ReadNextLineRaw(file);
    // At the end of the file the reader hands back a trailing comment line: not a tip.
    if (IsRigaCommento(riga)) break;
    Hints.push_back(InterpretaHint(riga));
  }
}

void InitHints() {
  ReadHintsStatus();
  LoadHints();
}

THint NextHint() {
  const int32_t n = static_cast<int32_t>(Hints.size());
  if (n == 0) return {};
  for (int32_t guardati = 0; guardati < n; ++guardati) {
    // A negative stored counter would pick a position before the list.
    int32_t i = ((static_cast<int32_t>(HintLast) % n) + n) % n;
    HintLast = static_cast<int16_t>(i + 1);
    const THint& hint = Hints[static_cast<size_t>(i)];
    if (SwCompanyPresente == 0 || hint.Marcato != 1) return hint;
  }
  return {};
}

}  // namespace varnex
