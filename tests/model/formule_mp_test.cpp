// Compressible-flow drop formulas of pressurised networks.
//
// The expected figures of the worked cases come from tools/formule_mp_riferimento.py, written from
// the formulas alone (with every single-precision rounding applied where the formulas round), not
// by running this code; it prints each of them to 17 digits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/formule_mp.h"
#include "model/gas.h"
#include "model/rete.h"

namespace varnex {
namespace {

// Natural gas at the project's usual 200 kPa / 150 kPa.
class FormuleMPTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gas_ = GasCorrente;
    pi_ = PressioneIniziale;
    pf_ = PressioneFinale;
    GasCorrente = TGas{};
    GasCorrente.Nome = "Metano";
    GasCorrente.Densita = 0.6f;
    GasCorrente.Viscosita = 1.4e-5f;
    GasCorrente.MassaVolumica = 0.6f * 1.22566f;
    PressioneIniziale = 200;
    PressioneFinale = 150;
  }
  void TearDown() override {
    GasCorrente = gas_;
    PressioneIniziale = pi_;
    PressioneFinale = pf_;
  }

 private:
  TGas gas_;
  double pi_ = 0;
  double pf_ = 0;
};

constexpr int16_t Acciaio = 1;
constexpr int16_t Rame = 2;
constexpr int16_t Plastica = 3;

double Log10(double x) { return std::log(x) / std::log(10.0); }

// Colebrook-White solved by fixed-point iteration until it no longer moves.
double ColebrookConvergente(double d, double re, double eps) {
  double l = 0.02;
  for (int i = 0; i < 500; ++i) {
    const double n = std::pow(-2.0 * Log10(eps / (3.71 * d) + 2.51 / (re * std::sqrt(l))), -2.0);
    if (std::fabs(n - l) < 1e-15) return n;
    l = n;
  }
  return l;
}

// One Colebrook-White evaluation from the estimate l1, all in single precision as the formula
// rounds it.
float UnaValutazione(float d, float re, float eps, float l1) {
  return static_cast<float>(std::pow(
      -2.0 * Log10(double(eps) / (3.71 * double(d)) + 2.51 / (double(re) * std::sqrt(double(l1)))), -2.0));
}

TEST_F(FormuleMPTest, SenzaPortataDiametroOViscositaLaPerditaEZero) {
  struct Caso {
    float d;
    float q;
    float viscosita;
  };
  const Caso casi[] = {{0.0217f, 0.0f, 1.4e-5f}, {0.0217f, -3.0f, 1.4e-5f}, {0.0f, 50.0f, 1.4e-5f},
                       {-0.01f, 50.0f, 1.4e-5f}, {0.0217f, 50.0f, 0.0f}};
  for (const Caso& c : casi) {
    GasCorrente.Viscosita = c.viscosita;
    EXPECT_EQ(PerditaMP(200, c.d, c.q, 100, Acciaio), 0.0f) << c.d << " " << c.q << " " << c.viscosita;
    EXPECT_EQ(PerditaUnitariaMP(c.d, c.q, 200, Acciaio), 0.0f) << c.d << " " << c.q << " " << c.viscosita;
  }
}

TEST_F(FormuleMPTest, EsempioSvoltoAcciaio) {
  // 50 Nm3/h from 200 kPa: drop per metre in the two smallest steel rows, and over 100 m in the
  // 21.7 mm row.
  EXPECT_NEAR(PerditaUnitariaMP(0.0161f, 50, 200, Acciaio), 1.3702499866485596, 1.4e-6);
  EXPECT_NEAR(PerditaUnitariaMP(0.0217f, 50, 200, Acciaio), 0.28396874666213989, 3e-7);
  EXPECT_NEAR(PerditaMP(200, 0.0217f, 50, 100, Acciaio), 29.478633880615234, 3e-5);
  EXPECT_NEAR(PerditaMP(200, 0.0531f, 50, 100, Acciaio), 0.27828788757324219, 3e-7);
}

