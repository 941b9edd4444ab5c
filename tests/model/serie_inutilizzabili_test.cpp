// A pipe series that can give no real result never sizes a network: a series without any usable
// row (an emptied file, one whose rows were all refused at load), a segment whose series is not
// loaded, and a row so absurd that its area, velocity or drop is no finite positive number are
// refused with a message naming the segments, in both activities.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include "calcolo_prova.h"
#include "model/calcolo.h"
#include "model/files.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::AggiungiProva;
using test::FakeInterazione;

// The header of a series file, as the editor writes it, without any diameter row.
constexpr const char* kIntestazione =
    "# Tipo di formula\r\n 1\r\n# Peso Specifico\r\n 7850\r\n# Descrizione\r\nAcciaio prova\r\n"
    "#    DN    Spess   Diam Int.\r\n";

enum class Attivita { Interna, InPressione };
void PrintTo(Attivita a, std::ostream* os) { *os << (a == Attivita::Interna ? "impianto interno" : "rete in pressione"); }

struct Caso {
  const char* nome;
  // What the series archive holds: a file read by the series reader (empty: the test's series in
  // memory), then a change made in memory after the load.
  const char* file;
  void (*modifica)();
  // The fragment of the refusal for each activity; empty when the network is calculated.
  const char* rifiutoInterna;
  const char* rifiutoInPressione;
};
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

void Nessuna() {}
void SerieAssente() {
  Tronco(2).IndiceMateriale = 0;
  Tronco(2).ID_MATERIALE = "ACCIAIOL";
}
void SenzaTubazione() {
  Tronco(2).IndiceMateriale = 0;
  Tronco(2).ID_MATERIALE.clear();
}
// Every row of the series as wide as `interno` mm.
void RigheLarghe(float interno) {
  for (int16_t r = 1; r <= Materiali[1][0].NumDiametri; ++r) Materiali[1][static_cast<size_t>(r)].DiamInterno = interno;
}
void UnaRigaAssurdaInCoda() {
  TSerieMateriale& s = Materiali[1];
  const int16_t n = ++s[0].NumDiametri;
  s[static_cast<size_t>(n)].RifDiametro = "ENORME";
  s[static_cast<size_t>(n)].DiamInterno = 3e30f;
}

const Caso kCasi[] = {
    {"SerieVuota", "", Nessuna, "Tronco 1: la tubazione ACCIAIOT non ha alcun diametro\nTronco 2: la tubazione",
     "Tronco 1: la tubazione ACCIAIOT non ha alcun diametro\nTronco 2: la tubazione"},
    // The old file of the earlier archives: every row's inner diameter at or below 0.
    {"SoloRigheRifiutate", "1/2\t 1 \t -1,8 \t\r\n3/4\t 1 \t -1 \t\r\n1\t 1 \t 0 \t\r\n", Nessuna,
     "Tronco 1: la tubazione ACCIAIOT non ha alcun diametro", "Tronco 1: la tubazione ACCIAIOT non ha alcun diametro"},
    {"SerieNonCaricata", nullptr, SerieAssente,
     "Tronco 2: la tubazione ACCIAIOL non e' presente nell'archivio delle tubazioni",
     "Tronco 2: la tubazione ACCIAIOL non e' presente nell'archivio delle tubazioni"},
    {"NessunaTubazione", nullptr, SenzaTubazione, "Tronco 2: nessuna tubazione assegnata",
     "Tronco 2: nessuna tubazione assegnata"},
    // The area of 3E+30 mm overflows; velocity and drop would read 0.
    {"AreaFuoriScala", nullptr, [] { RigheLarghe(1e30f); }, "con diametro interno 1E+30 mm: la sezione non e' calcolabile",
     "con diametro interno 1E+30 mm: la sezione non e' calcolabile"},
    // A finite area, but the drop of a low-pressure pipe underflows to 0. In a pressurised network
    // a drop of 0 is a true result of a wide pipe, and the tiny velocity a real number.
    {"PerditaNulla", nullptr, [] { RigheLarghe(1e18f); }, "con diametro interno 1E+18 mm: la perdita di carico non e' calcolabile",
     ""},
    // "Auto" reaches the absurd row only when no real row carries the flow.
    {"RigaAssurdaScelta", nullptr, UnaRigaAssurdaInCoda, "Tronco 1: diametro ENORME della tubazione ACCIAIOT",
     "Tronco 1: diametro ENORME della tubazione ACCIAIOT"},
};

class SerieInutilizzabili : public ::testing::TestWithParam<std::tuple<Caso, Attivita>> {
 protected:
  void SetUp() override { test::PreparaCalcolo(); }
  void TearDown() override {
    ReteInPressione = 0;
    PressioneFinale = pressioneFinale_;
    VelocitaMaxImpostata = velocita_;
  }

 private:
  double pressioneFinale_ = PressioneFinale;
  float velocita_ = VelocitaMaxImpostata;
};

