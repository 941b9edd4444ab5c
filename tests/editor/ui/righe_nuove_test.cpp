// Rows that are not segments yet, parents and appliance flows, typed as a user types them: in the
// editor of the real main window, keys sent to the focused widget, the real message boxes and flow
// dialogs answered through the services stand-in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <initializer_list>
#include <memory>

#include "editor/ui/archivi_finestre.h"
#include "editor/ui/gasgrid.h"
#include "editor/ui/griglia.h"
#include "editor/portata.h"
#include "editor/tabella.h"
#include "editor/ui/portata.h"
#include "model/campi.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "app/ui/main_window.h"
#include "report/print/tabelle_report.h"
#include "shell/ui/qt_interaction.h"
#include "support/ui/fake_services.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;

class RigheNuoveTest : public ::testing::Test {
 protected:
  void TearDown() override { ImpostaInterazione(&archivi_.Utente()); }

  // The main window with its editor on the table page, on the small test network (or on an empty
  // one), message boxes shown for real.
  GasGrid& Apri(bool pressione, bool vuota = false) {
    test::ReteDiProva(pressione);
    if (vuota) Rete().NumTronchi = 0;
    principale_ = std::make_unique<frmMainForm>();
    GasGrid& g = principale_->CaricaEditor();
    principale_->show();
    principale_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(principale_.get())) << "the main window never became active";
    g.SelezionaPagina(0);
    g.NewRete(1);
    ImpostaInterazione(&schermo_);
    return g;
  }

  static int16_t Colonna(const GasGrid& g, int16_t codice) {
    for (int16_t j = 1; j <= UltimaColonnaGriglia[static_cast<size_t>(g.LayoutGriglia)]; ++j)
      if (ColonneGriglia[static_cast<size_t>(g.LayoutGriglia)][static_cast<size_t>(j)].IdCampo == codice) return j;
    ADD_FAILURE() << "no column " << codice;
    return 1;
  }

  // Keys as the user types them: each to the widget that has the keyboard at that moment.
  static void Tasti(std::initializer_list<Qt::Key> tasti) {
    for (Qt::Key k : tasti) {
      QApplication::processEvents();  // the event loop runs between two keys of the user's
      QWidget* fuoco = QApplication::focusWidget();
      ASSERT_NE(fuoco, nullptr) << "no widget has the keyboard";
      QTest::keyClick(fuoco, k);
    }
  }

  // The next message box: its text begins with `inizio` (and holds `contiene`); the user clicks
  // `bottone`.
  void Messaggio(const QString& inizio, const QString& bottone, const QString& contiene = {}) {
    dialoghi_.Attendi("QMessageBox", [=](QDialog& d) {
      const QString testo = static_cast<QMessageBox&>(d).text();
      EXPECT_TRUE(testo.startsWith(inizio)) << testo.toStdString();
      EXPECT_TRUE(testo.contains(contiene)) << testo.toStdString();
      FakeDialoghi::Clicca(bottone)(d);
    });
  }

  static void PerdeFocus(QWidget* w) {
    QFocusEvent fuori(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(w, &fuori);
  }

  test::ArchiviDistribuiti archivi_;
  QtInterazione schermo_;
  FakeDialoghi dialoghi_;
  std::unique_ptr<frmMainForm> principale_;
};

const QString Si = QString::fromUtf8("Sì");

