#include "report/files/report_txt.h"

#include <memory>

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
  interno::SalvaSchemaReport(interno::PercorsoBitmap(reportPath, false));
}

void PrintTXTReport() {
  const interno::RunInCorso run;
  if (!run.Libera()) return;
  IFinestreStampaFile& finestre = FinestreStampaFile();
  SeparatoreTXT = "\t";
  int16_t sezioni = 0;
  int16_t passo = 0;
  bool attesa = false;
  std::unique_ptr<TextWriter> file;
  struct Chiusura {
    ~Chiusura() { StreamTXT = nullptr; }
  } chiusura;

  try {
    CaricaLogoReport();
    passo = 1;
    const std::string percorso = GetReportFileName(1);
    if (percorso.empty()) return;
    finestre.MostraAttesa();
    attesa = true;
    finestre.UpdateBar(0, NumSezioniStampa);
    // A target that cannot be written is the opening's failure, as when the file was created here.
    VerificaScritturaReport(percorso);
    file = std::make_unique<TextWriter>(percorso);
    StreamTXT = file.get();
    CalcolaRete();

    int16_t net = 1;
    auto avvia = [&](int16_t p, SezioneReport s) {
      passo = p;
      finestre.PrintMsg(TestoAvanzamento(s));
    };
    auto barra = [&] { finestre.UpdateBar(sezioni, NumSezioniStampa); };

    if (StampaCopertina) {
      avvia(2, SezioneReport::Copertina);
      PrintCopertinaTXT();
      ++sezioni;
    }
    barra();
    if (StampaTronchi) {
      // The separator still belongs to the step before.
      if (sezioni > 0) WriteSeparatorLine();
      avvia(3, SezioneReport::Tronchi);
      PrintTronchiTXT(net);
      ++sezioni;
    }
    barra();
    if (StampaPDCLocalizzate) {
      avvia(4, SezioneReport::PDCLocalizzate);
      if (sezioni > 0) WriteSeparatorLine();
      PrintPDCLocalizzateTXT(net);
      ++sezioni;
    }
    barra();
    if (StampaVerifica) {
      avvia(5, SezioneReport::Verifica);
      if (sezioni > 0) WriteSeparatorLine();
      PrintPercorsoSfavoritoTXT(net);
      ++sezioni;
    }
    barra();
    if (StampaUtenze) {
      avvia(6, SezioneReport::Utenze);
      if (sezioni > 0) WriteSeparatorLine();
      PrintRiepilogoUtenzeTXT(net);
      ++sezioni;
    }
    barra();
    if (StampaComputo) {
      passo = 7;
      ResetComputo();
      finestre.PrintMsg(TestoAvanzamento(SezioneReport::Computo));
      CalcolaComputo(1);
      finestre.PrintMsg(TestoTabellaComputo);
      if (sezioni > 0) WriteSeparatorLine();
      PrintComputoTXT(0);
      ++sezioni;
    }
    barra();
    if (StampaTenutaImpianto) {
      avvia(8, SezioneReport::TenutaImpianto);
      if (sezioni > 0) WriteSeparatorLine();
      TenutaImpiantoRefresh();
      PrintTenutaImpiantoTXT();
      ++sezioni;
    }
    barra();
    if (StampaDiagrammaRete) {
      avvia(9, SezioneReport::DiagrammaRete);
      PrintDiagrammaReteTXT(percorso);
      ++sezioni;
    }
    if (LogoReport) CopiaLogoReport(percorso);
    finestre.ChiudiAttesa();
    attesa = false;
    // The report reaches the disk here, whole, or not at all.
    StreamTXT = nullptr;
    std::string motivo;
    if (!file->Commit(&motivo)) throw ErroreStampaFile(errore_file::AccessoFile);
    file.reset();
    MsgBox("Stampa su file TXT conclusa con successo.", Bottoni::OK, Icona::Informazione, "Conclusione");
    finestre.ChiudiDialogoStampa();
  } catch (...) {
    const interno::ErroreRun errore = interno::LeggiErrore(std::current_exception());
    const std::string testo = interno::MessaggioFallimento("Stampa su file TXT.", passo, errore);
    if (attesa) finestre.ChiudiAttesa();
    MsgBox(testo, Bottoni::OK, Icona::Esclamazione, "Errore");
  }
}

}  // namespace varnex
