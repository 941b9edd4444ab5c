// The program end to end under offscreen: the real start-up (services, lifecycle, start-up
// sequence, main window, editor) on a temporary program folder holding the shipped archives,
// with a project named on the command line. Only the event loop is left out: the test looks at
// the windows the sequence left behind.
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/rete.h"
#include "model/textfile.h"
#include "model/tenuta.h"
#include "schema/ui/schema_canvas.h"
#include "model/raccordi.h"
#include "archives/editor_materiali.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/settings.h"
#include "app/ui/lifecycle.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "app/ui/startup.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/ui/fake_services.h"
#include "support/ui/programma_prova.h"

namespace varnex::test {
namespace {

// Clicks the button `nome` of the modal dialog the scripted user meets.
std::function<void(QDialog&)> Pulsante(const char* nome) {
  return [nome](QDialog& d) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(nome));
    ASSERT_NE(b, nullptr) << nome;
    b->click();
  };
}

// How many times the user was asked "Salvare il progetto aperto" since the last count.
int DomandeDiSalvare(FakeInterazione& utente) {
  int n = 0;
  for (const auto& m : utente.messaggi) n += m.testo.find("Salvare il progetto aperto") != std::string::npos;
  utente.messaggi.clear();
  return n;
}

// A project of the shipped archives: three segments, two appliances.
std::string ScriviProgetto(const TempFolder& cartella) { return ScriviProgettoDiProva(cartella, "bianchi.RTG"); }

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
    // Calculating and showing changed nothing the user entered: no question before the open.
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


// An installation the user cannot write: the program works in the user's own folder, filled from
// the shipped files on the first start, and never writes next to the executable.
TEST(Programma, InstallatoInUnaCartellaSoloLettura) {
  namespace fs = std::filesystem;
  TempFolder prefisso;
  fs::create_directories(prefisso.File("bin"));
  fs::create_directories(prefisso.File("share/varnexpro"));
  fs::copy(VARNEX_SOURCE_DATA_DIR, prefisso.File("share/varnexpro"), fs::copy_options::recursive);
  for (const auto& e : fs::recursive_directory_iterator(prefisso.Path()))
    fs::permissions(e.path(), e.is_directory() ? fs::perms(0555) : fs::perms(0444));
  const auto installato = ContenutoCartella(prefisso.Path());
  TempFolder utente;
  utente.UsaComeCartellaProgramma();
  TempFolder impostazioni;
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(CartellaDistribuitaDi(prefisso.File("bin")), CartellaProgramma(), &errore))
      << errore;
  const std::string esempio = utente.File("Archivio Lavori/Villetta.RTG");
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    FakeInterazione& utenteProva = programma.utente;
    SequenzaAvvio& sequenza = programma.sequenza;
    ui::InstallaSottosistemi();
    ASSERT_EQ(sequenza.Esegui("\"" + esempio + "\""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ASSERT_TRUE(sequenza.ProgettoDaRigaComando());
    // A project saved under a new name lands in the user's "Archivio Lavori".
    FakeFileDialoghi file;
    file.Rispondi(utente.File("Archivio Lavori/Rossi.RTG"));
    EXPECT_EQ(SalvaProgetto(""), utente.File("Archivio Lavori/Rossi.RTG"));
    EXPECT_TRUE(ChiudiProgetto());
    EXPECT_TRUE(utenteProva.messaggi.empty());
  }
  EXPECT_TRUE(EsisteFile(utente.File("Archivio Lavori/Rossi.RTG")));
  EXPECT_EQ(ContenutoCartella(prefisso.Path()), installato);
  for (const auto& e : fs::recursive_directory_iterator(prefisso.Path()))
    fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
  ResetRete();
}

