#include "model/calcolo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calcolo_prova.h"
#include "model/dimensionamento.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

using test::AggiungiProva;
using test::FakeInterazione;

class Calcolo : public ::testing::Test {
 protected:
  void SetUp() override { test::PreparaCalcolo(); }
  FakeInterazione utente;
};

::testing::AssertionResult Vicino(double atteso, double valore, double relativo = 1e-5) {
  const double tolleranza = std::max(std::fabs(atteso) * relativo, 1e-6);
  if (std::fabs(atteso - valore) <= tolleranza) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "atteso " << atteso << ", ottenuto " << valore;
}

// ---- Against the results computed from the formulas by an independent program ----------------

std::vector<std::string> Campi(const std::string& riga) {
  std::vector<std::string> campi;
  std::string campo;
  std::istringstream in(riga);
  while (std::getline(in, campo, '\t')) campi.push_back(campo);
  if (!riga.empty() && riga.back() == '\t') campi.emplace_back();
  return campi;
}

struct ReteRiferimento {
  std::string nome;
  std::vector<std::vector<std::string>> tronchi;   // "T" lines
  std::vector<std::vector<std::string>> risultati; // "R" lines
};

std::vector<ReteRiferimento> LeggiRiferimento() {
  std::ifstream file(std::string(VARNEX_FIXTURE_DIR) + "/calcolo_riferimento.txt");
  std::vector<ReteRiferimento> reti;
  std::string riga;
  while (std::getline(file, riga)) {
    if (riga.empty() || riga[0] == '#') continue;
    auto campi = Campi(riga);
    if (campi[0] == "RETE") {
      reti.push_back({campi[1], {}, {}});
    } else if (campi[0] == "T") {
      reti.back().tronchi.push_back(campi);
    } else if (campi[0] == "R") {
      reti.back().risultati.push_back(campi);
    }
  }
  return reti;
}

int16_t I(const std::string& s) { return static_cast<int16_t>(std::atoi(s.c_str())); }
float F(const std::string& s) { return static_cast<float>(std::strtod(s.c_str(), nullptr)); }

TEST_F(Calcolo, MatchesTheIndependentReferenceSegmentBySegment) {
  const auto reti = LeggiRiferimento();
  ASSERT_GE(reti.size(), 6u);
  for (const auto& rif : reti) {
    SCOPED_TRACE(rif.nome);
    test::PreparaCalcolo();
    Rete().NumTronchi = static_cast<int16_t>(rif.tronchi.size());
    for (const auto& c : rif.tronchi) {
      TTronco& t = Tronco(I(c[1]));
      t.ID_PREV = I(c[2]);
      t.ID_LEFT = I(c[3]);
      t.ID_RIGHT = I(c[4]);
      t.ID_P_UTENZE = F(c[5]);
      t.ID_LEN = F(c[6]);
      t.ID_NCURVE = I(c[7]);
      t.ID_NGOMITI = I(c[8]);
      t.ID_NRACCORDI = I(c[9]);
      t.ID_NRUBINETTI = I(c[10]);
      t.ID_EQLENNOTA = F(c[11]);
      t.ID_DIAMCUSTOM = I(c[12]);
      t.ID_DIAMETRO = c.size() > 13 ? c[13] : "";
      t.IndiceMateriale = 1;
      t.ID_MATERIALE = "ACCIAIOT";
    }
    CalcolaRete();
    for (const auto& r : rif.risultati) {
      const int16_t s = I(r[1]);
      SCOPED_TRACE("tronco " + r[1]);
      const TTronco& t = Tronco(s);
      EXPECT_TRUE(Vicino(F(r[2]), t.ID_P_TRONCO));
      EXPECT_TRUE(Vicino(F(r[3]), t.ID_EQ_LEN));
      EXPECT_TRUE(Vicino(F(r[4]), t.LunghezzaPercorso));
      EXPECT_EQ(r[5], t.ID_DIAMETRO);
      EXPECT_TRUE(Vicino(F(r[6]), t.ID_PDC_TRONCO));
      EXPECT_TRUE(Vicino(F(r[7]), t.ID_PDC_PERCORSO));
      EXPECT_TRUE(Vicino(F(r[8]), t.ID_PFINALE));
      EXPECT_TRUE(Vicino(F(r[9]), t.ID_VELOCITA));
      EXPECT_EQ(t.Collegato, -1);
    }
  }
}

