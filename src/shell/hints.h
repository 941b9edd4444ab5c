// The start-up tips: the list read from "HINTS.CFG", the show-at-start-up setting and the counter
// that makes each start-up continue where the last one stopped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

struct THint {
  int32_t Marcato = 0;  // 1: shown only while the supplier details are the built-in ones
  std::string Testo;    // as shown; line breaks are CR LF
};

extern bool HintsShow;
extern int16_t HintLast;
// The tips in file order, positions 0..N-1.
extern std::vector<THint> Hints;

// ReadHintsStatus, then LoadHints.
void InitHints();
// "HintsShow" and "HintLast" of section "Varnex" (true and 0 when missing or unreadable).
void ReadHintsStatus();
void WriteHintsStatus();
// Fills Hints from "HINTS.CFG" of the program folder (nothing when the file is missing).
void LoadHints();
// One line of the tips file as a tip: the supplier tag detected and removed, "<br>" and "<BR>"
// turned into line breaks.
THint InterpretaHint(const std::string& riga);
// The next tip to show, advancing HintLast past it (and past every marked tip skipped when the
// supplier details were read from file). An empty tip when none qualifies.
THint NextHint();

}  // namespace varnex
