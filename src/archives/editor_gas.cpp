#include "archives/editor_gas.h"

#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "archives/testi_archivio.h"
#include "model/valori_digitati.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "shell/progetto.h"
#include "shell/selettore_gas.h"
#include "shell/stato_interfaccia.h"
#include "model/tenuta.h"

namespace varnex {

namespace {

// The first entry named exactly `nome`; CercaGas (any letter case, message when missing) only
// when no entry has that exact spelling, so that two gases differing in case stay apart.
int16_t TrovaGas(const std::string& nome) {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (ArchivioGas[static_cast<size_t>(i)].Nome == nome) return i;
  return CercaGas(nome);
}

// Whether the archive's entry of the gas in use (`voce`, the selector's gas) no longer holds the
// values the project calculates with: saved from the editor while its list showed it, then left
// on another gas. The copy must follow, or the project is sized with values that come back
// different at its next opening.
bool GasInUsoCambiato(const std::string& voce) {
  if (!StessoNomeGas(voce, GasCorrente.Nome)) return false;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (StessoNomeGas(g.Nome, voce)) return !StessiValoriGas(g, GasCorrente);
  }
  return false;
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
  // A gas whose Wobbe index matched no family carries family 1 only as a stand-in.
  c.Famiglia = gas.ErroreFamiglia != 0 ? "nessuna" : std::to_string(gas.Famiglia);
  return c;
}

void EditorGas::LeggiDatiGas(const CampiGas& campi, TGas& gas) {
  // A box still showing the stored value as it was shown keeps the stored value: the display
  // rounding must never replace what the archive holds.
  auto leggi = [](const std::string& testo, const std::string& mostrato, float valore, double scala) {
    if (testo == mostrato) return valore;
    return static_cast<float>(ValDot(testo) * scala);
  };
  const CampiGas mostrati = MostraDatiGas(gas);
  gas.Densita = leggi(campi.Densita, mostrati.Densita, gas.Densita, 1);
  gas.Viscosita = leggi(campi.Viscosita, mostrati.Viscosita, gas.Viscosita, 1e-6);
  gas.PCI = leggi(campi.PCinf, mostrati.PCinf, gas.PCI, 1);
  gas.PCS = leggi(campi.PCsup, mostrati.PCsup, gas.PCS, 1);
  if (campi.NonCombustibile != (gas.NonCombustibile != 0)) gas.NonCombustibile = campi.NonCombustibile ? 1 : 0;
}

int16_t EditorGas::IndiceDefault() {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, DefaultGas)) return i;
  return NumGas > 0 ? 1 : 0;
}

TGas* EditorGas::Corrente() {
  if (IndiceGas < 1 || IndiceGas > NumGas || static_cast<size_t>(IndiceGas) >= ArchivioGas.size()) return nullptr;
  return &ArchivioGas[static_cast<size_t>(IndiceGas)];
}

bool EditorGas::Scrivi() {
  // A new gas never saved has no valid values yet: it stays out of the file.
  TGas* nuovo = nullptr;
  if (NuovoNonSalvato >= 1 && NuovoNonSalvato <= NumGas && static_cast<size_t>(NuovoNonSalvato) < ArchivioGas.size()) {
    nuovo = &ArchivioGas[static_cast<size_t>(NuovoNonSalvato)];
    if (nuovo->Cancellato != 0) nuovo = nullptr;
  }
  if (nuovo) nuovo->Cancellato = -1;
  std::string errore;
  const bool scritto = SalvaGas(&errore);
  if (nuovo) nuovo->Cancellato = 0;
  if (scritto) return true;
  MsgBox(errore, Bottoni::OK, Icona::Critico);
  return false;
}

bool EditorGas::ScartaNuovo(int16_t verso) {
  if (NuovoNonSalvato < 1 || NuovoNonSalvato != IndiceGas || verso == IndiceGas) return false;
  // Only the last entry can be the unsaved one: nothing after it moves.
  if (NuovoNonSalvato == NumGas && static_cast<size_t>(NumGas) + 1 == ArchivioGas.size()) {
    ArchivioGas.pop_back();
    --NumGas;
  }
  NuovoNonSalvato = 0;
  IndiceGas = 0;
  return true;
}

bool EditorGas::ConfermaCambio(const CampiGas& campi, int16_t verso) {
  if (GasModificato) {
    const Risposta r = MsgBox(MsgSalvareModifiche, Bottoni::SiNoAnnulla, Icona::Domanda);
    if (r == Risposta::Annulla) return false;
    // Refused or not written: the values stay in the boxes, still pending, and the other gas is
    // not shown.
    if (r == Risposta::Si && !SalvaDatiGas(campi)) return false;
  }
  GasModificato = false;
  ListaDaRicaricare = ScartaNuovo(verso);
  return true;
}

