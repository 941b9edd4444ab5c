// Texts typed into the archive editors that the archive files could not give back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace varnex {

// True when `testo`, written as a field of an archive line, is read back as it is: it does not
// begin with "#" (the readers skip such a line as a comment) and holds no TAB (the field
// separator) and no line break.
bool TestoArchiviabile(std::string_view testo);

// The message refusing such a text; `campo` names the field, capitalised ("Il nome del gas").
std::string MsgTestoNonArchiviabile(const std::string& campo);

}  // namespace varnex
