// The appliance-flow computations of the two flow dialogs as plain logic: power, kcal/h and
// Nmc/h conversions with the program's own rounding and digit grouping, the burner composition,
// and the key filters of the unit boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnex {

// The six typical burners of a cooking appliance, in composition order.
inline constexpr int NumFornelli = 6;
inline constexpr std::array<int32_t, NumFornelli> PotenzaFornello{1000, 2000, 3000, 3000, 5000, 7000};

// The number-to-text utilities of the internal-installation flow dialog.
std::string RoundTesto(std::string_view s);
std::string InsertTousendSeparator(std::string_view s, std::string_view separator);
std::string InsertTousendSeparatorInDecimalValue(std::string_view s, std::string_view separator);
// The plain text of a number: shortest decimal form, at most 15 significant digits, decimal comma.
std::string TestoSemplice(double valore);
// A flow with the mask "##0.00": two decimals, decimal comma, no grouping.
std::string TestoPortata(float portata);

// One run of Ricalcola: the three unit boxes and the flow.
struct RisultatoPortata {
  std::string Watt;
  std::string Kcal;
  std::string Nmc;
  float Portata = 0;
  bool operator==(const RisultatoPortata&) const = default;
};
// Sources of Ricalcola.
enum class FontePortata : int16_t { Fornelli = 1, Watt = 2, Kcal = 3, Nmc = 4 };
// Ricalcola from `fonte`: `potenzaFornelli` for the burners, otherwise the text of the box named.
// `potereCalorifico` is PCS for a cooking appliance, PCI otherwise (MJ/m3).
RisultatoPortata Ricalcola(FontePortata fonte, int32_t potenzaFornelli, std::string_view testo,
                           float potereCalorifico);

// The heating value the flow conversions use for an appliance type: PCS of the gas in use for a
// cooking appliance (1), PCI otherwise.
float PotereCalorificoUtenza(int16_t tipologia);

// Composition text of six ticks and back: "1" for ticked.
std::string CodificaComposizione(const std::array<bool, NumFornelli>& spunte);

// Key filter of the unit boxes. The box `testo` and whether text is selected; returns the key to
// pass on (0 to discard) and may replace the box's text (`nuovoTesto` set) with the cap text.
enum class BoxUnita { Watt, Kcal, Nmc };
struct EsitoTasto {
  int16_t Tasto = 0;
  bool Sostituisci = false;
  std::string NuovoTesto;
};
EsitoTasto FiltraTastoUnita(BoxUnita box, std::string_view testo, bool selezione, int16_t tasto);

// Why the text of a unit box cannot be taken, "" when it can: the table's rules for a number
// (RifiutoNumero), the box's digit-grouping blanks aside. A paste goes around the key filter.
std::string RifiutoBoxUnita(BoxUnita box, std::string_view testo);

// The appliance flow read from the Nmc/h box: every "," turned into ".", leading number.
float LeggiPortata(std::string_view testo);

// Stores a confirmed flow dialog's answer into segment `seg` (the appliance's flow, the segment's
// own flow, the appliance type and, when `composizione` is given, the burner composition).
void ApplicaPortataUtenza(int16_t seg, float portata, int16_t tipologia, const std::string* composizione);

}  // namespace varnex
