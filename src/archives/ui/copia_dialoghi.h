// The windows of the copy tools: the folder dialogs "Copia Archivi" (frmCopyArchieves) and
// "Copia File di Progetto" (frmCopyProjectFiles), the overwrite question "Attenzione"
// (frmCopyArchievesMessage) and the rename prompt "Rinomina File" (frmRenameFile). The copying
// itself is the core's (archives/copia_archivi.h).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "archives/copia_archivi.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmCopyArchieves : public Dialogo {
  Q_OBJECT
 public:
  explicit frmCopyArchieves(QWidget* parent = nullptr);

  void cmdOpenCopyFromDlg_Click();
  void cmdOpenCopyToDlg_Click();
  // Checks the fields; when both hold something the window closes accepted and the caller runs
  // the copy with the two texts.
  void cmdCopy_Click();
  void cmdCancel_Click();

  QLineEdit* txtCopyFrom;
  QLineEdit* txtCopyTo;
  QPushButton* cmdOpenCopyFromDlg;
  QPushButton* cmdOpenCopyToDlg;
  QPushButton* cmdCopy;
  QPushButton* cmdCancel;
};

class frmCopyProjectFiles : public Dialogo {
  Q_OBJECT
 public:
  explicit frmCopyProjectFiles(QWidget* parent = nullptr);

  void cmdOpenCopyFromDlg_Click();
  void cmdCopy_Click();
  void cmdCancel_Click();

  QLineEdit* txtCopyFrom;
  QPushButton* cmdOpenCopyFromDlg;
  QPushButton* cmdCopy;
  QPushButton* cmdCancel;
};

// The overwrite question. Closed by its close box or Esc it answers "Annulla": the run stops
// rather than guess.
class frmCopyArchievesMessage : public Dialogo {
  Q_OBJECT
 public:
  explicit frmCopyArchievesMessage(QWidget* parent = nullptr);
  void Prepara(const std::string& testo, bool rinomina);
  void AzzeraRisposta() override { operationToExecute = CopiaAnnulla; }

  int16_t operationToExecute = CopiaNo;

  QLabel* Label1;
  QPushButton* cmdOK;
  QPushButton* cmdAllOK;
  QPushButton* cmdRename;
  QPushButton* cmdNo;
  QPushButton* cmdCancel;

 private:
  void Rispondi(int16_t codice);
};

// The rename prompt. Closed by its close box or Esc it answers as "Annulla" (no name).
class frmRenameFile : public Dialogo {
  Q_OBJECT
 public:
  explicit frmRenameFile(QWidget* parent = nullptr);
  void AzzeraRisposta() override { filename.clear(); }

  void cmdRename_Click();
  void cmdCancel_Click();

  std::string filename;

  QLineEdit* txtFileName;
  QPushButton* cmdRename;
  QPushButton* cmdCancel;
};

// The core's questions, answered by the two windows above (a new window for each question).
class DomandeCopiaQt : public IDomandeCopia {
 public:
  int16_t ChiediSovrascrittura(const std::string& testo, bool rinomina) override;
  std::string ChiediNuovoNome(const std::string& nome) override;
};

// The menu commands: the folder dialog, then the copy run once it closed with "Copia".
void MostraCopiaArchivi(QWidget* parent);
void MostraCopiaProgetti(QWidget* parent);

}  // namespace varnex::ui
