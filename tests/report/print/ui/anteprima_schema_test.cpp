// The schema preview of the advanced print and the schema side of the diagram page: stored
// settings, zoom, font, print and cancel, and the network reaching the printer.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>

#include <functional>
#include <map>

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QGuiApplication>
#include <QStyle>

#include <QFile>
#include <QFontDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "model/calcolo_prova.h"
#include "model/colonne.h"
#include "model/rete.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/stampa_report.h"
#include "report/print/ui/diagramma_qt.h"
#include "report/print/ui/frm_print_schema_preview.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante_qt.h"
#include "model/progetto_file.h"
#include "schema/disegno.h"
#include "schema/ui/superficie_qt.h"
#include "shell/settings.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"
#include "support/rami_sovrapposti.h"
#include "support/ui/parole_pdf.h"

namespace varnex {
namespace {

using ui::frmPrintSchemaPreview;

class AnteprimaSchemaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ImpostaImpostazioni(&store);
    test::PreparaCalcolo();
    ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
    test::AggiungiProva(0, 10);
    test::AggiungiProva(1, 5, 1.0f);
    test::AggiungiProva(1, 4, 2.0f);
  }
  // Every test leaves the report's shared settings as a fresh run finds them, passed or not.
  void TearDown() override {
    ImpostaImpostazioni(nullptr);
    ImpostaDiagrammaStampa(nullptr);
    AdattaSchemaPagina = 0;
    PercentualeX = PercentualeY = 100;
    PercorsoProgetto.clear();
    Riferimento.clear();
    BloccoReti = {};
  }
  ImpostazioniInMemoria store;
  test::FakeInterazione utente;
};

// Pixels of an image that differ from the colour of its top left corner.
int Disegnati(const QImage& img) {
  int n = 0;
  const QColor fondo = img.pixelColor(0, 0);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) != fondo) ++n;
  return n;
}

// The preview opened in the middle of the screen, mostly outside a main window of 810x595 away
// from it: it opens over the main window, whole on screen.
TEST_F(AnteprimaSchemaTest, ThePreviewOpensOverTheMainWindow) {
  QScreen* schermo = QGuiApplication::primaryScreen();
  ASSERT_NE(schermo, nullptr);
  const QRect area = schermo->availableGeometry();
  QMainWindow principale;
  principale.setGeometry(area.left(), area.top(), 810, 595);
  principale.show();
  QApplication::processEvents();
  frmPrintSchemaPreview f;
  const QRect p = principale.frameGeometry(), w = f.frameGeometry();
  if (w.width() <= area.width() && w.height() <= area.height()) {
    EXPECT_TRUE(area.contains(w)) << w.x() << "," << w.y();
  }
  // Centred over the main window as far as the screen lets it.
  const int dx = std::abs(w.center().x() - p.center().x());
  const int dy = std::abs(w.center().y() - p.center().y());
  EXPECT_LE(dx, std::max(1, w.width() / 2 - p.width() / 2 + 1)) << w.x() << "," << w.y();
  EXPECT_LE(dy, std::max(1, w.height() / 2 - p.height() / 2 + 1)) << w.x() << "," << w.y();
  EXPECT_TRUE(w.intersects(p));
  EXPECT_LE(w.left(), p.left() + std::max(0, (p.width() - w.width()) / 2) + 1);
}

TEST_F(AnteprimaSchemaTest, FirstPreviewUsesTheDefaultsAndAStoredOneItsSettings) {
  {
    frmPrintSchemaPreview f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(f.zoom, 100.0f);
    EXPECT_EQ(f.FontName(), "arial");
    EXPECT_EQ(f.FontSize(), 7);
    EXPECT_EQ(f.TextZoom->text(), QStringLiteral("100"));
    EXPECT_EQ(f.txtFontType->text(), QStringLiteral("arial: 7"));
    EXPECT_EQ(f.VpicScroll->value(), 16384);
    EXPECT_EQ(f.HpicScroll->value(), 16384);
    EXPECT_EQ(f.VpicScroll->maximum(), 32767);
    EXPECT_EQ(f.HpicScroll->singleStep(), 2000);
    EXPECT_EQ(f.HpicScroll->pageStep(), 2000);
    EXPECT_GT(Disegnati(f.Immagine()), 0) << "the network is drawn in the preview";
    EXPECT_TRUE(f.response.empty());
  }
  store.Scrivi("Varnex", "PrintPreviewLastFontName", "Courier New");
  store.Scrivi("Varnex", "PrintPreviewLastFontSize", "9");
  store.Scrivi("Varnex", "PrintPreviewLastZoom", "150");
  frmPrintSchemaPreview f;
  EXPECT_EQ(f.zoom, 150.0f);
  EXPECT_EQ(f.FontName(), "Courier New");
  EXPECT_EQ(f.FontSize(), 9);
  EXPECT_EQ(f.txtFontType->text(), QStringLiteral("Courier New: 9"));
}

TEST_F(AnteprimaSchemaTest, TypedZoomOutOfRangeIsFlaggedAndNotDrawn) {
  frmPrintSchemaPreview f;
  struct Caso {
    const char* testo;
    bool fuori;
  };
  for (const Caso& c : {Caso{"300", true}, Caso{"10", true}, Caso{"x", true}, Caso{"299", false}, Caso{"11", false}}) {
    SCOPED_TRACE(c.testo);
    const qint64 prima = f.Immagine().cacheKey();
    f.TextZoom->setText(QString::fromLatin1(c.testo));
    f.TextZoom_LostFocus();
    if (c.fuori) {
      EXPECT_EQ(f.TextZoom->text(), QStringLiteral("100"));
      EXPECT_EQ(f.TextZoom->palette().color(QPalette::Base), QColor(255, 0, 0));
      EXPECT_EQ(f.Immagine().cacheKey(), prima);
    } else {
      EXPECT_EQ(f.TextZoom->text(), QString::fromLatin1(c.testo));
      EXPECT_NE(f.TextZoom->palette().color(QPalette::Base), QColor(255, 0, 0));
      EXPECT_NE(f.Immagine().cacheKey(), prima);
    }
  }
  // A zoom left at 0 by a refused entry still draws (at 100 %) when the view moves.
  f.TextZoom->setText(QStringLiteral("0"));
  f.TextZoom_LostFocus();
  EXPECT_EQ(f.zoom, 0.0f);
  f.HpicScroll->setValue(18000);
  EXPECT_GT(Disegnati(f.Immagine()), 0);
}

TEST_F(AnteprimaSchemaTest, ZoomStepsAndTheLowerBound) {
  store.Scrivi("Varnex", "PrintPreviewLastZoom", "2");
  frmPrintSchemaPreview f;
  f.cmdZoomPlus_Click();
  EXPECT_EQ(f.zoom, 3.0f);
  EXPECT_EQ(f.TextZoom->text(), QStringLiteral("3"));
  f.cmdZoomMinus_Click();
  f.cmdZoomMinus_Click();
  EXPECT_EQ(f.zoom, 1.0f);
  f.cmdZoomMinus_Click();
  EXPECT_EQ(f.zoom, 1.0f);
}

