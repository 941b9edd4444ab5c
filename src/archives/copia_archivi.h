// Copying the standard archives and the project files between folders: the overwrite, rename and
// cancel choices, the merge of the gas archive, and the logs of failed runs in the program folder.
// The questions are asked through IDomandeCopia, answered by the copy windows
// (archives/ui/copia_dialoghi.h) or by a test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// Answers of the overwrite question (the window's operationToExecute).
enum RispostaCopia : int16_t {
  CopiaNo = 0,
  CopiaSi = 1,
  CopiaSiTutti = 2,
  CopiaRinomina = 3,
  CopiaAnnulla = 4,
};

class IDomandeCopia {
 public:
  virtual ~IDomandeCopia() = default;
  // The overwrite question with its text; `rinomina` enables "Rinomina". One of RispostaCopia.
  virtual int16_t ChiediSovrascrittura(const std::string& testo, bool rinomina) = 0;
  // The rename prompt with the proposed name: the name typed, "" when the prompt was cancelled.
  virtual std::string ChiediNuovoNome(const std::string& nome) = 0;
};

inline constexpr const char* FileLogCopiaArchivi = "copyArchievesLogFile.txt";
inline constexpr const char* FileLogCopiaProgetti = "copyProjectsLogFile.txt";
inline constexpr const char* MsgErroreCopiaArchivi =
    "Si è verificato un errore durante la copia del file degli archivi.\r\nNon è possibile completare l'operazione di copia.";
inline constexpr const char* MsgErroreCopiaProgetti =
    "Si è verificato un errore durante la copia del file di progetto.\r\nNon è possibile completare l'operazione di copia.";
inline constexpr const char* MsgUnioneGas =
    "I gas presenti nel file GAS.CFG della cartella di provenienza verranno copiati all'interno del file GAS.CFG della "
    "cartella di destinazione.\r\nSe due gas hanno lo stesso nome verrà inserito il simbolo \"$$\" davanti al nome del gas "
    "presente nel file della cartella di destinazione.";
inline constexpr const char* MsgStessaCartellaArchivi =
    "La cartella di provenienza e la cartella di destinazione sono la stessa cartella: nessun archivio e' stato "
    "copiato.\r\nScegliere come provenienza la cartella degli archivi da copiare.";
inline constexpr const char* MsgStessaCartellaProgetti =
    "La cartella di provenienza e' la cartella dei progetti del programma: nessun progetto e' stato copiato.";
inline constexpr const char* MsgNomeNonValido = "Il nome del file non può contenere i caratteri \\ e / né essere . o ..";

// The standard archive files, in the order in which they are copied.
const std::array<const char*, 10>& ArchiviStandard();

// "La cartella di destinazione contiene già un file di nome <nome>." and the question.
std::string TestoSovrascrittura(const std::string& nome);
// "Il file <nome> non verrà copiato " and its reason on the next line.
std::string TestoFileMancante(const std::string& nome);

// A new file name stays inside the chosen folder: not empty, no "/" or "\", not "." or "..".
bool NomeFileSicuro(std::string_view nome);

// How a run ended.
enum class EsitoCopia {
  Completata,  // every file examined
  Annullata,   // the user answered "Annulla"
  Fallita,     // a failure ended the run: logged and reported
  Rifiutata,   // the source folder is the destination: nothing was examined
};

// The folder that a folder text stands for (the text with a file name appended names a file in
// it) is the same folder as the other's, symbolic links and "." or ".." resolved.
bool StessaCartella(const std::string& a, const std::string& b);

// A failure: error number and description, as the log keeps them.
struct ErroreCopia {
  int Numero = 0;
  std::string Descrizione;
};

inline constexpr const char* MsgArchiviRicaricati =
    "Gli archivi copiati nella cartella del programma sono ora in uso.";
inline constexpr const char* MsgProgettoRicaricato =
    "\r\nIl progetto aperto usa i nuovi archivi: controllare i risultati del calcolo.";

// Copies the ten standard archives from `origine` to `destinazione` (folder texts: the file name
// is appended to them as it is). "GAS.CFG" is merged, never overwritten. When the destination is
// the program folder, the archives written there are loaded again before it returns, however the
// run ended, so that memory never disagrees with the files.
EsitoCopia CopiaArchivi(const std::string& origine, const std::string& destinazione, IDomandeCopia& domande);
// Loads again the standard archives named in `scritti` (as ArchiviStandard names them) from the
// program folder. The open project then refers to them by name, as a new opening would: its
// series indices and its gas are taken again from the reloaded archives, and it is recalculated
// when automatic recalculation is on. Tells the user.
void RicaricaArchiviCopiati(const std::vector<std::string>& scritti);
// Merges origine & "gas.cfg" into destinazione & "gas.cfg": the destination's gases, "$$" before
// the name of each one the source also has, then the source's gases. The destination file is
// replaced only when the merged archive is complete. False with the reason on failure.
bool UnisciArchivioGas(const std::string& origine, const std::string& destinazione, ErroreCopia* errore = nullptr);
// Copies every ".RTG" file of folder `origine` into the program's "Archivio Lavori".
EsitoCopia CopiaProgetti(const std::string& origine, IDomandeCopia& domande);

// The log line of a failure: number, description, date, date and time, joined by "  #  ".
std::string RigaLogCopia(const ErroreCopia& errore);

}  // namespace varnex
