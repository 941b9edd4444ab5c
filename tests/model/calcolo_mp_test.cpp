// Calculation and sizing of pressurised networks.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/calcolo.h"
#include "model/calcolo_mp.h"
#include "model/dimensionamento.h"
#include "model/formule_mp.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "calcolo_prova.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

struct Riga {
  const char* etichetta;
  float interno;
};

// Steel series of the worked examples: smallest diameter first.
const Riga RigheAcciaio[] = {{"1/2", 16.1f}, {"3/4", 21.7f}, {"1", 27.3f}, {"1 1/4", 36.0f}, {"1 1/2", 41.9f}, {"2", 53.1f}};

class CalcoloMPTest : public ::testing::Test {
 protected:
  void SetUp() override {
    salvaMateriali_ = Materiali;
    salvaNumMateriali_ = NumMateriali;
    salvaSpeciali_ = LunghezzeEquivalenti;
    salvaGas_ = GasCorrente;
    salvaRete_ = Rete();
    salvaStato_ = StatoDimensionamento;
    salvaPi_ = PressioneIniziale;
    salvaPf_ = PressioneFinale;
    salvaV_ = VelocitaMaxImpostata;
    salvaPressione_ = ReteInPressione;

    for (auto& serie : Materiali) serie = TSerieMateriale{};
    // The name the segments of test::AggiungiProva carry: segments find their series by name.
    ImpostaSerie(1, "ACCIAIOT", 1, RigheAcciaio, std::size(RigheAcciaio));
    NumMateriali = 1;
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
    Rete() = TRete{};
    StatoDimensionamento = {};
  }

  void TearDown() override {
    Materiali = salvaMateriali_;
    NumMateriali = salvaNumMateriali_;
    LunghezzeEquivalenti = salvaSpeciali_;
    GasCorrente = salvaGas_;
    Rete() = salvaRete_;
    StatoDimensionamento = salvaStato_;
    PressioneIniziale = salvaPi_;
    PressioneFinale = salvaPf_;
    VelocitaMaxImpostata = salvaV_;
    ReteInPressione = salvaPressione_;
  }

  static void ImpostaSerie(int16_t indice, const char* nome, int16_t tipo, const Riga* righe, size_t n) {
    TSerieMateriale& serie = Materiali[static_cast<size_t>(indice)];
    serie[0].Nome = nome;
    serie[0].TipoFormula = tipo;
    serie[0].NumDiametri = static_cast<int16_t>(n);
    for (size_t r = 0; r < n; ++r) {
      serie[r + 1].RifDiametro = righe[r].etichetta;
      serie[r + 1].DiamInterno = righe[r].interno;
    }
  }

  // Adds segment `slot` (the next one) under `padre` with length and appliance flow (0 for an
  // inner segment).
  static TTronco& Aggiungi(int16_t slot, int16_t padre, float lunghezza, float utenza = 0) {
    EXPECT_EQ(test::AggiungiProva(padre, lunghezza, utenza), slot);
    return Tronco(slot);
  }

  // A fixed 1/2" first segment that loses more than the 50 kPa budget, above two derivations:
  // 2 -> 3 (50 Nm3/h) and 2 -> 4 -> 5 -> 6, 7 (1 Nm3/h each).
  static void ReteSenzaBudget() {
    TTronco& primo = Aggiungi(1, 0, 40);
    primo.ID_DIAMETRO = "1/2";
    primo.ID_DIAMCUSTOM = -1;
    Aggiungi(2, 1, 10);
    Aggiungi(3, 2, 10, 50);
    Aggiungi(4, 2, 10);
    Aggiungi(5, 4, 10);
    Aggiungi(6, 5, 5, 1);
    Aggiungi(7, 5, 5, 1);
  }

  // The drop shown belongs to the diameter shown: equivalent length of that row, drop of that row
  // at the segment's inlet pressure.
  static void VerificaCoerenza(int16_t s) {
    TTronco& t = Tronco(s);
    if (t.ID_PDC_TRONCO < 0) return;
    const float eq = t.ID_EQ_LEN;
    CalcolaLunghezzeEquivalentiMP(1, s);
    EXPECT_EQ(t.ID_EQ_LEN, eq) << "tronco " << s;
    t.ID_EQ_LEN = eq;
    const float d = DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
    EXPECT_EQ(t.ID_PDC_TRONCO, PerditaMP(t.PInizialeTronco, d / 1000.0f, t.ID_P_TRONCO, t.ID_EQ_LEN,
                                         Materiali[static_cast<size_t>(t.IndiceMateriale)][0].TipoFormula))
        << "tronco " << s;
  }