TEST_F(AnteprimaSchemaTest, PrintStoresTheSettingsAndCancelStoresNothing) {
  {
    frmPrintSchemaPreview f;
    f.cmdZoomPlus_Click();
    f.cmdCancel_Click();
    EXPECT_EQ(f.response, "cancel");
    EXPECT_TRUE(store.Valori().empty());
  }
  test::FakeDialoghi dialoghi;
  frmPrintSchemaPreview f;
  dialoghi.Attendi("dlgFont", [](QDialog& d) {
    auto& font = static_cast<QFontDialog&>(d);
    font.setCurrentFont(QFont(QStringLiteral("Courier New"), 12));
    font.accept();
  });
  f.cmdFont_Click();
  EXPECT_EQ(f.FontSize(), 12);
  EXPECT_EQ(f.txtFontType->text(), QString::fromStdString(f.FontName()) + QStringLiteral(": 12"));
  // A cancelled font dialog keeps the font.
  dialoghi.Attendi("dlgFont", test::FakeDialoghi::ChiudiFinestra());
  f.cmdFont_Click();
  EXPECT_EQ(f.FontSize(), 12);
  f.cmdZoomPlus_Click();
  f.show();
  f.cmdPrint_Click();
  EXPECT_EQ(f.response, "print");
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(store.Leggi("Varnex", "PrintPreviewLastZoom").value_or(""), "101");
  EXPECT_EQ(store.Leggi("Varnex", "PrintPreviewLastFontSize").value_or(""), "12");
  EXPECT_EQ(store.Leggi("Varnex", "PrintPreviewLastFontName").value_or(""), f.FontName());
}

// The preview is drawn on white paper, not on the dialog's background, even with a dark palette.
TEST_F(AnteprimaSchemaTest, ThePreviewIsDrawnOnWhitePaper) {
  QPalette scura;
  scura.setColor(QPalette::Window, QColor(90, 90, 90));
  QApplication::setPalette(scura);
  {
    ui::frmPrintSchemaPreview anteprima;
    const QImage& carta = anteprima.Immagine();
    ASSERT_FALSE(carta.isNull());
    int bianchi = 0, grigi = 0;
    for (int y = 0; y < carta.height(); y += 3)
      for (int x = 0; x < carta.width(); x += 3) {
        const QColor c = carta.pixelColor(x, y);
        if (c == QColor(Qt::white)) ++bianchi;
        if (c == QColor(90, 90, 90) || c == QApplication::style()->standardPalette().color(QPalette::Window)) ++grigi;
      }
    EXPECT_EQ(grigi, 0);
    EXPECT_GT(bianchi, 100);
  }
  QApplication::setPalette(QApplication::style()->standardPalette());
}

// The diagram page printed into a PDF through the schema side: the page carries the network.
class DiagrammaPdfTest : public AnteprimaSchemaTest {
 protected:
  // A fresh calculated network built by `costruisci`, its diagram page printed alone, fitted or
  // not; the PDF's path.
  std::string StampaRete(const std::function<void()>& costruisci, int16_t adatta,
                         QPageSize::PageSizeId carta = QPageSize::A4) {
    BloccoReti = {};
    test::PreparaCalcolo();
    costruisci();
    AdattaSchemaPagina = adatta;
    return Stampa(0, carta);
  }
  // Prints the diagram page alone and returns the PDF's path.
  std::string Stampa(int16_t preview, QPageSize::PageSizeId carta = QPageSize::A4) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = cartella.File("schema.pdf");
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageSize(QPageSize(carta));
    printer.setPageOrientation(QPageLayout::Landscape);
    ui::StampanteQt stampante(printer);
    ImpostaStampanteReport(&stampante);
    SetupPage();
    PrintDiagrammaRete(stampante, preview);
    stampante.EndDoc();
    ImpostaStampanteReport(nullptr);
    return pdf;
  }
  // Dark pixels of the PDF's first page, through pdftoppm (-1 when the tool is missing).
  int PixelScuri(const std::string& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty()) return -1;
    const QString base = QString::fromStdString(cartella.File("pagina"));
    QFile::remove(base + QStringLiteral(".png"));
    QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), QString::fromStdString(pdf), base});
    const QImage img(base + QStringLiteral(".png"));
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
  }
  test::TempFolder cartella;
};

TEST_F(DiagrammaPdfTest, TheDiagramPageDrawsTheNetworkOnlyWithTheSchemaSideInstalled) {
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  const int soloTitolo = PixelScuri(Stampa(0));
  if (soloTitolo < 0) GTEST_SKIP() << "pdftoppm missing";
  ui::InstallaDiagrammaStampa();
  const int conRete = PixelScuri(Stampa(0));
  EXPECT_GT(conRete, soloTitolo + 50);
  EXPECT_NE(SchemaMaxX, SchemaMinX) << "the measuring pass leaves the network's extents";
}

// Where the ink of a printed diagram page lands, in twips from the paper's top left corner.
struct Inchiostro {
  bool trovato = false;
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  void Aggiungi(double x, double y) {
    trovato = true;
    minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
  }
};

// On paper the fitted page fills the printable area with the drawing, enlarged as much as the area
// holds, its title in the top left corner inside the margins. Unfitted, the network stays at its
// own size in the middle of the area and the title sits bottom right. The end handles reach the
// paper in both, at the drawing's own proportions.
TEST_F(DiagrammaPdfTest, TheDiagramPagePlacesTheNetworkAndTheTitleAsItsLayoutSays) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (tool.isEmpty()) GTEST_SKIP() << "pdftoppm missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  // Segment 1 and 2 go right, 3 up-right from the end of 1; the measuring pass leaves the
  // extents 2220 x 566, so the fitted layout draws at (16840 - 1000) / 2220 = 7.13, taken as 3.5,
  // and the page enlarges that to the area.
  for (const int16_t adatta : {int16_t{-1}, int16_t{0}}) {
    SCOPED_TRACE(adatta);
    AdattaSchemaPagina = adatta;
    const std::string pdf = Stampa(0);
    const ui::DiagrammaStampaQt::Piazzamento& piazzamento = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    const double scala = (adatta ? 3.5 : 1.0) / piazzamento.riduzione;
    const QString base = QString::fromStdString(cartella.File("posizioni"));
    QFile::remove(base + QStringLiteral(".png"));
    QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), QString::fromStdString(pdf), base});
    const QImage img(base + QStringLiteral(".png"));
    ASSERT_FALSE(img.isNull());
    const double twipPerPixel = 1440.0 / 40;
    const QRectF titoloCarta(piazzamento.titolo.x - 100, piazzamento.titolo.y - 100, piazzamento.titolo.larghezza + 2000,
                             piazzamento.titolo.altezza * 2 + 200);
    Inchiostro verde, titolo, disegno;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor p = img.pixelColor(x, y);
        const double tx = (x + 0.5) * twipPerPixel, ty = (y + 0.5) * twipPerPixel;
        const bool verdePixel = p.green() > 150 && p.red() < 110 && p.blue() < 110;
        if (verdePixel) verde.Aggiungi(tx, ty);
        if (!verdePixel && qGray(img.pixel(x, y)) >= 128) continue;
        (titoloCarta.contains(tx, ty) ? titolo : disegno).Aggiungi(tx, ty);
      }
    const double tolleranza = 3 * twipPerPixel + 40 * scala;
    // The handles sit on the painted ends of the three segments: 800 and 0.707 x 800 apart.
    ASSERT_TRUE(verde.trovato);
    EXPECT_NEAR(verde.maxX - verde.minX, 875 * scala, 2 * tolleranza);
    EXPECT_NEAR(verde.maxY - verde.minY, 640.6 * scala, 2 * tolleranza);
    // The drawing inside the area: filling it when fitted, in its middle at its own size.
    const RettangoloCarta& area = piazzamento.area;
    ASSERT_TRUE(disegno.trovato);
    EXPECT_GE(disegno.minX, area.x - tolleranza);
    EXPECT_GE(disegno.minY, area.y - tolleranza);
    EXPECT_LE(disegno.maxX, area.Destra() + tolleranza);
    EXPECT_LE(disegno.maxY, area.Basso() + tolleranza);
    if (adatta) {
      EXPECT_GT(scala, 3.5) << "a small network is enlarged";
      EXPECT_TRUE(disegno.maxX - disegno.minX > 0.85 * area.larghezza || disegno.maxY - disegno.minY > 0.85 * area.altezza);
    } else {
      EXPECT_NEAR((disegno.minX + disegno.maxX) / 2, area.x + area.larghezza / 2, 300);
      EXPECT_NEAR((disegno.minY + disegno.maxY) / 2, area.y + area.altezza / 2, 300);
    }
    ASSERT_TRUE(titolo.trovato);
    if (adatta) {
      // Inside the margins a printer may leave unprinted (a quarter of an inch).
      EXPECT_NEAR(titolo.minX, 360, 3 * twipPerPixel);
      EXPECT_NEAR(titolo.minY, 360, 4 * twipPerPixel);
      EXPECT_LT(titolo.maxY, 1300);
    } else {
      // Right under the drawing, centred as it is, inside the paper's margins.
      EXPECT_NEAR(titolo.minY, piazzamento.titolo.y, 4 * twipPerPixel);
      EXPECT_LE(titolo.maxY, 11906 - 360);
      EXPECT_NEAR(piazzamento.titolo.y, piazzamento.disegno.Basso() + 200, 1);
      EXPECT_GT(titolo.minY, disegno.maxY);
      EXPECT_NEAR((titolo.minX + titolo.maxX) / 2, area.x + area.larghezza / 2, 4 * twipPerPixel);
    }
  }
}

