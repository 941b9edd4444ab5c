#include "editor/ui/portata.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <cmath>

#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "app/ui/main_window.h"
#include "shell/ui/tasti.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

constexpr int32_t Giallo = 0x00FFFF;
constexpr int32_t Grigio = 0xC0C0C0;

// Designed geometry (twips).
constexpr int SinistraCaratteristiche = 120;
// The left frame is as wide as both kind selectors side by side need for their captions, since
// the narrow layout is cut at its right edge.
constexpr int LarghezzaCaratteristiche = 5000;
constexpr int SinistraUtenze = 5400;
constexpr int LarghezzaSelettore = (LarghezzaCaratteristiche - 40) / 2;
constexpr int LarghezzaUtenze = 3000;
constexpr int LarghezzaPulsante = 1000;

QLineEdit* Box(QWidget* parent, const char* nome, const QString& unita, int alto) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(QString::fromLatin1(nome));
  t->setGeometry(RettangoloTwips(120, alto, 1800, 315));
  auto* l = new QLabel(unita, parent);
  l->setGeometry(RettangoloTwips(2000, alto + 30, 900, 285));
  return t;
}

bool SlotValido(int16_t seg) { return seg >= 0 && seg <= MaxTronchi; }

// OK writes the reference text; a changed text is a change of the project.
void ScriviRiferimento(int16_t seg, const std::string& testo) {
  if (!SlotValido(seg)) return;
  if (Tronco(seg).ID_RIF != testo) ProgettoModificato = -1;
  Tronco(seg).ID_RIF = testo;
}

// The text a key typed into the box keeps: a selection goes with the key. The cap is judged on it,
// or a digit typed over a selected value too large put the cap in the box instead of the digit.
std::string TestoFuoriSelezione(const QLineEdit& box) {
  QString testo = box.text();
  if (box.hasSelectedText()) testo.remove(box.selectionStart(), box.selectedText().size());
  return SS(testo);
}

// A unit box holding a text the table would refuse as a number: its message, naming the box, and
// the box gets the keyboard back with its text selected for retyping. False then.
bool ControllaBoxUnita(QLineEdit& box, BoxUnita tipo) {
  const std::string rifiuto = RifiutoBoxUnita(tipo, SS(box.text()));
  if (rifiuto.empty()) return true;
  MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
  RidaiTastiera(box);
  return false;
}

// The flow worked out from valid boxes can still be no number (a gas without heating value).
bool PortataCalcolata(float portata, QLineEdit& nmc) {
  if (std::isfinite(portata) && portata >= 0) return true;
  MsgBox("La portata in Nmc/h non si puo' calcolare con il potere calorifico del gas in uso.\r\n"
         "Il valore non e' stato cambiato.",
         Bottoni::OK, Icona::Esclamazione);
  RidaiTastiera(nmc);
  return false;
}

}  // namespace

// ---- frmCportata --------------------------------------------------------------------------

