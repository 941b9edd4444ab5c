#include "model/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "model/interaction.h"
#include "model/strings.h"
#include "model/textfile.h"

namespace varnex {
namespace fs = std::filesystem;

namespace {

std::string CartellaEseguibile() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string& Cartella() {
  static std::string cartella = CartellaUtentePredefinita();
  return cartella;
}

std::string Ambiente(const char* nome) {
  const char* valore = std::getenv(nome);
  return valore ? valore : "";
}

// The real copy of one file of the set-up: read whole, then put in place only where nothing of
// that name is.
bool CopiaReale(const std::string& origine, const std::string& destinazione, std::string* errore) {
  const std::optional<std::string> byte = LeggiFileGrezzo(origine);
  if (!byte) {
    if (errore) *errore = "Impossibile leggere il file " + origine + ".";
    return false;
  }
  ErroreSalvataggio e;
  if (CreaFileSeManca(destinazione, *byte, &e)) return true;
  if (errore) *errore = e.Testo;
  return false;
}

CopiaCartellaUtente& CopiaImpostata() {
  static CopiaCartellaUtente copia;
  return copia;
}

bool CopiaSeManca(const fs::path& origine, const fs::path& destinazione, std::string* errore) {
  std::error_code ec;
  if (fs::symlink_status(destinazione, ec).type() != fs::file_type::not_found) return true;
  const CopiaCartellaUtente& copia = CopiaImpostata();
  return copia ? copia(origine.string(), destinazione.string(), errore)
               : CopiaReale(origine.string(), destinazione.string(), errore);
}

size_t UltimoSeparatore(std::string_view path) { return path.find_last_of("/\\"); }

}  // namespace

const std::string& CartellaProgramma() { return Cartella(); }

std::string CartellaUtentePredefinita() {
  const std::string scelta = Ambiente("VARNEX_CARTELLA_UTENTE");
  // A relative name is taken from the folder the program was started in: messages and dialogs
  // show the folder whole.
  if (!scelta.empty()) return PercorsoAssoluto(scelta);
  const std::string dati = Ambiente("XDG_DATA_HOME");
  // A relative XDG_DATA_HOME is not to be trusted: the desktop folder rules say to ignore it.
  if (!dati.empty() && dati.front() == '/') return UnisciPercorso(dati, "VarnexPro");
  std::string casa = Ambiente("HOME");
  if (casa.empty()) {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) casa = pw->pw_dir;
  }
  return UnisciPercorso(UnisciPercorso(casa, ".local/share"), "VarnexPro");
}

std::string CartellaDistribuitaDi(const std::string& cartellaEseguibile) {
  return (fs::path(cartellaEseguibile) / ".." / "share" / "varnexpro").lexically_normal().string();
}

namespace {
std::string& DistribuitaImpostata() {
  static std::string cartella;
  return cartella;
}
}  // namespace

std::string CartellaDistribuita() {
  const std::string& impostata = DistribuitaImpostata();
  return impostata.empty() ? CartellaDistribuitaDi(CartellaEseguibile()) : impostata;
}

void ImpostaCartellaDistribuita(const std::string& cartella) { DistribuitaImpostata() = cartella; }

void ImpostaCopiaCartellaUtente(CopiaCartellaUtente copia) { CopiaImpostata() = std::move(copia); }

bool FileDistribuitoCheTorna(std::string_view relativo) {
  for (const char* nome : {"gas.cfg", "PARFAMGAS.CFG", "gridgas.cne", "EQLEN.CFG", "PDCMAX.CFG", "HINTS.CFG",
                           "Varnex4.htm", "logo.bmp"})
    if (UgualiNoCase(relativo, nome)) return true;
  return false;
}

std::string ComeRiavereFileDistribuito(std::string_view nome, bool presente) {
  const std::string distribuita = CartellaDistribuita();
  if (!TrovaFileNoCase(distribuita, nome).empty() && FileDistribuitoCheTorna(nome)) {
    // The user's file is never replaced: only once it is out of the way does the shipped one come.
    if (presente)
      return "Per riavere il file distribuito con il programma, spostare o rinominare il file " +
             FileProgramma(nome) + " e riavviare il programma.";
    return "Il programma lo copia di nuovo nella cartella " + CartellaProgramma() +
           " dai file distribuiti al prossimo avvio: chiudere e riavviare il programma.";
  }
  return "Il file manca anche tra i file distribuiti con il programma (" + distribuita +
         "): reinstallare il programma.";
}