// "Cancella" left row 2 blank. A parent typed there that is an appliance of another segment was
// linked at once: "Si" to "Azzero la portata?" then took the flow of segment 4 out of the network,
// though the row was left with Esc or a click and never became a segment.
TEST_F(RigheNuoveTest, AParentOnARowADeleteLeftBlankChangesNothingUntilTheRowIsASegment) {
  enum class Uscita { Esc, Click, Invio };
  for (const Uscita uscita : {Uscita::Esc, Uscita::Click, Uscita::Invio}) {
    SCOPED_TRACE(static_cast<int>(uscita));
    GasGrid& g = Apri(false);
    EliminaTronco(2);  // "Cancella tronchi" on segment 2
    g.ResetGrid();
    g.Elaborazione();
    ASSERT_TRUE(SlotVuoto(2));
    const float portata = Tronco(4).ID_P_UTENZE;
    const float monte = Tronco(1).ID_P_TRONCO;
    ASSERT_GT(portata, 0.0f);
    const int16_t provenienza = Colonna(g, campo::ID_PREV);
    g.Grid->SetRowCol(2, provenienza);
    g.Grid->setFocus();
    Tasti({Qt::Key_4});
    ASSERT_TRUE(g.Text1->isVisible());
    // Noting the parent asks nothing: no link is made yet.
    if (uscita == Uscita::Esc)
      Tasti({Qt::Key_Escape});
    else if (uscita == Uscita::Click)
      PerdeFocus(g.Text1);
    else
      Tasti({Qt::Key_Return});
    EXPECT_TRUE(dialoghi_.visti.empty());
    g.Grid->SetRowCol(3, provenienza);  // the user goes elsewhere
    g.Elaborazione();
    EXPECT_TRUE(SlotVuoto(2));
    EXPECT_EQ(Tronco(4).ID_LEFT, 0);
    EXPECT_EQ(Tronco(4).ID_RIGHT, 0);
    EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, portata);
    EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, monte);
    // The parent typed stays in sight on the row, waiting for it.
    EXPECT_EQ(g.Grid->TextMatrix(2, provenienza), uscita == Uscita::Esc ? "" : "4");
    if (uscita != Uscita::Invio) continue;

    // Enter through the rest of the row makes it a segment under segment 4: the link asks about
    // the appliance now, once, and its flow goes as the user agrees.
    g.Grid->SetRowCol(2, provenienza);
    g.Grid->setFocus();
    Messaggio(QStringLiteral("Il tronco di provenienza e' una utenza!"), Si);
    for (int passo = 0; passo < 40 && SlotVuoto(2); ++passo) Tasti({Qt::Key_Return});
    ASSERT_FALSE(SlotVuoto(2));
    EXPECT_EQ(Tronco(2).ID_PREV, 4);
    EXPECT_EQ(Tronco(4).ID_LEFT, 2);
    EXPECT_EQ(Tronco(4).ID_P_UTENZE, 0.0f);
    EXPECT_EQ(Tronco(2).Collegato, -1);
  }
}

// After "Si" to "Azzero la portata?" the calculation opened "Portata nel tronco 4 non compatibile"
// and ate the keys typed next: "7,5" came to nothing.
TEST_F(RigheNuoveTest, AfterYesToClearingTheFlowNoSecondBoxAndTheNextKeysReachTheCell) {
  GasGrid& g = Apri(false);
  const int16_t provenienza = Colonna(g, campo::ID_PREV);
  g.Grid->SetRowCol(2, provenienza);
  g.Grid->setFocus();
  Tasti({Qt::Key_4});
  Messaggio(QStringLiteral("Il tronco di provenienza e' una utenza!"), Si);
  Tasti({Qt::Key_Return});
  QApplication::processEvents();
  EXPECT_EQ(Tronco(2).ID_PREV, 4);
  EXPECT_EQ(Tronco(4).ID_LEFT, 2);
  EXPECT_EQ(Tronco(4).ID_P_UTENZE, 0.0f);
  ASSERT_EQ(QApplication::focusWidget(), g.Grid);
  const int16_t riga = g.Grid->Row(), colonna = g.Grid->Col();
  EXPECT_EQ(riga, 2);
  Tasti({Qt::Key_7, Qt::Key_Comma, Qt::Key_5, Qt::Key_Return});
  EXPECT_EQ(g.Grid->TextMatrix(riga, colonna).substr(0, 3), "7,5") << colonna;
  EXPECT_EQ(dialoghi_.visti.size(), 1u);
}

