// What the HTML and text runs share: the run around the sections, the failure message, the name
// of the schema bitmap, the page-budget arithmetic.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace varnex {
class IFinestreStampaFile;
struct MisuraSchema;
struct ParteFiguraSchema;
class TextWriter;
enum class SezioneReport : int16_t;
}  // namespace varnex

namespace varnex::interno {

// Number and description of whatever ended a run.
struct ErroreRun {
  int32_t Numero = 0;
  std::string Descrizione;
};
ErroreRun LeggiErrore(std::exception_ptr errore);

// "Stampa su file HTML." CR LF step text CR LF "Codice d'errore: " n "." CR LF "Descrizione errore: " d.
std::string MessaggioFallimento(const std::string& intestazione, int16_t passo, const ErroreRun& errore);

// The bitmap beside the report, named after the report file itself ("Rep.html" -> "Rep.html.bmp"):
// two reports in one folder never share a picture, whatever their reference.
std::string PercorsoBitmap(const std::string& reportPath);
// Part n (from 1) of a diagram picture cut into several: the first is the bitmap above, the others
// carry their number before ".bmp" ("Rep.html.2.bmp").
std::string PercorsoParteBitmap(const std::string& reportPath, int n);
// The parts after the first already beside the report, from part 2 on while they follow one
// another: the pictures of an earlier run of the same report.
std::vector<std::string> PartiBitmapEsistenti(const std::string& reportPath);

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
MisuraSchema SalvaSchemaReport(const std::string& percorsoBitmap);
// The same for a picture saved in parts.
MisuraSchema SalvaPartiSchemaReport(const std::function<std::vector<ParteFiguraSchema>(const MisuraSchema&)>& dividi);

// Where a run stands: the step its failure message names, and the sections written so far, which
// the progress bar shows.
class AvanzamentoRun {
 public:
  explicit AvanzamentoRun(IFinestreStampaFile& finestre) : finestre_(finestre) {}
  int16_t Passo() const { return passo_; }
  void Passo(int16_t passo) { passo_ = passo; }
  // A section begins: its step, then its progress text.
  void Avvia(int16_t passo, SezioneReport sezione);
  void Messaggio(const std::string& testo);
  // The bill of quantities' step: its totals are worked out for the run, under its two progress
  // texts, before the output writes its table.
  void CalcolaComputo();
  void Scritta() { ++sezioni_; }
  int16_t Sezioni() const { return sezioni_; }
  void Barra();
  // The diagram pictures the run wrote beside the report, when it wrote them in parts.
  void Figure(std::vector<std::string> figure) { figure_ = std::move(figure); }
  const std::vector<std::string>& Figure() const { return figure_; }

 private:
  IFinestreStampaFile& finestre_;
  std::vector<std::string> figure_;
  int16_t passo_ = 0;
  int16_t sezioni_ = 0;
};

// What one output adds to the run. The run around it is the same for every output: one run at a
// time, the logo, the save dialog, the waiting window, the file built in memory and written whole
// at the end, the closing messages.
struct UscitaReport {
  int16_t tipoFile = 0;                      // the kind GetReportFileName takes
  const char* nome = "";                     // "HTML", "TXT": named in the closing messages
  std::function<void()> azzera;              // the output's state at the start of a run
  std::function<void(TextWriter*)> collega;  // the file the output's writers go to; nullptr: none
  // Everything the output writes, from the start of the file to its end.
  std::function<void(const std::string& percorso, AvanzamentoRun& run)> scrivi;
};
void EseguiRunReport(const UscitaReport& uscita);

}  // namespace varnex::interno
