// The window side of the report files: the save dialog of the services layer, the logo read into
// the print dialog's holder, the progress window while the run yields, the schema saved as a real
// bitmap, and the print dialog closed after success.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "model/rete.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/files/ui/stampa_file_qt.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/ui/frm_stampa.h"
#include "support/fake_interaction.h"
#include "support/ui/fake_services.h"
#include "support/ui/stampa_file_prova.h"

namespace varnex {
namespace {

namespace fs = std::filesystem;

class StampaFileQtTest : public test::ProvaStampaFile {
 protected:
  void SetUp() override {
    ProvaStampaFile::SetUp();
    if (HasFatalFailure()) return;
    AzzeraSezioni();
    StampaCopertina = -1;
    StampaDiagrammaRete = -1;
    NumSezioniStampa = 2;
  }
  void TearDown() override {
    if (ui::frmStampa* d = ui::StampaAperta()) d->close();
    ProvaStampaFile::TearDown();
  }

  // The print dialog as the main window opens it, with its logo holder.
  ui::frmStampa* ApriDialogo() {
    ui::MostraStampa(nullptr);
    ui::frmStampa* d = ui::StampaAperta();
    if (d && !d->findChild<QLabel*>(QStringLiteral("picLogo"))) {
      auto* logo = new QLabel(d);
      logo->setObjectName(QStringLiteral("picLogo"));
      logo->hide();
    }
    return d;
  }
};

TEST_F(StampaFileQtTest, RunsThroughTheWindowsAndCloseThePrintDialog) {
  ASSERT_TRUE(ui::PrintHTMLReportHook);
  ASSERT_TRUE(ui::PrintTXTReportHook);
  struct Caso {
    bool html;
    const char* file;
    const char* successo;
  };
  for (const Caso c : {Caso{true, "report.html", "Stampa su file HTML conclusa con successo."},
                       Caso{false, "report.txt", "Stampa su file TXT conclusa con successo."}}) {
    SCOPED_TRACE(c.file);
    fs::remove(uscita.File("logo.bmp"));
    QPointer<ui::frmStampa> d = ApriDialogo();
    ASSERT_TRUE(d);
    salva.Rispondi(uscita.File(c.file));
    utente.Attendi(c.successo);
    bool attesaVisibile = false;
    QString titolo;
    QTimer::singleShot(0, [&] {
      if (ui::frmPrintWait* w = ui::AttesaStampaFile()) {
        attesaVisibile = w->isVisible();
        titolo = w->windowTitle();
      }
    });
    if (c.html)
      ui::PrintHTMLReportHook();
    else
      ui::PrintTXTReportHook();

    ASSERT_FALSE(salva.richieste.empty());
    EXPECT_EQ(salva.richieste.back().tipo, "salva");
    EXPECT_EQ(salva.richieste.back().titolo, "Salva con nome");
    EXPECT_EQ(salva.richieste.back().cartella + "casa.RTG", PercorsoProgetto);
    EXPECT_EQ(salva.richieste.back().nome, "casa");
    EXPECT_TRUE(attesaVisibile);
    EXPECT_EQ(titolo, QStringLiteral("Attesa"));
    EXPECT_EQ(ui::AttesaStampaFile(), nullptr);
    EXPECT_FALSE(uscita.Read(c.file).empty());
    // A real bitmap of the network beside the report.
    const QImage schema(QString::fromStdString(uscita.File(std::string(c.file) + ".bmp")));
    ASSERT_FALSE(schema.isNull());
    EXPECT_EQ(uscita.Read(std::string(c.file) + ".bmp").substr(0, 2), "BM");
    bool disegnato = false;
    for (int y = 0; y < schema.height() && !disegnato; y += 2)
      for (int x = 0; x < schema.width() && !disegnato; x += 2)
        if (schema.pixelColor(x, y) != QColor(Qt::white)) disegnato = true;
    EXPECT_TRUE(disegnato);
    // The logo: in the dialog's holder, and beside the report.
    EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
    if (d) {
      QLabel* holder = d->findChild<QLabel*>(QStringLiteral("picLogo"));
      ASSERT_NE(holder, nullptr);
      EXPECT_EQ(holder->property("Tag").toString(), QStringLiteral("OK"));
      EXPECT_FALSE(holder->pixmap().isNull());
      // Success ends by pressing the dialog's "Annulla".
      EXPECT_FALSE(d->isVisible());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// The shipped logo, read by the window side, reaches the HTML header at its own size: a fixed box
// squeezed it sideways.
TEST_F(StampaFileQtTest, TheShippedLogoKeepsItsSizeInTheHtmlHeader) {
  const std::string spedito = std::string(VARNEX_SOURCE_DATA_DIR) + "/logo.bmp";
  const QSize pixel = QImage(QString::fromStdString(spedito)).size();
  ASSERT_FALSE(pixel.isEmpty());
  ASSERT_LE(pixel.width(), 184);
  ASSERT_LE(pixel.height(), 41);
  fs::copy_file(spedito, programma.File("logo.bmp"), fs::copy_options::overwrite_existing);
  QPointer<ui::frmStampa> d = ApriDialogo();
  ASSERT_NE(d, nullptr);
  salva.Rispondi(uscita.File("report.html"));
  utente.Attendi("Stampa su file HTML conclusa con successo.");
  ui::PrintHTMLReportHook();
  const std::string html = uscita.Read("report.html");
  const std::string misura = "<IMG src='logo.bmp' width='" + std::to_string(pixel.width()) + "' height='" +
                             std::to_string(pixel.height()) + "'";
  EXPECT_NE(html.find(misura + " >"), std::string::npos);  // page header
  EXPECT_NE(html.find(misura + ">"), std::string::npos);   // diagram page
  EXPECT_EQ(html.find("width='80' height='40'"), std::string::npos);
  // The picture itself, pixel for pixel: the one the dialog shows and the one beside the report
  // the header points at are the shipped logo.
  const QImage atteso = QImage(QString::fromStdString(spedito)).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(QImage(QString::fromStdString(uscita.File("logo.bmp"))).convertToFormat(QImage::Format_RGB32), atteso);
  ASSERT_NE(d, nullptr);
  const QLabel* holder = d->findChild<QLabel*>(QStringLiteral("picLogo"));
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(holder->pixmap().toImage().convertToFormat(QImage::Format_RGB32), atteso);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(StampaFileQtTest, WithoutLogoTheHolderIsCleared) {
  fs::remove(programma.File("logo.bmp"));
  ui::frmStampa* d = ApriDialogo();
  ASSERT_NE(d, nullptr);
  QLabel* holder = d->findChild<QLabel*>(QStringLiteral("picLogo"));
  holder->setProperty("Tag", QStringLiteral("OK"));
  salva.Rispondi(std::nullopt);
  PrintHTMLReport(0);
  EXPECT_EQ(holder->property("Tag").toString(), QString());
  EXPECT_TRUE(holder->pixmap().isNull());
  // Cancelled: nothing written, the dialog stays.
  EXPECT_TRUE(fs::is_empty(uscita.Path()));
  EXPECT_TRUE(d->isVisible());
}

TEST_F(StampaFileQtTest, ASchemaThatCannotBeWrittenFailsTheDiagramStep) {
  salva.Rispondi(uscita.File("report.txt"));
  utente.Attendi("Errore nella stampa dello schema della rete.\r\nCodice d'errore: 75.");
  // A folder where the report's picture goes.
  fs::create_directory(uscita.File("report.txt.bmp"));
  uscita.Write("report.txt.bmp/occupato", "x");
  PrintTXTReport();
  EXPECT_FALSE(fs::exists(uscita.File("report.txt")));
}

// The HTML report's picture is drawn at three times the screen's pixels, so that printed at its
// own size it is sharp (it was the screen's pixels stretched over the page); the pieces of a picture
// cut into several come from that one drawing.
TEST_F(StampaFileQtTest, TheHtmlPictureIsDrawnSharpAndCutIntoItsPieces) {
  StampaCopertina = 0;
  NumSezioniStampa = 1;
  salva.Rispondi(uscita.File("report.txt"));
  utente.Attendi("Stampa su file TXT conclusa con successo.");
  PrintTXTReport();
  salva.Rispondi(uscita.File("report.html"));
  utente.Attendi("Stampa su file HTML conclusa con successo.");
  PrintHTMLReport(0);
  const QImage schermo(QString::fromStdString(uscita.File("report.txt.bmp")));
  const QImage nitida(QString::fromStdString(uscita.File("report.html.bmp")));
  ASSERT_FALSE(schermo.isNull());
  ASSERT_FALSE(nitida.isNull());
  EXPECT_NEAR(nitida.width(), 3.0 * schermo.width(), 4.0);
  EXPECT_NEAR(nitida.height(), 3.0 * schermo.height(), 4.0);

  // Two pieces side by side, sharing a tenth of the width.
  const MisuraSchema misura = FinestreStampaFile().SalvaPartiSchema([&](const MisuraSchema&) {
    return std::vector<ParteFiguraSchema>{{uscita.File("a.bmp"), 0, 0, 0.55, 1}, {uscita.File("b.bmp"), 0.45, 0, 0.55, 1}};
  });
  EXPECT_GT(misura.larghezza, 0);
  const QImage a(QString::fromStdString(uscita.File("a.bmp")));
  const QImage b(QString::fromStdString(uscita.File("b.bmp")));
  ASSERT_FALSE(a.isNull());
  ASSERT_FALSE(b.isNull());
  EXPECT_EQ(a.height(), nitida.height());
  EXPECT_EQ(b.height(), nitida.height());
  EXPECT_NEAR(a.width(), 0.55 * nitida.width(), 2.0);
  EXPECT_NEAR(b.width(), 0.55 * nitida.width(), 2.0);
  // The shared strip is the same drawing in both, but for a label one piece holds whole and the
  // other leaves out rather than cut.
  auto inEtichetta = [&](int x, int y) {
    return std::any_of(misura.blocchi.begin(), misura.blocchi.end(), [&](const Riquadro& r) {
      return QRectF(r.x1 * nitida.width(), r.y1 * nitida.height(), (r.x2 - r.x1) * nitida.width(),
                    (r.y2 - r.y1) * nitida.height())
          .adjusted(-3, -3, 3, 3)
          .contains(x, y);
    });
  };
  int uguali = 0, disegnati = 0, tutti = 0;
  for (int x = static_cast<int>(0.46 * nitida.width()); x < static_cast<int>(0.54 * nitida.width()); ++x)
    for (int y = 0; y < nitida.height(); ++y) {
      if (inEtichetta(x, y)) continue;
      const QColor ca = a.pixelColor(x, y), cb = b.pixelColor(x - (nitida.width() - b.width()), y);
      ++tutti;
      disegnati += ca != QColor(Qt::white);
      uguali += ca == cb;
    }
  EXPECT_GT(disegnati, 0);
  EXPECT_GE(uguali, tutti - nitida.height());
}

// The HTML picture says where its label blocks lie, relative to the cropped picture, so that its
// pieces can be laid with every label whole on one: each block lies on the picture and holds the
// label's ink, and the pieces the grid lays from them keep every block whole.
TEST_F(StampaFileQtTest, TheHtmlPictureReportsWhereItsLabelsLie) {
  std::vector<ParteFiguraSchema> parti;
  MisuraSchema vista;
  const MisuraSchema misura = FinestreStampaFile().SalvaPartiSchema([&](const MisuraSchema& m) {
    vista = m;
    parti = {{uscita.File("tutta.bmp"), 0, 0, 1, 1}};
    return parti;
  });
  const QImage figura(QString::fromStdString(uscita.File("tutta.bmp")));
  ASSERT_FALSE(figura.isNull());
  ASSERT_FALSE(misura.blocchi.empty());
  EXPECT_EQ(vista.blocchi.size(), misura.blocchi.size());
  for (const Riquadro& b : misura.blocchi) {
    EXPECT_GE(b.x1, 0);
    EXPECT_GE(b.y1, 0);
    EXPECT_LE(b.x2, 1);
    EXPECT_LE(b.y2, 1);
    EXPECT_LT(b.x1, b.x2);
    EXPECT_LT(b.y1, b.y2);
    // The label's type is drawn inside its block.
    const QRect px = QRectF(b.x1 * figura.width(), b.y1 * figura.height(), (b.x2 - b.x1) * figura.width(),
                            (b.y2 - b.y1) * figura.height())
                         .toAlignedRect()
                         .intersected(figura.rect());
    int inchiostro = 0;
    for (int y = px.top(); y <= px.bottom(); ++y)
      for (int x = px.left(); x <= px.right(); ++x) inchiostro += figura.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(inchiostro, px.width() * px.height() / 50) << b.x1 << ", " << b.y1;
  }
  // Cut by the report's rule on a room just under the picture's height: every block whole on a piece.
  const double l = 100, a = 100 * misura.altezza / misura.larghezza;
  std::vector<Riquadro> mm;
  for (const Riquadro& b : misura.blocchi) mm.push_back({b.x1 * l, b.y1 * a, b.x2 * l, b.y2 * a});
  const GrigliaSchema g = GrigliaFogli({0, 0, l, a}, 1, l, a * 0.8, mm, 5, 0.5);
  ASSERT_EQ(g.fogli.Numero(), 2);
  for (const Riquadro& b : mm) {
    bool intero = false;
    for (int n = 0; n < 2; ++n) {
      const double y = g.inizioY + n * g.passoA;
      intero = intero || (b.y1 >= y && b.y2 <= y + a * 0.8);
    }
    EXPECT_TRUE(intero) << b.x1 << ", " << b.y1;
  }
}

// A piece of a picture cut in several holds a label whole or not at all: the label a cut runs
// through is on neither side of it (the grid of the report's pieces holds it whole on another),
// while a label inside a piece is drawn there. The diameters are fixed by the user, so their
// labels print red, apart from the black drawing.
TEST_F(StampaFileQtTest, APieceHoldsEachLabelWholeOrNotAtAll) {
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    Tronco(s).ID_DIAMCUSTOM = -1;
    Tronco(s).Collegato = -1;
    Tronco(s).ID_DIAMETRO = "1 1/2\"";
  }
  std::vector<Riquadro> blocchi;
  FinestreStampaFile().SalvaPartiSchema([&](const MisuraSchema& m) {
    blocchi = m.blocchi;
    return std::vector<ParteFiguraSchema>{{uscita.File("tutta.bmp"), 0, 0, 1, 1}};
  });
  const QImage intera(QString::fromStdString(uscita.File("tutta.bmp")));
  ASSERT_FALSE(intera.isNull());
  const double w = intera.width(), h = intera.height();
  // Red ink inside a block's rectangle (fractions of the whole picture) on a piece starting at x0.
  auto rosso = [&](const QImage& pezzo, double x0, const Riquadro& r) {
    int n = 0;
    const QRect px = QRectF(r.x1 * w - x0, r.y1 * h, (r.x2 - r.x1) * w, (r.y2 - r.y1) * h).toAlignedRect();
    for (int y = std::max(0, px.top()); y <= std::min(pezzo.height() - 1, px.bottom()); ++y)
      for (int x = std::max(0, px.left()); x <= std::min(pezzo.width() - 1, px.right()); ++x) {
        const QColor c = pezzo.pixelColor(x, y);
        n += c.red() > 150 && c.green() < 120 && c.blue() < 120 ? 1 : 0;
      }
    return n;
  };
  // The cut through the middle of the block with the most red type: a diameter label.
  const auto tagliato = std::max_element(blocchi.begin(), blocchi.end(), [&](const Riquadro& a, const Riquadro& b) {
    return rosso(intera, 0, a) < rosso(intera, 0, b);
  });
  ASSERT_NE(tagliato, blocchi.end());
  ASSERT_GT(rosso(intera, 0, *tagliato), 0);
  const double taglio = (tagliato->x1 + tagliato->x2) / 2;
  FinestreStampaFile().SalvaPartiSchema([&](const MisuraSchema&) {
    return std::vector<ParteFiguraSchema>{{uscita.File("a.bmp"), 0, 0, taglio, 1},
                                          {uscita.File("b.bmp"), taglio, 0, 1 - taglio, 1}};
  });
  const QImage a(QString::fromStdString(uscita.File("a.bmp")));
  const QImage b(QString::fromStdString(uscita.File("b.bmp")));
  ASSERT_FALSE(a.isNull());
  ASSERT_FALSE(b.isNull());
  const double xb = w - b.width();
  EXPECT_EQ(rosso(a, 0, *tagliato), 0) << "a fragment of the cut label on the left piece";
  EXPECT_EQ(rosso(b, xb, *tagliato), 0) << "a fragment of the cut label on the right piece";
  int intere = 0, dentro = 0;
  for (const Riquadro& r : blocchi) {
    if (rosso(intera, 0, r) == 0) continue;
    if (r.x2 < taglio - 0.01) ++dentro, intere += rosso(a, 0, r) > 0 ? 1 : 0;
    if (r.x1 > taglio + 0.01) ++dentro, intere += rosso(b, xb, r) > 0 ? 1 : 0;
  }
  EXPECT_EQ(intere, dentro) << "the labels a piece holds whole are drawn on it";
}

}  // namespace
}  // namespace varnex
