// The gas editor window under offscreen: opening on the default gas, the numeric boxes, the
// panel of combustible gases and the questions on pending changes.
#include <QInputDialog>
#include <QTest>

#include <gtest/gtest.h>

#include "archives/ui/gas_editor.h"
#include "archives/ui/materiali_editor.h"
#include "shell/ambiente_prova.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class FinestreArchivi : public ProgrammaProva {
 protected:
  FakeInterazione utente;
  FakeAmbiente finestre;
  FakeDialoghi dialoghi;
};

TEST_F(FinestreArchivi, GasSiApreSulPredefinitoEFiltraITasti) {
  DefaultGas = "GPL Butano";
  ui::frmGas d;
  EXPECT_EQ(d.windowTitle(), "Gestione GAS");
  EXPECT_EQ(d.Combo1->currentText(), "GPL Butano");
  EXPECT_EQ(d.txtDensita->text(), "2,075");
  EXPECT_FALSE(d.editor.GasModificato);
  d.txtDensita->clear();
  QTest::keyClicks(d.txtDensita, "1a,b5");
  EXPECT_EQ(d.txtDensita->text(), "1,5");
  EXPECT_TRUE(d.editor.GasModificato);
  // Ticking the box hides the combustible panel and is no change of its own.
  d.editor.GasModificato = false;
  d.chkGasCombustibile->setChecked(true);
  EXPECT_TRUE(d.pnlCombustibile->isHidden());
  EXPECT_FALSE(d.editor.GasModificato);
}

TEST_F(FinestreArchivi, GasCambioAnnullatoLasciaIlNomeNuovoEICampiVecchi) {
  ui::frmGas d;
  EXPECT_EQ(d.Combo1->currentText(), "Metano");
  d.txtPCinf->setText("30,0");
  d.Combo1->setCurrentIndex(1);
  utente.Attendi("Salvare le modifiche?", Risposta::Annulla);
  d.Combo1_Click();
  EXPECT_EQ(d.Combo1->currentText(), "GPL Propano");
  EXPECT_EQ(d.txtPCinf->text(), "30,0");
  EXPECT_EQ(d.editor.IndiceGas, 1);
  // "Annulla" with pending changes, answered No: closes, nothing written.
  utente.Attendi("Salvare le modifiche?", Risposta::No);
  d.cmdExit->click();
  EXPECT_FLOAT_EQ(ArchivioGas[1].PCI, 34.02f);
}

TEST_F(FinestreArchivi, GasNuovoChiedeIlNomeESelezionaLaVoce) {
  ui::frmGas d;
  dialoghi.Attendi("InputBox", [](QDialog& x) {
    auto& p = static_cast<QInputDialog&>(x);
    EXPECT_EQ(p.labelText(), "Nome del gas");
    p.setTextValue("Biogas");
    p.accept();
  });
  d.cmdNew->click();
  EXPECT_EQ(d.Combo1->currentText(), "Biogas");
  EXPECT_EQ(d.txtDensita->text(), "0,000");
  EXPECT_FALSE(d.pnlCombustibile->isHidden());
}

// A gas is found by its name trimmed and without regard to letter case: "Metano " is the Metano
// already there, in the editor as in "gas.cfg".
TEST_F(FinestreArchivi, GasDelloStessoNomeConUnoSpazioORiconosciuto) {
  ui::frmGas d;
  const int voci = d.Combo1->count();
  for (const char* nome : {"Metano ", " metano", "METANO"}) {
    dialoghi.Attendi("InputBox", [nome](QDialog& x) {
      static_cast<QInputDialog&>(x).setTextValue(nome);
      static_cast<QInputDialog&>(x).accept();
    });
    utente.Attendi(MsgGasEsistente);
    d.cmdNew->click();
    EXPECT_EQ(d.Combo1->count(), voci) << nome;
  }
  dialoghi.Attendi("InputBox", [](QDialog& x) {
    static_cast<QInputDialog&>(x).setTextValue("Biogas");
    static_cast<QInputDialog&>(x).accept();
  });
  d.cmdNew->click();
  EXPECT_EQ(d.Combo1->count(), voci + 1);
  EXPECT_EQ(d.Combo1->currentText(), "Biogas");

  // A second Metano written into "gas.cfg" by hand is told and not loaded.
  const std::string originale = cartella.Read("gas.cfg");
  cartella.Write("gas.cfg", originale + "metano \t 0,6 \t 1,6E-05 \t 35 \t 38 \t 0 \r\n");
  utente.Attendi("e' gia' presente con lo stesso nome");
  InitGas();
  EXPECT_NE(utente.messaggi.back().testo.find("gas.cfg"), std::string::npos) << utente.messaggi.back().testo;
  int metani = 0;
  for (int16_t i = 1; i <= NumGas; ++i) metani += StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, "Metano");
  EXPECT_EQ(metani, 1);
  EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
}

TEST_F(FinestreArchivi, TubazioniMostraLaSerieECommitDaTastiera) {
  ui::GestMateriali d;
  EXPECT_EQ(d.windowTitle(), "Gestione tubazioni");
  EXPECT_EQ(d.cmbMateriali->count(), NumMateriali);
  EXPECT_EQ(d.cmbMateriali->currentText(), QString::fromStdString(DefaultMateriale));
  EXPECT_EQ(d.Grid->columnCount(), 5);
  EXPECT_EQ(d.Grid->rowCount(), 49);
  const int n = d.editor.CopiaSerie[0].NumDiametri;
  ASSERT_GT(n, 0);
  EXPECT_EQ(d.Grid->item(0, 0)->text(), QString::fromStdString(Materiali[static_cast<size_t>(d.editor.IndiceSerie)][1].RifDiametro));
  // Enter opens the cell editor with the text, a second Enter commits it unchanged.
  d.Grid->setCurrentCell(0, 0);
  QTest::keyClick(d.Grid, Qt::Key_Return);
  EXPECT_TRUE(d.txtEdit->isVisibleTo(&d));
  QTest::keyClick(d.txtEdit, Qt::Key_Return);
  EXPECT_FALSE(d.txtEdit->isVisibleTo(&d));
  EXPECT_TRUE(d.editor.SerieModificata);
  EXPECT_EQ(d.Grid->currentColumn(), 1);
  // A key on a computed column does nothing.
  d.Grid->setCurrentCell(0, 3);
  QTest::keyClick(d.Grid, Qt::Key_5);
  EXPECT_FALSE(d.txtEdit->isVisibleTo(&d));
  utente.Attendi("Salvare le modifiche?", Risposta::No);
  d.CmdEsci->click();
}

}  // namespace
}  // namespace varnex::test