// A parent that names no segment ("50" meant for "5", the entry row, a row left blank) was taken:
// the segment dropped out of the calculation with only grey text to show it.
TEST_F(RigheNuoveTest, AParentThatIsNoSegmentIsRefusedNamingIt) {
  struct Caso {
    int16_t riga;
    std::initializer_list<Qt::Key> tasti;
    const char* numero;
  };
  for (const Caso& c : {Caso{3, {Qt::Key_5, Qt::Key_0}, "50"}, Caso{3, {Qt::Key_5}, "5"},
                        Caso{3, {Qt::Key_2}, "2"}, Caso{5, {Qt::Key_6}, "6"}}) {
    SCOPED_TRACE(c.numero);
    GasGrid& g = Apri(false);
    if (std::string(c.numero) == "2") {
      EliminaTronco(2);
      g.ResetGrid();
      g.Elaborazione();
    }
    const int16_t provenienza = Colonna(g, campo::ID_PREV);
    const int16_t prima = Tronco(c.riga).ID_PREV;
    const std::string testo = g.Grid->TextMatrix(c.riga, provenienza);
    g.Grid->SetRowCol(c.riga, provenienza);
    g.Grid->setFocus();
    Tasti(c.tasti);
    Messaggio(QStringLiteral("Il tronco ") + QString::fromLatin1(c.numero) + QStringLiteral(" non esiste"),
              QStringLiteral("OK"));
    Tasti({Qt::Key_Return});
    EXPECT_EQ(Tronco(c.riga).ID_PREV, prima);
    EXPECT_EQ(g.Grid->TextMatrix(c.riga, provenienza), testo);
    EXPECT_EQ(g.Grid->Row(), c.riga);
    EXPECT_EQ(g.Grid->Col(), provenienza);
    EXPECT_EQ(Rete().NumTronchi, 4);
    if (c.riga == 3) {
      EXPECT_EQ(Tronco(1).ID_RIGHT, 3);
    }
    // The keyboard is back on the cell: the right parent goes in (noted only, on the entry row).
    Tasti({c.riga == 3 ? Qt::Key_1 : Qt::Key_3, Qt::Key_Return});
    EXPECT_EQ(Tronco(c.riga).ID_PREV, c.riga == 3 ? 1 : 3);
  }
}

// Both flow dialogs stored a pasted "-5" as a negative flow and "1E+99,5" as infinity: the key
// filter was their only guard. OK now names the box, stores nothing and leaves the dialog open
// with the keyboard in that box.
TEST_F(RigheNuoveTest, TheFlowDialogsCheckEveryBoxAtOk) {
  struct Caso {
    bool pressione;
    const char* box;
    const char* incollato;
    const char* inizio;  // of the message, which names the box
  };
  for (const Caso& c : {Caso{true, "txtNMC", "-5", "La portata in Nmc/h non puo' essere negativa"},
                        Caso{true, "txtNMC", "1E+99,5", "\"1E+99,5\" non e' un numero valido per la portata in Nmc/h"},
                        Caso{false, "txtNMC", "-5", "La portata in Nmc/h non puo' essere negativa"},
                        Caso{false, "txtNMC", "1E+99,5", "\"1E+99,5\" non e' un numero valido per la portata in Nmc/h"},
                        Caso{false, "txtWatt", "-5", "La potenza in W non puo' essere negativa"},
                        Caso{false, "txtKcal", "12abc", "\"12abc\" non e' un numero valido per la potenza in kcal/h"}}) {
    SCOPED_TRACE(std::string(c.box) + " " + c.incollato);
    GasGrid& g = Apri(c.pressione);
    Tronco(4).TipologiaUtenza = 1;
    Tronco(4).ComposizioneUtenza = c.pressione ? "" : "001000";
    const TTronco prima = Tronco(4);
    const int16_t portata = Colonna(g, campo::ID_P_UTENZE);
    g.Grid->SetRowCol(4, portata);
    g.Grid->setFocus();
    Tasti({Qt::Key_Return});
    ASSERT_TRUE(g.Text1->isVisible());
    const char* dialogo = c.pressione ? "frmPortata" : "frmCportata";
    dialoghi_.Attendi(dialogo, [&](QDialog& d) {
      auto* box = d.findChild<QLineEdit*>(QString::fromLatin1(c.box));
      QPushButton* ok = nullptr;
      for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("OK")) ok = b;
      ASSERT_NE(box, nullptr);
      ASSERT_NE(ok, nullptr);
      box->setFocus();
      box->selectAll();
      QApplication::clipboard()->setText(QString::fromLatin1(c.incollato));
      box->paste();  // as Ctrl+V or the context menu's "Incolla"
      ASSERT_EQ(box->text(), QString::fromLatin1(c.incollato));
      Messaggio(QString::fromLatin1(c.inizio), QStringLiteral("OK"));
      QTest::mouseClick(ok, Qt::LeftButton);
      QApplication::processEvents();
      EXPECT_TRUE(d.isVisible());
      ASSERT_EQ(QApplication::focusWidget(), box);
      EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, prima.ID_P_UTENZE);
      EXPECT_EQ(Tronco(4).ComposizioneUtenza, prima.ComposizioneUtenza);
      // The keys typed next go into the box; a flow the table takes is stored.
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
      QTest::mouseClick(ok, Qt::LeftButton);
      EXPECT_FALSE(d.isVisible());
    });
    Tasti({Qt::Key_Question});
    ASSERT_EQ(dialoghi_.visti.back(), "QMessageBox");
    EXPECT_GT(Tronco(4).ID_P_UTENZE, 0.0f);
    EXPECT_TRUE(std::isfinite(Tronco(4).ID_P_UTENZE));
    if (std::string(c.box) == "txtNMC") {
      EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, 2.0f);
    }
  }
}