frmCportata::frmCportata(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmCportata"));
  setWindowTitle(QStringLiteral("Calcolo portata"));
  setModal(true);

  auto* lblRif = new QLabel(QStringLiteral("Rif:"), this);
  lblRif->setGeometry(RettangoloTwips(120, 150, 500, 285));
  txtRif = new QLineEdit(this);
  txtRif->setObjectName(QStringLiteral("txtRif"));
  txtRif->setGeometry(RettangoloTwips(650, 120, SinistraCaratteristiche + LarghezzaCaratteristiche - 650, 315));

  auto* gruppo = new QButtonGroup(this);
  gruppo->setExclusive(true);
  const std::array<QString, 2> titoli{QStringLiteral("Apparecchi di cottura"), QStringLiteral("Caldaie e simili")};
  for (size_t i = 0; i < 2; ++i) {
    pnlSelect[i] = new QFrame(this);
    pnlSelect[i]->setAutoFillBackground(true);
    // Both kinds stay inside the narrow layout.
    pnlSelect[i]->setGeometry(
        RettangoloTwips(120 + static_cast<int>(i) * (LarghezzaSelettore + 40), 540, LarghezzaSelettore, 480));
    ribSelect[i] = new QPushButton(titoli[i], pnlSelect[i]);
    ribSelect[i]->setCheckable(true);
    ribSelect[i]->setAutoDefault(false);
    ribSelect[i]->setGeometry(RettangoloTwips(45, 60, LarghezzaSelettore - 90, 360));
    gruppo->addButton(ribSelect[i]);
    connect(ribSelect[i], &QPushButton::toggled, this, [this, i](bool v) { ribSelect_Click(static_cast<int>(i), v); });
  }

  pnlCaratteristiche = new QGroupBox(QStringLiteral("Caratteristiche "), this);
  pnlCaratteristiche->setGeometry(RettangoloTwips(SinistraCaratteristiche, 1140, LarghezzaCaratteristiche, 2100));
  txtWatt = Box(pnlCaratteristiche, "txtWatt", QStringLiteral("W"), 360);
  txtKcal = Box(pnlCaratteristiche, "txtKcal", QStringLiteral("kcal/h"), 900);
  txtNMC = Box(pnlCaratteristiche, "txtNMC", QStringLiteral("Nmc/h"), 1440);

  pnlUtenze = new QGroupBox(QStringLiteral("Utenze di cottura tipiche"), this);
  pnlUtenze->setGeometry(RettangoloTwips(SinistraUtenze, 1140, LarghezzaUtenze, 2100));
  const std::array<QString, NumFornelli> fornelli{
      QStringLiteral("Fornello ausiliario"),       QStringLiteral("Fornello semirapido"),
      QStringLiteral("Fornello rapido (primo)"),   QStringLiteral("Fornello rapido (secondo)"),
      QStringLiteral("Fornello ultrarapido"),      QStringLiteral("Forno a gas")};
  const std::array<const char*, NumFornelli> nomi{"chkAux", "chkSemirapido", "chkRapido1", "chkRapido2", "chkPescera", "chkForno"};
  for (size_t i = 0; i < NumFornelli; ++i) {
    chkFornelli[i] = new QCheckBox(fornelli[i], pnlUtenze);
    chkFornelli[i]->setObjectName(QString::fromLatin1(nomi[i]));
    // Six boxes and the button below them share the frame's height without covering each other.
    chkFornelli[i]->setGeometry(RettangoloTwips(120, 270 + static_cast<int>(i) * 250, 2800, 250));
    connect(chkFornelli[i], &QCheckBox::toggled, this, [this, i] { Fornello_Click(static_cast<int>(i)); });
  }
  Command3 = new QPushButton(QStringLiteral("Cucina completa"), pnlUtenze);
  Command3->setAutoDefault(false);
  Command3->setGeometry(RettangoloTwips(120, 1780, 2000, 300));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  Command2 = new QPushButton(QStringLiteral("Annulla"), this);
  cmdOK->setAutoDefault(false);
  Command2->setAutoDefault(false);
  cmdOK->setGeometry(RettangoloTwips(0, 3400, LarghezzaPulsante, 375));
  Command2->setGeometry(RettangoloTwips(0, 3400, LarghezzaPulsante, 375));

  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  for (QLineEdit* b : {txtWatt, txtKcal, txtNMC}) {
    connect(b, &QLineEdit::textChanged, this, [this] { Unita_Change(); });
    b->installEventFilter(this);
  }
  txtRif->installEventFilter(this);

  // The designed state: wide, nothing ticked, the cooking kind highlighted.
  {
    const QSignalBlocker blocco(ribSelect[0]);
    ribSelect[0]->setChecked(true);
  }
  ColoraPannelli(0);
  ShowUtenze(true);
  setFixedHeight(Pixel(4300));
  setTabOrder(txtRif, txtWatt);
  setTabOrder(txtWatt, txtKcal);
  setTabOrder(txtKcal, txtNMC);
  setTabOrder(txtNMC, cmdOK);
}

