// The schema page of the editor window: the canvas drawn by the schema, its handlers, and the
// schema saved as a bitmap.
#include <gtest/gtest.h>

#include <functional>

#include <filesystem>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QToolButton>

#include "editor/ui/archivi_finestre.h"
#include "editor/ui/cancellazione.h"
#include "editor/ui/gasgrid.h"
#include "editor/ui/ptronchi.h"
#include "model/archivi_scrittura_bloccata.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "schema/disegno.h"
#include "schema/inserimento.h"
#include "schema/modifica.h"
#include "schema/ui/schema_canvas.h"
#include "schema/ui/superficie_qt.h"
#include "app/ui/main_window.h"
#include "shell/ui/units.h"
#include "support/ui/fake_services.h"
#include "model/calcolo_prova.h"
#include "schema/etichette.h"
#include "schema/superficie_registrata.h"
#include "support/rami_sovrapposti.h"

namespace varnex::ui {
namespace {

// Pixels of the image that are neither `sfondo` nor near it.
int PixelDisegnati(const QImage& img, QColor sfondo) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (std::abs(c.red() - sfondo.red()) + std::abs(c.green() - sfondo.green()) +
              std::abs(c.blue() - sfondo.blue()) > 60)
        ++n;
    }
  return n;
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    schema_ = &InstallaSchemaRete();
    test::ReteDiProva(false);
    SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0;
    AdattaSchemaPagina = 0;
    g_ = std::make_unique<GasGrid>(principale_);
    g_->resize(900, 600);
    g_->resizeOnDemand();
    g_->SelezionaPagina(1);
    g_->NewRete(1);
    g_->Elaborazione();
  }
  void TearDown() override {
    g_.reset();
    ImpostaSchemaRete(nullptr);
    ImpostaEditorSchema(nullptr);
  }
  test::ArchiviDistribuiti archivi_;
  test::PrincipaleFinta principale_;
  CanvasSchema* schema_ = nullptr;
  std::unique_ptr<GasGrid> g_;
};

TEST_F(CanvasTest, TheEditorDrawsTheNetworkOnTheBlackCanvas) {
  EXPECT_EQ(SuperficieDisegno->Nome(), "picDisplay");
  EXPECT_EQ(ColoreDisegno, ColoreBianco);
  EXPECT_GT(PixelDisegnati(schema_->Immagine(), Qt::black), 200);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_NE(Tronco(s).Direzione, 0) << s;
  // Segment 1 from the source to the right, its band clickable.
  EXPECT_EQ(Tronco(1).Direzione, 4);
  EXPECT_GT(RegioniClick.SearchIndex(2, "U"), 0);
  EXPECT_GT(RegioniClick.SearchIndex(4, "U"), 0);
  g_->grab().save(QString::fromStdString(archivi_.Cartella().File("canvas.png")));
}

TEST_F(CanvasTest, AClickSelectsAndTheDeleteKeyWithoutSelectionDoesNothing) {
  schema_->picDisplay_KeyDown(46);
  EXPECT_EQ(Rete().NumTronchi, 4);
  const TTronco& t = Tronco(1);
  schema_->picDisplay_MouseMove(t.FineX - 300, t.FineY);
  schema_->picDisplay_Click();
  EXPECT_EQ(GetSelectedTronco(), 1);
  schema_->RidisegnaCanvas();
  EXPECT_EQ(GetSelectedTronco(), 0);
}

TEST_F(CanvasTest, APressWithoutAHandleStartsNoDrag) {
  schema_->picDisplay_MouseMove(10, 10);
  EXPECT_EQ(schema_->EstremoSottoPuntatore, 0);
  EXPECT_EQ(schema_->Puntatore, 0);
  schema_->picDisplay_MouseDown(Qt::LeftButton);
  EXPECT_EQ(schema_->EstremoTrascinato, 0);
  const int32_t prima = Tronco(3).LunghezzaDisegno;
  schema_->picDisplay_MouseUp(Qt::LeftButton);
  EXPECT_EQ(Tronco(3).LunghezzaDisegno, prima);
}

TEST_F(CanvasTest, AHandleDraggedBeyondTheCanvasStopsAtItsBorder) {
  const TTronco& t = Tronco(1);
  const std::string lettere = t.Direzione == 4 ? "R" : "";
  ASSERT_EQ(lettere, "R");
  schema_->picDisplay_MouseMove(t.FineX - 37, t.FineY - 37);
  ASSERT_EQ(schema_->EstremoSottoPuntatore, 1);
  EXPECT_EQ(schema_->Puntatore, 9);
  schema_->picDisplay_MouseDown(Qt::RightButton);
  EXPECT_EQ(schema_->EstremoTrascinato, 0);
  schema_->picDisplay_MouseDown(Qt::LeftButton);
  ASSERT_EQ(schema_->EstremoTrascinato, 1);
  schema_->picDisplay_MouseMove(t.FineX + 200, t.FineY);
  EXPECT_EQ(schema_->Puntatore, 5);
  schema_->picDisplay_MouseMove(1e6, t.FineY);
  EXPECT_EQ(schema_->Puntatore, 12);
  const int32_t bordo = static_cast<int32_t>(g_->ScalaSinistra + g_->ScalaLarghezza);
  EXPECT_EQ(schema_->PuntatoreX, bordo);
  schema_->picDisplay_MouseUp(Qt::RightButton);
  EXPECT_EQ(schema_->EstremoTrascinato, 1);
  const int32_t inizio = Tronco(1).FineX - Tronco(1).LunghezzaDisegno;
  schema_->picDisplay_MouseUp(Qt::LeftButton);
  EXPECT_EQ(schema_->EstremoTrascinato, 0);
  EXPECT_EQ(Tronco(1).LunghezzaDisegno, bordo - inizio);
}

