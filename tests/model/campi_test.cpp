#include <gtest/gtest.h>

#include <cmath>

#include "model/campi.h"
#include "model/gas.h"
#include "model/rete.h"
#include "rete_prova.h"

namespace varnex::test {
namespace {

using Campi = ReteTest;

// Writing each stored code and reading it back: the type GetField returns and the value kept.
TEST_F(Campi, EveryStoredCodeReadsBackWithItsType) {
  struct Caso {
    int16_t codice;
    const char* testo;
    ValoreCampo atteso;
  } casi[] = {
      {1, " Tronco A ", std::string(" Tronco A ")},
      {2, "12", int16_t{12}},
      {3, "1.25", 1.25f},
      {4, "0.1", 0.1f},
      {5, "12.5", 12.5f},
      {6, "3", int16_t{3}},
      {7, "4", int16_t{4}},
      {8, "1.5", 1.5f},
      {9, "2.5", 2.5f},
      {10, "3/4", std::string("3/4")},
      {11, "-1", int16_t{-1}},
      {12, "4.75", 4.75f},
      {13, "-1", -1.0f},
      {14, "123.25", 123.25f},
      {15, "7", 7.0f},
      {16, "5", int16_t{5}},
      {17, "6", int16_t{6}},
      {18, "7", int16_t{7}},
      {20, "cucina", std::string("cucina")},
      {21, "24.5", 24.5f},
      {22, "2", int16_t{2}},
      {23, "1", int16_t{1}},
      {24, "0.75", 0.75f},
      {25, "9", int16_t{9}},
      {26, "3.5", 3.5f},
      {27, "Nome", std::string("Nome")},
      {28, "14.5", 14.5f},
      {29, "3", int16_t{3}},
      {30, "101000", std::string("101000")},
      {34, "-2", int16_t{-2}},
      {36, "70", int16_t{70}},
      {37, "1", int16_t{1}},
      {38, "2", int16_t{2}},
      {39, "3", int16_t{3}},
      {40, "4", int16_t{4}},
      {41, "5", int16_t{5}},
      {42, "6", int16_t{6}},
      {45, "70000", int32_t{70000}},
      {46, "-1234567", int32_t{-1234567}},
      {47, "2500.5", int32_t{2500}},
      {48, "1", int16_t{-1}},
      {49, "-1", int16_t{-1}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.codice);
    Tronco(3) = TTronco{};
    SetField(3, c.codice, c.testo);
    EXPECT_EQ(GetField(3, c.codice), c.atteso);
  }
}

TEST_F(Campi, EachCodeWritesItsOwnField) {
  struct Caso {
    int16_t codice;
    float TTronco::*reale;
    int16_t TTronco::*intero;
  } casi[] = {
      {3, &TTronco::ID_P_UTENZE, nullptr},   {4, &TTronco::ID_P_TRONCO, nullptr},
      {5, &TTronco::ID_LEN, nullptr},        {8, &TTronco::ID_RACCORDO, nullptr},
      {9, &TTronco::ID_PDC_NOTA, nullptr},   {12, &TTronco::ID_VELOCITA, nullptr},
      {13, &TTronco::ID_PDC_TRONCO, nullptr}, {14, &TTronco::ID_PDC_PERCORSO, nullptr},
      {15, &TTronco::ID_PESO, nullptr},      {21, &TTronco::ID_POTENZA, nullptr},
      {24, &TTronco::ID_EQLENNOTA, nullptr}, {26, &TTronco::ID_RACCORDO, nullptr},
      {28, &TTronco::ID_EQ_LEN, nullptr},    {2, nullptr, &TTronco::ID_NUM},
      {6, nullptr, &TTronco::ID_NCURVE},     {7, nullptr, &TTronco::ID_NGOMITI},
      {11, nullptr, &TTronco::ID_DIAMCUSTOM}, {16, nullptr, &TTronco::ID_PREV},
      {17, nullptr, &TTronco::ID_LEFT},      {18, nullptr, &TTronco::ID_RIGHT},
      {22, nullptr, &TTronco::ID_NRACCORDI}, {23, nullptr, &TTronco::ID_NRUBINETTI},
      {25, nullptr, &TTronco::ID_TIPORACCORDO}, {29, nullptr, &TTronco::TipologiaUtenza},
      {34, nullptr, &TTronco::CodiceSvolta}, {36, nullptr, &TTronco::ID_CONTEMP},
      {37, nullptr, &TTronco::ID_SPC5},      {38, nullptr, &TTronco::ID_SPC6},
      {39, nullptr, &TTronco::ID_SPC7},      {40, nullptr, &TTronco::ID_SPC8},
      {41, nullptr, &TTronco::ID_SPC9},      {42, nullptr, &TTronco::ID_SPC10},
      {48, nullptr, &TTronco::Eliminato},    {49, nullptr, &TTronco::SlotLibero},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.codice);
    Tronco(5) = TTronco{};
    SetField(5, c.codice, "9");
    TTronco atteso;
    if (c.reale) atteso.*c.reale = 9.0f;
    if (c.intero) atteso.*c.intero = (c.codice == 48 || c.codice == 49) ? -1 : 9;
    EXPECT_EQ(Tronco(5), atteso);
  }
}

TEST_F(Campi, AliasCodesShareTheirField) {
  SetField(1, 27, "Cucina");
  EXPECT_EQ(GetField(1, 1), ValoreCampo(std::string("Cucina")));
  SetField(1, 1, "Bagno");
  EXPECT_EQ(GetField(1, 27), ValoreCampo(std::string("Bagno")));
  SetField(1, 26, "2.5");
  EXPECT_EQ(GetField(1, 8), ValoreCampo(2.5f));
  SetField(1, 8, "4");
  EXPECT_EQ(GetField(1, 26), ValoreCampo(4.0f));
}

TEST_F(Campi, NumbersFollowTheDecimalReadingRuleAndRoundHalfToEven) {
  struct Caso {
    int16_t codice;
    const char* testo;
    ValoreCampo atteso;
  } casi[] = {
      {5, "12,5", 12.0f},          {5, "12.5", 12.5f},      {5, " 1 2 . 5 ", 12.5f},
      {5, "abc", 0.0f},            {5, "", 0.0f},           {5, "3m", 3.0f},
      {6, "2.5", int16_t{2}},      {6, "3.5", int16_t{4}},  {6, "-2.5", int16_t{-2}},
      {6, "2.51", int16_t{3}},     {36, "99.5", int16_t{100}}, {45, "2.5", int32_t{2}},
      {45, "3.5", int32_t{4}},     {48, "0", int16_t{0}},   {48, "0.4", int16_t{-1}},
      {49, "-1", int16_t{-1}},     {49, "no", int16_t{0}},  {4, "0.1", 0.1f},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.codice) + " " + c.testo);
    Tronco(2) = TTronco{};
    SetField(2, c.codice, c.testo);
    EXPECT_EQ(GetField(2, c.codice), c.atteso);
  }
}

