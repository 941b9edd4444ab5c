// The printed run on a recording printer: page policy, documents, progress, failures, page frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "model/campi.h"
#include "model/calcolo.h"
#include "model/calcolo_prova.h"
#include "editor/tabella.h"
#include "model/colonne.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/globals.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "report/print/copertina.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/tabelle_report.h"
#include "report/print/stampante_finta.h"
#include "report/print/valori_lunghi_prova.h"
#include "shell/stato_interfaccia.h"
#include "support/fake_interaction.h"
#include "support/pagina_tenuta_prova.h"
#include "support/temp_folder.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

using test::StampanteFinta;
using test::Tratto;

class AttesaFinta : public IAttesaStampa {
 public:
  void Mostra() override { aperta = true, ++mostrata; }
  void PrintMsg(const std::string& s) override { messaggi.push_back(s); }
  void UpdateBar(int16_t p, int16_t t) override { barra.push_back(t == 0 ? 0 : static_cast<int>(100.0 * p / t)); }
  void Chiudi() override { aperta = false; }
  bool aperta = false;
  int mostrata = 0;
  std::vector<std::string> messaggi;
  std::vector<int> barra;
};

class StampaReport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
    ResetRete();
    SetReteCorrente(1);
    ReteInPressione = 0;
    GasCorrente = TGas{};
    GasCorrente.Nome = "Metano";
    GasCorrente.Densita = 0.55f;
    GasCorrente.Viscosita = 1.4e-05f;
    AzzeraSezioni();
    PercentualeX = PercentualeY = 100;
    DataStampa = "01/02/2024";
    PercorsoProgetto.clear();
    TenutaImpianto = TTenutaImpianto{};
    ImpostaStampanteReport(&stampante);
    ImpostaAttesaStampa(&attesa);
    fake.PermettiTutti();
  }
  void TearDown() override {
    ImpostaStampanteReport(nullptr);
    ImpostaAttesaStampa(nullptr);
    AzzeraSezioni();
    ResetRete();
  }
  std::vector<std::string> MessaggiUtente() const {
    std::vector<std::string> v;
    for (const auto& m : fake.messaggi) v.push_back(m.testo);
    return v;
  }
  bool HaMessaggio(const std::string& t) const {
    for (const auto& m : fake.messaggi)
      if (m.testo == t) return true;
    return false;
  }
  std::vector<std::string> TestiPagina(int documento, int pagina) const {
    std::vector<std::string> v;
    for (const auto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo && !t.testo.empty() && t.documento == documento && t.pagina == pagina)
        v.push_back(t.testo);
    return v;
  }
  static bool Contiene(const std::vector<std::string>& v, const std::string& t) {
    return std::find(v.begin(), v.end(), t) != v.end();
  }

  test::FakeInterazione fake;
  StampanteFinta stampante;
  AttesaFinta attesa;
};

TEST_F(StampaReport, PageSizeLimitIs32000Twips) {
  StampaCopertina = -1;
  NumSezioniStampa = 1;
  stampante.altezza = 32001;
  PrintReport(0);
  EXPECT_TRUE(HaMessaggio("La pagina e' troppo grande. Selezionare un formato piu' piccolo"));
  EXPECT_TRUE(stampante.tratti.empty());
  EXPECT_EQ(attesa.mostrata, 0);
  stampante.altezza = 32000;
  PrintReport(0);
  EXPECT_EQ(attesa.mostrata, 1);
  EXPECT_FALSE(stampante.tratti.empty());
}

TEST_F(StampaReport, CoverAloneHasNoHeaderAndOneDocument) {
  StampaCopertina = -1;
  NumSezioniStampa = 1;
  PercorsoProgetto = "/prove/casa.RTG";
  PrintReport(0);
  const auto pagina1 = TestiPagina(1, 1);
  EXPECT_TRUE(Contiene(pagina1, "Schema di impianto interno gas"));
  EXPECT_TRUE(Contiene(pagina1, "01/02/2024"));
  EXPECT_TRUE(Contiene(pagina1, "Pagina: 1 "));
  EXPECT_FALSE(Contiene(pagina1, "casa"));  // no page header
  EXPECT_TRUE(TestiPagina(1, 2).empty());
  EXPECT_EQ(stampante.Conta(Tratto::FineDocumento), 1);
  EXPECT_FALSE(attesa.aperta);
}

TEST_F(StampaReport, CoverAndTightnessTestPagePolicy) {
  StampaCopertina = -1;
  StampaTenutaImpianto = -1;
  NumSezioniStampa = 2;
  PercorsoProgetto = "/prove/casa.RTG";
  PrintReport(0);
  EXPECT_TRUE(Contiene(TestiPagina(1, 1), "casa"));  // a content section brings the header on page 1
  const auto pagina2 = TestiPagina(1, 2);
  // Page 2 carries only the header and the footer: the tightness report starts a new page.
  EXPECT_TRUE(Contiene(pagina2, "casa"));
  EXPECT_TRUE(Contiene(pagina2, "Pagina: 2 "));
  EXPECT_FALSE(Contiene(pagina2, "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1"));
  const auto pagina3 = TestiPagina(1, 3);
  EXPECT_TRUE(Contiene(pagina3, "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1"));
  EXPECT_EQ(stampante.Conta(Tratto::FineDocumento), 1);
  EXPECT_EQ(attesa.messaggi, (std::vector<std::string>{"Frontespizio", "Verifica Tenuta impianto"}));
}

TEST_F(StampaReport, DiagramAloneIsALandscapeDocumentAndProgressCounts) {
  StampaCopertina = -1;
  StampaTronchi = -1;
  StampaDiagrammaRete = -1;
  NumSezioniStampa = 3;
  AdattaSchemaPagina = -1;
  PercorsoProgetto = "/prove/casa.RTG";
  Riferimento = "Villa";
  int16_t orientamentoAlDiagramma = 0;
  struct Diagramma : IDiagrammaStampa {
    int16_t* o;
    void PrintDiagrammaRete(IStampanteReport& p, int16_t) override {
      *o = p.Orientation();
      StampaTitoloDiagramma(p);
    }
  } diagramma;
  diagramma.o = &orientamentoAlDiagramma;
  ImpostaDiagrammaStampa(&diagramma);
  PrintReport(0);
  ImpostaDiagrammaStampa(nullptr);
  EXPECT_EQ(orientamentoAlDiagramma, 2);
  EXPECT_EQ(stampante.Orientation(), 1);
  EXPECT_EQ(stampante.Conta(Tratto::FineDocumento), 2);
  EXPECT_TRUE(Contiene(TestiPagina(2, 1), "casa.RTG - Rete: Villa"));
  EXPECT_EQ(attesa.barra, (std::vector<int>{0, 0, 33, 66, 66, 66, 66, 66, 66, 100}));
  EXPECT_EQ(AdattaSchemaPagina, 0);
}

TEST_F(StampaReport, DiagramWithoutAdapterPrintsItsTitleOnly) {
  StampaDiagrammaRete = -1;
  NumSezioniStampa = 1;
  stampante.rifiutaOrizzontale = true;
  PercorsoProgetto = "/prove/casa.RTG";
  Riferimento = "Villa";
  PrintReport(-1);
  EXPECT_TRUE(HaMessaggio("Impossibile impostare modalita' landscape"));
  EXPECT_EQ(stampante.Testi(), (std::vector<std::string>{"casa.RTG - Rete: Villa"}));
  EXPECT_EQ(stampante.Conta(Tratto::FineDocumento), 1);
}

TEST_F(StampaReport, AFailingSectionEndsTheRunCleanly) {
  StampaTronchi = -1;
  StampaDiagrammaRete = -1;
  NumSezioniStampa = 2;
  AdattaSchemaPagina = -1;
  struct Guasto : IDiagrammaStampa {
    void PrintDiagrammaRete(IStampanteReport& p, int16_t) override {
      p.Print("schema", true);
      throw ErroreReport("guasto");
    }
  } diagramma;
  ImpostaDiagrammaStampa(&diagramma);
  PrintReport(0);
  ImpostaDiagrammaStampa(nullptr);
  EXPECT_TRUE(HaMessaggio(MessaggioErroreStampa));
  ASSERT_FALSE(stampante.tratti.empty());
  EXPECT_EQ(stampante.tratti.back().tipo, Tratto::FineDocumento);  // the diagram document is ended
  EXPECT_EQ(stampante.Orientation(), 1);
  EXPECT_EQ(AdattaSchemaPagina, 0);
  EXPECT_FALSE(attesa.aperta);
}

TEST_F(StampaReport, CoverReadsEveryFieldBeforePrinting) {
  ReteInPressione = -1;
  Rete().NumTronchi = 1;
  Tronco(1).ID_CONTEMP = 0;
  SetupPage();
  EXPECT_THROW(PrintCopertina(stampante), ErroreReport);
  EXPECT_TRUE(stampante.Testi().empty());
}

TEST_F(StampaReport, SetupPageGeometryAndPageBreakBoundary) {
  stampante.larghezza = 12000;
  stampante.altezza = 16000;
  SetupPage();
  EXPECT_EQ(LarghezzaStampabile, 10000);
  EXPECT_EQ(AltezzaStampabile, 15900);
  EXPECT_DOUBLE_EQ(stampante.ScaleLeft(), -1000);
  EXPECT_DOUBLE_EQ(stampante.ScaleTop(), -600);
  EXPECT_EQ(LimiteFondoPagina, 13900);
  stampante.y = LimiteFondoPagina - 401;
  CheckPageBreak();
  EXPECT_EQ(stampante.Conta(Tratto::NuovaPagina), 0);
  stampante.y = LimiteFondoPagina - 400;
  CheckPageBreak();
  EXPECT_EQ(stampante.Conta(Tratto::NuovaPagina), 1);
  EXPECT_DOUBLE_EQ(stampante.y, InizioCorpoPagina);
  // Eight lines of "X" (180 twips at 9 pt) reserved ahead.
  stampante.y = LimiteFondoPagina - 400 - 8 * 180;
  CheckPageBreak(8);
  EXPECT_EQ(stampante.Conta(Tratto::NuovaPagina), 2);
  EXPECT_GT(stampante.eventi, 0);
}

TEST_F(StampaReport, HeaderTitleAndFooterTexts) {
  DittaRiga1 = "Ditta Rossi";
  DittaRiga2 = "Via Roma 1";
  DittaAgente = "AG";
  SetupPage();
  const std::string quaranta(40, 'q');
  PercorsoProgetto = "/prove/" + quaranta + ".RTG";
  PrintPageHeader(stampante);
  EXPECT_TRUE(stampante.Trova(quaranta));
  EXPECT_TRUE(stampante.Trova("Ditta Rossi"));
  EXPECT_DOUBLE_EQ(stampante.y, InizioCorpoPagina);
  PercorsoProgetto = "/prove/" + quaranta + "q.RTG";
  PrintPageHeader(stampante);
  EXPECT_TRUE(stampante.Trova("..." + std::string(36, 'q') + ".RTG")) << "a cut title shows where it was cut";
  PrintPageFooter(stampante);
  EXPECT_TRUE(stampante.Trova(VersioneProgramma + " - AG      "));
  EXPECT_EQ(CodiceDitta(), "AG      ");
  DittaAgente = "ABCDEFGHIJ";
  EXPECT_EQ(CodiceDitta(), "ABCDEFGH");
  DittaRiga1.clear();
  DittaRiga2.clear();
  DittaAgente.clear();
}

