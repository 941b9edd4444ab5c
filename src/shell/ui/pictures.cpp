#include "shell/ui/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace varnex::ui {
namespace {

// A flame of height h standing on (x, base); `piega` leans its tip to the right (negative: left).
QPainterPath Fiamma(double x, double base, double larghezza, double altezza, double piega) {
  QPainterPath p;
  p.moveTo(x, base);
  p.cubicTo(x - larghezza * 0.55, base - altezza * 0.05, x - larghezza * 0.55, base - altezza * 0.55,
            x + piega, base - altezza);
  p.cubicTo(x + larghezza * 0.05 + piega * 0.3, base - altezza * 0.6, x + larghezza * 0.6, base - altezza * 0.45,
            x + larghezza * 0.45, base - altezza * 0.15);
  p.cubicTo(x + larghezza * 0.4, base - altezza * 0.02, x + larghezza * 0.2, base, x, base);
  return p;
}

void DipingiFiamma(QPainter& g, double x, double base, double larghezza, double altezza, double piega) {
  QLinearGradient esterna(x, base, x, base - altezza);
  esterna.setColorAt(0.0, QColor(200, 40, 0));
  esterna.setColorAt(0.5, QColor(245, 120, 10));
  esterna.setColorAt(1.0, QColor(255, 200, 40));
  g.setPen(Qt::NoPen);
  g.setBrush(esterna);
  g.drawPath(Fiamma(x, base, larghezza, altezza, piega));
  QLinearGradient interna(x, base, x, base - altezza * 0.6);
  interna.setColorAt(0.0, QColor(60, 110, 255));
  interna.setColorAt(0.6, QColor(255, 235, 120));
  g.setBrush(interna);
  g.drawPath(Fiamma(x, base - altezza * 0.02, larghezza * 0.45, altezza * 0.55, piega * 0.5));
}

}  // namespace

namespace {

// The logo on a 240 x 72 drawing surface.
void DipingiLogo(QPainter& g) {
  g.setRenderHint(QPainter::Antialiasing);
  // A pipe run with a bend, and the flame at its end.
  QLinearGradient tubo(0, 44, 0, 60);
  tubo.setColorAt(0.0, QColor(150, 170, 200));
  tubo.setColorAt(0.5, QColor(235, 240, 250));
  tubo.setColorAt(1.0, QColor(90, 110, 150));
  g.setPen(QPen(QColor(40, 60, 110), 1));
  g.setBrush(tubo);
  g.drawRoundedRect(QRectF(6, 46, 60, 12), 3, 3);
  g.drawRoundedRect(QRectF(54, 20, 12, 38), 3, 3);
  g.setBrush(QColor(40, 60, 110));
  g.drawRect(QRectF(52, 16, 16, 5));
  DipingiFiamma(g, 60, 16, 18, 15, 2);
  // The product name, "Pro" in the flame's colour, and what it is for.
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(25);
  f.setBold(true);
  g.setFont(f);
  const QRectF riga(80, 8, 156, 38);
  g.setPen(QColor(25, 45, 110));
  QRectF usato;
  g.drawText(riga, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnex"), &usato);
  g.setPen(QColor(200, 70, 10));
  g.drawText(QRectF(usato.right(), riga.top(), riga.right() - usato.right(), riga.height()),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pro"));
  QFont f2 = f;
  f2.setPixelSize(14);
  f2.setBold(false);
  g.setFont(f2);
  g.setPen(QColor(70, 80, 110));
  g.drawText(QRectF(82, 44, 154, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("impianti e reti gas"));
}

}  // namespace

QImage DisegnaLogo() {
  QImage img(240, 72, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter g(&img);
  DipingiLogo(g);
  return img;
}

QImage DisegnaLogoStampa() {
  // The report's page header takes a logo of at most 184 x 41 pixels: the same drawing, smaller.
  constexpr double scala = 41.0 / 72.0;
  QImage img(static_cast<int>(240 * scala), 41, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter g(&img);
  g.scale(scala, scala);
  DipingiLogo(g);
  return img;
}

QImage DisegnaFiamma(int indice) {
  QImage img(32, 48, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter g(&img);
  g.setRenderHint(QPainter::Antialiasing);
  // The burner, then the flame leaning one way or the other.
  g.setPen(Qt::NoPen);
  g.setBrush(QColor(70, 70, 80));
  g.drawRoundedRect(QRectF(6, 42, 20, 5), 2, 2);
  const bool destra = indice % 2 == 0;
  DipingiFiamma(g, 16, 42, 20, destra ? 38 : 35, destra ? 3 : -3);
  return img;
}

QImage DisegnaFotogrammaAttesa(int numero) {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter g(&img);
  g.setRenderHint(QPainter::Antialiasing);
  // Four drops on a ring; the lit one goes round a quarter per frame.
  const int acceso = ((numero - 1) % 4 + 4) % 4;
  for (int i = 0; i < 4; ++i) {
    const double angolo = M_PI / 2 * i - M_PI / 2;
    const QPointF centro(16 + 10 * std::cos(angolo), 16 + 10 * std::sin(angolo));
    QRadialGradient r(centro, 5);
    r.setColorAt(0, i == acceso ? QColor(255, 210, 60) : QColor(190, 200, 220));
    r.setColorAt(1, i == acceso ? QColor(220, 80, 0) : QColor(110, 120, 150));
    g.setPen(Qt::NoPen);
    g.setBrush(r);
    g.drawEllipse(centro, i == acceso ? 5.5 : 4.0, i == acceso ? 5.5 : 4.0);
  }
  return img;
}

}  // namespace varnex::ui
