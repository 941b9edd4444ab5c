// Shared set-up of the network tests: a clean model, a small pipe-series table in memory, link
// tables written and read in one line per slot, and a scripted substitution window.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/sostituzione.h"

namespace varnex::test {

// (ID_PREV, ID_LEFT, ID_RIGHT) of one slot.
using Link = std::tuple<int16_t, int16_t, int16_t>;

// Writes slots 1..n with these links and sets the count to n.
inline void CostruisciRete(const std::vector<Link>& links) {
  for (size_t k = 0; k < links.size(); ++k) {
    TTronco& t = Tronco(static_cast<int16_t>(k + 1));
    std::tie(t.ID_PREV, t.ID_LEFT, t.ID_RIGHT) = links[k];
  }
  Rete().NumTronchi = static_cast<int16_t>(links.size());
}

// The links of slots 1..NumTronchi.
inline std::vector<Link> LinkRete() {
  std::vector<Link> links;
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    const TTronco& t = Tronco(s);
    links.emplace_back(t.ID_PREV, t.ID_LEFT, t.ID_RIGHT);
  }
  return links;
}

struct SerieProva {
  std::string nome;
  std::vector<std::pair<std::string, float>> diametri;  // label, inner diameter (mm)
};

// Replaces the pipe-series table by these series (1..n).
inline void CaricaSerie(const std::vector<SerieProva>& serie) {
  Materiali = {};
  NumMateriali = static_cast<int16_t>(serie.size());
  for (size_t k = 0; k < serie.size(); ++k) {
    TSerieMateriale& m = Materiali[k + 1];
    m[0].Nome = serie[k].nome;
    m[0].NumDiametri = static_cast<int16_t>(serie[k].diametri.size());
    for (size_t r = 0; r < serie[k].diametri.size(); ++r) {
      m[r + 1].RifDiametro = serie[k].diametri[r].first;
      m[r + 1].DiamInterno = serie[k].diametri[r].second;
    }
  }
}

inline std::vector<SerieProva> SerieStandard() {
  return {{"ACCIAIOM", {{"1/2", 16.0f}, {"3/4", 21.6f}, {"1", 27.2f}}},
          {"RAME-B", {{"12x1", 10.0f}, {"22x1", 20.0f}, {"dn20", 20.0f}}},
          {"PE4437", {{"DN32", 26.0f}}}};
}

// The substitution window as a scripted user: each question takes the next scripted answer; a
// question nobody scripted fails the test.
class DialogoSostituzioneFinto : public IDialogoSostituzione {
 public:
  struct Domanda {
    std::string nome;
    int16_t tipo;
    std::vector<std::string> candidati;
  };
  DialogoSostituzioneFinto() { ImpostaDialogoSostituzione(this); }
  ~DialogoSostituzioneFinto() override {
    ImpostaDialogoSostituzione(nullptr);
    EXPECT_TRUE(risposte.empty()) << "scripted answers left unused: " << risposte.size();
  }
  void Rispondi(int16_t scelta) { risposte.push_back(scelta); }
  int16_t Scegli(const std::string& nome, int16_t tipo, const std::vector<std::string>& candidati) override {
    domande.push_back({nome, tipo, candidati});
    if (risposte.empty()) {
      ADD_FAILURE() << "unexpected substitution question for \"" << nome << "\"";
      return 0;
    }
    const int16_t r = risposte.front();
    risposte.pop_front();
    return r;
  }
  std::vector<Domanda> domande;
  std::deque<int16_t> risposte;
};

// Every test starts from an empty model with the standard series and no remembered substitution,
// and leaves the shared state as it found it.
class ReteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DefaultMateriale.clear();
    DefaultVelocita.clear();
    DefaultPressioneIniziale.clear();
    DefaultPressioneFinale.clear();
    CaricaSerie(SerieStandard());
    ResetRete();
    for (TTronco& t : Rete().Tronchi) t = TTronco{};
    Rete().MaterialeDefault = 0;
    frmEquiv.Reset();
    ImpostaEditorRete(nullptr);
  }
  void TearDown() override {
    ImpostaEditorRete(nullptr);
    ImpostaDialogoSostituzione(nullptr);
    frmEquiv.Reset();
    CaricaSerie({});
    ResetRete();
    Rete().MaterialeDefault = 0;
    GasCorrente = TGas{};
    ArchivioGas.assign(1, TGas{});
    NumGas = 0;
  }
};

}  // namespace varnex::test
