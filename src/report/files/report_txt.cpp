#include "report/files/report_txt.h"

#include "model/calcolo.h"
#include "model/computo.h"
#include "model/interaction.h"
#include "report/files/stampa_file.h"
#include "report/files/stampa_file_interno.h"
#include "report/print/sezioni.h"
#include "tightness/tenuta.h"

namespace varnex {

TextWriter* StreamTXT = nullptr;
std::string SeparatoreTXT = "\t";

namespace {

TextWriter& Stream() {
  if (!StreamTXT) throw ErroreStampaFile(errore_file::AccessoFile);
  return *StreamTXT;
}

}  // namespace

void WriteSeparatorLine() {
  TextWriter& s = Stream();
  for (int i = 0; i < 3; ++i) s.PrintLine("");
  s.PrintLine(std::string(63, '='));
  for (int i = 0; i < 3; ++i) s.PrintLine("");
}

void WriteBlankLine() { Stream().PrintLine(""); }

void WriteTextLine(const std::string& testo) { Stream().PrintLine(testo); }

void WriteText(const std::string& testo, int16_t endLine) {
  if (endLine != 0)
    Stream().PrintLine(testo);
  else
    Stream().Print(testo);
}

std::string ApplianceCountText(int16_t conteggio, const std::string& etichetta, const std::string& suffisso) {
  return "n° " + std::to_string(conteggio) + SeparatoreTXT + etichetta + (conteggio > 0 ? suffisso : "");
}

void PrintDiagrammaReteTXT(const std::string& reportPath) {
  interno::SalvaSchemaReport(interno::PercorsoBitmap(reportPath));
}

void PrintTXTReport() {
  interno::UscitaReport uscita;
  uscita.tipoFile = 1;
  uscita.nome = "TXT";
  uscita.azzera = [] { SeparatoreTXT.assign(1, '\t'); };
  uscita.collega = [](TextWriter* file) { StreamTXT = file; };
  uscita.scrivi = [](const std::string& percorso, interno::AvanzamentoRun& run) {
    CalcolaReteSeServe();
    int16_t net = 1;
    if (StampaCopertina) {
      run.Avvia(2, SezioneReport::Copertina);
      PrintCopertinaTXT();
      run.Scritta();
    }
    run.Barra();
    if (StampaTronchi) {
      // The separator still belongs to the step before.
      if (run.Sezioni() > 0) WriteSeparatorLine();
      run.Avvia(3, SezioneReport::Tronchi);
      PrintTronchiTXT(net);
      run.Scritta();
    }
    run.Barra();
    if (StampaPDCLocalizzate) {
      run.Avvia(4, SezioneReport::PDCLocalizzate);
      if (run.Sezioni() > 0) WriteSeparatorLine();
      PrintPDCLocalizzateTXT(net);
      run.Scritta();
    }
    run.Barra();
    if (StampaVerifica) {
      run.Avvia(5, SezioneReport::Verifica);
      if (run.Sezioni() > 0) WriteSeparatorLine();
      PrintPercorsoSfavoritoTXT(net);
      run.Scritta();
    }
    run.Barra();
    if (StampaUtenze) {
      run.Avvia(6, SezioneReport::Utenze);
      if (run.Sezioni() > 0) WriteSeparatorLine();
      PrintRiepilogoUtenzeTXT(net);
      run.Scritta();
    }
    run.Barra();
    if (StampaComputo) {
      run.Passo(7);
      ResetComputo();
      run.Messaggio(TestoAvanzamento(SezioneReport::Computo));
      CalcolaComputo(1);
      run.Messaggio(TestoTabellaComputo);
      if (run.Sezioni() > 0) WriteSeparatorLine();
      PrintComputoTXT(0);
      run.Scritta();
    }
    run.Barra();
    if (StampaTenutaImpianto) {
      run.Avvia(8, SezioneReport::TenutaImpianto);
      if (run.Sezioni() > 0) WriteSeparatorLine();
      TenutaImpiantoRefresh();
      PrintTenutaImpiantoTXT();
      run.Scritta();
    }
    run.Barra();
    if (StampaDiagrammaRete) {
      run.Avvia(9, SezioneReport::DiagrammaRete);
      PrintDiagrammaReteTXT(percorso);
      run.Scritta();
    }
  };
  interno::EseguiRunReport(uscita);
}

}  // namespace varnex