TEST_F(DiagrammaPdfTest, PreviewPrintsItsPictureAndCancelPrintsNothing) {
  ui::InstallaDiagrammaStampa();
  test::FakeDialoghi dialoghi;
  dialoghi.Attendi("frmPrintSchemaPreview", test::FakeDialoghi::Clicca(QStringLiteral("Annulla")));
  const int annullata = PixelScuri(Stampa(-1));
  if (annullata < 0) {
    dialoghi.Attendi("frmPrintSchemaPreview", test::FakeDialoghi::Clicca(QStringLiteral("Stampa")));
    Stampa(-1);
    GTEST_SKIP() << "pdftoppm missing";
  }
  EXPECT_EQ(annullata, 0);
  dialoghi.Attendi("frmPrintSchemaPreview", test::FakeDialoghi::Clicca(QStringLiteral("Stampa")));
  EXPECT_GT(PixelScuri(Stampa(-1)), 50);
}

TEST_F(DiagrammaPdfTest, QuickPrintOfTheWholeReportEndsWithTheFittedDiagramDocument) {
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  const std::string pdf = cartella.File("report.pdf");
  ui::PrinterCorrente().setOutputFormat(QPrinter::PdfFormat);
  ui::PrinterCorrente().setOutputFileName(QString::fromStdString(pdf));
  ui::PrinterCorrente().setPageSize(QPageSize(QPageSize::A4));
  {
    ui::frmStampa d;
    d.SSCommand1_Click(0);
    d.AdaptSchemaToPage->click();
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    utente.Attendi("Stampa completata");
    d.cmdPrint_Click();
    EXPECT_FALSE(d.isVisible());
  }
  // The fit was computed from the network's extents and cleared at the end of the run.
  EXPECT_GT(ScalaStampaSchema, 0);
  EXPECT_EQ(AdattaSchemaPagina, 0);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(pdf)));
  const std::string diagramma = cartella.File("report-2.pdf");
  ASSERT_TRUE(QFile::exists(QString::fromStdString(diagramma))) << "the diagram is a document of its own";
  const int scuri = PixelScuri(diagramma);
  if (scuri >= 0) {
    EXPECT_GT(scuri, 50);
  }
  EXPECT_EQ(ui::PrinterCorrente().pageLayout().orientation(), QPageLayout::Portrait);
  ui::PrinterCorrente().setOutputFileName(QString());
}

TEST_F(DiagrammaPdfTest, APageTooLargeIsNoCompletedPrint) {
  const std::string pdf = cartella.File("grande.pdf");
  ui::PrinterCorrente().setOutputFormat(QPrinter::PdfFormat);
  ui::PrinterCorrente().setOutputFileName(QString::fromStdString(pdf));
  ui::PrinterCorrente().setPageSize(QPageSize(QSizeF(600, 600), QPageSize::Millimeter));
  {
    ui::frmStampa d;
    d.chkCopertina->setChecked(true);
    d.txtNumCopies->setText(QStringLiteral("2"));
    utente.Attendi("Confermi l'esecuzione di 2 stampe?", Risposta::Si);
    utente.Attendi("La pagina e' troppo grande. Selezionare un formato piu' piccolo");
    utente.Attendi("La pagina e' troppo grande. Selezionare un formato piu' piccolo");
    d.cmdPrint_Click();
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
  ui::PrinterCorrente().setPageSize(QPageSize(QPageSize::A4));
  ui::PrinterCorrente().setOutputFileName(QString());
}

}  // namespace
}  // namespace varnex

