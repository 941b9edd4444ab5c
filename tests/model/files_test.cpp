#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "model/files.h"
#include "model/textfile.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/utente_comune.h"

namespace varnex {
namespace {

TEST(PathHelpers, NamesAndFolders) {
  struct Caso {
    const char* percorso;
    const char* nome;
    const char* senzaEstensione;
    const char* titolo;
    const char* cartella;
  } casi[] = {
      {"C:\\dir\\", "", "", "", "C:\\dir\\"},
      {"progetto.rtg", "progetto.rtg", "progetto", "progetto", "progetto.rtg"},
      {"C:\\dir\\progetto", "progetto", "", "progetto", "C:\\dir\\"},
      {"/home/u/Archivio Lavori/rete.backup", "rete.backup", "rete", "rete", "/home/u/Archivio Lavori/"},
      {"/a/a.b.c", "a.b.c", "a.b", "a.b", "/a/"},
      {"name.", "name.", "name", "name", "name."},
      {".ext", ".ext", "", "", ".ext"},
      {"a..b", "a..b", "a.", "a.", "a..b"},
      {"/x/ progetto.RTG ", " progetto.RTG ", " progetto", "progetto", "/x/"},
      {"", "", "", "", ""},
  };
  for (const auto& c : casi) {
    EXPECT_EQ(GetNomeFile(c.percorso), c.nome) << c.percorso;
    EXPECT_EQ(EstraiNomeFile(c.percorso), c.nome) << c.percorso;
    EXPECT_EQ(GetNomeSenzaEstensione(c.percorso), c.senzaEstensione) << c.percorso;
    EXPECT_EQ(GetFileTitle(c.percorso), c.titolo) << c.percorso;
    EXPECT_EQ(GetCartella(c.percorso), c.cartella) << c.percorso;
  }
}

TEST(PathHelpers, ValidNames) {
  EXPECT_TRUE(IsNomeValido("Acciaio"));
  EXPECT_TRUE(IsNomeValido("PE100"));
  EXPECT_TRUE(IsNomeValido(""));
  EXPECT_FALSE(IsNomeValido("Acciaio zincato"));
  EXPECT_FALSE(IsNomeValido("PE-100"));
  EXPECT_FALSE(IsNomeValido("Perché"));
}

TEST(FileHelpers, ExistenceCreationDeletionAndCaseInsensitiveLookup) {
  test::TempFolder dir;
  dir.Write("Gas.CFG", "x");
  EXPECT_TRUE(EsisteFile(dir.File("Gas.CFG")));
  EXPECT_FALSE(EsisteFile(dir.File("manca.cfg")));
  EXPECT_FALSE(EsisteFile(dir.Path()));  // a folder is not a file
  EXPECT_EQ(TrovaFileNoCase(dir.Path(), "gas.cfg"), dir.File("Gas.CFG"));
  EXPECT_EQ(TrovaFileNoCase(dir.Path(), "GAS.CFG"), dir.File("Gas.CFG"));
  EXPECT_EQ(TrovaFileNoCase(dir.Path(), "pdcmax.cfg"), "");

  dir.UsaComeCartellaProgramma();
  EXPECT_EQ(CartellaProgramma(), dir.Path());
  EXPECT_EQ(FileProgramma("gas.cfg"), dir.File("Gas.CFG"));
  EXPECT_EQ(FileProgramma("EQLEN.CFG"), dir.Path() + "/EQLEN.CFG");

  EXPECT_TRUE(CreaFileVuoto(dir.File("vuoto.txt")));
  EXPECT_EQ(dir.Read("vuoto.txt"), "\r\n");

  std::filesystem::permissions(dir.File("Gas.CFG"), std::filesystem::perms::owner_read);
  EXPECT_TRUE(DeleteFileIfExists(dir.File("Gas.CFG")));
  EXPECT_FALSE(EsisteFile(dir.File("Gas.CFG")));
  EXPECT_FALSE(DeleteFileIfExists(dir.File("Gas.CFG")));
}

TEST(FileHelpers, CreaFileVuotoReportsFailure) {
  test::TempFolder dir;
  test::FakeInterazione utente;
  utente.Attendi("");
  EXPECT_FALSE(CreaFileVuoto(dir.File("non/esiste/vuoto.txt")));
}

TEST(BusyCursor, NestedSectionsKeepTheHourglassUntilTheOutermostEnds) {
  test::FakeInterazione utente;
  ContatoreAttesa = 0;
  ImpostaCursore(0);
  EXPECT_EQ(ContatoreAttesa, 0);
  ImpostaCursore(11);
  ImpostaCursore(11);
  ImpostaCursore(0);
  EXPECT_EQ(ContatoreAttesa, 1);
  ImpostaCursore(0);
  ImpostaCursore(5);
  EXPECT_EQ(ContatoreAttesa, 0);
  EXPECT_EQ(utente.puntatori, (std::vector<int16_t>{0, 11, 11, 11, 0, 5}));
}

TEST(PaperNames, TableAndFallback) {
  EXPECT_EQ(NomeFormatoCarta(9), "A4 (21 x 29,7 cm)");
  EXPECT_EQ(NomeFormatoCarta(1), "Lettera (21,6 x 27,9 cm).");
  EXPECT_EQ(NomeFormatoCarta(41), "Uso bollo modulo continuo tedesco, 8 1/2 x 13");
  EXPECT_EQ(NomeFormatoCarta(0), "Definito dall'utente.");
  EXPECT_EQ(NomeFormatoCarta(256), "Definito dall'utente.");
  EXPECT_EQ(NomeFormatoCarta(42), "Definito dall'utente.");
}

}  // namespace
}  // namespace varnex

