// The in-place editors and the network-wide selectors on the editor window itself: keys reach
// the logic through the widgets, and the table shows what was committed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <fstream>
#include <iterator>

#include "editor/tabella.h"
#include "editor/ui/archivi_finestre.h"
#include "editor/ui/celle.h"
#include "editor/ui/gasgrid.h"
#include "editor/ui/griglia.h"
#include "model/campi.h"
#include "model/globals.h"
#include "model/progetto_file.h"
#include "shell/ui/qt_interaction.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

class CelleFinestraTest : public ::testing::Test {
 protected:
  test::ArchiviDistribuiti archivi_;
  test::PrincipaleFinta principale_;

  int16_t Colonna(const GasGrid& g, int16_t codice) {
    for (int16_t j = 1; j <= UltimaColonnaGriglia[static_cast<size_t>(g.LayoutGriglia)]; ++j)
      if (ColonneGriglia[static_cast<size_t>(g.LayoutGriglia)][static_cast<size_t>(j)].IdCampo == codice) return j;
    ADD_FAILURE() << "no column " << codice;
    return 1;
  }
  std::unique_ptr<GasGrid> Apri(bool pressione = false) {
    test::ReteDiProva(pressione);
    auto g = std::make_unique<GasGrid>(principale_);
    g->show();
    g->SelezionaPagina(0);
    g->NewRete(1);
    return g;
  }
  static std::string Byte(const std::string& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }
  static void PerdeFocus(QWidget* w) {
    QFocusEvent fuori(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(w, &fuori);
  }
};

TEST_F(CelleFinestraTest, TheStatusPanelShowsEveryColumnDescriptionInFull) {
  for (bool pressione : {false, true}) {
    for (int16_t errore : {int16_t{0}, int16_t{1}}) {
      auto g = Apri(pressione);
      GasCorrente.ErroreFamiglia = errore;
      g->AggiornaCalcoli();
      QLabel* p = g->Panel3D2;
      const QRect pannello = p->geometry();
      EXPECT_LE(pannello.right(), p->parentWidget()->contentsRect().right()) << pressione << errore << " x=" << pannello.x();
      EXPECT_FALSE(pannello.intersects(g->ComboDpMax->geometry()));
      if (errore != 0) {
        // The warning takes its own room first; the panel keeps what is left.
        EXPECT_FALSE(pannello.intersects(g->lblGasWarning->geometry()));
        EXPECT_LE(g->lblGasWarning->fontMetrics().horizontalAdvance(g->lblGasWarning->text()),
                  g->lblGasWarning->width());
        continue;
      }
      // Each column's description as the cursor shows it, at the default window size too, where
      // the pressure selectors leave only a narrow strip.
      for (bool predefinita : {false, true}) {
        if (predefinita) g->resizeOnDemand();
        const int16_t ultima = UltimaColonnaGriglia[static_cast<size_t>(g->LayoutGriglia)];
        int descrizioni = 0;
        for (int16_t j = 1; j <= ultima; ++j) {
          g->Grid->SetRowCol(2, j);
          g->Grid->SetRowCol(1, j);
          const QString testo = p->text();
          if (testo == QString::fromStdString(
                           ColonneGriglia[static_cast<size_t>(g->LayoutGriglia)][static_cast<size_t>(j)].Descrizione))
            ++descrizioni;
          EXPECT_TRUE(GrigliaTabella::TestoEntra(p->font(), testo, p->contentsRect(),
                                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap))
              << pressione << " " << testo.toStdString() << " in " << p->contentsRect().width();
          EXPECT_GE(p->font().pointSizeF(), 5.5);
        }
        EXPECT_GE(descrizioni, ultima - 1);
      }
    }
  }
  GasCorrente.ErroreFamiglia = 0;
}

// The entry row's hint is a second line under the column's description: at the smallest window,
// beside the pressure selectors, both lines shrank to about 6 px. They are shown whole at a
// readable size.
TEST_F(CelleFinestraTest, TheStatusPanelsTwoLinesAreReadableAtTheSmallestWindow) {
  // Every description of the entry row's columns with its hint, and the longest sentences the
  // panel gives of a network that was not sized, in both activities at the smallest window.
  const QStringList frasi = {
      QString::fromUtf8("La rete non è dimensionata: la pressione relativa minima finale (250,00 kPa) supera la "
                        "pressione relativa iniziale (200,00 kPa)."),
      QString::fromUtf8("La rete non è dimensionata: la pressione relativa minima finale (250,00 kPa) supera la "
                        "pressione relativa iniziale (200,00 kPa); i valori non calcolati sono indicati con \"n.c.\"."),
      QString::fromUtf8("La rete non è dimensionata: nessun diametro della serie del tronco 120 ne porta la portata "
                        "con la pressione disponibile; i valori non calcolati sono indicati con \"n.c.\".")};
  for (bool pressione : {false, true}) {
    auto g = Apri(pressione);
    g->resizeOnDemand();
    QLabel* p = g->Panel3D2;
    QStringList testi;
    for (int16_t j = 1; j < g->Grid->Cols(); ++j) {
      g->Grid->SetRowCol(5, j == 1 ? 2 : 1);  // the entry row
      g->Grid->SetRowCol(5, j);
      testi << p->text();
    }
    ASSERT_TRUE(testi.front().contains(QLatin1Char('\n'))) << testi.front().toStdString();
    if (pressione) testi << frasi;
    for (const QString& testo : testi) {
      g->MostraStato(testo);
      EXPECT_TRUE(GrigliaTabella::TestoEntra(p->font(), testo, p->contentsRect(),
                                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap))
          << pressione << " " << testo.toStdString();
      EXPECT_GE(QFontMetrics(p->font()).height(), 11)
          << pressione << " " << p->font().pointSizeF() << " " << testo.toStdString();
      EXPECT_LE(p->geometry().bottom(), p->parentWidget()->contentsRect().bottom()) << pressione;
      EXPECT_FALSE(p->geometry().intersects(g->Grid->geometry())) << pressione;
    }
  }
}

// The rows the user sees: those within the table's visible area, not the ones scrolled away.
TEST_F(CelleFinestraTest, TheRowsInSightAreThoseOnScreen) {
  auto g = Apri();
  auto* vista = dynamic_cast<IVistaCelle*>(EditorCelle());
  ASSERT_NE(vista, nullptr);
  EXPECT_TRUE(vista->RigaInVista(1));
  EXPECT_TRUE(vista->RigaInVista(4));
  const int16_t ultima = static_cast<int16_t>(g->Grid->rowCount());
  EXPECT_FALSE(vista->RigaInVista(ultima));
  g->Grid->scrollToBottom();
  EXPECT_FALSE(vista->RigaInVista(1));
  EXPECT_TRUE(vista->RigaInVista(ultima));
}

// At the default window size the narrow columns cut "Lunghezza" to "unghezz" and an end
// pressure to "199,...": every heading and the widest values fit their columns.
TEST_F(CelleFinestraTest, HeadingsAndValuesFitTheirColumnsAtTheDefaultWindowSize) {
  for (bool pressione : {false, true}) {
    auto g = Apri(pressione);
    g->resizeOnDemand();
    QHeaderView* h = g->Grid->horizontalHeader();
    for (int16_t j = 1; j < g->Grid->Cols(); ++j) {
      const QString testo = QString::fromStdString(g->Grid->TextMatrix(0, j));
      const QRect spazio = GrigliaTabella::SpazioIntestazione(QRect(0, 0, h->sectionSize(j - 1), h->height()));
      const QFont f = GrigliaTabella::CorpoCheEntra(h->font(), testo, spazio, GrigliaTabella::FlagIntestazione);
      EXPECT_TRUE(GrigliaTabella::TestoEntra(f, testo, spazio, GrigliaTabella::FlagIntestazione))
          << pressione << " " << testo.toStdString() << " in " << spazio.width() << "x" << spazio.height();
      // Readable at the default window size: 5.5 pt letters were 5 px high.
      EXPECT_GE(f.pointSizeF(), GrigliaTabella::CorpoIntestazioneLeggibile) << pressione << " " << testo.toStdString();
    }
    // The room for the headings comes from the free-text columns; a series name still reads whole.
    for (int16_t m = 1; m <= NumMateriali; ++m) {
      const int16_t j = Colonna(*g, campo::ID_MATERIALE);
      const QString nome = QString::fromStdString(Materiali[static_cast<size_t>(m)][0].Nome);
      const QRect spazio = GrigliaTabella::SpazioCella(QRect(0, 0, h->sectionSize(j - 1), g->Grid->rowHeight(0)));
      const QFont f = GrigliaTabella::CorpoCheEntra(g->Grid->font(), nome, spazio, GrigliaTabella::FlagCella);
      EXPECT_TRUE(GrigliaTabella::TestoEntra(f, nome, spazio, GrigliaTabella::FlagCella)) << nome.toStdString();
      EXPECT_GE(f.pointSizeF(), GrigliaTabella::CorpoIntestazioneLeggibile) << nome.toStdString();
    }
    // The longest values a column shows with its mask.
    for (const char* valore : {"199,875", "1999,875", "12,345", "125,57"}) {
      const int16_t j = Colonna(*g, pressione ? campo::ID_PFINALE : campo::ID_PDC_PERCORSO);
      const QRect spazio = GrigliaTabella::SpazioCella(QRect(0, 0, h->sectionSize(j - 1), g->Grid->rowHeight(0)));
      const QFont f = GrigliaTabella::CorpoCheEntra(g->Grid->font(), QString::fromLatin1(valore), spazio, GrigliaTabella::FlagCella);
      EXPECT_TRUE(GrigliaTabella::TestoEntra(f, QString::fromLatin1(valore), spazio, GrigliaTabella::FlagCella)) << valore;
    }
  }
}

TEST_F(CelleFinestraTest, TheWindowInstallsItsCellEditorForItsLife) {
  {
    auto g = Apri();
    EXPECT_NE(dynamic_cast<EditorCelleGriglia*>(EditorCelle()), nullptr);
  }
  EXPECT_EQ(EditorCelle(), nullptr);
}

TEST_F(CelleFinestraTest, ADigitTypedOnTheTableIsCommittedWithEnterAndShownAfterTheCalculation) {
  auto g = Apri();
  const int16_t lunghezza = Colonna(*g, campo::ID_LEN);
  const std::string materiale = Tronco(2).ID_MATERIALE;
  g->Grid->SetRowCol(2, lunghezza);
  QTest::keyClick(g->Grid, Qt::Key_7);
  EXPECT_TRUE(g->Text1->isVisible());
  EXPECT_EQ(g->Text1->text(), QStringLiteral("7"));
  EXPECT_EQ(g->Grid->TextMatrix(2, lunghezza), "7");
  EXPECT_EQ(g->Grid->Row(), 2);  // the table did not search its rows for the key
  QTest::keyClick(g->Text1, Qt::Key_Comma);
  QTest::keyClick(g->Text1, Qt::Key_5);
  QTest::keyClick(g->Text1, Qt::Key_Return);
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 7.5f);
  EXPECT_FALSE(g->Text1->isVisible());
  EXPECT_EQ(g->Grid->Row(), 2);
  EXPECT_EQ(g->Grid->Col(), lunghezza + 1);
  EXPECT_EQ(g->Grid->TextMatrix(2, lunghezza), "7,50");
  // The cell the cursor moved to kept its value.
  EXPECT_EQ(Tronco(2).ID_MATERIALE, materiale);
  EXPECT_EQ(ProgettoModificato, -1);
}

