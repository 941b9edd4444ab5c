// Text files as the system keeps them: Windows-1252 with CR LF on disk, UTF-8 in memory.
//
// TextReader takes the whole file at once and hands out its lines; it accepts CR LF and LF-only
// files and strips the CR before anybody compares a line. TextWriter collects the lines and
// writes them in one go (always CR LF) through WriteBytesAtomic, so that a failed save never
// damages the old file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// Windows-1252 differs from Latin-1 only at 0x80-0x9F; five of those codes are unassigned and are
// read as the Latin-1 control of the same code.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters Windows-1252 cannot hold are written as "?".
std::string Utf8ToCp1252(std::string_view text);

// The bytes of a regular file as they are; nullopt when it cannot be read.
std::optional<std::string> LeggiFileGrezzo(const std::string& path);

// The lines of a file's bytes as they are, without their line ends, split as TextReader splits
// the text: line n of one is line n of the other.
std::vector<std::string> RigheGrezze(std::string_view byte);

class TextReader {
 public:
  TextReader() = default;
  // Reads the file; false when it cannot be opened or read.
  bool Open(const std::string& path);
  // A reader over text that is already in memory (UTF-8), split the same way as a file.
  static TextReader FromText(std::string_view text);

  bool IsOpen() const { return open_; }
  bool Eof() const { return next_ >= lines_.size(); }
  // The next line without its end; "" past the end.
  std::string LineInput();
  // Line number (from 1) of the line LineInput returned last; 0 before the first.
  size_t LineNumber() const { return next_; }
  const std::string& Path() const { return path_; }

 private:
  void Split(std::string_view text);
  friend std::vector<std::string> RigheGrezze(std::string_view byte);
  std::vector<std::string> lines_;
  size_t next_ = 0;
  bool open_ = false;
  std::string path_;
};

class TextWriter {
 public:
  explicit TextWriter(std::string path) : path_(std::move(path)) {}
  // Appends text to the current line.
  void Print(std::string_view text) { pending_ += text; }
  // Appends text and ends the line with CR LF.
  void PrintLine(std::string_view text = {});
  // The content so far, as UTF-8 with CR LF line ends.
  const std::string& Text() const { return pending_; }
  // Writes the file (WriteFileAtomic). On failure the target is left as it was, the temporary
  // file is removed and `error` says why.
  bool Commit(std::string* error = nullptr);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string pending_;
};

// The system's reason for a failed file operation as the user reads it: in Italian for the
// reasons a user meets (no permission, disk full, read-only file system, missing file or folder,
// name too long, a file where a folder belongs or the other way round, a file too large), the system's own words
// for the rest.
std::string MotivoErrore(int numero);

// Why a write failed: the system's error number and the message for the user, which ends with
// the system's own text for that error.
struct ErroreSalvataggio {
  int Numero = 0;
  std::string Testo;
};

// Writes bytes as they are through a temporary file in the target's folder, renamed over the
// target only when complete; a failure leaves the old file as it was. Written the way the user's
// file system expects a save: a symbolic link is followed and its target replaced, a file the
// user may not write is refused, and the new file keeps the old one's owner, group and
// permissions (a new file gets those of any file the user creates). The temporary copies that
// saves of the same file killed half-way left in the folder are removed once it is saved; a copy
// that a running save holds (locked from its creation to its rename, in this process or
// another) is left alone.
bool WriteBytesAtomic(const std::string& path, std::string_view bytes, ErroreSalvataggio* errore = nullptr);

// Puts a new file with `bytes` at `path` unless something of that name is there (also when it
// appears meanwhile: what is there is never replaced, and that is no failure). The copy is
// written under a temporary name, locked, and linked under the real name only when complete, so
// that a copy cut short never leaves a torn file under the real name.
bool CreaFileSeManca(const std::string& path, std::string_view bytes, ErroreSalvataggio* errore = nullptr);
// Removes the temporary copies that saves of `path` cut short left in its folder (those no
// running save holds).
void RimuoviTemporaneiDi(const std::string& path);

// Writes a whole text (UTF-8, lines already ended) in Windows-1252 the same way.
bool WriteFileAtomic(const std::string& path, std::string_view text, std::string* error = nullptr);

}  // namespace varnex
