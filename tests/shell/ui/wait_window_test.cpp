#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "shell/ui/pictures.h"
#include "shell/ui/services.h"
#include "shell/ui/wait_window.h"

namespace varnex::ui {
namespace {

QImage Uguale(const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32_Premultiplied); }
QImage Mostrata(AttesaFrm& w) { return Uguale(w.imgAnim->pixmap().toImage()); }

class WaitWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    ScaricaAttesa();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(WaitWindow, LoadsAtFrameOneWithItsTexts) {
  EXPECT_EQ(AttesaCaricata(), nullptr);
  AttesaFrm& w = MostraAttesa();
  EXPECT_EQ(AttesaCaricata(), &w);
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.isModal());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Attesa"));
  EXPECT_EQ(w.Label1->text(), QStringLiteral("Attendere..."));
  EXPECT_EQ(w.size(), QSize(234, 67));
  EXPECT_EQ(w.k, 1);
  EXPECT_EQ(Mostrata(w), Uguale(DisegnaFotogrammaAttesa(1)));
  EXPECT_EQ(w.Timer1->interval(), 200);
}

TEST_F(WaitWindow, FramesRunOneToFourAndRoundAgain) {
  AttesaFrm& w = MostraAttesa();
  const int attesi[] = {2, 3, 4, 1, 2};
  for (int f : attesi) {
    w.Timer1_Timer();
    EXPECT_EQ(w.k, f);
    EXPECT_EQ(Mostrata(w), Uguale(DisegnaFotogrammaAttesa(f)));
  }
}

TEST_F(WaitWindow, ActivationDrivesTheTimer) {
  AttesaFrm& w = MostraAttesa();
  w.Form_Activate();
  EXPECT_TRUE(w.Timer1->isActive());
  w.Form_Deactivate();
  EXPECT_FALSE(w.Timer1->isActive());
}

// The frames follow the timer's ticks, and only them: ticks the test gives, never the clock.
TEST_F(WaitWindow, EachTickOfItsTimerShowsTheNextFrame) {
  AttesaFrm& w = MostraAttesa();
  w.Form_Activate();
  ASSERT_TRUE(w.Timer1->isActive());
  Scatta(*w.Timer1);
  EXPECT_EQ(w.k, 2);
  EXPECT_EQ(Mostrata(w), Uguale(DisegnaFotogrammaAttesa(2)));
  Scatta(*w.Timer1);
  EXPECT_EQ(w.k, 3);
  w.Form_Deactivate();
  Scatta(*w.Timer1);
  EXPECT_EQ(w.k, 3) << "a stopped timer gives no tick";
}

TEST_F(WaitWindow, HiddenItStopsAtTheFirstTickWhichStillAdvances) {
  AttesaFrm& w = MostraAttesa();
  w.Form_Activate();
  NascondiAttesa();
  EXPECT_EQ(AttesaCaricata(), &w) << "hiding keeps it loaded";
  w.Timer1_Timer();
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.k, 2);
}

TEST_F(WaitWindow, ShownAgainAfterHidingContinuesLoadedAnewStartsAtOne) {
  AttesaFrm* w = &MostraAttesa();
  w->Timer1_Timer();
  w->Timer1_Timer();
  NascondiAttesa();
  EXPECT_EQ(&MostraAttesa(), w);
  EXPECT_EQ(w->k, 3);
  ScaricaAttesa();
  EXPECT_EQ(AttesaCaricata(), nullptr);
  AttesaFrm& nuova = MostraAttesa();
  EXPECT_EQ(nuova.k, 1);
}

TEST_F(WaitWindow, GuardUnloadsAtTheEndOfTheWorkWithoutAnyRepaint) {
  QPointer<AttesaFrm> vista;
  {
    AttesaInCorso attesa;
    vista = AttesaCaricata();
    ASSERT_TRUE(vista);
    EXPECT_TRUE(vista->isVisible());
  }
  EXPECT_EQ(AttesaCaricata(), nullptr);
  ASSERT_TRUE(vista) << "destroyed only back in the event loop";
  EXPECT_FALSE(vista->isVisible());
  EXPECT_FALSE(vista->Timer1->isActive());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(vista.isNull());
}

TEST_F(WaitWindow, UnloadingFromInsideItsOwnTickIsSafe) {
  AttesaFrm& w = MostraAttesa();
  // Work that lets events run and unloads the window from one of them.
  QMetaObject::invokeMethod(qApp, [] { ScaricaAttesa(); }, Qt::QueuedConnection);
  w.Timer1_Timer();
  EXPECT_EQ(AttesaCaricata(), nullptr);
}

TEST_F(WaitWindow, UnloadedByTheEventsItsShowingRunsItStillGivesALiveWindow) {
  // An editor's pending paint unloads the wait window from inside the events it lets run.
  QMetaObject::invokeMethod(qApp, [] { ScaricaAttesa(); }, Qt::QueuedConnection);
  AttesaFrm& w = MostraAttesa();
  ASSERT_NE(AttesaCaricata(), nullptr);
  EXPECT_EQ(AttesaCaricata(), &w);
  EXPECT_EQ(w.k, 1);
}

}  // namespace
}  // namespace varnex::ui
