// The program end to end under offscreen: the real start-up (services, lifecycle, start-up
// sequence, main window, editor) on a temporary program folder holding the shipped archives,
// with a project named on the command line. Only the event loop is left out: the test looks at
// the windows the sequence left behind.
#include <QCoreApplication>
#include <QDir>
#include <functional>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/rete.h"
#include "schema/ui/schema_canvas.h"
#include "model/raccordi.h"
#include "shell/settings.h"
#include "shell/ui/lifecycle.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/startup.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"
#include "support/ui/programma_prova.h"

namespace varnex::test {
namespace {

// A project of the shipped archives: three segments, two appliances.
std::string ScriviProgetto(const TempFolder& cartella) {
  InitGas();
  CaricaMateriali();
  InitSpeciali();
  ResetRete();
  ReteInPressione = 0;
  GasCorrente = ArchivioGas[1];
  const int16_t a = AggiungiTronco(0);
  const int16_t b = AggiungiTronco(a);
  const int16_t c = AggiungiTronco(a);
  Tronco(a).ID_LEN = 6;
  Tronco(b).ID_LEN = 4;
  Tronco(c).ID_LEN = 9;
  Tronco(b).ID_P_UTENZE = 1.2f;
  Tronco(c).ID_P_UTENZE = 2.5f;
  Riferimento = "Casa Bianchi";
  const std::string percorso = cartella.File("bianchi.RTG");
  EXPECT_TRUE(ScriviRTG(percorso));
  // The program starts from nothing.
  ResetRete();
  NumGas = 0;
  ArchivioGas.resize(1);
  NumMateriali = 0;
  return percorso;
}

TEST(Programma, ApreIlProgettoDellaRigaDiComandoCalcolato) {
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  TempFolder impostazioni;
  const std::string percorso = ScriviProgetto(cartella);
  {
    // The user: no message and no modal window is expected on this road.
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    SequenzaAvvio& sequenza = programma.sequenza;

    ASSERT_EQ(sequenza.Esegui("\"" + percorso + "\""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();

    EXPECT_TRUE(sequenza.ProgettoDaRigaComando());
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    ASSERT_NE(principale, nullptr);
    EXPECT_EQ(principale->windowTitle().toStdString(), "VarnexPro - " + percorso);
    EXPECT_TRUE(principale->isVisible());
    EXPECT_FALSE(principale->mnuShowHints->isChecked());

    ui::GasGrid* editor = ui::GasGridCaricato();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    // The calculation ran: flows summed up to the first segment, diameters chosen.
    EXPECT_NEAR(Tronco(1).ID_P_TRONCO, 3.7f, 1e-4);
    EXPECT_FALSE(Tronco(1).ID_DIAMETRO.empty());
    // ...and the table shows it: one row per segment, the first segment's diameter among its cells.
    ui::GrigliaTabella& griglia = *editor->Grid;
    ASSERT_GE(griglia.Rows(), 4);
    bool diametroMostrato = false;
    for (int16_t col = 1; col < griglia.Cols(); ++col)
      if (griglia.TextMatrix(1, col) == Tronco(1).ID_DIAMETRO) diametroMostrato = true;
    EXPECT_TRUE(diametroMostrato) << "diameter " << Tronco(1).ID_DIAMETRO << " not in row 1";

    // The project is the first recent file, in the settings file on disk.
    EXPECT_EQ(GetSetting("MRUFileList", "Item1"), percorso);
    EXPECT_TRUE(programma.dialoghi.visti.empty());
    EXPECT_TRUE(programma.utente.messaggi.empty());
  }
  ResetRete();
}

// Every action of the user is one calculation at most, one fill of the table when the table is
// in front, one drawing of the schema when the schema is in front, and the table built once when a
// project opens: nothing is done twice.
TEST(Programma, OgniAzioneFaIlSuoLavoroUnaVolta) {
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  TempFolder impostazioni;
  const std::string percorso = ScriviProgetto(cartella);
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    SequenzaAvvio& sequenza = programma.sequenza;
    FakeInterazione& utente = programma.utente;
    ui::InstallaSchemaRete();

    struct Lavoro {
      int calcoli, tabelle, schemi, costruzioni = 0;
    };
    auto Esegui = [](const std::function<void()>& azione) {
      ui::LavoroEditor() = {};
      azione();
      QCoreApplication::processEvents();
      return ui::LavoroEditor();
    };
    auto Atteso = [](const char* azione, const ui::ConteggioLavoro& fatto, Lavoro atteso) {
      EXPECT_EQ(fatto.Calcoli, atteso.calcoli) << azione << ": calculations";
      EXPECT_EQ(fatto.Tabelle, atteso.tabelle) << azione << ": table fills";
      EXPECT_EQ(fatto.Schemi, atteso.schemi) << azione << ": schema drawings";
      EXPECT_EQ(fatto.Costruzioni, atteso.costruzioni) << azione << ": table builds";
    };

    // The editor comes up on the schema page.
    Atteso("start-up with a project",
           Esegui([&] { ASSERT_EQ(sequenza.Esegui("\"" + percorso + "\""), EsitoAvvio::Avviato); }), {1, 1, 1, 1});
    ui::GasGrid* editor = ui::GasGridCaricato();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->Pagina(), 1);
    Atteso("table page chosen", Esegui([&] { editor->SelezionaPagina(0); }), {1, 1, 0});
    Atteso("F9", Esegui([&] { editor->Form_KeyDown(120); }), {1, 1, 0});
    Atteso("schema page chosen", Esegui([&] { editor->SelezionaPagina(1); }), {1, 1, 1});
    Atteso("zoom +", Esegui([&] { ui::FinestraPrincipaleCaricata()->Command6_Click(); }), {0, 0, 1});
    Atteso("refresh button", Esegui([&] { ui::FinestraPrincipaleCaricata()->SSCommandRefresh_Click(); }), {0, 0, 1});
    Atteso("tightness page chosen", Esegui([&] { editor->SelezionaPagina(2); }), {1, 0, 0});
    FakeFileDialoghi file;
    file.Rispondi(percorso);
    // Every calculation marks the project as changed.
    utente.Attendi("Salvare il progetto aperto", Risposta::No);
    Atteso("project opened from the menu", Esegui([&] { ui::FinestraPrincipaleCaricata()->ApriMnu_Click(); }),
           {1, 1, 1, 1});
    editor = ui::GasGridCaricato();
    ASSERT_NE(editor, nullptr);

    // The start-up showed the project calculated, on the schema and in the table.
    EXPECT_NEAR(Tronco(1).ID_P_TRONCO, 3.7f, 1e-4);
    bool diametroMostrato = false;
    for (int16_t col = 1; col < editor->Grid->Cols(); ++col)
      if (editor->Grid->TextMatrix(1, col) == Tronco(1).ID_DIAMETRO) diametroMostrato = true;
    EXPECT_TRUE(diametroMostrato);
    EXPECT_TRUE(programma.dialoghi.visti.empty());
  }
  ResetRete();
}

TEST(Programma, UnaSecondaIstanzaNonPrendeIlLock) {
  const QString nome = QStringLiteral("VarnexProLock-%1").arg(QCoreApplication::applicationPid());
  ui::IstanzaUnica prima(nome);
  ui::IstanzaUnica seconda(nome);
  ASSERT_TRUE(prima.Prendi());
  EXPECT_TRUE(prima.Prendi());
  EXPECT_FALSE(seconda.Prendi());
}

}  // namespace
}  // namespace varnex::test
