#include "shell/ui/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace varnex::ui {

int Pixel(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel)); }

int Twips(int pixel) { return pixel * TwipsPerPixel; }

QSize DimensioneTwips(int larghezza, int altezza) { return {Pixel(larghezza), Pixel(altezza)}; }

QRect RettangoloTwips(int sinistra, int alto, int larghezza, int altezza) {
  return {Pixel(sinistra), Pixel(alto), Pixel(larghezza), Pixel(altezza)};
}

QColor ColoreVB(int32_t bbggrr) {
  auto v = static_cast<uint32_t>(bbggrr);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

int32_t ValoreVB(const QColor& colore) {
  return static_cast<int32_t>(static_cast<uint32_t>(colore.red()) | (static_cast<uint32_t>(colore.green()) << 8) |
                              (static_cast<uint32_t>(colore.blue()) << 16));
}

namespace {
QScreen* Schermo() { return QGuiApplication::primaryScreen(); }
}  // namespace

QSize SchermoTwips() {
  QScreen* s = Schermo();
  if (!s) return {};
  return {Twips(s->geometry().width()), Twips(s->geometry().height())};
}

int LarghezzaAreaLavoro() {
  QScreen* s = Schermo();
  return s ? Twips(s->availableGeometry().width()) : 0;
}

void CentraSulloSchermo(QWidget& finestra) {
  QScreen* s = Schermo();
  if (!s) return;
  const QRect schermo = s->geometry();
  const QSize dimensione = finestra.frameGeometry().size();
  finestra.move(schermo.left() + (schermo.width() - dimensione.width()) / 2,
                schermo.top() + (schermo.height() - dimensione.height()) / 2);
}

}  // namespace varnex::ui
