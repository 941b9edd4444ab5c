// The flow computations of the appliance dialogs: unit conversions with the program's rounding
// and grouping, the key filter of the unit boxes and storing the answer into a segment.
#include <gtest/gtest.h>

#include "editor/portata.h"
#include "model/gas.h"
#include "model/rete.h"

namespace varnex {
namespace {

TEST(Portata, RoundArrotondaSoloDaCinquemilaInSu) {
  EXPECT_EQ(RoundTesto("1479,6"), "1479");           // one to three decimals never round up
  EXPECT_EQ(RoundTesto("1162,79069767442"), "1163");  // many decimals: a low bar
  EXPECT_EQ(RoundTesto("10,5000"), "11");             // four decimals: the usual half
  EXPECT_EQ(RoundTesto("10,4999"), "10");
  EXPECT_EQ(RoundTesto("3000"), "3000");
  EXPECT_EQ(RoundTesto("abc,99999"), "0");
  EXPECT_EQ(RoundTesto("0,05"), "0");
  EXPECT_EQ(RoundTesto("0,05000"), "1");  // five decimals: 0,05 is the bar
  EXPECT_EQ(RoundTesto("0,04999"), "0");
}

TEST(Portata, TestoDiNumeroEnormeNonTraboccaLIntero) {
  // A number in exponent form pasted into the W or kcal/h box (the key filter sees no paste): the
  // part before the comma stands for no whole number and counts as none.
  EXPECT_EQ(RoundTesto("1E+99,5"), "0");
  EXPECT_EQ(RoundTesto("12,1E+99"), "12");
  EXPECT_EQ(Ricalcola(FontePortata::Watt, 0, "1E+99,5", 39.0f).Watt, "0");
  EXPECT_EQ(Ricalcola(FontePortata::Kcal, 0, "1E+99,5", 39.0f).Kcal, "0");
}

TEST(Portata, RaggruppamentoPerTre) {
  EXPECT_EQ(InsertTousendSeparator("1234567", " "), "1 234 567");
  EXPECT_EQ(InsertTousendSeparator("123456", " "), "123 456");
  EXPECT_EQ(InsertTousendSeparator("123", " "), "123");
  EXPECT_EQ(InsertTousendSeparator("-1234", " "), "-1 234");  // no sign handling
  EXPECT_EQ(InsertTousendSeparatorInDecimalValue("1234,50", " "), "1 234,50");
  EXPECT_EQ(InsertTousendSeparatorInDecimalValue(",50", " "), "0,50");
  EXPECT_EQ(InsertTousendSeparatorInDecimalValue("1234.5", " "), "1 234.5");
  EXPECT_EQ(InsertTousendSeparatorInDecimalValue("1234", " "), "1 234");
}

TEST(Portata, RicalcolaDaFornelliEDalleCaselle) {
  // A cooking appliance with PCS 39: the first rapid burner.
  RisultatoPortata r = Ricalcola(FontePortata::Fornelli, 3000, "", 39.0f);
  EXPECT_EQ(r.Watt, "3 000");
  EXPECT_EQ(r.Kcal, "2 580");
  EXPECT_EQ(r.Nmc, "0,28");
  EXPECT_FLOAT_EQ(r.Portata, static_cast<float>(3.0 * 3.6 / 39.0));
  r = Ricalcola(FontePortata::Fornelli, 21000, "", 39.0f);
  EXPECT_EQ(r.Watt, "21 000");
  EXPECT_EQ(r.Kcal, "18 060");
  // 1000 kcal/h: 1162,79... rounds up to 1163 W.
  r = Ricalcola(FontePortata::Kcal, 0, "1000", 39.0f);
  EXPECT_EQ(r.Watt, "1 163");
  EXPECT_EQ(r.Kcal, "1 000");
  // Reopening 0,28 Nmc/h: the power comes back from the rounded flow.
  r = Ricalcola(FontePortata::Nmc, 0, "0,28", 39.0f);
  EXPECT_EQ(r.Watt, "3 034");
  EXPECT_EQ(r.Kcal, "2 609");
  EXPECT_FLOAT_EQ(r.Portata, 0.28f);
  r = Ricalcola(FontePortata::Watt, 0, "3 000", 39.0f);
  EXPECT_EQ(r.Kcal, "2 580");
  EXPECT_EQ(r.Nmc, "0,28");
  r = Ricalcola(FontePortata::Nmc, 0, "1234,5", 39.0f);
  EXPECT_EQ(r.Nmc, "1 234,50");
}

TEST(Portata, PotereCalorificoNulloNonDivideperZero) {
  const RisultatoPortata r = Ricalcola(FontePortata::Watt, 0, "3000", 0.0f);
  EXPECT_EQ(r.Portata, 0.0f);
  EXPECT_EQ(r.Nmc, "0,00");
  EXPECT_EQ(r.Watt, "3 000");
}

TEST(Portata, FiltroDelleCaselleDiUnita) {
  // The W box takes nine characters at most, digits, the decimal comma and the thousands point, no cap.
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "123456789", false, '1').Tasto, 0);
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "12345678", false, '1').Tasto, '1');
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "123456789", true, '1').Tasto, '1');
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "123456789", false, 8).Tasto, 8);
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "1", false, ',').Tasto, ',');
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Kcal, "1", false, '.').Tasto, '.');
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Watt, "1", false, 'a').Tasto, 0);
  // The Nmc/h box takes eight, with "," and ".", and 10000 at most.
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Nmc, "12345678", false, '1').Tasto, 0);
  EXPECT_EQ(FiltraTastoUnita(BoxUnita::Nmc, "0", false, ',').Tasto, ',');
  EsitoTasto e = FiltraTastoUnita(BoxUnita::Nmc, "1000", false, '1');
  EXPECT_EQ(e.Tasto, 0);
  EXPECT_TRUE(e.Sostituisci);
  EXPECT_EQ(e.NuovoTesto, "10000,00");
  EXPECT_FALSE(FiltraTastoUnita(BoxUnita::Nmc, "1000", false, '0').Sostituisci);
  e = FiltraTastoUnita(BoxUnita::Kcal, "85000000", false, '1');
  EXPECT_EQ(e.NuovoTesto, "850000000");
  EXPECT_EQ(e.Tasto, 0);
  // The cap is checked on the text alone when an earlier rule discarded the key.
  e = FiltraTastoUnita(BoxUnita::Kcal, "900000000", false, 'x');
  EXPECT_TRUE(e.Sostituisci);
}

