#include <gtest/gtest.h>

#include <string>

#include "model/archivi_scrittura_bloccata.h"
#include "model/materiali.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

const std::string kIntestazione =
    "#                          TABELLA  CARATTERISTICHE TUBI\r\n"
    "#\r\n"
    "# Tipo di formula :   1 - Acciaio,  2 - Rame, 3 - Plastica\r\n"
    "# --------------------------------------------------------------------------\r\n";

// A series file with the given header values and diameter lines (each already with its TABs).
std::string FileSerie(const std::string& tipo, const std::string& peso, const std::string& descrizione,
                      const std::string& righe) {
  return kIntestazione + tipo + "\r\n#\r\n# Peso Specifico\r\n" + peso + "\r\n#\r\n# Descrizione\r\n" + descrizione +
         "\r\n#\r\n#    DN    Spess   Diam Int. \r\n" + righe;
}

class Materiali_ : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.UsaComeCartellaProgramma();
    NumMateriali = 0;
    for (auto& s : Materiali) s = TSerieMateriale{};
  }
  test::TempFolder dir;
  test::FakeInterazione utente;
};

TEST_F(Materiali_, DerivedDataOfOneRowByHand) {
  NumMateriali = 1;
  Materiali[1][0].PesoSpecifico = 7850;
  Materiali[1][0].NumDiametri = 1;
  Materiali[1][1].Spessore = 2.9f;
  Materiali[1][1].DiamInterno = 54.5f;
  CalcolaDatiMateriali();
  const TMateriale& d = Materiali[1][1];
  EXPECT_NEAR(d.DiamEsterno, 60.3, 1e-5);
  // Ai = 54.5^2 / 4 x 3.1415 = 2332.7601 mm2; Ae = 60.3^2 / 4 x 3.1415 = 2855.6942 mm2 (full pi
  // would give 2332.8315 and 2855.7816).
  EXPECT_NEAR(d.Sezione, 2.3327601, 2e-6);
  EXPECT_NEAR(d.PesoMetro, 7850e-6 * (2855.6942 - 2332.7601), 2e-5);
  EXPECT_EQ(d.VelLimite, 0);
  EXPECT_EQ(d.PortataMax, 0);
}

TEST_F(Materiali_, FolderIsListedByNameWithoutRegardToCaseAndEachFileOpensAsListed) {
  dir.Write("rame.Mat", FileSerie(" 2", " 8900", "Rame", "12x1\t 1 \t 10 \t\r\n"));
  dir.Write("Acciaio.zinc.MAT", FileSerie(" 1", " 7850", "Zincato", "1/2\"\t 2,6 \t 16,1 \t\r\n"));
  dir.Write("PE.mat", FileSerie(" 3", " 950", "PE", "20\t 3 \t 14 \t\r\n25\t 3 \t 19 \t\r\n"));
  dir.Write("nota.txt", "non una serie\r\n");
  CaricaMateriali();
  ASSERT_EQ(NumMateriali, 3);
  // Named after the whole file name but ".mat": saved and deleted as that very file.
  EXPECT_EQ(Materiali[1][0].Nome, "Acciaio.zinc");
  EXPECT_EQ(FileMateriale(1), dir.File("Acciaio.zinc.MAT"));
  EXPECT_EQ(FileMateriale(3), dir.File("rame.Mat"));
  EXPECT_EQ(Materiali[2][0].Nome, "PE");
  EXPECT_EQ(Materiali[3][0].Nome, "rame");
  EXPECT_EQ(Materiali[1][0].NumDiametri, 1);
  EXPECT_EQ(Materiali[1][1].RifDiametro, "1/2\"");
  EXPECT_FLOAT_EQ(Materiali[1][1].DiamInterno, 16.1f);
  EXPECT_EQ(Materiali[2][0].NumDiametri, 2);
  EXPECT_EQ(Materiali[2][0].TipoFormula, 3);
  EXPECT_FLOAT_EQ(Materiali[3][0].PesoSpecifico, 8900);
  EXPECT_FLOAT_EQ(Materiali[3][1].DiamEsterno, 12);  // derived data computed after loading
  EXPECT_EQ(utente.stati, (std::vector<std::string>{"Caricamento tubazione: Acciaio.zinc", "Caricamento tubazione: PE",
                                                    "Caricamento tubazione: rame"}));
}

