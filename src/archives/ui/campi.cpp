#include "archives/ui/campi.h"

#include <QInputDialog>
#include <QKeyEvent>

#include "shell/ui/services.h"

namespace varnex::ui {

FiltroCampo::FiltroCampo(QLineEdit* campo, bool soloNumeri, std::function<void()> invio)
    : QObject(campo), soloNumeri_(soloNumeri), invio_(std::move(invio)) {
  campo->installEventFilter(this);
}

bool FiltroCampo::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() != QEvent::KeyPress) return QObject::eventFilter(oggetto, evento);
  auto* tasto = static_cast<QKeyEvent*>(evento);
  if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
    if (invio_) invio_();
    return true;
  }
  if (!soloNumeri_) return false;
  const QString testo = tasto->text();
  if (testo.isEmpty() || !testo.at(0).isPrint()) return false;  // Backspace, arrows, Esc...
  for (QChar c : testo)
    if (!(c >= '0' && c <= '9') && c != ',' && c != '.') return true;
  return false;
}

void FiltraCampo(QLineEdit* campo, bool soloNumeri, std::function<void()> invio) {
  new FiltroCampo(campo, soloNumeri, std::move(invio));
}

void CampoSoloLettura(QLineEdit* campo) {
  campo->setReadOnly(true);
  campo->setFocusPolicy(Qt::NoFocus);
  campo->setStyleSheet("QLineEdit { background-color: rgb(128, 128, 128); color: white; }");
}

bool TastoEditorArchivio(QKeyEvent* evento, const std::function<void()>& esci) {
  if (evento->key() == Qt::Key_Escape) {
    esci();
    return true;
  }
  return evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
}

std::string InputBox(const std::string& prompt, const std::string& titolo, const std::string& predefinito,
                     QWidget* parent) {
  QInputDialog dialogo(parent);
  dialogo.setObjectName("InputBox");
  dialogo.setInputMode(QInputDialog::TextInput);
  dialogo.setWindowTitle(QS(titolo));
  dialogo.setLabelText(QS(prompt));
  dialogo.setTextValue(QS(predefinito));
  if (MostraModale(dialogo) != QDialog::Accepted) return {};
  return SS(dialogo.textValue());
}

}  // namespace varnex::ui
