// Section flags and presets, bill-of-quantities content and tightness-report pieces.
#include <gtest/gtest.h>

#include <utility>

#include "model/computo.h"
#include "model/materiali.h"
#include "report/print/computo_report.h"
#include "report/print/opzioni_stampa.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/tenuta_report.h"
#include "shell/settings.h"
#include "tightness/pagina_tenuta.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

TEST(Sezioni, OrderTextsAndCounts) {
  EXPECT_EQ(TestoAvanzamento(SezioneReport::Copertina), "Frontespizio");
  EXPECT_EQ(TestoAvanzamento(SezioneReport::Computo), "Calcolo totale computo ");
  EXPECT_EQ(TestoTabellaComputo, "Tabella totale computo ");
  EXPECT_EQ(TestoAvanzamento(SezioneReport::DiagrammaRete), "DiagrammaRete");
  EXPECT_EQ(OrdineSezioni.back(), SezioneReport::DiagrammaRete);
  AzzeraSezioni();
  StampaCopertina = -1;
  StampaDiagrammaRete = -1;
  EXPECT_FALSE(SezioneContenutoSelezionata());
  StampaTenutaImpianto = -1;
  EXPECT_TRUE(SezioneContenutoSelezionata());
  EXPECT_FALSE(SezioneTabellaSelezionata());
  EXPECT_EQ(ContaSezioniSelezionate(), 3);
  AzzeraSezioni();
}

TEST(OpzioniStampa, PresetsAndStoredChoice) {
  ImpostazioniInMemoria store;
  ImpostaImpostazioni(&store);
  // Letter order: cover, segments, diagram, losses, path, appliances, bill, tightness.
  EXPECT_EQ(PresetSezioni(1), (SceltaSezioni{true, true, true, false, true, false, false, false}));
  EXPECT_EQ(PresetSezioni(2), (SceltaSezioni{false, true, false, true, false, false, true, false}));
  EXPECT_EQ(LeggiSetStampe(), SceltaSezioni{});  // missing: nothing ticked
  store.Scrivi("Varnex", "SetStampe", "ABBAABBA ");
  EXPECT_EQ(LeggiSetStampe(), (SceltaSezioni{true, false, false, true, true, false, false, true}));
  SalvaSetStampe({true, false, true, false, false, false, false, false});
  EXPECT_EQ(store.Leggi("Varnex", "SetStampe"), "ABABBBBB ");
  store.Scrivi("Varnex", "SetStampe", "AB");  // short: the rest unticked
  EXPECT_EQ(LeggiSetStampe(), (SceltaSezioni{true, false, false, false, false, false, false, false}));

  StoreSelected({true, false, true, false, false, false, false, true});
  EXPECT_EQ(StampaCopertina, -1);
  EXPECT_EQ(StampaDiagrammaRete, -1);
  EXPECT_EQ(StampaTronchi, 0);
  EXPECT_EQ(StampaTenutaImpianto, -1);
  EXPECT_EQ(NumSezioniStampa, 3);
  AzzeraSezioni();
  ImpostaImpostazioni(nullptr);
}

TEST(ComputoReport, UsedSeriesInSlotOrderWithTheirDiameters) {
  for (auto& s : Materiali) s = TSerieMateriale{};
  Materiali[3][0].Nome = "RAME";
  Materiali[3][0].TipoFormula = 2;
  Materiali[3][0].LunghezzaComputo = -1;
  Materiali[3][0].PesoComputo = 7;
  Materiali[3][2].RifDiametro = "22x1";
  Materiali[3][2].LunghezzaComputo = 12.5f;
  Materiali[1][0].Nome = "ACCIAIO";
  Materiali[1][0].TipoFormula = 1;
  Materiali[1][0].LunghezzaComputo = -1;
  Materiali[1][0].PesoComputo = 0.4f;
  Materiali[1][1].RifDiametro = "3/4";
  Materiali[1][1].LunghezzaComputo = 0;  // unused row leaves no gap
  Materiali[1][4].RifDiametro = "1\"";
  Materiali[1][4].LunghezzaComputo = 3;
  Materiali[2][0].Nome = "NON USATA";
  PesoTotaleAcciaio = 0;

  const auto serie = GetSerieComputo();
  ASSERT_EQ(serie.size(), 2u);
  EXPECT_EQ(serie[0].Nome, "ACCIAIO");
  EXPECT_TRUE(serie[0].Acciaio);
  EXPECT_EQ(serie[0].PesoTesto, "0");
  ASSERT_EQ(serie[0].Diametri.size(), 1u);
  EXPECT_EQ(serie[0].Diametri[0].RifDiametro, "1\"");
  EXPECT_EQ(serie[0].Diametri[0].Metri, "3,0");
  EXPECT_FALSE(serie[1].Acciaio);
  EXPECT_EQ(serie[1].Diametri[0].Metri, "12,5");
  EXPECT_FALSE(MostraPesoTotaleAcciaio());
  PesoTotaleAcciaio = 1234.6f;
  EXPECT_TRUE(MostraPesoTotaleAcciaio());
  EXPECT_EQ(TestoPesoTotaleAcciaio(), "1235");
}