TEST_F(Materiali_, ReadingRulesOfTheHeaderAndTheDiameterLines) {
  dir.Write("S.mat", FileSerie(" 2,5", " 7,85E3", "Tubo, zincato",
                               "# commento\r\n"
                               "\r\n"
                               " A\t 1 \t 10 \t\r\n"     // leading blank kept in the label
                               "B\t 1 \t 0 \t\r\n"       // inner diameter 0: skipped silently
                               "   \t 1 \t 10 \t\r\n"    // empty label: skipped silently
                               "C\t 1 \t -3 \t\r\n"      // negative: skipped silently
                               "D\t1,5\t12,5\r\n"));     // decimal comma, no trailing TAB
  CaricaMateriali();
  ASSERT_EQ(NumMateriali, 1);
  const auto& m = Materiali[1];
  EXPECT_EQ(m[0].TipoFormula, 2);  // 2.5 rounds to the even neighbour
  EXPECT_FLOAT_EQ(m[0].PesoSpecifico, 7850);
  EXPECT_EQ(m[0].Descrizione, "Tubo. zincato");
  ASSERT_EQ(m[0].NumDiametri, 2);
  EXPECT_EQ(m[1].RifDiametro, " A");
  EXPECT_EQ(m[2].RifDiametro, "D");
  EXPECT_FLOAT_EQ(m[2].Spessore, 1.5f);
  EXPECT_FLOAT_EQ(m[2].DiamInterno, 12.5f);
  EXPECT_EQ(CercaDiametro(1, "A"), 0);
  EXPECT_EQ(CercaDiametro(1, " A"), 1);
  EXPECT_EQ(CercaDiametro(1, "D"), 2);
  EXPECT_EQ(CercaDiametro(1, "d"), 0);
  EXPECT_EQ(CercaDiametro(0, "D"), 0);
}

TEST_F(Materiali_, ShortLineIsRefusedNamingFileAndLineAndTheRestLoads) {
  dir.Write("S.mat", FileSerie(" 1", " 7850", "x",
                               "A\t 2 \t 20 \t\r\n"
                               "B\t 2 \r\n"   // line 15: would have taken 20 from the line before
                               "C\r\n"        // line 16
                               "D\t 2 \t 30 \t\r\n"));
  utente.Attendi(
      "Errori nel file S.mat (2 righe):\r\n"
      "riga 15: dati incompleti, la riga e' stata ignorata\r\n"
      "riga 16: dati incompleti, la riga e' stata ignorata");
  CaricaMateriali();
  ASSERT_EQ(Materiali[1][0].NumDiametri, 2);
  EXPECT_EQ(Materiali[1][1].RifDiametro, "A");
  EXPECT_EQ(Materiali[1][2].RifDiametro, "D");
}

// A save of the series keeps the diameter lines the load did not take, byte for byte, after its
// rows: told at the load, they are never lost by a save.
TEST_F(Materiali_, ASaveKeepsTheDiameterLinesItDidNotLoad) {
  const std::string rifiutate = "B\t 2 \r\nC\xE8\r\nE\t abc \t 20\r\n";
  dir.Write("S.mat", FileSerie(" 1", " 7850", "x", "A\t 2 \t 20 \t\r\nB\t 2 \r\nC\xE8\r\nD\t 2 \t 30 \t\r\nE\t abc \t 20\n"));
  utente.PermettiTutti();
  CaricaMateriali();
  ASSERT_EQ(Materiali[1][0].NumDiametri, 2);
  Materiali[1][2].Spessore = 3;
  ASSERT_TRUE(SalvaMateriale(1));
  const std::string salvato = dir.Read("S.mat");
  EXPECT_EQ(salvato.substr(salvato.size() - rifiutate.size()), rifiutate) << salvato;
  EXPECT_NE(salvato.find("D\t 3 \t 30 \t\r\n" + rifiutate), std::string::npos) << salvato;
  // Read back: the same rows, the same lines told again.
  const size_t prima = utente.messaggi.size();
  CaricaMateriali();
  EXPECT_EQ(Materiali[1][0].NumDiametri, 2);
  EXPECT_EQ(utente.messaggi.size(), prima + 1);
}

