#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/archivi_scrittura_bloccata.h"
#include "model/rete.h"
#include "shell/ui/default_values_dialog.h"
#include "shell/ui/units.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;
using test::TempFolder;

TGas Gas(const std::string& nome, int16_t nonCombustibile = 0) {
  TGas g;
  g.Nome = nome;
  g.NonCombustibile = nonCombustibile;
  return g;
}

class DefaultValuesDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella.UsaComeCartellaProgramma();
    salvaGas = ArchivioGas;
    salvaNumGas = NumGas;
    salvaNomi = {Materiali[1][0].Nome, Materiali[2][0].Nome};
    salvaNumMateriali = NumMateriali;
    salvaRete = ReteInPressione;
    ArchivioGas = {TGas{}, Gas("Metano"), Gas("Azoto", -1), Gas("GPL")};
    NumGas = 3;
    NumMateriali = 2;
    Materiali[1][0].Nome = "Acciaio";
    Materiali[2][0].Nome = "Rame";
    ReteInPressione = 0;
  }
  void TearDown() override {
    ArchivioGas = salvaGas;
    NumGas = salvaNumGas;
    Materiali[1][0].Nome = salvaNomi[0];
    Materiali[2][0].Nome = salvaNomi[1];
    NumMateriali = salvaNumMateriali;
    ReteInPressione = salvaRete;
    DefaultGas = DefaultMateriale = DefaultVelocita = DefaultPressioneIniziale = DefaultPressioneFinale = "";
  }
  void File(const std::string& gas, const std::string& mat, const std::string& vel, const std::string& pi,
            const std::string& pf) {
    cartella.Write("defaultValue.ini", "!DEFAULTGAS\r\n" + gas + "\r\n!DEFAULTPIPEMATERIAL\r\n" + mat +
                                           "\r\n!DEFAULTMEDIUMSPEED\r\n" + vel + "\r\n!DEFAULTINITPRESSURE\r\n" + pi +
                                           "\r\n!DEFAULTFINPRESSURE\r\n" + pf + "\r\n");
  }
  static QStringList Voci(QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
  }

  TempFolder cartella;
  test::FakeInterazione utente;
  FakeDialoghi dialoghi;

 private:
  std::vector<TGas> salvaGas;
  int16_t salvaNumGas = 0;
  std::vector<std::string> salvaNomi;
  int16_t salvaNumMateriali = 0;
  int16_t salvaRete = 0;
};

TEST_F(DefaultValuesDialog, InternalInstallationLayout) {
  File("metano", "Rame", "20", "300", "250");
  frmDefaultValue d;
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Valori di default"));
  EXPECT_EQ(Voci(d.cmbGas), (QStringList{"", "Metano", "GPL"}));
  EXPECT_EQ(d.cmbGas->currentIndex(), 1);
  EXPECT_EQ(Voci(d.cmbMateriali), (QStringList{"", "Acciaio", "Rame"}));
  EXPECT_EQ(d.cmbMateriali->currentIndex(), 2);
  EXPECT_FALSE(d.txtVelocity->isVisible());
  EXPECT_FALSE(d.lblVelocity->isVisible());
  EXPECT_FALSE(d.lblVelocityUnit->isVisible());
  EXPECT_FALSE(d.framePressioni->isVisible());
  EXPECT_EQ(d.txtVelocity->text(), QStringLiteral("20"));
  EXPECT_EQ(d.cmbInitPres->count(), 0);
  EXPECT_EQ(d.height(), Pixel(2650));
  EXPECT_EQ(d.cmdOK->y(), Pixel(1680));
  EXPECT_EQ(d.cmdOK->text(), QStringLiteral("OK"));
  EXPECT_EQ(d.cmdCancel->text(), QStringLiteral("Annulla"));
}

TEST_F(DefaultValuesDialog, PressurisedNetworkLayoutAndTypedDefaults) {
  ReteInPressione = -1;
  File("Azoto", "Acciaio", "", "175", "150");
  frmDefaultValue d;
  d.show();
  EXPECT_EQ(Voci(d.cmbGas), (QStringList{"", "Metano", "Azoto", "GPL"}));
  EXPECT_EQ(d.cmbGas->currentText(), QStringLiteral("Azoto"));
  EXPECT_TRUE(d.txtVelocity->isVisible());
  EXPECT_EQ(d.txtVelocity->text(), QStringLiteral("15"));
  EXPECT_TRUE(d.framePressioni->isVisible());
  EXPECT_EQ(d.framePressioni->title(), QStringLiteral("Calcolo reti gas in pressione"));
  EXPECT_EQ(d.lblInitPres->text(), QStringLiteral("Pressione relativa iniziale  [kPa]:"));
  EXPECT_EQ(d.lblFinalPres->text(), QStringLiteral("Pressione relativa finale  [kPa]:"));
  EXPECT_EQ(d.framePressioni->y(), Pixel(1680));
  EXPECT_EQ(d.height(), Pixel(4140));
  EXPECT_EQ(d.cmdOK->y(), Pixel(3170));
  EXPECT_EQ(d.cmbInitPres->count(), 51);
  EXPECT_EQ(d.cmbInitPres->currentText(), QStringLiteral("175")) << "a value the list lacks is shown as typed";
  EXPECT_EQ(d.cmbInitPres->currentIndex(), -1);
  EXPECT_EQ(d.cmbFinalPres->currentText(), QStringLiteral("150"));
  EXPECT_EQ(d.cmbFinalPres->currentIndex(), 15);
}