namespace varnex {
namespace {

// A tree of n segments, every end an appliance with its reference, one branch turned back left.
void ReteAlbero(int16_t n) {
  for (int16_t s = 1; s <= n; ++s) test::AggiungiProva(static_cast<int16_t>(s / 2), 4, 2 * s > n ? 1.5f : 0);
  for (int16_t s = 1; s <= n; ++s) {
    Tronco(s).Collegato = -1;
    if (2 * s > n) {
      Tronco(s).ID_P_TRONCO = 1.5f;
      Tronco(s).ID_RIF = "rif " + std::to_string(s);
    }
  }
  Tronco(3).CodiceSvolta = 6;
  Tronco(6).CodiceSvolta = 6;
}

// A straight run of n segments, too long for the page at its own scale, to one appliance.
void ReteCatena(int16_t n) {
  for (int16_t s = 1; s <= n; ++s) {
    test::AggiungiProva(static_cast<int16_t>(s - 1), 4, s == n ? 1.0f : 0);
    Tronco(s).Collegato = -1;
  }
  Tronco(n).ID_P_TRONCO = 1;
  Tronco(n).ID_RIF = "rif " + std::to_string(n);
}

// A house: the meter, a riser and a water heater at the top of the last segment.
void ReteCasa() {
  const int16_t svolte[] = {0, 2, 1, 3, 2, 1};
  for (int16_t s = 1; s <= 6; ++s) {
    test::AggiungiProva(static_cast<int16_t>(s - 1), 3, s == 6 ? 2.0f : 0);
    Tronco(s).Collegato = -1;
    Tronco(s).CodiceSvolta = svolte[s - 1];
  }
  Tronco(6).ID_P_TRONCO = 2;
  Tronco(6).TipologiaUtenza = 2;
  Tronco(6).ID_RIF = "Bagno";
}

// The advanced print: the diagram page of the network built by `costruisci`, on `carta`, after
// `scegli` has set the preview up and the user has pressed "Stampa" there. The PDF's words, with
// where the page put the network.
class AnteprimaPdfTest : public DiagrammaPdfTest {
 protected:
  std::vector<test::ParolaPdf> StampaAnteprima(const std::function<void()>& costruisci, QPageSize::PageSizeId carta,
                                               const std::function<void(frmPrintSchemaPreview&)>& scegli = {}) {
    BloccoReti = {};
    test::PreparaCalcolo();
    costruisci();
    test::FakeDialoghi dialoghi;
    dialoghi.Attendi("frmPrintSchemaPreview", [&](QDialog& d) {
      auto& anteprima = static_cast<frmPrintSchemaPreview&>(d);
      if (scegli) scegli(anteprima);
      anteprima.cmdPrint->click();
    });
    const std::string pdf = Stampa(-1, carta);
    return test::ParolePdf(pdf, cartella.File("parole.html"));
  }
  void SetUp() override {
    DiagrammaPdfTest::SetUp();
    ui::InstallaDiagrammaStampa();
    PercorsoProgetto = "casa.RTG";
    Riferimento = "Villa";
  }
  static bool Titolo(const test::ParolaPdf& w) {
    return w.testo == "casa.RTG" || w.testo == "-" || w.testo == "Rete:" || w.testo == "Villa";
  }
  // The words printed inside the area of the network (a page of a view over several holds text
  // clipped at its edges, which prints nothing).
  static std::vector<test::ParolaPdf> NellArea(const std::vector<test::ParolaPdf>& parole, const RettangoloCarta& a) {
    std::vector<test::ParolaPdf> dentro;
    const QRectF area(a.x / 20, a.y / 20, a.larghezza / 20, a.altezza / 20);
    for (const test::ParolaPdf& w : parole)
      if (area.contains(w.box.center())) dentro.push_back(w);
    return dentro;
  }
  // The note lines of each page: the words of the line that holds `parola`.
  static std::map<int, std::string> Note(const std::vector<test::ParolaPdf>& parole, const std::string& parola) {
    std::map<int, double> righe;
    for (const test::ParolaPdf& w : parole)
      if (w.testo == parola) righe[w.pagina] = w.box.center().y();
    std::map<int, std::string> note;
    for (const test::ParolaPdf& w : parole) {
      const auto r = righe.find(w.pagina);
      if (r != righe.end() && std::abs(w.box.center().y() - r->second) < 2) note[w.pagina] += w.testo + " ";
    }
    return note;
  }
};

// The preview's view reaches the paper as the quick print draws it: its labels are text at the
// printer's resolution, never below the printed type (a smaller font chosen in the preview
// included), the drawing no smaller than its labels allow, on A4 and on the narrowest envelope.
TEST_F(AnteprimaPdfTest, TheViewIsPrintedAsTextAtAReadableTypeOnEveryPaper) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  struct Caso {
    const char* nome;
    QPageSize::PageSizeId carta;
    const char* corpo;  // the preview's stored font size
  };
  const Caso casi[] = {{"A4", QPageSize::A4, "7"},
                       {"A4, font 4", QPageSize::A4, "4"},
                       {"busta", QPageSize::EnvelopePersonal, "7"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    store.Scrivi("Varnex", "PrintPreviewLastFontSize", c.corpo);
    const std::vector<test::ParolaPdf> parole = StampaAnteprima(ReteCasa, c.carta);
    const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    EXPECT_LE(p.riduzione, 1 / ScalaLeggibileSchema + 1e-6) << "the drawing below the size its labels need";
    int etichette = 0, bagno = 0;
    for (const test::ParolaPdf& w : NellArea(parole, p.area)) {
      if (Titolo(w)) continue;
      ++etichette;
      bagno += w.testo == "Bagno" ? 1 : 0;
      // 7 pt type: pdftotext's box is about 1,15 times the size.
      EXPECT_GE(w.box.height(), 7.5) << w.testo << " in type too small to read";
    }
    EXPECT_EQ(bagno, 1) << "the appliance's reference is printed as text";
    EXPECT_GE(etichette, 12) << "the segments' numbers and diameters are printed as text";
  }
}

// The editor zoomed out seven steps, where the canvas leaves its labels out.
class EditorZoomLontano : public IEditorSchema {
 public:
  int16_t ScaleFactor() override { return -7; }
  void Elaborazione() override {}
  void ApriDialogoTronco(int16_t) override {}
  EsitoPortata DialogoPortata(bool, int16_t, float) override { return {}; }
  void DeleteTronco(int16_t) override {}
  void RidisegnaCanvas() override {}
};

// What is printed never depends on the editor's zoom: zoomed out seven steps, the quick print
// (fitted and not) and the advanced print still carry every diameter and the appliance's
// reference and flow.
TEST_F(AnteprimaPdfTest, TheEditorsZoomNeverTakesTheLabelsOffThePaper) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  EditorZoomLontano editor;
  ImpostaEditorSchema(&editor);
  struct Caso {
    const char* nome;
    bool anteprima;
    int16_t adatta;
  };
  for (const Caso& c : {Caso{"quick", false, 0}, Caso{"quick fitted", false, -1}, Caso{"advanced", true, 0}}) {
    SCOPED_TRACE(c.nome);
    std::vector<test::ParolaPdf> parole;
    if (c.anteprima) {
      AdattaSchemaPagina = c.adatta;
      parole = StampaAnteprima(ReteCasa, QPageSize::A4);
    } else {
      parole = test::ParolePdf(StampaRete(ReteCasa, c.adatta), cartella.File("parole.html"));
    }
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    int diametri = 0, bagno = 0, portate = 0;
    for (const test::ParolaPdf& w : parole) {
      diametri += w.testo == "ø" ? 1 : 0;
      bagno += w.testo == "Bagno" ? 1 : 0;
      portate += w.testo == "Nmc/h" ? 1 : 0;
    }
    EXPECT_EQ(diametri, 6);
    EXPECT_EQ(bagno, 1);
    EXPECT_EQ(portate, 1);
  }
}

// The zoom chosen in the preview sets the size on paper: twice the zoom, a drawing twice as large.
TEST_F(AnteprimaPdfTest, TheZoomChosenInThePreviewSetsTheSizeOnPaper) {
  std::map<int, double> riduzione;
  for (const int zoom : {100, 200}) {
    SCOPED_TRACE(zoom);
    (void)StampaAnteprima(ReteCasa, QPageSize::A4, [&](frmPrintSchemaPreview& f) {
      f.TextZoom->setText(QString::number(zoom));
      f.TextZoom_LostFocus();
    });
    riduzione[zoom] = ui::DiagrammaStampaInstallato()->UltimoPiazzamento().riduzione;
  }
  EXPECT_NEAR(riduzione[100] / riduzione[200], 2, 1e-6);
}

// A view that shows part of the schema prints that part and says on which sides the schema goes on
// unprinted; a view that holds the whole schema prints no such note.
TEST_F(AnteprimaPdfTest, AViewOfPartOfTheSchemaSaysWhereTheSchemaGoesOn) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  struct Caso {
    const char* nome;
    std::function<void(frmPrintSchemaPreview&)> scegli;
    const char* lato;  // "" when the view holds the whole schema
  };
  const Caso casi[] = {
      {"centred", {}, ""},
      {"moved right", [](frmPrintSchemaPreview& f) { f.HpicScroll->setValue(f.HpicScroll->value() + 2000); }, "sinistra"},
      {"moved down", [](frmPrintSchemaPreview& f) { f.VpicScroll->setValue(f.VpicScroll->value() + 2000); }, "sopra"},
      {"moved up", [](frmPrintSchemaPreview& f) { f.VpicScroll->setValue(f.VpicScroll->value() - 2000); }, "sotto"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<test::ParolaPdf> parole = StampaAnteprima(ReteCasa, QPageSize::A4, c.scegli);
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    const std::map<int, std::string> note = Note(parole, "stampato)");
    if (std::string(c.lato).empty()) {
      EXPECT_TRUE(note.empty()) << note.begin()->second;
      continue;
    }
    ASSERT_EQ(note.size(), 1u) << "the page says it shows a part";
    const std::string& nota = note.begin()->second;
    EXPECT_NE(nota.find("anteprima"), std::string::npos) << nota;
    EXPECT_NE(nota.find(c.lato), std::string::npos) << nota;
    for (const test::ParolaPdf& w : parole) {
      EXPECT_LE(w.box.right(), 842 - 18 + 0.5) << w.testo << " past the paper's margin";
    }
  }
}

// On the narrowest envelope the preview's view does not hold at a readable size: it goes on over
// further pages, each a part of the view with a note of where it goes on, its labels readable.
TEST_F(AnteprimaPdfTest, AViewTooLargeForThePaperGoesOnOverPages) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  const std::vector<test::ParolaPdf> parole = StampaAnteprima(ReteCasa, QPageSize::EnvelopePersonal);
  const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
  ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
  EXPECT_GT(p.fogli, 1);
  EXPECT_NEAR(p.riduzione, 1 / ScalaLeggibileSchema, 1e-6);
  std::set<int> pagine;
  for (const test::ParolaPdf& w : parole) pagine.insert(w.pagina);
  EXPECT_EQ(static_cast<int>(pagine.size()), p.fogli);
  const std::map<int, std::string> note = Note(parole, "Foglio");
  EXPECT_EQ(static_cast<int>(note.size()), p.fogli) << "every page says where the view goes on";
  const double larghezza = 6.5 * 72;  // the envelope across
  for (const auto& [pagina, nota] : note) {
    SCOPED_TRACE(nota);
    for (const test::ParolaPdf& w : parole)
      if (w.pagina == pagina) {
        EXPECT_LE(w.box.right(), larghezza - 18 + 0.5) << w.testo << " past the margin";
      }
  }
  int bagno = 0, diametri = 0;
  for (const test::ParolaPdf& w : NellArea(parole, p.area)) {
    if (Titolo(w)) continue;
    EXPECT_GE(w.box.height(), 7.5) << w.testo << " in type too small to read";
    bagno += w.testo == "Bagno" ? 1 : 0;
    diametri += w.testo == "ø" ? 1 : 0;
  }
  EXPECT_EQ(bagno, 1);
  EXPECT_GE(diametri, 6) << "every segment's diameter reaches a page";
}

