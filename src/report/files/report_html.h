// The calculation report as one HTML file: the run, the document head with its style sheet, the
// page frame (each page a 289 mm block that starts a sheet of its own, its header, body and footer
// placed within it), the pagination by a budget of 175 mm a page, and the diagram pages with the
// schema saved beside the file as one bitmap or, when large, as several pieces.
//
// The report is built in memory and written in one go at the end of a successful run, so a failed
// run leaves an older report of that name as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// 1 while a report is being built (the old file number of the open report), 0 otherwise.
extern int16_t NumeroFileHTML;
// The current page, from 1.
extern int16_t PaginaHTML;
// Millimetres still free in the body of the current page.
extern double SpazioPaginaHTML;

inline constexpr double AltezzaCorpoHTML = 175;

// The HTML run of the print dialog (the argument is not used).
void PrintHTMLReport(int16_t arg = 0);

// One line (CR LF added) into the report being built. Throws ErroreStampaFile when none is.
void ScriviRigaHTML(std::string_view riga);

void PrintStyleSheetHTML();
// The header block of page PaginaHTML; leaves its body block open.
void PrintHeaderHTML();
// Closes the body block and writes the footer block of page PaginaHTML.
void PrintFooterHTML();
void CloseHTMLDocument();
// Ends the page when the budget is used up (0 or less); with an element's opening tag the element
// is closed before the break and opened again on the new page.
void CheckPageBreakHTML(std::string_view tag = {});
void NextPage();
// Three spacing lines of 4 mm, each with a page check.
void WriteSpacingLines();
// Saves the schema beside the report, in as many pictures as it has pieces, and writes the
// diagram pages after the report's pages, if any (PaginaHTML ends as the last of them); the
// pictures' paths go into `figure` when given.
void PrintDiagrammaReteHTML(const std::string& reportPath, std::vector<std::string>* figure = nullptr);

// Sections (internal installation; each hands over to its pressurised twin when ReteInPressione is set).
void PrintCopertinaHTML();
void PrintCopertinaReteHTML();
void PrintTronchiHTML(int16_t& net);
void PrintTronchiReteHTML(int16_t& net);
void PrintPDCLocalizzateHTML(int16_t& net);
void PrintPDCLocalizzateReteHTML(int16_t& net);
void PrintPercorsoSfavoritoHTML(int16_t& net);
void PrintPercorsoSfavoritoReteHTML(int16_t& net);
void PrintRiepilogoUtenzeHTML(int16_t& net);
void PrintRiepilogoUtenzeReteHTML(int16_t& net);
void PrintComputoHTML(int16_t net);
void PrintTenutaImpiantoHTML();

// The small writers of the tightness-test report.
void WriteSpacingLine();
void WriteTableTitle(const std::string& testo);
void OpenPlainTable();
void ClosePlainTable();
void OpenBold();
void CloseBold();
void WriteSectionWords(const std::string& testo, int16_t aCapo);
void WriteRawLine(const std::string& testo);
std::string TwoColumnCell(int16_t& stato, const std::string& testo);
std::string ApplianceCountRow(int16_t conteggio, const std::string& etichetta, const std::string& suffisso);

}  // namespace varnex
