#include "model/textfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnex {
namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F (0 = unassigned).
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; a malformed byte is taken as one Latin-1 character.
char32_t NextCodePoint(std::string_view text, size_t& i) {
  unsigned char b = static_cast<unsigned char>(text[i]);
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  if (b < 0x80 || extra == 0 || i + extra >= text.size()) {
    ++i;
    return b;
  }
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char n = static_cast<unsigned char>(text[i + k]);
    if ((n & 0xC0) != 0x80) {
      ++i;
      return b;
    }
    c = (c << 6) | (n & 0x3F);
  }
  i += extra + 1;
  return c;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) {
    unsigned char b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) c = kHigh[b - 0x80];
    AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char32_t c = NextCodePoint(text, i);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k) {
      if (kHigh[k] == c || (kHigh[k] == 0 && c == char32_t(0x80 + k))) {
        mapped = static_cast<char>(0x80 + k);
        break;
      }
    }
    out += mapped;
  }
  return out;
}

std::optional<std::string> LeggiFileGrezzo(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(buffer).str();
}

bool TextReader::Open(const std::string& path) {
  path_ = path;
  lines_.clear();
  next_ = 0;
  open_ = false;
  const std::optional<std::string> byte = LeggiFileGrezzo(path);
  if (!byte) return false;
  Split(Cp1252ToUtf8(*byte));
  open_ = true;
  return true;
}

TextReader TextReader::FromText(std::string_view text) {
  TextReader r;
  r.Split(text);
  r.open_ = true;
  return r;
}

std::vector<std::string> RigheGrezze(std::string_view byte) {
  TextReader righe;
  righe.Split(byte);
  return std::move(righe.lines_);
}

