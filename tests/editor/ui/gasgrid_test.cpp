// The editor window: a project shown in the table, the calculate-and-show entry, the page states
// it gives the toolbar, the zoom and the layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <stdexcept>

#include "editor/tabella.h"
#include "editor/ui/archivi_finestre.h"
#include "editor/ui/gasgrid.h"
#include "model/campi.h"
#include "model/progetto_file.h"
#include "model/tenuta.h"

namespace varnex::ui {
namespace {

class SchemaFinto : public ISchemaRete {
 public:
  SchemaFinto() { ImpostaSchemaRete(this); }
  ~SchemaFinto() override { ImpostaSchemaRete(nullptr); }
  void DrawSchema(QWidget&, int16_t modo, const std::string& font, int16_t dimensione) override {
    ++disegni;
    EXPECT_EQ(modo, 2);
    EXPECT_EQ(font, "Arial");
    EXPECT_EQ(dimensione, 7);
    if (fallisci) throw std::runtime_error("disegno fallito");
  }
  int disegni = 0;
  bool fallisci = false;
};

class TenutaFinta : public IPaginaTenuta {
 public:
  TenutaFinta() { ImpostaPaginaTenuta(this); }
  ~TenutaFinta() override { ImpostaPaginaTenuta(nullptr); }
  void Refresh() override { ++refresh; }
  void Init() override { ++init; }
  int refresh = 0, init = 0;
};

class GasGridTest : public ::testing::Test {
 protected:
  test::ArchiviDistribuiti archivi_;
  test::PrincipaleFinta principale_;
  SchemaFinto schema_;
  TenutaFinta tenuta_;

  int16_t ColonnaDi(const GasGrid& g, int16_t codice) {
    for (int16_t j = 1; j <= UltimaColonnaGriglia[static_cast<size_t>(g.LayoutGriglia)]; ++j)
      if (ColonneGriglia[static_cast<size_t>(g.LayoutGriglia)][static_cast<size_t>(j)].IdCampo == codice) return j;
    ADD_FAILURE() << "no column " << codice;
    return 1;
  }
  // Every cell of the segments shows what the table logic says.
  void VerificaTabella(GasGrid& g) {
    const int16_t colonne = ColonneLayout(g.LayoutGriglia);
    ASSERT_EQ(g.Grid->Cols(), colonne);
    for (int16_t v = 1; v <= Rete().NumTronchi; ++v)
      for (int16_t j = 1; j < colonne; ++j) {
        const CellaTabella c = CellaAggiornata(v, g.LayoutGriglia, j, CellaFormattata(g.LayoutGriglia, j));
        ASSERT_EQ(g.Grid->TextMatrix(v, j), c.Testo) << v << "," << j;
        ASSERT_EQ(g.Grid->CellForeColor(v, j), c.ColoreTesto) << v << "," << j;
        ASSERT_EQ(g.Grid->CellBackColor(v, j), c.ColoreSfondo) << v << "," << j;
        ASSERT_EQ(g.Grid->CellFontBold(v, j), c.Grassetto) << v << "," << j;
      }
  }
};

TEST_F(GasGridTest, LoadsOnTheSchemaPageWith200RowsAndEndsTheLoadingFlag) {
  GrigliaNonCaricata = -1;
  GasGrid g(principale_);
  EXPECT_EQ(g.Pagina(), 1);
  EXPECT_EQ(g.Grid->Rows(), 200);
  EXPECT_EQ(GrigliaNonCaricata, 0);
  EXPECT_EQ(principale_.zoom, "100");
  EXPECT_EQ(tenuta_.init, 1);
  EXPECT_EQ(g.windowTitle(), QStringLiteral("Tabella tronchi "));
  EXPECT_EQ(g.Combo1->count(), NumMateriali);
  EXPECT_EQ(g.Grid->TextMatrix(0, 1), ColonneGriglia[0][1].Titolo + "\n" + ColonneGriglia[0][1].Unita);
}

class ProgettoLettoTest : public GasGridTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ProgettoLettoTest, AProjectReadFromFileFillsTheTable) {
  const bool pressione = GetParam();
  test::ReteDiProva(pressione);
  const std::string percorso = archivi_.Cartella().File("prova.RTG");
  ASSERT_TRUE(ScriviRTG(percorso));
  ResetRete();
  ASSERT_TRUE(LeggiRTG(percorso));
  ASSERT_EQ(ReteInPressione != 0, pressione);

