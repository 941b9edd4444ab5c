// How a number typed into a cell (the segment table, the archive editors) is read and when it is
// refused: one rule for every table the user types numbers into.
#pragma once

#include <optional>
#include <string>

namespace varnex {

// A typed number as a single; nullopt when it does not fit one (it would poison the calculation).
std::optional<float> Singolo(double v);

// A number cell's text read strictly: blanks around it, an optional sign, digits with at most one
// decimal point ("," counts as one); nullopt for anything else, an empty text included.
std::optional<double> NumeroCella(const std::string& testo);

// Why a typed text cannot be stored as the quantity `nome` ("la lunghezza"), "" when it can: not
// a number, a negative quantity (unless `negativoAmmesso`), a value a single cannot hold. The
// message quotes the text as typed.
std::string RifiutoNumero(const std::string& nome, const std::string& testo, bool negativoAmmesso = false);

}  // namespace varnex
