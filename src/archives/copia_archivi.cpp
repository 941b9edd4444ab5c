#include "archives/copia_archivi.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "shell/progetto.h"
#include "shell/stato_interfaccia.h"
#include "model/tenuta.h"
#include "model/interaction.h"
#include "model/strings.h"
#include "model/textfile.h"

namespace varnex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGas = "GAS.CFG";

bool Fallisci(ErroreCopia* errore, int numero, const std::string& descrizione) {
  if (errore) *errore = {numero, descrizione};
  return false;
}

std::string Assoluto(const std::string& percorso) {
  std::error_code ec;
  fs::path p = fs::absolute(fs::path(percorso), ec);
  return ec ? percorso : p.string();
}

// The existing file that a folder text followed by a name stands for, found without regard to
// letter case; "" when there is none.
std::string Trova(const std::string& cartella, const std::string& nome) {
  const std::string percorso = Assoluto(cartella + nome);
  return TrovaFileNoCase(GetCartella(percorso), GetNomeFile(percorso));
}

// Where a copy of `nome` into `cartella` goes: the existing file of that name in whatever case, so
// that a folder never ends up with two spellings of one archive, or the new file.
std::string Bersaglio(const std::string& cartella, const std::string& nome) {
  const std::string esistente = Trova(cartella, nome);
  return esistente.empty() ? Assoluto(cartella + nome) : esistente;
}

// Copies a file byte for byte through the atomic writer: a failed copy leaves the old target as
// it was, and a target that is there already keeps its permissions (or refuses the copy when the
// user may not write it).
bool CopiaFile(const std::string& da, const std::string& a, ErroreCopia* errore) {
  const int in = ::open(da.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return Fallisci(errore, errno, "Impossibile leggere il file " + da + ": " + MotivoErrore(errno));
  std::string contenuto;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t letti = ::read(in, buffer.data(), buffer.size());
    if (letti < 0) {
      if (errno == EINTR) continue;
      const int n = errno;
      ::close(in);
      return Fallisci(errore, n, "Errore di lettura del file " + da + ": " + MotivoErrore(n));
    }
    if (letti == 0) break;
    contenuto.append(buffer.data(), static_cast<size_t>(letti));
  }
  ::close(in);
  ErroreSalvataggio scrittura;
  if (!WriteBytesAtomic(a, contenuto, &scrittura)) return Fallisci(errore, scrittura.Numero, scrittura.Testo);
  return true;
}

std::string Data(const char* formato) {
  const std::time_t adesso = std::time(nullptr);
  std::tm t{};
  localtime_r(&adesso, &t);
  char testo[64];
  return std::strftime(testo, sizeof testo, formato, &t) ? std::string(testo) : std::string();
}

// Appends the failure to the run's log in the program folder and tells the user. The message is
// shown even when the log itself cannot be written: the failure must never pass for a success.
EsitoCopia Fallimento(const char* log, const char* messaggio, const ErroreCopia& errore) {
  {
    std::ofstream file(FileProgramma(log), std::ios::binary | std::ios::app);
    file << Utf8ToCp1252(RigaLogCopia(errore)) << "\r\n";
    file.flush();
    if (!file) std::cerr << "Impossibile scrivere il file " << log << "\n";
  }
  MsgBox(messaggio, Bottoni::OK);
  return EsitoCopia::Fallita;
}

// A line of a gas archive that holds a gas: neither blank nor a comment.
bool RigaGas(const std::string& riga) {
  const std::string t = Trim(riga);
  return !t.empty() && t[0] != '#';
}

std::string PrimoCampo(const std::string& riga) { return riga.substr(0, riga.find('\t')); }

bool LeggiRighe(const std::string& percorso, std::vector<std::string>& righe, ErroreCopia* errore) {
  TextReader file;
  if (percorso.empty() || !file.Open(percorso))
    return Fallisci(errore, ENOENT, "Impossibile leggere il file " + (percorso.empty() ? std::string("gas.cfg") : percorso));
  while (!file.Eof()) righe.push_back(file.LineInput());
  return true;
}

