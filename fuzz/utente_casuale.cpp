// The random user: the whole program (real start-up, main window, editor, archive editors, print
// dialog, real message boxes) driven offscreen, in this process, by seeded random use, with the
// program's own rules checked after every action. What each test of the suite walks as one path,
// this meets as a user does: keys on whatever has the keyboard, menus and toolbar, clicks and drags
// on the table and the schema, files opened from a fixed set, every question answered at random.
//
//   utente_casuale [--seme N] [--azioni N]      a run; a broken rule or a crash leaves a replay file
//                  [--con-riduzione]              ... and then its reduction (the run in a child)
//   utente_casuale --ripeti FILE                 replays the steps of a replay file
//   utente_casuale --riduci FILE                 the shortest sequence of its steps that still fails
//                                                the same way, written to FILE.ridotto
//
// Deterministic: every step draws from a generator of its own, seeded from the run's seed and
// its number, so a step does the same whatever steps were left out before it (which is what the
// reduction needs); the program's timers never tick by themselves (a step may tick one), nothing
// sleeps, and every dialog is answered inside its own modal loop by an event posted to it.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include "archives/ui/archivi.h"
#include "editor/ui/gasgrid.h"
#include "editor/ui/griglia.h"
#include "model/calcolo.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/raccordi.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "report/print/ui/frm_stampa.h"
#include "shell/settings.h"
#include "app/startup.h"
#include "app/ui/lifecycle.h"
#include "app/ui/main_window.h"
#include "shell/ui/qt_services.h"
#include "shell/ui/services.h"
#include "app/ui/startup.h"

#if defined(__has_include)
#if __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define VARNEX_CON_SANITIZER 1
#endif
#endif

namespace fs = std::filesystem;

namespace varnex::casuale {
namespace {

// ---- Chance -----------------------------------------------------------------------------------

// One step's own source of chance.
class Dado {
 public:
  explicit Dado(uint64_t seme) : g_(seme) {}
  // 0 .. n-1 (0 for n < 2); plain modulo, so a replay file means the same on every library.
  int operator()(int n) { return n < 2 ? 0 : static_cast<int>(g_() % static_cast<uint64_t>(n)); }
  bool Su(int percento) { return (*this)(100) < percento; }
  template <typename T>
  const T& Tra(const std::vector<T>& v) { return v[static_cast<size_t>((*this)(static_cast<int>(v.size())))]; }

