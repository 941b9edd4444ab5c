#include "archives/ui/sostituzione_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/ui/units.h"

namespace varnex::ui {

frmEquivDialog::frmEquivDialog(QWidget* parent) : Dialogo(parent) {
  setObjectName("frmEquiv");
  setWindowTitle("Sostituzioni");
  // No close box, no minimise or maximise button: only "Procedi" leaves the window.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("La seguente tabella non esiste in archivio:", this));
  SSPanel1 = new QLabel(this);
  SSPanel1->setObjectName("SSPanel1");
  SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  SSPanel1->setAlignment(Qt::AlignCenter);
  SSPanel1->setMinimumHeight(28);
  layout->addWidget(SSPanel1);
  layout->addWidget(new QLabel("sostituire  con :", this));
  List1 = new QListWidget(this);
  List1->setSortingEnabled(false);
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(List1, 1);
  Command1 = new QPushButton("Procedi", this);
  Command1->setDefault(true);
  layout->addWidget(Command1, 0, Qt::AlignHCenter);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { Command1_Click(); });
  resize(300, 320);
  // Over the program's window, as every window the program centres.
  CentraSulloSchermo(*this);
}

void frmEquivDialog::Prepara(const std::string& nome, const std::vector<std::string>& candidati) {
  SSPanel1->setText(QS(nome));
  List1->clear();
  for (const std::string& c : candidati) List1->addItem(QS(c));
  List1->setCurrentRow(-1);
  List1->clearSelection();
}

void frmEquivDialog::Command1_Click() {
  const QList<QListWidgetItem*> scelti = List1->selectedItems();
  const int posizione = scelti.isEmpty() ? -1 : List1->row(scelti.front());
  if (!Sostituzioni::ConfermaSelezione(posizione)) return;
  scelta = static_cast<int16_t>(posizione + 1);
  done(QDialog::Accepted);
}

void frmEquivDialog::closeEvent(QCloseEvent* evento) {
  if (scelta > 0) {
    evento->accept();
    return;
  }
  evento->ignore();
}

void frmEquivDialog::keyPressEvent(QKeyEvent* evento) {
  // Esc is "Annulla": no substitute, and the entry stays missing (the calculation refuses it).
  if (evento->key() == Qt::Key_Escape) {
    scelta = 0;
    done(QDialog::Rejected);
    return;
  }
  if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
    Command1_Click();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

int16_t DialogoSostituzioneQt::Scegli(const std::string& nome, int16_t, const std::vector<std::string>& candidati) {
  frmEquivDialog finestra(ProprietarioDialoghi());
  finestra.Prepara(nome, candidati);
  MostraModale(finestra);  // clears the answer first
  return finestra.scelta;
}

}  // namespace varnex::ui