// The save question comes only when something the user entered changed. Driven through the real
// start-up with every page installed (the tightness page fills its defaults when shown), from
// the start screen and the main window's commands as the user gives them.
TEST(Programma, LaDomandaDiSalvareSoloDopoUnaModificaDellUtente) {
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  cartella.Write("TENIMPTECDEF.CFG", "4.0\r\nTermo Srl\r\nVia Po 3\r\n011 123\r\nMario Rossi\r\n");
  TempFolder impostazioni;
  const std::string salvato = cartella.File("Archivio Lavori/Prova.RTG");
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    FakeInterazione& utente = programma.utente;
    FakeDialoghi& dialoghi = programma.dialoghi;
    SequenzaAvvio& sequenza = programma.sequenza;
    utente.PermettiTutti(Risposta::No);
    FakeFileDialoghi file;
    ui::InstallaSottosistemi();
    auto Domande = [&] { return DomandeDiSalvare(utente); };

    dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
    ASSERT_EQ(sequenza.Esegui(""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    ASSERT_NE(principale, nullptr);
    EXPECT_EQ(Domande(), 0) << "start-up";

    struct Caso {
      const char* azione;
      const char* pulsante;
      const char* parametri;
    } casi[] = {
        {"new internal installation, Annulla", "cmdNewGAS", "Annulla"},
        {"new internal installation, OK", "cmdNewGAS", "OK"},
        {"new pressurised network, Annulla", "cmdNewMP", "Annulla"},
        {"new pressurised network, OK", "cmdNewMP", "OK"},
        {"new internal installation again", "cmdNewGAS", "Annulla"},
    };
    for (const Caso& c : casi) {
      // "Nuovo progetto" closes the project before (the question, if any, is cancelled).
      dialoghi.Attendi("frmAttivita", Pulsante(c.pulsante));
      dialoghi.Attendi("Parametri", FakeDialoghi::Clicca(c.parametri));
      principale->NuovoMnu_Click();
      QCoreApplication::processEvents();
      EXPECT_EQ(Domande(), 0) << "closing before: " << c.azione;
      // OK in the parameters dialog without a change.
      dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("OK"));
      principale->ParametriMnu_Click();
      QCoreApplication::processEvents();
      EXPECT_EQ(Domande(), 0) << "parameters OK on: " << c.azione;
    }
    // The last new project was closed by nothing yet: one more "Nuovo progetto" asks nothing.
    dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
    principale->NuovoMnu_Click();
    EXPECT_EQ(Domande(), 0) << "after parameters OK";

    // A network the user built: values that the file keeps to seven digits (a flow worked out
    // from a power, a length typed with more digits than the file holds).
    InitSpeciali();
    const int16_t a = AggiungiTronco(0);
    const int16_t b = AggiungiTronco(a);
    const int16_t d = AggiungiTronco(a);
    Tronco(a).ID_LEN = 6.123456789f;
    Tronco(b).ID_LEN = 4;
    Tronco(d).ID_LEN = 9;
    Tronco(b).ID_P_UTENZE = 24.0f * 3.6f / GasCorrente.PCI;
    Tronco(d).ID_P_UTENZE = 2.0f / 3.0f;
    ui::GasGridCaricato()->Elaborazione();
    // That is a change: closing now asks.
    utente.Attendi("Salvare il progetto aperto", Risposta::Annulla);
    principale->NuovoMnu_Click();
    EXPECT_EQ(Domande(), 1) << "after the user's edit";
    file.Rispondi(salvato);
    principale->SaveAsMnu_Click();
    const std::string primo = cartella.Read("Archivio Lavori/Prova.RTG");
    ASSERT_FALSE(primo.empty());

    // Opened again and closed: no question, and saving it gives the same bytes, every time.
    for (int giro = 0; giro < 2; ++giro) {
      file.Rispondi(salvato);
      principale->ApriMnu_Click();
      QCoreApplication::processEvents();
      EXPECT_EQ(PercorsoProgetto, salvato);
      EXPECT_EQ(Domande(), 0) << "open, round " << giro;
      principale->SalvaMnu_Click();
      EXPECT_EQ(cartella.Read("Archivio Lavori/Prova.RTG"), primo) << "round " << giro;
      dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
      dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
      principale->NuovoMnu_Click();
      EXPECT_EQ(Domande(), 0) << "close after open, round " << giro;
    }
    // Opened, parameters OK, closed: still nothing.
    file.Rispondi(salvato);
    principale->ApriMnu_Click();
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("OK"));
    principale->ParametriMnu_Click();
    dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
    principale->NuovoMnu_Click();
    EXPECT_EQ(Domande(), 0) << "close after open and parameters OK";
    EXPECT_EQ(cartella.Read("Archivio Lavori/Prova.RTG"), primo);

    // A damaged file, opened over the saved project and refused, leaves an empty project the
    // user made nothing in: closing it asks nothing, whichever way the file is damaged.
    const std::pair<const char*, const char*> danneggiati[] = {
        {"Estraneo.RTG", "non un progetto\r\n"},
        {"Futuro.RTG", "VX 9.x\r\n!PARAMETERS\r\nRif\r\n.\r\nMetano\r\n 350 \r\n"},
    };
    for (const auto& [nome, testo] : danneggiati) {
      cartella.Write(std::string("Archivio Lavori/") + nome, testo);
      file.Rispondi(salvato);
      principale->ApriMnu_Click();
      QCoreApplication::processEvents();
      ASSERT_EQ(PercorsoProgetto, salvato);
      file.Rispondi(cartella.File(std::string("Archivio Lavori/") + nome));
      principale->ApriMnu_Click();
      QCoreApplication::processEvents();
      ASSERT_EQ(PercorsoProgetto, "") << nome << " refused";
      utente.messaggi.clear();
      dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
      dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
      principale->NuovoMnu_Click();
      QCoreApplication::processEvents();
      EXPECT_EQ(Domande(), 0) << "close after the refused " << nome;
    }
  }
  ResetRete();
}