 private:
  std::mt19937_64 g_;
};

// The seed of step `n` of the run seeded `seme` (splitmix64 of both).
uint64_t SemeDelPasso(uint64_t seme, uint64_t n) {
  uint64_t z = seme * 0x9E3779B97F4A7C15ULL + n + 0x632BE59BD9B4E019ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

// ---- The run's record: what is being done, for every message and the replay file ---------------

struct Corsa {
  uint64_t seme = 1;
  int passo = 0;             // 0 is the start-up
  std::string azione;        // the action under way, as the failure names it
  std::string fileRipetizione;
  std::FILE* ripetizione = nullptr;
  Dado* dado = nullptr;      // the current step's
  bool verboso = false;       // every step's action on standard error
  std::string cartella;       // the run's temporary folder
} corsa;

void ScriviRiga(const std::string& riga) {
  if (!corsa.ripetizione) return;
  std::fputs(riga.c_str(), corsa.ripetizione);
  std::fputc('\n', corsa.ripetizione);
  std::fflush(corsa.ripetizione);
}

std::string Descrizione() {
  std::ostringstream s;
  s << "seme " << corsa.seme << ", passo " << corsa.passo << ", azione: " << corsa.azione;
  return s.str();
}

void StampaRipetizione() {
  if (corsa.fileRipetizione.empty()) return;
  std::fprintf(stderr,
               "  replay:  %s --ripeti '%s'\n"
               "  reduce:  %s --riduci '%s'\n",
               QCoreApplication::applicationFilePath().toLocal8Bit().constData(), corsa.fileRipetizione.c_str(),
               QCoreApplication::applicationFilePath().toLocal8Bit().constData(), corsa.fileRipetizione.c_str());
}

// A broken rule: named with the action, the seed and the step; the replay file stays.
[[noreturn]] void Violazione(const std::string& regola, const std::string& dettaglio) {
  std::fprintf(stderr, "\nREGOLA VIOLATA: %s\n  %s\n  %s\n", regola.c_str(), dettaglio.c_str(), Descrizione().c_str());
  if (!corsa.cartella.empty()) std::fprintf(stderr, "  the run's folder, left for a look: %s\n", corsa.cartella.c_str());
  ScriviRiga("# violata: " + regola + " (" + dettaglio + ")");
  StampaRipetizione();
  std::fflush(stderr);
  _exit(3);
}

// A step that never ends (a modal loop nobody answers, a loop of the program's own) is a failure
// too. Only a safety net: no step depends on it, and a step that ends in time never meets it.
constexpr unsigned SecondiPerPasso = 120;
void Bloccato(int) {
  std::fprintf(stderr, "\nREGOLA VIOLATA: il programma non risponde piu'\n  nessuna risposta in %u s\n  %s\n",
               SecondiPerPasso, Descrizione().c_str());
  StampaRipetizione();
  std::fflush(stderr);
  _exit(4);
}

#ifdef VARNEX_CON_SANITIZER
// A sanitizer report ends the process: the step it came in and the replay file are told first.
void AllaMorte() {
  std::fprintf(stderr, "\nThe sanitizer report above came in: %s\n", Descrizione().c_str());
  StampaRipetizione();
}
#endif

// ---- The user's folders, and what must stay untouched outside them -----------------------------

struct Cartelle {
  std::string radice;      // everything the run may write is under here
  std::string utente;      // the program's folder (the user's own)
  std::string impostazioni;
  std::string lavoro;      // the fixed set of projects, and where saves and reports go
  std::string corrente;    // the working folder: nothing may land here (relative paths)
};

std::string CreaCartella(const std::string& percorso) {
  fs::create_directories(percorso);
  return percorso;
}

// Watches folders for anything written into them (inotify): the sources the set was taken from,
// the shipped files, the executable's folder and the working folder.
class Sorveglianza {
 public:
  Sorveglianza() { fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }
  ~Sorveglianza() {
    if (fd_ >= 0) close(fd_);
  }
  void Aggiungi(const std::string& cartella, bool ricorsiva) {
    std::error_code e;
    if (fd_ < 0 || !fs::is_directory(cartella, e)) return;
    const int wd = inotify_add_watch(fd_, cartella.c_str(),
                                     IN_CREATE | IN_MODIFY | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_CLOSE_WRITE);
    if (wd >= 0) cartelle_[wd] = cartella;
    if (!ricorsiva) return;
    for (const auto& voce : fs::directory_iterator(cartella, e))
      if (voce.is_directory(e)) Aggiungi(voce.path().string(), true);
  }
  // What was written since the last look, "" when nothing.
  std::string Scritto() {
    if (fd_ < 0) return {};
    alignas(inotify_event) char buffer[8192];
    std::string trovato;
    for (;;) {
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      for (ssize_t i = 0; i < n;) {
        const auto* ev = reinterpret_cast<const inotify_event*>(buffer + i);
        if (trovato.empty()) trovato = cartelle_[ev->wd] + "/" + (ev->len ? ev->name : "");
        i += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
      }
    }
    return trovato;
  }

 private:
  int fd_ = -1;
  std::map<int, std::string> cartelle_;
};

// ---- The fixed set of projects ---------------------------------------------------------------

std::string LeggiTutto(const std::string& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void ScriviTutto(const std::string& percorso, const std::string& byte) {
  std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
  f << byte;
}

// Replaces the first `vecchio` in the file by `nuovo`; false when the file has none.
bool Sostituisci(const std::string& percorso, const std::string& vecchio, const std::string& nuovo) {
  std::string byte = LeggiTutto(percorso);
  const size_t at = byte.find(vecchio);
  if (at == std::string::npos) return false;
  byte.replace(at, vecchio.size(), nuovo);
  ScriviTutto(percorso, byte);
  return true;
}

// A small project of the user's archives written as `percorso`: three segments, two appliances,
// with `prepara` changing it before the save. The model is empty again afterwards.
template <typename F>
void ScriviProgetto(const std::string& percorso, bool pressione, F prepara) {
  InitGas();
  CaricaMateriali();
  InitSpeciali();
  ResetRete();
  ReteInPressione = pressione ? -1 : 0;
  GasCorrente = ArchivioGas[1];
  const int16_t a = AggiungiTronco(0);
  const int16_t b = AggiungiTronco(a);
  const int16_t c = AggiungiTronco(a);
  Tronco(a).ID_LEN = 6;
  Tronco(b).ID_LEN = 4.25f;
  Tronco(c).ID_LEN = 9;
  Tronco(b).ID_P_UTENZE = 1.2f;
  Tronco(c).ID_P_UTENZE = 2.5f;
  Riferimento = "Casa Casuale";
  prepara(a, b, c);
  if (!ScriviRTG(percorso)) std::fprintf(stderr, "could not write the fixture %s\n", percorso.c_str());
  ResetRete();
  ReteInPressione = 0;
  NumGas = 0;
  ArchivioGas.resize(1);
  NumMateriali = 0;
}

// The set the file dialogs answer from: the shipped example, the large seed project, a pressurised
// network, one naming a pipe series and a gas the archives lack, one whose calculation is
// refused, one holding a non-finite value and a file that is no project.
std::vector<std::string> PreparaInsieme(const Cartelle& c) {
  std::vector<std::string> insieme;
  std::error_code e;
  for (const auto& voce : fs::directory_iterator(c.utente + "/Archivio Lavori", e))
    if (voce.path().extension() == ".RTG") {
      const std::string copia = c.lavoro + "/" + voce.path().filename().string();
      fs::copy_file(voce.path(), copia, fs::copy_options::overwrite_existing, e);
      insieme.push_back(copia);
    }
  const std::string condominio = c.lavoro + "/Condominio.RTG";
  fs::copy_file(std::string(VARNEX_SOURCE_DIR) + "/fuzz/semi/Condominio.RTG", condominio,
                fs::copy_options::overwrite_existing, e);
  insieme.push_back(condominio);

  const std::string pressione = c.lavoro + "/Pressione.RTG";
  ScriviProgetto(pressione, true, [](int16_t, int16_t, int16_t) {});
  insieme.push_back(pressione);

  const std::string mancanti = c.lavoro + "/Mancanti.RTG";
  ScriviProgetto(mancanti, false, [](int16_t, int16_t b, int16_t) {
    Tronco(b).ID_MATERIALE = "SERIE ASSENTE XYZ";
    GasCorrente.Nome = "GAS ASSENTE XYZ";
  });
  insieme.push_back(mancanti);

  // A derivation that names a segment hanging elsewhere: the calculation refuses the network.
  const std::string rifiutato = c.lavoro + "/Rifiutato.RTG";
  ScriviProgetto(rifiutato, false, [](int16_t, int16_t b, int16_t c3) { Tronco(b).ID_LEFT = c3; });
  insieme.push_back(rifiutato);

  // A length no single holds, as a file written elsewhere may carry.
  const std::string infinito = c.lavoro + "/Infinito.RTG";
  ScriviProgetto(infinito, false, [](int16_t, int16_t, int16_t) {});
  if (!Sostituisci(infinito, "4.25", "1E+39") && !Sostituisci(infinito, "4,25", "1E+39"))
    std::fprintf(stderr, "the non-finite fixture has no length to replace\n");
  insieme.push_back(infinito);

  const std::string nota = c.lavoro + "/Nota.RTG";
  ScriviTutto(nota, "Questo non e' un progetto.\r\nSolo una nota.\r\n\x01\x02\xff\r\n");
  insieme.push_back(nota);
  return insieme;
}

// ---- Stand-ins of the services: the user in front of every dialog -----------------------------

void AzioneInDialogo(QDialog& d, Dado& dado);
std::string NomeWidget(const QWidget* w);
void ControllaProprietario(const QDialog& d, const QPointer<QWidget>& proprietario, bool conProprietario,
                           const std::string& classe);

// Every modal dialog runs its real modal loop; an event posted to it acts as the user: a few
// random actions inside it (keys, buttons, lists, boxes), then a button, Esc or the close box.
class DialoghiCasuali : public ui::IDialoghi {
 public:
  int Esegui(QDialog& d) override {
    ++dialoghiAperti;
    const std::string classe = std::string(d.metaObject()->className()) +
                               (d.objectName().isEmpty() ? "" : " " + d.objectName().toStdString());
    QWidget* padre = d.parentWidget() ? d.parentWidget()->window() : nullptr;
    QPointer<QWidget> proprietario(padre);
    const bool conProprietario = padre != nullptr;
    if (corsa.verboso) {
      std::fprintf(stderr, "  dialog %s over %s\n", classe.c_str(), padre ? NomeWidget(padre).c_str() : "nothing");
      if (auto* box = qobject_cast<QMessageBox*>(&d))
        std::fprintf(stderr, "    \"%s\"\n", box->text().left(160).toUtf8().constData());
    }
    ControllaProprietario(d, proprietario, conProprietario, classe);
    QPointer<QDialog> guardia(&d);
    struct Stato {
      bool finito = false;
      int turni = 0;
      int attese = 0;
    };
    auto stato = std::make_shared<Stato>();
    Dado& dado = *corsa.dado;
    std::shared_ptr<std::function<void()>> rispondi = std::make_shared<std::function<void()>>();
    *rispondi = [&, stato, guardia, proprietario, conProprietario, classe, rispondi] {
      if (stato->finito || !guardia || !guardia->isVisible()) return;
      // A dialog of ours opened over this one has the user: this one waits under it.
      if (!pila_.empty() && pila_.back() != guardia.data()) {
        QMetaObject::invokeMethod(guardia.data(), [r = rispondi] {
        if (*r) (*r)();
      }, Qt::QueuedConnection);
        return;
      }
      // A modal window of the toolkit's own opened over this one (the printer's properties, its
      // file browser): the user leaves it as it came, and the turn goes on over ours.
      QWidget* modale = QApplication::activeModalWidget();
      if (modale && modale != guardia.data() && std::find(pila_.begin(), pila_.end(), modale) == pila_.end()) {
        if (auto* altro = qobject_cast<QDialog*>(modale))
          altro->reject();
        else
          modale->close();
        QMetaObject::invokeMethod(guardia.data(), [r = rispondi] {
        if (*r) (*r)();
      }, Qt::QueuedConnection);
        return;
      }
      ControllaProprietario(*guardia, proprietario, conProprietario, classe);
      // The user reads before answering: the window system's own events (paints, activations)
      // come meanwhile, as they do while a real user looks at the dialog.
      if (stato->attese < 4 && dado.Su(50)) {
        ++stato->attese;
        // The dialog moved or opened over the windows below: the window system has them paint
        // again, as an X server without compositing does.
        if (dado.Su(50))
          for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
              w->update();
              for (QWidget* figlio : w->findChildren<QWidget*>()) figlio->update();
            }

        QMetaObject::invokeMethod(guardia.data(), [r = rispondi] {
        if (*r) (*r)();
      }, Qt::QueuedConnection);
        return;
      }
      if (++stato->turni > 8) {
        // The user gives up: the dialog goes as Esc would take it.
        guardia->done(QDialog::Rejected);
        return;
      }
      // The next turn is posted before acting: an action may open a modal loop of its own that
      // only a posted turn reaches.
      QMetaObject::invokeMethod(guardia.data(), [r = rispondi] {
        if (*r) (*r)();
      }, Qt::QueuedConnection);
      AzioneInDialogo(*guardia, dado);
    };
    QMetaObject::invokeMethod(&d, [r = rispondi] {
        if (*r) (*r)();
      }, Qt::QueuedConnection);
    pila_.push_back(&d);
    const int esito = d.exec();
    pila_.pop_back();
    stato->finito = true;
    *rispondi = nullptr;  // breaks the cycle of the shared function
    if (!guardia)
      Violazione("un dialogo e' stato distrutto dentro il proprio ciclo modale",
                 classe + ": la finestra che lo possedeva e' stata scaricata mentre era aperto (chi lo ha aperto lo "
                          "usera' o lo cancellera' di nuovo)");
    return esito;
  }
  int dialoghiAperti = 0;

 private:
  // The dialogs shown through here and still in their modal loop, outermost first.
  std::vector<QWidget*> pila_;
};

// File dialogs answered from the set; saves and reports go into the work folder.
class FileDialoghiCasuali : public ui::IFileDialoghi {
 public:
  explicit FileDialoghiCasuali(const Cartelle& c) : c_(c) {}
  std::vector<std::string> insieme;
  int richieste = 0;

  std::optional<std::string> ApriFile(const std::string&, const std::string& filtro, const std::string&) override {
    ++richieste;
    Dado& d = *corsa.dado;
    if (d.Su(15)) return std::nullopt;
    // A project from the set, or whatever else the work folder now holds (saves and reports).
    if (d.Su(75) || Tutti().empty()) return d.Tra(insieme);
    (void)filtro;
    return d.Tra(Tutti());
  }
  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro, const std::string&,
                                       const std::string& nome) override {
    ++richieste;
    if (corsa.verboso) std::fprintf(stderr, "  file dialog \"%s\" (%s)\n", titolo.c_str(), filtro.c_str());
    Dado& d = *corsa.dado;
    if (d.Su(15)) return std::nullopt;
    const std::string estensione = Estensione(filtro);
    switch (d(4)) {
      case 0: {
        // Over a file that is there: the program must ask before replacing it.
        std::vector<std::string> stessi;
        for (const std::string& f : Tutti())
          if (estensione.empty() || fs::path(f).extension().string() == "." + estensione) stessi.push_back(f);
        if (!stessi.empty()) return d.Tra(stessi);
        [[fallthrough]];
      }
      case 1:
        if (!nome.empty()) return c_.lavoro + "/" + fs::path(nome).filename().string();
        [[fallthrough]];
      case 2:
        return c_.lavoro + "/salvato" + std::to_string(d(6));
      default:
        return c_.lavoro + "/salvato" + std::to_string(d(6)) + (estensione.empty() ? "" : "." + estensione);
    }
  }
  std::optional<std::string> ScegliCartella(const std::string&, const std::string&) override {
    ++richieste;
    Dado& d = *corsa.dado;
    if (d.Su(30)) return std::nullopt;
    return c_.lavoro;
  }

 private:
  std::vector<std::string> Tutti() const {
    std::vector<std::string> tutti;
    std::error_code e;
    for (const auto& voce : fs::directory_iterator(c_.lavoro, e))
      if (voce.is_regular_file(e)) tutti.push_back(voce.path().string());
    std::sort(tutti.begin(), tutti.end());
    return tutti;
  }
  // The first pattern's extension of a filter ("Impianti (*.RTG)|*.RTG" gives "RTG").
  static std::string Estensione(const std::string& filtro) {
    const size_t bar = filtro.find('|');
    if (bar == std::string::npos) return {};
    const size_t punto = filtro.find("*.", bar);
    if (punto == std::string::npos) return {};
    std::string e;
    for (size_t i = punto + 2; i < filtro.size() && std::isalnum(static_cast<unsigned char>(filtro[i])); ++i)
      e += filtro[i];
    return e;
  }
  const Cartelle& c_;
};

class DesktopCasuale : public ui::IDesktop {
 public:
  bool Apri(const std::string&) override { return corsa.dado ? corsa.dado->Su(50) : false; }
};

class ProcessoCasuale : public ui::IProcesso {
 public:
  void Termina(int) override { terminato = true; }
  bool terminato = false;
};

// ---- The rules ----------------------------------------------------------------------------------

QWidget* SelettoreDi(QWidget* w);

std::string NomeWidget(const QWidget* w) {
  if (!w) return "(nessuno)";
  if (ui::GasGrid* g = ui::GasGridCaricato()) {
    const QWidget* s = SelettoreDi(const_cast<QWidget*>(w));
    if (s == g->ComboDpMax) return "\"Dp max imposto\" (ComboDpMax)";
    if (s == g->ComboInitPres) return "la pressione iniziale (ComboInitPres)";
    if (s == g->ComboFinalPres) return "la pressione finale (ComboFinalPres)";
  }
  return std::string(w->metaObject()->className()) + " '" + w->objectName().toStdString() + "' in " +
         w->window()->metaObject()->className() + " '" + w->window()->objectName().toStdString() + "'" +
         (w->window()->isVisible() ? "" : " (nascosta)");
}

void ControllaProprietario(const QDialog& d, const QPointer<QWidget>& proprietario, bool conProprietario,
                           const std::string& classe) {
  if (!conProprietario) return;
  if (!proprietario)
    Violazione("un dialogo visibile appartiene a una finestra scaricata", classe);
  if (!proprietario->isVisible())
    Violazione("un dialogo visibile appartiene a una finestra nascosta",
               classe + " appartiene a " + NomeWidget(proprietario.data()));
}

// Every top-level dialog shown belongs to a window that is shown.
void ControllaDialoghiVisibili() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* d = qobject_cast<QDialog*>(w);
    if (!d || !d->isVisible() || !d->parentWidget()) continue;
    if (!d->parentWidget()->window()->isVisible())
      Violazione("un dialogo visibile appartiene a una finestra nascosta",
                 NomeWidget(d) + " appartiene a " + NomeWidget(d->parentWidget()->window()));
  }
}