namespace varnex {
namespace {
namespace fs = std::filesystem;


TEST(CartellaUtente, PreparataDueVolteNonSovrascriveCioCheLUtenteHaCambiato) {
  test::TempFolder distribuita, utente;
  distribuita.CopiaDatiDistribuiti();
  const std::string cartella = utente.File("VarnexPro");
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  // The first start fills the user's folder with everything that ships, the example project too;
  // hidden placeholders stay behind.
  auto distribuiti = test::ContenutoCartella(distribuita.Path());
  std::erase_if(distribuiti, [](const auto& voce) { return voce.first.front() == '.'; });
  auto portati = test::ContenutoCartella(cartella);
  ASSERT_EQ(portati.count(NomeRegistroDistribuiti), 1u);
  std::erase_if(portati, [](const auto& voce) { return voce.first.front() == '.'; });
  EXPECT_EQ(portati, distribuiti);
  ASSERT_TRUE(fs::is_regular_file(fs::path(cartella) / "Archivio Lavori" / "Villetta.RTG"));

  // The user raises a maximum drop, saves a project and deletes a tips file; a newer version
  // ships one more archive and a changed gas file.
  const std::string pdc = "35|50|100|200|50|100|250\r\n";
  utente.Write("VarnexPro/PDCMAX.CFG", pdc);
  utente.Write("VarnexPro/Archivio Lavori/Rossi.RTG", "progetto dell'utente");
  const std::string mio = "il mio esempio";
  utente.Write("VarnexPro/Archivio Lavori/Villetta.RTG", mio);
  fs::remove(fs::path(cartella) / "HINTS.CFG");
  distribuita.Write("NUOVO.MAT", "nuovo archivio");
  distribuita.Write("gas.cfg", "gas di una versione nuova");
  const std::string gasUtente = test::LeggiByte(cartella + "/gas.cfg");

  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(cartella + "/PDCMAX.CFG"), pdc);
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Rossi.RTG"), "progetto dell'utente");
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Villetta.RTG"), mio);
  EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), gasUtente);
  // What the user removed stays removed; what is new arrives.
  EXPECT_FALSE(fs::exists(fs::path(cartella) / "HINTS.CFG"));
  EXPECT_EQ(test::LeggiByte(cartella + "/NUOVO.MAT"), "nuovo archivio");
  // No temporary copy is left behind.
  for (const auto& [nome, byte] : test::ContenutoCartella(cartella)) EXPECT_EQ(nome.find(".~"), std::string::npos) << nome;
}

