// The project commands of the main window's menus and toolbar, as the project lifecycle offers
// them. The lifecycle installs its implementation at start-up; until then (and in tests that do
// not install one) the main window keeps the entries that need it disabled.
#pragma once

#include <string>

namespace varnex::ui {

class IComandiProgetto {
 public:
  virtual ~IComandiProgetto() = default;
  // "Apri progetto..." / "Apri File": asks a file, closes the open project and loads the new one.
  virtual void ApriProgetto() = 0;
  // Saves under `percorso`; an empty path always asks a name. False when nothing was saved.
  virtual bool SalvaProgetto(const std::string& percorso) = 0;
  // Asks "Salvare il progetto aperto" when the project was modified. False when the user cancelled.
  virtual bool ChiudiProgetto() = 0;
  // Asks the same question and, unless cancelled, ends the process at once.
  virtual void EsciProgramma() = 0;
  // `update` of the project-parameters dialog, then shows it modal.
  virtual void MostraParametri() = 0;
  // Unloads the project-parameters dialog (the new-project command starts from a fresh one).
  virtual void ScaricaParametri() = 0;
  // The start screen, modal: the user picks the new project's activity there, or opens a project.
  virtual void MostraAttivita() = 0;
};

// Installs the implementation (nullptr removes it).
void ImpostaComandiProgetto(IComandiProgetto* comandi);
IComandiProgetto* ComandiProgetto();

}  // namespace varnex::ui
