#include "schema/disegno.h"

#include <algorithm>
#include <cmath>

#include "schema_prova.h"

namespace varnex::test {
namespace {

class Disegno : public SchemaTest {};

bool ContieneTesto(const SuperficieRegistrata& s, const std::string& frammento) {
  const auto t = Testi(s);
  return std::any_of(t.begin(), t.end(), [&](const std::string& x) { return x.find(frammento) != std::string::npos; });
}

TEST_F(Disegno, AnEmptyNetworkOffersTheFirstSegmentAtTheSource) {
  Disegna();
  EXPECT_EQ(ScalaDisegno, 1.0f);
  EXPECT_EQ(ColoreDisegno, ColoreBianco);
  EXPECT_EQ(DisegnoPerStampa, 0);
  EXPECT_EQ(Tronco(0).EstremoLibero, -1);
  ASSERT_EQ(NumPuntiInserimentoTronco, 1);
  const TPuntoInserimento& p = PuntiInserimentoTronco[1];
  EXPECT_EQ(p.Tronco, 0);
  EXPECT_EQ(p.Direzione, 4);
  EXPECT_EQ(p.CodiceSvolta, 1);
  EXPECT_EQ(p.PuntoX, 620);
  EXPECT_EQ(p.PuntoY, 6170 - 960);
  EXPECT_EQ(NumPuntiInserimentoUtenza, 0);
  // The source picture sits left of the origin, its click region spans it.
  const int16_t pos = RegioniClick.TestHit(400, 5300);
  EXPECT_EQ(RegioniClick.GetTag(pos), "SRC");
  const auto figura = std::find_if(canvas.operazioni.begin(), canvas.operazioni.end(),
                                   [](const OperazioneDisegno& o) { return o.tipo == OperazioneDisegno::Tipo::Figura; });
  ASSERT_NE(figura, canvas.operazioni.end());
  EXPECT_EQ(figura->figura, FiguraSchema::Sorgente0);
  EXPECT_DOUBLE_EQ(figura->x1, 620 - 480);
  EXPECT_DOUBLE_EQ(figura->y1, 5210 - 60);
  EXPECT_EQ(canvas.clsEseguiti, 2);
  EXPECT_TRUE(canvas.trasparente);
}

TEST_F(Disegno, ASegmentGoingRightIsDrawn800LongWithItsBandAndHandle) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "3/4";
  Tronco(1).ID_EQ_LEN = 1.5f;
  Disegna();
  const TTronco& t = Tronco(1);
  EXPECT_EQ(t.LunghezzaDisegno, 800);
  EXPECT_EQ(t.Direzione, 4);
  EXPECT_EQ(t.FineX, 1420);
  EXPECT_EQ(t.FineY, 5210);
  // The painting pass goes on counting from where the measure stopped.
  EXPECT_EQ(PassiMaxX, 4);
  EXPECT_EQ(RegioniClick.GetIndex(RegioniClick.TestHit(1000, 5310)), 1);
  EXPECT_EQ(RegioniClick.GetTag(RegioniClick.TestHit(1000, 5110)), "T");
  EXPECT_EQ(RegioniClick.TestHit(1000, 5311), 0);
  const TRegione& maniglia = RegioniEstremi.Regione(2);
  EXPECT_EQ(maniglia.Shape, 2);
  EXPECT_EQ(maniglia.X0, 1382);  // 1420 - 37.5, halves to even
  EXPECT_EQ(maniglia.Y0, 5172);
  EXPECT_EQ(maniglia.Radius, 150);
  EXPECT_EQ(maniglia.Tag, "R");
  // The number written without a blank, the label with the diameter and the regional length.
  EXPECT_TRUE(ContieneTesto(canvas, " ø 3/4 - 1,5m"));
  EXPECT_TRUE(std::find(Testi(canvas).begin(), Testi(canvas).end(), "1") != Testi(canvas).end());
  // The stroke leaves the current point at the segment's end, the drawing's extents grow.
  EXPECT_EQ(SchemaMaxX, 1420);
  EXPECT_EQ(TroncoSelezionato, 0);
  // A free leaf offers seven segment targets and one appliance target at its end.
  EXPECT_EQ(NumPuntiInserimentoTronco, 7);
  EXPECT_EQ(NumPuntiInserimentoUtenza, 1);
}

TEST_F(Disegno, TwoChildrenWithoutCodeGoStraightAndFortyFiveDegreesLeft) {
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 0, 0}, {2, 0, 0}});
  Disegna();
  EXPECT_EQ(Tronco(2).Direzione, 4);
  EXPECT_EQ(Tronco(3).Direzione, 4);
  EXPECT_EQ(Tronco(4).Direzione, 8);
  // The second child starts where the first did, at its parent's end.
  EXPECT_EQ(Tronco(4).FineX, Tronco(2).FineX + 566);
  EXPECT_EQ(Tronco(4).FineY, Tronco(2).FineY - 566);
  // Branch dots: at the ends of segments 1 and 2, and at the source.
  const auto punti = std::count_if(canvas.operazioni.begin(), canvas.operazioni.end(),
                                   [](const OperazioneDisegno& o) { return o.tipo == OperazioneDisegno::Tipo::Cerchio; });
  EXPECT_EQ(punti, 3);
}