// Every value stored in the network passes the rule the table applies to typed text: a finite
// number a single holds, not negative, a simultaneity of 10 to 100, a parent that exists and makes
// no loop.
void ControllaRete() {
  const int16_t n = Rete().NumTronchi;
  if (n < 0 || n > MaxTronchi) Violazione("numero di tronchi fuori campo", std::to_string(n));
  auto numero = [](int16_t i, const char* nome, double v) {
    if (!std::isfinite(v) || v < 0 || std::fabs(v) > 3.4028234663852886e38)
      Violazione("valore della rete fuori dalla regola della tabella",
                 "tronco " + std::to_string(i) + ": " + nome + " = " + std::to_string(v));
  };
  for (int16_t i = 1; i <= n; ++i) {
    const TTronco& t = Tronco(i);
    if (t.Eliminato == -1) continue;
    numero(i, "lunghezza", t.ID_LEN);
    numero(i, "lunghezza equivalente", t.ID_EQ_LEN);
    numero(i, "portata dell'utenza", t.ID_P_UTENZE);
    if (t.ID_CONTEMP < 10 || t.ID_CONTEMP > 100)
      Violazione("valore della rete fuori dalla regola della tabella",
                 "tronco " + std::to_string(i) + ": contemporaneita' = " + std::to_string(t.ID_CONTEMP));
    if (t.ID_PREV == 0) continue;
    if (t.ID_PREV == i || t.ID_PREV < 0 || t.ID_PREV > n || Tronco(t.ID_PREV).Eliminato == -1)
      Violazione("provenienza di un tronco fuori dalla regola della tabella",
                 "tronco " + std::to_string(i) + " proviene da " + std::to_string(t.ID_PREV) + ", che non esiste");
    int16_t p = t.ID_PREV;
    for (int passi = 0; p != 0; ++passi) {
      if (passi > n || p == i)
        Violazione("provenienza di un tronco fuori dalla regola della tabella",
                   "il tronco " + std::to_string(i) + " e' in un anello di provenienze");
      if (p < 0 || p > n) break;
      p = Tronco(p).ID_PREV;
    }
  }
  for (auto [nome, v] : {std::pair{"pressione iniziale", PressioneIniziale}, {"pressione finale", PressioneFinale},
                         {"Dp max", PDCMaxUtente}, {"velocita' massima", static_cast<double>(VelocitaMaxImpostata)}})
    if (!std::isfinite(v)) Violazione("valore del progetto non finito", std::string(nome));
}

// What a save writes, as far as the check below needs to know whether it changed: the network and
// the project's values.
struct Impronta {
  int16_t tronchi = 0, serie = 0;
  std::array<TTronco, MaxTronchi + 1> rete{};
  std::string riferimento, descrizione, gas;
  double iniziale = 0, finale = 0, dpMax = 0;
  float velocita = 0;
  int16_t pressione = 0, orientamento = 0;
  bool operator==(const Impronta&) const = default;
};

Impronta ImprontaOra() {
  Impronta i;
  i.tronchi = Rete().NumTronchi;
  i.serie = Rete().MaterialeDefault;
  i.rete = Rete().Tronchi;
  i.riferimento = Riferimento;
  i.descrizione = DescrizioneLavoro;
  i.gas = GasCorrente.Nome;
  i.iniziale = PressioneIniziale;
  i.finale = PressioneFinale;
  i.dpMax = PDCMaxUtente;
  i.velocita = VelocitaMaxImpostata;
  i.pressione = ReteInPressione;
  i.orientamento = OrientamentoSorgente;
  return i;
}

