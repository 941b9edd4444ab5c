// Where the keyboard is after every dialog, message box, save and print the editor opens: the
// program as the user runs it (real start-up, main window, editor, real message boxes shown
// through the dialogs stand-in), with the keys sent to whatever widget has the focus.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "editor/ui/griglia.h"
#include "editor/ui/ptronchi.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "report/print/ui/frm_stampa.h"
#include "shell/stato_interfaccia.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_interaction.h"
#include "app/ui/startup.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"
#include "support/ui/programma_prova.h"

namespace varnex::test {
namespace {


int16_t ColonnaDi(const ui::GasGrid& g, int16_t codice) {
  for (int16_t j = 1; j <= UltimaColonnaGriglia[static_cast<size_t>(g.LayoutGriglia)]; ++j)
    if (ColonneGriglia[static_cast<size_t>(g.LayoutGriglia)][static_cast<size_t>(j)].IdCampo == codice) return j;
  ADD_FAILURE() << "no column " << codice;
  return 1;
}

// The keys the user types next, each to the widget that has the keyboard then.
void Digita(const std::string& tasti) {
  for (char c : tasti) {
    QWidget* fuoco = QApplication::focusWidget();
    ASSERT_NE(fuoco, nullptr) << "no widget has the keyboard";
    if (c == '\r')
      QTest::keyClick(fuoco, Qt::Key_Return);
    else
      QTest::keyClicks(fuoco, QString(QChar::fromLatin1(c)));
    QApplication::processEvents();
  }
}

void Tasto(Qt::Key tasto) {
  QWidget* fuoco = QApplication::focusWidget();
  ASSERT_NE(fuoco, nullptr);
  QTest::keyClick(fuoco, tasto);
  QApplication::processEvents();
}

std::string Nome(const QWidget* w) {
  if (w == nullptr) return "(nessuno)";
  return std::string(w->metaObject()->className()) + " " + w->objectName().toStdString() + " in " +
         w->window()->objectName().toStdString();
}

class Fuoco : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    cartella_.UsaComeCartellaProgramma();
    cartella_.CopiaDatiDistribuiti();
    percorso_ = ScriviProgettoDiProva(cartella_, GetParam() ? "rete.RTG" : "casa.RTG", GetParam());
  }
  void TearDown() override {
    if (programma_) ImpostaInterazione(&programma_->utente);
    programma_.reset();
    ResetRete();
  }

  // The program started on the project, its main window active, messages shown as the user sees
  // them: real boxes, through the dialogs stand-in.
  void Avvia() {
    programma_.emplace(impostazioni_, "VarnexProFuoco");
    programma_->utente.PermettiTutti();
    ui::InstallaSottosistemi();
    ASSERT_EQ(programma_->sequenza.Esegui("\"" + percorso_ + "\""), EsitoAvvio::Avviato);
    QApplication::processEvents();
    principale_ = ui::FinestraPrincipaleCaricata();
    g_ = ui::GasGridCaricato();
    ASSERT_NE(principale_, nullptr);
    ASSERT_NE(g_, nullptr);
    principale_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principale_));
    ImpostaInterazione(&schermo_);
  }

  // Started, the segment table in front.
  void AvviaSullaTabella() {
    ASSERT_NO_FATAL_FAILURE(Avvia());
    g_->SelezionaPagina(0);
    QApplication::processEvents();
  }

  TempFolder cartella_;
  TempFolder impostazioni_;
  std::string percorso_;
  std::optional<ProgrammaDiProva> programma_;
  ui::QtInterazione schermo_;
  ui::frmMainForm* principale_ = nullptr;
  ui::GasGrid* g_ = nullptr;
};