TEST_F(Disegno, ANetworkGoingLeftMovesTheOriginRight) {
  CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 4, 0}, {3, 0, 0}});
  for (int16_t s : {2, 3, 4}) Tronco(s).CodiceSvolta = s == 2 ? 6 : 1;
  Disegna();
  EXPECT_EQ(Tronco(2).Direzione, 2);
  EXPECT_EQ(Tronco(4).Direzione, 2);
  // 620 + 1 x 5867 / 2 x 1 + 880 = 4433.5, halves to even.
  EXPECT_EQ(Tronco(1).FineX, 4434 + 800);
}

TEST_F(Disegno, ANetworkThatNeverGoesLeftKeepsTheDefaultOrigin) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).CodiceSvolta = 2;  // up
  Disegna();
  EXPECT_EQ(Tronco(1).FineX, 1420);
  EXPECT_EQ(Tronco(2).FineY, 5210 - 800);
  // The measuring pass draws the children from the surface's (0, 0), and the extents keep it.
  EXPECT_EQ(SchemaMinY, -800);
}

TEST_F(Disegno, AStoredLengthIsKeptAndNegativeOnesAreDrawnBackwards) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(1).LunghezzaDisegno = 1200;
  Tronco(2).LunghezzaDisegno = -300;
  Disegna();
  EXPECT_EQ(Tronco(1).FineX, 620 + 1200);
  EXPECT_EQ(Tronco(2).FineX, 620 + 1200 - 300);
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, -300);
}

TEST_F(Disegno, TheDiameterLabelShowsAtEveryZoomStepInAndUpToSixStepsOut) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "Auto";
  struct Caso {
    int16_t zoom;
    bool etichetta;
  };
  // Zooming in (positive steps) leaves more room for the labels, not less.
  for (const Caso& c : {Caso{5, true}, Caso{2, true}, Caso{1, true}, Caso{0, true}, Caso{-6, true},
                        Caso{-7, false}, Caso{-12, false}}) {
    editor.zoom = c.zoom;
    Tronco(1).LunghezzaDisegno = 0;
    Disegna();
    EXPECT_EQ(ContieneTesto(canvas, "ø Auto"), c.etichetta) << c.zoom;
    EXPECT_TRUE(ContieneTesto(canvas, "1")) << c.zoom;
  }
  editor.zoom = 2;
  Disegna();
  EXPECT_FLOAT_EQ(ScalaDisegno, 0.81f);
}

