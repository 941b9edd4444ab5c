#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/textfile.h"
#include "shell/default_values.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::FakeInterazione;
using test::TempFolder;

const char* const ErroreLettura = "Errore nell'apertura del file contenete i valori di default.";
const char* const ErroreScrittura = "Errore nella creazione del file contenente i valori di default.";

TGas Gas(const std::string& nome, int16_t nonCombustibile = 0) {
  TGas g;
  g.Nome = nome;
  g.NonCombustibile = nonCombustibile;
  return g;
}

// A program folder with a small gas archive and three pipe series in memory; every global this
// part touches is put back afterwards.
class DefaultValues : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella.UsaComeCartellaProgramma();
    salvaGas = ArchivioGas;
    salvaNumGas = NumGas;
    salvaMateriali = Materiali;
    salvaNumMateriali = NumMateriali;
    salvaRete = ReteInPressione;
    salvaPdc = PDCMaxTesto;
    ArchivioGas = {TGas{}, Gas("Metano"), Gas("Azoto", -1), Gas("GPL"), Gas("Aria", -1)};
    NumGas = 4;
    NumMateriali = 3;
    Materiali[1][0].Nome = "Acciaio";
    Materiali[2][0].Nome = "Rame";
    Materiali[3][0].Nome = "PE";
    ReteInPressione = 0;
    Imposta("", "", "", "", "");
  }
  void TearDown() override {
    ArchivioGas = salvaGas;
    NumGas = salvaNumGas;
    Materiali = salvaMateriali;
    NumMateriali = salvaNumMateriali;
    ReteInPressione = salvaRete;
    PDCMaxTesto = salvaPdc;
    Imposta("", "", "", "", "");
  }

  static void Imposta(std::string g, std::string m, std::string v, std::string pi, std::string pf) {
    DefaultGas = std::move(g);
    DefaultMateriale = std::move(m);
    DefaultVelocita = std::move(v);
    DefaultPressioneIniziale = std::move(pi);
    DefaultPressioneFinale = std::move(pf);
  }
  static std::vector<std::string> Valori() {
    return {DefaultGas, DefaultMateriale, DefaultVelocita, DefaultPressioneIniziale, DefaultPressioneFinale};
  }

  TempFolder cartella;
  FakeInterazione utente;

 private:
  std::vector<TGas> salvaGas;
  int16_t salvaNumGas = 0;
  decltype(Materiali) salvaMateriali;
  int16_t salvaNumMateriali = 0;
  int16_t salvaRete = 0;
  std::string salvaPdc;
};

TEST_F(DefaultValues, MissingFileGivesTheBuiltInValuesAndCreatesNothing) {
  Imposta("X", "Y", "1", "2", "3");
  PDCMaxTesto = "35";
  getDefaultValueFromFile();
  EXPECT_EQ(Valori(), (std::vector<std::string>{"Metano", "Acciaio", "15", "200", "150"}));
  EXPECT_EQ(PDCMaxTesto, "0");
  EXPECT_FALSE(std::filesystem::exists(cartella.File("defaultValue.ini")));
}

TEST_F(DefaultValues, MissingFileWithEmptyArchivesGivesEmptyNames) {
  NumGas = 0;
  ArchivioGas = {TGas{}};
  NumMateriali = 0;
  getDefaultValueFromFile();
  EXPECT_EQ(Valori(), (std::vector<std::string>{"", "", "15", "200", "150"}));
}

struct CasoLettura {
  const char* nome;
  const char* file;
  std::vector<std::string> prima;
  std::vector<std::string> dopo;
  bool messaggio;
};

