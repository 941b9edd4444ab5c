#include "archives/testi_archivio.h"

namespace varnex {

bool TestoArchiviabile(std::string_view testo) {
  if (!testo.empty() && testo.front() == '#') return false;
  return testo.find_first_of("\t\r\n") == std::string_view::npos;
}

std::string MsgTestoNonArchiviabile(const std::string& campo) {
  return campo + " non puo' iniziare con \"#\" ne' contenere tabulazioni o ritorni a capo: correggere il testo.";
}

}  // namespace varnex
