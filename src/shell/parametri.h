// What the project-parameters dialog decides without a window: which gases it offers for the
// activity, which entry it selects, how it shows a gas, and what OK stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/gas.h"

namespace varnex {

// The pattern test of the gas lists: "*" any run of characters, "?" one character, "#" one
// digit, "[...]" one character of the set ("[!...]" outside it, "a-z" ranges); every other
// character compares exactly, letter case included.
bool CorrispondeModello(std::string_view testo, std::string_view modello);

// The gas names the dialog offers, in archive order: every gas for a pressurised network, only
// the combustible ones for an internal installation.
std::vector<std::string> ElencoGasParametri(int16_t reteInPressione);

// The entry selected after a refill: the first that matches `s` as a pattern, or the first entry
// when `s` is empty or matches none; -1 for an empty list.
int IndiceDaModello(const std::vector<std::string>& voci, const std::string& s);

// The entry selected when the dialog opens: the project's gas (GasCorrente), else the entry
// equal to DefaultGas, else the first entry; -1 for an empty list.
int IndiceGasIniziale(const std::vector<std::string>& voci);

// The gas of a new project, before its parameters dialog opens: the default gas for new projects
// (DefaultGas, letter case aside), never the gas of the project closed before. A new internal
// installation takes the first combustible gas instead of a non-combustible default. Sets
// GasCorrente and CurrentGas; leaves them alone when the archive offers no gas at all.
void GasNuovoProgetto();

// The gas properties as the dialog shows them.
struct TestiGas {
  std::string densita, massa, viscosita, pci, pcs, wobbeInf, wobbeSup, famiglia;
  bool combustibile = true;
};
TestiGas TestiProprietaGas(const TGas& gas);

// The dialog's fields as OK takes them.
struct CampiParametri {
  std::string riferimento;
  std::string descrizione;
  std::string documenti;
  std::string velocita;
};

// OK: refuses (false, after the message) a non-combustible gas for an internal installation;
// otherwise stores the fields, the gas at CurrentGas (1 when none), recalculates through the
// editor and marks the project modified.
bool ConfermaParametri(const CampiParametri& campi);

}  // namespace varnex
