#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/archivi_scrittura_bloccata.h"
#include "model/gas.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

class Gas_ : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.UsaComeCartellaProgramma();
    ArchivioGas.assign(1, TGas{});
    NumGas = 0;
  }
  test::TempFolder dir;
  test::FakeInterazione utente;
};

TGas Combustibile(float densita, float pci) {
  TGas g;
  g.Nome = "G";
  g.Densita = densita;
  g.PCI = pci;
  g.PCS = pci * 1.1f;
  return g;
}

TEST_F(Gas_, FamiliesFromTheLowerWobbeIndex) {
  struct Caso {
    float densita, pci;
    int16_t famiglia;
  } casi[] = {
      {0.555f, 34.02f, 2},    // methane G20, W = 45.67
      {1.55f, 88.0f, 3},      // propane G31, W = 70.68
      {2.075f, 116.09f, 3},   // butane G30, W = 80.59
      {1.0f, 26.8f, 1},       // 26.7999992 in single precision: still family I
      {1.0f, 20.6f, 1},
      {1.0f, 37.2f, 2},
      {1.0f, 52.3f, 2},
      {1.0f, 67.1f, 3},
      {1.0f, 85.2f, 3},
  };
  for (const auto& c : casi) {
    TGas g = Combustibile(c.densita, c.pci);
    EXPECT_TRUE(CalcolaFamigliaGas(g)) << c.pci;
    EXPECT_EQ(g.Famiglia, c.famiglia) << c.pci;
    EXPECT_EQ(g.ErroreFamiglia, 0);
    EXPECT_FLOAT_EQ(g.MassaVolumica, c.densita * 1.22566f);
    EXPECT_FLOAT_EQ(g.WobbeInf, static_cast<float>(c.pci / std::sqrt(static_cast<double>(c.densita))));
    EXPECT_FLOAT_EQ(g.WobbeSup, static_cast<float>(g.PCS / std::sqrt(static_cast<double>(c.densita))));
  }
}

TEST_F(Gas_, WobbeIndexOutsideEveryWindowGivesTheMessageAndFamilyOne) {
  struct Caso {
    float pci;
    const char* testo;
  } casi[] = {{20.5f, "20,50"}, {26.81f, "26,81"}, {37.1f, "37,10"}, {30.0f, "30,00"}, {52.4f, "52,40"},
              {67.0f, "67,00"}, {85.3f, "85,30"}, {100.0f, "100,00"}};
  for (const auto& c : casi) {
    TGas g = Combustibile(1.0f, c.pci);
    g.Famiglia = 3;
    utente.Attendi(std::string("Errore di Attribuzione famiglia del gas: indice Wobbe-Inf = ") + c.testo +
                   " non associabile a nessuna famiglia");
    EXPECT_FALSE(CalcolaFamigliaGas(g)) << c.pci;
    EXPECT_EQ(g.Famiglia, 1);
    EXPECT_EQ(g.ErroreFamiglia, -1);
    // Corrected values clear the flag at once: the tightness page gives no verdict while it is set.
    g.PCI = 45;
    EXPECT_TRUE(CalcolaFamigliaGas(g));
    EXPECT_EQ(g.Famiglia, 2);
    EXPECT_EQ(g.ErroreFamiglia, 0);
    g.ErroreFamiglia = -1;
    g.NonCombustibile = -1;
    EXPECT_TRUE(CalcolaFamigliaGas(g));
    EXPECT_EQ(g.ErroreFamiglia, 0);
  }
}

TEST_F(Gas_, NonCombustibleAndDensitylessGases) {
  TGas aria;
  aria.Densita = 1;
  aria.NonCombustibile = -1;
  EXPECT_TRUE(CalcolaFamigliaGas(aria));
  EXPECT_FLOAT_EQ(aria.MassaVolumica, 1.22566f);
  EXPECT_EQ(aria.Famiglia, 0);
  EXPECT_EQ(aria.WobbeInf, 0);

  TGas vuoto = Combustibile(0, 34);
  vuoto.Famiglia = 3;
  vuoto.ErroreFamiglia = -1;
  vuoto.MassaVolumica = vuoto.WobbeInf = vuoto.WobbeSup = 9;
  EXPECT_FALSE(CalcolaFamigliaGas(vuoto));  // no message
  EXPECT_EQ(vuoto.Famiglia, 3);
  EXPECT_EQ(vuoto.ErroreFamiglia, 0);
  EXPECT_EQ(vuoto.MassaVolumica, 0);
  EXPECT_EQ(vuoto.WobbeInf, 0);
  EXPECT_EQ(vuoto.WobbeSup, 0);
}

