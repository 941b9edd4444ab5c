// The segment table's logic: cell texts and colours after a calculation, selection limits, row
// room, the editor's layout sizes and the schema zoom.
#include <gtest/gtest.h>

#include "editor/barra_strumenti.h"
#include "editor/tabella.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/rete_prova.h"
#include "shell/stato_interfaccia.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

using test::CaricaSerie;

class TabellaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
    ResetRete();
    CaricaSerie({{"ACC", {{"20", 21.6f}, {"25", 27.2f}, {"32", 35.9f}}}});
    ReteInPressione = 0;
    PDCMaxTesto = "100";
    PDCMaxUtente = 100;
    PressioneFinale = 100;
    VelocitaMaxImpostata = 20;
    Rete().NumTronchi = 10;
  }
  void TearDown() override {
    ReteInPressione = 0;
    PDCMaxUtente = 0;
    PDCMaxTesto = "0";
  }

  // Column of `codice` in the layout of the current activity.
  static int16_t ColonnaDi(int16_t codice) {
    const int16_t l = LayoutAttivita();
    for (int16_t j = 1; j <= UltimaColonnaGriglia[static_cast<size_t>(l)]; ++j)
      if (ColonneGriglia[static_cast<size_t>(l)][static_cast<size_t>(j)].IdCampo == codice) return j;
    ADD_FAILURE() << "no column for code " << codice;
    return 1;
  }
  static CellaTabella Cella(int16_t slot, int16_t codice) {
    const int16_t l = LayoutAttivita();
    const int16_t j = ColonnaDi(codice);
    return CellaAggiornata(slot, l, j, CellaFormattata(l, j));
  }
  test::FakeInterazione utente_;
};

// One segment state and what its cell shows.
struct CasoCella {
  const char* nome;
  bool pressione;
  int16_t codice;
  void (*prepara)(TTronco& t);
  std::string testo;
  int32_t fore;
  int32_t back;
  bool grassetto;
};
// A failing case names itself, not its bytes.
void PrintTo(const CasoCella& c, std::ostream* os) { *os << c.nome; }

void Raggiunto(TTronco& t) { t.Collegato = -1; t.IndiceMateriale = 1; t.ID_MATERIALE = "ACC"; }

