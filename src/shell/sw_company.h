// The supplier details: read at start-up from the optional "SWCOMPANY.CFG" of the program folder,
// or the program's own built-in details when the file is missing.
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

extern int16_t SwCompanyPresente;  // -1 when "SWCOMPANY.CFG" was found
extern std::string SwCompanyNome;
extern std::string SwCompanyIndirizzo;
extern std::string SwCompanyTelefono;
extern std::string SwCompanyWeb;

// The program's own details, used when no supplier file is present; the contacts card shows them.
struct DettagliFornitore {
  const char* nome;
  const char* indirizzo;
  const char* telefono;
  const char* web;
  const char* email;
};
const DettagliFornitore& DettagliPredefiniti();

// Reads "SWCOMPANY.CFG": its first four data lines (blank and "#" lines skipped) are name,
// address, telephone and web line, in that order; missing lines read as empty texts.
void LoadSwCompany();

}  // namespace varnex