TEST_F(CanvasTest, DropsOnAFullNetworkAreRefused) {
  Rete().NumTronchi = 200;
  for (const char* tag : {"TRONCO", "CALDAIA"}) {
    archivi_.Utente().messaggi.clear();
    schema_->picDisplay_DragDrop(tag, 100, 100);
    ASSERT_EQ(archivi_.Utente().messaggi.size(), 1u) << tag;
    EXPECT_EQ(archivi_.Utente().messaggi[0].testo, "Raggiunto il massimo numero di tronchi.");
  }
  EXPECT_EQ(Rete().NumTronchi, 200);
}

TEST_F(CanvasTest, DragOverShowsTheTargetsOfTheItemAndLeavingRedraws) {
  // Extend the network with a free leaf.
  Tronco(4).ID_P_UTENZE = 0;
  g_->Elaborazione();
  ASSERT_GT(NumPuntiInserimentoTronco, 0);
  schema_->picDisplay_DragOver("ALTRO", 0, 0, 0);
  EXPECT_EQ(RegioniDrop.RegionCount(), 0);
  schema_->picDisplay_DragOver("TRONCO", 0, 0, 0);
  EXPECT_GT(RegioniDrop.RegionCount(), 1);
  schema_->picDisplay_DragOver("TRONCO", 0, 0, 1);
  EXPECT_EQ(SuperficieDisegno->Nome(), "picDisplay");
  // A segment dropped straight on at the free end.
  const TTronco& t4 = Tronco(4);
  schema_->picDisplay_DragOver("TRONCO", 0, 0, 0);
  const int32_t x = t4.FineX, y = t4.FineY;
  // Segment 4 goes up and right (below the second derivation of segment 1).
  ASSERT_EQ(t4.Direzione, 8);
  schema_->picDisplay_DragDrop("TRONCO", x + 150, y - 150);
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(Tronco(5).ID_PREV, 4);
  EXPECT_EQ(Tronco(5).CodiceSvolta, 1);
}

// A drop that adds nothing left every drop arrow painted, and a full network was offered targets
// where nothing could be added.
TEST_F(CanvasTest, NoArrowIsLeftAfterADropAndAFullNetworkOffersNoTarget) {
  Tronco(4).ID_P_UTENZE = 0;
  g_->Elaborazione();
  const QImage prima = schema_->Immagine();
  for (const char* tag : {"TRONCO", "CALDAIA"}) {
    schema_->picDisplay_DragOver(tag, 0, 0, 0);
    ASSERT_GT(RegioniDrop.RegionCount(), 0) << tag;
    ASSERT_NE(schema_->Immagine(), prima) << tag;
    schema_->picDisplay_DragDrop(tag, 10, 10);  // on no target
    EXPECT_EQ(schema_->Immagine(), prima) << tag;
    EXPECT_EQ(Rete().NumTronchi, 4);
  }

  Rete().NumTronchi = MaxTronchi;
  for (const char* tag : {"TRONCO", "CALDAIA"}) {
    RegioniDrop.Reset();
    const int16_t nessuna = RegioniDrop.RegionCount();
    schema_->picDisplay_DragOver(tag, 0, 0, 0);
    EXPECT_EQ(RegioniDrop.RegionCount(), nessuna) << tag;
    EXPECT_EQ(schema_->Immagine(), prima) << tag;
    archivi_.Utente().Attendi("Raggiunto il massimo numero di tronchi.");
    schema_->picDisplay_DragDrop(tag, 10, 10);
    EXPECT_EQ(schema_->Immagine(), prima) << tag;
  }
  // The window goes in TearDown: with the network it shows.
  Rete().NumTronchi = 4;
}

TEST_F(CanvasTest, SaveSchemaWritesABitmapThatShowsTheNetwork) {
  const std::string file = archivi_.Cartella().File("schema.bmp");
  SaveSchema(file);
  QImage img;
  ASSERT_TRUE(img.load(QString::fromStdString(file)));
  // The picture ends a little beyond the drawing, not at the standard picture's width.
  EXPECT_LT(img.width(), Pixel(11000));
  EXPECT_GT(PixelDisegnati(img, Qt::white), 200);
  EXPECT_LE(ScalaStampaSchema, 1.0);
  EXPECT_EQ(SuperficieDisegno->Nome(), "picPrint");
  // A second save starts from an empty picture and replaces the file.
  SaveSchema(file);
  QImage seconda;
  ASSERT_TRUE(seconda.load(QString::fromStdString(file)));
  EXPECT_EQ(seconda, img);
  EXPECT_THROW(SaveSchema(archivi_.Cartella().File("manca/schema.bmp")), std::runtime_error);
}

// The picture beside a report is saved like every other file: a picture reached through a link is
// replaced where the link leads, keeps its permissions, and a failed save keeps the old one.
TEST_F(CanvasTest, SaveSchemaReplacesThePictureTheWayEveryFileIsSaved) {
  namespace fs = std::filesystem;
  const test::TempFolder& cartella = archivi_.Cartella();
  fs::create_directories(cartella.File("immagini"));
  const std::string vera = cartella.Write("immagini/schema.bmp", "vecchia");
  fs::permissions(vera, fs::perms(0664));
  fs::create_symlink("immagini/schema.bmp", cartella.File("schema.bmp"));
  SaveSchema(cartella.File("schema.bmp"));
  EXPECT_TRUE(fs::is_symlink(cartella.File("schema.bmp")));
  QImage img;
  EXPECT_TRUE(img.load(QString::fromStdString(vera)));
  EXPECT_EQ(fs::status(vera).permissions(), fs::perms(0664));

  // A write that fails (a full disk) goes back to the report and leaves the old picture.
  const std::string prima = test::LeggiByte(vera);
  {
    test::ScritturaBloccata discoPieno;
    EXPECT_THROW(SaveSchema(cartella.File("schema.bmp")), std::runtime_error);
  }
  EXPECT_EQ(test::LeggiByte(vera), prima);
}

