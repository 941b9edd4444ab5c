#include "editor/ui/cancellazione.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPointer>
#include <QShowEvent>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "editor/ui/gasgrid.h"
#include "model/interaction.h"
#include "app/ui/main_window.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

QPushButton* Riga(QWidget* parent, QLabel*& etichetta, const QString& titolo, const QString& spiegazione) {
  auto* b = new QPushButton(parent);
  b->setAutoDefault(false);
  b->setToolTip(titolo);
  etichetta = new QLabel(titolo + QStringLiteral("\r\n") + spiegazione, parent);
  etichetta->setWordWrap(true);
  etichetta->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return b;
}

// The three pictures, drawn here: a pipe run cut loose from its parent (unlink), cut away with
// its row left blank (cancel), cut away with the rows below closing up (delete and renumber).
QPixmap Figura(int16_t tipo) {
  const int lato = 32;
  QPixmap p(lato, lato);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  const QColor tubo(90, 90, 100), rosso(200, 20, 20);
  g.setPen(QPen(tubo, 4, Qt::SolidLine, Qt::FlatCap));
  switch (tipo) {
    case Scollega:
      g.drawLine(QPointF(2, 16), QPointF(13, 16));
      g.drawLine(QPointF(19, 12), QPointF(30, 12));
      g.setPen(QPen(rosso, 2));
      g.drawLine(QPointF(15, 9), QPointF(17, 23));
      break;
    case Cancella:
      g.setPen(QPen(tubo, 1, Qt::DashLine));
      for (int y : {6, 26}) g.drawLine(QPointF(3, y), QPointF(29, y));
      g.setPen(QPen(tubo, 4, Qt::SolidLine, Qt::FlatCap));
      g.drawLine(QPointF(3, 16), QPointF(29, 16));
      g.setPen(QPen(rosso, 3));
      g.drawLine(QPointF(9, 9), QPointF(23, 23));
      g.drawLine(QPointF(23, 9), QPointF(9, 23));
      break;
    default:
      g.drawLine(QPointF(3, 10), QPointF(21, 10));
      g.setPen(QPen(rosso, 3));
      g.drawLine(QPointF(7, 4), QPointF(17, 16));
      g.drawLine(QPointF(17, 4), QPointF(7, 16));
      g.setPen(QPen(QColor(0, 110, 0), 2));
      g.drawLine(QPointF(26, 29), QPointF(26, 17));
      g.drawLine(QPointF(26, 17), QPointF(22, 21));
      g.drawLine(QPointF(26, 17), QPointF(30, 21));
      g.setPen(QPen(tubo, 4, Qt::SolidLine, Qt::FlatCap));
      g.drawLine(QPointF(3, 26), QPointF(20, 26));
      break;
  }
  return p;
}

}  // namespace

