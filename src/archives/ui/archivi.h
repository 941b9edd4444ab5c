// The archive windows offered to the rest of the program: the substitution question asked while a
// project loads, and the gas editor behind the parameters dialog's "Gestione gas ->".
#pragma once

namespace varnex::ui {

// Installs both for the life of the object (the program holds one from start-up to the end).
class ArchiviQt {
 public:
  ArchiviQt();
  ~ArchiviQt();
  ArchiviQt(const ArchiviQt&) = delete;
  ArchiviQt& operator=(const ArchiviQt&) = delete;
};

// The menu commands of the main window's "Archivi" and Help menus: each shows its window modal.
void ApriGestMateriali();
void ApriEditorGasDaMain();  // GasEditorDaMain = true, then the gas editor
void ApriEditorGasDaParametri();  // GasEditorDaMain = false, then the gas editor
void ApriSpeciali();  // the fittings' equivalent lengths
void ApriPDC();  // the default maximum pressure drops
void ApriCopiaArchivi();  // the archive copy, then its run
void ApriCopiaProgetti();  // the project copy, then its run

}  // namespace varnex::ui
