// Editing the network by mouse on the schema.
#include "schema/modifica.h"

#include <algorithm>

#include "model/materiali.h"
#include "schema_prova.h"

namespace varnex::test {
namespace {

class Modifica : public SchemaTest {
 protected:
  // Segment 1 going right from the source, segment 2 going on to the right, free at its end.
  void DueTronchi() {
    CostruisciRete({{0, 2, 0}, {1, 0, 0}});
    Disegna();
  }
  int ColoriTratto(int32_t colore) const {
    return static_cast<int>(std::count_if(canvas.operazioni.begin(), canvas.operazioni.end(), [&](const auto& o) {
      return o.tipo == OperazioneDisegno::Tipo::Rettangolo && o.colore == colore;
    }));
  }
  int32_t MezzoX(int16_t s) const { return Tronco(s).FineX - Tronco(s).LunghezzaDisegno / 2; }
};

TEST_F(Modifica, AClickSelectsTheSegmentAndAnotherClickMovesTheSelection) {
  DueTronchi();
  canvas.operazioni.clear();
  SchemaClick(MezzoX(1), Tronco(1).FineY);
  EXPECT_EQ(GetSelectedTronco(), 1);
  EXPECT_EQ(ColoriTratto(ColoreRosso), 1);
  SchemaClick(MezzoX(1), Tronco(1).FineY);
  EXPECT_EQ(GetSelectedTronco(), 1);
  canvas.operazioni.clear();
  SchemaClick(MezzoX(2), Tronco(2).FineY + 50);
  EXPECT_EQ(GetSelectedTronco(), 2);
  EXPECT_EQ(ColoriTratto(ColoreBianco), 1);
  EXPECT_EQ(ColoriTratto(ColoreRosso), 1);
  // The source, empty canvas: the selection stays.
  SchemaClick(400, Tronco(1).FineY);
  SchemaClick(100, 100);
  EXPECT_EQ(GetSelectedTronco(), 2);
  Disegna();
  EXPECT_EQ(GetSelectedTronco(), 0);
}

TEST_F(Modifica, DoubleClicks) {
  DueTronchi();
  SchemaDblClick(MezzoX(2), Tronco(2).FineY);
  EXPECT_EQ(editor.chiamate, (std::vector<std::string>{"PTronchi 2", "Elaborazione"}));
  OrientamentoSorgente = 3;
  for (int i = 0; i < 4; ++i) SchemaDblClick(400, Tronco(1).FineY);
  EXPECT_EQ(OrientamentoSorgente, 3);
  EXPECT_EQ(editor.chiamate.size(), 6u);
  editor.chiamate.clear();
  SchemaDblClick(50, 50);
  EXPECT_TRUE(editor.chiamate.empty());
}

TEST_F(Modifica, DoubleClickOnAnApplianceStoresTheFlowAndMakesTheDropAutomatic) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_P_TRONCO = 1;
  Tronco(1).ID_P_UTENZE = 1;
  Tronco(1).TipologiaUtenza = 2;
  Disegna();
  const TRegione& box = RegioniClick.Regione(RegioniClick.SearchIndex(1, "U"));
  PDCMaxUtente = 250;
  editor.risposte.push_back({true, 2.5f, 1, "110000"});
  SchemaDblClick(box.X0 + 10, box.Y0 + 10);
  ASSERT_EQ(editor.dialoghi.size(), 1u);
  EXPECT_TRUE(editor.dialoghi[0].cucina);
  EXPECT_FLOAT_EQ(editor.dialoghi[0].portata, 1);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_UTENZE, 2.5f);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 2.5f);
  EXPECT_EQ(Tronco(1).TipologiaUtenza, 1);
  EXPECT_EQ(Tronco(1).ComposizioneUtenza, "110000");
  EXPECT_EQ(PDCMaxUtente, 0);
  EXPECT_EQ(editor.chiamate, std::vector<std::string>{"Elaborazione"});
  // Pressurised: the simple dialog, the maximum drop untouched; a cancel changes nothing.
  ReteInPressione = -1;
  PDCMaxUtente = 250;
  editor.chiamate.clear();
  SchemaDblClick(box.X0 + 10, box.Y0 + 10);
  EXPECT_FALSE(editor.dialoghi[1].cucina);
  EXPECT_FLOAT_EQ(Tronco(1).ID_P_UTENZE, 2.5f);
  EXPECT_EQ(PDCMaxUtente, 250);
  EXPECT_TRUE(editor.chiamate.empty());
}