// A save, a read and a second save give the same bytes. Done in a child process with the core
// alone (no window is touched there, no message shown), so the program's state never depends on
// the check. A
// project that has not changed since the last check is checked again only every so many steps
// (what the snapshot leaves out, the tightness record, changes then too).
void ControllaRilettura(const Cartelle& c) {
  static std::optional<Impronta> ultima;
  static int saltati = 0;
  Impronta ora = ImprontaOra();
  if (ultima && *ultima == ora && ++saltati < 25) return;
  saltati = 0;
  ultima = std::move(ora);
  if (Rete().NumTronchi <= 0 && Riferimento.empty()) return;
  const std::string a = c.radice + "/verifica-a.RTG", b = c.radice + "/verifica-b.RTG";
  // A save rewrites files of the user's folder too (the technician's defaults): they are put back
  // as they were after the check, which the program must not notice.
  std::map<std::string, std::string> utente;
  std::error_code e;
  for (const auto& voce : fs::directory_iterator(c.utente, e))
    if (voce.is_regular_file(e)) utente[voce.path().string()] = LeggiTutto(voce.path().string());
  struct Ripristino {
    const Cartelle& c;
    const std::map<std::string, std::string>& prima;
    ~Ripristino() {
      std::error_code e;
      for (const auto& voce : fs::directory_iterator(c.utente, e)) {
        if (!voce.is_regular_file(e)) continue;
        const auto trovato = prima.find(voce.path().string());
        if (trovato == prima.end())
          fs::remove(voce.path(), e);
        else if (LeggiTutto(trovato->first) != trovato->second)
          ScriviTutto(trovato->first, trovato->second);
      }
    }
  } ripristino{c, utente};
  std::fflush(stderr);
  const pid_t figlio = fork();
  if (figlio == 0) {
    // Messages are only noted; no window opens.
    class Muto : public IInterazione {
     public:
      Risposta Messaggio(const std::string& t, Bottoni, Icona, const std::string&) override {
        if (testo.empty()) testo = t;
        return Risposta::Annulla;
      }
      void Puntatore(int16_t) override {}
      std::string testo;
    } muto;
    // A project naming an entry the archives no longer hold (the user deleted it meanwhile)
    // asks for a substitute when read: what the user picks decides the second save, so such a
    // project cannot be compared.
    class Sostituto : public IDialogoSostituzione {
     public:
      int16_t Scegli(const std::string&, int16_t, const std::vector<std::string>&) override { _exit(0); }
    } sostituto;
    ImpostaInterazione(&muto);
    ImpostaFinestreProgetto(nullptr);
    ImpostaEditorRete(nullptr);
    ImpostaDialogoSostituzione(&sostituto);
    // As the user meets it: the project calculated (F9), saved, opened again (which calculates),
    // saved again.
    CalcolaRete();
    auto esci = [&](int codice) {
      ScriviTutto(c.radice + "/verifica.msg", muto.testo);
      _exit(codice);
    };
    if (!ScriviRTG(a)) esci(10);
    muto.testo.clear();
    if (!LeggiRTG(a)) esci(11);
    // The read told the user something of the project changed (its gas is no longer one the
    // archive lets it use, after the user edited the archive): what the user does about it
    // decides the second save.
    if (!muto.testo.empty()) _exit(0);
    CalcolaRete();
    if (!ScriviRTG(b)) esci(12);
    if (LeggiTutto(a) != LeggiTutto(b)) esci(13);
    _exit(0);
  }
  int stato = 0;
  if (figlio < 0 || waitpid(figlio, &stato, 0) != figlio) Violazione("verifica della rilettura non eseguibile", "fork");
  if (WIFEXITED(stato) && WEXITSTATUS(stato) == 0) return;
  const int codice = WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato);
  const char* perche = codice == 10   ? "the project cannot be saved"
                       : codice == 11 ? "the saved project does not read back"
                       : codice == 12 ? "the project read back cannot be saved"
                       : codice == 13 ? "the second save differs from the first"
                                      : "the save and read crashed";
  const std::string messaggio = LeggiTutto(c.radice + "/verifica.msg");
  Violazione("salvataggio, rilettura e secondo salvataggio non danno gli stessi byte",
             std::string(perche) + " (" + a + ", " + b + ")" +
                 (messaggio.empty() ? std::string() : "; message: " + messaggio));
}

// The parent of every slot of the network (0 for none, -1 for a removed slot).
std::vector<int16_t> Provenienze() {
  std::vector<int16_t> p;
  for (int16_t i = 1; i <= Rete().NumTronchi; ++i) p.push_back(Tronco(i).Eliminato == -1 ? -1 : Tronco(i).ID_PREV);
  return p;
}

// Nothing the user entered changes without a question or a message at that moment: an action
// that showed neither must not have unlinked more than the one segment whose parent cell the
// user typed into. (A segment made free by a delete or a new network comes with a dialog.)
void ControllaScollegati(const std::vector<int16_t>& prima) {
  const std::vector<int16_t> dopo = Provenienze();
  std::string scollegati;
  int quanti = 0;
  for (size_t i = 1; i < std::min(prima.size(), dopo.size()); ++i)  // slot 1 has no parent
    if (prima[i] > 0 && dopo[i] == 0) {
      ++quanti;
      scollegati += (scollegati.empty() ? "" : ", ") + std::to_string(i + 1);
    }
  if (quanti > 1)
    Violazione("tronchi scollegati senza una domanda",
               "i tronchi " + scollegati + " non hanno piu' un tronco di provenienza, e nessun messaggio lo ha detto");
}

// The network-wide selectors the keyboard must not land in unless the user put it there.
QWidget* SelettoreDi(QWidget* w) {
  ui::GasGrid* g = ui::GasGridCaricato();
  if (!g || !w) return nullptr;
  for (QComboBox* s : {g->ComboDpMax, g->ComboInitPres, g->ComboFinalPres})
    if (w == s || s->isAncestorOf(w)) return s;
  return nullptr;
}

// ---- The program ----------------------------------------------------------------------------

struct Programma {
  explicit Programma(const Cartelle& c)
      : servizi(QString::fromStdString(c.impostazioni)),
        istanza(QStringLiteral("VarnexProCasuale-%1").arg(QCoreApplication::applicationPid())),
        finestre(istanza),
        sequenza(finestre) {
    ui::InstallaSottosistemi();
  }
  ui::ServiziQt servizi;
  ui::CicloVitaQt cicloVita;
  ui::ArchiviQt archivi;
  ui::IstanzaUnica istanza;
  ui::FinestreAvvioQt finestre;
  SequenzaAvvio sequenza;
};

// ---- The user's actions ---------------------------------------------------------------------

struct Azioni {
  const Cartelle& c;
  FileDialoghiCasuali& file;
  // Set by an action that takes the keyboard to a selector itself (Tab, a click on it).
  bool versoSelettore = false;

  QWidget* Fuoco() {
    if (QWidget* f = QApplication::focusWidget()) return f;
    if (QWidget* m = QApplication::activeModalWidget()) return m;
    return ui::FinestraPrincipaleCaricata();
  }

  void Premi(QWidget* w, Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    if (!w) return;
    // Tab, and an arrow on a button (which moves along the same chain), take the keyboard wherever
    // the chain of the window goes: the user's own move.
    const bool freccia = tasto == Qt::Key_Left || tasto == Qt::Key_Right || tasto == Qt::Key_Up || tasto == Qt::Key_Down;
    if (tasto == Qt::Key_Tab || tasto == Qt::Key_Backtab || (freccia && qobject_cast<QAbstractButton*>(w)))
      versoSelettore = true;
    if ((mod & Qt::ControlModifier) && tasto >= Qt::Key_A && tasto <= Qt::Key_Z) {
      // Ctrl and a letter: the key event carries the control character, as a keyboard gives it
      // (Ctrl+A is "\x01"); the test library's own would carry the letter, which the table takes as
      // typed text.
      QTest::sendKeyEvent(QTest::Click, w, tasto, QString(QChar(tasto - Qt::Key_A + 1)), mod);
      return;
    }
    QTest::keyClick(w, tasto, mod);
  }

  void Digita(QWidget* w, const QString& testo) {
    if (w) QTest::keyClicks(w, testo);
  }

  static QString Numero(Dado& d) {
    static const std::vector<QString> numeri = {"0",    "1",    "2",      "3",   "5",     "7",     "12",  "12,5", "0,5",
                                                "100",  "250",  "1.500",  "-3",  "1e40",  "99999", "2,5", "6",    "10",
                                                "45",   "20,3", "1.500,5", "abc", "Auto", "",      ",",   "."};
    return d.Tra(numeri);
  }

  void TastoSulFuoco(Dado& d, std::string& nome) {
    QWidget* w = Fuoco();
    static const std::vector<std::pair<Qt::Key, const char*>> tasti = {
        {Qt::Key_Return, "Invio"}, {Qt::Key_Tab, "Tab"},    {Qt::Key_Backtab, "Maiusc+Tab"}, {Qt::Key_Escape, "Esc"},
        {Qt::Key_Left, "Sinistra"}, {Qt::Key_Right, "Destra"}, {Qt::Key_Up, "Su"},          {Qt::Key_Down, "Giu'"},
        {Qt::Key_Delete, "Canc"},  {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Home, "Inizio"}, {Qt::Key_End, "Fine"}};
    const int scelta = d(10);
    if (scelta < 4) {
      const QString t = Numero(d);
      nome = "scrive \"" + t.toStdString() + "\" in " + NomeWidget(w);
      Digita(w, t);
      if (d.Su(50)) {
        nome += " e Invio";
        Premi(Fuoco(), Qt::Key_Return);
      }
    } else if (scelta < 5) {
      const char c = static_cast<char>(d.Su(50) ? 'a' + d(26) : 'A' + d(26));
      nome = std::string("lettera ") + c + " in " + NomeWidget(w);
      Digita(w, QString(QChar::fromLatin1(c)));
    } else {
      const auto& [tasto, testo] = d.Tra(tasti);
      nome = std::string("tasto ") + testo + " in " + NomeWidget(w);
      Premi(w, tasto);
    }
  }