// A click on a cell and a key that leaves it, without typing: the table shows the values
// rounded and in its own form, and the project must come out of it byte for byte as it went in.
TEST_F(CelleFinestraTest, LeavingAnUntouchedCellLeavesTheSavedProjectByteIdentical) {
  const std::string prima = archivi_.Cartella().File("prima.RTG");
  const std::string dopo = archivi_.Cartella().File("dopo.RTG");
  for (const int16_t codice : {campo::ID_LEN, campo::ID_RIF, campo::ID_P_UTENZE, campo::ID_PREV}) {
    for (const Qt::Key tasto : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Return, Qt::Key_unknown}) {
      auto g = Apri();
      Tronco(4).ID_LEN = 12.345f;
      Tronco(4).ID_P_UTENZE = 2.5004f;
      Tronco(4).ID_RIF = "Via Roma, 5";
      const int16_t ricalcolo = RicalcoloAutomatico;
      RicalcoloAutomatico = 0;  // a recalculation would rewrite the results, which are not the point
      g->ReLoadTubi();
      ASSERT_TRUE(ScriviRTG(prima));
      ProgettoModificato = 0;
      g->Grid->SetRowCol(4, Colonna(*g, codice));
      g->Grid_Click();
      ASSERT_TRUE(g->Text1->isVisible()) << codice;
      if (tasto == Qt::Key_unknown)
        PerdeFocus(g->Text1);  // a click elsewhere
      else
        QTest::keyClick(g->Text1, tasto);
      ASSERT_TRUE(ScriviRTG(dopo));
      EXPECT_EQ(Byte(prima), Byte(dopo)) << codice << " " << tasto;
      EXPECT_EQ(ProgettoModificato, 0) << codice << " " << tasto;
      RicalcoloAutomatico = ricalcolo;
    }
  }
}

