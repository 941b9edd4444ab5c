// The substitution window under offscreen: what it shows, that it is left only through "Procedi"
// with a line selected, and the core's question answered through it while a project loads.
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/archivi.h"
#include "archives/ui/sostituzione_dialog.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/strings.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class FinestraSostituzioni : public ProgrammaProva {
 protected:
  FakeDialoghi dialoghi;
};

TEST_F(FinestraSostituzioni, SiEsceSoloConProcediEUnaRigaScelta) {
  dialoghi.Attendi("frmEquiv", [this](QDialog& d) {
    auto& f = static_cast<ui::frmEquivDialog&>(d);
    EXPECT_EQ(f.windowTitle(), "Sostituzioni");
    EXPECT_EQ(f.SSPanel1->text(), " acciaio vecchio ");
    ASSERT_EQ(f.List1->count(), 3);
    EXPECT_EQ(f.List1->item(0)->text(), "Zeta");  // archive order, not sorted
    EXPECT_EQ(f.List1->item(2)->text(), "Alfa");
    EXPECT_TRUE(f.List1->selectedItems().isEmpty());
    // The close box does not leave; "Procedi" without a line shows the message.
    f.close();
    EXPECT_TRUE(f.isVisible());
    f.activateWindow();
    f.List1->setFocus();  // the list's current line on focus is no choice
    utente.Attendi("E' necessario selezionare una sostituzione");
    f.Command1->click();
    EXPECT_TRUE(f.isVisible());
    f.List1->setCurrentRow(1);
    f.Command1->click();
    EXPECT_FALSE(f.isVisible());
  });
  ui::DialogoSostituzioneQt dialogo;
  EXPECT_EQ(dialogo.Scegli(" acciaio vecchio ", SostituzioneMateriale, {"Zeta", "Beta", "Alfa"}), 2);
}

TEST_F(FinestraSostituzioni, LaDomandaDelCaricamentoERicordataPerNome) {
  ui::ArchiviQt archivi;
  dialoghi.Attendi("frmEquiv", [](QDialog& d) {
    auto& f = static_cast<ui::frmEquivDialog&>(d);
    ASSERT_EQ(f.List1->count(), NumGas);
    EXPECT_EQ(f.List1->item(0)->text(), QString::fromStdString(ArchivioGas[1].Nome));
    QListWidgetItem* voce = f.List1->item(2);
    const QRect r = f.List1->visualItemRect(voce);
    QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(f.List1->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(f.isVisible());
  });
  frmEquiv.Substitute("Gas di città", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 3);
  // The same name again: answered from memory, no window.
  frmEquiv.Substitute("GAS DI CITTÀ", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 3);
  EXPECT_EQ(dialoghi.visti.size(), 1u);
}

// The window offers only the series that can size something, and Esc is "Annulla": the segments
// keep the missing name, the calculation refuses it naming it, and the name is not asked again.
TEST_F(FinestraSostituzioni, OffreSoloSerieUsabiliEEscAnnulla) {
  ui::ArchiviQt archivi;
  ASSERT_GE(NumMateriali, 3);
  Materiali[2][0].NumDiametri = 0;  // emptied: no row at all
  for (int16_t r = 1; r <= Materiali[3][0].NumDiametri; ++r) Materiali[3][static_cast<size_t>(r)].DiamInterno = 0;
  const QString vuota = QString::fromStdString(Materiali[2][0].Nome);
  const QString senzaInterno = QString::fromStdString(Materiali[3][0].Nome);
  dialoghi.Attendi("frmEquiv", [&](QDialog& d) {
    auto& f = static_cast<ui::frmEquivDialog&>(d);
    EXPECT_EQ(f.List1->count(), NumMateriali - 2);
    EXPECT_TRUE(f.List1->findItems(vuota, Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(f.List1->findItems(senzaInterno, Qt::MatchExactly).isEmpty());
    EXPECT_EQ(f.List1->item(0)->text().toStdString(), Materiali[1][0].Nome);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
  });
  CostruisciImpianto();
  ProgettoModificato = 0;
  SetField(1, campo::ID_MATERIALE, "Inox 316");
  SetField(2, campo::ID_MATERIALE, "INOX 316 ");
  EXPECT_EQ(dialoghi.visti.size(), 1u);
  for (int16_t s = 1; s <= 2; ++s) {
    EXPECT_EQ(Tronco(s).IndiceMateriale, 0);
    EXPECT_EQ(Trim(Tronco(s).ID_MATERIALE), s == 1 ? "Inox 316" : "INOX 316");
  }
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_NE(MotivoRifiutoCalcolo().find("Inox 316"), std::string::npos) << MotivoRifiutoCalcolo();
}

// Esc is "Annulla" whatever the window asks to replace, a series or a gas: no choice is taken and
// the name is not asked again while the project loads.
TEST_F(FinestraSostituzioni, EscAnnullaPerOgniTipo) {
  ui::ArchiviQt archivi;
  struct Caso {
    const char* tipo;
    int16_t sostituzione;
    const char* mancante;
  };
  for (const Caso& c : {Caso{"serie", SostituzioneMateriale, "Inox 316"}, Caso{"gas", SostituzioneGas, "Gas di città"}}) {
    SCOPED_TRACE(c.tipo);
    frmEquiv.Reset();
    const size_t visti = dialoghi.visti.size();
    dialoghi.Attendi("frmEquiv", [](QDialog& d) {
      EXPECT_GT(static_cast<ui::frmEquivDialog&>(d).List1->count(), 0);
      QTest::keyClick(&d, Qt::Key_Escape);
      EXPECT_FALSE(d.isVisible());
    });
    frmEquiv.Substitute(c.mancante, c.sostituzione);
    EXPECT_EQ(frmEquiv.value(), 0);
    frmEquiv.Substitute(c.mancante, c.sostituzione);
    EXPECT_EQ(frmEquiv.value(), 0);
    EXPECT_EQ(dialoghi.visti.size(), visti + 1) << "asked once";
  }
}

}  // namespace
}  // namespace varnex::test