// The editable pressure lists completed a typed number from their entries: "15" showed as "150"
// and was kept as the default pressure, ten times what was typed.
TEST_F(DefaultValuesDialog, ATypedPressureIsNotCompletedFromTheList) {
  ReteInPressione = -1;
  File("Metano", "Acciaio", "15", "200", "150");
  frmDefaultValue d;
  dialoghi.Attendi("frmDefaultValue", [&](QDialog&) {
    d.activateWindow();
    for (QComboBox* lista : {d.cmbInitPres, d.cmbFinalPres}) {
      ASSERT_GE(lista->findText(QStringLiteral("150")), 0);
      lista->lineEdit()->setFocus();
      lista->lineEdit()->selectAll();
      QTest::keyClicks(lista->lineEdit(), "15");
      EXPECT_EQ(lista->currentText(), QStringLiteral("15")) << lista->objectName().toStdString();
    }
    QTest::keyClick(d.cmbFinalPres->lineEdit(), Qt::Key_Return);
    QTest::keyClick(d.cmdOK, Qt::Key_Return);
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_EQ(DefaultPressioneIniziale, "15");
  EXPECT_EQ(DefaultPressioneFinale, "15");
}

TEST_F(DefaultValuesDialog, DrivenByTheKeyboardAndConfirmed) {
  ReteInPressione = -1;
  File("Metano", "Acciaio", "15", "200", "150");
  frmDefaultValue d;
  dialoghi.Attendi("frmDefaultValue", [&](QDialog&) {
    d.activateWindow();
    // Letters typed into the lists are dropped: they are chosen from.
    d.cmbGas->setFocus();
    QTest::keyClicks(d.cmbGas, "G");
    EXPECT_EQ(d.cmbGas->currentText(), QStringLiteral("Metano"));
    QTest::keyClick(d.cmbGas, Qt::Key_Down);
    EXPECT_EQ(d.cmbGas->currentText(), QStringLiteral("Azoto"));
    QTest::keyClick(d.cmbGas, Qt::Key_Down);
    // Enter walks the fields without closing the dialog.
    QTest::keyClick(d.cmbGas, Qt::Key_Return);
    EXPECT_TRUE(d.cmbMateriali->hasFocus());
    QTest::keyClick(d.cmbMateriali, Qt::Key_Return);
    EXPECT_TRUE(d.txtVelocity->hasFocus());
    EXPECT_TRUE(d.isVisible());
    // Velocity: digits and decimal marks only, no more once the text is over four characters.
    d.txtVelocity->selectAll();
    QTest::keyClicks(d.txtVelocity, "1a2,5-99");
    EXPECT_EQ(d.txtVelocity->text(), QStringLiteral("12,59"));
    QTest::keyClick(d.txtVelocity, Qt::Key_Backspace);
    EXPECT_EQ(d.txtVelocity->text(), QStringLiteral("12,5"));
    QTest::keyClick(d.txtVelocity, Qt::Key_Return);
    EXPECT_TRUE(d.cmbInitPres->lineEdit()->hasFocus());
    d.cmbInitPres->lineEdit()->selectAll();
    QTest::keyClicks(d.cmbInitPres->lineEdit(), "1x7.5");
    EXPECT_EQ(d.cmbInitPres->currentText(), QStringLiteral("17.5"));
    QTest::keyClick(d.cmbInitPres->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(d.cmbFinalPres->lineEdit()->hasFocus());
    d.cmbFinalPres->lineEdit()->selectAll();
    QTest::keyClicks(d.cmbFinalPres->lineEdit(), "12345678");
    EXPECT_EQ(d.cmbFinalPres->currentText(), QStringLiteral("1234567")) << "limit: more than six characters";
    QTest::keyClick(d.cmbFinalPres->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(d.cmdOK->hasFocus());
    QTest::keyClick(d.cmdOK, Qt::Key_Return);
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_EQ(DefaultGas, "GPL");
  EXPECT_EQ(DefaultMateriale, "Acciaio");
  EXPECT_EQ(DefaultVelocita, "12,5");
  EXPECT_EQ(DefaultPressioneIniziale, "17.5");
  EXPECT_EQ(DefaultPressioneFinale, "1234567");
  EXPECT_EQ(PDCMaxTesto, "0");
  EXPECT_NE(cartella.Read("defaultValue.ini").find("!DEFAULTGAS\r\nGPL\r\n~DEFAULTGAS"), std::string::npos);
}

TEST_F(DefaultValuesDialog, CancelAndTheCloseBoxWriteNothingButTheFileWasReloaded) {
  File("GPL", "Rame", "9", "200", "150");
  DefaultGas = "Metano";
  const std::string prima = cartella.Read("defaultValue.ini");
  {
    frmDefaultValue d;
    EXPECT_EQ(DefaultGas, "GPL") << "opening reloads the file";
    dialoghi.Attendi("frmDefaultValue", [&](QDialog&) {
      d.cmbGas->setCurrentIndex(1);
      d.cmdCancel->click();
    });
    EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  }
  {
    frmDefaultValue d;
    dialoghi.Attendi("frmDefaultValue", [&](QDialog& w) {
      d.cmbGas->setCurrentIndex(1);
      w.close();
    });
    EXPECT_EQ(MostraModale(d), QDialog::Rejected);
  }
  EXPECT_EQ(DefaultGas, "GPL");
  EXPECT_EQ(cartella.Read("defaultValue.ini"), prima);
}

// The default gas written with other blanks or letter case is the archive's gas: the list shows it.
TEST_F(DefaultValuesDialog, TheDefaultGasIsFoundByTheRuleForGasNames) {
  for (const char* scritto : {" metano ", "METANO", "Metano\xA0"}) {
    File(scritto, "Acciaio", "15", "200", "150");
    frmDefaultValue d;
    EXPECT_EQ(d.cmbGas->currentText(), QStringLiteral("Metano")) << scritto;
  }
}

// OK while the file cannot be written: told, the dialog stays with the user's choice and the
// defaults stay as they were; a second OK once the file can be written stores it.
TEST_F(DefaultValuesDialog, AFailedWriteKeepsTheDialogOpenForAnotherTry) {
  File("Metano", "Acciaio", "15", "200", "150");
  const std::string prima = cartella.Read("defaultValue.ini");
  frmDefaultValue d;
  dialoghi.Attendi("frmDefaultValue", [&](QDialog&) {
    d.cmbGas->setCurrentIndex(d.cmbGas->findText(QStringLiteral("GPL")));
    {
      test::ScritturaBloccata bloccata;
      utente.Attendi("defaultValue.ini");
      d.cmdOK->click();
    }
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(d.cmbGas->currentText(), QStringLiteral("GPL"));
    EXPECT_EQ(DefaultGas, "Metano");
    EXPECT_EQ(cartella.Read("defaultValue.ini"), prima);
    d.cmdOK->click();
  });
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_EQ(DefaultGas, "GPL");
  EXPECT_NE(cartella.Read("defaultValue.ini").find("!DEFAULTGAS\r\nGPL\r\n"), std::string::npos);
}

TEST_F(DefaultValuesDialog, ConfirmingAnInternalInstallationKeepsPressuresAndANonCombustibleGas) {
  File("Azoto", "Rame", "22", "350", "320");
  frmDefaultValue d;
  EXPECT_EQ(d.cmbGas->currentIndex(), 0) << "not offered in an internal installation";
  dialoghi.Attendi("frmDefaultValue", FakeDialoghi::Clicca(QStringLiteral("OK")));
  EXPECT_EQ(MostraModale(d), QDialog::Accepted);
  EXPECT_EQ(DefaultGas, "Azoto");
  EXPECT_EQ(DefaultVelocita, "22");
  EXPECT_EQ(DefaultPressioneIniziale, "350");
  EXPECT_EQ(DefaultPressioneFinale, "320");
}

TEST_F(DefaultValuesDialog, BlankChoicesTakeTheFirstEntriesAndShowThem) {
  File("Nessuno", "Nessuna", "15", "200", "150");
  frmDefaultValue d;
  EXPECT_EQ(d.cmbGas->currentIndex(), 0);
  EXPECT_EQ(d.cmbMateriali->currentIndex(), 0);
  dialoghi.Attendi("frmDefaultValue", FakeDialoghi::Clicca(QStringLiteral("OK")));
  MostraModale(d);
  EXPECT_EQ(d.cmbGas->currentIndex(), 1);
  EXPECT_EQ(d.cmbMateriali->currentIndex(), 1);
  EXPECT_EQ(DefaultGas, "Metano");
  EXPECT_EQ(DefaultMateriale, "Acciaio");
}

}  // namespace
}  // namespace varnex::ui
