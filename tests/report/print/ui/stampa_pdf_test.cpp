// The printed report on a machine without a printer of its own: the PDF printer is the default and
// is offered in the printer selection, every print command asks where to write the file, and the
// whole report of a calculated network comes out as PDF pages.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "report/print/stampa_report.h"
#include "report/print/ui/diagramma_qt.h"
#include "report/print/ui/frm_select_printer.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante.h"
#include "report/print/ui/stampante_qt.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/sezioni.h"
#include "report/print/valori_lunghi_prova.h"
#include "shell/progetto.h"
#include "support/ui/parole_pdf.h"
#include "support/ui/stampa_file_prova.h"

namespace varnex {
namespace {

namespace fs = std::filesystem;
using ui::frmStampa;

// Pages of a PDF file: the page objects it holds.
int Pagine(const std::string& pdf) {
  QFile file(QString::fromStdString(pdf));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray dati = file.readAll();
  if (!dati.startsWith("%PDF")) return -1;
  return static_cast<int>(dati.count("/Type /Page\n") + dati.count("/Type /Page\r") + dati.count("/Type /Page ") +
                          dati.count("/Type /Page/") + dati.count("/Type /Page>"));
}

// Width and height in points of the first page of a PDF file.
QSizeF PrimaPagina(const std::string& pdf) {
  QFile file(QString::fromStdString(pdf));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QRegularExpression box(QStringLiteral("/MediaBox \\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
  const QRegularExpressionMatch m = box.match(QString::fromLatin1(file.readAll()));
  if (!m.hasMatch()) return {};
  return {m.captured(1).toDouble(), m.captured(2).toDouble()};
}

// Dark pixels of one page rendered by pdftoppm; -1 when the tool is missing.
int PixelScuri(const std::string& pdf, int pagina, const std::string& immagine) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (tool.isEmpty()) return -1;
  const QString base = QString::fromStdString(immagine);
  QFile::remove(base + QStringLiteral(".png"));
  QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), QStringLiteral("-f"),
                           QString::number(pagina), QStringLiteral("-l"), QString::number(pagina),
                           QStringLiteral("-singlefile"), QString::fromStdString(pdf), base});
  const QImage img(base + QStringLiteral(".png"));
  if (img.isNull()) return 0;
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) ++n;
  return n;
}

class StampaPdfTest : public test::ProvaStampaFile {
 protected:
  void SetUp() override {
    test::ProvaStampaFile::SetUp();
    if (ui::StampanteDiSistema()) GTEST_SKIP() << "this machine has a printer of its own";
    ui::InstallaDiagrammaStampa();
    QPrinter& p = ui::PrinterCorrente();
    ui::ImpostaStampantePdf(p);
    p.setOutputFileName(QString());
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(QPageLayout::Portrait);
  }
  void TearDown() override {
    ImpostaStampanteReport(nullptr);
    ui::PrinterCorrente().setOutputFileName(QString());
    test::ProvaStampaFile::TearDown();
  }
  frmStampa* Dialogo() {
    auto* d = new frmStampa;
    d->show();
    return d;
  }
  // "Stampa rapida" of every section from the window, confirmed, the PDF saved as `nome`.
  frmStampa* StampaRapidaDiTutto(const std::string& nome) {
    frmStampa* d = Dialogo();
    d->SSCommand1_Click(0);
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    salva.Rispondi(uscita.File(nome));
    utente.Attendi("Stampa completata");
    d->cmdPrint_Click();
    return d;
  }
};