TEST_F(DefaultValues, ReadingRules) {
  const std::vector<std::string> impostati{"GPL", "Rame", "12", "300", "250"};
  const std::vector<CasoLettura> casi = {
      {"only the velocity: the other four unchanged", "!DEFAULTMEDIUMSPEED\r\n20\r\n", impostati,
       {"GPL", "Rame", "20", "300", "250"}, false},
      {"a missing key keeps the built-in value of a value never set", "!DEFAULTMEDIUMSPEED\r\n20\r\n",
       {"", "", "", "", ""}, {"Metano", "Acciaio", "20", "200", "150"}, false},
      {"lower-case keys are not keys", "!defaultgas\r\nAria\r\n!DefaultMediumSpeed\r\n9\r\n", impostati, impostati, false},
      {"a key on the last line: message, earlier keys kept", "!DEFAULTGAS\r\nAria\r\n!DEFAULTGAS", impostati,
       {"Aria", "Rame", "12", "300", "250"}, true},
      {"a repeated key keeps its last value", "!DEFAULTGAS\r\nAria\r\n!DEFAULTGAS\r\nGPL2\r\n", impostati,
       {"GPL2", "Rame", "12", "300", "250"}, false},
      {"values whole and untrimmed, any order",
       "!DEFAULTFINPRESSURE\r\n 12,5 \r\n# note\r\n!DEFAULTPIPEMATERIAL\r\nPE 32\r\n", impostati,
       {"GPL", "PE 32", "12", "300", " 12,5 "}, false},
      {"the key must be the whole line", "!DEFAULTGAS \r\nAria\r\n !DEFAULTGAS\r\nAria\r\n", impostati, impostati, false},
      {"a value line may look like a key", "!DEFAULTGAS\r\n!DEFAULTMEDIUMSPEED\r\n7\r\n", impostati,
       {"!DEFAULTMEDIUMSPEED", "Rame", "12", "300", "250"}, false},
      {"an empty value is a value", "!DEFAULTMEDIUMSPEED\r\n\r\n", impostati, {"GPL", "Rame", "", "300", "250"}, false},
      {"LF-only lines read the same", "!DEFAULTGAS\nAria\n", impostati, {"Aria", "Rame", "12", "300", "250"}, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella.Write("defaultValue.ini", c.file);
    Imposta(c.prima[0], c.prima[1], c.prima[2], c.prima[3], c.prima[4]);
    PDCMaxTesto = "35";
    if (c.messaggio) utente.Attendi(ErroreLettura);
    getDefaultValueFromFile();
    EXPECT_EQ(Valori(), c.dopo);
    EXPECT_EQ(PDCMaxTesto, "35") << "reading a file leaves the maximum drop alone";
  }
}

TEST_F(DefaultValues, FileNameFoundWithoutRegardToCase) {
  cartella.Write("DEFAULTVALUE.INI", "!DEFAULTGAS\r\nGPL\r\n");
  getDefaultValueFromFile();
  EXPECT_EQ(DefaultGas, "GPL");
}

TEST_F(DefaultValues, WritesTheNineteenLinesAndReadsThemBack) {
  Imposta("Gas città", "Rame", "12,5", "175", "1");
  ASSERT_TRUE(putDefaultValueInFile());
  EXPECT_EQ(cartella.Read("defaultValue.ini"),
            "!DEFAULTGAS\r\nGas citt\xE0\r\n~DEFAULTGAS\r\n\r\n"
            "!DEFAULTPIPEMATERIAL\r\nRame\r\n~DEFAULTPIPEMATERIAL\r\n\r\n"
            "!DEFAULTMEDIUMSPEED\r\n12,5\r\n~DEFAULTMEDIUMSPEED\r\n\r\n"
            "!DEFAULTINITPRESSURE\r\n175\r\n~DEFAULTINITPRESSURE\r\n\r\n"
            "!DEFAULTFINPRESSURE\r\n1\r\n~DEFAULTFINPRESSURE\r\n");
  const auto scritti = Valori();
  Imposta("a", "b", "c", "d", "e");
  getDefaultValueFromFile();
  EXPECT_EQ(Valori(), scritti);
}

TEST_F(DefaultValues, WriteFailureShowsTheMessageAndLeavesNoHalfFile) {
  // A folder in the way of the file: the write cannot succeed, whoever runs the test.
  std::filesystem::create_directory(cartella.File("defaultValue.ini"));
  Imposta("Metano", "Rame", "15", "200", "150");
  utente.Attendi(ErroreScrittura);
  EXPECT_FALSE(putDefaultValueInFile());
  // With the system's reason: a full disk and a missing permission are mended differently.
  ASSERT_FALSE(utente.messaggi.empty());
  EXPECT_NE(utente.messaggi.back().testo.find(MotivoErrore(EISDIR)), std::string::npos) << utente.messaggi.back().testo;
  EXPECT_TRUE(std::filesystem::is_directory(cartella.File("defaultValue.ini")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.Path()), {}), 1) << "no temporary left";
}

TEST_F(DefaultValues, PressureListHoldsOneThenTensToFiveHundred) {
  auto voci = ElencoPressioni();
  ASSERT_EQ(voci.size(), 51u);
  EXPECT_EQ(voci[0], "1");
  EXPECT_EQ(voci[1], "10");
  EXPECT_EQ(voci[50], "500");
  EXPECT_EQ(IndiceVoce(voci, "200"), 20);
  EXPECT_EQ(IndiceVoce(voci, "0"), -1);
  EXPECT_EQ(IndiceVoce(voci, "175"), -1);
}