// The logo stays inside the header's logo box: left of the firm lines, above the header rule,
// with its proportions; a logo beyond the announced 184 x 41 pixels is left out with its indent.
// A long firm line never meets the project title: the title takes the header line with room,
// cut behind "..." when it must, and nothing of the header runs past the usable width.
TEST_F(StampaReport, TheHeaderTitleNeverPrintsOverTheFirmLines) {
  struct Caso {
    const char* nome;
    std::string riga1, riga2, percorso;
    int32_t larghezza;
    bool logo;
  };
  const std::string settanta = "Termoidraulica Rossi Mario e Figli S.n.c. - Impianti gas e riscaldamento";
  const Caso casi[] = {
      {"long firm, short title", settanta, "Via Roma 1", "/prove/casa.RTG", 11906, true},
      {"both long, long title", settanta, settanta, "/prove/" + std::string(45, 'q') + ".RTG", 11906, true},
      {"A5, long title", settanta, "Via Roma 1, 20100 Milano", "/prove/Villetta bifamiliare Bianchi.RTG", 8391,
       true},
      {"A5 no logo", settanta, settanta, "/prove/casa.RTG", 8391, false},
      // On the narrowest paper the project is still named whole: the firm line gives way.
      {"envelope, long firm", settanta, "Via Roma 1", "/prove/Villa Bianchi.RTG", 5216, true},
      {"envelope 80 %, long firm", settanta, "Via Roma 1", "/prove/Villa Bianchi.RTG", 5216 * 8 / 10, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    DittaRiga1 = c.riga1;
    DittaRiga2 = c.riga2;
    PercorsoProgetto = c.percorso;
    stampante = StampanteFinta{};
    stampante.larghezza = c.larghezza;
    test::TempFolder programma;
    programma.UsaComeCartellaProgramma();
    if (c.logo) programma.Write("logo.bmp", "BM");
    SetupPage();
    PrintPageHeader(stampante);
    std::vector<const Tratto*> testi;
    for (const auto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo && !t.testo.empty()) testi.push_back(&t);
    // On the narrowest paper a firm line with no room for four letters is left out.
    ASSERT_GE(testi.size(), c.larghezza < 8391 ? 2u : 3u);
    const auto fine = [](const Tratto* t) { return t->x + static_cast<double>(Len(t->testo)) * t->dimensione * 10; };
    for (const Tratto* a : testi) {
      EXPECT_GE(a->x, 0) << a->testo;
      EXPECT_LE(fine(a), LarghezzaStampabile) << a->testo;
      for (const Tratto* b : testi)
        if (a != b && a->y == b->y) {
          EXPECT_TRUE(fine(a) <= b->x || fine(b) <= a->x) << a->testo << " / " << b->testo;
        }
    }
    const Tratto* titolo = testi.back();
    const std::string nome = GetFileTitle(c.percorso);
    const bool intero = titolo->testo == nome;
    const auto finisceCon = [](const std::string& t, const std::string& coda) {
      return t.size() >= coda.size() && t.compare(t.size() - coda.size(), std::string::npos, coda) == 0;
    };
    const std::string coda = titolo->testo.substr(std::min<size_t>(3, titolo->testo.size()));
    const bool tagliato = titolo->testo.rfind("...", 0) == 0 && coda.size() >= 4 &&
                          (finisceCon(nome, coda) || finisceCon(c.percorso, coda));
    EXPECT_TRUE(intero || tagliato) << titolo->testo;
    if (c.larghezza < 8391) {
      EXPECT_TRUE(intero) << titolo->testo;
      EXPECT_GE(titolo->dimensione, 6);
      for (const Tratto* t : testi)
        if (t != titolo && t->testo.find("...") != std::string::npos) {
          EXPECT_GE(Len(t->testo), 7u) << t->testo;
        }
    }
  }
  DittaRiga1.clear();
  DittaRiga2.clear();
  PercorsoProgetto.clear();
}

TEST_F(StampaReport, TheLogoStaysInsideTheHeaderBox) {
  test::TempFolder programma;
  programma.UsaComeCartellaProgramma();
  programma.Write("logo.bmp", "BM");
  DittaRiga1 = "Ditta Rossi";
  DittaRiga2 = "Via Roma 1";
  struct Caso {
    int32_t pixelL, pixelH;
    bool stampato;
  };
  const Caso casi[] = {{137, 41, true}, {184, 41, true}, {40, 20, true}, {184, 42, false}, {240, 72, false}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.pixelL) + " x " + std::to_string(c.pixelH));
    stampante.tratti.clear();
    stampante.dimensioniImmagine = {c.pixelL * 15, c.pixelH * 15};
    SetupPage();
    PrintPageHeader(stampante);
    const Tratto* logo = nullptr;
    const Tratto* ditta = nullptr;
    const Tratto* riga = nullptr;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo == Tratto::Immagine) logo = &t;
      if (t.tipo == Tratto::Testo && t.testo == "Ditta Rossi") ditta = &t;
      if (t.tipo == Tratto::Linea) riga = &t;
    }
    ASSERT_TRUE(ditta && riga);
    if (!c.stampato) {
      EXPECT_EQ(logo, nullptr);
      EXPECT_DOUBLE_EQ(ditta->x, 0) << "no logo, no indent";
      continue;
    }
    ASSERT_TRUE(logo);
    EXPECT_DOUBLE_EQ(logo->x, 0);
    EXPECT_DOUBLE_EQ(logo->y, -5);
    EXPECT_LE(logo->x2, LarghezzaBoxLogo);
    EXPECT_LT(logo->x2, ditta->x) << "the firm lines start right of the logo";
    EXPECT_LT(logo->y2, riga->y) << "the logo ends above the header rule";
    EXPECT_LT(logo->y2, InizioCorpoPagina) << "the first body line is free";
    EXPECT_NEAR((logo->x2 - logo->x) / (logo->y2 - logo->y), static_cast<double>(c.pixelL) / c.pixelH, 0.01);
    EXPECT_LE(logo->x2 - logo->x, c.pixelL * 15.0) << "never enlarged";
  }
  DittaRiga1.clear();
  DittaRiga2.clear();
}

// Whatever proportions are stored, the header, the body and the footer stay on the paper: every
// text and line of a header and a footer lies inside the page, with a printer's margin below.
TEST_F(StampaReport, TheFrameStaysOnThePaperAtEveryProportion) {
  DittaRiga1 = "Ditta Rossi";
  PercorsoProgetto = "/prove/casa.RTG";
  for (int16_t percentuale : {-50, 30, 80, 100, 110, 120, 150, 32000}) {
    SCOPED_TRACE(percentuale);
    PercentualeX = PercentualeY = percentuale;
    stampante.tratti.clear();
    SetupPage();
    ResetPrinterFont(stampante);
    PrintPageHeader(stampante);
    PrintPageFooter(stampante);
    const double larghezza = stampante.Width(), altezza = stampante.Height();
    int testi = 0;
    for (const Tratto& t : stampante.tratti) {
      // Paper coordinates: the user scale's origin is the paper's (ScaleLeft, ScaleTop).
      const double x = t.x - stampante.ScaleLeft(), y = t.y - stampante.ScaleTop();
      if (t.tipo == Tratto::Testo && !t.testo.empty()) {
        ++testi;
        const double fine = x + static_cast<double>(Len(t.testo)) * t.dimensione * 10;
        EXPECT_GE(x, 0) << t.testo;
        EXPECT_LE(fine, larghezza) << t.testo;
        EXPECT_LE(y + t.dimensione * 20, altezza - 300) << t.testo;
      } else if (t.tipo == Tratto::Linea) {
        EXPECT_GE(x, 0);
        EXPECT_LE(t.x2 - stampante.ScaleLeft(), larghezza);
        EXPECT_LE(y, altezza - 300);
      }
    }
    EXPECT_GE(testi, 5);
    EXPECT_GT(LimiteFondoPagina - 400, InizioCorpoPagina) << "room for a body";
  }
  PercentualeX = PercentualeY = 100;
  DittaRiga1.clear();
}

// Margins typed in the printer setup are kept free: the page frame moves and shrinks inside them
// at every proportion; margins narrower than the frame's own change nothing.
TEST_F(StampaReport, MarginsSetOnThePrinterAreLeftBlank) {
  DittaRiga1 = "Ditta Rossi";
  PercorsoProgetto = "/prove/casa.RTG";
  struct Caso {
    MarginiCarta margini;
    int16_t percentuale;
  };
  const Caso casi[] = {{{2835, 1701, 567, 2268}, 100}, {{2835, 1701, 567, 2268}, 120}, {{567, 567, 3402, 567}, 80},
                       {{200, 200, 200, 200}, 100}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.margini.sinistro);
    stampante = StampanteFinta{};
    stampante.margini = c.margini;
    PercentualeX = PercentualeY = c.percentuale;
    SetupPage();
    ResetPrinterFont(stampante);
    PrintPageHeader(stampante);
    PrintPageFooter(stampante);
    const double larghezza = stampante.Width(), altezza = stampante.Height();
    for (const Tratto& t : stampante.tratti) {
      const double x = t.x - stampante.ScaleLeft(), y = t.y - stampante.ScaleTop();
      const double fine = t.tipo == Tratto::Testo ? x + static_cast<double>(Len(t.testo)) * t.dimensione * 10
                                                  : t.x2 - stampante.ScaleLeft();
      if (t.tipo == Tratto::Testo && t.testo.empty()) continue;
      EXPECT_GE(x, c.margini.sinistro) << t.testo;
      EXPECT_LE(fine, larghezza - c.margini.destro) << t.testo;
      EXPECT_GE(y, c.margini.alto - 5) << t.testo;
      EXPECT_LE(y + t.dimensione * 20, altezza - c.margini.basso) << t.testo;
    }
    if (c.margini.sinistro == 200) {
      EXPECT_DOUBLE_EQ(stampante.ScaleLeft(), -1000) << "the usual frame";
      EXPECT_DOUBLE_EQ(stampante.ScaleTop(), -600);
    }
  }
  PercentualeX = PercentualeY = 100;
  DittaRiga1.clear();
  PercorsoProgetto.clear();
}