const CasoCella casi[] = {
    {"own flow 0 on an end segment shows the segment flow in black", false, campo::ID_P_UTENZE,
     [](TTronco& t) { Raggiunto(t); t.ID_P_TRONCO = 1.5f; }, "1,500", colore::Nero, colore::Bianco, false},
    {"own flow 0 on an inner segment shows the segment flow in blue", false, campo::ID_P_UTENZE,
     [](TTronco& t) { Raggiunto(t); t.ID_LEFT = 2; t.ID_P_TRONCO = 2.25f; }, "2,250", colore::Blu, colore::Bianco, false},
    {"inner segment with simultaneity 90 is red", true, campo::ID_P_UTENZE,
     [](TTronco& t) { Raggiunto(t); t.ID_LEFT = 2; t.ID_CONTEMP = 90; t.ID_P_TRONCO = 3; }, "3,000", colore::Rosso,
     colore::Bianco, false},
    {"inner segment with simultaneity 100 stays blue", true, campo::ID_P_UTENZE,
     [](TTronco& t) { Raggiunto(t); t.ID_RIGHT = 2; t.ID_CONTEMP = 100; t.ID_P_TRONCO = 3; }, "3,000", colore::Blu,
     colore::Bianco, false},
    {"an appliance flow is black", false, campo::ID_P_UTENZE,
     [](TTronco& t) { Raggiunto(t); t.ID_P_UTENZE = 1.2f; t.ID_P_TRONCO = 1.2f; }, "1,200", colore::Nero,
     colore::Bianco, false},
    {"segment drop -1 reads not computable in red", false, campo::ID_PDC_TRONCO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_TRONCO = -1; }, "n.c.", colore::Rosso, colore::Bianco, false},
    {"path drop of a choked segment reads not computable in red, not -1,000", true, campo::ID_PDC_PERCORSO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_TRONCO = -1; t.ID_PDC_PERCORSO = -1; }, "n.c.", colore::Rosso,
     colore::Bianco, false},
    {"path drop below a choked segment reads not computable in red", false, campo::ID_PDC_PERCORSO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_TRONCO = -1; t.ID_PDC_PERCORSO = 20; }, "n.c.", colore::Rosso,
     colore::Bianco, false},
    {"segment drop in blue with the mask's decimals", false, campo::ID_PDC_TRONCO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_TRONCO = 12.5f; }, "12,50", colore::Blu, colore::Bianco, false},
    {"path drop above the maximum is red", false, campo::ID_PDC_PERCORSO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_PERCORSO = 150; }, "150,00", colore::Rosso, colore::Bianco, false},
    {"path drop within the maximum is black", false, campo::ID_PDC_PERCORSO,
     [](TTronco& t) { Raggiunto(t); t.ID_PDC_PERCORSO = 80; }, "80,00", colore::Nero, colore::Bianco, false},
    {"velocity of an internal installation is blue", false, campo::ID_VELOCITA,
     [](TTronco& t) { Raggiunto(t); t.ID_VELOCITA = 30; }, "30,00", colore::Blu, colore::Bianco, false},
    {"velocity above the maximum of a network is red", true, campo::ID_VELOCITA,
     [](TTronco& t) { Raggiunto(t); t.ID_VELOCITA = 30; }, "30,00", colore::Rosso, colore::Bianco, false},
    {"end pressure below the final pressure is red", true, campo::ID_PFINALE,
     [](TTronco& t) { Raggiunto(t); t.ID_PFINALE = 50; }, "50,000", colore::Rosso, colore::Bianco, false},
    {"end pressure above the final pressure is blue", true, campo::ID_PFINALE,
     [](TTronco& t) { Raggiunto(t); t.ID_PFINALE = 150; }, "150,000", colore::Blu, colore::Bianco, false},
    {"negative end pressure reads not computable", true, campo::ID_PFINALE,
     [](TTronco& t) { Raggiunto(t); t.ID_PFINALE = -1; }, "n.c.", colore::Rosso, colore::Bianco, false},
    {"end pressure of an inner segment shows nothing", true, campo::ID_PFINALE,
     [](TTronco& t) { Raggiunto(t); t.ID_LEFT = 2; t.ID_PFINALE = 150; }, "", colore::Blu, colore::Bianco, false},
    {"Auto never warns", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "Auto"; t.ID_PDC_PERCORSO = 500; }, "Auto", colore::Nero,
     colore::GialloChiaro, false},
    {"a fixed diameter is dark red", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "25"; t.ID_DIAMCUSTOM = -1; }, "25", colore::RossoScuro,
     colore::GialloChiaro, false},
    {"largest diameter with the drop above the maximum warns", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "32"; t.ID_PDC_PERCORSO = 500; }, "32", colore::Bianco,
     colore::RossoScuro, true},
    {"a smaller diameter with the same drop does not warn", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "25"; t.ID_PDC_PERCORSO = 500; }, "25", colore::Nero,
     colore::GialloChiaro, false},
    {"a diameter not of the series with the drop above warns", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "40"; t.ID_PDC_PERCORSO = 500; }, "40", colore::Bianco,
     colore::RossoScuro, true},
    {"largest diameter of a network too fast warns", true, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "32"; t.ID_VELOCITA = 25; }, "32", colore::Bianco,
     colore::RossoScuro, true},
    {"largest diameter of a choked segment warns", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "32"; t.ID_PDC_TRONCO = -1; t.ID_PDC_PERCORSO = -1; }, "32",
     colore::Bianco, colore::RossoScuro, true},
    {"largest diameter of a network's choked segment warns", true, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "32"; t.ID_PDC_TRONCO = -1; t.ID_PDC_PERCORSO = -1; }, "32",
     colore::Bianco, colore::RossoScuro, true},
    {"largest diameter below a choked segment warns", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "32"; t.ID_PDC_PERCORSO = -1; }, "32", colore::Bianco,
     colore::RossoScuro, true},
    {"a smaller diameter of a choked segment does not warn", false, campo::ID_DIAMETRO,
     [](TTronco& t) { Raggiunto(t); t.ID_DIAMETRO = "25"; t.ID_PDC_TRONCO = -1; t.ID_PDC_PERCORSO = -1; }, "25",
     colore::Nero, colore::GialloChiaro, false},
    {"equivalent length is blue", false, campo::ID_EQ_LEN,
     [](TTronco& t) { Raggiunto(t); t.ID_EQ_LEN = 3.25f; }, "3,25", colore::Blu, colore::Bianco, false},
    {"reference is black", false, campo::ID_RIF,
     [](TTronco& t) { Raggiunto(t); t.ID_RIF = "Cucina"; }, "Cucina", colore::Nero, colore::Bianco, false},
    {"a read-only column without a rule turns black after the refresh", false, campo::ID_P_TRONCO,
     [](TTronco& t) { Raggiunto(t); t.ID_P_TRONCO = 0.75f; }, "0,750", colore::Nero, colore::Bianco, false},
    {"an unreached segment is grey also where a rule says red", false, campo::ID_PDC_TRONCO,
     [](TTronco& t) { t.Collegato = 0; t.ID_PDC_TRONCO = -1; }, "n.c.", colore::GrigioChiaro, colore::Bianco, false},
    {"an unreached velocity is grey", true, campo::ID_VELOCITA,
     [](TTronco& t) { t.Collegato = 0; t.ID_VELOCITA = 30; }, "30,00", colore::GrigioChiaro, colore::Bianco, false},
    {"a blanked slot shows an empty cell", false, campo::ID_LEN,
     [](TTronco& t) { t.Eliminato = -1; t.SlotLibero = -1; t.ID_LEN = 5; }, "", colore::GrigioChiaro,
     colore::Bianco, false},
    {"a blanked slot keeps the diameter's background", false, campo::ID_DIAMETRO,
     [](TTronco& t) { t.Eliminato = -1; t.SlotLibero = -1; t.ID_DIAMETRO = "25"; }, "", colore::GrigioChiaro,
     colore::GialloChiaro, false},
    {"a blanked slot shows no segment flow either", false, campo::ID_P_UTENZE,
     [](TTronco& t) { t.Eliminato = -1; t.SlotLibero = -1; t.ID_P_TRONCO = 2; }, "", colore::GrigioChiaro,
     colore::Bianco, false},
};