TEST_F(FormuleMPTest, AcciaioPiuScabroDiRameEPlastica) {
  for (float re : {5e3f, 2e4f, 1e5f, 1e6f}) {
    for (float d : {0.0161f, 0.0531f, 0.2f}) {
      EXPECT_GT(FattoreAttrito(d, re, RugositaTipoFormula(Acciaio)), FattoreAttrito(d, re, RugositaTipoFormula(Rame)))
          << d << " " << re;
    }
  }
  EXPECT_GT(PerditaMP(200, 0.0217f, 50, 100, Acciaio), PerditaMP(200, 0.0217f, 50, 100, Rame));
  EXPECT_EQ(PerditaMP(200, 0.0217f, 50, 100, Rame), PerditaMP(200, 0.0217f, 50, 100, Plastica));
  EXPECT_EQ(RugositaTipoFormula(Acciaio), 0.00015f);
  EXPECT_EQ(RugositaTipoFormula(Rame), 0.00002f);
  EXPECT_EQ(RugositaTipoFormula(0), 0.00002f);
}

TEST_F(FormuleMPTest, FattoreAttritoEntroUnoPerCentoDiColebrookWhite) {
  for (double re : {4e3, 1e4, 3e4, 1e5, 3e5, 1e6, 1e7, 1e8}) {
    for (float eps : {0.00015f, 0.00002f}) {
      for (float d : {0.01f, 0.02f, 0.05f, 0.1f, 0.2f, 0.5f}) {
        const double esatto = ColebrookConvergente(d, static_cast<float>(re), eps);
        const float stimato = FattoreAttrito(d, static_cast<float>(re), eps);
        EXPECT_NEAR(stimato / esatto, 1.0, 0.01) << "Re " << re << " eps " << eps << " D " << d;
      }
    }
  }
}

TEST_F(FormuleMPTest, RamoCompletamenteScabro) {
  // Far into the rough zone the fully rough value (2 log10(3.71 D / eps))^-2 is the estimate
  // that enters the final evaluation.
  const float d = 0.02f;
  const float re = 2e6f;
  const float eps = 0.00015f;
  const float scabro = static_cast<float>(std::pow(2.0 * Log10(3.71 * double(d) / double(eps)), -2.0));
  EXPECT_FLOAT_EQ(FattoreAttrito(d, re, eps), UnaValutazione(d, re, eps, scabro));
}

TEST_F(FormuleMPTest, SecondaSogliaProvataConLaStimaAggiornata) {
  // Re 320000 in 50 mm steel: the first estimate lies above 200, the corrected one below it, so
  // the corrected estimate is kept and the fully rough value is not used.
  const float d = 0.05f;
  const float re = 320000.0f;
  const float eps = 0.00015f;
  const double rough = std::pow(2.0 * Log10(3.71 * double(d) / double(eps)), -2.0);
  const float corretto = static_cast<float>((1.0 + 8.0 * double(d) / (double(re) * double(eps))) * rough);
  ASSERT_LE(double(re) * eps * std::sqrt(double(corretto)) / d, 200.0);
  EXPECT_FLOAT_EQ(FattoreAttrito(d, re, eps), UnaValutazione(d, re, eps, corretto));
  EXPECT_NE(FattoreAttrito(d, re, eps), UnaValutazione(d, re, eps, static_cast<float>(rough)));
}

TEST_F(FormuleMPTest, ZonaIntermedia) {
  // Re 100000 in 50 mm steel: above 25 with the first estimate, below 200 with the corrected one.
  const float d = 0.05f;
  const float re = 1e5f;
  const float eps = 0.00015f;
  const float corretto = static_cast<float>((1.0 + 8.0 * double(d) / (double(re) * double(eps))) *
                                            std::pow(2.0 * Log10(3.71 * double(d) / double(eps)), -2.0));
  EXPECT_FLOAT_EQ(FattoreAttrito(d, re, eps), UnaValutazione(d, re, eps, corretto));
  EXPECT_NEAR(FattoreAttrito(d, re, eps), 0.027467386797070503, 1e-8);
}

TEST_F(FormuleMPTest, TuboLiscioSenzaCorrezione) {
  // Copper at a low Reynolds number stays below 25: the first estimate enters the evaluation.
  const float d = 0.02f;
  const float re = 1e4f;
  const float eps = 0.00002f;
  const float l0 = static_cast<float>(0.0032 + 0.221 * std::pow(double(re), -0.237));
  const float ls = static_cast<float>(std::pow(-2.0 * Log10(2.51 / (double(re) * std::sqrt(double(l0)))), -2.0));
  const float l1 = static_cast<float>(double(ls) + double(ls) * double(ls) * 0.17 * double(re) * double(eps) / double(d));
  ASSERT_LE(double(re) * eps * std::sqrt(double(l1)) / d, 25.0);
  EXPECT_FLOAT_EQ(FattoreAttrito(d, re, eps), UnaValutazione(d, re, eps, l1));
}