TEST_F(Campi, ANumberThatDoesNotFitLeavesTheFieldAsItWas) {
  Tronco(2).ID_NCURVE = 5;
  Tronco(2).FineX = 8;
  SetField(2, 6, "40000");
  SetField(2, 45, "3000000000");
  EXPECT_EQ(Tronco(2).ID_NCURVE, 5);
  EXPECT_EQ(Tronco(2).FineX, 8);
}

TEST_F(Campi, ComputedAndReadOnlyCodesIgnoreWritesAndCodesOutsideTheRangeAreEmpty) {
  TTronco& t = Tronco(4);
  t.ID_P_TRONCO = 2;
  t.ID_PFINALE = 180;
  t.ID_EQ_LEN = 15;
  t.ID_LEN = 10;
  t.ID_EQLENNOTA = 1.5f;
  const TTronco prima = t;
  for (int16_t codice : {0, 31, 32, 33, 35, 43, 44, 50, -1, 100}) {
    SetField(4, codice, "77");
    SetField(4, codice, 77.0);
  }
  EXPECT_EQ(Tronco(4), prima);
  for (int16_t codice : {0, 50, -3, 200}) EXPECT_TRUE(IsVuoto(GetField(4, codice))) << codice;
  EXPECT_TRUE(IsVuoto(GetField(201, 1)));
  EXPECT_TRUE(IsVuoto(GetField(-1, 1)));
  SetField(201, 1, "x");  // a caller error that must not write outside the table
  EXPECT_EQ(GetField(43, 43), ValoreCampo(0.0f));
  EXPECT_EQ(GetField(4, 43), ValoreCampo(180.0f));
  EXPECT_EQ(GetField(4, 44), ValoreCampo(3.5f));
}

