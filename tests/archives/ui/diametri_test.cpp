// The diameter picker under offscreen: what it lists, what counts as a pick, and how each way of
// leaving it ends the choice.
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/diametri.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class PickerDiametri : public ProgrammaProva {
 protected:
  static QStringList Voci(const ui::ViewDiametriFrm& d) {
    QStringList v;
    for (int i = 0; i < d.List1->count(); ++i) v << d.List1->item(i)->text();
    return v;
  }
  FakeDialoghi dialoghi;
};

TEST_F(PickerDiametri, ElencaAutoEIDiametriNellOrdineDellaSerie) {
  // Labels in the series' own order, duplicates and empty labels included, never sorted.
  TSerieMateriale& s = Materiali[2];
  s[0].NumDiametri = 4;
  s[1].RifDiametro = "3/4\"";
  s[2].RifDiametro = "1/2\"";
  s[3].RifDiametro = "3/4\"";
  s[4].RifDiametro = "";
  s[5].RifDiametro = "oltre";  // past NumDiametri: not listed
  ui::ViewDiametriFrm d;
  EXPECT_EQ(d.windowTitle(), "Diametri Disponibili");
  d.Selected = "vecchio";
  d.SetMateriale(2);
  EXPECT_EQ(d.Label1->text(), QString::fromStdString(s[0].Nome));
  EXPECT_EQ(Voci(d), (QStringList{"Auto", "3/4\"", "1/2\"", "3/4\"", ""}));
  EXPECT_TRUE(d.List1->selectedItems().isEmpty());
  EXPECT_TRUE(d.Selected.empty());
  // Series 0 and a series without diameters list only "Auto".
  d.SetMateriale(0);
  EXPECT_EQ(d.Label1->text(), "");
  EXPECT_EQ(Voci(d), QStringList{"Auto"});
  s[0].NumDiametri = 0;
  d.SetMateriale(2);
  EXPECT_EQ(Voci(d), QStringList{"Auto"});
}

TEST_F(PickerDiametri, SoloUnaVoceSelezionataEUnaScelta) {
  const std::string terza = Materiali[1][3].RifDiametro;
  const std::string prima = Materiali[1][1].RifDiametro;
  // Nothing picked, "OK": empty, though the list makes "Auto" current when it takes the focus.
  dialoghi.Attendi("varnex::ui::ViewDiametriFrm", [](QDialog& d) {
    auto& v = static_cast<ui::ViewDiametriFrm&>(d);
    v.activateWindow();
    v.List1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(v.List1->currentRow(), 0);
    v.Command2->click();
  });
  EXPECT_EQ(ui::ScegliDiametro(1), "");
  // Several picks by keyboard and mouse: the last one, by "OK".
  dialoghi.Attendi("ViewDiametriFrm", [&](QDialog& d) {
    auto& v = static_cast<ui::ViewDiametriFrm&>(d);
    v.List1->setCurrentRow(1);
    EXPECT_EQ(v.Selected, prima);
    QTest::keyClick(v.List1, Qt::Key_Down);
    QTest::keyClick(v.List1, Qt::Key_Down);
    EXPECT_EQ(v.Selected, terza);
    QTest::keyClick(v.List1, Qt::Key_Home);
    EXPECT_EQ(v.Selected, "Auto");
    v.List1->setCurrentRow(3);
    FakeDialoghi::Clicca("OK")(d);
  });
  EXPECT_EQ(ui::ScegliDiametro(1), terza);
  // A pick, then a double click ends the choice with it.
  dialoghi.Attendi("ViewDiametriFrm", [&](QDialog& d) {
    auto& v = static_cast<ui::ViewDiametriFrm&>(d);
    QListWidgetItem* voce = v.List1->item(1);
    const QRect r = v.List1->visualItemRect(voce);
    QTest::mouseClick(v.List1->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(v.List1->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(v.isVisible());
  });
  EXPECT_EQ(ui::ScegliDiametro(1), prima);
  // "OK" straight away after an earlier pick: the new choice starts empty.
  dialoghi.Attendi("ViewDiametriFrm", FakeDialoghi::Clicca("OK"));
  EXPECT_EQ(ui::ScegliDiametro(1), "");
}

TEST_F(PickerDiametri, AnnullaEscEChiusuraDellaFinestra) {
  const std::string seconda = Materiali[1][2].RifDiametro;
  auto scegliPoi = [](std::function<void(ui::ViewDiametriFrm&)> fine) {
    return [fine](QDialog& d) {
      auto& v = static_cast<ui::ViewDiametriFrm&>(d);
      v.List1->setCurrentRow(2);
      fine(v);
    };
  };
  dialoghi.Attendi("ViewDiametriFrm", scegliPoi([](ui::ViewDiametriFrm& v) { v.Command1->click(); }));
  EXPECT_EQ(ui::ScegliDiametro(1), "");
  dialoghi.Attendi("ViewDiametriFrm", scegliPoi([](ui::ViewDiametriFrm& v) {
    QTest::keyClick(v.List1, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
  }));
  EXPECT_EQ(ui::ScegliDiametro(1), "");
  // The close box keeps the pick, like "OK".
  dialoghi.Attendi("ViewDiametriFrm", scegliPoi([](ui::ViewDiametriFrm& v) { v.close(); }));
  EXPECT_EQ(ui::ScegliDiametro(1), seconda);
  EXPECT_EQ(Materiali[1][2].RifDiametro, seconda);  // the archive is only read
}

}  // namespace
}  // namespace varnex::test