TEST(SpezzaTesto, WordsStayWholeAndLongWordsAndLineBreaksAreHandled) {
  const auto caratteri = [](const std::string& s) { return static_cast<double>(Len(s)); };
  struct Caso {
    const char* testo;
    double prima, altre;
    std::vector<std::string> righe;
  };
  const Caso casi[] = {
      {"", 10, 10, {""}},
      {"corto", 10, 10, {"corto"}},
      {"uno due tre quattro", 10, 10, {"uno due", "tre", "quattro"}},
      {"uno due tre", 3, 10, {"uno", "due tre"}},
      {"quattro cinque", 2, 10, {"", "quattro", "cinque"}},
      {"abcdefghijklmnopqrstuvwxyz fine", 10, 10, {"abcdefghij", "klmnopqrst", "uvwxyz", "fine"}},
      {"prima\r\nseconda riga lunga", 20, 10, {"prima", "seconda", "riga lunga"}},
      {"     Timbro", 20, 20, {"     Timbro"}},
      {"città è già là più", 9, 9, {"città è", "già là", "più"}},
      // A number and its unit stay together: the line breaks before the number.
      {"UNI: 2200\xC2\xA0(Pa)", 12, 12, {"UNI:", "2200\xC2\xA0(Pa)"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(SpezzaTesto(c.testo, c.prima, c.altre, caratteri), c.righe);
  }
}

// A long note, a long appliance description and a long owner's street of the tightness report
// wrap inside the page: nothing is printed beyond the right edge and no word is lost.
TEST_F(StampaReport, LongTextsOfTheTightnessReportWrapInsideThePage) {
  SetupPage();
  std::string nota;
  for (int i = 0; i < 60; ++i) nota += "parola" + std::to_string(i) + " ";
  nota += std::string(300, 'x');
  TenutaImpianto.Note = nota;
  TenutaImpianto.ProprietarioVia = std::string(40, 'v') + " " + std::string(90, 'w');
  TenutaImpianto.AppAltroNum = 1;
  TenutaImpianto.AppAltroDesc = std::string(80, 'd') + " fine";
  stampante.y = InizioCorpoPagina;
  PrintTenutaImpianto(stampante, 0);
  std::string stampato;
  for (const Tratto& t : stampante.tratti) {
    if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
    EXPECT_GE(t.x, 0) << t.testo;
    EXPECT_LE(t.x + static_cast<double>(Len(t.testo)) * t.dimensione * 10, LarghezzaStampabile + 0.5) << t.testo;
    stampato += t.testo;
  }
  for (int i = 0; i < 60; ++i) EXPECT_NE(stampato.find("parola" + std::to_string(i)), std::string::npos) << i;
  EXPECT_NE(stampato.find(std::string(60, 'x')), std::string::npos);
  size_t x = 0;
  for (char c : stampato) x += c == 'x';
  EXPECT_EQ(x, 300u) << "every character of the long word printed";
  EXPECT_NE(stampato.find(std::string(90, 'w')), std::string::npos);
  EXPECT_NE(stampato.find("fine"), std::string::npos);
}

TEST_F(StampaReport, ALongReferenceOnTheCoverWrapsInsideThePage) {
  PercentualeX = 80;  // a narrow frame: the longest reference no longer fits beside its label
  SetupPage();
  Riferimento = std::string(30, 'r') + " " + std::string(39, 's');
  PrintCopertina(stampante);
  bool trovato = false;
  for (const Tratto& t : stampante.tratti) {
    if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
    EXPECT_LE(t.x + static_cast<double>(Len(t.testo)) * t.dimensione * 10, LarghezzaStampabile + 0.5) << t.testo;
    trovato = trovato || t.testo == std::string(39, 's');
  }
  EXPECT_TRUE(trovato);
  Riferimento.clear();
  PercentualeX = 100;
}

TEST_F(StampaReport, TablesFollowTheThreeQuarterRule) {
  StampaTronchi = -1;
  StampaUtenze = -1;
  NumSezioniStampa = 2;
  PrintReport(0);
  // Both tables fit on page 1 (an empty network): the second starts on the same page.
  EXPECT_TRUE(Contiene(TestiPagina(1, 1), "Tabella dati tronchi "));
  EXPECT_TRUE(Contiene(TestiPagina(1, 1), "Riepilogo utenze "));
  EXPECT_TRUE(Contiene(TestiPagina(1, 1), "TOTALE PORTATA GAS:"));
  EXPECT_EQ(stampante.ContaTesto("Pagina: 1 "), 1);  // the last page ends with its footer
  EXPECT_FALSE(HaMessaggio(MessaggioErroreStampa));
}

// A design over the maximum drop (a segment fixed to 1/2" carrying the whole flow) is stated as
// failing on paper: the marked drops, the statement under the path's total and its note.
TEST_F(StampaReport, AFailingDesignIsStatedOnPaper) {
  for (const bool fallito : {false, true}) {
    SCOPED_TRACE(fallito ? "failing" : "passing");
    test::PreparaCalcolo();
    test::AggiungiProva(0, 30);
    test::AggiungiProva(1, 5, 1.0f);
    test::AggiungiProva(1, 4, 2.0f);
    if (fallito) {
      Tronco(1).ID_DIAMETRO = "1/2";
      Tronco(1).ID_DIAMCUSTOM = -1;
    }
    CalcolaRete();
    PDCMaxTesto = TestoNumero(PDCMassima());
    stampante.tratti.clear();
    StampaTronchi = StampaVerifica = -1;
    NumSezioniStampa = 2;
    PrintReport(0);
    EXPECT_FALSE(HaMessaggio(MessaggioErroreStampa));
    const std::string avviso = "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (" + PDCMaxTesto + " Pa)";
    EXPECT_EQ(stampante.ContaTesto(avviso), fallito ? 1 : 0);
    EXPECT_EQ(stampante.ContaTesto(NotaOltreLimite), fallito ? 2 : 0);
    int marcati = 0;
    for (const auto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo && t.testo.find(MarcaOltreLimite) != std::string::npos) ++marcati;
    EXPECT_EQ(marcati >= 4, fallito) << marcati;
    // The statement comes after the total it speaks of.
    int totale = -1, dopo = -1;
    for (size_t i = 0; i < stampante.tratti.size(); ++i) {
      if (stampante.tratti[i].testo == "TOTALE PERDITA DI PRESSIONE:") totale = static_cast<int>(i);
      if (stampante.tratti[i].testo == avviso) dopo = static_cast<int>(i);
    }
    if (fallito) {
      EXPECT_GT(dopo, totale);
    }
  }
  PDCMaxTesto = "0";
}

// The editor's text of the maximum drop is refreshed only by an automatic recalculation: with it
// off since start-up the text is still "0" (or a value of another gas). The report recalculates,
// so it judges the paths against the maximum drop in force, the one its cover prints.
TEST_F(StampaReport, APassingDesignIsNotStatedFailingAfterAStaleMaximumDropText) {
  for (const char* vecchio : {"0", "", "10"}) {
    SCOPED_TRACE(std::string("stale text '") + vecchio + "'");
    test::PreparaCalcolo();
    test::AggiungiProva(0, 30);
    test::AggiungiProva(1, 5, 1.0f);
    CalcolaRete();
    ASSERT_GT(Tronco(2).ID_PDC_PERCORSO, 10.0f);
    ASSERT_LT(Tronco(2).ID_PDC_PERCORSO, PDCMassima());
    PDCMaxTesto = vecchio;
    stampante.tratti.clear();
    StampaTronchi = StampaVerifica = -1;
    NumSezioniStampa = 2;
    PrintReport(0);
    EXPECT_EQ(stampante.ContaTesto(NotaOltreLimite), 0);
    for (const auto& t : stampante.tratti) {
      EXPECT_EQ(t.testo.find("ATTENZIONE"), std::string::npos) << t.testo;
      EXPECT_EQ(t.testo.find(MarcaOltreLimite), std::string::npos) << t.testo;
    }
  }
}

// Strips go on below each other; a diameter label longer than its column is printed whole, in
// type small enough to stay inside the column but never below 6 pt: a label that would need less
// widens the columns.
TEST_F(StampaReport, BillOfQuantitiesStripsContinueWhenTooMany) {
  for (auto& s : Materiali) s = TSerieMateriale{};
  Materiali[1][0].Nome = "RAME";
  Materiali[1][0].TipoFormula = 2;
  Materiali[1][0].LunghezzaComputo = -1;
  for (int r = 1; r <= 30; ++r) {
    Materiali[1][r].RifDiametro = "D" + std::to_string(r);
    Materiali[1][r].LunghezzaComputo = 1;
  }
  Materiali[1][31].RifDiametro = "108x2,5 mm";
  Materiali[1][31].LunghezzaComputo = 12345.5f;
  stampante.larghezza = 12000;
  SetupPage();  // 10000 twips: columns of 6 X at 8 pt (480) give 19 diameter columns
  stampante.SetFontSize(8);
  stampante.y = InizioCorpoPagina;
  PrintComputo(stampante, 0);
  const Tratto* primo = stampante.Trova("D1");
  const Tratto* ventesimo = stampante.Trova("D20");
  ASSERT_TRUE(primo && ventesimo);
  EXPECT_GT(ventesimo->y, primo->y);          // a second strip below the first
  EXPECT_EQ(stampante.ContaTesto("DN"), 3);  // 14 diameters to a strip
  EXPECT_TRUE(stampante.Trova("Computo tubazioni"));
  EXPECT_FALSE(stampante.Trova("Peso totale: 0 Kg"));  // copper: no weight line
  const Tratto* lungo = stampante.Trova("108x2,5 mm");
  ASSERT_TRUE(lungo);
  // Even at 6 pt the longest label is wider than six "X" at 8 pt: every column takes its width.
  EXPECT_GE(lungo->dimensione, 6);
  const double w = 11 * 6 * 10;
  const double inizio = std::floor(lungo->x / w) * w;
  EXPECT_LE(lungo->x + static_cast<double>(Len(lungo->testo)) * lungo->dimensione * 10, inizio + w);
}

TEST_F(StampaReport, TightnessSectionOnlyForAnInternalInstallationWithItsVerdictIfAny) {
  struct Caso {
    int16_t pressione;
    int16_t risultato;
    bool sezione;
  } casi[] = {{-1, 0, false}, {-1, 1, false}, {0, 0, true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.pressione) + " " + std::to_string(c.risultato));
    stampante.tratti.clear();
    ReteInPressione = c.pressione;
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.FamigliaGas = 2;
    TenutaImpianto.Risultato = c.risultato;
    StampaTronchi = -1;
    StampaTenutaImpianto = -1;
    NumSezioniStampa = 2;
    PrintReport(0);
    bool titolo = false, risultato = false, motivo = false;
    for (const auto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo) continue;
      titolo = titolo || t.testo == "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1";
      risultato = risultato || t.testo == "RISULTATO DELLA VERIFICA";
      // Without a verdict the line under the heading says why, instead of standing blank.
      motivo = motivo || t.testo == "Nessun esito: dati della prova incompleti, manca la metodologia di verifica.";
      EXPECT_EQ(t.testo.find("idonea"), std::string::npos) << t.testo;
    }
    EXPECT_EQ(titolo, c.sezione);
    EXPECT_EQ(risultato, c.sezione);
    EXPECT_EQ(motivo, c.sezione);
    EXPECT_EQ(NumSezioniStampa, c.sezione ? 2 : 1);
    // The segment table still ends its page with a footer, as when the section is not ticked.
    EXPECT_GE(stampante.Conta(Tratto::FineDocumento), 1);
    AzzeraSezioni();
  }
  ReteInPressione = 0;
}

TEST_F(StampaReport, ANetworkTheCalculationRefusesIsNotPrinted) {
  // A damaged network has no result: nothing is printed that could pass for one.
  Rete().NumTronchi = 2;
  Tronco(1).ID_PREV = 0;
  Tronco(1).ID_LEFT = 2;
  Tronco(2).ID_PREV = 2;  // a loop
  StampaCopertina = StampaTronchi = -1;
  NumSezioniStampa = 2;
  EXPECT_FALSE(PrintReport(0));
  EXPECT_TRUE(stampante.tratti.empty());
  const auto messaggi = MessaggiUtente();
  ASSERT_FALSE(messaggi.empty());
  EXPECT_EQ(messaggi.back(),
            "Il calcolo della rete non e' stato eseguito: il report non viene prodotto.\n"
            "Correggere la rete e ripetere la stampa.");
}