// The first project opened from the start screen, after a file there was refused: the program
// filled in the editor and the tightness page as it showed them the first time, the user nothing,
// so closing asks nothing. Then the 200-segment example, opened, the tips closed, closed again by
// "Nuovo progetto": no question either.
TEST(Programma, NessunaDomandaDiSalvareDopoUnFileRifiutatoDallaSchermataIniziale) {
  TempFolder cartella;
  cartella.UsaComeCartellaProgramma();
  cartella.CopiaDatiDistribuiti();
  cartella.Write("TENIMPTECDEF.CFG", "4.0\r\nTermo Srl\r\nVia Po 3\r\n011 123\r\nMario Rossi\r\n");
  const std::string estraneo = cartella.Write("estraneo.rtg", "non un progetto\r\n");
  const std::string villetta = cartella.File("Archivio Lavori/Villetta.RTG");
  const std::string condominio = cartella.File("Condominio.RTG");
  std::filesystem::copy_file(VARNEX_SOURCE_DATA_DIR "/../fuzz/semi/Condominio.RTG", condominio);
  TempFolder impostazioni;
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    FakeInterazione& utente = programma.utente;
    FakeDialoghi& dialoghi = programma.dialoghi;
    utente.PermettiTutti(Risposta::No);
    FakeFileDialoghi file;
    ui::InstallaSottosistemi();
    auto Domande = [&] { return DomandeDiSalvare(utente); };
    dialoghi.Attendi("frmAttivita", Pulsante("cmdApri"));
    file.Rispondi(estraneo);
    dialoghi.Attendi("frmAttivita", Pulsante("cmdApri"));
    file.Rispondi(villetta);
    ASSERT_EQ(programma.sequenza.Esegui(""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ASSERT_EQ(PercorsoProgetto, villetta);
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    ASSERT_NE(principale, nullptr);
    bool rifiutato = false;
    for (const auto& m : utente.messaggi) rifiutato = rifiutato || m.testo == "Archivio non riconosciuto!";
    EXPECT_TRUE(rifiutato);
    EXPECT_EQ(Domande(), 0) << "opening the project closed nothing the user made";

    file.Rispondi(condominio);
    principale->ApriMnu_Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(PercorsoProgetto, condominio);
    EXPECT_EQ(Domande(), 0) << "Villetta closed as it was opened";
    dialoghi.Attendi("frmAttivita", Pulsante("cmdNewGAS"));
    dialoghi.Attendi("Parametri", FakeDialoghi::Clicca("Annulla"));
    principale->NuovoMnu_Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(Domande(), 0) << "Condominio closed as it was opened";
  }
  ResetRete();
}

// The user's folder at start-up: one that cannot take a shipped file still holds the user's
// archives and projects, so the program starts with what is there after saying what is missing;
// one that cannot be made at all (a file in its place) stops it, told in Italian.
TEST(Programma, LaCartellaUtenteCheNonPrendeUnFileDistribuitoNonFermaLAvvio) {
  TempFolder distribuita, utente;
  distribuita.CopiaDatiDistribuiti();
  utente.UsaComeCartellaProgramma();
  // "Archivio Lavori" cannot be made where the user has a file of that name.
  utente.Write("Archivio Lavori", "un file dell'utente");
  ImpostaCartellaDistribuita(distribuita.Path());
  {
    FakeInterazione messaggi;
    messaggi.PermettiTutti();
    EXPECT_TRUE(ui::PreparaCartellaProgramma());
    ASSERT_EQ(messaggi.messaggi.size(), 1u);
    EXPECT_NE(messaggi.messaggi[0].testo.find(utente.File("Archivio Lavori")), std::string::npos)
        << messaggi.messaggi[0].testo;
    EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Esclamazione);
  }
  EXPECT_EQ(utente.Read("Archivio Lavori"), "un file dell'utente");
  // The files beside it are in place all the same.
  for (const char* nome : {"gas.cfg", "PDCMAX.CFG", "gridgas.cne", "ACCIAIOL.MAT"})
    EXPECT_EQ(utente.Read(nome), distribuita.Read(nome)) << nome;

  TempFolder altra;
  altra.Write("file", "x");
  ImpostaCartellaProgramma(altra.File("file"));
  {
    FakeInterazione messaggi;
    messaggi.PermettiTutti();
    EXPECT_FALSE(ui::PreparaCartellaProgramma());
    ASSERT_EQ(messaggi.messaggi.size(), 1u);
    EXPECT_EQ(messaggi.messaggi[0].icona, Icona::Critico);
    EXPECT_NE(messaggi.messaggi[0].testo.find(MotivoErrore(ENOTDIR)), std::string::npos) << messaggi.messaggi[0].testo;
  }
  utente.UsaComeCartellaProgramma();
}

