// VarnexPro: gas piping design. Takes an optional project file name on its command line.
#include <QApplication>

#include "app/ui/startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  return varnex::ui::EseguiProgramma(argc, argv);
}