TEST_F(Campi, ThermalPowerUsesTheHeatingValueOfTheApplianceType) {
  GasCorrente.PCI = 34.02f;
  GasCorrente.PCS = 37.78f;
  TTronco& t = Tronco(1);
  t.ID_P_TRONCO = 2;
  struct Caso {
    int16_t tipo;
    double potere;
    const char* nome;
  } casi[] = {{1, 37.78f, "Cottura"}, {2, 34.02f, "Riscaldamento"}, {0, 34.02f, "Riscaldamento"},
              {4, 34.02f, "Riscaldamento"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.tipo);
    t.TipologiaUtenza = c.tipo;
    const ValoreCampo w = GetField(1, 31);
    ASSERT_TRUE(std::holds_alternative<double>(w));
    EXPECT_DOUBLE_EQ(std::get<double>(w), c.potere * 2 * 1000 / 3.6);
    const ValoreCampo kcal = GetField(1, 32);
    ASSERT_TRUE(std::holds_alternative<double>(kcal));
    EXPECT_DOUBLE_EQ(std::get<double>(kcal), c.potere * 2 * 1000 / 3.6 * 0.86);
    EXPECT_EQ(GetField(1, 33), ValoreCampo(std::string(c.nome)));
  }
}

TEST_F(Campi, InnerDiameterCodeReadsTheSeriesRow) {
  TTronco& t = Tronco(1);
  t.IndiceMateriale = 1;
  t.ID_DIAMETRO = "3/4";
  EXPECT_EQ(GetField(1, 35), ValoreCampo(21.6f));
  t.ID_DIAMETRO = "Auto";
  EXPECT_EQ(GetField(1, 35), ValoreCampo(0.0f));
  t.ID_DIAMETRO = "3/4";
  t.IndiceMateriale = 0;
  EXPECT_EQ(GetField(1, 35), ValoreCampo(0.0f));
}

TEST_F(Campi, WritingALinkTouchesNothingElse) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}, {0, 0, 0}});
  SetField(3, 16, "1");
  SetField(1, 18, "3");
  SetField(2, 5, "7");
  EXPECT_EQ(LinkRete(), (std::vector<Link>{{0, 2, 3}, {1, 0, 0}, {1, 0, 0}}));
  SetField(1, 17, "0");
  EXPECT_EQ(Tronco(2).ID_PREV, 1);
  EXPECT_EQ(Tronco(2).ID_EQ_LEN, 0.0f);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(Campi, SeriesNameIsFoundWithBlanksAndAnotherLetterCase) {
  SetField(1, 19, "  rame-b ");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 2);
  EXPECT_EQ(Tronco(1).ID_MATERIALE, "  rame-b ");
  EXPECT_EQ(GetField(1, 19), ValoreCampo(std::string("  rame-b ")));
  SetField(1, 19, "PE4437");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 3);
  SetField(1, 19, "   ");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 0);
  EXPECT_EQ(Tronco(1).ID_MATERIALE, "   ");
  SetField(1, 19, "");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 0);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(Campi, SeriesSearchTrimsAndUpperCasesTheCallersText) {
  std::string nome = "  acciaiom  ";
  EXPECT_EQ(CercaMaterialeNome(nome), 1);
  EXPECT_EQ(nome, "ACCIAIOM");
  nome = "ACCIAIO M";
  EXPECT_EQ(CercaMaterialeNome(nome), 0);
  // Only the caller's text is trimmed: a series name with a blank inside the archive stays so.
  Materiali[2][0].Nome = "rame-b ";
  nome = "RAME-B";
  EXPECT_EQ(CercaMaterialeNome(nome), 0);
  nome = "";
  EXPECT_EQ(CercaMaterialeNome(nome), 0);
}

