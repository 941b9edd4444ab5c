#include "editor/ui/copyselect.h"

#include <algorithm>
#include <vector>

#include "editor/ui/ptronchi.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

constexpr int LarghezzaFinestra = 7000;

// The caption of the segment dialog's fitting label i (the fitting's name).
QString NomeLocale(size_t i) {
  if (PTronchi* p = PTronchiCaricato()) return p->lblLocal[i]->text();
  return QS(NomiSpeciali[i + 1]);
}

}  // namespace

frmCopySelect::frmCopySelect(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmCopySelect"));
  setWindowTitle(QStringLiteral("Selezione copia multipla"));
  setModal(true);

  fraTronco = new QGroupBox(QStringLiteral("Parametri tronco"), this);
  chkGroup0[0] = new QCheckBox(QStringLiteral("Lunghezza equivalente aggiuntiva"), fraTronco);
  chkGroup0[1] = new QCheckBox(QStringLiteral("Percentuale di contemporaneità"), fraTronco);
  chkGroup0[2] = new QCheckBox(QStringLiteral("Lunghezza effettiva tubazione"), fraTronco);
  chkGroup0[3] = new QCheckBox(QStringLiteral("Diametro"), fraTronco);
  // From top to bottom: length, additional length, diameter, simultaneity.
  const std::array<int, 4> ordine{2, 0, 3, 1};
  for (size_t r = 0; r < ordine.size(); ++r)
    chkGroup0[static_cast<size_t>(ordine[r])]->setGeometry(RettangoloTwips(120, 300 + static_cast<int>(r) * 330, 3000, 285));

  fraLocali = new QGroupBox(this);
  chkAllGroup1 = new QCheckBox(QStringLiteral("PDC Localizzate"), fraLocali);
  chkAllGroup1->setGeometry(RettangoloTwips(120, 0, 2400, 285));
  for (size_t i = 0; i < chkGroup1.size(); ++i) {
    chkGroup1[i] = new QCheckBox(fraLocali);
    chkGroup1[i]->setGeometry(RettangoloTwips(120, 300 + static_cast<int>(i) * 310, 3000, 285));
  }

  fraInfo = new QGroupBox(QStringLiteral("Informazioni"), this);
  Text1 = new QPlainTextEdit(fraInfo);
  Text1->setReadOnly(true);
  Text1->setPlainText(
      QStringLiteral("E' stata eseguita una selezione multipla. I valori specificati nella finetra 'parametri tronco' "
                     "saranno applicati a TUTTI i tronchi selezionati  solo per i parametri abilitati in questa "
                     "finestra."));
  Text1->setGeometry(RettangoloTwips(120, 300, LarghezzaFinestra - 480, 800));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
  cmdOK->setAutoDefault(false);
  cmdAnnulla->setAutoDefault(false);

  connect(chkAllGroup1, &QCheckBox::clicked, this, [this] { chkAllGroup1_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdAnnulla, &QPushButton::clicked, this, [this] { cmdAnnulla_Click(); });
  Form_Load();
}

void frmCopySelect::Form_Load() {
  const bool inPressione = ReteInPressione != 0;
  for (size_t i = 0; i < 4; ++i) chkGroup1[i]->setText(NomeLocale(i));
  int altezza = 0, cornici = 0, info = 0, pulsanti = 0;
  if (inPressione) {
    altezza = 6000, cornici = 3500, info = 3700, pulsanti = 5000;
    for (size_t i = 4; i < chkGroup1.size(); ++i) chkGroup1[i]->setText(NomeLocale(i));
  } else {
    altezza = 4200, cornici = 1700, info = 1900, pulsanti = 3200;
  }
  for (int flag = 0; flag <= 13; ++flag) {
    QCheckBox* c = flag < 10 ? chkGroup1[static_cast<size_t>(flag)] : chkGroup0[static_cast<size_t>(flag - 10)];
    const bool visibile = CasellaCopiaVisibile(flag, inPressione);
    c->setVisible(visibile);
    c->setEnabled(visibile);
    c->setChecked(false);
  }
  // Both frames as wide as their longest caption needs ("Lunghezza equivalente aggiuntiva" did
  // not fit the designed width), the window around them.
  int cornice = 3300;
  std::vector<QCheckBox*> caselle(chkGroup0.begin(), chkGroup0.end());
  caselle.insert(caselle.end(), chkGroup1.begin(), chkGroup1.end());
  caselle.push_back(chkAllGroup1);
  for (QCheckBox* c : caselle) cornice = std::max(cornice, Twips(c->sizeHint().width()) + 360);
  for (QCheckBox* c : caselle) {
    QRect r = c->geometry();
    r.setWidth(Pixel(cornice - 240));
    c->setGeometry(r);
  }
  const int larghezza = std::max(LarghezzaFinestra, 120 + cornice + 160 + cornice + 120);
  setFixedSize(DimensioneTwips(larghezza, altezza - 400));
  fraTronco->setGeometry(RettangoloTwips(120, 120, cornice, cornici));
  fraLocali->setGeometry(RettangoloTwips(120 + cornice + 160, 120, cornice, cornici));
  fraInfo->setGeometry(RettangoloTwips(120, info, larghezza - 240, 1200));
  Text1->setGeometry(RettangoloTwips(120, 300, larghezza - 480, 800));
  cmdOK->setGeometry(RettangoloTwips(larghezza - 2200, pulsanti, 950, 375));
  cmdAnnulla->setGeometry(RettangoloTwips(larghezza - 1170, pulsanti, 950, 375));
}

void frmCopySelect::GetSelection(std::array<int16_t, 14>& iArray) const {
  for (size_t i = 0; i < iArray.size(); ++i) iArray[i] = SceltaCopia_[i];
}

void frmCopySelect::chkAllGroup1_Click() {
  const bool stato = chkAllGroup1->isChecked();
  for (int i = 0; i <= UltimaCasellaLocali(ReteInPressione != 0); ++i) chkGroup1[static_cast<size_t>(i)]->setChecked(stato);
}

void frmCopySelect::cmdOK_Click() {
  for (size_t i = 0; i < 10; ++i) SceltaCopia_[i] = chkGroup1[i]->isChecked() ? 1 : 0;
  for (size_t i = 0; i < 4; ++i) SceltaCopia_[10 + i] = chkGroup0[i]->isChecked() ? 1 : 0;
  ok = true;
  accept();
}

void frmCopySelect::cmdAnnulla_Click() {
  ok = false;
  reject();
}

}  // namespace varnex::ui
