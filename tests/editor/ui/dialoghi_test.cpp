// The editor's dialogs on screen: the segment-parameters dialog opened from the table, its range
// store with the field choice, navigation and the diameter chooser; the copy selection; the two
// flow dialogs; and the delete command in its table and schema paths.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QListWidget>
#include <QStyle>
#include <QTest>

#include "archives/ui/diametri.h"
#include "editor/ui/archivi_finestre.h"
#include "editor/ui/cancellazione.h"
#include "editor/ui/copyselect.h"
#include "editor/ui/gasgrid.h"
#include "editor/ui/portata.h"
#include "editor/ui/ptronchi.h"
#include "model/campi.h"
#include "support/ui/fake_services.h"
#include "model/tenuta.h"

namespace varnex::ui {
namespace {

using test::FakeDialoghi;

class SchemaFinto : public ISchemaRete {
 public:
  SchemaFinto() { ImpostaSchemaRete(this); }
  ~SchemaFinto() override { ImpostaSchemaRete(nullptr); }
  void DrawSchema(QWidget&, int16_t, const std::string&, int16_t) override { ++disegni; }
  int16_t GetSelectedTronco() const override { return selezionato; }
  int disegni = 0;
  int16_t selezionato = 0;
};

class DialoghiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The slot flags of an earlier test's deletions survive ResetRete.
    BloccoReti = {};
    test::ReteDiProva(false);
    Materiali[1][0].NumDiametri = std::max<int16_t>(Materiali[1][0].NumDiametri, 2);
  }
  void TearDown() override { ScaricaPTronchi(); }
  GasGrid& Editor() {
    if (!grid_) {
      grid_ = std::make_unique<GasGrid>(principale_);
      grid_->SelezionaPagina(0);
      grid_->NewRete(1);
    }
    return *grid_;
  }
  test::ArchiviDistribuiti archivi_;
  test::PrincipaleFinta principale_;
  SchemaFinto schema_;
  FakeDialoghi dialoghi_;
  std::unique_ptr<GasGrid> grid_;
};

PTronchi& P(QDialog& d) { return static_cast<PTronchi&>(d); }

// The keyboard entering and leaving a box, as a click or Tab delivers it.
void Focus(QWidget* w, bool entra) {
  QFocusEvent e(entra ? QEvent::FocusIn : QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(w, &e);
}

TEST_F(DialoghiTest, F11ApreIlTroncoCorrenteEOkSalvaERicalcola) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(3, 1);
  Tronco(3).ID_RIF = "Bagno";
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    PTronchi& p = P(d);
    EXPECT_EQ(p.Text10->text(), QStringLiteral(" 3"));
    EXPECT_EQ(p.txtlen->text(), QStringLiteral(" 15"));
    EXPECT_EQ(p.Label6->text(), QStringLiteral(" 1"));
    EXPECT_EQ(p.lblRiferimento->text(), QStringLiteral("Bagno"));
    EXPECT_TRUE(p.pnlContemp->isHidden());
    EXPECT_TRUE(p.txtLocal[9]->isHidden());
    p.txtlen->setText(QStringLiteral("7,5"));
    p.txtLocal[0]->setText(QStringLiteral("2"));
    p.Command1->click();
  });
  EXPECT_TRUE(g.Form_KeyDown(122));
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 7.5f);
  EXPECT_EQ(Tronco(3).ID_NCURVE, 2);
  EXPECT_EQ(ProgettoModificato, -1);
  // Recalculated: the table shows the new length.
  int16_t colonna = 1;
  for (int16_t j = 1; j < g.Grid->Cols(); ++j)
    if (ColonneGriglia[0][static_cast<size_t>(j)].IdCampo == campo::ID_LEN) colonna = j;
  EXPECT_EQ(g.Grid->TextMatrix(3, colonna).substr(0, 3), "7,5");
}

// A length typed without Enter, then F11: the dialog must show it, and OK must not put the old
// value back.
TEST_F(DialoghiTest, F11ConfermaPrimaLaCellaInModifica) {
  GasGrid& g = Editor();
  g.show();
  int16_t colonna = 1;
  for (int16_t j = 1; j < g.Grid->Cols(); ++j)
    if (ColonneGriglia[0][static_cast<size_t>(j)].IdCampo == campo::ID_LEN) colonna = j;
  g.Grid->SetRowCol(3, colonna);
  QTest::keyClick(g.Grid, Qt::Key_4);
  QTest::keyClick(g.Text1, Qt::Key_2);
  ASSERT_TRUE(g.Text1->isVisible());
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    EXPECT_EQ(P(d).txtlen->text(), QStringLiteral(" 42"));
    P(d).Command1->click();
  });
  QTest::keyClick(g.Text1, Qt::Key_F11);
  EXPECT_EQ(dialoghi_.visti.size(), 1u);
  EXPECT_FLOAT_EQ(Tronco(3).ID_LEN, 42);
  EXPECT_FALSE(g.Text1->isVisible());
}

