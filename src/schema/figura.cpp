#include "schema/figura.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "schema/disegno.h"
#include "schema/superficie_registrata.h"

namespace varnex {

namespace {

// The print picture's origin: 600 units from its left edge.
constexpr double OrigineX = 600;

void AzzeraEstensioni() { SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0; }

}  // namespace

FinestraFigura FinestraCheContiene(double minX, double minY, double maxX, double maxY, double larghezza,
                                   double altezza, double margine) {
  FinestraFigura f{0, 0, larghezza, altezza};
  if (larghezza <= 0 || altezza <= 0 || maxX < minX || maxY < minY) return f;
  const double sinistra = minX - margine, alto = minY - margine;
  const double largo = maxX - minX + 2 * margine, alta = maxY - minY + 2 * margine;
  const double riduzione = std::max({largo / larghezza, alta / altezza, 1.0});
  f.larghezza = larghezza * riduzione;
  f.altezza = altezza * riduzione;
  if (riduzione > 1) {
    // Larger than the picture: centred in the enlarged view.
    f.x = sinistra - (f.larghezza - largo) / 2;
    f.y = alto - (f.altezza - alta) / 2;
    return f;
  }
  // It fits: the picture's own area where the drawing lies on it; along an axis where it sticks
  // out, the drawing centred.
  if (sinistra < f.x || sinistra + largo > f.Destra()) f.x = sinistra - (f.larghezza - largo) / 2;
  if (alto < f.y || alto + alta > f.Basso()) f.y = alto - (f.altezza - alta) / 2;
  return f;
}

FinestraFigura FinestraDelDisegno(double minX, double minY, double maxX, double maxY, double larghezza,
                                  double altezza, double margine) {
  if (larghezza <= 0 || altezza <= 0 || maxX < minX || maxY < minY) return {0, 0, larghezza, altezza};
  const double largo = maxX - minX + 2 * margine, alta = maxY - minY + 2 * margine;
  if (largo <= larghezza && alta <= altezza) return FinestraCheContiene(minX, minY, maxX, maxY, larghezza, altezza, margine);
  return FinestraCheContiene(minX, minY, maxX, maxY, std::max(larghezza, largo), std::max(altezza, alta), margine);
}

void DisegnaFiguraSchema(ISuperficieDisegno& superficie, const PianoFigura& piano) {
  // The extents only ever grow: measured from nothing, they are this drawing's own.
  AzzeraEstensioni();
  const int16_t adatta = AdattaSchemaPagina;
  AdattaSchemaPagina = 0;
  try {
    DrawSchema(superficie, 1, OrigineX, piano.y0, std::nullopt, std::nullopt, "Arial", 7);
  } catch (...) {
    AdattaSchemaPagina = adatta;
    throw;
  }
  AdattaSchemaPagina = adatta;
}

PianoFigura PianificaFiguraSchema(double larghezza, double altezza, const MetricaFigura& metrica) {
  PianoFigura piano;
  piano.finestra = {0, 0, larghezza, altezza};
  auto misura = [&](double pixelPerUnita) {
    return SuperficieRegistrata("picPrint", larghezza, altezza, altezza, metrica.larghezzaCarattere / pixelPerUnita,
                                metrica.altezzaRiga / pixelPerUnita);
  };
  // The network's extents, for the scale and the origin of the picture.
  {
    SuperficieRegistrata prima = misura(metrica.pixelPerUnita);
    DisegnaFiguraSchema(prima, piano);
  }
  const double dx = std::abs(static_cast<double>(SchemaMaxX) - SchemaMinX);
  const double dy = std::abs(static_cast<double>(SchemaMaxY) - SchemaMinY);
  ScalaStampaSchema = std::min({larghezza / (dx + 1500), altezza / (dy + 300), 1.0});
  piano.y0 = (dy + 300) / 2 - 7500;
  // The view that holds all of the drawing, labels included. The labels scale with the drawing on
  // a picture that grows with the view, so one measure is enough.
  SuperficieRegistrata m = misura(metrica.pixelPerUnita);
  DisegnaFiguraSchema(m, piano);
  if (!m.Vuota())
    piano.finestra = FinestraDelDisegno(m.MinX(), m.MinY(), m.MaxX(), m.MaxY(), larghezza, altezza,
                                        MarginePixelFigura / metrica.pixelPerUnita);
  return piano;
}

}  // namespace varnex