// The overwrite question on `nome` with "Rinomina" enabled, followed through the rename sequence:
// the answer that decides, with `nome` the name the copy goes to. A new name that is already taken
// in the destination gets the same question, so nothing is overwritten without the user's word.
int16_t RispostaConRinomina(IDomandeCopia& domande, const std::string& cartella, std::string& nome) {
  int16_t r = domande.ChiediSovrascrittura(TestoSovrascrittura(nome), true);
  while (r == CopiaRinomina) {
    const std::string nuovo = domande.ChiediNuovoNome(nome);
    // A name that would leave the chosen folder counts as a cancelled rename.
    if (!NomeFileSicuro(nuovo)) {
      r = domande.ChiediSovrascrittura(TestoSovrascrittura(nome), true);
      continue;
    }
    nome = nuovo;
    if (Trova(cartella, nome).empty()) return CopiaSi;
    r = domande.ChiediSovrascrittura(TestoSovrascrittura(nome), true);
  }
  return r;
}

// What an answer to the overwrite question asks of the file in hand. "Yes to all" also stops the
// questions for the files after it.
enum class Azione { Copia, Salta, Annulla };

Azione AzioneRisposta(int16_t risposta, bool& siTutti) {
  switch (risposta) {
    case CopiaSiTutti:
      siTutti = true;
      return Azione::Copia;
    case CopiaSi:
      return Azione::Copia;
    case CopiaAnnulla:
      return Azione::Annulla;
    default:
      return Azione::Salta;
  }
}

}  // namespace

const std::array<const char*, 10>& ArchiviStandard() {
  static const std::array<const char*, 10> archivi = {"ACCIAIOL.MAT", "ACCIAIOM.MAT", "ACCIAIOP.MAT",  "PE4437.MAT",
                                                      "RAME-B.MAT",   "EQLEN.CFG",    "GAS.CFG",       "PARFAMGAS.CFG",
                                                      "PDCMAX.CFG",   "TENIMPTECDEF.CFG"};
  return archivi;
}

std::string TestoSovrascrittura(const std::string& nome) {
  return "La cartella di destinazione contiene già un file di nome " + nome + ".\r\n\r\nSovrascrivere il file esistente?";
}

std::string TestoFileMancante(const std::string& nome) {
  return "Il file " + nome + " non verrà copiato \r\npoichè non è presente nella cartella di provenienza.";
}

bool NomeFileSicuro(std::string_view nome) {
  if (nome.empty() || nome == "." || nome == "..") return false;
  return nome.find('/') == std::string_view::npos && nome.find('\\') == std::string_view::npos &&
         nome.find('\0') == std::string_view::npos;
}

std::string RigaLogCopia(const ErroreCopia& errore) {
  return std::to_string(errore.Numero) + "  #  " + errore.Descrizione + "  #  " + Data("%d/%m/%Y") + "  #  " +
         Data("%d/%m/%Y %H:%M:%S");
}

bool UnisciArchivioGas(const std::string& origine, const std::string& destinazione, ErroreCopia* errore) {
  std::vector<std::string> sorgente, righe;
  if (!LeggiRighe(Trova(origine, "gas.cfg"), sorgente, errore)) return false;
  const std::string bersaglio = Bersaglio(destinazione, "gas.cfg");
  if (!LeggiRighe(Trova(destinazione, "gas.cfg"), righe, errore)) return false;
  // The merged archive replaces the destination's in one step, so a failure leaves it whole.
  // Comments and blank lines are kept where they are and are neither renamed nor carried over.
  TextWriter unito(bersaglio);
  for (std::string d : righe) {
    // A gas the copy brings under the same name, by the one rule for gas names, is renamed once.
    if (RigaGas(d) && std::any_of(sorgente.begin(), sorgente.end(), [&](const std::string& s) {
          return RigaGas(s) && StessoNomeGas(PrimoCampo(s), PrimoCampo(d));
        }))
      d = "$$" + d;
    unito.PrintLine(d);
  }
  for (const std::string& s : sorgente)
    if (RigaGas(s)) unito.PrintLine(s);
  std::string motivo;
  if (!unito.Commit(&motivo)) return Fallisci(errore, errno ? errno : EIO, motivo);
  return true;
}

