// The printer selection and the page proportions dialogs of the print dialog.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <map>
#include <set>

#include "model/files.h"
#include "report/print/percentuali.h"
#include "report/print/ui/frm_pagina.h"
#include "report/print/ui/diagramma_qt.h"
#include "report/print/ui/frm_select_printer.h"
#include "report/print/ui/frm_stampa.h"
#include "shell/settings.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex {
namespace {

using ui::frmPagina;
using ui::frmSelectPrinter;

// Installed printers with the paper codes each accepts.
class FakeStampanti : public ui::IStampantiSistema {
 public:
  struct Stampante {
    std::string nome, porta;
    std::set<int16_t> formati;
    int16_t carta;
  };
  FakeStampanti() { ui::ImpostaStampantiSistema(this); }
  ~FakeStampanti() override { ui::ImpostaStampantiSistema(nullptr); }
  int Numero() override { return static_cast<int>(elenco.size()); }
  std::string DeviceName(int i) override { return elenco[i].nome; }
  std::string Port(int i) override { return elenco[i].porta; }
  void ImpostaCorrente(int i) override { corrente = i; }
  std::string DeviceNameCorrente() override { return elenco[corrente].nome; }
  int16_t PaperSize() override { return elenco[corrente].carta; }
  bool ImpostaPaperSize(int16_t codice) override {
    if (!elenco[corrente].formati.count(codice)) return false;
    elenco[corrente].carta = codice;
    return true;
  }
  std::vector<Stampante> elenco;
  int corrente = 0;
};

class DialoghiStampaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ImpostaImpostazioni(&store);
    PercentualeX = 100;
    PercentualeY = 100;
  }
  void TearDown() override {
    ImpostaImpostazioni(nullptr);
    PercentualeX = 100;
    PercentualeY = 100;
  }
  ImpostazioniInMemoria store;
  test::FakeInterazione utente;
};

TEST_F(DialoghiStampaTest, PrinterListFormatsAndConfirmation) {
  FakeStampanti s;
  s.elenco = {{"Laser", "USB1", {1, 9}, 11}, {"Plotter", "LPT1", {8, 9, 256}, 8}};
  QLineEdit campo(QStringLiteral("prima"));
  frmSelectPrinter d(nullptr, &campo);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Selezione stampante"));
  ASSERT_EQ(d.List1->count(), 2);
  EXPECT_EQ(d.List1->item(1)->text(), QStringLiteral("Plotter   -   LPT1"));
  EXPECT_EQ(d.SelectedPrinterText->text(), QStringLiteral("Laser"));
  EXPECT_EQ(d.cmbFormat->count(), 0);
  // OK with no printer chosen does nothing.
  d.Command2_Click();
  EXPECT_EQ(campo.text(), QStringLiteral("prima"));

  // Letter and A4 accepted, A5 current: the second entry is chosen.
  d.List1->setCurrentRow(0);
  d.List1_Click();
  ASSERT_EQ(d.cmbFormat->count(), 2);
  EXPECT_EQ(d.cmbFormat->currentText().toStdString(), NomeFormatoCarta(9));

  // A3 current and accepted; the user-defined size last; probing leaves the paper as it was.
  d.List1->setCurrentRow(1);
  d.List1_Click();
  EXPECT_EQ(s.elenco[1].carta, 8);
  EXPECT_EQ(d.SelectedPrinterText->text(), QStringLiteral("Plotter   -   LPT1"));
  ASSERT_EQ(d.cmbFormat->count(), 3);
  EXPECT_EQ(d.cmbFormat->currentText().toStdString(), NomeFormatoCarta(8));
  EXPECT_EQ(d.cmbFormat->itemText(2), QStringLiteral("Definito dall'utente."));
  EXPECT_EQ(d.cmbFormat->itemData(2).toInt(), 256);

  d.cmbFormat->setCurrentIndex(1);
  d.Command2_Click();
  EXPECT_EQ(s.elenco[1].carta, 9);
  EXPECT_EQ(campo.text(), QStringLiteral("Plotter   -   A4 (21 x 29,7 cm)"));
}