TEST_F(Modifica, DroppingASegmentOnAnEmptyNetworkCreatesTheFirstOne) {
  Disegna();
  ShowTroncoTargets();
  SchemaDragDrop(620 + 200, 5210, "TRONCO");
  EXPECT_EQ(Rete().NumTronchi, 1);
  EXPECT_EQ(Tronco(1).CodiceSvolta, 1);
  EXPECT_EQ(Tronco(1).ID_PREV, 0);
  EXPECT_EQ(editor.chiamate, std::vector<std::string>{"Elaborazione"});
}

TEST_F(Modifica, DroppingASegmentOnATargetGivesItTheTargetsTurn) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  ShowTroncoTargets();
  // Up-left of the end: 135 degrees left of the parent, code 5.
  SchemaDragDrop(Tronco(1).FineX - 150, Tronco(1).FineY - 150, "TRONCO");
  ASSERT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(Tronco(1).ID_LEFT, 2);
  EXPECT_EQ(Tronco(2).CodiceSvolta, 5);
  // A black point marks the drop.
  EXPECT_EQ(canvas.operazioni.back().tipo, OperazioneDisegno::Tipo::Punto);
}

TEST_F(Modifica, ADropOffTheTargetsOnlyRedrawsTheSchema) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  ShowTroncoTargets();
  const int prima = canvas.clsEseguiti;
  SchemaDragDrop(50, 50, "TRONCO");
  EXPECT_EQ(canvas.clsEseguiti, prima + 2);
  EXPECT_EQ(Rete().NumTronchi, 1);
  EXPECT_TRUE(editor.chiamate.empty());
}

// Drop arrows painted on the surface since it was last cleared.
bool Frecce(const SuperficieRegistrata& s) {
  return std::any_of(s.operazioni.begin(), s.operazioni.end(), [](const OperazioneDisegno& o) {
    return o.tipo == OperazioneDisegno::Tipo::Figura && o.figura >= varnex::FiguraSchema::FrecciaU;
  });
}

TEST_F(Modifica, DroppingAnApplianceAsksForItsFlow) {
  struct Caso {
    std::string tag;
    int16_t pressione;
    bool cucina;
    int16_t tipo;
  };
  const Caso casi[] = {{"CALDAIA", -1, false, 2}, {"BRUCIATORE", 0, true, 3}, {"CONVETTORE", -1, false, 4},
                       {"FORNELLO", -1, true, 1}};
  for (const Caso& c : casi) {
    AzzeraStatoSchema();
    ReteInPressione = c.pressione;
    editor.dialoghi.clear();
    editor.chiamate.clear();
    CostruisciRete({{0, 0, 0}});
    Disegna();
    ShowUtenzaTargets();
    // Cancelled: the type stays, nothing is calculated, and the arrows are wiped.
    ASSERT_TRUE(Frecce(canvas)) << c.tag;
    SchemaDragDrop(Tronco(1).FineX + 100, Tronco(1).FineY, c.tag);
    EXPECT_FALSE(Frecce(canvas)) << c.tag;
    ASSERT_EQ(editor.dialoghi.size(), 1u) << c.tag;
    EXPECT_EQ(editor.dialoghi[0].cucina, c.cucina) << c.tag;
    EXPECT_EQ(editor.dialoghi[0].tipologiaAllApertura, c.tipo) << c.tag;
    EXPECT_EQ(Tronco(1).TipologiaUtenza, c.tipo);
    EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 0);
    EXPECT_TRUE(editor.chiamate.empty());
    // Confirmed: both flows, type and composition stored, then the calculation.
    editor.risposte.push_back({true, 3.0f, c.tipo, c.cucina ? "000000" : "0"});
    SchemaDragDrop(Tronco(1).FineX + 100, Tronco(1).FineY, c.tag);
    EXPECT_FLOAT_EQ(Tronco(1).ID_P_UTENZE, 3.0f);
    EXPECT_FLOAT_EQ(Tronco(1).ID_P_TRONCO, 3.0f);
    EXPECT_EQ(editor.chiamate, std::vector<std::string>{"Elaborazione"});
  }
}