bool StessaCartella(const std::string& a, const std::string& b) {
  // A folder text is joined to the file name as it is: the folder is that of a name put after it.
  auto cartella = [](const std::string& testo) { return fs::path(Assoluto(testo + "x")).parent_path(); };
  const fs::path pa = cartella(a);
  const fs::path pb = cartella(b);
  std::error_code ec;
  if (fs::equivalent(pa, pb, ec)) return true;
  std::error_code ea, eb;
  const fs::path ca = fs::weakly_canonical(pa, ea);
  const fs::path cb = fs::weakly_canonical(pb, eb);
  return !ea && !eb && ca == cb;
}

namespace {
// The run itself; `scritti` gets the name of every archive file it wrote.
EsitoCopia CopiaArchiviIn(const std::string& origine, const std::string& destinazione, IDomandeCopia& domande,
                          std::vector<std::string>& scritti);
}  // namespace

void RicaricaArchiviCopiati(const std::vector<std::string>& scritti) {
  if (scritti.empty()) return;
  auto scritto = [&](std::string_view nome) {
    return std::any_of(scritti.begin(), scritti.end(), [&](const std::string& f) { return UgualiNoCase(f, nome); });
  };
  const bool serie = std::any_of(scritti.begin(), scritti.end(),
                                 [](const std::string& f) { return UCase(Right(f, 4)) == ".MAT"; });
  if (serie) {
    // Segments refer to a series by name; the index is only where that name sat in the table.
    const std::string predefinita =
        Rete().MaterialeDefault >= 1 && Rete().MaterialeDefault <= NumMateriali
            ? Materiali[static_cast<size_t>(Rete().MaterialeDefault)][0].Nome
            : std::string();
    CaricaMateriali();
    // A series whose file is gone is handled as when a project names it at load.
    RiassociaSerieTronchi(true);
    std::string nome = predefinita;
    Rete().MaterialeDefault = predefinita.empty() ? 0 : CercaMateriale(nome);
    RefreshGasGridCombos();
  }
  if (scritto(kGas)) {
    CaricaGas();
    for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
      if (StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, GasCorrente.Nome)) {
        GasCorrente = ArchivioGas[static_cast<size_t>(i)];
        CurrentGas = i;
        break;
      }
    }
  }
  if (scritto("EQLEN.CFG") && ReteInPressione != 0) CaricaSpeciali();
  if (scritto("PDCMAX.CFG")) {
    CaricaPDCMax();
    InitPDCMax();
  }
  if (scritto("PARFAMGAS.CFG")) InitFamiglieGas();
  if (scritto("TENIMPTECDEF.CFG")) CaricaTenImpTecDef();
  std::string messaggio = MsgArchiviRicaricati;
  if (Rete().NumTronchi > 0) {
    messaggio += MsgProgettoRicaricato;
    ProgettoModificato = -1;
    if (RicalcoloAutomatico != 0) AmbienteProgetto().Elaborazione();
  }
  MsgBox(messaggio, Bottoni::OK, Icona::Informazione);
}

EsitoCopia CopiaArchivi(const std::string& origine, const std::string& destinazione, IDomandeCopia& domande) {
  std::vector<std::string> scritti;
  const EsitoCopia esito = CopiaArchiviIn(origine, destinazione, domande, scritti);
  // Copies made before a cancel or a failure stay: they are loaded all the same.
  if (StessaCartella(destinazione, CartellaProgramma() + "/")) RicaricaArchiviCopiati(scritti);
  return esito;
}