void ReteCatenaNominata(int16_t n);
void ReteRamificata(int16_t n);

// The advanced print never prints a fragment of a label: a label the edge of the view cuts is left
// out whole (its words are not in the PDF), on one sheet and over several; every diameter that is
// printed is printed whole, inside the area.
TEST_F(AnteprimaPdfTest, ALabelTheViewsEdgeWouldCutIsLeftOutWhole) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  struct Caso {
    const char* nome;
    QPageSize::PageSizeId carta;
    int scorri;  // the view moved right by this much
  };
  for (const Caso& c : {Caso{"A4", QPageSize::A4, 2000}, Caso{"A4 far", QPageSize::A4, 4000},
                        Caso{"envelope", QPageSize::EnvelopePersonal, 2000}}) {
    SCOPED_TRACE(c.nome);
    const std::vector<test::ParolaPdf> parole = StampaAnteprima(
        [] {
          ReteCatenaNominata(12);
        },
        c.carta, [&](frmPrintSchemaPreview& f) { f.HpicScroll->setValue(f.HpicScroll->value() + c.scorri); });
    const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    const QRectF area(p.area.x / 20, p.area.y / 20, p.area.larghezza / 20, p.area.altezza / 20);
    int diametri = 0;
    for (const test::ParolaPdf& w : parole) {
      if (w.testo.size() < 2 || w.testo[0] != 'D' || !std::isdigit(static_cast<unsigned char>(w.testo[1]))) continue;
      ++diametri;
      // Its line's sign just before it and its length just after it, inside what is printed.
      bool segno = false, lunghezza = false;
      for (const test::ParolaPdf& v : parole) {
        if (v.pagina != w.pagina || std::abs(v.box.center().y() - w.box.center().y()) >= 1 || !area.contains(v.box)) continue;
        segno |= v.testo == "ø" && v.box.right() <= w.box.left() + 0.5 && w.box.left() - v.box.right() < 6;
        lunghezza |= v.testo == "1,50m" && v.box.left() >= w.box.right() - 0.5 && v.box.left() - w.box.right() < 12;
      }
      EXPECT_TRUE(area.contains(w.box)) << w.testo << " on page " << w.pagina << " outside what is printed";
      EXPECT_TRUE(segno && lunghezza) << w.testo << " on page " << w.pagina << " printed as a fragment";
    }
    EXPECT_GT(diametri, 0);
  }
}

// The preview says how many sheets the view it shows takes on the paper: one on A4, as many as
// the print then takes on the narrowest envelope.
TEST_F(AnteprimaPdfTest, ThePreviewSaysHowManySheetsThePrintTakes) {
  for (const QPageSize::PageSizeId carta : {QPageSize::A4, QPageSize::EnvelopePersonal}) {
    SCOPED_TRACE(carta == QPageSize::A4 ? "A4" : "envelope");
    QString detto;
    (void)StampaAnteprima(ReteCasa, carta, [&](frmPrintSchemaPreview& f) { detto = f.lblFogli->text(); });
    const int fogli = ui::DiagrammaStampaInstallato()->UltimoPiazzamento().fogli;
    EXPECT_EQ(detto, fogli == 1 ? QStringLiteral("Stampa su 1 foglio") : QStringLiteral("Stampa su %1 fogli").arg(fogli));
    if (carta == QPageSize::EnvelopePersonal) {
      EXPECT_GT(fogli, 1);
    }
  }
  // Zoomed out, the view holds more of the schema than a sheet does at a readable size.
  QString detto;
  (void)StampaAnteprima([] { ReteCatena(30); }, QPageSize::A4, [&](frmPrintSchemaPreview& f) {
    f.TextZoom->setText(QStringLiteral("20"));
    f.TextZoom_LostFocus();
    detto = f.lblFogli->text();
  });
  const int fogli = ui::DiagrammaStampaInstallato()->UltimoPiazzamento().fogli;
  EXPECT_GT(fogli, 1);
  EXPECT_EQ(detto, QStringLiteral("Stampa su %1 fogli").arg(fogli));
}

// The preview's picture lays the labels out as the paper does: its type in the paper's proportion
// to the drawing, its labels as far from their pipes and on as many leaders as on the printed sheet,
// at the zoom the view was left at and zoomed out where the paper takes several sheets.
TEST_F(AnteprimaPdfTest, ThePreviewLaysTheLabelsOutAsThePaperDoes) {
  struct Caso {
    const char* nome;
    int zoom;
  };
  for (const Caso& c : {Caso{"zoom 100", 100}, Caso{"zoom 20", 20}}) {
    SCOPED_TRACE(c.nome);
    MisuraEtichette anteprima;
    (void)StampaAnteprima([] { ReteRamificata(40); }, QPageSize::A4, [&](frmPrintSchemaPreview& f) {
      f.TextZoom->setText(QString::number(c.zoom));
      f.TextZoom_LostFocus();
      anteprima = f.MisuraImmagine();
    });
    const MisuraEtichette& carta = ui::SuperficieQt::MisuraUltimaCarta();
    ASSERT_GT(carta.blocchi, 0);
    EXPECT_EQ(anteprima.blocchi, carta.blocchi);
    EXPECT_EQ(anteprima.richiami, carta.richiami);
    EXPECT_EQ(anteprima.lontani, carta.lontani);
    EXPECT_NEAR(anteprima.distanzaMedia, carta.distanzaMedia, 0.05 * carta.distanzaMedia + 0.05);
  }
}

