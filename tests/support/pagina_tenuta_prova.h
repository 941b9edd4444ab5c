// The tightness page without its window, for tests that follow a record from the page to the
// reports: the core's refreshes (a save, every report) reach the real page logic.
#pragma once

#include <string>
#include <vector>

#include "tightness/pagina_tenuta.h"

namespace varnex::test {

class PaginaTenutaProva : public IPaginaTenuta {
 public:
  PaginaTenutaProva() { ImpostaPaginaTenuta(this); }
  ~PaginaTenutaProva() override { ImpostaPaginaTenuta(nullptr); }
  PaginaTenutaProva(const PaginaTenutaProva&) = delete;
  PaginaTenutaProva& operator=(const PaginaTenutaProva&) = delete;
  void Refresh() override { pagina.TenutaImpiantoRefresh(); }
  void Init() override { pagina.TenutaImpiantoInit(); }
  PaginaTenuta pagina;
};

// Fills every box of the page with a valid value: the meter method, test pressure 2000, leak 0,5,
// a tight device, meter capacity 2, the C.D.P. test pressure 2000 and drop 10; one cause ticked.
void CompilaPaginaTenuta(PaginaTenuta& p);

// Records whose verdict line needs a word: each case changes a filled page (family II, reference
// pressure 2200); every report must carry the page's line under the verdict, the verdict line
// `verdetto` ("" for none: nothing "idonea" at all) and the line `testo` when it is not empty.
struct CasoUscitaTenuta {
  const char* nome;
  void (*prepara)(PaginaTenuta&);
  const char* verdetto;
  const char* testo;
};
const std::vector<CasoUscitaTenuta>& CasiUscitaTenuta();
// Fills `pagina` for the case under a family II gas (family II's constants 2200 and 100, which the
// caller restores), refreshes it into the record and returns the line under its verdict.
std::string CompilaCasoTenuta(const CasoUscitaTenuta& caso, PaginaTenutaProva& pagina);

}  // namespace varnex::test
