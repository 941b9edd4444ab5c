#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>

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
  fs::remove(fs::path(cartella) / "RAME-B.MAT");
  distribuita.Write("NUOVO.MAT", "nuovo archivio");
  distribuita.Write("gas.cfg", "gas di una versione nuova");
  const std::string gasUtente = test::LeggiByte(cartella + "/gas.cfg");

  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(cartella + "/PDCMAX.CFG"), pdc);
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Rossi.RTG"), "progetto dell'utente");
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Villetta.RTG"), mio);
  EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), gasUtente);
  // What the user removed stays removed; what is new arrives.
  EXPECT_FALSE(fs::exists(fs::path(cartella) / "RAME-B.MAT"));
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
  fs::remove(fs::path(precedente) / "PE4437.MAT");
  fs::remove(fs::path(precedente) / "Archivio Lavori" / "Villetta.RTG");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), precedente, &errore)) << errore;
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "PE4437.MAT"));
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "Archivio Lavori" / "Villetta.RTG"));
  EXPECT_TRUE(fs::exists(fs::path(precedente) / NomeRegistroDistribuiti));
  // From now on the record decides: a new file arrives once.
  distribuita.Write("ALTRO.MAT", "altro archivio");
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), precedente, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(precedente + "/ALTRO.MAT"), "altro archivio");
  EXPECT_FALSE(fs::exists(fs::path(precedente) / "PE4437.MAT"));
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
  // The reason closes its line; the next says what it means for the files.
  const std::string riga = esito->substr(0, esito->find("\r\n"));
  const std::string fine = ": " + MotivoErrore(EACCES);
  EXPECT_EQ(riga.substr(riga.size() - std::min(riga.size(), fine.size())), fine) << *esito;
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
  fs::remove(fs::path(utente) / "ACCIAIOM.MAT");
  ASSERT_TRUE(RiprendiCartellaPrecedente(vecchia.Path(), utente, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(utente + "/PDCMAX.CFG"), pdc);
  EXPECT_FALSE(fs::exists(fs::path(utente) / "Archivio Lavori" / "Bianchi.RTG"));
  EXPECT_FALSE(fs::exists(fs::path(utente) / "ACCIAIOM.MAT"));
  // An installed program's folder holds no archives: nothing is taken from it.
  const std::string altro = radice.File("Altro");
  ASSERT_TRUE(RiprendiCartellaPrecedente(radice.File("VarnexPro/Archivio Lavori"), altro, &errore)) << errore;
  EXPECT_FALSE(fs::exists(altro));
}


void Scrivi(const std::string& percorso, const std::string& byte) { std::ofstream(percorso, std::ios::binary) << byte; }

// What a start cut short leaves: a kill after some copies (the stand-in throws, so nothing after
// it runs, and leaves the half-written hidden copy of the file it was on), or a full disk (every
// later copy fails).
struct Interrotto {};
enum class Taglio { Ucciso, DiscoPieno };

void TagliaDopo(int copie, Taglio taglio) {
  auto fatte = std::make_shared<int>(0);
  ImpostaCopiaCartellaUtente([=](const std::string& origine, const std::string& destinazione, std::string* errore) {
    const fs::path d(destinazione);
    if (*fatte >= copie) {
      if (taglio == Taglio::DiscoPieno) {
        if (errore) *errore = "Impossibile creare il file " + destinazione + ": " + MotivoErrore(ENOSPC);
        return false;
      }
      std::ofstream((d.parent_path() / (".~" + d.filename().string() + ".4711.tmp")).string()) << "a meta";
      throw Interrotto{};
    }
    ++*fatte;
    fs::copy_file(origine, destinazione);
    return true;
  });
}

// Every shipped file in the folder with the shipped bytes, except those named.
void TuttiIDistribuiti(const test::TempFolder& distribuita, const std::string& cartella,
                       const std::set<std::string>& tranne = {}) {
  for (const auto& [nome, byte] : test::ContenutoCartella(distribuita.Path())) {
    if (nome.front() == '.' || tranne.count(nome) != 0) continue;
    const fs::path p = fs::path(cartella) / nome;
    if (byte == "<dir>") {
      EXPECT_TRUE(fs::is_directory(p)) << nome;
    } else {
      EXPECT_EQ(test::LeggiByte(p.string()), byte) << nome;
    }
  }
  for (const auto& [nome, byte] : test::ContenutoCartella(cartella))
    EXPECT_EQ(nome.find(".~"), std::string::npos) << "copia temporanea rimasta: " << nome;
}