// After each dialog of the table the user types a length and Enter: it lands in the cell the
// table shows, and the selectors of the design's limits keep what they held.
TEST_P(Fuoco, KeysAfterEveryDialogOfTheTableGoToTheCellTheTableShows) {
  const bool pressione = GetParam();
  ASSERT_NO_FATAL_FAILURE(Avvia());
  ui::frmMainForm* principale = principale_;
  ui::GasGrid* g = g_;
  FakeDialoghi& dialoghi = programma_->dialoghi;

  g->SelezionaPagina(0);
  QApplication::processEvents();
  const int16_t lunghezza = ColonnaDi(*g, campo::ID_LEN);
  const int16_t portata = ColonnaDi(*g, campo::ID_P_UTENZE);
  const double massima = PDCMaxUtente;
  const double iniziale = PressioneIniziale;
  const QString testoMassima = g->ComboDpMax->currentText();
  const QString testoIniziale = g->ComboInitPres->currentText();

  float valore = 10;
  struct Caso {
    const char* nome;
    int16_t riga, colonna;
    std::function<void()> apri;
  };
  const Caso casi[] = {
      {"F11, then Esc", 1, lunghezza,
       [&] {
         dialoghi.Attendi("PTronchi", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
         Tasto(Qt::Key_F11);
       }},
      {"F11, then OK", 2, lunghezza,
       [&] {
         dialoghi.Attendi("PTronchi", FakeDialoghi::Clicca(QStringLiteral("OK")));
         Tasto(Qt::Key_F11);
       }},
      {"F11 while a cell is being edited, then OK", 3, lunghezza,
       [&] {
         Digita("5");
         dialoghi.Attendi("PTronchi", FakeDialoghi::Clicca(QStringLiteral("OK")));
         Tasto(Qt::Key_F11);
       }},
      {"appliance flow dialog, OK", 2, portata,
       [&] {
         dialoghi.Attendi(pressione ? "frmPortata" : "frmCportata", FakeDialoghi::Clicca(QStringLiteral("OK")));
         g->Grid_DblClick();
         QApplication::processEvents();
         // Back on the length of the row.
         g->Grid->SetRowCol(2, lunghezza);
       }},
      {"a refusal's message box, OK", 2, ColonnaDi(*g, campo::ID_PREV),
       [&] {
         dialoghi.Attendi("QMessageBox", [](QDialog& d) {
           EXPECT_EQ(static_cast<QMessageBox&>(d).text(), QStringLiteral("Il tronco non puo' provenire da se stesso!"));
           FakeDialoghi::Clicca(QStringLiteral("OK"))(d);
         });
         Digita("2\r");
         EXPECT_EQ(Tronco(2).ID_PREV, 1);
         g->Grid->SetRowCol(2, lunghezza);
       }},
      {"F2 while a cell is being edited", 2, lunghezza,
       [&] {
         Digita("8");
         Tasto(Qt::Key_F2);
       }},
      {"the toolbar's save button", 3, lunghezza, [&] { QTest::mouseClick(principale->Command3D4, Qt::LeftButton); }},
      {"the print dialog, Annulla", 1, lunghezza,
       [&] {
         QTest::mouseClick(principale->SSCommand2, Qt::LeftButton);
         QApplication::processEvents();
         ui::frmStampa* stampa = ui::StampaAperta();
         ASSERT_NE(stampa, nullptr);
         stampa->cmdCancel->click();
         QApplication::processEvents();
       }},
      {"F4, the project's parameters, Annulla", 3, lunghezza,
       [&] {
         dialoghi.Attendi("Parametri", FakeDialoghi::Clicca(QStringLiteral("Annulla")));
         Tasto(Qt::Key_F4);
       }},
      {"the delete dialog from the toolbar, closed", 3, lunghezza,
       [&] {
         dialoghi.Attendi("frmDelete", FakeDialoghi::ChiudiFinestra());
         QTest::mouseClick(principale->SSCommandCancel, Qt::LeftButton);
       }},
      {"unlinking segment 1 refused in a message", 1, lunghezza,
       [&] {
         dialoghi.Attendi("frmDelete", [](QDialog& d) {
           auto* b = d.findChild<QPushButton*>(QStringLiteral("cmdScollega"));
           ASSERT_NE(b, nullptr);
           b->click();
         });
         dialoghi.Attendi("QMessageBox", FakeDialoghi::Clicca(QStringLiteral("OK")));
         QTest::mouseClick(principale->SSCommandCancel, Qt::LeftButton);
       }},
      {"the diameter picker, closed", 2, ColonnaDi(*g, campo::ID_DIAMETRO),
       [&] {
         dialoghi.Attendi("ViewDiametriFrm", FakeDialoghi::ChiudiFinestra());
         g->GridEditing("");
         QApplication::processEvents();
         ASSERT_TRUE(g->cmdDettagliDiametro->isVisible());
         QTest::mouseClick(g->cmdDettagliDiametro, Qt::LeftButton);
         QApplication::processEvents();
         g->Grid->SetRowCol(2, lunghezza);
       }},
      {"the segment dialog from the toolbar, OK", 2, lunghezza,
       [&] {
         dialoghi.Attendi("PTronchi", FakeDialoghi::Clicca(QStringLiteral("OK")));
         QTest::mouseClick(principale->cmdParameterElemSel, Qt::LeftButton);
       }},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    g->Grid->SetRowCol(c.riga, c.colonna);
    g->Grid->setFocus();
    QApplication::processEvents();
    c.apri();
    QApplication::processEvents();
    EXPECT_TRUE(QApplication::focusWidget() == g->Grid || QApplication::focusWidget() == g->Text1)
        << Nome(QApplication::focusWidget());
    valore += 1;
    const int16_t riga = g->Grid->Row();
    Digita(std::to_string(static_cast<int>(valore)) + "\r");
    EXPECT_EQ(Tronco(riga).ID_LEN, valore) << "row " << riga;
    EXPECT_EQ(PDCMaxUtente, massima);
    EXPECT_EQ(PressioneIniziale, iniziale);
    EXPECT_EQ(g->ComboDpMax->currentText(), testoMassima);
    EXPECT_EQ(g->ComboInitPres->currentText(), testoIniziale);
  }
}

// What the user types or pastes in a selector of the design's limits is applied as typed or
// refused with a message naming the list and quoting the text: the value in force stays, and the
// keyboard is back in the list. A comma in "Dp max" was dropped ("30,5" applied 305 Pa), a second
// comma in a pressure cut the number ("1,2,3" applied 1,2 kPa), a paste went around the filter.
TEST_P(Fuoco, ASelectorAppliesWhatWasTypedOrRefusesItAndKeepsTheKeyboard) {
  const bool pressione = GetParam();
  ASSERT_NO_FATAL_FAILURE(AvviaSullaTabella());
  ui::GasGrid* g = g_;
  FakeDialoghi& dialoghi = programma_->dialoghi;
  CursoreBloccato = 0;
  QComboBox* prima = pressione ? g->ComboInitPres : g->ComboDpMax;
  QComboBox* seconda = pressione ? g->ComboFinalPres : g->ComboDpMax;
  double& valorePrima = pressione ? PressioneIniziale : PDCMaxUtente;
  double& valoreSeconda = pressione ? PressioneFinale : PDCMaxUtente;
  const std::string nomePrima = pressione ? "la pressione relativa iniziale" : "la perdita massima imposta (Dp max)";
  const std::string nomeSeconda = pressione ? "la pressione relativa finale" : "la perdita massima imposta (Dp max)";

  // Clicks into the list, selects its text and types (or pastes) over it.
  auto scrivi = [&](QComboBox* lista, const std::string& testo, bool incolla) {
    QTest::mouseClick(lista->lineEdit(), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), lista) << Nome(QApplication::focusWidget());
    Tasto(Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
    if (incolla) {
      QApplication::clipboard()->setText(QString::fromStdString(testo));
      lista->lineEdit()->paste();  // as Ctrl+V or the context menu's "Incolla"
      QApplication::processEvents();
      ASSERT_EQ(lista->currentText().toStdString(), testo);
    } else {
      Digita(testo);
    }
  };
  auto rifiuto = [&](const std::string& testo, const std::string& nome) {
    dialoghi.Attendi("QMessageBox", [testo, nome](QDialog& d) {
      EXPECT_EQ(static_cast<QMessageBox&>(d).text().toStdString().rfind("\"" + testo + "\" non e' un numero valido per " + nome, 0),
                0u)
          << static_cast<QMessageBox&>(d).text().toStdString();
      FakeDialoghi::Clicca(QStringLiteral("OK"))(d);
    });
  };

  // Read as typed: a decimal comma, or a point, in every list.
  ASSERT_NO_FATAL_FAILURE(scrivi(prima, pressione ? "300,5" : "30,5", false));
  Tasto(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(valorePrima, pressione ? 300.5 : 30.5);
  ASSERT_NO_FATAL_FAILURE(scrivi(seconda, "20.5", false));
  Tasto(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(valoreSeconda, 20.5);
  if (!pressione) {
    EXPECT_EQ(PDCMaxTesto, "20,5");
  }
  const double inVigorePrima = valorePrima, inVigoreSeconda = valoreSeconda;
  const QString testoPrima = prima->currentText(), testoSeconda = seconda->currentText();

  struct Caso {
    const char* nome;
    bool suSeconda;
    const char* testo;
    bool incolla;
    std::function<void()> conferma;
    bool nellaLista;  // the keyboard back in the list (else where the user clicked)
  };
  const Caso casi[] = {
      {"two commas, Enter", false, "1,2,3", false, [] { Tasto(Qt::Key_Return); }, true},
      {"a pasted exponent, the list left by a click in the table", true, "1E+99", true,
       [&] {
         QTest::mouseClick(g->Grid->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
         QApplication::processEvents();
       },
       false},
      {"two marks, Enter", true, "1.5,5", false, [] { Tasto(Qt::Key_Return); }, true},
      {"a pasted word, the list left with Tab", false, "cento", true, [] { Tasto(Qt::Key_Tab); }, true},
      {"a pasted negative, Enter", true, "-80", true, [] { Tasto(Qt::Key_Return); }, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    QComboBox* lista = c.suSeconda ? seconda : prima;
    const std::string nome = c.suSeconda ? nomeSeconda : nomePrima;
    ASSERT_NO_FATAL_FAILURE(scrivi(lista, c.testo, c.incolla));
    if (std::string(c.testo) == "-80")
      dialoghi.Attendi("QMessageBox", [&nome](QDialog& d) {
        EXPECT_EQ(static_cast<QMessageBox&>(d).text().toStdString().rfind(char(nome[0] - 'a' + 'A') + nome.substr(1) + " non puo' essere negativa.", 0), 0u)
            << static_cast<QMessageBox&>(d).text().toStdString();
        FakeDialoghi::Clicca(QStringLiteral("OK"))(d);
      });
    else
      rifiuto(c.testo, nome);
    c.conferma();
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(valorePrima, inVigorePrima);
    EXPECT_DOUBLE_EQ(valoreSeconda, inVigoreSeconda);
    EXPECT_EQ(prima->currentText(), testoPrima);
    EXPECT_EQ(seconda->currentText(), testoSeconda);
    if (!c.nellaLista) {
      EXPECT_NE(QApplication::focusWidget(), lista);
      continue;
    }
    // The keyboard is back in the list, its text selected: the next keys retype the value.
    EXPECT_EQ(QApplication::focusWidget(), lista) << Nome(QApplication::focusWidget());
    EXPECT_TRUE(lista->lineEdit()->hasSelectedText());
  }
  // Retyped over the selection, the value is applied.
  // No entry completes what was typed: "45" stays 45, not the "450" of the list.
  Digita("45");
  Tasto(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(valoreSeconda, 45);
  EXPECT_TRUE(dialoghi.visti.size() >= std::size(casi));

  // The maximum drop typed with a comma goes into the project file as typed and comes back.
  if (!pressione) {
    PDCMaxUtente = 30.5;
    const std::string copia = cartella_.Path() + "/copia.RTG";
    ASSERT_TRUE(ScriviRTG(copia));
    PDCMaxUtente = 0;
    ASSERT_TRUE(LeggiRTG(copia));
    EXPECT_DOUBLE_EQ(PDCMaxUtente, 30.5);
  }
}

// A decimal mark typed in a fitting count (or the simultaneity) reaches the box and OK refuses it,
// naming the box: dropping the comma stored "1,5" curves as 15. The keyboard is back in the box.
TEST_P(Fuoco, ACountTypedWithACommaInTheSegmentDialogIsRefusedNotStoredTenTimesOver) {
  const bool pressione = GetParam();
  ASSERT_NO_FATAL_FAILURE(AvviaSullaTabella());
  ui::GasGrid* g = g_;
  FakeDialoghi& dialoghi = programma_->dialoghi;
  g->Grid->SetRowCol(2, ColonnaDi(*g, campo::ID_LEN));
  g->Grid->setFocus();
  QApplication::processEvents();
  const int16_t curve = Tronco(2).ID_NCURVE;
  bool conContemporaneita = false;
  dialoghi.Attendi("PTronchi", [&](QDialog& d) {
    auto& p = static_cast<ui::PTronchi&>(d);
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    std::vector<std::pair<QLineEdit*, std::string>> boxes{{p.txtLocal[0], "1,5"}};
    conContemporaneita = pressione && p.txtContemp->isEnabled();
    if (conContemporaneita) boxes.push_back({p.txtContemp, "12,5"});
    for (const auto& [box, testo] : boxes) {
      SCOPED_TRACE(testo);
      QTest::mouseClick(box, Qt::LeftButton);
      box->selectAll();
      Digita(testo);
      EXPECT_EQ(box->text().toStdString(), testo);
      dialoghi.Attendi("QMessageBox", [testo = testo](QDialog& m) {
        const std::string t = static_cast<QMessageBox&>(m).text().toStdString();
        EXPECT_EQ(t.rfind("\"" + testo + "\" non e' un numero intero valido per ", 0), 0u) << t;
        FakeDialoghi::Clicca(QStringLiteral("OK"))(m);
      });
      QTest::mouseClick(p.Command1, Qt::LeftButton);
      QApplication::processEvents();
      EXPECT_TRUE(d.isVisible());
      EXPECT_EQ(QApplication::focusWidget(), box) << Nome(QApplication::focusWidget());
      // The next keys retype the value.
      Digita("20");
      EXPECT_EQ(box->text(), QStringLiteral("20"));
    }
    QTest::mouseClick(p.Command1, Qt::LeftButton);
  });
  Tasto(Qt::Key_F11);
  QApplication::processEvents();
  EXPECT_NE(curve, 20);
  EXPECT_EQ(Tronco(2).ID_NCURVE, 20);
  if (conContemporaneita) {
    EXPECT_EQ(Tronco(2).ID_CONTEMP, 20);
  }
}

// "No" to clearing an appliance's flow links nothing: the parent cell shows what it held (the
// entry row nothing, a segment its parent), and the next keys reach the table.
TEST_P(Fuoco, AfterNoToTheApplianceQuestionTheParentCellShowsWhatIsStored) {
  ASSERT_NO_FATAL_FAILURE(Avvia());
  ui::GasGrid* g = g_;
  g->SelezionaPagina(0);
  QApplication::processEvents();
  const int16_t provenienza = ColonnaDi(*g, campo::ID_PREV);
  const int16_t lunghezza = ColonnaDi(*g, campo::ID_LEN);
  const float portata = Tronco(2).ID_P_UTENZE;
  for (const int16_t riga : {int16_t{4}, int16_t{3}}) {
    SCOPED_TRACE(riga == 4 ? "entry row" : "segment 3");
    const std::string prima = g->Grid->TextMatrix(riga, provenienza);
    const int16_t padre = Tronco(riga).ID_PREV;
    g->Grid->SetRowCol(riga, provenienza);
    g->Grid->setFocus();
    // The entry row only notes the parent (the question comes with the link, when the row is
    // made): the cell shows the parent noted, nothing is linked.
    if (riga == 3)
      programma_->dialoghi.Attendi("QMessageBox", [](QDialog& d) {
        EXPECT_TRUE(
            static_cast<QMessageBox&>(d).text().startsWith(QStringLiteral("Il tronco di provenienza e' una utenza!")));
        FakeDialoghi::Clicca(QStringLiteral("No"))(d);
      });
    Digita("2\r");
    EXPECT_EQ(g->Grid->TextMatrix(riga, provenienza), riga == 3 ? prima : "2");
    if (riga == 3) EXPECT_EQ(Tronco(riga).ID_PREV, padre);
    EXPECT_EQ(Tronco(2).ID_P_UTENZE, portata);
    EXPECT_EQ(Tronco(2).ID_LEFT, 0);
    EXPECT_TRUE(QApplication::focusWidget() == g->Grid || QApplication::focusWidget() == g->Text1)
        << Nome(QApplication::focusWidget());
  }
  // The keys go on to the table: a length on segment 3.
  g->Grid->SetRowCol(3, lunghezza);
  Digita("12\r");
  EXPECT_EQ(Tronco(3).ID_LEN, 12.0f);
}

// The schema page: after the segment dialog or a message the keyboard is the canvas's again.
TEST_P(Fuoco, AfterADialogOfTheSchemaTheKeyboardIsTheSchemasAgain) {
  ASSERT_NO_FATAL_FAILURE(Avvia());
  ui::frmMainForm* principale = principale_;
  ui::GasGrid* g = g_;
  g->SelezionaPagina(1);
  QApplication::processEvents();
  g->picDisplay->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), g->picDisplay);
  // The print dialog opened and cancelled from the schema.
  QTest::mouseClick(principale->SSCommand2, Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_NE(ui::StampaAperta(), nullptr);
  ui::StampaAperta()->cmdCancel->click();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), g->picDisplay) << Nome(QApplication::focusWidget());
  // A message box over the schema.
  programma_->dialoghi.Attendi("QMessageBox", FakeDialoghi::Clicca(QStringLiteral("OK")));
  MsgBox("Prova");
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), g->picDisplay) << Nome(QApplication::focusWidget());
}

INSTANTIATE_TEST_SUITE_P(Attivita, Fuoco, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "rete" : "impianto"; });

}  // namespace
}  // namespace varnex::test