  test::FakeInterazione utente_;

 private:
  std::array<TSerieMateriale, MaxMateriali + 1> salvaMateriali_;
  int16_t salvaNumMateriali_ = 0;
  std::array<std::array<std::array<float, 5>, 4>, 11> salvaSpeciali_{};
  TGas salvaGas_;
  TRete salvaRete_;
  std::array<TDimensionamento, 201> salvaStato_{};
  double salvaPi_ = 0;
  double salvaPf_ = 0;
  float salvaV_ = 0;
  int16_t salvaPressione_ = 0;
};

double Velocita(float q, float dMm, float pFinale, float pIniziale) {
  return q * 1000.0 * 0.3537 / (double(dMm) * dMm) * 2 * 101.325 / (double(pFinale) + pIniziale + 202.65);
}

TEST_F(CalcoloMPTest, EsempioSvoltoUnTronco) {
  // One steel segment of 100 m carrying 50 Nm3/h from 200 kPa, 150 kPa minimum, 15 m/s: the
  // 16.1 mm row needs 1.37 kPa/m against 0.5 allowed; the 21.7 mm row needs 0.284 kPa/m, loses
  // 29.48 kPa over the 100 m and runs at 13.3 m/s.
  Aggiungi(1, 0, 100, 50);
  CalcolaRete();

  const TTronco& t = Tronco(1);
  EXPECT_EQ(t.Collegato, -1);
  EXPECT_FLOAT_EQ(t.ID_P_TRONCO, 50);
  EXPECT_EQ(t.ID_DIAMETRO, "3/4");
  EXPECT_FLOAT_EQ(t.ID_EQ_LEN, 100);
  EXPECT_FLOAT_EQ(t.PInizialeTronco, 200);
  EXPECT_NEAR(t.ID_PDC_TRONCO, 29.478634, 3e-4);
  EXPECT_NEAR(t.ID_PDC_PERCORSO, 29.478634, 3e-4);
  EXPECT_NEAR(t.ID_PFINALE, 170.521366, 3e-4);
  EXPECT_NEAR(t.ID_VELOCITA, 13.278459, 2e-4);
  EXPECT_FLOAT_EQ(t.ID_VELOCITA, static_cast<float>(Velocita(50, 21.7f, t.ID_PFINALE, 200)));
  EXPECT_FLOAT_EQ(Tronco(0).ID_PFINALE, 200);
  // Results alone are no change of what the user entered.
  EXPECT_EQ(ProgettoModificato, 0);
  VerificaCoerenza(1);
}

TEST_F(CalcoloMPTest, RigaScartataPerVelocita) {
  // At 10 m/s the 21.7 mm row (13.3 m/s) is passed over although its drop fits.
  VelocitaMaxImpostata = 10;
  Aggiungi(1, 0, 100, 50);
  CalcolaRete();
  const TTronco& t = Tronco(1);
  EXPECT_EQ(t.ID_DIAMETRO, "1");
  EXPECT_NEAR(t.ID_PDC_TRONCO, 8.563822, 1e-4);
  EXPECT_NEAR(t.ID_VELOCITA, 8.094256, 1e-4);
  VerificaCoerenza(1);
}

TEST_F(CalcoloMPTest, ContemporaneitaDelTroncoInterno) {
  // A 50 % segment above two appliances of 10 Nm3/h carries 10; its 100 % parent carries 20.
  Aggiungi(1, 0, 10);
  Aggiungi(2, 1, 10).ID_CONTEMP = 50;
  Aggiungi(3, 2, 5, 10).ID_CONTEMP = 30;  // an end segment always counts in full
  Aggiungi(4, 2, 5, 10);
  CalcolaRete();
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_TRONCO, 10);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 20);
  EXPECT_FLOAT_EQ(Tronco(3).ID_P_TRONCO, 10);
  EXPECT_EQ(Tronco(3).ID_CONTEMP, 100);
  EXPECT_EQ(Tronco(2).ID_CONTEMP, 50);
  for (int16_t s = 1; s <= 4; ++s) {
    EXPECT_GE(Tronco(s).ID_PDC_TRONCO, 0) << s;
    VerificaCoerenza(s);
  }
}

