#include "schema/direzioni.h"

#include <stdexcept>

#include "schema_prova.h"

namespace varnex::test {
namespace {

TEST(Direzioni, RotationsFollowTheFixedTables) {
  const int16_t sinistra[] = {0, 5, 6, 7, 8, 2, 3, 4, 1};
  const int16_t destra[] = {0, 8, 5, 6, 7, 1, 2, 3, 4};
  const int16_t opposto[] = {0, 3, 4, 1, 2, 7, 8, 5, 6};
  for (int16_t d = 1; d <= 8; ++d) {
    EXPECT_EQ(RotateLeft45(d), sinistra[d]);
    EXPECT_EQ(RotateRight45(d), destra[d]);
    EXPECT_EQ(ReverseDirection(d), opposto[d]);
    EXPECT_EQ(RotateRight45(RotateLeft45(d)), d);
  }
  for (int16_t d : {0, 9, -1}) {
    EXPECT_EQ(RotateLeft45(d), 0);
    EXPECT_EQ(RotateRight45(d), 0);
    EXPECT_EQ(ReverseDirection(d), 0);
  }
  EXPECT_EQ(LettereDirezione(6), "DL");
  EXPECT_EQ(LettereDirezione(9), "");
}

TEST(Direzioni, TurnCodes) {
  struct Caso {
    int16_t dir, code, atteso;
  };
  const Caso casi[] = {{4, 2, 1}, {4, 3, 3}, {1, 6, 3}, {5, 8, 4}, {4, 0, 0}, {4, 9, 0},
                       {4, 1, 4}, {4, 4, 8}, {4, 5, 5}, {4, 7, 7}, {4, 8, 6}, {4, 6, 2}};
  for (const Caso& c : casi) EXPECT_EQ(RotateByCode(c.dir, c.code), c.atteso) << c.dir << " " << c.code;
}

class DirezioniRete : public SchemaTest {};

TEST_F(DirezioniRete, ChildDirectionWithoutCodeGoesStraightThenLeft) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}});
  EXPECT_EQ(ChildDirection(2, 4), 4);
  EXPECT_EQ(ChildDirection(3, 4, 4), 8);
  EXPECT_EQ(ChildDirection(3, 4, 8), 1);
  Tronco(3).CodiceSvolta = 3;
  EXPECT_EQ(ChildDirection(3, 4, 8), 3);
  Tronco(3).CodiceSvolta = 9;
  EXPECT_EQ(ChildDirection(3, 4), 0);
}

TEST_F(DirezioniRete, ChildDirectionBelowASegmentWithNoDirectionEnds) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}});
  EXPECT_EQ(ChildDirection(3, 0, 0), 0);
  EXPECT_EQ(ChildDirection(3, 0, 4), 0);
}

TEST_F(DirezioniRete, DerivationsCountBothLinksAndTheFirstMayBeTheRightOne) {
  CostruisciRete({{0, 0, 2}, {1, 0, 0}});
  EXPECT_EQ(CountDerivazioni(1), 1);
  EXPECT_EQ(GetDerivazione(1, 1), 2);
  EXPECT_EQ(CountDerivazioni(2), 0);
  Tronco(1).ID_LEFT = 2;
  Tronco(1).ID_RIGHT = 0;
  utente.Attendi("Errore visita rete");
  EXPECT_EQ(GetDerivazione(1, 2), 0);
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_THROW(CountDerivazioni(201), std::out_of_range);
}

}  // namespace
}  // namespace varnex::test
