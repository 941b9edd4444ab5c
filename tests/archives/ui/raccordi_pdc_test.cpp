// The fittings editor and the maximum-drop editor under offscreen: what they show, the keyboard
// walk with Enter, the key filters, "OK" and "Annulla".
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/pdc_editor.h"
#include "archives/ui/raccordi_editor.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class FinestreTabelle : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    ASSERT_TRUE(CaricaSpeciali());
    ASSERT_TRUE(CaricaPDCMax());
  }
  FakeDialoghi dialoghi;
};

TEST_F(FinestreTabelle, SpecialiMostraLeTabelle) {
  ui::frmSpeciali d;
  EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Lunghezze equivalenti accidentalità"));
  EXPECT_EQ(d.txtDesc[0]->text(), "CURVA");
  EXPECT_TRUE(d.txtDesc[3]->isReadOnly());
  EXPECT_FALSE(d.txtDesc[4]->isReadOnly());
  EXPECT_EQ(d.txtRange1[0]->text(), "0,6");
  EXPECT_EQ(d.txtRange3[9]->text(), "9");
  // A name already longer than 16 characters is shown whole and kept by "OK".
  EXPECT_EQ(d.txtDesc[9]->text(), "VALVOLA A FARFALLA");
}

TEST_F(FinestreTabelle, SpecialiInvioPercorreLeCaselleEFiltraITasti) {
  ui::frmSpeciali d;
  dialoghi.Attendi("frmSpeciali", [&](QDialog&) {
    d.activateWindow();
    std::vector<QWidget*> attesi;
    for (int r = 0; r < 10; ++r) {
      if (r >= 4) attesi.push_back(d.txtDesc[r]);
      for (QWidget* w : {d.txtRange1[r], d.txtRange2[r], d.txtRange3[r]}) attesi.push_back(w);
    }
    attesi.push_back(d.cmdOK);
    d.txtRange1[0]->setFocus();
    for (size_t i = 1; i < attesi.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      ASSERT_EQ(QApplication::focusWidget(), attesi[i]) << i;
    }
    EXPECT_TRUE(d.isVisible());  // Enter on the way never presses "OK"
    d.txtRange2[1]->clear();
    QTest::keyClicks(d.txtRange2[1], "1a,-5x");
    EXPECT_EQ(d.txtRange2[1]->text(), "1,5");
    d.txtDesc[5]->clear();
    QTest::keyClicks(d.txtDesc[5], "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(d.txtDesc[5]->text(), "ABCDEFGHIJKLMNOP");
    d.txtDesc[7]->clear();
    d.cmdOK->click();
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[2][1][2], 1.5f);
  EXPECT_EQ(NomiSpeciali[6], "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(NomiSpeciali[8], "-");
  EXPECT_EQ(NomiSpeciali[10], "VALVOLA A FARFALLA");
  EXPECT_NE(cartella.Read("EQLEN.CFG").find("-\t 0,8 \t 2 \t 4 \r\n"), std::string::npos);
}

TEST_F(FinestreTabelle, SpecialiAnnullaEdEscNonToccanoNulla) {
  const std::string file = cartella.Read("EQLEN.CFG");
  const auto lunghezze = LunghezzeEquivalenti;
  for (bool esc : {false, true}) {
    ui::frmSpeciali d;
    dialoghi.Attendi("frmSpeciali", [&](QDialog&) {
      d.txtRange1[0]->setText("99");
      d.txtDesc[4]->setText("X");
      if (esc)
        QTest::keyClick(&d, Qt::Key_Escape);
      else
        d.cmdAnnulla->click();
      EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  }
  EXPECT_EQ(LunghezzeEquivalenti, lunghezze);
  EXPECT_EQ(NomiSpeciali[5], "GOMITO A 45");
  EXPECT_EQ(cartella.Read("EQLEN.CFG"), file);
}

TEST_F(FinestreTabelle, PDCMostraIPredefinitiEInvioArrivaAOk) {
  ui::frmPDC d;
  EXPECT_EQ(d.windowTitle(), "Perdite di carico massime predefinite");
  EXPECT_EQ(d.txtPotenza->text(), "35");
  EXPECT_EQ(d.txtPotenzaBis->text(), "35");
  EXPECT_TRUE(d.txtPotenzaBis->isReadOnly());
  EXPECT_EQ(d.txtPotenza1[1]->text(), "100");
  EXPECT_EQ(d.txtPotenza2[1]->text(), "50");
  dialoghi.Attendi("frmPDC", [&](QDialog&) {
    d.activateWindow();
    EXPECT_EQ(QApplication::focusWidget(), d.txtPotenza);  // shown: the focus on the threshold
    const std::vector<QWidget*> attesi = {d.txtPotenza1[0], d.txtPotenza1[1], d.txtPotenza1[2], d.txtPotenza2[0],
                                          d.txtPotenza2[1], d.txtPotenza2[2], d.cmdOK};
    for (QWidget* w : attesi) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      ASSERT_EQ(QApplication::focusWidget(), w);
    }
    // The threshold typed shows below once the focus leaves it; a minus cannot be typed.
    d.txtPotenza->setFocus();
    EXPECT_EQ(d.txtPotenza->selectedText(), "35");
    QTest::keyClicks(d.txtPotenza, "-34,5");
    EXPECT_EQ(d.txtPotenzaBis->text(), "35");
    d.txtPotenza1[1]->setFocus();
    EXPECT_EQ(d.txtPotenzaBis->text(), "34,5");
    EXPECT_EQ(d.txtPotenza1[1]->selectedText(), "100");
    QTest::keyClick(d.txtPotenza1[1], Qt::Key_Backspace);
    // Each paint sends the focus back to the threshold, its text selected.
    d.Form_Paint();
    EXPECT_EQ(QApplication::focusWidget(), d.txtPotenza);
    EXPECT_EQ(d.txtPotenza->selectedText(), "34,5");
    d.cmdOK->click();
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, 34.5f);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][2], 100);  // emptied: the default, also in the file
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), " 34,5 \r\n 50 \r\n 100 \r\n 200 \r\n 50 \r\n 50 \r\n 200 \r\n");
}

TEST_F(FinestreTabelle, PDCAnnullaEdEscNonToccanoNulla) {
  const std::string file = cartella.Read("PDCMAX.CFG");
  for (bool esc : {false, true}) {
    ui::frmPDC d;
    dialoghi.Attendi("frmPDC", [&](QDialog&) {
      d.txtPotenza->setText("80");
      d.txtPotenza2[0]->setText("1");
      if (esc)
        QTest::keyClick(d.txtPotenza2[0], Qt::Key_Escape);
      else
        d.cmdAnnulla->click();
      EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  }
  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, 35);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][1], 50);
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), file);
}

