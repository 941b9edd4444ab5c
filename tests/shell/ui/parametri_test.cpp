// The project-parameters dialog under offscreen: its fields, the gases by activity, the gas
// properties, the velocity of a pressurised network, the folder picker and the explorer button.
#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "model/rete.h"
#include "shell/ambiente_prova.h"
#include "shell/ui/parametri.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

class DialogoParametri : public ProgrammaProva {
 protected:
  static QStringList Voci(const QComboBox* c) {
    QStringList v;
    for (int i = 0; i < c->count(); ++i) v << c->itemText(i);
    return v;
  }
  FakeAmbiente finestre;
  FakeFileDialoghi fileDialoghi;
  FakeDesktop desktop;
};

TEST_F(DialogoParametri, ImpiantoInternoSoloGasCombustibiliSenzaVelocita) {
  Riferimento = "Rif";
  DescrizioneLavoro = "Lavoro";
  PercorsoDocumenti = "/doc";
  GasCorrente = ArchivioGas[3];
  ui::Parametri d;
  EXPECT_EQ(d.windowTitle(), "Parametri di progetto");
  EXPECT_EQ(d.Text1->text(), "Rif");
  EXPECT_EQ(d.Text2->text(), "Lavoro");
  EXPECT_EQ(d.txtDocumentPath->text(), "/doc");
  EXPECT_EQ(Voci(d.Combo1), (QStringList{"Metano", "GPL Propano", "GPL Butano"}));
  EXPECT_TRUE(d.pnlVelocita->isHidden());
  EXPECT_EQ(d.txtVelocita->text(), "");
  // It opens on the project's gas.
  EXPECT_EQ(d.Combo1->currentText(), "GPL Butano");
  EXPECT_EQ(CurrentGas, 3);
  EXPECT_EQ(d.txtDensita->text(), "2,075");
  EXPECT_EQ(d.lblCombustibile->text(), "Gas combustibile");
  EXPECT_FALSE(d.pnlCombustibile->isHidden());
  EXPECT_EQ(d.Tabbed1->currentIndex(), 0);
}

// The dialog opened with the keyboard on its page bar: "Casa Rossi" typed first went nowhere and
// the description landed in "Riferimento". The keyboard starts in "Riferimento", caret after its
// text, nothing selected; both for a new project and at F4 (the same dialog, shown modal).
TEST_F(DialogoParametri, LaTastieraParteDaRiferimento) {
  for (const char* riferimento : {"", "Villa"}) {
    SCOPED_TRACE(riferimento);
    Riferimento = riferimento;
    FakeDialoghi dialoghi;
    dialoghi.Attendi("Parametri", [&](QDialog& d) {
      auto& p = static_cast<ui::Parametri&>(d);
      p.activateWindow();
      QApplication::processEvents();
      EXPECT_EQ(p.Tabbed1->currentIndex(), 0);
      EXPECT_EQ(p.focusWidget(), p.Text1);
      EXPECT_FALSE(p.Text1->hasSelectedText());
      EXPECT_EQ(p.Text1->cursorPosition(), p.Text1->text().size());
      QTest::keyClicks(p.focusWidget(), QStringLiteral(" Casa Rossi"));
      EXPECT_EQ(p.Text1->text(), QString::fromUtf8(riferimento) + QStringLiteral(" Casa Rossi"));
      p.Command2->click();
    });
    ui::MostraParametri();
  }
}

TEST_F(DialogoParametri, ReteInPressioneTuttiIGasEVelocita) {
  ReteInPressione = -1;
  VelocitaMaxImpostata = 12.5f;
  ui::Parametri d;
  EXPECT_EQ(d.Combo1->count(), NumGas);
  EXPECT_FALSE(d.pnlVelocita->isHidden());
  EXPECT_EQ(d.txtVelocita->text(), "12,5");
  d.Combo1->setCurrentText("Aria");
  EXPECT_EQ(CurrentGas, 4);
  EXPECT_EQ(d.lblCombustibile->text(), "Gas NON combustibile");
  EXPECT_TRUE(d.pnlCombustibile->isHidden());
  d.Text1->setText("Capannone");
  d.Command1->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 12.5f);
  EXPECT_EQ(GasCorrente.Nome, "Aria");
  EXPECT_EQ(Riferimento, "Capannone");
  EXPECT_TRUE(ProgettoModificato);
  EXPECT_TRUE(finestre.Visto("Elaborazione"));
  EXPECT_TRUE(finestre.Visto("MostraEditor"));
}