// What is printed or written is the same whatever the editor shows: zoomed out beyond the
// canvas's labels, the printer, the preview and the saved picture still write every segment's
// diameter and every appliance's reference and flow.
TEST_F(Disegno, PaperKeepsItsLabelsWhateverTheEditorZoom) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "Auto";
  Tronco(1).ID_P_TRONCO = 1.5f;
  Tronco(1).ID_RIF = "Cucina";
  SuperficieRegistrata stampa("Printer", 16000, 11000, 11000);
  SuperficieRegistrata anteprima("picSchema", 11000, 8000, 8000);
  SuperficieRegistrata figura("picPrint", 11000, 8000, 8000);
  struct Caso {
    ISuperficieDisegno* superficie;
    int16_t mode;
    SuperficieRegistrata* registro;
  };
  for (const int16_t zoom : {int16_t{-7}, int16_t{-12}, int16_t{0}}) {
    editor.zoom = zoom;
    for (const Caso& c : {Caso{&stampa, 1, &stampa}, Caso{&anteprima, 3, &anteprima}, Caso{&figura, 1, &figura}}) {
      ScalaStampaSchema = 1;
      DrawSchema(*c.superficie, c.mode, "Arial", 7);
      EXPECT_TRUE(ContieneTesto(*c.registro, "ø Auto")) << c.registro->Nome() << " zoom " << zoom;
      EXPECT_TRUE(ContieneTesto(*c.registro, "Cucina")) << c.registro->Nome() << " zoom " << zoom;
      EXPECT_TRUE(ContieneTesto(*c.registro, "1,5 Nmc/h")) << c.registro->Nome() << " zoom " << zoom;
    }
  }
  // The canvas alone follows the zoom.
  editor.zoom = -7;
  Disegna();
  EXPECT_FALSE(ContieneTesto(canvas, "ø Auto"));
  EXPECT_FALSE(ContieneTesto(canvas, "Nmc/h"));
}

// A segment's number stands over its diameter whatever its direction, and a horizontal segment
// is never between its own two lines: its block stands above it.
TEST_F(Disegno, TheNumberStandsOverTheDiameterInEveryDirection) {
  {
    for (const int16_t direzione : {int16_t{1}, int16_t{2}, int16_t{3}, int16_t{4}, int16_t{5}, int16_t{6},
                                    int16_t{7}, int16_t{8}}) {
      SCOPED_TRACE(direzione);
      canvas.Cls();
      SetDrawTarget(canvas);
      DisegnoVisibile = -1;
      ScalaDisegno = 1;
      CostruisciRete({{0, 0, 0}});
      Tronco(1).ID_DIAMETRO = "1\"";
      Tronco(1).LunghezzaDisegno = 800;
      DrawTronco(1, 2000, 2000, direzione, 800, 800, std::nullopt, "Arial", 7);
      const OperazioneDisegno* numero = nullptr;
      const OperazioneDisegno* diametro = nullptr;
      for (const auto& op : canvas.operazioni) {
        if (op.tipo != OperazioneDisegno::Tipo::Testo) continue;
        (op.testo.find("ø") != std::string::npos ? diametro : numero) = &op;
      }
      ASSERT_TRUE(numero && diametro);
      EXPECT_LT(numero->y1, diametro->y1) << "the diameter over the number";
      if (direzione == 2 || direzione == 4) {
        EXPECT_LE(diametro->y2, 2000) << "the pipe between the number and the diameter";
      }
    }
  }
}

TEST_F(Disegno, ASegmentWithoutResultHasAGreyDiameterLabel) {
  // After a refused calculation the diameters are those of the file, not results.
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(1).ID_DIAMETRO = "1\"";
  Tronco(2).ID_DIAMETRO = "3/4\"";
  Tronco(2).ID_DIAMCUSTOM = -1;
  for (int16_t s : {1, 2}) Tronco(s).Collegato = 0;
  Disegna();
  int etichette = 0;
  for (const auto& op : canvas.operazioni) {
    if (op.tipo != OperazioneDisegno::Tipo::Testo || op.testo.find("ø") == std::string::npos) continue;
    EXPECT_EQ(op.colore, ColoreGrigio) << op.testo;
    ++etichette;
  }
  EXPECT_EQ(etichette, 2);
}

TEST_F(Disegno, AFixedDiameterHasARedLabelAndAWhiteNumber) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "1\"";
  Tronco(1).ID_DIAMCUSTOM = -1;
  Disegna();
  for (const auto& op : canvas.operazioni) {
    if (op.tipo != OperazioneDisegno::Tipo::Testo) continue;
    EXPECT_EQ(op.colore, op.testo.find("ø") != std::string::npos ? ColoreRosso : ColoreBianco) << op.testo;
  }
}