class CelleTest : public TabellaTest, public ::testing::WithParamInterface<CasoCella> {};

TEST_P(CelleTest, ShowsTextAndColours) {
  const CasoCella& c = GetParam();
  ReteInPressione = c.pressione ? -1 : 0;
  TTronco t;
  c.prepara(t);
  Tronco(1) = t;
  const CellaTabella cella = Cella(1, c.codice);
  EXPECT_EQ(cella.Testo, c.testo);
  EXPECT_EQ(cella.ColoreTesto, c.fore);
  EXPECT_EQ(cella.ColoreSfondo, c.back);
  EXPECT_EQ(cella.Grassetto, c.grassetto);
}

INSTANTIATE_TEST_SUITE_P(Stati, CelleTest, ::testing::ValuesIn(casi),
                         [](const ::testing::TestParamInfo<CasoCella>& i) { return "caso" + std::to_string(i.index); });

// The editor's selector text may be empty, stale or rounded: the judgement weighs the maximum the
// sizing worked to, never that text.
TEST_F(TabellaTest, PathDropIsJudgedAgainstTheMaximumTheSizingUsed) {
  struct Caso {
    const char* testo;
    double massima;
    float perdita;
    int32_t colore;
  } casi[] = {
      {"30", 30.5, 30.3f, colore::Nero},   {"30", 30.5, 30.5f, colore::Nero}, {"30", 30.5, 30.6f, colore::Rosso},
      {"", 100, 0.5f, colore::Nero},       {"", 100, 100.2f, colore::Rosso},  {"100,4", 100, 100.2f, colore::Rosso},
      {"0", 45.25, 45.2f, colore::Nero},   {"0", 45.25, 45.3f, colore::Rosso},
  };
  Tronco(1).Collegato = -1;
  for (const Caso& c : casi) {
    PDCMaxTesto = c.testo;
    PDCMaxUtente = c.massima;
    Tronco(1).ID_PDC_PERCORSO = c.perdita;
    EXPECT_EQ(Cella(1, campo::ID_PDC_PERCORSO).ColoreTesto, c.colore) << c.massima << " / " << c.perdita;
    EXPECT_EQ(LimitePerditaPercorso(), PDCMassima()) << c.massima;
  }
  PDCMaxUtente = 30.5;
  EXPECT_EQ(TestoLimitePerditaPercorso(), "30,5 Pa");
}