TEST_F(DefaultValues, OpeningAnInternalInstallationListsCombustibleGasesOnly) {
  cartella.Write("defaultValue.ini", "!DEFAULTGAS\r\ngpl\r\n!DEFAULTPIPEMATERIAL\r\nRame\r\n");
  auto c = ApriValoriDefault();
  EXPECT_FALSE(c.inPressione);
  EXPECT_EQ(c.gas, (std::vector<std::string>{"", "Metano", "GPL"}));
  EXPECT_EQ(c.gasScelto, 2) << "gas matched without regard to case";
  EXPECT_EQ(c.materiali, (std::vector<std::string>{"", "Acciaio", "Rame", "PE"}));
  EXPECT_EQ(c.materialeScelto, 2);
  EXPECT_EQ(c.velocita, "15") << "filled also while hidden";
  EXPECT_TRUE(c.pressioni.empty());
}

TEST_F(DefaultValues, OpeningAPressurisedNetworkListsEveryGasAndThePressures) {
  ReteInPressione = -1;
  cartella.Write("defaultValue.ini",
                 "!DEFAULTGAS\r\nAzoto\r\n!DEFAULTMEDIUMSPEED\r\n\r\n!DEFAULTINITPRESSURE\r\n175\r\n"
                 "!DEFAULTFINPRESSURE\r\n\r\n");
  auto c = ApriValoriDefault();
  EXPECT_TRUE(c.inPressione);
  EXPECT_EQ(c.gas, (std::vector<std::string>{"", "Metano", "Azoto", "GPL", "Aria"}));
  EXPECT_EQ(c.gasScelto, 2);
  EXPECT_EQ(c.velocita, "15") << "an empty velocity shows 15";
  EXPECT_EQ(c.pressioni.size(), 51u);
  EXPECT_EQ(c.pressioneIniziale, "175");
  EXPECT_EQ(c.pressioneFinale, "150") << "an empty final pressure shows 150";
}

TEST_F(DefaultValues, ConfirmingStoresTheFieldsAndWritesTheFile) {
  ReteInPressione = -1;
  auto c = ApriValoriDefault();
  PDCMaxTesto = "40";
  c.gasScelto = 3;
  c.materialeScelto = 3;
  c.velocita = "12,5";
  c.pressioneIniziale = "12,5";
  c.pressioneFinale = "";
  ConfermaValoriDefault(c);
  EXPECT_EQ(Valori(), (std::vector<std::string>{"GPL", "PE", "12,5", "12,5", "150"}));
  EXPECT_EQ(PDCMaxTesto, "0");
  Imposta("", "", "", "", "");
  getDefaultValueFromFile();
  EXPECT_EQ(Valori(), (std::vector<std::string>{"GPL", "PE", "12,5", "12,5", "150"}));
}

TEST_F(DefaultValues, ConfirmingBlankListsTakesTheFirstEntries) {
  ReteInPressione = -1;
  auto c = ApriValoriDefault();
  c.gasScelto = 0;
  c.materialeScelto = 0;
  DefaultGas = "Sconosciuto";
  ConfermaValoriDefault(c);
  EXPECT_EQ(DefaultGas, "Metano");
  EXPECT_EQ(c.gasScelto, 1) << "the list shows the entry taken";
  EXPECT_EQ(DefaultMateriale, "Acciaio");
  EXPECT_EQ(c.materialeScelto, 1);
}

TEST_F(DefaultValues, VelocityThatIsNotANumberBecomesFifteen) {
  struct Caso {
    const char* digitato;
    const char* memorizzato;
  };
  for (const Caso& k : {Caso{"", "15"}, Caso{",", "15"}, Caso{"1,2,3", "15"}, Caso{"abc", "15"}, Caso{"20", "20"},
                        Caso{"7,5", "7,5"}, Caso{"1.000", "1.000"}}) {
    SCOPED_TRACE(k.digitato);
    ReteInPressione = -1;
    auto c = ApriValoriDefault();
    c.velocita = k.digitato;
    ConfermaValoriDefault(c);
    EXPECT_EQ(DefaultVelocita, k.memorizzato);
  }
}

TEST(DefaultText, PointAndCommaAreBothTheDecimalMark) {
  struct Caso {
    const char* testo;
    std::optional<double> numero;
  };
  for (const Caso& k : {Caso{"12.5", 12.5}, Caso{"12,5", 12.5}, Caso{" 2.5 ", 2.5}, Caso{"200", 200.},
                        Caso{"1.000", 1.}, Caso{",5", .5}, Caso{"1.234,5", std::nullopt}, Caso{"1,2,3", std::nullopt},
                        Caso{"", std::nullopt}, Caso{",", std::nullopt}, Caso{"12a", std::nullopt},
                        Caso{"-5", std::nullopt}}) {
    SCOPED_TRACE(k.testo);
    EXPECT_EQ(NumeroTestoDefault(k.testo), k.numero);
  }
}