TEST_F(Campi, AMissingSeriesIsAskedOncePerName) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(3);  // OTTONE -> PE4437
  dialogo.Rispondi(1);  // GHISA -> ACCIAIOM
  SetField(1, 19, "Ottone");
  SetField(2, 19, "  OTTONE ");
  SetField(3, 19, "ottone");
  SetField(4, 19, "GHISA");
  SetField(5, 19, "ghisa");
  ASSERT_EQ(dialogo.domande.size(), 2u);
  EXPECT_EQ(dialogo.domande[0].nome, "Ottone");
  EXPECT_EQ(dialogo.domande[0].tipo, SostituzioneMateriale);
  EXPECT_EQ(dialogo.domande[0].candidati, (std::vector<std::string>{"ACCIAIOM", "RAME-B", "PE4437"}));
  EXPECT_EQ(dialogo.domande[1].nome, "GHISA");
  for (int16_t s : {1, 2, 3}) {
    EXPECT_EQ(Tronco(s).IndiceMateriale, 3) << s;
    EXPECT_EQ(Tronco(s).ID_MATERIALE, "PE4437") << s;
  }
  for (int16_t s : {4, 5}) {
    EXPECT_EQ(Tronco(s).IndiceMateriale, 1) << s;
    EXPECT_EQ(Tronco(s).ID_MATERIALE, "ACCIAIOM") << s;
  }
  EXPECT_EQ(ProgettoModificato, -1);
}

TEST_F(Campi, AMissingSeriesLeftWithoutAnswerGetsIndexZeroAndKeepsItsName) {
  // The calculation's refusal names the missing series, and a save keeps what the file said.
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(0);
  SetField(1, 19, "OTTONE");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 0);
  EXPECT_EQ(Tronco(1).ID_MATERIALE, "OTTONE");
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(Campi, ValueHelpers) {
  EXPECT_EQ(NumeroCampo(ValoreCampo(std::string("12.5kg"))), 12.5);
  EXPECT_EQ(NumeroCampo(ValoreCampo(int16_t{-3})), -3);
  EXPECT_EQ(NumeroCampo(ValoreCampo(int32_t{70000})), 70000);
  EXPECT_EQ(NumeroCampo(ValoreCampo(2.5f)), 2.5);
  EXPECT_EQ(NumeroCampo(ValoreCampo()), 0);
  EXPECT_EQ(TestoCampo(ValoreCampo(2.5f)), "2,5");
  EXPECT_EQ(TestoCampo(ValoreCampo(int16_t{7})), "7");
  EXPECT_EQ(TestoCampo(ValoreCampo(std::string("x"))), "x");
  EXPECT_EQ(TestoCampo(ValoreCampo()), "");
}

TEST_F(Campi, NumericWritesUseTheSameRules) {
  SetField(1, 6, 2.5);
  SetField(1, 7, 3.5);
  SetField(1, 5, 12.5);
  SetField(1, 48, 0.0);
  SetField(1, 49, 3.0);
  SetField(1, 1, 2.5);
  EXPECT_EQ(Tronco(1).ID_NCURVE, 2);
  EXPECT_EQ(Tronco(1).ID_NGOMITI, 4);
  EXPECT_EQ(Tronco(1).ID_LEN, 12.5f);
  EXPECT_EQ(Tronco(1).Eliminato, 0);
  EXPECT_EQ(Tronco(1).SlotLibero, -1);
  EXPECT_EQ(Tronco(1).ID_NAME, "2,5");
}

}  // namespace
}  // namespace varnex::test
