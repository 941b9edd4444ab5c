#include "shell/ui/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimerEvent>
#include <cstdio>
#include <utility>

#include "model/files.h"

namespace varnex::ui {
namespace {

void Traccia(const char* cosa, const std::string& dettaglio) {
  std::fprintf(stderr, "%s senza servizio installato: %s\n", cosa, dettaglio.c_str());
}

class DialoghiSilenziosi final : public IDialoghi {
 public:
  int Esegui(QDialog& dialogo) override {
    Traccia("Finestra modale", dialogo.metaObject()->className());
    return QDialog::Rejected;
  }
};

class FileDialoghiSilenziosi final : public IFileDialoghi {
 public:
  std::optional<std::string> ApriFile(const std::string& titolo, const std::string&, const std::string&) override {
    Traccia("Apri file", titolo);
    return std::nullopt;
  }
  std::optional<std::string> SalvaFile(const std::string& titolo, const std::string&, const std::string&,
                                       const std::string&) override {
    Traccia("Salva file", titolo);
    return std::nullopt;
  }
  std::optional<std::string> ScegliCartella(const std::string& titolo, const std::string&) override {
    Traccia("Scegli cartella", titolo);
    return std::nullopt;
  }
};

class DesktopSilenzioso final : public IDesktop {
 public:
  bool Apri(const std::string& percorso) override {
    Traccia("Apri col desktop", percorso);
    return false;
  }
};

class ProcessoSilenzioso final : public IProcesso {
 public:
  void Termina(int codice) override { Traccia("Fine del programma", std::to_string(codice)); }
};

DialoghiSilenziosi dialoghiSilenziosi;
FileDialoghiSilenziosi fileDialoghiSilenziosi;
DesktopSilenzioso desktopSilenzioso;
ProcessoSilenzioso processoSilenzioso;

IDialoghi* dialoghi = &dialoghiSilenziosi;
IFileDialoghi* fileDialoghi = &fileDialoghiSilenziosi;
IDesktop* desktop = &desktopSilenzioso;
IProcesso* processo = &processoSilenzioso;

std::function<void(const std::string&)>& LineaStato() {
  static std::function<void(const std::string&)> ricevitore;
  return ricevitore;
}

// Holds back the ticks of the program's timers while real time is held, but for the one Scatta
// delivers (a tick's work lets events run, where a real tick must stay held).
class FiltroTempo final : public QObject {
 public:
  bool eventFilter(QObject* oggetto, QEvent* evento) override {
    if (evento->type() == QEvent::Timer && trattenuto && evento != scatto) return true;
    return QObject::eventFilter(oggetto, evento);
  }
  bool trattenuto = false;
  const QEvent* scatto = nullptr;
};

FiltroTempo& Tempo() {
  static FiltroTempo filtro;
  return filtro;
}

}  // namespace

namespace {
constexpr const char* ProprietaNonProprietaria = "varnexNonProprietaria";
}  // namespace

void NonProprietaria(QWidget* finestra) {
  if (finestra) finestra->setProperty(ProprietaNonProprietaria, true);
}

bool PuoEssereProprietaria(const QWidget* finestra) {
  for (const QWidget* w = finestra; w != nullptr; w = w->parentWidget())
    if (w->property(ProprietaNonProprietaria).toBool()) return false;
  return finestra != nullptr;
}

QWidget* ProprietarioDialoghi() {
  if (QWidget* modale = QApplication::activeModalWidget(); modale && modale->isVisible() && PuoEssereProprietaria(modale))
    return modale;
  // The window the user works in (the print window, say), unless it is one unloaded by itself.
  if (QWidget* attiva = QApplication::activeWindow(); attiva && attiva->isVisible() && PuoEssereProprietaria(attiva))
    return attiva;
  QWidget* principale = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w) != nullptr && PuoEssereProprietaria(w) && (!principale || w->isVisible()))
      principale = w;
  return principale;
}

int MostraModale(QDialog& dialogo) {
  if (auto* d = qobject_cast<Dialogo*>(&dialogo)) d->AzzeraRisposta();
  if (QWidget* genitore = dialogo.parentWidget(); genitore && !PuoEssereProprietaria(genitore)) {
    // setParent clears the window flags: the dialog keeps its own, and stays a window.
    const Qt::WindowFlags bandiere = dialogo.windowFlags();
    dialogo.setParent(ProprietarioDialoghi(), bandiere);
  }
  dialogo.setResult(QDialog::Rejected);
  const RitornoFuoco ritorno;
  return dialoghi->Esegui(dialogo);
}

