// The main window: menus and shortcuts, the toolbar's commands, the gas selector and the timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>

#include "editor/ui/archivi_finestre.h"
#include "editor/ui/gasgrid.h"
#include "model/rete.h"
#include "model/strings.h"
#include "shell/stato_interfaccia.h"
#include "app/ui/main_window.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  test::ArchiviDistribuiti archivi_;
};

TEST_F(MainWindowTest, MenusHaveTheirCaptionsAndShortcuts) {
  frmMainForm f;
  struct {
    QAction* voce;
    const char* testo;
    QKeySequence tasto;
  } voci[] = {
      {f.NuovoMnu, "Nuovo progetto", QKeySequence(Qt::Key_F5)},
      {f.ApriMnu, "Apri progetto...", QKeySequence(Qt::Key_F3)},
      {f.SalvaMnu, "Salva progetto", QKeySequence(Qt::Key_F2)},
      {f.SaveAsMnu, "Salva con nome...", QKeySequence()},
      {f.ParametriMnu, "Parametri di progetto...", QKeySequence(Qt::Key_F4)},
      {f.defaultValue, "Valori di default ...", QKeySequence(Qt::CTRL | Qt::Key_D)},
      {f.StampaMnu, "Stampa...", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {f.mnuImpostaStampante, "Imposta Stampante...", QKeySequence()},
      {f.EsciMnu, "Esci", QKeySequence()},
      {f.MaterialiMnu, "Tubazioni...", QKeySequence(Qt::CTRL | Qt::Key_T)},
      {f.mnuGas, "Gas...", QKeySequence(Qt::CTRL | Qt::Key_G)},
      {f.mnuEqLen, "Lungh. Equiv...", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {f.mnuPreferenze, "PDC predefinite...", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {f.mnuManuale, "Manuale...", QKeySequence(Qt::Key_F1)},
      {f.mnuArchiveCopy, "Copia Archivi...", QKeySequence()},
      {f.mnuProjectFileCopy, "Copia File di Progetto...", QKeySequence()},
      {f.mnuShowHints, "Visualizza suggerimenti", QKeySequence()},
      {f.AboutMnu, "Informazioni...", QKeySequence()},
  };
  for (const auto& v : voci) {
    EXPECT_EQ(v.voce->text(), QString::fromUtf8(v.testo));
    EXPECT_EQ(v.voce->shortcut(), v.tasto) << v.testo;
  }
  EXPECT_EQ(f.mnuFile->title(), QStringLiteral("&File"));
  EXPECT_EQ(f.mnuArchivi->title(), QStringLiteral("Archivi"));
  EXPECT_EQ(f.mnuHelp->title(), QStringLiteral("Help"));
  EXPECT_EQ(f.mnuFile->actions().size(), 12);  // nine entries and three separators
  EXPECT_TRUE(f.mnuShowHints->isCheckable());
  // The two table editors wait for the activity; the copies are always there.
  for (QAction* a : {f.mnuEqLen, f.mnuPreferenze}) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  for (QAction* a : {f.MaterialiMnu, f.mnuGas, f.StampaMnu, f.mnuArchiveCopy, f.mnuProjectFileCopy})
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
  f.MenuAttivita(true);
  EXPECT_TRUE(f.mnuEqLen->isEnabled());
  EXPECT_FALSE(f.mnuPreferenze->isEnabled());
  f.MenuAttivita(false);
  EXPECT_FALSE(f.mnuEqLen->isEnabled());
  EXPECT_TRUE(f.mnuPreferenze->isEnabled());
  EXPECT_TRUE(f.SSCommand2->isEnabled());
  EXPECT_TRUE(f.SSCommand4->isEnabled());
}

TEST_F(MainWindowTest, MenusSurviveTheEventsAfterLoading) {
  frmMainForm f;
  QPointer<QMenu> file = f.mnuFile;
  QPointer<QMenuBar> barra = f.barraMenu;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  ASSERT_FALSE(file.isNull());
  ASSERT_FALSE(barra.isNull());
  EXPECT_TRUE(f.menuWidget()->isAncestorOf(barra));
  EXPECT_EQ(barra->actions().size(), 3);
  f.mnuShowHints->setChecked(true);  // the start-up sequence ticks it after the tips
  EXPECT_TRUE(f.mnuShowHints->isChecked());
}

TEST_F(MainWindowTest, LoadSetsTitleFlagsAndToolbar) {
  DittaRiga1 = "  Termoidraulica Rossi ";
  DittaRiga2 = "Via Roma 1";
  DittaAgente.clear();
  frmMainForm f;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("VarnexPro"));
  EXPECT_EQ(f.Label1->text(), QStringLiteral("Termoidraulica Rossi"));
  EXPECT_EQ(f.Label7->text(), QStringLiteral("Via Roma 1"));
  EXPECT_FALSE(f.lblAgente->isVisible());
  EXPECT_EQ(RicalcoloAutomatico, -1);
  EXPECT_EQ(CursoreBloccato, 0);
  EXPECT_EQ(StatoBloccoDiametri, -1);
  for (QWidget* w : std::initializer_list<QWidget*>{f.CommandCalculate, f.CommandCursorLocked,
                                                    f.CommandAutomaticRecalculate, f.SSCommandRefresh,
                                                    f.cmdParameterElemSel, f.Label3, f.txtScaleW, f.Command6,
                                                    f.Command7, f.Label6})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(f.ComboGas->isEnabled());
  EXPECT_EQ(f.ComboGas->currentText(), QString::fromStdString(DefaultGas));
  EXPECT_EQ(f.CommandCalculate->toolTip(), QStringLiteral("Ricalcolo della Rete"));
  DittaRiga1.clear();
  DittaRiga2.clear();
}

TEST_F(MainWindowTest, AnAgentLineIsShown) {
  DittaAgente = "Agente: Bianchi";
  frmMainForm f;
  EXPECT_TRUE(f.lblAgente->isVisible());
  EXPECT_EQ(f.lblAgente->text(), QStringLiteral("Agente: Bianchi"));
  DittaAgente.clear();
}

TEST(Frame1, PlacedAtLeastAt3000Twips) {
  EXPECT_EQ(frmMainForm::GeometriaFrame1(12150, 8930, 3500, 0, 60).left(), 3000);
  const QRect r = frmMainForm::GeometriaFrame1(12150, 8930, 30000, 100, 60);
  EXPECT_EQ(r.width(), 12150 - 100 - 12150 / 15);
  EXPECT_EQ(r.left(), 30000 - (60 + r.width()));
  EXPECT_EQ(r.height(), 8930);
}

TEST_F(MainWindowTest, GasSelectorListsAndSelects) {
  frmMainForm f;
  ReteInPressione = 0;
  f.InitInitialGasCombo(std::nullopt);
  int combustibili = 0;
  for (int16_t i = 1; i <= NumGas; ++i) combustibili += ArchivioGas[static_cast<size_t>(i)].NonCombustibile ? 0 : 1;
  EXPECT_EQ(f.ComboGas->count(), combustibili);
  EXPECT_EQ(f.ComboGas->currentIndex(), 0);
  ReteInPressione = -1;
  f.InitInitialGasCombo(ArchivioGas[2].Nome);
  EXPECT_EQ(f.ComboGas->count(), NumGas);
  EXPECT_EQ(f.ComboGas->currentText(), QString::fromStdString(ArchivioGas[2].Nome));
  f.SelectItemInGasList("NESSUNO");
  EXPECT_EQ(f.ComboGas->currentIndex(), -1);
  EXPECT_TRUE(f.ComboGas->currentText().isEmpty());
  // A gas the archive lacks (a project's gas with no substitute) shows by its name.
  EXPECT_EQ(f.ComboGas->placeholderText(), QStringLiteral("NESSUNO"));
  // The project's gas written with other blanks and letter case is the archive's gas.
  f.SelectItemInGasList(" " + UCase(ArchivioGas[1].Nome) + "\u00A0");
  EXPECT_EQ(f.ComboGas->currentText(), QString::fromStdString(ArchivioGas[1].Nome));
  EXPECT_TRUE(f.ComboGas->placeholderText().isEmpty());
  ReteInPressione = 0;
}

TEST_F(MainWindowTest, LeavingTheSelectorOnTheSameGasKeepsTheProject) {
  frmMainForm f;
  f.CaricaEditor();
  PDCMaxUtente = 200;
  ProgettoModificato = 0;
  f.SelectItemInGasList(GasCorrente.Nome);
  f.ComboGas_LostFocus();
  EXPECT_EQ(PDCMaxUtente, 200);
  EXPECT_EQ(ProgettoModificato, 0);
  // Another gas is applied: automatic drop, modified project.
  f.SelectItemInGasList(ArchivioGas[2].Nome);
  f.ComboGas_LostFocus();
  EXPECT_EQ(GasCorrente.Nome, ArchivioGas[2].Nome);
  EXPECT_EQ(PDCMaxUtente, 0);
  EXPECT_EQ(ProgettoModificato, -1);
  // Typed letters change nothing.
  f.ComboGas_KeyPress('a');
  EXPECT_EQ(f.ComboGas->currentText(), QString::fromStdString(ArchivioGas[2].Nome));
}

TEST_F(MainWindowTest, ZoomButtonsClampTheStep) {
  frmMainForm f;
  GasGrid& g = f.CaricaEditor();
  g.ScaleFactor = 5;
  f.Command6_Click();
  EXPECT_EQ(g.ScaleFactor, 5);
  EXPECT_EQ(f.txtScaleW->text(), QStringLiteral("169"));
  g.ScaleFactor = -12;
  f.Command7_Click();
  EXPECT_EQ(g.ScaleFactor, -12);
  EXPECT_EQ(f.txtScaleW->text(), QStringLiteral("28"));
  g.ScaleFactor = 0;
  f.Command6_Click();
  EXPECT_EQ(g.ScaleFactor, 1);
  EXPECT_EQ(f.txtScaleW->text(), QStringLiteral("111"));
}

// The zoom and redraw buttons act on the editor: once it is unloaded they are disabled, and they
// come back with it.
TEST_F(MainWindowTest, ZoomAndRedrawFollowTheEditor) {
  frmMainForm f;
  f.CaricaEditor();
  for (Comando c : {Comando::Command6, Comando::Command7, Comando::SSCommandRefresh})
    f.ImpostaComando(c, {true, Immagine::Nessuna});
  EXPECT_TRUE(f.Command6->isEnabled());
  EXPECT_TRUE(f.Command7->isEnabled());
  const bool ridisegno = f.SSCommandRefresh->isEnabled();  // also needs the schema drawing
  f.ScaricaEditor();
  EXPECT_FALSE(f.Command6->isEnabled());
  EXPECT_FALSE(f.Command7->isEnabled());
  EXPECT_FALSE(f.SSCommandRefresh->isEnabled());
  f.CaricaEditor();
  EXPECT_TRUE(f.Command6->isEnabled());
  EXPECT_TRUE(f.Command7->isEnabled());
  EXPECT_EQ(f.SSCommandRefresh->isEnabled(), ridisegno);
}

TEST_F(MainWindowTest, TogglesFlipTheFlagsAndPictures) {
  frmMainForm f;
  RicalcoloAutomatico = -1;
  f.CommandAutomaticRecalculate_Click();
  EXPECT_EQ(RicalcoloAutomatico, 0);
  EXPECT_EQ(f.FiguraComando(Comando::CommandAutomaticRecalculate), Immagine::ImageCalcAuto);
  f.CommandAutomaticRecalculate_Click();
  EXPECT_EQ(RicalcoloAutomatico, -1);
  EXPECT_EQ(f.FiguraComando(Comando::CommandAutomaticRecalculate), Immagine::ImageCalcAutoSel);
  CursoreBloccato = 0;
  f.CommandCursorLocked_Click();
  EXPECT_EQ(CursoreBloccato, -1);
  EXPECT_EQ(f.FiguraComando(Comando::CommandCursorLocked), Immagine::ImageCursSel);
}

TEST_F(MainWindowTest, DiameterLockSetsTheRangeOppositeToItsTopRow) {
  test::ReteDiProva(false);
  for (int16_t s = 5; s <= 8; ++s) {
    Tronco(s) = Tronco(4);
    Tronco(s).ID_PREV = static_cast<int16_t>(s - 1);
    Tronco(s - 1).ID_LEFT = s;
  }
  Tronco(8).ID_LEFT = 0;
  Rete().NumTronchi = 8;
  frmMainForm f;
  GasGrid& g = f.CaricaEditor();
  g.SelezionaPagina(0);
  g.NewRete(1);
  for (bool dalBasso : {false, true}) {
    Tronco(3).ID_DIAMCUSTOM = -1;
    Tronco(4).ID_DIAMCUSTOM = -1;
    Tronco(5).ID_DIAMCUSTOM = 0;
    g.Grid->SetRowCol(dalBasso ? 6 : 3, 2);
    g.Grid->SetSelezione(dalBasso ? 3 : 6, 2);
    f.cmdDiamLocked_Click();
    // Row 3 (the topmost, locked) decides, whichever end the selection started from.
    for (int16_t r = 3; r <= 6; ++r) EXPECT_EQ(Tronco(r).ID_DIAMCUSTOM, 0) << r << (dalBasso ? " up" : " down");
    EXPECT_EQ(Tronco(7).ID_DIAMCUSTOM, 0);
    EXPECT_EQ(f.FiguraComando(Comando::cmdDiamLocked), Immagine::ImgLockOpen);
  }
  // An unlocked top row locks the range.
  g.Grid->SetRowCol(3, 2);
  g.Grid->SetSelezione(4, 2);
  f.cmdDiamLocked_Click();
  EXPECT_EQ(Tronco(3).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(Tronco(4).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(f.FiguraComando(Comando::cmdDiamLocked), Immagine::ImgLockClosed);
}

TEST_F(MainWindowTest, TimerHidesOtherWindowsWhileMinimised) {
  frmMainForm f;
  GasGrid& g = f.CaricaEditor();
  QWidget altra;
  RegistraFinestra(&altra);
  altra.show();
  f.Timer1_Timer();
  EXPECT_TRUE(altra.isVisible());
  f.setWindowState(Qt::WindowMinimized);
  f.Timer1_Timer();
  EXPECT_FALSE(altra.isVisible());
  EXPECT_EQ(RegistroFinestre::Tag(&g), QStringLiteral("X"));
  f.setWindowState(Qt::WindowNoState);
}

TEST_F(MainWindowTest, CalculateButtonRefusesANonCombustibleGasForAnInstallation) {
  int16_t azoto = 0;
  for (int16_t i = 1; i <= NumGas; ++i)
    if (ArchivioGas[static_cast<size_t>(i)].NonCombustibile) azoto = i;
  ASSERT_NE(azoto, 0);
  frmMainForm f;
  f.CaricaEditor();
  ReteInPressione = -1;
  f.InitInitialGasCombo(ArchivioGas[static_cast<size_t>(azoto)].Nome);
  ReteInPressione = 0;
  const size_t prima = archivi_.Utente().messaggi.size();
  f.CommandCalculate_Click();
  ASSERT_EQ(archivi_.Utente().messaggi.size(), prima + 1);
  EXPECT_EQ(archivi_.Utente().messaggi.back().testo,
            "Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile");
}

}  // namespace
}  // namespace varnex::ui