std::vector<std::string> TestiPezzi(const std::vector<PezzoTenuta>& pezzi) {
  std::vector<std::string> v;
  for (const auto& p : pezzi)
    if (!p.Testo.empty()) v.push_back(p.Testo);
  return v;
}

int Indice(const std::vector<PezzoTenuta>& pezzi, const std::string& testo) {
  for (size_t i = 0; i < pezzi.size(); ++i)
    if (pezzi[i].Testo == testo) return static_cast<int>(i);
  return -1;
}

TEST(TenutaReport, EmptyRecordPrintsEveryHeading) {
  TenutaImpianto = TTenutaImpianto{};
  const auto pezzi = GetPezziTenuta();
  const auto testi = TestiPezzi(pezzi);
  auto ha = [&](const std::string& t) { return std::find(testi.begin(), testi.end(), t) != testi.end(); };
  EXPECT_EQ(pezzi[1].Tipo, TipoPezzo::Titolo);
  EXPECT_TRUE(ha("n° 0 di altro tipo"));
  EXPECT_TRUE(ha("Dispositivo di intercettazione NON INDICATO"));
  // No verdict in the record, none printed: the reason stands in its place.
  const int risultato = Indice(pezzi, "RISULTATO DELLA VERIFICA");
  ASSERT_GE(risultato, 0);
  EXPECT_EQ(pezzi[risultato + 1].Testo.rfind("Nessun esito: ", 0), 0u) << pezzi[risultato + 1].Testo;
  EXPECT_EQ(pezzi[risultato + 2].Tipo, TipoPezzo::RigaVuota);
  EXPECT_EQ(pezzi[risultato + 3].Testo, "NOTE");
  for (const auto& t : testi) EXPECT_EQ(t.find("idonea"), std::string::npos) << t;
  // "Non indicata" follows the method label on its line.
  const int metodo = Indice(pezzi, "METODOLOGIA DI VERIFICA APPLICATA:");
  ASSERT_GE(metodo, 0);
  EXPECT_FALSE(pezzi[metodo].FineRiga);
  EXPECT_EQ(pezzi[metodo + 1].Testo, "Non indicata");
  // No causes: the heading is followed by two line ends.
  const int causa = Indice(pezzi, "CAUSA DELL'INTERVENTO");
  EXPECT_EQ(pezzi[causa + 1].Tipo, TipoPezzo::RigaVuota);
  EXPECT_EQ(pezzi[causa + 2].Tipo, TipoPezzo::RigaVuota);
  EXPECT_EQ(pezzi[causa + 3].Testo, "APPARECCHI ALIMENTATI DALL'IMPIANTO");
  // The report files leave out the empty line after the title and the room for signatures.
  int saltaHTML = 0;
  for (const auto& p : pezzi) saltaHTML += p.SaltaHTML ? 1 : 0;
  EXPECT_EQ(saltaHTML, 1 + 1 + 5);
}

// The family constants as the program ships them, for the tests that judge a record: without them
// no record gets a verdict.
struct ParametriFamiglie {
  ParametriFamiglie() : prima(ParFamGas) { ParFamGas = {TParFamGas{}, {1000, 100}, {2200, 100}, {3700, 40}}; }
  ~ParametriFamiglie() { ParFamGas = prima; }
  std::array<TParFamGas, 4> prima;
};