  void TastoFunzione(Dado& d, std::string& nome) {
    static const std::vector<std::pair<Qt::Key, const char*>> tasti = {
        {Qt::Key_F2, "F2"}, {Qt::Key_F3, "F3"}, {Qt::Key_F4, "F4"}, {Qt::Key_F5, "F5"}, {Qt::Key_F9, "F9"},
        {Qt::Key_F11, "F11"}};
    const auto& [tasto, testo] = d.Tra(tasti);
    QWidget* w = Fuoco();
    nome = std::string(testo) + " in " + NomeWidget(w);
    Premi(w, tasto);
  }

  void Appunti(Dado& d, std::string& nome) {
    QWidget* w = Fuoco();
    switch (d(4)) {
      case 0:
        nome = "Ctrl+A in " + NomeWidget(w);
        Premi(w, Qt::Key_A, Qt::ControlModifier);
        break;
      case 1:
        nome = "Ctrl+C in " + NomeWidget(w);
        Premi(w, Qt::Key_C, Qt::ControlModifier);
        break;
      default: {
        static const std::vector<QString> testi = {"5", "12,5", "-5", "1,5", "abc", "1e39", "0", "3\t4\n5\t6",
                                                   "2,5\n2,5\n2,5", "inf", "nan", "Rossi", "1.500,5", "  7  "};
        const QString t = d.Su(70) ? d.Tra(testi) : QApplication::clipboard()->text();
        QApplication::clipboard()->setText(t);
        nome = "Ctrl+V di \"" + t.toStdString() + "\" in " + NomeWidget(w);
        Premi(w, Qt::Key_V, Qt::ControlModifier);
      }
    }
  }

  void Pagina(Dado& d, std::string& nome) {
    ui::GasGrid* g = ui::GasGridCaricato();
    if (!g || !g->isVisible()) {
      nome = "pagina: nessun editor";
      return;
    }
    const int p = d(3);
    QTabBar* barra = g->Tabbed1->tabBar();
    QWidget* fuoco = QApplication::focusWidget();
    if (d.Su(50) && fuoco && g->Tabbed1->isAncestorOf(fuoco)) {
      // The keys of the page bar, from wherever the keyboard is inside the pages.
      const bool avanti = d.Su(50);
      nome = std::string(avanti ? "Ctrl+Tab" : "Ctrl+Maiusc+Tab") + " in " + NomeWidget(fuoco);
      QTest::keyClick(fuoco, Qt::Key_Tab, avanti ? Qt::ControlModifier : (Qt::ControlModifier | Qt::ShiftModifier));
    } else if (barra->isVisible()) {
      nome = "pagina " + std::to_string(p) + " (clic sulla linguetta)";
      QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(p).center());
    }
  }

  void Tabella(Dado& d, std::string& nome) {
    ui::GasGrid* g = ui::GasGridCaricato();
    if (!g || !g->isVisible()) {
      nome = "tabella: nessun editor";
      return;
    }
    if (!g->Grid->isVisible()) {
      // The user goes to the table first.
      nome = "pagina 0 (per la tabella)";
      QTest::mouseClick(g->Tabbed1->tabBar(), Qt::LeftButton, {}, g->Tabbed1->tabBar()->tabRect(0).center());
      return;
    }
    ui::GrigliaTabella& t = *g->Grid;
    const int righe = t.rowCount(), colonne = t.columnCount();
    if (righe == 0 || colonne == 0) return;
    auto punto = [&](int r, int c) { return t.visualRect(t.model()->index(r, c)).center(); };
    const int r = d(std::min(righe, 14)), c = d(colonne);
    const QPoint p = punto(r, c);
    switch (d(5)) {
      case 0:
      case 1:
        nome = "clic sulla cella " + std::to_string(r + 1) + "," + std::to_string(c + 1);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, p);
        break;
      case 2:
        nome = "doppio clic sulla cella " + std::to_string(r + 1) + "," + std::to_string(c + 1);
        QTest::mouseDClick(t.viewport(), Qt::LeftButton, {}, p);
        break;
      case 3: {
        const int r2 = d(std::min(righe, 14)), c2 = d(colonne);
        nome = "trascina dalla cella " + std::to_string(r + 1) + "," + std::to_string(c + 1) + " alla " +
               std::to_string(r2 + 1) + "," + std::to_string(c2 + 1);
        QTest::mousePress(t.viewport(), Qt::LeftButton, {}, p);
        QTest::mouseMove(t.viewport(), punto(r2, c2));
        QTest::mouseRelease(t.viewport(), Qt::LeftButton, {}, punto(r2, c2));
        break;
      }
      default:
        nome = "Maiusc+clic sulla cella " + std::to_string(r + 1) + "," + std::to_string(c + 1);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ShiftModifier, p);
    }
  }

  void Schema(Dado& d, std::string& nome) {
    ui::GasGrid* g = ui::GasGridCaricato();
    if (!g || !g->isVisible()) {
      nome = "schema: nessun editor";
      return;
    }
    if (!g->picDisplay->isVisible()) {
      nome = "pagina 1 (per lo schema)";
      QTest::mouseClick(g->Tabbed1->tabBar(), Qt::LeftButton, {}, g->Tabbed1->tabBar()->tabRect(1).center());
      return;
    }
    QWidget* tela = g->picDisplay;
    auto punto = [&] { return QPoint(d(std::max(1, tela->width())), d(std::max(1, tela->height()))); };
    const QPoint p = punto();
    switch (d(6)) {
      case 0:
      case 1:
        nome = "clic sullo schema";
        QTest::mouseClick(tela, Qt::LeftButton, {}, p);
        break;
      case 2:
        nome = "doppio clic sullo schema";
        QTest::mouseDClick(tela, Qt::LeftButton, {}, p);
        break;
      case 3: {
        nome = "trascina sullo schema";
        const QPoint q = punto();
        QTest::mousePress(tela, Qt::LeftButton, {}, p);
        QTest::mouseMove(tela, q);
        QTest::mouseRelease(tela, Qt::LeftButton, {}, q);
        break;
      }
      case 4: {
        // A piece of the palette dropped on the drawing (the drag itself is the window system's).
        std::vector<QLabel*> figure = {g->picTronco, g->picCaldaia, g->picFornello, g->picBruciatore,
                                       g->picConvettore};
        QLabel* f = d.Tra(figure);
        const QByteArray tag = f->property("Tag").toString().toLatin1();
        nome = "trascina " + tag.toStdString() + " sullo schema";
        if (!f->isEnabled() || tag.isEmpty()) return;
        QMimeData dati;
        dati.setData(QStringLiteral("application/x-varnex-tag"), tag);
        QDragEnterEvent entra(p, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tela, &entra);
        QDragMoveEvent muovi(p, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tela, &muovi);
        QDropEvent lascia(QPointF(p), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tela, &lascia);
        break;
      }
      default:
        nome = "clic destro sullo schema";
        QTest::mouseClick(tela, Qt::RightButton, {}, p);
    }
  }

  void BarraStrumenti(Dado& d, std::string& nome) {
    ui::frmMainForm* m = ui::FinestraPrincipaleCaricata();
    if (!m) return;
    std::vector<QToolButton*> pulsanti;
    for (QToolButton* b : m->findChildren<QToolButton*>())
      if (b->isVisible() && b->isEnabled()) pulsanti.push_back(b);
    if (pulsanti.empty()) {
      nome = "barra: nessun pulsante";
      return;
    }
    QToolButton* b = d.Tra(pulsanti);
    nome = "clic su " + NomeWidget(b);
    QTest::mouseClick(b, Qt::LeftButton);
  }

  void Menu(Dado& d, std::string& nome) {
    ui::frmMainForm* m = ui::FinestraPrincipaleCaricata();
    if (!m) return;
    std::vector<QAction*> voci;
    for (QMenu* menu : {m->mnuFile, m->mnuArchivi, m->mnuHelp})
      for (QAction* a : menu->actions())
        // Leaving the program is rare: the run goes on in a new start when it happens.
        if (a->isEnabled() && !a->isSeparator() && !a->menu() && (a != m->EsciMnu || d.Su(5))) voci.push_back(a);
    if (voci.empty()) return;
    QAction* a = d.Tra(voci);
    nome = "menu \"" + a->text().toStdString() + "\"";
    a->trigger();
  }

  void SelettoreGas(Dado& d, std::string& nome) {
    ui::frmMainForm* m = ui::FinestraPrincipaleCaricata();
    if (!m || !m->ComboGas->isEnabled() || m->ComboGas->count() == 0) return;
    const int i = d(m->ComboGas->count());
    nome = "gas " + m->ComboGas->itemText(i).toStdString();
    m->ComboGas->setFocus(Qt::MouseFocusReason);
    m->ComboGas->setCurrentIndex(i);
    if (d.Su(50)) Premi(m->ComboGas, Qt::Key_Return);
  }

  void Selettore(Dado& d, std::string& nome) {
    ui::GasGrid* g = ui::GasGridCaricato();
    if (!g || !g->ComboDpMax->isVisible()) return;
    QComboBox* s = d.Tra(std::vector<QComboBox*>{g->ComboDpMax, g->ComboInitPres, g->ComboFinalPres});
    if (!s->isVisible() || !s->isEnabled()) return;
    versoSelettore = true;
    nome = "clic su " + NomeWidget(s);
    QTest::mouseClick(s->lineEdit() ? static_cast<QWidget*>(s->lineEdit()) : s, Qt::LeftButton);
  }

  void Tempo(Dado& d, std::string& nome) {
    std::vector<QTimer*> timer;
    for (QWidget* w : QApplication::topLevelWidgets())
      for (QTimer* t : w->findChildren<QTimer*>())
        if (t->isActive() && !t->objectName().isEmpty()) timer.push_back(t);
    if (timer.empty()) {
      nome = "tempo: nessun timer attivo";
      return;
    }
    // The list of windows has no order of its own: the choice must not depend on it.
    auto chiave = [](const QTimer* t) {
      return std::string(t->parent() ? t->parent()->metaObject()->className() : "") + "/" + t->objectName().toStdString();
    };
    std::stable_sort(timer.begin(), timer.end(), [&](const QTimer* a, const QTimer* b) { return chiave(a) < chiave(b); });
    QTimer* t = d.Tra(timer);
    nome = "scatto del timer " + t->objectName().toStdString() + " di " +
           (t->parent() ? t->parent()->metaObject()->className() : "?");
    ui::Scatta(*t);
  }

  // The visible windows that are no modal dialog and not the main window (the print window), in a
  // fixed order.
  static std::vector<QWidget*> FinestreAperte() {
    std::vector<QWidget*> aperte;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && qobject_cast<QDialog*>(w) && !w->isModal() && w != ui::FinestraPrincipaleCaricata())
        aperte.push_back(w);
    std::stable_sort(aperte.begin(), aperte.end(), [](const QWidget* a, const QWidget* b) {
      return std::string(a->metaObject()->className()) < b->metaObject()->className();
    });
    return aperte;
  }

  // A report: the print window opened from the menu, then one output chosen in it (the printer,
  // that is the PDF printer here, or an HTML or text file) and "Stampa".
  void Stampa(Dado& d, std::string& nome) {
    ui::frmStampa* f = nullptr;
    for (QWidget* w : FinestreAperte())
      if (auto* s = qobject_cast<ui::frmStampa*>(w)) f = s;
    ui::frmMainForm* m = ui::FinestraPrincipaleCaricata();
    if (!f) {
      if (!m || !m->StampaMnu->isEnabled()) return;
      nome = "menu \"" + m->StampaMnu->text().toStdString() + "\" (per un rapporto)";
      m->StampaMnu->trigger();
      return;
    }
    const int uscita = d(3);
    nome = uscita == 0 ? "stampa su PDF" : uscita == 1 ? "rapporto HTML" : "rapporto di testo";
    // As the user does it: a click on the box when it is not as wanted.
    if (f->chkPrintFile->isEnabled() && f->chkPrintFile->isChecked() != (uscita != 0)) f->chkPrintFile->click();
    if (uscita != 0 && f->comboFileType->isEnabled() && f->comboFileType->count() > 0)
      f->comboFileType->setCurrentIndex(std::min(uscita - 1, f->comboFileType->count() - 1));
    if (f->cmdPrint->isVisible() && f->cmdPrint->isEnabled()) QTest::mouseClick(f->cmdPrint, Qt::LeftButton);
  }

  // One action inside a window left open over the main one (the print window is not modal).
  void Finestra(Dado& d, std::string& nome) {
    const std::vector<QWidget*> aperte = FinestreAperte();
    if (aperte.empty()) return Stampa(d, nome);
    auto* w = static_cast<QDialog*>(d.Tra(aperte));
    nome = std::string("nella finestra ") + w->metaObject()->className();
    AzioneInDialogo(*w, d);
  }

  void Esegui(Dado& d, std::string& nome) {
    const int scelta = d(100);
    if (scelta < 3) return Stampa(d, nome);
    if (scelta < 6) return Finestra(d, nome);
    if (scelta < 34) return TastoSulFuoco(d, nome);
    if (scelta < 42) return TastoFunzione(d, nome);
    if (scelta < 50) return Appunti(d, nome);
    if (scelta < 56) return Pagina(d, nome);
    if (scelta < 70) return Tabella(d, nome);
    if (scelta < 79) return Schema(d, nome);
    if (scelta < 85) return BarraStrumenti(d, nome);
    if (scelta < 91) return Menu(d, nome);
    if (scelta < 94) return SelettoreGas(d, nome);
    if (scelta < 97) return Selettore(d, nome);
    return Tempo(d, nome);
  }
};

