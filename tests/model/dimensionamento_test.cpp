#include "model/dimensionamento.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calcolo_prova.h"
#include "model/calcolo.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

using test::AggiungiProva;
using test::FakeInterazione;

class Dimensionamento : public ::testing::Test {
 protected:
  void SetUp() override { test::PreparaCalcolo(); }
  FakeInterazione utente;
};

// Flows, provisional equivalent lengths and path lengths: what the sizing starts from.
void Prepara() {
  CalcolaPortate(1);
  CalcolaLunghezzeEquivalenti(2);
  CalcolaLunghezzePercorso(1, 0);
}

// The first row of the steel series whose drop per metre fits `ammessa`.
std::string PrimaRigaAmmessa(float portata, float ammessa) {
  for (const auto& r : test::RigheAcciaio()) {
    if (PerditaUnitaria(r.interno / 1000.0f, portata) <= ammessa) return r.etichetta;
  }
  return test::RigheAcciaio().back().etichetta;
}

// ---- The sorted list --------------------------------------------------------------------------

TEST_F(Dimensionamento, ListKeepsLargestKeyFirstAndEqualKeysInArrivalOrder) {
  VList lista;
  EXPECT_EQ(lista.Count(), 0);
  EXPECT_EQ(lista.Item(1), 0);  // the empty list still has entry 1: no message
  EXPECT_TRUE(lista.IsVuoto(1));
  lista.Add(5, 2.0f);
  lista.Add(6, 3.0f);
  lista.Add(7, 2.0f);
  lista.Add(8, 3.0f);
  lista.Add(9, 1.0f);
  lista.Add(4, 2.0f);
  const int16_t valori[] = {6, 8, 5, 7, 4, 9};
  const float chiavi[] = {3, 3, 2, 2, 2, 1};
  ASSERT_EQ(lista.Count(), 6);
  for (int16_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(lista.Item(i), valori[i - 1]) << i;
    EXPECT_EQ(lista.Key(i), chiavi[i - 1]) << i;
  }
  lista.SortLista();
  EXPECT_EQ(lista.Item(3), 5);
  EXPECT_TRUE(utente.messaggi.empty());

  utente.Attendi("Sconfinamento lista");
  EXPECT_EQ(lista.Item(7), 0);
  utente.Attendi("Sconfinamento lista");
  EXPECT_EQ(lista.Key(7), 0.0f);
  EXPECT_EQ(utente.messaggi.size(), 2u);

  lista.Clear();
  EXPECT_EQ(lista.Count(), 0);
  EXPECT_EQ(lista.Item(1), 0);
  utente.Attendi("Sconfinamento lista");
  EXPECT_EQ(lista.Item(2), 0);
}

// ---- The list of appliance branches -----------------------------------------------------------

TEST_F(Dimensionamento, ListHoldsInnerSegmentsWhoseChildrenAreEndsKeyedByLongestPath) {
  AggiungiProva(0, 4.0f);           // 1
  AggiungiProva(1, 3.0f);           // 2: children 4 and 5, both ends
  AggiungiProva(1, 2.0f);           // 3: child 6, which has a child
  AggiungiProva(2, 5.0f, 1.0f);     // 4
  AggiungiProva(2, 7.0f, 1.0f);     // 5
  AggiungiProva(3, 1.0f);           // 6: child 7
  AggiungiProva(6, 9.0f, 1.0f);     // 7
  AggiungiProva(0, 2.0f);           // 8: detached, child 9
  AggiungiProva(8, 1.0f, 1.0f);     // 9
  Prepara();
  StatoDimensionamento[4].PerditaCumulata = 12.5f;
  StatoDimensionamento[4].PressioneUscita = 3.0f;
  StatoDimensionamento[4].Dimensionato = -1;
  CostruisciListaUtenze();
  ASSERT_EQ(ListaUtenze.Count(), 3);
  EXPECT_EQ(ListaUtenze.Item(1), 6);
  EXPECT_FLOAT_EQ(ListaUtenze.Key(1), 16.0f);  // 4 + 2 + 1 + 9
  EXPECT_EQ(ListaUtenze.Item(2), 2);
  EXPECT_FLOAT_EQ(ListaUtenze.Key(2), 14.0f);  // 4 + 3 + 7
  EXPECT_EQ(ListaUtenze.Item(3), 8);           // every slot is examined, detached ones too
  EXPECT_FLOAT_EQ(StatoDimensionamento[2].LunghezzaResidua, 14.0f);
  EXPECT_FLOAT_EQ(StatoDimensionamento[4].LunghezzaResidua, 5.0f);
  // Only the flag and the remaining length are reset.
  EXPECT_EQ(StatoDimensionamento[4].Dimensionato, 0);
  EXPECT_FLOAT_EQ(StatoDimensionamento[4].PerditaCumulata, 12.5f);
  EXPECT_FLOAT_EQ(StatoDimensionamento[4].PressioneUscita, 3.0f);
}