void TextReader::Split(std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string_view line =
        end == std::string_view::npos ? text.substr(start) : text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

std::string TextReader::LineInput() {
  if (Eof()) return {};
  return lines_[next_++];
}

std::string MotivoErrore(int numero) {
  switch (numero) {
    case EACCES:
    case EPERM:
      return "permesso negato (l'utente non ha i diritti per questo file o questa cartella)";
    case ENOSPC:
    case EDQUOT:
      return "spazio esaurito sul disco";
    case EROFS:
      return "il disco o la cartella sono di sola lettura";
    case ENOENT:
      return "il file o la cartella non esiste";
    case ENAMETOOLONG:
      return "nome del file o della cartella troppo lungo";
    case ENOTDIR:
      return "nel percorso c'e' un file dove dovrebbe esserci una cartella";
    case EISDIR:
      return "c'e' una cartella con il nome del file";
    case EFBIG:
      return "file troppo grande per il disco o per i limiti posti all'utente";
    default:
      return std::strerror(numero);
  }
}

void TextWriter::PrintLine(std::string_view text) {
  pending_ += text;
  pending_ += "\r\n";
}

bool TextWriter::Commit(std::string* error) { return WriteFileAtomic(path_, pending_, error); }

namespace {

namespace fs = std::filesystem;

// What the user named may be a symbolic link (a project opened through a link in another folder):
// the file it leads to is the one to replace, or the link would be swapped for a regular file while
// its target kept the old content. A dangling link leads to the file it names, which is created.
bool DestinazioneReale(const fs::path& percorso, fs::path& reale, int& numero) {
  reale = percorso;
  for (int salti = 0; salti < 40; ++salti) {
    struct stat st {};
    if (::lstat(reale.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::error_code ec;
    const fs::path dove = fs::read_symlink(reale, ec);
    if (ec) {
      numero = ec.value();
      return false;
    }
    reale = dove.is_absolute() ? dove : reale.parent_path() / dove;
  }
  numero = ELOOP;
  return false;
}


// Gives the new file the owner, group and permissions of the one it replaces, as far as the user
// may: a colleague's group write access or a read-only mode must survive a save. A user who may
// not hand the file to its owner still keeps its group and mode.
void CopiaProprietaEPermessi(int fd, const struct stat& vecchio) {
  if (::fchown(fd, vecchio.st_uid, vecchio.st_gid) != 0) {
    [[maybe_unused]] const int ignorato = ::fchown(fd, static_cast<uid_t>(-1), vecchio.st_gid);
  }
  ::fchmod(fd, vecchio.st_mode & 07777);
}

// The folder entry of the rename reaches the disk too, so that a crash right after a save finds
// the new file, not the old one or neither.
void SincronizzaCartella(const fs::path& cartella) {
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The temporary name of a save of `nome`: ".~" + name + "." + digits + ".tmp".
std::string NomeTemporaneo(const std::string& nome, unsigned numero) {
  return ".~" + nome + "." + std::to_string(numero) + ".tmp";
}

bool TemporaneoDi(const std::string& candidato, const std::string& nome) {
  const std::string inizio = ".~" + nome + ".";
  const std::string fine = ".tmp";
  if (candidato.size() <= inizio.size() + fine.size() || candidato.compare(0, inizio.size(), inizio) != 0 ||
      candidato.compare(candidato.size() - fine.size(), fine.size(), fine) != 0)
    return false;
  for (size_t i = inizio.size(); i < candidato.size() - fine.size(); ++i)
    if (candidato[i] < '0' || candidato[i] > '9') return false;
  return true;
}

bool StessoFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A save holds a lock on its temporary copy from its creation to its rename. A copy nobody holds
// was left by a save killed half-way; one that is held belongs to a save running now, in this
// process or another (a colleague saving the same shared file), and is left alone.
bool TemporaneoRimasto(const fs::path& percorso, int& fd) {
  fd = ::open(percorso.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  // A copy that cannot even be opened is not known to be stale.
  if (fd < 0) return false;
  struct stat aperto {}, nome {};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &aperto) != 0 || !S_ISREG(aperto.st_mode) ||
      ::lstat(percorso.c_str(), &nome) != 0 || !StessoFile(aperto, nome)) {
    ::close(fd);
    fd = -1;
    return false;
  }
  return true;
}

// The next save of the same file removes the copies saves killed half-way left behind: only
// regular files named exactly as this code names them, and only those no running save holds.
void RimuoviTemporaneiRimasti(const fs::path& cartella, const std::string& nome) {
  std::error_code ec;
  for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
    if (!TemporaneoDi(it->path().filename().string(), nome)) continue;
    int fd = -1;
    if (!TemporaneoRimasto(it->path(), fd)) continue;
    // Removed while the lock is held, so that no save can take the name over in between.
    ::unlink(it->path().c_str());
    ::close(fd);
  }
}

// Creates the temporary copy of a save of `nome` in `cartella` under a free name and locks it;
// -1 with errno set when no copy can be made. The caller keeps the lock until the copy has its
// real name (renamed or linked), so that no other save takes the copy for a stale one. Another save may have removed it between the
// creation and the lock: then it starts over on a new name. (Where the file system has no
// locks, no save removes a copy it cannot lock either.)
int CreaTemporaneoBloccato(const fs::path& cartella, const std::string& nome, mode_t modo, fs::path& temp) {
  std::random_device rd;
  int fd = -1;
  for (int tentativo = 0; fd < 0 && tentativo < 10; ++tentativo) {
    temp = cartella / NomeTemporaneo(nome, rd() % 1000000);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modo);
    if (fd < 0 && errno != EEXIST) break;
    if (fd < 0) continue;
    struct stat aperto {}, trovato {};
    if (::flock(fd, LOCK_EX) == 0 && (::fstat(fd, &aperto) != 0 || ::lstat(temp.c_str(), &trovato) != 0 ||
                                      !StessoFile(aperto, trovato))) {
      ::close(fd);
      fd = -1;
      errno = EEXIST;
    }
  }
  return fd;
}

// Writes all of `bytes` to `fd`; 0 or the system's error number.
int ScriviTutto(int fd, std::string_view bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    written += static_cast<size_t>(n);
  }
  return ::fsync(fd) != 0 ? errno : 0;
}

}  // namespace

