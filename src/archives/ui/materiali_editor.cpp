#include "archives/ui/materiali_editor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "archives/ui/campi.h"
#include "app/ui/main_window.h"
#include "shell/ui/tasti.h"

namespace varnex::ui {

namespace {
QString Titolo(const std::string& t) { return QS(t).replace('\r', '\n'); }
}  // namespace

GestMateriali::GestMateriali(QWidget* parent) : Dialogo(parent) {
  setObjectName("GestMateriali");
  setWindowTitle("Gestione tubazioni");
  auto* layout = new QVBoxLayout(this);

  auto* testa = new QGridLayout;
  testa->addWidget(new QLabel("Tubazione", this), 0, 0);
  cmbMateriali = new QComboBox(this);
  cmbMateriali->setObjectName("cmbMateriali");
  testa->addWidget(cmbMateriali, 0, 1, 1, 2);
  Text2 = new QLineEdit(this);
  Text2->setObjectName("Text2");
  Text2->setToolTip("Descrizione");
  testa->addWidget(Text2, 1, 0, 1, 3);
  testa->addWidget(new QLabel("Massa Volumica:", this), 2, 0);
  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Text1->setToolTip("Massa volumica del materiale");
  testa->addWidget(Text1, 2, 1);
  testa->addWidget(new QLabel("kg/m^3", this), 2, 2);
  testa->addWidget(new QLabel("Tipo rugosita' :", this), 3, 0);
  auto* opzioni = new QHBoxLayout;
  Option3D1 = new QRadioButton("Acciaio", this);
  Option3D2 = new QRadioButton("Rame", this);
  Option3D3 = new QRadioButton("Plastica", this);
  for (QRadioButton* o : {Option3D1, Option3D2, Option3D3}) opzioni->addWidget(o);
  testa->addLayout(opzioni, 3, 1, 1, 2);
  layout->addLayout(testa);

  Grid = new QTableWidget(this);
  Grid->setObjectName("Grid");
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setTabKeyNavigation(false);
  layout->addWidget(Grid, 1);
  txtEdit = new QLineEdit(Grid->viewport());
  txtEdit->setObjectName("txtEdit");
  txtEdit->hide();

  auto* pulsanti = new QHBoxLayout;
  CmdNuovo = new QPushButton("Nuovo", this);
  CmdNuovo->setToolTip("Crea una nuova serie di tubazioni");
  CmdSalva = new QPushButton("Salva", this);
  CmdSalva->setToolTip("Salva le modifiche alla serie corrente");
  cmdCancella = new QPushButton("Cancella", this);
  cmdCancella->setToolTip("Cancella la serie corrente");
  CmdEsci = new QPushButton("Annulla", this);
  for (QPushButton* b : {CmdNuovo, CmdSalva, cmdCancella, CmdEsci}) {
    b->setAutoDefault(false);
    pulsanti->addWidget(b);
  }
  layout->addLayout(pulsanti);

  FiltraCampo(Text1, true, [this] { Grid->setFocus(); });
  FiltraCampo(Text2, false, [this] { Text1->setFocus(); });
  Text1->installEventFilter(this);
  Grid->installEventFilter(this);
  txtEdit->installEventFilter(this);
  connect(Text2, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!mostrando_) editor.ImpostaDescrizione(SS(t));
  });
  connect(Option3D1, &QRadioButton::clicked, this, [this] { editor.ImpostaTipoFormula(1); });
  connect(Option3D2, &QRadioButton::clicked, this, [this] { editor.ImpostaTipoFormula(2); });
  connect(Option3D3, &QRadioButton::clicked, this, [this] { editor.ImpostaTipoFormula(3); });
  connect(cmbMateriali, &QComboBox::activated, this, [this](int) { cmbMateriali_Click(); });
  connect(CmdNuovo, &QPushButton::clicked, this, [this] { CmdNuovo_Click(); });
  connect(CmdSalva, &QPushButton::clicked, this, [this] { CmdSalva_Click(); });
  connect(cmdCancella, &QPushButton::clicked, this, [this] { cmdCancella_Click(); });
  connect(CmdEsci, &QPushButton::clicked, this, [this] { CmdEsci_Click(); });

  resize(640, 480);
  Posiziona();
  InizializzaGriglia();
  editor.CaricaListaSerie();
  CaricaListaSerie();
}