TEST_F(Disegno, ThePrintScaleIsCutFromItsText) {
  SuperficieRegistrata stampa("Printer", 16000, 11000, 11000);
  SuperficieRegistrata figura("picPrint", 11000, 8000, 8000);
  struct Caso {
    double scala;
    int16_t adatta;
    int16_t mode;
    ISuperficieDisegno* superficie;
    float atteso;
  };
  const Caso casi[] = {{0.8765, -1, 3, &stampa, 0.876f}, {0.8765, -1, 2, &figura, 0.8f},
                       {0.8765, 0, 2, &figura, 0.8f},    {3.75, -1, 1, &stampa, 1.8f},
                       {0, -1, 1, &stampa, 1.0f},        {0.8765, 0, 1, &stampa, 1.0f},
                       {1.4e-05, -1, 1, &stampa, 1.0f}};
  for (const Caso& c : casi) {
    ScalaStampaSchema = c.scala;
    AdattaSchemaPagina = c.adatta;
    DrawSchema(*c.superficie, c.mode, "Arial", 7);
    EXPECT_FLOAT_EQ(ScalaDisegno, c.atteso) << c.scala << " mode " << c.mode;
    EXPECT_EQ(DisegnoPerStampa, -1);
    EXPECT_EQ(ColoreDisegno, c.mode == 2 ? ColoreBianco : ColoreNero);
  }
}

TEST_F(Disegno, PrintDrawingsLeaveNoTargetsAtTheFreeEnds) {
  CostruisciRete({{0, 0, 0}});
  SuperficieRegistrata stampa("Printer", 16000, 11000, 11000);
  DrawSchema(stampa, 1, 1000.0, 2000.0, 15000.0, 9000.0, "Arial", 7);
  EXPECT_EQ(NumPuntiInserimentoTronco, 0);
  EXPECT_EQ(Tronco(1).FineX, 1200 + 800);
  EXPECT_EQ(Tronco(1).FineY, 2000);
  EXPECT_EQ(SuperficieDisegno, &stampa);
}

TEST_F(Disegno, UnderFitADownSegmentIsPaintedScaledButStoresItsFullEnd) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).CodiceSvolta = 3;  // down
  Tronco(2).LunghezzaDisegno = 1000;
  AdattaSchemaPagina = -1;
  ScalaStampaSchema = 0.5;
  SuperficieRegistrata stampa("Printer", 16000, 11000, 11000);
  DrawSchema(stampa, 1, 0.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
  const TTronco& t2 = Tronco(2);
  const TTronco& t1 = Tronco(1);
  EXPECT_EQ(t2.FineY, t1.FineY + 1000);
  EXPECT_GE(SchemaMaxY, t2.FineY);
  // The painted bar is 500 long.
  bool trovata = false;
  for (const auto& op : stampa.operazioni)
    if (op.tipo == OperazioneDisegno::Tipo::Rettangolo && std::abs(op.y2 - op.y1 - 500) < 1e-6) trovata = true;
  EXPECT_TRUE(trovata);
}

TEST_F(Disegno, AnInvalidTurnCodeLeavesTheSegmentWithoutLengthOrEnd) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(2).CodiceSvolta = 9;
  Tronco(2).LunghezzaDisegno = 700;
  Disegna();
  EXPECT_EQ(Tronco(2).Direzione, 0);
  EXPECT_EQ(Tronco(2).LunghezzaDisegno, 0);
  EXPECT_EQ(Tronco(2).FineX, 0);
}

TEST_F(Disegno, ADamagedTreeIsDrawnOnceAndTheDrawingEnds) {
  // Segment 2 names segment 1 as its child: a cycle. Segment 3 names a slot past the count.
  CostruisciRete({{0, 2, 0}, {1, 1, 3}, {2, 150, 0}});
  Disegna();
  EXPECT_EQ(Tronco(1).Direzione, 4);
  EXPECT_EQ(Tronco(3).Direzione, 8);
  const auto numeri = Testi(canvas);
  EXPECT_EQ(std::count(numeri.begin(), numeri.end(), "1"), 1);
}

