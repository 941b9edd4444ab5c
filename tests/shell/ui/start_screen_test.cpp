// The start screen under offscreen: the recent-file captions, the close box and Esc that do
// nothing, and each choice acted on by the controller with a scripted user.
#include <QComboBox>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/progetto_file.h"
#include "shell/ambiente_prova.h"
#include "shell/ui/start_screen.h"
#include "support/ui/fake_services.h"

namespace varnex::test {
namespace {

using ui::frmAttivita;

class SchermataIniziale : public ProgrammaProva {
 protected:
  static FakeDialoghi::Azione Clicca(const QString& testo) { return FakeDialoghi::Clicca(testo); }
  static FakeDialoghi::Azione CliccaFile(int i) {
    return [i](QDialog& d) { static_cast<frmAttivita&>(d).lblMRUFile_Click(i); };
  }
  static FakeDialoghi::Azione CliccaPulsante(const char* nome) {
    return [nome](QDialog& d) {
      auto* b = d.findChild<QPushButton*>(QString::fromLatin1(nome));
      ASSERT_NE(b, nullptr) << nome;
      b->click();
    };
  }
  FakeAmbiente finestre;
  FakeDialoghi dialoghi;
};

TEST_F(SchermataIniziale, DidascalieDeiFileRecenti) {
  FileRecenti.AddItem("/lavori/b.RTG");
  FileRecenti.AddItem("/lavori/a.RTG");
  frmAttivita f;
  EXPECT_EQ(f.lblMRUFile[0]->text(), " 1. a.RTG");
  EXPECT_EQ(f.lblMRUFile[1]->text(), " 2. b.RTG");
  EXPECT_EQ(f.lblMRUFile[2]->text(), " 3. ");
  EXPECT_EQ(f.lblMRUFile[3]->text(), " 4. ");
  EXPECT_EQ(f.windowTitle(), "Avvio attivita'");
  EXPECT_EQ(finestre.titolo, "VarnexPro");
  // Every repaint follows the list.
  FileRecenti.AddItem("/lavori/c.RTG");
  QPaintEvent ridisegno(f.rect());
  QApplication::sendEvent(&f, &ridisegno);
  EXPECT_EQ(f.lblMRUFile[0]->text().toStdString(), " 1. c.RTG");
}

TEST_F(SchermataIniziale, LeDescrizioniDelleAttivitaSiLeggonoPerIntero) {
  frmAttivita f;
  for (QLabel* l : {f.lblGas, f.lblGasDescrizione, f.lblMP, f.lblMPDescrizione}) {
    EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
    EXPECT_LE(l->mapTo(&f, QPoint(l->width(), 0)).x(), f.width()) << l->text().toStdString();
  }
}

TEST_F(SchermataIniziale, ChiusuraEdEscNonFannoNiente) {
  frmAttivita f;
  f.show();
  EXPECT_FALSE(f.close());
  EXPECT_TRUE(f.isVisible());
  QTest::keyClick(&f, Qt::Key_Escape);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.scelta, ui::SceltaAttivita::Nessuna);
  // A label of an empty entry chooses nothing.
  f.lblMRUFile_Click(2);
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(SchermataIniziale, FileRecenteMancanteTornaAllaSchermata) {
  FileRecenti.AddItem(cartella.File("sparito.RTG"));
  dialoghi.Attendi("frmAttivita", CliccaFile(0));
  utente.Attendi("Il file '" + cartella.File("sparito.RTG") + "' non esiste");
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdESCI"));
  ui::MostraAttivita();
  EXPECT_EQ(FileRecenti.GetItem(1), cartella.File("sparito.RTG"));
  EXPECT_TRUE(finestre.Visto("Termina 0"));
}

TEST_F(SchermataIniziale, FileRecenteCaricatoSaleInCimaEChiudeLaSchermata) {
  CostruisciImpianto();
  const std::string percorso = cartella.File("rossi.RTG");
  ASSERT_TRUE(ScriviRTG(percorso));
  ResetRete();
  FileRecenti.AddItem(percorso);
  FileRecenti.AddItem("/altro/uno.RTG");
  FileRecenti.AddItem("/altro/due.RTG");
  dialoghi.Attendi("frmAttivita", CliccaFile(2));
  ui::MostraAttivita();
  EXPECT_EQ(FileRecenti.GetItem(1), percorso);
  EXPECT_EQ(FileRecenti.GetItem(2), "/altro/due.RTG");
  EXPECT_EQ(Riferimento, "Casa Rossi");
  EXPECT_EQ(finestre.Editor(), (std::vector<std::string>{"ScaricaEditor", "NewRete 1", "MostraEditor", "Elaborazione"}));
}

TEST_F(SchermataIniziale, FileRecenteNonValidoTornaAllaSchermata) {
  const std::string percorso = cartella.Write("rotto.RTG", "QQ\r\n");
  FileRecenti.AddItem(percorso);
  dialoghi.Attendi("frmAttivita", CliccaFile(0));
  utente.Attendi("Archivio non riconosciuto!");
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdESCI"));
  ui::MostraAttivita();
}

TEST_F(SchermataIniziale, ApriAnnullatoTornaAllaSchermata) {
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdApri"));
  finestre.risposte.push_back(std::nullopt);
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdESCI"));
  ui::MostraAttivita();
}

TEST_F(SchermataIniziale, NuovoImpiantoInternoApreIParametri) {
  ReteInPressione = -1;
  OrientamentoSorgente = 1;
  PDCMaxTesto = "0";
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdNewGAS"));
  dialoghi.Attendi("Parametri", Clicca("Annulla"));
  ui::MostraAttivita();
  EXPECT_EQ(ReteInPressione, 0);
  EXPECT_EQ(OrientamentoSorgente, 0);
  EXPECT_NE(PDCMaxTesto, "0");
  EXPECT_EQ(finestre.Editor(), (std::vector<std::string>{"NewRete 1", "MostraEditor", "AggiornaCalcoli"}));
}

TEST_F(SchermataIniziale, NuovaReteInPressioneApreIParametri) {
  PDCMaxTesto = "0";
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdNewMP"));
  dialoghi.Attendi("Parametri", Clicca("Annulla"));
  ui::MostraAttivita();
  EXPECT_EQ(ReteInPressione, -1);
  EXPECT_EQ(OrientamentoSorgente, 1);
  EXPECT_EQ(PDCMaxTesto, "0");
}

// A new project starts on the default gas, whatever gas the project before it had; OK in its
// parameters dialog applies that gas. A new internal installation never takes a non-combustible one.
TEST_F(SchermataIniziale, IlNuovoProgettoPrendeIlGasDiDefaultNonQuelloDelProgettoPrecedente) {
  struct Caso {
    const char* pulsante;
    const char* gasPrecedente;
    const char* gasDefault;
    const char* atteso;
  };
  for (const Caso& c : {Caso{"cmdNewGAS", "GPL Propano", "Metano", "Metano"},
                        Caso{"cmdNewGAS", "Metano", "GPL Butano", "GPL Butano"},
                        Caso{"cmdNewMP", "Azoto", "Metano", "Metano"},
                        Caso{"cmdNewMP", "Metano", "azoto", "Azoto"},
                        Caso{"cmdNewGAS", "Azoto", "Azoto", "Metano"}}) {
    SCOPED_TRACE(std::string(c.pulsante) + " " + c.gasPrecedente + " " + c.gasDefault);
    ReteInPressione = std::string(c.gasPrecedente) == "Azoto" ? -1 : 0;
    GasCorrente = ArchivioGas[static_cast<size_t>(CercaGas(c.gasPrecedente))];
    DefaultGas = c.gasDefault;
    QString aperto;
    dialoghi.Attendi("frmAttivita", CliccaPulsante(c.pulsante));
    dialoghi.Attendi("Parametri", [&aperto](QDialog& d) {
      aperto = d.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText();
      FakeDialoghi::Clicca("OK")(d);
    });
    ui::MostraAttivita();
    EXPECT_EQ(aperto.toStdString(), c.atteso);
    EXPECT_EQ(GasCorrente.Nome, c.atteso);
    EXPECT_EQ(ArchivioGas[static_cast<size_t>(CurrentGas)].Nome, c.atteso);
  }
}

// A new project nobody changed has nothing to lose: closing it asks nothing.
TEST_F(SchermataIniziale, UnNuovoProgettoNonToccatoSiChiudeSenzaDomande) {
  // The project before used another gas; the "Nuovo progetto" command closes it first.
  GasCorrente = ArchivioGas[static_cast<size_t>(CercaGas("GPL Propano"))];
  ASSERT_TRUE(ChiudiProgetto());
  for (const char* pulsante : {"cmdNewGAS", "cmdNewMP"}) {
    SCOPED_TRACE(pulsante);
    dialoghi.Attendi("frmAttivita", CliccaPulsante(pulsante));
    dialoghi.Attendi("Parametri", Clicca("Annulla"));
    ui::MostraAttivita();
    EXPECT_TRUE(ChiudiProgetto());  // the scripted user fails the test on any question
  }
}

TEST_F(SchermataIniziale, ReteInPressioneSenzaEqlenVieneRifiutata) {
  DeleteFileIfExists(FileProgramma("EQLEN.CFG"));
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdNewMP"));
  // The start-up brings the file back: a restart helps, a reinstall would not.
  utente.Attendi("EQLEN.CFG non e' presente nel disco. Il programma lo copia di nuovo nella cartella");
  dialoghi.Attendi("frmAttivita", CliccaPulsante("cmdESCI"));
  ui::MostraAttivita();
  EXPECT_EQ(ReteInPressione, 0);
  EXPECT_TRUE(finestre.Editor().empty());
}

}  // namespace
}  // namespace varnex::test