TEST_F(CanvasTest, SaveSchemaScaleFollowsTheNetworkNotExtentsLeftByAnEarlierOne) {
  // Extents of a wide network drawn earlier: the small example still fits at scale 1.
  SchemaMinX = 0, SchemaMaxX = 20000, SchemaMinY = 0, SchemaMaxY = 100;
  (void)ImmagineSchema();
  EXPECT_DOUBLE_EQ(ScalaStampaSchema, 1.0);
  EXPECT_LT(SchemaMaxX, 11000);
  // A segment 20000 long makes the network itself wide.
  Tronco(1).LunghezzaDisegno = 20000;
  (void)ImmagineSchema();
  const double dx = std::abs(static_cast<double>(SchemaMaxX) - SchemaMinX);
  EXPECT_GT(dx, 20000);
  EXPECT_DOUBLE_EQ(ScalaStampaSchema, 11000.0 / (dx + 1500));
}

// Drawn pixels on the outermost rows and columns of the image: a drawing cut by the edge.
int PixelSulBordo(const QImage& img) {
  const QColor bianco(Qt::white);
  int n = PixelDisegnati(img, bianco);
  QImage centro = img.copy(1, 1, img.width() - 2, img.height() - 2);
  return n - PixelDisegnati(centro, bianco);
}

// The example turned into a chain of n segments made of its inner and end segments, each turning
// as `svolta` says, loaded and calculated in the editor.
void CaricaCatena(GasGrid& g, int16_t n, const std::function<int16_t(int16_t)>& svolta) {
  const TTronco interno = Tronco(3), foglia = Tronco(4);
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    t = s < n ? interno : foglia;
    t.ID_NUM = s;
    t.ID_PREV = static_cast<int16_t>(s - 1);
    t.ID_LEFT = s < n ? static_cast<int16_t>(s + 1) : 0;
    t.ID_RIGHT = 0;
    t.CodiceSvolta = svolta(s);
  }
  Rete().NumTronchi = n;
  g.NewRete(1);
  g.Elaborazione();
}

TEST_F(CanvasTest, TheSavedPictureHoldsTheWholeOfALargeNetwork) {
  // A chain of 55 segments after the example's first one, turning left and right in steps.
  CaricaCatena(*g_, 55, [](int16_t s) -> int16_t { return s == 1 ? 0 : (s % 2 == 0 ? 2 : 3); });
  for (int16_t adatta : {0, -1}) {
    AdattaSchemaPagina = adatta;
    const QImage img = ImmagineSchema();
    EXPECT_GT(PixelDisegnati(img, Qt::white), 500) << adatta;
    EXPECT_EQ(PixelSulBordo(img), 0) << adatta;
  }
  AdattaSchemaPagina = 0;
}

// The picture of a 200-segment network in the report files: larger than the standard one at the
// standard scale, so that its labels read as in a small network's picture, with "fit to the page"
// ticked or not; the file keeps the picture whole and reports how much larger it is.
TEST_F(CanvasTest, TheSavedPictureOfTwoHundredSegmentsGrowsInsteadOfShrinking) {
  CaricaCatena(*g_, 200, [](int16_t) -> int16_t { return 0; });
  for (int16_t adatta : {0, -1}) {
    AdattaSchemaPagina = adatta;
    QSizeF relativa;
    const QImage img = ImmagineSchema(&relativa);
    EXPECT_GT(relativa.width(), 5) << adatta;
    EXPECT_GT(relativa.height(), 0) << adatta;
    // The standard scale: as many pixels per unit as the standard picture.
    EXPECT_NEAR(img.width(), relativa.width() * Pixel(11000), 2) << adatta;
    EXPECT_NEAR(img.height(), relativa.height() * Pixel(8000), 2) << adatta;
    EXPECT_LT(img.height(), Pixel(8000)) << "a flat chain makes a flat picture, not a blank one";
    EXPECT_EQ(PixelSulBordo(img), 0) << adatta;
    const std::string file = archivi_.Cartella().File("grande.bmp");
    EXPECT_EQ(SaveSchema(file), relativa);
    QImage letta;
    ASSERT_TRUE(letta.load(QString::fromStdString(file)));
    EXPECT_EQ(letta.size(), img.size());
  }
}

TEST_F(CanvasTest, AfterTheSavedPictureTheCanvasStillAnswersClicksAndAClickOnAHandleChangesNoLength) {
  const TTronco schermo = Tronco(2);  // as the canvas drew it: to the right, 800 long
  ASSERT_EQ(schermo.Direzione, 4);
  (void)ImmagineSchema();
  // A click where the canvas shows segment 2 selects it.
  schema_->picDisplay_MouseMove(schermo.FineX - schermo.LunghezzaDisegno / 2, schermo.FineY);
  schema_->picDisplay_Click();
  EXPECT_EQ(GetSelectedTronco(), 2);
  EXPECT_EQ(SuperficieDisegno->Nome(), "picDisplay");
  // Pressed on segment 2's handle, trembling a little, released: a click.
  (void)ImmagineSchema();
  schema_->picDisplay_MouseMove(schermo.FineX + 60, schermo.FineY);
  ASSERT_EQ(schema_->EstremoSottoPuntatore, 2);
  schema_->picDisplay_MouseDown(Qt::LeftButton);
  schema_->picDisplay_MouseMove(schermo.FineX + 65, schermo.FineY);
  schema_->picDisplay_MouseUp(Qt::LeftButton);
  schema_->picDisplay_Click();
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, schermo.LunghezzaDisegno);
  // A real drag still sets it.
  schema_->picDisplay_MouseMove(schermo.FineX + 60, schermo.FineY);
  schema_->picDisplay_MouseDown(Qt::LeftButton);
  schema_->picDisplay_MouseMove(schermo.FineX + 400, schermo.FineY);
  schema_->picDisplay_MouseUp(Qt::LeftButton);
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, schermo.LunghezzaDisegno + 400);
}