TEST_F(DialoghiTest, F11OltreLUltimoTroncoNonApreNulla) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(5, 1);
  EXPECT_TRUE(g.Form_KeyDown(122));
  EXPECT_TRUE(dialoghi_.visti.empty());
}

TEST_F(DialoghiTest, IntervalloChiedeICampiPoiConfermaESoloSiScrive) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(1, 1);
  g.Grid->SetSelezione(3, 2);
  auto apri = [&](bool conferma) {
    dialoghi_.Attendi("PTronchi", [](QDialog& d) {
      P(d).txtLocal[0]->setText(QStringLiteral("4"));
      P(d).txtlen->setText(QStringLiteral("33"));
      P(d).Command1->click();
      // "No" leaves the dialog open with nothing stored.
      EXPECT_TRUE(d.isVisible());
      if (d.isVisible()) P(d).Command2->click();
    });
    dialoghi_.Attendi("frmCopySelect", [](QDialog& d) {
      auto& c = static_cast<frmCopySelect&>(d);
      c.chkGroup1[0]->setChecked(true);
      c.cmdOK->click();
    });
    archivi_.Utente().Attendi("ATTENZIONE! questi valori verranno attribuiti a tutti i tronchi selezionati. "
                              "Procedere  con l'operazione?",
                              conferma ? Risposta::Si : Risposta::No);
  };
  apri(false);
  ApriParametriTronco(1);
  for (int16_t s = 1; s <= 3; ++s) EXPECT_EQ(Tronco(s).ID_NCURVE, 0);

  // With Yes only the chosen count reaches rows 1 to 3.
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    P(d).txtLocal[0]->setText(QStringLiteral("4"));
    P(d).txtlen->setText(QStringLiteral("33"));
    P(d).Command1->click();
  });
  dialoghi_.Attendi("frmCopySelect", [](QDialog& d) {
    auto& c = static_cast<frmCopySelect&>(d);
    c.chkGroup1[0]->setChecked(true);
    c.cmdOK->click();
  });
  archivi_.Utente().Attendi("ATTENZIONE!", Risposta::Si);
  ApriParametriTronco(1);
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).ID_NCURVE, 4) << s;
    EXPECT_FLOAT_EQ(Tronco(s).ID_LEN, 5.0f * s) << s;
  }
  EXPECT_EQ(Tronco(4).ID_NCURVE, 0);
  EXPECT_EQ(PTronchiCaricato()->Stato.CampiDaApplicare[0], -1);
  EXPECT_EQ(PTronchiCaricato()->Stato.CampiDaApplicare[12], 0);
}

// A label the dialog's series does not hold became "0" and released the fixed diameter of every
// segment of the range without a word. It is refused before anything is stored.
TEST_F(DialoghiTest, UnDiametroCheLaSerieNonHaVieneRifiutatoEIlBloccoResta) {
  GasGrid& g = Editor();
  const std::string etichetta = Materiali[1][2].RifDiametro;
  for (int16_t s = 1; s <= 3; ++s) {
    Tronco(s).ID_DIAMETRO = etichetta;
    Tronco(s).ID_DIAMCUSTOM = -1;
  }
  g.Grid->SetRowCol(1, 1);
  g.Grid->SetSelezione(3, 2);
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    P(d).txtDiametro->setText(QStringLiteral("54x2,5"));
    P(d).Command1->click();
    EXPECT_TRUE(d.isVisible());
    if (d.isVisible()) P(d).Command2->click();
  });
  archivi_.Utente().Attendi("Il diametro \"54x2,5\" non fa parte della serie");
  ApriParametriTronco(1);
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).ID_DIAMCUSTOM, -1) << s;
    EXPECT_EQ(Tronco(s).ID_DIAMETRO, etichetta) << s;
  }
}

TEST_F(DialoghiTest, AnnullaDellaSceltaCampiLasciaApertoSenzaSalvare) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(2, 1);
  g.Grid->SetSelezione(4, 2);
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    P(d).txtLocal[0]->setText(QStringLiteral("4"));
    P(d).Command1->click();
    EXPECT_TRUE(d.isVisible());
    P(d).Command2->click();
  });
  dialoghi_.Attendi("frmCopySelect", FakeDialoghi::Clicca(QStringLiteral("Annulla")));
  ApriParametriTronco(2);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s).ID_NCURVE, 0);
}