TEST_F(CalcoloMPTest, CatenaPassaPressioneEBudget) {
  // Two segments in a row: the second starts at the end pressure of the first and the whole
  // drop stays within the 50 kPa budget.
  Aggiungi(1, 0, 60);
  Aggiungi(2, 1, 40, 40);
  CalcolaRete();
  const TTronco& a = Tronco(1);
  const TTronco& b = Tronco(2);
  EXPECT_FLOAT_EQ(a.PInizialeTronco, 200);
  EXPECT_FLOAT_EQ(b.PInizialeTronco, a.ID_PFINALE);
  EXPECT_NEAR(b.ID_PFINALE, 200 - a.ID_PDC_TRONCO - b.ID_PDC_TRONCO, 1e-3);
  EXPECT_GE(b.ID_PFINALE, 150);
  EXPECT_NEAR(b.ID_PDC_PERCORSO, a.ID_PDC_TRONCO + b.ID_PDC_TRONCO, 1e-3);
  // The first segment is sized on the whole path: 50 kPa over 100 m.
  const float c = 50.0f / 100.0f;
  int16_t attesa = 0;
  for (int16_t r = 1; r <= 6 && attesa == 0; ++r) {
    const float d = Materiali[1][static_cast<size_t>(r)].DiamInterno;
    const float t = PerditaUnitariaMP(d / 1000.0f, 40, 200, 1);
    if (t < 0 || t > c) continue;
    const float p = PerditaMP(200, d / 1000.0f, 40, 60, 1);
    if (p >= 0 && Velocita(40, d, 200 - p, 200) <= 15 && p / 60.0f <= c) attesa = r;
  }
  ASSERT_NE(attesa, 0);
  EXPECT_EQ(a.ID_DIAMETRO, Materiali[1][static_cast<size_t>(attesa)].RifDiametro);
  VerificaCoerenza(1);
  VerificaCoerenza(2);
}

TEST_F(CalcoloMPTest, BudgetNegativoMarcaEntrambeLeDerivazioni) {
  // A fixed 1/2" first segment loses more than the 50 kPa budget: every segment below fails,
  // on both derivations, with drop -1 and end pressure -1.
  ReteSenzaBudget();
  CalcolaRete();
  EXPECT_GT(Tronco(1).ID_PDC_TRONCO, 50);
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "1/2");
  EXPECT_NEAR(Tronco(1).ID_PFINALE, 200 - Tronco(1).ID_PDC_TRONCO, 1e-3);
  for (int16_t s = 2; s <= 7; ++s) {
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, -1) << s;
    EXPECT_EQ(Tronco(s).ID_PFINALE, -1) << s;
    EXPECT_EQ(Tronco(s).ID_PDC_PERCORSO, -1) << s;
  }
}

TEST_F(CalcoloMPTest, PerditaImpossibileMarcaIlSottoalbero) {
  // A fixed 1/2" pipe cannot carry 5000 Nm3/h at all: the segment itself and its subtree fail.
  TTronco& primo = Aggiungi(1, 0, 10);
  primo.ID_DIAMETRO = "1/2";
  primo.ID_DIAMCUSTOM = -1;
  Aggiungi(2, 1, 10, 2500);
  Aggiungi(3, 1, 10, 2500);
  CalcolaRete();
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, -1) << s;
    EXPECT_EQ(Tronco(s).ID_PFINALE, -1) << s;
  }
  EXPECT_EQ(Tronco(1).ID_DIAMETRO, "1/2");
}

TEST_F(CalcoloMPTest, NessunaRigaBastaPrendeLUltimaConLaSuaLunghezza) {
  // A series listed from the widest row down: the 53.1 mm row fits the drop but not the
  // velocity limit, the 16.1 mm row fits neither. The last row is kept, with the equivalent
  // length and drop of that row (class 1 bends), not of the 53.1 mm row tried before it.
  const Riga rovescia[] = {{"2", 53.1f}, {"1/2", 16.1f}};
  ImpostaSerie(1, "ACCIAIOT", 1, rovescia, 2);
  LunghezzeEquivalenti[1][1][1] = 0.5f;
  LunghezzeEquivalenti[1][1][2] = 1.5f;
  LunghezzeEquivalenti[1][1][3] = 3.0f;
  VelocitaMaxImpostata = 1;
  TTronco& t = Aggiungi(1, 0, 100, 50);
  t.ID_NCURVE = 4;
  CalcolaRete();
  EXPECT_EQ(t.ID_DIAMETRO, "1/2");
  EXPECT_FLOAT_EQ(t.ID_EQ_LEN, 102);
  EXPECT_EQ(t.ID_PDC_TRONCO, PerditaMP(200, 16.1f / 1000.0f, 50, 102, 1));
  VerificaCoerenza(1);
}

