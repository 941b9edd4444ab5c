#include "model/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

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

// Copies one shipped file to `destinazione` unless something of that name is there already (also
// when it appeared meanwhile): written to a temporary name first, then linked under the real one,
// which the system refuses when it exists.
bool CopiaSeManca(const fs::path& origine, const fs::path& destinazione, std::string* errore) {
  std::error_code ec;
  if (fs::symlink_status(destinazione, ec).type() != fs::file_type::not_found) return true;
  const std::optional<std::string> byte = LeggiFileGrezzo(origine.string());
  if (!byte) {
    if (errore) *errore = "Impossibile leggere il file " + origine.string() + ".";
    return false;
  }
  const fs::path temp = destinazione.parent_path() / (".~" + destinazione.filename().string() + ".0.tmp");
  ErroreSalvataggio e;
  if (!WriteBytesAtomic(temp.string(), *byte, &e)) {
    // The user knows the file by its own name, not by that of its hidden copy.
    if (errore) *errore = "Impossibile creare il file " + destinazione.string() + ": " + MotivoErrore(e.Numero);
    return false;
  }
  int numero = 0;
  if (::link(temp.c_str(), destinazione.c_str()) != 0) {
    numero = errno;
    // A file system without hard links: the rename may replace only what is still missing.
    if (numero != EEXIST && fs::symlink_status(destinazione, ec).type() == fs::file_type::not_found)
      numero = ::rename(temp.c_str(), destinazione.c_str()) == 0 ? 0 : errno;
  }
  ::unlink(temp.c_str());
  if (numero != 0 && numero != EEXIST) {
    if (errore) *errore = "Impossibile creare il file " + destinazione.string() + ": " + MotivoErrore(numero);
    return false;
  }
  return true;
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

namespace {

// The shipped files without which the start-up stops ("Reinstallare il programma"): a user's
// folder that lost one gets it back, or the program could never start again.
bool Indispensabile(const std::string& relativo) {
  for (const char* nome : {"gas.cfg", "PARFAMGAS.CFG", "gridgas.cne"})
    if (UgualiNoCase(relativo, nome)) return true;
  return false;
}

// Something of that name is in the user's folder; a file at the top is also found without regard
// to letter case, as the program finds its archives.
bool PresenteNellUtente(const fs::path& utente, const fs::path& relativo) {
  std::error_code ec;
  if (fs::symlink_status(utente / relativo, ec).type() != fs::file_type::not_found) return true;
  return !relativo.has_parent_path() && !TrovaFileNoCase(utente.string(), relativo.string()).empty();
}

// The names (relative, "/"-separated) the record lists; nullopt when there is no record.
std::optional<std::set<std::string>> LeggiRegistroDistribuiti(const fs::path& utente) {
  const std::string percorso = (utente / NomeRegistroDistribuiti).string();
  std::error_code ec;
  if (fs::symlink_status(percorso, ec).type() == fs::file_type::not_found) return std::nullopt;
  std::set<std::string> nomi;
  TextReader registro;
  // A record that cannot be read still says the folder was set up: nothing is brought blindly.
  if (!registro.Open(percorso)) return nomi;
  while (!registro.Eof()) {
    const std::string riga = registro.LineInput();
    if (!riga.empty() && riga.front() != '#') nomi.insert(riga);
  }
  return nomi;
}

bool ScriviRegistroDistribuiti(const fs::path& utente, const std::set<std::string>& nomi, std::string* errore) {
  TextWriter registro((utente / NomeRegistroDistribuiti).string());
  registro.PrintLine("# I file distribuiti con VarnexPro gia' portati in questa cartella.");
  registro.PrintLine("# Un file di questo elenco che manca dalla cartella e' stato tolto e non viene ricopiato.");
  for (const std::string& nome : nomi) registro.PrintLine(nome);
  return registro.Commit(errore);
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
  // A file that cannot be put in place does not keep the others out: the first reason is told.
  std::string primo;
  // The shipped folders and files in the order met; a folder is marked by its flag.
  std::vector<std::pair<fs::path, bool>> voci;
  std::vector<fs::path> distribuiti;
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
      distribuiti.push_back(relativo);
    }
  }
  if (ec) primo = "Impossibile leggere la cartella " + distribuita + ": " + MotivoErrore(ec.value());

  std::optional<std::set<std::string>> registro = LeggiRegistroDistribuiti(cartellaUtente);
  const bool conRegistro = registro.has_value();
  std::set<std::string> portati = registro.value_or(std::set<std::string>{});
  // A folder set up before the record was kept got every file that ships now: what it lacks the
  // user removed. It is told apart from a new folder by holding some shipped file.
  if (!conRegistro && std::any_of(distribuiti.begin(), distribuiti.end(), [&](const fs::path& f) {
        return PresenteNellUtente(cartellaUtente, f);
      })) {
    for (const fs::path& f : distribuiti) portati.insert(f.generic_string());
  }
  bool cambiato = !conRegistro;
  for (const auto& [f, cartella] : voci) {
    if (cartella) {
      // A folder is a place, not a file the user removed: it is made whenever it is missing.
      std::error_code creata;
      fs::create_directories(cartellaUtente / f, creata);
      if (creata && primo.empty())
        primo = "Impossibile creare la cartella " + (cartellaUtente / f).string() + ": " + MotivoErrore(creata.value());
      continue;
    }
    const std::string nome = f.generic_string();
    const bool presente = PresenteNellUtente(cartellaUtente, f);
    if (portati.count(nome) != 0 && (presente || !Indispensabile(nome))) continue;
    std::string motivo;
    // A file already there is the user's, whatever it holds; it counts as brought.
    if (!presente && !CopiaSeManca(radice / f, cartellaUtente / f, &motivo)) {
      if (primo.empty()) primo = motivo;
      continue;
    }
    cambiato = portati.insert(nome).second || cambiato;
  }
  // Written after the copies, so that no file is listed before it is in place: a start cut short
  // in between finds the copies there next time and lists them then.
  std::string motivo;
  if (cambiato && !ScriviRegistroDistribuiti(cartellaUtente, portati, &motivo) && primo.empty()) primo = motivo;
  if (errore && !primo.empty()) *errore = primo;
  return primo.empty();
}

