#include "shell/ui/comandi_progetto.h"

#include "app/ui/main_window.h"

namespace varnex::ui {

namespace {
IComandiProgetto* comandiProgetto = nullptr;
}

void ImpostaComandiProgetto(IComandiProgetto* comandi) {
  comandiProgetto = comandi;
  if (frmMainForm* principale = FinestraPrincipaleCaricata()) principale->AggiornaComandiProgetto();
}

IComandiProgetto* ComandiProgetto() { return comandiProgetto; }

}  // namespace varnex::ui