TEST_F(CanvasTest, TheScrollBarsReachEveryPartOfALargeNetwork) {
  // 40 segments going up after the first, then 40 going right: far beyond the usual range.
  const TTronco interno = Tronco(3), foglia = Tronco(4);
  const int16_t n = 81;
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    t = s < n ? interno : foglia;
    t.ID_NUM = s;
    t.ID_PREV = static_cast<int16_t>(s - 1);
    t.ID_LEFT = s < n ? static_cast<int16_t>(s + 1) : 0;
    t.ID_RIGHT = 0;
    t.CodiceSvolta = s == 2 ? 2 : (s == 42 ? 3 : 1);
  }
  Rete().NumTronchi = n;
  g_->NewRete(1);
  const double altoPrima = g_->ScalaAlto, sinistraPrima = g_->ScalaSinistra;
  g_->Elaborazione();
  // The view stays where it was.
  EXPECT_DOUBLE_EQ(g_->ScalaAlto, altoPrima);
  EXPECT_DOUBLE_EQ(g_->ScalaSinistra, sinistraPrima);
  EXPECT_NEAR(g_->ScalaAlto, (g_->VpicScroll->value() - g_->VpicScroll->maximum() / 2.0) * 10, 5);
  int32_t minY = 0, maxX = 0;
  for (int16_t s = 1; s <= n; ++s) {
    minY = std::min(minY, Tronco(s).FineY);
    maxX = std::max(maxX, Tronco(s).FineX);
  }
  ASSERT_LT(minY, -20000);
  g_->VpicScroll->setValue(g_->VpicScroll->minimum());
  EXPECT_LE(g_->ScalaAlto, minY);
  g_->HpicScroll->setValue(g_->HpicScroll->maximum());
  EXPECT_GE(g_->ScalaSinistra + g_->ScalaLarghezza, maxX);
}

TEST_F(CanvasTest, TheScrollBarMovesTheCanvasTop) {
  const int meta = g_->VpicScroll->maximum() / 2;
  for (int passi : {3, 4}) {
    g_->VpicScroll->setValue(meta + passi);
    EXPECT_DOUBLE_EQ(g_->ScalaAlto, (meta + passi - g_->VpicScroll->maximum() / 2.0) * 10);
  }
}

// A point on the middle of a segment as last drawn: inside its click band whatever its direction.
QPointF MezzoTronco(int16_t seg) {
  const TTronco& t = Tronco(seg);
  const double l = t.LunghezzaDisegno / 2.0, d = 0.707 * l;
  const double passi[9][2] = {{0, 0}, {0, l}, {l, 0}, {0, -l}, {-l, 0}, {d, d}, {d, -d}, {-d, -d}, {-d, d}};
  const int16_t dir = t.Direzione >= 1 && t.Direzione <= 8 ? t.Direzione : 0;
  return {t.FineX + passi[dir][0], t.FineY + passi[dir][1]};
}

// The schema page inside the real main window and editor: the toolbar reaches the canvas's
// selection through the editor, with no stand-in between them.
class SchemaNellaFinestraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ReteDiProva(false);
    finestra_ = std::make_unique<frmMainForm>();
    schema_ = &InstallaSchemaRete();
    g_ = &finestra_->CaricaEditor();
    g_->resize(900, 600);
    g_->resizeOnDemand();
    g_->SelezionaPagina(1);
    g_->NewRete(1);
    g_->Elaborazione();
    g_->Grid->SetRowCol(1, 1);
  }
  void TearDown() override {
    finestra_.reset();
    ImpostaSchemaRete(nullptr);
    ImpostaEditorSchema(nullptr);
  }
  void Clicca(int16_t seg) {
    const QPointF p = MezzoTronco(seg);
    schema_->picDisplay_MouseMove(p.x(), p.y());
    schema_->picDisplay_MouseDown(Qt::LeftButton);
    schema_->picDisplay_MouseUp(Qt::LeftButton);
    schema_->picDisplay_Click();
  }
  void PremiCanc() {
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(g_->picDisplay, &premuto);
  }
  test::ArchiviDistribuiti archivi_;
  test::FakeDialoghi dialoghi_;
  std::unique_ptr<frmMainForm> finestra_;
  CanvasSchema* schema_ = nullptr;
  GasGrid* g_ = nullptr;
};

TEST_F(SchemaNellaFinestraTest, ASegmentClickedOnTheCanvasIsWhatDeleteAndTheToolbarActOn) {
  ASSERT_EQ(SchemaRete(), schema_);
  Clicca(2);
  ASSERT_EQ(SchemaRete()->GetSelectedTronco(), 2);

  // "Parametri Tronco Selezionato" opens the dialog of that segment.
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    EXPECT_EQ(static_cast<PTronchi&>(d).Text10->text(), QStringLiteral(" 2"));
    static_cast<PTronchi&>(d).Command2->click();
  });
  finestra_->cmdParameterElemSel->click();
  ASSERT_EQ(dialoghi_.visti.size(), 1u);

  // The Delete key on the canvas asks how to delete the selected segment, and deletes it.
  Clicca(2);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { static_cast<frmDelete&>(d).cmdElimina->click(); });
  PremiCanc();
  ASSERT_EQ(dialoghi_.visti.size(), 2u);
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_EQ(GetSelectedTronco(), 0);

  // The toolbar's "Cancella tronco selezionato" does the same with the leaf left at the end.
  const int16_t foglia = Rete().NumTronchi;
  Clicca(foglia);
  ASSERT_EQ(SchemaRete()->GetSelectedTronco(), foglia);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { static_cast<frmDelete&>(d).cmdElimina->click(); });
  finestra_->SSCommandCancel->click();
  ASSERT_EQ(dialoghi_.visti.size(), 3u);
  EXPECT_EQ(Rete().NumTronchi, 2);

  // With nothing selected the same commands ask nothing.
  PremiCanc();
  finestra_->SSCommandCancel->click();
  finestra_->cmdParameterElemSel->click();
  EXPECT_EQ(dialoghi_.visti.size(), 3u);
}