// A first start cut short, killed after some copies or on a full disk, is finished by the next
// start: every shipped file arrives, the hidden half-made copies go.
TEST(CartellaUtente, UnPrimoAvvioInterrottoVieneCompletatoDalSuccessivo) {
  for (const Taglio taglio : {Taglio::Ucciso, Taglio::DiscoPieno}) {
    for (const int copie : {0, 1, 4, 9}) {
      SCOPED_TRACE(std::to_string(copie) + (taglio == Taglio::Ucciso ? " copie, ucciso" : " copie, disco pieno"));
      test::TempFolder distribuita, radice;
      distribuita.CopiaDatiDistribuiti();
      const std::string cartella = radice.File("VarnexPro");
      TagliaDopo(copie, taglio);
      std::string errore;
      try {
        EXPECT_FALSE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore));
        EXPECT_NE(errore.find(MotivoErrore(ENOSPC)), std::string::npos) << errore;
        EXPECT_NE(errore.find("riprova a copiarli a ogni avvio"), std::string::npos) << errore;
      } catch (const Interrotto&) {
      }
      ImpostaCopiaCartellaUtente({});
      errore.clear();
      EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
      TuttiIDistribuiti(distribuita, cartella);
      // And a file the user removes afterwards stays removed.
      fs::remove(cartella + "/RAME-B.MAT");
      EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
      EXPECT_FALSE(fs::exists(cartella + "/RAME-B.MAT"));
    }
  }
}

// The carry-over from an earlier build's folder cut short the same way is resumed: the user's
// edited gas archive arrives and no shipped one takes its place, in the cut start or after it.
TEST(CartellaUtente, UnTrasferimentoInterrottoVieneRipresoSenzaSostituireIFileDellUtente) {
  for (const Taglio taglio : {Taglio::Ucciso, Taglio::DiscoPieno}) {
    for (const int copie : {0, 2, 5}) {
      SCOPED_TRACE(std::to_string(copie) + (taglio == Taglio::Ucciso ? " copie, ucciso" : " copie, disco pieno"));
      test::TempFolder vecchia, distribuita, radice;
      vecchia.CopiaDatiDistribuiti();
      distribuita.CopiaDatiDistribuiti();
      const std::string gas = "Metano|0,6|1,1E-05|34,02|37,78|0\r\nGas della ditta|0,7|1,1E-05|30|33|0\r\n";
      vecchia.Write("gas.cfg", gas);
      vecchia.Write("Archivio Lavori/Rossi.RTG", "progetto dell'utente");
      fs::remove(vecchia.File("RAME-B.MAT"));
      distribuita.Write("NUOVO.MAT", "nuovo archivio");
      const std::string cartella = radice.File("VarnexPro");
      TagliaDopo(copie, taglio);
      std::string errore;
      try {
        EXPECT_FALSE(RiprendiCartellaPrecedente(vecchia.Path(), cartella, &errore));
        EXPECT_NE(errore.find("riprende al prossimo avvio"), std::string::npos) << errore;
        ImpostaCopiaCartellaUtente({});
        // The same start goes on with the shipped files: none takes the place of one still to come.
        PreparaCartellaUtente(distribuita.Path(), cartella, &errore);
        EXPECT_NE(test::LeggiByte(cartella + "/gas.cfg"), distribuita.Read("gas.cfg"));
      } catch (const Interrotto&) {
      }
      ImpostaCopiaCartellaUtente({});
      // The next start.
      bool ripresa = false;
      errore.clear();
      EXPECT_TRUE(RiprendiCartellaPrecedente(vecchia.Path(), cartella, &errore, &ripresa)) << errore;
      EXPECT_TRUE(ripresa);
      EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
      EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), gas);
      EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Rossi.RTG"), "progetto dell'utente");
      EXPECT_FALSE(fs::exists(fs::path(cartella) / NomeMarcaRipresa));
      // What ships and the old folder did not have arrives once, like in a new folder.
      TuttiIDistribuiti(distribuita, cartella, {"gas.cfg"});
      // Done: the old folder is not looked at again.
      vecchia.Write("Archivio Lavori/Bianchi.RTG", "dopo");
      EXPECT_TRUE(RiprendiCartellaPrecedente(vecchia.Path(), cartella, &errore)) << errore;
      EXPECT_FALSE(fs::exists(cartella + "/Archivio Lavori/Bianchi.RTG"));
    }
  }
}