TEST_F(CelleFinestraTest, ATypedReferenceKeepsItsCommas) {
  auto g = Apri();
  g->Grid->SetRowCol(4, Colonna(*g, campo::ID_RIF));
  g->Grid_Click();
  g->Text1->setText(QStringLiteral("Via Roma, 5"));
  QTest::keyClick(g->Text1, Qt::Key_Down);
  EXPECT_EQ(Tronco(4).ID_RIF, "VIA ROMA, 5");
}

TEST_F(CelleFinestraTest, EscAndArrowsCloseTheEditor) {
  auto g = Apri();
  const int16_t lunghezza = Colonna(*g, campo::ID_LEN);
  g->Grid->SetRowCol(3, lunghezza);
  QTest::keyClick(g->Grid, Qt::Key_4);
  QTest::keyClick(g->Text1, Qt::Key_Escape);
  EXPECT_FALSE(g->Text1->isVisible());
  EXPECT_EQ(g->Grid->TextMatrix(3, lunghezza), "15,00");
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 15);

  QTest::keyClick(g->Grid, Qt::Key_4);
  QTest::keyClick(g->Text1, Qt::Key_Down);
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 4);
  EXPECT_EQ(g->Grid->Row(), 4);
  EXPECT_FALSE(g->Text1->isVisible());
}