TEST_F(DialogoParametri, AnnullaNonMemorizzaNiente) {
  ui::Parametri d;
  d.Text1->setText("nuovo");
  d.Combo1->setCurrentText("GPL Propano");
  d.Command2->click();
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(Riferimento, "");
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_EQ(CurrentGas, 2);  // the last selection stays in CurrentGas
  EXPECT_FALSE(ProgettoModificato);
}

TEST_F(DialogoParametri, CartellaDocumentiSoloConOk) {
  PercorsoDocumenti = "/prima";
  ui::Parametri d;
  fileDialoghi.Rispondi(std::nullopt);
  d.cmdBrowse->click();
  EXPECT_EQ(d.txtDocumentPath->text(), "/prima");
  EXPECT_EQ(fileDialoghi.richieste.at(0).titolo, "Seleziona la directory");
  fileDialoghi.Rispondi("/scelta");
  d.cmdBrowse->click();
  EXPECT_EQ(d.txtDocumentPath->text(), "/scelta");
  EXPECT_EQ(PercorsoDocumenti, "/prima");
  d.Command1->click();
  EXPECT_EQ(PercorsoDocumenti, "/scelta");
}

TEST_F(DialogoParametri, DoppioClicApreLaCartellaColDesktop) {
  ui::Parametri d;
  d.txtDocumentPath->setText("/doc/rossi; rm -rf x");
  QTest::mouseDClick(d.txtDocumentPath, Qt::LeftButton);
  EXPECT_EQ(desktop.aperti, (std::vector<std::string>{"/doc/rossi; rm -rf x"}));
}

TEST_F(DialogoParametri, TastiDeiCampi) {
  ReteInPressione = -1;
  ui::Parametri d;
  d.show();
  d.Text1->clear();
  QTest::keyClicks(d.Text1, QString(45, 'a'));
  EXPECT_EQ(d.Text1->text().size(), 41);
  d.txtVelocita->clear();
  QTest::keyClicks(d.txtVelocita, "1x2,5.77");
  EXPECT_EQ(d.txtVelocita->text(), "12,5.");
  QTest::keyClick(d.txtVelocita, Qt::Key_Backspace);
  EXPECT_EQ(d.txtVelocita->text(), "12,5");
}