TEST(TenutaReport, AVerdictOnlyOverACompleteTestThatAppliesAndElseTheReason) {
  const ParametriFamiglie parametri;
  // A record from an older file may carry a verdict under a gas that has no test, or over data
  // that cannot be a measurement: no verdict is printed, and the line says why.
  const std::string incompleto = "Nessun esito: dati della prova incompleti, manca ";
  struct Caso {
    int16_t famiglia, risultato;
    int16_t metodo;
    const char* campo;  // a field of the complete C.D.P. test changed, "" none
    const char* valore;
    std::string riga;
    bool verdetto;
  } casi[] = {
      {1, 1, 2, "", "", "Tenuta idonea al funzionamento", true},
      {2, 2, 2, "", "", "Tenuta idonea al funzionamento temporaneo (*)", true},
      {2, 3, 2, "", "", "Tenuta non idonea al funzionamento (**)", true},
      {2, 0, 2, "", "", "Nessun esito: la verifica non è stata eseguita.", false},
      {3, 2, 2, "", "", "Nessun esito: per i gas di III famiglia la norma della verifica di tenuta è in corso di elaborazione.", false},
      {0, 1, 2, "", "", "Nessun esito: la verifica di tenuta non si applica ai gas non combustibili.", false},
      {7, 3, 2, "", "", "Nessun esito: il gas non è associabile a nessuna famiglia, la verifica di tenuta non si applica.", false},
      {-1, 1, 2, "", "", "Nessun esito: il gas non è associabile a nessuna famiglia, la verifica di tenuta non si applica.", false},
      {2, 1, 0, "", "", incompleto + "la metodologia di verifica.", false},
      {2, 1, 2, "cdp", "", incompleto + "la caduta di pressione rilevata in un minuto.", false},
      {2, 1, 2, "cdp", "-5", "Nessun esito: dati della prova non validi, la caduta di pressione rilevata in un minuto non può essere negativa.", false},
      {2, 1, 2, "pprova", "-2000", "Nessun esito: dati della prova non validi, la pressione di prova deve essere maggiore di 0.", false},
      {2, 1, 2, "totale", "25,04", "Nessun esito: la prova mediante rilevazione C.D.P. è ammessa solo per impianti con capacità totale <= 25 l.", false},
      {2, 3, 2, "dispositivo", "", incompleto + "la tenuta del dispositivo di intercettazione.", false},
      {2, 3, 1, "qn", "1,04", "Nessun esito: con portata nominale minima del contatore maggiore di 1 l/h l'idoneità della tenuta non può essere attestata con il metodo del contatore ma tramite C.D.P.", false},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.famiglia) + " " + std::to_string(c.risultato) + " " + c.campo + " " + c.valore);
    TenutaImpianto = TTenutaImpianto{};
    TTenutaImpianto& t = TenutaImpianto;
    t.FamigliaGas = c.famiglia;
    t.Risultato = c.risultato;
    t.Metodo = c.metodo;
    t.CapacitaContatore = "2,0";
    t.CapacitaTotale = "5,0";
    t.DisposIntercett = 1;
    t.ProvaCDPStrumento = t.ProvaCDPMarca = t.ProvaCDPMatricola = "x";
    t.ProvaCDPPprova = "2000";
    t.ProvaCDPcdp = "10";
    t.ProvaContModello = t.ProvaContCalibro = t.ProvaContMarca = t.ProvaContMatricola = "x";
    t.ProvaContQn = "1";
    t.ProvaContPprova = "2000";
    t.ProvaContDispRil = "0,5";
    const std::string campo = c.campo;
    if (campo == "cdp") t.ProvaCDPcdp = c.valore;
    if (campo == "pprova") t.ProvaCDPPprova = c.valore;
    if (campo == "totale") t.CapacitaTotale = c.valore;
    if (campo == "qn") t.ProvaContQn = c.valore;
    if (campo == "dispositivo") t.DisposIntercett = 0;
    const auto pezzi = GetPezziTenuta();
    const int risultato = Indice(pezzi, "RISULTATO DELLA VERIFICA");
    ASSERT_GE(risultato, 0);
    EXPECT_EQ(pezzi[risultato + 1].Testo, c.riga);
    if (!c.verdetto) {
      for (const auto& testo : TestiPezzi(pezzi)) EXPECT_EQ(testo.find("idonea"), std::string::npos) << testo;
    }
  }
}