// A refused calculation computed nothing: the results the segment holds (the file's) are not shown
// beside the refusal, nor judged; what the user entered and the series' inner diameter still show.
TEST_F(TabellaTest, ARefusedNetworkShowsNoResult) {
  TTronco t;
  Raggiunto(t);
  t.ID_DIAMETRO = "32";
  t.ID_LEN = 12;
  t.ID_P_TRONCO = 2.5f;
  t.ID_VELOCITA = 30;
  t.ID_PDC_TRONCO = 400;
  t.ID_PDC_PERCORSO = 500;
  t.ID_PFINALE = 50;
  t.ID_EQ_LEN = 14;
  Tronco(1) = t;
  ASSERT_EQ(Cella(1, campo::ID_VELOCITA).Testo, "30,00");
  ASSERT_EQ(Cella(1, campo::ID_DIAMETRO).ColoreSfondo, colore::RossoScuro);
  Tronco(1).Collegato = 0;
  Rete().CalcoloRifiutato = true;
  for (int16_t codice : {campo::ID_VELOCITA, campo::ID_PDC_TRONCO, campo::ID_PDC_PERCORSO, campo::ID_EQ_LEN,
                         campo::ID_P_UTENZE, campo::ID_P_TRONCO})
    EXPECT_EQ(Cella(1, codice).Testo, "") << codice;
  EXPECT_EQ(Cella(1, campo::ID_LEN).Testo, "12,00");
  EXPECT_EQ(Cella(1, campo::ID_DIAMETRO).Testo, "32");
  EXPECT_EQ(Cella(1, campo::ID_DIAMETRO).ColoreSfondo, colore::GialloChiaro);
  EXPECT_EQ(Cella(1, campo::ID_DIAMETRO_INTERNO).Testo.empty(), false);
  ReteInPressione = -1;
  EXPECT_EQ(Cella(1, campo::ID_PFINALE).Testo, "");
}

// A network's cumulative drop is in kPa: against the maximum drop in Pa its colour meant nothing.
TEST_F(TabellaTest, APressurisedNetworksPathDropIsRedOnlyPastItsPressureBudget) {
  ReteInPressione = -1;
  PDCMaxTesto = "30";
  PressioneIniziale = 200;
  PressioneFinale = 150;
  Tronco(1).Collegato = -1;
  struct Caso {
    float perdita;
    int32_t colore;
  } casi[] = {{40, colore::Nero}, {50, colore::Nero}, {50.5f, colore::Rosso}, {120, colore::Rosso}};
  for (const Caso& c : casi) {
    Tronco(1).ID_PDC_PERCORSO = c.perdita;
    EXPECT_EQ(Cella(1, campo::ID_PDC_PERCORSO).ColoreTesto, c.colore) << c.perdita;
  }
  // The diameter warning weighs the same budget.
  Tronco(1).IndiceMateriale = 1;
  Tronco(1).ID_MATERIALE = "ACC";
  Tronco(1).ID_DIAMETRO = "32";
  Tronco(1).ID_PDC_PERCORSO = 40;
  EXPECT_FALSE(AvvisoDiametro(1, "32"));
  Tronco(1).ID_PDC_PERCORSO = 60;
  EXPECT_TRUE(AvvisoDiametro(1, "32"));
  PressioneIniziale = 200;
  PressioneFinale = 100;
}

