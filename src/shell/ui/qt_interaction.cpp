#include "shell/ui/qt_interaction.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace varnex::ui {

Risposta QtInterazione::Messaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(titolo.empty() ? QStringLiteral("VarnexPro") : QString::fromStdString(titolo));
  box.setText(QString::fromStdString(testo));
  switch (icona) {
    case Icona::Critico: box.setIcon(QMessageBox::Critical); break;
    case Icona::Domanda: box.setIcon(QMessageBox::Question); break;
    case Icona::Esclamazione: box.setIcon(QMessageBox::Warning); break;
    case Icona::Informazione: box.setIcon(QMessageBox::Information); break;
    case Icona::Nessuna: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct Voce {
    const char* testo;
    QMessageBox::ButtonRole ruolo;
    Risposta risposta;
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
  std::vector<QPushButton*> pulsanti;
  for (const auto& v : voci) pulsanti.push_back(box.addButton(QString::fromUtf8(v.testo), v.ruolo));
  // The close box answers like the last button (Annulla or No), the choice that changes nothing.
  box.setEscapeButton(pulsanti.back());
  box.setDefaultButton(pulsanti.front());
  box.exec();
  for (size_t i = 0; i < pulsanti.size(); ++i)
    if (box.clickedButton() == pulsanti[i]) return voci[i].risposta;
  return voci.back().risposta;
}

void QtInterazione::Puntatore(int16_t codice) {
  bool voglio = codice == 11;
  if (voglio && !clessidra_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!voglio && clessidra_) QApplication::restoreOverrideCursor();
  clessidra_ = voglio;
}

}  // namespace varnex::ui
