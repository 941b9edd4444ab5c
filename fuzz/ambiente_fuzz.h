// What every fuzz target shares: a program folder of its own with the shipped archives, a user who
// answers every message without a window, and the check that a file saved and read again comes
// back the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnex::fuzz {

// Prepares the process once: a temporary program folder (in memory when the system offers one)
// holding the files of data/, a silent user, the program's version. Removed at exit.
void PreparaProgramma();

// The path of a file of the program folder.
std::string File(std::string_view nome);
// Writes bytes to a file of the program folder, as they are.
void Scrivi(std::string_view nome, const uint8_t* dati, size_t n);
// The bytes of a file of the program folder ("" when missing).
std::string Leggi(std::string_view nome);

// Stops the run with both texts when a file saved, read back and saved again differs from the
// first save: something written was not read back as it was. `valoreInTestaARiga`: the writer
// puts values at the start of a line and writes no comment lines of its own.
void StessoFile(const std::string& cosa, const std::string& primo, const std::string& secondo,
                bool valoreInTestaARiga = false);

}  // namespace varnex::fuzz