// Each shipped file reaches the user's folder once. A file removed afterwards, through the program
// or by hand, is not brought again at the next start; a file new in a later version arrives once;
// the files without which the program cannot start come back. A folder set up by an earlier build,
// which kept no record, is taken as holding every shipped file it ever got.
TEST(CartellaUtente, UnFileToltoDallUtenteNonTornaUnoNuovoArrivaUnaVolta) {
  test::TempFolder distribuita, utente;
  distribuita.CopiaDatiDistribuiti();
  const std::string cartella = utente.File("VarnexPro");
  const fs::path c(cartella);
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  const std::string registro = test::LeggiByte((c / NomeRegistroDistribuiti).string());
  EXPECT_NE(registro.find("Archivio Lavori/Villetta.RTG\r\n"), std::string::npos) << registro;

  for (const char* tolto : {"ACCIAIOP.MAT", "Archivio Lavori/Villetta.RTG", "gas.cfg", "gridgas.cne"})
    fs::remove(c / tolto);
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_FALSE(fs::exists(c / "ACCIAIOP.MAT"));
  EXPECT_FALSE(fs::exists(c / "Archivio Lavori" / "Villetta.RTG"));
  EXPECT_TRUE(fs::is_directory(c / "Archivio Lavori"));
  EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), distribuita.Read("gas.cfg"));
  EXPECT_EQ(test::LeggiByte(cartella + "/gridgas.cne"), distribuita.Read("gridgas.cne"));

  // A later version ships a new series: it arrives once, and once removed it stays away.
  distribuita.Write("NUOVO.MAT", "nuovo archivio");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(cartella + "/NUOVO.MAT"), "nuovo archivio");
  fs::remove(c / "NUOVO.MAT");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_FALSE(fs::exists(c / "NUOVO.MAT"));
  EXPECT_FALSE(fs::exists(c / "ACCIAIOP.MAT"));

  // A folder an earlier build set up has no record: what it lacks was removed by its user.
  test::TempFolder vecchio;
  const std::string precedente = vecchio.File("VarnexPro");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), precedente, &errore)) << errore;
  fs::remove(fs::path(precedente) / NomeRegistroDistribuiti);
  fs::remove(fs::path(precedente) / "HINTS.CFG");
  fs::remove(fs::path(precedente) / "Archivio Lavori" / "Villetta.RTG");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), precedente, &errore)) << errore;
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "HINTS.CFG"));
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "Archivio Lavori" / "Villetta.RTG"));
  EXPECT_TRUE(fs::exists(fs::path(precedente) / NomeRegistroDistribuiti));
  // From now on the record decides: a new file arrives once.
  distribuita.Write("ALTRO.MAT", "altro archivio");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), precedente, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(precedente + "/ALTRO.MAT"), "altro archivio");
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "HINTS.CFG"));
}

TEST(CartellaUtente, LaCartellaDistribuitaSoloLetta) {
  test::TempFolder prefisso, utente;
  fs::create_directories(prefisso.File("share/varnexpro"));
  fs::copy(VARNEX_SOURCE_DATA_DIR, prefisso.File("share/varnexpro"), fs::copy_options::recursive);
  fs::create_directories(prefisso.File("bin"));
  // Installed files are the administrator's: read-only for everybody.
  for (const auto& e : fs::recursive_directory_iterator(prefisso.Path()))
    fs::permissions(e.path(), e.is_directory() ? fs::perms(0555) : fs::perms(0444));
  const auto prima = test::ContenutoCartella(prefisso.Path());

  const std::string distribuita = CartellaDistribuitaDi(prefisso.File("bin"));
  EXPECT_EQ(distribuita, prefisso.File("share/varnexpro"));
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita, utente.File("dati"), &errore)) << errore;
  EXPECT_EQ(test::ContenutoCartella(prefisso.Path()), prima);
  // The user's copies are the user's to change.
  const auto stato = fs::status(utente.File("dati/PDCMAX.CFG")).permissions();
  EXPECT_NE(stato & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(test::LeggiByte(utente.File("dati/PDCMAX.CFG")), prima.at("share/varnexpro/PDCMAX.CFG"));
  for (const auto& e : fs::recursive_directory_iterator(prefisso.Path()))
    fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
}