TEST_F(StampaPdfTest, WithoutASystemPrinterThePdfPrinterIsTheCurrentOneAndIsOffered) {
  EXPECT_TRUE(ui::IsStampanteInstallata());
  QPointer<frmStampa> d = Dialogo();
  EXPECT_EQ(d->PrinterSelectedTxt->text(), QStringLiteral("Stampante PDF   -   A4 (21 x 29,7 cm)"));
  {
  ui::frmSelectPrinter scelta(d, d->PrinterSelectedTxt);
  ASSERT_GE(scelta.List1->count(), 1);
  EXPECT_EQ(scelta.List1->item(scelta.List1->count() - 1)->text(), QStringLiteral("Stampante PDF   -   File PDF"));
  scelta.List1->setCurrentRow(scelta.List1->count() - 1);
  scelta.List1_Click();
  EXPECT_GT(scelta.cmbFormat->count(), 10) << "the PDF printer takes the usual paper sizes";
  scelta.cmbFormat->setCurrentText(QStringLiteral("A3 (29,7 x 42 cm)."));
  scelta.Command2_Click();
  EXPECT_EQ(d->PrinterSelectedTxt->text(), QStringLiteral("Stampante PDF   -   A3 (29,7 x 42 cm)."));
  EXPECT_EQ(ui::PrinterCorrente().pageLayout().pageSize().id(), QPageSize::A3);
  }
  delete d;
}