namespace {

// A record line or a shipped name as the program matches file names: "\" taken as "/", blanks
// around it and a closing "/" left out, letter case ignored.
std::string ChiaveNome(std::string_view nome) {
  std::string n(nome);
  std::replace(n.begin(), n.end(), '\\', '/');
  auto togliBianchi = [](std::string& t) {
    const size_t a = t.find_first_not_of(" \t");
    const size_t b = t.find_last_not_of(" \t");
    t = a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
  };
  togliBianchi(n);
  while (!n.empty() && n.back() == '/') {
    n.pop_back();
    togliBianchi(n);
  }
  return LCase(n);
}

// Something of that name is in the user's folder, found without regard to letter case as the
// program finds its archives.
bool PresenteNellUtente(const fs::path& utente, const fs::path& relativo) {
  std::error_code ec;
  if (fs::symlink_status(utente / relativo, ec).type() != fs::file_type::not_found) return true;
  const fs::path cartella = utente / relativo.parent_path();
  for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec))
    if (UgualiNoCase(it->path().filename().string(), relativo.filename().string())) return true;
  return false;
}

// The record of the shipped files brought: each line by its key, as it was written.
struct Registro {
  enum class Stato { Assente, Letto, Illeggibile } stato = Stato::Assente;
  std::string motivo;
  std::map<std::string, std::string> voci;
  bool Elenca(const std::string& nome) const { return voci.count(ChiaveNome(nome)) != 0; }
  bool Aggiungi(const std::string& nome) { return voci.emplace(ChiaveNome(nome), nome).second; }
};

Registro LeggiRegistro(const fs::path& utente) {
  Registro registro;
  const fs::path percorso = utente / NomeRegistroDistribuiti;
  std::error_code ec;
  const fs::file_type tipo = fs::status(percorso, ec).type();
  if (tipo == fs::file_type::not_found && fs::symlink_status(percorso, ec).type() == fs::file_type::not_found)
    return registro;
  registro.stato = Registro::Stato::Illeggibile;
  if (tipo == fs::file_type::directory) {
    registro.motivo = MotivoErrore(EISDIR);
    return registro;
  }
  const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    registro.motivo = MotivoErrore(errno);
    return registro;
  }
  ::close(fd);
  TextReader file;
  if (!file.Open(percorso.string())) {
    registro.motivo = MotivoErrore(EIO);
    return registro;
  }
  registro.stato = Registro::Stato::Letto;
  while (!file.Eof()) {
    const std::string riga = Trim(file.LineInput());
    if (!riga.empty() && riga.front() != '#') registro.voci.emplace(ChiaveNome(riga), riga);
  }
  return registro;
}

bool ScriviRegistro(const fs::path& utente, const Registro& registro, std::string* errore) {
  std::vector<std::string> righe;
  for (const auto& [chiave, riga] : registro.voci) righe.push_back(riga);
  std::sort(righe.begin(), righe.end());
  TextWriter file((utente / NomeRegistroDistribuiti).string());
  file.PrintLine("# I file e le cartelle distribuiti con VarnexPro gia' portati in questa cartella.");
  file.PrintLine("# Un file o una cartella di questo elenco che manca dalla cartella e' stato tolto e non viene ricopiato.");
  for (const std::string& riga : righe) file.PrintLine(riga);
  return file.Commit(errore);
}