// Unlinking segment 1 left the network with no segments while the table still showed them all:
// refused from the table's row header as from the schema, and nothing changes.
TEST_F(SchemaNellaFinestraTest, SegmentOneIsNeverUnlinkedFromTheTableOrTheSchema) {
  const TRete prima = Rete();
  auto scollega = [](QDialog& d) { static_cast<frmDelete&>(d).cmdScollega->click(); };
  auto nessunCambio = [&](const char* via) {
    EXPECT_EQ(Rete().NumTronchi, 4) << via;
    for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << via << " " << s;
    EXPECT_EQ(g_->Grid->TextMatrix(4, 1).empty(), false) << via;
  };

  // The table: row header 1, then rows 1 to 3.
  g_->SelezionaPagina(0);
  for (int16_t ultima : {1, 3}) {
    g_->Grid->SetRowCol(1, 1);
    g_->Grid->SetSelezione(ultima, static_cast<int16_t>(g_->Grid->Cols() - 1));
    dialoghi_.Attendi("frmDelete", scollega);
    archivi_.Utente().Attendi("Non è possibile scollegare il primo tronco.");
    finestra_->SSCommandCancel->click();
    nessunCambio("tabella");
  }

  // The schema: segment 1 clicked, the Delete key and the toolbar.
  g_->SelezionaPagina(1);
  for (bool tastiera : {true, false}) {
    Clicca(1);
    ASSERT_EQ(GetSelectedTronco(), 1);
    dialoghi_.Attendi("frmDelete", scollega);
    archivi_.Utente().Attendi("Non è possibile scollegare il primo tronco.");
    if (tastiera)
      PremiCanc();
    else
      finestra_->SSCommandCancel->click();
    nessunCambio(tastiera ? "tasto Canc" : "barra");
  }
  EXPECT_EQ(dialoghi_.visti.size(), 4u);
}

// A segment clicked on the schema stayed selected after the switch to the table, and the toolbar
// deleted it instead of the row the cursor was on. The dialog says which segment it acts on.
TEST_F(SchemaNellaFinestraTest, OnTheTablePageTheToolbarDeletesTheCursorRowNotTheSchemaSelection) {
  Clicca(2);
  ASSERT_EQ(GetSelectedTronco(), 2);
  g_->SelezionaPagina(0);
  g_->Grid->SetRowCol(4, 2);
  QString nominati;
  dialoghi_.Attendi("frmDelete", [&](QDialog& d) {
    nominati = static_cast<frmDelete&>(d).lblTronchi->text();
    static_cast<frmDelete&>(d).cmdCancella->click();
  });
  finestra_->SSCommandCancel->click();
  EXPECT_EQ(nominati, QStringLiteral("Tronco selezionato: 4"));
  EXPECT_EQ(Tronco(2).Eliminato, 0);
  EXPECT_EQ(Tronco(2).ID_PREV, 1);
  EXPECT_EQ(Tronco(1).ID_LEFT, 2);
  EXPECT_NE(Tronco(4).Eliminato, 0);
  EXPECT_EQ(Tronco(3).ID_LEFT, 0);

  // Back on the schema, its own selection is what the toolbar acts on, and the dialog names it.
  g_->SelezionaPagina(1);
  Clicca(2);
  dialoghi_.Attendi("frmDelete", [&](QDialog& d) {
    nominati = static_cast<frmDelete&>(d).lblTronchi->text();
    static_cast<frmDelete&>(d).cmdAnnulla->click();
  });
  finestra_->SSCommandCancel->click();
  EXPECT_EQ(nominati, QStringLiteral("Tronco selezionato: 2"));

  // Whole rows 2 to 3 of the table: both named.
  g_->SelezionaPagina(0);
  g_->Grid->SetRowCol(3, 1);
  g_->Grid->SetSelezione(2, static_cast<int16_t>(g_->Grid->Cols() - 1));
  dialoghi_.Attendi("frmDelete", [&](QDialog& d) {
    nominati = static_cast<frmDelete&>(d).lblTronchi->text();
    static_cast<frmDelete&>(d).cmdAnnulla->click();
  });
  finestra_->SSCommandCancel->click();
  EXPECT_EQ(nominati, QStringLiteral("Tronchi selezionati: da 2 a 3"));
}

// A full network whose user cancelled a branch keeps blank slots a new segment can take. The
// table's blank row became a segment again but without a pipe series, so it could not be sized,
// while the schema refused every drop as if no slot were free.
TEST_F(SchemaNellaFinestraTest, AFullNetworkWithBlankSlotsTakesNewSegmentsFromTheTableAndTheSchema) {
  CaricaCatena(*g_, MaxTronchi, [](int16_t) -> int16_t { return 0; });
  g_->SelezionaPagina(0);
  g_->Grid->SetRowCol(198, 1);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { static_cast<frmDelete&>(d).cmdCancella->click(); });
  archivi_.Utente().Attendi("Verranno cancellati definitivamente 3 tronchi", Risposta::Si);
  finestra_->SSCommandCancel->click();
  ASSERT_EQ(Rete().NumTronchi, MaxTronchi);
  for (int16_t s = 198; s <= MaxTronchi; ++s) ASSERT_NE(Tronco(s).SlotLibero, 0) << s;

  // The table: a key on the row after the last slot says where a new segment goes; a length
  // typed on blank row 200 makes it a segment, with the default series.
  int16_t lunghezza = 1;
  for (int16_t j = 1; j < g_->Grid->Cols(); ++j)
    if (ColonneGriglia[static_cast<size_t>(g_->LayoutGriglia)][static_cast<size_t>(j)].IdCampo == campo::ID_LEN) lunghezza = j;
  ASSERT_GT(g_->Grid->Rows(), MaxTronchi + 1);
  g_->Grid->SetRowCol(MaxTronchi + 1, lunghezza);
  QTest::keyClick(g_->Grid, Qt::Key_5);
  EXPECT_FALSE(g_->Text1->isVisible());
  EXPECT_TRUE(g_->Panel3D2->text().contains(QStringLiteral("riga vuota"))) << g_->Panel3D2->text().toStdString();
  g_->Grid->SetRowCol(MaxTronchi, lunghezza);
  QTest::keyClick(g_->Grid, Qt::Key_5);
  QTest::keyClick(g_->Text1, Qt::Key_Return);
  const TTronco& rianimato = Tronco(MaxTronchi);
  EXPECT_FLOAT_EQ(rianimato.ID_LEN, 5);
  EXPECT_EQ(rianimato.SlotLibero, 0);
  EXPECT_GE(rianimato.IndiceMateriale, 1);
  EXPECT_FALSE(rianimato.ID_MATERIALE.empty());

  // The schema: the free end of segment 197 is offered, and a segment dropped there takes slot 198.
  g_->SelezionaPagina(1);
  schema_->picDisplay_DragOver("TRONCO", 0, 0, 0);
  int16_t punto = 0;
  for (int16_t k = 1; k <= NumPuntiInserimentoTronco; ++k)
    if (PuntiInserimentoTronco[static_cast<size_t>(k)].Tronco == 197) punto = k;
  ASSERT_GT(punto, 0);
  const TPuntoInserimento p = PuntiInserimentoTronco[static_cast<size_t>(punto)];
  schema_->picDisplay_DragDrop("TRONCO", p.PuntoX, p.PuntoY);
  EXPECT_EQ(Rete().NumTronchi, MaxTronchi);
  EXPECT_EQ(Tronco(198).SlotLibero, 0);
  EXPECT_EQ(Tronco(198).ID_PREV, 197);
  EXPECT_EQ(Tronco(197).ID_LEFT, 198);
}