bool WriteBytesAtomic(const std::string& path, std::string_view bytes, ErroreSalvataggio* errore) {
  auto fail = [&](int numero, const std::string& cosa) {
    if (errore) *errore = {numero, cosa + " " + path + ": " + MotivoErrore(numero)};
    return false;
  };
  fs::path target;
  int numero = 0;
  if (!DestinazioneReale(fs::path(path), target, numero)) return fail(numero, "Impossibile scrivere il file");

  struct stat vecchio {};
  const bool esiste = ::stat(target.c_str(), &vecchio) == 0;
  if (esiste && S_ISDIR(vecchio.st_mode)) return fail(EISDIR, "Impossibile scrivere il file");
  if (esiste && S_ISREG(vecchio.st_mode)) {
    // A file the user may not write is not replaced behind his back, although the folder would
    // allow the rename: the kernel's own answer decides (mode, read-only mount, immutable file).
    const int prova = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (prova < 0) return fail(errno, "Impossibile scrivere il file");
    ::close(prova);
  }

  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  fs::path temp;
  // A new file gets the mode the user's umask gives any new file; a replaced one its old mode.
  int fd = CreaTemporaneoBloccato(folder, target.filename().string(), esiste ? 0600 : 0666, temp);
  if (fd < 0) return fail(errno, "Impossibile creare il file");
  auto interrompi = [&](int n, const std::string& cosa) {
    ::close(fd);
    ::unlink(temp.c_str());
    return fail(n, cosa);
  };
  if (esiste && S_ISREG(vecchio.st_mode)) CopiaProprietaEPermessi(fd, vecchio);
  if (const int n = ScriviTutto(fd, bytes); n != 0) return interrompi(n, "Errore di scrittura nel file");
  // The lock belongs to the open file, not to this descriptor: a second descriptor keeps it past
  // the close, whose error a network file system may give only now, until the copy has its real
  // name, or another save of the same file would take the copy for a stale one and remove it.
  const int blocco = ::dup(fd);
  if (::close(fd) != 0) {
    const int n = errno;
    ::unlink(temp.c_str());
    if (blocco >= 0) ::close(blocco);
    return fail(n, "Errore di scrittura nel file");
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int n = errno;
    ::unlink(temp.c_str());
    if (blocco >= 0) ::close(blocco);
    return fail(n, "Impossibile sostituire il file");
  }
  if (blocco >= 0) ::close(blocco);
  SincronizzaCartella(folder);
  RimuoviTemporaneiRimasti(folder, target.filename().string());
  return true;
}

bool CreaFileSeManca(const std::string& path, std::string_view bytes, ErroreSalvataggio* errore) {
  auto fail = [&](int numero, const std::string& cosa) {
    if (errore) *errore = {numero, cosa + " " + path + ": " + MotivoErrore(numero)};
    return false;
  };
  const fs::path target(path);
  std::error_code ec;
  if (fs::symlink_status(target, ec).type() != fs::file_type::not_found) return true;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  fs::path temp;
  const int fd = CreaTemporaneoBloccato(folder, target.filename().string(), 0666, temp);
  if (fd < 0) return fail(errno, "Impossibile creare il file");
  int numero = ScriviTutto(fd, bytes);
  if (numero == 0) {
    // Linked under the real name, which the system refuses when something took that name
    // meanwhile: what is there stays. The copy stays locked until then.
    if (::link(temp.c_str(), target.c_str()) != 0) {
      numero = errno;
      // A file system without hard links: the rename may replace only what is still missing.
      if (numero != EEXIST && fs::symlink_status(target, ec).type() == fs::file_type::not_found)
        numero = ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
      if (numero == EEXIST) numero = 0;
    }
  }
  ::unlink(temp.c_str());
  ::close(fd);
  if (numero != 0) return fail(numero, "Impossibile creare il file");
  SincronizzaCartella(folder);
  return true;
}

void RimuoviTemporaneiDi(const std::string& path) {
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  RimuoviTemporaneiRimasti(folder, target.filename().string());
}

bool WriteFileAtomic(const std::string& path, std::string_view text, std::string* error) {
  ErroreSalvataggio e;
  if (WriteBytesAtomic(path, Utf8ToCp1252(text), &e)) return true;
  if (error) *error = e.Testo;
  return false;
}

}  // namespace varnex
