#include "shell/selettore_gas.h"

#include "model/gas.h"
#include "model/interaction.h"
#include "model/rete.h"

namespace varnex {

const char* const MsgGasNonCombustibile =
    "Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile";

namespace {

bool StessoGas(const TGas& a, const TGas& b) {
  return a.Nome == b.Nome && a.Densita == b.Densita && a.Viscosita == b.Viscosita && a.PCI == b.PCI &&
         a.PCS == b.PCS && a.NonCombustibile == b.NonCombustibile;
}

const TGas* GasArchivio(int16_t i) {
  if (i < 1 || i > NumGas || static_cast<size_t>(i) >= ArchivioGas.size()) return nullptr;
  return &ArchivioGas[static_cast<size_t>(i)];
}

}  // namespace

EsitoSceltaGas ApplicaSceltaGas(const std::optional<std::string>& voce) {
  if (voce) {
    const int16_t indice = CercaGas(*voce);
    // A name the archive lacks never becomes index -1: the gas in use stays.
    if (indice < 1) return EsitoSceltaGas::NonTrovato;
    CurrentGas = indice;
    const TGas* scelto = GasArchivio(CurrentGas);
    if (scelto && scelto->NonCombustibile && !ReteInPressione) {
      MsgBox(MsgGasNonCombustibile, Bottoni::OK);
      return EsitoSceltaGas::Rifiutato;
    }
  }
  if (CurrentGas == 0) CurrentGas = 1;
  const TGas* nuovo = GasCorrente.Nome.empty() ? GasArchivio(1) : GasArchivio(CurrentGas);
  if (!nuovo) return EsitoSceltaGas::NonTrovato;
  // Merely leaving the selector on the gas in use must not reset the user's maximum drop nor
  // mark the project modified.
  if (StessoGas(*nuovo, GasCorrente)) return EsitoSceltaGas::Invariato;
  if (!GasCorrente.Nome.empty()) PDCMaxUtente = 0;
  GasCorrente = *nuovo;
  ProgettoModificato = -1;
  return EsitoSceltaGas::Applicato;
}

bool VerificaGasCalcolo(const std::optional<std::string>& voce) {
  if (!voce) return true;
  const int16_t indice = CercaGas(*voce);
  if (indice < 1) return true;
  CurrentGas = indice;
  const TGas* g = GasArchivio(indice);
  if (g && g->NonCombustibile && !ReteInPressione) {
    MsgBox(MsgGasNonCombustibile, Bottoni::OK);
    return false;
  }
  return true;
}

}  // namespace varnex