namespace {

EsitoCopia CopiaArchiviIn(const std::string& origine, const std::string& destinazione, IDomandeCopia& domande,
                          std::vector<std::string>& scritti) {
  // Copied onto themselves the archives gain nothing, and the gas archive would be merged with
  // itself: every gas twice, one of each pair renamed "$$".
  if (StessaCartella(origine, destinazione)) {
    MsgBox(MsgStessaCartellaArchivi, Bottoni::OK, Icona::Esclamazione);
    return EsitoCopia::Rifiutata;
  }
  bool siTutti = false;
  ErroreCopia errore;
  auto fallita = [&] { return Fallimento(FileLogCopiaArchivi, MsgErroreCopiaArchivi, errore); };
  for (const char* f : ArchiviStandard()) {
    const std::string nome = f;
    const std::string da = Trova(origine, nome);
    if (da.empty()) {
      MsgBox(TestoFileMancante(nome), Bottoni::OK);
      continue;
    }
    const std::string esistente = Trova(destinazione, nome);
    if (esistente.empty()) {
      // A new archive keeps the spelling it has in the source folder.
      if (!CopiaFile(da, Assoluto(destinazione + GetNomeFile(da)), &errore)) return fallita();
      scritti.push_back(nome);
      continue;
    }
    if (UgualiNoCase(nome, kGas)) {
      const Azione azione = AzioneRisposta(domande.ChiediSovrascrittura(MsgUnioneGas, false), siTutti);
      if (azione == Azione::Annulla) return EsitoCopia::Annullata;
      if (azione == Azione::Copia) {
        if (!UnisciArchivioGas(origine, destinazione, &errore)) return fallita();
        scritti.push_back(nome);
      }
      continue;
    }
    std::string bersaglio = nome;
    int16_t r = CopiaSi;
    if (!siTutti) {
      const bool cfg = UCase(nome).find(".CFG") != std::string::npos;
      r = cfg ? domande.ChiediSovrascrittura(TestoSovrascrittura(nome), false)
              : RispostaConRinomina(domande, destinazione, bersaglio);
    }
    const Azione azione = AzioneRisposta(r, siTutti);
    if (azione == Azione::Annulla) return EsitoCopia::Annullata;
    if (azione == Azione::Copia) {
      if (!CopiaFile(da, Bersaglio(destinazione, bersaglio), &errore)) return fallita();
      scritti.push_back(bersaglio);
    }
  }
  return EsitoCopia::Completata;
}

}  // namespace

EsitoCopia CopiaProgetti(const std::string& origine, IDomandeCopia& domande) {
  ErroreCopia errore;
  auto fallita = [&] { return Fallimento(FileLogCopiaProgetti, MsgErroreCopiaProgetti, errore); };
  const std::string destinazione = CartellaProgramma() + "/Archivio Lavori/";
  if (StessaCartella(origine, destinazione)) {
    MsgBox(MsgStessaCartellaProgetti, Bottoni::OK, Icona::Esclamazione);
    return EsitoCopia::Rifiutata;
  }
  std::error_code ec;
  if (!fs::is_directory(destinazione, ec)) {
    fs::create_directories(destinazione, ec);
    if (ec) {
      errore = {ec.value(), "Impossibile creare la cartella " + destinazione + ": " + MotivoErrore(ec.value())};
      return fallita();
    }
  }
  std::vector<std::string> progetti;
  const std::string cartella = Assoluto(origine);
  fs::directory_iterator it(cartella, ec);
  for (const fs::directory_iterator fine; !ec && it != fine; it.increment(ec)) {
    std::error_code tipo;
    const std::string nome = it->path().filename().string();
    if (it->is_regular_file(tipo) && UCase(Right(nome, 4)) == ".RTG") progetti.push_back(nome);
  }
  if (ec) {
    errore = {ec.value(), "Impossibile leggere la cartella " + origine + ": " + MotivoErrore(ec.value())};
    return fallita();
  }
  // Listed in name order, whatever order the file system keeps.
  std::sort(progetti.begin(), progetti.end());
  bool siTutti = false;
  for (const std::string& nome : progetti) {
    const std::string da = (fs::path(cartella) / nome).string();
    std::string bersaglio = nome;
    int16_t r = CopiaSi;
    if (!Trova(destinazione, nome).empty() && !siTutti) r = RispostaConRinomina(domande, destinazione, bersaglio);
    const Azione azione = AzioneRisposta(r, siTutti);
    if (azione == Azione::Annulla) return EsitoCopia::Annullata;
    if (azione == Azione::Copia && !CopiaFile(da, Bersaglio(destinazione, bersaglio), &errore)) return fallita();
  }
  return EsitoCopia::Completata;
}

}  // namespace varnex