TEST(TenutaReport, AGasOfNoFamilyIsNamedSo) {
  // Every family the record can hold names the gas: "TIPO DI GAS:" never stands alone.
  const std::pair<int16_t, const char*> casi[] = {{FamigliaNonAttribuibile, "non associabile a nessuna famiglia"},
                                                  {0, "gas non combustibile"},
                                                  {1, "I famiglia"},
                                                  {2, "II famiglia"},
                                                  {3, "III famiglia"}};
  for (const auto& [famiglia, testo] : casi) {
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.FamigliaGas = famiglia;
    const auto pezzi = GetPezziTenuta();
    const int gas = Indice(pezzi, "TIPO DI GAS: ");
    ASSERT_GE(gas, 0);
    EXPECT_EQ(pezzi[gas + 1].Testo, testo) << famiglia;
  }
}

// The lines a record prints from `da` (a heading's text) up to the next empty line, as they print.
std::vector<std::string> RigheSotto(const std::vector<PezzoTenuta>& pezzi, const std::string& da) {
  std::vector<std::string> righe;
  const int i = Indice(pezzi, da);
  if (i < 0) return {"(manca " + da + ")"};
  std::string riga;
  for (size_t k = static_cast<size_t>(i) + 1; k < pezzi.size() && pezzi[k].Tipo != TipoPezzo::RigaVuota; ++k) {
    riga += SenzaSpaziUniti(pezzi[k].Testo);
    if (pezzi[k].FineRiga) righe.push_back(std::exchange(riga, std::string()));
  }
  return righe;
}