// The W and kcal/h boxes took digits only: a comma typed in "1500,5" W was dropped and the power
// stored was 15005 W. The comma is a decimal comma (the power is rounded to whole units); a point
// there groups thousands, and one that groups none is refused at OK, naming the box.
TEST_F(RigheNuoveTest, APowerTypedWithACommaOrAPointIsReadAsMeant) {
  struct Caso {
    const char* box;
    const char* digitato;
    const char* watt;    // the power the flow is worked out from; empty when refused
    const char* inizio;  // of the refusal
  };
  // The dialog rounds a power to whole units from its decimals' first digits read as a whole number
  // (",5" stays below one half there).
  for (const Caso& c : {Caso{"txtWatt", "1500,5", "1500", ""}, Caso{"txtWatt", "1500,6000", "1501", ""},
                        Caso{"txtWatt", "1.500", "1500", ""}, Caso{"txtWatt", "1.500,5", "1500", ""},
                        Caso{"txtKcal", "1.290,4", "1500", ""},
                        Caso{"txtWatt", "1500.5", "", "\"1500.5\" non e' un numero valido per la potenza in W"},
                        Caso{"txtKcal", "1290,4", "1500", ""},
                        Caso{"txtKcal", "12.90", "", "\"12.90\" non e' un numero valido per la potenza in kcal/h"}}) {
    SCOPED_TRACE(std::string(c.box) + " " + c.digitato);
    GasGrid& g = Apri(false);
    Tronco(4).TipologiaUtenza = 1;
    Tronco(4).ComposizioneUtenza = "000000";
    const TTronco prima = Tronco(4);
    g.Grid->SetRowCol(4, Colonna(g, campo::ID_P_UTENZE));
    g.Grid->setFocus();
    Tasti({Qt::Key_Return});
    ASSERT_TRUE(g.Text1->isVisible());
    dialoghi_.Attendi("frmCportata", [&](QDialog& d) {
      auto* box = d.findChild<QLineEdit*>(QString::fromLatin1(c.box));
      QPushButton *ok = nullptr, *annulla = nullptr;
      for (QPushButton* b : d.findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("OK")) ok = b;
        if (b->text() == QStringLiteral("Annulla")) annulla = b;
      }
      ASSERT_NE(box, nullptr);
      ASSERT_NE(ok, nullptr);
      ASSERT_NE(annulla, nullptr);
      box->setFocus();
      box->selectAll();
      QTest::keyClicks(box, QString::fromLatin1(c.digitato));
      ASSERT_EQ(box->text(), QString::fromLatin1(c.digitato));
      if (*c.inizio) {
        // Refused at Enter, which recalculates from the box, and again at OK.
        Messaggio(QString::fromLatin1(c.inizio), QStringLiteral("OK"));
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), box);
        Messaggio(QString::fromLatin1(c.inizio), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, prima.ID_P_UTENZE);
        QTest::mouseClick(annulla, Qt::LeftButton);
      } else {
        QTest::keyClick(box, Qt::Key_Return);
        QTest::mouseClick(ok, Qt::LeftButton);
      }
      EXPECT_FALSE(d.isVisible());
    });
    Tasti({Qt::Key_Question});
    if (*c.watt) {
      EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE,
                      Ricalcola(FontePortata::Watt, 0, c.watt, PotereCalorificoUtenza(1)).Portata);
    } else {
      EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, prima.ID_P_UTENZE);
    }
  }
}