TEST_F(StampaReport, TheTightnessSectionIsPrintedWhenTheNetworkCalculationIsRefused) {
  // The record needs no result of the network: ticked alone it prints; ticked with the tables it
  // prints alone, and the user is told.
  Rete().NumTronchi = 2;
  Tronco(1).ID_PREV = 0;
  Tronco(1).ID_LEFT = 2;
  Tronco(2).ID_PREV = 2;  // a loop
  for (bool altre : {false, true}) {
    SCOPED_TRACE(altre ? "with the tables" : "alone");
    stampante.tratti.clear();
    fake.messaggi.clear();
    AzzeraSezioni();
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.FamigliaGas = 2;
    TenutaImpianto.Metodo = 2;
    TenutaImpianto.CapacitaContatore = "2,0";
    TenutaImpianto.CapacitaTotale = "NC";
    StampaTenutaImpianto = -1;
    if (altre) StampaCopertina = StampaTronchi = -1;
    NumSezioniStampa = ContaSezioniSelezionate();
    EXPECT_TRUE(PrintReport(0));
    std::string testo;
    for (const auto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo) testo += t.testo + "\n";
    EXPECT_NE(testo.find("RISULTATO DELLA VERIFICA"), std::string::npos);
    EXPECT_NE(testo.find("Nessun esito: la capacità dell'impianto non è nota"), std::string::npos);
    EXPECT_EQ(testo.find("Tabella dati tronchi"), std::string::npos);
    EXPECT_EQ(HaMessaggio("Il calcolo della rete non e' stato eseguito: il report contiene solo la verifica di "
                          "tenuta dell'impianto.\nCorreggere la rete e ripetere la stampa per le altre sezioni."),
              altre);
  }
}

TEST_F(StampaReport, TheTightnessSectionCarriesThePagesLineUnderTheVerdict) {
  // The page fills the record; the printed section refreshes it and must give the verdict and
  // the line under it exactly as the page shows them.
  test::PreparaCalcolo();
  const int16_t radice = test::AggiungiProva(0, 10);
  test::AggiungiProva(radice, 5, 1.0f);
  CalcolaRete();
  for (const test::CasoUscitaTenuta& c : test::CasiUscitaTenuta()) {
    SCOPED_TRACE(c.nome);
    stampante.tratti.clear();
    AzzeraSezioni();
    StampaTenutaImpianto = -1;
    NumSezioniStampa = 1;
    test::PaginaTenutaProva pagina;
    const std::string nota = test::CompilaCasoTenuta(c, pagina);
    EXPECT_TRUE(PrintReport(0));
    std::string testo;
    for (const auto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo) testo += t.testo;
    const auto senzaSpazi = [](std::string t) {
      t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
      return t;
    };
    testo = senzaSpazi(testo);
    if (*c.verdetto == '\0') {
      ASSERT_FALSE(nota.empty());
      EXPECT_EQ(testo.find("idonea"), std::string::npos);
    } else {
      EXPECT_NE(testo.find(senzaSpazi(c.verdetto)), std::string::npos);
    }
    if (!nota.empty()) {
      EXPECT_NE(testo.find(senzaSpazi(nota)), std::string::npos) << nota;
    }
    if (*c.testo != '\0') {
      EXPECT_NE(testo.find(senzaSpazi(c.testo)), std::string::npos) << c.testo;
    }
    EXPECT_EQ(testo.find(senzaSpazi("la verifica non è stata eseguita")), std::string::npos);
  }
}

// A choked segment's drop, end pressure and path drop were printed as -1 values.
TEST_F(StampaReport, AValueTheCalculationCouldNotComputeIsPrintedNotComputableInRed) {
  test::PreparaCalcolo();
  ReteInPressione = -1;
  GasCorrente.Densita = 0.6f;
  PressioneIniziale = 200;
  PressioneFinale = 150;
  VelocitaMaxImpostata = 15;
  test::AggiungiProva(0, 10);
  const int16_t strozzato = test::AggiungiProva(1, 500, 3000);
  Tronco(strozzato).IndiceMateriale = 2;  // copper: no diameter of it carries 3000 over 500 m
  Tronco(strozzato).ID_MATERIALE = "RAMET";
  StampaTronchi = -1;
  NumSezioniStampa = 1;
  ASSERT_TRUE(PrintReport(0));
  ASSERT_LT(Tronco(strozzato).ID_PDC_TRONCO, 0);
  int nonCalcolati = 0;
  for (const Tratto& t : stampante.tratti) {
    if (t.tipo != Tratto::Testo) continue;
    EXPECT_EQ(t.testo.find("-1,0"), std::string::npos) << t.testo;
    if (t.testo == "n.c.") {
      ++nonCalcolati;
      EXPECT_EQ(t.colore, 0xFF);
    } else {
      EXPECT_EQ(t.colore, 0) << t.testo;
    }
  }
  // Velocity, drop, path drop and end pressure of the choked segment.
  EXPECT_EQ(nonCalcolati, 4);
}

// A pressurised network that cannot be sized (its final pressure above the initial one, or a
// flow no pipe of its series carries) printed 0,00 m/s, an empty worst path totalling 0,000 and
// the diameters of an earlier calculation with no word.
TEST_F(StampaReport, ANetworkThatCannotBeSizedPrintsNoResultItDidNotCompute) {
  struct Caso {
    const char* nome;
    double iniziale, finale;
    float portata;
    const char* motivo;
  } casi[] = {
      {"final above initial", 150, 200, 10,
       "La rete non è dimensionata: la pressione relativa minima finale (200,00 kPa) supera la pressione relativa "
       "iniziale (150,00 kPa); i valori non calcolati sono indicati con \"n.c.\"."},
      {"choked", 200, 150, 20000,
       "La rete non è dimensionata: nessun diametro della serie del tronco 1 ne porta la portata con la pressione "
       "disponibile; i valori non calcolati sono indicati con \"n.c.\"."},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    test::PreparaCalcolo();
    ReteInPressione = -1;
    GasCorrente.Densita = 0.6f;
    VelocitaMaxImpostata = 15;
    PressioneIniziale = 200;
    PressioneFinale = 150;
    test::AggiungiProva(0, 10);
    test::AggiungiProva(1, 20, c.portata);
    CalcolaRete();  // an earlier calculation that sized the network, or tried to
    PressioneIniziale = c.iniziale;
    PressioneFinale = c.finale;
    stampante.tratti.clear();
    AzzeraSezioni();
    StampaCopertina = StampaTronchi = StampaVerifica = StampaComputo = -1;
    NumSezioniStampa = 4;
    ASSERT_TRUE(PrintReport(0));
    EXPECT_EQ(MotivoReteNonDimensionata(), c.motivo);
    std::string testo;
    for (const Tratto& t : stampante.tratti)
      if (t.tipo == Tratto::Testo) testo += t.testo + "\n";
    std::string senzaSpazi = testo;
    senzaSpazi.erase(std::remove_if(senzaSpazi.begin(), senzaSpazi.end(), [](char ch) { return ch == ' ' || ch == '\n'; }),
                     senzaSpazi.end());
    std::string motivo = c.motivo;
    motivo.erase(std::remove(motivo.begin(), motivo.end(), ' '), motivo.end());
    // Under the segment table and under the worst path.
    size_t volte = 0;
    for (size_t k = senzaSpazi.find(motivo); k != std::string::npos; k = senzaSpazi.find(motivo, k + 1)) ++volte;
    EXPECT_EQ(volte, 2u) << testo;
    EXPECT_EQ(senzaSpazi.find("0,00m/s"), std::string::npos) << testo;
    EXPECT_NE(senzaSpazi.find("Velocitàmassimacalcolata:n.c.m/s"), std::string::npos) << testo;
    EXPECT_EQ(senzaSpazi.find("TOTALEPERDITADIPRESSIONE:0,000"), std::string::npos) << testo;
    EXPECT_NE(senzaSpazi.find("TOTALEPERDITADIPRESSIONE:n.c."), std::string::npos) << testo;
    // The bill leaves out the pipes without a diameter: its weights are no totals, and it says so.
    EXPECT_NE(senzaSpazi.find("Pesototaletubazioniinacciaio:n.c.Kg"), std::string::npos) << testo;
    EXPECT_NE(senzaSpazi.find(c.finale > c.iniziale ? "Computoincompleto:iltronco1ealtri1nonhanno"
                                                    : "Computoincompleto:iltronco2nonha"),
              std::string::npos)
        << testo;
    // A network with no pressure to spend states no budget below 0 exceeded.
    if (c.finale > c.iniziale) {
      EXPECT_EQ(senzaSpazi.find("ATTENZIONE"), std::string::npos) << testo;
    }
    // The worst path is not empty: it reaches the segment not computed.
    EXPECT_NE(testo.find("Analisi percorso"), std::string::npos);
    // No diameter of an earlier calculation stands beside results not computed.
    for (int16_t s = 1; s <= 2; ++s)
      if (NonCalcolabile(s, campo::ID_PDC_TRONCO) && !(c.portata > 1000 && s == 1)) {
        EXPECT_EQ(Tronco(s).ID_DIAMETRO, "") << s;
        const int16_t view = GetReportView(ReportTable::SegmentTable);
        for (int16_t col = 1; col <= UltimaColonnaReport(view); ++col)
          if (const int16_t id = ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(col)].IdCampo;
              id == campo::ID_DIAMETRO || id == campo::ID_DIAMETRO_INTERNO) {
            EXPECT_EQ(GetCellText(view, col, s, 32767), "n.c.") << s << " " << col;
          }
      }
  }
}

// The papers of the print dialog, down to the narrowest it offers (an envelope 92 mm wide), at 100
// and 80 % of the page, in twips.
struct CartaProva {
  const char* nome;
  int32_t larghezza, altezza;
  int16_t percentuale;
};
constexpr CartaProva CarteProva[] = {{"A4 100", 11906, 16838, 100}, {"A4 80", 11906, 16838, 80},
                                     {"A5 100", 8391, 11906, 100},  {"A5 80", 8391, 11906, 80},
                                     {"busta 80", 5216, 9354, 80},  {"busta 100", 5216, 9354, 100}};

// A fresh recording printer on `carta`, the page's width (and its height, when told) at its share.
void PreparaCarta(StampanteFinta& stampante, const CartaProva& carta, bool ancheAltezza) {
  PercentualeX = carta.percentuale;
  if (ancheAltezza) PercentualeY = carta.percentuale;
  stampante = StampanteFinta{};
  stampante.larghezza = carta.larghezza;
  stampante.altezza = carta.altezza;
}

// The calculation tables of a network with the longest values printed on `carta` (at its share of
// the width; with `tutto`, of the height too, and the bill of quantities with them).
bool StampaTabelleLunghe(StampanteFinta& stampante, bool pressione, const CartaProva& carta, bool tutto) {
  test::ReteValoriLunghi(pressione);
  AzzeraSezioni();
  StampaTronchi = StampaPDCLocalizzate = StampaVerifica = StampaUtenze = -1;
  NumSezioniStampa = 4;
  if (tutto) StampaComputo = -1, NumSezioniStampa = 5;
  PreparaCarta(stampante, carta, tutto);
  return PrintReport(0);
}