TEST_F(Disegno, AnUpRightSegmentStoresItsEndAndGrowsOnlyTwoExtents) {
  CostruisciRete({{0, 0, 0}});
  SetDrawTarget(canvas);
  DisegnoVisibile = -1;
  ScalaDisegno = 1;
  RegioniClick.Reset();
  RegioniEstremi.Reset();
  DrawTronco(1, 0, 0, 8, 800, 800, std::nullopt, "Arial", 7);
  EXPECT_EQ(Tronco(1).FineX, 566);
  EXPECT_EQ(Tronco(1).FineY, -566);
  EXPECT_EQ(PassiX, 0);
  EXPECT_EQ(PassiY, 0);
  EXPECT_EQ(SchemaMinY, -566);
  EXPECT_EQ(SchemaMaxX, 566);
  EXPECT_EQ(SchemaMinX, 0);
  EXPECT_EQ(SchemaMaxY, 0);
  const TRegione& banda = RegioniClick.Regione(2);
  EXPECT_EQ(banda.Shape, 4);
  EXPECT_EQ(std::make_pair(banda.X0, banda.Y0), std::make_pair(-35, -35));
  EXPECT_EQ(std::make_pair(banda.X1, banda.Y1), std::make_pair(35, 35));
  EXPECT_EQ(std::make_pair(banda.X2, banda.Y2), std::make_pair(531, -601));
  EXPECT_EQ(std::make_pair(banda.X3, banda.Y3), std::make_pair(601, -531));
  EXPECT_EQ(RegioniClick.GetIndex(RegioniClick.TestHit(283, -283)), 1);
  // The current point: the shifted end of the diagonal line.
  EXPECT_NEAR(canvas.CurrentX(), 565.6 - 3, 1e-9);
  EXPECT_NEAR(canvas.CurrentY(), -565.6 - 3, 1e-9);
}

TEST_F(Disegno, ASelectedRedrawPaintsOnlyTheStrokeRed) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "1/2";
  Disegna();
  canvas.operazioni.clear();
  DrawTronco(1, 620, 5210, 4, 800, 800, ColoreRosso, "Arial", 7);
  for (const auto& op : canvas.operazioni) {
    if (op.tipo == OperazioneDisegno::Tipo::Rettangolo && op.colore != ColoreVerde) {
      EXPECT_EQ(op.colore, ColoreRosso);
    }
    if (op.tipo == OperazioneDisegno::Tipo::Testo) {
      EXPECT_EQ(op.colore, ColoreBianco);
    }
  }
  EXPECT_EQ(RegioniClick.RegionCount(), 3);  // the band is not registered twice
}

TEST_F(Disegno, OnPaperDrawnSmallerThanNineTenthsTheDiameterLabelGivesWay) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "Auto";
  AdattaSchemaPagina = -1;
  SuperficieRegistrata carta("Printer", 16000, 11000, 11000);
  for (const auto& [scala, etichetta] : {std::pair{0.5, false}, std::pair{0.9, true}, std::pair{1.0, true}}) {
    ScalaStampaSchema = scala;
    carta.operazioni.clear();
    DrawSchema(carta, 1, 0.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
    EXPECT_EQ(ContieneTesto(carta, "ø Auto"), etichetta) << scala;
  }
}

TEST_F(Disegno, TheEquivalentLengthIsWrittenWithoutSinglePrecisionNoise) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_DIAMETRO = "1/2\"";
  for (const auto& [lunghezza, testo] :
       {std::pair{8.56f, " ø 1/2\" - 8,56m"}, std::pair{1.5f, " ø 1/2\" - 1,5m"}, std::pair{12.0f, " ø 1/2\" - 12m"}}) {
    Tronco(1).ID_EQ_LEN = lunghezza;
    Disegna();
    EXPECT_TRUE(ContieneTesto(canvas, testo)) << testo;
  }
}

}  // namespace
}  // namespace varnex::test