// The shipped series label their diameters "54x2" or 1/2": compared as numbers, the warning never
// came for them.
TEST_F(TabellaTest, DiameterWarningComparesInnerDiametersForLabelsThatAreNotNumbers) {
  CaricaSerie({{"RAME", {{"12x1", 10.0f}, {"1/2\"", 16.0f}, {"54x2", 50.0f}}}});
  TTronco t;
  Raggiunto(t);
  t.ID_MATERIALE = "RAME";
  t.ID_PDC_PERCORSO = 500;
  Tronco(1) = t;
  EXPECT_TRUE(AvvisoDiametro(1, "54x2"));
  EXPECT_FALSE(AvvisoDiametro(1, "12x1"));
  EXPECT_FALSE(AvvisoDiametro(1, "1/2\""));
  EXPECT_TRUE(AvvisoDiametro(1, "60x2"));  // not of the series
  Tronco(1).ID_PDC_PERCORSO = 50;
  EXPECT_FALSE(AvvisoDiametro(1, "54x2"));
}

TEST(AllargaAlMinimoTest, NarrowColumnsTakeTheirMinimumFromTheWideOnesAndTheTotalStays) {
  struct Caso {
    const char* nome;
    std::vector<int> larghezze, minime, attese;
  } casi[] = {
      {"room for all", {300, 400, 1500, 600}, {0, 700, 500, 500}, {300, 700, 1228, 572}},
      {"shared in proportion to what is spare", {0, 100, 1100, 600}, {0, 500, 100, 100}, {0, 500, 834, 466}},
      {"too little room: each gets the same share", {0, 100, 100, 600}, {0, 500, 300, 400}, {0, 233, 166, 401}},
      {"nothing lacking changes nothing", {100, 800, 900}, {0, 700, 800}, {100, 800, 900}},
      {"row numbers never touched", {50, 100, 900}, {400, 300, 100}, {50, 300, 700}},
  };
  for (const Caso& c : casi) {
    const std::vector<int> r = AllargaAlMinimo(c.larghezze, c.minime);
    EXPECT_EQ(r, c.attese) << c.nome;
    long prima = 0, dopo = 0;
    for (int w : c.larghezze) prima += w;
    for (int w : r) dopo += w;
    EXPECT_EQ(dopo, prima) << c.nome;
  }
}

TEST_F(TabellaTest, FormattedRowMarksDiameterAndReadOnlyColumns) {
  const int16_t l = 0;
  EXPECT_EQ(CellaFormattata(l, ColonnaDi(campo::ID_DIAMETRO)).ColoreSfondo, colore::GialloChiaro);
  EXPECT_EQ(CellaFormattata(l, ColonnaDi(campo::ID_VELOCITA)).ColoreTesto, colore::Blu);
  EXPECT_EQ(CellaFormattata(l, ColonnaDi(campo::ID_LEN)).ColoreTesto, colore::Nero);
  EXPECT_EQ(CellaFormattata(l, ColonnaDi(campo::ID_LEN)).ColoreSfondo, colore::Bianco);
}

TEST_F(TabellaTest, LayoutFollowsTheActivity) {
  ReteInPressione = 0;
  EXPECT_EQ(LayoutAttivita(), 0);
  ReteInPressione = -1;
  EXPECT_EQ(LayoutAttivita(), 5);
  EXPECT_EQ(ColonneLayout(5), UltimaColonnaGriglia[5] + 1);
  EXPECT_EQ(IntestazioneColonna(5, ColonnaDi(campo::ID_PFINALE)), "Pressione\rfinale kPa");
}

