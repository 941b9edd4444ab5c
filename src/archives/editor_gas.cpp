#include "archives/editor_gas.h"

#include <string>

#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "shell/progetto.h"
#include "shell/selettore_gas.h"
#include "shell/stato_interfaccia.h"

namespace varnex {

namespace {

// The first entry named exactly `nome`; CercaGas (any letter case, message when missing) only
// when no entry has that exact spelling, so that two gases differing in case stay apart.
int16_t TrovaGas(const std::string& nome) {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (ArchivioGas[static_cast<size_t>(i)].Nome == nome) return i;
  return CercaGas(nome);
}

}  // namespace

CampiGas EditorGas::MostraDatiGas(const TGas& gas) {
  CampiGas c;
  c.NonCombustibile = gas.NonCombustibile != 0;
  c.Densita = FormatNumero(gas.Densita, 3);
  c.Massa = FormatNumero(gas.MassaVolumica, 3);
  c.Viscosita = FormatNumero(static_cast<double>(gas.Viscosita) * 1e6, 2);
  c.PCinf = FormatNumero(gas.PCI, 1);
  c.PCsup = FormatNumero(gas.PCS, 1);
  c.WobbeInf = FormatNumero(gas.WobbeInf, 1);
  c.WobbeSup = FormatNumero(gas.WobbeSup, 1);
  c.Famiglia = std::to_string(gas.Famiglia);
  return c;
}

void EditorGas::LeggiDatiGas(const CampiGas& campi, TGas& gas) {
  gas.Densita = static_cast<float>(ValDot(campi.Densita));
  gas.Viscosita = static_cast<float>(ValDot(campi.Viscosita) * 1e-6);
  gas.PCI = static_cast<float>(ValDot(campi.PCinf));
  gas.PCS = static_cast<float>(ValDot(campi.PCsup));
  gas.NonCombustibile = campi.NonCombustibile ? 1 : 0;
}

int16_t EditorGas::IndiceDefault() {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (ArchivioGas[static_cast<size_t>(i)].Nome == DefaultGas) return i;
  return NumGas > 0 ? 1 : 0;
}

TGas* EditorGas::Corrente() {
  if (IndiceGas < 1 || IndiceGas > NumGas || static_cast<size_t>(IndiceGas) >= ArchivioGas.size()) return nullptr;
  return &ArchivioGas[static_cast<size_t>(IndiceGas)];
}

bool EditorGas::Scrivi() {
  std::string errore;
  if (SalvaGas(&errore)) return true;
  MsgBox(errore, Bottoni::OK, Icona::Critico);
  return false;
}

bool EditorGas::ConfermaCambio(const CampiGas& campi) {
  if (!GasModificato) return true;
  const Risposta r = MsgBox(MsgSalvareModifiche, Bottoni::SiNoAnnulla, Icona::Domanda);
  if (r == Risposta::Annulla) return false;
  if (r == Risposta::Si) {
    if (TGas* g = Corrente()) {
      const TGas prima = *g;
      TGas copia = *g;
      LeggiDatiGas(campi, copia);
      *g = copia;
      // Not written: the values stay in the boxes, still pending, and the other gas is not shown.
      if (!Scrivi()) {
        *g = prima;
        return false;
      }
    }
  }
  GasModificato = false;
  return true;
}

CampiGas EditorGas::Seleziona(const std::string& nome) {
  const int16_t i = TrovaGas(nome);
  if (i > 0) IndiceGas = i;
  GasModificato = false;
  const TGas* g = Corrente();
  return g ? MostraDatiGas(*g) : CampiGas{};
}

bool EditorGas::SalvaDatiGas(const CampiGas& campi) {
  TGas* g = Corrente();
  if (!g) return false;
  TGas copia = *g;
  LeggiDatiGas(campi, copia);
  if (!IsGasValido(copia)) {
    MsgBox(MsgGasIncompleto, Bottoni::OK);
    return false;
  }
  const TGas prima = *g;
  *g = copia;
  if (Scrivi()) return true;
  *g = prima;
  return false;
}

bool EditorGas::Salva(const CampiGas& campi) {
  const bool ok = SalvaDatiGas(campi);
  GasModificato = false;
  return ok;
}

CampiGas EditorGas::Ricalcola(const CampiGas& campi) {
  TGas* g = Corrente();
  if (!g) return campi;
  LeggiDatiGas(campi, *g);
  CalcolaFamigliaGas(*g);
  GasModificato = false;
  return MostraDatiGas(*g);
}

int16_t EditorGas::Nuovo(const std::string& nome, const CampiGas& campi) {
  // An empty name (also the cancelled prompt) would be written as a line the reader cannot
  // take back as the same gas.
  if (Trim(nome).empty()) return 0;
  // The pending values belong to the gas shown now, not to the new entry.
  if (!ConfermaCambio(campi)) return 0;
  GasModificato = false;
  return AggiungiGas(nome);
}

bool EditorGas::Cancella() {
  TGas* g = Corrente();
  if (!g) return false;
  if (g->Nome == GasCorrente.Nome) {
    MsgBox(MsgGasInUso, Bottoni::OK);
    return false;
  }
  if (MsgBox("Confermi la cancellazione del gas : \r" + g->Nome, Bottoni::SiNo, Icona::Domanda) != Risposta::Si)
    return false;
  g->Cancellato = -1;
  if (!Scrivi()) {
    g->Cancellato = 0;
    return false;
  }
  CaricaGas();
  // The boxes' pending values were the deleted gas's: they go with it.
  GasModificato = false;
  IndiceGas = 0;
  return true;
}

UscitaGas EditorGas::Esci(const CampiGas& campi, const std::string& testoLista,
                          const std::optional<std::string>& voceSelettore) {
  const bool gasInUso = voceSelettore && testoLista == *voceSelettore;
  if (GasModificato) {
    const Risposta r = MsgBox(MsgSalvareModifiche, Bottoni::SiNoAnnulla, Icona::Domanda);
    if (r == Risposta::Annulla) return UscitaGas::RestaAperta;
    if (r == Risposta::No) return UscitaGas::Chiusa;
    const CampiGas mostrati = Ricalcola(campi);
    TGas* g = Corrente();
    if (g) {
      TGas copia = *g;
      LeggiDatiGas(mostrati, copia);
      if (IsGasValido(copia)) {
        // Written or not: a failed write keeps the editor open with the changes still pending.
        if (!SalvaDatiGas(mostrati)) {
          GasModificato = true;
          return UscitaGas::RestaAperta;
        }
      } else {
        MsgBox(MsgGasIncompleto, Bottoni::OK);
      }
    }
    if (gasInUso && !AggiornaGasInUso(voceSelettore)) return UscitaGas::RestaAperta;
    return UscitaGas::Chiusa;
  }
  Ricalcola(campi);
  if (gasInUso && !AggiornaGasInUso(voceSelettore)) return UscitaGas::Nascosta;
  return UscitaGas::Chiusa;
}

bool EditorGas::AggiornaGasInUso(const std::optional<std::string>& voceSelettore) {
  // Without an entry, or with a name the archive lacks, the gas in use stays as it is.
  if (!voceSelettore) return true;
  const int16_t i = TrovaGas(*voceSelettore);
  if (i < 1) return true;
  CurrentGas = i;
  PDCMaxUtente = 0;
  const TGas& g = ArchivioGas[static_cast<size_t>(i)];
  if (g.NonCombustibile != 0 && ReteInPressione == 0) {
    MsgBox(MsgGasNonCombustibile, Bottoni::OK);
    return false;
  }
  GasCorrente = g;
  if (RicalcoloAutomatico != 0) AmbienteProgetto().Elaborazione();
  ProgettoModificato = -1;
  return true;
}

}  // namespace varnex
