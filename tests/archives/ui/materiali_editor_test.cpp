// The pipe-series window under offscreen: the list that goes back on a cancelled pick, a new
// series through the name prompt, the cell editor's Esc, and the close box asking like "Annulla".
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QInputDialog>
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/materiali_editor.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class FinestraTubazioni : public ProgrammaProva {
 protected:
  FakeDialoghi dialoghi;
};

TEST_F(FinestraTubazioni, SceltaAnnullataRimetteLaListaSullaSerieMostrata) {
  ui::GestMateriali d;
  ASSERT_EQ(d.editor.IndiceSerie, 1);
  d.Text2->setFocus();
  QTest::keyClicks(d.Text2, "x");
  EXPECT_TRUE(d.editor.SerieModificata);
  d.cmbMateriali->setCurrentIndex(2);
  utente.Attendi("Salvare le modifiche?", Risposta::Annulla);
  d.cmbMateriali_Click();
  EXPECT_EQ(d.cmbMateriali->currentIndex(), 0);
  EXPECT_EQ(d.editor.IndiceSerie, 1);
  EXPECT_TRUE(d.Text2->text().endsWith("x"));
  // Esc in the cell editor leaves the cell as it was.
  d.Grid->setCurrentCell(0, 1);
  const QString prima = d.Grid->item(0, 1)->text();
  QTest::keyClick(d.Grid, Qt::Key_9);
  ASSERT_TRUE(d.txtEdit->isVisibleTo(&d));
  EXPECT_EQ(d.txtEdit->text(), "9");
  QTest::keyClick(d.txtEdit, Qt::Key_Escape);
  EXPECT_FALSE(d.txtEdit->isVisibleTo(&d));
  EXPECT_EQ(d.Grid->item(0, 1)->text(), prima);
  // The close box asks like "Annulla".
  utente.Attendi("Salvare le modifiche?", Risposta::Annulla);
  d.close();
  utente.Attendi("Salvare le modifiche?", Risposta::No);
  d.CmdEsci->click();
}

TEST_F(FinestraTubazioni, LeColonneMostranoTuttoIlTitolo) {
  ui::GestMateriali d;
  d.show();
  QApplication::processEvents();
  const int parte = (d.Grid->viewport()->width() - 10) / 6;
  const QFontMetrics fm(d.Grid->horizontalHeader()->font());
  for (int c = 0; c < d.Grid->columnCount(); ++c) {
    const QString titolo = d.Grid->horizontalHeaderItem(c)->text();
    EXPECT_GE(d.Grid->columnWidth(c), parte) << titolo.toStdString();
    for (const QString& riga : titolo.split('\n'))
      EXPECT_GT(d.Grid->columnWidth(c), fm.horizontalAdvance(riga)) << titolo.toStdString();
  }
  d.hide();
}

TEST_F(FinestraTubazioni, NuovoChiedeIlNomeEBloccaLaLista) {
  ui::GestMateriali d;
  const int prima = d.cmbMateriali->count();
  dialoghi.Attendi("InputBox", [](QDialog& x) {
    auto& p = static_cast<QInputDialog&>(x);
    EXPECT_EQ(p.labelText(), "Nome del file del materiale");
    EXPECT_EQ(p.windowTitle(), "Nuovo Materiale");
    p.setTextValue(" pvc32 ");
    p.accept();
  });
  d.CmdNuovo->click();
  EXPECT_TRUE(d.editor.SerieNuova);
  EXPECT_EQ(d.cmbMateriali->count(), prima + 1);
  EXPECT_EQ(d.cmbMateriali->currentText(), "PVC32");
  EXPECT_FALSE(d.cmbMateriali->isEnabled());
  EXPECT_EQ(d.Text1->text(), " 0");
  EXPECT_TRUE(d.Option3D1->isChecked());
  EXPECT_TRUE(d.Grid->item(0, 0)->text().isEmpty());
  // Saved, the list takes it and shows the default series again.
  d.CmdSalva->click();
  EXPECT_FALSE(d.editor.SerieNuova);
  EXPECT_TRUE(d.cmbMateriali->isEnabled());
  EXPECT_EQ(d.cmbMateriali->count(), prima + 1);
  EXPECT_EQ(d.cmbMateriali->itemText(prima), "PVC32");
  EXPECT_EQ(d.cmbMateriali->currentText(), QString::fromStdString(DefaultMateriale));
  d.CmdEsci->click();
}

}  // namespace
}  // namespace varnex::test
