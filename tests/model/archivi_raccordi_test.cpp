#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/archivi_scrittura_bloccata.h"
#include "model/raccordi.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

// Threshold, row 1 families 1..3, row 2 families 1..3: the order of the file.
std::vector<float> ValoriPDC() {
  return {SogliaPotenzaPDC,    PDCMaxTabella[1][1], PDCMaxTabella[1][2], PDCMaxTabella[1][3],
          PDCMaxTabella[2][1], PDCMaxTabella[2][2], PDCMaxTabella[2][3]};
}

class Speciali_ : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.UsaComeCartellaProgramma();
    NomiSpeciali.fill("");
    for (auto& f : LunghezzeEquivalenti)
      for (auto& c : f) c.fill(0);
    for (auto& r : PDCMaxTabella) r.fill(0);
    SogliaPotenzaPDC = 0;
  }
  // Marks fittings 1..10 with recognisable values, as a previous load would have left them.
  void Segna() {
    for (int i = 1; i <= 10; ++i) {
      NomiSpeciali[i] = "prima" + std::to_string(i);
      for (int c = 1; c <= 3; ++c) LunghezzeEquivalenti[i][1][c] = static_cast<float>(100 * i + c);
    }
  }
  test::TempFolder dir;
  test::FakeInterazione utente;
};

TEST_F(Speciali_, DiameterClassBoundsInSinglePrecision) {
  struct {
    float di;
    int16_t interna, rete;
  } casi[] = {{0, 1, 1},        {22.3f, 1, 1},  {22.31f, 2, 1}, {53.9f, 2, 2},     {53.91f, 3, 2},
              {81.7f, 3, 2},    {81.8f, 4, 2},  {50.0f, 2, 1},  {50.01f, 2, 2},    {125.0f, 4, 2},
              {125.5f, 4, 3},   {1000, 4, 3}};
  for (const auto& c : casi) {
    EXPECT_EQ(ClasseDiametro(c.di), c.interna) << c.di;
    EXPECT_EQ(ClasseDiametroRete(c.di), c.rete) << c.di;
  }
}

TEST_F(Speciali_, BuiltInTableOfInternalInstallations) {
  NomiSpeciali[5] = "utente";
  LunghezzeEquivalenti[5][1][1] = 7;
  InitSpeciali();
  EXPECT_EQ(NomiSpeciali[1], "CURVA");
  EXPECT_EQ(NomiSpeciali[2], "RACCORDO A T");
  EXPECT_EQ(NomiSpeciali[3], "GOMITO");
  EXPECT_EQ(NomiSpeciali[4], "RUBINETTO");
  EXPECT_EQ(NomiSpeciali[5], "utente");  // fittings 5..10 are left alone
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[5][1][1], 7);
  struct {
    int16_t speciale;
    float di;
    int16_t famiglia;
    float metri;
  } casi[] = {{2, 60, 3, 4.5f},  {2, 60, 2, 4.0f},  {1, 22.3f, 1, 0.2f}, {1, 70, 3, 1.0f}, {1, 70, 2, 0.8f},
              {3, 100, 3, 5.0f}, {3, 100, 1, 4.5f}, {4, 30, 3, 0.8f},   {2, 10, 3, 1.0f}, {4, 90, 1, 2.0f},
              {2, 60, 0, 0.0f},  {11, 60, 1, 0.0f}, {2, 60, 4, 0.0f}};
  for (const auto& c : casi)
    EXPECT_FLOAT_EQ(LunghezzaEquivalente(c.speciale, c.di, c.famiglia), c.metri)
        << c.speciale << " " << c.di << " " << c.famiglia;
}