// The folder of an earlier build whose carry-over is not finished, as its marker names it; "" when
// none is under way.
std::string RipresaInCorso(const fs::path& utente) {
  const fs::path marca = utente / NomeMarcaRipresa;
  std::error_code ec;
  if (fs::symlink_status(marca, ec).type() == fs::file_type::not_found) return {};
  // The path as the system spells it (written as bytes: a folder name Windows-1252 cannot hold
  // must come back the same).
  std::string cartella = LeggiFileGrezzo(marca.string()).value_or(std::string());
  cartella = cartella.substr(0, cartella.find_first_of("\r\n"));
  // A marker that cannot be read still says a carry-over is under way, from the usual place.
  return cartella.empty() ? CartellaEseguibile() : cartella;
}

std::string Unisci(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& r : righe) testo += (testo.empty() ? "" : "\r\n") + r;
  return testo;
}

}  // namespace

bool PreparaCartellaUtente(const std::string& distribuita, const std::string& utente, std::string* errore) {
  std::error_code ec;
  fs::create_directories(utente, ec);
  if (ec || !fs::is_directory(utente, ec)) {
    if (errore) *errore = "Impossibile creare la cartella " + utente + ": " + MotivoErrore(ec ? ec.value() : ENOTDIR);
    return false;
  }
  if (!fs::is_directory(distribuita, ec)) return true;
  const fs::path radice(distribuita);
  const fs::path cartellaUtente(utente);
  std::vector<std::string> messaggi;
  // The shipped folders and files in the order met (a folder before what it holds); a folder is
  // marked by its flag.
  std::vector<std::pair<fs::path, bool>> voci;
  for (fs::recursive_directory_iterator it(radice, ec), fine; !ec && it != fine; it.increment(ec)) {
    std::error_code tipo;
    // Hidden entries (a folder's placeholder, a half-made copy) are not the user's business.
    if (it->path().filename().string().front() == '.') {
      if (it->is_directory(tipo)) it.disable_recursion_pending();
      continue;
    }
    const fs::path relativo = fs::relative(it->path(), radice);
    if (it->is_directory(tipo)) {
      voci.emplace_back(relativo, true);
    } else if (it->is_regular_file(tipo)) {
      voci.emplace_back(relativo, false);
    }
  }
  if (ec) messaggi.push_back("Impossibile leggere la cartella " + distribuita + ": " + MotivoErrore(ec.value()));

  // Copies a start cut short left half-made are of no use to anybody: removed before anything.
  for (const auto& [f, cartella] : voci) {
    if (cartella) continue;
    const fs::path destinazione = cartellaUtente / f;
    RimuoviTemporaneiDi(destinazione.string());
    // (as an earlier build named them)
    RimuoviTemporaneiDi((destinazione.parent_path() / (".~" + f.filename().string() + ".0.tmp")).string());
  }

  Registro registro = LeggiRegistro(cartellaUtente);
  const bool illeggibile = registro.stato == Registro::Stato::Illeggibile;
  // Files and folders that come back only when the user has not removed them: their absence from
  // the user's folder is the user's decision once the record lists them.
  auto facoltativo = [](const fs::path& f, bool cartella) { return cartella || !FileDistribuitoCheTorna(f.generic_string()); };
  // A carry-over from an earlier build's folder that did not finish: the files that folder holds
  // are the user's and still to come; a shipped one must not take their place.
  const std::string ripresa = RipresaInCorso(cartellaUtente);
  auto atteso = [&](const fs::path& f) { return !ripresa.empty() && PresenteNellUtente(fs::path(ripresa), f); };
  if (registro.stato == Registro::Stato::Assente && ripresa.empty()) {
    // A folder set up by an earlier build, which kept no record, got everything that shipped then:
    // what it lacks its user removed. It is told apart from a folder whose set-up has not begun by
    // holding some shipped file that does not come back by itself (a set-up of this build writes
    // its record before anything else).
    const bool precedente = std::any_of(voci.begin(), voci.end(), [&](const auto& v) {
      return !v.second && facoltativo(v.first, v.second) && PresenteNellUtente(cartellaUtente, v.first);
    });
    if (precedente)
      for (const auto& [f, cartella] : voci) registro.Aggiungi(f.generic_string() + (cartella ? "/" : ""));
  }
  // The record is written before the first copy: a start cut short in between leaves a record,
  // and the next start brings what it does not list.
  bool bloccato = illeggibile;
  std::string motivoRegistro;
  if (registro.stato == Registro::Stato::Assente && !ScriviRegistro(cartellaUtente, registro, &motivoRegistro))
    bloccato = true;

  bool cambiato = false;
  bool mancanoFacoltativi = false;
  std::string primaCopia;
  for (const auto& [f, cartella] : voci) {
    const std::string nome = f.generic_string() + (cartella ? "/" : "");
    const bool presente = PresenteNellUtente(cartellaUtente, f);
    if (presente) {
      // What is there is the user's, whatever it holds: it counts as brought.
      if (!bloccato) cambiato = registro.Aggiungi(nome) || cambiato;
      continue;
    }
    if (facoltativo(f, cartella) && (bloccato || registro.Elenca(nome))) {
      mancanoFacoltativi = mancanoFacoltativi || !registro.Elenca(nome);
      continue;
    }
    if (atteso(f)) continue;
    if (cartella) {
      std::error_code creata;
      fs::create_directories(cartellaUtente / f, creata);
      if (creata) {
        if (primaCopia.empty())
          primaCopia = "Impossibile creare la cartella " + (cartellaUtente / f).string() + ": " + MotivoErrore(creata.value());
        continue;
      }
    } else {
      std::error_code creata;
      // A new file in a folder the user removed brings the folder back with it.
      fs::create_directories(cartellaUtente / f.parent_path(), creata);
      std::string motivo;
      if (!CopiaSeManca(radice / f, cartellaUtente / f, &motivo)) {
        if (primaCopia.empty()) primaCopia = motivo;
        continue;
      }
    }
    if (!bloccato) cambiato = registro.Aggiungi(nome) || cambiato;
  }
  if (illeggibile && mancanoFacoltativi)
    messaggi.push_back("Impossibile leggere l'elenco dei file distribuiti gia' portati nella cartella (" +
                       (cartellaUtente / NomeRegistroDistribuiti).string() + "): " + registro.motivo +
                       ".\r\nI file distribuiti che mancano dalla cartella non sono stati copiati, perche' "
                       "potrebbero essere stati tolti dall'utente.");
  else if (bloccato && mancanoFacoltativi && primaCopia.empty())
    // (A copy that failed as well has the same cause, told once below.)
    messaggi.push_back("Impossibile creare l'elenco dei file distribuiti gia' portati nella cartella: " +
                       motivoRegistro + "\r\nGli archivi distribuiti che mancano non sono stati copiati: il programma riprova a ogni avvio.");
  if (!primaCopia.empty())
    messaggi.push_back(primaCopia +
                       "\r\nIl programma si avvia senza i file distribuiti che non e' stato possibile copiare: "
                       "riprova a copiarli a ogni avvio.");
  // Completed after the copies. A record that cannot be brought up to date loses nothing: what
  // is in the folder counts as brought at the next start.
  if (cambiato && !bloccato) ScriviRegistro(cartellaUtente, registro, nullptr);
  if (errore && !messaggi.empty()) *errore = Unisci(messaggi);
  return messaggi.empty();
}

