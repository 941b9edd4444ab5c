#include <gtest/gtest.h>

#include "shell/hints.h"
#include "shell/settings.h"
#include "shell/sw_company.h"
#include "shell/ui/hints_window.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;

class TipsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ImpostaImpostazioni(&store);
    Hints = {{0, "Primo\r\nsu due righe"}, {1, "Secondo"}, {0, "Terzo"}};
    HintLast = 7;
    HintsShow = true;
    SwCompanyPresente = 0;
  }
  void TearDown() override {
    ImpostaImpostazioni(nullptr);
    Hints.clear();
    HintLast = 0;
    HintsShow = true;
  }
  ImpostazioniInMemoria store;
  FakeDialoghi utente;
};

TEST_F(TipsWindow, OpensOnTheNextTipAndStepsRoundTheList) {
  frmHints w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Suggerimenti..."));
  EXPECT_EQ(w.txtHint->toPlainText(), QStringLiteral("Secondo")) << "7 modulo 3";
  EXPECT_EQ(HintLast, 2);
  EXPECT_FALSE(w.ckDontShowAgain->isChecked());
  EXPECT_EQ(w.ckDontShowAgain->text(), QStringLiteral("Non visualizzare all'avvio"));
  EXPECT_TRUE(w.txtHint->isReadOnly());
  EXPECT_EQ(w.txtHint->font().family(), QStringLiteral("Trebuchet MS"));
  EXPECT_EQ(w.txtHint->font().pointSize(), 12);
  w.cmdNextHint->click();
  EXPECT_EQ(w.txtHint->toPlainText(), QStringLiteral("Terzo"));
  w.cmdNextHint->click();
  EXPECT_EQ(w.txtHint->toPlainText(), QStringLiteral("Primo\nsu due righe"));
  EXPECT_EQ(w.txtHint->document()->blockCount(), 2);
}

TEST_F(TipsWindow, ChiudiStoresBothSettings) {
  frmHints w;
  utente.Attendi("frmHints", [&](QDialog&) {
    w.cmdNextHint->click();
    w.ckDontShowAgain->click();
    w.cmdClose->click();
  });
  EXPECT_EQ(MostraModale(w), QDialog::Accepted);
  EXPECT_FALSE(HintsShow);
  EXPECT_EQ(store.Leggi("Varnex", "HintsShow"), std::optional<std::string>("false"));
  EXPECT_EQ(store.Leggi("Varnex", "HintLast"), std::optional<std::string>("3"));
}

TEST_F(TipsWindow, StartsTickedWhenTipsAreOffAndUntickingTurnsThemOn) {
  HintsShow = false;
  frmHints w;
  EXPECT_TRUE(w.ckDontShowAgain->isChecked());
  utente.Attendi("frmHints", [&](QDialog&) {
    w.ckDontShowAgain->click();
    w.cmdClose->click();
  });
  MostraModale(w);
  EXPECT_TRUE(HintsShow);
  EXPECT_EQ(store.Leggi("Varnex", "HintsShow"), std::optional<std::string>("true"));
}

TEST_F(TipsWindow, ClosingAnyOtherWayStoresNothing) {
  frmHints w;
  utente.Attendi("frmHints", [&](QDialog& d) {
    w.ckDontShowAgain->click();
    d.close();
  });
  EXPECT_EQ(MostraModale(w), QDialog::Rejected);
  EXPECT_TRUE(HintsShow);
  EXPECT_TRUE(store.Valori().empty());
}

TEST_F(TipsWindow, EmptyListOpensAndClosesWithAnEmptyText) {
  Hints.clear();
  frmHints w;
  EXPECT_TRUE(w.txtHint->toPlainText().isEmpty());
  w.cmdNextHint->click();
  EXPECT_TRUE(w.txtHint->toPlainText().isEmpty());
  utente.Attendi("frmHints", FakeDialoghi::Clicca(QStringLiteral("Chiudi")));
  EXPECT_EQ(MostraModale(w), QDialog::Accepted);
  EXPECT_EQ(store.Leggi("Varnex", "HintLast"), std::optional<std::string>("7"));
}

}  // namespace
}  // namespace varnex::ui
