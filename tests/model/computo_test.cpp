#include "model/computo.h"

#include <gtest/gtest.h>

#include "calcolo_prova.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

using test::AggiungiProva;

class Computo : public ::testing::Test {
 protected:
  void SetUp() override {
    test::PreparaCalcolo();
    // 1 -> 2 (steel), 1 -> 3 (copper); 4 detached steel; 5 under 1's tree with an unknown label.
    AggiungiProva(0, 10.0f);
    AggiungiProva(1, 4.0f);
    AggiungiProva(1, 2.5f);
    AggiungiProva(0, 7.0f);
    AggiungiProva(2, 3.0f);
    Tronco(1).ID_DIAMETRO = "1";
    Tronco(2).ID_DIAMETRO = "3/4";
    Tronco(3).IndiceMateriale = 2;
    Tronco(3).ID_DIAMETRO = "22x1";
    Tronco(4).ID_DIAMETRO = "1";
    Tronco(5).ID_DIAMETRO = "Auto";
    for (int16_t s : {1, 2, 3, 5}) Tronco(s).Collegato = -1;
    ResetComputo();
  }
  test::FakeInterazione utente;
};

TEST_F(Computo, TotalsTheReachedSegmentsPerDiameterAndSeries) {
  CalcolaComputo(1);
  const auto& acciaio = Materiali[1];
  EXPECT_FLOAT_EQ(acciaio[3].LunghezzaComputo, 10.0f);  // "1": the detached 7 m are left out
  EXPECT_FLOAT_EQ(acciaio[2].LunghezzaComputo, 4.0f);   // "3/4"
  EXPECT_FLOAT_EQ(acciaio[1].LunghezzaComputo, 0.0f);
  EXPECT_FLOAT_EQ(acciaio[0].LunghezzaComputo, -1.0f);
  EXPECT_FLOAT_EQ(acciaio[0].PesoComputo, 10.0f * 2.41f + 4.0f * 1.56f);
  const auto& rame = Materiali[2];
  EXPECT_FLOAT_EQ(rame[2].LunghezzaComputo, 2.5f);
  EXPECT_FLOAT_EQ(rame[0].LunghezzaComputo, -1.0f);
  EXPECT_FLOAT_EQ(rame[0].PesoComputo, 2.5f * 0.59f);
  // Copper adds to its own weight only.
  EXPECT_FLOAT_EQ(PesoTotaleAcciaio, 10.0f * 2.41f + 4.0f * 1.56f);
}

TEST_F(Computo, UnknownLabelsAddNothingAndDoNotMarkTheSeries) {
  Tronco(3).ID_DIAMETRO = "";
  CalcolaComputo(1);
  EXPECT_FLOAT_EQ(Materiali[2][0].LunghezzaComputo, 0.0f);
  EXPECT_FLOAT_EQ(Materiali[2][0].PesoComputo, 0.0f);
}

TEST_F(Computo, TwiceWithoutResetDoublesAndResetEmpties) {
  CalcolaComputo(1);
  CalcolaComputo(1);
  EXPECT_FLOAT_EQ(Materiali[1][3].LunghezzaComputo, 20.0f);
  EXPECT_FLOAT_EQ(PesoTotaleAcciaio, 2 * (10.0f * 2.41f + 4.0f * 1.56f));
  ResetComputo();
  for (int16_t s = 1; s <= 2; ++s) {
    for (int16_t r = 0; r <= Materiali[s][0].NumDiametri; ++r) {
      EXPECT_EQ(Materiali[s][r].LunghezzaComputo, 0.0f);
      EXPECT_EQ(Materiali[s][r].PesoComputo, 0.0f);
    }
  }
  EXPECT_EQ(PesoTotaleAcciaio, 0.0f);
}

TEST_F(Computo, NetworkZeroAndEmptyAdditionsDoNothing) {
  CalcolaComputo(0);
  AddToComputo(1, 3, 0.0f);
  AddToComputo(0, 3, 5.0f);
  AddToComputo(1, 0, 5.0f);
  EXPECT_EQ(Materiali[1][3].LunghezzaComputo, 0.0f);
  EXPECT_EQ(Materiali[1][0].LunghezzaComputo, 0.0f);
  EXPECT_EQ(PesoTotaleAcciaio, 0.0f);
  AddToComputo(1, 1, 2.0f);
  EXPECT_FLOAT_EQ(Materiali[1][1].LunghezzaComputo, 2.0f);
  EXPECT_FLOAT_EQ(PesoTotaleAcciaio, 2.42f);
}

}  // namespace
}  // namespace varnex
