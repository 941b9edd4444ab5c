// A project file (".RTG") from arbitrary bytes, taken as far as the program takes an opened
// project: read, calculated, its schema drawn, and written as both report files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ambiente_fuzz.h"
#include "model/calcolo.h"
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
#include "tightness/tenuta.h"

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
  void SaveSchema(const std::string&) override {
    SuperficieRegistrata superficie("picPrint", 11000, 8000, 8000);
    DrawSchema(superficie, 1, 600.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
  }
};

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
  CalcolaRete();
  SuperficieRegistrata schermo;
  DrawSchema(schermo, 2, "Arial", 7);
  for (int16_t* sezione : {&StampaCopertina, &StampaTronchi, &StampaDiagrammaRete, &StampaPDCLocalizzate,
                           &StampaVerifica, &StampaUtenze, &StampaComputo, &StampaTenutaImpianto})
    *sezione = -1;
  NumSezioniStampa = ContaSezioniSelezionate();
  PrintHTMLReport(0);
  PrintTXTReport();
  return 0;
}