TEST_P(SerieInutilizzabili, RefusedWithTheSegmentsNamedAndNoResult) {
  const auto& [caso, attivita] = GetParam();
  test::TempFolder cartella;
  if (caso.file != nullptr) {
    cartella.Write("ACCIAIOT.mat", std::string(kIntestazione) + caso.file);
    // Whatever the reader says of the rows it refuses is its own business here.
    FakeInterazione lettura;
    lettura.PermettiTutti();
    CaricaCartellaMateriali(cartella.Path());
  }
  if (attivita == Attivita::InPressione) {
    ReteInPressione = -1;
    PressioneIniziale = 200;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
  }
  AggiungiProva(0, 10.0f);
  // More flow than the steel rows carry within the allowed drop, so "Auto" goes to the last row.
  const float portata = caso.modifica == UnaRigaAssurdaInCoda ? 5000.0f : 2.0f;
  AggiungiProva(1, 10.0f, portata);
  AggiungiProva(1, 5.0f, 1.0f);
  caso.modifica();
  const TRete prima = Rete();

  FakeInterazione utente;
  const char* rifiuto = attivita == Attivita::Interna ? caso.rifiutoInterna : caso.rifiutoInPressione;
  if (*rifiuto != '\0') utente.Attendi(rifiuto);
  CalcolaRete();
  if (*rifiuto == '\0') {
    EXPECT_TRUE(utente.messaggi.empty());
    EXPECT_EQ(Tronco(2).Collegato, -1);
    return;
  }
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_NE(utente.messaggi[0].testo.find("calcolo non eseguito"), std::string::npos);
  // No row shows a result, and the network keeps what it held.
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).Collegato, 0) << s;
    EXPECT_EQ(Tronco(s).ID_DIAMETRO, prima.Tronchi[static_cast<size_t>(s)].ID_DIAMETRO) << s;
    EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, prima.Tronchi[static_cast<size_t>(s)].ID_PDC_TRONCO) << s;
    EXPECT_EQ(Tronco(s).ID_VELOCITA, prima.Tronchi[static_cast<size_t>(s)].ID_VELOCITA) << s;
  }
}

INSTANTIATE_TEST_SUITE_P(Casi, SerieInutilizzabili,
                         ::testing::Combine(::testing::ValuesIn(kCasi),
                                            ::testing::Values(Attivita::Interna, Attivita::InPressione)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nome) +
                                  (std::get<1>(info.param) == Attivita::Interna ? "_Interna" : "_InPressione");
                         });

// A segment is bound to its series by name: after the table changed under an open project, the
// calculation follows the series to its new place, and refuses a segment whose series is gone
// instead of calculating it with whatever sits at the old index.
TEST(SerieLegataPerNome, TheCalculationFollowsTheSeriesNameNeverItsOldIndex) {
  for (const int16_t attivita : {int16_t{0}, int16_t{-1}}) {
    test::PreparaCalcolo();
    const double pressioneFinale = PressioneFinale;
    ReteInPressione = attivita;
    PressioneFinale = attivita != 0 ? 150 : PressioneFinale;
    if (attivita != 0) PressioneIniziale = 200;
    for (int16_t s : {AggiungiProva(0, 10.0f), AggiungiProva(1, 10.0f, 0.5f)}) {
      Tronco(s).IndiceMateriale = 2;
      Tronco(s).ID_MATERIALE = "RAMET";
    }
    FakeInterazione utente;
    CalcolaRete();
    const TRete atteso = Rete();
    ASSERT_EQ(Tronco(2).Collegato, -1);

    // The series change places: the old index now names the steel series.
    std::swap(Materiali[1], Materiali[2]);
    CalcolaRete();
    EXPECT_TRUE(utente.messaggi.empty());
    for (int16_t s = 1; s <= 2; ++s) {
      EXPECT_EQ(Tronco(s).IndiceMateriale, 1) << s;
      EXPECT_EQ(Tronco(s).ID_DIAMETRO, atteso.Tronchi[static_cast<size_t>(s)].ID_DIAMETRO) << s;
      EXPECT_EQ(Tronco(s).ID_PDC_TRONCO, atteso.Tronchi[static_cast<size_t>(s)].ID_PDC_TRONCO) << s;
      EXPECT_EQ(Tronco(s).ID_VELOCITA, atteso.Tronchi[static_cast<size_t>(s)].ID_VELOCITA) << s;
    }

    // The copper series leaves the table: its segments are refused, and keep the name they had.
    Materiali[1] = Materiali[2];
    NumMateriali = 1;
    utente.Attendi("Tronco 1: la tubazione RAMET non e' presente nell'archivio delle tubazioni\nTronco 2: la tubazione RAMET");
    CalcolaRete();
    EXPECT_EQ(utente.messaggi.size(), 1u);
    EXPECT_EQ(Tronco(2).Collegato, 0);
    EXPECT_EQ(Tronco(2).ID_MATERIALE, "RAMET");
    ReteInPressione = 0;
    PressioneFinale = pressioneFinale;
  }
}

}  // namespace
}  // namespace varnex
