// VarnexPro: gas piping design. Takes an optional project file name on its command line.
#include <QApplication>

#include "model/interaction.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_interaction.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  varnex::ui::QtInterazione interazione;
  varnex::ImpostaInterazione(&interazione);

  varnex::ui::FinestraPrincipale finestra;
  finestra.show();
  int rc = QApplication::exec();
  varnex::ImpostaInterazione(nullptr);
  return rc;
}