TEST_F(Speciali_, FileOfPressurisedNetworksLoadsAndSavesBackEqual) {
  const std::string contenuto =
      "CURVA\t 0,6 \t 1,6 \t 3,2 \r\n"
      "RACCORDO A T\t 2,4 \t 6 \t 12 \r\n"
      "GOMITO\t 1,2 \t 3 \t 6 \r\n"
      "RUBINETTO\t 0,7 \t 1,8 \t 3,6 \r\n"
      "GOMITO A 45\t 0,6 \t 1,6 \t 3,2 \r\n"
      "VALVOLA A SFERA\t 0,1 \t 0,3 \t 0,6 \r\n"
      "-\t 0 \t 0 \t 0 \r\n"
      "T PASSANTE\t 0,8 \t 2 \t 4 \r\n"
      "Valvola \xE8\t 4 \t 10 \t 20 \r\n"  // Windows-1252 on disk
      "FARFALLA\t 1,8 \t 4,5 \t 9 \r\n";
  dir.Write("eqlen.cfg", "# lunghezze\r\n\r\nCURVA\t0.6\t1.6\t3.2\r\n" + contenuto.substr(contenuto.find("RACCORDO")));
  ASSERT_TRUE(CaricaSpeciali());
  EXPECT_EQ(NomiSpeciali[9], "Valvola è");
  EXPECT_FLOAT_EQ(LunghezzaEquivalenteRete(2, 50.01f), 6);
  EXPECT_FLOAT_EQ(LunghezzaEquivalenteRete(10, 125.5f), 9);
  EXPECT_FLOAT_EQ(LunghezzaEquivalenteRete(1, 40), 0.6f);
  NomiSpeciali[7] = "";
  ASSERT_TRUE(SalvaSpeciali());
  EXPECT_EQ(NomiSpeciali[7], "-");
  // The remark and the blank line stay where they were; the fittings are written as the program
  // writes numbers.
  EXPECT_EQ(dir.Read("eqlen.cfg"), "# lunghezze\r\n\r\n" + contenuto);

  // The built-in table comes back over names 1..4 and column 1.
  ASSERT_TRUE(ImpostaTabellaSpeciali(0));
  EXPECT_EQ(NomiSpeciali[1], "CURVA");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[2][1][2], 2.0f);
  EXPECT_EQ(NomiSpeciali[5], "GOMITO A 45");
  ASSERT_TRUE(ImpostaTabellaSpeciali(-1));
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[2][1][2], 6.0f);
}

TEST_F(Speciali_, ShortFileAndTrailingCommentsLeaveTheOtherFittingsAlone) {
  Segna();
  dir.Write("EQLEN.CFG", "A\t1\t2\t3\r\nB\t4\t5\t6\r\nC\t7\t8\t9\r\n# fine\r\n\r\n");
  ASSERT_TRUE(CaricaSpeciali());  // no message for the comment after the last line
  EXPECT_EQ(NomiSpeciali[3], "C");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[3][1][3], 9);
  EXPECT_EQ(NomiSpeciali[4], "prima4");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[4][1][1], 401);
}

TEST_F(Speciali_, ShortLineIsRefusedAndExtraFieldsAreReported) {
  Segna();
  dir.Write("EQLEN.CFG",
            "A\t1\t2\t3\r\n"
            "# commento\r\n"
            "B\t4\r\n"         // line 3: refused, fitting 2 keeps its values
            "C\t7\t8\t9\tx\r\n"  // five fields: reported, used all the same
            "D\t1\t1\t1\r\n");
  utente.Attendi(
      "Errori nel file EQLEN.CFG (2 righe):\r\n"
      "riga 3: dati incompleti, la riga e' stata ignorata\r\n"
      "riga 4: campi in eccesso, letti solo i primi quattro");
  ASSERT_TRUE(CaricaSpeciali());
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(NomiSpeciali[1], "A");
  EXPECT_EQ(NomiSpeciali[2], "prima2");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[2][1][2], 202);
  EXPECT_EQ(NomiSpeciali[3], "C");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[3][1][3], 9);
  EXPECT_EQ(NomiSpeciali[4], "D");
  EXPECT_EQ(NomiSpeciali[5], "prima5");
}

// A save keeps every line the load did not take, byte for byte and in its place (a refused line,
// a remark, a line after the tenth fitting), unless the user has changed that line's fitting.
TEST_F(Speciali_, ASaveKeepsTheLinesItDidNotLoad) {
  Segna();
  // The fittings loaded are written as the program writes numbers: the file is written so.
  const std::string testa = "A\t 1 \t 2 \t 3 \r\n# commento \x80\r\n";
  const std::string rifiutata = "B\t4\r\n";
  const std::string coda = "C\t 7 \t 8 \t 9 \r\n\r\n";
  std::string file = testa + rifiutata + coda;
  for (int i = 4; i <= 10; ++i) file += "F" + std::to_string(i) + "\t 1 \t 1 \t 1 \r\n";
  file += "Undicesima\t1\t1\t1\r\n";
  dir.Write("EQLEN.CFG", file);
  utente.PermettiTutti();
  ASSERT_TRUE(CaricaSpeciali());
  ASSERT_TRUE(SalvaSpeciali());
  EXPECT_EQ(dir.Read("EQLEN.CFG"), file);
  // Another fitting changed: only its line changes.
  LunghezzeEquivalenti[3][1][2] = 8.5f;
  ASSERT_TRUE(SalvaSpeciali());
  std::string atteso = file;
  const std::string c = "C\t 7 \t 8 \t 9 ";
  atteso.replace(atteso.find(c), c.size(), "C\t 7 \t 8,5 \t 9 ");
  EXPECT_EQ(dir.Read("EQLEN.CFG"), atteso);
  // The refused line's own fitting changed by the user: the new values take its place.
  ASSERT_TRUE(CaricaSpeciali());
  NomiSpeciali[2] = "B";
  for (int c = 1; c <= 3; ++c) LunghezzeEquivalenti[2][1][c] = 4;
  ASSERT_TRUE(SalvaSpeciali());
  atteso.replace(atteso.find(rifiutata), rifiutata.size(), "B\t 4 \t 4 \t 4 \r\n");
  EXPECT_EQ(dir.Read("EQLEN.CFG"), atteso);
}

