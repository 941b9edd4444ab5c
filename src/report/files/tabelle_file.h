// The column layout of the report files' tables: the width of every column in millimetres from the
// view's width weights on a 170 mm body, and the number of characters a cell may hold (two
// millimetres a character, less one), which the text file keeps; and the measure of the HTML's
// type, by which its tables are laid out as on paper.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/print/bande_tabella.h"
#include "report/print/tabelle_report.h"

namespace varnex {

inline constexpr int16_t MaxColonneFile = 21;
inline constexpr int32_t LarghezzaCorpoFile = 170;

struct LayoutColonneFile {
  int16_t Ultima = -1;                             // last column of the view
  int32_t Unita = 0;                               // millimetres per weight unit
  std::array<int32_t, MaxColonneFile> Larghezza{};  // mm; 0 beyond the last column
  std::array<int16_t, MaxColonneFile> Limite{};     // characters; 0 beyond the last column
};

// The layout of the given weights (columns 0 to size - 1). Throws ErroreStampaFile: 9 for more
// than 21 columns, 11 when the weights sum to 0, 5 when a column comes out 0 or 1 mm wide (a
// weight of 0, or a weight sum above 340 that makes the unit 0), 6 when the sum leaves 16 bits.
LayoutColonneFile CalcolaLayoutColonne(const std::vector<int16_t>& pesi);
// The layout of a view of the column definitions (columns 0 to its last).
LayoutColonneFile LayoutVista(int16_t view);

// Widens every column whose cells (or totals value) hold more characters than it takes, to two
// millimetres a character plus one: numbers, diameters and names are never cut. Only the free
// reference text of a segment keeps the column's limit. A heading widens its column the same way,
// to the fewest characters a line needs for the heading to read whole (a fitting's name broken at
// a blank over the heading's two lines).
void AllargaPerContenuto(LayoutColonneFile& layout, int16_t view, const std::vector<int16_t>& righe,
                         const std::optional<TotaleReport>& totale);

// The lines of a column's heading in the files, at the column's limit: its title and its unit. A
// fitting's name going on over the second line keeps the unit "N." on a third, as every other
// heading keeps its unit.
std::vector<std::string> RigheIntestazioneFile(int16_t view, int16_t c, int16_t limite);

// Millimetres in a point.
inline constexpr double MillimetriPunto = 25.4 / 72;

// Millimetres for a style, two decimals with a point, rounded down for a width (widths never add up
// to more than the body) and up for a type (never below the smallest).
std::string Millimetri(double mm, bool perEccesso = false);

// The HTML report's type as a browser sets it, measured in millimetres: Arial, whose advance
// widths every font a browser puts in its place shares.
class MisuraHTML : public IMisuraTabella {
 public:
  void SetFontSize(double punti) override { punti_ = punti; }
  void SetFontBold(bool grassetto) override { grassetto_ = grassetto; }
  double TextWidth(const std::string& testo) override;

 private:
  double punti_ = 10;
  bool grassetto_ = false;
};

}  // namespace varnex