// ---- Small networks worked by hand ------------------------------------------------------------

TEST_F(Calcolo, OneSegmentOfTenMetresWithTwoCubicMetres) {
  AggiungiProva(0, 10.0f, 2.0f);
  CalcolaRete();
  const TTronco& t = Tronco(1);
  // 18.9 kW of family II: 100 Pa over 10 m, 10 Pa/m. The 16 mm pipe loses 8.0228 Pa/m:
  // Re = 2 / (pi/4 x 0.016 x 3600 x 1.4e-5) = 3158.0, lambda = 0.0072 + 0.612 / Re^0.35 +
  // 0.000029 x Re^0.109 / 0.016 = 0.0435, J = lambda x 0.7 x 4 / (3.1415^2 x 1620000 x 0.016^5).
  EXPECT_FLOAT_EQ(PDCMassima(), 100.0f);
  EXPECT_EQ(t.ID_DIAMETRO, "1/2");
  EXPECT_FLOAT_EQ(t.ID_P_TRONCO, 2.0f);
  EXPECT_FLOAT_EQ(t.ID_EQ_LEN, 10.0f);
  EXPECT_NEAR(t.ID_PDC_TRONCO, 80.2277, 0.001);
  EXPECT_FLOAT_EQ(t.ID_PDC_PERCORSO, t.ID_PDC_TRONCO);
  EXPECT_FLOAT_EQ(t.ID_PFINALE, 2500.0f - t.ID_PDC_PERCORSO);
  EXPECT_FLOAT_EQ(t.ID_VELOCITA, 2.0f * 353.7f / 256.0f);
  EXPECT_EQ(ListaUtenze.Count(), 0);
  // Results alone are no change of what the user entered.
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ((std::vector<int16_t>{11, 0}), utente.puntatori);
  std::vector<int16_t> percorso;
  PercorsoSfavorito(percorso);
  EXPECT_EQ((std::vector<int16_t>{0, 1}), percorso);
}

TEST_F(Calcolo, ThreeSegmentTreeWithFittings) {
  // 1: 8 m, 2 bends, 1 tee, 1 valve; 2: 6.5 m, 3 elbows, 1 valve, 2.5 Nm3/h;
  // 3: 3 m, 1 bend, 0.5 m added, 1.2 Nm3/h.
  AggiungiProva(0, 8.0f);
  AggiungiProva(1, 6.5f, 2.5f);
  AggiungiProva(1, 3.0f, 1.2f);
  Tronco(1).ID_NCURVE = 2;
  Tronco(1).ID_NRACCORDI = 1;
  Tronco(1).ID_NRUBINETTI = 1;
  Tronco(2).ID_NGOMITI = 3;
  Tronco(2).ID_NRUBINETTI = 1;
  Tronco(3).ID_NCURVE = 1;
  Tronco(3).ID_EQLENNOTA = 0.5f;
  CalcolaRete();

  // 34.02 x 3.7 / 3.6 = 34.965 kW: still up to the 35 kW threshold.
  EXPECT_FLOAT_EQ(PDCMassima(), 100.0f);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 3.7f);
  // Class 1 fittings (inner diameters up to 22.3 mm): bend 0.2, tee 0.8, elbow 1.0, valve 0.3.
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 9.5f);
  EXPECT_FLOAT_EQ(Tronco(2).ID_EQ_LEN, 9.8f);
  EXPECT_FLOAT_EQ(Tronco(3).ID_EQ_LEN, 3.7f);
  // The path lengths are those of the first sizing's rows: segment 1 was then "1" (27.2 mm,
  // class 2: bends 0.5, tee 2.0, valve 0.8), 11.8 m; the second sizing does not recompute them.
  EXPECT_FLOAT_EQ(Tronco(1).LunghezzaPercorso, 11.8f);
  EXPECT_FLOAT_EQ(Tronco(2).LunghezzaPercorso, 21.6f);
  EXPECT_FLOAT_EQ(Tronco(3).LunghezzaPercorso, 15.5f);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "3/4");
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, "3/4");
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, "1/2");
  EXPECT_NEAR(Tronco(1).ID_PDC_TRONCO, 52.3281, 0.001);
  EXPECT_NEAR(Tronco(2).ID_PDC_TRONCO, 27.3044, 0.001);
  EXPECT_NEAR(Tronco(3).ID_PDC_TRONCO, 12.2222, 0.001);
  EXPECT_FLOAT_EQ(Tronco(2).ID_PDC_PERCORSO, Tronco(1).ID_PDC_TRONCO + Tronco(2).ID_PDC_TRONCO);
  EXPECT_FLOAT_EQ(Tronco(1).ID_VELOCITA, 3.7f * 353.7f / (21.6f * 21.6f));
  EXPECT_FLOAT_EQ(Tronco(3).ID_VELOCITA, 1.2f * 353.7f / 256.0f);
  std::vector<int16_t> percorso;
  PercorsoSfavorito(percorso);
  EXPECT_EQ((std::vector<int16_t>{0, 2, 1}), percorso);
}

