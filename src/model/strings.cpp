#include "model/strings.h"

namespace varnex {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character with 0-based index n (size() when past the end).
size_t Offset(std::string_view text, size_t n) {
  size_t i = 0;
  while (i < text.size() && n > 0) {
    ++i;
    while (i < text.size() && IsContinuation(text[i])) ++i;
    --n;
  }
  return i;
}

// Changes the case of one two-byte Latin-1 letter (U+00C0..U+00FE, but for the signs at D7/F7).
std::string ChangeCase(std::string_view text, bool upper) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) {
      if (upper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
      if (!upper && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < out.size()) {
      unsigned char d = static_cast<unsigned char>(out[i + 1]);
      // U+00C0..U+00DE are 0xC3 0x80..0x9E, U+00E0..U+00FE are 0xC3 0xA0..0xBE.
      if (upper && d >= 0xA0 && d <= 0xBE && d != 0xB7) out[i + 1] = static_cast<char>(d - 0x20);
      if (!upper && d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    }
  }
  return out;
}

}  // namespace

size_t Len(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if (!IsContinuation(c)) ++n;
  return n;
}

std::string Left(std::string_view text, long n) {
  if (n <= 0) return {};
  return std::string(text.substr(0, Offset(text, static_cast<size_t>(n))));
}

std::string Right(std::string_view text, long n) {
  if (n <= 0) return {};
  size_t len = Len(text);
  if (static_cast<size_t>(n) >= len) return std::string(text);
  return std::string(text.substr(Offset(text, len - static_cast<size_t>(n))));
}

std::string Mid(std::string_view text, long start, long n) {
  if (start < 1) start = 1;
  size_t from = Offset(text, static_cast<size_t>(start - 1));
  if (n < 0) return std::string(text.substr(from));
  size_t to = from + Offset(text.substr(from), static_cast<size_t>(n));
  return std::string(text.substr(from, to - from));
}

std::string LTrim(std::string_view text) {
  size_t a = text.find_first_not_of(' ');
  return a == std::string_view::npos ? std::string() : std::string(text.substr(a));
}

std::string RTrim(std::string_view text) {
  size_t b = text.find_last_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(text.substr(0, b + 1));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

std::string UCase(std::string_view text) { return ChangeCase(text, true); }
std::string LCase(std::string_view text) { return ChangeCase(text, false); }

bool UgualiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UCase(a) == UCase(b);
}

std::string Replace(std::string_view text, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t hit = text.find(what, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  size_t pos = 0;
  while (true) {
    size_t hit = separator.empty() ? std::string_view::npos : text.find(separator, pos);
    if (hit == std::string_view::npos) {
      parts.emplace_back(text.substr(pos));
      return parts;
    }
    parts.emplace_back(text.substr(pos, hit - pos));
    pos = hit + separator.size();
  }
}

}  // namespace varnex
