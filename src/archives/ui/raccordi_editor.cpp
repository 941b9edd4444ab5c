#include "archives/ui/raccordi_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "archives/ui/campi.h"

namespace varnex::ui {

frmSpeciali::frmSpeciali(QWidget* parent) : Dialogo(parent) {
  setObjectName("frmSpeciali");
  setWindowTitle(QString::fromUtf8("Lunghezze equivalenti accidentalità"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* g = new QGridLayout;
  auto* titolo = new QLabel("Lunghezze equivalenti in metri di tubo", this);
  auto* sottotitolo = new QLabel("Per intervalli di diametro interno del tubo", this);
  titolo->setAlignment(Qt::AlignCenter);
  sottotitolo->setAlignment(Qt::AlignCenter);
  g->addWidget(titolo, 0, 1, 1, 3);
  g->addWidget(sottotitolo, 1, 1, 1, 3);
  g->addWidget(new QLabel("Descrizione", this), 2, 0);
  g->addWidget(new QLabel("< 50mm", this), 2, 1, Qt::AlignCenter);
  g->addWidget(new QLabel(QString::fromUtf8("50mm ÷ 125mm"), this), 2, 2, Qt::AlignCenter);
  g->addWidget(new QLabel("> 125mm", this), 2, 3, Qt::AlignCenter);
  auto nuovo = [this](const char* nome, int r) {
    auto* c = new QLineEdit(this);
    c->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(nome)).arg(r));
    return c;
  };
  for (int r = 0; r < 10; ++r) {
    txtDesc[r] = nuovo("txtDesc", r);
    txtRange1[r] = nuovo("txtRange1", r);
    txtRange2[r] = nuovo("txtRange2", r);
    txtRange3[r] = nuovo("txtRange3", r);
    txtDesc[r]->setMinimumWidth(160);
    for (QLineEdit* c : {txtRange1[r], txtRange2[r], txtRange3[r]}) c->setMaximumWidth(90);
    g->addWidget(txtDesc[r], r + 3, 0);
    g->addWidget(txtRange1[r], r + 3, 1);
    g->addWidget(txtRange2[r], r + 3, 2);
    g->addWidget(txtRange3[r], r + 3, 3);
  }
  layout->addLayout(g);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  cmdOK = new QPushButton("OK", this);
  cmdAnnulla = new QPushButton("Annulla", this);
  for (QPushButton* b : {cmdOK, cmdAnnulla}) {
    b->setAutoDefault(false);
    pulsanti->addWidget(b);
  }
  layout->addLayout(pulsanti);

  for (int r = 0; r < 10; ++r) {
    // The four fittings every segment counts keep their names.
    if (r < RigheDescrizioneFissa)
      CampoSoloLettura(txtDesc[r]);
    else
      FiltraCampo(txtDesc[r], false, [this, r] { txtRange1[r]->setFocus(); });
    FiltraCampo(txtRange1[r], true, [this, r] { txtRange2[r]->setFocus(); });
    FiltraCampo(txtRange2[r], true, [this, r] { txtRange3[r]->setFocus(); });
    FiltraCampo(txtRange3[r], true, [this, r] {
      if (r == 9)
        cmdOK->setFocus();
      else if (r + 1 < RigheDescrizioneFissa)
        txtRange1[r + 1]->setFocus();
      else
        txtDesc[r + 1]->setFocus();
    });
  }
  QWidget* prima = nullptr;
  for (int r = 0; r < 10; ++r)
    for (QWidget* w : {static_cast<QWidget*>(txtDesc[r]), static_cast<QWidget*>(txtRange1[r]),
                       static_cast<QWidget*>(txtRange2[r]), static_cast<QWidget*>(txtRange3[r])}) {
      if (prima) setTabOrder(prima, w);
      prima = w;
    }
  setTabOrder(prima, cmdOK);
  setTabOrder(cmdOK, cmdAnnulla);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdAnnulla, &QPushButton::clicked, this, [this] { cmdAnnulla_Click(); });
  MostraSpeciali();
}

void frmSpeciali::MostraSpeciali() {
  const CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  for (int r = 0; r < 10; ++r) {
    const RigaSpeciale& riga = c[static_cast<size_t>(r)];
    const QString descrizione = QS(riga.Descrizione);
    if (r >= RigheDescrizioneFissa) {
      // Typing stops at 16 characters; a longer name already in the archive is shown whole, so
      // that "OK" does not cut it.
      txtDesc[r]->setMaxLength(std::max<int>(LunghezzaMaxDescrizione, static_cast<int>(descrizione.size())));
    }
    txtDesc[r]->setText(descrizione);
    txtRange1[r]->setText(QS(riga.Range1));
    txtRange2[r]->setText(QS(riga.Range2));
    txtRange3[r]->setText(QS(riga.Range3));
  }
}

CampiSpeciali frmSpeciali::LeggiSpeciali() const {
  CampiSpeciali c;
  for (int r = 0; r < 10; ++r) {
    RigaSpeciale& riga = c[static_cast<size_t>(r)];
    riga.Descrizione = SS(txtDesc[r]->text());
    riga.Range1 = SS(txtRange1[r]->text());
    riga.Range2 = SS(txtRange2[r]->text());
    riga.Range3 = SS(txtRange3[r]->text());
  }
  return c;
}

void frmSpeciali::cmdOK_Click() {
  BoxSpeciale box{-1, -1};
  if (EditorSpeciali::Conferma(LeggiSpeciali(), &box)) {
    done(QDialog::Accepted);
    return;
  }
  if (box.riga < 0 || box.riga >= 10 || box.colonna < 0 || box.colonna > 3) return;
  // The correction typed next goes into the refused box.
  const std::array<QLineEdit*, 10>* colonne[] = {&txtDesc, &txtRange1, &txtRange2, &txtRange3};
  QLineEdit* campo = (*colonne[box.colonna])[static_cast<size_t>(box.riga)];
  campo->setFocus();
  campo->selectAll();
}

void frmSpeciali::cmdAnnulla_Click() { done(QDialog::Rejected); }

void frmSpeciali::keyPressEvent(QKeyEvent* evento) {
  if (!TastoEditorArchivio(evento, [this] { cmdAnnulla_Click(); })) Dialogo::keyPressEvent(evento);
}

void MostraSpeciali(QWidget* parent) {
  frmSpeciali finestra(parent);
  MostraModale(finestra);
}

}  // namespace varnex::ui
