// The report's sections: which ones the user ticked, the order they are written in, the texts the
// progress window shows for them, and the error a section raises to end a run.
//
// Shared by the printed report and the two report files: the print dialog sets the flags, every
// run reads them. Flags are -1 (ticked) and 0.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnex {

// The eight section flags, in the order they lie in memory (the letter order of "SetStampe").
extern int16_t StampaCopertina;
extern int16_t StampaTronchi;
extern int16_t StampaDiagrammaRete;
extern int16_t StampaPDCLocalizzate;
extern int16_t StampaVerifica;
extern int16_t StampaUtenze;
extern int16_t StampaComputo;
extern int16_t StampaTenutaImpianto;

// Number of ticked flags, the diagram included: the total of the progress bar.
extern int16_t NumSezioniStampa;
// The date text printed in every page footer, as typed in the print dialog.
extern std::string DataStampa;

// Owned by the schema drawing (defined there): fit the printed diagram to the page, and the scale
// the diagram page fixes for it.
extern int16_t AdattaSchemaPagina;
extern double ScalaStampaSchema;

// The sections in the order every run writes them; the diagram comes last, as a job of its own
// on paper.
enum class SezioneReport : int16_t {
  Copertina,
  Tronchi,
  PDCLocalizzate,
  Verifica,
  Utenze,
  Computo,
  TenutaImpianto,
  DiagrammaRete,
};
inline constexpr std::array<SezioneReport, 8> OrdineSezioni = {
    SezioneReport::Copertina, SezioneReport::Tronchi, SezioneReport::PDCLocalizzate, SezioneReport::Verifica,
    SezioneReport::Utenze,    SezioneReport::Computo, SezioneReport::TenutaImpianto, SezioneReport::DiagrammaRete};

// The flags in their memory (letter) order: cover, segments, diagram, localized losses, path,
// appliances, bill of quantities, tightness test.
inline constexpr std::array<SezioneReport, 8> OrdineLettere = {
    SezioneReport::Copertina, SezioneReport::Tronchi, SezioneReport::DiagrammaRete, SezioneReport::PDCLocalizzate,
    SezioneReport::Verifica,  SezioneReport::Utenze,  SezioneReport::Computo,       SezioneReport::TenutaImpianto};

// The step of a section in a file run, which its failure message names: 2 for the cover to 9 for
// the diagram, in the order above (step 1 is the opening of the file).
int16_t PassoSezione(SezioneReport sezione);
// The one walk of every run over the sections (the printed report, the HTML and the text file):
// for each section in OrdineSezioni, `prima(sezione)`, ticked or not (the progress bar, and what
// an output writes between sections), then `scrivi(sezione)` when the section is ticked.
void PercorriSezioni(const std::function<void(SezioneReport)>& prima,
                     const std::function<void(SezioneReport)>& scrivi);

// The flag of a section.
int16_t& FlagSezione(SezioneReport sezione);
inline bool SezioneSelezionata(SezioneReport sezione) { return FlagSezione(sezione) != 0; }

// The progress text of a section. The bill of quantities shows two: TestoAvanzamento gives the
// first ("Calcolo totale computo "), TestoTabellaComputo the second.
const std::string& TestoAvanzamento(SezioneReport sezione);
extern const std::string TestoTabellaComputo;

// Any of segments, localized losses, path, appliances, bill of quantities, tightness test.
bool SezioneContenutoSelezionata();
// Any of the five table sections (the content sections but the tightness test).
bool SezioneTabellaSelezionata();
// Number of ticked flags.
int16_t ContaSezioniSelezionate();
// Clears the eight flags and the count.
void AzzeraSezioni();
// A pressurised network has no tightness test: its section is left out of every run, as if it
// were not ticked. Called at the start of each run.
void EscludiSezioniSenzaOggetto();
// Calculates the network before a run. A network the calculation refuses (damaged links, a gas
// without data, unusable diameters, results that overflow) has no result to report: its refusal
// is shown once, then this says why no report is made, and the run must not start. True for an
// empty network or a calculated one. The tightness record needs no result: when it is ticked the
// run goes on with it alone (the other sections are cleared, and the user told when there were
// any).
bool ReteCalcolataPerReport();
// The run's own calculation before its sections: only when a section shows results. The
// tightness record alone needs none, and a refused network would show its refusal a second time.
void CalcolaReteSeServe();

// Where the save dialog of a report (PDF, HTML, text) opens and the name it offers: beside the
// project under its name, or, for a project never saved, where "Salva con nome" opens, as
// "Relazione". Never the program's working folder, which may be the build folder.
std::string CartellaNuovoReport();
std::string NomeNuovoReport();

// The question asked before a command replaces files: the usual one when only the chosen file
// exists, every name (paths are shown by their file name) when the command would replace others.
std::string DomandaSovrascrittura(const std::string& scelto, const std::vector<std::string>& esistenti);

// A fault met while writing a section (a value that cannot be computed, a table the page cannot
// hold). It ends the run, and the run reports it as its own failure.
class ErroreReport : public std::runtime_error {
 public:
  explicit ErroreReport(const std::string& motivo) : std::runtime_error(motivo) {}
};

// The message the printed run shows for any failure.
inline constexpr const char* MessaggioErroreStampa = "Errore di stampa, verificare le impostazioni";

}  // namespace varnex
