// Reading a number of an archive file (gases, pipe series, fittings, maximum drops) into the
// single-precision field that holds it.
#pragma once

#include <optional>
#include <string_view>

namespace varnex {

// The field's value by the decimal reading rule, or nullopt when it is not a finite number that
// a single holds (an exponent beyond its range would turn into infinity and, written back, into
// "0"), or when it is negative and `ammessoNegativo` is false. Such a value must never reach the
// calculation: the caller refuses the line with a message naming the file and the line.
std::optional<float> ValoreArchivio(std::string_view testo, bool ammessoNegativo = false);

}  // namespace varnex
