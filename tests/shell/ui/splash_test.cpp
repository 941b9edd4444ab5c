#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/interaction.h"
#include "shell/sw_company.h"
#include "shell/ui/qt_interaction.h"
#include "shell/ui/services.h"
#include "shell/ui/splash.h"
#include "shell/ui/window_registry.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;

TEST(StartUpWindow, StartUpModeHasTheProgressBarAndNoChiudi) {
  frmSplash splash;
  splash.MostraAvvio();
  EXPECT_TRUE(splash.isVisible());
  EXPECT_FALSE(splash.isModal());
  EXPECT_TRUE(splash.ProgressBar1->isVisible());
  EXPECT_FALSE(splash.Command1->isVisible());
  EXPECT_EQ(splash.ProgressBar1->minimum(), 0);
  EXPECT_EQ(splash.ProgressBar1->maximum(), 5);
  EXPECT_TRUE(splash.cmdContatti->isVisible());
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Informazioni su VarnexPro"));
  EXPECT_EQ(splash.Label2->text(), QStringLiteral(" VarnexPro versione 4.0 Build. 15"));
  EXPECT_EQ(splash.Frame1->title(), QStringLiteral("Attenzione"));
  EXPECT_FALSE(splash.Label1->text().isEmpty());
  EXPECT_FALSE(splash.Image2->pixmap().isNull());
  EXPECT_EQ(splash.size(), QSize(460, 342));
  EXPECT_TRUE(splash.Timer2->isActive());
  EXPECT_EQ(splash.Timer2->interval(), 200);
  EXPECT_TRUE(RegistroFinestre::Istanza().Contiene(&splash));
}

TEST(StartUpWindow, TheUserCannotCloseItWhileTheProgramLoads) {
  frmSplash splash;
  splash.MostraAvvio();
  QTest::keyClick(&splash, Qt::Key_Escape);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_FALSE(splash.windowFlags().testFlag(Qt::WindowCloseButtonHint)) << "no close box";
  EXPECT_TRUE(splash.close()) << "the program itself may close it";
}

TEST(StartUpWindow, ProgressTextsOfTheCoreReachTheStatusLineWhileItIsUp) {
  QtInterazione interazione;
  ImpostaInterazione(&interazione);
  {
    frmSplash splash;
    splash.MostraAvvio();
    Interazione().Stato("Caricamento tubazione: Rame");
    EXPECT_EQ(splash.lblWorking->text(), QStringLiteral("Caricamento tubazione: Rame"));
    splash.ShowWorking("Caricamento archivio gas");
    EXPECT_EQ(splash.lblWorking->text(), QStringLiteral("Caricamento archivio gas"));
  }
  Interazione().Stato("dopo la chiusura");  // nobody listens any more: no crash
  ImpostaInterazione(nullptr);
}

TEST(StartUpWindow, AboutModeHasChiudiAndNoProgressBar) {
  FakeDialoghi utente;
  frmSplash splash;
  bool controllato = false;
  utente.Attendi("frmSplash", [&](QDialog&) {
    EXPECT_TRUE(splash.Command1->isVisible());
    EXPECT_FALSE(splash.ProgressBar1->isVisible());
    EXPECT_TRUE(splash.lblWorking->text().isEmpty());
    EXPECT_EQ(splash.Command1->text(), QStringLiteral("Chiudi"));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    controllato = true;
    splash.Command1->click();
  });
  splash.MostraInformazioni();
  EXPECT_TRUE(controllato);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_EQ(splash.result(), QDialog::Accepted);
  EXPECT_EQ(utente.visti, std::vector<std::string>{"frmSplash"}) << "shown through the modal service";
}

TEST(StartUpWindow, FlameAlternatesItsTwoPictures) {
  frmSplash splash;
  EXPECT_EQ(splash.k, 0);
  splash.Timer2_Timer();
  const QImage immagine0 = splash.picFlame->pixmap().toImage();
  EXPECT_EQ(splash.k, 1);
  splash.Timer2_Timer();
  const QImage immagine1 = splash.picFlame->pixmap().toImage();
  EXPECT_EQ(splash.k, 0);
  EXPECT_NE(immagine0, immagine1);
  splash.Timer2_Timer();
  EXPECT_EQ(splash.picFlame->pixmap().toImage(), immagine0);
  EXPECT_EQ(splash.k, 1);
}

// The flame follows its timer's ticks, and only them: the test gives them, the clock is held.
TEST(StartUpWindow, EachTickOfItsTimerShowsTheOtherFlame) {
  frmSplash splash;
  splash.MostraAvvio();
  ASSERT_TRUE(splash.Timer2->isActive());
  EXPECT_EQ(splash.k, 0);
  Scatta(*splash.Timer2);
  EXPECT_EQ(splash.k, 1);
  Scatta(*splash.Timer2);
  EXPECT_EQ(splash.k, 0);
}

TEST(StartUpWindow, ContactsCardOpensModalFromBothModes) {
  FakeDialoghi utente;
  frmSplash splash;
  splash.MostraAvvio();
  utente.Attendi("frmContatti", [](QDialog& card) {
    EXPECT_EQ(card.windowTitle(), QStringLiteral("Contatti"));
    EXPECT_EQ(card.size(), QSize(385, 182));
    auto* c = static_cast<frmContatti*>(&card);
    EXPECT_EQ(c->Righe[0]->text(), QString::fromUtf8(DettagliPredefiniti().nome));
    EXPECT_EQ(c->Righe[4]->text(), QString::fromUtf8(DettagliPredefiniti().email));
    c->cmdChiudi->click();
  });
  splash.cmdContatti->click();
  EXPECT_EQ(utente.visti, std::vector<std::string>{"frmContatti"});

  // In about mode, the card opens over the modal window and Chiudi of the card leaves it up.
  utente.Attendi("frmSplash", [&](QDialog&) {
    splash.cmdContatti->click();
    EXPECT_TRUE(splash.isVisible());
    splash.Command1->click();
  });
  utente.Attendi("frmContatti", FakeDialoghi::Clicca(QStringLiteral("Chiudi")));
  splash.MostraInformazioni();
  EXPECT_EQ(utente.visti, (std::vector<std::string>{"frmContatti", "frmSplash", "frmContatti"}));
}

}  // namespace
}  // namespace varnex::ui