// A project never saved: the PDF is offered as "Relazione" where "Salva con nome" opens, not in
// the program's working folder.
TEST_F(StampaPdfTest, ThePdfOfAProjectNeverSavedIsOfferedWhereSalvaConNomeOpens) {
  PercorsoProgetto.clear();
  QPointer<frmStampa> d = StampaRapidaDiTutto("nuovo");
  ASSERT_EQ(salva.richieste.size(), 1u);
  EXPECT_EQ(salva.richieste[0].nome, "Relazione");
  EXPECT_FALSE(salva.richieste[0].cartella.empty());
  EXPECT_EQ(salva.richieste[0].cartella, GetUltimaCartella());
  EXPECT_GE(Pagine(uscita.File("nuovo.pdf")), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The whole report to PDF from the window: the file asked with the project's name, ".pdf" added,
// the report's pages in it and the landscape diagram beside it; the next command asks again.
TEST_F(StampaPdfTest, QuickPrintOfTheWholeReportWritesPdfPages) {
  QPointer<frmStampa> d = StampaRapidaDiTutto("relazione");
  ASSERT_EQ(salva.richieste.size(), 1u);
  EXPECT_EQ(salva.richieste[0].nome, "casa");
  EXPECT_EQ(salva.richieste[0].cartella + "casa.RTG", PercorsoProgetto);
  EXPECT_NE(salva.richieste[0].filtro.find("*.pdf"), std::string::npos);
  const std::string relazione = uscita.File("relazione.pdf");
  const std::string schema = uscita.File("relazione-2.pdf");
  EXPECT_GE(Pagine(relazione), 3) << "cover, tables and tightness test";
  EXPECT_EQ(Pagine(schema), 1) << "the diagram is a landscape document of its own";
  const int copertina = PixelScuri(relazione, 1, uscita.File("pagina1"));
  if (copertina >= 0) {
    EXPECT_GT(copertina, 200);
    EXPECT_GT(PixelScuri(relazione, 2, uscita.File("pagina2")), 200);
    EXPECT_GT(PixelScuri(schema, 1, uscita.File("schema")), 50);
  }
  EXPECT_TRUE(ui::PrinterCorrente().outputFileName().isEmpty()) << "the next command asks again";
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  // The second command asks again and writes its own file, not a "-3" beside the first.
  d = Dialogo();
  d->chkCopertina->setChecked(true);
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("seconda.PDF"));
  utente.Attendi("Stampa completata");
  d->cmdPrint_Click();
  EXPECT_EQ(Pagine(uscita.File("seconda.PDF")), 1);
  EXPECT_FALSE(fs::exists(uscita.File("seconda.PDF-2.pdf")));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// On real paper, in the printer's own type: the report's tables at A5 and at 80 % of the width
// carry every number whole, and no word runs into the next.
TEST_F(StampaPdfTest, TablesOnSmallPaperReadWholeInThePdf) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  for (const bool pressione : {false, true}) {
    for (const bool a5 : {false, true}) {
      SCOPED_TRACE(std::string(pressione ? "pressurised" : "internal") + (a5 ? " A5 80" : " A4 80"));
      BloccoReti = {};
      test::ReteValoriLunghi(pressione);
      AzzeraSezioni();
      StampaTronchi = StampaPDCLocalizzate = StampaVerifica = StampaUtenze = -1;
      NumSezioniStampa = 4;
      PercentualeX = 80;
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      const std::string pdf = uscita.File("tabelle.pdf");
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageSize(QPageSize(a5 ? QPageSize::A5 : QPageSize::A4));
      {
        ui::StampanteQt stampante(printer);
        ImpostaStampanteReport(&stampante);
        ASSERT_TRUE(PrintReport(0));
        ImpostaStampanteReport(nullptr);
      }
      const std::vector<test::ParolaPdf> parole = test::ParolePdf(pdf, uscita.File("tabelle.html"));
      ASSERT_FALSE(parole.empty());
      auto presente = [&](const std::string& w) {
        return std::any_of(parole.begin(), parole.end(), [&](const test::ParolaPdf& p) { return p.testo == w; });
      };
      for (const char* atteso : {"95,50", "9,25", "ACCIAIOT", "Centrale", "termica"}) EXPECT_TRUE(presente(atteso)) << atteso;
      if (pressione) {
        for (const char* atteso : {"SARACINESCA", "VALVOLA", "RITEGNO", "DIELETTRICO"}) EXPECT_TRUE(presente(atteso)) << atteso;
      }
      for (ReportTable t : {ReportTable::SegmentTable, ReportTable::WorstPathTable, ReportTable::ApplianceTable}) {
        const int16_t view = GetReportView(t);
        for (int16_t seg : GetReportRows(t))
          for (int16_t c = 0; c <= UltimaColonnaReport(view); ++c) {
            const std::string v = GetCellText(view, c, seg, 32767);
            if (v.find(' ') == std::string::npos && !v.empty()) {
              EXPECT_TRUE(presente(v)) << "cut: " << v;
            }
          }
      }
      for (size_t i = 0; i < parole.size(); ++i)
        for (size_t j = i + 1; j < parole.size(); ++j) {
          const test::ParolaPdf& a = parole[i];
          const test::ParolaPdf& b = parole[j];
          if (a.pagina != b.pagina || std::abs(a.box.top() - b.box.top()) > 2) continue;
          EXPECT_FALSE(a.box.left() < b.box.right() - 0.5 && b.box.left() < a.box.right() - 0.5)
              << a.testo << " over " << b.testo;
        }
      ResetRete();
      ReteInPressione = 0;
    }
  }
}

TEST_F(StampaPdfTest, AnExistingFileIsOverwrittenOnlyWhenTheUserAgreesAndCancelPrintsNothing) {
  uscita.Write("vecchia.pdf", "vecchio");
  QPointer<frmStampa> d = Dialogo();
  d->chkCopertina->setChecked(true);
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("vecchia"));
  utente.Attendi("Un file con lo stesso nome è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?",
                 Risposta::No);
  d->cmdPrint_Click();
  EXPECT_EQ(uscita.Read("vecchia.pdf"), "vecchio");
  ASSERT_TRUE(d) << "nothing printed: the dialog stays open";
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(std::nullopt);
  d->cmdPrint_Click();
  ASSERT_TRUE(d);
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("vecchia.pdf"));
  utente.Attendi("Un file con lo stesso nome è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?",
                 Risposta::Si);
  utente.Attendi("Stampa completata");
  d->cmdPrint_Click();
  EXPECT_EQ(Pagine(uscita.File("vecchia.pdf")), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The diagram's document and every further copy go to files beside the chosen one: an existing
// "-2", "-3"... is replaced only when the user agrees, a refusal prints nothing, and the closing
// message names every file written.
TEST_F(StampaPdfTest, TheFurtherFilesOfACommandAreAskedBeforeTheyAreReplaced) {
  uscita.Write("rep-2.pdf", "vecchio 2");
  uscita.Write("rep-4.pdf", "vecchio 4");
  uscita.Write("rep-5.pdf", "altro lavoro");
  QPointer<frmStampa> d = Dialogo();
  d->chkCopertina->setChecked(true);
  d->chkDiagrammaRete->setChecked(true);
  d->txtNumCopies->setText(QStringLiteral("2"));
  utente.Attendi("Confermi l'esecuzione di 2 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("rep"));
  utente.Attendi("I file seguenti sono già presenti nella cartella selezionata:\r\nrep-2.pdf\r\nrep-4.pdf\r\n"
                 "Si desidera sovrascriverli?",
                 Risposta::No);
  d->cmdPrint_Click();
  EXPECT_EQ(uscita.Read("rep-2.pdf"), "vecchio 2");
  EXPECT_EQ(uscita.Read("rep-4.pdf"), "vecchio 4");
  EXPECT_FALSE(fs::exists(uscita.File("rep.pdf")));
  ASSERT_TRUE(d) << "nothing printed: the dialog stays open";

  // Only the diagram's file exists: it is named in the question.
  fs::remove(uscita.File("rep-4.pdf"));
  d->txtNumCopies->setText(QStringLiteral("1"));
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("rep"));
  utente.Attendi("Il file seguente è già presente nella cartella selezionata:\r\nrep-2.pdf\r\nSi desidera sovrascriverlo?",
                 Risposta::Si);
  utente.Attendi("Stampa completata\r\nFile scritti:\r\n" + uscita.File("rep.pdf") + "\r\n" + uscita.File("rep-2.pdf"));
  d->cmdPrint_Click();
  EXPECT_EQ(Pagine(uscita.File("rep.pdf")), 1);
  EXPECT_EQ(Pagine(uscita.File("rep-2.pdf")), 1);
  EXPECT_EQ(uscita.Read("rep-5.pdf"), "altro lavoro");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(StampaPdfTest, AdvancedPrintSendsThePreviewedDiagramToThePdf) {
  test::FakeDialoghi dialoghi;
  QPointer<frmStampa> d = Dialogo();
  d->chkCopertina->setChecked(true);
  d->chkDiagrammaRete->setChecked(true);
  utente.Attendi("Confermi stampa?", Risposta::Si);
  salva.Rispondi(uscita.File("avanzata.pdf"));
  dialoghi.Attendi("frmPrintSchemaPreview", test::FakeDialoghi::Clicca(QStringLiteral("Stampa")));
  utente.Attendi("Stampa completata\r\nFile scritti:\r\n" + uscita.File("avanzata.pdf") + "\r\n" +
                 uscita.File("avanzata-2.pdf"));
  d->cmdPrintPreview_Click();
  EXPECT_EQ(Pagine(uscita.File("avanzata.pdf")), 1);
  EXPECT_EQ(Pagine(uscita.File("avanzata-2.pdf")), 1);
  const int schema = PixelScuri(uscita.File("avanzata-2.pdf"), 1, uscita.File("anteprima"));
  if (schema >= 0) {
    EXPECT_GT(schema, 50);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Red pixels of the first page rendered at 72 dpi (20 twips a pixel); empty without pdftoppm.
std::vector<QPoint> PixelRossi(const std::string& pdf, const std::string& immagine) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  std::vector<QPoint> rossi;
  if (tool.isEmpty()) return rossi;
  const QString base = QString::fromStdString(immagine);
  QFile::remove(base + QStringLiteral(".png"));
  QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-f"),
                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                           QString::fromStdString(pdf), base});
  const QImage img(base + QStringLiteral(".png"));
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) rossi.emplace_back(x, y);
    }
  return rossi;
}

