// The project file ".RTG": the project parameters, the network, the tightness-test section and the
// document folder, in one Windows-1252 text file.
//
// The writer builds the whole file in memory and replaces the old one only when complete, so a
// failed save never damages a project on disk. The reader empties the project first; a file it
// cannot take whole is refused with a message and leaves the empty project, not half of one.
#pragma once

#include <cstdint>
#include <string>

#include "model/textfile.h"

namespace varnex {

// Field separator of the segment rows; the writer sets it to TAB.
extern std::string SeparatoreCampi;

// Writes the project to `path` (header, parameters, network, tightness section, document folder).
// On failure the old file stays as it was, a message says why and the result is false. After a
// successful save the technician's defaults file is rewritten from the tightness record.
bool ScriviRTG(const std::string& path);
// The network section ("#", "%", "[", one row per slot 0..NumTronchi, "]"). Child links beyond
// the segment count are set to 0 in the model before they are written.
void ScriviReteRTG(TextWriter& file, int16_t rete);

// Reads the project at `path` into the model, which it empties first. Sets ProgettoCaricato and
// returns the same: false after a refusal, which was reported to the user and left the empty
// project with no path (the gas in use, the activity and the fittings table as before the load).
bool LeggiRTG(const std::string& path);
// Reads the network section from the current position into network 1. False (after a message)
// when the section cannot be taken: a row with more than 50 fields, more than 201 rows, a value
// that does not fit its field, no row at all between "[" and "]", links outside the network or
// forming a loop.
bool LeggiReteRTG(TextReader& file, int16_t rete);

// The windows the reader needs while it loads. Without an implementation both do nothing.
class IFinestreProgetto {
 public:
  virtual ~IFinestreProgetto() = default;
  // Makes sure the editor window is loaded (not shown), so its tightness page can take the record.
  virtual void AssicuraEditor() = 0;
  // The main window's caption.
  virtual void TitoloProgetto(const std::string& titolo) = 0;
};
void ImpostaFinestreProgetto(IFinestreProgetto* finestre);

// Replaces how the finished file is committed (tests simulate a failing disk with it); nullptr
// restores TextWriter::Commit.
using FunzioneCommitProgetto = bool (*)(TextWriter& file, std::string* errore);
void ImpostaCommitProgetto(FunzioneCommitProgetto funzione);

}  // namespace varnex