void frmCportata::ColoraPannelli(int selezionato) {
  for (int i = 0; i < 2; ++i) {
    QPalette p = pnlSelect[static_cast<size_t>(i)]->palette();
    p.setColor(QPalette::Window, ColoreVB(i == selezionato ? Giallo : Grigio));
    pnlSelect[static_cast<size_t>(i)]->setPalette(p);
  }
}

std::string frmCportata::CodificaComposizione() const {
  std::array<bool, NumFornelli> spunte{};
  for (size_t i = 0; i < NumFornelli; ++i) spunte[i] = chkFornelli[i]->isChecked();
  return varnex::CodificaComposizione(spunte);
}

void frmCportata::DecodificaComposizione(const std::string& composizione) {
  // Each tick recalculates and rewrites Composizione, which may be the very text passed in: read
  // from a copy, or every burner after the first is lost.
  const std::string s = composizione;
  if (s.size() < NumFornelli) return;
  for (size_t i = 0; i < NumFornelli; ++i) chkFornelli[i]->setChecked(s[i] == '1');
}

void frmCportata::ResetChk() {
  // Cleared together and silently: unticking them one by one recalculated from each remaining
  // burner and overwrote the very box the user was typing into.
  for (QCheckBox* c : chkFornelli) {
    const QSignalBlocker blocco(c);
    c->setChecked(false);
  }
  PotenzaFornelli = 0;
  Composizione.clear();
}

void frmCportata::Ricalcola(int16_t from) {
  const FontePortata fonte = static_cast<FontePortata>(from);
  std::string testo;
  if (fonte == FontePortata::Watt) testo = SS(txtWatt->text());
  else if (fonte == FontePortata::Kcal) testo = SS(txtKcal->text());
  else if (fonte == FontePortata::Nmc) testo = SS(txtNMC->text());
  const RisultatoPortata r = varnex::Ricalcola(fonte, PotenzaFornelli, testo, PotereCalorificoUtenza(Tipologia));
  if (fonte == FontePortata::Fornelli) Composizione = CodificaComposizione();
  AggiornamentoInCorso = true;
  txtWatt->setText(QS(r.Watt));
  txtKcal->setText(QS(r.Kcal));
  txtNMC->setText(QS(r.Nmc));
  AggiornamentoInCorso = false;
  Portata = r.Portata;
}

void frmCportata::SetDati(int16_t segmento, float portata) {
  Portata = portata;
  NumeroTronco = segmento;
  ValoriModificati = false;
  PotenzaFornelli = 0;
  const TTronco vuoto{};
  const TTronco& t = SlotValido(segmento) ? Tronco(segmento) : vuoto;
  Tipologia = t.TipologiaUtenza;
  Composizione = t.ComposizioneUtenza;
  setWindowTitle(QStringLiteral("Calcolo portata  -  Tronco N. ") + QString::number(segmento));
  AggiornamentoInCorso = true;
  txtNMC->setText(QS(TestoPortata(portata)));
  txtRif->setText(QS(t.ID_RIF));
  AggiornamentoInCorso = false;
  Ricalcola(4);
  if (Tipologia == 1) {
    ribSelect[0]->setChecked(true);
    DecodificaComposizione(Composizione);
    if (!t.ComposizioneUtenza.empty()) Ricalcola(1);
  } else {
    ribSelect[1]->setChecked(true);
  }
  Tipologia = t.TipologiaUtenza;
  ValoriModificati = false;
  Ricalcola(4);
  // The boxes show the flow rounded; when that is still the stored flow, OK keeps it exact.
  if (txtNMC->text() == QS(InsertTousendSeparatorInDecimalValue(TestoPortata(portata), " "))) Portata = portata;
}

