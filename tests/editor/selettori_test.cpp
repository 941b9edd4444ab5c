// The rules of the network-wide selectors: their entries, the key filter and the values applied.
#include "editor/selettori.h"

#include <gtest/gtest.h>

#include "editor/ui/archivi_finestre.h"
#include "model/calcolo.h"
#include "model/globals.h"
#include "model/numbers.h"
#include "model/rete.h"

namespace varnex {
namespace {

TEST(Selettori, FiftyOneEntriesFromAutoToFiveHundred) {
  const auto voci = VociSelettore();
  ASSERT_EQ(voci.size(), 51u);
  EXPECT_EQ(voci[0], "Auto");
  EXPECT_EQ(voci[1], "10");
  EXPECT_EQ(voci[50], "500");
  EXPECT_EQ(VoceUguale(voci, "150"), 15);
  EXPECT_EQ(VoceUguale(voci, "auto"), -1);
  EXPECT_EQ(VoceUguale(voci, "150,5"), -1);
  EXPECT_EQ(TestoValoreSelettore(200), "200");
  EXPECT_EQ(TestoValoreSelettore(150.5), "150,5");
}

// No key that can be part of the number is dropped: a comma or a fifth digit dropped from the
// maximum drop applied a limit ten times the one typed ("30,5" became 305 Pa).
TEST(Selettori, KeyFilter) {
  struct Caso {
    Selettore s;
    char tasto;
    bool passa;
  } casi[] = {
      {Selettore::PressioneIniziale, '5', true}, {Selettore::PressioneIniziale, 8, true},
      {Selettore::PressioneFinale, ',', true},   {Selettore::PressioneFinale, '.', true},
      {Selettore::PressioneFinale, 'a', false},  {Selettore::PerditaMassima, '5', true},
      {Selettore::PerditaMassima, ',', true},    {Selettore::PerditaMassima, '.', true},
      {Selettore::PerditaMassima, 'x', false},   {Selettore::PerditaMassima, '-', false},
  };
  for (const Caso& c : casi) EXPECT_EQ(TastoAmmesso(c.s, c.tasto), c.passa) << c.tasto;
}

// What a list holds is applied as typed or refused with the list named and the text quoted.
TEST(Selettori, TextThatIsNoSingleNumberIsRefused) {
  struct Caso {
    Selettore s;
    const char* testo;
    const char* rifiuto;  // the start of the message, empty when applied
  } casi[] = {
      {Selettore::PerditaMassima, "30,5", ""},
      {Selettore::PerditaMassima, "30.5", ""},
      {Selettore::PerditaMassima, "Auto", ""},
      {Selettore::PerditaMassima, "0", ""},
      {Selettore::PerditaMassima, "", ""},
      {Selettore::PerditaMassima, "12345", ""},
      {Selettore::PerditaMassima, "3,0,5", "\"3,0,5\" non e' un numero valido per la perdita massima imposta (Dp max)."},
      {Selettore::PerditaMassima, "-30", "La perdita massima imposta (Dp max) non puo' essere negativa."},
      {Selettore::PressioneIniziale, "1,2,3", "\"1,2,3\" non e' un numero valido per la pressione relativa iniziale."},
      {Selettore::PressioneFinale, "150.5.", "\"150.5.\" non e' un numero valido per la pressione relativa finale."},
      {Selettore::PressioneFinale, "-80", "La pressione relativa finale non puo' essere negativa."},
      {Selettore::PressioneFinale, "1E+99", "\"1E+99\" non e' un numero valido per la pressione relativa finale."},
      {Selettore::PressioneIniziale, "auto", "\"auto\" non e' un numero valido"},
      {Selettore::PressioneIniziale, "150,5", ""},
  };
  for (const Caso& c : casi) {
    const std::string r = RifiutoSelettore(c.s, c.testo);
    if (*c.rifiuto == 0)
      EXPECT_EQ(r, "") << c.testo;
    else
      EXPECT_EQ(r.rfind(c.rifiuto, 0), 0u) << c.testo << ": " << r;
  }
}

TEST(Selettori, PressureFromTheText) {
  struct Caso {
    const char* testo;
    double valore;
    bool rossa;
  } casi[] = {{"Auto", 150, false}, {"0", 150, false}, {"150", 150, false}, {"150,5", 150.5, true},
              {"0150", 150, false}, {"", 0, true},      {"-80", 80, true},    {"abc", 0, true}};
  for (const Caso& c : casi) {
    const EsitoPressione e = LeggiPressione(c.testo, 150);
    EXPECT_DOUBLE_EQ(e.Valore, c.valore) << c.testo;
    EXPECT_EQ(e.Rossa, c.rossa) << c.testo;
  }
}

TEST(Selettori, AutoPressureIsTheDefaultANewProjectGets) {
  // "2.5" typed as a default is 2,5 kPa in a new project; "Auto" in the pressure list must mean
  // the same number, not the 25 a thousands reading would give.
  const std::string iniziale = DefaultPressioneIniziale, finale = DefaultPressioneFinale;
  DefaultPressioneIniziale = "2.5";
  DefaultPressioneFinale = "x";
  ResetRete();
  EXPECT_DOUBLE_EQ(LeggiPressione("Auto", PressioneInizialeDefault()).Valore, 2.5);
  EXPECT_DOUBLE_EQ(LeggiPressione("Auto", PressioneInizialeDefault()).Valore, PressioneIniziale);
  EXPECT_DOUBLE_EQ(LeggiPressione("Auto", PressioneFinaleDefault()).Valore, PressioneFinale);
  EXPECT_DOUBLE_EQ(PressioneFinale, 150);
  DefaultPressioneIniziale = iniziale;
  DefaultPressioneFinale = finale;
}

TEST(Selettori, MaximumDropFromTheTextAndItsColour) {
  test::ArchiviDistribuiti archivi;
  test::ReteDiProva(false);
  const double tabella = PerditaMassimaTabella();
  ASSERT_GT(tabella, 0);
  PDCMaxUtente = 0;
  EXPECT_DOUBLE_EQ(PDCMassima(), tabella);

  ApplicaPerditaMassima("75");
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 75);
  EXPECT_EQ(PDCMaxTesto, "75");
  EXPECT_TRUE(PerditaMassimaRossa("75"));

  for (const char* t : {"Auto", "0"}) {
    ApplicaPerditaMassima(t);
    EXPECT_DOUBLE_EQ(PDCMaxUtente, 0);
    EXPECT_EQ(PDCMaxTesto, TestoNumero(PDCMassima()));
  }
  EXPECT_FALSE(PerditaMassimaRossa(PDCMaxTesto));

  // Above the power threshold the other row of the table is in force.
  Tronco(1).ID_P_TRONCO = static_cast<float>((SogliaPotenzaPDC + 10) * 3.6 / GasCorrente.PCI);
  EXPECT_DOUBLE_EQ(PerditaMassimaTabella(),
                   ArrotondaPari(PDCMaxTabella[2][static_cast<size_t>(GasCorrente.Famiglia)]));
}

}  // namespace
}  // namespace varnex
