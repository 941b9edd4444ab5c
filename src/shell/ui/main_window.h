// The program's main window.
#pragma once

#include <QMainWindow>

namespace varnex::ui {

class FinestraPrincipale : public QMainWindow {
  Q_OBJECT
 public:
  explicit FinestraPrincipale(QWidget* parent = nullptr);
};

}  // namespace varnex::ui
