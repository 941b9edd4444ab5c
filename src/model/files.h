// File names, file existence, the program folder, the busy cursor and the paper names.
//
// Paths on this system use "/"; paths stored by older projects may use "\", so the name helpers
// accept both as separators.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnex {

// The program folder, where the archives, "Archivio Lavori" and the files the program writes beside
// them live (no trailing separator): the user's own folder, never the folder of the executable,
// which the user may not be able to write and a build or an install replaces. Unless set (tests
// point it at a temporary folder) it is CartellaUtentePredefinita().
const std::string& CartellaProgramma();
void ImpostaCartellaProgramma(const std::string& folder);

// The user's folder when nothing else is set: $VARNEX_CARTELLA_UTENTE when set (tests and
// developers), else "VarnexPro" in $XDG_DATA_HOME, else "~/.local/share/VarnexPro".
std::string CartellaUtentePredefinita();

// The read-only folder of the files that ship with the program: "share/varnexpro" beside the
// executable's folder, in the build tree (build/bin/varnexpro, build/share/varnexpro) as in an
// installation (<prefix>/bin, <prefix>/share/varnexpro).
std::string CartellaDistribuitaDi(const std::string& cartellaEseguibile);
std::string CartellaDistribuita();
// Points the shipped folder elsewhere ("" goes back to the one beside the executable).
void ImpostaCartellaDistribuita(const std::string& cartella);

// The record, in the user's folder, of the shipped files already brought there (one name a line,
// relative to the shipped folder, "/" between folders; lines beginning with "#" are remarks).
inline constexpr const char* NomeRegistroDistribuiti = ".distribuiti";

// Brings the shipped files (and their subfolders, "Archivio Lavori" with its example project) into
// the user's folder, each once: a file the record lists is not brought again, so a file the user
// removed, through the program or by hand, stays removed; a file new in a later version arrives
// at the next start. A file already there is never replaced, whatever it holds, and counts as
// brought: the user's archives and projects survive every start, build and install. A folder set
// up before the record was kept (it has no record and holds some shipped file) counts every
// shipped file as brought. The files the start-up cannot do without ("gas.cfg", "PARFAMGAS.CFG",
// "gridgas.cne") come back whenever missing; the shipped folders are made whenever missing. A
// copy interrupted half-way never leaves a torn file under the real name, and the record lists
// a file only once it is in place. False with the first reason in `errore` when a folder cannot
// be created, a file cannot be copied or the record cannot be written (the other files are still
// put in place); a shipped folder that does not exist copies nothing.
bool PreparaCartellaUtente(const std::string& distribuita, const std::string& utente, std::string* errore = nullptr);

// Earlier builds kept the archives, "Archivio Lavori" and the files the program writes in the
// executable's folder (`precedente`). The first time the user's folder is made, what such a folder
// holds (its files, not programs, and "Archivio Lavori") is copied in, so the user's edits and
// projects carry over, with an empty record of the shipped files so that PreparaCartellaUtente
// fills the gaps once; the folder itself is left as it is, and `ripresa` says it was copied.
// Nothing happens when the user's folder exists or `precedente` holds no gas archive. False with
// the first reason in `errore` when something could not be copied.
bool RiprendiCartellaPrecedente(const std::string& precedente, const std::string& utente, std::string* errore = nullptr,
                                bool* ripresa = nullptr);
// The same place as `percorso` inside the copy `a` of folder `da`: "" when `percorso` does not
// lie in `da` or nothing is there in `a`.
std::string PercorsoNellaCopia(const std::string& percorso, const std::string& da, const std::string& a);
// The folder of the running executable.
std::string CartellaDellEseguibile();

// The path of an existing file of `folder` whose name equals `name` without regard to letter case
// (the exact name is preferred); empty when there is none.
std::string TrovaFileNoCase(const std::string& folder, std::string_view name);
// The path of an archive file of the program folder: the existing file found without regard to
// letter case, or the folder joined with `name` when there is none yet.
std::string FileProgramma(std::string_view name);
// The absolute, canonical form of a path (relative to the current folder; links of the existing
// part resolved, "." and ".." removed); "" stays "", and a path the system cannot resolve stays
// as it is.
std::string PercorsoAssoluto(const std::string& path);
// Folder and name joined with one "/".
std::string UnisciPercorso(std::string_view folder, std::string_view name);

// Text after the last separator; the whole text when there is none.
std::string GetNomeFile(std::string_view path);
std::string EstraiNomeFile(std::string_view path);
// The name without its last "."-part; "" when the name has no ".".
std::string GetNomeSenzaEstensione(std::string_view path);
// The name trimmed of blanks, without its extension (the part after the last ".").
std::string GetFileTitle(std::string_view path);
// The folder part of a path, ending with its separator; a path without separator unchanged.
std::string GetCartella(std::string_view path);

bool IsAlfaNumerico(char32_t c);
// Only letters A-Z, a-z and digits (true for "").
bool IsNomeValido(std::string_view name);

// The file can be opened for reading (false for folders, missing files, no permission).
bool EsisteFile(const std::string& path);
// Creates or overwrites the file with one empty line; false (after a message) on failure.
bool CreaFileVuoto(const std::string& path);
// Deletes an existing file, also when it is read-only; false when it did not exist.
bool DeleteFileIfExists(const std::string& path);

// Busy-cursor requests still open (never below 0).
extern int16_t ContatoreAttesa;
// 11 opens a busy section, 0 closes one; the hourglass shows while any is open. Other codes
// set the pointer directly.
void ImpostaCursore(int16_t codice);

// Italian name of a platform paper code (1-41); "Definito dall'utente." for any other.
std::string NomeFormatoCarta(int16_t codice);

}  // namespace varnex