std::string CartellaDellEseguibile() { return CartellaEseguibile(); }

namespace {

// The program's own data files (projects, archives, its settings files, manual, logo): carried
// over whatever their mode, since files copied from a network share are often executable.
bool DatoDelProgramma(const std::string& nome) {
  const size_t punto = nome.rfind('.');
  if (punto == std::string::npos) return false;
  const std::string estensione = LCase(nome.substr(punto + 1));
  for (const char* e : {"rtg", "mat", "cfg", "cne", "htm", "bmp", "txt"})
    if (estensione == e) return true;
  return false;
}

}  // namespace

bool RiprendiCartellaPrecedente(const std::string& precedente, const std::string& utente, std::string* errore,
                                bool* ripresa, const std::vector<std::string>& ricordati) {
  if (ripresa) *ripresa = false;
  std::error_code ec;
  const fs::path cartellaUtente(utente);
  const fs::path marca = cartellaUtente / NomeMarcaRipresa;
  // A carry-over a start left unfinished goes on from where it was, from the folder it began with.
  std::string vecchia = RipresaInCorso(cartellaUtente);
  if (vecchia.empty()) {
    // Only a first start, and only from a folder that was a program folder (it holds the gases).
    if (fs::symlink_status(utente, ec).type() != fs::file_type::not_found) return true;
    if (TrovaFileNoCase(precedente, "gas.cfg").empty()) return true;
    vecchia = precedente;
    fs::create_directories(utente, ec);
    if (ec) {
      if (errore) *errore = "Impossibile creare la cartella " + utente + ": " + MotivoErrore(ec.value());
      return false;
    }
    // The marker goes first: a start cut short from here on is finished by the next one.
    ErroreSalvataggio scrittura;
    const bool scritta = WriteBytesAtomic(marca.string(), precedente + "\r\n", &scrittura);
    const std::string motivo = scrittura.Testo;
    if (!scritta) {
      // Nothing copied: the next start is a first start again.
      fs::remove(utente, ec);
      if (errore)
        *errore = motivo + "\r\nI file di " + precedente + " saranno portati nella cartella " + utente +
                  " a un prossimo avvio.";
      return false;
    }
  }
  const fs::path radice(vecchia);
  std::string primo;
  std::vector<std::string> rimasti;
  // The old folder got every shipped file at each build: what it lacks is either new since then
  // or removed by the user a build ago. An empty record, written before the copies, lets the
  // shipped files fill those gaps once, as for a new folder, and keeps them out afterwards.
  if (LeggiRegistro(cartellaUtente).stato == Registro::Stato::Assente)
    ScriviRegistro(cartellaUtente, Registro{}, &primo);
  for (fs::recursive_directory_iterator it(radice, ec), fine; !ec && it != fine; it.increment(ec)) {
    std::error_code tipo;
    const std::string nome = it->path().filename().string();
    const bool cartella = it->is_directory(tipo);
    // Hidden entries and folders other than the projects' are not the program's; neither is a
    // program (anything executable that is not one of the program's data files).
    if (nome.front() == '.' || (cartella && it.depth() == 0 && nome != "Archivio Lavori")) {
      if (cartella) it.disable_recursion_pending();
      continue;
    }
    const fs::path destinazione = cartellaUtente / fs::relative(it->path(), radice);
    if (cartella) {
      std::error_code creata;
      fs::create_directories(destinazione, creata);
      if (creata && primo.empty())
        primo = "Impossibile creare la cartella " + destinazione.string() + ": " + MotivoErrore(creata.value());
    } else if (it->is_regular_file(tipo) &&
               (DatoDelProgramma(nome) || (it->status(tipo).permissions() & (fs::perms::owner_exec | fs::perms::group_exec |
                                                                             fs::perms::others_exec)) == fs::perms::none)) {
      // The hidden copies a carry-over cut short left go first.
      RimuoviTemporaneiDi(destinazione.string());
      // A file the user cannot read stays where it is, and the user is told where.
      if (::access(it->path().c_str(), R_OK) != 0) {
        rimasti.push_back(it->path().string());
        continue;
      }
      std::string motivo;
      if (!CopiaSeManca(it->path(), destinazione, &motivo) && primo.empty()) primo = motivo;
    }
  }
  if (ec && primo.empty()) primo = "Impossibile leggere la cartella " + vecchia + ": " + MotivoErrore(ec.value());
  // The projects the recent files and the last folder point to, wherever they are in the old
  // folder (a "Progetti" folder beside the program, say): left there, the user would go on
  // working in a folder the next build deletes. A folder brings the program's files it holds.
  const fs::path radiceAssoluta(PercorsoAssoluto(vecchia));
  auto porta = [&](const fs::path& file) {
    const fs::path relativo = file.lexically_relative(radiceAssoluta);
    const std::string nome = relativo.filename().string();
    if (relativo.empty() || *relativo.begin() == ".." || nome.empty() || nome.front() == '.') return;
    const fs::path destinazione = cartellaUtente / relativo;
    RimuoviTemporaneiDi(destinazione.string());
    if (::access(file.c_str(), R_OK) != 0) {
      rimasti.push_back(file.string());
      return;
    }
    std::error_code creata;
    fs::create_directories(destinazione.parent_path(), creata);
    std::string motivo;
    if (!CopiaSeManca(file, destinazione, &motivo) && primo.empty()) primo = motivo;
  };
  for (const std::string& ricordato : ricordati) {
    if (Trim(ricordato).empty()) continue;
    const fs::path p(PercorsoAssoluto(ricordato));
    std::error_code tipo;
    if (fs::is_regular_file(p, tipo)) {
      porta(p);
    } else if (fs::is_directory(p, tipo)) {
      for (fs::directory_iterator it(p, tipo), fine; !tipo && it != fine; it.increment(tipo)) {
        std::error_code t;
        if (it->is_regular_file(t) && DatoDelProgramma(it->path().filename().string())) porta(it->path());
      }
    }
  }
  std::vector<std::string> messaggi;
  if (!primo.empty()) {
    messaggi.push_back(primo + "\r\nIl trasferimento dei file di " + vecchia + " nella cartella " + utente +
                       " non e' terminato: riprende al prossimo avvio.");
  } else {
    fs::remove(marca, ec);
  }
  if (!rimasti.empty()) {
    std::string elenco;
    for (const std::string& r : rimasti) elenco += "\r\n" + r;
    messaggi.push_back("Questi file non si possono leggere e restano nella cartella " + vecchia + ":" + elenco);
  }
  if (ripresa) *ripresa = true;
  if (errore && !messaggi.empty()) *errore = Unisci(messaggi);
  return messaggi.empty();
}