TEST_F(Calcolo, APressurisedNetworkGoesToItsOwnCalculation) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  Tronco(1).ID_CONTEMP = 50;
  ReteInPressione = -1;
  PressioneIniziale = 400;
  PressioneFinale = 300;
  utente.PermettiTutti();
  CalcolaRete();
  // Inner segments keep their simultaneity there, and it applies to their flow.
  EXPECT_EQ(Tronco(1).ID_CONTEMP, 50);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 1.0f);
  EXPECT_EQ((std::vector<int16_t>{11, 0}), utente.puntatori);
}

// ---- Flows ---------------------------------------------------------------------------------------

TEST_F(Calcolo, ApplianceFlowOnAnInnerSegmentIsClearedOnceWithAMessage) {
  AggiungiProva(0, 5.0f, 4.0f);
  AggiungiProva(1, 5.0f, 1.5f);
  utente.Attendi("Portata nel tronco 1 non compatibile");
  CalcolaRete();
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].testo, "Portata nel tronco 1 non compatibile");
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OK);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_UTENZE, 0.0f);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 1.5f);
  CalcolaRete();  // no second message: the flow is gone
  EXPECT_EQ(utente.messaggi.size(), 1u);
}

TEST_F(Calcolo, EverySimultaneityReadsOneHundredAfterwards) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  Tronco(1).ID_CONTEMP = 50;
  Tronco(2).ID_CONTEMP = 0;
  Tronco(3).ID_CONTEMP = 30;
  CalcolaRete();
  for (int16_t s = 1; s <= 3; ++s) EXPECT_EQ(Tronco(s).ID_CONTEMP, 100) << s;
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 2.0f);
}

TEST_F(Calcolo, ChildLinksBeyondTheCountPlusOneAreDropped) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  Tronco(2).ID_LEFT = 4;  // two beyond the count
  EXPECT_FLOAT_EQ(CalcolaPortate(1), 1.0f);
  EXPECT_EQ(Tronco(2).ID_LEFT, 0);

  // The count plus one is followed like any other link.
  Tronco(2).ID_RIGHT = 3;
  Tronco(3).ID_P_UTENZE = 0.5f;
  Tronco(2).ID_P_UTENZE = 0;
  EXPECT_FLOAT_EQ(CalcolaPortate(1), 0.5f);
  EXPECT_EQ(Tronco(2).ID_RIGHT, 3);
  EXPECT_EQ(Tronco(3).Collegato, -1);
}

TEST_F(Calcolo, ALinkOf201WithAFullTableIsDropped) {
  Rete().NumTronchi = MaxTronchi;
  Tronco(1).ID_LEFT = 201;
  Tronco(1).ID_P_UTENZE = 0;
  EXPECT_FLOAT_EQ(CalcolaPortate(1), 0.0f);
  EXPECT_EQ(Tronco(1).ID_LEFT, 0);
}

