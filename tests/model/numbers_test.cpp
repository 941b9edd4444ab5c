#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <tuple>

#include "model/numbers.h"

namespace varnex {
namespace {

TEST(DecimalReadingRule, ReadsTheWayFilesAreRead) {
  struct Caso {
    const char* testo;
    double atteso;
  } casi[] = {
      {" 1.5 ", 1.5},     {"1,5", 1.0},         {"1.4E-05", 0.000014}, {"12 34", 1234.0},
      {"&H10", 16.0},     {"&HFFFF", -1.0},     {"&O17", 15.0},        {"abc", 0.0},
      {"", 0.0},          {"-2.5", -2.5},       {"+7", 7.0},           {"\t3\n", 3.0},
      {"1.2.3", 1.2},     {"5E", 5.0},          {"2D2", 200.0},        {".5", 0.5},
      {"-", 0.0},         {"12abc", 12.0},      {"1e+3", 1000.0},      {" - 4", -4.0},
  };
  for (const auto& c : casi) EXPECT_DOUBLE_EQ(Val(c.testo), c.atteso) << c.testo;
  EXPECT_DOUBLE_EQ(ValDot("1,5"), 1.5);
}

TEST(Rounding, IntegersRoundHalfToEven) {
  struct Caso {
    double valore;
    double atteso;
  } casi[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-0.2, 0}};
  for (const auto& c : casi) EXPECT_EQ(ArrotondaPari(c.valore), c.atteso) << c.valore;
  EXPECT_EQ(ToInt16(32767.4).value(), 32767);
  EXPECT_FALSE(ToInt16(32767.6).has_value());
  EXPECT_EQ(ToInt16(-32768.5).value(), -32768);
  EXPECT_FALSE(ToInt16(std::nan("")).has_value());
}

TEST(Regional, ItalianConversions) {
  EXPECT_DOUBLE_EQ(StrToDouble("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(StrToDouble(" 1.234,5 "), 1234.5);
  EXPECT_DOUBLE_EQ(StrToDouble("1.5"), 15.0);  // "." groups thousands
  EXPECT_DOUBLE_EQ(StrToDouble("-0,25"), -0.25);
  EXPECT_DOUBLE_EQ(StrToDouble("1,4E-05"), 0.000014);
  EXPECT_DOUBLE_EQ(StrToDouble(""), 0.0);
  EXPECT_DOUBLE_EQ(StrToDouble("abc"), 0.0);
  EXPECT_DOUBLE_EQ(StrToDouble("12x"), 0.0);
  EXPECT_EQ(StrToInteger("2,5"), 2);
  EXPECT_EQ(StrToInteger("3,5"), 4);
  EXPECT_EQ(StrToInteger(" 12 "), 12);
  EXPECT_EQ(StrToInteger("40000"), 0);  // overflow
  EXPECT_EQ(StrToInteger("x"), 0);
  EXPECT_TRUE(StrToBoolean("True"));
  EXPECT_TRUE(StrToBoolean("vero"));
  EXPECT_TRUE(StrToBoolean("-1"));
  EXPECT_FALSE(StrToBoolean("Falso"));
  EXPECT_FALSE(StrToBoolean("0"));
  EXPECT_FALSE(StrToBoolean("forse"));
}

TEST(FormatNumero, MasksRoundHalfAwayOnTheDecimalText) {
  EXPECT_EQ(FormatNumero(2.5, 0), "3");
  EXPECT_EQ(FormatNumero(3.5, 0), "4");
  EXPECT_EQ(FormatNumero(-2.5, 0), "-3");
  EXPECT_EQ(FormatNumero(12.5, 2), "12,50");
  EXPECT_EQ(FormatNumero(2.675, 2), "2,68");  // 2.67499999... in binary, 2,675 as text
  EXPECT_EQ(FormatNumero(0.125, 2), "0,13");
  EXPECT_EQ(FormatNumero(0.004, 2), "0,00");
  EXPECT_EQ(FormatNumero(-0.004, 2), "0,00");
  EXPECT_EQ(FormatNumero(9.999, 2), "10,00");
  EXPECT_EQ(FormatNumero(1234567.0, 1), "1234567,0");
  EXPECT_EQ(FormatNumero(0.000014, 6), "0,000014");
  EXPECT_EQ(FormatNumero(1.15f, 1), "1,2");  // single 1.15 is 1.1499999..., its text 1,15
  EXPECT_EQ(FormatNumero(7, 3), "7,000");
  EXPECT_EQ(FormatNumero("12,5", 1), "12,5");
  EXPECT_EQ(FormatNumero("abc", 2), "abc");
}

TEST(PrintForm, WritesSignBlankDecimalCommaAndTrailingBlank) {
  EXPECT_EQ(TestoStampa(12.5f), " 12,5 ");
  EXPECT_EQ(TestoStampa(-3.0f), "-3 ");
  EXPECT_EQ(TestoStampa(0.0), " 0 ");
  EXPECT_EQ(TestoStampa(int16_t{-1}), "-1 ");
  EXPECT_EQ(TestoStampa(0.1f), " 0,1 ");
  EXPECT_EQ(TestoStampa(1.4e-5), " 1,4E-05 ");
  EXPECT_EQ(TestoStampa(0.0001), " 0,0001 ");
  EXPECT_EQ(TestoStampa(12345678.0f), " 1,234568E+07 ");
  EXPECT_EQ(TestoStampa(1.0 / 3.0), " 0,333333333333333 ");
  EXPECT_EQ(TestoStampa(1.0f / 3.0f), " 0,3333333 ");
  EXPECT_EQ(TestoNumero(200.0), "200");
  EXPECT_EQ(TestoNumero(1e15), "1E+15");
}

// An overflowed value shown or written as "0" would look like a real result.
TEST(PrintForm, ANumberThatIsNotFiniteIsNeverWrittenAsZero) {
  const float inf = std::numeric_limits<float>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(TestoNumero(inf), "Inf");
  EXPECT_EQ(TestoNumero(-static_cast<double>(inf)), "-Inf");
  EXPECT_EQ(TestoNumero(nan), "NaN");
  EXPECT_EQ(TestoStampa(inf), " Inf ");
  EXPECT_EQ(TestoStampa(-inf), "-Inf ");
  EXPECT_EQ(FormatNumero(-inf, 2), "-Inf");
  EXPECT_EQ(FormatNumero(static_cast<float>(nan), 0), "NaN");
  EXPECT_EQ(FormatNumero(static_cast<double>(inf), 1), "Inf");
  // The largest finite single still prints as a number.
  EXPECT_EQ(TestoNumero(std::numeric_limits<float>::max()), "3,402823E+38");
}

TEST(PrintForm, RoundTripsThroughTheReadingRule) {
  const float singoli[] = {0.1f, 12.5f, 1013.25f, 0.000014f, 3.1415f, 99999.99f, -7.25f, 1.0e-7f, 2.675f};
  for (float f : singoli) EXPECT_EQ(static_cast<float>(ValDot(TestoStampa(f))), f) << f;
  const double doppi[] = {0.1, 101325.0, 2.675, 1.0 / 3.0, -150.125, 1e-9, 123456789.123};
  for (double d : doppi) EXPECT_NEAR(ValDot(TestoStampa(d)), d, std::fabs(d) * 1e-14) << d;
}

// An Italian desktop writes numbers with a decimal comma: under such a machine locale the
// program writes and reads numbers exactly as under the C locale. The build generates that
// locale into its own folder (tests/CMakeLists.txt), as no machine needs to have it installed.
TEST(Locale, ResultsDoNotDependOnTheMachineLocale) {
  auto risultati = [] { return std::tuple(TestoStampa(1234.5), FormatNumero(2.675, 2), Val("1.5"), StrToDouble("1,5")); };
  const auto prima = risultati();
  ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr) << "the build's decimal-comma locale is missing (LOCPATH)";
  // The proof needs a locale that really writes a comma.
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  char scritto[16];
  std::snprintf(scritto, sizeof scritto, "%.1f", 1.5);
  ASSERT_STREQ(scritto, "1,5");
  std::locale::global(std::locale("it_IT.UTF-8"));
  EXPECT_EQ(risultati(), prima);
}

}  // namespace
}  // namespace varnex