TEST_F(DialoghiTest, NavigazioneSalvaIlTroncoMostratoESiFermaAllUltimo) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(1, 1);
  dialoghi_.Attendi("PTronchi", [&](QDialog& d) {
    PTronchi& p = P(d);
    p.txtLocal[1]->setText(QStringLiteral("3"));
    p.Text10->setText(QStringLiteral("2"));
    EXPECT_EQ(Tronco(1).ID_NRACCORDI, 3);
    EXPECT_EQ(p.Stato.TroncoAperto, 2);
    EXPECT_EQ(g.Grid->Row(), 2);
    p.txtLocal[1]->setText(QStringLiteral("7"));
    p.Text10->setText(QStringLiteral("25"));  // beyond the last of 4 segments
    EXPECT_EQ(p.Text10->text(), QStringLiteral("4"));
    EXPECT_EQ(Tronco(2).ID_NRACCORDI, 7);
    EXPECT_EQ(p.Stato.TroncoAperto, 4);
    EXPECT_EQ(g.Grid->Row(), 4);
    p.Spin4Su->click();  // on the last: no change, the row stays
    EXPECT_EQ(p.Text10->text(), QStringLiteral("4"));
    p.Spin4Giu->click();
    EXPECT_EQ(p.Stato.TroncoAperto, 3);
    // Esc is Annulla: the values shown are not stored, those stored by navigation stay.
    p.txtLocal[1]->setText(QStringLiteral("9"));
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(p.txtLocal[1], &esc);
    EXPECT_FALSE(d.isVisible());
  });
  ApriParametriTronco(1);
  EXPECT_EQ(Tronco(3).ID_NRACCORDI, 0);
  EXPECT_EQ(Tronco(2).ID_NRACCORDI, 7);
}

// A pasted "-5" in the length and "1,5" in a count, then a step to another segment and Annulla,
// stored -5 m and 1 without a word. Every way the dialog stores applies OK's checks: the message
// names the box, nothing of the segment is stored, and the dialog stays on the segment shown.
TEST_F(DialoghiTest, LaNavigazioneControllaComeOKENonSalvaUnTestoRifiutato) {
  struct Caso {
    const char* nome;
    std::function<void(PTronchi&)> passo;
  };
  const Caso casi[] = {
      {"freccia su", [](PTronchi& p) { p.Spin4Su->click(); }},
      {"freccia giu", [](PTronchi& p) { p.Spin4Giu->click(); }},
      {"numero", [](PTronchi& p) { p.Text10->setText(QStringLiteral("3")); }},
  };
  struct Box {
    const char* messaggio;
    std::function<void(PTronchi&)> incolla;
  };
  const Box boxes[] = {
      {"La lunghezza effettiva non puo' essere negativa", [](PTronchi& p) { p.txtlen->setText(QStringLiteral("-5")); }},
      {"\"1,5\"", [](PTronchi& p) { p.txtLocal[0]->setText(QStringLiteral("1,5")); }},
  };
  for (const Caso& c : casi) {
    for (const Box& b : boxes) {
      SCOPED_TRACE(std::string(c.nome) + " / " + b.messaggio);
      GasGrid& g = Editor();
      g.Grid->SetRowCol(2, 1);
      const TRete prima = Rete();
      const size_t messaggi = archivi_.Utente().messaggi.size();
      dialoghi_.Attendi("PTronchi", [&](QDialog& d) {
        PTronchi& p = P(d);
        b.incolla(p);
        c.passo(p);
        EXPECT_EQ(archivi_.Utente().messaggi.size(), messaggi + 1) << "one message for one step";
        EXPECT_EQ(p.Stato.TroncoAperto, 2);
        EXPECT_EQ(p.Text10->text().trimmed(), QStringLiteral("2"));
        P(d).Command2->click();
      });
      archivi_.Utente().Attendi(b.messaggio);
      ApriParametriTronco(2);
      for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
      ScaricaPTronchi();
    }
  }
}

