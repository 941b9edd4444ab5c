// Texts typed into the archive editors that the archive files could not give back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/valori_archivio.h"

namespace varnex {

// The message refusing `testo` for a field the archive reader would not give back as typed
// (TestoArchiviabile); `campo` names the field, capitalised ("Il nome del gas").
std::string MsgTestoNonArchiviabile(const std::string& campo, std::string_view testo);

// The message refusing a value outside its field's range; `campo` names the field, capitalised.
std::string MsgValoreNonAmmesso(const std::string& campo, CampoArchivio regola);

// The number an editor box holds, read by the table's rule (NumeroCella: one plain number, a
// decimal comma or point; a blank box is 0), when its field admits it in single precision;
// nullopt otherwise, a text that is no plain number included.
std::optional<float> ValoreCasella(std::string_view testo, CampoArchivio regola);

}  // namespace varnex
