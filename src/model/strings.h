// Small text operations on UTF-8 strings that count characters, not bytes, the way the
// original single-byte texts did (a label of 10 characters stays 10 characters with accents).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// Number of characters (code points).
size_t Len(std::string_view text);
// First n characters; last n characters; n characters from the 1-based position start
// (n < 0: to the end). Out-of-range arguments give what is there, never an error.
std::string Left(std::string_view text, long n);
std::string Right(std::string_view text, long n);
std::string Mid(std::string_view text, long start, long n = -1);

// Blanks (spaces only, as the original) trimmed.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// Letter case of ASCII and of the Latin-1 letters (accented Italian letters included).
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
// Equal without regard to letter case.
bool UgualiNoCase(std::string_view a, std::string_view b);

// Every occurrence of what replaced by with.
std::string Replace(std::string_view text, std::string_view what, std::string_view with);
// Split at a separator; an empty text gives one empty part.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

}  // namespace varnex
