// The atomic writer behind every save: what it keeps of the file it replaces.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/textfile.h"
#include "support/temp_folder.h"
#include "support/utente_comune.h"

namespace varnex {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

struct stat Stato(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

unsigned Modo(const std::string& path) { return Stato(path).st_mode & 07777; }

// Entries of a folder: a save leaves no temporary file behind.
size_t FileNellaCartella(const std::string& cartella) {
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(cartella)) {
    (void)e;
    ++n;
  }
  return n;
}

// A folder the unprivileged user may create files in, holding one file that user may not write.
class FileProtetto : public ::testing::Test {
 protected:
  void SetUp() override { ::chmod(dir.Path().c_str(), 0777); }
  TempFolder dir;
};

TEST_F(FileProtetto, AFileTheUserMayNotWriteIsRefusedWithTheSystemsReason) {
  struct Caso {
    const char* nome;
    unsigned modo;
    bool suo;  // owned by the user who saves
  } casi[] = {
      {"proprio file in sola lettura", 0444, true},
      {"file altrui senza scrittura per gli altri", 0644, false},
      {"file del gruppo altrui", 0664, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    // Only root can prepare a file that belongs to somebody else.
    if (!c.suo && ::geteuid() != 0) continue;
    const std::string path = dir.Write(std::string(c.nome) + ".RTG", "vecchio\r\n");
    if (c.suo) {
      ASSERT_EQ(::chown(path.c_str(), test::UidUtenteComune(), test::GidUtenteComune()), 0);
    }
    ::chmod(path.c_str(), c.modo);
    const size_t prima = FileNellaCartella(dir.Path());
    const auto esito = test::ComeUtenteComune([&] {
      std::string errore;
      const bool scritto = WriteFileAtomic(path, "nuovo\r\n", &errore);
      return (scritto ? "scritto:" : "rifiutato:") + errore;
    });
    ASSERT_TRUE(esito.has_value()) << "impossibile eseguire la prova come utente senza privilegi";
    EXPECT_EQ(*esito, "rifiutato:Impossibile scrivere il file " + path + ": " + MotivoErrore(EACCES));
    EXPECT_EQ(dir.Read(std::string(c.nome) + ".RTG"), "vecchio\r\n");
    EXPECT_EQ(Modo(path), c.modo);
    EXPECT_EQ(FileNellaCartella(dir.Path()), prima);
  }
}

TEST_F(FileProtetto, AFileOthersMayWriteIsSavedAndStaysOpenToThem) {
  const std::string path = dir.Write("comune.RTG", "vecchio\r\n");
  ::chmod(path.c_str(), 0666);
  const auto esito = test::ComeUtenteComune([&] {
    std::string errore;
    return WriteFileAtomic(path, "nuovo\r\n", &errore) ? std::string("scritto") : errore;
  });
  ASSERT_TRUE(esito.has_value());
  EXPECT_EQ(*esito, "scritto");
  EXPECT_EQ(dir.Read("comune.RTG"), "nuovo\r\n");
  EXPECT_EQ(Modo(path), 0666u);
}

TEST(WriteBytesAtomic, TheNewFileKeepsTheOldOnesPermissions) {
  TempFolder dir;
  for (unsigned modo : {0664u, 0660u, 0640u, 0600u, 0755u, 0604u}) {
    SCOPED_TRACE(modo);
    const std::string path = dir.Write("p.RTG", "vecchio\r\n");
    ::chmod(path.c_str(), modo);
    std::string errore;
    ASSERT_TRUE(WriteFileAtomic(path, "nuovo\r\n", &errore)) << errore;
    EXPECT_EQ(dir.Read("p.RTG"), "nuovo\r\n");
    EXPECT_EQ(Modo(path), modo);
  }
}

TEST(WriteBytesAtomic, RootSavingAUsersFileLeavesItToItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "solo root puo' scrivere un file di un altro utente";
  TempFolder dir;
  const std::string path = dir.Write("suo.RTG", "vecchio\r\n");
  ASSERT_EQ(::chown(path.c_str(), test::UidUtenteComune(), test::GidUtenteComune()), 0);
  ::chmod(path.c_str(), 0444);
  ASSERT_TRUE(WriteFileAtomic(path, "nuovo\r\n"));
  EXPECT_EQ(dir.Read("suo.RTG"), "nuovo\r\n");
  EXPECT_EQ(Stato(path).st_uid, test::UidUtenteComune());
  EXPECT_EQ(Stato(path).st_gid, test::GidUtenteComune());
  EXPECT_EQ(Modo(path), 0444u);
}

TEST(WriteBytesAtomic, ANewFileGetsTheModeOfAnyNewFile) {
  TempFolder dir;
  for (mode_t maschera : {mode_t{022}, mode_t{002}, mode_t{077}}) {
    SCOPED_TRACE(maschera);
    const std::string path = dir.File("nuovo" + std::to_string(maschera) + ".RTG");
    const mode_t prima = ::umask(maschera);
    const bool scritto = WriteFileAtomic(path, "x\r\n");
    ::umask(prima);
    ASSERT_TRUE(scritto);
    EXPECT_EQ(Modo(path), 0666u & ~maschera);
  }
}

TEST(WriteBytesAtomic, ASymbolicLinkIsFollowedAndItsTargetReplaced) {
  TempFolder dir;
  fs::create_directories(dir.File("progetti"));
  fs::create_directories(dir.File("collegamenti"));
  struct Caso {
    const char* nome;
    std::string collegamento;
    std::string punta;  // what the link holds
    std::string bersaglio;
  } casi[] = {
      {"assoluto", dir.File("collegamenti/a.RTG"), dir.File("progetti/a.RTG"), dir.File("progetti/a.RTG")},
      {"relativo", dir.File("collegamenti/b.RTG"), "../progetti/b.RTG", dir.File("progetti/b.RTG")},
      {"catena", dir.File("collegamenti/c.RTG"), "c2.RTG", dir.File("progetti/c.RTG")},
      {"senza bersaglio", dir.File("collegamenti/d.RTG"), "../progetti/d.RTG", dir.File("progetti/d.RTG")},
  };
  fs::create_symlink("../progetti/c.RTG", dir.File("collegamenti/c2.RTG"));
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    if (std::string(c.nome) != "senza bersaglio") {
      dir.Write(c.bersaglio.substr(dir.Path().size() + 1), "vecchio\r\n");
      ::chmod(c.bersaglio.c_str(), 0664);
    }
    fs::create_symlink(c.punta, c.collegamento);
    std::string errore;
    ASSERT_TRUE(WriteFileAtomic(c.collegamento, "nuovo\r\n", &errore)) << errore;
    EXPECT_TRUE(fs::is_symlink(c.collegamento));
    EXPECT_EQ(fs::read_symlink(c.collegamento).string(), c.punta);
    EXPECT_EQ(test::LeggiByte(c.bersaglio), "nuovo\r\n");
    if (std::string(c.nome) != "senza bersaglio") {
      EXPECT_EQ(Modo(c.bersaglio), 0664u);
    }
  }
  EXPECT_EQ(FileNellaCartella(dir.File("progetti")), 4u);
  EXPECT_EQ(FileNellaCartella(dir.File("collegamenti")), 5u);
}

TEST(WriteBytesAtomic, WhatCannotBeReplacedIsRefusedWithTheSystemsReason) {
  TempFolder dir;
  fs::create_symlink("giro2", dir.File("giro1"));
  fs::create_symlink("giro1", dir.File("giro2"));
  fs::create_directories(dir.File("cartella"));
  struct Caso {
    std::string path;
    int numero;
  } casi[] = {
      {dir.File("giro1"), ELOOP},
      {dir.File("cartella"), EISDIR},
      {dir.File("manca/p.RTG"), ENOENT},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.path);
    ErroreSalvataggio errore;
    EXPECT_FALSE(WriteBytesAtomic(c.path, "x", &errore));
    EXPECT_EQ(errore.Numero, c.numero);
    EXPECT_NE(errore.Testo.find(c.path), std::string::npos) << errore.Testo;
    EXPECT_NE(errore.Testo.find(MotivoErrore(c.numero)), std::string::npos) << errore.Testo;
  }
  EXPECT_TRUE(fs::is_symlink(dir.File("giro1")));
  EXPECT_TRUE(fs::is_directory(dir.File("cartella")));
  EXPECT_EQ(FileNellaCartella(dir.Path()), 3u);
}

