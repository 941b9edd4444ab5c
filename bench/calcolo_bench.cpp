// Full low-pressure calculation of generated internal installations, and the check that tells
// whether a calculation changed what the user entered, measured beside it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

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

double Mediana(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// What a calculation of a project not yet marked changed pays on top of the calculation itself:
// the record of what the user entered taken before, then the comparisons with it and with the
// file as last read or written. Each iteration times the calculation alone (a project already
// marked changed skips the check) and then the check, in turn, so that both meet the same
// machine; "x_calcolo" is the check's median over the calculation's.
void ControlloModifiche(benchmark::State& state, FormaRete forma) {
  using Orologio = std::chrono::steady_clock;
  varnex::bench::PreparaArchiviProva();
  varnex::bench::GeneraRete(static_cast<int16_t>(state.range(0)), forma);
  varnex::CalcolaRete();
  varnex::ProgettoModificato = 0;
  varnex::RicordaProgettoSalvato();
  std::vector<double> calcoli, controlli;
  for (auto _ : state) {
    varnex::ProgettoModificato = -1;
    const auto t0 = Orologio::now();
    varnex::CalcolaRete();
    const auto t1 = Orologio::now();
    bool cambiato = false;
    {
      const varnex::StatoProgetto prima;
      cambiato = prima.Cambiato() || varnex::ProgettoDiversoDalSalvato();
    }
    const auto t2 = Orologio::now();
    benchmark::DoNotOptimize(cambiato);
    if (cambiato) state.SkipWithError("a calculation of the same inputs counted as a change");
    const std::chrono::duration<double, std::micro> calcolo = t1 - t0, controllo = t2 - t1;
    calcoli.push_back(calcolo.count());
    controlli.push_back(controllo.count());
    state.SetIterationTime(controllo.count() / 1e6);
  }
  if (calcoli.empty()) return;
  state.counters["calcolo_us"] = Mediana(calcoli);
  state.counters["controllo_us"] = Mediana(controlli);
  state.counters["x_calcolo"] = Mediana(controlli) / Mediana(calcoli);
  state.counters["tronchi"] = static_cast<double>(state.range(0));
}

void BM_ControlloModificheBilanciata(benchmark::State& state) { ControlloModifiche(state, FormaRete::Bilanciata); }
void BM_ControlloModificheCatena(benchmark::State& state) { ControlloModifiche(state, FormaRete::Catena); }

BENCHMARK(BM_ControlloModificheBilanciata)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ControlloModificheCatena)->Arg(10)->Arg(50)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
