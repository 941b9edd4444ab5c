// The gas selector of the main window's toolbar, as logic: applying the gas the user chose.
#pragma once

#include <optional>
#include <string>

namespace varnex {

enum class EsitoSceltaGas {
  Applicato,      // the gas in use changed: the project is modified, the caller recalculates
  Invariato,      // the chosen gas is the gas in use: nothing changes
  Rifiutato,      // a non-combustible gas for an internal installation (after the message)
  NonTrovato,     // the name is not in the archive: the gas in use stays
};

// Applies the selector's entry (`voce`; nullopt when no entry is selected): sets CurrentGas,
// refuses a non-combustible gas for an internal installation with the message, and when the gas
// differs from GasCorrente copies it into GasCorrente, sets PDCMaxUtente to automatic and marks
// the project modified.
EsitoSceltaGas ApplicaSceltaGas(const std::optional<std::string>& voce);

// The check of the calculate button: CurrentGas from the selector's entry; false (after the
// message) for a non-combustible gas in an internal installation. Without an entry, or with a
// name the archive lacks, the gas in use is kept.
bool VerificaGasCalcolo(const std::optional<std::string>& voce);

// "Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile"
extern const char* const MsgGasNonCombustibile;

}  // namespace varnex
