// The drawing surface the schema is drawn through: the editor's canvas, the hidden print
// picture, the printer and the print preview all offer it, so one drawing routine serves them
// all. Coordinates are the surface's own units (twips), y growing downwards; colours are
// &HBBGGRR values (255 is red).
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

inline constexpr int32_t ColoreNero = 0;
inline constexpr int32_t ColoreBianco = 0xFFFFFF;
inline constexpr int32_t ColoreRosso = 255;
inline constexpr int32_t ColoreVerde = 65280;
inline constexpr int32_t ColoreGrigio = 0xC0C0C0;

// The pictures the schema copies onto a surface. The surface owns their artwork.
enum class FiguraSchema : int16_t {
  Sorgente0, Sorgente1, Sorgente2, Sorgente3,      // one per OrientamentoSorgente
  Fornello, Caldaia, Bruciatore, Convettore,        // appliance symbols (also the palette items)
  FrecciaU, FrecciaL, FrecciaD, FrecciaR,           // drop-target arrows, by direction 1..8
  FrecciaUL, FrecciaDL, FrecciaDR, FrecciaUR,
};
// Size of every schema picture in surface units: 32 x 32 icons and the 480 x 480 source.
inline constexpr double LatoFigura = 480;
// The arrow of a direction 1..8 (FrecciaR for anything else).
FiguraSchema FrecciaDirezione(int16_t direzione);

class ISuperficieDisegno {
 public:
  virtual ~ISuperficieDisegno() = default;
  // "picDisplay" (the canvas), "picPrint", "picSchema", "Printer", ...
  virtual std::string Nome() const = 0;
  virtual double Larghezza() const = 0;
  virtual double Altezza() const = 0;
  virtual double ScaleHeight() const = 0;
  // Erases the surface and puts the current point at (0, 0).
  virtual void Cls() = 0;
  virtual void SetFontTransparent(bool trasparente) = 0;
  virtual double CurrentX() const = 0;
  virtual double CurrentY() const = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual void SetCurrentY(double y) = 0;
  virtual void SetFontName(const std::string& nome) = 0;
  virtual void SetFontSize(int16_t dimensione) = 0;
  virtual void SetForeColor(int32_t colore) = 0;
  virtual int32_t ForeColor() const = 0;
  virtual double TextWidth(const std::string& testo) const = 0;
  virtual double TextHeight(const std::string& testo) const = 0;
  // Writes the text (UTF-8) in the foreground colour with its top-left corner at the current
  // point, then moves the current point to the start of the next text line.
  virtual void Print(const std::string& testo) = 0;
  // A line from (x1, y1) to (x2, y2), or with `rettangolo` the rectangle with those corners;
  // the current point ends at (x2, y2).
  virtual void Line(double x1, double y1, double x2, double y2, int32_t colore, bool rettangolo = false) = 0;
  // One point in the colour.
  virtual void PSet(double x, double y, int32_t colore) = 0;
  virtual void SetFillColor(int32_t colore) = 0;
  // 0 solid, 1 transparent.
  virtual void SetFillStyle(int16_t stile) = 0;
  // A circle by centre and radius, outlined in the colour and filled as the fill style says.
  virtual void Circle(double x, double y, double raggio, int32_t colore) = 0;
  // The picture stretched into the rectangle with top-left (x, y) and size (larghezza, altezza).
  virtual void PaintPicture(FiguraSchema figura, double x, double y, double larghezza, double altezza) = 0;
  // The texts printed between these two calls are the labels of one thing of the drawing, found
  // at (x, y): a surface that moves labels out of the way moves them together. Nothing by default.
  virtual void InizioEtichetta(double /*x*/, double /*y*/) {}
  // The same for the labels of a pipe drawn from (x1, y1) to (x2, y2): they may stand anywhere
  // beside it. By default they name its middle.
  virtual void InizioEtichettaTubo(double x1, double y1, double x2, double y2) {
    InizioEtichetta((x1 + x2) / 2, (y1 + y2) / 2);
  }
  virtual void FineEtichetta() {}
  // The whole drawing is on the surface: one that held its labels back places and paints them now.
  // Nothing by default.
  virtual void FineDisegno() {}
};

}  // namespace varnex