TEST_F(Gas_, ValidGas) {
  TGas g = Combustibile(0.6f, 34);
  g.Viscosita = 1e-5f;
  EXPECT_TRUE(IsGasValido(g));
  TGas senzaNome = g;
  senzaNome.Nome = "  ";
  EXPECT_FALSE(IsGasValido(senzaNome));
  for (float TGas::*campo : {&TGas::Densita, &TGas::Viscosita, &TGas::PCI, &TGas::PCS}) {
    TGas x = g;
    x.*campo = 0;
    EXPECT_FALSE(IsGasValido(x));
    x.NonCombustibile = -1;
    EXPECT_TRUE(IsGasValido(x));
  }
}

TEST_F(Gas_, LoadSkipsCommentsAndRefusesShortLinesNamingTheLine) {
  dir.Write("GAS.CFG",
            "# archivio\r\n"
            "\r\n"
            "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
            "Corto\t 1,55 \t 4E-06 \r\n"                                // line 4: would borrow 34.02 ...
            "Gas, citta'\t0.6\t1.5E-05\t 16 \t 18 \t 0\r\n"
            "   \r\n"
            "Aria\t 1 \t 1,469E-05 \t 0 \t 0 \t-1 \r\n");
  utente.Attendi("Errori nel file GAS.CFG (1 riga):\r\nriga 4: dati incompleti, il gas non e' stato caricato");
  InitGas();
  ASSERT_EQ(NumGas, 3);
  ASSERT_EQ(ArchivioGas.size(), 4u);
  EXPECT_EQ(ArchivioGas[0].Nome, "");
  EXPECT_EQ(ArchivioGas[1].Nome, "Metano");
  EXPECT_FLOAT_EQ(ArchivioGas[1].Viscosita, 1.617e-5f);
  EXPECT_EQ(ArchivioGas[1].Famiglia, 2);
  EXPECT_EQ(ArchivioGas[2].Nome, "Gas. citta'");
  EXPECT_EQ(ArchivioGas[2].Famiglia, 1);
  EXPECT_EQ(ArchivioGas[3].Nome, "Aria");
  EXPECT_EQ(ArchivioGas[3].NonCombustibile, -1);
  EXPECT_FLOAT_EQ(ArchivioGas[3].MassaVolumica, 1.22566f);
}

TEST_F(Gas_, MissingFileGivesAnEmptyArchiveSilently) {
  NumGas = 2;
  ArchivioGas.resize(3);
  InitGas();
  EXPECT_EQ(NumGas, 0);
  EXPECT_EQ(ArchivioGas.size(), 1u);
}

TEST_F(Gas_, SaveAndLoadRoundTripLeavesDeletedGasesOut) {
  const std::string contenuto =
      "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
      "Azoto\t 0,967 \t 1,485E-05 \t 0 \t 0 \t-1 \r\n";
  dir.Write("gas.cfg", contenuto);
  InitGas();
  ASSERT_EQ(NumGas, 2);
  ASSERT_TRUE(SalvaGas());
  EXPECT_EQ(dir.Read("gas.cfg"), contenuto);

  int16_t i = AggiungiGas("Città");
  EXPECT_EQ(i, 3);
  EXPECT_EQ(NumGas, 3);
  ArchivioGas[3].Densita = 0.6f;
  ArchivioGas[3].Viscosita = 1.5e-5f;
  ArchivioGas[3].PCI = 16;
  ArchivioGas[3].PCS = 18.25f;
  ArchivioGas[1].Cancellato = -1;
  ASSERT_TRUE(SalvaGas());
  EXPECT_EQ(dir.Read("gas.cfg"),
            "Azoto\t 0,967 \t 1,485E-05 \t 0 \t 0 \t-1 \r\n"
            "Citt\xE0\t 0,6 \t 1,5E-05 \t 16 \t 18,25 \t 0 \r\n");  // Windows-1252 on disk
  EXPECT_EQ(NumGas, 3);                                   // the archive in memory is not compacted
  InitGas();
  ASSERT_EQ(NumGas, 2);
  EXPECT_EQ(ArchivioGas[2].Nome, "Città");
  EXPECT_FLOAT_EQ(ArchivioGas[2].PCS, 18.25f);
  EXPECT_EQ(ArchivioGas[2].Famiglia, 1);
}