std::string PercorsoNellaCopia(const std::string& percorso, const std::string& da, const std::string& a) {
  if (Trim(percorso).empty() || da.empty()) return {};
  const fs::path assoluto(PercorsoAssoluto(percorso));
  const fs::path radice(PercorsoAssoluto(da));
  const fs::path relativo = assoluto.lexically_relative(radice);
  if (relativo.empty() || *relativo.begin() == "..") return {};
  const fs::path copia = relativo == "." ? fs::path(a) : fs::path(a) / relativo;
  std::error_code ec;
  if (!fs::exists(copia, ec)) return {};
  std::string risultato = copia.lexically_normal().string();
  // A folder remembered with its closing separator keeps it.
  const char ultimo = percorso.back();
  if ((ultimo == '/' || ultimo == '\\') && risultato.back() != '/') risultato += '/';
  return risultato;
}

void ImpostaCartellaProgramma(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && (f.back() == '/' || f.back() == '\\')) f.pop_back();
  Cartella() = f;
}

std::string PercorsoAssoluto(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  const fs::path assoluto = fs::absolute(path, ec);
  if (ec) return path;
  const fs::path canonico = fs::weakly_canonical(assoluto, ec);
  return ec ? assoluto.lexically_normal().string() : canonico.string();
}

std::string UnisciPercorso(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '/';
  out += name;
  return out;
}

