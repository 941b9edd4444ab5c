#include "ambiente_fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/textfile.h"

namespace varnex::fuzz {
namespace {

namespace fs = std::filesystem;

// Answers every message the way that lets the reading go on, and shows nothing: a fuzz run prints
// only its findings. A retry question is abandoned, or it would be asked for ever.
class UtenteMuto : public IInterazione {
 public:
  Risposta Messaggio(const std::string&, Bottoni bottoni, Icona, const std::string&) override {
    switch (bottoni) {
      case Bottoni::SiNo:
      case Bottoni::SiNoAnnulla:
        return Risposta::Si;
      case Bottoni::RiprovaAnnulla:
        return Risposta::Annulla;
      default:
        return Risposta::OK;
    }
  }
  void Puntatore(int16_t) override {}
};

std::string cartella;

void Rimuovi() {
  std::error_code ec;
  fs::remove_all(cartella, ec);
}

}  // namespace

void PreparaProgramma() {
  if (!cartella.empty()) return;
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string modello = (base / "varnex-fuzz-XXXXXX").string();
  if (!mkdtemp(modello.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  cartella = modello;
  std::atexit(Rimuovi);
  fs::copy(VARNEX_SOURCE_DATA_DIR, cartella, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  ImpostaCartellaProgramma(cartella);
  static UtenteMuto utente;
  ImpostaInterazione(&utente);
  VersioneProgramma = "VxP4.0.15";
}

std::string File(std::string_view nome) { return (fs::path(cartella) / nome).string(); }

void Scrivi(std::string_view nome, const uint8_t* dati, size_t n) {
  std::ofstream out(File(nome), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(dati), static_cast<std::streamsize>(n));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", File(nome).c_str());
    std::abort();
  }
}

std::string Leggi(std::string_view nome) {
  std::ifstream in(File(nome), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

// The bytes of a file as a text that shows every control character and byte above 0x7E.
std::string Visibile(const std::string& bytes) {
  std::string testo;
  char codice[8];
  for (unsigned char c : bytes) {
    if (c == '\n') {
      testo += "\\n\n";
    } else if (c < 0x20 || c > 0x7E || c == '\\') {
      std::snprintf(codice, sizeof codice, "\\x%02X", c);
      testo += codice;
    } else {
      testo += static_cast<char>(c);
    }
  }
  return testo;
}

// Whether a line of the file begins with "#".
bool RigaCommento(const std::string& testo) {
  size_t inizio = 0;
  while (inizio < testo.size()) {
    if (testo[inizio] == '#') return true;
    const size_t fine = testo.find('\n', inizio);
    if (fine == std::string::npos) break;
    inizio = fine + 1;
  }
  return false;
}

}  // namespace

void StessoFile(const std::string& cosa, const std::string& primo, const std::string& secondo,
                bool valoreInTestaARiga) {
  if (primo == secondo) return;
  // A value that opens a line and begins with "#" is written as a comment line, which no reader
  // takes back: a limit of the file format (a value can begin with "#" when it was read from
  // after leading TABs, or from a last line, which is read even when it is a comment).
  if (valoreInTestaARiga && RigaCommento(primo)) return;
  std::fprintf(stderr, "%s: saved, read back and saved again, the file changed.\n--- first save\n%s\n--- second save\n%s\n",
               cosa.c_str(), Visibile(primo).c_str(), Visibile(secondo).c_str());
  std::abort();
}

}  // namespace varnex::fuzz