// Saves killed half-way leave their temporary copies; the next save of that file removes them,
// and nothing else.
TEST(WriteBytesAtomic, LeCopieTemporaneeRimasteSonoRimosseAlSalvataggioSuccessivo) {
  TempFolder dir;
  const char* rimaste[] = {".~p.RTG.123.tmp", ".~p.RTG.7.tmp", ".~p.RTG.0.tmp"};
  const char* altre[] = {".~altro.RTG.1.tmp", ".~p.RTG.x1.tmp", "p.RTG.1.tmp", ".~p.RTG..tmp", ".~p.RTG.12.tmp.bak",
                         ".~P.RTG.5.tmp"};
  for (const char* n : rimaste) dir.Write(n, "copia intera del progetto");
  for (const char* n : altre) dir.Write(n, "altro");
  fs::create_directories(dir.File(".~p.RTG.9.tmp"));
  fs::create_symlink(dir.File("p.RTG.1.tmp"), dir.File(".~p.RTG.8.tmp"));
  std::string errore;
  ASSERT_TRUE(WriteFileAtomic(dir.File("p.RTG"), "nuovo\r\n", &errore)) << errore;
  for (const char* n : rimaste) EXPECT_FALSE(fs::exists(dir.File(n))) << n;
  for (const char* n : altre) EXPECT_EQ(dir.Read(n), "altro") << n;
  EXPECT_TRUE(fs::is_directory(dir.File(".~p.RTG.9.tmp")));
  EXPECT_TRUE(fs::is_symlink(dir.File(".~p.RTG.8.tmp")));
  EXPECT_EQ(dir.Read("p.RTG"), "nuovo\r\n");
}