  GasGrid g(principale_);
  g.SelezionaPagina(0);
  g.NewRete(1);
  EXPECT_EQ(g.LayoutGriglia, pressione ? 5 : 0);
  EXPECT_EQ(g.GrigliaPronta, -1);
  VerificaTabella(g);
  EXPECT_EQ(g.Grid->TextMatrix(4, ColonnaDi(g, campo::ID_RIF)), "Caldaia");
  EXPECT_EQ(g.Grid->TextMatrix(2, ColonnaDi(g, campo::ID_P_UTENZE)), "1,200");
  // The inner segment 1 shows its segment flow in blue.
  EXPECT_EQ(g.Grid->TextMatrix(1, ColonnaDi(g, campo::ID_P_UTENZE)), "3,700");
  EXPECT_EQ(g.Grid->CellForeColor(1, ColonnaDi(g, campo::ID_P_UTENZE)), colore::Blu);
  EXPECT_TRUE(principale_.indicatore);
  EXPECT_EQ(principale_.indicatorePressione, pressione);
  EXPECT_EQ(principale_.menuPressione, pressione);
  EXPECT_EQ(principale_.gasSelezionato, GasCorrente.Nome);
  EXPECT_EQ(g.SSPanel2->isHidden(), pressione);
  EXPECT_EQ(g.Grid->Row(), 1);
  EXPECT_EQ(g.Grid->Col(), 1);
}

INSTANTIATE_TEST_SUITE_P(Attivita, ProgettoLettoTest, ::testing::Values(false, true));

TEST_F(GasGridTest, UnreachedSegmentsAreGreyInTheTable) {
  test::ReteDiProva(false);
  Rete().NumTronchi = 5;
  Tronco(5).ID_LEN = 3;  // a segment nobody links to
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  g.NewRete(1);
  VerificaTabella(g);
  EXPECT_EQ(g.Grid->CellForeColor(5, ColonnaDi(g, campo::ID_LEN)), colore::GrigioChiaro);
  EXPECT_EQ(g.Grid->CellForeColor(4, ColonnaDi(g, campo::ID_LEN)), colore::Nero);
}

// A network the calculation refuses: told once, not at every page switch, and the table shows no
// velocity or drop the refused calculation did not work out; calculated again, it shows them.
TEST_F(GasGridTest, ARefusedCalculationIsToldOnceAndLeavesNoResultInTheTable) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  g.NewRete(1);
  const int16_t velocita = ColonnaDi(g, campo::ID_VELOCITA);
  const int16_t perdita = ColonnaDi(g, campo::ID_PDC_PERCORSO);
  ASSERT_FALSE(g.Grid->TextMatrix(1, velocita).empty());
  const float viscosita = GasCorrente.Viscosita;
  GasCorrente.Viscosita = 0;
  auto& messaggi = archivi_.Utente().messaggi;
  messaggi.clear();
  g.Elaborazione();
  for (int pagina : {1, 2, 0, 1, 0}) g.SelezionaPagina(pagina);
  g.Elaborazione();
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_NE(messaggi[0].testo.find("viscosita'"), std::string::npos);
  for (int16_t r = 1; r <= 4; ++r) {
    EXPECT_EQ(g.Grid->TextMatrix(r, velocita), "") << r;
    EXPECT_EQ(g.Grid->TextMatrix(r, perdita), "") << r;
  }
  GasCorrente.Viscosita = viscosita;
  g.Elaborazione();
  EXPECT_EQ(messaggi.size(), 1u);
  EXPECT_FALSE(g.Grid->TextMatrix(1, velocita).empty());
  VerificaTabella(g);
}

