// The pipe-series window under offscreen: the list that goes back on a cancelled pick, a new
// series through the name prompt, the cell editor's Esc, and the close box asking like "Annulla".
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QInputDialog>
#include <QTest>
#include <filesystem>

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

// A refused outer diameter or thickness leaves the cursor on the refused cell with the value the
// row held, so that the correction typed next lands there (and not on the diameter's label).
TEST_F(FinestraTubazioni, UnValoreRifiutatoLasciaIlCursoreSullaCellaEIlValoreDellaRiga) {
  ui::GestMateriali d;
  d.show();
  QApplication::processEvents();
  const TMateriale prima = d.editor.CopiaSerie[1];
  const QString etichetta = d.Grid->item(0, 0)->text();
  const QString esterno = d.Grid->item(0, 1)->text();
  const QString spessore = d.Grid->item(0, 2)->text();
  ASSERT_GT(prima.Spessore, 1.0f);

  struct Caso {
    int colonna;
    const char* digitato;
    const char* messaggio;
  } casi[] = {{1, "1", MsgEsternoNonCompatibile}, {2, "99", MsgSpessoreNonCompatibile}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.digitato);
    d.Grid->setCurrentCell(0, c.colonna);
    d.Grid->setFocus();
    // The first key opens the cell editor, which takes the rest.
    QTest::keyClick(d.Grid, c.digitato[0]);
    QTest::keyClicks(d.txtEdit, c.digitato + 1);
    utente.Attendi(c.messaggio);
    QTest::keyClick(d.txtEdit, Qt::Key_Return);
    EXPECT_EQ(d.Grid->currentRow(), 0);
    EXPECT_EQ(d.Grid->currentColumn(), c.colonna);
    EXPECT_EQ(d.Grid->item(0, 1)->text(), esterno);
    EXPECT_EQ(d.Grid->item(0, 2)->text(), spessore);
    EXPECT_EQ(d.editor.CopiaSerie[1].DiamEsterno, prima.DiamEsterno);
    EXPECT_EQ(d.editor.CopiaSerie[1].Spessore, prima.Spessore);
    EXPECT_FALSE(d.editor.SerieModificata);
  }
  // The correction goes into the cell the cursor is on.
  d.Grid->setCurrentCell(0, 1);
  QTest::keyClick(d.Grid, Qt::Key_1);
  utente.Attendi(MsgEsternoNonCompatibile);
  QTest::keyClick(d.txtEdit, Qt::Key_Return);
  QTest::keyClick(d.Grid, '5');
  QTest::keyClicks(d.txtEdit, "4");
  QTest::keyClick(d.txtEdit, Qt::Key_Return);
  EXPECT_EQ(d.Grid->item(0, 0)->text(), etichetta);
  EXPECT_EQ(d.editor.CopiaSerie[1].RifDiametro, prima.RifDiametro);
  EXPECT_FLOAT_EQ(d.editor.CopiaSerie[1].DiamEsterno, 54.0f);
  EXPECT_EQ(d.Grid->currentColumn(), 2);
  utente.Attendi("Salvare le modifiche?", Risposta::No);
  d.CmdEsci->click();
}

// A series whose file name holds a point is listed, saved and deleted as that file.
TEST_F(FinestraTubazioni, UnaSerieConUnPuntoNelNomeRestaIlSuoFile) {
  const std::string originale = cartella.Read("PE4437.MAT");
  cartella.Write("PE.SDR11.mat", originale);
  CaricaMateriali();
  ui::GestMateriali d;
  const int indice = d.cmbMateriali->findText("PE.SDR11");
  ASSERT_GE(indice, 0);
  EXPECT_EQ(d.cmbMateriali->findText("PE"), -1);
  d.cmbMateriali->setCurrentIndex(indice);
  d.cmbMateriali_Click();
  ASSERT_EQ(d.editor.CopiaSerie[0].Nome, "PE.SDR11");
  d.Text2->setFocus();
  QTest::keyClicks(d.Text2, " nuovo");
  d.CmdSalva->click();
  EXPECT_FALSE(std::filesystem::exists(cartella.File("PE.mat")));
  EXPECT_NE(cartella.Read("PE.SDR11.mat"), originale);
  EXPECT_NE(cartella.Read("PE.SDR11.mat").find(" nuovo"), std::string::npos);
  d.CmdEsci->click();
  // The next start lists it once, under its own name.
  CaricaMateriali();
  int volte = 0;
  for (int16_t i = 1; i <= NumMateriali; ++i) volte += Materiali[static_cast<size_t>(i)][0].Nome.rfind("PE", 0) == 0;
  EXPECT_EQ(volte, 2);  // PE.SDR11 and PE4437
  ui::GestMateriali e;
  e.cmbMateriali->setCurrentIndex(e.cmbMateriali->findText("PE.SDR11"));
  e.cmbMateriali_Click();
  utente.Attendi("Confermi cancellazione", Risposta::Si);
  utente.Attendi("L'archivio e' stato cancellato");
  e.cmdCancella->click();
  EXPECT_FALSE(std::filesystem::exists(cartella.File("PE.SDR11.mat")));
  EXPECT_EQ(cartella.Read("PE4437.MAT"), originale);
  e.CmdEsci->click();
}

}  // namespace
}  // namespace varnex::test