TEST_F(Modifica, ASegmentDroppedOnAFullParentOnlyRecalculates) {
  CostruisciRete({{0, 0, 0}});
  Disegna();
  ShowTroncoTargets();
  // Both child links taken behind the schema's back.
  Tronco(1).ID_LEFT = 1;
  Tronco(1).ID_RIGHT = 1;
  utente.Attendi("Errore! Il tronco 1 ha gia' due derivazioni");
  SchemaDragDrop(Tronco(1).FineX + 200, Tronco(1).FineY, "TRONCO");
  EXPECT_EQ(editor.chiamate, std::vector<std::string>{"Elaborazione"});
}

TEST_F(Modifica, TheEndHandleSetsTheDrawnLength) {
  DueTronchi();
  const TTronco& t = Tronco(2);
  std::string lettere;
  EXPECT_EQ(HitEndHandle(t.FineX - 30, t.FineY - 30, lettere), 2);
  EXPECT_EQ(lettere, "R");
  EXPECT_EQ(HitEndHandle(10, 10, lettere), 0);
  EXPECT_EQ(lettere, "R");
  const int32_t inizio = t.FineX - 800;
  canvas.operazioni.clear();
  DragEndHandle(2, t.FineX - 300, t.FineY, "R");
  ASSERT_EQ(canvas.operazioni.size(), 1u);
  EXPECT_EQ(canvas.operazioni[0].colore, ColoreRosso);
  EXPECT_DOUBLE_EQ(canvas.operazioni[0].x1, inizio);
  EXPECT_DOUBLE_EQ(canvas.operazioni[0].x2, t.FineX - 300);
  ApplyEndHandleDrag(2, t.FineX - 300, t.FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 500);
  // At or behind the start: no band and no change.
  canvas.operazioni.clear();
  DragEndHandle(2, Tronco(2).FineX - 500, Tronco(2).FineY, "R");
  EXPECT_TRUE(canvas.operazioni.empty());
  ApplyEndHandleDrag(2, Tronco(2).FineX - 500, Tronco(2).FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 500);
  EXPECT_TRUE(editor.chiamate.empty());  // no calculation for a drawn length
}

TEST_F(Modifica, ADiagonalHandleGrowsByTheHorizontalDistanceTimesRootTwo) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).CodiceSvolta = 4;  // up-right
  Disegna();
  DragEndHandle(2, Tronco(2).FineX + 100, Tronco(2).FineY + 3000, "UR");
  ApplyEndHandleDrag(2, Tronco(2).FineX + 100, Tronco(2).FineY + 3000, "UR");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 941);
}

TEST_F(Modifica, ANewBandWithTheSameLettersFirstErasesTheOldOne) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}});
  Tronco(3).CodiceSvolta = 2;  // up
  Tronco(2).CodiceSvolta = 1;
  Disegna();
  DragEndHandle(2, Tronco(2).FineX + 100, Tronco(2).FineY, "R");
  const int32_t vecchio = Tronco(2).FineX + 100;
  // Another right-going handle: segment 1 (same letters).
  canvas.operazioni.clear();
  DragEndHandle(1, Tronco(1).FineX + 50, Tronco(1).FineY, "R");
  ASSERT_EQ(canvas.operazioni.size(), 2u);
  EXPECT_EQ(canvas.operazioni[0].colore, ColoreNero);
  EXPECT_DOUBLE_EQ(canvas.operazioni[0].x1, Tronco(1).FineX - 800);
  EXPECT_DOUBLE_EQ(canvas.operazioni[0].x2, vecchio);
  // Other letters start afresh.
  canvas.operazioni.clear();
  DragEndHandle(3, Tronco(3).FineX, Tronco(3).FineY - 100, "U");
  EXPECT_EQ(canvas.operazioni.size(), 1u);
}

TEST_F(Modifica, AReleaseWithoutAMoveChangesNoLength) {
  DueTronchi();
  const TTronco& t = Tronco(2);
  std::string lettere;
  // Pressed and released on the handle, a little past the segment's end.
  ASSERT_EQ(HitEndHandle(t.FineX + 100, t.FineY, lettere), 2);
  ApplyEndHandleDrag(2, t.FineX + 100, t.FineY, lettere);
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 800);
  // A move of another segment's handle does not count for this one.
  DragEndHandle(1, Tronco(1).FineX + 100, Tronco(1).FineY, "R");
  ApplyEndHandleDrag(2, Tronco(2).FineX + 100, Tronco(2).FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 800);
  // Each drag counts once: the release ends it.
  DragEndHandle(2, Tronco(2).FineX + 100, Tronco(2).FineY, "R");
  ApplyEndHandleDrag(2, Tronco(2).FineX + 100, Tronco(2).FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 900);
  ApplyEndHandleDrag(2, Tronco(2).FineX + 100, Tronco(2).FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 900);
}