namespace {
constexpr const char* ProprietaRitorno = "varnexRitornoFuoco";
}  // namespace

void ImpostaRitornoFuoco(QWidget* widget, QWidget* sostituto) {
  if (widget) widget->setProperty(ProprietaRitorno, QVariant::fromValue(QPointer<QWidget>(sostituto)));
}

QWidget* DestinazioneFuoco(QWidget* widget) {
  // A few steps at most: a chain of stand-ins that loops must not hang the program.
  for (int passi = 0; widget != nullptr && passi < 8; ++passi) {
    if (widget->isVisible() && widget->isEnabled()) return widget;
    widget = widget->property(ProprietaRitorno).value<QPointer<QWidget>>();
  }
  return nullptr;
}

void NascondiConFuoco(QWidget* widget) {
  if (widget == nullptr) return;
  if (widget->hasFocus()) {
    QWidget* sostituto = widget->property(ProprietaRitorno).value<QPointer<QWidget>>();
    if (QWidget* d = DestinazioneFuoco(sostituto)) d->setFocus(Qt::OtherFocusReason);
  }
  widget->hide();
}

void RidaiTastiera(QLineEdit& box) {
  box.window()->activateWindow();
  box.setFocus(Qt::OtherFocusReason);
  box.selectAll();
}

namespace {
// Where the last RitornoFuoco gave the keyboard back: a dialog that opens right after another
// closed (a message after a choice) comes before the window system has activated the main window
// again, when no widget has the keyboard yet.
QPointer<QWidget> ultimoRitorno;
}  // namespace

RitornoFuoco::RitornoFuoco() : fuoco_(QApplication::focusWidget()) {
  if (fuoco_.isNull() || !fuoco_->isVisible()) fuoco_ = ultimoRitorno;
}

RitornoFuoco::~RitornoFuoco() {
  QWidget* destinazione = DestinazioneFuoco(fuoco_);
  if (destinazione == nullptr) return;
  // A dialog still open over it (this one was shown from inside another) keeps its own keyboard.
  if (QWidget* modale = QApplication::activeModalWidget(); modale != nullptr && modale != destinazione->window())
    return;
  QWidget* finestra = destinazione->window();
  if (finestra != QApplication::activeWindow()) finestra->activateWindow();
  destinazione->setFocus(Qt::OtherFocusReason);
  ultimoRitorno = destinazione;
}

void ImpostaDialoghi(IDialoghi* d) { dialoghi = d ? d : &dialoghiSilenziosi; }
IDialoghi& Dialoghi() { return *dialoghi; }

void ImpostaFileDialoghi(IFileDialoghi* f) { fileDialoghi = f ? f : &fileDialoghiSilenziosi; }
IFileDialoghi& FileDialoghi() { return *fileDialoghi; }

void ImpostaDesktop(IDesktop* d) { desktop = d ? d : &desktopSilenzioso; }
IDesktop& Desktop() { return *desktop; }

void ImpostaProcesso(IProcesso* p) { processo = p ? p : &processoSilenzioso; }
IProcesso& Processo() { return *processo; }

void DoEvents() { QCoreApplication::processEvents(); }

QTimer* NuovoTimer(QObject* genitore, const QString& nome, int intervalloMs) {
  auto* timer = new QTimer(genitore);
  timer->setObjectName(nome);
  timer->setInterval(intervalloMs);
  timer->installEventFilter(&Tempo());
  return timer;
}

void TrattieniTempoReale(bool trattenuto) { Tempo().trattenuto = trattenuto; }

void Scatta(QTimer& timer) {
  if (!timer.isActive()) return;
  QTimerEvent tick(timer.timerId());
  const QEvent* prima = std::exchange(Tempo().scatto, &tick);
  QCoreApplication::sendEvent(&timer, &tick);
  Tempo().scatto = prima;
}

void ImpostaLineaStato(std::function<void(const std::string&)> ricevitore) { LineaStato() = std::move(ricevitore); }

void MostraStato(const std::string& testo) {
  if (LineaStato()) LineaStato()(testo);
}

CursoreOccupato::CursoreOccupato() { ImpostaCursore(11); }
CursoreOccupato::~CursoreOccupato() { ImpostaCursore(0); }

QString QS(const std::string& testo) { return QString::fromStdString(testo); }
std::string SS(const QString& testo) { return testo.toStdString(); }

}  // namespace varnex::ui
