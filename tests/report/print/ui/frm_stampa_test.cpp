// The print dialog: initial state, presets, the stored preset, checks before a run, and a quick
// print of the cover into a PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include "model/gas.h"
#include "model/rete.h"
#include "report/print/sezioni.h"
#include "report/print/stampa_report.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante.h"
#include "report/print/ui/stampante_qt.h"
#include "shell/settings.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex::ui {
namespace {

class FrmStampa : public ::testing::Test {
 protected:
  void SetUp() override {
    ImpostaImpostazioni(&store);
    pdf = cartella.File("report.pdf");
    PrinterCorrente().setOutputFormat(QPrinter::PdfFormat);
    PrinterCorrente().setOutputFileName(QString::fromStdString(pdf));
    ResetRete();
    SetReteCorrente(1);
    ReteInPressione = 0;
    GasCorrente = TGas{};
    GasCorrente.Nome = "Metano";
    GasCorrente.Densita = 0.55f;
    GasCorrente.Viscosita = 1.4e-05f;
  }
  void TearDown() override {
    if (StampaAperta()) delete StampaAperta();
    ImpostaImpostazioni(nullptr);
    AzzeraSezioni();
    ImpostaStampanteReport(nullptr);
    PrinterCorrente().setOutputFileName(QString());
  }
  frmStampa& Apri() {
    MostraStampa(nullptr);
    EXPECT_TRUE(StampaAperta());
    return *StampaAperta();
  }

  ImpostazioniInMemoria store;
  test::TempFolder cartella;
  test::FakeInterazione fake;
  std::string pdf;
};

TEST_F(FrmStampa, OpensInItsInitialState) {
  frmStampa& d = Apri();
  EXPECT_EQ(d.windowTitle(), "Stampa");
  EXPECT_EQ(d.Scelta(), SceltaSezioni{});
  EXPECT_EQ(d.txtNumCopies->text(), "1");
  EXPECT_EQ(d.txtDate->text().size(), 10);
  EXPECT_FALSE(d.comboFileType->isEnabled());
  EXPECT_TRUE(IsStampanteInstallata());  // the PDF printer counts as a printer
  EXPECT_TRUE(d.PrinterSelectedTxt->text().startsWith("Stampante PDF   -   "));
}

TEST_F(FrmStampa, PresetsAndTheStoredPreset) {
  frmStampa& d = Apri();
  d.SSCommand1[0]->click();
  d.SSCommand1[1]->click();
  EXPECT_EQ(d.Scelta(), (SceltaSezioni{true, true, true, false, true, false, false, false}));
  store.Scrivi("Varnex", "SetStampe", "ABBAABBA ");
  QTest::mouseClick(d.SSCommand1[3], Qt::LeftButton);
  EXPECT_EQ(d.Scelta(), (SceltaSezioni{true, false, false, true, true, false, false, true}));
  d.ImpostaScelta({true, false, true, false, false, false, false, false});
  fake.Attendi("Memorizzare le nuove opzioni di stampa?", Risposta::Si);
  d.SSCommand1_MouseDown(3, 2);
  EXPECT_EQ(store.Leggi("Varnex", "SetStampe"), "ABABBBBB ");
}

TEST_F(FrmStampa, FileOutputAndTypedFileType) {
  frmStampa& d = Apri();
  d.chkPrintFile->click();
  EXPECT_FALSE(d.cmdPrinter->isEnabled());
  EXPECT_TRUE(d.comboFileType->isEnabled());
  EXPECT_EQ(d.comboFileType->currentText(), "HTML");
  d.comboFileType->setCurrentIndex(1);  // chosen from the list: no edit
  EXPECT_TRUE(d.chkDiagrammaRete->isEnabled());
  d.comboFileType_Change("TXT");
  EXPECT_FALSE(d.chkDiagrammaRete->isEnabled());
}

TEST_F(FrmStampa, QuickPrintChecksCopiesAndSections) {
  frmStampa& d = Apri();
  d.txtNumCopies->setText("x");
  d.chkCopertina->setChecked(true);
  fake.Attendi("Attenzione: Il numero di stampe impostate è minore di 1.");
  d.cmdPrint_Click();
  d.txtNumCopies->setText("1");
  d.chkCopertina->setChecked(false);
  fake.Attendi("Nessuna opzione selezionata.Selezionarne almeno una.");
  d.cmdPrint_Click();
  EXPECT_TRUE(StampaAperta());
}

TEST_F(FrmStampa, QuickPrintOfTheCoverIntoAPdf) {
  frmStampa& d = Apri();
  d.chkCopertina->setChecked(true);
  d.txtDate->setText("01/02/2024");
  fake.Attendi("Confermi l'esecuzione di 1 stampe?", Risposta::Si);
  fake.Attendi("Stampa completata");
  d.cmdPrint_Click();
  EXPECT_EQ(DataStampa, "01/02/2024");
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray dati = file.readAll();
  EXPECT_TRUE(dati.startsWith("%PDF"));
  EXPECT_EQ(dati.count("/Type /Page\n") + dati.count("/Type /Page\r") + dati.count("/Type /Page "), 1)
      << "one page, no blank second page";
  QApplication::processEvents();
  EXPECT_FALSE(StampaAperta());
}

TEST(StampanteQt, FontsAndEmptyPages) {
  EXPECT_TRUE(StampanteQt::FontDisponibile("Arial"));
  EXPECT_TRUE(StampanteQt::FontDisponibile("Courier New"));
  EXPECT_FALSE(StampanteQt::FontDisponibile("Nessun Font Simile"));
}

}  // namespace
}  // namespace varnex::ui
