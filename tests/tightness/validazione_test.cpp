#include "tightness/validazione.h"

#include <gtest/gtest.h>

namespace varnex {
namespace {

struct CasoValida {
  const char* valore;
  int16_t tipo;
  const char* decimali;
  const char* massimo;
  bool valido;
  const char* dopo;
};

TEST(ValidaCampo, RulesByKind) {
  const CasoValida casi[] = {
      {"", 1, "", "", true, ""},
      {"x", 6, "", "", false, "x"},
      {"x", 11, "", "", false, "x"},
      {"", 2, "", "", false, ""},
      {" ", 2, "", "", true, " "},
      // Point to comma, decimals, maximum.
      {"2.5", 3, "1", "3", true, "2,5"},
      {"2", 3, "1", "3", true, "2,0"},
      {"3.4", 3, "1", "3", false, "3,4"},
      {"3", 3, "1", "3", true, "3,0"},
      // An empty box stays empty: it is missing, not 0.
      {"", 3, "1", "3", false, ""},
      {"", 3, "", "", false, ""},
      {"abc", 3, "1", "", false, "abc"},
      {"1.234", 3, "", "", true, "1,234"},
      // Rounding never changes a typed value: the decimals only pad it.
      // In a box of whole units exactly three decimals would read back from the file as a
      // thousands group: the same value is written without them.
      {"12,345", 3, "0", "", true, "12,3450"},
      {"1,500", 3, "0", "", true, "1,5"},
      {"1,5", 3, "0", "", true, "1,5"},
      {"1,500", 3, "1", "", true, "1,5"},
      {"1E+300", 3, "0", "", true, "1E+300"},
      {"5.04", 3, "1", "", true, "5,04"},
      {"3,04", 3, "1", "3", false, "3,04"},
      {"5", 3, "2", "", true, "5,00"},
      {"0", 3, "0", "", true, "0"},
      // Not zero.
      {"0", 4, "1", "", false, "0,0"},
      {"0.04", 4, "1", "", true, "0,04"},
      {"", 4, "0", "", false, ""},
      {"x", 4, "0", "", false, "x"},
      {"2000", 4, "0", "", true, "2000"},
      // Without the point-to-comma step: the point groups thousands.
      {"3", 5, "0", "", true, "3"},
      {"", 5, "0", "", false, ""},
      {"-2", 5, "0", "", true, "-2"},
      {"1.5", 5, "0", "", true, "15"},
      {"a", 5, "0", "", false, "a"},
      // Check boxes.
      {"0", 7, "", "", false, "0"},
      {"-1", 8, "", "", true, "-1"},
      {"1", 8, "", "", true, "1"},
      // Dates and times.
      {"31/12/2007", 9, "", "", true, "31/12/2007"},
      {"0/5/2007", 9, "", "", false, "0/5/2007"},
      {"1/13/2007", 9, "", "", false, "1/13/2007"},
      {"12/5/1900", 9, "", "", false, "12/5/1900"},
      {"9.30", 10, "", "", true, "9.30"},
      {"24:00", 10, "", "", false, "24:00"},
      {"23:60", 10, "", "", false, "23:60"},
  };
  for (const CasoValida& c : casi) {
    std::string v = c.valore;
    EXPECT_EQ(ValidaCampo(v, c.tipo, c.decimali, c.massimo), c.valido) << c.valore << " type " << c.tipo;
    EXPECT_EQ(v, c.dopo) << c.valore << " type " << c.tipo;
  }
}

TEST(ValidaCampo, ColoursOfFieldsAndOptionPairs) {
  EXPECT_EQ(ColoraCampo(false, 2), ColoreGialloChiaro);
  EXPECT_EQ(ColoraCampo(false, 8), ColoreGialloChiaro);
  EXPECT_EQ(ColoraCampo(true, 2), ColoreSfondoFinestra);
  EXPECT_EQ(ColoraCampo(true, 7), ColoreSfondoFinestra);
  EXPECT_EQ(ColoraCampo(true, 8), ColoreFacciaPulsante);
  EXPECT_EQ(ColoraCoppiaOpzioni(false, false), ColoreGialloChiaro);
  EXPECT_EQ(ColoraCoppiaOpzioni(true, false), ColoreFacciaPulsante);
  EXPECT_EQ(ColoraCoppiaOpzioni(false, true), ColoreFacciaPulsante);
  EXPECT_EQ(ColoreGialloChiaro, 0xC0FFFFu);  // RGB 255, 255, 192 as &HBBGGRR
  EXPECT_TRUE(IsColoreSistema(ColoreSfondoFinestra));
  EXPECT_FALSE(IsColoreSistema(ColoreRossoTenuta));
}

TEST(DimensionaPaginaTenuta, RangeAndLargeStep) {
  struct Caso {
    int schede, inner, bordo;
    int altezza, massimo, passo;
  } casi[] = {
      // Page taller than the tab: the range is what does not fit.
      {8000, 17900, 30, 7980, 9900, 7209},   // 7980 / 7950 * 7980 * 0.9 = 7209.1
      {8000, 17900, 0, 7980, 9900, 7182},
      // Page shorter than the tab: nothing to scroll, or the page could be scrolled out of sight.
      {20000, 17900, 0, 19980, 0, 17982},
      {17900, 17900, 0, 17880, 0, 16092},
      // Beyond 16 bits.
      {8000, 100000, 0, 7980, 32767, 7182},
      {60000, 100000, 0, 59980, 32767, 32767},
      // Nothing visible: no step, no failure.
      {20, 17900, 30, 0, 17880, 0},
      {0, 0, 0, 0, 0, 0},
  };
  for (const Caso& c : casi) {
    const ScrollTenuta s = DimensionaPaginaTenuta(c.schede, c.inner, c.bordo);
    EXPECT_EQ(s.Altezza, c.altezza) << c.schede << " " << c.inner;
    EXPECT_EQ(s.Massimo, c.massimo) << c.schede << " " << c.inner;
    EXPECT_EQ(s.PassoGrande, c.passo) << c.schede << " " << c.inner;
  }
}

}  // namespace
}  // namespace varnex