TEST_F(CalcoloMPTest, LunghezzeEquivalentiConDieciRaccordi) {
  // Column 1 of the fittings table, by pressurised diameter class, summed with the lengths.
  for (int16_t f = 1; f <= 10; ++f) {
    LunghezzeEquivalenti[f][1][1] = 0.1f * f;
    LunghezzeEquivalenti[f][1][2] = 1.0f * f;
    LunghezzeEquivalenti[f][1][3] = 10.0f * f;
    LunghezzeEquivalenti[f][2][3] = 1000.0f;  // other columns are not read
  }
  TTronco& t = Aggiungi(1, 0, 7);
  t.ID_NCURVE = 1;
  t.ID_NRACCORDI = 1;
  t.ID_NGOMITI = 1;
  t.ID_NRUBINETTI = 1;
  t.ID_SPC5 = 1;
  t.ID_SPC6 = 1;
  t.ID_SPC7 = 1;
  t.ID_SPC8 = 1;
  t.ID_SPC9 = 1;
  t.ID_SPC10 = 2;
  t.ID_EQLENNOTA = 0.5f;
  CalcolaLunghezzeEquivalentiMP(2);  // provisional 200 mm: class 3
  EXPECT_FLOAT_EQ(t.ID_EQ_LEN, 7 + 10 * (1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 2 * 10) + 0.5f);
  t.ID_DIAMETRO = "2";  // 53.1 mm: class 2
  CalcolaLunghezzeEquivalentiMP(1, 1);
  EXPECT_FLOAT_EQ(t.ID_EQ_LEN, 7 + 1 * 65 + 0.5f);
  t.ID_DIAMETRO = "1 1/2";  // 41.9 mm: class 1
  CalcolaLunghezzeEquivalentiMP(1);
  EXPECT_NEAR(t.ID_EQ_LEN, 7 + 0.1 * 65 + 0.5, 1e-5);
}

TEST_F(CalcoloMPTest, DiametroFissatoTenutoEConPerdita) {
  TTronco& t = Aggiungi(1, 0, 100, 50);
  t.ID_DIAMETRO = "2";
  t.ID_DIAMCUSTOM = -1;
  CalcolaRete();
  EXPECT_EQ(t.ID_DIAMETRO, "2");
  EXPECT_NEAR(t.ID_PDC_TRONCO, 0.2782879, 1e-5);
  VerificaCoerenza(1);
}

TEST_F(CalcoloMPTest, DueRamiDimensionatiPercorsoPerPercorso) {
  // Two appliance branches: the longer one is sized first over the whole path; the other
  // shares only the budget left after the common segment.
  Aggiungi(1, 0, 50);
  Aggiungi(2, 1, 80);
  Aggiungi(3, 2, 10, 20);
  Aggiungi(4, 2, 10, 20);
  Aggiungi(5, 1, 20);
  Aggiungi(6, 5, 5, 10);
  CalcolaRete();
  for (int16_t s = 1; s <= 6; ++s) {
    EXPECT_GE(Tronco(s).ID_PDC_TRONCO, 0) << s;
    EXPECT_EQ(StatoDimensionamento[static_cast<size_t>(s)].Dimensionato, -1) << s;
    VerificaCoerenza(s);
  }
  EXPECT_FLOAT_EQ(Tronco(5).PInizialeTronco, Tronco(1).ID_PFINALE);
  EXPECT_FLOAT_EQ(Tronco(2).PInizialeTronco, Tronco(1).ID_PFINALE);
  EXPECT_FLOAT_EQ(Tronco(6).PInizialeTronco, Tronco(5).ID_PFINALE);
  EXPECT_FLOAT_EQ(StatoDimensionamento[5].PressioneUscita, Tronco(5).ID_PFINALE);
  EXPECT_GE(Tronco(3).ID_PFINALE, 150);
  EXPECT_GE(Tronco(6).ID_PFINALE, 150);
  // Each segment is sized on the longest path through it (paths are sized longest first): it may
  // lose, per metre, the budget left at its inlet over the length still ahead of it on that path,
  // and it gets the narrowest row of the series that stays within that; the row below does not.
  // Every segment taking the widest row would keep within its share and fail the second part.
  const float restante[] = {0, 50 + 80 + 10, 80 + 10, 10, 10, 20 + 5, 5};
  for (int16_t s = 1; s <= 6; ++s) {
    SCOPED_TRACE("segment " + std::to_string(s));
    const TTronco& t = Tronco(s);
    const float consentita = (t.PInizialeTronco - 150.0f) / restante[s];
    size_t riga = std::size(RigheAcciaio);
    for (size_t r = 0; r < std::size(RigheAcciaio); ++r)
      if (t.ID_DIAMETRO == RigheAcciaio[r].etichetta) riga = r;
    ASSERT_LT(riga, std::size(RigheAcciaio)) << "no diameter of the series: " << t.ID_DIAMETRO;
    const auto perMetro = [&](size_t r) {
      return PerditaMP(t.PInizialeTronco, RigheAcciaio[r].interno / 1000.0f, t.ID_P_TRONCO, t.ID_EQ_LEN, 1) / t.ID_EQ_LEN;
    };
    EXPECT_LE(perMetro(riga), consentita) << t.ID_DIAMETRO;
    if (riga > 0) {
      EXPECT_GT(perMetro(riga - 1), consentita) << "the narrower " << RigheAcciaio[riga - 1].etichetta << " fits";
    }
  }
}