TEST_F(FinestreTabelle, PDCUnValoreRifiutatoTieneIlFuocoSullaSuaCasella) {
  const std::string file = cartella.Read("PDCMAX.CFG");
  ui::frmPDC d;
  dialoghi.Attendi("frmPDC", [&](QDialog&) {
    d.activateWindow();
    d.txtPotenza2[1]->setText("200000");
    d.txtPotenza->setFocus();
    utente.Attendi("Valore non valido: 200000 (potenza oltre la soglia, 2\u00B0 famiglia)");
    d.cmdOK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), d.txtPotenza2[1]);
    // The window coming back to the front after the message keeps the refused box.
    d.Form_Paint();
    EXPECT_EQ(QApplication::focusWidget(), d.txtPotenza2[1]);
    EXPECT_EQ(d.txtPotenza2[1]->selectedText(), "200000");
    QTest::keyClicks(QApplication::focusWidget(), "60");
    // Once the user moves on, the threshold takes the focus again as it always did.
    QTest::keyClick(d.txtPotenza2[1], Qt::Key_Tab);
    d.Form_Paint();
    EXPECT_EQ(QApplication::focusWidget(), d.txtPotenza);
    d.cmdOK->click();
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][2], 60);
  EXPECT_NE(cartella.Read("PDCMAX.CFG"), file);
}

TEST_F(FinestreTabelle, SpecialiUnaCasellaRifiutataPrendeIlFuoco) {
  ui::frmSpeciali d;
  dialoghi.Attendi("frmSpeciali", [&](QDialog&) {
    d.activateWindow();
    d.txtRange3[7]->setText("2000");
    d.txtRange1[0]->setFocus();
    utente.Attendi("(riga 8, colonna > 125mm): 2000");
    d.cmdOK->click();
    EXPECT_EQ(QApplication::focusWidget(), d.txtRange3[7]);
    d.txtRange3[7]->setText("20");
    d.txtDesc[6]->setText("#7");
    utente.Attendi("La descrizione del raccordo della riga 7 non puo' iniziare con \"#\"");
    d.cmdOK->click();
    EXPECT_EQ(QApplication::focusWidget(), d.txtDesc[6]);
    d.cmdAnnulla->click();
  });
  EXPECT_EQ(MostraModale(d), QDialog::Rejected);
}

}  // namespace
}  // namespace varnex::test