// A save in progress elsewhere (another user saving the same shared file) holds its temporary
// copy: a save that ends meanwhile removes only the copies nobody holds.
TEST(WriteBytesAtomic, UnaCopiaTemporaneaDiUnSalvataggioInCorsoNonERimossa) {
  TempFolder dir;
  const std::string inCorso = dir.Write(".~p.RTG.4242.tmp", "salvataggio di un collega, a meta'");
  const std::string rimasta = dir.Write(".~p.RTG.17.tmp", "copia di un salvataggio interrotto");
  int pronto[2], fine[2];
  ASSERT_EQ(::pipe(pronto), 0);
  ASSERT_EQ(::pipe(fine), 0);
  const pid_t altro = ::fork();
  ASSERT_GE(altro, 0);
  if (altro == 0) {
    // The other process: its save holds the copy until told to finish.
    const int fd = ::open(inCorso.c_str(), O_WRONLY);
    const bool preso = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
    const char segnale = preso ? 'p' : 'x';
    char risposta = 0;
    if (::write(pronto[1], &segnale, 1) != 1 || ::read(fine[0], &risposta, 1) != 1) ::_exit(2);
    ::_exit(0);
  }
  char segnale = 0;
  ASSERT_EQ(::read(pronto[0], &segnale, 1), 1);
  ASSERT_EQ(segnale, 'p');
  std::string errore;
  EXPECT_TRUE(WriteFileAtomic(dir.File("p.RTG"), "nuovo\r\n", &errore)) << errore;
  EXPECT_EQ(dir.Read(".~p.RTG.4242.tmp"), "salvataggio di un collega, a meta'");
  EXPECT_FALSE(fs::exists(rimasta));
  const char via = 'f';
  EXPECT_EQ(::write(fine[1], &via, 1), 1);
  int stato = 0;
  ::waitpid(altro, &stato, 0);
  EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
  for (int fd : {pronto[0], pronto[1], fine[0], fine[1]}) ::close(fd);
  // Its save gone, the copy left behind is stale: the next save removes it.
  EXPECT_TRUE(WriteFileAtomic(dir.File("p.RTG"), "ancora\r\n", &errore)) << errore;
  EXPECT_FALSE(fs::exists(inCorso));
}


