// The window "Sostituzioni": tells the user which archive entry a project names and this
// installation lacks, and lets them pick an entry of the same kind in its place. The remembered
// answers are the core's (model/sostituzione.h); this is only the question.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "model/sostituzione.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmEquivDialog : public Dialogo {
  Q_OBJECT
 public:
  explicit frmEquivDialog(QWidget* parent = nullptr);

  // The missing name exactly as written, and the candidates in archive order (not sorted).
  void Prepara(const std::string& nome, const std::vector<std::string>& candidati);
  // "Procedi": with no line selected, the message and the window stays; otherwise the line
  // (counted from 1) becomes the answer and the window closes.
  void Command1_Click();
  void AzzeraRisposta() override { scelta = 0; }

  // The chosen line counted from 1; 0 while none.
  int16_t scelta = 0;

  QLabel* SSPanel1;
  QListWidget* List1;
  QPushButton* Command1;

 protected:
  // The window can be left only through "Procedi" or Esc ("Annulla", no choice); not by its frame.
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
};

// The core's question, answered by the window above (a new window for each question).
class DialogoSostituzioneQt : public IDialogoSostituzione {
 public:
  int16_t Scegli(const std::string& nome, int16_t tipo, const std::vector<std::string>& candidati) override;
};

}  // namespace varnex::ui