// A value typed on the entry row, then a delete from the toolbar: the table came back with the
// entry row blank while its record kept the value (and a parent noted there), so the next
// segment made on that row, or on the row a renumbering made it, carried what the user no
// longer saw.
TEST_F(SchemaNellaFinestraTest, AfterADeleteTheEntryRowHoldsNothingTheTableDoesNotShow) {
  int16_t portata = 1, provenienza = 1;
  for (int16_t j = 1; j < g_->Grid->Cols(); ++j) {
    const int16_t codice = ColonneGriglia[static_cast<size_t>(g_->LayoutGriglia)][static_cast<size_t>(j)].IdCampo;
    if (codice == campo::ID_P_UTENZE) portata = j;
    if (codice == campo::ID_PREV) provenienza = j;
  }
  for (QPushButton* frmDelete::*scelta : {&frmDelete::cmdCancella, &frmDelete::cmdElimina}) {
    test::ReteDiProva(false);
    g_->SelezionaPagina(0);
    g_->NewRete(1);
    g_->Grid->SetRowCol(5, portata);
    QTest::keyClick(g_->Grid, Qt::Key_7);
    for (Qt::Key k : {Qt::Key_Comma, Qt::Key_5, Qt::Key_Return}) QTest::keyClick(g_->Text1, k);
    g_->Grid->SetRowCol(5, provenienza);
    QTest::keyClick(g_->Grid, Qt::Key_2);
    QTest::keyClick(g_->Text1, Qt::Key_Return);
    ASSERT_EQ(Rete().NumTronchi, 4);
    ASSERT_FLOAT_EQ(Tronco(5).ID_P_UTENZE, 7.5f);

    g_->Grid->SetRowCol(4, 1);
    dialoghi_.Attendi("frmDelete", [scelta](QDialog& d) { (static_cast<frmDelete&>(d).*scelta)->click(); });
    finestra_->SSCommandCancel->click();
    for (int16_t riga = static_cast<int16_t>(Rete().NumTronchi + 1); riga <= 5; ++riga) {
      for (int16_t j : {portata, provenienza}) EXPECT_EQ(g_->Grid->TextMatrix(riga, j), "") << riga << " " << j;
      EXPECT_FLOAT_EQ(Tronco(riga).ID_P_UTENZE, 0) << riga;
      EXPECT_EQ(Tronco(riga).ID_PREV, 0) << riga;
    }
  }
}

// F11 on a row a delete left blank opened the segment dialog there, and OK stored its values into
// a slot still marked free: the row stayed blank, the calculation left it out, and a segment
// dropped later on the schema took that slot with the hidden length.
TEST_F(SchemaNellaFinestraTest, TheSegmentDialogOnABlankRowMakesItASegmentTheTableShows) {
  int16_t lunghezza = 1;
  for (int16_t j = 1; j < g_->Grid->Cols(); ++j)
    if (ColonneGriglia[static_cast<size_t>(g_->LayoutGriglia)][static_cast<size_t>(j)].IdCampo == campo::ID_LEN) lunghezza = j;
  g_->SelezionaPagina(0);
  g_->Grid->SetRowCol(4, 1);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { static_cast<frmDelete&>(d).cmdCancella->click(); });
  finestra_->SSCommandCancel->click();
  ASSERT_NE(Tronco(4).SlotLibero, 0);

  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    static_cast<PTronchi&>(d).txtlen->setText(QStringLiteral("42"));
    static_cast<PTronchi&>(d).Command1->click();
  });
  g_->Grid->SetRowCol(4, lunghezza);
  EXPECT_TRUE(g_->Form_KeyDown(122));
  ASSERT_EQ(dialoghi_.visti.size(), 2u);
  EXPECT_FLOAT_EQ(Tronco(4).ID_LEN, 42);
  EXPECT_EQ(Tronco(4).Eliminato, 0);
  EXPECT_EQ(Tronco(4).SlotLibero, 0);
  EXPECT_GE(Tronco(4).IndiceMateriale, 1);
  EXPECT_EQ(g_->Grid->TextMatrix(4, lunghezza).substr(0, 2), "42");
}

}  // namespace

