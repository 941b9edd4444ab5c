// Small pieces the HTML and text runs share: the failure message, the name of the schema bitmap,
// the page-budget arithmetic.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace varnex::interno {

// Number and description of whatever ended a run.
struct ErroreRun {
  int32_t Numero = 0;
  std::string Descrizione;
};
ErroreRun LeggiErrore(std::exception_ptr errore);

// "Stampa su file HTML." CR LF step text CR LF "Codice d'errore: " n "." CR LF "Descrizione errore: " d.
std::string MessaggioFallimento(const std::string& intestazione, int16_t passo, const ErroreRun& errore);

// The bitmap beside the report: its folder, the first 70 characters of the reference and ".bmp".
// A separator of folders in the reference becomes "_" so that the bitmap never lands elsewhere;
// the HTML report turns points into "_" as well.
std::string PercorsoBitmap(const std::string& reportPath, bool sostituisciPunti);

// Marks a report-file run under way for its lifetime. The runs let window events through while
// they work; a second run started from one of them would write into the first one's report, so
// it is not started (Libera() is false).
class RunInCorso {
 public:
  RunInCorso();
  ~RunInCorso();
  RunInCorso(const RunInCorso&) = delete;
  RunInCorso& operator=(const RunInCorso&) = delete;
  bool Libera() const { return libera_; }

 private:
  bool libera_;
};

// Saves the schema through the installed windows; any refusal becomes the run's file-access error.
void SalvaSchemaReport(const std::string& percorsoBitmap);

}  // namespace varnex::interno