// The number typed into "N. Tronco" is applied after the box has handled the key: a refusal's
// message, with its own event loop, shown from inside the box's key handling crashed the program.
TEST_F(DialoghiTest, UnNumeroDigitatoSiApplicaDopoIlTasto) {
  struct Caso {
    const char* nome;
    bool rifiuto;
  };
  for (const Caso& c : {Caso{"accettato", false}, Caso{"rifiutato", true}}) {
    SCOPED_TRACE(c.nome);
    Editor().Grid->SetRowCol(2, 1);
    const size_t messaggi = archivi_.Utente().messaggi.size();
    dialoghi_.Attendi("PTronchi", [&](QDialog& d) {
      PTronchi& p = P(d);
      if (c.rifiuto) p.txtlen->setText(QStringLiteral("-5"));
      p.Text10->setFocus();
      p.Text10->selectAll();
      QKeyEvent tre(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
      QApplication::sendEvent(p.Text10, &tre);
      EXPECT_EQ(archivi_.Utente().messaggi.size(), messaggi) << "no message while the box handles the key";
      EXPECT_EQ(p.Stato.TroncoAperto, 2) << "nothing applied while the box handles the key";
      QCoreApplication::sendPostedEvents();
      EXPECT_EQ(archivi_.Utente().messaggi.size(), messaggi + (c.rifiuto ? 1 : 0));
      EXPECT_EQ(p.Stato.TroncoAperto, c.rifiuto ? 2 : 3);
      EXPECT_EQ(p.Text10->text().trimmed(), c.rifiuto ? QStringLiteral("2") : QStringLiteral("3"));
      P(d).Command2->click();
    });
    if (c.rifiuto) archivi_.Utente().Attendi("La lunghezza effettiva non puo' essere negativa");
    ApriParametriTronco(2);
    ScaricaPTronchi();
  }
}

TEST_F(DialoghiTest, TastiESpinDelDialogo) {
  ReteInPressione = -1;
  Editor().Grid->SetRowCol(3, 1);
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    PTronchi& p = P(d);
    EXPECT_FALSE(p.pnlContemp->isHidden());
    EXPECT_FALSE(p.txtLocal[9]->isHidden());
    p.txtContemp->setText(QStringLiteral("12"));
    p.SpinButton1Giu->click();
    EXPECT_EQ(p.txtContemp->text(), QStringLiteral("7"));
    p.txtContemp_LostFocus();
    EXPECT_EQ(p.txtContemp->text(), QStringLiteral("10"));
    p.txtLocal[0]->setText(QStringLiteral("9999"));
    p.spnLocalSu[0]->click();
    EXPECT_EQ(p.txtLocal[0]->text(), QStringLiteral("10000"));
    // Letters never reach a box; a fifth digit is refused.
    for (QLineEdit* box : {p.txtlen, p.txtLocal[1], p.txtDiametro}) {
      box->setFocus();
      box->clear();
      QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
      QApplication::sendEvent(box, &a);
      EXPECT_TRUE(box->text().isEmpty());
    }
    p.txtLocal[1]->setText(QStringLiteral("1234"));
    p.txtLocal[1]->deselect();
    QKeyEvent cinque(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(p.txtLocal[1], &cinque);
    EXPECT_EQ(p.txtLocal[1]->text(), QStringLiteral("1234"));
    p.Command1->click();
  });
  ApriParametriTronco(3);
  EXPECT_EQ(Tronco(3).ID_NCURVE, 9999);
  EXPECT_EQ(Tronco(3).ID_CONTEMP, 10);
}

TEST_F(DialoghiTest, SceltaDiametroEBlocco) {
  Editor().Grid->SetRowCol(1, 1);
  const QString etichetta = QS(Materiali[1][2].RifDiametro);
  auto scegli = [](const QString& voce) {
    return [voce](QDialog& d) {
      auto& v = static_cast<ViewDiametriFrm&>(d);
      const auto trovate = v.List1->findItems(voce, Qt::MatchExactly);
      ASSERT_FALSE(trovate.isEmpty());
      v.List1->setCurrentItem(trovate.front());
      v.List1_Click();
      v.Command2_Click();
    };
  };
  dialoghi_.Attendi("PTronchi", [&](QDialog& d) {
    PTronchi& p = P(d);
    p.Command3->click();
    EXPECT_EQ(p.txtDiametro->text(), etichetta);
    EXPECT_TRUE(p.txtDiametro->property("rosso").toBool());
    // "?" and Enter open it too; "Auto" goes in the box, the colour stays.
    p.txtDiametro->setText(QStringLiteral("?"));
    p.txtDiametro->setFocus();
    QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(p.txtDiametro, &invio);
    EXPECT_EQ(p.txtDiametro->text(), QStringLiteral("Auto"));
    EXPECT_TRUE(p.txtDiametro->property("rosso").toBool());
    // Annulla in the chooser leaves box and colour as they were.
    p.Command3->click();
    EXPECT_EQ(p.txtDiametro->text(), QStringLiteral("Auto"));
    p.txtDiametro->setText(etichetta);
    p.Command1->click();
  });
  dialoghi_.Attendi("varnex::ui::ViewDiametriFrm", scegli(etichetta));
  dialoghi_.Attendi("varnex::ui::ViewDiametriFrm", scegli(QStringLiteral("Auto")));
  dialoghi_.Attendi("varnex::ui::ViewDiametriFrm", FakeDialoghi::Clicca(QStringLiteral("Annulla")));
  ApriParametriTronco(1);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, SS(etichetta));
  EXPECT_EQ(Tronco(1).ID_DIAMCUSTOM, -1);
}

