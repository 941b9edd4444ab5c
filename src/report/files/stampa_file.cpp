#include "report/files/stampa_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

#include "model/files.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "model/textfile.h"
#include "report/files/stampa_file_interno.h"
#include "report/print/sezioni.h"

namespace varnex {

namespace fs = std::filesystem;

namespace {

FinestreSilenziose silenziose;
IFinestreStampaFile* installate = nullptr;

}  // namespace

MisuraSchema FinestreSilenziose::SaveSchema(const std::string&) { throw ErroreStampaFile(errore_file::AccessoFile); }
MisuraSchema FinestreSilenziose::SalvaPartiSchema(const DivisioneFiguraSchema&) {
  throw ErroreStampaFile(errore_file::AccessoFile);
}

void ImpostaFinestreStampaFile(IFinestreStampaFile* finestre) { installate = finestre; }
IFinestreStampaFile& FinestreStampaFile() { return installate ? *installate : silenziose; }

std::string DescrizioneErrore(int32_t numero) {
  switch (numero) {
    case errore_file::ArgomentoNonValido: return "Chiamata di routine o argomento non validi.";
    case errore_file::Overflow: return "Overflow.";
    case errore_file::IndiceFuoriIntervallo: return "Indice non compreso nell'intervallo.";
    case errore_file::DivisionePerZero: return "Divisione per zero.";
    case errore_file::AccessoFile: return "Errore di accesso al percorso/file.";
    case errore_file::PercorsoNonTrovato: return "Impossibile trovare il percorso.";
    default: return "Errore definito dall'applicazione o dall'oggetto.";
  }
}

ErroreStampaFile ErroreFileConMotivo(int32_t numero, const std::string& motivo) {
  return ErroreStampaFile(numero, DescrizioneErrore(numero) + "\r\n" + motivo);
}

ErroreStampaFile ErroreFileDiSistema(int32_t numero, int sistema) {
  return ErroreFileConMotivo(numero, "Motivo: " + MotivoErrore(sistema) + ".");
}

int16_t PosizioneFile(int64_t valore) {
  if (valore < INT16_MIN || valore > INT16_MAX) throw ErroreStampaFile(errore_file::Overflow);
  return static_cast<int16_t>(valore);
}

const std::string& TestoPassoStampaFile(int16_t passo) {
  static const std::string testi[] = {
      "",
      "Errore nell'apertura del file.",
      "Errore nella stampa della copertina.",
      "Errore nella stampa della tabella dei tronchi.",
      "Errore nella stampa della tabella delle perdite localizzate.",
      "Errore nella stampa della verifica del percorso più sfavorito.",
      "Errore nella stampa del riepilogo utenze.",
      "Errore nella stampa del computo dei materiali.",
      "Errore nella stampa della \"Verifica tenuta impianto\".",
      "Errore nella stampa dello schema della rete.",
  };
  return (passo >= 1 && passo <= 9) ? testi[passo] : testi[0];
}

namespace {
bool AltroLogoAccanto(const std::string& percorsoReport);
}  // namespace

std::string GetReportFileName(int16_t kind) {
  try {
    const std::string cartella = CartellaNuovoReport();
    const std::string nome = NomeNuovoReport();
    const bool html = kind == 0;
    const std::string filtro = html ? "File HTML (*.html)|*.html|File HTML (*.htm)|*.htm" : "File di testo (*.txt)|*.txt";
    const std::string estensione = html ? "html" : "txt";
    std::optional<std::string> scelto = FinestreStampaFile().SalvaFile("Salva con nome", filtro, cartella, nome);
    if (!scelto || scelto->empty()) return "";
    std::string percorso = *scelto;
    if (GetNomeFile(percorso).find('.') == std::string::npos) percorso += "." + estensione;
    // The diagram's picture belongs to the report: replacing it is replacing the report. So is the
    // logo copied beside it, when that folder holds a "logo.bmp" other than the program's.
    const std::string bitmap = interno::PercorsoBitmap(percorso);
    std::vector<std::string> esistenti;
    if (EsisteFile(percorso)) esistenti.push_back(GetNomeFile(percorso));
    if (StampaDiagrammaRete != 0 && EsisteFile(bitmap)) esistenti.push_back(GetNomeFile(bitmap));
    // The further parts of an earlier picture cut into several: this run replaces or removes them.
    if (StampaDiagrammaRete != 0 && html)
      for (const std::string& parte : interno::PartiBitmapEsistenti(percorso)) esistenti.push_back(GetNomeFile(parte));
    if (LogoReport && AltroLogoAccanto(percorso)) esistenti.push_back("logo.bmp");
    if (!esistenti.empty()) {
      const std::string domanda = DomandaSovrascrittura(percorso, esistenti);
      const Risposta r = MsgBox(domanda, Bottoni::SiNo, Icona::Esclamazione, "Sovrascrivere");
      if (r != Risposta::Si) return "";
    }
    return percorso;
  } catch (...) {
    return "";
  }
}

std::string EscapeHTML(std::string_view testo) {
  std::string r;
  r.reserve(testo.size());
  for (char c : testo) {
    switch (c) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      default: r += c;
    }
  }
  return r;
}