// The calculation tables on every paper and proportion the dialogs allow, with the longest values
// a valid network gives: every number is printed whole, no text crosses a column rule, a free
// reference reads whole (wrapped), and every heading word and unit line is there uncut.
TEST_F(StampaReport, TablesPrintEveryValueWholeOnEveryPaper) {
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome);
      ASSERT_TRUE(StampaTabelleLunghe(stampante, pressione, carta, false));

      std::vector<ReportTable> tabelle = {ReportTable::SegmentTable, ReportTable::LocalLossTable,
                                          ReportTable::WorstPathTable, ReportTable::ApplianceTable};
      if (pressione) tabelle.push_back(ReportTable::EquivalentLengthTable);
      // The table texts: the page frame prints at 9 pt and the titles at 12.
      std::vector<const Tratto*> testi;
      for (const auto& t : stampante.tratti)
        if (t.tipo == Tratto::Testo && !t.testo.empty() && t.dimensione <= 8) testi.push_back(&t);
      auto stampato = [&](const std::string& v) {
        return std::any_of(testi.begin(), testi.end(), [&](const Tratto* t) { return t->testo == v; });
      };
      std::set<std::string> paroleIntestazioni;
      int unitaAttese = 0;
      for (ReportTable t : tabelle) {
        const int16_t view = GetReportView(t);
        for (int16_t c = 0; c <= UltimaColonnaReport(view); ++c) {
          const CaptionColonna caption = GetColumnCaption(view, c, 32767);
          for (const std::string* r : {&caption.Titolo, &caption.Unita}) {
            std::istringstream parole(*r);
            for (std::string w; parole >> w;) paroleIntestazioni.insert(w);
          }
          if (caption.Unita == "N.") ++unitaAttese;
          if (ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].IdCampo == campo::ID_RIF) continue;
          for (int16_t seg : GetReportRows(t)) {
            const std::string intero = GetCellText(view, c, seg, 32767);
            EXPECT_TRUE(stampato(intero)) << "cut: " << intero;
          }
        }
      }
      EXPECT_TRUE(stampato("Centrale termica") || (stampato("Centrale") && stampato("termica")));
      EXPECT_TRUE(stampato("[60%] 18,300") || !pressione);
      // No type a client cannot read.
      for (const Tratto* t : testi) EXPECT_GE(t->dimensione, 6) << t->testo;
      // Every heading word whole, every unit line there (a heading repeated where a table goes on).
      int unita = 0;
      for (const Tratto* t : testi) {
        if (!t->grassetto) continue;
        if (t->testo.find("(continua)") != std::string::npos) continue;
        // The statement of a failing design is printed bold under the path's total, not a heading;
        // it must still end on the paper.
        if (t->testo.rfind("ATTENZIONE:", 0) == 0 || t->testo.find("SUPERATA") != std::string::npos) {
          EXPECT_LE(t->x + static_cast<double>(Len(t->testo)) * t->dimensione * 10, carta.larghezza) << t->testo;
          continue;
        }
        unita += t->testo == "N." ? 1 : 0;
        std::istringstream parole(t->testo);
        for (std::string w; parole >> w;) EXPECT_TRUE(paroleIntestazioni.count(w)) << "heading cut: " << t->testo;
      }
      EXPECT_GE(unita, unitaAttese);
      // No text crosses a column rule.
      for (const Tratto* t : testi) {
        const double x2 = t->x + static_cast<double>(Len(t->testo)) * t->dimensione * 10;
        const double meta = t->y + t->dimensione * 10;
        for (const auto& l : stampante.tratti) {
          if (l.tipo != Tratto::Linea || l.x != l.x2 || l.documento != t->documento || l.pagina != t->pagina) continue;
          if (std::min(l.y, l.y2) > meta || std::max(l.y, l.y2) < meta) continue;
          EXPECT_FALSE(l.x > t->x + 1 && l.x < x2 - 1) << "over a rule: " << t->testo;
        }
        EXPECT_GE(t->x, -1) << t->testo;
        EXPECT_LE(x2, LarghezzaStampabile + 1) << t->testo;
      }
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

// On every paper, whatever the type a table is printed in and however many bands it takes, its
// column lines run from rule to rule: none goes past the line that closes the rows, none stops short
// of it.
TEST_F(StampaReport, EveryColumnLineOfATableEndsOnARule) {
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome);
      ASSERT_TRUE(StampaTabelleLunghe(stampante, pressione, carta, true));
      // The lines of each page, the column lines joined where they meet into runs.
      std::map<std::pair<int, int>, std::vector<const Tratto*>> orizzontali;
      std::map<std::tuple<int, int, long>, std::vector<std::pair<double, double>>> colonne;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Linea) continue;
        if (t.y == t.y2) orizzontali[{t.documento, t.pagina}].push_back(&t);
        else if (t.x == t.x2)
          colonne[{t.documento, t.pagina, std::lround(t.x)}].push_back({std::min(t.y, t.y2), std::max(t.y, t.y2)});
      }
      ASSERT_FALSE(colonne.empty());
      auto suUnaRiga = [&](int documento, int pagina, double x, double y) {
        const auto& righe = orizzontali[{documento, pagina}];
        return std::any_of(righe.begin(), righe.end(), [&](const Tratto* r) {
          return std::abs(r->y - y) < 1 && std::min(r->x, r->x2) - 1 < x && x < std::max(r->x, r->x2) + 1;
        });
      };
      for (auto& [dove, tratti] : colonne) {
        const auto& [documento, pagina, x] = dove;
        std::sort(tratti.begin(), tratti.end());
        std::vector<std::pair<double, double>> corse;
        for (const auto& t : tratti) {
          if (!corse.empty() && t.first <= corse.back().second + 1) corse.back().second = std::max(corse.back().second, t.second);
          else corse.push_back(t);
        }
        for (const auto& [alto, basso] : corse) {
          EXPECT_TRUE(suUnaRiga(documento, pagina, static_cast<double>(x), alto))
              << "page " << pagina << " x " << x << " starts at " << alto << " off any rule";
          EXPECT_TRUE(suUnaRiga(documento, pagina, static_cast<double>(x), basso))
              << "page " << pagina << " x " << x << " ends at " << basso << " off any rule";
        }
      }
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

TEST_F(StampaReport, TightnessReportChecksThePageAtEveryLine) {
  PercentualeY = 30;  // a short page
  SetupPage();
  stampante.y = InizioCorpoPagina;
  PrintTenutaImpianto(stampante, 0);
  EXPECT_GE(stampante.Conta(Tratto::NuovaPagina), 1);
  for (const auto& t : stampante.tratti)
    if (t.tipo == Tratto::Testo && t.fineRiga) {
      EXPECT_LT(t.y, LimiteFondoPagina + 200 + 1) << t.testo;
    }
}

// However long the note, the signatures end the tightness report on its last page: a report whose
// last line lands near the bottom of a page does not go on to a page of header and footer alone.
TEST_F(StampaReport, TheTightnessReportEndsOnThePageOfItsSignatures) {
  std::set<int> pagineFirma;
  for (int righe = 0; righe <= 45; ++righe) {
    SCOPED_TRACE(righe);
    std::string nota;
    for (int i = 0; i < righe; ++i) nota += "riga " + std::to_string(i) + "\r\n";
    TenutaImpianto = TTenutaImpianto{};
    TenutaImpianto.Note = nota;
    AzzeraSezioni();
    StampaTenutaImpianto = -1;
    NumSezioniStampa = 1;
    stampante.tratti.clear();
    PrintReport(0);
    int firma = 0, ultima = 0;
    for (const Tratto& t : stampante.tratti) {
      ultima = std::max(ultima, static_cast<int>(t.pagina));
      if (t.tipo == Tratto::Testo && t.testo.find("Timbro e Firma") != std::string::npos) {
        firma = t.pagina;
      }
    }
    ASSERT_GT(firma, 0);
    EXPECT_EQ(firma, ultima);
    pagineFirma.insert(firma);
  }
  EXPECT_EQ(pagineFirma, (std::set<int>{1, 2})) << "the notes brought the signatures over the end of the page";
}

// On small paper (A5 landscape, or A5 at 80 % of the page) the cover does not fit above the footer:
// it goes on to the next page, and none of its lines is printed over the footer or past it.
TEST_F(StampaReport, TheCoverGoesOnToTheNextPageRatherThanUnderTheFooter) {
  struct Caso {
    int32_t larghezza, altezza;
    int16_t percentuale;
    bool rete;
  } casi[] = {{11906, 8391, 100, false}, {8391, 11906, 80, false}, {8391, 11906, 80, true}, {11906, 16838, 100, false}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.larghezza) + "x" + std::to_string(c.altezza) + " " + std::to_string(c.percentuale));
    stampante.larghezza = c.larghezza;
    stampante.altezza = c.altezza;
    PercentualeX = PercentualeY = c.percentuale;
    ReteInPressione = c.rete ? -1 : 0;
    AzzeraSezioni();
    StampaCopertina = -1;
    NumSezioniStampa = 1;
    stampante.tratti.clear();
    ASSERT_TRUE(PrintReport(0));
    const std::string ultimo = GetCampiCopertina(RendererReport::Stampa).back().EtichettaStampa;
    int valori = 0;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
      if (t.y == LimiteFondoPagina + 200) continue;  // the footer's own line
      EXPECT_LE(t.y + t.dimensione * 20, LimiteFondoPagina + 100) << t.testo << " on page " << t.pagina;
      valori += t.testo == ultimo;
    }
    EXPECT_EQ(valori, 1) << "the cover's last field printed: " << ultimo;
  }
  stampante.larghezza = 11906;
  stampante.altezza = 16838;
}

// On the narrowest paper the printer offers (an envelope 98 mm wide, at 80 % of the page) every
// title is printed in type small enough to stay inside the page's width, and a cover value has
// room for its words: under its label when the label leaves too little beside it.
TEST_F(StampaReport, TitlesAndCoverValuesStayInsideANarrowPage) {
  stampante.larghezza = 5580;  // 98 mm
  stampante.altezza = 12780;
  PercentualeX = PercentualeY = 80;
  for (const bool rete : {false, true}) {
    SCOPED_TRACE(rete ? "pressurised" : "internal");
    ReteInPressione = rete ? -1 : 0;
    AzzeraSezioni();
    StampaCopertina = StampaTronchi = StampaComputo = StampaTenutaImpianto = -1;
    NumSezioniStampa = 4;
    stampante.tratti.clear();
    ASSERT_TRUE(PrintReport(0));
    int caratteriSoli = 0;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo || t.testo.empty() || t.documento != 1) continue;
      EXPECT_GE(t.x, -0.5) << t.testo;
      if (t.testo.size() > 12) {
        EXPECT_LE(t.x + static_cast<double>(Len(t.testo)) * t.dimensione * 10, LarghezzaStampabile + 0.5) << t.testo;
      }
      caratteriSoli += Len(Trim(t.testo)) == 1 && t.x > LarghezzaStampabile / 2.0;
    }
    EXPECT_LE(caratteriSoli, 2) << "a value printed one character to a line";
  }
  stampante.larghezza = 11906;
  stampante.altezza = 16838;
}

// A report that ends with a table or the bill of quantities ends on the page of its last line,
// wherever that line falls: never on a page of header and footer alone.
TEST_F(StampaReport, AReportEndsOnThePageOfItsLastLine) {
  struct Caso {
    const char* nome;
    int16_t* sezione;
    int16_t* prima;  // a section before it, that moves where it starts
  } sezioni[] = {{"segments", &StampaTronchi, nullptr},
                 {"path", &StampaVerifica, nullptr},
                 {"appliances", &StampaUtenze, nullptr},
                 {"bill after the segments", &StampaComputo, &StampaTronchi}};
  std::set<std::string> vuote;
  for (const Caso& c : sezioni)
    for (int n = 2; n <= 70; ++n) {
      test::PreparaCalcolo();
      // A main line with an appliance at every other segment: every table grows with n.
      int16_t padre = test::AggiungiProva(0, 10);
      for (int i = 2; i <= n; ++i) padre = test::AggiungiProva(padre, 2, i % 2 == 0 ? 0.5f : 0.0f);
      CalcolaRete();
      AzzeraSezioni();
      *c.sezione = -1;
      if (c.prima) *c.prima = -1;
      NumSezioniStampa = c.prima ? 2 : 1;
      stampante.tratti.clear();
      if (!PrintReport(0)) continue;
      int ultima = 0, ultimaCorpo = 0;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
        ultima = std::max(ultima, static_cast<int>(t.pagina));
        // The body lies between the header's rule and the footer's.
        if (t.y >= InizioCorpoPagina && t.y < LimiteFondoPagina + 100) ultimaCorpo = std::max(ultimaCorpo, static_cast<int>(t.pagina));
      }
      if (ultimaCorpo != ultima) vuote.insert(std::string(c.nome) + " " + std::to_string(n));
    }
  EXPECT_TRUE(vuote.empty()) << (vuote.empty() ? "" : *vuote.begin()) << " and " << vuote.size() << " in all";
}

