#include "model/formule_mp.h"

#include <cmath>

#include "model/calcolo.h"
#include "model/gas.h"
#include "model/numbers.h"
#include "model/rete.h"

namespace varnex {

namespace {

constexpr double PressioneNormale = 101325.0;         // Pa
constexpr double DoppiaPressioneNormale = 202650.0;   // Pa
// 900 pi, written to different precision in the two places that use it: the drop functions
// and the iteration must keep their own value or the rows chosen would shift.
constexpr double NovecentoPiDrop = 2827.4328;
constexpr double NovecentoPiIterazione = 2827.433388;
constexpr double PiGreco = 3.141592;
// 16 x 101325 / (3600^2 pi^2), to ten digits.
constexpr double CostanteFlusso = 0.01267452955;
constexpr double Tolleranza = 0.0001;
constexpr int MaxIterazioni = 50;

// x^-2.
double MenoDue(double x) { return 1.0 / (x * x); }

double Assoluta(float kPa) { return 1000.0 * static_cast<double>(kPa) + PressioneNormale; }

// Reynolds number at the mean of the project's two pressures, as the drop functions take it;
// -1 when those pressures lie at or below absolute vacuum and the correction means nothing.
double ReynoldsProgetto(float d, float q) {
  const double media = 1000.0 * PressioneIniziale + DoppiaPressioneNormale + 1000.0 * PressioneFinale;
  if (media <= 0) return -1;
  const double nuMedia = static_cast<double>(GasCorrente.Viscosita) * DoppiaPressioneNormale / media;
  return static_cast<double>(q) / (static_cast<double>(d) * NovecentoPiDrop * nuMedia) *
         DoppiaPressioneNormale / media;
}

// Flow term of the whole segment at the friction factor lambda, Pa^2.
double TermineFlusso(float d, float q, float l, float lambda) {
  const double dd = d;
  const double qq = q;
  return PressioneNormale * static_cast<double>(GasCorrente.MassaVolumica) * static_cast<double>(l) *
         static_cast<double>(lambda) * qq * qq / (PiGreco * PiGreco * 810000.0 * std::pow(dd, 5));
}

bool SenzaDati(float d, float q) { return d <= 0 || q <= 0 || GasCorrente.Viscosita <= 0; }

}  // namespace

float RugositaTipoFormula(int16_t tipoFormula) { return tipoFormula == 1 ? 0.00015f : 0.00002f; }

float FattoreAttrito(float d, float reynolds, float rugosita) {
  // Without a pipe or a flow the estimate has no meaning (a power of 0, a log of infinity):
  // no friction rather than a NaN that would spread through the network.
  if (d <= 0 || reynolds <= 0) return 0.0f;
  const double D = d;
  const double re = reynolds;
  const double eps = rugosita;

  const float l0 = static_cast<float>(0.0032 + 0.221 * std::pow(re, -0.237));
  const float ls = static_cast<float>(MenoDue(-2.0 * Log10(2.51 / (re * std::sqrt(static_cast<double>(l0))))));
  float l1 = static_cast<float>(static_cast<double>(ls) + static_cast<double>(ls) * static_cast<double>(ls) * 0.17 * re * eps / D);
  if (re * eps * std::sqrt(static_cast<double>(l1)) / D > 25) {
    const double scabro = MenoDue(2.0 * Log10(3.71 * D / eps));
    l1 = static_cast<float>((1.0 + 8.0 * D / (re * eps)) * scabro);
    // Tested again with the estimate just computed: far into the rough zone the fully rough
    // value is the better start.
    if (re * eps * std::sqrt(static_cast<double>(l1)) / D > 200) l1 = static_cast<float>(scabro);
  }
  return static_cast<float>(MenoDue(-2.0 * Log10(eps / (3.71 * D) + 2.51 / (re * std::sqrt(static_cast<double>(l1))))));
}

double PressioneFinaleIterata(float p1, float q, float d, float l, float stima0, int16_t tipoFormula) {
  const double pa1 = Assoluta(p1);
  // A zero estimate or an inlet below absolute vacuum leaves nothing to iterate on (the
  // logarithm and the lag ratio would divide by zero): the pipe cannot carry the flow.
  if (stima0 <= 0 || pa1 <= 0 || d <= 0) return -1;
  const double a = pa1 * pa1;
  const float eps = RugositaTipoFormula(tipoFormula);
  const double nu = GasCorrente.Viscosita;
  const double rho = GasCorrente.MassaVolumica;
  const double dd = d;
  const double qq = q;
  const double fattoreFlusso = CostanteFlusso * rho * qq * qq / std::pow(dd, 4);

  double e = stima0;   // estimate of the outlet pressure, Pa absolute
  double j = 0;        // last result
  double migliore = 0; // best result so far
  double scarto = 99999;
  int i = 0;
  for (;;) {
    const double nuMedia = nu * DoppiaPressioneNormale / (pa1 + e);
    const double re = qq / (dd * NovecentoPiIterazione * nuMedia) * DoppiaPressioneNormale / (pa1 + e);
    const float lambda = FattoreAttrito(d, static_cast<float>(re), eps);
    double g;
    double precedente = 0;
    if (i == 0) {
      g = std::log(pa1 / (0.99 * e));
    } else {
      precedente = j;
      // Damped with the result of two iterations before, so the estimate does not oscillate.
      g = std::log(pa1 / (e * std::pow(e / precedente, 0.1)));
    }
    const double s = fattoreFlusso * (static_cast<double>(lambda) * static_cast<double>(l) / dd + 2.0 * g);
    // An outlet pressure of exactly 0 would make the next ratio divide by zero: the flow term
    // reaching the squared inlet pressure already means the pipe cannot carry the flow.
    if (s >= a || !std::isfinite(s)) return -1;
    j = std::sqrt(a - s);
    if (i > 0) {
      const double dev = std::fabs(j / e - 1.0);
      if (dev < scarto) {
        scarto = dev;
        migliore = j;
      }
      e = static_cast<float>(precedente);
      if (e <= 0) return -1;
    }
    ++i;
    if (std::fabs(j / e - 1.0) <= Tolleranza) return i < MaxIterazioni ? j : migliore;
    if (i >= MaxIterazioni) return migliore;
  }
}

float PerditaMP(float p1, float d, float q, float l, int16_t tipoFormula) {
  if (SenzaDati(d, q)) return 0.0f;
  const double re = ReynoldsProgetto(d, q);
  if (re < 0) return -1.0f;
  const float lambda = FattoreAttrito(d, static_cast<float>(re), RugositaTipoFormula(tipoFormula));
  const double t = TermineFlusso(d, q, l, lambda);
  const double pa1 = Assoluta(p1);
  const double a = pa1 * pa1;
  double p2 = -1;
  if (a >= t) p2 = PressioneFinaleIterata(p1, q, d, l, static_cast<float>(std::sqrt(a - t)), tipoFormula);
  if (p2 < 0) return -1.0f;
  return static_cast<float>((pa1 - p2) / 1000.0);
}

float PerditaUnitariaMP(float d, float q, float p1, int16_t tipoFormula) {
  if (SenzaDati(d, q)) return 0.0f;
  const double re = ReynoldsProgetto(d, q);
  if (re < 0) return -1.0f;
  // The row choice takes the Reynolds number as its 7-digit text reads back.
  const float reTesto = static_cast<float>(ValDot(TestoNumero(static_cast<float>(re))));
  const float lambda = FattoreAttrito(d, reTesto, RugositaTipoFormula(tipoFormula));
  const double t = TermineFlusso(d, q, 1.0f, lambda);
  const double pa1 = Assoluta(p1);
  const double a = pa1 * pa1;
  if (a - t < 0) return -1.0f;
  const double p2 = PressioneFinaleIterata(p1, q, d, 1.0f, static_cast<float>(std::sqrt(a - t)), tipoFormula);
  if (p2 < 0) return -1.0f;
  return static_cast<float>((pa1 - static_cast<double>(static_cast<float>(p2))) / 1000.0);
}

}  // namespace varnex