std::string TrovaFileNoCase(const std::string& folder, std::string_view name) {
  std::string esatto = UnisciPercorso(folder, name);
  std::error_code ec;
  if (fs::is_regular_file(esatto, ec)) return esatto;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (UgualiNoCase(it->path().filename().string(), name) && it->is_regular_file(ec)) return it->path().string();
  }
  return {};
}

std::string FileProgramma(std::string_view name) {
  std::string trovato = TrovaFileNoCase(CartellaProgramma(), name);
  return trovato.empty() ? UnisciPercorso(CartellaProgramma(), name) : trovato;
}

std::string GetNomeFile(std::string_view path) {
  size_t p = UltimoSeparatore(path);
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string EstraiNomeFile(std::string_view path) { return GetNomeFile(path); }

std::string GetNomeSenzaEstensione(std::string_view path) {
  auto parts = Split(GetNomeFile(path), ".");
  std::string out;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (!out.empty()) out += '.';
    out += parts[i];
  }
  return out;
}

std::string GetFileTitle(std::string_view path) {
  std::string name = Trim(GetNomeFile(path));
  size_t p = name.rfind('.');
  return p == std::string::npos ? name : name.substr(0, p);
}

std::string GetCartella(std::string_view path) {
  size_t p = UltimoSeparatore(path);
  return std::string(p == std::string_view::npos ? path : path.substr(0, p + 1));
}