namespace varnex::test {
namespace {

// On a fitted page the appliance symbol takes the print scale once: at half size its box is half
// the base box, never a quarter of it.
TEST_F(Disegno, OnAFittedPageTheApplianceBoxIsScaledOnce) {
  CostruisciRete({{0, 0, 0}});
  Tronco(1).ID_P_TRONCO = 1.5f;
  AdattaSchemaPagina = -1;
  SuperficieRegistrata carta("Printer", 16000, 11000, 11000);
  for (const double scala : {0.5, 0.9, 1.5}) {
    ScalaStampaSchema = scala;
    carta.operazioni.clear();
    DrawSchema(carta, 1, 0.0, 0.0, std::nullopt, std::nullopt, "Arial", 7);
    int simboli = 0;
    for (const auto& op : carta.operazioni) {
      if (op.tipo != OperazioneDisegno::Tipo::Figura || op.figura != FiguraSchema::Caldaia) continue;
      ++simboli;
      EXPECT_NEAR(op.x2, 440 * scala, 1e-3) << scala;
      EXPECT_NEAR(op.y2, 460 * scala, 1e-3) << scala;
    }
    EXPECT_EQ(simboli, 1) << scala;
  }
}

}  // namespace
}  // namespace varnex::test

namespace varnex::test {
namespace {

// The source's dot marks its outlet, where the first segment starts: on the right edge of the
// source's picture, in the fitted placement as at the drawing's own scale, wherever the extents
// lie (the fitted placement moves the picture right of the left extent), and at the picture's
// anchor height.
TEST_F(Disegno, TheSourceDotSitsOnTheSourcesOutlet) {
  CostruisciRete({{0, 0, 0}});
  SuperficieRegistrata carta("Printer", 16000, 11000, 11000);
  struct Caso {
    int16_t adatta;
    double scala;
    int32_t minX;
  };
  for (const Caso& c : {Caso{-1, 0.5, -3000}, Caso{-1, 1.5, -3000}, Caso{-1, 0.9, 0}, Caso{-1, 0.9, 800},
                        Caso{0, 1.0, -3000}, Caso{0, 1.0, 0}}) {
    AdattaSchemaPagina = c.adatta;
    ScalaStampaSchema = c.scala;
    SchemaMinX = c.minX;
    carta.operazioni.clear();
    DrawSchema(carta, 1, 1000.0, 2000.0, std::nullopt, std::nullopt, "Arial", 7);
    const auto sorgente = std::find_if(carta.operazioni.begin(), carta.operazioni.end(), [](const auto& op) {
      return op.tipo == OperazioneDisegno::Tipo::Figura && op.figura >= FiguraSchema::Sorgente0 &&
             op.figura <= FiguraSchema::Sorgente3;
    });
    ASSERT_NE(sorgente, carta.operazioni.end());
    const auto punto = std::find_if(sorgente, carta.operazioni.end(),
                                    [](const auto& op) { return op.tipo == OperazioneDisegno::Tipo::Cerchio; });
    ASSERT_NE(punto, carta.operazioni.end());
    const std::string caso = "adatta " + std::to_string(c.adatta) + " scala " + std::to_string(c.scala) + " minX " +
                             std::to_string(c.minX);
    EXPECT_NEAR(punto->x1, sorgente->x1 + sorgente->x2, 1.0) << caso;
    // The outlet leaves one eighth down the picture, on the first segment's line: a fitted page
    // lifts the meter off its pipe no more than the drawing at its own scale does.
    EXPECT_NEAR(punto->y1, sorgente->y1 + sorgente->y2 / 8, 1.0) << caso;
    // The first segment's bar starts there too.
    const auto barra = std::find_if(punto, carta.operazioni.end(),
                                    [](const auto& op) {
                                      return op.tipo == OperazioneDisegno::Tipo::Rettangolo && op.colore != ColoreVerde;
                                    });
    ASSERT_NE(barra, carta.operazioni.end());
    EXPECT_NEAR(punto->x1, std::min(barra->x1, barra->x2), 1.0) << caso;
  }
}

}  // namespace
}  // namespace varnex::test