// The user's folder keeps what the user decided, start after start: a pipe series deleted with
// "Cancella" and the example project deleted by hand stay away, and the first start after an
// earlier build carries the user's work over with the recent files and the last folder, so that
// the user goes on working in the user's folder and not in the build's.
TEST(Programma, LaCartellaUtenteTieneCioCheLUtenteHaDeciso) {
  namespace fs = std::filesystem;
  TempFolder distribuita, vecchia, radice, impostazioni, altrove;
  distribuita.CopiaDatiDistribuiti();
  vecchia.CopiaDatiDistribuiti();
  fs::copy_file(vecchia.File("Archivio Lavori/Villetta.RTG"), vecchia.File("Archivio Lavori/Rossi.RTG"));
  const std::string estraneo = altrove.Write("Bianchi.RTG", "un progetto altrove");
  const std::string precedente = CartellaProgramma();
  const std::string utente = radice.File("VarnexPro");
  ImpostaCartellaProgramma(utente);
  ImpostaCartellaDistribuita(distribuita.Path());
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    ASSERT_TRUE(SaveSetting("MRUFileList", "Item1", vecchia.File("Archivio Lavori/Rossi.RTG")));
    ASSERT_TRUE(SaveSetting("MRUFileList", "Item2", estraneo));
    ASSERT_TRUE(SaveSetting("Recent", "LastWorkDirectory", vecchia.File("Archivio Lavori") + "/"));
    ASSERT_TRUE(ui::PreparaCartellaProgramma(vecchia.Path()));
    EXPECT_TRUE(programma.utente.messaggi.empty());
    const std::string rossi = utente + "/Archivio Lavori/Rossi.RTG";
    EXPECT_EQ(GetSetting("MRUFileList", "Item1"), rossi);
    EXPECT_EQ(GetSetting("MRUFileList", "Item2"), estraneo);
    EXPECT_EQ(GetSetting("Recent", "LastWorkDirectory"), utente + "/Archivio Lavori/");

    // The recent entry opens the copy, and "Salva con nome" starts in the user's folder.
    ASSERT_EQ(programma.sequenza.Esegui("\"" + FileRecenti.GetItem(1) + "\""), EsitoAvvio::Avviato);
    QCoreApplication::processEvents();
    ASSERT_TRUE(programma.sequenza.ProgettoDaRigaComando());
    EXPECT_EQ(PercorsoProgetto, rossi);
    FakeFileDialoghi file;
    file.Rispondi(std::nullopt);
    SalvaProgetto("");
    ASSERT_EQ(file.richieste.size(), 1u);
    EXPECT_EQ(file.richieste[0].cartella, utente + "/Archivio Lavori/");

    // "Cancella" on a pipe series, and the example project removed by hand.
    EditorMateriali serie;
    serie.CaricaSerie(3);
    ASSERT_EQ(serie.CopiaSerie[0].Nome, "ACCIAIOP");
    programma.utente.Attendi("Confermi cancellazione", Risposta::Si);
    programma.utente.Attendi("L'archivio e' stato cancellato");
    serie.Cancella();
    fs::remove(utente + "/Archivio Lavori/Villetta.RTG");
    EXPECT_TRUE(ChiudiProgetto());
  }
  // The next start, the one after that: both stay away.
  for (int avvio = 0; avvio < 2; ++avvio) {
    FakeInterazione messaggi;
    ASSERT_TRUE(ui::PreparaCartellaProgramma(vecchia.Path()));
    EXPECT_FALSE(fs::exists(utente + "/ACCIAIOP.MAT"));
    EXPECT_FALSE(fs::exists(utente + "/Archivio Lavori/Villetta.RTG"));
    EXPECT_TRUE(messaggi.messaggi.empty());
  }
  CaricaMateriali();
  for (int16_t i = 1; i <= NumMateriali; ++i) EXPECT_NE(Materiali[static_cast<size_t>(i)][0].Nome, "ACCIAIOP");
  ImpostaCartellaDistribuita("");
  ImpostaCartellaProgramma(precedente);
  ResetRete();
}