// The lines the start told as not loaded (a twin, a value out of range, a short line), remarks and
// blank lines stay in the file, byte for byte and in their places, whatever gas is saved.
TEST_F(Gas_, ASaveKeepsEveryLineItDidNotLoadByteForByte) {
  const std::string testa =
      "# gas dell'ufficio \x80\r\n"
      "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
      "METANO \t 0,6 \t 1,6E-05 \t 35 \t 38 \t 0\r\n"
      "\r\n"
      "Pesante\t 99 \t 1,6E-05 \t 35 \t 38 \t 0\r\n";
  const std::string azoto = "Azoto\t 0,967 \t 1,485E-05 \t 0 \t 0 \t-1 \r\n";
  const std::string coda = "Citt\xE0 corta\t 1,55\r\n";
  dir.Write("gas.cfg", testa + azoto + coda);
  utente.PermettiTutti();
  InitGas();
  ASSERT_EQ(NumGas, 2);
  const int16_t i = AggiungiGas("Nuovo");
  ArchivioGas[static_cast<size_t>(i)] = ArchivioGas[1];
  ArchivioGas[static_cast<size_t>(i)].Nome = "Nuovo";
  ArchivioGas[2].Cancellato = -1;
  ASSERT_TRUE(SalvaGas());
  EXPECT_EQ(dir.Read("gas.cfg"), testa + coda + "Nuovo\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n");
  // Read back, saved again: the same file.
  InitGas();
  const std::string dopo = dir.Read("gas.cfg");
  ASSERT_TRUE(SalvaGas());
  EXPECT_EQ(dir.Read("gas.cfg"), dopo);
}

// One rule for gas names wherever a gas is found or compared: blanks of every kind around the name
// left out, a run of them inside counted as one, letter case ignored.
TEST_F(Gas_, UnaSolaRegolaPerINomiDeiGas) {
  struct Caso {
    const char* a;
    const char* b;
    bool stesso;
  } casi[] = {
      {"Metano", "Metano", true},           {"Metano", "METANO", true},
      {"Metano", " metano ", true},         {"Metano", "Metano\u00A0", true},
      {"Metano", "\u2003Metano\t", true},   {"GPL Propano", "GPL  Propano", true},
      {"GPL Propano", "GPL\u00A0Propano", true}, {"GPL Propano", "GPL \u202F\tPropano", true},
      {"GPL Propano", "GPLPropano", false},  {"Metano", "Metano 2", false},
      {"Metano", "", false},                {"$$Metano", "Metano", false},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(StessoNomeGas(c.a, c.b), c.stesso) << c.a << " / " << c.b;
    EXPECT_EQ(StessoNomeGas(c.b, c.a), c.stesso) << c.b << " / " << c.a;
  }
  EXPECT_EQ(IndiceNomeGas({"", "Metano", "GPL Propano"}, "gpl\u00A0 propano", 1), 2);
  EXPECT_EQ(IndiceNomeGas({"", "Metano"}, "Metano2", 1), -1);
  // The loader: a non-breaking blank (Windows-1252 A0) and a doubled inner blank make no new gas.
  dir.Write("gas.cfg",
            "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
            "Metano\xA0\t 0,6 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
            "GPL Propano\t 1,55 \t 4E-06 \t 88 \t 95 \t 0 \r\n"
            "GPL  Propano\t 1,56 \t 4E-06 \t 88 \t 95 \t 0 \r\n");
  utente.Attendi("riga 2: il gas Metano e' gia' presente con lo stesso nome");
  InitGas();
  EXPECT_EQ(NumGas, 2);
}

TEST_F(Gas_, FailedSaveKeepsTheOldFileAndSaysSo) {
  const std::string vecchio = "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n";
  dir.Write("gas.cfg", vecchio);
  InitGas();
  AggiungiGas("Nuovo");
  std::string errore;
  {
    test::ScritturaBloccata bloccata;
    EXPECT_FALSE(SalvaGas(&errore));
  }
  EXPECT_FALSE(errore.empty());
  EXPECT_EQ(dir.Read("gas.cfg"), vecchio);
}

