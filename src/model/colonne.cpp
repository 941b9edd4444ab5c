#include "model/colonne.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"

namespace varnex {

// Default-initialised, as every member has an initialiser of its own: clang 14 crashes in its
// front end on an empty brace initialiser of this array.
std::array<std::array<TColonnaGriglia, MaxColonneGriglia>, NumLayoutGriglia> ColonneGriglia;
std::array<int16_t, NumLayoutGriglia> UltimaColonnaGriglia{};

namespace {

constexpr const char* kFileGriglie = "gridgas.cne";
constexpr unsigned char kTabCodificato = 254;

int Scarto(size_t posizione) { return static_cast<int>(posizione % 7) + 3; }

struct Chiave {
  std::string_view nome;
  int16_t codice;
};
constexpr Chiave kChiavi[] = {
    {"ID_NAME", 1},          {"ID_NUM", 2},           {"ID_P_UTENZE", 3},     {"ID_P_TRONCO", 4},
    {"ID_LEN", 5},           {"ID_NCURVE", 6},        {"ID_NGOMITI", 7},      {"ID_RACCORDO", 8},
    {"ID_PDC_NOTA", 9},      {"ID_DIAMETRO", 10},     {"ID_DIAMCUSTOM", 11},  {"ID_VELOCITA", 12},
    {"ID_PDC_TRONCO", 13},   {"ID_PDC_PERCORSO", 14}, {"ID_PESO", 15},        {"ID_PREV", 16},
    {"ID_LEFT", 17},         {"ID_RIGHT", 18},        {"ID_MATERIALE", 19},   {"ID_RIF", 20},
    {"ID_POTENZA", 21},      {"ID_NRACCORDI", 22},    {"ID_NRUBINETTI", 23},  {"ID_EQLENNOTA", 24},
    {"ID_TIPORACCORDO", 25}, {"ID_EQ_LEN", 28},       {"ID_P_KW", 31},        {"ID_P_KCAL", 32},
    {"ID_NOMETIPOUTENZA", 33}, {"ID_DIAMETRO_INTERNO", 35}, {"ID_CONTEMP", 36}, {"ID_SPC5", 37},
    {"ID_SPC6", 38},         {"ID_SPC7", 39},         {"ID_SPC8", 40},        {"ID_SPC9", 41},
    {"ID_SPC10", 42},        {"ID_PFINALE", 43},      {"ID_EQLENLOC", 44},
};

// The lines of a file as raw bytes: the scrambled bytes are not text in any code page.
bool LeggiRigheGrezze(const std::string& percorso, std::vector<std::string>& righe) {
  std::ifstream in(percorso, std::ios::binary);
  if (!in) return false;
  std::string dati((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  size_t inizio = 0;
  while (inizio < dati.size()) {
    size_t fine = dati.find('\n', inizio);
    std::string riga = dati.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    righe.push_back(std::move(riga));
    if (fine == std::string::npos) break;
    inizio = fine + 1;
  }
  return true;
}

int16_t InteroDaCampo(std::string_view campo) { return ToInt16(Val(campo)).value_or(0); }

void Rifiuta(const std::string& percorso, const std::string& motivo) {
  MsgBox("Il file " + percorso + " non e' valido: " + motivo + ". " + ComeRiavereFileDistribuito(kFileGriglie, true), Bottoni::OK,
         Icona::Critico);
}

// Reads the layouts; `danno` names the first column line with the wrong number of fields (each
// such line is left out), empty when there is none. Other damage stops the reading with a message.
bool LeggiDefinizioni(const std::string& percorso, std::string& danno);

}  // namespace

int16_t CodiceColonna(std::string_view chiave) {
  std::string k = UCase(Trim(chiave));
  for (const Chiave& c : kChiavi)
    if (c.nome == k) return c.codice;
  MsgBox("Non trovato:" + k);
  return 0;
}

std::string DecodificaRigaGriglia(std::string_view riga) {
  std::string out;
  out.reserve(riga.size());
  for (size_t i = 1; i <= riga.size(); ++i) {
    int c = static_cast<unsigned char>(riga[i - 1]);
    if (c == kTabCodificato) {
      out += '\t';
    } else {
      int d = c - Scarto(i);
      out += static_cast<char>(d < 0 ? 0 : d);
    }
  }
  return out;
}

bool DecodificabileRigaGriglia(std::string_view riga) {
  for (size_t i = 1; i <= riga.size(); ++i) {
    int c = static_cast<unsigned char>(riga[i - 1]);
    if (c != kTabCodificato && c - Scarto(i) < 0) return false;
  }
  return true;
}

std::optional<std::string> CodificaRigaGriglia(std::string_view riga) {
  std::string out;
  out.reserve(riga.size());
  for (size_t i = 1; i <= riga.size(); ++i) {
    int d = static_cast<unsigned char>(riga[i - 1]);
    if (d == '\t') {
      out += static_cast<char>(kTabCodificato);
      continue;
    }
    int c = d + Scarto(i);
    if (c > 255 || c == kTabCodificato || c == '\r' || c == '\n') return std::nullopt;
    out += static_cast<char>(c);
  }
  return out;
}

namespace {
std::string CampiErrati(const std::string& percorso, const std::string& danno) {
  return "Numero campi nella tabella errato nel file " + percorso + ", " + danno;
}
}  // namespace

bool CaricaDefinizioneGriglie() {
  const std::string percorso = FileProgramma(kFileGriglie);
  std::string danno;
  const bool letto = LeggiDefinizioni(percorso, danno);
  if (danno.empty()) return letto;
  // A column left out costs the user a column of the table (the lengths, say): the layouts that
  // ship with the program take the damaged copy's place for this run.
  const std::string distribuito = TrovaFileNoCase(CartellaDistribuita(), kFileGriglie);
  std::error_code ec;
  if (!distribuito.empty() && !std::filesystem::equivalent(distribuito, percorso, ec)) {
    const auto colonne = ColonneGriglia;
    const auto ultime = UltimaColonnaGriglia;
    ColonneGriglia = {};
    UltimaColonnaGriglia = {};
    std::string dannoDistribuito;
    if (LeggiDefinizioni(distribuito, dannoDistribuito) && dannoDistribuito.empty()) {
      MsgBox(CampiErrati(percorso, danno) + ".\r\nSono in uso le tabelle distribuite con il programma (" +
                 distribuito + "). Per non vedere piu' questo messaggio eliminare il file danneggiato: al prossimo "
                 "avvio ne viene rimessa la copia distribuita.",
             Bottoni::OK, Icona::Esclamazione);
      return true;
    }
    ColonneGriglia = colonne;
    UltimaColonnaGriglia = ultime;
  }
  MsgBox(CampiErrati(percorso, danno) + ": la colonna non e' mostrata.", Bottoni::OK, Icona::Esclamazione);
  return letto;
}

bool CaricaDefinizioneGriglie(const std::string& percorso) {
  std::string danno;
  const bool letto = LeggiDefinizioni(percorso, danno);
  if (!danno.empty()) MsgBox(CampiErrati(percorso, danno) + ": la colonna non e' mostrata.", Bottoni::OK, Icona::Esclamazione);
  return letto;
}

namespace {

bool LeggiDefinizioni(const std::string& percorso, std::string& danno) {
  std::vector<std::string> righe;
  if (!EsisteFile(percorso) || !LeggiRigheGrezze(percorso, righe)) {
    MsgBox("Il file " + percorso + " non e' presente nel disco. " + ComeRiavereFileDistribuito(kFileGriglie),
           Bottoni::OK, Icona::Critico);
    return false;
  }
  int a = 0;
  int n = -1;
  std::vector<std::string> campi(MaxColonneGriglia);
  danno.clear();
  for (size_t r = 0; r < righe.size(); ++r) {
    const std::string numeroRiga = std::to_string(r + 1);
    if (!DecodificabileRigaGriglia(righe[r])) {
      Rifiuta(percorso, "la riga " + numeroRiga + " contiene caratteri non validi");
      return false;
    }
    std::string riga = CommaToDot(Cp1252ToUtf8(DecodificaRigaGriglia(righe[r])));
    if (riga.empty() || riga[0] == '#') continue;
    if (riga == "@") return true;
    if (a >= NumLayoutGriglia) {
      Rifiuta(percorso, "contiene piu' di " + std::to_string(NumLayoutGriglia) + " tabelle");
      return false;
    }
    if (riga == "+") {
      Interazione().Stato("Caricamento definizione tabella: " + std::to_string(a));
      UltimaColonnaGriglia[a] = static_cast<int16_t>(n);
      n = -1;
      ++a;
      continue;
    }
    if (n + 1 >= MaxColonneGriglia) {
      Rifiuta(percorso, "la tabella " + std::to_string(a) + " ha piu' di " + std::to_string(MaxColonneGriglia) + " colonne");
      return false;
    }
    if (const int16_t ultimo = SplitFields(riga, campi); ultimo != 6) {
      // One damaged column must not stop the program nor cost the layouts after it: the line is
      // left out, and the caller tells the user of the first one.
      if (danno.empty())
        danno = "riga " + numeroRiga + " (" + std::to_string(ultimo + 1) + " campi invece di 7)";
      continue;
    }
    ++n;
    TColonnaGriglia& c = ColonneGriglia[a][n];
    c.Titolo = Trim(campi[0]) == "." ? std::string() : campi[0];
    c.Formato = campi[1];
    c.SolaLettura = InteroDaCampo(campi[2]);
    c.Unita = Trim(campi[3]) == "." ? std::string() : campi[3];
    c.PesoColonna = InteroDaCampo(campi[4]);
    if (campi[5].rfind("ID_", 0) == 0)
      c.IdCampo = CodiceColonna(campi[5]);
    else if (campi[5].rfind("IDR", 0) == 0)
      c.IdCampo = 0;
    c.Descrizione = campi[6];
  }
  // A file cut short before "@": the layouts read so far stay, as when the end marker is reached.
  return true;
}

}  // namespace

}  // namespace varnex
