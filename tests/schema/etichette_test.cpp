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
  // Its type, the part of its line its glyphs cover (the blank above the capitals may meet the
  // leader's end at the block it leads to).
  const Riquadro& r = p.Piazzate().back();
  const Riquadro tipo{r.x1, r.y1 + 20, r.x2, r.y1 + 85};
  EXPECT_FALSE(LineaIncontra(l.x1, l.y1, l.x2, l.y2, tipo)) << terzo.dx << " " << terzo.dy;
  for (size_t i = 0; i + 1 < p.Piazzate().size(); ++i)
    if (terzo.richiamo) {
      EXPECT_FALSE(LineaIncontra(terzo.richiamo->x1, terzo.richiamo->y1, terzo.richiamo->x2, terzo.richiamo->y2,
                                 p.Piazzate()[i].Allargato(-1)));
    }
}

}  // namespace
}  // namespace varnex

namespace varnex {
namespace {

// A pipe's block whose spot the layout has taken stays beside its pipe, moved along it, with no
// leader, rather than off on a leader: a reader tells it to its pipe by where it stands.
TEST(PiazzamentoEtichette, APipesBlockMovesAlongItsPipeBeforeItMovesAway) {
  PiazzamentoEtichette p(Riga);
  p.OstacoloRiquadro({0, -3, 3000, 0});  // the pipe, from (0, 0) to (3000, 0)
  // Other things of the drawing all round the middle of the pipe, above and below it.
  p.OstacoloRiquadro({1100, -900, 1900, -20});
  p.OstacoloRiquadro({1100, 20, 1900, 900});
  const Riquadro tubo{0, 0, 3000, 0};
  const auto esito = p.Piazza({Etichetta(1350, -200, 300), Etichetta(1300, -100, 400)}, 1500, 0, tubo);
  EXPECT_FALSE(esito.coperto);
  EXPECT_FALSE(esito.richiamo) << "moved " << esito.dx << ", " << esito.dy;
  // Beside the pipe: within a line of it.
  const Riquadro b = p.Piazzate().back();
  EXPECT_LE(DistanzaRiquadroSegmento(b, tubo).first, Riga);
}

// A leader that must go crosses no symbol, nor a line of the drawing, where a spot a little farther
// lets it pass clear: here through the gap of a row of symbols, or of lines.
TEST(PiazzamentoEtichette, ALeaderGoesRoundASymbolWhereASpotNearbyLetsItPass) {
  for (const bool linee : {false, true}) {
    SCOPED_TRACE(linee ? "lines" : "symbols");
    PiazzamentoEtichette p(Riga);
    // The crowd round the named point: nothing free below y -380.
    p.OstacoloRiquadro({-1000, -380, 1000, 1000});
    // A row above it, open between x 100 and 400.
    if (linee) {
      p.OstacoloLinea(-1000, -400, 100, -400);
      p.OstacoloLinea(400, -400, 1000, -400);
    } else {
      p.OstacoloSimbolo({-1000, -410, 100, -390});
      p.OstacoloSimbolo({400, -410, 1000, -390});
    }
    const auto esito = p.Piazza({Etichetta(-100, -50, 200)}, 0, 0);
    ASSERT_TRUE(esito.richiamo);
    const Riquadro& l = *esito.richiamo;
    // Where it crosses the row: in the gap.
    const double x = l.x1 + (l.x2 - l.x1) * (-400 - l.y1) / (l.y2 - l.y1);
    EXPECT_GT(x, 100) << "across the row at " << x;
    EXPECT_LT(x, 400) << "across the row at " << x;
  }
}

// Two blocks whose leaders cross change places once all are placed, where each is free in the
// other's place: their leaders no longer cross.
TEST(PiazzamentoEtichette, BlocksWhoseLeadersCrossChangePlaces) {
  PiazzamentoEtichette p(Riga);
  // Only two slots free, far above: x 250 to 450 and 650 to 850, between y -1100 and -950.
  p.OstacoloRiquadro({-2000, -950, 2000, 2000});
  p.OstacoloRiquadro({-2000, -3000, 2000, -1100});
  p.OstacoloRiquadro({-2000, -1100, 250, -950});
  p.OstacoloRiquadro({450, -1100, 650, -950});
  p.OstacoloRiquadro({850, -1100, 2000, -950});
  // A names (400, 0) but the layout wrote it on the right; B names (600, 0), written on the left.
  const auto a = p.Piazza({Etichetta(700, -50, 100)}, 400, 0);
  const auto b = p.Piazza({Etichetta(300, -50, 100)}, 600, 0);
  ASSERT_TRUE(a.richiamo && b.richiamo);
  auto incrociano = [](const Riquadro& x, const Riquadro& y) {
    return LineeSiIncrociano(x.x1, x.y1, x.x2, x.y2, y.x1, y.y1, y.x2, y.y2);
  };
  ASSERT_TRUE(incrociano(*a.richiamo, *b.richiamo)) << "the case this test is about";
  const std::vector<PiazzamentoEtichette::Esito> esiti = p.Districa();
  ASSERT_EQ(esiti.size(), 2u);
  ASSERT_TRUE(esiti[0].richiamo && esiti[1].richiamo);
  EXPECT_FALSE(incrociano(*esiti[0].richiamo, *esiti[1].richiamo));
  EXPECT_EQ(esiti[0].richiamo->x1, 400);
  EXPECT_EQ(esiti[1].richiamo->x1, 600);
  EXPECT_FALSE(p.Piazzate()[0].Incontra(p.Piazzate()[1]));
}

// Two blocks stand farther apart than the lines of one block: the room between two blocks is more
// than the room between a block's own lines (none between their boxes).
TEST(PiazzamentoEtichette, TwoBlocksStandFartherApartThanTheLinesOfOne) {
  PiazzamentoEtichette p(Riga);
  p.OstacoloRiquadro({0, -3, 2000, 0});
  (void)p.Piazza({Etichetta(500, -200, 400), Etichetta(500, -100, 400)}, 700, 0);
  (void)p.Piazza({Etichetta(500, -200, 400), Etichetta(500, -100, 400)}, 700, 0);
  const std::vector<Riquadro>& b = p.Piazzate();
  ASSERT_EQ(b.size(), 4u);
  auto spazio = [](const Riquadro& x, const Riquadro& y) {
    const double dx = std::max({x.x1 - y.x2, y.x1 - x.x2, 0.0}), dy = std::max({x.y1 - y.y2, y.y1 - x.y2, 0.0});
    return std::hypot(dx, dy);
  };
  double tra = 1e9;
  for (int i : {0, 1})
    for (int j : {2, 3}) tra = std::min(tra, spazio(b[i], b[j]));
  EXPECT_GE(tra, 0.55 * Riga) << "two blocks almost as close as the lines of one";
}

// The measure a reader's eye makes: the distance of a block from its pipe, in lines, and what its
// leader crosses.
TEST(MisuraLeggibilita, MeasuresTheDistanceToThePipeAndTheCrossingsOfTheLeaders) {
  std::vector<SegnoDisegno> segni{{{0, 0, 1000, 0}, SegnoDisegno::Tipo::Linea},           // pipe 1
                                  {{0, 500, 1000, 500}, SegnoDisegno::Tipo::Linea},       // pipe 2
                                  {{400, 700, 600, 900}, SegnoDisegno::Tipo::Simbolo}};   // a symbol
  BloccoMisurato vicino;
  vicino.righe = {{400, -100, 600, -20}};
  vicino.ax = 500, vicino.tubo = Riquadro{0, 0, 1000, 0};
  BloccoMisurato lontano;  // pipe 1's other label, below pipe 2 and the symbol, on a leader
  lontano.righe = {{450, 1000, 550, 1080}};
  lontano.ax = 500, lontano.tubo = Riquadro{0, 0, 1000, 0};
  lontano.richiamo = Riquadro{500, 0, 500, 1000};
  BloccoMisurato altro;  // a leader across the first one's
  altro.righe = {{0, 600, 100, 680}};
  altro.ax = 1000, altro.ay = 300;
  altro.richiamo = Riquadro{1000, 300, 100, 600};
  const MisuraEtichette m = MisuraLeggibilita({vicino, lontano, altro}, segni, 100);
  EXPECT_EQ(m.blocchi, 3);
  EXPECT_EQ(m.richiami, 2);
  EXPECT_NEAR(m.distanzaMassima, 10, 1e-9);
  EXPECT_EQ(m.lontani, 2);
  EXPECT_EQ(m.incrociRichiami, 1);
  EXPECT_EQ(m.incrociSimboli, 1);
  EXPECT_EQ(m.incrociLinee, 2);  // pipe 2 by both leaders
  EXPECT_EQ(m.suAltri, 0);
  EXPECT_TRUE(EtichetteDaAvvisare(m));
}

}  // namespace
}  // namespace varnex