TEST_F(DialoghiStampaTest, EscLeavesTheClickedPrinterAndTheFieldAsItWas) {
  FakeStampanti s;
  s.elenco = {{"Laser", "USB1", {9}, 9}, {"Plotter", "LPT1", {9}, 9}};
  QLineEdit campo(QStringLiteral("prima"));
  frmSelectPrinter d(nullptr, &campo);
  d.show();
  d.List1->setCurrentRow(1);
  d.List1_Click();
  // One format that is not the current size: it is chosen.
  s.elenco[1].carta = 9;
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(s.corrente, 1);
  EXPECT_EQ(campo.text(), QStringLiteral("prima"));
}

TEST_F(DialoghiStampaTest, SingleFormatNotMatchingIsChosenAndAnUnknownTextKeepsThePaper) {
  {
    FakeStampanti s;
    s.elenco = {{"Laser", "USB1", {9}, 11}};
    frmSelectPrinter d(nullptr, nullptr);
    d.List1->setCurrentRow(0);
    d.List1_Click();
    ASSERT_EQ(d.cmbFormat->count(), 1);
    EXPECT_EQ(d.cmbFormat->currentIndex(), 0);
  }
  // OK with a text that names no format (the printer would refuse code 0): the paper stays.
  for (const char* testo : {"A4", "", "a4 (21 x 29,7 cm)"}) {
    SCOPED_TRACE(testo);
    FakeStampanti s;
    s.elenco = {{"Laser", "USB1", {9, 11}, 11}};
    QLineEdit campo;
    frmSelectPrinter d(nullptr, &campo);
    d.List1->setCurrentRow(0);
    d.List1_Click();
    d.cmbFormat->setEditable(true);
    d.cmbFormat->setEditText(QString::fromUtf8(testo));
    d.Command2_Click();
    EXPECT_EQ(s.elenco[0].carta, 11);
    EXPECT_EQ(campo.text().toStdString(), "Laser   -   " + NomeFormatoCarta(11));
  }
}

TEST_F(DialoghiStampaTest, ThePrintDialogOpensBothDialogsOnceInstalled) {
  ui::InstallaDiagrammaStampa();
  FakeStampanti s;
  s.elenco = {{"Laser", "USB1", {9}, 9}};
  test::TempFolder cartella;
  ui::PrinterCorrente().setOutputFormat(QPrinter::PdfFormat);
  ui::PrinterCorrente().setOutputFileName(QString::fromStdString(cartella.File("prova.pdf")));
  test::FakeDialoghi dialoghi;
  ui::frmStampa stampa;
  dialoghi.Attendi("frmSelectPrinter", [](QDialog& d) {
    auto& f = static_cast<frmSelectPrinter&>(d);
    f.List1->setCurrentRow(0);
    f.List1_Click();
    f.Command2_Click();
  });
  stampa.cmdPrinter_Click();
  EXPECT_EQ(stampa.PrinterSelectedTxt->text(), QStringLiteral("Laser   -   A4 (21 x 29,7 cm)"));
  dialoghi.Attendi("frmPagina", [](QDialog& d) {
    auto& f = static_cast<frmPagina&>(d);
    f.cmdMinusW_Click();
    f.Command1_Click();
  });
  stampa.cmdPage_Click();
  EXPECT_EQ(PercentualeX, 99);
  EXPECT_EQ(store.Leggi("Varnex", "X-percent").value_or(""), "99");
  EXPECT_EQ(dialoghi.visti, (std::vector<std::string>{"frmSelectPrinter", "frmPagina"}));
  ui::PrinterCorrente().setOutputFileName(QString());
}