// After the schema went to the printer, the preview or a saved picture, the canvas still shows
// its own drawing: clicks and handles work on it, and no length jumps.
TEST_F(Modifica, AfterADrawingOnAnotherSurfaceTheCanvasRegionsAreTheCanvasOnes) {
  DueTronchi();
  SchemaClick(MezzoX(2), Tronco(2).FineY);
  ASSERT_EQ(GetSelectedTronco(), 2);
  const TTronco schermo1 = Tronco(1), schermo2 = Tronco(2);
  SuperficieRegistrata carta("Printer", 16000, 11000, 11000);
  SuperficieRegistrata figura("picPrint", 11000, 8000, 8000);
  for (ISuperficieDisegno* altra : {static_cast<ISuperficieDisegno*>(&carta), static_cast<ISuperficieDisegno*>(&figura)}) {
    DrawSchema(*altra, 1, 5000.0, 9000.0, std::nullopt, std::nullopt, "Arial", 7);
    ASSERT_NE(Tronco(2).FineY, schermo2.FineY);  // the paper's own positions
  }
  // The canvas's selection is still what the delete command sees.
  EXPECT_EQ(GetSelectedTronco(), 2);
  // A click on segment 1 where the canvas shows it selects it, and paints on the canvas.
  canvas.operazioni.clear();
  carta.operazioni.clear();
  SchemaClick(schermo1.FineX - 400, schermo1.FineY);
  EXPECT_EQ(GetSelectedTronco(), 1);
  EXPECT_EQ(SuperficieDisegno, &canvas);
  EXPECT_EQ(Tronco(2).FineX, schermo2.FineX);
  EXPECT_EQ(Tronco(2).FineY, schermo2.FineY);
  EXPECT_TRUE(carta.operazioni.empty());
  EXPECT_FALSE(canvas.operazioni.empty());
  // The handle under the pointer is the canvas's; a click on it leaves the length alone.
  DrawSchema(carta, 1, 5000.0, 9000.0, std::nullopt, std::nullopt, "Arial", 7);
  std::string lettere;
  ASSERT_EQ(HitEndHandle(schermo2.FineX + 60, schermo2.FineY, lettere), 2);
  ApplyEndHandleDrag(2, schermo2.FineX + 60, schermo2.FineY, lettere);
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 800);
  EXPECT_EQ(SuperficieDisegno, &canvas);
}

TEST_F(Modifica, ASurfaceThatGoesAwayIsForgottenWithTheCanvasItHeldAside) {
  {
    SuperficieRegistrata schermo("picDisplay", 11000, 6170, 6170);
    CostruisciRete({{0, 0, 0}});
    DrawSchema(schermo, 2, "Arial", 7);
    SuperficieRegistrata carta("Printer", 16000, 11000, 11000);
    DrawSchema(carta, 1, 0.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
  }
  EXPECT_EQ(SuperficieDisegno, nullptr);
  SchemaClick(100, 100);  // nothing to paint on, and nothing dangling
  RidisegnaSuperficie();
  EXPECT_EQ(SuperficieDisegno, nullptr);
}

TEST_F(Modifica, ADragThatChangesTheDrawnLengthMarksTheProjectModified) {
  DueTronchi();
  ProgettoModificato = 0;
  const TTronco& t = Tronco(2);
  // A click on the handle, and a drag released behind the start: nothing changes.
  ApplyEndHandleDrag(2, t.FineX + 100, t.FineY, "R");
  DragEndHandle(2, t.FineX - 900, t.FineY, "R");
  ApplyEndHandleDrag(2, t.FineX - 900, t.FineY, "R");
  EXPECT_EQ(ProgettoModificato, 0);
  // A drag back to the very same length changes nothing either.
  DragEndHandle(2, t.FineX, t.FineY, "R");
  ApplyEndHandleDrag(2, t.FineX, t.FineY, "R");
  EXPECT_EQ(ProgettoModificato, 0);
  DragEndHandle(2, t.FineX + 200, t.FineY, "R");
  ApplyEndHandleDrag(2, t.FineX + 200, t.FineY, "R");
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 1000);
  EXPECT_EQ(ProgettoModificato, -1);
  ProgettoModificato = 0;
}

}  // namespace
}  // namespace varnex::test