// The whole calculation against tools/calcolo_mp_riferimento.py, written from the formulas alone:
// every segment's diameter, drop, end pressure and velocity, as its lines print them.
TEST_F(CalcoloMPTest, OgniTroncoComeIlRiferimento) {
  struct ReteProva {
    const char* nome;
    std::vector<std::array<float, 3>> tronchi;  // parent, length, appliance flow
  };
  const ReteProva reti[] = {
      {"DueRami", {{0, 50, 0}, {1, 80, 0}, {2, 10, 20}, {2, 10, 20}, {1, 20, 0}, {5, 5, 10}}},
      {"Catena", {{0, 30, 0}, {1, 40, 0}, {2, 60, 0}, {3, 15, 35}, {2, 8, 4}}},
      {"Lunga", {{0, 600, 0}, {1, 900, 0}, {2, 400, 14}, {2, 300, 9}, {1, 700, 0}, {5, 500, 8}}},
  };
  struct Atteso {
    const char* rete;
    int16_t tronco;
    const char* diametro;
    float pdc, pfinale, velocita;
  };
  const Atteso attesi[] = {
    {"DueRami", 1, "3/4", 14.3632574f, 185.636749f, 12.9372835f},
    {"DueRami", 2, "3/4", 15.6281672f, 170.008575f, 10.9058161f},
    {"DueRami", 3, "1/2", 2.48732901f, 167.52124f, 10.2381516f},
    {"DueRami", 4, "1/2", 2.48732901f, 167.52124f, 10.2381516f},
    {"DueRami", 5, "1/2", 1.22508371f, 184.411652f, 4.82840776f},
    {"DueRami", 6, "1/2", 0.307459116f, 184.104202f, 4.84136295f},
    {"Catena", 1, "3/4", 5.21256018f, 194.787445f, 9.93652058f},
    {"Catena", 2, "3/4", 7.09576035f, 187.691681f, 10.1455374f},
    {"Catena", 3, "3/4", 8.85508156f, 178.836594f, 9.36013031f},
    {"Catena", 4, "3/4", 2.25930834f, 176.577286f, 9.54654694f},
    {"Catena", 5, "1/2", 0.0854634792f, 187.606216f, 1.91382051f},
    {"Lunga", 1, "1 1/4", 4.87719011f, 195.122803f, 2.86815238f},
    {"Lunga", 2, "1", 17.6834965f, 177.439316f, 3.84553003f},
    {"Lunga", 3, "3/4", 10.405858f, 167.033447f, 3.89498186f},
    {"Lunga", 4, "1/2", 15.8760252f, 161.563293f, 4.59464073f},
    {"Lunga", 5, "3/4", 5.91320658f, 189.20961f, 2.07456517f},
    {"Lunga", 6, "1/2", 20.4221649f, 168.787445f, 3.94575715f},
  };
  for (const ReteProva& r : reti) {
    SCOPED_TRACE(r.nome);
    Rete() = TRete{};
    StatoDimensionamento = {};
    for (const auto& t : r.tronchi) test::AggiungiProva(static_cast<int16_t>(t[0]), t[1], t[2]);
    CalcolaRete();
    int confrontati = 0;
    for (const Atteso& a : attesi) {
      if (std::string(a.rete) != r.nome) continue;
      SCOPED_TRACE("segment " + std::to_string(a.tronco));
      const TTronco& t = Tronco(a.tronco);
      EXPECT_EQ(t.ID_DIAMETRO, a.diametro);
      EXPECT_EQ(t.ID_PDC_TRONCO, a.pdc);
      EXPECT_EQ(t.ID_PFINALE, a.pfinale);
      EXPECT_EQ(t.ID_VELOCITA, a.velocita);
      ++confrontati;
    }
    EXPECT_EQ(confrontati, Rete().NumTronchi);
  }
}

