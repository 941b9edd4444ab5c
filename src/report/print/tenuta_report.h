// The tightness-test report as an ordered list of pieces, from the tightness record: the printed
// section and the two report files write the same pieces, each in its own layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

enum class TipoPezzo : int16_t {
  Testo,        // a text (possibly empty) printed at the current place
  RigaVuota,    // a line end with nothing printed
  Titolo,       // the section title, centred at 12 points, ending its line
  Causa,        // one ticked cause, in the left or right column
  Apparecchio,  // one appliance count, in the left or right column
  Firma,        // one of the two signature captions
};

struct PezzoTenuta {
  TipoPezzo Tipo = TipoPezzo::Testo;
  std::string Testo;            // the printed text (Apparecchio: the whole "n° ..." text)
  bool Grassetto = false;
  bool FineRiga = false;        // the piece ends its line
  bool ColonnaDestra = false;   // placed at the right column (Causa, Apparecchio, Firma)
  bool InizioRiga = false;      // placed at x 0 (left column of Causa/Apparecchio, left Firma)
  // Apparecchio only: the parts the report files lay out separately.
  int16_t Conteggio = 0;
  std::string Etichetta;
  std::string Suffisso;         // "" when the count is 0 or below
  // Empty lines the report files leave out.
  bool SaltaHTML = false;
  bool SaltaTesto = false;
};

// The pieces of the current TenutaImpianto, in order.
std::vector<PezzoTenuta> GetPezziTenuta();

// "n° " & count & label & (suffix when count > 0).
std::string ApplianceCountLabel(int16_t conteggio, const std::string& etichetta, const std::string& suffisso);

}  // namespace varnex