// ---- Paths ------------------------------------------------------------------------------------

// 1 (4 m) with two equal branches 2 -> 4 and 3 -> 5 (3 m, then 5 m with 1 Nm3/h).
void DueRamiUguali() {
  AggiungiProva(0, 4.0f);
  AggiungiProva(1, 3.0f);
  AggiungiProva(1, 3.0f);
  AggiungiProva(2, 5.0f, 1.0f);
  AggiungiProva(3, 5.0f, 1.0f);
}

TEST_F(Dimensionamento, EqualKeysAreSizedInSlotOrderAndTheLaterPathStopsAtTheSizedSegment) {
  DueRamiUguali();
  Prepara();
  CalcoloDiametri();
  ASSERT_EQ(ListaUtenze.Count(), 2);
  EXPECT_EQ(ListaUtenze.Item(1), 2);
  EXPECT_EQ(ListaUtenze.Item(2), 3);
  const auto& st = StatoDimensionamento;
  // Item 1 works on a copy of its key: its own remaining length stays the key.
  EXPECT_FLOAT_EQ(st[2].LunghezzaResidua, ListaUtenze.Key(1));
  // The later member lowers its own field: key - length of the sized segment 1 - its own length.
  EXPECT_FLOAT_EQ(st[3].LunghezzaResidua,
                  ListaUtenze.Key(2) - st[1].LunghezzaResidua - Tronco(3).ID_EQ_LEN);
  EXPECT_FLOAT_EQ(st[1].LunghezzaResidua, Tronco(1).ID_EQ_LEN);
  EXPECT_FLOAT_EQ(st[2].PerditaCumulata, st[1].PerditaCumulata + Tronco(2).ID_PDC_TRONCO);
  EXPECT_FLOAT_EQ(st[3].PerditaCumulata, st[1].PerditaCumulata + Tronco(3).ID_PDC_TRONCO);
  // Segment 3 shares what segment 1 left, over the key less segment 1's own length.
  const float ammessa = (100.0f - st[1].PerditaCumulata) / (ListaUtenze.Key(2) - Tronco(1).ID_EQ_LEN);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, PrimaRigaAmmessa(1.0f, ammessa));
  // The ends are sized last from their parent's remaining budget (the cumulative drop of an end
  // is not recorded).
  for (int16_t s = 1; s <= 5; ++s) EXPECT_EQ(st[s].Dimensionato, -1) << s;
  const float ammessa4 = (100.0f - st[2].PerditaCumulata) / 5.0f;
  EXPECT_EQ(Tronco(4).ID_DIAMETRO, PrimaRigaAmmessa(1.0f, ammessa4));
  EXPECT_FLOAT_EQ(st[4].PerditaCumulata, 0.0f);
}

TEST_F(Dimensionamento, ALongerLaterSlotComesFirst) {
  DueRamiUguali();
  Tronco(5).ID_LEN = 6.0f;
  Prepara();
  CalcoloDiametri();
  EXPECT_EQ(ListaUtenze.Item(1), 3);
  EXPECT_EQ(ListaUtenze.Item(2), 2);
}

TEST_F(Dimensionamento, AFixedDiameterIsKeptAndItsDropComputed) {
  AggiungiProva(0, 12.0f, 3.0f);
  Tronco(1).ID_DIAMCUSTOM = -1;
  Tronco(1).ID_DIAMETRO = "2";
  Tronco(1).ID_NCURVE = 2;
  CalcolaRete();
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "2");
  // 53 mm is class 2: two bends of 0.5 m.
  EXPECT_FLOAT_EQ(Tronco(1).ID_EQ_LEN, 13.0f);
  EXPECT_FLOAT_EQ(Tronco(1).ID_PDC_TRONCO, PerditaUnitaria(0.053f, 3.0f) * 13.0f);
  EXPECT_GT(Tronco(1).ID_PDC_TRONCO, 0.0f);
}

TEST_F(Dimensionamento, NoFlowLeavesNoLabelAndNoRowFittingTakesTheLast) {
  AggiungiProva(0, 10.0f);
  AggiungiProva(1, 10.0f, 0.0f);
  AggiungiProva(1, 10.0f, 400.0f);
  Tronco(2).ID_DIAMETRO = "1";
  Prepara();
  CalcoloDiametri();
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, "");
  EXPECT_EQ(Tronco(2).ID_PDC_TRONCO, 0.0f);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, "4");
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "4");
}

