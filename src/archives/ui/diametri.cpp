#include "archives/ui/diametri.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "model/materiali.h"

namespace varnex::ui {

ViewDiametriFrm::ViewDiametriFrm(QWidget* parent) : Dialogo(parent) {
  setObjectName("ViewDiametriFrm");
  setWindowTitle("Diametri Disponibili");
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  layout->addWidget(Label1);
  List1 = new QListWidget(this);
  List1->setObjectName("List1");
  List1->setSortingEnabled(false);
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(List1, 1);
  auto* pulsanti = new QHBoxLayout;
  Command2 = new QPushButton("OK", this);
  Command1 = new QPushButton("Annulla", this);
  for (QPushButton* b : {Command2, Command1}) {
    b->setAutoDefault(false);
    pulsanti->addWidget(b);
  }
  layout->addLayout(pulsanti);
  connect(List1, &QListWidget::itemSelectionChanged, this, [this] { List1_Click(); });
  connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { List1_DblClick(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  resize(220, 300);
}

void ViewDiametriFrm::SetMateriale(int16_t serie) {
  const bool valida = serie >= 0 && serie <= MaxMateriali;
  const TSerieMateriale* s = valida ? &Materiali[static_cast<size_t>(serie)] : nullptr;
  Label1->setText(s ? QS((*s)[0].Nome) : QString());
  {
    const QSignalBlocker blocco(List1);
    List1->clear();
    List1->addItem(QStringLiteral("Auto"));
    if (s) {
      const int n = std::clamp<int>((*s)[0].NumDiametri, 0, MaxDiametri);
      for (int r = 1; r <= n; ++r) List1->addItem(QS((*s)[static_cast<size_t>(r)].RifDiametro));
    }
    List1->setCurrentRow(-1);
    List1->clearSelection();
  }
  Selected.clear();
}

void ViewDiametriFrm::List1_Click() {
  const QList<QListWidgetItem*> scelti = List1->selectedItems();
  if (!scelti.isEmpty()) Selected = SS(scelti.front()->text());
}

void ViewDiametriFrm::List1_DblClick() {
  List1_Click();
  done(QDialog::Accepted);
}

void ViewDiametriFrm::Command2_Click() {
  // A selection made without a signal reaching us (a caller setting the row directly) still counts.
  List1_Click();
  done(QDialog::Accepted);
}

void ViewDiametriFrm::Command1_Click() {
  Selected.clear();
  done(QDialog::Rejected);
}

void ViewDiametriFrm::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    Command1_Click();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

// QDialog::closeEvent ends through reject(); the close box keeps the choice.
void ViewDiametriFrm::reject() { done(QDialog::Accepted); }

std::string ScegliDiametro(int16_t serie, QWidget* parent) {
  ViewDiametriFrm scelta(parent);
  scelta.SetMateriale(serie);
  MostraModale(scelta);
  return scelta.Selected;
}

}  // namespace varnex::ui
