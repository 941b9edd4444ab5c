// Full calculation of generated pressurised networks, and the two drop formulas on their own.
#include <benchmark/benchmark.h>

#include "model/calcolo.h"
#include "model/formule_mp.h"
#include "model/rete.h"
#include "reti_generate.h"

namespace {

using varnex::bench::FormaRete;

// The generated installation turned into a pressurised network: 200 kPa in, 150 kPa minimum,
// 15 m/s, appliance flows of 6 to 38 Nm3/h.
void GeneraRetePressione(int16_t n, FormaRete forma) {
  varnex::bench::PreparaArchiviProva();
  varnex::bench::GeneraRete(n, forma);
  varnex::ReteInPressione = -1;
  varnex::PressioneIniziale = 200;
  varnex::PressioneFinale = 150;
  varnex::VelocitaMaxImpostata = 15;
  for (int16_t s = 1; s <= n; ++s) varnex::Tronco(s).ID_P_UTENZE *= 20.0f;
}

void Calcolo(benchmark::State& state, FormaRete forma) {
  GeneraRetePressione(static_cast<int16_t>(state.range(0)), forma);
  varnex::CalcolaRete();
  for (auto _ : state) {
    varnex::CalcolaRete();
    benchmark::DoNotOptimize(varnex::Tronco(1).ID_PDC_TRONCO);
  }
  state.counters["tronchi"] = static_cast<double>(state.range(0));
}

void BM_CalcolaReteMPBilanciata(benchmark::State& state) { Calcolo(state, FormaRete::Bilanciata); }
void BM_CalcolaReteMPCatena(benchmark::State& state) { Calcolo(state, FormaRete::Catena); }

BENCHMARK(BM_CalcolaReteMPBilanciata)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcolaReteMPCatena)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

void PreparaFormule() {
  varnex::bench::PreparaArchiviProva();
  varnex::PressioneIniziale = 200;
  varnex::PressioneFinale = 150;
}

// 50 Nm3/h in a 21.7 mm steel pipe from 200 kPa.
void BM_PerditaMP(benchmark::State& state) {
  PreparaFormule();
  for (auto _ : state) benchmark::DoNotOptimize(varnex::PerditaMP(200, 0.0217f, 50, 100, 1));
}
void BM_PerditaUnitariaMP(benchmark::State& state) {
  PreparaFormule();
  for (auto _ : state) benchmark::DoNotOptimize(varnex::PerditaUnitariaMP(0.0217f, 50, 200, 1));
}
BENCHMARK(BM_PerditaMP);
BENCHMARK(BM_PerditaUnitariaMP);

}  // namespace

BENCHMARK_MAIN();
