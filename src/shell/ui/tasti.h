// A Qt key event in the program's key codes: every window that hands a key to its plain logic
// reads it through here, so Enter, Esc, Backspace, the arrows and a typed character mean the
// same thing in every table, box and selector.
#pragma once

#include <cstdint>
#include <string>

class QKeyEvent;

namespace varnex::ui {

// Enter 13, Esc 27, Backspace 8, a typed character its Latin-1 code (255 for a character beyond
// it); 0 for a key that types nothing.
int16_t CodiceTasto(const QKeyEvent& k);
// The arrows as key-down codes: left 37, up 38, right 39, down 40; 0 for any other key.
int16_t CodiceFreccia(const QKeyEvent& k);
// What the key types into a cell: "\r" for Enter, "\b" for Backspace, the typed character (UTF-8);
// empty for a key that types nothing (Esc included).
std::string CarattereTasto(const QKeyEvent& k);

}  // namespace varnex::ui
