// File names, file existence, the program folder, the busy cursor and the paper names.
//
// Paths on this system use "/"; paths stored by older projects may use "\", so the name helpers
// accept both as separators.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// The record, in the user's folder, of the shipped files and folders already brought there (one
// name a line, relative to the shipped folder, "/" between folders, a folder with a closing "/";
// lines beginning with "#" are remarks). Its lines are matched as the program matches file names:
// without regard to letter case, blanks around a name left out, "\" taken as "/".
inline constexpr const char* NomeRegistroDistribuiti = ".distribuiti";
// The marker, in the user's folder, of a carry-over from an earlier build's folder that has not
// finished (it names that folder): the next start resumes it.
inline constexpr const char* NomeMarcaRipresa = ".ripresa";

// The shipped files an activity or the start-up cannot do without ("gas.cfg", "PARFAMGAS.CFG",
// "gridgas.cne", "EQLEN.CFG", "PDCMAX.CFG", "HINTS.CFG", the manual "Varnex4.htm", the report's
// "logo.bmp", whose absence stops the HTML report while the logo is asked for): they come back at
// every start when missing from the user's folder (a user's own logo, like any file of the user,
// is never replaced). The other shipped files (pipe series, the example project) stay away once
// the user removed them.
bool FileDistribuitoCheTorna(std::string_view relativo);
// What the user can do to get back the shipped file `nome` missing from the program folder, for
// the message that names it: a restart, when the start-up brings it back; else a reinstall. With
// `presente` the user's file is there but unusable: it must be moved away first.
std::string ComeRiavereFileDistribuito(std::string_view nome, bool presente = false);

// Brings the shipped files and folders into the user's folder, each once: what the record lists
// is not brought again, so a file or folder the user removed, through the program or by hand,
// stays removed; one new in a later version arrives at the next start. A file already there is
// never replaced, whatever it holds, and counts as brought: the user's archives and projects
// survive every start, build and install. The files of FileDistribuitoCheTorna come back
// whenever missing.
//
// A start cut short (killed, or a full disk) is finished by the next: the record is written
// before the first copy and completed after them, so the next start finds the record and brings
// what it does not list; the temporary copies the cut start left are removed. A folder set up by
// an earlier build, which kept no record, holds some shipped file or folder that does not come
// back by itself: every shipped file then counts as brought. While a carry-over from an earlier
// build's folder is under way (NomeMarcaRipresa), no shipped file takes the place of one that
// folder holds. A record that cannot be read brings only the files that come back.
//
// False with what the user must know in `errore` (one text: the reason, and what it means for
// the files): a folder that cannot be created, a file that cannot be copied, a record that
// cannot be read or begun while shipped files are missing. A shipped folder that does not exist
// copies nothing.
bool PreparaCartellaUtente(const std::string& distribuita, const std::string& utente, std::string* errore = nullptr);

// How the set-up and the carry-over put one file in place where nothing of its name is: the real
// copy unless a stand-in is set (tests cut a start short with it); {} sets the real one back.
using CopiaCartellaUtente =
    std::function<bool(const std::string& origine, const std::string& destinazione, std::string* errore)>;
void ImpostaCopiaCartellaUtente(CopiaCartellaUtente copia);

// Earlier builds kept the archives, "Archivio Lavori" and the files the program writes in the
// executable's folder (`precedente`). The first time the user's folder is made, what such a folder
// holds (the program's data files whatever their mode, other files that are not programs, and
// "Archivio Lavori") is copied in, so the user's edits and projects carry over, with an empty
// record of the shipped files so that PreparaCartellaUtente fills the gaps once; the folder itself
// is left as it is, and `ripresa` says it was copied. A marker written before the first copy and
// removed after the last makes the next start resume a carry-over cut short. Nothing happens when
// the user's folder exists without a marker or `precedente` holds no gas archive. False with
// what the user must know in `errore` when something could not be copied (the carry-over resumes
// at the next start) or read (the file stays where it is, named).
// The paths of `ricordati` (the recent files, the last work folder) that lie in `precedente` come
// too, wherever they are there: a file as it is, a folder with the program's files it holds.
bool RiprendiCartellaPrecedente(const std::string& precedente, const std::string& utente, std::string* errore = nullptr,
                                bool* ripresa = nullptr, const std::vector<std::string>& ricordati = {});
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
// Deletes an existing file, also when it is read-only (its folder decides, as for any file); false
// when it did not exist, or, with the system's reason in Italian in `motivo`, when it could not
// be deleted: then nothing about it has changed.
bool DeleteFileIfExists(const std::string& path, std::string* motivo = nullptr);

// Busy-cursor requests still open (never below 0).
extern int16_t ContatoreAttesa;
// 11 opens a busy section, 0 closes one; the hourglass shows while any is open. Other codes
// set the pointer directly.
void ImpostaCursore(int16_t codice);

// Italian name of a platform paper code (1-41); "Definito dall'utente." for any other.
std::string NomeFormatoCarta(int16_t codice);

}  // namespace varnex