// Esc, Tab, Delete and the arrows keep their work in every field, a full "Riferimento" included;
// Space opens the gas list. The filters act on typed characters only.
TEST_F(DialogoParametri, TastiDiServizioFunzionanoOvunque) {
  enum class Effetto { Annulla, FuocoAltrove, Cancella, Cursore, ApreLista };
  struct Caso {
    const char* campo;
    Qt::Key tasto;
    Effetto effetto;
  };
  for (const Caso& c : {Caso{"Combo1", Qt::Key_Escape, Effetto::Annulla}, Caso{"Combo1", Qt::Key_Tab, Effetto::FuocoAltrove},
                        Caso{"Combo1", Qt::Key_Space, Effetto::ApreLista},
                        Caso{"txtVelocita", Qt::Key_Escape, Effetto::Annulla},
                        Caso{"txtVelocita", Qt::Key_Tab, Effetto::FuocoAltrove},
                        Caso{"txtVelocita", Qt::Key_Delete, Effetto::Cancella},
                        Caso{"Text1", Qt::Key_Escape, Effetto::Annulla}, Caso{"Text1", Qt::Key_Tab, Effetto::FuocoAltrove},
                        Caso{"Text1", Qt::Key_Delete, Effetto::Cancella}, Caso{"Text1", Qt::Key_Left, Effetto::Cursore}}) {
    SCOPED_TRACE(std::string(c.campo) + " " + QKeySequence(c.tasto).toString().toStdString());
    ReteInPressione = -1;
    ui::Parametri d;
    d.show();
    d.Text1->setText(QString(41, 'r'));  // as long as typing lets it grow
    d.txtVelocita->setText("12345");     // as long as typing lets it grow
    QWidget* campo = d.findChild<QWidget*>(QString::fromLatin1(c.campo));
    ASSERT_NE(campo, nullptr);
    d.Tabbed1->setCurrentIndex(campo == d.Text1 ? 0 : 1);
    d.activateWindow();
    campo->setFocus();
    auto* riga = qobject_cast<QLineEdit*>(campo);
    if (riga) riga->setCursorPosition(0);
    const QString prima = riga ? riga->text() : QString();

    QTest::keyClick(campo, c.tasto);

    switch (c.effetto) {
      case Effetto::Annulla:
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_TRUE(d.isHidden());
        break;
      case Effetto::FuocoAltrove:
        EXPECT_FALSE(d.isHidden());
        EXPECT_NE(d.focusWidget(), campo);
        break;
      case Effetto::Cancella:
        EXPECT_EQ(riga->text(), prima.mid(1));
        break;
      case Effetto::Cursore:
        riga->setCursorPosition(3);
        QTest::keyClick(campo, c.tasto);
        EXPECT_EQ(riga->cursorPosition(), 2);
        break;
      case Effetto::ApreLista:
        EXPECT_TRUE(d.Combo1->view()->isVisible());
        d.Combo1->hidePopup();
        break;
    }
  }
}

// Every box and caption of the gas page can be read whole at the dialog's size, the velocity of
// a pressurised network and the five boxes of a combustible gas all shown.
TEST_F(DialogoParametri, PaginaGasLeggibileInteraPerUnaReteInPressione) {
  for (const int16_t inPressione : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(inPressione ? "rete in pressione" : "impianto interno");
    ReteInPressione = inPressione;
    ui::Parametri d;
    d.show();
    d.Tabbed1->setCurrentIndex(1);
    d.Combo1->setCurrentText("Metano");
    QApplication::processEvents();
    QWidget* pagina = d.Tabbed1->currentWidget();
    ASSERT_FALSE(d.pnlCombustibile->isHidden());
    for (QLineEdit* e : pagina->findChildren<QLineEdit*>()) {
      if (!e->isVisibleTo(&d)) continue;
      SCOPED_TRACE(e->objectName().toStdString());
      EXPECT_GE(e->height(), e->minimumSizeHint().height());
      EXPECT_GE(e->width(), e->fontMetrics().horizontalAdvance(e->text()));
      // Inside the dialog, not cut by the page's edge.
      const QRect r(e->mapTo(pagina, QPoint(0, 0)), e->size());
      EXPECT_TRUE(pagina->rect().contains(r));
    }
    for (QLabel* l : pagina->findChildren<QLabel*>()) {
      if (!l->isVisibleTo(&d) || l->text().isEmpty()) continue;
      SCOPED_TRACE(l->text().toStdString());
      EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text()));
      EXPECT_GE(l->height(), l->fontMetrics().height());
      const QRect r(l->mapTo(pagina, QPoint(0, 0)), l->size());
      EXPECT_TRUE(pagina->rect().contains(r));
    }
    // The buttons below the tabs stay inside the dialog.
    for (QPushButton* b : {d.Command1, d.Command2}) EXPECT_TRUE(d.rect().contains(b->geometry()));
    EXPECT_LE(d.Tabbed1->geometry().bottom(), d.Command1->geometry().top());
  }
}

TEST_F(DialogoParametri, LaListaDeiGasNonSiScrive) {
  ui::Parametri d;
  d.show();
  const QString prima = d.Combo1->currentText();
  QTest::keyClicks(d.Combo1, "GPL");
  EXPECT_EQ(d.Combo1->currentText(), prima);
}

}  // namespace
}  // namespace varnex::test
