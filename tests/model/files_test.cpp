#include <gtest/gtest.h>

#include <filesystem>

#include "model/files.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

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
