// The schema as a saved picture (the bitmap beside the HTML and text reports): drawn in the print
// layout at its own scale, with every diameter and length label, through a view that holds the
// whole network - every segment, every label and the source. A network larger than the standard
// picture makes the picture larger, so that labels and drawing keep their proportions.
#pragma once


#include "schema/superficie.h"

namespace varnex {

// Room left around the drawing on the picture, in pixels.
inline constexpr double MarginePixelFigura = 12;

// A rectangle of the drawing plane, in surface units.
struct FinestraFigura {
  double x = 0, y = 0, larghezza = 0, altezza = 0;
  double Destra() const { return x + larghezza; }
  double Basso() const { return y + altezza; }
};

// The view of a picture `larghezza` x `altezza` units wide that shows the drawn extent (minX..maxX,
// minY..maxY) with `margine` units around it: the picture's own area (0, 0) when the drawing lies
// on it, moved to centre the drawing along an axis where it sticks out but would fit, and
// enlarged in the picture's proportions (so that the picture shows it scaled down) when it is
// larger.
FinestraFigura FinestraCheContiene(double minX, double minY, double maxX, double maxY, double larghezza,
                                   double altezza, double margine);

// How the picture is drawn: the origin's y of the drawing and the view of the picture.
struct PianoFigura {
  double y0 = 0;
  FinestraFigura finestra;
};

// Text metrics of the picture's font in device pixels, and how many pixels one surface unit
// takes on the picture at its own size.
struct MetricaFigura {
  double larghezzaCarattere = 8;
  double altezzaRiga = 12;
  double pixelPerUnita = 1.0 / 15;
};

// The view of a picture of at least `larghezza` x `altezza` units that shows the drawn extent with
// `margine` units around it: as FinestraCheContiene for a drawing that fits, and along an axis
// where it does not, that axis enlarged to hold it (the picture grows; nothing is scaled down).
FinestraFigura FinestraDelDisegno(double minX, double minY, double maxX, double maxY, double larghezza,
                                  double altezza, double margine);

// Plans the saved picture of network 1 for a print picture named "picPrint" of at least
// `larghezza` x `altezza` units: extents measured afresh, `ScalaStampaSchema` from them, the
// origin, and the view that holds the whole drawing, its labels measured with `metrica` (their
// size in units does not change with the view: a larger view makes a larger picture). It only
// measures: nothing is painted.
PianoFigura PianificaFiguraSchema(double larghezza, double altezza, const MetricaFigura& metrica);

// The drawing of the saved picture on `superficie` (mode 1, "Arial" 7), from fresh extents.
// Draw on a surface whose current point is (0, 0), as a new picture's is. The print dialog's
// "fit to the page" is a rule of the paper: the picture is drawn at its own scale, labels and all.
void DisegnaFiguraSchema(ISuperficieDisegno& superficie, const PianoFigura& piano);

}  // namespace varnex