TEST_F(DialoghiTest, BloccoSuDiametroVuotoRestaSuESbloccaAlSalvataggio) {
  Tronco(2).ID_DIAMCUSTOM = -1;
  Editor().Grid->SetRowCol(2, 1);
  dialoghi_.Attendi("PTronchi", [](QDialog& d) {
    PTronchi& p = P(d);
    EXPECT_TRUE(p.SSRibbon1->isChecked());
    p.txtDiametro->clear();
    p.SSRibbon1->click();  // released
    p.SSRibbon1->click();  // pressed on an empty box: back up
    EXPECT_FALSE(p.SSRibbon1->isChecked());
    p.Command1->click();
  });
  ApriParametriTronco(2);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, 0);
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, "0");
}

TEST_F(DialoghiTest, ChiusuraConLaCroceScaricaIlDialogo) {
  Editor().Grid->SetRowCol(2, 1);
  dialoghi_.Attendi("PTronchi", FakeDialoghi::ChiudiFinestra());
  ApriParametriTronco(2);
  EXPECT_EQ(PTronchiCaricato(), nullptr);
  dialoghi_.Attendi("PTronchi", FakeDialoghi::Clicca(QStringLiteral("Annulla")));
  ApriParametriTronco(2);
  EXPECT_NE(PTronchiCaricato(), nullptr);
}

// ---- Copy selection -----------------------------------------------------------------------

