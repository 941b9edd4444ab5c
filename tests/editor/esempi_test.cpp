// The example projects we ship: each opens, calculates and saves back to the very bytes shipped,
// and every cooker's burners give the flow stored for it (the flow dialog reopens from them), and
// the tightness page shown for it finds its record as stored (else opening and closing an example
// would ask to save it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/portata.h"
#include "editor/ui/archivi_finestre.h"
#include "model/calcolo.h"
#include "model/progetto_file.h"
#include "tightness/pagina_tenuta.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

std::string Byte(const std::filesystem::path& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> Esempi() {
  std::vector<std::filesystem::path> esempi;
  for (const auto& voce : std::filesystem::directory_iterator(std::filesystem::path(VARNEX_SOURCE_DATA_DIR) / "Archivio Lavori"))
    if (voce.path().extension() == ".RTG" || voce.path().extension() == ".rtg") esempi.push_back(voce.path());
  return esempi;
}

TEST(EsempiTest, EveryExampleCalculatesAndSavesBackUnchanged) {
  const auto esempi = Esempi();
  ASSERT_FALSE(esempi.empty());
  for (const auto& esempio : esempi) {
    test::ArchiviDistribuiti archivi;
    ASSERT_TRUE(LeggiRTG(esempio.string())) << esempio;
    CalcolaRete();
    const std::string copia = archivi.Cartella().File("copia.RTG");
    ASSERT_TRUE(ScriviRTG(copia));
    EXPECT_EQ(Byte(copia), Byte(esempio)) << esempio;
  }
}

TEST(EsempiTest, EveryTightnessRecordIsWhatThePageComputesForIt) {
  for (const auto& esempio : Esempi()) {
    test::ArchiviDistribuiti archivi;
    ASSERT_TRUE(CaricaParFamGas());
    ASSERT_TRUE(LeggiRTG(esempio.string())) << esempio;
    CalcolaRete();
    const TTenutaImpianto letto = TenutaImpianto;
    PaginaTenuta pagina;
    pagina.TenutaImpiantoInit();
    EXPECT_EQ(TenutaImpianto.CapacitaImpianto, letto.CapacitaImpianto) << esempio;
    EXPECT_EQ(TenutaImpianto.CapacitaTotale, letto.CapacitaTotale) << esempio;
    EXPECT_EQ(TenutaImpianto.Risultato, letto.Risultato) << esempio;
    EXPECT_TRUE(TenutaImpianto == letto) << esempio;
  }
}

TEST(EsempiTest, EveryCookerFlowIsTheFlowOfItsBurners) {
  for (const auto& esempio : Esempi()) {
    test::ArchiviDistribuiti archivi;
    ASSERT_TRUE(LeggiRTG(esempio.string())) << esempio;
    for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
      const TTronco& t = Tronco(s);
      if (t.TipologiaUtenza != 1 || t.ComposizioneUtenza.find('1') == std::string::npos) continue;
      int32_t potenza = 0;
      for (size_t i = 0; i < NumFornelli && i < t.ComposizioneUtenza.size(); ++i)
        if (t.ComposizioneUtenza[i] == '1') potenza += PotenzaFornello[i];
      const RisultatoPortata r = Ricalcola(FontePortata::Fornelli, potenza, "", PotereCalorificoUtenza(1));
      EXPECT_EQ(TestoPortata(r.Portata), TestoPortata(t.ID_P_UTENZE)) << esempio << " segment " << s;
    }
  }
}

}  // namespace
}  // namespace varnex