TEST(CartellaUtente, UnaCartellaDistribuitaMancanteNonCopiaNiente) {
  test::TempFolder utente;
  std::string errore;
  EXPECT_TRUE(PreparaCartellaUtente(utente.File("non-c-e"), utente.File("dati"), &errore)) << errore;
  EXPECT_TRUE(fs::is_directory(utente.File("dati")));
  EXPECT_TRUE(fs::is_empty(utente.File("dati")));
  // A file where the folder should be: the reason is told, nothing is written.
  utente.Write("file", "x");
  EXPECT_FALSE(PreparaCartellaUtente(utente.File("non-c-e"), utente.File("file/dati"), &errore));
  EXPECT_NE(errore.find(utente.File("file/dati")), std::string::npos) << errore;
  // The user's folder itself a file: told in Italian, the file left as it was.
  for (const char* cartella : {"file", "file/dati"}) {
    errore.clear();
    EXPECT_FALSE(PreparaCartellaUtente(VARNEX_SOURCE_DATA_DIR, utente.File(cartella), &errore));
    EXPECT_EQ(errore, "Impossibile creare la cartella " + utente.File(cartella) + ": " + MotivoErrore(ENOTDIR));
    EXPECT_EQ(MotivoErrore(ENOTDIR).find("directory"), std::string::npos);
  }
  EXPECT_EQ(utente.Read("file"), "x");
}

// A user's folder the user may not write, with shipped files missing: the reason names the
// file that could not be put there, never the hidden copy it is first written to.
TEST(CartellaUtente, UnaCartellaUtenteSoloLetturaNominaIlFileMancante) {
  test::TempFolder radice;
  fs::permissions(radice.Path(), fs::perms(0755));
  const std::string distribuita = radice.File("distribuita");
  fs::create_directories(distribuita);
  fs::copy(VARNEX_SOURCE_DATA_DIR, distribuita, fs::copy_options::recursive);
  const std::string cartella = radice.File("utente");
  radice.Write("utente/PDCMAX.CFG", "35|50|100|200|50|100|250\r\n");
  // A folder set up before, whose gas archive is gone: that one file must come back and cannot.
  fs::create_directories(cartella + "/Archivio Lavori");
  fs::permissions(cartella, fs::perms(0555));
  const auto esito = test::ComeUtenteComune([&] {
    std::string errore;
    return PreparaCartellaUtente(distribuita, cartella, &errore) ? std::string("preparata") : errore;
  });
  fs::permissions(cartella, fs::perms(0755));
  ASSERT_TRUE(esito.has_value()) << "impossibile eseguire la prova come utente senza privilegi";
  const std::string inizio = "Impossibile creare il file " + cartella + "/";
  EXPECT_EQ(esito->substr(0, inizio.size()), inizio) << *esito;
  EXPECT_EQ(esito->find(".~"), std::string::npos) << *esito;
  const std::string fine = ": " + MotivoErrore(EACCES);
  EXPECT_EQ(esito->substr(esito->size() - std::min(esito->size(), fine.size())), fine) << *esito;
  EXPECT_EQ(radice.Read("utente/PDCMAX.CFG"), "35|50|100|200|50|100|250\r\n");
}