TEST_F(DialoghiTest, SelezioneCopiaSecondoLAttivita) {
  for (bool pressione : {false, true}) {
    ReteInPressione = pressione ? -1 : 0;
    NomiSpeciali[5] = "Riduzione";
    frmCopySelect c;
    EXPECT_EQ(c.chkGroup1[0]->text(), QS(NomiSpeciali[1]));
    EXPECT_EQ(c.chkGroup0[1]->isHidden(), !pressione);
    c.chkAllGroup1->click();
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(c.chkGroup1[i]->isChecked(), i < 4 || pressione) << i;
    if (pressione) {
      EXPECT_EQ(c.chkGroup1[4]->text(), QStringLiteral("Riduzione"));
    }
    c.chkGroup0[3]->setChecked(true);
    c.chkAllGroup1->click();  // clears the same boxes again
    c.chkGroup1[2]->setChecked(true);
    c.cmdOK->click();
    EXPECT_TRUE(c.ok);
    std::array<int16_t, 14> f{};
    c.GetSelection(f);
    EXPECT_EQ(f, (std::array<int16_t, 14>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  }
}

// ---- Flow dialogs -------------------------------------------------------------------------

TEST_F(DialoghiTest, CalcoloPortataConFornelliETipologia) {
  GasCorrente.PCS = 39;
  GasCorrente.PCI = 35;
  Tronco(4).TipologiaUtenza = 1;
  Tronco(4).ComposizioneUtenza = "";
  frmCportata d;
  d.SetDati(4, 0);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Calcolo portata  -  Tronco N. 4"));
  d.chkFornelli[2]->setChecked(true);
  EXPECT_EQ(d.txtWatt->text(), QStringLiteral("3 000"));
  EXPECT_EQ(d.txtKcal->text(), QStringLiteral("2 580"));
  EXPECT_EQ(d.txtNMC->text(), QStringLiteral("0,28"));
  EXPECT_EQ(d.Composizione, "001000");
  d.Command3->click();
  EXPECT_EQ(d.txtWatt->text(), QStringLiteral("21 000"));
  EXPECT_EQ(d.Composizione, "111111");
  // Typing into a unit box clears the burners and keeps the character typed.
  Focus(d.txtKcal, true);
  QKeyEvent uno(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QApplication::sendEvent(d.txtKcal, &uno);
  EXPECT_EQ(d.txtKcal->text(), QStringLiteral("1"));
  EXPECT_EQ(d.Composizione, "");
  for (QCheckBox* c : d.chkFornelli) EXPECT_FALSE(c->isChecked());
  Focus(d.txtKcal, false);
  EXPECT_EQ(d.txtKcal->text(), QStringLiteral("1"));
  EXPECT_NE(d.txtWatt->text(), QStringLiteral("21 000"));
  // Switching to a boiler keeps the power confirmed before, now with PCI.
  d.txtWatt->setText(QStringLiteral("3500"));
  d.Unita_LostFocus(d.txtWatt);
  d.ribSelect[1]->click();
  EXPECT_EQ(d.Tipologia, 2);
  EXPECT_EQ(d.txtWatt->text(), QStringLiteral("3 500"));
  EXPECT_FLOAT_EQ(d.Portata, static_cast<float>(3500.0 / 1000 * 3.6 / 35));
  d.cmdOK->click();
  EXPECT_TRUE(d.Done);
}

TEST_F(DialoghiTest, CalcoloPortataUnClicNeiRiquadriNonCambiaNulla) {
  GasCorrente.PCS = 39;
  Tronco(4).TipologiaUtenza = 1;
  Tronco(4).ComposizioneUtenza = "111111";
  const float cucina = static_cast<float>(21000.0 / 1000 * 3.6 / 39);
  frmCportata d;
  d.SetDati(4, cucina);
  const QString watt = d.txtWatt->text(), nmc = d.txtNMC->text();
  for (QLineEdit* box : {d.txtWatt, d.txtKcal, d.txtNMC, d.txtWatt}) {
    Focus(box, true);
    EXPECT_EQ(d.Composizione, "111111");
    // Enter without typing only moves on.
    QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &invio);
    Focus(box, false);
  }
  EXPECT_EQ(d.txtWatt->text(), watt);
  EXPECT_EQ(d.txtNMC->text(), nmc);
  EXPECT_EQ(d.Composizione, "111111");
  for (QCheckBox* c : d.chkFornelli) EXPECT_TRUE(c->isChecked());
  d.cmdOK->click();
  ASSERT_TRUE(d.Done);
  EXPECT_FLOAT_EQ(d.Portata, cucina);
}

TEST_F(DialoghiTest, CalcoloPortataRiapreDallaComposizione) {
  GasCorrente.PCS = 39;
  Tronco(4).TipologiaUtenza = 1;
  Tronco(4).ComposizioneUtenza = "001000";
  frmCportata d;
  d.SetDati(4, 0.28f);
  EXPECT_EQ(d.txtWatt->text(), QStringLiteral("3 034"));
  EXPECT_EQ(d.txtKcal->text(), QStringLiteral("2 609"));
  EXPECT_TRUE(d.chkFornelli[2]->isChecked());
  Tronco(4).ComposizioneUtenza = "000000";
  frmCportata zero;
  zero.SetDati(4, 5.0f);
  EXPECT_EQ(zero.txtWatt->text(), QStringLiteral("0"));
  EXPECT_EQ(zero.txtNMC->text(), QStringLiteral("0,00"));
}

TEST_F(DialoghiTest, CalcoloPortataMostraTuttiITestiSenzaSovrapposizioni) {
  GasCorrente.PCS = 39;
  GasCorrente.PCI = 35;
  for (int16_t tipo : {int16_t{1}, int16_t{2}}) {
    Tronco(4).TipologiaUtenza = tipo;
    Tronco(4).ComposizioneUtenza = "";
    frmCportata d;
    d.SetDati(4, 0);
    for (QPushButton* b : d.ribSelect) {
      // The text must fit inside the button's frame, and the button inside the window.
      const int margini = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) * 2;
      EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + margini, b->width()) << b->text().toStdString();
      EXPECT_LE(b->mapTo(&d, QPoint(b->width(), 0)).x(), d.width()) << b->text().toStdString();
    }
    if (tipo != 1) continue;
    for (QCheckBox* c : d.chkFornelli) {
      EXPECT_FALSE(c->geometry().intersects(d.Command3->geometry())) << c->text().toStdString();
      EXPECT_LE(c->geometry().bottom(), d.pnlUtenze->contentsRect().bottom()) << c->text().toStdString();
    }
    EXPECT_LE(d.Command3->geometry().bottom(), d.pnlUtenze->height());
  }
}