void GestMateriali::Posiziona() {
  frmMainForm* m = FinestraPrincipaleCaricata();
  if (!m) return;
  // Centred on the main window, vertically in the part below its toolbar band.
  int banda = 0;
  if (m->Picture1)
    banda = static_cast<int>(std::lround(m->Picture1->height() + 3.0 * QFontMetrics(m->Picture1->font()).height()));
  const QRect g = m->geometry();
  move(g.x() + (g.width() - width()) / 2, g.y() + banda + (g.height() - banda - height()) / 2);
}

void GestMateriali::InizializzaGriglia() {
  Grid->setColumnCount(ColonneSerie - 1);
  Grid->setRowCount(RigheSerie);
  QStringList titoli;
  for (int c = 1; c < ColonneSerie; ++c) titoli << Titolo(editor.Griglia[0][static_cast<size_t>(c)]);
  Grid->setHorizontalHeaderLabels(titoli);
  QStringList numeri;
  for (int r = 1; r <= RigheSerie; ++r) numeri << QS(editor.Griglia[static_cast<size_t>(r)][0]);
  Grid->setVerticalHeaderLabels(numeri);
  for (int r = 0; r < RigheSerie; ++r)
    for (int c = 0; c < ColonneSerie - 1; ++c) {
      auto* cella = new QTableWidgetItem;
      cella->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (c >= 1) cella->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      Grid->setItem(r, c, cella);
    }
  AdattaColonne();
  Grid->horizontalHeader()->setMinimumHeight(static_cast<int>(std::lround(Grid->verticalHeader()->defaultSectionSize() * 2.5)));
}

void GestMateriali::AdattaColonne() {
  // Before the window is shown the grid has no real width yet; a column is also never narrower
  // than its title, which would be cut off.
  const int larghezza = std::max(60, (Grid->viewport()->width() - 10) / 6);
  for (int c = 0; c < ColonneSerie - 1; ++c)
    Grid->setColumnWidth(c, std::max(larghezza, Grid->horizontalHeader()->sectionSizeHint(c)));
}

void GestMateriali::showEvent(QShowEvent* evento) {
  Dialogo::showEvent(evento);
  AdattaColonne();
}

void GestMateriali::CaricaListaSerie() {
  {
    const QSignalBlocker blocco(cmbMateriali);
    cmbMateriali->clear();
    for (int16_t i = 1; i <= NumMateriali; ++i) cmbMateriali->addItem(QS(Materiali[static_cast<size_t>(i)][0].Nome));
    if (editor.SerieNuova) {
      cmbMateriali->addItem(QS(editor.CopiaSerie[0].Nome));
      cmbMateriali->setCurrentIndex(cmbMateriali->count() - 1);
    } else {
      cmbMateriali->setCurrentIndex(editor.IndiceSerie - 1);
    }
  }
  cmbMateriali->setEnabled(!editor.SerieNuova);
  ChiudiCella();
  MostraSerie();
}

void GestMateriali::MostraSerie() {
  mostrando_ = true;
  Grid->setUpdatesEnabled(false);
  for (int r = 1; r <= RigheSerie; ++r)
    for (int c = 1; c < ColonneSerie; ++c)
      Grid->item(r - 1, c - 1)->setText(QS(editor.Griglia[static_cast<size_t>(r)][static_cast<size_t>(c)]));
  Text1->setText(QS(editor.TestoDensita()));
  Text2->setText(QS(editor.CopiaSerie[0].Descrizione));
  const int16_t tipo = editor.CopiaSerie[0].TipoFormula;
  (tipo == 2 ? Option3D2 : tipo == 3 ? Option3D3 : Option3D1)->setChecked(true);
  Grid->setCurrentCell(0, 0);
  Grid->setUpdatesEnabled(true);
  mostrando_ = false;
}

void GestMateriali::Dopo() { CaricaListaSerie(); }

void GestMateriali::ApriCella(const QString& tasto, bool conTestoCella) {
  const int r = Grid->currentRow();
  const int c = Grid->currentColumn();
  if (r < 0 || c < 0) return;
  const QRect cella = Grid->visualRect(Grid->model()->index(r, c));
  txtEdit->setGeometry(cella.adjusted(1, 1, -1, -1));
  if (conTestoCella) {
    txtEdit->setText(Grid->item(r, c)->text());
    txtEdit->selectAll();
  } else {
    txtEdit->setText(tasto);
    txtEdit->setCursorPosition(static_cast<int>(tasto.size()));
  }
  txtEdit->show();
  txtEdit->setFocus();
}