TEST_F(CelleFinestraTest, LeavingTheEditorCommitsTheEditedCellOnly) {
  auto g = Apri();
  const int16_t lunghezza = Colonna(*g, campo::ID_LEN);
  g->Grid->SetRowCol(2, lunghezza);
  g->GridEditing("");
  QTest::keyClicks(g->Text1, "9");
  EXPECT_EQ(g->Grid->TextMatrix(2, lunghezza), "9");
  PerdeFocus(g->Text1);
  g->Grid->SetRowCol(3, lunghezza);
  EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, 9);
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 15);
  EXPECT_FALSE(g->Text1->isVisible());
}

TEST_F(CelleFinestraTest, AToolbarCommandCommitsTheOpenEdit) {
  auto g = Apri();
  g->Grid->SetRowCol(4, Colonna(*g, campo::ID_RIF));
  g->GridEditing("");
  QTest::keyClicks(g->Text1, "cucina");
  g->ConfermaModificaInCorso();
  EXPECT_EQ(Tronco(4).ID_RIF, "CUCINA");
}

TEST_F(CelleFinestraTest, TheMaterialListCommitsItsChoice) {
  auto g = Apri();
  g->Grid->SetRowCol(3, Colonna(*g, campo::ID_MATERIALE));
  g->GridEditing("");
  EXPECT_TRUE(g->Combo1->isVisible());
  g->Combo1->setCurrentIndex(4);
  EXPECT_EQ(g->Panel3D2->text().toStdString(), Materiali[5][0].Descrizione);
  QTest::keyClick(g->Combo1, Qt::Key_Return);
  EXPECT_EQ(Tronco(3).IndiceMateriale, 5);
  EXPECT_EQ(Tronco(3).ID_MATERIALE, Materiali[5][0].Nome);
  EXPECT_EQ(g->Grid->Col(), Colonna(*g, campo::ID_MATERIALE) + 1);
}