TEST_F(Materiali_, FiftyFirstDiameterAndSeriesAreRefusedWithAMessage) {
  std::string righe;
  for (int i = 1; i <= 51; ++i) righe += "D" + std::to_string(i) + "\t 1 \t " + std::to_string(i) + " \t\r\n";
  dir.Write("A.mat", FileSerie(" 1", " 7850", "x", righe));
  for (int i = 2; i <= 51; ++i) {
    char nome[16];
    std::snprintf(nome, sizeof nome, "S%02d.mat", i);
    dir.Write(nome, FileSerie(" 1", " 7850", "x", "D\t 1 \t 10 \t\r\n"));
  }
  utente.Attendi("S51.mat");         // the folder is listed first
  utente.Attendi("Errori nel file A.mat (1 riga):\r\nriga 64: superato il numero massimo");  // the 51st diameter
  CaricaMateriali();
  EXPECT_EQ(NumMateriali, 50);
  EXPECT_EQ(Materiali[1][0].NumDiametri, 50);
  EXPECT_EQ(Materiali[1][50].RifDiametro, "D50");
  EXPECT_EQ(Materiali[50][0].Nome, "S50");
}

TEST_F(Materiali_, SaveWritesTheExactLayoutAndLoadsBackEqual) {
  NumMateriali = 1;
  auto& m = Materiali[1];
  m[0].Nome = "Rame";
  m[0].TipoFormula = 2;
  m[0].PesoSpecifico = 8900.5f;
  m[0].Descrizione = "  ";
  m[0].NumDiametri = 3;
  m[1].RifDiametro = "12x1";
  m[1].Spessore = 1;
  m[1].DiamInterno = 10;
  m[2].RifDiametro = " ";  // left out of the file
  m[2].DiamInterno = 5;
  m[3].RifDiametro = "28x1.5";
  m[3].Spessore = 1.5f;
  m[3].DiamInterno = 25.25f;
  ASSERT_TRUE(SalvaMateriale(1));
  const std::string atteso = kIntestazione +
                             " 2\r\n#\r\n# Peso Specifico\r\n"
                             "# --------------------------------------------------------------------------\r\n"
                             " 8900.5\r\n#\r\n# Descrizione\r\n"
                             "# --------------------------------------------------------------------------\r\n"
                             ".\r\n#\r\n#    DN    Spess   Diam Int. \r\n#            mm       mm\r\n"
                             "#---------------------------------------------------------------------------\r\n"
                             "12x1\t 1 \t 10 \t\r\n"
                             "28x1.5\t 1,5 \t 25,25 \t\r\n";
  EXPECT_EQ(dir.Read("Rame.mat"), atteso);

  CaricaMateriali();
  ASSERT_EQ(NumMateriali, 1);
  EXPECT_EQ(m[0].Descrizione, ".");
  EXPECT_FLOAT_EQ(m[0].PesoSpecifico, 8900.5f);
  ASSERT_EQ(m[0].NumDiametri, 2);
  EXPECT_EQ(m[2].RifDiametro, "28x1.5");
  EXPECT_FLOAT_EQ(m[2].DiamInterno, 25.25f);
  ASSERT_TRUE(SalvaMateriale(1));
  EXPECT_EQ(dir.Read("Rame.mat"), atteso);
}

TEST_F(Materiali_, SaveOverwritesTheListedFileWhateverItsLetterCase) {
  dir.Write("rame.MAT", FileSerie(" 2", " 8900", "x", "12x1\t 1 \t 10 \t\r\n"));
  CaricaMateriali();
  Materiali[1][1].DiamInterno = 11;
  ASSERT_TRUE(SalvaMateriale(1));
  CaricaMateriali();
  ASSERT_EQ(NumMateriali, 1);  // no second file beside the first
  EXPECT_FLOAT_EQ(Materiali[1][1].DiamInterno, 11);
}

TEST_F(Materiali_, SaveWithoutNameWritesNothingAndAFailedWriteKeepsTheOldFile) {
  NumMateriali = 1;
  Materiali[1][0].Nome = "  ";
  EXPECT_TRUE(SalvaMateriale(1));

  const std::string vecchio = FileSerie(" 1", " 7850", "vecchio", "A\t 1 \t 10 \t\r\n");
  dir.Write("A.mat", vecchio);
  CaricaMateriali();
  Materiali[1][0].Descrizione = "nuovo";
  std::string errore;
  {
    test::ScritturaBloccata bloccata;
    EXPECT_FALSE(SalvaMateriale(1, &errore));
  }
  EXPECT_FALSE(errore.empty());
  EXPECT_EQ(dir.Read("A.mat"), vecchio);
}

