// The project lifecycle in the windows: the file dialogs, the wait window, the editor window and
// the main window's caption behind the core's IAmbienteProgetto, and the main window's project
// commands (IComandiProgetto) over the core's lifecycle.
#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/progetto.h"
#include "shell/ui/comandi_progetto.h"

namespace varnex::ui {

// The windows of the lifecycle. The caption goes to the main window given with
// ImpostaFinestraPrincipale; the editor operations go to the editor window.
class AmbienteProgettoQt : public IAmbienteProgetto {
 public:
  std::optional<std::string> ChiediFileApri(const std::string& titolo, const std::string& filtro,
                                            const std::string& cartella) override;
  std::optional<std::string> ChiediFileSalva(const std::string& titolo, const std::string& filtro,
                                             const std::string& cartella, const std::string& nome) override;
  void MostraAttesa() override;
  void ScaricaAttesa() override;
  void DoEvents() override;
  void Titolo(const std::string& titolo) override;
  void ScaricaEditor() override;
  void NewRete(int16_t rete) override;
  void MostraEditor() override;
  void Elaborazione() override;
  void AggiornaCalcoli() override;
  void SospendiAggiornamenti() override;
  void RiprendiAggiornamenti() override;
  void TerminaProcesso(int codice) override;

  // The window whose caption the lifecycle keeps (the main window).
  void ImpostaFinestraPrincipale(QWidget* finestra) { principale_ = finestra; }
  QWidget* FinestraPrincipale() const { return principale_; }

  // The editor the project reader has just built for the project it read: unloading it before
  // anything else used it would only build the same window again.
  void EditorDellaLettura(QWidget* editor) { editorDellaLettura_ = editor; }

 private:
  QPointer<QWidget> principale_;
  QPointer<QWidget> editorDellaLettura_;
};

// The main window's project commands: the core lifecycle, the parameters dialog and the start
// screen.
class ComandiProgettoQt : public IComandiProgetto {
 public:
  void ApriProgetto() override;
  bool SalvaProgetto(const std::string& percorso) override;
  bool ChiudiProgetto() override;
  void EsciProgramma() override;
  void MostraParametri() override;
  void ScaricaParametri() override;
  void MostraAttivita() override;
};

// Both installed for the life of the object (the program holds one from start-up to the end):
// the core's lifecycle environment, the project reader's windows and the main window's commands.
class CicloVitaQt {
 public:
  CicloVitaQt();
  ~CicloVitaQt();
  CicloVitaQt(const CicloVitaQt&) = delete;
  CicloVitaQt& operator=(const CicloVitaQt&) = delete;

  AmbienteProgettoQt& Ambiente() { return ambiente_; }

 private:
  class FinestreLettura;
  AmbienteProgettoQt ambiente_;
  ComandiProgettoQt comandi_;
  std::unique_ptr<FinestreLettura> lettura_;
};

}  // namespace varnex::ui
