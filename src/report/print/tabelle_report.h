// What the five calculation tables of the report hold, whatever the output: title, view (column
// layout of "gridgas.cne"), rows, captions, cell texts with their markers, and totals line. Each
// renderer passes the number of characters that fits in its column; every text is cut to it here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnex {

enum class ReportTable : int16_t {
  SegmentTable,
  LocalLossTable,
  EquivalentLengthTable,  // pressurised networks only
  WorstPathTable,
  ApplianceTable,
};

// A table of this many rows or fewer is never split over two pages, in any output.
inline constexpr size_t RigheTabellaBreve = 5;

// A report view holds at most 21 columns (0..20).
inline constexpr int16_t MaxColonneReport = 21;

// The view of the table for the current activity (1-4 internal, 6-10 pressurised).
int16_t GetReportView(ReportTable table);
// The table's title, without the trailing blank the printed report adds.
std::string GetReportTitle(ReportTable table);
// The segment slots of the table's rows, in print order (only linked segments).
std::vector<int16_t> GetReportRows(ReportTable table);
// Index of the view's last column; ErroreReport when the view holds more than 21 columns.
int16_t UltimaColonnaReport(int16_t view);

struct CaptionColonna {
  std::string Titolo;  // first line
  std::string Unita;   // second line
  bool NomeSuDueRighe = false;  // the second line goes on with the first (a fitting's long name)
};
CaptionColonna GetColumnCaption(int16_t view, int16_t col, int16_t maxChars);

// The mark that follows a value the editor's table shows beyond the design's limits (a cumulative
// drop over the maximum, a velocity over the limit, the diameter warning), in every output; the
// note under a table explains it.
inline constexpr const char* MarcaOltreLimite = " (!)";
inline constexpr const char* NotaOltreLimite = "(!) valore oltre il limite ammesso";

// The cell of column col in the row of segment seg: the masked value, "-" or a prefixed flow,
// with the mark of a value beyond its limit.
std::string GetCellText(int16_t view, int16_t col, int16_t seg, int16_t maxChars);
// NotaOltreLimite when a cell of the table's rows carries the mark, "" otherwise.
std::string GetReportLimitNote(ReportTable table, const std::vector<int16_t>& rows);
// The sentence that the network is not sized (`MotivoReteNonDimensionata`) under a table of
// results whose rows hold a value not computed; "" otherwise.
std::string GetReportNetworkNote(ReportTable table, const std::vector<int16_t>& rows);

struct TotaleReport {
  std::string Etichetta;  // "TOTALE PERDITA DI PRESSIONE:" or "TOTALE PORTATA GAS:"
  float Valore = 0;
  int16_t Colonna = 0;    // column whose mask formats the value and under which it is shown
  // The line under the totals that says the design fails ("ATTENZIONE: ..."); "" when it holds.
  std::string Avviso;
};
// The totals line of the path and appliance tables over the given rows; nullopt for the others.
std::optional<TotaleReport> GetReportTotal(ReportTable table, const std::vector<int16_t>& rows);
// The value text of a totals line: the sum through its column's mask, trimmed, cut to maxChars.
std::string GetReportTotalText(const TotaleReport& totale, int16_t view, int16_t maxChars);

}  // namespace varnex
