#include "report/print/opzioni_stampa.h"

#include "model/strings.h"
#include "report/print/sezioni.h"
#include "shell/settings.h"

namespace varnex {

SceltaSezioni PresetSezioni(int16_t indice) {
  // Letter order: cover, segments, diagram, localized losses, path, appliances, bill, tightness.
  switch (indice) {
    case 0: return {true, true, true, true, true, true, true, true};
    case 1: return {true, true, true, false, true, false, false, false};
    case 2: return {false, true, false, true, false, false, true, false};
    default: return {};
  }
}

SceltaSezioni LeggiSetStampe() {
  std::string testo = GetSetting("Varnex", "SetStampe", "");
  if (Trim(testo).empty()) testo = "BBBBBBBB";
  SceltaSezioni scelta{};
  for (size_t i = 0; i < scelta.size(); ++i) scelta[i] = i < testo.size() && testo[i] == 'A';
  return scelta;
}

std::string TestoSetStampe(const SceltaSezioni& scelta) {
  std::string testo(9, ' ');
  for (size_t i = 0; i < scelta.size(); ++i) testo[i] = scelta[i] ? 'A' : 'B';
  return testo;
}

void SalvaSetStampe(const SceltaSezioni& scelta) { SaveSetting("Varnex", "SetStampe", TestoSetStampe(scelta)); }

void StoreSelected(const SceltaSezioni& scelta) {
  for (size_t i = 0; i < scelta.size(); ++i) FlagSezione(OrdineLettere[i]) = scelta[i] ? -1 : 0;
  NumSezioniStampa = ContaSezioniSelezionate();
}

}  // namespace varnex