TEST_F(FormuleMPTest, PortataTroppoGrandeDaMenoUno) {
  EXPECT_EQ(PerditaMP(200, 0.0161f, 5000, 100, Acciaio), -1.0f);
  EXPECT_EQ(PerditaUnitariaMP(0.0161f, 50000, 200, Acciaio), -1.0f);
  // Large enough to fail only in the iteration, not in the start value.
  EXPECT_EQ(PerditaMP(200, 0.0217f, 900, 1, Acciaio), -1.0f);
}

TEST_F(FormuleMPTest, IterazioneConvergeAllaPrima) {
  // A small flow: the first outlet pressure already meets the test and is returned as it is.
  EXPECT_NEAR(PressioneFinaleIterata(200, 1, 0.0217f, 1, 301324.8125f, Acciaio), 301324.79681355285, 1e-6);
}

TEST_F(FormuleMPTest, IterazioneDopoCinquantaRestituisceIlMigliore) {
  // Near choking in a 1 m pipe the damped iteration oscillates: after 50 iterations the result is
  // the one closest to the estimate it was compared with, not the last (168657.62).
  const double r = PressioneFinaleIterata(200, 740, 0.0217f, 1, 234758.125f, Acciaio);
  EXPECT_NEAR(r, 167391.1742218147, 1e-4);
  EXPECT_NEAR(PerditaMP(200, 0.0217f, 740, 1, Acciaio), 133.93382263183594, 2e-4);
}

TEST_F(FormuleMPTest, IterazioneConvergeDopoPiuPassi) {
  EXPECT_NEAR(PressioneFinaleIterata(200, 120, 0.0217f, 1, 299742.375f, Acciaio), 299731.7503053933, 1e-6);
  EXPECT_NEAR(PressioneFinaleIterata(200, 50, 0.0217f, 100, 271886.09375f, Acciaio), 271846.36668828648, 1e-6);
}

TEST_F(FormuleMPTest, ConfiniEsattiDannoMenoUnoSenzaNaN) {
  // A start value of 0 (flow term equal to the squared inlet pressure) or an inlet at absolute
  // vacuum cannot be iterated on.
  EXPECT_EQ(PressioneFinaleIterata(200, 50, 0.0217f, 100, 0.0f, Acciaio), -1.0);
  EXPECT_EQ(PressioneFinaleIterata(-101.325f, 50, 0.0217f, 100, 1000.0f, Acciaio), -1.0);
  EXPECT_EQ(PerditaMP(-101.325f, 0.0217f, 50, 100, Acciaio), -1.0f);
  EXPECT_EQ(PerditaUnitariaMP(0.0217f, 50, -101.325f, Acciaio), -1.0f);
  EXPECT_EQ(PerditaMP(-150.0f, 0.0217f, 50, 100, Acciaio), -1.0f);
  // Right up to the capacity of the pipe every result is a number: a drop, or -1.
  for (float q = 600; q < 1000; q += 0.5f) {
    const float a = PerditaMP(200, 0.0217f, q, 1, Acciaio);
    const float b = PerditaUnitariaMP(0.0217f, q, 200, Acciaio);
    ASSERT_TRUE(std::isfinite(a) && (a == -1.0f || a >= 0.0f)) << q << " " << a;
    ASSERT_TRUE(std::isfinite(b) && (b == -1.0f || b >= 0.0f)) << q << " " << b;
  }
}

TEST_F(FormuleMPTest, PressioniDiProgettoSottoIlVuotoNonDannoNaN) {
  PressioneIniziale = -101.325;
  PressioneFinale = -101.325;
  EXPECT_EQ(PerditaMP(200, 0.0217f, 50, 100, Acciaio), -1.0f);
  EXPECT_EQ(PerditaUnitariaMP(0.0217f, 50, 200, Acciaio), -1.0f);
}

TEST_F(FormuleMPTest, IlReynoldsDellaPerditaUnitariaPassaDalTesto) {
  // With L = 1 the two functions differ only in the roundings of the unit drop (Reynolds number
  // read back from its 7-digit text, outlet pressure in single precision).
  const float unitaria = PerditaUnitariaMP(0.0217f, 50, 200, Acciaio);
  const float intera = PerditaMP(200, 0.0217f, 50, 1, Acciaio);
  EXPECT_NEAR(unitaria, intera, 0.02 * intera);
}

}  // namespace
}  // namespace varnex