// The dialog shows the value the projects will use: a text they cannot read shows, and is stored,
// as the built-in value.
TEST_F(DefaultValues, DialogShowsAndStoresTheValuesNewProjectsUse) {
  Imposta("Metano", "Rame", "1.234,5", "2.5", "x");
  ASSERT_TRUE(putDefaultValueInFile());
  ReteInPressione = -1;
  auto c = ApriValoriDefault();
  EXPECT_EQ(c.velocita, "15");
  EXPECT_EQ(c.pressioneIniziale, "2.5");
  EXPECT_EQ(c.pressioneFinale, "150");

  c.velocita = "12.5";
  c.pressioneIniziale = "1.234,5";
  c.pressioneFinale = "1,5";
  ConfermaValoriDefault(c);
  EXPECT_EQ(c.pressioneIniziale, "200");
  EXPECT_EQ(Valori(), (std::vector<std::string>{"Metano", "Rame", "12.5", "200", "1,5"}));
  ResetRete();
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 12.5f);
  EXPECT_DOUBLE_EQ(PressioneIniziale, 200);
  EXPECT_DOUBLE_EQ(PressioneFinale, 1.5);
}

TEST_F(DefaultValues, ConfirmingAnInternalInstallationKeepsThePressuresAndTheVelocity) {
  Imposta("Metano", "Rame", "22", "350", "320");
  ASSERT_TRUE(putDefaultValueInFile());
  auto c = ApriValoriDefault();
  ConfermaValoriDefault(c);
  EXPECT_EQ(Valori(), (std::vector<std::string>{"Metano", "Rame", "22", "350", "320"}));
  Imposta("", "", "", "", "");
  getDefaultValueFromFile();
  EXPECT_EQ(DefaultPressioneIniziale, "350");
  EXPECT_EQ(DefaultPressioneFinale, "320");
}

TEST_F(DefaultValues, ANonCombustibleDefaultGasSurvivesAnInternalInstallation) {
  Imposta("azoto", "Rame", "15", "200", "150");
  ASSERT_TRUE(putDefaultValueInFile());
  auto c = ApriValoriDefault();
  EXPECT_EQ(c.gasScelto, 0) << "the list does not offer it";
  ConfermaValoriDefault(c);
  EXPECT_EQ(DefaultGas, "azoto");
  EXPECT_EQ(c.gasScelto, 0);
  // A gas the archive does not know at all is not kept that way.
  Imposta("Propano X", "Rame", "15", "200", "150");
  ASSERT_TRUE(putDefaultValueInFile());
  c = ApriValoriDefault();
  ConfermaValoriDefault(c);
  EXPECT_EQ(DefaultGas, "Metano");
}

TEST_F(DefaultValues, ConfirmingWithEmptyArchivesKeepsTheNames) {
  ArchivioGas = {TGas{}};
  NumGas = 0;
  NumMateriali = 0;
  Imposta("Metano", "Rame", "15", "200", "150");
  ASSERT_TRUE(putDefaultValueInFile());
  auto c = ApriValoriDefault();
  EXPECT_EQ(c.gas.size(), 1u);
  ConfermaValoriDefault(c);
  EXPECT_EQ(DefaultGas, "Metano");
  EXPECT_EQ(DefaultMateriale, "Rame");
}

TEST(DefaultValueKeys, NumericFieldFilter) {
  struct Caso {
    int16_t tasto;
    const char* testo;
    bool selezione;
    size_t limite;
    int16_t atteso;
  };
  const Caso casi[] = {
      {'5', "12", false, 4, '5'},  {',', "12", false, 4, ','},   {'.', "12", false, 4, '.'},
      {'a', "12", false, 4, 0},    {'-', "12", false, 4, 0},     {' ', "12", false, 4, 0},
      {8, "12345", false, 4, 8},   {13, "1", false, 4, 0},       {'1', "1234", false, 4, '1'},
      {'1', "12345", false, 4, 0}, {'1', "12345", true, 4, '1'}, {'1', "  1234  ", false, 4, '1'},
      {'1', "1234567", false, 6, 0}, {'1', "123456", false, 6, '1'}, {'x', "1234567", true, 6, 0},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.testo) + " key " + std::to_string(c.tasto));
    EXPECT_EQ(FiltroTastoNumerico(c.tasto, c.testo, c.selezione, c.limite), c.atteso);
  }
}

}  // namespace
}  // namespace varnex
