// Drop targets at the free segment ends.
#include "schema/inserimento.h"

#include "schema_prova.h"

namespace varnex::test {
namespace {

class Inserimento : public SchemaTest {
 protected:
  std::vector<std::pair<int16_t, int16_t>> Bersagli() const {
    std::vector<std::pair<int16_t, int16_t>> v;
    for (int16_t i = 1; i <= NumPuntiInserimentoTronco; ++i)
      v.emplace_back(PuntiInserimentoTronco[i].Direzione, PuntiInserimentoTronco[i].CodiceSvolta);
    return v;
  }
};

TEST_F(Inserimento, AFreeLeafOffersSevenDirectionsButBackAndOneAppliance) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  using P = std::pair<int16_t, int16_t>;
  EXPECT_EQ(Bersagli(), (std::vector<P>{{4, 1}, {8, 4}, {1, 2}, {5, 5}, {7, 7}, {3, 3}, {6, 8}}));
  ASSERT_EQ(NumPuntiInserimentoUtenza, 1);
  EXPECT_EQ(PuntiInserimentoUtenza[1].Direzione, 4);
  EXPECT_EQ(PuntiInserimentoUtenza[1].CodiceSvolta, 1);
  EXPECT_EQ(PuntiInserimentoUtenza[1].PuntoX, Tronco(1).FineX);
  EXPECT_EQ(Tronco(1).EstremoLibero, -1);
}

TEST_F(Inserimento, ASegmentWhoseDerivationGoesStraightOnOffersSix) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).ID_P_TRONCO = 1;  // an appliance at the leaf: nothing there
  Disegna();
  using P = std::pair<int16_t, int16_t>;
  EXPECT_EQ(Bersagli(), (std::vector<P>{{8, 4}, {1, 2}, {5, 5}, {6, 8}, {3, 3}, {7, 7}}));
  EXPECT_EQ(NumPuntiInserimentoUtenza, 0);
  EXPECT_EQ(Tronco(2).EstremoLibero, 0);
}

TEST_F(Inserimento, ADerivationPointingBackLeavesTheSevenOthers) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).CodiceSvolta = 6;
  Tronco(2).ID_P_TRONCO = 1;
  Disegna();
  EXPECT_EQ(NumPuntiInserimentoTronco, 7);
}

TEST_F(Inserimento, NoTargetsAtFullOrUnreachedSegmentsOrSecondRoots) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}});
  Tronco(2).ID_P_TRONCO = 1;
  Tronco(3).ID_P_TRONCO = 1;
  Disegna();
  EXPECT_EQ(NumPuntiInserimentoTronco, 0);  // 1 has two derivations, 4 is a second root
  CostruisciRete({{0, 0, 0}});
  Tronco(1).Collegato = 0;
  Tronco(1).EstremoLibero = -1;
  Disegna();
  EXPECT_EQ(NumPuntiInserimentoTronco, 0);
  EXPECT_EQ(Tronco(1).EstremoLibero, -1);  // kept for a segment the calculation did not reach
}

TEST_F(Inserimento, ALeafWithATypeButNoFlowIsFree) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).TipologiaUtenza = 2;
  Disegna();
  EXPECT_EQ(NumPuntiInserimentoTronco, 7);
  EXPECT_EQ(NumPuntiInserimentoUtenza, 1);
}

TEST_F(Inserimento, TurnCodeBetweenFindsTheCodeThatLeadsThere) {
  for (int16_t base = 1; base <= 8; ++base)
    for (int16_t code = 1; code <= 8; ++code)
      EXPECT_EQ(RotateByCode(base, TurnCodeBetween(RotateByCode(base, code), base)), RotateByCode(base, code));
  EXPECT_EQ(TurnCodeBetween(4, 4), 1);
  EXPECT_EQ(TurnCodeBetween(2, 4), 6);
  EXPECT_EQ(TurnCodeBetween(4, 0), 0);
}

TEST_F(Inserimento, TheListsGrowPastTenAndStartAgainEmpty) {
  for (int i = 0; i < 25; ++i) AddTroncoTarget(1, 4, i, i, 1);
  EXPECT_EQ(NumPuntiInserimentoTronco, 25);
  EXPECT_EQ(PuntiInserimentoTronco[25].PuntoX, 24);
  ResetDropTargets();
  EXPECT_EQ(NumPuntiInserimentoTronco, 0);
}