TEST_F(GasGridTest, ANetworkOf200SegmentsFitsTheTable) {
  ResetRete();
  const std::string serie = Materiali[1][0].Nome;
  Rete().NumTronchi = 200;
  for (int16_t s = 1; s <= 200; ++s) {
    TTronco& t = Tronco(s);
    t.ID_PREV = static_cast<int16_t>(s - 1);
    t.ID_LEFT = s < 200 ? static_cast<int16_t>(s + 1) : 0;
    t.ID_MATERIALE = serie;
    t.IndiceMateriale = 1;
    t.ID_DIAMETRO = "Auto";
    t.ID_LEN = 1;
  }
  Tronco(200).ID_P_UTENZE = 0.5f;
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  g.NewRete(1);
  EXPECT_GE(g.Grid->Rows(), 202);
  EXPECT_EQ(g.Grid->TextMatrix(200, 0), "200");
  EXPECT_EQ(g.Grid->TextMatrix(200, ColonnaDi(g, campo::ID_P_UTENZE)), "0,500");
  VerificaTabella(g);
}

TEST_F(GasGridTest, ElaborazioneRefreshesOnlyThePageInFront) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.NewRete(1);
  const int16_t lunghezza = ColonnaDi(g, campo::ID_LEN);
  struct Caso {
    int pagina;
    bool tabella;
    int disegni;
    int tenuta;
  } casi[] = {{0, true, 0, 0}, {1, true, 1, 0}, {2, false, 0, 1}};
  for (const Caso& c : casi) {
    g.SelezionaPagina(c.pagina);
    g.Grid->SetTextMatrix(1, lunghezza, "segno");
    const int disegni = schema_.disegni, refresh = tenuta_.refresh;
    g.Elaborazione();
    EXPECT_EQ(g.Grid->TextMatrix(1, lunghezza) != "segno", c.tabella) << c.pagina;
    EXPECT_EQ(schema_.disegni - disegni, c.disegni) << c.pagina;
    EXPECT_EQ(tenuta_.refresh - refresh, c.tenuta) << c.pagina;
    EXPECT_EQ(g.GrigliaPronta, -1);
  }
}

// While refreshes are held, rebuilds, calculations, table refreshes and zooms are only noted;
// the release calculates once, refreshes the table once and draws the schema once.
TEST_F(GasGridTest, HeldRefreshesAreDoneOnceAtTheRelease) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.NewRete(1);
  const int16_t lunghezza = ColonnaDi(g, campo::ID_LEN);
  struct Caso {
    int pagina;
    int tabelle;  // the rebuild's raw texts stay on the hidden table of page 2, then the refresh
    int tenuta;
  } casi[] = {{0, 1, 1}, {1, 1, 1}, {2, 2, 1}};
  for (const Caso& c : casi) {
    g.SelezionaPagina(c.pagina);
    g.Grid->SetTextMatrix(1, lunghezza, "segno");
    LavoroEditor() = {};
    const int disegni = schema_.disegni, refresh = tenuta_.refresh;
    GasGrid::SospendiAggiornamenti();
    GasGrid::SospendiAggiornamenti();
    g.NewRete(1);
    g.Elaborazione();
    g.AggiornaCalcoli();
    g.Rescale();
    GasGrid::RiprendiAggiornamenti();
    EXPECT_EQ(LavoroEditor().Calcoli, 0) << c.pagina;
    EXPECT_EQ(schema_.disegni, disegni) << c.pagina;
    GasGrid::RiprendiAggiornamenti();
    EXPECT_EQ(LavoroEditor().Calcoli, 1) << c.pagina;
    EXPECT_EQ(LavoroEditor().Tabelle, c.tabelle) << c.pagina;
    EXPECT_EQ(schema_.disegni - disegni, 1) << c.pagina;
    EXPECT_EQ(tenuta_.refresh - refresh, c.tenuta) << c.pagina;
    VerificaTabella(g);
    EXPECT_EQ(g.GrigliaPronta, -1);
  }
  // Released: the next calculation is done at once.
  LavoroEditor() = {};
  g.Elaborazione();
  EXPECT_EQ(LavoroEditor().Calcoli, 1);
}