// The segment dialog stored a pasted length as typed: "-5" made a negative pipe, "1E+99" an
// infinite one. Its OK checks both length boxes as the table does.
TEST_F(RigheNuoveTest, TheSegmentDialogChecksItsLengthsAtOk) {
  struct Caso {
    const char* box;
    const char* incollato;
    const char* inizio;
  };
  for (const Caso& c : {Caso{"txtlen", "-5", "La lunghezza effettiva non puo' essere negativa"},
                        Caso{"txtlen", "1E+99", "\"1E+99\" non e' un numero valido per la lunghezza effettiva"},
                        Caso{"Text3", "-2", "La lunghezza equivalente aggiuntiva non puo' essere negativa"}}) {
    SCOPED_TRACE(std::string(c.box) + " " + c.incollato);
    GasGrid& g = Apri(false);
    const TTronco prima = Tronco(2);
    g.Grid->SetRowCol(2, Colonna(g, campo::ID_LEN));
    g.Grid->setFocus();
    Tasti({Qt::Key_Return});
    dialoghi_.Attendi("PTronchi", [&](QDialog& d) {
      auto* box = d.findChild<QLineEdit*>(QString::fromLatin1(c.box));
      ASSERT_NE(box, nullptr);
      box->setFocus();
      box->selectAll();
      QApplication::clipboard()->setText(QString::fromLatin1(c.incollato));
      box->paste();
      Messaggio(QString::fromLatin1(c.inizio), QStringLiteral("OK"));
      FakeDialoghi::Clicca(QStringLiteral("OK"))(d);
      EXPECT_TRUE(d.isVisible());
      EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, prima.ID_LEN);
      FakeDialoghi::Clicca(QStringLiteral("Annulla"))(d);
    });
    Tasti({Qt::Key_Question});
    EXPECT_FLOAT_EQ(Tronco(2).ID_LEN, prima.ID_LEN);
    EXPECT_FLOAT_EQ(Tronco(2).ID_EQLENNOTA, prima.ID_EQLENNOTA);
  }
}

// A new pressurised network: a length typed on row 1 vanished when segment 1 was drawn (1,00 m),
// and Enter through row 1 is the keyboard's way to make the segment.
TEST_F(RigheNuoveTest, WhatIsTypedOnTheEntryRowBecomesTheFirstSegment) {
  for (const bool disegnato : {true, false}) {
    SCOPED_TRACE(disegnato);
    GasGrid& g = Apri(true, true);
    ASSERT_EQ(Rete().NumTronchi, 0);
    const int16_t lunghezza = Colonna(g, campo::ID_LEN);
    g.Grid->SetRowCol(1, lunghezza);
    g.Grid->setFocus();
    Tasti({Qt::Key_1, Qt::Key_5, Qt::Key_Return});
    EXPECT_EQ(Rete().NumTronchi, 0);
    EXPECT_EQ(g.Grid->TextMatrix(1, lunghezza), "15,00");
    if (disegnato) {
      // The schema's drop of the first segment.
      ASSERT_EQ(AggiungiTronco(0), 1);
      g.Elaborazione();
    } else {
      for (int passo = 0; passo < 40 && Rete().NumTronchi == 0; ++passo) Tasti({Qt::Key_Return});
    }
    ASSERT_EQ(Rete().NumTronchi, 1);
    EXPECT_FLOAT_EQ(Tronco(1).ID_LEN, 15.0f);
    EXPECT_GE(Tronco(1).IndiceMateriale, 1);
    EXPECT_EQ(g.Grid->TextMatrix(1, lunghezza), "15,00");
  }
}