// The carry-over resumes from the folder it began with, as its marker names it, whatever the
// characters of that name (one that Windows-1252 cannot hold included).
TEST(CartellaUtente, UnTrasferimentoInterrottoRiprendeDallaCartellaCheLaMarcaNomina) {
  test::TempFolder base, radice;
  const std::string vecchia = base.File("Programma \u03A9");
  fs::create_directories(vecchia);
  fs::copy(VARNEX_SOURCE_DATA_DIR, vecchia, fs::copy_options::recursive);
  Scrivi(vecchia + "/Archivio Lavori/Rossi.RTG", "progetto dell'utente");
  const std::string cartella = radice.File("VarnexPro");
  TagliaDopo(2, Taglio::Ucciso);
  try {
    RiprendiCartellaPrecedente(vecchia, cartella);
  } catch (const Interrotto&) {
  }
  ImpostaCopiaCartellaUtente({});
  ASSERT_TRUE(fs::exists(fs::path(cartella) / NomeMarcaRipresa));
  // The executable has moved since: the marker decides.
  std::string errore;
  bool ripresa = false;
  EXPECT_TRUE(RiprendiCartellaPrecedente(radice.File("altrove"), cartella, &errore, &ripresa)) << errore;
  EXPECT_TRUE(ripresa);
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Rossi.RTG"), "progetto dell'utente");
  EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), test::LeggiByte(vecchia + "/gas.cfg"));
  EXPECT_FALSE(fs::exists(fs::path(cartella) / NomeMarcaRipresa));
}

// The record of what was brought, as the user may find it: unreadable (a folder in its place; a
// mode the user may not read), hand-edited with blanks and another letter case, "\" between
// folders. A removed file stays removed in every case, the files the program needs come back,
// and a message says only what is true.
TEST(CartellaUtente, IlRegistroIlleggibileOModificatoAManoNonRiportaIFileTolti) {
  test::TempFolder distribuita;
  distribuita.CopiaDatiDistribuiti();
  {
    test::TempFolder radice;
    const std::string cartella = radice.File("VarnexPro");
    std::string errore;
    ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
    fs::remove(cartella + "/ACCIAIOP.MAT");
    fs::remove(cartella + "/gas.cfg");
    fs::remove(fs::path(cartella) / NomeRegistroDistribuiti);
    fs::create_directory(fs::path(cartella) / NomeRegistroDistribuiti);
    EXPECT_FALSE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore));
    EXPECT_FALSE(fs::exists(cartella + "/ACCIAIOP.MAT"));
    EXPECT_EQ(test::LeggiByte(cartella + "/gas.cfg"), distribuita.Read("gas.cfg"));
    EXPECT_NE(errore.find("Impossibile leggere l'elenco dei file distribuiti"), std::string::npos) << errore;
    EXPECT_NE(errore.find(MotivoErrore(EISDIR)), std::string::npos) << errore;
    EXPECT_EQ(errore.find("non e' stato possibile copiare"), std::string::npos) << errore;
    // Nothing missing that the record would decide: nothing to say.
    Scrivi(cartella + "/ACCIAIOP.MAT", "serie dell'utente");
    errore.clear();
    EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  }
  {
    test::TempFolder radice;
    fs::permissions(radice.Path(), fs::perms(0777));
    const std::string cartella = radice.File("VarnexPro");
    std::string errore;
    ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
    fs::remove(cartella + "/ACCIAIOP.MAT");
    fs::permissions(cartella, fs::perms(0777));
    fs::permissions(fs::path(cartella) / NomeRegistroDistribuiti, fs::perms(0));
    const auto esito = test::ComeUtenteComune([&] {
      std::string e;
      return PreparaCartellaUtente(distribuita.Path(), cartella, &e) ? std::string("preparata") : e;
    });
    ASSERT_TRUE(esito.has_value());
    EXPECT_NE(esito->find(MotivoErrore(EACCES)), std::string::npos) << *esito;
    EXPECT_FALSE(fs::exists(cartella + "/ACCIAIOP.MAT"));
  }
  {
    // Lines written by hand.
    test::TempFolder radice;
    const std::string cartella = radice.File("VarnexPro");
    std::string errore;
    ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
    Scrivi(cartella + "/" + NomeRegistroDistribuiti,
                     "# a mano\r\n acciaiop.mat \r\nArchivio lavori\\VILLETTA.rtg\t\r\ngas.cfg\r\n");
    for (const char* tolto : {"ACCIAIOP.MAT", "Archivio Lavori/Villetta.RTG", "PE4437.MAT"}) fs::remove(cartella + "/" + tolto);
    EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
    EXPECT_FALSE(fs::exists(cartella + "/ACCIAIOP.MAT"));
    EXPECT_FALSE(fs::exists(cartella + "/Archivio Lavori/Villetta.RTG"));
    // Not listed: brought.
    EXPECT_TRUE(fs::exists(cartella + "/PE4437.MAT"));
  }
}