// An earlier build kept the user's archives and projects beside the executable: the first start
// with a folder of the user's own carries them over before the shipped files fill the gaps, and
// leaves the old folder as it was. A later start takes nothing more from it.
TEST(CartellaUtente, LaCartellaDelProgrammaDiPrimaPassaNellaCartellaDellUtente) {
  test::TempFolder vecchia, distribuita, radice;
  vecchia.CopiaDatiDistribuiti();
  distribuita.CopiaDatiDistribuiti();
  const std::string pdc = "35|50|100|200|50|100|250\r\n";
  vecchia.Write("PDCMAX.CFG", pdc);
  vecchia.Write("MIO.MAT", "serie dell'utente");
  vecchia.Write("Archivio Lavori/Rossi.RTG", "progetto dell'utente");
  vecchia.Write("TENIMPTECDEF.CFG", "4.0\r\nTermo Srl\r\n");
  const std::string programma = vecchia.Write("varnexpro", "programma");
  fs::permissions(programma, fs::perms(0755));
  vecchia.Write("altro/x.txt", "non del programma");
  vecchia.Write(".~PDCMAX.CFG.12.tmp", "copia rimasta");
  distribuita.Write("NUOVO.MAT", "nuovo archivio");
  const auto prima = test::ContenutoCartella(vecchia.Path());
  const std::string utente = radice.File("VarnexPro");

  std::string errore;
  ASSERT_TRUE(RiprendiCartellaPrecedente(vecchia.Path(), utente, &errore)) << errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), utente, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(utente + "/PDCMAX.CFG"), pdc);
  EXPECT_EQ(test::LeggiByte(utente + "/MIO.MAT"), "serie dell'utente");
  EXPECT_EQ(test::LeggiByte(utente + "/Archivio Lavori/Rossi.RTG"), "progetto dell'utente");
  EXPECT_EQ(test::LeggiByte(utente + "/TENIMPTECDEF.CFG"), "4.0\r\nTermo Srl\r\n");
  EXPECT_EQ(test::LeggiByte(utente + "/NUOVO.MAT"), "nuovo archivio");
  EXPECT_EQ(test::LeggiByte(utente + "/gas.cfg"), distribuita.Read("gas.cfg"));
  for (const char* estraneo : {"varnexpro", "altro", ".~PDCMAX.CFG.12.tmp"})
    EXPECT_FALSE(fs::exists(fs::path(utente) / estraneo)) << estraneo;
  EXPECT_EQ(test::ContenutoCartella(vecchia.Path()), prima);

  // The user's folder is there: the old one is no longer looked at.
  vecchia.Write("PDCMAX.CFG", "vecchio\r\n");
  vecchia.Write("Archivio Lavori/Bianchi.RTG", "altro progetto");
  fs::remove(fs::path(utente) / "HINTS.CFG");
  ASSERT_TRUE(RiprendiCartellaPrecedente(vecchia.Path(), utente, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(utente + "/PDCMAX.CFG"), pdc);
  EXPECT_FALSE(fs::exists(fs::path(utente) / "Archivio Lavori" / "Bianchi.RTG"));
  EXPECT_FALSE(fs::exists(fs::path(utente) / "HINTS.CFG"));
  // An installed program's folder holds no archives: nothing is taken from it.
  const std::string altro = radice.File("Altro");
  ASSERT_TRUE(RiprendiCartellaPrecedente(radice.File("VarnexPro/Archivio Lavori"), altro, &errore)) << errore;
  EXPECT_FALSE(fs::exists(altro));
}

TEST(CartellaUtente, PredefinitaDallAmbiente) {
  struct Caso {
    const char* scelta;
    const char* dati;
    const char* casa;
    const char* attesa;
  } casi[] = {
      {"/tmp/prova", "/xdg", "/home/u", "/tmp/prova"},
      {nullptr, "/xdg", "/home/u", "/xdg/VarnexPro"},
      {nullptr, "relativa", "/home/u", "/home/u/.local/share/VarnexPro"},
      {nullptr, nullptr, "/home/u", "/home/u/.local/share/VarnexPro"},
  };
  const char* nomi[] = {"VARNEX_CARTELLA_UTENTE", "XDG_DATA_HOME", "HOME"};
  std::string vecchi[3];
  bool cerano[3];
  for (int i = 0; i < 3; ++i) {
    const char* v = std::getenv(nomi[i]);
    cerano[i] = v != nullptr;
    vecchi[i] = v ? v : "";
  }
  for (const Caso& c : casi) {
    const char* valori[] = {c.scelta, c.dati, c.casa};
    for (int i = 0; i < 3; ++i) valori[i] ? setenv(nomi[i], valori[i], 1) : unsetenv(nomi[i]);
    EXPECT_EQ(CartellaUtentePredefinita(), c.attesa);
  }
  // A folder named relative to where the program was started is that folder for the whole run.
  setenv("VARNEX_CARTELLA_UTENTE", "dati/utente", 1);
  EXPECT_EQ(CartellaUtentePredefinita(), (fs::current_path() / "dati/utente").string());
  for (int i = 0; i < 3; ++i) cerano[i] ? setenv(nomi[i], vecchi[i].c_str(), 1) : unsetenv(nomi[i]);
}

TEST(CartellaUtente, LaCartellaDistribuitaStaAccantoAQuellaDelProgramma) {
  EXPECT_EQ(CartellaDistribuitaDi("/usr/local/bin"), "/usr/local/share/varnexpro");
  EXPECT_EQ(CartellaDistribuitaDi("/opt/varnex/bin/"), "/opt/varnex/share/varnexpro");
  EXPECT_EQ(CartellaDistribuitaDi("/home/u/varnex/build/bin"), "/home/u/varnex/build/share/varnexpro");
}

}  // namespace
}  // namespace varnex
