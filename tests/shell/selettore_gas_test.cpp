// Applying the gas chosen in the main window's gas selector.
#include <gtest/gtest.h>

#include "editor/tabella.h"
#include "model/gas.h"
#include "model/rete.h"
#include "shell/selettore_gas.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

TGas Gas(const char* nome, float densita, int16_t nonCombustibile = 0) {
  TGas g;
  g.Nome = nome;
  g.Densita = densita;
  g.Viscosita = 1e-5f;
  g.PCI = nonCombustibile ? 0 : 34;
  g.PCS = nonCombustibile ? 0 : 38;
  g.NonCombustibile = nonCombustibile;
  return g;
}

class SelettoreGasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ArchivioGas = {TGas{}, Gas("METANO", 0.55f), Gas("PROPANO", 1.56f), Gas("AZOTO", 0.97f, -1), Gas("BUTANO", 2.0f)};
    NumGas = 4;
    GasCorrente = ArchivioGas[1];
    CurrentGas = 1;
    ReteInPressione = 0;
    ProgettoModificato = 0;
    PDCMaxUtente = 150;
  }
  void TearDown() override {
    ReteInPressione = 0;
    PDCMaxUtente = 0;
  }
  test::FakeInterazione utente_;
};

TEST_F(SelettoreGasTest, AnotherGasIsAppliedAndResetsTheUsersMaximumDrop) {
  EXPECT_EQ(ApplicaSceltaGas(std::string("PROPANO")), EsitoSceltaGas::Applicato);
  EXPECT_EQ(GasCorrente.Nome, "PROPANO");
  EXPECT_EQ(CurrentGas, 2);
  EXPECT_EQ(PDCMaxUtente, 0);
  EXPECT_EQ(ProgettoModificato, -1);
}

TEST_F(SelettoreGasTest, LeavingTheSelectorOnTheGasInUseChangesNothing) {
  EXPECT_EQ(ApplicaSceltaGas(std::string("METANO")), EsitoSceltaGas::Invariato);
  EXPECT_EQ(PDCMaxUtente, 150);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(SelettoreGasTest, NonCombustibleGasIsRefusedForAnInternalInstallation) {
  utente_.Attendi("Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile");
  EXPECT_EQ(ApplicaSceltaGas(std::string("AZOTO")), EsitoSceltaGas::Rifiutato);
  EXPECT_EQ(GasCorrente.Nome, "METANO");
  EXPECT_EQ(CurrentGas, 3);  // keeps the refused gas's index until another choice
  EXPECT_EQ(PDCMaxUtente, 150);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(SelettoreGasTest, NonCombustibleGasIsAcceptedForANetwork) {
  ReteInPressione = -1;
  EXPECT_EQ(ApplicaSceltaGas(std::string("AZOTO")), EsitoSceltaGas::Applicato);
  EXPECT_EQ(GasCorrente.Nome, "AZOTO");
}

TEST_F(SelettoreGasTest, AnUnknownNameKeepsTheGasInUse) {
  utente_.Attendi("non è disponibile");
  EXPECT_EQ(ApplicaSceltaGas(std::string("IDROGENO")), EsitoSceltaGas::NonTrovato);
  EXPECT_EQ(GasCorrente.Nome, "METANO");
  EXPECT_EQ(CurrentGas, 1);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(SelettoreGasTest, WithoutAGasInUseTheFirstGasIsTakenAndTheDropKept) {
  GasCorrente = TGas{};
  EXPECT_EQ(ApplicaSceltaGas(std::string("PROPANO")), EsitoSceltaGas::Applicato);
  EXPECT_EQ(GasCorrente.Nome, "METANO");
  EXPECT_EQ(PDCMaxUtente, 150);
}

TEST_F(SelettoreGasTest, CalculationCheckRefusesANonCombustibleGas) {
  utente_.Attendi("non combustibile");
  EXPECT_FALSE(VerificaGasCalcolo(std::string("AZOTO")));
  EXPECT_TRUE(VerificaGasCalcolo(std::string("BUTANO")));
  EXPECT_EQ(CurrentGas, 4);
  EXPECT_EQ(GasCorrente.Nome, "METANO");  // the calculation uses the gas applied last
  EXPECT_TRUE(VerificaGasCalcolo(std::nullopt));
}

TEST_F(SelettoreGasTest, ListShowsCombustibleGasesOnlyForAnInternalInstallation) {
  EXPECT_EQ(ElencoGasSelettore(), (std::vector<std::string>{"METANO", "PROPANO", "BUTANO"}));
  ReteInPressione = -1;
  EXPECT_EQ(ElencoGasSelettore(), (std::vector<std::string>{"METANO", "PROPANO", "AZOTO", "BUTANO"}));
}

}  // namespace
}  // namespace varnex
