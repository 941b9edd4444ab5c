// The substitution window under offscreen: what it shows, that it is left only through "Procedi"
// with a line selected, and the core's question answered through it while a project loads.
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/archivi.h"
#include "archives/ui/sostituzione_dialog.h"
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
    // Neither Esc nor the close box leaves; "Procedi" without a line shows the message.
    QTest::keyClick(&f, Qt::Key_Escape);
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

}  // namespace
}  // namespace varnex::test
