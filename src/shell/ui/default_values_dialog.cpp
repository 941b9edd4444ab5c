#include "shell/ui/default_values_dialog.h"

#include <QKeyEvent>

#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {
namespace {
constexpr int Larghezza = 5400;
}  // namespace

frmDefaultValue::frmDefaultValue(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmDefaultValue"));
  setWindowTitle(QStringLiteral("Valori di default"));

  lblGas = new QLabel(QStringLiteral("Tipo di Gas :"), this);
  lblGas->setGeometry(RettangoloTwips(240, 240, 1800, 300));
  cmbGas = new QComboBox(this);
  cmbGas->setObjectName(QStringLiteral("cmbGas"));
  cmbGas->setGeometry(RettangoloTwips(2100, 200, 3060, 360));

  lblMateriali = new QLabel(QStringLiteral("Tubazione"), this);
  lblMateriali->setGeometry(RettangoloTwips(240, 720, 1800, 300));
  cmbMateriali = new QComboBox(this);
  cmbMateriali->setObjectName(QStringLiteral("cmbMateriali"));
  cmbMateriali->setGeometry(RettangoloTwips(2100, 680, 3060, 360));

  lblVelocity = new QLabel(QStringLiteral("Velocità massima"), this);
  lblVelocity->setGeometry(RettangoloTwips(240, 1200, 1800, 300));
  txtVelocity = new QLineEdit(this);
  txtVelocity->setObjectName(QStringLiteral("txtVelocity"));
  txtVelocity->setGeometry(RettangoloTwips(2100, 1160, 1200, 360));
  lblVelocityUnit = new QLabel(QStringLiteral("m/s"), this);
  lblVelocityUnit->setGeometry(RettangoloTwips(3420, 1200, 600, 300));

  framePressioni = new QGroupBox(QStringLiteral("Calcolo reti gas in pressione"), this);
  framePressioni->setObjectName(QStringLiteral("framePressioni"));
  framePressioni->setGeometry(RettangoloTwips(120, 1680, Larghezza - 240, 1320));
  lblInitPres = new QLabel(QStringLiteral("Pressione relativa iniziale  [kPa]:"), framePressioni);
  lblInitPres->setGeometry(RettangoloTwips(120, 380, 2900, 300));
  cmbInitPres = new QComboBox(framePressioni);
  cmbInitPres->setObjectName(QStringLiteral("cmbInitPres"));
  cmbInitPres->setEditable(true);
  cmbInitPres->setInsertPolicy(QComboBox::NoInsert);
  // No completion from the entries: "15" typed would show as "150", and be kept as 150.
  cmbInitPres->setCompleter(nullptr);
  cmbInitPres->setGeometry(RettangoloTwips(3120, 340, 1560, 360));
  lblFinalPres = new QLabel(QStringLiteral("Pressione relativa finale  [kPa]:"), framePressioni);
  lblFinalPres->setGeometry(RettangoloTwips(120, 860, 2900, 300));
  cmbFinalPres = new QComboBox(framePressioni);
  cmbFinalPres->setObjectName(QStringLiteral("cmbFinalPres"));
  cmbFinalPres->setEditable(true);
  cmbFinalPres->setInsertPolicy(QComboBox::NoInsert);
  cmbFinalPres->setCompleter(nullptr);
  cmbFinalPres->setGeometry(RettangoloTwips(3120, 820, 1560, 360));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  for (QObject* o : std::initializer_list<QObject*>{cmbGas, cmbMateriali, txtVelocity, cmbInitPres, cmbFinalPres,
                                                     cmbInitPres->lineEdit(), cmbFinalPres->lineEdit()})
    o->installEventFilter(this);
  connect(cmdOK, &QPushButton::clicked, this, &frmDefaultValue::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmDefaultValue::cmdCancel_Click);

  RegistraFinestra(this);
  Form_Load();
}

void frmDefaultValue::ScegliPressione(QComboBox* lista, const std::string& testo) {
  int i = lista->findText(QS(testo), Qt::MatchExactly | Qt::MatchCaseSensitive);
  lista->setCurrentIndex(i);
  if (i < 0) lista->setEditText(QS(testo));
}