bool IsAlfaNumerico(char32_t c) { return (c >= 48 && c <= 57) || (c >= 65 && c <= 90) || (c >= 97 && c <= 122); }

bool IsNomeValido(std::string_view name) {
  for (char c : name)
    if (!IsAlfaNumerico(static_cast<unsigned char>(c))) return false;
  return true;
}

bool EsisteFile(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  return in.good();
}

bool CreaFileVuoto(const std::string& path) {
  std::string errore;
  if (WriteFileAtomic(path, "\r\n", &errore)) return true;
  MsgBox(errore);
  return false;
}

bool DeleteFileIfExists(const std::string& path, std::string* motivo) {
  if (motivo) motivo->clear();
  std::error_code ec;
  if (path.empty() || !fs::is_regular_file(fs::symlink_status(path, ec))) return false;
  // Removing a file is a matter of its folder: a read-only file in a folder the user may write
  // goes, a file in a folder the user may not write stays, unchanged.
  if (::unlink(path.c_str()) == 0) return true;
  if (motivo) *motivo = MotivoErrore(errno);
  return false;
}

int16_t ContatoreAttesa = 0;

void ImpostaCursore(int16_t codice) {
  if (codice == 11) {
    ++ContatoreAttesa;
  } else if (codice == 0) {
    if (ContatoreAttesa > 0) --ContatoreAttesa;
  } else {
    Interazione().Puntatore(codice);
    return;
  }
  Interazione().Puntatore(ContatoreAttesa > 0 ? 11 : 0);
}

std::string NomeFormatoCarta(int16_t codice) {
  static const char* const nomi[41] = {
      "Lettera (21,6 x 27,9 cm).",
      "Lettera ridotta (21,6 x 27,9 cm).",
      "Tabloid (27,9 x 43,2 cm).",
      "Ledger (43,2 x 27,9 cm).",
      "Legale (21,6 x 35,6 cm).",
      "Statement (14 x 21,7 cm).",
      "Executive (18,4 x 26,7 cm).",
      "A3 (29,7 x 42 cm).",
      "A4 (21 x 29,7 cm)",
      "A4 ridotto (21 x 29,7 cm).",
      "A5 (14,8 x 21 cm).",
      "B4 (25 x 35,4 cm).",
      "B5 (18,2 x 25,7 cm).",
      "Folio (21,6 x 33 cm).",
      "Quarto (21,5 x 27,5 cm).",
      "25,3 x 35,6 cm.",
      "27,9 x 43,2 cm.",
      "Nota (21,6 x 27,9 cm).",
      "Busta #9, 3 7/8 x 8 7/8",
      "Busta #10, 4 1/8 x 9 1/2",
      "Busta #11, 4 1/2 x 10 3/8",
      "Busta #12, 4 1/2 x 11",
      "Busta #14, 5 x 11 1/2",
      "Foglio dimensioni C",
      "Foglio dimensioni D",
      "Foglio dimensioni E",
      "Busta DL, 110 x 220 mm",
      "Busta C5, 162 x 229 mm",
      "Busta C3, 324 x 458 mm",
      "Busta C4, 229 x 324 mm",
      "Busta C6, 114 x 162 mm",
      "Busta C65, 114 x 229 mm",
      "Busta B4, 250 x 353 mm",
      "Busta B5, 176 x 250 mm",
      "Busta B6, 176 x 125 mm",
      "Busta, 110 x 230 mm",
      "Busta Monarch, 3 7/8 x 7 1/2",
      "Busta, 3 5/8 x 6 1/2",
      "Modulo continuo americano standard, 14 7/8 x 11",
      "Modulo continuo tedesco Standard, 8 1/2 x 12",
      "Uso bollo modulo continuo tedesco, 8 1/2 x 13"};
  if (codice >= 1 && codice <= 41) return nomi[codice - 1];
  return "Definito dall'utente.";
}

}  // namespace varnex