// Whatever the network, the diagram page holds every segment, appliance and label inside the
// paper's margins and clear of the title, with "Adatta lo schema alla pagina" and without; a
// network too large for its own scale is reduced and the page says so.
TEST_F(DiagrammaPdfTest, TheWholeNetworkIsOnThePaperClearOfTheTitleInBothModes) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  struct Caso {
    const char* nome;
    void (*costruisci)();
    int riferimenti;  // appliance references drawn
    bool ridotta;     // too large for its own scale
  };
  const Caso casi[] = {{"albero68", [] { ReteAlbero(68); }, 34, false},
                       {"casa", ReteCasa, 1, false},
                       {"catena40", [] { ReteCatena(40); }, 1, true}};
  for (const Caso& c : casi) {
    for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
      SCOPED_TRACE(std::string(c.nome) + (adatta ? " fitted" : " own scale"));
      const std::string pdf = StampaRete(c.costruisci, adatta);
      const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
      const QRectF disegno(p.disegno.x, p.disegno.y, p.disegno.larghezza, p.disegno.altezza);
      const QRectF titolo(p.titolo.x, p.titolo.y, p.titolo.larghezza, p.titolo.altezza);
      const double larghezza = 16838, altezza = 11906;  // A4 landscape
      ASSERT_GT(disegno.width(), 0);
      // Inside the area, itself inside the margins (a drawing over several pages reaches its edges).
      EXPECT_GE(p.area.x, 359);
      EXPECT_GE(p.area.y, 359);
      EXPECT_LE(p.area.Destra(), larghezza - 359 + 2);
      EXPECT_LE(p.area.Basso(), altezza - 359 + 2);
      EXPECT_GE(disegno.left(), p.area.x - 1);
      EXPECT_GE(disegno.top(), p.area.y - 1);
      EXPECT_LE(disegno.right(), p.area.Destra() + 1);
      EXPECT_LE(disegno.bottom(), p.area.Basso() + 1);
      EXPECT_FALSE(disegno.intersects(titolo)) << "the title over the network";
      if (adatta == 0) {
        EXPECT_EQ(p.riduzione > 1, c.ridotta);
      }

      // On the page itself: every word on the paper, the references there, nothing over the title.
      const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
      ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
      QRectF titoloPdf;
      // Each appliance's reference, by its number: one in the strip two sheets share is whole on both.
      std::set<std::string> riferimenti;
      bool nota = false;
      for (size_t i = 0; i < parole.size(); ++i) {
        const test::ParolaPdf& w = parole[i];
        // A page of a drawing over several holds text clipped at its area: only what is printed counts.
        if (p.fogli > 1 && !QRectF(p.area.x / 20, p.area.y / 20, p.area.larghezza / 20, p.area.altezza / 20).contains(w.box) &&
            !w.box.intersects(QRectF(p.titolo.x / 20, p.titolo.y / 20, 842, p.titolo.altezza * 3 / 20)))
          continue;
        EXPECT_GE(w.box.left(), 0) << w.testo;
        EXPECT_GE(w.box.top(), 0) << w.testo;
        EXPECT_LE(w.box.right(), larghezza / 20) << w.testo;
        EXPECT_LE(w.box.bottom(), altezza / 20) << w.testo;
        if (w.testo == "casa.RTG" || w.testo == "Rete:" || w.testo == "Villa") titoloPdf |= w.box;
        if (w.testo == "Bagno") riferimenti.insert(w.testo);
        if (w.testo == "rif" && i + 1 < parole.size()) riferimenti.insert(parole[i + 1].testo);
        if (w.testo == "ridotto") nota = true;
      }
      EXPECT_EQ(static_cast<int>(riferimenti.size()), c.riferimenti);
      EXPECT_EQ(nota, adatta == 0 && p.riduzione > 1);
      for (const test::ParolaPdf& w : parole) {
        if (w.testo == "casa.RTG" || w.testo == "-" || w.testo == "Rete:" || w.testo == "Villa") continue;
        EXPECT_FALSE(w.box.intersects(titoloPdf)) << w.testo << " over the title";
      }
    }
  }
}


// Words printed over one another on one page (their boxes, less half a point all round, meet):
// how many pairs, and one of them.
std::pair<int, std::string> ParoleSovrapposte(const std::vector<test::ParolaPdf>& parole) {
  int sovrapposte = 0;
  std::string esempio;
  for (size_t i = 0; i < parole.size(); ++i)
    for (size_t j = i + 1; j < parole.size(); ++j)
      if (parole[i].pagina == parole[j].pagina &&
          parole[i].box.adjusted(0.5, 0.5, -0.5, -0.5).intersects(parole[j].box.adjusted(0.5, 0.5, -0.5, -0.5))) {
        ++sovrapposte;
        esempio = parole[i].testo + " over " + parole[j].testo + " on page " + std::to_string(parole[i].pagina);
      }
  return {sovrapposte, esempio};
}

// The shipped block of flats, as the user opens it.
void ReteCondominio() {
  ASSERT_TRUE(LeggiRTG(VARNEX_SOURCE_DATA_DIR "/../fuzz/semi/Condominio.RTG"));
}

// A tree of n segments whose branches turn every way, as a real building's do: every end an
// appliance with its reference, each pipe its own diameter and length.
void ReteRamificata(int16_t n) {
  uint32_t seme = 12345;
  auto prossimo = [&]() {
    seme = seme * 1103515245u + 12345u;
    return (seme >> 16) & 0x7FFF;
  };
  for (int16_t s = 1; s <= n; ++s) {
    const auto padre = static_cast<int16_t>(s == 1 ? 0 : 1 + prossimo() % (s - 1));
    if (padre > 0 && Tronco(padre).ID_RIGHT != 0) {
      --s;
      continue;
    }
    test::AggiungiProva(padre, 2 + static_cast<float>(prossimo() % 8));
    Tronco(s).CodiceSvolta = static_cast<int16_t>(prossimo() % 4);
  }
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    TTronco& t = Tronco(s);
    t.Collegato = -1;
    static const char* const diametri[] = {"1/2\"", "3/4\"", "1\"", "1 1/4\"", "1 1/2\""};
    t.ID_DIAMETRO = diametri[s % 5];
    t.ID_EQ_LEN = static_cast<float>(s % 9) + 1.25f;
    if (t.ID_LEFT == 0) {
      t.ID_P_TRONCO = 1.5f;
      t.TipologiaUtenza = static_cast<int16_t>(1 + s % 4);
      t.ID_RIF = "Utenza app. " + std::to_string(s);
    }
  }
}

// The figures a reader gets from the printed labels: how far each is from its pipe and what its
// leader crosses (for the closing note; the test below holds them to their bounds).
std::string Figure(const MisuraEtichette& m, double rigaMm) {
  std::ostringstream o;
  o.precision(3);
  o << m.blocchi << " labels, " << m.richiami << " leaders; distance mean " << m.distanzaMedia * rigaMm << " mm, max "
    << m.distanzaMassima * rigaMm << " mm, " << m.lontani << " beyond 2 lines; crossings leader/leader "
    << m.incrociRichiami << ", leader/symbol " << m.incrociSimboli << ", leader/line " << m.incrociLinee
    << "; labels on what they do not name " << m.suAltri;
  return o.str();
}

TEST_F(DiagrammaPdfTest, EveryPrintedLabelCanBeToldToItsPipe) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  struct Caso {
    const char* nome;
    std::function<void()> costruisci;
    bool pressione;
  };
  const Caso casi[] = {{"casa", ReteCasa, false},
                       {"Condominio",
                        [this] {
                          // The file names a gas the test's archive does not hold.
                          utente.Attendi("Attenzione! Il gas Metano selezionato non è disponibile, verrà impostato un gas alternativo");
                          ReteCondominio();
                        },
                        false},
                       {"albero100", [] { ReteRamificata(100); }, false},
                       {"pressione40", [] { ReteRamificata(40); }, true}};
  for (const Caso& c : casi) {
    for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
      SCOPED_TRACE(std::string(c.nome) + (adatta ? " fitted" : " own scale"));
      const std::string pdf = StampaRete(
          [&] {
            ReteInPressione = 0;
            c.costruisci();
            if (c.pressione) ReteInPressione = -1;
          },
          adatta);
      // VARNEX_PROVE_DIAGRAMMA: a folder where the pages measured are kept, to look at them.
      if (const char* cartellaProve = std::getenv("VARNEX_PROVE_DIAGRAMMA"))
        QFile::copy(QString::fromStdString(pdf), QString::fromLocal8Bit(cartellaProve) + QStringLiteral("/") +
                                                     QString::fromLatin1(c.nome) + (adatta ? QStringLiteral("-adatta.pdf") : QStringLiteral(".pdf")));
      const MisuraEtichette& m = ui::SuperficieQt::MisuraUltimaCarta();
      std::cout << "[figures] " << c.nome << (adatta ? " fitted" : " own scale") << ": "
                << Figure(m, ui::SuperficieQt::RigaUltimaCartaMm()) << std::endl;
      EXPECT_GT(m.blocchi, 0);
      EXPECT_EQ(m.suAltri, 0) << "a label on a pipe or a symbol it does not name";
      if (std::string(c.nome) == "casa") {
        // Where the layout leaves room, every label stands beside what it names, no leader.
        EXPECT_EQ(m.richiami, 0);
        EXPECT_EQ(m.lontani, 0);
        EXPECT_LE(m.distanzaMassima, 1.0);
      }
      // Where it cannot, every page says so.
      const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
      ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
      std::set<int> pagine, avvisate;
      for (const test::ParolaPdf& w : parole) {
        pagine.insert(w.pagina);
        if (w.testo == "tratto") avvisate.insert(w.pagina);
      }
      EXPECT_EQ(avvisate.size(), EtichetteDaAvvisare(m) ? pagine.size() : 0u);
      EXPECT_EQ(EtichetteDaAvvisare(m), std::string(c.nome) != "casa");
    }
  }
}