TEST_F(Calcolo, CumulativeDropOfMinusOneRunsDownTheSubtree) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f);
  AggiungiProva(2, 5.0f);
  AggiungiProva(1, 5.0f);
  Tronco(1).ID_PDC_TRONCO = 10;
  Tronco(2).ID_PDC_TRONCO = -1;
  Tronco(3).ID_PDC_TRONCO = 5;
  Tronco(4).ID_PDC_TRONCO = 7;
  PressioneIniziale = 300;
  CalcolaPressioni(1, 0);
  EXPECT_FLOAT_EQ(Tronco(1).ID_PDC_PERCORSO, 10.0f);
  EXPECT_FLOAT_EQ(Tronco(2).ID_PDC_PERCORSO, -1.0f);
  EXPECT_FLOAT_EQ(Tronco(3).ID_PDC_PERCORSO, -1.0f);
  EXPECT_FLOAT_EQ(Tronco(3).ID_PFINALE, 301.0f);
  EXPECT_FLOAT_EQ(Tronco(4).ID_PDC_PERCORSO, 17.0f);
  EXPECT_FLOAT_EQ(Tronco(4).ID_PFINALE, 283.0f);
}

// ---- Formulas --------------------------------------------------------------------------------------

TEST_F(Calcolo, UnitDropIsZeroWithoutDiameterFlowOrViscosity) {
  EXPECT_EQ(PerditaUnitaria(0.0f, 2.0f), 0.0f);
  EXPECT_EQ(PerditaUnitaria(0.016f, 0.0f), 0.0f);
  EXPECT_EQ(PerditaUnitaria(-0.01f, 2.0f), 0.0f);
  EXPECT_NEAR(PerditaUnitaria(0.016f, 2.0f), 8.02277, 1e-4);
  GasCorrente.Viscosita = 0;
  EXPECT_EQ(PerditaUnitaria(0.016f, 2.0f), 0.0f);
}

TEST_F(Calcolo, VelocityOfOneCubicMetreInTwentyMillimetres) {
  AggiungiProva(0, 1.0f);
  Tronco(1).IndiceMateriale = 2;
  Tronco(1).ID_DIAMETRO = "22x1";
  Tronco(1).ID_P_TRONCO = 1.0f;
  EXPECT_FLOAT_EQ(CalcolaVelocita(1), 353.7f / 400.0f);
  Tronco(1).ID_DIAMETRO = "nessuno";
  EXPECT_EQ(CalcolaVelocita(1), 0.0f);
}

TEST_F(Calcolo, EquivalentLengthClassesFollowTheInnerDiameter) {
  AggiungiProva(0, 2.0f);
  Tronco(1).ID_NRACCORDI = 1;
  // Mode 2 takes 100 mm: class 4, a tee adds 6.5 m.
  CalcolaLunghezzeEquivalenti(2);
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 8.5f);
  // Mode 1 takes the row: 21.6 mm is class 1 (0.8 m), 27.2 mm class 2 (2.0 m).
  Tronco(1).ID_DIAMETRO = "3/4";
  CalcolaLunghezzeEquivalenti(1, 1);
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 2.8f);
  Tronco(1).ID_DIAMETRO = "1";
  CalcolaLunghezzeEquivalenti(1);
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 4.0f);
  // Family III has its own tee lengths.
  GasCorrente.Famiglia = 3;
  CalcolaLunghezzeEquivalenti(1, 1);
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 4.5f);
}

// ---- Allowed maximum drop ------------------------------------------------------------------------