frmDelete::frmDelete(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmDelete"));
  setWindowTitle(QStringLiteral("Tipo cancellazione"));
  setModal(true);
  lblTronchi = new QLabel(this);
  lblTronchi->setObjectName(QStringLiteral("lblTronchi"));
  Frame1 = new QFrame(this);
  Frame1->setFrameShape(QFrame::Box);
  cmdScollega = Riga(Frame1, Label1, QStringLiteral("Scollega tronchi"),
                     QStringLiteral("scollega il tronco selezionato e tutti i tronchi derivati dalla rete. Sarà possibile "
                                    "un successivo ricollegamento."));
  cmdCancella = Riga(Frame1, Label3, QStringLiteral("Cancella tronchi"),
                     QStringLiteral("cancella definitivamente i tronchi selezionati e tutti i tronchi derivati."));
  cmdElimina = Riga(Frame1, Label2, QStringLiteral("Elimina tronchi"),
                    QStringLiteral("elimina definitivamente i tronchi selezionati e rinumera tutti i tronchi della rete."));
  cmdScollega->setObjectName(QStringLiteral("cmdScollega"));
  cmdCancella->setObjectName(QStringLiteral("cmdCancella"));
  cmdElimina->setObjectName(QStringLiteral("cmdElimina"));
  for (auto [b, tipo] : {std::pair{cmdScollega, Scollega}, {cmdCancella, Cancella}, {cmdElimina, Elimina}}) {
    b->setIcon(QIcon(Figura(tipo)));
    b->setIconSize(QSize(32, 32));
  }
  cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
  cmdAnnulla->setAutoDefault(false);

  // Each row is as high as its label needs at the label's width, so no explanation is cut.
  const int larghezza = 7200, sinistraEtichetta = 840;
  const int larghezzaEtichetta = larghezza - 180 - sinistraEtichetta - 120;
  const int altoEtichetta = 300;
  lblTronchi->setGeometry(RettangoloTwips(120, 60, larghezza - 300, altoEtichetta));
  int alto = 120;
  for (auto [b, l] : {std::pair{cmdScollega, Label1}, {cmdCancella, Label3}, {cmdElimina, Label2}}) {
    const int altezza = std::max(600, Twips(l->heightForWidth(Pixel(larghezzaEtichetta))) + 60);
    b->setGeometry(RettangoloTwips(120, alto + (altezza - 600) / 2, 600, 600));
    l->setGeometry(RettangoloTwips(sinistraEtichetta, alto, larghezzaEtichetta, altezza));
    alto += altezza + 120;
  }
  const int altoCornice = 60 + altoEtichetta + 60;
  Frame1->setGeometry(RettangoloTwips(60, altoCornice, larghezza - 180, alto));
  cmdAnnulla->setGeometry(RettangoloTwips(larghezza - 1200, altoCornice + alto + 120, 1080, 375));
  setFixedSize(DimensioneTwips(larghezza, altoCornice + alto + 120 + 375 + 120));
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

void frmDelete::ImpostaTronchi(int16_t prima, int16_t ultima) {
  if (prima > ultima) std::swap(prima, ultima);
  QString testo;
  if (ultima <= 0)
    testo = QStringLiteral("Nessun tronco selezionato.");
  else if (prima == ultima)
    testo = QStringLiteral("Tronco selezionato: %1").arg(prima);
  else
    testo = QStringLiteral("Tronchi selezionati: da %1 a %2").arg(prima).arg(ultima);
  lblTronchi->setText(testo);
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
  // Owned by the main window: a main window closed and opened again takes a new one.
  static QPointer<frmDelete> dialogo;
  if (!dialogo) dialogo = new frmDelete(FinestraPrincipaleCaricata());
  return *dialogo;
}

// ---- The delete command of the editor window ------------------------------------------------

namespace {

// The dialog for segments `prima` to `ultima`, named in it, then the refusal of unlinking
// segment 1 and the count question of a delete: the user's choice, or nullopt to change nothing.
std::optional<int16_t> SceltaCancellazione(int16_t prima, int16_t ultima) {
  frmDelete& d = CaricaFrmDelete();
  d.ShowUnlink();
  d.ImpostaTronchi(prima, ultima);
  MostraModale(d);
  if (!d.Done) return std::nullopt;
  if (ScollegaPrimoTronco(d.DeleteType, prima, ultima)) {
    MsgBox(MessaggioScollegaPrimo, Bottoni::OK, Icona::Informazione, "Attenzione");
    return std::nullopt;
  }
  if (!ConfermaCancellazione(d.DeleteType, prima, ultima)) return std::nullopt;
  return d.DeleteType;
}

}  // namespace

void GasGrid::DeleteKeyGrid() {
  // The command acts on what the user sees selected: the table's rows while the table is shown,
  // the schema's segment while the schema is shown. A selection left on a page not in front is
  // not seen, and deleting it would remove a segment the user never pointed at.
  switch (Pagina()) {
    case 0: {
      const int16_t prima = std::max<int16_t>(1, std::min(Grid->Row(), Grid->RowSel()));
      const int16_t ultima = std::min<int16_t>(std::max(Grid->Row(), Grid->RowSel()), ContoTronchi());
      if (prima > ultima) return;
      const int16_t colonna = Grid->Col();
      if (const auto tipo = SceltaCancellazione(prima, ultima)) {
        CancellaRighe(*tipo, prima, ultima, IndiceRete, *this);
        // The table was rebuilt with its cursor on row 1's first cell: the next key would open
        // "Da tronco" of segment 1. The cursor goes back where the user was, on the first row of
        // the range (or the last row the table still has), in the same column.
        const int16_t riga = std::min<int16_t>(prima, static_cast<int16_t>(Grid->Rows() - 1));
        if (riga >= 1 && colonna >= 1 && colonna < Grid->Cols()) {
          Grid->SetRowCol(riga, colonna);
          Grid->SetSelezione(riga, colonna);
        }
      }
      return;
    }
    case 1: {
      ISchemaRete* schema = SchemaRete();
      const int16_t seg = schema ? schema->GetSelectedTronco() : 0;
      if (seg <= 0) return;
      DeleteTronco(seg);
      schema->DrawSchema(*picDisplay, 2, "Arial", 7);
      return;
    }
    default:
      return;
  }
}

void GasGrid::DeleteTronco(int16_t seg) {
  if (const auto tipo = SceltaCancellazione(seg, seg)) CancellaTronco(*tipo, seg, IndiceRete, *this);
}

}  // namespace varnex::ui