// An address prints only the parts whose fields are filled: no separator alone, no empty line; a
// filled address reads exactly as before.
TEST(TenutaReport, AnAddressPrintsOnlyThePartsWhoseFieldsAreFilled) {
  struct Caso {
    const char* nome;
    std::string via, numero, scala, comune, prov, cap;
    std::vector<std::string> righe;
  } casi[] = {
      {"filled", "Via Roma", "12", "B", "Milano", "MI", "20100", {"Rossi", "Via Roma n° 12 scala B", "Milano (MI)  - 20100"}},
      {"empty", "", "", "", "", "", "", {"Rossi"}},
      {"blanks only", " ", " ", "", "  ", " ", "", {"Rossi"}},
      {"no number", "Via Roma", "", "", "Milano", "", "20100", {"Rossi", "Via Roma", "Milano - 20100"}},
      {"no street", "", "12", "", "Milano", "MI", "", {"Rossi", "n° 12", "Milano (MI)"}},
      {"only the post code", "", "", "B", "", "", "20100", {"Rossi", "scala B", "20100"}},
      {"no town", "Via Roma", "12", "", "", "MI", "20100", {"Rossi", "Via Roma n° 12", "(MI)  - 20100"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    TenutaImpianto = TTenutaImpianto{};
    TTenutaImpianto& t = TenutaImpianto;
    t.ProprietarioNome = "Rossi";
    t.ProprietarioVia = c.via;
    t.ProprietarioNumero = c.numero;
    t.ProprietarioScala = c.scala;
    t.ProprietarioComuneInstall = c.comune;
    t.ProprietarioProv = c.prov;
    t.ProprietarioCap = c.cap;
    EXPECT_EQ(RigheSotto(GetPezziTenuta(), "Dati dell'utente e/o proprietario"), c.righe);
  }
  // The owner's address, the date of the intervention and the firm's lines alike.
  TenutaImpianto = TTenutaImpianto{};
  TTenutaImpianto& t = TenutaImpianto;
  t.ProprietarioNome2 = "Bianchi";
  t.ProprietarioVia2 = "Via Po";
  t.ProprietarioNumCiv = "3";
  t.ProprietarioComuneResid = "Torino";
  EXPECT_EQ(RigheSotto(GetPezziTenuta(), "Proprietario (se diverso dall'occupante) "),
            (std::vector<std::string>{"Bianchi", "Via Po n° 3 - Torino", "Durante l'intervento era presente il/la sig. "}));
  t.ProprietarioVia2 = t.ProprietarioNumCiv = "";
  EXPECT_EQ(RigheSotto(GetPezziTenuta(), "Proprietario (se diverso dall'occupante) "),
            (std::vector<std::string>{"Bianchi", "Torino", "Durante l'intervento era presente il/la sig. "}));
  t.ProprietarioComuneResid = "";
  EXPECT_EQ(RigheSotto(GetPezziTenuta(), "Proprietario (se diverso dall'occupante) "),
            (std::vector<std::string>{"Bianchi", "Durante l'intervento era presente il/la sig. "}));
  t.DataEsecuzione = "10/05/2009";
  t.OraEsecuzione = "10:30";
  auto quando = [] {
    std::string riga;
    for (const auto& p : GetPezziTenuta())
      if (p.Testo.rfind("Intervento eseguito", 0) == 0) riga = p.Testo;
    return riga;
  };
  EXPECT_EQ(quando(), "Intervento eseguito il 10/05/2009 alle ore 10:30");
  t.OraEsecuzione = "";
  EXPECT_EQ(quando(), "Intervento eseguito il 10/05/2009");
  t.DataEsecuzione = "";
  t.OraEsecuzione = "10:30";
  EXPECT_EQ(quando(), "Intervento eseguito alle ore 10:30");
  t.OraEsecuzione = "";
  EXPECT_EQ(quando(), "");
  // Without a date the empty line that followed it goes too: one empty line between the blocks.
  const auto pezzi = GetPezziTenuta();
  const int causa = Indice(pezzi, "CAUSA DELL'INTERVENTO");
  ASSERT_GE(causa, 3);
  EXPECT_EQ(pezzi[static_cast<size_t>(causa) - 1].Tipo, TipoPezzo::RigaVuota);
  EXPECT_NE(pezzi[static_cast<size_t>(causa) - 2].Tipo, TipoPezzo::RigaVuota);
  const std::string impresa = "Dati dell'impresa e/o del tecnico che ha effettuato la verifica";
  EXPECT_EQ(RigheSotto(pezzi, impresa), (std::vector<std::string>{"Tecnico: "}));
  t.RagSociale = "Gas Service";
  t.Telefono = "011 123456";
  t.NomeTecnico = "Luca Neri";
  EXPECT_EQ(RigheSotto(GetPezziTenuta(), impresa),
            (std::vector<std::string>{"Gas Service", "011 123456", "Tecnico: Luca Neri"}));
}

// Every measured value of the test data keeps its unit on its line: the two are joined by a blank
// no line breaks at, and print as before; a unit without its value is not printed.
TEST(TenutaReport, EveryValueOfTheTestDataIsJoinedToItsUnit) {
  TenutaImpianto = TTenutaImpianto{};
  TTenutaImpianto& t = TenutaImpianto;
  const std::string u(SpazioUnito);
  t.Metodo = 1;
  t.ProvaContQn = "0,6";
  t.ProvaContPprova = "2000";
  t.ProvaContDispRil = "0,5";
  t.ProvaContPRif = "2200";
  t.ProvaContDispRif = "0,55";
  auto pezzi = GetPezziTenuta();
  for (const std::string& riga :
       {"Portata nominale minima: 0,6" + u + "(l/h)", "Pressione di prova: 2000" + u + "(Pa)",
        "Valore di dispersione rilevato: 0,5" + u + "(l/h)",
        "Pressione di riferimento (ricavata come da norma UNI): 2200" + u + "(Pa)",
        "Dispersione di riferimento (ricavata come da norma UNI): 0,55" + u + "(l/h)"})
    EXPECT_NE(Indice(pezzi, riga), -1) << riga;
  EXPECT_NE(Indice(pezzi, "Dispersione di riferimento (ricavata come da norma UNI): 0,55" + u + "(l/h)"), -1);
  t.ProvaContDispRif = "";
  EXPECT_NE(Indice(GetPezziTenuta(), "Dispersione di riferimento (ricavata come da norma UNI): "), -1);
  t.Metodo = 2;
  t.ProvaCDPPprova = "2000";
  t.ProvaCDPcdp = "10";
  t.ProvaCDPPrifer = "2200";
  t.ProvaCDPcdpmax = "100";
  pezzi = GetPezziTenuta();
  for (const std::string& riga :
       {"Pressione di prova con gas di rete: 2000" + u + "(Pa)", "Caduta di pressione rilevata in un minuto: 10" + u + "(Pa)",
        "Pressione di riferimento (ricavata come da norma UNI): 2200" + u + "(Pa)",
        "Caduta di pressione massima in un minuto (ricavata come da norma UNI): 100" + u + "(Pa)"})
    EXPECT_NE(Indice(pezzi, riga), -1) << riga;
  EXPECT_EQ(SenzaSpaziUniti("Pressione di prova con gas di rete: 2000" + u + "(Pa)"),
            "Pressione di prova con gas di rete: 2000 (Pa)");
  TenutaImpianto = TTenutaImpianto{};
}

TEST(TenutaReport, CausesFillTwoColumnsAndCountsGetTheirSuffix) {
  const ParametriFamiglie parametri;
  TenutaImpianto = TTenutaImpianto{};
  TenutaImpianto.Cause = "1;;1;;;;1";
  TenutaImpianto.CausaAltro = "guasto";
  TenutaImpianto.AppAltroNum = 2;
  TenutaImpianto.AppAltroDesc = "stufa";
  TenutaImpianto.Metodo = 2;
  TenutaImpianto.Risultato = 2;
  TenutaImpianto.FamigliaGas = 2;
  TenutaImpianto.ProprietarioScala = "B";
  // A complete pressure-drop test, so that its verdict is printed.
  TenutaImpianto.CapacitaContatore = "2,0";
  TenutaImpianto.CapacitaTotale = "6,0";
  TenutaImpianto.DisposIntercett = 1;
  TenutaImpianto.ProvaCDPStrumento = TenutaImpianto.ProvaCDPMarca = TenutaImpianto.ProvaCDPMatricola = "x";
  TenutaImpianto.ProvaCDPPprova = "2000";
  TenutaImpianto.ProvaCDPcdp = "10";
  const auto pezzi = GetPezziTenuta();
  std::vector<const PezzoTenuta*> cause;
  for (const auto& p : pezzi)
    if (p.Tipo == TipoPezzo::Causa) cause.push_back(&p);
  ASSERT_EQ(cause.size(), 3u);
  EXPECT_EQ(cause[0]->Testo, "- Sostituzione apparecchio");
  EXPECT_FALSE(cause[0]->ColonnaDestra);
  EXPECT_TRUE(cause[1]->ColonnaDestra);
  EXPECT_TRUE(cause[1]->FineRiga);
  EXPECT_EQ(cause[2]->Testo, "- Altro: guasto");
  EXPECT_FALSE(cause[2]->FineRiga);
  const int altro = Indice(pezzi, "n° 2 di altro tipo: stufa");
  ASSERT_GE(altro, 0);
  EXPECT_EQ(pezzi[altro].Suffisso, ": stufa");
  EXPECT_NE(Indice(pezzi, "scala B"), -1);
  EXPECT_NE(Indice(pezzi, "PROVA PRELIMINARE MEDIANTE RILEVAZIONE C.D.P."), -1);
  // The same limit as the page that lets the method be chosen.
  EXPECT_NE(Indice(pezzi, "Prova preliminare mediante rilevazione c.d.p. (solo per impianto con capacità <= 25 litri)"),
            -1);
  EXPECT_NE(Indice(pezzi, "Tenuta idonea al funzionamento temporaneo (*)"), -1);
  EXPECT_EQ(Indice(pezzi, "Tenuta non idonea al funzionamento (**)"), -1);
  // A network whose volume is unknown: the verdict left in the record is not printed, the reason is.
  TenutaImpianto.CapacitaTotale = "NC";
  const auto senzaCapacita = GetPezziTenuta();
  EXPECT_EQ(Indice(senzaCapacita, "Tenuta idonea al funzionamento temporaneo (*)"), -1);
  EXPECT_NE(Indice(senzaCapacita, MotivoSenzaVerdetto(TenutaImpianto)), -1);
  EXPECT_NE(MotivoSenzaVerdetto(TenutaImpianto).find("capacità dell'impianto non è nota"), std::string::npos);
  TenutaImpianto.CapacitaTotale = "6,0";
  TenutaImpianto.Cause = "1;1;1;1;1;1";  // six fields: no cause at all
  int n = 0;
  for (const auto& p : GetPezziTenuta()) n += p.Tipo == TipoPezzo::Causa ? 1 : 0;
  EXPECT_EQ(n, 0);
}

}  // namespace
}  // namespace varnex
