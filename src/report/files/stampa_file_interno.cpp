#include "report/files/stampa_file_interno.h"

#include "model/rete.h"
#include "model/strings.h"
#include "report/files/stampa_file.h"
#include "report/print/sezioni.h"

namespace varnex::interno {

ErroreRun LeggiErrore(std::exception_ptr errore) {
  try {
    if (errore) std::rethrow_exception(errore);
  } catch (const ErroreStampaFile& e) {
    return {e.Numero(), e.what()};
  } catch (const std::out_of_range&) {
    return {errore_file::IndiceFuoriIntervallo, DescrizioneErrore(errore_file::IndiceFuoriIntervallo)};
  } catch (const std::overflow_error&) {
    return {errore_file::Overflow, DescrizioneErrore(errore_file::Overflow)};
  } catch (const std::exception& e) {
    // A section's own fault (ErroreReport and the like): its reason is the description.
    return {errore_file::ArgomentoNonValido, e.what()};
  } catch (...) {
  }
  return {errore_file::ArgomentoNonValido, DescrizioneErrore(errore_file::ArgomentoNonValido)};
}

std::string MessaggioFallimento(const std::string& intestazione, int16_t passo, const ErroreRun& errore) {
  return intestazione + "\r\n" + TestoPassoStampaFile(passo) + "\r\n" + "Codice d'errore: " +
         std::to_string(errore.Numero) + ".\r\n" + "Descrizione errore: " + errore.Descrizione;
}

std::string PercorsoBitmap(const std::string& reportPath, bool sostituisciPunti) {
  std::string nome = Left(Riferimento, 70);
  for (char& c : nome) {
    if (c == '/' || c == '\\' || (sostituisciPunti && c == '.')) c = '_';
  }
  return CartellaReport(reportPath) + nome + ".bmp";
}

namespace {
bool runAttiva = false;
}  // namespace

RunInCorso::RunInCorso() : libera_(!runAttiva) { runAttiva = true; }
RunInCorso::~RunInCorso() {
  if (libera_) runAttiva = false;
}

void SalvaSchemaReport(const std::string& percorsoBitmap) {
  try {
    FinestreStampaFile().SaveSchema(percorsoBitmap);
  } catch (const ErroreStampaFile&) {
    throw;
  } catch (const std::exception&) {
    throw ErroreStampaFile(errore_file::AccessoFile);
  }
}

}  // namespace varnex::interno