TEST_F(CelleFinestraTest, TheButtonOpensThePickerAndFixesTheChosenDiameter) {
  auto g = Apri();
  const int16_t diametro = Colonna(*g, campo::ID_DIAMETRO);
  g->Grid->SetRowCol(2, diametro);
  g->GridEditing("");
  EXPECT_TRUE(g->cmdDettagliDiametro->isVisible());
  EXPECT_EQ(g->Grid->CellBackColor(2, diametro), colore::Bianco);
  EXPECT_EQ(g->Text1->width(), g->cmdDettagliDiametro->x() - g->Text1->x());
  const std::string etichetta = Materiali[1][2].RifDiametro;
  test::FakeDialoghi dialoghi;
  dialoghi.Attendi("ViewDiametriFrm", [](QDialog& d) {
    auto* lista = d.findChild<QListWidget*>();
    ASSERT_NE(lista, nullptr);
    lista->setCurrentRow(2);  // "Auto" is row 0
    test::FakeDialoghi::Clicca(QStringLiteral("OK"))(d);
  });
  g->cmdDettagliDiametro->click();
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, etichetta);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_FALSE(g->cmdDettagliDiametro->isVisible());
  EXPECT_EQ(principale_.stati[Comando::cmdDiamLocked].Figura, Immagine::ImgLockClosed);
}

// A choked segment of a pressurised network showed "***" for its drop and end pressure but
// "-1,000" in black for its path drop.
TEST_F(CelleFinestraTest, AChokedSegmentShowsNoNumberWhereTheCalculationCouldNotCompute) {
  auto g = Apri(true);
  std::string rame = "RAME-B";
  const int16_t serie = CercaMateriale(rame);
  ASSERT_GT(serie, 0);
  TTronco& t = Tronco(4);
  t.IndiceMateriale = serie;
  t.ID_MATERIALE = Materiali[static_cast<size_t>(serie)][0].Nome;
  t.ID_LEN = 500;
  t.ID_P_UTENZE = 3000;
  g->Elaborazione();
  ASSERT_LT(Tronco(4).ID_PDC_TRONCO, 0);
  // The velocity too: it would be worked out from pressures the calculation never reached.
  for (int16_t codice : {campo::ID_PDC_TRONCO, campo::ID_PFINALE, campo::ID_PDC_PERCORSO, campo::ID_VELOCITA}) {
    const int16_t j = Colonna(*g, codice);
    EXPECT_EQ(g->Grid->TextMatrix(4, j), "n.c.") << codice;
    EXPECT_EQ(g->Grid->CellForeColor(4, j), colore::Rosso) << codice;
  }
}

// ---- The entry row and questions from a commit ---------------------------------------------