// A large network is never drawn below the size at which its labels stay apart: what does not hold
// on one page goes on over further pages, each a part of the drawing with a note of where it goes
// on, with "Adatta lo schema alla pagina" and without; no label prints over another.
TEST_F(DiagrammaPdfTest, ALargeNetworkGoesOnOverPagesWithItsLabelsApart) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(adatta ? "fitted" : "own scale");
    const std::string pdf = StampaRete([] { ReteCatena(200); }, adatta);
    const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    EXPECT_GT(p.fogli, 1);
    EXPECT_LE(p.riduzione, 1 / ScalaLeggibileSchema + 1e-6);
    const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    std::map<int, std::vector<const test::ParolaPdf*>> pagine;
    std::set<int> note;
    int diametri = 0;
    for (const test::ParolaPdf& w : parole) {
      pagine[w.pagina].push_back(&w);
      if (w.testo == "Foglio") note.insert(w.pagina);
      diametri += w.testo == "ø" ? 1 : 0;
      EXPECT_GE(w.box.height(), 6) << w.testo << " in type too small to read";
    }
    EXPECT_EQ(static_cast<int>(pagine.size()), p.fogli);
    EXPECT_EQ(static_cast<int>(note.size()), p.fogli) << "every page says where the drawing goes on";
    EXPECT_GE(diametri, 200) << "every segment's diameter, the overlaps seen twice";
    const auto [sovrapposte, esempio] = ParoleSovrapposte(parole);
    EXPECT_EQ(sovrapposte, 0) << esempio;
  }
}

// A straight run of n segments, each diameter a name of its own ("D7"), to an appliance with a
// long reference: labels wider than the sheets' usual overlap.
void ReteCatenaNominata(int16_t n) {
  ReteCatena(n);
  for (int16_t s = 1; s <= n; ++s) {
    Tronco(s).ID_DIAMETRO = "D" + std::to_string(s);
    Tronco(s).ID_EQ_LEN = 1.5f;
  }
  Tronco(n).ID_RIF = "Scaldabagno istantaneo bagno piano terra";
}

// Each segment's diameter line ("ø D7 - 1,50m") whole inside the area on some page; "" when every
// one is, else the first that is not.
std::string DiametroNonIntero(const std::vector<test::ParolaPdf>& parole, const RettangoloCarta& a, int16_t n) {
  const QRectF area(a.x / 20, a.y / 20, a.larghezza / 20, a.altezza / 20);
  for (int16_t s = 1; s <= n; ++s) {
    const std::string nome = "D" + std::to_string(s);
    bool intero = false;
    for (const test::ParolaPdf& w : parole) {
      if (w.testo != nome || intero) continue;
      // The words of its line on its page: the diameter sign before it, the length after it.
      int dentro = 0;
      for (const test::ParolaPdf& v : parole)
        if (v.pagina == w.pagina && std::abs(v.box.center().y() - w.box.center().y()) < 1 &&
            std::abs(v.box.center().x() - w.box.center().x()) < 40 &&
            (v.testo == "ø" || v.testo == "1,50m" || v.testo == nome) && area.contains(v.box))
          ++dentro;
      intero = dentro >= 3;
    }
    if (!intero) return nome;
  }
  return {};
}

// A label that a sheet's edge would cut is whole on a sheet: the quick print, fitted and not, on
// A4 and on the narrowest envelope, and the advanced print over several sheets.
TEST_F(AnteprimaPdfTest, OverSeveralSheetsEveryLabelIsWholeOnASheet) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  constexpr int16_t n = 60;
  for (const QPageSize::PageSizeId carta : {QPageSize::A4, QPageSize::EnvelopePersonal})
    for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
      SCOPED_TRACE(std::string(adatta ? "fitted" : "own scale") + (carta == QPageSize::A4 ? " A4" : " envelope"));
      const std::string pdf = StampaRete([] { ReteCatenaNominata(n); }, adatta, carta);
      const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
      EXPECT_GT(p.fogli, 1);
      const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
      ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
      EXPECT_EQ(DiametroNonIntero(parole, p.area, n), "");
      int scaldabagno = 0;
      for (const test::ParolaPdf& w : NellArea(parole, p.area)) scaldabagno += w.testo == "Scaldabagno";
      EXPECT_GE(scaldabagno, 1);
    }
  AdattaSchemaPagina = 0;
  const std::vector<test::ParolaPdf> parole =
      StampaAnteprima([] {
        ReteCasa();
        for (int16_t s = 1; s <= 6; ++s) {
          Tronco(s).ID_DIAMETRO = "D" + std::to_string(s);
          Tronco(s).ID_EQ_LEN = 1.5f;
        }
      }, QPageSize::EnvelopePersonal);
  const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
  ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
  EXPECT_GT(p.fogli, 1);
  EXPECT_EQ(DiametroNonIntero(parole, p.area, 6), "");
}

// Where the layout draws branches on one another (the floors of a block of flats drawn alike), the
// printed labels still read: no word prints over another, with "Adatta lo schema alla pagina" and
// without, and every label reaches the paper.
TEST_F(DiagrammaPdfTest, LabelsOfBranchesDrawnOnOneAnotherPrintApart) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(adatta ? "fitted" : "own scale");
    const std::string pdf = StampaRete([] { test::ReteRamiSovrapposti(4); }, adatta);
    const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    int diametri = 0, riferimenti = 0;
    for (const test::ParolaPdf& w : parole) {
      diametri += w.testo == "ø" ? 1 : 0;
      riferimenti += w.testo == "rif" ? 1 : 0;
    }
    EXPECT_EQ(diametri, 15);
    EXPECT_EQ(riferimenti, 8);
    const auto [sovrapposte, esempio] = ParoleSovrapposte(parole);
    EXPECT_EQ(sovrapposte, 0) << esempio;
  }
}

// "Adatta lo schema alla pagina" fills the printable area, enlarging a small network, its title
// inside the margins; at its own scale a small network sits in the middle of the area, not in a
// corner of the page.
TEST_F(DiagrammaPdfTest, AFittedDiagramFillsTheAreaAndOneAtItsOwnScaleSitsInItsMiddle) {
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(adatta ? "fitted" : "own scale");
    (void)StampaRete(ReteCasa, adatta);
    const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    ASSERT_GT(p.disegno.larghezza, 0);
    EXPECT_GE(p.titolo.x, 359);
    EXPECT_GE(p.titolo.y, 359);
    if (adatta) {
      EXPECT_TRUE(p.disegno.larghezza >= 0.9 * p.area.larghezza || p.disegno.altezza >= 0.9 * p.area.altezza)
          << p.disegno.larghezza << " x " << p.disegno.altezza << " in " << p.area.larghezza << " x " << p.area.altezza;
    } else {
      EXPECT_NEAR(p.disegno.x + p.disegno.larghezza / 2, p.area.x + p.area.larghezza / 2, 200);
      EXPECT_NEAR(p.disegno.y + p.disegno.altezza / 2, p.area.y + p.area.altezza / 2, 200);
    }
  }
}