// A pasted text goes around the key filter: OK judges the number and the limits the same way,
// thousands points or not.
TEST(Portata, IlTestoDiUnaCasellaGiudicatoAllOK) {
  struct Caso {
    BoxUnita box;
    const char* testo;
    const char* inizio;  // of the refusal; empty when taken
  };
  for (const Caso& c : {Caso{BoxUnita::Watt, "1.500,5", ""}, Caso{BoxUnita::Watt, "1500,5", ""},
                        Caso{BoxUnita::Watt, "1.500", ""}, Caso{BoxUnita::Watt, "1500.5", "\"1500.5\" non e' un numero"},
                        Caso{BoxUnita::Watt, "-1.500", "La potenza in W non puo' essere negativa"},
                        Caso{BoxUnita::Kcal, "850.000.000", ""},
                        Caso{BoxUnita::Kcal, "850.000.001", "\"850.000.001\" supera il limite di 850.000.000"},
                        Caso{BoxUnita::Kcal, "900000000", "\"900000000\" supera il limite"},
                        Caso{BoxUnita::Nmc, "10000,5", "\"10000,5\" supera il limite di 10.000"},
                        Caso{BoxUnita::Nmc, "9999,99", ""}}) {
    SCOPED_TRACE(c.testo);
    const std::string rifiuto = RifiutoBoxUnita(c.box, c.testo);
    if (*c.inizio == 0)
      EXPECT_EQ(rifiuto, "");
    else
      EXPECT_EQ(rifiuto.rfind(c.inizio, 0), 0u) << rifiuto;
  }
}

TEST(Portata, LetturaEApplicazione) {
  EXPECT_FLOAT_EQ(LeggiPortata("7,5"), 7.5f);
  EXPECT_FLOAT_EQ(LeggiPortata(" 0,5"), 0.5f);
  EXPECT_FLOAT_EQ(LeggiPortata("x"), 0.0f);
  EXPECT_EQ(TestoPortata(12.3456f), "12,35");
  ResetRete();
  ProgettoModificato = 0;
  const std::string comp = "001000";
  ApplicaPortataUtenza(4, 0.28f, 1, &comp);
  EXPECT_FLOAT_EQ(Tronco(4).ID_P_UTENZE, 0.28f);
  EXPECT_FLOAT_EQ(Tronco(4).ID_P_TRONCO, 0.28f);
  EXPECT_EQ(Tronco(4).TipologiaUtenza, 1);
  EXPECT_EQ(Tronco(4).ComposizioneUtenza, "001000");
  EXPECT_EQ(ProgettoModificato, -1);
  ApplicaPortataUtenza(4, 2.0f, 2, nullptr);
  EXPECT_EQ(Tronco(4).ComposizioneUtenza, "001000");
  ApplicaPortataUtenza(500, 2.0f, 2, nullptr);  // no such slot: nothing happens
}

TEST(Portata, PotereCalorificoPerTipologia) {
  GasCorrente.PCS = 39;
  GasCorrente.PCI = 35;
  EXPECT_FLOAT_EQ(PotereCalorificoUtenza(1), 39.0f);
  for (int16_t t : {0, 2, 3, 4}) EXPECT_FLOAT_EQ(PotereCalorificoUtenza(t), 35.0f);
  GasCorrente = TGas{};
}

}  // namespace
}  // namespace varnex