TEST_F(Dimensionamento, ARemainingLengthOfZeroLeavesTheSegmentAsItWas) {
  AggiungiProva(0, 10.0f, 1.0f);
  Prepara();
  Tronco(1).ID_DIAMETRO = "1";
  Tronco(1).ID_PDC_TRONCO = 12.0f;
  ScegliDiametro(1, 100.0f, 0.0f);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "1");
  EXPECT_FLOAT_EQ(Tronco(1).ID_PDC_TRONCO, 12.0f);
  EXPECT_EQ(StatoDimensionamento[1].Dimensionato, 0);
}

TEST_F(Dimensionamento, ABranchWithoutAnyLengthDoesNotStopTheSizing) {
  AggiungiProva(0, 0.0f);             // 1: no length at all
  AggiungiProva(1, 3.0f);             // 2
  AggiungiProva(1, 0.0f);             // 3: member whose whole path has no length
  AggiungiProva(2, 5.0f, 1.0f);       // 4
  AggiungiProva(3, 0.0f, 1.0f);       // 5
  CalcolaRete();  // ends
  EXPECT_EQ(StatoDimensionamento[3].Dimensionato, -1);

  // The sizing itself leaves both as they were: there is no length to share a drop over.
  Tronco(3).ID_DIAMETRO = "1";
  Tronco(5).ID_DIAMETRO = "3/4";
  Prepara();
  CalcoloDiametri();
  EXPECT_EQ(StatoDimensionamento[3].Dimensionato, -1);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, "1");
  EXPECT_EQ(Tronco(5).ID_DIAMETRO, "3/4");
  EXPECT_FALSE(Tronco(4).ID_DIAMETRO.empty());
}

TEST_F(Dimensionamento, ALaterMemberWithNothingLeftIsSizedOnItsSecondTurn) {
  // Member 3's path below the sized root is 0 m long: the first turn leaves it, the second
  // starts from a negative remaining length and takes the last row.
  AggiungiProva(0, 5.0f);
  AggiungiProva(1, 3.0f);
  AggiungiProva(1, 0.0f);
  AggiungiProva(2, 5.0f, 1.0f);
  AggiungiProva(3, 0.0f, 1.0f);
  Prepara();
  CalcoloDiametri();
  EXPECT_EQ(StatoDimensionamento[3].Dimensionato, -1);
  EXPECT_EQ(Tronco(3).ID_DIAMETRO, "4");
  EXPECT_FLOAT_EQ(StatoDimensionamento[3].LunghezzaResidua, -5.0f);
}

// ---- Optimisation -----------------------------------------------------------------------------

// Flows, lengths and drops of the rows the segments hold now.
void CalcolaConRigheAttuali() {
  CalcolaPortate(1);
  CalcolaLunghezzeEquivalenti(1);
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    TTronco& t = Tronco(s);
    t.ID_PDC_TRONCO = PerditaUnitaria(DiametroInterno(1, t.ID_DIAMETRO) / 1000.0f, t.ID_P_TRONCO) * t.ID_EQ_LEN;
  }
  CalcolaPressioni(1, 0);
}

TEST_F(Dimensionamento, OptimisationStepsDownOneRowPerPassWhileLargerThanTheChildren) {
  AggiungiProva(0, 10.0f);
  AggiungiProva(1, 10.0f, 1.0f);
  Tronco(1).ID_DIAMETRO = "1 1/2";
  Tronco(2).ID_DIAMETRO = "1/2";
  PDCMaxUtente = 1e6;
  CalcolaConRigheAttuali();
  const char* passi[] = {"1 1/4", "1", "3/4", "1/2"};
  for (const char* atteso : passi) {
    EXPECT_EQ(OttimizzaDiametri(1), 1);
    EXPECT_EQ(Tronco(1).ID_DIAMETRO, atteso);
  }
  // 16 mm is not larger than the child's 16 mm, and row 1 is the floor anyway.
  EXPECT_EQ(OttimizzaDiametri(1), 0);
  EXPECT_EQ(Tronco(2).ID_DIAMETRO, "1/2");
  EXPECT_FLOAT_EQ(Tronco(1).ID_PDC_TRONCO, PerditaUnitaria(0.016f, 1.0f) * 10.0f);
  EXPECT_FLOAT_EQ(Tronco(2).ID_PDC_PERCORSO, Tronco(1).ID_PDC_TRONCO + Tronco(2).ID_PDC_TRONCO);
}

