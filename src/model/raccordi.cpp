#include "model/raccordi.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "model/valori_archivio.h"

namespace varnex {

std::array<std::string, 11> NomiSpeciali;
std::array<std::array<std::array<float, 5>, 4>, 11> LunghezzeEquivalenti{};
std::array<std::array<float, 4>, 3> PDCMaxTabella{};
float SogliaPotenzaPDC = 0;

namespace {

constexpr const char* kFileSpeciali = "EQLEN.CFG";
constexpr const char* kFilePDCMax = "PDCMAX.CFG";

// Built-in equivalent lengths of internal installations, m: [fitting 1..4][family 1..3][class 1..4].
constexpr float kSpecialiInterni[4][3][4] = {
    {{0.2f, 0.5f, 0.8f, 1.5f}, {0.2f, 0.5f, 0.8f, 1.5f}, {0.2f, 0.5f, 1.0f, 1.5f}},  // CURVA
    {{0.8f, 2.0f, 4.0f, 6.5f}, {0.8f, 2.0f, 4.0f, 6.5f}, {1.0f, 2.5f, 4.5f, 7.5f}},  // RACCORDO A T
    {{1.0f, 1.5f, 3.0f, 4.5f}, {1.0f, 1.5f, 3.0f, 4.5f}, {1.0f, 2.0f, 3.0f, 5.0f}},  // GOMITO
    {{0.3f, 0.8f, 1.5f, 2.0f}, {0.3f, 0.8f, 1.5f, 2.0f}, {0.3f, 0.8f, 1.5f, 2.0f}},  // RUBINETTO
};
constexpr const char* kNomiInterni[4] = {"CURVA", "RACCORDO A T", "GOMITO", "RUBINETTO"};

// "EQLEN.CFG" as loaded last, line by line: a fitting's place (1..10), loaded or refused, or (0) a
// remark, a blank line or a line after the tenth fitting; with the bytes of every line not
// loaded, and the fittings as the load left them. A save writes each line not loaded back as it
// was, unless the user has since changed its fitting.
struct RigaSpeciali {
  int posto = 0;
  bool caricata = false;
  std::string byte;
};
struct FileSpecialiCaricato {
  std::string percorso;
  std::vector<RigaSpeciali> righe;
  std::array<std::string, 11> nomi;
  std::array<std::array<float, 4>, 11> lunghezze{};
};
FileSpecialiCaricato& SpecialiCaricati() {
  static FileSpecialiCaricato file;
  return file;
}

// The seven entries of the maximum-drop file, in file order, with their defaults.
struct VocePDC {
  float* valore;
  float predefinito;
  CampoArchivio campo = CampoArchivio::PDCMassima;
};
std::array<VocePDC, 7> VociPDC() {
  return {{{&SogliaPotenzaPDC, 35.0f, CampoArchivio::SogliaPotenza},
           {&PDCMaxTabella[1][1], 50.0f},
           {&PDCMaxTabella[1][2], 100.0f},
           {&PDCMaxTabella[1][3], 200.0f},
           {&PDCMaxTabella[2][1], 50.0f},
           {&PDCMaxTabella[2][2], 50.0f},
           {&PDCMaxTabella[2][3], 200.0f}}};
}

}  // namespace

void InitSpeciali() {
  for (int f = 1; f <= 4; ++f) {
    NomiSpeciali[f] = kNomiInterni[f - 1];
    for (int fam = 1; fam <= 3; ++fam)
      for (int c = 1; c <= 4; ++c) LunghezzeEquivalenti[f][fam][c] = kSpecialiInterni[f - 1][fam - 1][c - 1];
  }
}

bool CaricaSpeciali() {
  const std::string path = FileProgramma(kFileSpeciali);
  TextReader file;
  if (!EsisteFile(path) || !file.Open(path)) {
    MsgBox("Il file " + path + " non e' presente nel disco. " + ComeRiavereFileDistribuito(kFileSpeciali));
    return false;
  }
  RigheRifiutate rifiutate(GetNomeFile(path));
  FileSpecialiCaricato& caricato = SpecialiCaricati();
  caricato = {path, {}, {}, {}};
  const std::vector<std::string> grezze = RigheGrezze(LeggiFileGrezzo(path).value_or(std::string()));
  size_t lette = 0;
  // The lines from the last one read up to `fine` (excluded) that no fitting took.
  auto tieni = [&](size_t fine) {
    for (; lette + 1 < fine && lette < grezze.size(); ++lette) caricato.righe.push_back({0, false, grezze[lette]});
  };
  auto posto = [&](int i, bool caricata) {
    const size_t n = file.LineNumber();
    tieni(n);
    caricato.righe.push_back({i, caricata, n >= 1 && n <= grezze.size() ? grezze[n - 1] : std::string()});
    lette = n;
  };
  std::vector<std::string> campi(11);
  for (int i = 1; i <= 10 && !file.Eof(); ++i) {
    std::string linea = ReadDataLine(file);
    // Only comments or blank lines were left: the file has no further fitting.
    if (linea.empty()) break;
    std::fill(campi.begin(), campi.end(), std::string());
    int16_t ultimo = SplitFields(linea, campi);
    if (ultimo < 3) {
      // A line without its three lengths must not take those of the line before: the fitting
      // keeps what it had.
      rifiutate.Aggiungi(file.LineNumber(), "dati incompleti, la riga e' stata ignorata");
      posto(i, false);
      continue;
    }
    std::optional<float> valori[4];
    for (int c = 1; c <= 3; ++c) valori[c] = ValoreArchivio(campi[c], CampoArchivio::LunghezzaEquivalente);
    if (!valori[1] || !valori[2] || !valori[3]) {
      rifiutate.Aggiungi(file.LineNumber(), "lunghezza non valida (" +
                                                TestoIntervallo(CampoArchivio::LunghezzaEquivalente) +
                                                "), la riga e' stata ignorata");
      posto(i, false);
      continue;
    }
    if (ultimo != 3) rifiutate.Aggiungi(file.LineNumber(), "campi in eccesso, letti solo i primi quattro");
    NomiSpeciali[i] = campi[0];
    for (int c = 1; c <= 3; ++c) LunghezzeEquivalenti[i][1][c] = *valori[c];
    posto(i, true);
  }
  tieni(grezze.size() + 1);
  for (size_t i = 1; i <= 10; ++i) {
    caricato.nomi[i] = NomiSpeciali[i];
    for (size_t c = 1; c <= 3; ++c) caricato.lunghezze[i][c] = LunghezzeEquivalenti[i][1][c];
  }
  rifiutate.Mostra();
  return true;
}

bool SalvaSpeciali(std::string* errore) {
  const std::string percorso = FileProgramma(kFileSpeciali);
  const FileSpecialiCaricato& caricato = SpecialiCaricati();
  const bool stessoFile = caricato.percorso == percorso;
  auto invariato = [&](size_t i) {
    if (NomiSpeciali[i] != caricato.nomi[i]) return false;
    for (size_t c = 1; c <= 3; ++c)
      if (LunghezzeEquivalenti[i][1][c] != caricato.lunghezze[i][c]) return false;
    return true;
  };
  std::array<bool, 11> scritto{};
  std::string byte;
  auto scrivi = [&](size_t i) {
    scritto[i] = true;
    if (NomiSpeciali[i].empty()) NomiSpeciali[i] = "-";
    byte += Utf8ToCp1252(NomiSpeciali[i] + "\t" + TestoStampa(LunghezzeEquivalenti[i][1][1]) + "\t" +
                         TestoStampa(LunghezzeEquivalenti[i][1][2]) + "\t" +
                         TestoStampa(LunghezzeEquivalenti[i][1][3])) +
            "\r\n";
  };
  if (stessoFile) {
    for (const RigaSpeciali& r : caricato.righe) {
      const size_t i = static_cast<size_t>(r.posto);
      if (r.posto == 0 || (!r.caricata && invariato(i))) {
        // Not loaded, and its fitting not changed since: the line stays as the user wrote it.
        byte += r.byte + "\r\n";
        if (r.posto != 0) scritto[i] = true;
      } else if (i <= 10 && !scritto[i]) {
        scrivi(i);
      }
    }
  }
  for (size_t i = 1; i <= 10; ++i)
    if (!scritto[i]) scrivi(i);
  ErroreSalvataggio e;
  if (WriteBytesAtomic(percorso, byte, &e)) return true;
  if (errore) *errore = e.Testo;
  return false;
}

bool ImpostaTabellaSpeciali(int16_t reteInPressione) {
  if (reteInPressione != 0) return CaricaSpeciali();
  InitSpeciali();
  return true;
}

int16_t ClasseDiametro(float di) {
  if (di <= 22.3f) return 1;
  if (di <= 53.9f) return 2;
  if (di <= 81.7f) return 3;
  return 4;
}

int16_t ClasseDiametroRete(float di) {
  if (di <= 50.0f) return 1;
  if (di <= 125.0f) return 2;
  return 3;
}

float LunghezzaEquivalente(int16_t speciale, float di, int16_t famiglia) {
  if (speciale < 0 || speciale > 10 || famiglia < 0 || famiglia > 3) return 0;
  return LunghezzeEquivalenti[speciale][famiglia][ClasseDiametro(di)];
}

float LunghezzaEquivalenteRete(int16_t speciale, float di) {
  if (speciale < 0 || speciale > 10) return 0;
  return LunghezzeEquivalenti[speciale][1][ClasseDiametroRete(di)];
}

void InitPDCMax() {
  for (const VocePDC& v : VociPDC())
    if (!(*v.valore > 0)) *v.valore = v.predefinito;
}

bool CaricaPDCMax() {
  const std::string path = FileProgramma(kFilePDCMax);
  TextReader file;
  const bool aperto = EsisteFile(path) && file.Open(path);
  bool completo = aperto;
  RigheRifiutate rifiutate(GetNomeFile(path));
  for (const VocePDC& v : VociPDC()) {
    if (!aperto || file.Eof()) {
      completo = false;
      *v.valore = 0;
      continue;
    }
    // Values not above 0, and a line left empty, take their defaults later; one that is not a
    // number or lies outside the range never gets in.
    const std::string linea = CommaToDot(file.LineInput());
    const std::optional<float> valore =
        IsRigaVuota(linea) ? 0.0f : ValoreArchivio(linea, v.campo);
    if (!valore) {
      rifiutate.Aggiungi(file.LineNumber(), "valore non valido (" + TestoIntervallo(v.campo) +
                                                "), sara' usato il valore predefinito");
    }
    *v.valore = valore.value_or(0.0f);
  }
  rifiutate.Mostra();
  // A missing file or missing lines take the defaults at once.
  if (!completo) InitPDCMax();
  return aperto;
}

bool SalvaPDCMax(std::string* errore) {
  TextWriter out(FileProgramma(kFilePDCMax));
  for (const VocePDC& v : VociPDC()) out.PrintLine(TestoStampa(*v.valore));
  return out.Commit(errore);
}

}  // namespace varnex