TEST_F(Speciali_, MissingFileIsReportedAndRefusedWithoutEndingTheProgram) {
  Segna();
  utente.Attendi("EQLEN.CFG non e' presente nel disco. ");
  EXPECT_FALSE(ImpostaTabellaSpeciali(-1));
  EXPECT_EQ(NomiSpeciali[1], "prima1");
  EXPECT_EQ(utente.messaggi.at(0).bottoni, Bottoni::OK);
}

TEST_F(Speciali_, FailedSavesKeepTheOldFiles) {
  dir.Write("EQLEN.CFG", "vecchio\r\n");
  dir.Write("PDCMAX.CFG", " 35 \r\n");
  InitPDCMax();
  std::string e1, e2;
  {
    test::ScritturaBloccata bloccata;
    EXPECT_FALSE(SalvaSpeciali(&e1));
    EXPECT_FALSE(SalvaPDCMax(&e2));
  }
  EXPECT_FALSE(e1.empty());
  EXPECT_FALSE(e2.empty());
  EXPECT_EQ(dir.Read("EQLEN.CFG"), "vecchio\r\n");
  EXPECT_EQ(dir.Read("PDCMAX.CFG"), " 35 \r\n");
}

TEST_F(Speciali_, MaximumDropsLoadDefaultAndSave) {
  dir.Write("pdcmax.cfg", " 0 \r\n 45,5 \r\n-1\r\n 150 \r\n# 60\r\n 70 \r\n 250 \r\n");
  // Not a number: reported, and the default is used.
  utente.Attendi("Errori nel file pdcmax.cfg (1 riga):\r\nriga 5: valore non valido");
  ASSERT_TRUE(CaricaPDCMax());
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][1], 45.5f);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][3], 150);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][1], 0);  // "# 60" is read raw: no number
  InitPDCMax();
  EXPECT_EQ(ValoriPDC(), (std::vector<float>{35, 45.5f, 100, 150, 50, 70, 250}));
  ASSERT_TRUE(SalvaPDCMax());
  EXPECT_EQ(dir.Read("pdcmax.cfg"), " 35 \r\n 45,5 \r\n 100 \r\n 150 \r\n 50 \r\n 70 \r\n 250 \r\n");
}

TEST_F(Speciali_, MissingOrShortMaximumDropFileTakesTheDefaults) {
  EXPECT_FALSE(CaricaPDCMax());
  EXPECT_EQ(ValoriPDC(), (std::vector<float>{35, 50, 100, 200, 50, 50, 200}));

  dir.Write("PDCMAX.CFG", " 20 \r\n 60 \r\n");
  EXPECT_TRUE(CaricaPDCMax());
  EXPECT_EQ(ValoriPDC(), (std::vector<float>{20, 60, 100, 200, 50, 50, 200}));
}

TEST_F(Speciali_, LengthsBeyondSinglePrecisionAreRefusedAndTheFittingKeepsItsValues) {
  Segna();
  dir.Write("EQLEN.CFG",
            "A\t1\t2\t3\r\n"
            "B\t4\t5E+39\t6\r\n"  // line 2: infinite as a single
            "C\t-7\t8\t9\r\n"     // line 3: a negative length
            "D\t1\t1\t1\r\n");
  utente.Attendi(
      "Errori nel file EQLEN.CFG (2 righe):\r\n"
      "riga 2: lunghezza non valida (da 0 a 1000 m), la riga e' stata ignorata\r\n"
      "riga 3: lunghezza non valida (da 0 a 1000 m), la riga e' stata ignorata");
  ASSERT_TRUE(CaricaSpeciali());
  EXPECT_EQ(NomiSpeciali[2], "prima2");
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[2][1][2], 202);
  EXPECT_EQ(NomiSpeciali[3], "prima3");
  EXPECT_EQ(NomiSpeciali[4], "D");

  dir.Write("PDCMAX.CFG", " 35 \r\n 1E+39 \r\n 100 \r\n 200 \r\n 50 \r\n 50 \r\n 200 \r\n");
  utente.Attendi(
      "Errori nel file PDCMAX.CFG (1 riga):\r\nriga 2: valore non valido (fino a 100000 Pa; 0 per il valore "
      "predefinito), sara' usato il valore predefinito");
  ASSERT_TRUE(CaricaPDCMax());
  InitPDCMax();
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][1], 50.0f);
}

}  // namespace
}  // namespace varnex