CampiGas EditorGas::Seleziona(const std::string& nome) {
  const int16_t i = TrovaGas(nome);
  if (i > 0) IndiceGas = i;
  GasModificato = false;
  const TGas* g = Corrente();
  return g ? MostraDatiGas(*g) : CampiGas{};
}

std::string EditorGas::DifettoGas(const TGas& gas) {
  // A value beyond a single's range is infinite: used by the calculation, written as "0".
  for (float v : {gas.Densita, gas.Viscosita, gas.PCI, gas.PCS})
    if (!std::isfinite(v) || v < 0) return MsgGasValoreNonValido;
  if (!IsGasValido(gas)) return MsgGasIncompleto;
  // The reader refuses the same gas: saved, it would be gone at the next start.
  const std::string difetto = DifettoValoriGas(gas);
  if (!difetto.empty()) return "Impossibile salvare il gas: " + difetto + ".";
  return {};
}

bool EditorGas::SalvaDatiGas(const CampiGas& campi) {
  TGas* g = Corrente();
  if (!g) return false;
  // A box the user typed into holds one plain number, by the table's rule: "2,5,9" is refused
  // naming its box, never stored as 2,5.
  const CampiGas mostrati = MostraDatiGas(*g);
  const std::pair<const std::string*, const std::string*> caselle[] = {
      {&campi.Densita, &mostrati.Densita}, {&campi.Viscosita, &mostrati.Viscosita},
      {&campi.PCinf, &mostrati.PCinf},     {&campi.PCsup, &mostrati.PCsup}};
  const char* nomi[] = {"la densita' relativa", "la viscosita'", "il potere calorifico inferiore",
                        "il potere calorifico superiore"};
  for (size_t i = 0; i < std::size(caselle); ++i) {
    if (*caselle[i].first == *caselle[i].second || Trim(*caselle[i].first).empty()) continue;
    if (!NumeroCella(*caselle[i].first)) {
      MsgBox("\"" + Trim(*caselle[i].first) + "\" non e' un numero valido per " + nomi[i] +
                 ".\r\nIl valore non e' stato cambiato.",
             Bottoni::OK);
      return false;
    }
  }
  TGas copia = *g;
  LeggiDatiGas(campi, copia);
  // The boxes show the gas as stored: "gas.cfg" is left as it is, with any comment or line the
  // writer would not give back. A new gas not yet saved still has to be written.
  const bool invariato = copia.Densita == g->Densita && copia.Viscosita == g->Viscosita && copia.PCI == g->PCI &&
                         copia.PCS == g->PCS && copia.NonCombustibile == g->NonCombustibile;
  if (invariato && NuovoNonSalvato != IndiceGas) return true;
  const std::string difetto = DifettoGas(copia);
  if (!difetto.empty()) {
    MsgBox(difetto, Bottoni::OK);
    return false;
  }
  // The derived values go with the values they come from: the gas in use is copied from here.
  CalcolaFamigliaGas(copia);
  const TGas prima = *g;
  const int16_t nuovo = NuovoNonSalvato;
  if (NuovoNonSalvato == IndiceGas) NuovoNonSalvato = 0;
  *g = copia;
  if (Scrivi()) {
    if (StessoNomeGas(g->Nome, GasCorrente.Nome)) GasProgettoSalvato = true;
    return true;
  }
  *g = prima;
  NuovoNonSalvato = nuovo;
  return false;
}

bool EditorGas::Salva(const CampiGas& campi) {
  const bool ok = SalvaDatiGas(campi);
  // A refused or failed save leaves the values pending: leaving still asks about them.
  if (ok) GasModificato = false;
  return ok;
}

CampiGas EditorGas::Ricalcola(const CampiGas& campi) {
  TGas* g = Corrente();
  if (!g) return campi;
  // Worked out on a copy: the archive changes only when the gas is saved.
  TGas copia = *g;
  LeggiDatiGas(campi, copia);
  CalcolaFamigliaGas(copia);
  CampiGas esito = MostraDatiGas(copia);
  esito.Densita = campi.Densita;
  esito.Viscosita = campi.Viscosita;
  esito.PCinf = campi.PCinf;
  esito.PCsup = campi.PCsup;
  return esito;
}