TEST_F(TabellaTest, ColumnWidthsShareTheTableByWeight) {
  // Layout 0 weights add up to 88; (11600 - 377) / 88 = 127.5 -> 128 (half to even).
  long somma = 0;
  for (int j = 0; j <= UltimaColonnaGriglia[0]; ++j) somma += ColonneGriglia[0][static_cast<size_t>(j)].PesoColonna;
  const auto w = LarghezzeColonne(0, 11600);
  const long u = static_cast<long>(ArrotondaPari(static_cast<double>(11600 - 377) / static_cast<double>(somma)));
  ASSERT_EQ(w.size(), static_cast<size_t>(UltimaColonnaGriglia[0] + 1));
  EXPECT_EQ(w[0], u * ColonneGriglia[0][0].PesoColonna + 100);
  EXPECT_EQ(w[1], u * ColonneGriglia[0][1].PesoColonna - 100);
  EXPECT_EQ(w[2], u * ColonneGriglia[0][2].PesoColonna);
}

TEST_F(TabellaTest, RawTextHasNoMask) {
  Tronco(1).ID_LEN = 12.5f;
  EXPECT_EQ(TestoGrezzo(1, 0, ColonnaDi(campo::ID_LEN)), "12,5");
}

TEST(FormatMaschera, AppliesTheMasksOfTheColumnDefinitions) {
  struct {
    ValoreCampo v;
    const char* maschera;
    const char* atteso;
  } casi[] = {
      {12.5f, "##0.00", "12,50"},   {0.0f, "##0.000", "0,000"},     {1234.5678, "###0.00", "1234,57"},
      {int16_t(7), "0", "7"},       {2.5, "0", "3"},                {std::string("Auto"), "@", "Auto"},
      {std::string("25"), "@", "25"}, {std::string("abc"), "##0.00", "abc"}, {std::string("1,5"), "##0.00", "1,50"},
      {1.5, "##0.000 bar", "1,500 bar"}, {-3.0f, "#0.00", "-3,00"},    {0.5f, "", "0,5"},
      {5.25, "00.0", "05,3"},       {std::monostate{}, "##0.00", ""}, {1234567.0, "######0", "1234567"},
  };
  for (const auto& c : casi) EXPECT_EQ(FormatMaschera(c.v, c.maschera), c.atteso) << c.maschera;
}

TEST(Righe, TheTableHasRoomForEverySegmentAndTheEmptyRow) {
  ResetRete();
  Rete().NumTronchi = 10;
  EXPECT_EQ(RigheNecessarie(200), 200);
  Rete().NumTronchi = 199;
  EXPECT_EQ(RigheNecessarie(200), 201);
  Rete().NumTronchi = 200;
  EXPECT_EQ(RigheNecessarie(200), 202);
  EXPECT_EQ(RigheNecessarie(250), 250);
  ResetRete();
}

TEST(Selezione, IsLimitedToTheSegments) {
  struct {
    int16_t prima, ultima, n;
    SelezioneRighe atteso;
  } casi[] = {
      {3, 15, 10, {3, 10}},   {11, 11, 10, {11, 11}}, {12, 11, 10, {12, 11}}, {3, 14, 10, {3, 10}},
      {6, 3, 10, {6, 3}},     {3, 6, 10, {3, 6}},     {10, 11, 10, {10, 10}}, {1, 1, 0, {1, 1}},
      {1, 2, 0, {1, 0}},
  };
  for (const auto& c : casi)
    EXPECT_EQ(LimitaSelezione(c.prima, c.ultima, c.n), c.atteso) << c.prima << ".." << c.ultima << " of " << c.n;
}

