// The schema page of the editor window: the canvas drawn by the schema, its handlers, and the
// schema saved as a bitmap.
#include <gtest/gtest.h>

#include <filesystem>

#include <QColor>
#include <QImage>

#include "editor/ui/archivi_finestre.h"
#include "editor/ui/gasgrid.h"
#include "model/archivi_scrittura_bloccata.h"
#include "model/calcolo.h"
#include "schema/disegno.h"
#include "schema/inserimento.h"
#include "schema/modifica.h"
#include "schema/ui/schema_canvas.h"
#include "shell/ui/units.h"

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

TEST_F(CanvasTest, SaveSchemaWritesABitmapThatShowsTheNetwork) {
  const std::string file = archivi_.Cartella().File("schema.bmp");
  SaveSchema(file);
  QImage img;
  ASSERT_TRUE(img.load(QString::fromStdString(file)));
  EXPECT_EQ(img.width(), Pixel(11000));
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

TEST_F(CanvasTest, SaveSchemaScaleFollowsTheExtents) {
  SchemaMinX = 0, SchemaMaxX = 200, SchemaMinY = 0, SchemaMaxY = 100;
  (void)ImmagineSchema();
  EXPECT_DOUBLE_EQ(ScalaStampaSchema, 1.0);
  SchemaMinX = 0, SchemaMaxX = 20000, SchemaMinY = 0, SchemaMaxY = 100;
  (void)ImmagineSchema();
  EXPECT_DOUBLE_EQ(ScalaStampaSchema, 11000.0 / 21500);
}

TEST_F(CanvasTest, TheScrollBarMovesTheCanvasTop) {
  const int meta = g_->VpicScroll->maximum() / 2;
  for (int passi : {3, 4}) {
    g_->VpicScroll->setValue(meta + passi);
    EXPECT_DOUBLE_EQ(g_->ScalaAlto, (meta + passi - g_->VpicScroll->maximum() / 2.0) * 10);
  }
}

}  // namespace
}  // namespace varnex::ui