void GestMateriali::ChiudiCella() { txtEdit->hide(); }

void GestMateriali::CommitCella() {
  const int riga = Grid->currentRow() + 1;
  const int colonna = Grid->currentColumn() + 1;
  const std::string testo = SS(txtEdit->text());
  ChiudiCella();
  const EsitoCommit e = editor.Commit(static_cast<int16_t>(riga), static_cast<int16_t>(colonna), testo);
  MostraSerie();
  Grid->setCurrentCell(e.riga - 1, e.colonna - 1);
  if (e.primaVisibile) Grid->scrollToItem(Grid->item(*e.primaVisibile - 1, 0), QAbstractItemView::PositionAtTop);
  Grid->setFocus();
}

bool GestMateriali::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == Grid && evento->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(evento);
    const int c = Grid->currentColumn() + 1;
    const int16_t tasto = CodiceTasto(*k);
    if (tasto == 0 || tasto == 27) return false;  // moving keys stay the grid's
    if (c >= 1 && c <= 3) ApriCella(k->text(), tasto == 13 || tasto == 8);
    return true;
  }
  if (oggetto == txtEdit && evento->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(evento);
    if (CodiceTasto(*k) == 27) {
      ChiudiCella();
      Grid->setFocus();
      return true;
    }
    if (CodiceTasto(*k) == 13) {
      CommitCella();
      return true;
    }
    return false;
  }
  if (oggetto == txtEdit && evento->type() == QEvent::FocusOut) {
    // Clicking elsewhere leaves the cell as it was.
    if (static_cast<QFocusEvent*>(evento)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason)
      ChiudiCella();
    return false;
  }
  if (oggetto == Text1 && evento->type() == QEvent::FocusOut) {
    const auto ragione = static_cast<QFocusEvent*>(evento)->reason();
    if (ragione != Qt::ActiveWindowFocusReason && ragione != Qt::PopupFocusReason && !chiudendo_) Text1_LostFocus();
    return false;
  }
  return Dialogo::eventFilter(oggetto, evento);
}

void GestMateriali::Text1_LostFocus() {
  // A text refused shows again the density the series holds.
  if (!editor.ImpostaDensita(SS(Text1->text()))) Text1->setText(QS(editor.TestoDensita()));
  const int r = Grid->currentRow();
  const int c = Grid->currentColumn();
  MostraSerie();
  Grid->setCurrentCell(r, c);
}

void GestMateriali::cmbMateriali_Click() {
  if (editor.SerieNuova || editor.RipristinoLista) return;
  const int scelta = cmbMateriali->currentIndex();
  ChiudiCella();
  if (!editor.CambiaSerie(static_cast<int16_t>(scelta + 1))) {
    editor.RipristinoLista = true;
    cmbMateriali->setCurrentIndex(editor.IndiceSerie - 1);
    editor.RipristinoLista = false;
    return;
  }
  Dopo();
}

void GestMateriali::CmdSalva_Click() {
  ChiudiCella();
  if (editor.SalvaSerie()) Dopo();
}

void GestMateriali::CmdNuovo_Click() {
  ChiudiCella();
  const bool creata = editor.Nuovo([this] {
    Dopo();  // the series shown was saved: the list and the default series come first
    return InputBox("Nome del file del materiale", "Nuovo Materiale", {}, this);
  });
  Dopo();
  if (creata) Text2->setFocus();
}

void GestMateriali::cmdCancella_Click() { editor.Cancella(); }

void GestMateriali::CmdEsci_Click() {
  ChiudiCella();
  if (!editor.Esci()) {
    Dopo();
    return;
  }
  chiudendo_ = true;
  done(QDialog::Accepted);
}

void GestMateriali::closeEvent(QCloseEvent* evento) {
  // The close box asks like "Annulla": pending changes are never dropped unasked.
  if (chiudendo_) {
    evento->accept();
    return;
  }
  evento->ignore();
  CmdEsci_Click();
}

void GestMateriali::keyPressEvent(QKeyEvent* evento) {
  if (!TastoEditorArchivio(evento, [this] { CmdEsci_Click(); })) Dialogo::keyPressEvent(evento);
}

void MostraGestMateriali(QWidget* parent) {
  GestMateriali finestra(parent);
  MostraModale(finestra);
}

}  // namespace varnex::ui