TEST_F(Calcolo, MaximumDropByPowerThresholdAndFamily) {
  AggiungiProva(0, 1.0f);
  GasCorrente.PCI = 36.0f;
  struct Caso {
    float portata;
    int16_t famiglia;
    double utente;
    float atteso;
  } casi[] = {
      {3.5f, 2, 0, 100.0f},   // 35 kW: at the threshold, row 1
      {3.6f, 2, 0, 50.0f},    // 36 kW: one unit above, row 2
      {3.5f, 1, 0, 50.0f},    {3.6f, 3, 0, 200.0f},
      {3.6f, 2, 42.5, 42.5f}, // the user's value wins
      {3.6f, 2, -3, 50.0f},   // a value not above 0 means the table
  };
  for (const auto& c : casi) {
    Tronco(1).ID_P_TRONCO = c.portata;
    GasCorrente.Famiglia = c.famiglia;
    PDCMaxUtente = c.utente;
    EXPECT_FLOAT_EQ(PDCMassima(), c.atteso) << c.portata << " " << c.famiglia << " " << c.utente;
  }
}

// ---- Checks over the network -------------------------------------------------------------------------

TEST_F(Calcolo, CheckAndLeastFavouredPathIgnoreDetachedSegments) {
  AggiungiProva(0, 1.0f);
  AggiungiProva(1, 1.0f);
  AggiungiProva(1, 1.0f);
  AggiungiProva(0, 1.0f);  // detached, still holding an old drop
  AggiungiProva(4, 1.0f);  // its child: has a parent but is not reached
  PDCMaxUtente = 100;
  for (int16_t s = 1; s <= 3; ++s) Tronco(s).Collegato = -1;
  Tronco(1).ID_PDC_PERCORSO = 40;
  Tronco(2).ID_PDC_PERCORSO = 90;
  Tronco(3).ID_PDC_PERCORSO = 90;
  Tronco(4).ID_PDC_PERCORSO = 500;
  Tronco(5).ID_PDC_PERCORSO = 600;
  EXPECT_TRUE(VerificaPDC());
  std::vector<int16_t> percorso;
  PercorsoSfavorito(percorso);
  EXPECT_EQ((std::vector<int16_t>{0, 2, 1}), percorso);  // the lower slot wins a tie

  Tronco(3).ID_PDC_PERCORSO = 100.5f;
  EXPECT_FALSE(VerificaPDC());
  PercorsoSfavorito(percorso);
  EXPECT_EQ((std::vector<int16_t>{0, 3, 1}), percorso);
}

TEST_F(Calcolo, NoLeastFavouredPathWithoutAPositiveDrop) {
  AggiungiProva(0, 1.0f);
  Tronco(1).Collegato = -1;
  Tronco(1).ID_PDC_PERCORSO = 0;
  std::vector<int16_t> percorso{9, 9, 9};
  PercorsoSfavorito(percorso);
  EXPECT_EQ((std::vector<int16_t>{0}), percorso);
}

// ---- Refusals and guards -------------------------------------------------------------------------------

TEST_F(Calcolo, EmptyNetworkReturnsAtOnce) {
  Tronco(1).ID_P_UTENZE = 7;
  Tronco(1).ID_CONTEMP = 30;
  Tronco(1).Collegato = 0;
  CalcolaRete();
  EXPECT_EQ(Tronco(1).ID_CONTEMP, 30);
  EXPECT_EQ(Tronco(1).Collegato, 0);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 0.0f);
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_TRUE(utente.puntatori.empty());
}

TEST_F(Calcolo, LoopsAndNegativeLinksAreRefusedWithoutResult) {
  struct Caso {
    const char* nome;
    void (*danneggia)();
  } casi[] = {
      {"ciclo", [] { Tronco(3).ID_LEFT = 1; Tronco(1).ID_PREV = 3; }},
      {"link negativo", [] { Tronco(2).ID_RIGHT = -4; }},
      {"genitore oltre la tabella", [] { Tronco(3).ID_PREV = 250; }},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    test::PreparaCalcolo();
    AggiungiProva(0, 5.0f);
    AggiungiProva(1, 5.0f);
    AggiungiProva(2, 5.0f, 1.0f);
    Tronco(1).Collegato = -1;
    c.danneggia();
    FakeInterazione locale;
    locale.Attendi("calcolo non eseguito");
    CalcolaRete();
    EXPECT_EQ(locale.messaggi.size(), 1u);
    EXPECT_EQ(Tronco(1).Collegato, 0);
    EXPECT_EQ(ProgettoModificato, 0);
    EXPECT_FALSE(MotivoRifiutoCalcolo().empty());
  }
}