TEST_F(DialoghiTest, DoppioClicSullaPortataDiUnTerminale) {
  GasCorrente.PCS = 39;
  GasCorrente.PCI = 35;
  GasGrid& g = Editor();
  int16_t colonna = 1;
  for (int16_t j = 1; j < g.Grid->Cols(); ++j)
    if (ColonneGriglia[0][static_cast<size_t>(j)].IdCampo == campo::ID_P_UTENZE) colonna = j;
  g.Grid->SetRowCol(2, colonna);
  dialoghi_.Attendi("frmCportata", [](QDialog& d) {
    auto& c = static_cast<frmCportata&>(d);
    c.txtRif->setText(QStringLiteral("Caldaia bagno"));
    c.txtNMC->setText(QStringLiteral("2,5"));
    c.Unita_LostFocus(c.txtNMC);
    c.cmdOK->click();
  });
  g.Grid_DblClick();
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 2.5f);
  EXPECT_EQ(Tronco(2).ID_RIF, "Caldaia bagno");
  EXPECT_EQ(ProgettoModificato, -1);
  // Annulla writes nothing, not even the reference typed.
  dialoghi_.Attendi("frmCportata", [](QDialog& d) {
    auto& c = static_cast<frmCportata&>(d);
    c.txtRif->setText(QStringLiteral("altro"));
    c.Command2->click();
  });
  g.Grid_DblClick();
  EXPECT_EQ(Tronco(2).ID_RIF, "Caldaia bagno");
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 2.5f);
}

TEST_F(DialoghiTest, PortataInPressione) {
  ReteInPressione = -1;
  Tronco(4).TipologiaUtenza = 2;
  {
    frmPortata d;
    d.SetDati(4, 12.3456f);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Portata utenza -  Tronco N. 4"));
    EXPECT_EQ(d.txtNMC->text(), QStringLiteral("12,35"));
    EXPECT_EQ(d.Tipologia, 2);
    d.cmdOK->click();
    EXPECT_FLOAT_EQ(d.Portata, 12.3456f);
  }
  frmPortata d;
  d.SetDati(4, 12.3456f);
  d.txtNMC_LostFocus();
  EXPECT_FLOAT_EQ(d.Portata, 12.35f);
  d.txtNMC->setText(QStringLiteral("1000"));
  d.txtNMC->deselect();
  int16_t tasto = '1';
  d.txtNMC_KeyPress(tasto);
  EXPECT_EQ(tasto, 0);
  EXPECT_EQ(d.txtNMC->text(), QStringLiteral("10000,00"));
  d.txtNMC->setText(QStringLiteral("7,5"));
  d.txtNMC_LostFocus();
  EXPECT_FLOAT_EQ(d.Portata, 7.5f);
  d.txtRif->setText(QStringLiteral("nuovo"));
  d.Command2->click();
  EXPECT_FALSE(d.Done);
  EXPECT_EQ(Tronco(4).ID_RIF, "Caldaia");
}

// ---- Delete -------------------------------------------------------------------------------

frmDelete& D(QDialog& d) { return static_cast<frmDelete&>(d); }

// Every caption of a dialog shown whole: a label's lines within its height, a box's or button's
// text within its width, and every control inside the control that holds it.
void NessunTestoTagliato(QWidget& finestra) {
  for (QWidget* w : finestra.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&finestra)) continue;
    const std::string nome = w->metaObject()->className() + std::string(" ") + w->objectName().toStdString();
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
      if (l->wordWrap())
        EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
      else
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
    }
    if (auto* b = qobject_cast<QPushButton*>(w); b && !b->text().isEmpty()) {
      const int margini = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) * 2;
      EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + margini, b->width()) << b->text().toStdString();
    } else if (auto* c = qobject_cast<QAbstractButton*>(w); c && !c->text().isEmpty()) {
      EXPECT_LE(c->sizeHint().width(), c->width()) << c->text().toStdString();
    }
    QWidget* contenitore = w->parentWidget();
    if (contenitore && contenitore != &finestra && !qobject_cast<QAbstractScrollArea*>(contenitore->parentWidget())) {
      EXPECT_TRUE(QRect(QPoint(0, 0), contenitore->size()).contains(w->geometry())) << nome;
    }
    if (contenitore == &finestra) {
      EXPECT_TRUE(finestra.rect().contains(w->geometry())) << nome;
    }
  }
}

TEST_F(DialoghiTest, NessunTestoTagliatoNeiDialoghiDiCancellazioneECopia) {
  frmDelete d;
  NessunTestoTagliato(d);
  // The three choices are picture buttons: each shows its picture.
  for (QPushButton* b : {d.cmdScollega, d.cmdCancella, d.cmdElimina}) EXPECT_FALSE(b->icon().isNull());
  for (bool pressione : {false, true}) {
    ReteInPressione = pressione ? -1 : 0;
    frmCopySelect c;
    NessunTestoTagliato(c);
  }
  ReteInPressione = 0;
}

