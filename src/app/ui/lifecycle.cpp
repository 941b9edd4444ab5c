#include "app/ui/lifecycle.h"

#include "editor/ui/gasgrid.h"
#include "model/progetto_file.h"
#include "app/ui/main_window.h"
#include "shell/ui/parametri.h"
#include "shell/ui/services.h"
#include "shell/ui/start_screen.h"
#include "shell/ui/wait_window.h"

namespace varnex::ui {

// ---- AmbienteProgettoQt ----------------------------------------------------------------------

std::optional<std::string> AmbienteProgettoQt::ChiediFileApri(const std::string& titolo, const std::string& filtro,
                                                              const std::string& cartella) {
  return FileDialoghi().ApriFile(titolo, filtro, cartella);
}

std::optional<std::string> AmbienteProgettoQt::ChiediFileSalva(const std::string& titolo, const std::string& filtro,
                                                               const std::string& cartella, const std::string& nome) {
  return FileDialoghi().SalvaFile(titolo, filtro, cartella, nome);
}

void AmbienteProgettoQt::MostraAttesa() { ui::MostraAttesa(); }
void AmbienteProgettoQt::ScaricaAttesa() { ui::ScaricaAttesa(); }
void AmbienteProgettoQt::DoEvents() { ui::DoEvents(); }

void AmbienteProgettoQt::Titolo(const std::string& titolo) {
  QWidget* finestra = principale_ ? principale_.data() : FinestraPrincipaleCaricata();
  if (finestra) finestra->setWindowTitle(QS(titolo));
}

// The editor lives inside the main window: without one (tests of the dialogs alone) there is
// nothing to show the network in.
void AmbienteProgettoQt::ScaricaEditor() {
  const bool appenaCostruito = editorDellaLettura_ && editorDellaLettura_ == GasGridCaricato();
  editorDellaLettura_ = nullptr;
  if (appenaCostruito) return;
  if (GasGridCaricato()) ScaricaGasGrid();
}

void AmbienteProgettoQt::NewRete(int16_t rete) {
  editorDellaLettura_ = nullptr;
  if (FinestraPrincipaleCaricata()) CaricaGasGrid().NewRete(rete);
}

void AmbienteProgettoQt::MostraEditor() {
  editorDellaLettura_ = nullptr;
  if (FinestraPrincipaleCaricata()) CaricaGasGrid().show();
}

void AmbienteProgettoQt::Elaborazione() {
  editorDellaLettura_ = nullptr;
  if (FinestraPrincipaleCaricata()) CaricaGasGrid().Elaborazione();
}

void AmbienteProgettoQt::AggiornaCalcoli() {
  editorDellaLettura_ = nullptr;
  if (FinestraPrincipaleCaricata()) CaricaGasGrid().AggiornaCalcoli();
}

void AmbienteProgettoQt::SospendiAggiornamenti() { GasGrid::SospendiAggiornamenti(); }
void AmbienteProgettoQt::RiprendiAggiornamenti() { GasGrid::RiprendiAggiornamenti(); }

void AmbienteProgettoQt::TerminaProcesso(int codice) { Processo().Termina(codice); }

// ---- ComandiProgettoQt -----------------------------------------------------------------------

void ComandiProgettoQt::ApriProgetto() { varnex::ApriProgetto(); }
bool ComandiProgettoQt::SalvaProgetto(const std::string& percorso) { return !varnex::SalvaProgetto(percorso).empty(); }
bool ComandiProgettoQt::ChiudiProgetto() { return varnex::ChiudiProgetto(); }
void ComandiProgettoQt::EsciProgramma() { varnex::EsciProgramma(); }
void ComandiProgettoQt::MostraParametri() { ui::MostraParametri(); }
// The dialog is made anew on every show and destroyed when it closes: nothing stays loaded.
void ComandiProgettoQt::ScaricaParametri() {}
void ComandiProgettoQt::MostraAttivita() { ui::MostraAttivita(); }

// ---- CicloVitaQt -----------------------------------------------------------------------------

// What the project reader asks of the windows while it loads.
class CicloVitaQt::FinestreLettura : public IFinestreProgetto {
 public:
  explicit FinestreLettura(AmbienteProgettoQt& ambiente) : ambiente_(ambiente) {}
  void AssicuraEditor() override {
    if (!FinestraPrincipaleCaricata()) return;
    const bool nuovo = GasGridCaricato() == nullptr;
    GasGrid& editor = CaricaGasGrid();
    if (nuovo) ambiente_.EditorDellaLettura(&editor);
  }
  void TitoloProgetto(const std::string& titolo) override { ambiente_.Titolo(titolo); }

 private:
  AmbienteProgettoQt& ambiente_;
};

CicloVitaQt::CicloVitaQt() : lettura_(std::make_unique<FinestreLettura>(ambiente_)) {
  ImpostaAmbienteProgetto(&ambiente_);
  ImpostaFinestreProgetto(lettura_.get());
  ImpostaComandiProgetto(&comandi_);
}

CicloVitaQt::~CicloVitaQt() {
  ImpostaComandiProgetto(nullptr);
  ImpostaFinestreProgetto(nullptr);
  ImpostaAmbienteProgetto(nullptr);
}

}  // namespace varnex::ui