int16_t EditorGas::Nuovo(const std::string& nome, const CampiGas& campi) {
  // An empty name (also the cancelled prompt) would be written as a line the reader cannot
  // take back as the same gas.
  if (Trim(nome).empty()) return 0;
  // gas.cfg must give the name back as typed, or projects using it would lose their gas.
  if (!TestoArchiviabile(nome)) {
    MsgBox(MsgTestoNonArchiviabile("Il nome del gas", nome), Bottoni::OK);
    return 0;
  }
  // Projects and lists find a gas by its name regardless of letter case and of blanks around it:
  // a second gas of the same name ("Metano ") could never be chosen, and would show as a twin.
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    if (ArchivioGas[static_cast<size_t>(i)].Cancellato == 0 && StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, nome)) {
      MsgBox(MsgGasEsistente, Bottoni::OK);
      return 0;
    }
  }
  // The pending values belong to the gas shown now, not to the new entry.
  if (!ConfermaCambio(campi)) return 0;
  GasModificato = false;
  NuovoNonSalvato = AggiungiGas(nome);
  return NuovoNonSalvato;
}

bool EditorGas::Cancella() {
  TGas* g = Corrente();
  if (!g) return false;
  if (StessoNomeGas(g->Nome, GasCorrente.Nome)) {
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
  NuovoNonSalvato = 0;
  CaricaGas();
  // The gases after the deleted one moved up: the index of the gas in use follows its name (0,
  // "none chosen", when it is not in the archive), never the gas that took its place.
  CurrentGas = 0;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    if (StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, GasCorrente.Nome)) {
      CurrentGas = i;
      break;
    }
  }
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
    if (r == Risposta::No) {
      ScartaNuovo();
      // The changes dropped are the list's gas's; the project's gas saved before still counts.
      if (!SeguiGasProgetto()) return UscitaGas::Nascosta;
      return UscitaGas::Chiusa;
    }
    // Refused or not written: the editor stays open with the changes still pending.
    if (!SalvaDatiGas(campi)) return UscitaGas::RestaAperta;
    GasModificato = false;
    if (gasInUso && !AggiornaGasInUso(voceSelettore)) return UscitaGas::RestaAperta;
    if (!SeguiGasProgetto()) return UscitaGas::RestaAperta;
    return UscitaGas::Chiusa;
  }
  // Nothing typed: the archive stays exactly as it is.
  ScartaNuovo();
  if (gasInUso && !AggiornaGasInUso(voceSelettore)) return UscitaGas::Nascosta;
  if (!SeguiGasProgetto()) return UscitaGas::Nascosta;
  return UscitaGas::Chiusa;
}

bool EditorGas::SeguiGasProgetto() {
  // The project's gas is the one its copy names, whatever the main selector shows (it may show
  // none, or another gas): an entry of that name saved here with other values is what the
  // project calculates with from now on, as it would be at its next opening.
  if (!GasProgettoSalvato || GasCorrente.Nome.empty() || !GasInUsoCambiato(GasCorrente.Nome)) return true;
  return AggiornaGasInUso(GasCorrente.Nome);
}

bool EditorGas::AggiornaGasInUso(const std::optional<std::string>& voceSelettore) {
  // Without an entry, or with a name the archive lacks, the gas in use stays as it is.
  if (!voceSelettore) return true;
  const int16_t i = TrovaGas(*voceSelettore);
  if (i < 1) return true;
  const TGas& g = ArchivioGas[static_cast<size_t>(i)];
  // A refused gas changes nothing of the project: the gas in use, its index and the user's
  // maximum drop stay as they were.
  if (g.NonCombustibile != 0 && ReteInPressione == 0) {
    if (g.Nome != GasCorrente.Nome || StessiValoriGas(g, GasCorrente)) {
      MsgBox(MsgGasNonCombustibile, Bottoni::OK);
      return false;
    }
    // The project's own gas was made non-combustible: its copy follows the archive now, as it
    // would at the next opening, or the tightness record would go on signing a verdict for a
    // family the gas no longer has. The user is told to choose another gas.
    GasCorrente = g;
    ProgettoModificato = -1;
    TenutaImpiantoRefresh();
    MsgBox(std::string(MsgGasNonCombustibile) + ": il gas " + g.Nome + " del progetto deve essere sostituito.",
           Bottoni::OK);
    return false;
  }
  CurrentGas = i;
  // The editor left on the gas in use as it is (it opens on it): the user's maximum drop and the
  // results stand, as when the main selector is left on it.
  if (StessiValoriGas(g, GasCorrente)) return true;
  PDCMaxUtente = 0;
  GasCorrente = g;
  // The tightness record judges the gas's family: it follows with the gas.
  TenutaImpiantoRefresh();
  if (RicalcoloAutomatico != 0) AmbienteProgetto().Elaborazione();
  ProgettoModificato = -1;
  return true;
}

}  // namespace varnex