TEST_F(DialoghiTest, InvioSulPulsanteConIlFuocoLoPreme) {
  Tronco(4).TipologiaUtenza = 2;
  frmCportata d;
  d.SetDati(4, 2.5f);
  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.cmdOK->setFocus();
  QTest::keyClick(d.cmdOK, Qt::Key_Return);
  EXPECT_TRUE(d.Done);
  EXPECT_FALSE(d.isVisible());
}

TEST_F(DialoghiTest, CancellaRigheSelezionateDallaTabella) {
  GasGrid& g = Editor();
  g.Grid->SetRowCol(3, 1);
  g.Grid->SetSelezione(4, 3);
  const TRete prima = Rete();
  // Two segments go: the user is asked first, and No leaves the network as it was.
  archivi_.Utente().Attendi("Verranno cancellati definitivamente 2 tronchi", Risposta::No);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { D(d).cmdCancella->click(); });
  g.DeleteKeyGrid();
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
  archivi_.Utente().Attendi("Verranno cancellati definitivamente 2 tronchi", Risposta::Si);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) {
    EXPECT_TRUE(D(d).cmdScollega->isEnabled());
    D(d).cmdCancella->click();
  });
  g.DeleteKeyGrid();
  EXPECT_NE(Tronco(3).Eliminato, 0);
  EXPECT_NE(Tronco(4).Eliminato, 0);
  EXPECT_EQ(Tronco(2).Eliminato, 0);
  EXPECT_EQ(Tronco(1).ID_RIGHT, 0);
  // The cursor is where the user was, not on segment 1's "Da tronco": the next key goes there.
  EXPECT_EQ(g.Grid->Row(), 3);
  EXPECT_EQ(g.Grid->Col(), 1);
  EXPECT_EQ(g.Grid->RowSel(), 3);
}

TEST_F(DialoghiTest, AnnullaOChiusuraNonCambianoNulla) {
  GasGrid& g = Editor();
  ProgettoModificato = 0;
  const TRete prima = Rete();
  g.Grid->SetRowCol(2, 1);
  g.Grid->SetSelezione(4, 2);
  dialoghi_.Attendi("frmDelete", FakeDialoghi::Clicca(QStringLiteral("Annulla")));
  g.DeleteKeyGrid();
  EXPECT_EQ(ProgettoModificato, 0);
  for (int16_t s = 1; s <= 4; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;

  // "Elimina tronchi" on row 4 alone.
  g.Grid->SetRowCol(4, 1);
  g.Grid->SetSelezione(4, 2);
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { D(d).cmdElimina->click(); });
  g.DeleteKeyGrid();
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_EQ(Tronco(3).ID_LEFT, 0);

  // A close with the close box does not repeat that choice.
  const TRete dopo = Rete();
  g.Grid->SetRowCol(2, 1);
  g.Grid->SetSelezione(3, 2);
  dialoghi_.Attendi("frmDelete", FakeDialoghi::ChiudiFinestra());
  g.DeleteKeyGrid();
  EXPECT_EQ(Rete().NumTronchi, 3);
  for (int16_t s = 1; s <= 3; ++s) EXPECT_EQ(Tronco(s), dopo.Tronchi[static_cast<size_t>(s)]) << s;
}

TEST_F(DialoghiTest, SchemaScollegaIlPrimoTroncoRifiutatoEDisegnaDiNuovo) {
  GasGrid& g = Editor();
  g.SelezionaPagina(1);  // the schema's page: its selection decides
  schema_.selezionato = 1;
  const int disegni = schema_.disegni;
  dialoghi_.Attendi("frmDelete", [](QDialog& d) { D(d).cmdScollega->click(); });
  archivi_.Utente().Attendi("Non è possibile scollegare il primo tronco.");
  g.DeleteKeyGrid();
  EXPECT_EQ(Rete().NumTronchi, 4);
  EXPECT_EQ(Tronco(1).Eliminato, 0);
  EXPECT_EQ(schema_.disegni, disegni + 1);
  // Nothing selected anywhere: nothing happens.
  schema_.selezionato = 0;
  g.DeleteKeyGrid();
  EXPECT_EQ(dialoghi_.visti.size(), 1u);
}

}  // namespace
}  // namespace varnex::ui