// On paper the logo lands in the header's logo box, above the header rule; a logo beyond the
// announced size is announced before the print and left out of it.
TEST_F(StampaPdfTest, TheLogoIsPrintedInsideItsBoxAndAnOversizedOneIsLeftOut) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) GTEST_SKIP() << "pdftoppm missing";
  struct Caso {
    int larghezza, altezza;
    bool stampato;
  };
  for (const Caso& c : {Caso{137, 41, true}, Caso{240, 72, false}}) {
    SCOPED_TRACE(c.larghezza);
    QImage logo(c.larghezza, c.altezza, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(QString::fromStdString(programma.File("logo.bmp")), "BMP"));
    QPointer<frmStampa> d = Dialogo();
    d->ChkTronchi->setChecked(true);  // a page with its header
    if (!c.stampato)
      utente.Attendi("L'immagine utilizzata come logo ha dimensioni troppo grandi.\r\nLe dimensioni massime consentite "
                     "sono 184 X 41 pixel.\r\nIl logo non verrà stampato.");
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    const std::string pdf = uscita.File("logo" + std::to_string(c.larghezza) + ".pdf");
    salva.Rispondi(pdf);
    utente.Attendi("Stampa completata");
    d->cmdPrint_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::vector<QPoint> rossi = PixelRossi(pdf, uscita.File("logo"));
    if (!c.stampato) {
      EXPECT_TRUE(rossi.empty());
      continue;
    }
    ASSERT_FALSE(rossi.empty());
    // The page frame starts 1000 twips from the paper's left edge and 600 below its top; the box
    // is 2295 twips wide from there, the header rule 600 twips below the frame's top.
    for (const QPoint& p : rossi) {
      EXPECT_GE(p.x() * 20, 1000 - 20);
      EXPECT_LE(p.x() * 20, 1000 + 2295 + 20);
      EXPECT_GE(p.y() * 20, 600 - 5 - 20);
      EXPECT_LT(p.y() * 20, 1200) << "above the header rule";
    }
  }
}

