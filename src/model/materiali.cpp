#include "model/materiali.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "model/valori_archivio.h"

namespace varnex {

std::array<TSerieMateriale, MaxMateriali + 1> Materiali;
int16_t NumMateriali = 0;
float VelLimiteFino28 = 0;
float VelLimiteOltre28 = 0;

namespace {

IListeEditor* listeEditor = nullptr;

// The file each series was read from, as listed: its name may differ from the series' name in
// letter case, and two such files must each stay the series read from it.
std::array<std::string, MaxMateriali + 1> fileLetti;
// The diameter lines each series' file held and the load did not take (refused, or beyond the
// last row), as bytes, with the file they came from: a save of the series writes them back after
// its rows, so that nothing the user wrote is lost by it.
struct RigheNonCaricate {
  std::string percorso;
  std::vector<std::string> righe;
};
std::array<RigheNonCaricate, MaxMateriali + 1> nonCaricate;

const std::string kRigaTratti = "# " + std::string(74, '-');

// "a blank and the digits", the way the header numbers of a series file have always been written:
// a point as decimal separator, a blank in place of the sign of a non-negative number.
std::string TestoIntestazione(float value) {
  return (value >= 0 ? " " : "") + Replace(TestoNumero(value), ",", ".");
}

struct FileElencato {
  std::string nome;
  std::string percorso;
};

// The ".mat" files of a folder, extension in any letter case, sorted by name without regard to
// letter case so that series indices do not depend on the file system.
std::vector<FileElencato> ElencaFileMat(const std::string& cartella) {
  namespace fs = std::filesystem;
  std::vector<FileElencato> out;
  std::error_code ec;
  for (fs::directory_iterator it(cartella.empty() ? "." : cartella, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (!it->is_regular_file(ec2)) continue;
    std::string nome = it->path().filename().string();
    if (nome.size() < 4 || !UgualiNoCase(nome.substr(nome.size() - 4), ".mat")) continue;
    out.push_back({nome, it->path().string()});
  }
  std::sort(out.begin(), out.end(), [](const FileElencato& a, const FileElencato& b) {
    std::string ua = UCase(a.nome), ub = UCase(b.nome);
    return ua != ub ? ua < ub : a.nome < b.nome;
  });
  return out;
}

}  // namespace

void CaricaMateriali() { CaricaCartellaMateriali(CartellaProgramma()); }

void CaricaCartellaMateriali(const std::string& cartella) {
  std::vector<FileElencato> files = ElencaFileMat(cartella);
  int16_t conta = 0;
  std::vector<std::string> percorsi(1);
  for (const auto& f : files) {
    if (conta >= MaxMateriali) {
      MsgBox("Raggiunto il numero massimo di " + std::to_string(MaxMateriali) + " tubazioni: il file " + f.nome +
             " non e' stato caricato.");
      continue;
    }
    ++conta;
    Materiali[conta] = TSerieMateriale{};
    // The whole name before ".mat": a series saved and deleted as any other name would miss the
    // file it came from (PE.SDR11.mat is not PE.mat).
    Materiali[conta][0].Nome = GetNomeSenzaEstensione(f.nome);
    fileLetti[static_cast<size_t>(conta)] = f.percorso;
    percorsi.push_back(f.percorso);
  }
  for (int16_t s = conta + 1; s <= MaxMateriali; ++s) {
    Materiali[s] = TSerieMateriale{};
    fileLetti[static_cast<size_t>(s)].clear();
    nonCaricate[static_cast<size_t>(s)] = {};
  }
  for (int16_t s = 1; s <= conta; ++s) {
    Interazione().Stato("Caricamento tubazione: " + Materiali[s][0].Nome);
    CaricaFileMateriale(s, percorsi[s]);
  }
  NumMateriali = conta;
  CalcolaDatiMateriali();
}

bool CaricaFileMateriale(int16_t serie, const std::string& percorso) {
  if (serie < 1 || serie > MaxMateriali) return false;
  TSerieMateriale& m = Materiali[serie];
  std::string path = percorso.empty() ? FileMateriale(serie) : percorso;
  TextReader file;
  if (!file.Open(path)) {
    m[0].NumDiametri = 0;
    return false;
  }
  RigheRifiutate rifiutate(GetNomeFile(path));
  RigheNonCaricate& tenute = nonCaricate[static_cast<size_t>(serie)];
  tenute = {path, {}};
  const std::vector<std::string> grezze = RigheGrezze(LeggiFileGrezzo(path).value_or(std::string()));
  auto tieni = [&] {
    const size_t n = file.LineNumber();
    if (n >= 1 && n <= grezze.size()) tenute.righe.push_back(grezze[n - 1]);
  };
  // A header line left out of a short file reads as 0 or empty without a word; one that is there
  // but holds no valid value is reported with the diameter lines.
  const std::string tipo = ReadDataLine(file);
  const std::optional<double> tipoLetto = NumeroArchivio(tipo);
  const int16_t tipoFormula = tipoLetto ? ToInt16(*tipoLetto).value_or(0) : 0;
  const bool tipoValido = tipoFormula >= 1 && tipoFormula <= 3;
  if (!tipo.empty() && !tipoValido)
    rifiutate.Aggiungi(file.LineNumber(), "tipo di formula non valido (1, 2 o 3), e' stato posto a 0");
  m[0].TipoFormula = tipoValido ? tipoFormula : int16_t{0};
  const std::string peso = ReadDataLine(file);
  const std::optional<float> pesoSpecifico = peso.empty() ? 0.0f : ValoreArchivio(peso, CampoArchivio::PesoSpecifico);
  if (!pesoSpecifico) {
    rifiutate.Aggiungi(file.LineNumber(), "peso specifico non valido (" + TestoIntervallo(CampoArchivio::PesoSpecifico) +
                                              "), e' stato posto a 0");
  }
  m[0].PesoSpecifico = pesoSpecifico.value_or(0.0f);
  m[0].Descrizione = ReadDataLine(file);

  std::vector<std::string> campi(21);
  int16_t riga = 1;
  while (!file.Eof()) {
    std::string linea = file.LineInput();
    if (IsRigaCommento(linea)) continue;
    std::fill(campi.begin(), campi.end(), std::string());
    int16_t ultimo = SplitFields(linea, campi);
    if (Trim(campi[0]).empty()) continue;
    if (ultimo < 2) {
      // A line without its inner diameter must not borrow the one of the line before.
      rifiutate.Aggiungi(file.LineNumber(), "dati incompleti, la riga e' stata ignorata");
      tieni();
      continue;
    }
    const std::optional<float> interno = SingoloArchivio(campi[2]);
    const std::optional<float> spessore = SingoloArchivio(campi[1]);
    // An inner diameter not above 0 marks a row left out, as the file format has it.
    if (interno && !(*interno > 0)) continue;
    if (!interno || !spessore) {
      rifiutate.Aggiungi(file.LineNumber(), "valore non valido, la riga e' stata ignorata");
      tieni();
      continue;
    }
    const std::string difetto = DifettoDiametro(*spessore, *interno);
    if (!difetto.empty()) {
      rifiutate.Aggiungi(file.LineNumber(), difetto + ", la riga e' stata ignorata");
      tieni();
      continue;
    }
    if (riga > MaxDiametri) {
      rifiutate.Aggiungi(file.LineNumber(), "superato il numero massimo di " + std::to_string(MaxDiametri) +
                                                " diametri, la riga e' stata ignorata");
      tieni();
      continue;
    }
    m[riga] = TMateriale{};
    m[riga].RifDiametro = campi[0];
    m[riga].Spessore = *spessore;
    m[riga].DiamInterno = *interno;
    ++riga;
  }
  rifiutate.Mostra();
  m[0].NumDiametri = static_cast<int16_t>(riga - 1);
  return true;
}

std::string DifettoDiametro(float spessore, float interno) {
  if (!ValoreAmmesso(CampoArchivio::Spessore, spessore))
    return "spessore fuori dai valori ammessi (" + TestoIntervallo(CampoArchivio::Spessore) + ")";
  if (!ValoreAmmesso(CampoArchivio::DiametroInterno, interno))
    return "diametro interno fuori dai valori ammessi (" + TestoIntervallo(CampoArchivio::DiametroInterno) + ")";
  // Computed as the table computes it, in single precision.
  const float esterno = 2.0f * spessore + interno;
  if (!ValoreAmmesso(CampoArchivio::DiametroEsterno, esterno))
    return "diametro esterno fuori dai valori ammessi (" + TestoIntervallo(CampoArchivio::DiametroEsterno) + ")";
  return {};
}

void CalcolaDatiMateriali() {
  for (int16_t s = 1; s <= NumMateriali && s <= MaxMateriali; ++s) {
    TSerieMateriale& m = Materiali[s];
    const float peso = m[0].PesoSpecifico;
    for (int16_t r = 1; r <= m[0].NumDiametri && r <= MaxDiametri; ++r) {
      TMateriale& d = m[r];
      d.DiamEsterno = 2.0f * d.Spessore + d.DiamInterno;
      // Areas with 3.1415 (not full pi), each kept in single precision.
      const double de = d.DiamEsterno, di = d.DiamInterno;
      const float ae = static_cast<float>(de * de / 4.0 * 3.1415);
      const float ai = static_cast<float>(di * di / 4.0 * 3.1415);
      d.PesoMetro = static_cast<float>(static_cast<double>(peso) / 1000000.0 * static_cast<double>(ae - ai));
      d.Sezione = static_cast<float>(static_cast<double>(ai) / 1000.0);
      d.VelLimite = d.DiamInterno > 28.0f ? VelLimiteOltre28 : VelLimiteFino28;
      d.PortataMax = static_cast<float>(static_cast<double>(d.VelLimite) * 3600.0 * d.Sezione);
    }
  }
}

bool SalvaMateriale(int16_t serie, std::string* errore) {
  if (serie < 1 || serie > MaxMateriali) return true;
  const TSerieMateriale& m = Materiali[serie];
  if (Trim(m[0].Nome).empty()) return true;
  TextWriter out(FileMateriale(serie));
  out.PrintLine("#                          TABELLA  CARATTERISTICHE TUBI");
  out.PrintLine("#");
  out.PrintLine("# Tipo di formula :   1 - Acciaio,  2 - Rame, 3 - Plastica");
  out.PrintLine(kRigaTratti);
  out.PrintLine(TestoIntestazione(static_cast<float>(m[0].TipoFormula)));
  out.PrintLine("#");
  out.PrintLine("# Peso Specifico");
  out.PrintLine(kRigaTratti);
  out.PrintLine(TestoIntestazione(m[0].PesoSpecifico));
  out.PrintLine("#");
  out.PrintLine("# Descrizione");
  out.PrintLine(kRigaTratti);
  out.PrintLine(Trim(m[0].Descrizione).empty() ? "." : m[0].Descrizione);
  out.PrintLine("#");
  out.PrintLine("#    DN    Spess   Diam Int. ");
  out.PrintLine("#            mm       mm");
  out.PrintLine("#" + std::string(75, '-'));
  for (int16_t r = 1; r <= m[0].NumDiametri && r <= MaxDiametri; ++r) {
    if (Trim(m[r].RifDiametro).empty()) continue;
    out.PrintLine(m[r].RifDiametro + "\t" + TestoStampa(m[r].Spessore) + "\t" + TestoStampa(m[r].DiamInterno) + "\t");
  }
  std::string byte = Utf8ToCp1252(out.Text());
  // The lines the load did not take, as the user wrote them.
  const RigheNonCaricate& tenute = nonCaricate[static_cast<size_t>(serie)];
  if (tenute.percorso == out.Path())
    for (const std::string& r : tenute.righe) byte += r + "\r\n";
  ErroreSalvataggio e;
  if (WriteBytesAtomic(out.Path(), byte, &e)) return true;
  if (errore) *errore = e.Testo;
  return false;
}

std::string FileMateriale(int16_t serie) {
  if (serie < 1 || serie > MaxMateriali) return {};
  const std::string& nome = Materiali[static_cast<size_t>(serie)][0].Nome;
  const std::string& letto = fileLetti[static_cast<size_t>(serie)];
  if (!letto.empty() && GetNomeSenzaEstensione(GetNomeFile(letto)) == nome) return letto;
  return FileProgramma(nome + ".mat");
}

int16_t CercaMateriale(std::string& nome) {
  nome = Trim(nome);
  for (int16_t s = 1; s <= NumMateriali && s <= MaxMateriali; ++s)
    if (Materiali[s][0].Nome == nome) return s;
  return 0;
}

int16_t CercaDiametro(int16_t serie, std::string_view rif) {
  if (serie < 1 || serie > MaxMateriali) return 0;
  const TSerieMateriale& m = Materiali[serie];
  for (int16_t r = 1; r <= m[0].NumDiametri && r <= MaxDiametri; ++r)
    if (m[r].RifDiametro == rif) return r;
  return 0;
}

std::string TogliEstensione(std::string_view nome) {
  size_t p = nome.find('.');
  return std::string(p == std::string_view::npos ? nome : nome.substr(0, p));
}

void ImpostaListeEditor(IListeEditor* editor) { listeEditor = editor; }

void RefreshGasGridCombos() {
  if (listeEditor) listeEditor->LoadCombos();
}

}  // namespace varnex
