#include "shell/ui/units.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>
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

QRect AreaProgramma() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w) != nullptr && w->isVisible() && !w->isMinimized()) return w->frameGeometry();
  QScreen* s = Schermo();
  return s ? s->geometry() : QRect();
}

void DentroLoSchermo(QWidget& finestra) {
  QScreen* s = Schermo();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const QRect cornice = finestra.frameGeometry();
  int x = std::min(cornice.left(), area.right() + 1 - cornice.width());
  int y = std::min(cornice.top(), area.bottom() + 1 - cornice.height());
  x = std::max(x, area.left());
  y = std::max(y, area.top());
  if (x != cornice.left() || y != cornice.top()) finestra.move(finestra.pos() + QPoint(x - cornice.left(), y - cornice.top()));
}

void CentraSulloSchermo(QWidget& finestra) {
  const QRect base = AreaProgramma();
  if (base.isNull()) return;
  const QSize dimensione = finestra.frameGeometry().size();
  finestra.move(base.left() + (base.width() - dimensione.width()) / 2,
                base.top() + (base.height() - dimensione.height()) / 2);
  DentroLoSchermo(finestra);
}

}  // namespace varnex::ui
