#include "report/files/stampa_file_interno.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "model/computo.h"
#include "model/files.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/files/stampa_file.h"
#include "model/textfile.h"
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

std::string PercorsoBitmap(const std::string& reportPath) {
  return CartellaReport(reportPath) + GetNomeFile(reportPath) + ".bmp";
}

std::string PercorsoParteBitmap(const std::string& reportPath, int n) {
  if (n <= 1) return PercorsoBitmap(reportPath);
  return CartellaReport(reportPath) + GetNomeFile(reportPath) + "." + std::to_string(n) + ".bmp";
}

std::vector<std::string> PartiBitmapEsistenti(const std::string& reportPath) {
  std::vector<std::string> parti;
  for (int n = 2; EsisteFile(PercorsoParteBitmap(reportPath, n)); ++n) parti.push_back(PercorsoParteBitmap(reportPath, n));
  return parti;
}

namespace {
bool runAttiva = false;
}  // namespace

RunInCorso::RunInCorso() : libera_(!runAttiva) { runAttiva = true; }
RunInCorso::~RunInCorso() {
  if (libera_) runAttiva = false;
}

namespace {

// Saves the picture through the installed windows; any refusal becomes the run's file-access error.
MisuraSchema SalvaFigura(const std::function<MisuraSchema(IFinestreStampaFile&)>& salva) {
  try {
    return salva(FinestreStampaFile());
  } catch (const ErroreStampaFile&) {
    throw;
  } catch (const std::exception& e) {
    // The picture's own failure text carries the system's reason.
    throw ErroreFileConMotivo(errore_file::AccessoFile, e.what());
  }
}

}  // namespace

MisuraSchema SalvaSchemaReport(const std::string& percorsoBitmap) {
  return SalvaFigura([&](IFinestreStampaFile& f) { return f.SaveSchema(percorsoBitmap); });
}

MisuraSchema SalvaPartiSchemaReport(const DivisioneFiguraSchema& dividi) {
  return SalvaFigura([&](IFinestreStampaFile& f) { return f.SalvaPartiSchema(dividi); });
}

void AvanzamentoRun::Avvia(int16_t passo, SezioneReport sezione) {
  passo_ = passo;
  Messaggio(TestoAvanzamento(sezione));
}

void AvanzamentoRun::Messaggio(const std::string& testo) { finestre_.PrintMsg(testo); }

void AvanzamentoRun::CalcolaComputo() {
  Passo(PassoSezione(SezioneReport::Computo));
  ResetComputo();
  Messaggio(TestoAvanzamento(SezioneReport::Computo));
  ::varnex::CalcolaComputo(1);
  Messaggio(TestoTabellaComputo);
}

void AvanzamentoRun::Barra() { finestre_.UpdateBar(sezioni_, NumSezioniStampa); }

void EseguiRunReport(const UscitaReport& uscita) {
  const RunInCorso guardia;
  if (!guardia.Libera()) return;
  EscludiSezioniSenzaOggetto();
  if (!ReteCalcolataPerReport()) return;
  IFinestreStampaFile& finestre = FinestreStampaFile();
  uscita.azzera();
  AvanzamentoRun run(finestre);
  bool attesa = false;
  std::unique_ptr<TextWriter> file;
  // The output goes back to "no report" however the run ends.
  struct Chiusura {
    const UscitaReport& uscita;
    ~Chiusura() { uscita.collega(nullptr); }
  } chiusura{uscita};
  const std::string intestazione = std::string("Stampa su file ") + uscita.nome;

  try {
    CaricaLogoReport();
    run.Passo(1);
    const std::string percorso = GetReportFileName(uscita.tipoFile);
    if (percorso.empty()) return;
    finestre.MostraAttesa();
    attesa = true;
    finestre.UpdateBar(0, NumSezioniStampa);
    // A target that cannot be written is the opening's failure, as when the file was created here.
    VerificaScritturaReport(percorso);
    file = std::make_unique<TextWriter>(percorso);
    uscita.collega(file.get());
    uscita.scrivi(percorso, run);
    std::vector<std::string> scritti = {percorso};
    if (StampaDiagrammaRete != 0) {
      if (run.Figure().empty())
        scritti.push_back(PercorsoBitmap(percorso));
      else
        scritti.insert(scritti.end(), run.Figure().begin(), run.Figure().end());
    }
    if (LogoReport && CopiaLogoReport(percorso)) scritti.push_back(CartellaReport(percorso) + "logo.bmp");
    finestre.ChiudiAttesa();
    attesa = false;
    // The report reaches the disk here, whole, or not at all.
    uscita.collega(nullptr);
    std::string motivo;
    if (!file->Commit(&motivo)) throw ErroreFileConMotivo(errore_file::AccessoFile, motivo);
    file.reset();
    // The parts of an earlier, larger picture would read as this report's: the user agreed to
    // replace them with the report (they were named in the question).
    if (!run.Figure().empty())
      for (const std::string& vecchia : PartiBitmapEsistenti(percorso))
        if (std::find(run.Figure().begin(), run.Figure().end(), vecchia) == run.Figure().end()) DeleteFileIfExists(vecchia);
    std::string elenco;
    for (const std::string& f : scritti) elenco += "\r\n" + f;
    MsgBox(intestazione + " conclusa con successo.\r\nFile scritti:" + elenco, Bottoni::OK, Icona::Informazione,
           "Conclusione");
    finestre.ChiudiDialogoStampa();
  } catch (...) {
    const ErroreRun errore = LeggiErrore(std::current_exception());
    const std::string testo = MessaggioFallimento(intestazione + ".", run.Passo(), errore);
    if (attesa) finestre.ChiudiAttesa();
    MsgBox(testo, Bottoni::OK, Icona::Esclamazione, "Errore");
  }
}

}  // namespace varnex::interno
