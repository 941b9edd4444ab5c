#include "support/stato_processo.h"

#include <clocale>
#include <locale>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "model/calcolo.h"
#include "model/colonne.h"
#include "model/computo.h"
#include "model/dimensionamento.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/tenuta.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/stampante_report.h"
#include "schema/disegno.h"
#include "schema/inserimento.h"
#include "schema/modifica.h"
#include "shell/hints.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/settings.h"
#include "shell/stato_interfaccia.h"
#include "shell/sw_company.h"

namespace varnex::test {

namespace {

// A global value: its copy now is what every test finds.
template <class T>
VoceStato Valore(const char* nome, T& valore) {
  auto iniziale = std::make_shared<T>(valore);
  return {nome, {}, [&valore, iniziale] { valore = *iniziale; }};
}

// A stand-in a test installs for its own length and must take away itself (its destructor does).
// `installato` is the service the program answers with now; `togli` takes any stand-in away.
template <class T>
VoceStato Servizio(const char* nome, std::function<const T*()> installato, std::function<void()> togli) {
  togli();
  const T* nessuno = installato();
  return {nome, [installato, nessuno] { return installato() != nessuno; }, std::move(togli)};
}

// A part of the program a test wires in (the program does it once at start-up): taken away
// after every test, so the next test finds the program as it starts.
VoceStato Collegamento(const char* nome, std::function<void()> togli) {
  togli();
  return {nome, {}, std::move(togli)};
}

// The C library's locale and the C++ global locale, as the program found them.
VoceStato LocaleMacchina() {
  const std::string c = std::setlocale(LC_ALL, nullptr);
  const std::locale cpp;
  return {"the machine locale", {}, [c, cpp] {
            std::setlocale(LC_ALL, c.c_str());
            std::locale::global(cpp);
          }};
}

class RipristinoDopoOgniProva : public ::testing::EmptyTestEventListener {
 public:
  explicit RipristinoDopoOgniProva(std::vector<VoceStato> stato) : stato_(std::move(stato)) {}

  // Runs while the test's result is still open, so a stand-in left installed fails that test.
  void OnTestEnd(const ::testing::TestInfo&) override {
    for (const VoceStato& voce : stato_) {
      if (voce.lasciato && voce.lasciato())
        ADD_FAILURE() << "the test left " << voce.nome << " installed: a stand-in takes itself away when it goes";
      voce.ripristina();
    }
  }

