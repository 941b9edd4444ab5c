// Flags and texts of the user interface that the windows share with the table logic: the
// toolbar's toggles, the editor's load state and the firm lines of the main window.
//
// Kept in the core because the table refresh and the start-up sequence read them too. Flags are
// -1 (true) and 0 (false).
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

// Recalculate after every committed edit; forced on each time the editor window becomes active.
extern int16_t RicalcoloAutomatico;
// The table's cursor lock (the cell editor keeps the current cell after a commit).
extern int16_t CursoreBloccato;
// Which padlock picture the diameter-lock button shows on the table page (-1: open).
extern int16_t StatoBloccoDiametri;
// True from start-up until the editor window has loaded; keeps the main window's resize away
// from an editor that does not exist yet.
extern int16_t GrigliaNonCaricata;
// The gas editor was opened from the main window (it then refills the main gas selector).
extern int16_t GasEditorDaMain;

// The two lines naming the user's firm and the optional agent line; shown trimmed on the main
// window and printed in the report headers. Empty until configured (CaricaDatiDitta).
extern std::string DittaRiga1;
extern std::string DittaRiga2;
extern std::string DittaAgente;

// Reads the firm lines from "DITTA.CFG" in the program folder: its first three data lines (blank
// and "#" lines skipped) are the two firm lines and the agent line. A missing file leaves the
// three texts empty; the program runs the same, only without firm lines.
void CaricaDatiDitta();

}  // namespace varnex