TEST_F(Gas_, SearchIgnoresCaseAndTakesNoWildcards) {
  for (const char* nome : {"Gas*", "Gas?", "Gas#", "Gas[ab]", "GasA", "Metano"}) AggiungiGas(nome);
  EXPECT_EQ(CercaGas("metano"), 6);
  EXPECT_EQ(CercaGas("GASA"), 5);     // not found through "Gas*" or "Gas?"
  EXPECT_EQ(CercaGas("gas#"), 3);
  EXPECT_EQ(CercaGas("Gas[AB]"), 4);
  EXPECT_EQ(CercaGas("gas?"), 2);
  utente.Attendi("Attenzione! Il gas Gas1 selezionato non è disponibile, verrà impostato un gas alternativo");
  EXPECT_EQ(CercaGas("Gas1"), -1);
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].icona, Icona::Critico);
  EXPECT_EQ(utente.messaggi[0].titolo, "");
  // Blanks around a name are no part of it: " Metano " is the Metano of the archive.
  EXPECT_EQ(CercaGas(" Metano "), 6);
  utente.Attendi("Attenzione! Il gas Meta no selezionato");
  EXPECT_EQ(CercaGas("Meta no"), -1);
}

TEST_F(Gas_, ValuesBeyondSinglePrecisionOrNegativeAreRefusedNamingTheLine) {
  dir.Write("gas.cfg",
            "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
            "Enorme\t 3,2E+58 \t 1,6E-05 \t 34 \t 37 \t 0 \r\n"  // line 2: infinite as a single
            "Rotto\t 0,6 \t-,2 E11406 \t 34 \t 37 \t 0 \r\n"     // line 3
            "Negativo\t 0,6 \t 1,6E-05 \t-34 \t 37 \t 0 \r\n"    // line 4
            "Aria\t 1 \t 1,469E-05 \t 0 \t 0 \t-1 \r\n");
  utente.Attendi(
      "Errori nel file gas.cfg (3 righe):\r\n"
      "riga 2: valore non valido, il gas non e' stato caricato\r\n"
      "riga 3: valore non valido, il gas non e' stato caricato\r\n"
      "riga 4: potere calorifico inferiore fuori dai valori ammessi (da 1 a 250 MJ/m3), il gas non e' stato "
      "caricato");
  InitGas();
  ASSERT_EQ(NumGas, 2);
  EXPECT_EQ(ArchivioGas[1].Nome, "Metano");
  EXPECT_EQ(ArchivioGas[2].Nome, "Aria");
  // Saved back, the refused lines stay as the user wrote them, never turned into zeros.
  const std::string prima = dir.Read("gas.cfg");
  ASSERT_TRUE(SalvaGas());
  EXPECT_EQ(dir.Read("gas.cfg"), prima);
}

TEST_F(Gas_, FieldsThatAreNotNumbersAreRefusedWithFileAndLine) {
  dir.Write("gas.cfg",
            "Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"
            "NonNumero\t NaN \t 1,6E-05 \t 34 \t 37 \t 0 \r\n"     // line 2: loaded as 0 before
            "Bandiera\t 0,6 \t 1,6E-05 \t 34 \t 37 \t 1E+40 \r\n"  // line 3: loaded as combustible
            "Coda\t 0,6abc \t 1,6E-05 \t 34 \t 37 \t 0 \r\n"       // line 4: the digits before the letters
            "Due\t 0,6 \t 1,6E-05 \t 34 \t 37 \t 2 \r\n"           // line 5: a flag is 0 or -1
            "Uno\t 1 \t 1,469E-05 \t 0 \t 0 \t 1 \r\n"             // a hand-written 1 is -1
            "Aria\t 1 \t 1,469E-05 \t 0 \t 0 \t-1 \r\n");
  utente.Attendi(
      "Errori nel file gas.cfg (4 righe):\r\n"
      "riga 2: valore non valido, il gas non e' stato caricato\r\n"
      "riga 3: valore non valido, il gas non e' stato caricato\r\n"
      "riga 4: valore non valido, il gas non e' stato caricato\r\n"
      "riga 5: valore non valido, il gas non e' stato caricato");
  InitGas();
  ASSERT_EQ(NumGas, 3);
  EXPECT_EQ(ArchivioGas[1].Nome, "Metano");
  EXPECT_EQ(ArchivioGas[2].Nome, "Uno");
  EXPECT_EQ(ArchivioGas[2].NonCombustibile, -1);
  EXPECT_EQ(ArchivioGas[3].Nome, "Aria");
}

}  // namespace
}  // namespace varnex
