// Test main for the window tests: a runtime folder of the process's own, a QApplication on the
// offscreen platform with real time held, then GoogleTest.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "shell/ui/services.h"

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

}  // namespace

int main(int argc, char** argv) {
  CartellaRuntime runtime;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // No window test waits on the clock: the program's timers tick only when a test ticks them.
  varnex::ui::TrattieniTempoReale(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
