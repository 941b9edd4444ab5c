// The logic of the gas archive editor "Gestione GAS": the field texts of one gas, reading them
// back, saving, recomputing, adding and deleting gases, the question on pending changes and what
// leaving the editor does to the gas in use. The window (archives/ui/gas_editor.h) only moves
// texts between its boxes and this class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/gas.h"

namespace varnex {

// The texts of the editor's boxes.
struct CampiGas {
  std::string Densita;     // 3 decimals
  std::string Massa;       // 3 decimals, display only
  std::string Viscosita;   // mm2/s, 2 decimals
  std::string PCinf;       // 1 decimal
  std::string PCsup;       // 1 decimal
  std::string WobbeInf;    // 1 decimal, display only
  std::string WobbeSup;    // 1 decimal, display only
  std::string Famiglia;    // display only
  bool NonCombustibile = false;
};

inline constexpr const char* MsgSalvareModifiche = "Salvare le modifiche?";
inline constexpr const char* MsgGasIncompleto = "Impossibile salvare il gas. Dati incompleti";
inline constexpr const char* MsgGasValoreNonValido =
    "Impossibile salvare il gas: un valore e' negativo o troppo grande";
inline constexpr const char* MsgGasEsistente = "Un gas con questo nome esiste gia'";
inline constexpr const char* MsgGasInUso = "Non è possibile cancellare il gas correntemente in uso";

// How leaving the editor ended.
enum class UscitaGas {
  RestaAperta,  // cancelled, or the gas in use was refused after saving: the editor stays
  Chiusa,       // closed; a caller from the main window refreshes its gas selector
  Nascosta,     // closed after the gas in use was refused: nothing else is refreshed
};

class EditorGas {
 public:
  // The 1-based index of the gas shown (0 before the first selection).
  int16_t IndiceGas = 0;
  // A numeric box was typed into since the gas was last shown.
  bool GasModificato = false;
  // The entry "Nuovo" added and no valid save has stored yet (0 when none). It is kept out of
  // "gas.cfg", and leaves the archive again when the editor moves away from it unsaved.
  int16_t NuovoNonSalvato = 0;
  // Set by a change of gas that took such an entry out of the archive: the list must be refilled.
  bool ListaDaRicaricare = false;
  // The entry of the project's gas (GasCorrente's name) was saved from this editor.
  bool GasProgettoSalvato = false;

  static CampiGas MostraDatiGas(const TGas& gas);
  // Density, viscosity (typed in mm2/s), calorific values and the non-combustible flag (1 when
  // ticked); the name and the derived values are left alone.
  // A box whose text is still the one shown for the stored value keeps that value at its full
  // precision.
  static void LeggiDatiGas(const CampiGas& campi, TGas& gas);
  // Why the gas may not enter the archive; empty when it may.
  static std::string DifettoGas(const TGas& gas);

  // The entry to show first: the first gas named exactly DefaultGas, else the first; 0 when empty.
  static int16_t IndiceDefault();

  // The question on pending changes before another gas (archive index `verso`, 0 for one not
  // yet known) is shown: Yes saves the boxes into the entry shown as "Salva" does, No drops them.
  // False when the user cancelled or the save was refused.
  bool ConfermaCambio(const CampiGas& campi, int16_t verso = 0);
  // Shows the gas named `nome` (the first entry of that name); its texts.
  CampiGas Seleziona(const std::string& nome);

  // "Salva": false (after the message) when the data are incomplete or the file could not be
  // written; the changes then stay pending.
  bool Salva(const CampiGas& campi);
  // The boxes into the entry shown with its derived values, and the archive written; neither
  // when the values are not valid (after the message) or the file could not be written, and
  // nothing (true) when the boxes show a saved entry as it is stored.
  bool SalvaDatiGas(const CampiGas& campi);
  // "Ricalcola": the derived values of the boxes' gas, the archive untouched; the texts to show,
  // the typed boxes as typed.
  CampiGas Ricalcola(const CampiGas& campi);
  // "Nuovo" with the name typed: the new entry's index, or 0 when nothing was added (empty name,
  // a gas of the same name (StessoNomeGas), or pending changes whose question was cancelled).
  int16_t Nuovo(const std::string& nome, const CampiGas& campi);
  // "Cancella": true when the gas was deleted and the archive reloaded.
  bool Cancella();
  // "Annulla" (Esc): the question on pending changes, the save, and the gas in use when the
  // editor's gas is the one the main window's selector shows (`voceSelettore`; nullopt when the
  // selector shows none). `testoLista` is the editor list's text.
  UscitaGas Esci(const CampiGas& campi, const std::string& testoLista,
                 const std::optional<std::string>& voceSelettore);

  // The gas in use follows the selector's gas: CurrentGas, automatic maximum drop, GasCorrente,
  // recalculation and the modified project. False when a non-combustible gas was refused for an
  // internal installation.
  static bool AggiornaGasInUso(const std::optional<std::string>& voceSelettore);
  // The gas in use follows its own archive entry (found by GasCorrente's name) when this editor
  // saved that entry with other values, as AggiornaGasInUso does; true when nothing had to change.
  bool SeguiGasProgetto();

 private:
  TGas* Corrente();
  bool Scrivi();
  // Leaving an unsaved new entry for another (`verso`) takes it out of the archive again.
  bool ScartaNuovo(int16_t verso = 0);
};

}  // namespace varnex