TEST_F(CalcoloMPTest, LunghezzeNulleNonBloccanoIlDimensionamento) {
  // No length anywhere: every remaining length is 0, no path can size anything, and the
  // calculation still ends.
  Aggiungi(1, 0, 0);
  Aggiungi(2, 1, 0);
  Aggiungi(3, 2, 0, 5);
  Aggiungi(4, 2, 0, 5);
  Aggiungi(5, 1, 0);
  Aggiungi(6, 5, 0, 5);
  Aggiungi(7, 5, 0, 5);
  CalcolaRete();
  for (int16_t s = 1; s <= 7; ++s) {
    EXPECT_EQ(Tronco(s).Collegato, -1);
    EXPECT_TRUE(std::isfinite(Tronco(s).ID_PDC_TRONCO));
  }
}

TEST_F(CalcoloMPTest, PressioneDIngressoNegativaNonBloccaIlDimensionamento) {
  // With a negative minimum the budget stays positive while the pressure after the fixed first
  // segment falls below 0: the second branch's head can never be sized, yet the sizing ends and
  // everything below the first segment fails.
  PressioneIniziale = 20;
  PressioneFinale = -100;
  TTronco& primo = Aggiungi(1, 0, 100);
  primo.ID_DIAMETRO = "1";
  primo.ID_DIAMCUSTOM = -1;
  Aggiungi(2, 1, 100);
  Aggiungi(3, 2, 50, 15);
  Aggiungi(4, 2, 50, 15);
  Aggiungi(5, 1, 10);
  Aggiungi(6, 5, 5, 10);
  Aggiungi(7, 5, 5, 10);
  CalcolaRete();
  ASSERT_GE(Tronco(1).ID_PDC_TRONCO, 0);
  ASSERT_LT(Tronco(1).ID_PFINALE, 0);
  for (int16_t s = 2; s <= 7; ++s) {
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, -1) << s;
    EXPECT_EQ(Tronco(s).ID_PFINALE, -1) << s;
  }
}

TEST_F(CalcoloMPTest, PortataSuTroncoInternoCancellataConMessaggio) {
  Aggiungi(1, 0, 10, 7);
  Aggiungi(2, 1, 10, 3);
  utente_.Attendi("Portata nel tronco 1 non compatibile");
  CalcolaRete();
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_UTENZE, 0);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 3);
  EXPECT_TRUE(utente_.messaggi.size() == 1);
}

TEST_F(CalcoloMPTest, GasSenzaViscositaRifiutato) {
  GasCorrente.Viscosita = 0;
  TTronco& t = Aggiungi(1, 0, 100, 50);
  t.ID_PDC_TRONCO = 12345;
  utente_.Attendi("viscosita'");
  CalcolaRete();
  EXPECT_EQ(utente_.messaggi.size(), 1u);
  EXPECT_EQ(t.ID_PDC_TRONCO, 12345);
  EXPECT_TRUE(t.ID_DIAMETRO.empty());
}

TEST_F(CalcoloMPTest, VelocitaSenzaDiametroEZero) {
  TTronco& t = Aggiungi(1, 0, 10, 5);
  t.ID_DIAMETRO = "";
  EXPECT_EQ(CalcolaVelocitaMP(1), 0);
  t.ID_DIAMETRO = "3/4";
  t.ID_P_TRONCO = 5;
  t.PInizialeTronco = 100;
  t.ID_PFINALE = 90;
  EXPECT_FLOAT_EQ(CalcolaVelocitaMP(1), static_cast<float>(Velocita(5, 21.7f, 90, 100)));
  // Leftovers below absolute vacuum give no velocity rather than a division by zero.
  t.PInizialeTronco = -100;
  t.ID_PFINALE = -150;
  EXPECT_EQ(CalcolaVelocitaMP(1), 0);
}

