// The print dialog writing the HTML and text report files end to end: the save dialog, the
// progress window, the logo holder, the diagram bitmap and the logo beside the file, the closing
// of the dialog, and the messages of success and failure.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <filesystem>

#include "model/rete.h"
#include "report/files/stampa_file.h"
#include "report/files/ui/stampa_file_qt.h"
#include "report/print/sezioni.h"
#include "report/print/ui/frm_print_wait.h"
#include "report/print/ui/frm_stampa.h"
#include "support/fake_interaction.h"
#include "support/ui/fake_services.h"
#include "support/ui/stampa_file_prova.h"

namespace varnex {
namespace {

namespace fs = std::filesystem;
using ui::frmStampa;

class FrmStampaFileTest : public test::ProvaStampaFile {
 protected:
  // A dialog on the heap, as the main window opens it: closing it deletes it.
  frmStampa* Dialogo(int tipo) {
    auto* d = new frmStampa;
    d->show();
    d->chkCopertina->setChecked(true);
    d->ChkTronchi->setChecked(true);
    d->chkDiagrammaRete->setChecked(true);
    d->chkPrintFile->click();
    d->comboFileType->setCurrentIndex(tipo);
    return d;
  }
};

struct CasoFile {
  int tipo;  // item of comboFileType
  const char* file;
  const char* successo;
  const char* segno;  // a text the report file holds
};

TEST_F(FrmStampaFileTest, QuickPrintWritesEachReportFileWithDiagramAndLogoBesideIt) {
  const CasoFile casi[] = {
      {0, "report.html", "Stampa su file HTML conclusa con successo.", "<IMG src='report.html.bmp'"},
      {1, "report.txt", "Stampa su file TXT conclusa con successo.", "Villa"},
  };
  for (const CasoFile& c : casi) {
    SCOPED_TRACE(c.file);
    fs::remove(uscita.File("logo.bmp"));
    QPointer<frmStampa> d = Dialogo(c.tipo);
    EXPECT_TRUE(d->comboFileType->isEnabled());
    EXPECT_FALSE(d->cmdPrinter->isEnabled());
    salva.Rispondi(uscita.File(c.file));
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    // The file run's own message ends the command: no second success after it.
    utente.Attendi(c.successo);
    // The progress window is up while the run yields to pending events.
    bool attesaVisibile = false;
    QString titoloAttesa;
    QTimer::singleShot(0, d, [&] {
      if (d && ui::AttesaStampaFile()) {
        attesaVisibile = ui::AttesaStampaFile()->isVisible();
        titoloAttesa = ui::AttesaStampaFile()->windowTitle();
      }
    });
    d->cmdPrint_Click();

    ASSERT_EQ(salva.richieste.size(), static_cast<size_t>(c.tipo + 1));
    EXPECT_EQ(salva.richieste.back().tipo, "salva");
    EXPECT_EQ(salva.richieste.back().cartella + "casa.RTG", PercorsoProgetto);
    EXPECT_EQ(salva.richieste.back().nome, "casa");
    EXPECT_TRUE(attesaVisibile);
    EXPECT_EQ(titoloAttesa, QStringLiteral("Attesa"));
    const std::string report = uscita.Read(c.file);
    EXPECT_NE(report.find(c.segno), std::string::npos);
    // The diagram bitmap beside the report, with the network drawn on it.
    const std::string bitmap = uscita.Read(std::string(c.file) + ".bmp");
    ASSERT_GE(bitmap.size(), 2u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    const QImage schema(QString::fromStdString(uscita.File(std::string(c.file) + ".bmp")));
    ASSERT_FALSE(schema.isNull());
    bool disegnato = false;
    for (int y = 0; y < schema.height() && !disegnato; y += 2)
      for (int x = 0; x < schema.width() && !disegnato; x += 2)
        if (schema.pixelColor(x, y) != QColor(Qt::white)) disegnato = true;
    EXPECT_TRUE(disegnato);
    // The program's logo beside it, through the dialog's logo holder.
    EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->picLogo->property("Tag").toString(), QStringLiteral("OK"));
    EXPECT_FALSE(d->picLogo->pixmap().isNull());
    EXPECT_EQ(ui::AttesaStampaFile(), nullptr);
    EXPECT_FALSE(d->picLogo->isVisible());
    // The command ends by unloading the dialog.
    EXPECT_FALSE(d->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
  }
}

// The report files show a logo of any size: the warning that the printed report leaves an
// oversized logo out is not given before a file run, which then puts the logo beside its file.
TEST_F(FrmStampaFileTest, AnOversizedLogoIsAnnouncedOnlyBeforeAPrintedRun) {
  QImage logo(240, 72, QImage::Format_RGB32);
  logo.fill(Qt::red);
  ASSERT_TRUE(logo.save(QString::fromStdString(programma.File("logo.bmp")), "BMP"));
  for (int tipo : {0, 1}) {
    SCOPED_TRACE(tipo);
    QPointer<frmStampa> d = Dialogo(tipo);
    salva.Rispondi(uscita.File(tipo == 0 ? "grande.html" : "grande.txt"));
    utente.PermettiTutti(Risposta::Si);
    d->cmdPrint_Click();
    for (const auto& m : utente.messaggi)
      EXPECT_EQ(m.testo.find("Il logo non verrà stampato."), std::string::npos) << m.testo;
    EXPECT_EQ(uscita.Read("logo.bmp"), programma.Read("logo.bmp"));
    utente.messaggi.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(FrmStampaFileTest, EveryCopyWritesItsFileAndTheDialogLastsTheWholeCommand) {
  QPointer<frmStampa> d = Dialogo(1);
  d->txtNumCopies->setText(QStringLiteral("2"));
  salva.Rispondi(uscita.File("prima.txt"));
  salva.Rispondi(uscita.File("seconda.txt"));
  utente.Attendi("Confermi l'esecuzione di 2 stampe?", Risposta::Si);
  utente.Attendi("Stampa su file TXT conclusa con successo.");
  utente.Attendi("Stampa su file TXT conclusa con successo.");
  d->cmdPrint_Click();
  EXPECT_FALSE(uscita.Read("prima.txt").empty());
  EXPECT_FALSE(uscita.Read("seconda.txt").empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(d.isNull());
}

TEST_F(FrmStampaFileTest, NoSuccessIsReportedWhenNoFileWasWritten) {
  // Cancelled save dialog: nothing written and nothing announced.
  {
    QPointer<frmStampa> d = Dialogo(0);
    salva.Rispondi(std::nullopt);
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    d->cmdPrint_Click();
    EXPECT_FALSE(fs::exists(uscita.File("casa.html")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(d.isNull());
  }
  // A folder that does not exist: the run's failure, and no success after it.
  {
    QPointer<frmStampa> d = Dialogo(0);
    salva.Rispondi(uscita.File("manca/report.html"));
    utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
    utente.Attendi("Stampa su file HTML.");
    d->cmdPrint_Click();
    EXPECT_FALSE(fs::exists(uscita.File("manca/report.html")));
  }
  EXPECT_EQ(utente.messaggi.size(), 3u);
}

TEST_F(FrmStampaFileTest, CancelDuringARunWaitsForTheCommandToEnd) {
  QPointer<frmStampa> d = Dialogo(1);
  salva.Rispondi(uscita.File("report.txt"));
  utente.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  utente.Attendi("Stampa su file TXT conclusa con successo.");
  bool inEsecuzione = false;
  // The user presses "Annulla" and "Stampa rapida" while the run yields.
  QTimer::singleShot(0, d, [&] {
    inEsecuzione = d->InEsecuzione();
    d->cmdCancel_Click();
    d->cmdPrint_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  });
  d->cmdPrint_Click();
  EXPECT_TRUE(inEsecuzione);
  ASSERT_FALSE(d.isNull());
  EXPECT_FALSE(uscita.Read("report.txt").empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(d.isNull());
}

TEST_F(FrmStampaFileTest, AdvancedPrintWithFileOutputWritesTheChosenFileOnce) {
  QPointer<frmStampa> d = Dialogo(0);
  salva.Rispondi(uscita.File("avanzata.html"));
  utente.Attendi("Confermi stampa?", Risposta::Si);
  utente.Attendi("Stampa su file HTML conclusa con successo.");
  d->cmdPrintPreview_Click();
  EXPECT_NE(uscita.Read("avanzata.html").find("<IMG src='avanzata.html.bmp'"), std::string::npos);
}

}  // namespace
}  // namespace varnex