TEST_F(Calcolo, ALoopThroughTheSlotAfterTheCountEndsAllTheSame) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  Tronco(2).ID_LEFT = 3;  // the count plus one is followed...
  Tronco(3).ID_LEFT = 1;  // ...and leads back to the root
  utente.PermettiTutti();
  CalcolaRete();
  EXPECT_EQ(Tronco(1).Collegato, -1);
}

TEST_F(Calcolo, AGasWithoutViscosityOrDensityIsRefused) {
  AggiungiProva(0, 5.0f, 1.0f);
  Tronco(1).ID_DIAMETRO = "2";
  for (int caso = 0; caso < 2; ++caso) {
    test::PreparaCalcolo();
    AggiungiProva(0, 5.0f, 1.0f);
    if (caso == 0) GasCorrente.Viscosita = 0; else GasCorrente.MassaVolumica = 0;
    utente.Attendi("viscosita' o massa volumica");
    CalcolaRete();
    EXPECT_EQ(Tronco(1).ID_DIAMETRO, "");
    EXPECT_EQ(ProgettoModificato, 0);
  }
  EXPECT_EQ(utente.messaggi.size(), 2u);
}

// Flows near the largest single-precision number: a sum or a drop overflows. Such a run must not
// pass for a result (an infinite drop read as 0 looks plausible): it is refused like a damaged
// network and the network keeps what it held before.
TEST_F(Calcolo, ARunThatOverflowsIsRefusedAndLeavesTheNetworkAsItWas) {
  struct Caso {
    const char* nome;
    int16_t inPressione;
    void (*costruisci)();
  } casi[] = {
      {"somma delle portate", 0, [] {
         AggiungiProva(0, 5.0f);
         AggiungiProva(1, 5.0f, 2e38f);
         AggiungiProva(1, 5.0f, 2e38f);
       }},
      {"perdita di un tronco", 0, [] { AggiungiProva(0, 5.0f, 1e38f); }},
      {"lunghezza equivalente", 0, [] {
         AggiungiProva(0, 3e38f, 1.0f);
         Tronco(1).ID_EQLENNOTA = 3e38f;
       }},
      {"rete in pressione", -1, [] {
         AggiungiProva(0, 5.0f);
         AggiungiProva(1, 5.0f, 2e38f);
         AggiungiProva(1, 5.0f, 2e38f);
       }},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    test::PreparaCalcolo();
    ReteInPressione = c.inPressione;
    PressioneIniziale = c.inPressione ? 200 : 2500;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
    c.costruisci();
    Tronco(1).ID_DIAMETRO = "1";
    Tronco(1).ID_PDC_TRONCO = 12.5f;
    Tronco(1).Collegato = -1;
    const TRete prima = [] {
      TRete r = Rete();
      r.Tronchi[1].Collegato = 0;
      return r;
    }();
    FakeInterazione locale;
    locale.Attendi("supera i valori rappresentabili: calcolo non eseguito");
    CalcolaRete();
    EXPECT_EQ(locale.messaggi.size(), 1u);
    EXPECT_EQ(Rete().NumTronchi, prima.NumTronchi);
    EXPECT_TRUE(Rete().Tronchi == prima.Tronchi);
    EXPECT_EQ(ProgettoModificato, 0);
    for (int16_t i = 1; i <= Rete().NumTronchi; ++i) EXPECT_EQ(Tronco(i).Collegato, 0) << i;
  }
  ReteInPressione = 0;
}