std::string CartellaDellEseguibile() { return CartellaEseguibile(); }

bool RiprendiCartellaPrecedente(const std::string& precedente, const std::string& utente, std::string* errore,
                                bool* ripresa) {
  if (ripresa) *ripresa = false;
  std::error_code ec;
  // Only a first start, and only from a folder that was a program folder (it holds the gases).
  if (fs::symlink_status(utente, ec).type() != fs::file_type::not_found) return true;
  if (TrovaFileNoCase(precedente, "gas.cfg").empty()) return true;
  fs::create_directories(utente, ec);
  if (ec) {
    if (errore) *errore = "Impossibile creare la cartella " + utente + ": " + MotivoErrore(ec.value());
    return false;
  }
  const fs::path radice(precedente);
  std::string primo;
  for (fs::recursive_directory_iterator it(radice, ec), fine; !ec && it != fine; it.increment(ec)) {
    std::error_code tipo;
    const std::string nome = it->path().filename().string();
    const bool cartella = it->is_directory(tipo);
    // Hidden entries and folders other than the projects' are not the program's; neither is a
    // program (anything executable) that shared the folder.
    if (nome.front() == '.' || (cartella && it.depth() == 0 && nome != "Archivio Lavori")) {
      if (cartella) it.disable_recursion_pending();
      continue;
    }
    const fs::path destinazione = fs::path(utente) / fs::relative(it->path(), radice);
    if (cartella) {
      std::error_code creata;
      fs::create_directories(destinazione, creata);
      if (creata && primo.empty())
        primo = "Impossibile creare la cartella " + destinazione.string() + ": " + MotivoErrore(creata.value());
    } else if (it->is_regular_file(tipo) &&
               (it->status(tipo).permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) ==
                   fs::perms::none) {
      std::string motivo;
      if (!CopiaSeManca(it->path(), destinazione, &motivo) && primo.empty()) primo = motivo;
    }
  }
  // The old folder got every shipped file at each build: what it lacks is either new since then
  // or removed by the user a build ago. An empty record lets the shipped files fill those gaps
  // once, as for a new folder, and keeps them out afterwards.
  std::string motivo;
  if (!ScriviRegistroDistribuiti(fs::path(utente), {}, &motivo) && primo.empty()) primo = motivo;
  if (ripresa) *ripresa = true;
  if (errore && !primo.empty()) *errore = primo;
  return primo.empty();
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

bool DeleteFileIfExists(const std::string& path) {
  if (!EsisteFile(path)) return false;
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
  return fs::remove(path, ec) && !ec;
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