// The first start after an earlier build carries every project the recent files and the last
// folder point to inside the old folder, wherever it is there and whatever its mode (files copied
// from a network share are often executable): the user goes on working in the user's folder.
TEST(Programma, ITrasferimentoPortaOgniProgettoRicordatoDellaCartellaPrecedente) {
  namespace fs = std::filesystem;
  TempFolder distribuita, vecchia, radice, impostazioni;
  distribuita.CopiaDatiDistribuiti();
  vecchia.CopiaDatiDistribuiti();
  const std::string rossi = vecchia.Write("bin/Progetti/Rossi.RTG", "progetto in bin");
  const std::string verdi = vecchia.Write("bin/Progetti/Verdi.RTG", "progetto accanto");
  const std::string eseguibile = vecchia.Write("Archivio Lavori/Rete.RTG", "progetto da una condivisione");
  for (const std::string& f : {rossi, eseguibile}) fs::permissions(f, fs::perms(0755));
  const std::string precedente = CartellaProgramma();
  const std::string utente = radice.File("VarnexPro");
  ImpostaCartellaProgramma(utente);
  ImpostaCartellaDistribuita(distribuita.Path());
  {
    ProgrammaDiProva programma(impostazioni, "VarnexProTest");
    ASSERT_TRUE(SaveSetting("MRUFileList", "Item1", rossi));
    ASSERT_TRUE(SaveSetting("MRUFileList", "Item2", eseguibile));
    ASSERT_TRUE(SaveSetting("Recent", "LastWorkDirectory", vecchia.File("bin/Progetti") + "/"));
    ASSERT_TRUE(ui::PreparaCartellaProgramma(vecchia.Path()));
    EXPECT_TRUE(programma.utente.messaggi.empty());
    EXPECT_EQ(LeggiByte(utente + "/bin/Progetti/Rossi.RTG"), "progetto in bin");
    EXPECT_EQ(LeggiByte(utente + "/bin/Progetti/Verdi.RTG"), "progetto accanto");
    EXPECT_EQ(LeggiByte(utente + "/Archivio Lavori/Rete.RTG"), "progetto da una condivisione");
    EXPECT_EQ(GetSetting("MRUFileList", "Item1"), utente + "/bin/Progetti/Rossi.RTG");
    EXPECT_EQ(GetSetting("MRUFileList", "Item2"), utente + "/Archivio Lavori/Rete.RTG");
    EXPECT_EQ(GetSetting("Recent", "LastWorkDirectory"), utente + "/bin/Progetti/");
    // The old folder is left as it was.
    EXPECT_EQ(LeggiByte(rossi), "progetto in bin");
  }
  ImpostaCartellaDistribuita("");
  ImpostaCartellaProgramma(precedente);
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