TEST_F(Dimensionamento, OptimisationRevertsWhereTheLimitWouldBreak) {
  AggiungiProva(0, 10.0f);
  AggiungiProva(1, 10.0f, 3.0f);
  Tronco(1).ID_DIAMETRO = "1";
  Tronco(2).ID_DIAMETRO = "3/4";
  CalcolaConRigheAttuali();
  // Allow exactly what the network loses now: any step down breaks the limit.
  PDCMaxUtente = Tronco(2).ID_PDC_PERCORSO;
  const float prima = Tronco(1).ID_PDC_TRONCO;
  EXPECT_EQ(OttimizzaDiametri(1), 0);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "1");
  EXPECT_FLOAT_EQ(Tronco(1).ID_PDC_TRONCO, prima);
  EXPECT_FLOAT_EQ(Tronco(2).ID_PDC_PERCORSO, PDCMaxUtente);
}

TEST_F(Dimensionamento, OptimisationSkipsFixedDiameters) {
  AggiungiProva(0, 10.0f, 1.0f);
  Tronco(1).ID_DIAMETRO = "2";
  Tronco(1).ID_DIAMCUSTOM = -1;
  PDCMaxUtente = 1e6;
  CalcolaPortate(1);
  EXPECT_EQ(OttimizzaDiametri(1), 0);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "2");
}

TEST_F(Dimensionamento, AStaleDetachedDropDoesNotBlockTheOptimisation) {
  AggiungiProva(0, 10.0f, 1.0f);
  AggiungiProva(0, 10.0f);  // detached, with an old drop far above the limit
  Tronco(2).ID_PDC_PERCORSO = 1e6f;
  Tronco(1).ID_DIAMETRO = "3/4";
  PDCMaxUtente = 1000;
  CalcolaConRigheAttuali();
  EXPECT_EQ(OttimizzaDiametri(1), 1);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "1/2");
}

// ---- Rows without a usable inner diameter -----------------------------------------------------

// A calculation over series 1 holding rows of the test's choosing: the low-pressure one over the
// shared steel series, and the pressurised one over six steel rows with a 200 -> 150 kPa budget.
struct CalcoloSuRighe {
  const char* nome;
  std::vector<test::RigaProva> righe;
  size_t mezzo;          // a row the optimisation steps over
  void (*prepara)();     // the project around the series
  void (*costruisci)();  // a small network using the first row, inner rows and the last one
};

void PrintTo(const CalcoloSuRighe& c, std::ostream* os) { *os << c.nome; }

const CalcoloSuRighe BassaPressione{
    "BassaPressione", test::RigheAcciaio(), 4, [] { test::PreparaCalcolo(); }, [] {
      AggiungiProva(0, 5.0f);          // 1
      AggiungiProva(1, 10.0f, 0.5f);   // 2: a small appliance
      AggiungiProva(1, 8.0f);          // 3
      AggiungiProva(3, 15.0f, 6.0f);   // 4
      AggiungiProva(3, 4.0f, 400.0f);  // 5: more than the widest row carries within the limit
    }};

const CalcoloSuRighe InPressione{
    "InPressione",
    {{"1/2", 16.1f, 0}, {"3/4", 21.7f, 0}, {"1", 27.3f, 0}, {"1 1/4", 36.0f, 0}, {"1 1/2", 41.9f, 0}, {"2", 53.1f, 0}},
    3,
    [] {
      test::PreparaCalcolo();
      for (auto& f : LunghezzeEquivalenti)
        for (auto& c : f) c.fill(0.0f);
      GasCorrente = TGas{};
      GasCorrente.Nome = "Metano";
      GasCorrente.Densita = 0.6f;
      GasCorrente.Viscosita = 1.4e-5f;
      GasCorrente.MassaVolumica = 0.6f * 1.22566f;
      PressioneIniziale = 200;
      PressioneFinale = 150;
      VelocitaMaxImpostata = 15;
      ReteInPressione = -1;
    },
    [] {
      AggiungiProva(0, 50);
      AggiungiProva(1, 80, 5);    // 2: small enough for the smallest row
      AggiungiProva(1, 20);       // 3
      AggiungiProva(3, 10, 40);   // 4
      AggiungiProva(3, 30, 900);  // 5: more than the widest row carries within the limits
    }};