// A parent typed on the entry row linked the upstream appliance to a slot that was not a segment:
// the calculation then cleared the appliance's flow and sized the network at 0, though the row
// was left with a click and never became a segment.
TEST_F(CelleFinestraTest, AParentOnTheEntryRowChangesNothingUntilTheRowIsASegment) {
  for (bool conInvio : {true, false}) {
    auto g = Apri();
    const int16_t provenienza = Colonna(*g, campo::ID_PREV);
    const float portata = Tronco(4).ID_P_UTENZE;
    g->Grid->SetRowCol(5, provenienza);
    g->GridEditing("");
    QTest::keyClick(g->Text1, Qt::Key_4);
    // Noting the parent asks nothing: the question is the link's, when the row becomes a segment.
    if (conInvio)
      QTest::keyClick(g->Text1, Qt::Key_Return);
    else
      PerdeFocus(g->Text1);
    g->Grid->SetRowCol(2, provenienza);  // the user leaves the entry row
    g->Elaborazione();
    EXPECT_EQ(Rete().NumTronchi, 4) << conInvio;
    EXPECT_EQ(Tronco(4).ID_LEFT, 0) << conInvio;
    EXPECT_EQ(Tronco(4).ID_RIGHT, 0) << conInvio;
    EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, portata) << conInvio;
    EXPECT_GT(Tronco(1).ID_P_TRONCO, 0.0f) << conInvio;
  }
}

// Enter through the entry row without a parent made a segment with no pipe series (blank
// material, inner diameter 0): the material list stores nothing on a row whose first column is
// empty. A parent typed on the entry row links the segment only once it exists.
TEST_F(CelleFinestraTest, EnterThroughTheEntryRowMakesASegmentWithTheDefaultSeriesAndItsParent) {
  auto g = Apri();
  auto invioFinoAlConto = [&](int16_t conto) {
    for (int passo = 0; passo < 60 && Rete().NumTronchi < conto; ++passo) {
      QWidget* fuoco = QApplication::focusWidget();
      ASSERT_NE(fuoco, nullptr) << passo;
      QTest::keyClick(fuoco, Qt::Key_Return);
    }
    ASSERT_EQ(Rete().NumTronchi, conto);
  };
  g->Grid->SetRowCol(5, 1);
  g->Grid->setFocus();
  invioFinoAlConto(5);
  EXPECT_GE(Tronco(5).IndiceMateriale, 1);
  EXPECT_EQ(Tronco(5).ID_MATERIALE, Materiali[static_cast<size_t>(std::max<int16_t>(Tronco(5).IndiceMateriale, 0))][0].Nome);
  EXPECT_EQ(g->Grid->TextMatrix(5, Colonna(*g, campo::ID_MATERIALE)), Tronco(5).ID_MATERIALE);

  const int16_t provenienza = Colonna(*g, campo::ID_PREV);
  g->Grid->SetRowCol(6, provenienza);
  QTest::keyClick(g->Grid, Qt::Key_3);
  QTest::keyClick(g->Text1, Qt::Key_Return);
  EXPECT_EQ(Tronco(3).ID_RIGHT, 0);
  invioFinoAlConto(6);
  EXPECT_EQ(Tronco(6).ID_PREV, 3);
  EXPECT_EQ(Tronco(3).ID_RIGHT, 6);
}

// A value committed on the entry row, or on any row while the automatic calculation is off,
// showed the typed text with its comma turned into a point ("7.5") until a calculation redrew it.
TEST_F(CelleFinestraTest, ACommittedValueIsShownAsStoredNotAsTypedWithAPoint) {
  auto g = Apri();
  const int16_t portata = Colonna(*g, campo::ID_P_UTENZE), lunghezza = Colonna(*g, campo::ID_LEN);
  struct Caso {
    int16_t riga, colonna;
    bool automatico;
  };
  for (const Caso c : {Caso{5, portata, true}, Caso{5, lunghezza, true}, Caso{2, lunghezza, false}}) {
    const int16_t prima = RicalcoloAutomatico;
    RicalcoloAutomatico = c.automatico ? -1 : 0;
    g->Grid->SetRowCol(c.riga, c.colonna);
    for (Qt::Key k : {Qt::Key_7, Qt::Key_Comma, Qt::Key_5}) QTest::keyClick(QApplication::focusWidget(), k);
    QTest::keyClick(g->Text1, Qt::Key_Return);
    RicalcoloAutomatico = prima;
    const std::string testo = g->Grid->TextMatrix(c.riga, c.colonna);
    EXPECT_EQ(testo.find('.'), std::string::npos) << testo << " row " << c.riga;
    EXPECT_EQ(testo, CellaAggiornata(c.riga, g->LayoutGriglia, c.colonna, CellaFormattata(g->LayoutGriglia, c.colonna)).Testo);
    EXPECT_EQ(testo.substr(0, 3), "7,5") << testo;
  }
  EXPECT_EQ(Rete().NumTronchi, 4);
}

