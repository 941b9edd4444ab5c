// The small text helpers every reader and many input fields share: data lines, TAB-separated
// fields, comma to point, date and time tests, message templates and the cutting of long texts.
//
// The line readers do not yield to window events: a reader inside the core has no window to yield
// to, and the callers that load long files show their own progress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/textfile.h"

namespace varnex {

// Next line that is neither blank nor a "#" comment, with "," turned into "."; "" at the end.
std::string ReadDataLine(TextReader& file);
// As ReadDataLine, the line exactly as written (for texts such as addresses that keep their commas).
std::string ReadDataLineRaw(TextReader& file);
// Next line that is not a comment (blank lines included), "," turned into "."; at the end of the
// file the last line read, even a comment.
std::string ReadNextLine(TextReader& file);
// As ReadNextLine, without the comma conversion.
std::string ReadNextLineRaw(TextReader& file);

// Fills `fields` with the TAB-separated fields of the line (runs of TABs and leading TABs make no
// empty field; "," stored as "."), returns the index of the last field. The capacity is
// fields.size(), fixed by the caller: fields beyond it are counted but not stored, and entries
// after the last field keep what an earlier line left there.
int16_t SplitFields(std::string_view line, std::vector<std::string>& fields);

std::string CommaToDot(std::string_view text);

// A line is blank when empty or made only of blanks; a comment starts with "#".
bool IsRigaVuota(std::string_view line);
bool IsRigaCommento(std::string_view line);

// Day/month/year, a real calendar date in the years 1901-2999.
bool IsDataValida(std::string_view text);
// Hours:minutes ("." accepted and turned into ":" in the caller's text), 0-23 and 0-59.
bool IsOraValida(std::string& text);

// Key codes of "0" to "9".
bool IsCifra(int16_t keyAscii);

// Each "{i}" of the template replaced by argument i; an argument whose marker is missing is
// reported with a message.
std::string FormatString(std::string_view modello, const std::vector<std::string>& argomenti);

// Cuts a long text into pieces of at most `larghezza` characters for the printed tables. With a
// text it starts a new cut; without, it gives the next piece. `altro` is 1 while pieces remain.
// One cut is shared by every caller.
std::string SpezzaTesto(int16_t larghezza, int16_t& altro, std::optional<std::string_view> testo = std::nullopt);

// A plain message with an OK button, no icon and the default title (the kind is not used).
void MostraAvviso(int16_t tipo, const std::string& testo);

// Every CR and every LF replaced by one blank.
std::string SostituisciACapo(std::string_view text);

}  // namespace varnex
