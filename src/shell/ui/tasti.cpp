#include "shell/ui/tasti.h"

#include <QKeyEvent>

namespace varnex::ui {

int16_t CodiceTasto(const QKeyEvent& k) {
  if (k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter) return 13;
  if (k.key() == Qt::Key_Escape) return 27;
  if (k.key() == Qt::Key_Backspace) return 8;
  const QString t = k.text();
  if (t.isEmpty() || !t.at(0).isPrint()) return 0;
  const char16_t c = t.at(0).unicode();
  return c < 256 ? static_cast<int16_t>(c) : int16_t{255};
}

int16_t CodiceFreccia(const QKeyEvent& k) {
  switch (k.key()) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: return 0;
  }
}

std::string CarattereTasto(const QKeyEvent& k) {
  switch (CodiceTasto(k)) {
    case 0:
    case 27: return {};
    case 13: return "\r";
    case 8: return "\b";
    default: return k.text().toStdString();
  }
}

}  // namespace varnex::ui