namespace {

// On every surface, the canvas included, the labels wait for the whole drawing, then each block
// goes to the nearest free spot: a label written on one already there moves, one beside it stays.
TEST(SuperficieQtEtichette, ALabelMovesOffOneAlreadyThereOnPaperAndOnTheCanvas) {
  QImage immagine(400, 300, QImage::Format_RGB32);
  QPainter painter(&immagine);
  for (const char* nome : {"Printer", "picPrint", "picSchema", "picDisplay"}) {
    SCOPED_TRACE(nome);
    SuperficieQt s(nome, painter, QRectF(0, 0, 6000, 4500), QRectF(0, 0, 400, 300), 6000, 4500, 4500, ColoreBianco);
    const double riga = s.TextHeight("X");
    for (const auto& [x, testo] : {std::pair<double, const char*>{1000, " 17"}, {1000, " 18"}, {3000, " 19"}}) {
      s.SetCurrentX(x);
      s.SetCurrentY(1000);
      s.Print(testo);
      EXPECT_DOUBLE_EQ(s.CurrentY(), 1000 + riga);
    }
    s.FineDisegno();
    const auto& piazzate = s.EtichettePiazzate();
    ASSERT_EQ(piazzate.size(), 3u);
    EXPECT_DOUBLE_EQ(piazzate[0].scatola.top(), 1000);
    EXPECT_FALSE(piazzate[1].scatola.intersects(piazzate[0].scatola));
    EXPECT_LT(std::abs(piazzate[1].scatola.center().y() - 1000), 3 * riga) << "nearby, not far away";
    EXPECT_DOUBLE_EQ(piazzate[2].scatola.top(), 1000) << "beside it, clear of it: in place";
    EXPECT_TRUE(s.Estensione().contains(piazzate[1].scatola)) << "the extents hold the label where it went";
  }
}

// A picture of a printer's fine dots: 1200 dots an inch, `lato` pixels a side.
QImage CartaFine(int lato) {
  QImage immagine(lato, lato, QImage::Format_RGB32);
  const int puntiPerMetro = qRound(1200 / 0.0254);
  immagine.setDotsPerMeterX(puntiPerMetro);
  immagine.setDotsPerMeterY(puntiPerMetro);
  immagine.fill(Qt::white);
  return immagine;
}

// On a printer's fine dots the lines of the schema and the labels' leaders print: at least a
// quarter point wide (a pixel there is a hairline a laser leaves out), a leader dark enough to see.
TEST(SuperficieQtEtichette, LinesAndLeadersPrintOnAPrintersFineDots) {
  QImage immagine = CartaFine(1200);
  {
    QPainter painter(&immagine);
    SuperficieQt s("Printer", painter, QRectF(0, 0, 1200, 1200), QRectF(0, 0, 1200, 1200), 1200, 1200, 1200,
                   ColoreBianco);
    s.SetFontName("Arial");
    s.SetFontSize(7);
    // A line of the drawing, and a block of labels ringed by the drawing: its label goes out, on a leader.
    s.Line(100, 100, 100, 1100, ColoreNero);
    s.Line(300, 300, 900, 900, ColoreNero, true);
    s.InizioEtichetta(600, 600);
    s.SetCurrentX(560);
    s.SetCurrentY(580);
    s.Print(" 12");
    s.FineEtichetta();
    s.FineDisegno();
  }
  const double quartoDiPunto = 0.25 * 1200 / 72;
  int linea = 0;
  for (int x = 80; x < 120; ++x) linea += qGray(immagine.pixel(x, 50 + 500)) < 128 ? 1 : 0;
  EXPECT_GE(linea, static_cast<int>(quartoDiPunto)) << "the line a hairline";
  // The leader runs from the middle of the square, where the label was written, out to it: across
  // the square it is a dark grey band.
  int richiamo = 0;
  for (int x = 500; x < 700; ++x) {
    const int g = qGray(immagine.pixel(x, 700));
    richiamo += g >= 40 && g <= 140 ? 1 : 0;
  }
  EXPECT_GE(richiamo, static_cast<int>(quartoDiPunto)) << "no leader, a hairline, or one too light to print";
}

// A picture drawn large on paper (an enlarged fitted page) is drawn at the printer's resolution:
// its edges are as sharp as its lines, not a small bitmap blown up into blurred ramps.
TEST(SuperficieQtEtichette, APictureDrawnLargeOnPaperIsSharp) {
  QImage immagine = CartaFine(1700);
  {
    QPainter painter(&immagine);
    SuperficieQt s("Printer", painter, QRectF(0, 0, 1700, 1700), QRectF(0, 0, 1700, 1700), 1700, 1700, 1700,
                   ColoreBianco);
    s.PaintPicture(FiguraSchema::Convettore, 50, 50, 1600, 1600);
    s.FineDisegno();
  }
  // Across the convector's left edge (x = 3 of its 32 units) halfway down: from white to its dark
  // outline within a few pixels.
  const int y = 50 + 800;
  int x = 0;
  while (x < 400 && qGray(immagine.pixel(x, y)) >= 250) ++x;
  const int inizio = x;
  while (x < 400 && qGray(immagine.pixel(x, y)) >= 100) ++x;
  EXPECT_LT(x, 400);
  EXPECT_LE(x - inizio, 4) << "a ramp of " << x - inizio << " pixels at the picture's edge";
}

// The drawing of a network on paper, as the diagram page makes it, through a view of `finestra`.
std::vector<SuperficieQt::EtichettaPiazzata> EtichetteSuCarta(const QRectF& finestra,
                                                              std::vector<OperazioneDisegno>* disegno = nullptr) {
  QImage immagine(1600, 1100, QImage::Format_RGB32);
  immagine.fill(Qt::white);
  QPainter painter(&immagine);
  painter.setClipRect(QRect(0, 0, 1600, 1100));
  SuperficieQt s("Printer", painter, finestra, QRectF(immagine.rect()), 16000, 11000, 11000, ColoreBianco);
  DrawSchema(s, 1, 300, 6000, 12000, 8000, "Arial", 7);
  if (disegno) {
    // The same drawing recorded: every line, bar, dot and picture it holds.
    SuperficieRegistrata registrata("Printer", 16000, 11000, 11000);
    DrawSchema(registrata, 1, 300, 6000, 12000, 8000, "Arial", 7);
    *disegno = registrata.operazioni;
  }
  return s.EtichettePiazzate();
}

class EtichetteSuCartaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::PreparaCalcolo();
    AdattaSchemaPagina = 0;
    test::ReteRamiSovrapposti(3);
  }
  void TearDown() override { BloccoReti = {}; }
};