// A table of a few rows is never split over two pages, wherever the page leaves it: title, rows and
// totals on one page. A long table goes on over pages, and every page of it opens with its headings.
TEST_F(StampaReport, AShortTableIsNeverSplitAndALongOneRepeatsItsHeadingsOnEveryPage) {
  test::PreparaCalcolo();
  const int16_t radice = test::AggiungiProva(0, 10);
  for (int i = 0; i < 3; ++i) test::AggiungiProva(radice, 4, 1.5f);
  CalcolaRete();
  SetupPage();
  const double riga = 8 * 20;
  for (double y = InizioCorpoPagina; y < LimiteFondoPagina; y += riga / 2) {
    SCOPED_TRACE(y);
    stampante.tratti.clear();
    stampante.pagina = 1;
    stampante.y = y;
    PrintRiepilogoUtenze(stampante, 1);
    std::set<int> pagine;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo || t.testo.empty() || t.y > LimiteFondoPagina) continue;
      if (t.testo == "Riepilogo utenze " || t.testo.rfind("TOTALE", 0) == 0 || t.testo == "2" || t.testo == "3" ||
          t.testo == "4")
        pagine.insert(t.pagina);
    }
    EXPECT_EQ(pagine.size(), 1u) << "a three-row table split over pages";
  }

  test::PreparaCalcolo();
  int16_t padre = test::AggiungiProva(0, 10);
  for (int i = 2; i <= 90; ++i) padre = test::AggiungiProva(padre, 2, i == 90 ? 1.0f : 0.0f);
  CalcolaRete();
  stampante.tratti.clear();
  stampante.pagina = 1;
  stampante.y = InizioCorpoPagina;
  PrintTronchi(stampante, 1);
  std::map<int, int> righe, intestazioni;
  for (const Tratto& t : stampante.tratti) {
    if (t.tipo != Tratto::Testo) continue;
    if (!t.grassetto && !t.testo.empty() && std::all_of(t.testo.begin(), t.testo.end(), ::isdigit) && t.x < 600)
      ++righe[t.pagina];
    if (t.grassetto && t.testo == "N.") ++intestazioni[t.pagina];
  }
  ASSERT_GE(righe.size(), 2u) << "the table goes on over pages";
  for (const auto& [pagina, n] : righe) EXPECT_EQ(intestazioni[pagina], 1) << "page " << pagina << " without headings";
}

// A free reference, and the job on the cover, break between their words; a word is split only
// when it alone is wider than its column: one reference of 120 letters without a blank does not
// split the words of the others.
TEST_F(StampaReport, AReferenceBreaksBetweenItsWords) {
  for (const bool lunga : {false, true})
  for (const int32_t larghezza : {11906, 8391, 5216}) {
    SCOPED_TRACE(std::to_string(larghezza) + (lunga ? " with a 120-letter reference" : ""));
    test::ReteValoriLunghi(false);
    Tronco(2).ID_RIF = "Scaldabagno istantaneo";
    Tronco(3).ID_RIF = "Caldaia riscaldamento";
    if (lunga) Tronco(1).ID_RIF = "Centrale termica " + std::string(120, 'W');
    DescrizioneLavoro = "Rete interna a duecento tronchi, montanti e derivazioni d'appartamento";
    AzzeraSezioni();
    StampaCopertina = StampaTronchi = StampaVerifica = StampaUtenze = -1;
    NumSezioniStampa = 4;
    PercentualeX = 80;
    stampante = StampanteFinta{};
    stampante.larghezza = larghezza;
    ASSERT_TRUE(PrintReport(0));
    const std::set<std::string> intere = {"Scaldabagno", "istantaneo", "Caldaia",  "riscaldamento", "Centrale",
                                          "termica",     "duecento",   "montanti", "derivazioni",   "d'appartamento"};
    int trovate = 0;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
      std::istringstream parole(t.testo);
      for (std::string w; parole >> w;) {
        if (intere.count(w)) {
          ++trovate;
          continue;
        }
        for (const std::string& intera : intere)
          EXPECT_FALSE(w.size() >= 3 && intera.find(w) != std::string::npos) << w << " is a piece of " << intera << " in [" << t.testo << "]";
      }
    }
    EXPECT_GE(trovate, 10);
    ResetRete();
  }
  DescrizioneLavoro.clear();
}

// On A5 at 80 % of the page the cover is one page: its room between groups of fields shrinks
// rather than its last field going on to a page of its own.
TEST_F(StampaReport, TheCoverOfA5At80PercentIsOnePage) {
  stampante.larghezza = 8391;
  stampante.altezza = 11906;
  PercentualeX = PercentualeY = 80;
  for (const bool rete : {false, true}) {
    SCOPED_TRACE(rete);
    ReteInPressione = rete ? -1 : 0;
    AzzeraSezioni();
    StampaCopertina = -1;
    NumSezioniStampa = 1;
    stampante.tratti.clear();
    ASSERT_TRUE(PrintReport(0));
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo == Tratto::Testo && !t.testo.empty()) {
        EXPECT_EQ(t.pagina, 1) << t.testo;
      }
    }
  }
}

// A cover printed alone; its body texts (header and footer left out), in order.
std::vector<const Tratto*> TestiCopertina(const StampanteFinta& stampante) {
  std::vector<const Tratto*> testi;
  for (const Tratto& t : stampante.tratti)
    if (t.tipo == Tratto::Testo && !t.testo.empty() && t.y >= InizioCorpoPagina && t.y < LimiteFondoPagina)
      testi.push_back(&t);
  return testi;
}

// On every paper the print dialog offers, down to the 92 mm envelope at 80 %, the cover of either
// network is one page, in type a client reads; where there is room it keeps its own type.
TEST_F(StampaReport, TheCoverIsOnePageInReadableTypeOnEveryPaper) {
  Riferimento = "Condominio Rossi, scala B, via Garibaldi 12";
  DescrizioneLavoro = "Impianto interno gas metano: centrale termica e dodici appartamenti";
  for (const bool rete : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(rete ? "pressurised " : "internal ") + carta.nome);
      ReteInPressione = rete ? -1 : 0;
      AzzeraSezioni();
      StampaCopertina = -1;
      NumSezioniStampa = 1;
      PreparaCarta(stampante, carta, true);
      ASSERT_TRUE(PrintReport(0));
      bool riferimento = false, portata = false;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Testo || t.testo.empty()) continue;
        EXPECT_EQ(t.pagina, 1) << t.testo;
        EXPECT_GE(t.dimensione, 6) << t.testo;
        riferimento |= t.testo.find("Riferimento") != std::string::npos;
        portata |= t.testo.find("Portata") != std::string::npos;
      }
      EXPECT_TRUE(riferimento && portata);
      if (std::string(carta.nome) == "A4 100") {
        for (const Tratto* t : TestiCopertina(stampante)) {
          if (t->testo.find("Riferimento") != std::string::npos) {
            EXPECT_EQ(t->dimensione, 10);
          }
        }
      }
    }
  }
  Riferimento.clear();
  DescrizioneLavoro.clear();
}

// A job too long for the cover to hold on one page even in the smallest type: the cover goes on
// over pages broken between whole fields, and no page holds a line alone.
TEST_F(StampaReport, ACoverTooLongForOnePageBreaksBetweenWholeFields) {
  stampante.larghezza = 5216;
  stampante.altezza = 9354;
  PercentualeX = PercentualeY = 80;
  for (const int parole : {140, 180, 220}) {
    for (const bool rete : {false, true}) {
      SCOPED_TRACE(std::to_string(parole) + (rete ? " pressurised" : " internal"));
      Riferimento = "Condominio Rossi";
      DescrizioneLavoro.clear();
      for (int i = 0; i < parole; ++i) DescrizioneLavoro += "parola" + std::to_string(i % 10) + " ";
      ReteInPressione = rete ? -1 : 0;
      AzzeraSezioni();
      StampaCopertina = -1;
      NumSezioniStampa = 1;
      stampante.tratti.clear();
      stampante.pagina = 1;
      ASSERT_TRUE(PrintReport(0));
      const std::vector<const Tratto*> testi = TestiCopertina(stampante);
      std::map<int, std::set<double>> righe;
      for (const Tratto* t : testi) {
        righe[t->pagina].insert(t->y);
        EXPECT_GE(t->dimensione, 6) << t->testo;
      }
      EXPECT_GE(righe.size(), 2u) << "the job does not hold on one page";
      for (const auto& [pagina, y] : righe) EXPECT_GE(y.size(), 2u) << "page " << pagina << " holds a line alone";
      // A field runs from its bold label to the next: all of it on one page.
      const std::vector<CampoCopertina> campi = GetCampiCopertina(RendererReport::Stampa);
      int pagina = 0;
      size_t etichette = 0;
      std::string campo;
      for (const Tratto* t : testi) {
        const bool etichetta = t->grassetto && std::any_of(campi.begin() + 2, campi.end(), [&](const CampoCopertina& c) {
                                 return c.EtichettaStampa == t->testo;
                               });
        if (etichetta) {
          ++etichette;
          pagina = t->pagina;
          campo = t->testo;
        } else if (pagina != 0) {
          EXPECT_EQ(t->pagina, pagina) << campo << " split at " << t->testo;
        }
      }
      EXPECT_EQ(etichette, campi.size() - 2);
    }
  }
  Riferimento.clear();
  DescrizioneLavoro.clear();
}

// However long the note, the firm's details and the technician stay with the signatures, and no
// bold heading ends a page alone.
TEST_F(StampaReport, TheFirmDetailsStayWithTheSignaturesAndNoHeadingEndsAPage) {
  for (const int32_t altezza : {16838, 11906}) {
    stampante.altezza = altezza;
    for (int righe = 0; righe <= 60; ++righe) {
      SCOPED_TRACE(std::to_string(altezza) + " " + std::to_string(righe));
      std::string nota;
      for (int i = 0; i < righe; ++i) nota += "riga " + std::to_string(i) + "\r\n";
      TenutaImpianto = TTenutaImpianto{};
      TenutaImpianto.Note = nota;
      TenutaImpianto.NomeTecnico = "Mario Bianchi";
      AzzeraSezioni();
      StampaTenutaImpianto = -1;
      NumSezioniStampa = 1;
      stampante.tratti.clear();
      PrintReport(0);
      int firma = 0, tecnico = 0, dati = 0;
      std::map<int, const Tratto*> ultimo;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Testo || t.testo.empty() || t.y >= LimiteFondoPagina) continue;
        if (t.testo.find("Timbro e Firma") != std::string::npos) firma = t.pagina;
        if (t.testo.find("Tecnico") != std::string::npos) tecnico = t.pagina;
        if (t.testo.find("Dati dell'impresa") != std::string::npos) dati = t.pagina;
        if (t.y >= InizioCorpoPagina) ultimo[t.pagina] = &t;
      }
      EXPECT_EQ(tecnico, firma);
      EXPECT_EQ(dati, firma);
      for (const auto& [pagina, t] : ultimo) {
        if (pagina < firma) {
          EXPECT_FALSE(t->grassetto && t->fineRiga && t->x == 0) << t->testo << " ends page " << pagina;
        }
      }
    }
  }
  stampante.altezza = 16838;
}