 private:
  std::vector<VoceStato> stato_;
};

}  // namespace

std::vector<VoceStato> StatoCore() {
  return {
      LocaleMacchina(),
      // Stand-ins.
      Servizio<IInterazione>("the user-interaction stand-in (ImpostaInterazione)", [] { return &Interazione(); },
                             [] { ImpostaInterazione(nullptr); }),
      Servizio<IImpostazioni>("a settings store (ImpostaImpostazioni)", [] { return &Impostazioni(); },
                              [] { ImpostaImpostazioni(nullptr); }),
      Servizio<IAmbienteProgetto>("a project environment (ImpostaAmbienteProgetto)",
                                  [] { return &AmbienteProgetto(); }, [] { ImpostaAmbienteProgetto(nullptr); }),
      Servizio<TextWriter>("the text report's stream (StreamTXT)", [] { return StreamTXT; },
                           [] { StreamTXT = nullptr; }),
      // The program's own parts, wired in by the tests that need them. The drawing surface stays:
      // the schema's canvas, made once for the process, draws on its own.
      Collegamento("the schema editor", [] { ImpostaEditorSchema(nullptr); }),
      Collegamento("the network editor", [] { ImpostaEditorRete(nullptr); }),
      Collegamento("the tightness page", [] { ImpostaPaginaTenuta(nullptr); }),
      Collegamento("the report files' windows", [] { ImpostaFinestreStampaFile(nullptr); }),
      Collegamento("the report printer", [] { ImpostaStampanteReport(nullptr); }),
      Collegamento("the print wait", [] { ImpostaAttesaStampa(nullptr); }),
      Collegamento("the print diagram", [] { ImpostaDiagrammaStampa(nullptr); }),
      Collegamento("the archive lists' editor", [] { ImpostaListeEditor(nullptr); }),
      Collegamento("the project windows", [] { ImpostaFinestreProgetto(nullptr); }),
      Collegamento("the project commit", [] { ImpostaCommitProgetto(nullptr); }),
      Collegamento("the user folder's copy", [] { ImpostaCopiaCartellaUtente({}); }),
      Collegamento("the substitution dialog", [] { ImpostaDialogoSostituzione(nullptr); }),
      Collegamento("the substitutions answered", [] { frmEquiv.Reset(); }),
      Collegamento("the project as last saved", [] { DimenticaProgettoSalvato(); }),
      Valore("the program folder", const_cast<std::string&>(CartellaProgramma())),
      Collegamento("the shipped folder", [] { ImpostaCartellaDistribuita(""); }),
      // Global values.
      Valore("PuntiInserimentoTronco", PuntiInserimentoTronco),
      Valore("NumPuntiInserimentoTronco", NumPuntiInserimentoTronco),
      Valore("PuntiInserimentoUtenza", PuntiInserimentoUtenza),
      Valore("NumPuntiInserimentoUtenza", NumPuntiInserimentoUtenza),
      Valore("StatoTrascinamento", StatoTrascinamento),
      Valore("SchemaMaxX", SchemaMaxX),
      Valore("SchemaMaxY", SchemaMaxY),
      Valore("SchemaMinX", SchemaMinX),
      Valore("SchemaMinY", SchemaMinY),
      Valore("AdattaSchemaPagina", AdattaSchemaPagina),
      Valore("ScalaStampaSchema", ScalaStampaSchema),
      Valore("ScalaDisegno", ScalaDisegno),
      Valore("ColoreDisegno", ColoreDisegno),
      Valore("DisegnoVisibile", DisegnoVisibile),
      Valore("DisegnoPerStampa", DisegnoPerStampa),
      Valore("PassiX", PassiX),
      Valore("PassiY", PassiY),
      Valore("PassiMinX", PassiMinX),
      Valore("PassiMaxX", PassiMaxX),
      Valore("PassiMinY", PassiMinY),
      Valore("PassiMaxY", PassiMaxY),
      Valore("RegioniClick", RegioniClick),
      Valore("RegioniEstremi", RegioniEstremi),
      Valore("RegioniDrop", RegioniDrop),
      Valore("TroncoSelezionato", TroncoSelezionato),
      Valore("ColonneGriglia", ColonneGriglia),
      Valore("UltimaColonnaGriglia", UltimaColonnaGriglia),
      Valore("Materiali", Materiali),
      Valore("NumMateriali", NumMateriali),
      Valore("VelLimiteFino28", VelLimiteFino28),
      Valore("VelLimiteOltre28", VelLimiteOltre28),
      Valore("SeparatoreCampi", SeparatoreCampi),
      Valore("ContatoreAttesa", ContatoreAttesa),
      Valore("NomiSpeciali", NomiSpeciali),
      Valore("LunghezzeEquivalenti", LunghezzeEquivalenti),
      Valore("PDCMaxTabella", PDCMaxTabella),
      Valore("SogliaPotenzaPDC", SogliaPotenzaPDC),
      Valore("ListaUtenze", ListaUtenze),
      Valore("StatoDimensionamento", StatoDimensionamento),
      Valore("DefaultGas", DefaultGas),
      Valore("DefaultMateriale", DefaultMateriale),
      Valore("DefaultVelocita", DefaultVelocita),
      Valore("DefaultPressioneIniziale", DefaultPressioneIniziale),
      Valore("DefaultPressioneFinale", DefaultPressioneFinale),
      Valore("PDCMaxTesto", PDCMaxTesto),
      Valore("VersioneProgramma", VersioneProgramma),
      Valore("PesoTotaleAcciaio", PesoTotaleAcciaio),
      Valore("TronchiFuoriComputo", TronchiFuoriComputo),
      Valore("BloccoReti", BloccoReti),
      Valore("ReteCorrente", ReteCorrente),
      Valore("ReteInPressione", ReteInPressione),
      Valore("ProgettoModificato", ProgettoModificato),
      Valore("ProgettoCaricato", ProgettoCaricato),
      Valore("Riferimento", Riferimento),
      Valore("DescrizioneLavoro", DescrizioneLavoro),
      Valore("PercorsoProgetto", PercorsoProgetto),
      Valore("PercorsoDocumenti", PercorsoDocumenti),
      Valore("VelocitaMaxImpostata", VelocitaMaxImpostata),
      Valore("PressioneIniziale", PressioneIniziale),
      Valore("PressioneFinale", PressioneFinale),
      Valore("PDCMaxUtente", PDCMaxUtente),
      Valore("OrientamentoSorgente", OrientamentoSorgente),
      Valore("ArchivioGas", ArchivioGas),
      Valore("NumGas", NumGas),
      Valore("GasCorrente", GasCorrente),
      Valore("CurrentGas", CurrentGas),
      Valore("TenutaImpianto", TenutaImpianto),
      Valore("ParFamGas", ParFamGas),
      Valore("NumFamiglieGas", NumFamiglieGas),
      Valore("DefRagSociale", DefRagSociale),
      Valore("DefIndirizzo", DefIndirizzo),
      Valore("DefTelefono", DefTelefono),
      Valore("DefNomeTecnico", DefNomeTecnico),
      Valore("NumeroFileHTML", NumeroFileHTML),
      Valore("PaginaHTML", PaginaHTML),
      Valore("SpazioPaginaHTML", SpazioPaginaHTML),
      Valore("LogoReport", LogoReport),
      Valore("PixelLogoReport", PixelLogoReport),
      Valore("SeparatoreTXT", SeparatoreTXT),
      Valore("PercentualeX", PercentualeX),
      Valore("PercentualeY", PercentualeY),
      Valore("StampaCopertina", StampaCopertina),
      Valore("StampaTronchi", StampaTronchi),
      Valore("StampaDiagrammaRete", StampaDiagrammaRete),
      Valore("StampaPDCLocalizzate", StampaPDCLocalizzate),
      Valore("StampaVerifica", StampaVerifica),
      Valore("StampaUtenze", StampaUtenze),
      Valore("StampaComputo", StampaComputo),
      Valore("StampaTenutaImpianto", StampaTenutaImpianto),
      Valore("NumSezioniStampa", NumSezioniStampa),
      Valore("DataStampa", DataStampa),
      Valore("LarghezzaStampabile", LarghezzaStampabile),
      Valore("AltezzaStampabile", AltezzaStampabile),
      Valore("InizioCorpoPagina", InizioCorpoPagina),
      Valore("LimiteFondoPagina", LimiteFondoPagina),
      Valore("TagLogo", TagLogo),
      Valore("PercorsoLogo", PercorsoLogo),
      Valore("RicalcoloAutomatico", RicalcoloAutomatico),
      Valore("CursoreBloccato", CursoreBloccato),
      Valore("StatoBloccoDiametri", StatoBloccoDiametri),
      Valore("GrigliaNonCaricata", GrigliaNonCaricata),
      Valore("GasEditorDaMain", GasEditorDaMain),
      Valore("DittaRiga1", DittaRiga1),
      Valore("DittaRiga2", DittaRiga2),
      Valore("DittaAgente", DittaAgente),
      Valore("HintsShow", HintsShow),
      Valore("HintLast", HintLast),
      Valore("Hints", Hints),
      Valore("SwCompanyPresente", SwCompanyPresente),
      Valore("SwCompanyNome", SwCompanyNome),
      Valore("SwCompanyIndirizzo", SwCompanyIndirizzo),
      Valore("SwCompanyTelefono", SwCompanyTelefono),
      Valore("SwCompanyWeb", SwCompanyWeb),
  };
}

int EseguiProve(int& argc, char** argv, std::vector<VoceStato> stato) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RipristinoDopoOgniProva(std::move(stato)));
  return RUN_ALL_TESTS();
}

}  // namespace varnex::test
