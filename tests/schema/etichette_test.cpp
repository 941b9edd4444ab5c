// Where the labels of a drawing on paper go: the nearest free spot, clear of the labels already
// placed and of the drawing, a leader when a block goes farther than a line, and the least covered
// spot when nothing within the reach is free.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "schema/etichette.h"

namespace varnex {
namespace {

constexpr double Riga = 100;

// A one-line label of `larghezza` with its top-left corner at (x, y); its glyphs a little inside.
PiazzamentoEtichette::Riga Etichetta(double x, double y, double larghezza) {
  return {{x, y, x + larghezza, y + Riga}, {x, y + 20, x + larghezza, y + 85}};
}

TEST(PiazzamentoEtichette, ALabelStaysWhereTheLayoutPutItWhenNothingIsThere) {
  PiazzamentoEtichette p(Riga);
  p.OstacoloLinea(0, 0, 2000, 0);  // its segment, right below it
  const auto esito = p.Piazza({Etichetta(500, -100, 400)}, 700, 0);
  EXPECT_EQ(esito.dx, 0);
  EXPECT_EQ(esito.dy, 0);
  EXPECT_FALSE(esito.richiamo);
  EXPECT_FALSE(esito.coperto);
}

// Blocks written on one spot (branches the layout lays on one another) move apart, the lines of a
// block together, each to the nearest free spot; a block gone farther than a line is tied to what it
// names by a leader.
TEST(PiazzamentoEtichette, BlocksOnOneSpotMoveApartAsWholesClearOfTheDrawing) {
  PiazzamentoEtichette p(Riga);
  p.OstacoloRiquadro({0, -3, 2000, 0});  // the segment's bar between the two lines
  std::vector<PiazzamentoEtichette::Esito> esiti;
  for (int k = 0; k < 6; ++k)
    esiti.push_back(p.Piazza({Etichetta(500, -100, 600), Etichetta(700, 0, 100)}, 1000, 0));
  const std::vector<Riquadro>& piazzate = p.Piazzate();
  ASSERT_EQ(piazzate.size(), 12u);
  for (size_t i = 0; i < piazzate.size(); ++i)
    for (size_t j = i + 1; j < piazzate.size(); ++j) EXPECT_FALSE(piazzate[i].Incontra(piazzate[j])) << i << " " << j;
  // The lines of a block keep their places one to the other.
  for (size_t b = 0; b < esiti.size(); ++b) {
    EXPECT_DOUBLE_EQ(piazzate[2 * b + 1].x1 - piazzate[2 * b].x1, 200);
    EXPECT_DOUBLE_EQ(piazzate[2 * b + 1].y1 - piazzate[2 * b].y1, 100);
    EXPECT_EQ(esiti[b].richiamo.has_value(), std::hypot(esiti[b].dx, esiti[b].dy) > Riga) << b;
  }
  EXPECT_EQ(esiti[0].dx, 0);
  EXPECT_EQ(esiti[0].dy, 0);
  // Nearby: the six blocks fit within a few lines of the spot.
  for (size_t b = 1; b < esiti.size(); ++b) EXPECT_LT(std::hypot(esiti[b].dx, esiti[b].dy), 8 * Riga) << b;
  // A leader runs from what the block names to the block's edge.
  for (const auto& e : esiti)
    if (e.richiamo) {
      EXPECT_EQ(e.richiamo->x1, 1000);
      EXPECT_EQ(e.richiamo->y1, 0);
    }
}

// Far from its spot and nowhere free: a free hole within the reach takes the block with a leader;
// with none within the wide reach, the block goes where it covers the least.
TEST(PiazzamentoEtichette, WithNoFreeSpotNearTheBlockGoesFartherAndLastWhereItCoversTheLeast) {
  const double portata = PiazzamentoEtichette::PortataLarga * Riga;
  struct Caso {
    const char* nome;
    bool foro;           // a free hole 15 lines above the spot
    double scoperto;     // a part left half covered: its x
    bool coperto;
  };
  const Caso casi[] = {{"a hole within the reach", true, 0, false}, {"everything covered", false, 0, true},
                       {"a half covered part", false, 1, true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    PiazzamentoEtichette p(Riga);
    const double lontano = 2 * portata;
    if (c.foro) {
      // Everything but a hole of 12 x 3 lines, 15 lines above the spot.
      p.OstacoloRiquadro({-lontano, -lontano, lontano, -1600});
      p.OstacoloRiquadro({-lontano, -1300, lontano, lontano});
      p.OstacoloRiquadro({-lontano, -1600, -100, -1300});
      p.OstacoloRiquadro({1100, -1600, lontano, -1300});
    } else if (c.scoperto != 0) {
      // Covered twice everywhere but on the right, where only once.
      p.OstacoloRiquadro({-lontano, -lontano, lontano, lontano});
      p.OstacoloRiquadro({-lontano, -lontano, 1500, lontano});
    } else {
      p.OstacoloRiquadro({-lontano, -lontano, lontano, lontano});
    }
    const auto esito = p.Piazza({Etichetta(0, 0, 500)}, 250, 200);
    EXPECT_EQ(esito.coperto, c.coperto);
    if (c.foro) {
      EXPECT_LE(esito.dy, -1300);
      EXPECT_GE(esito.dy, -1600);
      EXPECT_TRUE(esito.richiamo);
    } else if (c.scoperto != 0) {
      EXPECT_GE(esito.dx, 1504) << "where only one obstacle lies";
    } else {
      EXPECT_EQ(esito.dx, 0);
      EXPECT_EQ(esito.dy, 0);
    }
  }
}

TEST(PiazzamentoEtichette, ALeaderNeverCrossesALabelAndLaterLabelsKeepOffIt) {
  PiazzamentoEtichette p(Riga);
  // Two blocks on one spot: the second goes away with a leader...
  (void)p.Piazza({Etichetta(0, 0, 300)}, 150, 400);
  const auto secondo = p.Piazza({Etichetta(0, 0, 300)}, 150, 400);
  ASSERT_TRUE(secondo.richiamo);
  // ...and a third placed where that leader runs does not lie on it.
  const Riquadro& l = *secondo.richiamo;
  const double mx = (l.x1 + l.x2) / 2, my = (l.y1 + l.y2) / 2;
  const auto terzo = p.Piazza({Etichetta(mx - 20, my - 50, 40)}, mx, my);
  const Riquadro& r = p.Piazzate().back();
  EXPECT_FALSE(LineaIncontra(l.x1, l.y1, l.x2, l.y2, r)) << terzo.dx << " " << terzo.dy;
  for (size_t i = 0; i + 1 < p.Piazzate().size(); ++i)
    if (terzo.richiamo) {
      EXPECT_FALSE(LineaIncontra(terzo.richiamo->x1, terzo.richiamo->y1, terzo.richiamo->x2, terzo.richiamo->y2,
                                 p.Piazzate()[i].Allargato(-1)));
    }
}

}  // namespace
}  // namespace varnex