TEST_F(Materiali_, SearchTrimsTheCallersTextAndComparesWithCase) {
  NumMateriali = 2;
  Materiali[1][0].Nome = "rame";
  Materiali[2][0].Nome = "Rame";
  std::string nome = "  Rame ";
  EXPECT_EQ(CercaMateriale(nome), 2);
  EXPECT_EQ(nome, "Rame");
  std::string altro = "RAME";
  EXPECT_EQ(CercaMateriale(altro), 0);
  EXPECT_EQ(TogliEstensione("acciaio.zinc.mat"), "acciaio");
  EXPECT_EQ(TogliEstensione("PE"), "PE");
}

TEST_F(Materiali_, RefreshReachesTheEditorOnlyWhileItIsInstalled) {
  struct Editor : IListeEditor {
    int chiamate = 0;
    void LoadCombos() override { ++chiamate; }
  } editor;
  RefreshGasGridCombos();
  ImpostaListeEditor(&editor);
  RefreshGasGridCombos();
  ImpostaListeEditor(nullptr);
  RefreshGasGridCombos();
  EXPECT_EQ(editor.chiamate, 1);
}

TEST_F(Materiali_, ValuesBeyondSinglePrecisionAreRefusedNamingFileAndLine) {
  dir.Write("S.mat", FileSerie(" 1", " 1E+39", "x",
                               "A\t 2 \t 20 \t\r\n"
                               "B\t 2 \t 3,2E+58 \t\r\n"  // line 15: infinite as a single
                               "C\t 1E+40 \t 30 \t\r\n"   // line 16
                               "E\t-2 \t 30 \t\r\n"       // line 17: a negative wall
                               "D\t 2 \t 30 \t\r\n"));
  utente.Attendi(
      "Errori nel file S.mat (4 righe):\r\n"
      "riga 8: peso specifico non valido (da 0 a 25000 kg/m3), e' stato posto a 0\r\n"
      "riga 15: valore non valido, la riga e' stata ignorata\r\n"
      "riga 16: valore non valido, la riga e' stata ignorata\r\n"
      "riga 17: spessore fuori dai valori ammessi (da 0 a 200 mm), la riga e' stata ignorata");
  CaricaMateriali();
  EXPECT_EQ(Materiali[1][0].PesoSpecifico, 0.0f);
  ASSERT_EQ(Materiali[1][0].NumDiametri, 2);
  EXPECT_EQ(Materiali[1][1].RifDiametro, "A");
  EXPECT_EQ(Materiali[1][2].RifDiametro, "D");
  EXPECT_FLOAT_EQ(Materiali[1][2].DiamInterno, 30.0f);
}

TEST_F(Materiali_, AbsurdRowsAndNumbersThatAreNotNumbersAreRefused) {
  dir.Write("S.mat", FileSerie(" 1", " 7850", "x",
                               "A\t 2 \t 20 \t\r\n"
                               "B\t 2 \t 3E+30 \t\r\n"  // line 15: an area beyond a single
                               "C\t NaN \t 30 \t\r\n"   // line 16
                               "E\t 2 \t 30x \t\r\n"    // line 17
                               "F\t 2 \t 0,1 \t\r\n"    // line 18: no real bore
                               "G\t 2 \t-1,8 \t\r\n"    // left out without a word, as the format has it
                               "D\t 2 \t 30 \t\r\n"));
  utente.Attendi(
      "Errori nel file S.mat (4 righe):\r\n"
      "riga 15: diametro interno fuori dai valori ammessi (da 0,5 a 5000 mm), la riga e' stata ignorata\r\n"
      "riga 16: valore non valido, la riga e' stata ignorata\r\n"
      "riga 17: valore non valido, la riga e' stata ignorata\r\n"
      "riga 18: diametro interno fuori dai valori ammessi (da 0,5 a 5000 mm), la riga e' stata ignorata");
  CaricaMateriali();
  ASSERT_EQ(Materiali[1][0].NumDiametri, 2);
  EXPECT_EQ(Materiali[1][2].RifDiametro, "D");
}

}  // namespace
}  // namespace varnex
