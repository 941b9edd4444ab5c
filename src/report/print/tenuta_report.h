// The tightness-test report as an ordered list of pieces, from the tightness record: the printed
// section and the two report files write the same pieces, each in its own layout.
#pragma once

#include <cstdint>
#include <functional>
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

// Whether the piece is one of the two-column rows' (a cause, an appliance count, a signature).
bool InColonna(const PezzoTenuta& p);

// Where a piece of the two-column rows (causes, appliance counts, signatures) prints.
struct PostoColonna {
  double inizio = 0;      // x of its lines
  double fine = 0;        // x its lines end before
  bool accanto = false;   // beside the piece before it, from the top of their row
  bool fineRiga = false;  // its row ends with it
  int righe = 1;          // lines its row takes
};

// The places of the two-column pieces of `pezzi` (the others get a default place) on a line
// `larghezza` wide whose right column starts at `destra`, `misura` giving a text's width in the
// type they print in. A left text ends `spazio` before the right column, or at the line's end
// when nothing stands beside it. A run of pieces (the causes, the counts, the signatures) with a
// word that would not stand whole in its column prints one piece a line, across the whole line.
std::vector<PostoColonna> PostiColonne(const std::vector<PezzoTenuta>& pezzi, double destra, double larghezza,
                                       double spazio, const std::function<double(const std::string&)>& misura);

// "n° " & count & label & (suffix when count > 0).
std::string ApplianceCountLabel(int16_t conteggio, const std::string& etichetta, const std::string& suffisso);

}  // namespace varnex
