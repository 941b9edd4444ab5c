#include "model/textfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include <fcntl.h>
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

bool TextReader::Open(const std::string& path) {
  path_ = path;
  lines_.clear();
  next_ = 0;
  open_ = false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  Split(Cp1252ToUtf8(buffer.str()));
  open_ = true;
  return true;
}

TextReader TextReader::FromText(std::string_view text) {
  TextReader r;
  r.Split(text);
  r.open_ = true;
  return r;
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

void TextWriter::PrintLine(std::string_view text) {
  pending_ += text;
  pending_ += "\r\n";
}

bool TextWriter::Commit(std::string* error) { return WriteFileAtomic(path_, pending_, error); }

bool WriteFileAtomic(const std::string& path, std::string_view text, std::string* error) {
  namespace fs = std::filesystem;
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  const std::string bytes = Utf8ToCp1252(text);
  fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::random_device rd;
  fs::path temp = folder / (".~" + target.filename().string() + "." + std::to_string(rd() % 1000000) + ".tmp");

  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return fail("Impossibile creare il file " + path);
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return fail("Errore di scrittura nel file " + path);
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(temp.c_str());
    return fail("Errore di scrittura nel file " + path);
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return fail("Impossibile sostituire il file " + path);
  }
  return true;
}

}  // namespace varnex
