// The services every window of the program goes through, so that windows stay testable on the
// offscreen platform: modal dialogs, file and folder dialogs, the desktop launcher, the end of the
// process, pending events, the program's periodic timers and the start-up status line.
//
// Each service is an interface with one Qt implementation (qt_services.h), installed by the
// program at start-up. With nothing installed a silent stand-in answers as the user who cancels,
// so a test that forgets to script a dialog gets "Annulla" instead of blocking in exec().
// Messages go through the core's interaction (model/interaction.h), the settings through the
// core's store (shell/settings.h), the busy cursor through ImpostaCursore (model/files.h).
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace varnex::ui {

// ---- Modal dialogs -------------------------------------------------------------------------

// Shows dialogs modal and returns their result.
class IDialoghi {
 public:
  virtual ~IDialoghi() = default;
  // Shows the dialog modal until it is closed; the dialog's result code (QDialog::Accepted,
  // QDialog::Rejected, or the code given to done()).
  virtual int Esegui(QDialog& dialogo) = 0;
};

// Base of every modal dialog of the program that leaves an answer in public variables. Its
// answer is cleared before each show, so nobody reads an answer left by an earlier use; closing
// it with the window's close box or Esc answers as its "Annulla".
class Dialogo : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;
  // Puts the public answer back to "nothing chosen". Called by MostraModale before each show.
  virtual void AzzeraRisposta() {}
};

// The one way to show a modal dialog: clears its answer and result, then shows it through the
// installed dialogs service, and gives the keyboard back to where the user was (RitornoFuoco).
// A dialog made over a window that may be unloaded under it (NonProprietaria) is handed to the
// window ProprietarioDialoghi names first. Returns the dialog's result code.
int MostraModale(QDialog& dialogo);

// ---- The keyboard after a dialog ------------------------------------------------------------

// Gives the keyboard back, when it goes, to the widget that had it when it was made: after a
// dialog, a message box, a file dialog or a save the keys go where the user was, never to
// whatever widget the window system or the focus chain picks (a selector of a design limit).
// A widget that is no longer there to take it (hidden, disabled, gone) hands it to the one
// named with ImpostaRitornoFuoco, and so on.
class RitornoFuoco {
 public:
  RitornoFuoco();
  ~RitornoFuoco();
  RitornoFuoco(const RitornoFuoco&) = delete;
  RitornoFuoco& operator=(const RitornoFuoco&) = delete;

 private:
  QPointer<QWidget> fuoco_;
};

// The widget that takes the keyboard back in place of `widget` when `widget` cannot (an in-place
// cell editor closed meanwhile hands it to its table). Also used when such a widget is hidden
// while it has the keyboard (NascondiConFuoco).
void ImpostaRitornoFuoco(QWidget* widget, QWidget* sostituto);
// Where the keyboard goes back for `widget`: itself when it can take it, else the first of its
// stand-ins that can; nullptr when none can.
QWidget* DestinazioneFuoco(QWidget* widget);
// Hides `widget`; when it had the keyboard, its stand-in takes it first, so that the keyboard
// does not move on along the focus chain to the next box of the window.
void NascondiConFuoco(QWidget* widget);
// After a message about a box, the keyboard goes back to that box, in the window it is on, with
// its text selected for retyping: the message box handed the activation to the main window.
void RidaiTastiera(QLineEdit& box);

void ImpostaDialoghi(IDialoghi* dialoghi);
IDialoghi& Dialoghi();

// ---- The window a dialog belongs to ---------------------------------------------------------

// The window every dialog, message box and file dialog belongs to and opens over: the modal
// dialog running at the moment (the one that opened it), else the active window the user works
// in, else the program's main window; never a window marked with NonProprietaria. A dialog is destroyed with the
// window it belongs to: one owned by a window unloaded while it is up (the wait window, unloaded
// by the load's end or by the editor's paint inside the dialog's own modal loop) would be
// destroyed under its caller. Null when no window fits: the dialog then belongs to nobody.
QWidget* ProprietarioDialoghi();
// Marks a window that is unloaded by itself while the program works (a wait window): no dialog
// ever belongs to it, nor to a window inside it.
void NonProprietaria(QWidget* finestra);
bool PuoEssereProprietaria(const QWidget* finestra);

// ---- File and folder dialogs ----------------------------------------------------------------

class IFileDialoghi {
 public:
  virtual ~IFileDialoghi() = default;
  // `filtro` in the system's form: description and patterns alternating, separated by "|",
  // patterns of one entry separated by ";" ("Impianti (*.RTG)|*.RTG").
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> ApriFile(const std::string& titolo, const std::string& filtro,
                                              const std::string& cartella) = 0;
  // The save dialog does not ask about replacing an existing file: the caller, who knows the
  // final name (default extension included), asks.
  virtual std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                               const std::string& cartella, const std::string& nome) = 0;
  virtual std::optional<std::string> ScegliCartella(const std::string& titolo, const std::string& cartella) = 0;
};

void ImpostaFileDialoghi(IFileDialoghi* fileDialoghi);
IFileDialoghi& FileDialoghi();

// ---- Desktop launcher -----------------------------------------------------------------------

// Opens a file (the HTML manual, a written report) or a folder with the desktop's own program.
class IDesktop {
 public:
  virtual ~IDesktop() = default;
  // False when the desktop could not open it.
  virtual bool Apri(const std::string& percorso) = 0;
};

void ImpostaDesktop(IDesktop* desktop);
IDesktop& Desktop();

// ---- End of the process ---------------------------------------------------------------------

class IProcesso {
 public:
  virtual ~IProcesso() = default;
  // Ends the process at once, without closing the windows one by one.
  virtual void Termina(int codice) = 0;
};

void ImpostaProcesso(IProcesso* processo);
IProcesso& Processo();

// ---- Periodic timers ------------------------------------------------------------------------

// Every periodic timer of the program (the animations of the wait and start-up windows, the main
// window's watch while it is minimised) is made here. While real time is held, such a timer
// starts, stops and reports itself active as usual but never ticks by itself: the window tests
// hold it throughout and tick a timer with Scatta, so what they check never depends on how fast
// the machine runs.
QTimer* NuovoTimer(QObject* genitore, const QString& nome, int intervalloMs);
void TrattieniTempoReale(bool trattenuto);
// One tick of `timer` now, as its interval running out would give it; nothing when it is stopped.
void Scatta(QTimer& timer);

// ---- Small helpers --------------------------------------------------------------------------

// Lets pending window events run (repaints, timers, clicks) in the middle of long work.
void DoEvents();

// The status line of the start-up window: the core's progress texts (IInterazione::Stato) end
// here while the start-up window is up. Empty function: texts are dropped.
void ImpostaLineaStato(std::function<void(const std::string&)> ricevitore);
void MostraStato(const std::string& testo);

// The hourglass for the life of the object (nests with the core's ImpostaCursore).
class CursoreOccupato {
 public:
  CursoreOccupato();
  ~CursoreOccupato();
  CursoreOccupato(const CursoreOccupato&) = delete;
  CursoreOccupato& operator=(const CursoreOccupato&) = delete;
};

// Qt text of a UTF-8 text, and back.
QString QS(const std::string& testo);
std::string SS(const QString& testo);

}  // namespace varnex::ui
