#include "editor/ui/cancellazione.h"

#include <QFontMetrics>
#include <QShowEvent>
#include <algorithm>
#include <cstdlib>

#include "editor/ui/gasgrid.h"
#include "model/interaction.h"
#include "shell/ui/main_window.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

QPushButton* Riga(QWidget* parent, QLabel*& etichetta, const QString& titolo, const QString& spiegazione, int alto) {
  auto* b = new QPushButton(parent);
  b->setGeometry(RettangoloTwips(120, alto, 600, 600));
  b->setAutoDefault(false);
  etichetta = new QLabel(titolo + QStringLiteral("\r\n") + spiegazione, parent);
  etichetta->setWordWrap(true);
  etichetta->setGeometry(RettangoloTwips(840, alto, 4200, 600));
  return b;
}

}  // namespace

frmDelete::frmDelete(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmDelete"));
  setWindowTitle(QStringLiteral("Tipo cancellazione"));
  setModal(true);
  setFixedSize(DimensioneTwips(5400, 3000));
  Frame1 = new QFrame(this);
  Frame1->setFrameShape(QFrame::Box);
  Frame1->setGeometry(RettangoloTwips(60, 60, 5220, 2220));
  cmdScollega = Riga(Frame1, Label1, QStringLiteral("Scollega tronchi"),
                     QStringLiteral("scollega il tronco selezionato e tutti i tronchi derivati dalla rete. Sarà possibile "
                                    "un successivo ricollegamento."),
                     120);
  cmdCancella = Riga(Frame1, Label3, QStringLiteral("Cancella tronchi"),
                     QStringLiteral("cancella definitivamente i tronchi selezionati e tutti i tronchi derivati."), 840);
  cmdElimina = Riga(Frame1, Label2, QStringLiteral("Elimina tronchi"),
                    QStringLiteral("elimina definitivamente i tronchi selezionati e rinumera tutti i tronchi della rete."),
                    1560);
  cmdScollega->setObjectName(QStringLiteral("cmdScollega"));
  cmdCancella->setObjectName(QStringLiteral("cmdCancella"));
  cmdElimina->setObjectName(QStringLiteral("cmdElimina"));
  cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
  cmdAnnulla->setAutoDefault(false);
  cmdAnnulla->setGeometry(RettangoloTwips(4200, 2340, 1080, 375));
  connect(cmdScollega, &QPushButton::clicked, this, [this] { cmdScollega_Click(); });
  connect(cmdElimina, &QPushButton::clicked, this, [this] { cmdElimina_Click(); });
  connect(cmdCancella, &QPushButton::clicked, this, [this] { cmdCancella_Click(); });
  connect(cmdAnnulla, &QPushButton::clicked, this, [this] { cmdAnnulla_Click(); });
}

void frmDelete::showEvent(QShowEvent* evento) {
  Dialogo::showEvent(evento);
  // Centred on the main window, in the room below its toolbar band.
  frmMainForm* principale = FinestraPrincipaleCaricata();
  if (!principale) return;
  const QFontMetrics fm(principale->Picture1->font());
  const int v = principale->Picture1->height() + 3 * fm.height();
  const QRect p = principale->geometry();
  move(p.left() + (p.width() - width()) / 2, p.top() + v + (p.height() - v - height()) / 2);
}

void frmDelete::ShowUnlink() {
  cmdScollega->setEnabled(true);
  Label1->setEnabled(true);
}

void frmDelete::HideUnlink() {
  cmdScollega->setEnabled(false);
  Label1->setEnabled(false);
}

void frmDelete::cmdScollega_Click() {
  DeleteType = Scollega;
  Done = true;
  done(QDialog::Accepted);
}

void frmDelete::cmdElimina_Click() {
  DeleteType = Elimina;
  Done = true;
  done(QDialog::Accepted);
}

void frmDelete::cmdCancella_Click() {
  DeleteType = Cancella;
  Done = true;
  done(QDialog::Accepted);
}

void frmDelete::cmdAnnulla_Click() {
  Done = false;
  done(QDialog::Rejected);
}

frmDelete& CaricaFrmDelete() {
  static frmDelete* dialogo = nullptr;
  if (!dialogo) dialogo = new frmDelete(FinestraPrincipaleCaricata());
  return *dialogo;
}

// ---- The delete command of the editor window ------------------------------------------------

void GasGrid::DeleteKeyGrid() {
  if (std::abs(Grid->Col() - Grid->ColSel()) > 0) {
    frmDelete& d = CaricaFrmDelete();
    d.ShowUnlink();
    MostraModale(d);
    if (!d.Done || !ConfermaCancellazione(d.DeleteType, Grid->Row(), Grid->RowSel())) return;
    CancellaRighe(d.DeleteType, Grid->Row(), Grid->RowSel(), IndiceRete, *this);
    return;
  }
  ISchemaRete* schema = SchemaRete();
  const int16_t seg = schema ? schema->GetSelectedTronco() : 0;
  if (seg > 0) {
    DeleteTronco(seg);
    if (schema) schema->DrawSchema(*picDisplay, 2, "Arial", 7);
  }
}

void GasGrid::DeleteTronco(int16_t seg) {
  frmDelete& d = CaricaFrmDelete();
  d.ShowUnlink();
  MostraModale(d);
  if (!d.Done || !ConfermaCancellazione(d.DeleteType, seg, seg)) return;
  if (!CancellaTronco(d.DeleteType, seg, IndiceRete, *this))
    MsgBox("Non è possibile scollegare il primo tronco.", Bottoni::OK, Icona::Informazione, "Attenzione");
}

}  // namespace varnex::ui