TEST_F(Inserimento, ShowingSegmentTargetsPaintsArrowsAndRegistersTriangles) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  canvas.operazioni.clear();
  ShowTroncoTargets();
  int frecce = 0;
  for (const auto& op : canvas.operazioni)
    if (op.tipo == OperazioneDisegno::Tipo::Figura) ++frecce;
  EXPECT_EQ(frecce, 7);
  const int32_t X = Tronco(1).FineX, Y = Tronco(1).FineY;
  // Right of the end: the straight-on target, number 1.
  const int16_t pos = RegioniDrop.TestHit(X + 200, Y);
  EXPECT_EQ(RegioniDrop.GetTag(pos), "ER");
  EXPECT_EQ(RegioniDrop.GetIndex(pos), 1);
  EXPECT_EQ(RegioniDrop.GetTag(RegioniDrop.TestHit(X, Y - 200)), "EU");
  EXPECT_EQ(RegioniDrop.GetTag(RegioniDrop.TestHit(X + 150, Y + 150)), "EDR");
  EXPECT_EQ(RegioniDrop.TestHit(X - 200, Y), 0);  // back: no target
}

TEST_F(Inserimento, ShowingApplianceTargetsRegistersThePaintedRectangle) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  ShowUtenzaTargets();
  const int32_t X = Tronco(1).FineX, Y = Tronco(1).FineY;
  const int16_t pos = RegioniDrop.TestHit(X + 10, Y);
  EXPECT_EQ(RegioniDrop.GetTag(pos), "ER");
  EXPECT_EQ(RegioniDrop.Regione(pos).X0, X);
  EXPECT_EQ(RegioniDrop.Regione(pos).Y0, Y - 240);
  EXPECT_EQ(RegioniDrop.Regione(pos).X1, X + 480);
  EXPECT_EQ(RegioniDrop.TestHit(X + 481, Y), 0);
}

TEST_F(Inserimento, AfterAPrintDrawingADragShowsTheCanvasTargetsOnTheCanvas) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  const int32_t X = Tronco(1).FineX, Y = Tronco(1).FineY;
  SuperficieRegistrata figura("picPrint", 11000, 8000, 8000);
  DrawSchema(figura, 1, 600.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
  EXPECT_EQ(NumPuntiInserimentoTronco, 0);  // the picture's drawing offers none
  canvas.operazioni.clear();
  figura.operazioni.clear();
  ShowTroncoTargets();
  EXPECT_EQ(RegioniDrop.RegionCount(), 1 + 7);
  EXPECT_EQ(RegioniDrop.GetTag(RegioniDrop.TestHit(X + 200, Y)), "ER");
  EXPECT_FALSE(canvas.operazioni.empty());
  EXPECT_TRUE(figura.operazioni.empty());
}

// The two shapes that ask the most of the region lists: a chain of 200 segments (six segment
// targets at each of 199 ends, seven at the last) and a balanced tree of 200 (a hundred free
// leaves, each with seven segment targets and one appliance target).
std::vector<Link> Catena(int16_t n) {
  std::vector<Link> v;
  for (int16_t s = 1; s <= n; ++s) v.emplace_back(static_cast<int16_t>(s - 1), s < n ? s + 1 : 0, 0);
  return v;
}
std::vector<Link> AlberoBilanciato(int16_t n) {
  std::vector<Link> v;
  for (int16_t s = 1; s <= n; ++s)
    v.emplace_back(static_cast<int16_t>(s / 2), 2 * s <= n ? 2 * s : 0, 2 * s + 1 <= n ? 2 * s + 1 : 0);
  return v;
}

class RegioniDellaReteMassima : public Inserimento, public ::testing::WithParamInterface<bool> {};

TEST_P(RegioniDellaReteMassima, EveryTargetAndRegionOfA200SegmentNetworkIsRegisteredWithoutAMessage) {
  CostruisciRete(GetParam() ? Catena(200) : AlberoBilanciato(200));
  Disegna();
  for (int16_t s = 1; s <= 200; ++s) {
    EXPECT_GT(RegioniClick.SearchIndex(s, "T"), 0) << s;
    EXPECT_GT(RegioniEstremi.SearchIndex(s, LettereDirezione(Tronco(s).Direzione)), 0) << s;
  }
  ASSERT_EQ(NumPuntiInserimentoTronco, GetParam() ? 6 * 199 + 7 : 7 * 100 + 6 * 1);
  ShowTroncoTargets();
  for (int16_t i = 1; i <= NumPuntiInserimentoTronco; ++i)
    EXPECT_GT(RegioniDrop.SearchIndex(i, "E" + LettereDirezione(PuntiInserimentoTronco[i].Direzione)), 0) << i;
  ShowUtenzaTargets();
  for (int16_t i = 1; i <= NumPuntiInserimentoUtenza; ++i)
    EXPECT_GT(RegioniDrop.SearchIndex(i, "E" + LettereDirezione(PuntiInserimentoUtenza[i].Direzione)), 0) << i;
  // Clicking segments again and again repaints them without filling the handle list.
  for (int giro = 0; giro < 300; ++giro) SelectTronco(static_cast<int16_t>(1 + giro % 200));
  EXPECT_LE(RegioniEstremi.RegionCount(), 201);
  EXPECT_TRUE(utente.messaggi.empty());
}

INSTANTIATE_TEST_SUITE_P(CatenaEAlbero, RegioniDellaReteMassima, ::testing::Bool());

}  // namespace
}  // namespace varnex::test
