#include "report/files/tabelle_file.h"

#include <algorithm>
#include <cmath>

#include "model/campi.h"
#include "model/colonne.h"
#include "model/strings.h"
#include "model/numbers.h"
#include "report/files/stampa_file.h"

namespace varnex {

LayoutColonneFile CalcolaLayoutColonne(const std::vector<int16_t>& pesi) {
  if (pesi.size() > static_cast<size_t>(MaxColonneFile)) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  LayoutColonneFile layout;
  layout.Ultima = static_cast<int16_t>(static_cast<int>(pesi.size()) - 1);
  int64_t somma = 0;
  for (int16_t p : pesi) somma += p;
  const int16_t somma16 = PosizioneFile(somma);
  if (somma16 == 0) throw ErroreStampaFile(errore_file::DivisionePerZero);
  layout.Unita = static_cast<int32_t>(ArrotondaPari(static_cast<double>(LarghezzaCorpoFile) / somma16));
  for (size_t c = 0; c < pesi.size(); ++c) {
    const int32_t larghezza = pesi[c] * layout.Unita;
    const auto limite = static_cast<int32_t>(std::floor(larghezza / 2.0)) - 1;
    // A column too narrow for a single character cannot have its texts cut.
    if (limite < 0) throw ErroreStampaFile(errore_file::ArgomentoNonValido);
    layout.Larghezza[c] = larghezza;
    layout.Limite[c] = static_cast<int16_t>(limite);
  }
  return layout;
}

LayoutColonneFile LayoutVista(int16_t view) {
  if (view < 0 || view >= NumLayoutGriglia) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  const int16_t ultima = UltimaColonnaGriglia[static_cast<size_t>(view)];
  if (ultima >= MaxColonneFile) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  std::vector<int16_t> pesi;
  for (int16_t c = 0; c <= ultima; ++c)
    pesi.push_back(ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].PesoColonna);
  return CalcolaLayoutColonne(pesi);
}

namespace {

void Allarga(LayoutColonneFile& layout, int16_t c, const std::string& testo) {
  const auto caratteri = static_cast<int32_t>(Len(testo));
  if (caratteri <= layout.Limite[static_cast<size_t>(c)]) return;
  layout.Limite[static_cast<size_t>(c)] = static_cast<int16_t>(std::min<int32_t>(caratteri, 32767));
  layout.Larghezza[static_cast<size_t>(c)] = (caratteri + 1) * 2;
}

}  // namespace

void AllargaPerContenuto(LayoutColonneFile& layout, int16_t view, const std::vector<int16_t>& righe,
                         const std::optional<TotaleReport>& totale) {
  constexpr int16_t SenzaLimite = 32767;
  for (int16_t c = 0; c <= layout.Ultima; ++c) {
    if (ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].IdCampo == campo::ID_RIF) continue;
    for (int16_t seg : righe) Allarga(layout, c, GetCellText(view, c, seg, SenzaLimite));
  }
  if (totale && totale->Colonna >= 0 && totale->Colonna <= layout.Ultima)
    Allarga(layout, totale->Colonna, GetReportTotalText(*totale, view, SenzaLimite));
}

}  // namespace varnex
