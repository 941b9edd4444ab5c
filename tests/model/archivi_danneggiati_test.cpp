// A damaged archive file (64 KB of random bytes in place of the text) is read to its end with one
// message naming its refused lines, and nothing it holds reaches the archive unless the shared
// rules admit it.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "model/gas.h"
#include "model/materiali.h"
#include "model/raccordi.h"
#include "model/valori_archivio.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

class ArchiviDanneggiati : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.UsaComeCartellaProgramma();
    ArchivioGas.assign(1, TGas{});
    NumGas = 0;
    NumMateriali = 0;
    for (auto& s : Materiali) s = TSerieMateriale{};
  }
  test::TempFolder dir;
  test::FakeInterazione utente;
};

TEST_F(ArchiviDanneggiati, OgniFileDaUnSoloMessaggioENonCaricaValoriFuoriRegola) {
  struct Caso {
    const char* file;
    std::function<void()> carica;
    std::function<void()> verifica;
  };
  const Caso casi[] = {
      {"gas.cfg", [] { InitGas(); },
       [] {
         // Garbage names would otherwise be offered as substitutes for a project's gas.
         for (int16_t i = 1; i <= NumGas; ++i) EXPECT_EQ(DifettoValoriGas(ArchivioGas[static_cast<size_t>(i)]), "");
       }},
      {"ROTTO.mat", [] { CaricaMateriali(); },
       [] {
         for (int16_t r = 1; r <= Materiali[1][0].NumDiametri; ++r)
           EXPECT_EQ(DifettoDiametro(Materiali[1][static_cast<size_t>(r)].Spessore,
                                     Materiali[1][static_cast<size_t>(r)].DiamInterno),
                     "");
       }},
      {"EQLEN.CFG", [] { EXPECT_TRUE(CaricaSpeciali()); },
       [] {
         for (int i = 1; i <= 10; ++i)
           for (int c = 1; c <= 3; ++c)
             EXPECT_TRUE(ValoreAmmesso(CampoArchivio::LunghezzaEquivalente, LunghezzeEquivalenti[i][1][c]));
       }},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.file);
    std::mt19937 g(25);
    std::string bytes(64 * 1024, '\0');
    for (char& c : bytes) c = static_cast<char>(g() & 0xFF);
    dir.Write(k.file, bytes);
    utente.messaggi.clear();
    utente.PermettiTutti();
    k.carica();
    ASSERT_EQ(utente.messaggi.size(), 1u);
    const std::string& m = utente.messaggi[0].testo;
    EXPECT_EQ(m.rfind(std::string("Errori nel file ") + k.file + " (", 0), 0u) << m;
    // The first few lines are named, the rest counted.
    if (std::string(k.file) == "gas.cfg") {
      EXPECT_NE(m.find(" righe non valide."), std::string::npos) << m;
      EXPECT_EQ(NumGas, 0);
    }
    k.verifica();
  }
}

}  // namespace
}  // namespace varnex