// Wherever a failing path's table ends on the page, its total, the statement under it and the
// note on the marks stay on the page of its last row: none of them opens a page alone.
TEST_F(StampaReport, TheTotalsAndNotesOfATableStayWithItsLastRow) {
  test::PreparaCalcolo();
  int16_t padre = test::AggiungiProva(0, 30);
  for (int i = 0; i < 8; ++i) padre = test::AggiungiProva(padre, 5, i == 7 ? 3.0f : 0.0f);
  Tronco(1).ID_DIAMETRO = "1/2";
  Tronco(1).ID_DIAMCUSTOM = -1;
  CalcolaRete();
  PDCMaxTesto = TestoNumero(PDCMassima());
  SetupPage();
  for (double y = InizioCorpoPagina; y < LimiteFondoPagina; y += 40) {
    SCOPED_TRACE(y);
    stampante.tratti.clear();
    stampante.pagina = 1;
    stampante.y = y;
    stampante.SetFontSize(9);
    PrintPercorsoSfavorito(stampante, 1);
    int riga = 0, totale = 0, avviso = 0, nota = 0, precedente = 0;
    for (const Tratto& t : stampante.tratti) {
      if (t.tipo != Tratto::Testo || t.testo.empty() || t.y >= LimiteFondoPagina) continue;
      if (t.testo.rfind("TOTALE", 0) == 0) {
        totale = t.pagina;
        riga = precedente;  // the last cell of the last row
      }
      precedente = t.pagina;
      if (t.testo.rfind("ATTENZIONE", 0) == 0) avviso = t.pagina;
      if (t.testo == NotaOltreLimite) nota = t.pagina;
    }
    ASSERT_GT(riga, 0);
    EXPECT_EQ(totale, riga);
    EXPECT_EQ(avviso, riga);
    EXPECT_EQ(nota, riga);
  }
}

// A failing design's worst path of two rows, wherever it starts on the page of the narrowest
// papers: each of its bands goes whole with its rows, the last with the totals and the warning, and
// on a page that holds them all the table is not split at all (on the 92 mm envelope at 80 % it split
// one row and one row, the totals on the second page).
TEST_F(StampaReport, AShortTableKeepsEachBandWholeOnNarrowPaper) {
  const CartaProva carte[] = {{"busta 80", 5216, 9354, 80}, {"busta 100", 5216, 9354, 100},
                              {"A5 80", 8391, 11906, 80}};
  for (const CartaProva& carta : carte) {
    SCOPED_TRACE(carta.nome);
    test::PreparaCalcolo();
    const int16_t radice = test::AggiungiProva(0, 30);
    test::AggiungiProva(radice, 5, 3.0f);
    Tronco(1).ID_DIAMETRO = "1/2";
    Tronco(1).ID_DIAMCUSTOM = -1;
    CalcolaRete();
    PDCMaxTesto = TestoNumero(PDCMassima());
    PreparaCarta(stampante, carta, true);
    SetupPage();
    for (double y = InizioCorpoPagina; y < LimiteFondoPagina; y += 60) {
      SCOPED_TRACE(y);
      stampante.tratti.clear();
      stampante.pagina = 1;
      stampante.y = y;
      stampante.SetFontSize(9);
      PrintPercorsoSfavorito(stampante, 1);
      // The segment column opens every band: its "1" and "2" rows, band after band.
      std::vector<int> uno, due;
      int totale = 0, avviso = 0;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Testo || t.testo.empty() || t.y >= LimiteFondoPagina) continue;
        if (!t.grassetto && t.x < 600 && t.testo == "1") uno.push_back(t.pagina);
        if (!t.grassetto && t.x < 600 && t.testo == "2") due.push_back(t.pagina);
        if (t.testo.rfind("TOTALE", 0) == 0) totale = t.pagina;
        if (t.testo.rfind("ATTENZIONE", 0) == 0) avviso = t.pagina;
      }
      ASSERT_EQ(uno.size(), due.size());
      ASSERT_FALSE(due.empty());
      for (size_t k = 0; k < uno.size(); ++k) EXPECT_EQ(uno[k], due[k]) << "band " << k << " split";
      EXPECT_EQ(totale, due.back());
      EXPECT_EQ(avviso, due.back());
    }
  }
}

// Papers the print dialog offers, from the tallest to one too short for the page rules, in twips.
constexpr CartaProva CarteRegole[] = {
    {"A4 (21 x 29,7 cm)", 11906, 16838, 100},   {"A4 (21 x 29,7 cm)", 11906, 16838, 80},
    {"A5 (14,8 x 21 cm).", 8391, 11906, 100},   {"A5 (14,8 x 21 cm).", 8391, 11906, 80},
    {"Busta, 3 5/8 x 6 1/2", 5216, 9354, 100},  {"Busta, 3 5/8 x 6 1/2", 5216, 9354, 80},
    {"Busta C6, 114 x 162 mm", 6463, 9185, 80}, {"Busta B6, 176 x 125 mm", 9978, 7087, 100},
    {"Busta B6, 176 x 125 mm", 9978, 7087, 80}};

// A paper whose page body cannot hold the page rules is named when it is chosen; the others are
// not. (B6 at 80 % leaves about eleven lines: its cover spilled, its short tables split.)
TEST(CartaPiccola, APaperTooShortForThePageRulesIsSaidSoWhenChosen) {
  for (const CartaProva& carta : CarteRegole) {
    SCOPED_TRACE(std::string(carta.nome) + " " + std::to_string(carta.percentuale));
    const std::string avviso = AvvisoCartaPiccola(carta.nome, carta.altezza, carta.percentuale);
    const bool piccola = std::string(carta.nome).rfind("Busta B6", 0) == 0;
    EXPECT_EQ(avviso.empty(), !piccola) << avviso;
    if (piccola) {
      EXPECT_NE(avviso.find(std::string("\"") + carta.nome + "\" al " + std::to_string(carta.percentuale) + " %"),
                std::string::npos)
          << avviso;
    }
  }
}

// The whole report of a network on every paper and share of the page the dialogs offer: no page
// holds only its header and footer, or only a title; where the paper holds the page rules the
// cover is one page.
TEST_F(StampaReport, EveryPaperKeepsThePageRulesOrIsSaidTooShort) {
  // In the test printer's type and in a taller one, as a real printer's Arial.
  for (const double interlinea : {20.0, 22.3})
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteRegole) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome + " " +
                   std::to_string(carta.percentuale) + " line " + std::to_string(interlinea));
      test::ReteValoriLunghi(pressione);
      AzzeraSezioni();
      StampaCopertina = StampaTronchi = StampaPDCLocalizzate = StampaVerifica = StampaUtenze = StampaComputo = -1;
      if (!pressione) StampaTenutaImpianto = -1;
      NumSezioniStampa = ContaSezioniSelezionate();
      PreparaCarta(stampante, carta, true);
      stampante.interlinea = interlinea;
      ASSERT_TRUE(PrintReport(0));
      std::map<int, std::vector<const Tratto*>> pagine;
      int ultima = 0;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo == Tratto::NuovaPagina || t.tipo == Tratto::Testo) ultima = std::max(ultima, t.pagina);
        if (t.tipo == Tratto::Testo && !t.testo.empty() && t.y >= InizioCorpoPagina && t.y < LimiteFondoPagina)
          pagine[t.pagina].push_back(&t);
      }
      for (int pg = 1; pg <= ultima; ++pg) {
        ASSERT_FALSE(pagine[pg].empty()) << "page " << pg << " holds only its header and footer";
        EXPECT_FALSE(pagine[pg].size() == 1 && pagine[pg][0]->grassetto) << pagine[pg][0]->testo << " alone on page " << pg;
      }
      if (AvvisoCartaPiccola(carta.nome, carta.altezza, carta.percentuale).empty()) {
        // The cover's last field is on its first page.
        for (const auto& [pg, testi] : pagine)
          for (const Tratto* t : testi)
            if (t->testo.rfind(pressione ? "massima contemporanea" : "Portata totale gas", 0) == 0) {
              EXPECT_EQ(pg, 1) << t->testo;
            }
      }
      ResetRete();
    }
  }
}

// On every paper, whatever bands a table takes, its total is printed once, after the last band
// (never between two bands), its label and value on one line.
TEST_F(StampaReport, ATotalIsOneLineAfterTheLastBandOfItsTable) {
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome);
      ASSERT_TRUE(StampaTabelleLunghe(stampante, pressione, carta, false));
      for (const ReportTable t : {ReportTable::WorstPathTable, ReportTable::ApplianceTable}) {
        const std::optional<TotaleReport> totale = GetReportTotal(t, GetReportRows(t));
        ASSERT_TRUE(totale);
        const std::string valore = GetReportTotalText(*totale, GetReportView(t), 32767);
        const std::string segue = GetReportTitle(t) + " (continua)";
        std::vector<size_t> etichette;
        size_t ultimaBanda = 0;
        for (size_t i = 0; i < stampante.tratti.size(); ++i) {
          const Tratto& x = stampante.tratti[i];
          if (x.tipo != Tratto::Testo) continue;
          if (x.testo == totale->Etichetta) etichette.push_back(i);
          if (x.testo == segue) ultimaBanda = i;
        }
        ASSERT_EQ(etichette.size(), 1u) << totale->Etichetta;
        const size_t e = etichette[0];
        EXPECT_GT(e, ultimaBanda) << totale->Etichetta << " printed before the table's last band";
        const auto v = std::find_if(stampante.tratti.begin() + static_cast<std::ptrdiff_t>(e) + 1, stampante.tratti.end(),
                                    [](const Tratto& x) { return x.tipo == Tratto::Testo && !x.testo.empty(); });
        ASSERT_NE(v, stampante.tratti.end());
        EXPECT_EQ(v->testo, valore);
        EXPECT_EQ(v->pagina, stampante.tratti[e].pagina);
        EXPECT_NEAR(v->y, stampante.tratti[e].y, 1) << totale->Etichetta << " and its value on two lines";
        EXPECT_GE(v->x, stampante.tratti[e].x + static_cast<double>(Len(totale->Etichetta)) * stampante.tratti[e].dimensione * 10);
      }
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

// The whole report on every paper: no page holds only blank lines between its header and footer,
// and none a single stray line (the bill's total weight away from the bill it totals).
TEST_F(StampaReport, NoPageOfTheReportIsEmptyOrHoldsAStrayLine) {
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome);
      test::ReteValoriLunghi(pressione);
      AzzeraSezioni();
      StampaCopertina = StampaTronchi = StampaPDCLocalizzate = StampaVerifica = StampaUtenze = StampaComputo = -1;
      NumSezioniStampa = 6;
      PreparaCarta(stampante, carta, true);
      ASSERT_TRUE(PrintReport(0));
      std::map<int, std::set<long>> righe;  // the body's lines of each page
      int pagine = 0;
      for (const Tratto& t : stampante.tratti) {
        if (t.documento != 1) continue;
        pagine = std::max(pagine, t.pagina);
        if (t.tipo == Tratto::Testo && !t.testo.empty() && t.y >= InizioCorpoPagina - 1 && t.y < LimiteFondoPagina + 50)
          righe[t.pagina].insert(std::lround(t.y));
      }
      ASSERT_GE(pagine, 2);
      for (int pagina = 1; pagina <= pagine; ++pagina) EXPECT_GE(righe[pagina].size(), 2u) << "page " << pagina;
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

