#include "archives/ui/pdc_editor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "archives/ui/campi.h"

namespace varnex::ui {

namespace {
constexpr const char* kFamiglie[3][2] = {{"1° Famiglia", "(Gas manifatturato)"},
                                         {"2° Famiglia", "(Gas naturale, metano)"},
                                         {"3° Famiglia", "(Gas di petrolio liquefatto)"}};
}  // namespace

frmPDC::frmPDC(QWidget* parent) : Dialogo(parent) {
  setObjectName("frmPDC");
  setWindowTitle("Perdite di carico massime predefinite");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto nuovo = [this](const QString& nome) {
    auto* c = new QLineEdit(this);
    c->setObjectName(nome);
    c->setMaximumWidth(80);
    return c;
  };
  txtPotenza = nuovo("txtPotenza");
  txtPotenzaBis = nuovo("txtPotenzaBis");
  for (int i = 0; i < 3; ++i) {
    txtPotenza1[i] = nuovo(QStringLiteral("txtPotenza1_%1").arg(i));
    txtPotenza2[i] = nuovo(QStringLiteral("txtPotenza2_%1").arg(i));
  }
  auto cornice = [&](const char* didascalia, QLineEdit* soglia, const std::array<QLineEdit*, 3>& valori) {
    auto* box = new QGroupBox(this);
    auto* v = new QVBoxLayout(box);
    auto* intestazione = new QHBoxLayout;
    intestazione->addWidget(new QLabel(didascalia, box));
    intestazione->addWidget(soglia);
    intestazione->addWidget(new QLabel("kW", box));
    intestazione->addStretch(1);
    v->addLayout(intestazione);
    auto* g = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
      g->addWidget(new QLabel(QString::fromUtf8(kFamiglie[i][0]), box), 0, 2 * i, 1, 2, Qt::AlignCenter);
      g->addWidget(new QLabel(QString::fromUtf8(kFamiglie[i][1]), box), 1, 2 * i, 1, 2, Qt::AlignCenter);
      g->addWidget(valori[i], 2, 2 * i, Qt::AlignRight);
      g->addWidget(new QLabel("Pa", box), 2, 2 * i + 1);
    }
    v->addLayout(g);
    layout->addWidget(box);
  };
  cornice("Potenza fino a :", txtPotenza, txtPotenza1);
  cornice("Potenza oltre a :", txtPotenzaBis, txtPotenza2);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  cmdOK = new QPushButton("OK", this);
  cmdAnnulla = new QPushButton("Annulla", this);
  for (QPushButton* b : {cmdOK, cmdAnnulla}) {
    b->setAutoDefault(false);
    pulsanti->addWidget(b);
  }
  layout->addLayout(pulsanti);

  // The lower threshold only repeats the upper one; it is shown as a display-only box but stays
  // in the Tab order.
  CampoSoloLettura(txtPotenzaBis);
  txtPotenzaBis->setFocusPolicy(Qt::TabFocus);
  FiltraCampo(txtPotenza, true, [this] { txtPotenza1[0]->setFocus(); });
  for (int i = 0; i < 3; ++i) {
    FiltraCampo(txtPotenza1[i], true, [this, i] { (i < 2 ? txtPotenza1[i + 1] : txtPotenza2[0])->setFocus(); });
    FiltraCampo(txtPotenza2[i], true, [this, i] {
      if (i < 2)
        txtPotenza2[i + 1]->setFocus();
      else
        cmdOK->setFocus();
    });
  }
  QWidget* ordine[] = {txtPotenza,     txtPotenza1[0], txtPotenza1[1], txtPotenza1[2], txtPotenzaBis,
                       txtPotenza2[0], txtPotenza2[1], txtPotenza2[2], cmdOK,          cmdAnnulla};
  for (size_t i = 1; i < std::size(ordine); ++i) setTabOrder(ordine[i - 1], ordine[i]);
  for (QLineEdit* c : {txtPotenza, txtPotenza1[0], txtPotenza1[1], txtPotenza1[2], txtPotenza2[0], txtPotenza2[1],
                       txtPotenza2[2]})
    c->installEventFilter(this);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdAnnulla, &QPushButton::clicked, this, [this] { cmdAnnulla_Click(); });
  MostraPDC(EditorPDC::MostraPDC());
}

void frmPDC::MostraPDC(const CampiPDC& c) {
  txtPotenza->setText(QS(c.Potenza));
  txtPotenzaBis->setText(QS(c.PotenzaBis));
  for (int i = 0; i < 3; ++i) {
    txtPotenza1[i]->setText(QS(c.Potenza1[static_cast<size_t>(i)]));
    txtPotenza2[i]->setText(QS(c.Potenza2[static_cast<size_t>(i)]));
  }
}

CampiPDC frmPDC::Campi() const {
  CampiPDC c;
  c.Potenza = SS(txtPotenza->text());
  c.PotenzaBis = SS(txtPotenzaBis->text());
  for (int i = 0; i < 3; ++i) {
    c.Potenza1[static_cast<size_t>(i)] = SS(txtPotenza1[i]->text());
    c.Potenza2[static_cast<size_t>(i)] = SS(txtPotenza2[i]->text());
  }
  return c;
}

void frmPDC::Form_Paint() {
  QLineEdit* campo = rifiutato_ ? rifiutato_ : txtPotenza;
  campo->setFocus();
  campo->selectAll();
}

void frmPDC::cmdOK_Click() {
  CampiPDC c = Campi();
  int box = -1;
  const bool salvato = EditorPDC::ApplicaPDC(c, &box);
  MostraPDC(c);
  if (salvato) {
    done(QDialog::Accepted);
    return;
  }
  QLineEdit* const editabili[BoxPDC] = {txtPotenza,     txtPotenza1[0], txtPotenza1[1], txtPotenza1[2],
                                        txtPotenza2[0], txtPotenza2[1], txtPotenza2[2]};
  if (box >= 0 && box < BoxPDC) {
    rifiutato_ = editabili[box];
    Form_Paint();
  }
}

void frmPDC::cmdAnnulla_Click() { done(QDialog::Rejected); }

bool frmPDC::event(QEvent* evento) {
  const bool r = Dialogo::event(evento);
  // Every repaint of a child would be too often: the focus goes back when the window shows or
  // returns to the front, as it did when it was drawn again after being covered.
  if (evento->type() == QEvent::Show || evento->type() == QEvent::WindowActivate) Form_Paint();
  return r;
}

bool frmPDC::eventFilter(QObject* oggetto, QEvent* evento) {
  auto* campo = qobject_cast<QLineEdit*>(oggetto);
  if (campo && evento->type() == QEvent::FocusIn) campo->selectAll();
  // The message box taking the focus is not the user leaving the refused box.
  if (campo && campo == rifiutato_ && evento->type() == QEvent::FocusOut) {
    const Qt::FocusReason perche = static_cast<QFocusEvent*>(evento)->reason();
    if (perche != Qt::ActiveWindowFocusReason && perche != Qt::PopupFocusReason) rifiutato_ = nullptr;
  }
  if (campo == txtPotenza && evento->type() == QEvent::FocusOut) txtPotenzaBis->setText(txtPotenza->text());
  return Dialogo::eventFilter(oggetto, evento);
}

void frmPDC::keyPressEvent(QKeyEvent* evento) {
  if (!TastoEditorArchivio(evento, [this] { cmdAnnulla_Click(); })) Dialogo::keyPressEvent(evento);
}

void MostraPDC(QWidget* parent) {
  frmPDC finestra(parent);
  MostraModale(finestra);
}

}  // namespace varnex::ui