TEST_F(GasGridTest, AFailureInsideElaborazioneLeavesTheTableAlive) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  schema_.fallisci = true;
  EXPECT_THROW(g.Elaborazione(), std::runtime_error);  // page 1 draws the schema
  EXPECT_EQ(g.GrigliaPronta, -1);
}

TEST_F(GasGridTest, F9RecalculatesOnTheTablePageOnly) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.NewRete(1);
  const int16_t lunghezza = ColonnaDi(g, campo::ID_LEN);
  g.Grid->SetTextMatrix(1, lunghezza, "segno");
  EXPECT_TRUE(g.Form_KeyDown(120));
  EXPECT_EQ(g.Grid->TextMatrix(1, lunghezza), "segno");  // page 1: nothing
  g.SelezionaPagina(0);
  g.Grid->SetTextMatrix(1, lunghezza, "segno");
  g.Form_KeyDown(120);
  EXPECT_EQ(g.Grid->TextMatrix(1, lunghezza), "5,00");
  EXPECT_FALSE(g.Form_KeyDown(65));
}

TEST_F(GasGridTest, ActivationForcesTheFlagsAndTheToolbarShowsThem) {
  RicalcoloAutomatico = 0;
  CursoreBloccato = -1;
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  GasCorrente = ArchivioGas[2];
  principale_.gasRichiesti.clear();
  g.Form_Activate();
  EXPECT_EQ(RicalcoloAutomatico, -1);
  EXPECT_EQ(CursoreBloccato, 0);
  EXPECT_TRUE(principale_.selettoreAbilitato);
  EXPECT_EQ(principale_.stati[Comando::CommandAutomaticRecalculate].Figura, Immagine::ImageCalcAutoSel);
  EXPECT_EQ(principale_.stati[Comando::CommandCursorLocked].Figura, Immagine::ImageCurs);
  // The selector shows the project's gas, not the default one.
  EXPECT_EQ(principale_.gasSelezionato, ArchivioGas[2].Nome);
  EXPECT_EQ(g.Grid->Row(), 1);
  EXPECT_EQ(g.Grid->Col(), 1);
}

TEST_F(GasGridTest, PageChangesGiveTheToolbarItsStates) {
  GasGrid g(principale_);
  for (int pagina : {0, 2, 1}) {
    g.SelezionaPagina(pagina);
    const StatoBarra atteso = StatoBarraPagina(pagina);
    for (int i = 0; i < NumComandi; ++i)
      EXPECT_EQ(principale_.stati[static_cast<Comando>(i)], atteso[static_cast<size_t>(i)]) << pagina << " " << i;
  }
  g.SelezionaPagina(0);
  EXPECT_FALSE(g.ComboDpMax->isHidden());
  EXPECT_TRUE(g.ComboInitPres->isHidden());
  g.SelezionaPagina(1);
  EXPECT_TRUE(g.ComboDpMax->isHidden());
}

TEST_F(GasGridTest, RescaleClampsTheStepAndShowsThePercent) {
  GasGrid g(principale_);
  struct {
    int16_t passo, atteso;
    const char* testo;
    int v, h;
  } casi[] = {{-13, -12, "28", 1901, 3895}, {6, 5, "169", 317, 650}, {0, 0, "100", 537, 1100}};
  for (const auto& c : casi) {
    g.ScaleFactor = c.passo;
    g.Rescale();
    EXPECT_EQ(g.ScaleFactor, c.atteso);
    EXPECT_EQ(principale_.zoom, c.testo);
    EXPECT_EQ(g.VpicScroll->maximum(), c.v);
    EXPECT_EQ(g.HpicScroll->maximum(), c.h);
  }
}

TEST_F(GasGridTest, ScrollingMovesTheCanvasWithoutReenteringItself) {
  GasGrid g(principale_);
  const int disegni = schema_.disegni;
  g.HpicScroll->setValue(g.HpicScroll->maximum());
  EXPECT_DOUBLE_EQ(g.ScalaSinistra, (g.HpicScroll->maximum() - g.HpicScroll->maximum() / 2.0) * 10);
  EXPECT_EQ(schema_.disegni - disegni, 1);
}

