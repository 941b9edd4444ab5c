// How a calculation table is laid across the width it is given, in every output that sets it in
// type (the printed report, the HTML file): the widths of its columns, the type size, and, when
// the table would need a type smaller than a client reads, its columns split over bands, one under
// the other, each led by the segment number. One decision, so that the outputs never disagree on
// what is readable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/righe_testo.h"
#include "report/print/tabelle_report.h"

namespace varnex {

// The smallest type of a table, in points: what a client reads on paper without a lens.
inline constexpr double CorpoMinimo = 6;
// The step by which a table's type gets smaller, in points.
inline constexpr double PassoCorpo = 0.5;

// The segment's free reference: the one column whose text breaks over lines.
bool ColonnaTestoLibero(int16_t view, int16_t c);

// What one table prints, read whole before anything is measured.
struct TestiTabella {
  std::vector<CaptionColonna> caption;          // by column
  std::vector<std::vector<std::string>> celle;  // by row, then column
  std::string totale;                           // value of the totals line, "" without one
};
TestiTabella LeggiTestiTabella(int16_t view, const std::vector<int16_t>& righe,
                               const std::optional<TotaleReport>& totale);

// The columns of one band of a table, with their widths and left edges.
struct BandaTabella {
  std::vector<int16_t> colonne;
  std::vector<double> w, x;
};

struct ImpaginazioneTabella {
  double corpo = 0;                 // points
  std::vector<BandaTabella> bande;  // one when the whole table fits
};

// The fewest bands, in the largest type from `corpoMassimo` down to CorpoMinimo that gives them,
// over `larghezza`; `margine` is the room a value keeps from its column's edge. Every number and
// heading word stays whole; a reference's word wider than its column is split. Throws ErroreReport
// when not even the segment column and one other fit side by side at CorpoMinimo.
ImpaginazioneTabella ImpaginaTabella(IMisuraTabella& misura, int16_t view, const TestiTabella& testi,
                                     const std::optional<TotaleReport>& totale, const char* margine,
                                     double larghezza, double corpoMassimo);

}  // namespace varnex