// Two saves of one file at once: each one's clean-up removes only copies nobody holds, so a save
// must hold its copy until the copy has the real name. The hold is the open copy (its lock goes
// with its last descriptor): the folder's notifications show that last close after the rename,
// never under the temporary name.
TEST(WriteBytesAtomic, LaCopiaTemporaneaRestaBloccataFinoAllaRinomina) {
  TempFolder dir;
  const int avvisi = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(avvisi, 0);
  ASSERT_GE(::inotify_add_watch(avvisi, dir.Path().c_str(), IN_CLOSE_WRITE | IN_MOVED_TO), 0);
  std::string errore;
  ASSERT_TRUE(WriteFileAtomic(dir.File("p.RTG"), "nuovo\r\n", &errore)) << errore;
  std::vector<std::pair<uint32_t, std::string>> eventi;
  alignas(inotify_event) char buffer[8192];
  for (ssize_t n; (n = ::read(avvisi, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(p);
      eventi.emplace_back(e->mask, e->len ? std::string(e->name) : std::string());
      p += sizeof(inotify_event) + e->len;
    }
  }
  ::close(avvisi);
  ASSERT_EQ(eventi.size(), 2u);
  EXPECT_EQ(eventi[0], std::make_pair(uint32_t{IN_MOVED_TO}, std::string("p.RTG")));
  EXPECT_EQ(eventi[1], std::make_pair(uint32_t{IN_CLOSE_WRITE}, std::string("p.RTG")));
}

// The reasons a user meets are told in Italian; the rest in the system's words.
TEST(MotivoErrore, InItalianoPerIMotiviCheLUtenteIncontra) {
  struct Caso {
    int numero;
    const char* testo;
  } casi[] = {
      {EACCES, "permesso negato (l'utente non ha i diritti per questo file o questa cartella)"},
      {EPERM, "permesso negato (l'utente non ha i diritti per questo file o questa cartella)"},
      {ENOSPC, "spazio esaurito sul disco"},
      {EDQUOT, "spazio esaurito sul disco"},
      {EROFS, "il disco o la cartella sono di sola lettura"},
      {ENOENT, "il file o la cartella non esiste"},
      {ENAMETOOLONG, "nome del file o della cartella troppo lungo"},
      {ENOTDIR, "nel percorso c'e' un file dove dovrebbe esserci una cartella"},
      {EISDIR, "c'e' una cartella con il nome del file"},
      {EFBIG, "file troppo grande per il disco o per i limiti posti all'utente"},
  };
  for (const auto& c : casi) EXPECT_EQ(MotivoErrore(c.numero), c.testo) << std::strerror(c.numero);
  EXPECT_EQ(MotivoErrore(ELOOP), std::strerror(ELOOP));

  // As a save reports them: a name longer than the system allows, a missing folder.
  TempFolder dir;
  ErroreSalvataggio errore;
  EXPECT_FALSE(WriteBytesAtomic(dir.File(std::string(300, 'n') + ".RTG"), "x", &errore));
  EXPECT_NE(errore.Testo.find(": nome del file o della cartella troppo lungo"), std::string::npos) << errore.Testo;
  EXPECT_FALSE(WriteBytesAtomic(dir.File("manca/p.RTG"), "x", &errore));
  EXPECT_NE(errore.Testo.find(": il file o la cartella non esiste"), std::string::npos) << errore.Testo;
}

TEST(WriteBytesAtomic, BytesAreWrittenAsTheyAre) {
  TempFolder dir;
  const std::string bytes("BM\0\x80\xff\r\n", 7);
  ASSERT_TRUE(WriteBytesAtomic(dir.File("x.bmp"), bytes));
  EXPECT_EQ(dir.Read("x.bmp"), bytes);
}

}  // namespace
}  // namespace varnex