void frmCportata::ShowUtenze(bool f) {
  if (f) {
    pnlUtenze->show();
    setFixedWidth(Pixel(static_cast<int>(1.1 * (LarghezzaUtenze + LarghezzaCaratteristiche))));
    const int e = SinistraUtenze + LarghezzaUtenze;
    Command2->move(Pixel(e - LarghezzaPulsante), Command2->y());
    cmdOK->move(Pixel(e - 2 * LarghezzaPulsante - 210), cmdOK->y());
    return;
  }
  const int r = SinistraCaratteristiche + LarghezzaCaratteristiche;
  const int g = SinistraUtenze - r;
  const int c = static_cast<int>(ArrotondaPari(-g / 1.5));
  setFixedWidth(Pixel(r - c));
  Command2->move(Pixel(r - LarghezzaPulsante), Command2->y());
  cmdOK->move(Pixel(r - 2 * LarghezzaPulsante - 210), cmdOK->y());
}

void frmCportata::Fornello_Click(int indice) {
  if (indice < 0 || indice >= NumFornelli) return;
  const int32_t potenza = PotenzaFornello[static_cast<size_t>(indice)];
  PotenzaFornelli += chkFornelli[static_cast<size_t>(indice)]->isChecked() ? potenza : -potenza;
  Ricalcola(1);
  ValoriModificati = true;
}

void frmCportata::Command3_Click() {
  for (QCheckBox* c : chkFornelli) c->setChecked(true);
}

void frmCportata::ribSelect_Click(int indice, bool valore) {
  if (!valore || indice < 0 || indice > 1) return;
  ColoraPannelli(indice);
  if (indice == 0) {
    ShowUtenze(true);
    Tipologia = 1;
  } else {
    ShowUtenze(false);
    ResetChk();
    Tipologia = 2;
  }
  Ricalcola(ValoriModificati ? 2 : 4);
}

void frmCportata::Unita_Change() {
  if (!AggiornamentoInCorso) ResetChk();
}

void frmCportata::Unita_GotFocus(QLineEdit* box) {
  // Dropping the digit grouping for typing is no edit: it must not clear the burners.
  BoxInIngresso = box;
  TestoRaggruppato = box->text();
  const QString senza = QString(box->text()).remove(QLatin1Char(' '));
  if (senza != box->text()) {
    AggiornamentoInCorso = true;
    box->setText(senza);
    AggiornamentoInCorso = false;
  }
  TestoInIngresso = senza;
  box->selectAll();
}

void frmCportata::Unita_LostFocus(QLineEdit* box) {
  // A box only visited keeps what it showed: recalculating from its rounded text would turn the
  // stored flow into the displayed one, or a cooker's burners into a bare power.
  if (box == BoxInIngresso && box->text() == TestoInIngresso) {
    BoxInIngresso = nullptr;
    AggiornamentoInCorso = true;
    box->setText(TestoRaggruppato);
    AggiornamentoInCorso = false;
    return;
  }
  BoxInIngresso = nullptr;
  // A text that is no flow (a paste goes around the key filter) stays as it is, unused: OK names it.
  if (!RifiutoBoxUnita(Tipo(box), SS(box->text())).empty()) return;
  Ricalcola(box == txtWatt ? 2 : box == txtKcal ? 3 : 4);
  ValoriModificati = true;
}

void frmCportata::Unita_KeyPress(QLineEdit* box, int16_t& tasto) {
  if (tasto == 13) {
    tasto = 0;
    if (!BoxAccettato(box)) return;
    if (box != BoxInIngresso || box->text() != TestoInIngresso) {
      Ricalcola(box == txtWatt ? 2 : box == txtKcal ? 3 : 4);
      ValoriModificati = true;
    }
    QWidget* prossimo = box == txtWatt ? static_cast<QWidget*>(txtKcal) : box == txtKcal ? static_cast<QWidget*>(txtNMC)
                                                                                          : static_cast<QWidget*>(cmdOK);
    prossimo->setFocus();
    return;
  }
  const EsitoTasto esito = FiltraTastoUnita(Tipo(box), TestoFuoriSelezione(*box), box->hasSelectedText(), tasto);
  if (esito.Sostituisci) box->setText(QS(esito.NuovoTesto));
  tasto = esito.Tasto;
}

