#include "archives/ui/archivi.h"

#include <QApplication>

#include "archives/ui/copia_dialoghi.h"
#include "archives/ui/gas_editor.h"
#include "archives/ui/materiali_editor.h"
#include "archives/ui/pdc_editor.h"
#include "archives/ui/raccordi_editor.h"
#include "archives/ui/sostituzione_dialog.h"
#include "model/gas.h"
#include "shell/stato_interfaccia.h"
#include "app/ui/main_window.h"
#include "shell/ui/parametri.h"

namespace varnex::ui {

namespace {
DialogoSostituzioneQt dialogoSostituzione;

// The gas the main window's selector shows; nullopt without a main window or a selected entry.
std::optional<std::string> VoceSelettoreMain() {
  frmMainForm* f = FinestraPrincipaleCaricata();
  if (!f || f->ComboGas->currentIndex() < 0) return std::nullopt;
  return SS(f->ComboGas->currentText());
}
}  // namespace

ArchiviQt::ArchiviQt() {
  ImpostaDialogoSostituzione(&dialogoSostituzione);
  ImpostaEditorGas(&ApriEditorGasDaParametri);
}

ArchiviQt::~ArchiviQt() {
  ImpostaEditorGas(nullptr);
  ImpostaDialogoSostituzione(nullptr);
}

void ApriEditorGasDaParametri() {
  GasEditorDaMain = 0;
  MostraEditorGas(ProprietarioDialoghi(), &VoceSelettoreMain, {});
}

void ApriEditorGasDaMain() {
  GasEditorDaMain = -1;
  frmMainForm* f = FinestraPrincipaleCaricata();
  // The selector's text as it was when the editor opened is what it shows again afterwards.
  const std::optional<std::string> primaVoce = VoceSelettoreMain();
  MostraEditorGas(f, &VoceSelettoreMain, [primaVoce](bool) {
    frmMainForm* m = FinestraPrincipaleCaricata();
    if (!m) return;
    m->InitInitialGasCombo(primaVoce);
    m->show();
    m->SSCommandHelp->setFocus();
  });
}

void ApriGestMateriali() { MostraGestMateriali(FinestraPrincipaleCaricata()); }

void ApriSpeciali() { MostraSpeciali(FinestraPrincipaleCaricata()); }

void ApriPDC() { MostraPDC(FinestraPrincipaleCaricata()); }

void ApriCopiaArchivi() { MostraCopiaArchivi(FinestraPrincipaleCaricata()); }

void ApriCopiaProgetti() { MostraCopiaProgetti(FinestraPrincipaleCaricata()); }

}  // namespace varnex::ui