TEST_F(GasGridTest, ResizeKeepsThePageAndAMinimisedWindowChangesNothing) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  principale_.altezza = 12000;
  principale_.larghezza = 16000;
  g.resizeOnDemand();
  EXPECT_EQ(g.Pagina(), 0);
  EXPECT_EQ(g.Dimensioni().LarghezzaSchede, 16000 - 150);
  EXPECT_EQ(g.Dimensioni().AltezzaSchede, 12000 - 1200 - 1500);
  VerificaTabella(g);
  principale_.minimizzata = true;
  principale_.larghezza = 20000;
  g.resizeOnDemand();
  EXPECT_EQ(g.Dimensioni().LarghezzaSchede, 16000 - 150);
}

TEST_F(GasGridTest, SelectionIsLimitedToTheSegments) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  g.SelezionaPagina(0);
  g.NewRete(1);
  int16_t a = 0, b = 0;
  g.Grid->SetRowCol(3, 2);
  g.Grid->SetSelezione(9, 2);
  g.GetSelezioneGriglia(a, b);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 4);
  g.Grid->SetRowCol(5, 2);
  g.GetSelezioneGriglia(a, b);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 5);
  g.Grid->SetRowCol(4, 2);
  g.Grid->SetSelezione(2, 2);
  g.GetSelezioneGriglia(a, b);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 2);
}

TEST_F(GasGridTest, TheCoreReachesTheWindowWhileItIsLoaded) {
  {
    GasGrid g(principale_);
    EXPECT_EQ(EditorRete(), &g);
  }
  EXPECT_EQ(EditorRete(), nullptr);
}

TEST_F(GasGridTest, AppendingARowAddsASegmentSlot) {
  test::ReteDiProva(false);
  GasGrid g(principale_);
  const int16_t righe = g.Grid->Rows();
  Tronco(5).ID_LEFT = 7;
  g.AggiungiRigaGriglia();
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(Tronco(5).ID_LEFT, 0);
  EXPECT_EQ(g.Grid->Rows(), righe + 1);
}

// Cells made in the same colours share their values until one is written: writing one cell,
// or colouring it anew, leaves the others as they were.
TEST(GrigliaTabellaTest, CellsMadeInTheSameColoursAreWrittenOneByOne) {
  GrigliaTabella griglia;
  griglia.SetCols(4);
  griglia.SetRows(4);
  for (int16_t r = 1; r <= 3; ++r)
    for (int16_t c = 1; c <= 3; ++c) griglia.SetCellColors(r, c, 0xFFFFFF, 0x000000);
  griglia.SetTextMatrix(1, 1, "12,5");
  griglia.SetCellBackColor(1, 2, 0xC0C0C0);
  griglia.SetCellForeColor(2, 1, 0x0000FF);
  griglia.SetCellFontBold(2, 2, true);
  griglia.SetCellColors(3, 3, 0x80FFFF, 0xFF0000);
  struct Atteso {
    int16_t riga, colonna;
    std::string testo;
    int32_t sfondo, testoColore;
    bool grassetto;
  };
  for (const Atteso& a : {Atteso{1, 1, "12,5", 0xFFFFFF, 0x000000, false}, Atteso{1, 2, "", 0xC0C0C0, 0x000000, false},
                          Atteso{1, 3, "", 0xFFFFFF, 0x000000, false}, Atteso{2, 1, "", 0xFFFFFF, 0x0000FF, false},
                          Atteso{2, 2, "", 0xFFFFFF, 0x000000, true}, Atteso{3, 1, "", 0xFFFFFF, 0x000000, false},
                          Atteso{3, 3, "", 0x80FFFF, 0xFF0000, false}}) {
    EXPECT_EQ(griglia.TextMatrix(a.riga, a.colonna), a.testo) << a.riga << "," << a.colonna;
    EXPECT_EQ(griglia.CellBackColor(a.riga, a.colonna), a.sfondo) << a.riga << "," << a.colonna;
    EXPECT_EQ(griglia.CellForeColor(a.riga, a.colonna), a.testoColore) << a.riga << "," << a.colonna;
    EXPECT_EQ(griglia.CellFontBold(a.riga, a.colonna), a.grassetto) << a.riga << "," << a.colonna;
  }
}

