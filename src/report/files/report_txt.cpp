#include "report/files/report_txt.h"

#include "model/calcolo.h"
#include "model/computo.h"
#include "model/interaction.h"
#include "report/files/stampa_file.h"
#include "report/files/stampa_file_interno.h"
#include "report/print/sezioni.h"
#include "model/tenuta.h"

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
    auto prima = [&](SezioneReport s) {
      if (s != SezioneReport::Copertina) run.Barra();
    };
    auto scrivi = [&](SezioneReport s) {
      switch (s) {
        case SezioneReport::Copertina:
          run.Avvia(PassoSezione(s), s);
          PrintCopertinaTXT();
          break;
        case SezioneReport::Tronchi:
          // The separator still belongs to the step before.
          if (run.Sezioni() > 0) WriteSeparatorLine();
          run.Avvia(PassoSezione(s), s);
          PrintTronchiTXT(net);
          break;
        case SezioneReport::PDCLocalizzate:
          run.Avvia(PassoSezione(s), s);
          if (run.Sezioni() > 0) WriteSeparatorLine();
          PrintPDCLocalizzateTXT(net);
          break;
        case SezioneReport::Verifica:
          run.Avvia(PassoSezione(s), s);
          if (run.Sezioni() > 0) WriteSeparatorLine();
          PrintPercorsoSfavoritoTXT(net);
          break;
        case SezioneReport::Utenze:
          run.Avvia(PassoSezione(s), s);
          if (run.Sezioni() > 0) WriteSeparatorLine();
          PrintRiepilogoUtenzeTXT(net);
          break;
        case SezioneReport::Computo:
          run.CalcolaComputo();
          if (run.Sezioni() > 0) WriteSeparatorLine();
          PrintComputoTXT(0);
          break;
        case SezioneReport::TenutaImpianto:
          run.Avvia(PassoSezione(s), s);
          if (run.Sezioni() > 0) WriteSeparatorLine();
          TenutaImpiantoRefresh();
          PrintTenutaImpiantoTXT();
          break;
        case SezioneReport::DiagrammaRete:
          run.Avvia(PassoSezione(s), s);
          PrintDiagrammaReteTXT(percorso);
          break;
      }
      run.Scritta();
    };
    PercorriSezioni(prima, scrivi);
  };
  interno::EseguiRunReport(uscita);
}

}  // namespace varnex