// A key typed below the entry row, or on a computed column, was dropped without a word.
TEST_F(CelleFinestraTest, AKeyThatCannotGoAnywhereSaysWhyInTheStatusPanel) {
  auto g = Apri();
  g->Grid->SetRowCol(8, Colonna(*g, campo::ID_LEN));
  QTest::keyClick(g->Grid, Qt::Key_5);
  EXPECT_FALSE(g->Text1->isVisible());
  EXPECT_TRUE(g->Panel3D2->text().contains(QStringLiteral("riga 5"))) << g->Panel3D2->text().toStdString();
  EXPECT_FLOAT_EQ(Tronco(8).ID_LEN, 0);

  g->Grid->SetRowCol(2, Colonna(*g, campo::ID_VELOCITA));
  QTest::keyClick(g->Grid, Qt::Key_5);
  EXPECT_FALSE(g->Text1->isVisible());
  EXPECT_TRUE(g->Panel3D2->text().contains(QStringLiteral("non si modifica"))) << g->Panel3D2->text().toStdString();
}

// After "Si" to the question about an appliance parent, the keyboard stayed with nothing: the
// next keys were lost and the ones after landed a column further on. Keys go to the focused
// widget, as the user's do.
TEST_F(CelleFinestraTest, KeysTypedAfterAQuestionFromACommitGoWhereTheCursorIs) {
  auto g = Apri();
  g->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(g.get()));
  QtInterazione schermo;
  ImpostaInterazione(&schermo);
  test::FakeDialoghi dialoghi;
  const int16_t provenienza = Colonna(*g, campo::ID_PREV);
  g->Grid->SetRowCol(2, provenienza);
  QTest::keyClick(g->Grid, Qt::Key_4);
  dialoghi.Attendi("QMessageBox", [](QDialog& d) {
    EXPECT_TRUE(static_cast<QMessageBox&>(d).text().startsWith(QStringLiteral("Il tronco di provenienza")));
    test::FakeDialoghi::Clicca(QString::fromUtf8("Sì"))(d);
  });
  // The appliance's flow goes with the "Si": the calculation has nothing left to report.
  QTest::keyClick(g->Text1, Qt::Key_Return);
  QApplication::processEvents();
  ImpostaInterazione(&archivi_.Utente());
  EXPECT_EQ(Tronco(2).ID_PREV, 4);
  // The table shows the committed state and has the keyboard on the cell it shows.
  EXPECT_EQ(g->Grid->TextMatrix(2, provenienza), "4");
  ASSERT_EQ(QApplication::focusWidget(), g->Grid);
  const int16_t colonna = g->Grid->Col();
  EXPECT_EQ(g->Grid->Row(), 2);
  EXPECT_GT(colonna, provenienza);
  for (Qt::Key k : {Qt::Key_7, Qt::Key_Return}) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), k);
  }
  EXPECT_EQ(g->Grid->TextMatrix(2, colonna).substr(0, 1), "7") << colonna;
}

// ---- Selectors ------------------------------------------------------------------------------

TEST_F(CelleFinestraTest, TheSelectorsAreFilledWhenTheWindowBecomesActive) {
  auto g = Apri();
  g->Form_Activate();
  for (QComboBox* c : {g->ComboInitPres, g->ComboFinalPres, g->ComboDpMax}) {
    ASSERT_EQ(c->count(), 51);
    EXPECT_EQ(c->itemText(0), QStringLiteral("Auto"));
    EXPECT_EQ(c->itemText(50), QStringLiteral("500"));
  }
  EXPECT_EQ(g->ComboDpMax->currentText().toStdString(), PDCMaxTesto);
  EXPECT_TRUE(g->ComboDpMax->isVisibleTo(g.get()));
  EXPECT_FALSE(g->ComboInitPres->isVisibleTo(g.get()));
  EXPECT_EQ(g->LabelDpMax->text(), QStringLiteral("Dp max imposto [Pa]:"));
}