// Cells written while changes are collected reach the view once, when the collection ends: one
// notice per changed cell, or one for the whole table when many changed. Rows still come and go
// at once, and a value written again unchanged is no change.
TEST(GrigliaTabellaTest, CollectedChangesReachTheViewOnceAtTheEnd) {
  GrigliaTabella griglia;
  griglia.SetCols(5);
  griglia.SetRows(101);
  griglia.resize(400, 300);
  griglia.show();
  QSignalSpy cambi(griglia.model(), &QAbstractItemModel::dataChanged);
  QSignalSpy righe(griglia.model(), &QAbstractItemModel::rowsInserted);
  {
    const GrigliaTabella::RaccoltaModifiche raccolta(griglia);
    griglia.SetTextMatrix(2, 3, "1,5");
    griglia.SetCellForeColor(2, 3, 0xFF0000);
    griglia.SetCellBackColor(2, 3, 0x80FFFF);
    {
      const GrigliaTabella::RaccoltaModifiche interna(griglia);
      griglia.SetCellFontBold(4, 1, true);
    }
    griglia.SetRows(103);
    EXPECT_EQ(righe.count(), 1);
    EXPECT_EQ(cambi.count(), 0);
  }
  ASSERT_EQ(cambi.count(), 2);
  EXPECT_EQ(cambi[0][0].value<QModelIndex>(), griglia.model()->index(1, 2));
  EXPECT_EQ(cambi[0][1].value<QModelIndex>(), griglia.model()->index(1, 2));
  EXPECT_EQ(cambi[1][0].value<QModelIndex>(), griglia.model()->index(3, 0));
  EXPECT_EQ(griglia.TextMatrix(2, 3), "1,5");
  EXPECT_EQ(griglia.CellForeColor(2, 3), 0xFF0000);
  EXPECT_EQ(griglia.CellBackColor(2, 3), 0x80FFFF);
  EXPECT_TRUE(griglia.CellFontBold(4, 1));
  EXPECT_EQ(griglia.Rows(), 103);

  cambi.clear();
  {
    const GrigliaTabella::RaccoltaModifiche raccolta(griglia);
    griglia.SetTextMatrix(2, 3, "1,5");
    griglia.SetCellForeColor(2, 3, 0xFF0000);
  }
  EXPECT_EQ(cambi.count(), 0);

  // Many rows written: the rows in view are repainted, the others when scrolled into view; a
  // table switched off is told once for all.
  {
    const GrigliaTabella::RaccoltaModifiche raccolta(griglia);
    for (int16_t r = 1; r <= 100; ++r) griglia.SetTextMatrix(r, 1, std::to_string(r));
  }
  const int inVista = griglia.rowAt(griglia.viewport()->height() - 1) - griglia.rowAt(0) + 1;
  ASSERT_GT(inVista, 1);
  ASSERT_LT(inVista, 100);
  ASSERT_EQ(cambi.count(), inVista);
  for (int k = 0; k < inVista; ++k) EXPECT_EQ(cambi[k][0].value<QModelIndex>(), griglia.model()->index(k, 0));
  EXPECT_EQ(griglia.TextMatrix(100, 1), "100");
  cambi.clear();
  griglia.SetRedraw(false);
  {
    const GrigliaTabella::RaccoltaModifiche raccolta(griglia);
    for (int16_t r = 1; r <= 100; ++r) griglia.SetTextMatrix(r, 2, std::to_string(r));
  }
  griglia.SetRedraw(true);
  ASSERT_EQ(cambi.count(), 1);
  EXPECT_EQ(cambi[0][0].value<QModelIndex>(), griglia.model()->index(0, 0));
  EXPECT_EQ(cambi[0][1].value<QModelIndex>(), griglia.model()->index(101, 3));

  // Outside a collection every change tells the view at once, as before.
  cambi.clear();
  griglia.SetTextMatrix(2, 3, "2");
  EXPECT_EQ(cambi.count(), 1);
}

}  // namespace
}  // namespace varnex::ui
