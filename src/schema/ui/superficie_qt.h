// The schema's drawing surface on a QPainter: the editor's canvas, the print picture, the
// printer and the print preview each give it their painter and the window of surface units
// (twips) that maps onto the painter's device rectangle.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <map>
#include <vector>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "schema/etichette.h"
#include "schema/superficie.h"

namespace varnex::ui {

// The artwork of a schema picture (source, appliance, arrow), drawn in code, at `lato` pixels.
QPixmap FiguraSchemaPixmap(FiguraSchema figura, int lato = 32);

// The thinnest line the schema draws on a device of fine dots (a printer), in points: the
// labels' leaders; the pipes and frames drawn as lines are twice as wide.
inline constexpr double SpessoreMinimoTrattoPunti = 0.25;

class SuperficieQt : public ISuperficieDisegno {
 public:
  // `finestra`: the surface units shown in `dispositivo` (device pixels of the painter).
  // `larghezza`, `altezza`: the surface's outer size in its units; `scaleHeight` its inner height.
  // `sfondo`: the colour Cls erases with.
  SuperficieQt(std::string nome, QPainter& painter, QRectF finestra, QRectF dispositivo, double larghezza,
               double altezza, double scaleHeight, int32_t sfondo);
  // The schema forgets a surface that goes away.
  ~SuperficieQt() override;
  SuperficieQt(const SuperficieQt&) = delete;
  SuperficieQt& operator=(const SuperficieQt&) = delete;

  std::string Nome() const override { return nome_; }
  double Larghezza() const override { return larghezza_; }
  double Altezza() const override { return altezza_; }
  double ScaleHeight() const override { return scaleHeight_; }
  void Cls() override;
  void SetFontTransparent(bool trasparente) override { trasparente_ = trasparente; }
  double CurrentX() const override { return x_; }
  double CurrentY() const override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  void SetFontName(const std::string& nome) override;
  void SetFontSize(int16_t dimensione) override;
  void SetForeColor(int32_t colore) override { foreColor_ = colore; }
  int32_t ForeColor() const override { return foreColor_; }
  double TextWidth(const std::string& testo) const override;
  double TextHeight(const std::string& testo) const override;
  void Print(const std::string& testo) override;
  void Line(double x1, double y1, double x2, double y2, int32_t colore, bool rettangolo = false) override;
  void PSet(double x, double y, int32_t colore) override;
  void SetFillColor(int32_t colore) override { fillColor_ = colore; }
  void SetFillStyle(int16_t stile) override { fillStyle_ = stile; }
  void Circle(double x, double y, double raggio, int32_t colore) override;
  void PaintPicture(FiguraSchema figura, double x, double y, double larghezza, double altezza) override;
  void InizioEtichetta(double x, double y) override;
  void InizioEtichettaTubo(double x1, double y1, double x2, double y2) override;
  void FineEtichetta() override { bloccoAperto_ = false; }
  void FineDisegno() override;

  // Surface units to device pixels.
  QPointF Dispositivo(double x, double y) const;
  // What was painted since the last Cls, in surface units; empty when nothing was.
  QRectF Estensione() const { return estensione_; }
  double ScalaX() const { return sx_; }
  double ScalaY() const { return sy_; }

  // A label line as the last drawing placed it, in surface units: its box from its first mark to
  // its end at the full height of the type, and the part its glyphs cover.
  struct EtichettaPiazzata {
    QString testo;
    QRectF scatola, inchiostro;
    bool richiamo = false;  // its block has a leader to what it names
  };
  const std::vector<EtichettaPiazzata>& EtichettePiazzate() const { return piazzate_; }
  // Every label block of the last drawing where it was placed, in surface units.
  const std::vector<QRectF>& BlocchiEtichette() const { return blocchiPiazzati_; }
  // A sheet of a drawing over several: a label block not wholly inside `dispositivo` (device
  // pixels) is left out with its leader: the grid of sheets is laid so that it is whole on another.
  void SoloEtichetteIntereIn(const QRectF& dispositivo) { soloIntereIn_ = dispositivo; }
  // The type drawn this many times its size: a picture that stands for paper at another scale keeps
  // the paper's type in proportion to the drawing, so its labels go where the paper's go.
  void ScalaCaratteri(double fattore);
  // How well the labels of the last drawing off the canvas tell what they name (all of its labels,
  // those a sheet leaves out included).
  const MisuraEtichette& Misura() const { return misura_; }
  // The same of the last drawing off the canvas (paper, preview, saved picture), and the millimetres
  // of a line of its labels' type on its device.
  static const MisuraEtichette& MisuraUltimaCarta();
  static double RigaUltimaCartaMm();

 private:
  std::string nome_;
  QPainter& p_;
  QRectF finestra_, dispositivo_;
  double larghezza_, altezza_, scaleHeight_;
  int32_t sfondo_;
  double sx_ = 1, sy_ = 1;
  double x_ = 0, y_ = 0;
  bool trasparente_ = true;
  QFont font_;
  // The metrics of font_, measured again only when the font changes.
  const QFontMetricsF& Metriche() const;
  mutable std::optional<QFontMetricsF> metriche_;
  // Device pixels for a pixel of metriche_ (1 but for type drawn to another size than its own).
  mutable double fattoreMetriche_ = 1;
  static constexpr double RisoluzioneMetriche = 1200;
  // The width of a text in font_ on this device, in pixels.
  qreal LarghezzaPixel(const QString& testo) const;
  mutable QString chiaveFont_;
  // The pictures of this drawing by kind and size in whole pixels: the many appliances share a few.
  std::map<std::tuple<int, int, int>, QPixmap> figure_;
  // The labels wait for the whole drawing and are then placed clear of one another and of
  // everything drawn: where the layout lays branches on one another, their labels still read.
  bool rinvia_ = true;
  // Paper, preview or saved picture: not the editor's canvas.
  bool carta_ = false;
  struct TestoRinviato {
    double x = 0, y = 0;
    QString testo, chiave;  // chiave: the font's key and the text, for the prepared texts
    QFont font;
    int32_t colore = 0;
    bool trasparente = true;
    Riquadro scatola, inchiostro;
    double larghezza = 0, altezza = 0;
  };
  struct Blocco {
    double x = 0, y = 0;  // what it names
    std::vector<TestoRinviato> righe;
    std::optional<Riquadro> tubo;  // the pipe it names, end to end
  };
  std::vector<Blocco> blocchi_;
  bool bloccoAperto_ = false;
  struct Ostacolo {
    Riquadro r;
    bool linea = false;
    bool simbolo = false;  // a picture (appliance, source)
  };
  MisuraEtichette misura_;
  std::vector<Ostacolo> ostacoli_;
  std::vector<EtichettaPiazzata> piazzate_;
  std::vector<QRectF> blocchiPiazzati_;
  std::optional<QRectF> soloIntereIn_;
  double scalaCaratteri_ = 1;
  void Ostacola(double x1, double y1, double x2, double y2, bool linea, bool simbolo = false);
  static void SeparaRighe(Blocco& b);
  // Paints the text with its top-left corner on the device point.
  void Scrivi(const QPointF& a, const QString& t, const QString& chiave, const QFont& font, int32_t colore,
              bool trasparente);
  // The width of a pen of at least `punti` points, in the device's pixels (one on a screen).
  double LarghezzaTratto(double punti) const;
  int32_t foreColor_ = 0;
  int32_t fillColor_ = 0;
  int16_t fillStyle_ = 1;
  QRectF estensione_;
  void Estendi(double x1, double y1, double x2, double y2);
};

}  // namespace varnex::ui