TEST(Dimensioni, FixedBelowTheThresholdsAndComputedAbove) {
  const int barra = 1200, alto = 60;
  const DimensioniEditor fisse = CalcolaDimensioniEditor(7930, 12150, barra, alto);
  EXPECT_EQ(fisse.AltezzaSchede, 8930 - barra - 1500);
  EXPECT_EQ(fisse.AltezzaTabella, 6350);
  EXPECT_EQ(fisse.AltezzaSchema, 6170);
  EXPECT_EQ(fisse.AltezzaLogica, 6170);
  EXPECT_EQ(fisse.AltoPalette, 6025);
  EXPECT_EQ(fisse.LarghezzaSchede, 12000);
  EXPECT_EQ(fisse.LarghezzaTabella, 11600);
  EXPECT_EQ(fisse.LarghezzaSchema, 11000);
  EXPECT_EQ(fisse.LarghezzaLogica, 11000);

  const DimensioniEditor calcolate = CalcolaDimensioniEditor(7931, 12151, barra, alto);
  const int t = 7931 - barra - 1500;
  EXPECT_EQ(calcolate.AltezzaSchede, t);
  EXPECT_EQ(calcolate.AltezzaTabella, t - 200);
  EXPECT_EQ(calcolate.AltezzaSchema, t - 1000);
  EXPECT_EQ(calcolate.AltezzaLogica, t - 1960);
  EXPECT_EQ(calcolate.AltoPalette, alto + t - 1000 + 420);
  EXPECT_EQ(calcolate.LarghezzaSchede, 12001);
  EXPECT_EQ(calcolate.LarghezzaTabella, 12001 - 350);
  EXPECT_EQ(calcolate.LarghezzaSchema, 12001 - 650);

  // One direction larger enlarges only that direction.
  const DimensioniEditor alta = CalcolaDimensioniEditor(10000, 12150, barra, alto);
  EXPECT_EQ(alta.LarghezzaSchede, 12000);
  EXPECT_EQ(alta.AltezzaSchede, 10000 - barra - 1500);
}

TEST(Zoom, StepIsClampedAndThePercentShown) {
  EXPECT_EQ(LimitaZoom(-13), -12);
  EXPECT_EQ(LimitaZoom(6), 5);
  EXPECT_EQ(LimitaZoom(3), 3);
  EXPECT_EQ(TestoZoom(0), "100");
  EXPECT_EQ(TestoZoom(5), "169");
  EXPECT_EQ(TestoZoom(-12), "28");
}

TEST(Zoom, ScrollRangesFollowTheScale) {
  struct {
    int16_t passo;
    int v, h;
  } casi[] = {{0, 537, 1100}, {5, 317, 650}, {-12, 1901, 3895}};
  for (const auto& c : casi) {
    const double s = FattoreScala(c.passo);
    EXPECT_EQ(BarraDopoZoom({0, 1000, 500, 0, 0}, s, 5370).Massimo, c.v) << c.passo;
    EXPECT_EQ(BarraDopoZoom({0, 1000, 500, 0, 0}, s, 11000).Massimo, c.h) << c.passo;
  }
  const BarraScorrimento b = BarraDopoZoom({0, 1000, 250, 0, 0}, 1.0, 5370);
  EXPECT_EQ(b.Valore, 134);  // a quarter of 537, half to even
  EXPECT_EQ(b.PassoGrande, 54);
  EXPECT_EQ(b.PassoPiccolo, 13);
}

TEST(Zoom, AnEmptyRangeDoesNotDivideByZero) {
  const BarraScorrimento b = BarraDopoZoom({0, 0, 0, 0, 0}, 1.0, 5370);
  EXPECT_EQ(b.Massimo, 537);
  EXPECT_EQ(b.Valore, 0);
}

TEST(Zoom, InitialScrollBarsAreCentred) {
  const BarraScorrimento v = BarraIniziale(6170, 2.0, 1.0);
  EXPECT_EQ(v.Massimo, 1234);
  EXPECT_EQ(v.Valore, 617);
  const BarraScorrimento h = BarraIniziale(11000, 1.8, 0.9);
  EXPECT_EQ(h.Massimo, 1980);
  EXPECT_EQ(h.Valore, 990);
}

}  // namespace
}  // namespace varnex
