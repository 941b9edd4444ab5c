// A project file (".RTG") from arbitrary bytes, taken as far as the program takes an opened
// project: read, calculated, its schema drawn, written as both report files, and saved. A project
// the reader accepted must read back from its save and save again to the same bytes: anything
// else is a value the file loses or changes on every save.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ambiente_fuzz.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/sostituzione.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/sezioni.h"
#include "schema/disegno.h"
#include "schema/superficie_registrata.h"
#include "shell/default_values.h"
#include "model/tenuta.h"

namespace varnex::fuzz {
namespace {

// A missing gas or pipe series is replaced by the first candidate, so that the calculation runs.
class PrimoCandidato : public IDialogoSostituzione {
 public:
  int16_t Scegli(const std::string&, int16_t, const std::vector<std::string>& candidati) override {
    return candidati.empty() ? 0 : 1;
  }
};

// The report run's windows: the report goes into the program folder, the schema picture is drawn
// on a recording surface (the drawing is what is under test, not the bitmap encoder).
class FinestreReport : public FinestreSilenziose {
 public:
  std::optional<std::string> SalvaFile(const std::string&, const std::string& filtro, const std::string&,
                                       const std::string&) override {
    return File(filtro.find("HTML") != std::string::npos ? "report.html" : "report.txt");
  }
  MisuraSchema SaveSchema(const std::string&) override {
    SuperficieRegistrata superficie("picPrint", 11000, 8000, 8000);
    DrawSchema(superficie, 1, 600.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
    return {};
  }
};

// A project file with the segment columns that a save computes from single-precision fields and
// the reader never takes back blanked: the thermal power in W and in kcal/h and the fittings' share
// of the length. A single is saved with seven significant digits, so once reopened these may
// differ in the digits beyond; every other value must come back as it was.
std::string SenzaColonneDerivate(const std::string& file) {
  constexpr int16_t derivate[] = {campo::ID_P_KW, campo::ID_P_KCAL, campo::ID_EQLENLOC};
  std::string risultato;
  bool inTabella = false;
  size_t inizio = 0;
  while (inizio < file.size()) {
    size_t fine = file.find('\n', inizio);
    fine = fine == std::string::npos ? file.size() : fine + 1;
    std::string riga = file.substr(inizio, fine - inizio);
    inizio = fine;
    const std::string nuda = riga.substr(0, riga.find_first_of("\r\n"));
    if (nuda == "[" || nuda == "]") {
      inTabella = nuda == "[";
    } else if (inTabella) {
      // Field k of a row (0-based) holds column code k + 2.
      std::string copia;
      int16_t codice = 2;
      size_t da = 0;
      for (;;) {
        const size_t tab = riga.find('\t', da);
        const size_t a = tab == std::string::npos ? riga.size() : tab;
        if (std::find(std::begin(derivate), std::end(derivate), codice) == std::end(derivate))
          copia.append(riga, da, a - da);
        if (tab == std::string::npos) break;
        copia += '\t';
        da = tab + 1;
        ++codice;
      }
      riga = copia;
    }
    risultato += riga;
  }
  return risultato;
}

void Prepara() {
  PreparaProgramma();
  CaricaMateriali();
  InitGas();
  InitSpeciali();
  InitPDCMax();
  InitFamiglieGas();
  CaricaDefinizioneGriglie();
  getDefaultValueFromFile();
  static PrimoCandidato dialogo;
  ImpostaDialogoSostituzione(&dialogo);
  static FinestreReport finestre;
  ImpostaFinestreStampaFile(&finestre);
  DataStampa = "01/01/2026";
}

}  // namespace
}  // namespace varnex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  using namespace varnex;
  static const bool pronto = (fuzz::Prepara(), true);
  (void)pronto;
  frmEquiv.Reset();
  fuzz::Scrivi("progetto.RTG", dati, n);
  if (!LeggiRTG(fuzz::File("progetto.RTG"))) return 0;
  // Saved as it was read: the calculation fills in results that the reader recomputes rather
  // than reads, so the comparison is between two saves of what was read.
  if (!ScriviRTG(fuzz::File("salvato.RTG"))) __builtin_trap();
  const std::string primo = fuzz::Leggi("salvato.RTG");
  CalcolaRete();
  SuperficieRegistrata schermo;
  DrawSchema(schermo, 2, "Arial", 7);
  for (int16_t* sezione : {&StampaCopertina, &StampaTronchi, &StampaDiagrammaRete, &StampaPDCLocalizzate,
                           &StampaVerifica, &StampaUtenze, &StampaComputo, &StampaTenutaImpianto})
    *sezione = -1;
  NumSezioniStampa = ContaSezioniSelezionate();
  PrintHTMLReport(0);
  PrintTXTReport();
  if (!LeggiRTG(fuzz::File("salvato.RTG"))) __builtin_trap();
  if (!ScriviRTG(fuzz::File("salvato.RTG"))) __builtin_trap();
  fuzz::StessoFile("progetto.RTG", fuzz::SenzaColonneDerivate(primo),
                   fuzz::SenzaColonneDerivate(fuzz::Leggi("salvato.RTG")));
  return 0;
}
