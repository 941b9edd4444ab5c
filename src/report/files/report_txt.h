// The calculation report as one tab-separated text file: the run, the stream and the cell
// separator every text writer uses, the block between two sections and the line writers of the
// tightness-test report. The diagram is saved as a bitmap beside the file and leaves no trace in it.
//
// As the HTML report, the file is built in memory and written at the end of a successful run.
#pragma once

#include <cstdint>
#include <string>

#include "model/textfile.h"

namespace varnex {

// The report being built; nullptr outside a run.
extern TextWriter* StreamTXT;
// The cell separator: a TAB.
extern std::string SeparatoreTXT;
// The width in characters at which the free texts of the file wrap.
inline constexpr int LarghezzaRigaTXT = 80;

// The text run of the print dialog.
void PrintTXTReport();

// Three empty lines, a rule of 63 "=", three empty lines.
void WriteSeparatorLine();
void WriteBlankLine();
void WriteTextLine(const std::string& testo);
// The text as a whole line when endLine is not 0, else without a line end.
void WriteText(const std::string& testo, int16_t endLine);
// "n° " + count + TAB + label, then the suffix when the count is above 0.
std::string ApplianceCountText(int16_t conteggio, const std::string& etichetta, const std::string& suffisso);
// Saves the schema beside the report.
void PrintDiagrammaReteTXT(const std::string& reportPath);

// Sections (internal installation; each hands over to its pressurised twin when ReteInPressione is set).
void PrintCopertinaTXT();
void PrintCopertinaReteTXT();
void PrintTronchiTXT(int16_t& net);
void PrintTronchiReteTXT(int16_t& net);
void PrintPDCLocalizzateTXT(int16_t& net);
void PrintPDCLocalizzateReteTXT(int16_t& net);
void PrintPercorsoSfavoritoTXT(int16_t& net);
void PrintPercorsoSfavoritoReteTXT(int16_t& net);
void PrintRiepilogoUtenzeTXT(int16_t& net);
void PrintRiepilogoUtenzeReteTXT(int16_t& net);
void PrintComputoTXT(int16_t net);
void PrintTenutaImpiantoTXT();

}  // namespace varnex