// The user in front of a dialog: one action inside it.
void AzioneInDialogo(QDialog& d, Dado& dado) {
  auto premi = [](QWidget* w, Qt::Key k) {
    if (w) QTest::keyClick(w, k);
  };
  if (auto* box = qobject_cast<QMessageBox*>(&d)) {
    // Sì, No, OK, Annulla, Riprova: one of the buttons, or Esc.
    const QList<QAbstractButton*> pulsanti = box->buttons();
    if (dado.Su(20) || pulsanti.isEmpty()) return premi(box, Qt::Key_Escape);
    if (QAbstractButton* b = pulsanti[dado(static_cast<int>(pulsanti.size()))]; b) b->click();
    return;
  }
  QWidget* fuoco = QApplication::focusWidget();
  if (!fuoco || fuoco->window() != &d) fuoco = &d;
  const int scelta = dado(100);
  if (scelta < 12) return premi(&d, Qt::Key_Escape);
  if (scelta < 20) {
    d.close();  // the close box
    return;
  }
  if (scelta < 45) {
    std::vector<QAbstractButton*> pulsanti;
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
      if (b->isVisible() && b->isEnabled()) pulsanti.push_back(b);
    if (!pulsanti.empty()) {
      QAbstractButton* b = dado.Tra(pulsanti);
      if (qobject_cast<QCheckBox*>(b) || dado.Su(50))
        b->click();
      else
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    return;
  }
  if (scelta < 60) {
    std::vector<QComboBox*> liste;
    for (QComboBox* c : d.findChildren<QComboBox*>())
      if (c->isVisible() && c->isEnabled() && c->count() > 0) liste.push_back(c);
    if (!liste.empty()) {
      QComboBox* c = dado.Tra(liste);
      c->setCurrentIndex(dado(c->count()));
    }
    for (QListWidget* l : d.findChildren<QListWidget*>())
      if (l->isVisible() && l->count() > 0 && dado.Su(50)) l->setCurrentRow(dado(l->count()));
    return;
  }
  if (scelta < 80) {
    std::vector<QLineEdit*> caselle;
    for (QLineEdit* e : d.findChildren<QLineEdit*>())
      if (e->isVisible() && e->isEnabled()) caselle.push_back(e);
    QWidget* dove = fuoco;
    if (!caselle.empty() && dado.Su(60)) {
      QLineEdit* e = dado.Tra(caselle);
      e->setFocus(Qt::MouseFocusReason);
      if (dado.Su(50)) e->selectAll();
      dove = e;
    }
    QTest::keyClicks(dove, Azioni::Numero(dado));
    return;
  }
  static const std::vector<Qt::Key> tasti = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Up,
                                             Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Escape};
  premi(fuoco, dado.Tra(tasti));
}

// ---- A run --------------------------------------------------------------------------------------

struct Passo {
  int numero;
  uint64_t seme;
};

struct Ripetizione {
  uint64_t seme = 1;
  std::vector<Passo> passi;
};

std::optional<Ripetizione> LeggiRipetizione(const std::string& percorso) {
  std::ifstream f(percorso);
  if (!f) return std::nullopt;
  Ripetizione r;
  std::string riga;
  bool conSeme = false;
  while (std::getline(f, riga)) {
    std::istringstream s(riga);
    std::string chiave;
    s >> chiave;
    if (chiave == "seme") {
      s >> r.seme;
      conSeme = true;
    } else if (chiave == "passo") {
      Passo p{};
      s >> p.numero >> p.seme;
      // Step 0 is the start-up, which every run has.
      if (s && p.numero > 0) r.passi.push_back(p);
    }
  }
  if (!conSeme) return std::nullopt;
  return r;
}