// Where the layout lays branches on one another (the floors of a block of flats), and where it
// writes the two lines of a diagonal segment less than a line apart, every label on paper still
// reads: none lies on another, none on a line, bar, dot or picture of the drawing, and the lines of
// a segment stay together; a block gone far from its segment has a leader.
TEST_F(EtichetteSuCartaTest, LabelsOfBranchesOnOneAnotherPrintApartAndClearOfTheDrawing) {
  struct Caso {
    const char* nome;
    void (*costruisci)();
    size_t etichette;  // number and diameter of each segment, reference and flow of each appliance
    bool richiami;     // some label goes far from its segment
  };
  const Caso casi[] = {
      {"branches on one another", [] { test::ReteRamiSovrapposti(3); }, 7 * 2 + 4 * 2, true},
      {"diagonals", [] {
         // Down-right and down-left from the first segment's end, each on to an appliance.
         test::AggiungiProva(0, 4);
         for (const int16_t svolta : {int16_t{7}, int16_t{8}}) {
           const int16_t s = test::AggiungiProva(1, 3);
           Tronco(s).CodiceSvolta = svolta;
           const int16_t u = test::AggiungiProva(s, 3, 1.5f);
           Tronco(u).CodiceSvolta = 1;
           Tronco(u).ID_P_TRONCO = 1.5f;
           Tronco(u).TipologiaUtenza = 2;
           Tronco(u).ID_RIF = "rif " + std::to_string(u);
         }
         for (int16_t s = 1; s <= Rete().NumTronchi; ++s) Tronco(s).Collegato = -1, Tronco(s).ID_DIAMETRO = "1/2";
       }, 5 * 2 + 2 * 2, false}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    test::PreparaCalcolo();
    c.costruisci();
    std::vector<OperazioneDisegno> disegno;
    const auto etichette = EtichetteSuCarta(QRectF(0, 0, 16000, 11000), &disegno);
    ASSERT_EQ(etichette.size(), c.etichette);
    int richiami = 0;
    for (size_t i = 0; i < etichette.size(); ++i) {
      const SuperficieQt::EtichettaPiazzata& e = etichette[i];
      SCOPED_TRACE(e.testo.toStdString());
      richiami += e.richiamo ? 1 : 0;
      for (size_t j = i + 1; j < etichette.size(); ++j)
        EXPECT_FALSE(e.scatola.intersects(etichette[j].scatola)) << "over " << etichette[j].testo.toStdString();
      const Riquadro inchiostro{e.inchiostro.left(), e.inchiostro.top(), e.inchiostro.right(), e.inchiostro.bottom()};
      for (const OperazioneDisegno& op : disegno) {
        using T = OperazioneDisegno::Tipo;
        bool sopra = false;
        switch (op.tipo) {
          case T::Linea: case T::Punto: sopra = LineaIncontra(op.x1, op.y1, op.x2, op.y2, inchiostro); break;
          case T::Rettangolo:
            sopra = inchiostro.Incontra({std::min(op.x1, op.x2), std::min(op.y1, op.y2), std::max(op.x1, op.x2),
                                         std::max(op.y1, op.y2)});
            break;
          case T::Cerchio: sopra = inchiostro.Incontra({op.x1 - 10, op.y1 - 10, op.x1 + 10, op.y1 + 10}); break;
          case T::Figura: sopra = inchiostro.Incontra({op.x1, op.y1, op.x1 + op.x2, op.y1 + op.y2}); break;
          default: break;
        }
        EXPECT_FALSE(sopra) << "over the drawing at " << op.x1 << ", " << op.y1;
      }
    }
    EXPECT_EQ(richiami > 0, c.richiami) << "the labels of the branches drawn on one another are tied to them";
    // The diameter keeps its place beside its segment's number.
    for (size_t i = 0; i + 1 < etichette.size() && i < 2 * static_cast<size_t>(Rete().NumTronchi); i += 2) {
      const QPointF d = etichette[i + 1].scatola.topLeft() - etichette[i].scatola.topLeft();
      EXPECT_LT(std::abs(d.y()), 2 * etichette[i].scatola.height()) << i;
    }
  }
}

// The picture beside the HTML report follows the same rule: its labels lie apart, and the picture
// holds them where they went, none cut at its edge.
TEST_F(EtichetteSuCartaTest, TheSavedPictureHoldsEveryLabelApart) {
  test::PreparaCalcolo();
  test::ReteRamiSovrapposti(4);
  // Wider and taller than the standard picture, which then ends close around the drawing: the
  // labels that go out from the crowded ends need the picture to grow.
  Tronco(1).LunghezzaDisegno = 16000;
  for (int16_t s = 2; s <= Rete().NumTronchi; ++s) Tronco(s).LunghezzaDisegno = 3000;
  SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0;
  const QImage img = ImmagineSchema();
  const auto* superficie = dynamic_cast<const SuperficieQt*>(SuperficieDisegno);
  ASSERT_NE(superficie, nullptr);
  const auto& etichette = superficie->EtichettePiazzate();
  ASSERT_EQ(etichette.size(), 15u * 2 + 8u * 2);
  for (size_t i = 0; i < etichette.size(); ++i)
    for (size_t j = i + 1; j < etichette.size(); ++j)
      EXPECT_FALSE(etichette[i].scatola.intersects(etichette[j].scatola))
          << etichette[i].testo.toStdString() << " over " << etichette[j].testo.toStdString();
  EXPECT_EQ(PixelSulBordo(img), 0);
}

// Every sheet of a diagram over several pages shows the drawing through a view moved by its step:
// the labels land on the same spots in each, so the overlaps of the sheets agree.
TEST_F(EtichetteSuCartaTest, EverySheetPlacesTheLabelsOnTheSameSpots) {
  const auto primo = EtichetteSuCarta(QRectF(0, 0, 16000, 11000));
  const auto secondo = EtichetteSuCarta(QRectF(5000, 3000, 16000, 11000));
  ASSERT_EQ(primo.size(), secondo.size());
  for (size_t i = 0; i < primo.size(); ++i) {
    EXPECT_EQ(primo[i].testo, secondo[i].testo);
    EXPECT_EQ(primo[i].scatola, secondo[i].scatola) << primo[i].testo.toStdString();
  }
}

}  // namespace
}  // namespace varnex::ui