TEST_F(CelleFinestraTest, AFinalPressureTypedWithACommaIsStoredAndShownRed) {
  auto g = Apri(true);
  DefaultPressioneFinale = "150";
  g->Form_Activate();
  g->ComboFinalPres->setEditText(QStringLiteral("150,5"));
  int16_t tasto = 13;
  g->Selettori().ComboFinalPres_KeyPress(tasto);
  EXPECT_EQ(tasto, 0);
  EXPECT_DOUBLE_EQ(PressioneFinale, 150.5);
  EXPECT_EQ(g->ComboFinalPres->currentIndex(), -1);
  EXPECT_EQ(g->ComboFinalPres->currentText(), QStringLiteral("150,5"));
  EXPECT_TRUE(SelettoriRete::TestoRosso(*g->ComboFinalPres));

  DefaultPressioneIniziale = "200";
  g->ComboInitPres->setCurrentIndex(0);  // "Auto"
  g->Selettori().ComboInitPres_LostFocus();
  EXPECT_DOUBLE_EQ(PressioneIniziale, 200);
  EXPECT_EQ(g->ComboInitPres->currentText(), QStringLiteral("200"));
  EXPECT_EQ(g->ComboInitPres->currentIndex(), 20);
  EXPECT_FALSE(SelettoriRete::TestoRosso(*g->ComboInitPres));
}

TEST_F(CelleFinestraTest, TheMaximumDropListFiltersKeysAndAppliesWithTheCursorLock) {
  auto g = Apri();
  g->Form_Activate();
  g->ComboDpMax->setEditText(QString());
  // Letters are dropped; a decimal mark and a fifth character reach the list, to be read or refused.
  QTest::keyClicks(g->ComboDpMax, "7a,5");
  EXPECT_EQ(g->ComboDpMax->currentText(), QStringLiteral("7,5"));
  QTest::keyClicks(g->ComboDpMax, "123");
  EXPECT_EQ(g->ComboDpMax->currentText(), QStringLiteral("7,5123"));
  CursoreBloccato = -1;
  RicalcoloAutomatico = 0;
  g->ComboDpMax->setEditText(QStringLiteral("75"));
  QTest::keyClick(g->ComboDpMax, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 75);
  EXPECT_EQ(PDCMaxTesto, "75");
  EXPECT_TRUE(SelettoriRete::TestoRosso(*g->ComboDpMax));
  EXPECT_EQ(g->ComboDpMax->count(), 51);  // a typed value is not added to the list
  CursoreBloccato = 0;
}

// Ctrl+A while a cell is being edited, with the keyboard on the table under the editor (as after a
// refused parent's message): the cell's text is selected, not the whole table, so the next digit
// and Enter go to that row alone.
TEST_F(CelleFinestraTest, CtrlAWhileACellIsEditedSelectsTheCellsText) {
  auto g = Apri();
  const int16_t provenienza = Colonna(*g, campo::ID_PREV);
  g->Grid->SetRowCol(3, provenienza);
  g->GridEditing("");
  ASSERT_TRUE(g->Text1->isVisible());
  // The key reaches the table (the keyboard came back to it after a message) with the editor up.
  QTest::keyClick(g->Grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(g->Grid->Row(), 3);
  EXPECT_EQ(g->Grid->RowSel(), 3);
  EXPECT_EQ(g->Text1->selectedText(), g->Text1->text());
  EXPECT_FALSE(g->Text1->text().isEmpty());
  QTest::keyClick(g->Text1, Qt::Key_1);
  QTest::keyClick(g->Text1, Qt::Key_Return);
  EXPECT_EQ(Tronco(3).ID_PREV, 1);
  EXPECT_EQ(Tronco(2).ID_PREV, 1);
  EXPECT_EQ(Tronco(4).ID_PREV, 3);
}

}  // namespace
}  // namespace varnex::ui