std::string Ambiente(const char* nome) {
  const char* v = std::getenv(nome);
  return v ? v : "";
}

int Esegui(int argc, char** argv, const Ripetizione& piano, const std::string& cartellaRisultati, bool daRipetere) {
  // The folders first: every folder the program could write to is one of this run's.
  const std::string tmp = Ambiente("TMPDIR");
  std::string base = (tmp.empty() ? std::string("/tmp") : tmp) + "/varnex-casuale-XXXXXX";
  if (!mkdtemp(base.data())) {
    std::perror("mkdtemp");
    return 2;
  }
  Cartelle c;
  c.radice = base;
  corsa.cartella = base;
  c.utente = CreaCartella(base + "/utente");
  c.impostazioni = CreaCartella(base + "/impostazioni");
  c.lavoro = CreaCartella(base + "/lavoro");
  c.corrente = CreaCartella(base + "/corrente");
  setenv("HOME", CreaCartella(base + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", CreaCartella(base + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", CreaCartella(base + "/data").c_str(), 1);
  setenv("XDG_CACHE_HOME", CreaCartella(base + "/cache").c_str(), 1);
  const std::string runtime = CreaCartella(base + "/runtime");
  fs::permissions(runtime, fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("TMPDIR", CreaCartella(base + "/tmp").c_str(), 1);
  setenv("VARNEX_CARTELLA_UTENTE", c.utente.c_str(), 1);
  // No printer of the system: a print goes to the PDF printer, into the work folder.
  setenv("CUPS_SERVER", (base + "/nessuna-stampante").c_str(), 1);
  if (Ambiente("QT_QPA_PLATFORM").empty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The platform paints a window a few milliseconds after it was asked to, on a timer of real
  // time: the paints (and what the program does in them) would come whenever the machine is slow
  // enough. At once, they come in the next pass of the event loop, the same in every run.
  setenv("QT_QPA_UPDATE_IDLE_TIME", "0", 1);
  if (chdir(c.corrente.c_str()) != 0) std::perror("chdir");

  QApplication app(argc, argv);
  ui::TrattieniTempoReale(true);
  ImpostaCartellaProgramma(c.utente);

  // The replay file: the seed, then each step before it runs, so a crash leaves it whole.
  fs::create_directories(cartellaRisultati);
  corsa.seme = piano.seme;
  corsa.fileRipetizione =
      cartellaRisultati + "/utente_casuale-" + std::to_string(piano.seme) + (daRipetere ? "-ripetuto" : "") + ".replay";
  corsa.ripetizione = std::fopen(corsa.fileRipetizione.c_str(), "w");
  ScriviRiga("# utente_casuale: one line per step (number, its seed); replay with --ripeti, reduce with --riduci");
  ScriviRiga("seme " + std::to_string(piano.seme));
#ifdef VARNEX_CON_SANITIZER
  __sanitizer_set_death_callback(AllaMorte);
#endif

  Sorveglianza sorveglianza;
  signal(SIGALRM, Bloccato);
  alarm(SecondiPerPasso);
  QTranslator traduzioni;
  ui::InstallaTraduzioni(traduzioni);
  auto programma = std::make_unique<Programma>(c);
  DialoghiCasuali dialoghi;
  FileDialoghiCasuali file(c);
  DesktopCasuale desktop;
  ProcessoCasuale processo;
  auto installa = [&] {
    ui::ImpostaDialoghi(&dialoghi);
    ui::ImpostaFileDialoghi(&file);
    ui::ImpostaDesktop(&desktop);
    ui::ImpostaProcesso(&processo);
  };
  installa();

  Dado avvio(SemeDelPasso(piano.seme, 0));
  corsa.dado = &avvio;
  corsa.azione = "preparazione della cartella dell'utente";
  if (!programma->istanza.Prendi() || !ui::PreparaCartellaProgramma()) {
    std::fprintf(stderr, "the program folder could not be prepared\n");
    return 2;
  }
  file.insieme = PreparaInsieme(c);
  sorveglianza.Aggiungi(std::string(VARNEX_SOURCE_DIR) + "/data", true);
  sorveglianza.Aggiungi(std::string(VARNEX_SOURCE_DIR) + "/fuzz/semi", true);
  sorveglianza.Aggiungi(std::string(VARNEX_SOURCE_DIR) + "/tests/fixtures", true);
  sorveglianza.Aggiungi(CartellaDistribuita(), true);
  sorveglianza.Aggiungi(CartellaDellEseguibile(), false);
  sorveglianza.Aggiungi(c.corrente, false);

  // The start-up: with nothing, or a project of the set on the command line.
  auto avvia = [&](Dado& d) {
    const std::string riga = d.Su(30) ? std::string() : "\"" + d.Tra(file.insieme) + "\"";
    corsa.azione = "avvio" + (riga.empty() ? std::string(" senza progetto") : " con " + riga);
    processo.terminato = false;
    const EsitoAvvio esito = programma->sequenza.Esegui(riga);
    if (esito != EsitoAvvio::Avviato) Violazione("il programma non si avvia", corsa.azione);
    QCoreApplication::processEvents();
  };
  ScriviRiga("passo 0 " + std::to_string(SemeDelPasso(piano.seme, 0)));
  avvia(avvio);

  Azioni azioni{c, file};
  // The last widget of the main window that had the keyboard after an action.
  QPointer<QWidget> ultimoFuocoPrincipale;
  const auto inizio = std::chrono::steady_clock::now();
  int fatti = 0;
  for (const Passo& p : piano.passi) {
    ScriviRiga("passo " + std::to_string(p.numero) + " " + std::to_string(p.seme));
    alarm(SecondiPerPasso);
    Dado dado(p.seme);
    corsa.dado = &dado;
    corsa.passo = p.numero;
    corsa.azione = "(scelta)";
    // The window manager: when no window is active, the one on top is (the main window, or a
    // modal one left over it), as a desktop activates the window the user sees.
    if (!QApplication::activeWindow()) {
      QWidget* sopra = QApplication::activeModalWidget();
      if (!sopra) sopra = ui::FinestraPrincipaleCaricata();
      if (sopra && sopra->isVisible()) {
        sopra->activateWindow();
        QCoreApplication::processEvents();
      }
    }
    QPointer<QWidget> fuocoPrima = QApplication::focusWidget();
    // Where the user had the keyboard: now, or in the main window before a window took it (a
    // window that closes gives it back there).
    QWidget* selettorePrima = SelettoreDi(fuocoPrima.data());
    if (!selettorePrima) selettorePrima = SelettoreDi(ultimoFuocoPrincipale.data());
    azioni.versoSelettore = false;
    const std::vector<int16_t> provenienzePrima = Provenienze();
    const int domandePrima = dialoghi.dialoghiAperti + file.richieste;
    // Each action names itself before it acts, so that a failure inside it names it.
    corsa.azione.clear();
    azioni.Esegui(dado, corsa.azione);
    if (corsa.azione.empty()) corsa.azione = "(nessuna)";
    QCoreApplication::processEvents();
    if (corsa.verboso) std::fprintf(stderr, "%d: %s\n", p.numero, corsa.azione.c_str());
    ++fatti;

    // The program was left (Esci, or the main window closed): a new start, as the user would.
    ui::frmMainForm* principale = ui::FinestraPrincipaleCaricata();
    if (processo.terminato || !principale || !principale->isVisible()) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      if (!processo.terminato && principale && !principale->isVisible())
        Violazione("la finestra principale e' nascosta ma il programma non e' terminato", corsa.azione);
      programma.reset();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      programma = std::make_unique<Programma>(c);
      installa();
      if (!programma->istanza.Prendi()) Violazione("il programma non riprende il proprio blocco", corsa.azione);
      avvia(dado);
    }

    // The rules.
    ControllaDialoghiVisibili();
    ControllaRete();
    if (dialoghi.dialoghiAperti + file.richieste == domandePrima) ControllaScollegati(provenienzePrima);
    // From one selector to the next is the user's own way (Enter applies and moves on).
    if (QWidget* s = SelettoreDi(QApplication::focusWidget()); s && !selettorePrima && !azioni.versoSelettore)
      Violazione("la tastiera e' finita in un selettore della rete senza che l'utente ve la portasse",
                 NomeWidget(QApplication::focusWidget()) + " ha la tastiera; prima l'aveva " +
                     NomeWidget(fuocoPrima.data()) + ", e nella finestra principale " +
                     NomeWidget(ultimoFuocoPrincipale.data()));
    if (QWidget* f = QApplication::focusWidget(); f && f->window() == ui::FinestraPrincipaleCaricata())
      ultimoFuocoPrincipale = f;
    if (const std::string scritto = sorveglianza.Scritto(); !scritto.empty())
      Violazione("scritto un file fuori dalla cartella temporanea e da quella dell'utente", scritto);
    ControllaRilettura(c);
  }
  alarm(0);
  const double secondi =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  std::fprintf(stderr, "utente_casuale: seed %llu, %d actions in %.1f s (%.1f actions/s), %d dialogs answered\n",
               static_cast<unsigned long long>(piano.seme), fatti, secondi, secondi > 0 ? fatti / secondi : 0.0,
               dialoghi.dialoghiAperti);

  // A clean end: the windows go, and the replay file too (nothing failed).
#ifdef VARNEX_CON_SANITIZER
  // The leak check at the exit must not look for this run's record, gone by then.
  __sanitizer_set_death_callback(nullptr);
#endif
  Dado fine(SemeDelPasso(piano.seme, 1u << 30));
  corsa.dado = &fine;
  corsa.azione = "chiusura del programma";
  programma.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::fclose(corsa.ripetizione);
  corsa.ripetizione = nullptr;
  std::error_code e;
  fs::remove(corsa.fileRipetizione, e);
  if (corsa.verboso)
    for (const auto& voce : fs::directory_iterator(c.lavoro, e))
      std::fprintf(stderr, "  left in the work folder: %s\n", voce.path().filename().c_str());
  corsa.fileRipetizione.clear();
  fs::remove_all(c.radice, e);
  return 0;
}

// ---- Reduction: the shortest sequence of steps that still fails the same way -----------------

// How a replay ended: "" when it passed, else the broken rule or the sanitizer's kind of report.
std::string Firma(const std::string& programma, const Ripetizione& r, const std::string& cartella) {
  const std::string file = cartella + "/candidato.replay";
  {
    std::ofstream f(file);
    f << "seme " << r.seme << "\n";
    for (const Passo& p : r.passi) f << "passo " << p.numero << " " << p.seme << "\n";
  }
  const std::string log = cartella + "/candidato.log";
  const pid_t figlio = fork();
  if (figlio == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    dup2(fd, 1);
    alarm(300);  // a replay that hangs counts as failing differently
    execl(programma.c_str(), programma.c_str(), "--ripeti", file.c_str(), "--risultati", cartella.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int stato = 0;
  waitpid(figlio, &stato, 0);
  if (WIFEXITED(stato) && WEXITSTATUS(stato) == 0) return {};
  const std::string testo = LeggiTutto(log);
  for (const char* segno : {"REGOLA VIOLATA: ", "SUMMARY: "}) {
    const size_t at = testo.find(segno);
    if (at != std::string::npos) {
      std::string riga = testo.substr(at, testo.find('\n', at) - at);
      // A sanitizer's summary names the place too: the kind is what must stay the same.
      if (riga.rfind("SUMMARY: ", 0) == 0) riga = riga.substr(0, riga.find(' ', riga.find(':', 9) + 2));
      return riga;
    }
  }
  return "uscita " + std::to_string(WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato));
}

int Riduci(const std::string& programma, const std::string& percorso) {
  const std::optional<Ripetizione> letta = LeggiRipetizione(percorso);
  if (!letta) {
    std::fprintf(stderr, "%s: not a replay file\n", percorso.c_str());
    return 2;
  }
  const std::string tmp = Ambiente("TMPDIR");
  std::string cartella = (tmp.empty() ? std::string("/tmp") : tmp) + "/varnex-riduzione-XXXXXX";
  if (!mkdtemp(cartella.data())) return 2;
  Ripetizione r = *letta;
  const std::string firma = Firma(programma, r, cartella);
  if (firma.empty()) {
    std::fprintf(stderr, "the replay passes: nothing to reduce\n");
    return 1;
  }
  std::fprintf(stderr, "failure to keep: %s (%zu steps)\n", firma.c_str(), r.passi.size());
  // Delta debugging: drop chunks of steps while the failure stays the same, halving the chunks.
  size_t parti = 2;
  while (r.passi.size() >= 2) {
    const size_t pezzo = (r.passi.size() + parti - 1) / parti;
    bool ridotto = false;
    for (size_t inizio = 0; inizio < r.passi.size(); inizio += pezzo) {
      Ripetizione prova = r;
      prova.passi.erase(prova.passi.begin() + static_cast<long>(inizio),
                        prova.passi.begin() + static_cast<long>(std::min(r.passi.size(), inizio + pezzo)));
      if (Firma(programma, prova, cartella) == firma) {
        r = prova;
        parti = std::max<size_t>(parti - 1, 2);
        ridotto = true;
        std::fprintf(stderr, "  %zu steps\n", r.passi.size());
        break;
      }
    }
    if (!ridotto) {
      if (pezzo == 1) break;
      parti = std::min(r.passi.size(), parti * 2);
    }
  }
  // Whether the start-up alone fails.
  if (r.passi.size() == 1) {
    Ripetizione prova = r;
    prova.passi.clear();
    if (Firma(programma, prova, cartella) == firma) r = prova;
  }
  const std::string uscita = percorso + ".ridotto";
  {
    std::ofstream f(uscita);
    f << "# " << firma << "\n";
    f << "seme " << r.seme << "\n";
    for (const Passo& p : r.passi) f << "passo " << p.numero << " " << p.seme << "\n";
  }
  std::error_code e;
  fs::remove_all(cartella, e);
  std::fprintf(stderr, "reduced to %zu steps: %s\n  replay:  %s --ripeti '%s' --verboso\n", r.passi.size(),
               uscita.c_str(), programma.c_str(), uscita.c_str());
  return 0;
}

}  // namespace
}  // namespace varnex::casuale

namespace {
// The offscreen platform's notes about what it cannot do are no news.
void Messaggi(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
  if (tipo == QtWarningMsg && testo.startsWith(QStringLiteral("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", testo.toLocal8Bit().constData());
  (void)contesto;
}
}  // namespace

int main(int argc, char** argv) {
  using namespace varnex::casuale;
  qInstallMessageHandler(Messaggi);
  uint64_t seme = 1;
  int numeroAzioni = 2000;
  std::string ripeti, riduci, risultati = VARNEX_FINDINGS_DIR;
  bool conRiduzione = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valore = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--seme")
      seme = std::strtoull(valore().c_str(), nullptr, 10);
    else if (a == "--azioni")
      numeroAzioni = std::atoi(valore().c_str());
    else if (a == "--ripeti")
      ripeti = valore();
    else if (a == "--riduci")
      riduci = valore();
    else if (a == "--risultati")
      risultati = valore();
    else if (a == "--verboso")
      corsa.verboso = true;
    else if (a == "--con-riduzione")
      conRiduzione = true;
    else {
      std::fprintf(stderr,
                   "usage: %s [--seme N] [--azioni N] [--con-riduzione] | --ripeti FILE [--verboso] | --riduci FILE"
                   "  [--risultati FOLDER]\n",
                   argv[0]);
      return 2;
    }
  }
  if (!riduci.empty()) return Riduci(fs::absolute(argv[0]).string(), riduci);
  if (conRiduzione && ripeti.empty()) {
    // The run in a child process; when it fails, its replay file is reduced here.
    const std::string programma = fs::absolute(argv[0]).string();
    std::fflush(stderr);
    const pid_t figlio = fork();
    if (figlio == 0) {
      const std::string s = std::to_string(seme), n = std::to_string(numeroAzioni);
      execl(programma.c_str(), programma.c_str(), "--seme", s.c_str(), "--azioni", n.c_str(), "--risultati",
            risultati.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int stato = 0;
    waitpid(figlio, &stato, 0);
    if (WIFEXITED(stato) && WEXITSTATUS(stato) == 0) return 0;
    const std::string file = risultati + "/utente_casuale-" + std::to_string(seme) + ".replay";
    if (fs::exists(file)) {
      std::fprintf(stderr, "\nutente_casuale: the run with seed %llu failed; reducing %s\n",
                   static_cast<unsigned long long>(seme), file.c_str());
      Riduci(programma, file);
    }
    return 1;
  }
  Ripetizione piano;
  if (!ripeti.empty()) {
    const std::optional<Ripetizione> letta = LeggiRipetizione(ripeti);
    if (!letta) {
      std::fprintf(stderr, "%s: not a replay file\n", ripeti.c_str());
      return 2;
    }
    piano = *letta;
  } else {
    piano.seme = seme;
    for (int n = 1; n <= numeroAzioni; ++n) piano.passi.push_back({n, SemeDelPasso(seme, static_cast<uint64_t>(n))});
  }
  std::fprintf(stderr, "utente_casuale: seed %llu, %zu steps%s\n", static_cast<unsigned long long>(piano.seme),
               piano.passi.size(), ripeti.empty() ? "" : (" from " + ripeti).c_str());
  return Esegui(argc > 0 ? 1 : 0, argv, piano, risultati, !ripeti.empty());
}