// On the cover, on every paper, a number and its unit are never parted by a line break: no line
// of a value starts with a unit.
TEST_F(StampaReport, OnTheCoverANumberKeepsItsUnit) {
  const std::set<std::string> unita = {"kPa", "bar)", "Pa", "mbar)", "m/s", "Nmc/h", "MJ/mc", "kg/mc", "mmq/s"};
  for (const bool pressione : {false, true}) {
    for (const CartaProva& carta : CarteProva) {
      SCOPED_TRACE(std::string(pressione ? "pressurised " : "internal ") + carta.nome);
      test::ReteValoriLunghi(pressione);
      AzzeraSezioni();
      StampaCopertina = -1;
      NumSezioniStampa = 1;
      PreparaCarta(stampante, carta, true);
      ASSERT_TRUE(PrintReport(0));
      int valori = 0;
      for (const Tratto& t : stampante.tratti) {
        if (t.tipo != Tratto::Testo || t.grassetto || t.testo.empty()) continue;
        std::istringstream parole(t.testo);
        std::string prima;
        parole >> prima;
        EXPECT_FALSE(unita.count(prima)) << "a unit apart from its number: " << t.testo;
        valori += t.testo.find("kPa") != std::string::npos || t.testo.find("Nmc/h") != std::string::npos;
      }
      EXPECT_GE(valori, 1);
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

// A reference that wraps in its column does not leave a short last word alone on its line
// ("Caldaia app." over "61"), and its row stands apart from the next one, so that a wrapped line
// is not read as the next row's.
TEST_F(StampaReport, AWrappedReferenceKeepsItsShortLastWordAndStandsApartFromTheNextRow) {
  int avvolte = 0;
  for (const CartaProva& carta : CarteProva) {
    SCOPED_TRACE(carta.nome);
    test::ReteValoriLunghi(false);
    Tronco(2).ID_RIF = "Caldaia app. 61";
    Tronco(3).ID_RIF = "Bruciatore app. 47";
    AzzeraSezioni();
    StampaTronchi = StampaUtenze = -1;
    NumSezioniStampa = 2;
    PreparaCarta(stampante, carta, false);
    ASSERT_TRUE(PrintReport(0));
    const auto& tratti = stampante.tratti;
    for (const Tratto& t : tratti) {
      if (t.tipo != Tratto::Testo) continue;
      EXPECT_TRUE(t.testo != "61" && t.testo != "47") << "a number alone on its line";
    }
    // Row 2's reference, where it wraps: the first printed content under its last line is at
    // least a line and a half below it.
    for (size_t i = 0; i < tratti.size(); ++i) {
      if (tratti[i].tipo != Tratto::Testo || tratti[i].testo.rfind("Caldaia", 0) != 0) continue;
      const Tratto& primo = tratti[i];
      const auto ultimo = std::find_if(tratti.begin() + static_cast<std::ptrdiff_t>(i), tratti.end(), [](const Tratto& t) {
        return t.tipo == Tratto::Testo && t.testo.size() >= 2 && t.testo.compare(t.testo.size() - 2, 2, "61") == 0;
      });
      ASSERT_NE(ultimo, tratti.end());
      if (ultimo->y - primo.y < 1) continue;  // on one line
      ++avvolte;
      const double riga = primo.dimensione * 20;
      double sotto = 1e9;
      for (const Tratto& t : tratti)
        if (t.tipo == Tratto::Testo && !t.testo.empty() && t.pagina == ultimo->pagina && t.documento == ultimo->documento &&
            t.y > ultimo->y + 1)
          sotto = std::min(sotto, t.y);
      EXPECT_GE(sotto - ultimo->y, 1.4 * riga) << "the next row touches the wrapped reference";
    }
    ResetRete();
  }
  EXPECT_GE(avvolte, 2);
}

TEST(GetPathFolder, Cases) {
  EXPECT_EQ(GetPathFolder("/a/b/c.htm"), "/a/b/");
  EXPECT_EQ(GetPathFolder("C:\\a\\b.htm"), "C:\\a\\");
  EXPECT_EQ(GetPathFolder("/a/b/"), "/a/b/");
  EXPECT_EQ(GetPathFolder("nome.htm"), "nome.htm/");
}

// The tightness record on every paper: a value never leaves its unit, the two columns of the causes
// and of the appliance counts never touch, a text that fits its room prints on one line, and no
// word is split.
TEST_F(StampaReport, TheTightnessRecordKeepsValuesWithUnitsAndItsColumnsApartOnEveryPaper) {
  TTenutaImpianto& t = TenutaImpianto;
  const std::vector<std::string> conUnita = {"0,6 (l/h)", "2000 (Pa)", "0,5 (l/h)", "2200 (Pa)", "0,55 (l/h)"};
  // The dialog's papers, and A5 and the envelope at every share from 80 to 100 %: lines of every width.
  std::vector<CartaProva> carte(std::begin(CarteProva), std::end(CarteProva));
  for (int16_t percentuale = 81; percentuale < 100; ++percentuale) {
    carte.push_back({"A5", 8391, 11906, percentuale});
    carte.push_back({"busta", 5216, 9354, percentuale});
  }
  // A line whose right column starts less than a blank after "n° 1 per il riscaldamento".
  carte.push_back({"stretta", 6590, 9354, 100});
  for (const bool unaCausa : {true, false}) {
    for (const CartaProva& carta : carte) {
      SCOPED_TRACE(std::string(carta.nome) + " " + std::to_string(carta.percentuale) +
                   (unaCausa ? ", one cause" : ", three causes"));
      t = TTenutaImpianto{};
      t.FamigliaGas = 2;
      t.Metodo = 1;
      t.ProvaContModello = "Volumetrico a membrana";
      t.ProvaContQn = "0,6";
      t.ProvaContPprova = "2000";
      t.ProvaContDispRil = "0,5";
      t.ProvaContPRif = "2200";
      t.ProvaContDispRif = "0,55";
      t.Cause = unaCausa ? "1;;;;;;" : "1;;1;;;1;";
      t.AppComplessivo = 2;
      t.AppRisc = t.AppCottura = 1;
      PreparaCarta(stampante, carta, true);
      SetupPage();
      stampante.y = InizioCorpoPagina;
      PrintTenutaImpianto(stampante, 0);
      const double destra = std::nearbyint(LarghezzaStampabile / 2.0);  // rounded half to even, as printed
      const double blank = 9 * 10;  // one blank of the section's type
      std::vector<const Tratto*> testi;
      for (const Tratto& tr : stampante.tratti)
        if (tr.tipo == Tratto::Testo && !Trim(tr.testo).empty()) testi.push_back(&tr);
      const auto fine = [](const Tratto* tr) { return tr->x + static_cast<double>(Len(tr->testo)) * tr->dimensione * 10; };
      for (const std::string& valore : conUnita) {
        bool intero = false;
        for (const Tratto* tr : testi) intero = intero || tr->testo.find(valore) != std::string::npos;
        EXPECT_TRUE(intero) << valore;
      }
      for (const Tratto* tr : testi) {
        EXPECT_EQ(tr->testo.find(SpazioUnito), std::string::npos) << tr->testo;
        EXPECT_LE(fine(tr), LarghezzaStampabile + 0.5) << tr->testo;
        // A text in the right column: whatever shares its line ends a blank before it.
        if (tr->x != destra) continue;
        for (const Tratto* altro : testi)
          if (altro != tr && altro->pagina == tr->pagina && altro->y == tr->y && altro->x < tr->x) {
            EXPECT_LE(fine(altro) + blank, tr->x) << altro->testo << " / " << tr->testo;
          }
      }
      // A cause or a count whose text fits the line's half prints on one line; every word whole.
      std::vector<std::string> voci = {"- Sostituzione apparecchio", "n° 1 per il riscaldamento",
                                       "n° 0 per la produzione di acqua sanitaria",
                                       "n° 0 combinati (riscaldamento/sanitario)", "n° 1 per cottura cibi",
                                       "n° 0 di altro tipo"};
      if (!unaCausa) voci.insert(voci.end(), {"- Riattivazione impianto", "- Verifica periodica decennale"});
      for (const std::string& voce : voci) {
        bool intera = false;
        for (const Tratto* tr : testi) intera = intera || tr->testo == voce;
        if (static_cast<double>(Len(voce)) * 90 <= destra - 2 * blank) {
          EXPECT_TRUE(intera) << voce;
        }
        for (const std::string& parola : Split(voce, " ")) {
          bool trovata = false;
          for (const Tratto* tr : testi) trovata = trovata || (" " + tr->testo + " ").find(" " + parola + " ") != std::string::npos;
          EXPECT_TRUE(trovata) << parola << " of " << voce;
        }
      }
      if (unaCausa) {
        // Nothing stands beside the only cause: it takes the line.
        bool intera = false;
        for (const Tratto* tr : testi) intera = intera || tr->testo == "- Sostituzione apparecchio";
        EXPECT_TRUE(intera);
      }
    }
  }
  TenutaImpianto = TTenutaImpianto{};
  PercentualeX = PercentualeY = 100;
}

// The header's project name prints whole where it fits: without a firm line, the room the firm's
// text would start after is the title's. The footer carries no separator without a firm code.
TEST_F(StampaReport, TheHeaderNamePrintsWholeWhereItFitsAndTheFooterHasNoDanglingDash) {
  test::TempFolder programma;
  programma.UsaComeCartellaProgramma();
  programma.Write("logo.bmp", "BM");
  stampante.dimensioniImmagine = {136 * 15, 41 * 15};
  PercorsoProgetto = "/prove/Condominio.RTG";
  for (const CartaProva& carta : CarteProva) {
    SCOPED_TRACE(carta.nome);
    PreparaCarta(stampante, carta, true);
    stampante.dimensioniImmagine = {136 * 15, 41 * 15};
    SetupPage();
    PrintPageHeader(stampante);
    const Tratto* logo = nullptr;
    for (const Tratto& tr : stampante.tratti)
      if (tr.tipo == Tratto::Immagine) logo = &tr;
    ASSERT_NE(logo, nullptr);
    const double spazio = LarghezzaStampabile - logo->x2 - stampante.TextWidth("  ") - 10;
    if (stampante.TextWidth("Condominio") <= spazio) {
      EXPECT_TRUE(stampante.Trova("Condominio")) << "room " << spazio;
    }
    const Tratto* titolo = nullptr;
    for (const Tratto& tr : stampante.tratti)
      if (tr.tipo == Tratto::Testo && !tr.testo.empty()) titolo = &tr;
    ASSERT_NE(titolo, nullptr);
    EXPECT_GT(titolo->x, logo->x2) << "never over the logo";
    PrintPageFooter(stampante);
    EXPECT_TRUE(stampante.Trova(VersioneProgramma));
    for (const Tratto& tr : stampante.tratti) EXPECT_EQ(tr.testo.find(" -"), std::string::npos) << tr.testo;
  }
  DittaAgente = "AG";
  PrintPageFooter(stampante);
  EXPECT_TRUE(stampante.Trova(VersioneProgramma + " - AG      "));
  DittaAgente = "   ";
  stampante.tratti.clear();
  PrintPageFooter(stampante);
  EXPECT_TRUE(stampante.Trova(VersioneProgramma));
  DittaAgente.clear();
  PercorsoProgetto.clear();
}

}  // namespace
}  // namespace varnex