void frmDefaultValue::Form_Load() {
  campi_ = ApriValoriDefault();
  for (const auto& g : campi_.gas) cmbGas->addItem(QS(g));
  for (const auto& m : campi_.materiali) cmbMateriali->addItem(QS(m));
  txtVelocity->setText(QS(campi_.velocita));
  cmbGas->setCurrentIndex(campi_.gasScelto);
  cmbMateriali->setCurrentIndex(campi_.materialeScelto);

  const bool pressione = campi_.inPressione;
  lblVelocity->setVisible(pressione);
  txtVelocity->setVisible(pressione);
  lblVelocityUnit->setVisible(pressione);
  framePressioni->setVisible(pressione);
  const int altezza = pressione ? 4140 : 2650;
  const int altoPulsanti = pressione ? 3170 : 1680;
  setFixedSize(DimensioneTwips(Larghezza, altezza));
  cmdOK->setGeometry(RettangoloTwips(Larghezza - 2 * 1200 - 360, altoPulsanti, 1200, 420));
  cmdCancel->setGeometry(RettangoloTwips(Larghezza - 1200 - 240, altoPulsanti, 1200, 420));
  if (pressione) {
    framePressioni->move(framePressioni->x(), Pixel(1680));
    for (const auto& p : campi_.pressioni) {
      cmbInitPres->addItem(QS(p));
      cmbFinalPres->addItem(QS(p));
    }
    ScegliPressione(cmbInitPres, campi_.pressioneIniziale);
    ScegliPressione(cmbFinalPres, campi_.pressioneFinale);
  }
  CentraSulloSchermo(*this);
}

bool frmDefaultValue::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() != QEvent::KeyPress) return Dialogo::eventFilter(oggetto, evento);
  auto* tasto = static_cast<QKeyEvent*>(evento);
  const bool invio = tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;

  QWidget* campo = nullptr;  // the field the key was typed into
  if (oggetto == cmbInitPres->lineEdit()) campo = cmbInitPres;
  else if (oggetto == cmbFinalPres->lineEdit()) campo = cmbFinalPres;
  else campo = qobject_cast<QWidget*>(oggetto);

  if (invio) {
    QWidget* prossimo = nullptr;
    if (campo == cmbGas) prossimo = cmbMateriali;
    else if (campo == cmbMateriali) prossimo = campi_.inPressione ? static_cast<QWidget*>(txtVelocity) : cmdOK;
    else if (campo == txtVelocity) prossimo = cmbInitPres;
    else if (campo == cmbInitPres) prossimo = cmbFinalPres;
    else if (campo == cmbFinalPres) prossimo = cmdOK;
    if (prossimo) prossimo->setFocus(Qt::TabFocusReason);
    return true;
  }

  // Only typed characters are filtered; movement and editing keys pass.
  int16_t keyAscii = 0;
  if (tasto->key() == Qt::Key_Backspace) keyAscii = 8;
  else if (!tasto->text().isEmpty() && tasto->text().at(0).isPrint()) keyAscii = static_cast<int16_t>(tasto->text().at(0).unicode());
  if (keyAscii == 0) return Dialogo::eventFilter(oggetto, evento);

  // The two lists are chosen from, never typed into; Space opens them.
  if (campo == cmbGas || campo == cmbMateriali)
    return tasto->key() != Qt::Key_Space || Dialogo::eventFilter(oggetto, evento);
  if (campo == txtVelocity)
    return FiltroTastoNumerico(keyAscii, SS(txtVelocity->text()), txtVelocity->hasSelectedText(), 4) == 0;
  if (campo == cmbInitPres || campo == cmbFinalPres) {
    auto* lista = static_cast<QComboBox*>(campo);
    return FiltroTastoNumerico(keyAscii, SS(lista->currentText()), lista->lineEdit()->hasSelectedText(), 6) == 0;
  }
  return Dialogo::eventFilter(oggetto, evento);
}

void frmDefaultValue::cmdOK_Click() {
  campi_.gasScelto = cmbGas->currentIndex();
  campi_.materialeScelto = cmbMateriali->currentIndex();
  campi_.velocita = SS(txtVelocity->text());
  campi_.pressioneIniziale = SS(cmbInitPres->currentText());
  campi_.pressioneFinale = SS(cmbFinalPres->currentText());
  const bool scritto = ConfermaValoriDefault(campi_);
  cmbGas->setCurrentIndex(campi_.gasScelto);
  cmbMateriali->setCurrentIndex(campi_.materialeScelto);
  txtVelocity->setText(QS(campi_.velocita));
  if (campi_.inPressione) {
    cmbInitPres->setEditText(QS(campi_.pressioneIniziale));
    cmbFinalPres->setEditText(QS(campi_.pressioneFinale));
  }
  // A failed write was told: the dialog stays, with the user's choices, for another try or Cancel.
  if (!scritto) {
    cmdOK->setFocus(Qt::OtherFocusReason);
    return;
  }
  accept();
}

void frmDefaultValue::cmdCancel_Click() { reject(); }

}  // namespace varnex::ui
