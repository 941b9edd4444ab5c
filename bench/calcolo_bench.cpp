// Full low-pressure calculation of generated internal installations.
#include <benchmark/benchmark.h>

#include "model/calcolo.h"
#include "model/rete.h"
#include "reti_generate.h"

namespace {

using varnex::bench::FormaRete;

void Calcolo(benchmark::State& state, FormaRete forma) {
  varnex::bench::PreparaArchiviProva();
  varnex::bench::GeneraRete(static_cast<int16_t>(state.range(0)), forma);
  varnex::CalcolaRete();
  for (auto _ : state) {
    varnex::CalcolaRete();
    benchmark::DoNotOptimize(varnex::Tronco(1).ID_PDC_TRONCO);
  }
  state.counters["tronchi"] = static_cast<double>(state.range(0));
}

void BM_CalcolaReteBilanciata(benchmark::State& state) { Calcolo(state, FormaRete::Bilanciata); }
void BM_CalcolaReteCatena(benchmark::State& state) { Calcolo(state, FormaRete::Catena); }

BENCHMARK(BM_CalcolaReteBilanciata)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcolaReteCatena)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
