// The archive set that ships in data/ loads without a single message and is written back byte for
// byte by the archive writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "model/gas.h"
#include "model/helpers.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/raccordi.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

class DatiDistribuiti : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.CopiaDatiDistribuiti();
    dir.UsaComeCartellaProgramma();
  }
  // Loads every archive of this subsystem the way start-up does, then the fittings file.
  void CaricaTutto() {
    CaricaMateriali();
    InitGas();
    CaricaPDCMax();
    InitPDCMax();
    InitSpeciali();
    ASSERT_TRUE(CaricaSpeciali());
  }
  test::TempFolder dir;
  test::FakeInterazione utente;  // any message fails the test
};

TEST_F(DatiDistribuiti, EveryArchiveLoadsWithoutAMessage) {
  CaricaTutto();
  ASSERT_EQ(NumMateriali, 5);
  const char* nomi[] = {"", "ACCIAIOL", "ACCIAIOM", "ACCIAIOP", "PE4437", "RAME-B"};
  const int16_t tipi[] = {0, 1, 1, 1, 3, 2};
  const int16_t diametri[] = {0, 9, 9, 9, 12, 11};
  for (int s = 1; s <= 5; ++s) {
    const auto& m = Materiali[s];
    EXPECT_EQ(m[0].Nome, nomi[s]);
    EXPECT_EQ(m[0].TipoFormula, tipi[s]) << nomi[s];
    EXPECT_EQ(m[0].NumDiametri, diametri[s]) << nomi[s];
    EXPECT_NE(m[0].Descrizione, ".");
    for (int r = 1; r <= m[0].NumDiametri; ++r) {
      EXPECT_EQ(m[r].RifDiametro.find_first_of("\t,"), std::string::npos);
      EXPECT_GT(m[r].Spessore, 0);
      EXPECT_GT(m[r].PesoMetro, 0);
      // The sizing tries the diameters in file order: smallest first.
      if (r > 1) {
        EXPECT_GT(m[r].DiamInterno, m[r - 1].DiamInterno) << nomi[s] << " " << r;
      }
    }
  }
  // EN 10255 medium 1": 33.7 x 3.2; PE 110 SDR 11: 110 x 10.0; copper 54x2.
  EXPECT_EQ(Materiali[2][3].RifDiametro, "1\"");
  EXPECT_FLOAT_EQ(Materiali[2][3].DiamInterno, 27.3f);
  EXPECT_FLOAT_EQ(Materiali[2][3].DiamEsterno, 33.7f);
  EXPECT_FLOAT_EQ(Materiali[4][9].DiamInterno, 90);
  EXPECT_FLOAT_EQ(Materiali[5][11].DiamEsterno, 54);
  EXPECT_FLOAT_EQ(Materiali[1][0].PesoSpecifico, 7850);
  EXPECT_FLOAT_EQ(Materiali[4][0].PesoSpecifico, 950);
  EXPECT_FLOAT_EQ(Materiali[5][0].PesoSpecifico, 8900);

  ASSERT_GE(NumGas, 7);
  struct {
    const char* nome;
    int16_t famiglia;
    bool nonCombustibile;
  } gas[] = {{"Metano", 2, false},  {"GPL Propano", 3, false}, {"GPL Butano", 3, false},
             {"Aria", 0, true},     {"Azoto", 0, true},        {"Anidride carbonica", 0, true},
             {"Ossigeno", 0, true}};
  for (const auto& g : gas) {
    int16_t i = CercaGas(g.nome);
    ASSERT_GT(i, 0) << g.nome;
    const TGas& x = ArchivioGas[i];
    EXPECT_EQ(x.Famiglia, g.famiglia) << g.nome;
    EXPECT_EQ(x.ErroreFamiglia, 0) << g.nome;
    EXPECT_EQ(x.NonCombustibile != 0, g.nonCombustibile) << g.nome;
    EXPECT_TRUE(IsGasValido(x)) << g.nome;
    EXPECT_GT(x.Viscosita, 1e-6f);
    EXPECT_LT(x.Viscosita, 3e-5f);
  }
  const TGas& metano = ArchivioGas[CercaGas("Metano")];
  EXPECT_FLOAT_EQ(metano.Densita, 0.555f);
  EXPECT_FLOAT_EQ(metano.PCI, 34.02f);
  EXPECT_FLOAT_EQ(metano.PCS, 37.78f);
  EXPECT_NEAR(metano.Viscosita * 1.22566 * 0.555, 1.10e-5, 1e-8);  // kinematic = dynamic / density

  const char* speciali[] = {"", "CURVA", "RACCORDO A T", "GOMITO", "RUBINETTO"};
  for (int i = 1; i <= 10; ++i) {
    if (i <= 4) {
      EXPECT_EQ(NomiSpeciali[i], speciali[i]);
    }
    EXPECT_NE(NomiSpeciali[i], "-") << i;
    for (int c = 1; c <= 3; ++c) EXPECT_GT(LunghezzeEquivalenti[i][1][c], 0) << i << " " << c;
  }
  EXPECT_FLOAT_EQ(LunghezzaEquivalenteRete(2, 100), 6.0f);  // tee through branch: L/D 60 at 100 mm

  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, 35);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][1], 50);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][2], 100);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][3], 200);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][1], 50);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][2], 50);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][3], 200);
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST_F(DatiDistribuiti, WritersReproduceTheShippedFilesByteForByte) {
  CaricaTutto();
  std::vector<std::string> files = {"gas.cfg", "EQLEN.CFG", "PDCMAX.CFG"};
  for (int s = 1; s <= NumMateriali; ++s) files.push_back(Materiali[s][0].Nome + ".MAT");
  std::map<std::string, std::string> prima;
  for (const auto& f : files) {
    prima[f] = dir.Read(f);
    ASSERT_FALSE(prima[f].empty()) << f;
  }
  for (const char* f : {"gas.cfg", "EQLEN.CFG", "PDCMAX.CFG"}) std::filesystem::remove(dir.File(f));
  ASSERT_TRUE(SalvaGas());
  ASSERT_TRUE(SalvaSpeciali());
  ASSERT_TRUE(SalvaPDCMax());
  // A series file is rewritten under its listed name, whatever the letter case of its extension.
  for (int s = 1; s <= NumMateriali; ++s) ASSERT_TRUE(SalvaMateriale(static_cast<int16_t>(s)));
  for (const auto& f : files) EXPECT_EQ(dir.Read(f), prima[f]) << f;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}),
            std::distance(std::filesystem::directory_iterator(VARNEX_SOURCE_DATA_DIR), {}));
}

TEST_F(DatiDistribuiti, GasFamilyParametersHaveExactlyThreeDataLines) {
  TextReader file;
  ASSERT_TRUE(file.Open(dir.File("PARFAMGAS.CFG")));
  const double attesi[3][2] = {{1000, 100}, {2200, 100}, {3700, 40}};
  for (const auto& a : attesi) {
    std::string linea = file.LineInput();
    EXPECT_FALSE(IsRigaCommento(linea));
    std::vector<std::string> campi(3);
    EXPECT_EQ(SplitFields(linea, campi), 1) << linea;
    EXPECT_EQ(ValDot(campi[0]), a[0]);
    EXPECT_EQ(ValDot(campi[1]), a[1]);
  }
  EXPECT_TRUE(file.Eof());
  const std::string bytes = dir.Read("PARFAMGAS.CFG");
  EXPECT_EQ(bytes, "1000\t100\r\n2200\t100\r\n3700\t40\r\n");
}

}  // namespace
}  // namespace varnex