TEST_F(CalcoloMPTest, TroncoGuastoSenzaVelocitaNeDiametroDelCalcoloPrima) {
  // The pressure budget is spent by a fixed 1/2" first segment: everything below fails. A failed
  // segment has no pressures, so no velocity; and nothing it shows may depend on what an earlier
  // calculation (or the file it was read from) left behind. Valid segments keep their results.
  auto costruisci = [&] {
    Rete() = TRete{};
    StatoDimensionamento = {};
    ReteSenzaBudget();
  };
  costruisci();
  CalcolaRete();
  std::vector<TTronco> primo(Rete().Tronchi.begin(), Rete().Tronchi.begin() + 8);
  ASSERT_GT(Tronco(1).ID_VELOCITA, 0);
  for (int16_t s = 2; s <= 7; ++s) {
    ASSERT_EQ(Tronco(s).ID_PDC_TRONCO, -1) << s;
    EXPECT_EQ(Tronco(s).ID_VELOCITA, 0) << s;
  }
  // Again on the same network, and on a new copy whose pressures hold what a reading leaves.
  CalcolaRete();
  for (int16_t s = 1; s <= 7; ++s) {
    EXPECT_EQ(Tronco(s).ID_VELOCITA, primo[static_cast<size_t>(s)].ID_VELOCITA) << s;
    EXPECT_EQ(Tronco(s).ID_DIAMETRO, primo[static_cast<size_t>(s)].ID_DIAMETRO) << s;
  }
  const std::vector<std::string> diametri = [&] {
    std::vector<std::string> d;
    for (int16_t s = 1; s <= 7; ++s) d.push_back(Tronco(s).ID_DIAMETRO);
    return d;
  }();
  costruisci();
  for (int16_t s = 1; s <= 7; ++s) Tronco(s).ID_DIAMETRO = diametri[static_cast<size_t>(s - 1)];
  CalcolaRete();
  for (int16_t s = 1; s <= 7; ++s) {
    EXPECT_EQ(Tronco(s).ID_VELOCITA, primo[static_cast<size_t>(s)].ID_VELOCITA) << s;
    EXPECT_EQ(Tronco(s).ID_DIAMETRO, primo[static_cast<size_t>(s)].ID_DIAMETRO) << s;
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, primo[static_cast<size_t>(s)].ID_PDC_TRONCO) << s;
  }
}

TEST_F(CalcoloMPTest, PropagaGuastiScendeSoloSottoIlGuasto) {
  Aggiungi(1, 0, 10);
  Aggiungi(2, 1, 10);
  Aggiungi(3, 1, 10);
  Aggiungi(4, 2, 10);
  Aggiungi(5, 2, 10);
  for (int16_t s = 1; s <= 5; ++s) {
    Tronco(s).ID_PDC_TRONCO = 1;
    Tronco(s).ID_PFINALE = 100;
  }
  Tronco(2).ID_PDC_TRONCO = -1;
  PropagaGuasti(1);
  EXPECT_EQ(Tronco(1).ID_PFINALE, 100);
  EXPECT_EQ(Tronco(3).ID_PFINALE, 100);
  EXPECT_EQ(Tronco(3).ID_PDC_TRONCO, 1);
  for (int16_t s : {2, 4, 5}) {
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, -1) << s;
    EXPECT_EQ(Tronco(s).ID_PFINALE, -1) << s;
  }
}

TEST_F(CalcoloMPTest, TroncoFissatoSuRigaSenzaDiametroInternoRifiutato) {
  Materiali[1][6].DiamInterno = -1.8f;  // "2"
  TTronco& t = Aggiungi(1, 0, 100, 50);
  t.ID_DIAMETRO = "2";
  t.ID_DIAMCUSTOM = -1;
  utente_.Attendi("Tronco 1: diametro 2 della tubazione ACCIAIOT con diametro interno -1,8 mm");
  CalcolaRete();
  EXPECT_EQ(utente_.messaggi.size(), 1u);
  EXPECT_EQ(t.Collegato, 0);
}

}  // namespace
}  // namespace varnex
