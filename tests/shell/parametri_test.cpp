// What the project-parameters dialog decides: the pattern test, the gases offered by activity,
// the entry selected on opening and after a refill, the property texts and what OK stores.
#include <gtest/gtest.h>

#include "shell/ambiente_prova.h"
#include "shell/parametri.h"

namespace varnex::test {
namespace {

TEST(Modello, Caratteri) {
  struct Caso {
    const char* testo;
    const char* modello;
    bool atteso;
  };
  const Caso casi[] = {
      {"Metano", "Metano", true},   {"Metano", "metano", false},  {"Metano", "Met*", true},
      {"Metano", "*ano", true},     {"Metano", "M?tano", true},   {"Metano", "M?ano", false},
      {"G20", "G##", true},         {"G2a", "G##", false},        {"Metano", "[L-N]etano", true},
      {"Metano", "[!M]etano", false}, {"Aria", "*", true},        {"", "*", true},
      {"", "", true},               {"A", "", false},             {"[x", "[x", true},
      {"GPL Butano", "GPL*o", true}, {"GPL Butano", "GPL*a", false},
  };
  for (const Caso& c : casi) EXPECT_EQ(CorrispondeModello(c.testo, c.modello), c.atteso) << c.testo << " / " << c.modello;
}

class Parametri : public ProgrammaProva {
 protected:
  FakeAmbiente finestre;
};

TEST_F(Parametri, GasOffertiSecondoLAttivita) {
  const auto interno = ElencoGasParametri(0);
  const auto pressione = ElencoGasParametri(-1);
  EXPECT_EQ(pressione.size(), static_cast<size_t>(NumGas));
  EXPECT_EQ(interno, (std::vector<std::string>{"Metano", "GPL Propano", "GPL Butano"}));
  EXPECT_EQ(pressione.at(3), "Aria");
}

TEST_F(Parametri, SelezioneDopoIlRiempimento) {
  const std::vector<std::string> voci = {"Metano", "GPL Propano", "GPL Butano"};
  EXPECT_EQ(IndiceDaModello(voci, ""), 0);
  EXPECT_EQ(IndiceDaModello(voci, "GPL Butano"), 2);
  EXPECT_EQ(IndiceDaModello(voci, "GPL*"), 1);
  EXPECT_EQ(IndiceDaModello(voci, "Rinominato"), 0);
  EXPECT_EQ(IndiceDaModello({}, "Metano"), -1);
}

TEST_F(Parametri, SiApreSulGasDelProgetto) {
  const std::vector<std::string> voci = {"Metano", "GPL Propano", "GPL Butano"};
  DefaultGas = "Metano";
  GasCorrente = ArchivioGas[3];  // GPL Butano
  EXPECT_EQ(IndiceGasIniziale(voci), 2);
  GasCorrente = ArchivioGas[4];  // Aria: not offered for an internal installation
  EXPECT_EQ(IndiceGasIniziale(voci), 0);
  DefaultGas = "GPL Propano";
  EXPECT_EQ(IndiceGasIniziale(voci), 1);
  EXPECT_EQ(IndiceGasIniziale({}), -1);
}

TEST_F(Parametri, TestiDelleProprieta) {
  const TestiGas t = TestiProprietaGas(ArchivioGas[1]);
  EXPECT_EQ(t.densita, "0,555");
  EXPECT_EQ(t.viscosita, "16,17");
  EXPECT_EQ(t.pci, "34,0");
  EXPECT_EQ(t.pcs, "37,8");
  EXPECT_EQ(t.famiglia, "2");
  EXPECT_TRUE(t.combustibile);
  EXPECT_FALSE(TestiProprietaGas(ArchivioGas[4]).combustibile);
}

TEST_F(Parametri, OkMemorizzaECalcola) {
  ReteInPressione = -1;
  CurrentGas = 5;  // Azoto
  ASSERT_TRUE(ConfermaParametri({"Rif. 12", "Capannone", "/doc", "12,5"}));
  EXPECT_EQ(Riferimento, "Rif. 12");
  EXPECT_EQ(DescrizioneLavoro, "Capannone");
  EXPECT_EQ(PercorsoDocumenti, "/doc");
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 12.5f);
  EXPECT_EQ(GasCorrente.Nome, "Azoto");
  EXPECT_TRUE(ProgettoModificato);
  EXPECT_TRUE(finestre.Visto("Elaborazione"));
}

TEST_F(Parametri, OkSuImpiantoInternoMemorizzaVelocitaZero) {
  CurrentGas = 2;
  ASSERT_TRUE(ConfermaParametri({"", "", "", ""}));
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 0);
  EXPECT_EQ(GasCorrente.Nome, "GPL Propano");
}

TEST_F(Parametri, OkRifiutaUnGasNonCombustibilePerLImpiantoInterno) {
  CurrentGas = 4;  // Aria
  Riferimento = "prima";
  utente.Attendi("Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile");
  EXPECT_FALSE(ConfermaParametri({"dopo", "", "", ""}));
  EXPECT_EQ(Riferimento, "prima");
  EXPECT_FALSE(ProgettoModificato);
  EXPECT_FALSE(finestre.Visto("Elaborazione"));
}

TEST_F(Parametri, OkSenzaGasPrendeIlPrimo) {
  CurrentGas = 0;
  ASSERT_TRUE(ConfermaParametri({"", "", "", ""}));
  EXPECT_EQ(CurrentGas, 1);
  EXPECT_EQ(GasCorrente.Nome, "Metano");
}

}  // namespace
}  // namespace varnex::test