// The menu's printer setup works on the printer the report prints on: the paper and orientation
// chosen there reach the print dialog's line and the next printed page.
TEST_F(StampaPdfTest, ThePrinterSetupReachesTheNextPrint) {
  QPointer<frmStampa> d = Dialogo();
  test::FakeDialoghi dialoghi;
  dialoghi.Attendi("ImpostaStampante", [&](QDialog& dialogo) {
    QPrinter& p = *static_cast<QPrintDialog&>(dialogo).printer();
    EXPECT_EQ(&p, &ui::PrinterCorrente());
    p.setPageSize(QPageSize(QPageSize::A5));
    p.setPageOrientation(QPageLayout::Landscape);
    p.setOutputFileName(QString::fromStdString(uscita.File("dal-dialogo.pdf")));
    dialogo.done(QDialog::Accepted);
  });
  ui::ImpostaStampanteCorrente(d);
  EXPECT_EQ(d->PrinterSelectedTxt->text(), QStringLiteral("Stampante PDF   -   A5 (14,8 x 21 cm)."));
  d->chkCopertina->setChecked(true);
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  salva.Rispondi(uscita.File("a5.pdf"));
  utente.Attendi("Stampa completata");
  d->cmdPrint_Click();
  const QSizeF pagina = PrimaPagina(uscita.File("a5.pdf"));
  EXPECT_NEAR(pagina.width(), 595.3, 1.0) << "A5 landscape";
  EXPECT_NEAR(pagina.height(), 419.5, 1.0);
  ui::PrinterCorrente().setPageSize(QPageSize(QPageSize::A4));
  ui::PrinterCorrente().setPageOrientation(QPageLayout::Portrait);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The PDF printer chosen by the user stays the PDF printer, whether the system has printers of its
// own or not: after a command, and after the printer setup, the next command asks for its file
// again. (Qt makes a printer whose file name is cleared the system's default printer, which then
// printed the next report on paper without a word and said "Stampa completata".)
class PdfSceltaTest : public test::ProvaStampaFile {
 protected:
  void SetUp() override {
    test::ProvaStampaFile::SetUp();
    ui::InstallaDiagrammaStampa();
    QPrinter& p = ui::PrinterCorrente();
    ui::ImpostaStampantePdf(p);
    ui::DimenticaFilePdf(p);
    p.setPageSize(QPageSize(QPageSize::A4));
  }
  void TearDown() override {
    ImpostaStampanteReport(nullptr);
    ui::DimenticaFilePdf(ui::PrinterCorrente());
    test::ProvaStampaFile::TearDown();
  }
  // Prints the cover through the dialog, the file answered with `nome`.
  void StampaRapida(const std::string& nome) {
    QPointer<frmStampa> d = new frmStampa;
    d->show();
    EXPECT_EQ(d->PrinterSelectedTxt->text().left(13), QStringLiteral("Stampante PDF")) << "before " << nome;
    d->chkCopertina->setChecked(true);
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    salva.Rispondi(uscita.File(nome));
    utente.Attendi("Stampa completata\r\nFile scritti:\r\n" + uscita.File(nome + ".pdf"));
    d->cmdPrint_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(PdfSceltaTest, ThePdfPrinterStaysChosenAfterACommandAndAfterThePrinterSetup) {
  {
    frmStampa d;
    ui::frmSelectPrinter scelta(&d, d.PrinterSelectedTxt);
    scelta.List1->setCurrentRow(scelta.List1->count() - 1);
    scelta.List1_Click();
    scelta.Command2_Click();
  }
  StampaRapida("uno");
  EXPECT_TRUE(ui::IsStampantePdf(ui::PrinterCorrente()));
  StampaRapida("due");
  EXPECT_EQ(salva.richieste.size(), 2u) << "every command asks for its file";
  EXPECT_EQ(Pagine(uscita.File("due.pdf")), 1);

  // The setup dialog with the PDF printer and a file of its own: the file is the command's question.
  test::FakeDialoghi dialoghi;
  dialoghi.Attendi("ImpostaStampante", [&](QDialog& dialogo) {
    QPrinter& p = *static_cast<QPrintDialog&>(dialogo).printer();
    p.setOutputFileName(QString::fromStdString(uscita.File("dal-dialogo.pdf")));
    dialogo.done(QDialog::Accepted);
  });
  ui::ImpostaStampanteCorrente(nullptr);
  EXPECT_TRUE(ui::IsStampantePdf(ui::PrinterCorrente()));
  EXPECT_TRUE(ui::PrinterCorrente().outputFileName().isEmpty());
  StampaRapida("tre");
  EXPECT_EQ(salva.richieste.size(), 3u);
  EXPECT_EQ(Pagine(uscita.File("tre.pdf")), 1);
  EXPECT_FALSE(fs::exists(uscita.File("dal-dialogo.pdf")));
}

// A pressurised network has no tightness test: that section alone prints nothing, so the command
// says so before it asks for a file, and never ends in "Stampa completata" with nothing written.
TEST_F(PdfSceltaTest, TheTightnessTestAloneOfAPressurisedNetworkIsRefusedBeforeTheFileIsAsked) {
  ReteInPressione = -1;
  for (const bool avanzata : {false, true})
  for (const bool suFile : {false, true}) {
    SCOPED_TRACE(std::string(suFile ? "HTML" : "PDF") + (avanzata ? ", advanced" : ", quick"));
    QPointer<frmStampa> d = new frmStampa;
    d->show();
    d->ChkTenutaImpianto->setChecked(true);
    if (suFile) {
      d->chkPrintFile->setChecked(true);
      d->chkPrintFile_Click();
    }
    if (avanzata) utente.Attendi("Confermi stampa?", Risposta::Si);
    utente.Attendi("La verifica di tenuta non è prevista per una rete in pressione.\r\n"
                   "Selezionare almeno un'altra sezione.");
    if (avanzata)
      d->cmdPrintPreview_Click();
    else
      d->cmdPrint_Click();
    EXPECT_TRUE(salva.richieste.empty());
    for (const auto& m : utente.messaggi) EXPECT_EQ(m.testo.find("completata"), std::string::npos) << m.testo;
    ASSERT_TRUE(d) << "nothing printed: the dialog stays open";
    delete d;
  }
}

// With no section ticked both commands say so, in those words, before a file is asked; the
// advanced one used to blame a pressurised network's tightness test, in an internal network too.
TEST_F(PdfSceltaTest, NoSectionTickedIsToldAsSuchByBothCommands) {
  for (const int16_t pressione : {int16_t{0}, int16_t{-1}})
  for (const bool avanzata : {false, true}) {
    SCOPED_TRACE(std::string(pressione ? "pressurised" : "internal") + (avanzata ? ", advanced" : ", quick"));
    ReteInPressione = pressione;
    QPointer<frmStampa> d = new frmStampa;
    d->show();
    if (avanzata) utente.Attendi("Confermi stampa?", Risposta::Si);
    utente.Attendi("Nessuna opzione selezionata.Selezionarne almeno una.");
    if (avanzata)
      d->cmdPrintPreview_Click();
    else
      d->cmdPrint_Click();
    EXPECT_TRUE(salva.richieste.empty());
    for (const auto& m : utente.messaggi) EXPECT_EQ(m.testo.find("pressione"), std::string::npos) << m.testo;
    ASSERT_TRUE(d) << "nothing printed: the dialog stays open";
    delete d;
  }
}

}  // namespace
}  // namespace varnex