TEST_F(DialoghiStampaTest, PageBoxesReadStepClampAndWrite) {
  struct Caso {
    const char* testo;
    int16_t valore;
  };
  for (const Caso& c : {Caso{"100%", 100}, Caso{"  95%", 95}, Caso{"", 0}, Caso{"x1", 0}, Caso{"12.5", 12},
                        Caso{"13.5%", 14}}) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(ui::ValorePercentuale(QString::fromLatin1(c.testo)), c.valore);
  }
  EXPECT_EQ(ui::TestoPercentuale(0), QStringLiteral("%"));

  frmPagina d;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Proporzioni pagina"));
  EXPECT_EQ(d.txtW->text(), QStringLiteral("100%"));
  const int larga = d.picPage->width();
  d.cmdPlusW_Click();
  EXPECT_EQ(d.txtW->text(), QStringLiteral("101%"));
  EXPECT_GT(d.picPage->width(), larga);
  d.txtW->setText(QStringLiteral("120%"));
  d.cmdPlusW_Click();
  EXPECT_EQ(d.txtW->text(), QStringLiteral("120%"));
  d.txtH->setText(QStringLiteral("80%"));
  d.cmdMinusH_Click();
  EXPECT_EQ(d.txtH->text(), QStringLiteral("80%"));
  d.txtH->setText(QString());
  d.cmdPlusH_Click();
  EXPECT_EQ(d.txtH->text(), QStringLiteral("80%"));
  for (auto [testo, atteso] : {std::pair{"5", "80%"}, {"999", "120%"}, {"", "80%"}, {"110", "110%"}}) {
    d.txtW->setText(QString::fromLatin1(testo));
    const int prima = d.picPage->width();
    d.txtW_LostFocus();
    EXPECT_EQ(d.txtW->text(), QString::fromLatin1(atteso));
    EXPECT_EQ(d.picPage->width(), prima) << "leaving a box does not redraw";
  }
}

TEST_F(DialoghiStampaTest, PageKeyFilter) {
  frmPagina d;
  d.show();
  d.txtW->setFocus();
  d.txtW->clear();
  QTest::keyClicks(d.txtW, QStringLiteral("a%-9"));
  QTest::keyClick(d.txtW, Qt::Key_Return);
  EXPECT_EQ(d.txtW->text(), QStringLiteral("9"));
  d.txtW->setText(QStringLiteral("100%"));
  d.txtW->deselect();
  d.txtW->end(false);
  QTest::keyClicks(d.txtW, QStringLiteral("5"));
  EXPECT_EQ(d.txtW->text(), QStringLiteral("100%"));
  QTest::keyClick(d.txtW, Qt::Key_Backspace);
  EXPECT_EQ(d.txtW->text(), QStringLiteral("100"));
  d.txtW->selectAll();
  QTest::keyClicks(d.txtW, QStringLiteral("9"));
  EXPECT_EQ(d.txtW->text(), QStringLiteral("9"));
}

// A paper too short for the page rules at the page's share is said so when it is chosen; one that
// holds them is taken without a word.
TEST_F(DialoghiStampaTest, APaperTooShortForThePageRulesIsSaidSoWhenChosen) {
  FakeStampanti s;
  s.elenco = {{"Laser", "USB1", {9, 35}, 9}};
  QLineEdit campo;
  frmSelectPrinter d(nullptr, &campo);
  d.List1->setCurrentRow(0);
  d.List1_Click();
  struct Caso {
    int16_t carta, percentuale;
    bool avviso;
  } casi[] = {{9, 80, false}, {35, 100, true}, {35, 80, true}, {9, 100, false}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.carta) + " " + std::to_string(c.percentuale));
    PercentualeY = c.percentuale;
    utente.messaggi.clear();
    if (c.avviso) utente.Attendi("\"Busta B6, 176 x 125 mm\" al " + std::to_string(c.percentuale) + " %");
    d.cmbFormat->setCurrentIndex(d.cmbFormat->findData(static_cast<int>(c.carta)));
    d.Command2_Click();
    EXPECT_EQ(s.elenco[0].carta, c.carta);
    EXPECT_EQ(utente.messaggi.size(), c.avviso ? 1u : 0u);
  }
}

TEST_F(DialoghiStampaTest, PageOkStoresAndSavesCancelLeavesEverything) {
  PercentualeX = 130;  // from the settings store, out of range
  PercentualeY = 90;
  {
    frmPagina d;
    EXPECT_EQ(d.txtW->text(), QStringLiteral("130%"));
    d.cmdPlusH_Click();
    d.Command2_Click();
    EXPECT_EQ(PercentualeY, 90);
    EXPECT_TRUE(store.Valori().empty());
  }
  frmPagina d;
  d.cmdPlusH_Click();
  d.Command1_Click();
  EXPECT_EQ(PercentualeX, 130) << "OK stores an untouched value unchanged";
  EXPECT_EQ(PercentualeY, 91);
  EXPECT_EQ(store.Leggi("Varnex", "X-percent").value_or(""), "130");
  EXPECT_EQ(store.Leggi("Varnex", "Y-percent").value_or(""), "91");
}

}  // namespace
}  // namespace varnex
