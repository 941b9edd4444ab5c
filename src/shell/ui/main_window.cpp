#include "shell/ui/main_window.h"

namespace varnex::ui {

FinestraPrincipale::FinestraPrincipale(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("VarnexPro"));
  resize(1024, 700);
}

}  // namespace varnex::ui
