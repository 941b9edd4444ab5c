// Small pieces the archive windows share: the numeric box filter, Enter moving the focus on, the
// grey display-only box, the keys of an editor window, and the text prompt shown through the
// modal-dialog service.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <functional>
#include <string>

class QKeyEvent;

namespace varnex::ui {

// Watches one box: with `soloNumeri`, typed characters other than the digits, "," and "." are
// dropped (editing and moving keys pass); Enter runs `invio` and is dropped.
class FiltroCampo : public QObject {
 public:
  FiltroCampo(QLineEdit* campo, bool soloNumeri, std::function<void()> invio);

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  bool soloNumeri_;
  std::function<void()> invio_;
};

// Installs the filter on the box (owned by the box).
void FiltraCampo(QLineEdit* campo, bool soloNumeri, std::function<void()> invio);

// Grey background (128, 128, 128), white text, read-only.
void CampoSoloLettura(QLineEdit* campo);

// The keys an archive editor takes for itself: Esc leaves as `esci` does, Return and Enter do
// nothing, as no button of the window is a default. False for any other key, which the window
// handles as usual.
bool TastoEditorArchivio(QKeyEvent* evento, const std::function<void()>& esci);

// The text prompt: the text typed, or "" when the prompt was cancelled.
std::string InputBox(const std::string& prompt, const std::string& titolo = {}, const std::string& predefinito = {},
                     QWidget* parent = nullptr);

}  // namespace varnex::ui