// A shipped folder the user deleted stays deleted, start after start; a file new in a later
// version brings it back with it.
TEST(CartellaUtente, UnaCartellaDistribuitaToltaDallUtenteNonTorna) {
  test::TempFolder distribuita, radice;
  distribuita.CopiaDatiDistribuiti();
  const std::string cartella = radice.File("VarnexPro");
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  fs::remove_all(cartella + "/Archivio Lavori");
  for (int avvio = 0; avvio < 2; ++avvio) {
    EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
    EXPECT_FALSE(fs::exists(cartella + "/Archivio Lavori"));
  }
  distribuita.Write("Archivio Lavori/Nuovo.RTG", "esempio nuovo");
  EXPECT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  EXPECT_EQ(test::LeggiByte(cartella + "/Archivio Lavori/Nuovo.RTG"), "esempio nuovo");
}

// A read-only folder an earlier build set up, with nothing missing: nothing to say, start after
// start.
TEST(CartellaUtente, UnaCartellaSoloLetturaDiUnaVersionePrecedenteSenzaMessaggi) {
  test::TempFolder distribuita, radice;
  distribuita.CopiaDatiDistribuiti();
  fs::permissions(distribuita.Path(), fs::perms(0755));
  fs::permissions(radice.Path(), fs::perms(0777));
  const std::string cartella = radice.File("VarnexPro");
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  fs::remove(fs::path(cartella) / NomeRegistroDistribuiti);
  fs::remove(cartella + "/ACCIAIOP.MAT");
  for (const auto& e : fs::recursive_directory_iterator(cartella))
    if (e.is_directory()) fs::permissions(e.path(), fs::perms(0555));
  fs::permissions(cartella, fs::perms(0555));
  const auto esito = test::ComeUtenteComune([&] {
    std::string e;
    return PreparaCartellaUtente(distribuita.Path(), cartella, &e) ? std::string("preparata") : e;
  });
  for (const auto& e : fs::recursive_directory_iterator(cartella))
    if (e.is_directory()) fs::permissions(e.path(), fs::perms(0755));
  fs::permissions(cartella, fs::perms(0755));
  ASSERT_TRUE(esito.has_value());
  EXPECT_EQ(*esito, "preparata");
}

// The files an activity or the start-up needs come back like the gas archive; a series and the
// example project the user removed stay away.
TEST(CartellaUtente, IFileCheServonoAUnaAttivitaTornano) {
  test::TempFolder distribuita, radice;
  distribuita.CopiaDatiDistribuiti();
  const std::string cartella = radice.File("VarnexPro");
  std::string errore;
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  const char* tornano[] = {"gas.cfg",    "PARFAMGAS.CFG", "gridgas.cne", "EQLEN.CFG",
                           "PDCMAX.CFG", "HINTS.CFG",     "Varnex4.htm", "logo.bmp"};
  const char* restano[] = {"ACCIAIOL.MAT", "RAME-B.MAT", "Archivio Lavori/Villetta.RTG"};
  for (const char* f : tornano) fs::remove(cartella + "/" + f);
  for (const char* f : restano) fs::remove(cartella + "/" + f);
  ASSERT_TRUE(PreparaCartellaUtente(distribuita.Path(), cartella, &errore)) << errore;
  for (const char* f : tornano) EXPECT_EQ(test::LeggiByte(cartella + "/" + f), distribuita.Read(f)) << f;
  for (const char* f : restano) EXPECT_FALSE(fs::exists(cartella + "/" + f)) << f;
  // Every shipped file is one or the other.
  for (const auto& [nome, byte] : test::ContenutoCartella(distribuita.Path())) {
    if (nome.front() == '.' || byte == "<dir>") continue;
    const bool torna = FileDistribuitoCheTorna(nome);
    const std::string& file = nome;
    EXPECT_EQ(torna, std::any_of(std::begin(tornano), std::end(tornano), [&](const char* f) { return file == f; }))
        << nome;
  }
}

// Started by ctest, every test runs with the tests' own user folder and the C locale: no test
// can write into the real user's folder.
TEST(AmbienteDelleProve, CtestDaOgniProvaLaSuaCartellaUtenteEIlLocaleC) {
  if (std::getenv("VARNEX_PROVA_CTEST") == nullptr) GTEST_SKIP() << "prova non avviata da ctest";
  const char* cartella = std::getenv("VARNEX_CARTELLA_UTENTE");
  ASSERT_NE(cartella, nullptr);
  EXPECT_NE(std::string(cartella).find("cartella-utente"), std::string::npos) << cartella;
  const char* locale = std::getenv("LC_ALL");
  ASSERT_NE(locale, nullptr);
  EXPECT_STREQ(locale, "C");
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
