// Test main for the window tests: a runtime folder of the process's own, a QApplication on the
// offscreen platform with real time held, then GoogleTest; after every test the window services
// and the program's parts are taken away and the core's state put back (support/stato_processo.h).
#include <QApplication>
#include <QLocale>
#include <QPalette>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "editor/ui/gasgrid.h"
#include "report/print/ui/frm_select_printer.h"
#include "shell/ui/comandi_progetto.h"
#include "shell/ui/parametri.h"
#include "shell/ui/services.h"
#include "support/stato_processo.h"

namespace {

// The toolkit's runtime folder and the single-instance lock's: private to this test process, so
// tests running side by side never share one (mkdtemp makes it 0700, as the toolkit requires),
// whether ctest runs them plain or under scripts/test. Removed at the end.
class CartellaRuntime {
 public:
  CartellaRuntime() {
    const char* tmp = std::getenv("TMPDIR");
    std::string modello = std::string(tmp && *tmp ? tmp : "/tmp") + "/varnex-run-XXXXXX";
    if (!mkdtemp(modello.data())) {
      std::perror("mkdtemp");
      std::exit(2);
    }
    percorso_ = modello;
    setenv("XDG_RUNTIME_DIR", percorso_.c_str(), 1);
  }
  ~CartellaRuntime() {
    std::error_code errore;
    std::filesystem::remove_all(percorso_, errore);
  }
  CartellaRuntime(const CartellaRuntime&) = delete;
  CartellaRuntime& operator=(const CartellaRuntime&) = delete;

 private:
  std::string percorso_;
};

// The window services a test stands in for (each fake takes itself away when it goes), the parts
// of the program a test wires in, and what a test may change in the toolkit.
std::vector<varnex::test::VoceStato> StatoFinestre() {
  using varnex::test::VoceStato;
  namespace ui = varnex::ui;
  auto servizio = [](const char* nome, std::function<const void*()> installato, std::function<void()> togli) {
    togli();
    const void* nessuno = installato();
    return VoceStato{nome, [installato, nessuno] { return installato() != nessuno; }, std::move(togli)};
  };
  const QPalette tavolozza = QApplication::palette();
  const QLocale lingua;
  return {
      // Windows a test closed are deleted before the next test starts: a main window left for a
      // later event loop would still be the program's window in the next test.
      {"the windows waiting to be deleted", {}, [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }},
      servizio("the dialogs stand-in (ImpostaDialoghi)", [] { return &ui::Dialoghi(); },
               [] { ui::ImpostaDialoghi(nullptr); }),
      servizio("the file dialogs stand-in (ImpostaFileDialoghi)", [] { return &ui::FileDialoghi(); },
               [] { ui::ImpostaFileDialoghi(nullptr); }),
      servizio("the desktop stand-in (ImpostaDesktop)", [] { return &ui::Desktop(); },
               [] { ui::ImpostaDesktop(nullptr); }),
      servizio("the process stand-in (ImpostaProcesso)", [] { return &ui::Processo(); },
               [] { ui::ImpostaProcesso(nullptr); }),
      servizio("the system printers stand-in (ImpostaStampantiSistema)", [] { return &ui::StampantiSistema(); },
               [] { ui::ImpostaStampantiSistema(nullptr); }),
      {"the schema on the editor", {}, [] { ui::ImpostaSchemaRete(nullptr); }},
      {"the cell editor", {}, [] { ui::ImpostaEditorCelle(nullptr); }},
      {"the editor's work counts", {}, [] { ui::LavoroEditor() = {}; }},
      {"the tightness page's maker", {}, [] { ui::ImpostaCostruttorePaginaTenuta(nullptr); }},
      {"the gas editor's opener", {}, [] { ui::ImpostaEditorGas(nullptr); }},
      {"the project commands", {},
       [] {
         if (ui::ComandiProgetto()) ui::ImpostaComandiProgetto(nullptr);
       }},
      {"the start-up status line", {}, [] { ui::ImpostaLineaStato({}); }},
      {"the held real time", {}, [] { ui::TrattieniTempoReale(true); }},
      {"the application palette", {},
       [tavolozza] {
         if (QApplication::palette() != tavolozza) QApplication::setPalette(tavolozza);
       }},
      {"the default locale", {},
       [lingua] {
         if (QLocale() != lingua) QLocale::setDefault(lingua);
       }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  CartellaRuntime runtime;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // No window test waits on the clock: the program's timers tick only when a test ticks them.
  varnex::ui::TrattieniTempoReale(true);
  std::vector<varnex::test::VoceStato> stato = varnex::test::StatoCore();
  for (auto& voce : StatoFinestre()) stato.push_back(std::move(voce));
  return varnex::test::EseguiProve(argc, argv, std::move(stato));
}