namespace {

// An escaped text with every `c` written as `entita`.
std::string ConEntita(std::string_view testo, char c, const char* entita) {
  std::string r;
  for (char x : EscapeHTML(testo)) {
    if (x == c)
      r += entita;
    else
      r += x;
  }
  return r;
}

}  // namespace

std::string EscapeHTMLNonSpezzato(std::string_view testo) { return ConEntita(testo, ' ', "&nbsp;"); }

std::string EscapeAttributoHTML(std::string_view testo) { return ConEntita(testo, '\'', "&#39;"); }

bool LogoReport = false;
PixelImmagine PixelLogoReport;

void CaricaLogoReport() {
  IFinestreStampaFile& f = FinestreStampaFile();
  const std::string logo = UnisciPercorso(CartellaProgramma(), "logo.bmp");
  const std::optional<PixelImmagine> pixel = EsisteFile(logo) ? f.CaricaLogo(logo) : std::nullopt;
  LogoReport = pixel.has_value();
  PixelLogoReport = pixel.value_or(PixelImmagine{});
  if (!LogoReport) f.TogliLogo();
}

std::string CartellaReport(const std::string& percorsoReport) { return GetCartella(percorsoReport); }

namespace {

fs::path CartellaDi(const std::string& percorso) {
  fs::path cartella = fs::path(percorso).parent_path();
  return cartella.empty() ? fs::path(".") : cartella;
}

bool StessaCartella(const fs::path& a, const fs::path& b) {
  std::error_code ec1, ec2;
  const fs::path ca = fs::weakly_canonical(a, ec1);
  const fs::path cb = fs::weakly_canonical(b, ec2);
  if (ec1 || ec2) return false;
  return ca == cb;
}

}  // namespace

namespace {

// True when the folder of the report holds a "logo.bmp" of its own, one the copy of the program's
// logo would replace; not the program folder, where the logo is the program's.
bool AltroLogoAccanto(const std::string& percorsoReport) {
  const fs::path cartella = CartellaDi(percorsoReport);
  if (StessaCartella(cartella, CartellaProgramma())) return false;
  const fs::path accanto = cartella / "logo.bmp";
  std::error_code ec;
  if (!fs::exists(accanto, ec)) return false;
  std::ifstream a(accanto, std::ios::binary), b(UnisciPercorso(CartellaProgramma(), "logo.bmp"), std::ios::binary);
  const std::string uno((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
  const std::string due((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
  return !a.bad() && !b.bad() && uno != due;
}

}  // namespace

bool CopiaLogoReport(const std::string& percorsoReport) {
  const std::string sorgente = UnisciPercorso(CartellaProgramma(), "logo.bmp");
  const fs::path cartella = CartellaDi(percorsoReport);
  // In the program folder the logo is already where the report looks for it.
  if (StessaCartella(cartella, CartellaProgramma())) return false;
  std::error_code ec;
  fs::copy_file(sorgente, cartella / "logo.bmp", fs::copy_options::overwrite_existing, ec);
  if (ec) throw ErroreFileDiSistema(errore_file::AccessoFile, ec.value());
  return true;
}

void VerificaScritturaReport(const std::string& percorso) {
  const fs::path cartella = CartellaDi(percorso);
  std::error_code ec;
  if (!fs::is_directory(cartella, ec)) throw ErroreStampaFile(errore_file::PercorsoNonTrovato);
  if (fs::is_directory(percorso, ec)) throw ErroreFileDiSistema(errore_file::AccessoFile, EISDIR);
  if (fs::exists(percorso, ec) && ::access(percorso.c_str(), W_OK) != 0)
    throw ErroreFileDiSistema(errore_file::AccessoFile, errno);
  // The report is written beside itself and renamed over the target: the folder must take a new file.
  std::random_device rd;
  const fs::path prova = cartella / (".~verifica." + std::to_string(rd() % 1000000) + ".tmp");
  const int fd = ::open(prova.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    const int motivo = errno;
    throw ErroreFileDiSistema(
        motivo == ENOENT || motivo == ENOTDIR ? errore_file::PercorsoNonTrovato : errore_file::AccessoFile, motivo);
  }
  ::close(fd);
  ::unlink(prova.c_str());
}

}  // namespace varnex