// The proportions set for the report's pages shrink their frame, not the diagram's room: on every
// paper a network takes as many sheets at 80 % as at 100 %, drawn as large, the title at the foot
// of the paper inside its margins; a network over several sheets has some of its drawing on each.
TEST_F(DiagrammaPdfTest, TheDiagramHasThePapersWholeRoomWhateverTheProportionsOfThePages) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  struct Rete {
    const char* nome;
    void (*costruisci)();
  };
  const Rete reti[] = {{"albero68", [] { ReteAlbero(68); }}, {"casa", ReteCasa}, {"catena40", [] { ReteCatena(40); }}};
  struct Carta {
    const char* nome;
    QPageSize::PageSizeId id;
  };
  const Carta carte[] = {{"A4", QPageSize::A4}, {"A5", QPageSize::A5}, {"busta", QPageSize::EnvelopePersonal}};
  for (const Rete& rete : reti) {
    for (const Carta& carta : carte) {
      SCOPED_TRACE(std::string(rete.nome) + " " + carta.nome);
      std::map<int, ui::DiagrammaStampaQt::Piazzamento> piazzamenti;
      for (const int16_t percentuale : {int16_t{100}, int16_t{80}}) {
        PercentualeX = PercentualeY = percentuale;
        const std::string pdf = StampaRete(rete.costruisci, 0, carta.id);
        const ui::DiagrammaStampaQt::Piazzamento p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
        piazzamenti[percentuale] = p;
        const QSizeF foglio = QPageSize(carta.id).sizePoints().transposed() * 20;
        // The drawing's room reaches down to the title's place at the foot of the paper; the title
        // sits there, or right under a drawing on one sheet that leaves room below it; always
        // inside the paper's margins, centred as the drawing is.
        EXPECT_LE(p.titolo.Basso(), foglio.height() - 359) << percentuale;
        const double piede = foglio.height() - 360 - 3 * p.titolo.altezza;
        EXPECT_GT(p.area.Basso(), piede - 200 - p.titolo.altezza) << percentuale;
        const bool alPiede = p.titolo.Basso() > piede;
        const bool sottoIlDisegno = p.fogli == 1 && std::abs(p.titolo.y - (p.disegno.Basso() + 200)) < 1;
        EXPECT_TRUE(alPiede || sottoIlDisegno) << percentuale << " title at " << p.titolo.y;
        // A title at the foot has the area above it; one right under a drawing on one sheet may stand
        // in the area's room the drawing leaves free, even when that is near the foot.
        if (alPiede && !sottoIlDisegno) {
          EXPECT_LE(p.area.Basso(), p.titolo.y - 200 + 1) << percentuale;
        }
        if (p.fogli == 1) {
          EXPECT_GE(p.titolo.y, p.disegno.Basso() + 199) << percentuale << " the title under the drawing";
        }
        EXPECT_GE(p.titolo.x, 359) << percentuale;
        EXPECT_LE(p.titolo.Destra(), foglio.width() - 359) << percentuale;
        EXPECT_NEAR(p.titolo.x + p.titolo.larghezza / 2, p.area.x + p.area.larghezza / 2, 1) << percentuale;
        const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
        ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
        std::map<int, int> disegnate;
        for (const test::ParolaPdf& w : parole)
          if (QRectF(p.area.x / 20, p.area.y / 20, p.area.larghezza / 20, p.area.altezza / 20).contains(w.box))
            ++disegnate[w.pagina];
        EXPECT_EQ(static_cast<int>(disegnate.size()), p.fogli) << percentuale << " a sheet without drawing";
      }
      EXPECT_EQ(piazzamenti[80].fogli, piazzamenti[100].fogli);
      EXPECT_NEAR(piazzamenti[80].riduzione, piazzamenti[100].riduzione, 1e-6);
    }
  }
}


// On the narrowest paper the diagram's title and its notes print inside the paper's margins, where
// every printer prints, fitted or not, on one sheet or several, with a long reference.
TEST_F(DiagrammaPdfTest, TheDiagramsTitleAndNotesStayInsideTheMarginsOnNarrowPaper) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "Condominio.RTG";
  Riferimento = "Condominio Via dei Tigli 12 - impianto centralizzato";
  const std::set<std::string> parole = {"Condominio.RTG", "Rete:", "Tigli", "centralizzato", "Foglio", "continua", "Schema",
                                        "ridotto"};
  for (const int16_t percentuale : {int16_t{100}, int16_t{80}}) {
    for (const int16_t adatta : {int16_t{0}, int16_t{-1}}) {
      for (const bool catena : {false, true}) {
        SCOPED_TRACE(std::to_string(percentuale) + (adatta ? " fitted" : "") + (catena ? " chain" : " house"));
        PercentualeX = PercentualeY = percentuale;
        const std::string pdf =
            StampaRete(catena ? [] { ReteCatena(40); } : ReteCasa, adatta, QPageSize::EnvelopePersonal);
        const std::vector<test::ParolaPdf> stampate = test::ParolePdf(pdf, cartella.File("parole.html"));
        ASSERT_FALSE(stampate.empty()) << "the printed PDF has no words";
        const QSizeF foglio = QPageSize(QPageSize::EnvelopePersonal).sizePoints().transposed();
        int trovate = 0;
        for (const test::ParolaPdf& w : stampate) {
          if (!parole.count(w.testo)) continue;
          ++trovate;
          EXPECT_GE(w.box.left(), 18 - 0.5) << w.testo;
          EXPECT_LE(w.box.right(), foglio.width() - 18 + 0.5) << w.testo;
        }
        EXPECT_GE(trovate, 4);
      }
    }
  }
}


// A drawing over several sheets is reduced only when that saves a sheet: where its own size takes
// as many, it keeps that size (its labels further apart) and no page calls it reduced.
TEST_F(DiagrammaPdfTest, OverSeveralSheetsTheDrawingIsReducedOnlyToSaveASheet) {
  if (test::PdftotextManca()) GTEST_SKIP() << "pdftotext missing";
  ui::InstallaDiagrammaStampa();
  PercorsoProgetto = "casa.RTG";
  Riferimento = "Villa";
  struct Caso {
    const char* nome;
    void (*costruisci)();
    QPageSize::PageSizeId carta;
    bool ridotta;
  };
  const Caso casi[] = {{"albero68 A5", [] { ReteAlbero(68); }, QPageSize::A5, false},
                       {"catena40 A4", [] { ReteCatena(40); }, QPageSize::A4, true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::string pdf = StampaRete(c.costruisci, 0, c.carta);
    const ui::DiagrammaStampaQt::Piazzamento& p = ui::DiagrammaStampaInstallato()->UltimoPiazzamento();
    EXPECT_GT(p.fogli, 1);
    EXPECT_EQ(p.riduzione > 1, c.ridotta) << p.riduzione;
    const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, cartella.File("parole.html"));
    ASSERT_FALSE(parole.empty()) << "the printed PDF has no words";
    const bool nota = std::any_of(parole.begin(), parole.end(), [](const test::ParolaPdf& w) { return w.testo == "ridotto"; });
    EXPECT_EQ(nota, c.ridotta);
  }
}


}  // namespace
}  // namespace varnex