// A pressurised network whose final pressure is above the initial one shows "n.c." in red on every
// result: the panel says why, on the refresh and on a row not computed, and gives the panel back
// once the network is sized again.
TEST_F(RigheNuoveTest, ANetworkThatCannotBeSizedSaysWhyInThePanel) {
  GasGrid& g = Apri(true);
  PressioneIniziale = 150;
  PressioneFinale = 200;
  g.Elaborazione();
  const std::string motivo =
      "La rete non è dimensionata: la pressione relativa minima finale (200,00 kPa) supera la pressione relativa "
      "iniziale (150,00 kPa); i valori non calcolati sono indicati con \"n.c.\".";
  EXPECT_EQ(g.Panel3D2->text().toStdString(), motivo);
  g.Grid->SetRowCol(2, Colonna(g, campo::ID_LEN));
  EXPECT_NE(g.Panel3D2->text().toStdString().find(motivo), std::string::npos) << g.Panel3D2->text().toStdString();
  PressioneFinale = 100;
  g.Elaborazione();
  EXPECT_EQ(g.Panel3D2->text().toStdString().find("non è dimensionata"), std::string::npos)
      << g.Panel3D2->text().toStdString();
}

// One pipe from the source, the final pressure above the starting one: the pipe gets the widest
// diameter of its series, marked, with its small drop computed; no value is "n.c.", yet the
// network is not sized and the panel and every report must say why (they said nothing).
TEST_F(RigheNuoveTest, AFinalPressureAboveTheStartIsSaidEvenWhenEveryValueWasComputed) {
  test::ReteDiProva(true);
  Rete().NumTronchi = 1;
  Tronco(1).ID_LEFT = Tronco(1).ID_RIGHT = 0;
  Tronco(1).ID_P_UTENZE = 10;
  Tronco(1).ID_LEN = 20;
  principale_ = std::make_unique<frmMainForm>();
  GasGrid& g = principale_->CaricaEditor();
  principale_->show();
  g.SelezionaPagina(0);
  g.NewRete(1);
  ImpostaInterazione(&schermo_);
  PressioneIniziale = 200;
  PressioneFinale = 250;
  g.Elaborazione();
  ASSERT_FALSE(NonCalcolabile(1, campo::ID_PDC_TRONCO)) << "the case is a network whose values were computed";
  const std::string motivo =
      "La rete non è dimensionata: la pressione relativa minima finale (250,00 kPa) supera la pressione relativa "
      "iniziale (200,00 kPa).";
  EXPECT_EQ(MotivoReteNonDimensionata(), motivo);
  EXPECT_EQ(g.Panel3D2->text().toStdString(), motivo);
  EXPECT_EQ(GetReportNetworkNote(ReportTable::SegmentTable, {1}), motivo);
  EXPECT_EQ(GetReportNetworkNote(ReportTable::WorstPathTable, {1}), motivo);
  PressioneFinale = 100;
  g.Elaborazione();
  EXPECT_EQ(MotivoReteNonDimensionata(), "");
  EXPECT_EQ(GetReportNetworkNote(ReportTable::SegmentTable, {1}), "");
}

// A segment drawn on the schema into the entry row's slot keeps the values typed there; a parent
// typed there that differs from where it was drawn is not taken silently.
TEST_F(RigheNuoveTest, ASegmentDrawnElsewhereThanTheTypedParentSaysSo) {
  GasGrid& g = Apri(false);
  Tronco(2).ID_P_UTENZE = 0;  // a plain end segment, no appliance to ask about
  const int16_t provenienza = Colonna(g, campo::ID_PREV), lunghezza = Colonna(g, campo::ID_LEN);
  g.Grid->SetRowCol(5, provenienza);
  g.Grid->setFocus();
  Tasti({Qt::Key_2, Qt::Key_Return});
  g.Grid->SetRowCol(5, lunghezza);
  Tasti({Qt::Key_8, Qt::Key_Return});
  ASSERT_EQ(Rete().NumTronchi, 4);
  ASSERT_EQ(AggiungiTronco(3), 5);  // drawn from the free end of segment 3
  g.Elaborazione();
  EXPECT_EQ(Tronco(5).ID_PREV, 3);
  EXPECT_EQ(Tronco(3).ID_RIGHT, 5);
  EXPECT_EQ(Tronco(2).ID_LEFT, 0);
  EXPECT_FLOAT_EQ(Tronco(5).ID_LEN, 8.0f);
  const std::string stato = g.Panel3D2->text().toStdString();
  EXPECT_NE(stato.find("non al tronco 2"), std::string::npos) << stato;
}

}  // namespace
}  // namespace varnex::ui
