#include "report/print/percentuali.h"

#include "model/numbers.h"
#include "model/strings.h"
#include "shell/settings.h"

namespace varnex {

int16_t PercentualeX = 100;
int16_t PercentualeY = 100;

namespace {

int16_t LeggiPercentuale(const char* chiave) {
  const std::string testo = Trim(GetSetting("Varnex", chiave, "0"));
  auto v = LeggiRegionale(testo);
  int16_t valore = 0;
  if (v) {
    if (auto n = ToInt16(*v)) valore = *n;
  } else if (auto n = ToInt16(ValDot(testo))) {
    valore = *n;
  }
  if (valore == 0) {
    valore = 100;
    SaveSetting("Varnex", chiave, "100");
  }
  return valore;
}

}  // namespace

void LoadPagePercent() {
  PercentualeX = LeggiPercentuale("X-percent");
  PercentualeY = LeggiPercentuale("Y-percent");
}

void SavePagePercent() {
  SaveSetting("Varnex", "X-percent", std::to_string(PercentualeX));
  SaveSetting("Varnex", "Y-percent", std::to_string(PercentualeY));
}

}  // namespace varnex
