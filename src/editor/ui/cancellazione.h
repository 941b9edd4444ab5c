// The delete command of the editor window: the dialog "Tipo cancellazione" (frmDelete) and the two
// entry points, DeleteKeyGrid (toolbar: the table's selected rows, or the schema's segment) and
// DeleteTronco (one segment: the schema's Delete key), both members of GasGrid.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cstdint>

#include "editor/cancellazione.h"
#include "shell/ui/services.h"

namespace varnex::ui {

class frmDelete : public Dialogo {
  Q_OBJECT
 public:
  explicit frmDelete(QWidget* parent = nullptr);

  // True when one of the three deletions was chosen; cleared before every show, so a close by
  // the close box or Esc is "Annulla". DeleteType keeps its last value.
  bool Done = false;
  int16_t DeleteType = 0;
  void AzzeraRisposta() override { Done = false; }

  void ShowUnlink();
  void HideUnlink();
  // Names the segments the choice will act on, so that the user sees which they are before
  // choosing: `prima` to `ultima`, 0 for none.
  void ImpostaTronchi(int16_t prima, int16_t ultima);

  void cmdScollega_Click();
  void cmdElimina_Click();
  void cmdCancella_Click();
  void cmdAnnulla_Click();

  QLabel* lblTronchi;
  QFrame* Frame1;
  QPushButton* cmdScollega;
  QPushButton* cmdCancella;
  QPushButton* cmdElimina;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QPushButton* cmdAnnulla;

 protected:
  void showEvent(QShowEvent* evento) override;
};

// The one instance, kept until the program ends.
frmDelete& CaricaFrmDelete();

}  // namespace varnex::ui