// Labels and drops of the calculation's network sized over series 1 holding `righe`.
std::vector<std::pair<std::string, float>> DimensionaCon(const CalcoloSuRighe& c,
                                                         const std::vector<test::RigaProva>& righe) {
  c.prepara();
  TSerieMateriale& serie = Materiali[1];
  for (size_t r = 1; r <= MaxDiametri; ++r) serie[r] = TMateriale{};
  serie[0].NumDiametri = static_cast<int16_t>(righe.size());
  for (size_t r = 0; r < righe.size(); ++r) {
    serie[r + 1].RifDiametro = righe[r].etichetta;
    serie[r + 1].DiamInterno = righe[r].interno;
  }
  c.costruisci();
  CalcolaRete();
  std::vector<std::pair<std::string, float>> esito;
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) esito.emplace_back(Tronco(s).ID_DIAMETRO, Tronco(s).ID_PDC_TRONCO);
  return esito;
}

class RigaSenzaDiametroInterno : public ::testing::TestWithParam<CalcoloSuRighe> {
 protected:
  FakeInterazione utente;
};

TEST_P(RigaSenzaDiametroInterno, IsNeverChosenAndChangesNoSizing) {
  const CalcoloSuRighe& c = GetParam();
  const auto atteso = DimensionaCon(c, c.righe);
  // First, middle and last place: the smallest row, a row the optimisation steps over, the row
  // taken when nothing fits.
  for (size_t posto : {size_t{0}, c.mezzo, c.righe.size()}) {
    for (float interno : {-1.8f, 0.0f, std::nanf("")}) {
      std::vector<test::RigaProva> righe = c.righe;
      righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(posto), test::RigaProva{"ROTTO", interno, 0});
      const auto esito = DimensionaCon(c, righe);
      ASSERT_EQ(esito.size(), atteso.size());
      for (size_t s = 0; s < esito.size(); ++s) {
        EXPECT_EQ(esito[s].first, atteso[s].first) << "posto " << posto << " interno " << interno << " tronco " << s + 1;
        EXPECT_EQ(esito[s].second, atteso[s].second) << "posto " << posto << " interno " << interno << " tronco " << s + 1;
      }
    }
  }
  EXPECT_TRUE(utente.messaggi.empty());
}

INSTANTIATE_TEST_SUITE_P(OgniCalcolo, RigaSenzaDiametroInterno, ::testing::Values(BassaPressione, InPressione),
                         [](const ::testing::TestParamInfo<CalcoloSuRighe>& info) { return std::string(info.param.nome); });

TEST_F(Dimensionamento, ASegmentFixedToARowWithoutInnerDiameterIsRefusedWithAMessage) {
  Materiali[1][2].DiamInterno = -1.8f;  // "3/4"
  AggiungiProva(0, 10.0f);
  AggiungiProva(1, 10.0f, 1.0f);
  Tronco(2).ID_DIAMCUSTOM = -1;
  Tronco(2).ID_DIAMETRO = "3/4";
  utente.Attendi("Tronco 2: diametro 3/4 della tubazione ACCIAIOT con diametro interno -1,8 mm");
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_NE(utente.messaggi[0].testo.find("calcolo non eseguito"), std::string::npos);
  // No result at all rather than a drop of 0 on that segment.
  EXPECT_EQ(Tronco(1).Collegato, 0);
  EXPECT_EQ(Tronco(2).Collegato, 0);

  // A removed segment holding such a row does not stop the calculation.
  Tronco(2).Eliminato = -1;
  Tronco(1).ID_LEFT = 0;
  EXPECT_EQ(DiametriNonUsabili(), "");
  Tronco(2).Eliminato = 0;
  Tronco(1).ID_LEFT = 2;

  // A fixed label the series does not hold, or none at all, has no inner diameter either.
  for (const char* etichetta : {"22x1", ""}) {
    Tronco(2).ID_DIAMETRO = etichetta;
    utente.Attendi(std::string("Tronco 2: diametro ") + (*etichetta ? etichetta : "(vuoto)") +
                   " non presente nella tubazione ACCIAIOT");
    const size_t prima = utente.messaggi.size();
    CalcolaRete();
    EXPECT_EQ(utente.messaggi.size(), prima + 1) << etichetta;
    EXPECT_EQ(Tronco(2).Collegato, 0) << etichetta;
  }
  Tronco(2).ID_DIAMETRO = "3/4";

  // "Auto" over a series whose rows are all unusable is refused the same way.
  Tronco(2).ID_DIAMCUSTOM = 0;
  for (int16_t r = 1; r <= Materiali[1][0].NumDiametri; ++r) Materiali[1][static_cast<size_t>(r)].DiamInterno = 0;
  utente.Attendi("Tronco 1: la tubazione ACCIAIOT non ha alcun diametro");
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 4u);
}

}  // namespace
}  // namespace varnex
