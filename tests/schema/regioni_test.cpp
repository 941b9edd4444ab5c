#include "schema/regioni.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "support/fake_interaction.h"

namespace varnex::test {
namespace {

TEST(Regioni, AMissReadsAsNoTagAndNoIndex) {
  clsHotRegions r;
  EXPECT_EQ(r.TestHit(5, 5), 0);
  r.Reset();
  r.AddRectangle(0, 0, 10, 10, 3, "T");
  EXPECT_EQ(r.TestHit(20, 20), 0);
  EXPECT_EQ(r.GetTag(0), "");
  EXPECT_EQ(r.GetIndex(0), 0);
  EXPECT_THROW(r.GetTag(clsHotRegions::Capacita + 1), std::out_of_range);
  EXPECT_THROW(r.GetIndex(-1), std::out_of_range);
  // A position the list has not reached yet reads as an empty record, up to the last one.
  EXPECT_EQ(r.GetTag(clsHotRegions::Capacita), "");
  EXPECT_EQ(r.GetIndex(clsHotRegions::Capacita), 0);
  EXPECT_EQ(r.Regione(clsHotRegions::Capacita).Shape, 0);
  EXPECT_THROW(r.Regione(clsHotRegions::Capacita + 1), std::out_of_range);
}

TEST(Regioni, RectangleAndCircleIncludeTheirEdgesTheBandDoesNot) {
  clsHotRegions r;
  r.Reset();
  r.AddRectangle(0, 0, 100, 50, 1, "T");
  r.AddCircle(500, 500, 100, 2, "R");
  // An up-right band from (0, 0) to (566, -566), as a diagonal segment registers it.
  r.AddCustomRectangle(1000 - 35, -35, 1000 + 35, 35, 1566 - 35, -601, 1566 + 35, -531, 3, "T");
  struct Caso {
    int32_t x, y;
    int16_t atteso;
  };
  const Caso casi[] = {{0, 0, 2}, {100, 50, 2}, {101, 50, 0}, {600, 500, 3}, {601, 500, 0},
                       {1283, -283, 4}, {1000 + 35, 35, 0}, {1600, -300, 0}};
  for (const Caso& c : casi) {
    const int16_t pos = r.TestHit(c.x, c.y);
    EXPECT_EQ(pos, c.atteso) << c.x << "," << c.y;
  }
}

TEST(Regioni, TheFirstRegionAddedWinsAndRepeatsAreDroppedExceptCircles) {
  clsHotRegions r;
  r.Reset();
  r.AddRectangle(0, 0, 100, 100, 7, "T");
  r.AddRectangle(50, 50, 200, 200, 8, "T");
  r.AddRectangle(1000, 1000, 2000, 2000, 7, "T");  // same tag and index: dropped
  EXPECT_EQ(r.GetIndex(r.TestHit(60, 60)), 7);
  EXPECT_EQ(r.TestHit(1500, 1500), 0);
  r.AddCircle(0, 0, 10, 9, "U");
  r.AddCircle(5000, 5000, 10, 9, "U");
  EXPECT_EQ(r.GetIndex(r.TestHit(5000, 5000)), 9);
  EXPECT_EQ(r.RegionCount(), 5);
}

TEST(Regioni, TheTriangleAdmitsPointsWithin400OfItsApexInsideTheSector) {
  clsHotRegions r;
  r.Reset();
  // The upward drop target of a 480-unit arrow at (1000, 1000).
  r.AddTriangle(1000 - 184, 1000 - 444, 1000 + 184, 1000 - 444, 1000, 1000, 1, "EU");
  EXPECT_EQ(r.TestHit(1000, 700), 2);   // straight above: 90 degrees
  EXPECT_EQ(r.TestHit(1000, 601), 2);   // 399 above
  EXPECT_EQ(r.TestHit(1000, 600), 0);   // 400 above: outside the window
  EXPECT_EQ(r.TestHit(1000, 1000), 0);  // the apex itself points at 0 degrees
  EXPECT_EQ(r.TestHit(1300, 900), 0);   // to the right: outside the sector
  EXPECT_EQ(r.TestHit(1000, 1100), 0);  // below
}

TEST(Regioni, ATriangleWhoseSectorContainsZeroDegreesWraps) {
  clsHotRegions r;
  r.Reset();
  // The right-going target: corners above and below the horizontal.
  r.AddTriangle(1444, 816, 1444, 1184, 1000, 1000, 1, "ER");
  EXPECT_EQ(r.TestHit(1200, 1000), 2);
  EXPECT_EQ(r.TestHit(1000, 1000), 2);  // apex: 0 degrees lies in this sector
  EXPECT_EQ(r.TestHit(1200, 980), 2);
  EXPECT_EQ(r.TestHit(1200, 1020), 2);
  EXPECT_EQ(r.TestHit(800, 1000), 0);
}

TEST(Regioni, AResetListTakesSevenRegionsPerSegmentOfTheLargestNetworkThenReportsFullOncePerFilling) {
  FakeInterazione utente;
  clsHotRegions r;
  r.Reset();
  const int16_t massimo = 7 * 200;
  for (int16_t i = 1; i <= massimo; ++i) r.AddRectangle(i * 10, 0, i * 10 + 5, 5, i, "T");
  EXPECT_TRUE(utente.messaggi.empty());
  EXPECT_EQ(r.RegionCount(), massimo + 1);
  EXPECT_EQ(r.GetIndex(r.TestHit(massimo * 10 + 2, 2)), massimo);
  // Beyond that: one message for the whole filling, however many regions are refused.
  utente.Attendi("Esaurito spazio per regioni attive");
  for (int16_t i = 1; i <= 300; ++i) {
    r.AddCircle(0, 0, 1, i, "X");
    r.AddRectangle(0, 0, 1, 1, static_cast<int16_t>(massimo + i), "T");
  }
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(r.RegionCount(), massimo + 1);
  // The next filling may report again, once.
  r.Reset();
  r.AddRectangle(0, 0, 1, 1, 1, "Z");
  EXPECT_EQ(r.RegionCount(), 2);
  utente.Attendi("Esaurito spazio per regioni attive");
  for (int16_t i = 2; i <= massimo + 5; ++i) r.AddCircle(0, 0, 1, i, "X");
  EXPECT_EQ(utente.messaggi.size(), 2u);
}

TEST(Regioni, AngleHelpersUseTheShortPi) {
  double x = std::atan(1.0);
  EXPECT_NEAR(RadToDeg(x), 45.0013, 1e-4);
  double g = 360;
  EXPECT_EQ(ReduceDegrees(g), 360);
  g = 725;
  EXPECT_EQ(ReduceDegrees(g), 5);
  EXPECT_EQ(g, 5);
  EXPECT_DOUBLE_EQ(Hypotenuse(3, 4), 5);
}

TEST(Regioni, ShapeFilteredHitSeesOnlyRectanglesAndCircles) {
  clsHotRegions r;
  r.Reset();
  r.AddTriangle(1444, 816, 1444, 1184, 1000, 1000, 1, "ER");
  r.AddRectangle(1000, 900, 1300, 1100, 2, "T");
  EXPECT_EQ(r.TestHitWhitShape(1200, 1000, 3), 0);
  EXPECT_EQ(r.TestHitWhitShape(1200, 1000, 1), 3);
}

}  // namespace
}  // namespace varnex::test