void frmCportata::txtRif_KeyPress(int16_t& tasto) {
  if (tasto != 13) return;
  tasto = 0;
  ValoriModificati = true;
  txtWatt->setFocus();
}

BoxUnita frmCportata::Tipo(const QLineEdit* box) const {
  return box == txtWatt ? BoxUnita::Watt : box == txtKcal ? BoxUnita::Kcal : BoxUnita::Nmc;
}

bool frmCportata::BoxAccettato(QLineEdit* box) { return ControllaBoxUnita(*box, Tipo(box)); }

void frmCportata::cmdOK_Click() {
  for (QLineEdit* box : {txtWatt, txtKcal, txtNMC})
    if (!BoxAccettato(box)) return;
  if (!PortataCalcolata(Portata, *txtNMC)) return;
  Done = true;
  ScriviRiferimento(NumeroTronco, SS(txtRif->text()));
  accept();
}

void frmCportata::Command2_Click() {
  Done = false;
  reject();
}

void frmCportata::keyPressEvent(QKeyEvent* evento) {
  const int16_t tasto = CodiceTasto(*evento);
  if (tasto == 27) {
    Command2_Click();
    return;
  }
  if (tasto == 13) {
    // Enter presses the focused button (OK, Annulla, "Cucina completa"); elsewhere it does nothing.
    if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

bool frmCportata::eventFilter(QObject* oggetto, QEvent* evento) {
  auto* box = qobject_cast<QLineEdit*>(oggetto);
  const bool unita = box && (box == txtWatt || box == txtKcal || box == txtNMC);
  if (unita && evento->type() == QEvent::FocusIn) Unita_GotFocus(box);
  if (unita && evento->type() == QEvent::FocusOut) Unita_LostFocus(box);
  if (evento->type() != QEvent::KeyPress || !box) return Dialogo::eventFilter(oggetto, evento);
  int16_t tasto = CodiceTasto(*static_cast<QKeyEvent*>(evento));
  if (tasto == 0) return Dialogo::eventFilter(oggetto, evento);
  if (tasto == 27) {
    Command2_Click();
    return true;
  }
  const int16_t prima = tasto;
  if (unita) Unita_KeyPress(box, tasto);
  else if (box == txtRif) txtRif_KeyPress(tasto);
  if (tasto == 0 || prima == 13) return true;
  return Dialogo::eventFilter(oggetto, evento);
}

// ---- frmPortata ---------------------------------------------------------------------------

frmPortata::frmPortata(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmPortata"));
  setWindowTitle(QStringLiteral("Portata utenza"));
  setModal(true);
  setFixedSize(DimensioneTwips(5200, 2300));
  auto* lblRif = new QLabel(QStringLiteral("Rif:"), this);
  lblRif->setGeometry(RettangoloTwips(120, 150, 500, 285));
  txtRif = new QLineEdit(this);
  txtRif->setObjectName(QStringLiteral("txtRif"));
  txtRif->setGeometry(RettangoloTwips(650, 120, 4400, 315));
  auto* lblPortata = new QLabel(QStringLiteral("Portata  in condizioni normali (15°C , 1013 mbar)"), this);
  lblPortata->setGeometry(RettangoloTwips(120, 600, 4900, 285));
  txtNMC = new QLineEdit(this);
  txtNMC->setObjectName(QStringLiteral("txtNMC"));
  txtNMC->setGeometry(RettangoloTwips(120, 930, 1800, 315));
  auto* unita = new QLabel(QStringLiteral("Nmc/h"), this);
  unita->setGeometry(RettangoloTwips(2000, 960, 900, 285));
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  Command2 = new QPushButton(QStringLiteral("Annulla"), this);
  cmdOK->setAutoDefault(false);
  Command2->setAutoDefault(false);
  cmdOK->setGeometry(RettangoloTwips(2800, 1500, 1000, 375));
  Command2->setGeometry(RettangoloTwips(3900, 1500, 1000, 375));
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  txtNMC->installEventFilter(this);
  txtRif->installEventFilter(this);
  setTabOrder(txtRif, txtNMC);
  setTabOrder(txtNMC, cmdOK);
}

void frmPortata::SetDati(int16_t segmento, float portata) {
  Portata = portata;
  NumeroTronco = segmento;
  const TTronco vuoto{};
  const TTronco& t = SlotValido(segmento) ? Tronco(segmento) : vuoto;
  Tipologia = t.TipologiaUtenza;
  setWindowTitle(QStringLiteral("Portata utenza -  Tronco N. ") + QString::number(segmento));
  txtNMC->setText(QS(TestoPortata(portata)));
  txtRif->setText(QS(t.ID_RIF));
}

void frmPortata::txtNMC_GotFocus() {
  txtNMC->setCursorPosition(0);
  txtNMC->selectAll();
}

void frmPortata::txtNMC_LostFocus() {
  // A text that is no flow (a paste goes around the key filter) is not taken: OK names it.
  if (RifiutoBoxUnita(BoxUnita::Nmc, SS(txtNMC->text())).empty()) Portata = LeggiPortata(SS(txtNMC->text()));
}

void frmPortata::txtNMC_KeyPress(int16_t& tasto) {
  if (tasto == 13) {
    tasto = 0;
    if (ControllaBoxUnita(*txtNMC, BoxUnita::Nmc)) cmdOK->setFocus();
    return;
  }
  const EsitoTasto esito = FiltraTastoUnita(BoxUnita::Nmc, TestoFuoriSelezione(*txtNMC), txtNMC->hasSelectedText(), tasto);
  if (esito.Sostituisci) txtNMC->setText(QS(esito.NuovoTesto));
  tasto = esito.Tasto;
}

void frmPortata::txtRif_KeyPress(int16_t& tasto) {
  if (tasto != 13) return;
  tasto = 0;
  txtNMC->setFocus();
}

void frmPortata::cmdOK_Click() {
  if (!ControllaBoxUnita(*txtNMC, BoxUnita::Nmc) || !PortataCalcolata(Portata, *txtNMC)) return;
  Done = true;
  ScriviRiferimento(NumeroTronco, SS(txtRif->text()));
  accept();
}

void frmPortata::Command2_Click() {
  Done = false;
  reject();
}

void frmPortata::keyPressEvent(QKeyEvent* evento) {
  if (CodiceTasto(*evento) == 13) {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

bool frmPortata::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == txtNMC && evento->type() == QEvent::FocusIn) txtNMC_GotFocus();
  if (oggetto == txtNMC && evento->type() == QEvent::FocusOut) txtNMC_LostFocus();
  if (evento->type() != QEvent::KeyPress) return Dialogo::eventFilter(oggetto, evento);
  int16_t tasto = CodiceTasto(*static_cast<QKeyEvent*>(evento));
  if (tasto == 0 || tasto == 27) return Dialogo::eventFilter(oggetto, evento);
  const int16_t prima = tasto;
  if (oggetto == txtNMC) txtNMC_KeyPress(tasto);
  else if (oggetto == txtRif) txtRif_KeyPress(tasto);
  if (tasto == 0 || prima == 13) return true;
  return Dialogo::eventFilter(oggetto, evento);
}

// ---- The caller's view --------------------------------------------------------------------

EsitoDialogoPortata ChiediPortataUtenza(int16_t seg) {
  EsitoDialogoPortata esito;
  if (!SlotValido(seg)) return esito;
  const float portata = Tronco(seg).ID_P_UTENZE;
  QWidget* parent = FinestraPrincipaleCaricata();
  if (ReteInPressione) {
    frmPortata d(parent);
    d.SetDati(seg, portata);
    MostraModale(d);
    esito = {d.Done, d.Portata, d.Tipologia, TestoNumero(d.Composizione), false};
  } else {
    frmCportata d(parent);
    d.SetDati(seg, portata);
    MostraModale(d);
    esito = {d.Done, d.Portata, d.Tipologia, d.Composizione, true};
  }
  return esito;
}

}  // namespace varnex::ui