// Every page switch and redraw calculates again: a refusal is told when it comes, not again while
// nothing changed; an edit, a calculation that went through or a project read makes it news again.
TEST_F(Calcolo, ARefusalIsToldOnceUntilSomethingChanges) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1.0f);
  GasCorrente.Viscosita = 0;
  const std::string motivo = "viscosita' o massa volumica";
  utente.Attendi(motivo);
  CalcolaRete();
  EXPECT_TRUE(CalcoloRifiutato());
  for (int volte = 0; volte < 3; ++volte) CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_TRUE(CalcoloRifiutato());

  // The user changes a length: a new attempt, refused again.
  Tronco(2).ID_LEN = 7;
  utente.Attendi(motivo);
  CalcolaRete();
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 2u);

  // A calculation that goes through clears the refusal; the next one is told.
  test::PreparaCalcolo();
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 7.0f, 1.0f);
  CalcolaRete();
  EXPECT_FALSE(CalcoloRifiutato());
  GasCorrente.Viscosita = 0;
  utente.Attendi(motivo);
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 3u);

  // The same project read again is news too.
  DimenticaProgettoSalvato();
  utente.Attendi(motivo);
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 4u);
}

// Near the limit but without overflow the calculation gives its result as always.
TEST_F(Calcolo, LargeButFiniteFlowsAreStillCalculated) {
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 5.0f, 1e15f);
  CalcolaRete();
  EXPECT_EQ(Tronco(1).Collegato, -1);
  EXPECT_TRUE(std::isfinite(Tronco(2).ID_PDC_PERCORSO));
  EXPECT_GT(Tronco(2).ID_PDC_PERCORSO, 0.0f);
}

// The calculation marks the project only when it changes something the user entered, or when
// something entered differs from the project as last read or saved; a result that moves in its
// last digit is no change.
TEST_F(Calcolo, SegnaIlProgettoSoloPerUnaModificaDiCioCheLUtenteHaInserito) {
  struct Caso {
    const char* nome;
    void (*modifica)();
    int16_t atteso;
  } casi[] = {
      {"nessuna modifica", [] {}, 0},
      {"risultati diversi", [] { Tronco(2).ID_PDC_PERCORSO += 0.001f; Tronco(1).ID_DIAMETRO = std::string("2"); }, 0},
      {"lunghezza", [] { Tronco(2).ID_LEN = 7; }, -1},
      {"diametro fissato", [] { Tronco(1).ID_DIAMCUSTOM = -1; Tronco(1).ID_DIAMETRO = std::string("1"); }, -1},
      {"portata su un tronco intermedio", [] { Tronco(1).ID_P_UTENZE = 1; }, -1},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    test::PreparaCalcolo();
    AggiungiProva(0, 5.0f);
    AggiungiProva(1, 5.0f, 1.0f);
    CalcolaRete();
    RicordaProgettoSalvato();
    ProgettoModificato = 0;
    c.modifica();
    utente.PermettiTutti();
    CalcolaRete();
    EXPECT_EQ(ProgettoModificato, c.atteso);
  }
  DimenticaProgettoSalvato();
}

// ---- Utilities -------------------------------------------------------------------------------------------

TEST_F(Calcolo, SmallUtilities) {
  EXPECT_EQ(MinLong(70000, 5), 5);
  EXPECT_EQ(MinLong(-3, 2), -3);
  EXPECT_EQ(MinLong(40000, 50000), INT16_MAX);
  EXPECT_EQ(MinInteger(4, -2), -2);
  EXPECT_EQ(MaxVariant(3, 3), 3);
  EXPECT_EQ(MaxVariant(2.5, 1.0), 2.5);
  EXPECT_DOUBLE_EQ(Log10(1000.0), std::log(1000.0) / std::log(10.0));
  EXPECT_FALSE(IsNotControlChar(""));
  EXPECT_FALSE(IsNotControlChar("\rabc"));
  EXPECT_FALSE(IsNotControlChar("\b"));
  EXPECT_TRUE(IsNotControlChar("a\r"));
  EXPECT_EQ(RimuoviControlChars("a\rb\bc\n"), "abc\n");
  utente.Attendi("Attenzione", Risposta::Annulla);
  AvvisoOkAnnulla("Attenzione");
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OKAnnulla);
  EXPECT_EQ(utente.messaggi[0].icona, Icona::Esclamazione);
}

}  // namespace
}  // namespace varnex
