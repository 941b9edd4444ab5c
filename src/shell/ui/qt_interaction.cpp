#include "shell/ui/qt_interaction.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QPushButton>

#include "model/strings.h"
#include "shell/ui/services.h"

namespace varnex::ui {

Risposta MessaggioQt::Esito() const {
  for (const auto& [pulsante, risposta] : risposte)
    if (box->clickedButton() == pulsante) return risposta;
  return risposte.back().second;
}

namespace {

// A run without blanks longer than this gets a place to wrap after every so many characters.
constexpr int LunghezzaMassimaParola = 30;

// The text with an invisible place to wrap (a zero-width space) inside each long run without
// blanks: a refusal quotes what was typed or pasted, and a long number or name would otherwise
// make the box as wide as the screen, past the main window, with its end cut off.
QString ConPuntiDiACapo(const QString& testo) {
  QString risultato;
  risultato.reserve(testo.size() + testo.size() / LunghezzaMassimaParola);
  int corsa = 0;
  for (const QChar c : testo) {
    if (c.isSpace()) {
      corsa = 0;
    } else if (++corsa > LunghezzaMassimaParola) {
      risultato += QChar(0x200B);
      corsa = 1;
    }
    risultato += c;
  }
  return risultato;
}

}  // namespace

MessaggioQt CostruisciMessaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) {
  MessaggioQt m;
  m.box = std::make_unique<QMessageBox>(ProprietarioDialoghi());
  // A message without a title of its own carries the program's name, whole: a box narrower than
  // its title bar has the title cut by the window manager ("var... pro").
  const QString titoloBox = titolo.empty() ? QStringLiteral("VarnexPro") : QS(titolo);
  m.box->setWindowTitle(titoloBox);
  m.box->setText(ConPuntiDiACapo(QS(Replace(testo, "\r\n", "\n"))));
  switch (icona) {
    case Icona::Critico: m.box->setIcon(QMessageBox::Critical); break;
    case Icona::Domanda: m.box->setIcon(QMessageBox::Question); break;
    case Icona::Esclamazione: m.box->setIcon(QMessageBox::Warning); break;
    case Icona::Informazione: m.box->setIcon(QMessageBox::Information); break;
    case Icona::Nessuna: m.box->setIcon(QMessageBox::NoIcon); break;
  }
  struct Voce {
    const char* testo;
    QMessageBox::ButtonRole ruolo;
    varnex::Risposta risposta;
  };
  std::vector<Voce> voci;
  switch (bottoni) {
    case Bottoni::OK: voci = {{"OK", QMessageBox::AcceptRole, Risposta::OK}}; break;
    case Bottoni::OKAnnulla:
      voci = {{"OK", QMessageBox::AcceptRole, Risposta::OK}, {"Annulla", QMessageBox::RejectRole, Risposta::Annulla}};
      break;
    case Bottoni::SiNo:
      voci = {{"Sì", QMessageBox::YesRole, Risposta::Si}, {"No", QMessageBox::NoRole, Risposta::No}};
      break;
    case Bottoni::SiNoAnnulla:
      voci = {{"Sì", QMessageBox::YesRole, Risposta::Si},
              {"No", QMessageBox::NoRole, Risposta::No},
              {"Annulla", QMessageBox::RejectRole, Risposta::Annulla}};
      break;
    case Bottoni::RiprovaAnnulla:
      voci = {{"Riprova", QMessageBox::AcceptRole, Risposta::Riprova},
              {"Annulla", QMessageBox::RejectRole, Risposta::Annulla}};
      break;
  }
  for (const auto& v : voci) m.risposte.emplace_back(m.box->addButton(QString::fromUtf8(v.testo), v.ruolo), v.risposta);
  m.box->setEscapeButton(m.risposte.back().first);
  m.box->setDefaultButton(static_cast<QPushButton*>(m.risposte.front().first));
  if (auto* griglia = qobject_cast<QGridLayout*>(m.box->layout())) {
    // Room for the title and the title bar's own buttons.
    const int larghezza = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(titoloBox) + 160;
    griglia->addItem(new QSpacerItem(larghezza, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), griglia->rowCount(), 0,
                     1, griglia->columnCount());
  }
  return m;
}

Risposta QtInterazione::Messaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) {
  MessaggioQt m = CostruisciMessaggio(testo, bottoni, icona, titolo);
  MostraModale(*m.box);
  return m.Esito();
}

void QtInterazione::Puntatore(int16_t codice) {
  bool voglio = codice == 11;
  if (voglio && !clessidra_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!voglio && clessidra_) QApplication::restoreOverrideCursor();
  clessidra_ = voglio;
}

void QtInterazione::Stato(const std::string& testo) { MostraStato(testo); }

}  // namespace varnex::ui
