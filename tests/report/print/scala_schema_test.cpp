// The scale that fits the printed schema to the landscape page.
#include <gtest/gtest.h>

#include "report/print/stampa_report.h"

namespace varnex {
namespace {

TEST(ScalaAdattaSchema, SmallerOfTheTwoRatiosWithEmptyExtents) {
  struct Caso {
    double dx, dy, pw, ph, scala;
  };
  const Caso casi[] = {
      {10000, 0, 15000, 10000, 1.5},   // a straight run along X: the width decides
      {0, 0, 15000, 10000, 1.0},       // an empty network
      {0, 5000, 15000, 10000, 2.0},    // a straight run along Y: the height decides
      {30000, 2500, 15000, 10000, 0.5},  // twice the width, a quarter of the height
      {15000, 10000, 15000, 10000, 1.0},
      {5000, 20000, 15000, 10000, 0.5},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(testing::Message() << c.dx << " x " << c.dy);
    EXPECT_DOUBLE_EQ(ScalaAdattaSchema(c.dx, c.dy, c.pw, c.ph), c.scala);
  }
}

}  // namespace
}  // namespace varnex
