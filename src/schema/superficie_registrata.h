// A drawing surface that paints nothing and keeps a record of what was drawn on it: the extent
// of the painted marks, and every operation in order. It measures a drawing before it is placed
// on a picture, and lets the drawing be checked without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "schema/superficie.h"

namespace varnex {

struct OperazioneDisegno {
  enum class Tipo { Cls, Testo, Linea, Rettangolo, Punto, Cerchio, Figura } tipo;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Figura: x2, y2 are the width and height
  int32_t colore = 0;
  std::string testo;
  FiguraSchema figura = FiguraSchema::Sorgente0;
};

class SuperficieRegistrata : public ISuperficieDisegno {
 public:
  // Text metrics: every character `larghezzaCarattere` wide, every line `altezzaRiga` high.
  explicit SuperficieRegistrata(std::string nome = "picDisplay", double larghezza = 11000, double altezza = 6170,
                                double scaleHeight = 6170, double larghezzaCarattere = 60,
                                double altezzaRiga = 180);
  ~SuperficieRegistrata() override;

  std::string Nome() const override { return nome_; }
  double Larghezza() const override { return larghezza_; }
  double Altezza() const override { return altezza_; }
  double ScaleHeight() const override { return scaleHeight_; }
  void Cls() override;
  void SetFontTransparent(bool t) override { trasparente = t; }
  double CurrentX() const override { return x_; }
  double CurrentY() const override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  void SetFontName(const std::string& nome) override { fontName = nome; }
  void SetFontSize(int16_t d) override { fontSize = d; }
  void SetForeColor(int32_t c) override { foreColor_ = c; }
  int32_t ForeColor() const override { return foreColor_; }
  double TextWidth(const std::string& testo) const override;
  double TextHeight(const std::string& testo) const override;
  void Print(const std::string& testo) override;
  void Line(double x1, double y1, double x2, double y2, int32_t colore, bool rettangolo = false) override;
  void PSet(double x, double y, int32_t colore) override;
  void SetFillColor(int32_t c) override { fillColor = c; }
  void SetFillStyle(int16_t s) override { fillStyle = s; }
  void Circle(double x, double y, double raggio, int32_t colore) override;
  void PaintPicture(FiguraSchema figura, double x, double y, double larghezza, double altezza) override;

  // What was painted since the last Cls (operations and extent).
  std::vector<OperazioneDisegno> operazioni;
  bool Vuota() const { return !haMarchi_; }
  double MinX() const { return minX_; }
  double MinY() const { return minY_; }
  double MaxX() const { return maxX_; }
  double MaxY() const { return maxY_; }

  bool trasparente = false;
  std::string fontName;
  int16_t fontSize = 0;
  int32_t fillColor = 0;
  int16_t fillStyle = 1;
  int clsEseguiti = 0;

 private:
  void Estendi(double x, double y);
  std::string nome_;
  double larghezza_, altezza_, scaleHeight_, larghezzaCarattere_, altezzaRiga_;
  double x_ = 0, y_ = 0;
  int32_t foreColor_ = 0;
  bool haMarchi_ = false;
  double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

}  // namespace varnex
