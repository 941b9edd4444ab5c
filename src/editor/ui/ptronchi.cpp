#include "editor/ui/ptronchi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

#include "archives/ui/diametri.h"
#include "editor/celle.h"
#include "editor/ui/copyselect.h"
#include "editor/ui/gasgrid.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/strings.h"
#include "app/ui/main_window.h"
#include "shell/ui/services.h"
#include "shell/ui/tasti.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

// Owned by the main window: a main window closed and opened again takes a new one.
QPointer<PTronchi> istanza;

// Designed sizes (twips).
constexpr int LarghezzaDialogo = 7200;
constexpr int AltoPannelloLocali = 2700;

struct MisureLayout {
  int Altezza, AltezzaCornice, AltezzaPannello, AltoEtichette, AltoCombo, AltoPulsanti, AltoOK;
};
constexpr MisureLayout LayoutPressione{7125, 2655, 2880, 5625, 5940, 5955, 5925};
constexpr MisureLayout LayoutInterno{5445, 1155, 1380, 4125, 4440, 4455, 4425};

QLabel* Etichetta(QWidget* parent, const QString& testo, int x, int y, int larghezza) {
  auto* l = new QLabel(testo, parent);
  l->setGeometry(RettangoloTwips(x, y, larghezza, 285));
  return l;
}

QLineEdit* Casella(QWidget* parent, const char* nome, int x, int y, int larghezza) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(QString::fromLatin1(nome));
  t->setGeometry(RettangoloTwips(x, y, larghezza, 315));
  return t;
}

QToolButton* Freccia(QWidget* parent, Qt::ArrowType verso, int x, int y) {
  auto* b = new QToolButton(parent);
  b->setArrowType(verso);
  b->setAutoRepeat(true);
  b->setGeometry(RettangoloTwips(x, y, 240, 158));
  return b;
}

void ScriviSenzaSegnale(QLineEdit* box, const std::string& testo) {
  if (SS(box->text()) != testo) box->setText(QS(testo));
}

}  // namespace

PTronchi::PTronchi(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("PTronchi"));
  setWindowTitle(QStringLiteral("Parametri Tronco"));
  setModal(true);

  Etichetta(this, QStringLiteral("N. Tronco:"), 120, 150, 1000);
  Text10 = Casella(this, "Text10", 1150, 120, 700);
  Spin4Su = Freccia(this, Qt::UpArrow, 1870, 120);
  Spin4Giu = Freccia(this, Qt::DownArrow, 1870, 278);
  Etichetta(this, QStringLiteral("Provenienza :"), 2400, 150, 1500);
  Label6 = Etichetta(this, QString(), 3950, 150, 600);
  lblRiferimento = Etichetta(this, QString(), 4400, 150, 2600);

  Etichetta(this, QStringLiteral("Lunghezza effettiva tubazione:"), 120, 660, 3300);
  txtlen = Casella(this, "txtlen", 3500, 630, 1200);
  Etichetta(this, QStringLiteral("m"), 4800, 660, 900);
  Etichetta(this, QStringLiteral("Lunghezza equivalente aggiuntiva:"), 120, 1080, 3300);
  Text3 = Casella(this, "Text3", 3500, 1050, 1200);
  Etichetta(this, QStringLiteral("m eq."), 4800, 1080, 900);

  pnlContemp = new QFrame(this);
  pnlContemp->setGeometry(RettangoloTwips(0, 1440, LarghezzaDialogo, 480));
  Etichetta(pnlContemp, QStringLiteral("Percentuale di contemporaneità :"), 120, 60, 3300);
  txtContemp = Casella(pnlContemp, "txtContemp", 3500, 30, 700);
  SpinButton1Su = Freccia(pnlContemp, Qt::UpArrow, 4220, 30);
  SpinButton1Giu = Freccia(pnlContemp, Qt::DownArrow, 4220, 188);
  Etichetta(pnlContemp, QStringLiteral("%"), 4800, 60, 300);

  SReteSync = new QLineEdit(this);
  SReteSync->setObjectName(QStringLiteral("SReteSync"));
  SReteSync->setGeometry(-3000, -3000, 10, 10);
  TroncoSync = new QLineEdit(this);
  TroncoSync->setObjectName(QStringLiteral("TroncoSync"));
  TroncoSync->setGeometry(-3000, -3000, 10, 10);

  pnlLocali = new QFrame(this);
  fraLocali = new QGroupBox(pnlLocali);
  for (int i = 0; i < NumLocali; ++i) {
    const int x = 120 + (i % 2) * 3450;
    const int y = 240 + (i / 2) * 480;
    lblLocal[static_cast<size_t>(i)] = Etichetta(fraLocali, QString(), x, y + 30, 2200);
    txtLocal[static_cast<size_t>(i)] = Casella(fraLocali, "txtLocal", x + 2250, y, 600);
    spnLocalSu[static_cast<size_t>(i)] = Freccia(fraLocali, Qt::UpArrow, x + 2870, y);
    spnLocalGiu[static_cast<size_t>(i)] = Freccia(fraLocali, Qt::DownArrow, x + 2870, y + 158);
  }

  lblTipo = Etichetta(this, QStringLiteral("Tipo tubazione:"), 120, 0, 2000);
  cmbMateriali = new QComboBox(this);
  cmbMateriali->setObjectName(QStringLiteral("cmbMateriali"));
  lblDN = Etichetta(this, QStringLiteral("DN"), 3100, 0, 600);
  txtDiametro = Casella(this, "txtDiametro", 3100, 0, 1000);
  Command3 = new QPushButton(QStringLiteral("..."), this);
  SSRibbon1 = new QToolButton(this);
  SSRibbon1->setCheckable(true);
  SSRibbon1->setText(QStringLiteral("Blocca"));
  SSRibbon1->setObjectName(QStringLiteral("SSRibbon1"));
  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command2 = new QPushButton(QStringLiteral("Annulla"), this);
  Command1->setAutoDefault(false);
  Command2->setAutoDefault(false);
  Command3->setAutoDefault(false);

  connect(SReteSync, &QLineEdit::textChanged, this, [this] { SReteSync_Change(); });
  connect(TroncoSync, &QLineEdit::textChanged, this, [this] { TroncoSync_Change(); });
  // A number the user types or pastes is applied once the box has finished with the key: the step
  // may show a message, and a message's loop run from inside the box's own key handling left the
  // box drawing a text it no longer had (a crash). A number set by the arrows or by the program is
  // applied at once.
  connect(Text10, &QLineEdit::textChanged, this, [this] {
    if (!Text10->isModified()) {
      Text10_Change();
      return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
          // Several keys give one step, with the number the box holds when it is applied.
          if (!Text10->isModified()) return;
          Text10->setModified(false);
          Text10_Change();
        },
        Qt::QueuedConnection);
  });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(SSRibbon1, &QToolButton::clicked, this, [this](bool giu) { SSRibbon1_Click(giu); });
  connect(SpinButton1Su, &QToolButton::clicked, this, [this] { SpinButton1_Change(true); });
  connect(SpinButton1Giu, &QToolButton::clicked, this, [this] { SpinButton1_Change(false); });
  connect(Spin4Su, &QToolButton::clicked, this, [this] { Spin4_Change(true); });
  connect(Spin4Giu, &QToolButton::clicked, this, [this] { Spin4_Change(false); });
  for (int i = 0; i < NumLocali; ++i) {
    connect(spnLocalSu[static_cast<size_t>(i)], &QToolButton::clicked, this, [this, i] { spnLocal_Change(i, true); });
    connect(spnLocalGiu[static_cast<size_t>(i)], &QToolButton::clicked, this, [this, i] { spnLocal_Change(i, false); });
    txtLocal[static_cast<size_t>(i)]->installEventFilter(this);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{txtlen, Text3, txtContemp, txtDiametro, Text10, cmbMateriali})
    w->installEventFilter(this);

  Form_Load();
}

void PTronchi::Form_Load() {
  const bool inPressione = ReteInPressione != 0;
  const int altezzaProgetto = (inPressione ? LayoutPressione : LayoutInterno).Altezza;
  // Centred across the program's window, and vertically in the room left below the main window's
  // toolbar band; kept on the screen. (Centred on the screen it opened half outside a main window
  // smaller than the screen.)
  int banda = 0;
  if (frmMainForm* principale = FinestraPrincipaleCaricata()) {
    const QFontMetrics fm(principale->Picture1->font());
    banda = Twips(principale->Picture1->height()) + 3 * Twips(fm.height());
  }
  const QRect area = AreaProgramma();
  const int larghezza = Twips(area.width()), altezza = Twips(area.height());
  move(area.left() + Pixel((larghezza - LarghezzaDialogo) / 2),
       area.top() + Pixel(banda + (altezza - banda - altezzaProgetto) / 2));
  ApplicaLayout(inPressione);
  DentroLoSchermo(*this);
}

void PTronchi::ApplicaLayout(bool inPressione) {
  const MisureLayout& m = inPressione ? LayoutPressione : LayoutInterno;
  setFixedSize(DimensioneTwips(LarghezzaDialogo, m.Altezza - 400));
  pnlLocali->setGeometry(RettangoloTwips(0, AltoPannelloLocali, LarghezzaDialogo, m.AltezzaPannello));
  fraLocali->setGeometry(RettangoloTwips(60, 60, LarghezzaDialogo - 120, m.AltezzaCornice));
  for (size_t i = 4; i < NumLocali; ++i) {
    for (QWidget* w : std::initializer_list<QWidget*>{txtLocal[i], spnLocalSu[i], spnLocalGiu[i], lblLocal[i]}) {
      w->setVisible(inPressione);
      w->setEnabled(inPressione);
    }
  }
  lblTipo->move(Pixel(120), Pixel(m.AltoEtichette));
  lblDN->move(Pixel(3100), Pixel(m.AltoEtichette));
  cmbMateriali->setGeometry(RettangoloTwips(120, m.AltoCombo, 2800, 315));
  txtDiametro->setGeometry(RettangoloTwips(3100, m.AltoCombo, 1000, 315));
  Command3->setGeometry(RettangoloTwips(4150, m.AltoPulsanti, 350, 315));
  SSRibbon1->setGeometry(RettangoloTwips(4550, m.AltoPulsanti, 700, 315));
  Command1->setGeometry(RettangoloTwips(5350, m.AltoOK, 850, 375));
  Command2->setGeometry(RettangoloTwips(6250, m.AltoOK, 850, 375));
}

// ---- Priming and loading ------------------------------------------------------------------

void PTronchi::SReteSync_Change() {
  if (SReteSync->text().isEmpty()) return;
  Stato.ImpostaRete(SS(SReteSync->text()));
  SReteSync->clear();
  CaricaTronco();
}

void PTronchi::TroncoSync_Change() {
  if (TroncoSync->text().isEmpty()) return;
  Stato.ImpostaTronco(SS(TroncoSync->text()));
  Text10->setText(TroncoSync->text());
  TroncoSync->clear();
  CaricaTronco();
}

void PTronchi::CaricaTronco() { ScriviCampi(Stato.Carica()); }

void PTronchi::SalvaTronco() {
  int16_t prima = 0, ultima = 0;
  Selezione(prima, ultima);
  CampiTronco campi = LeggiCampi();
  Stato.Salva(campi, prima, ultima);
  ScriviSenzaSegnale(txtDiametro, campi.Diametro);
}

CampiTronco PTronchi::LeggiCampi() const {
  CampiTronco c;
  for (size_t i = 0; i < NumLocali; ++i) {
    c.Locali[i] = SS(txtLocal[i]->text());
    c.EtichetteLocali[i] = SS(lblLocal[i]->text());
    c.LocaliAbilitati[i] = txtLocal[i]->isEnabled();
    c.EtichettaGrigia[i] = lblLocal[i]->property("grigia").toBool();
  }
  c.Lunghezza = SS(txtlen->text());
  c.LunghezzaAggiuntiva = SS(Text3->text());
  c.Contemporaneita = SS(txtContemp->text());
  c.ContempBloccato = !txtContemp->isEnabled();
  c.PannelloContemp = !pnlContemp->isHidden();
  c.Provenienza = SS(Label6->text());
  c.Riferimento = SS(lblRiferimento->text());
  for (int i = 0; i < cmbMateriali->count(); ++i) c.Materiali.push_back(SS(cmbMateriali->itemText(i)));
  c.MaterialeSelezionato = cmbMateriali->currentIndex();
  c.Diametro = SS(txtDiametro->text());
  c.DiametroRosso = txtDiametro->property("rosso").toBool();
  c.Bloccato = SSRibbon1->isChecked();
  return c;
}

void PTronchi::ScriviCampi(const CampiTronco& c) {
  cmbMateriali->clear();
  for (const std::string& nome : c.Materiali) cmbMateriali->addItem(QS(nome));
  cmbMateriali->setCurrentIndex(c.MaterialeSelezionato);
  for (size_t i = 0; i < NumLocali; ++i) {
    txtLocal[i]->setText(QS(c.Locali[i]));
    txtLocal[i]->setEnabled(c.LocaliAbilitati[i]);
    spnLocalSu[i]->setEnabled(c.LocaliAbilitati[i]);
    spnLocalGiu[i]->setEnabled(c.LocaliAbilitati[i]);
    lblLocal[i]->setText(QS(c.EtichetteLocali[i]));
    lblLocal[i]->setProperty("grigia", c.EtichettaGrigia[i]);
    lblLocal[i]->setStyleSheet(c.EtichettaGrigia[i] ? QStringLiteral("color: rgb(128,128,128);")
                                                    : QStringLiteral("color: black;"));
  }
  lblRiferimento->setText(QS(c.Riferimento));
  Text3->setText(QS(c.LunghezzaAggiuntiva));
  Label6->setText(QS(c.Provenienza));
  txtlen->setText(QS(c.Lunghezza));
  txtDiametro->setText(QS(c.Diametro));
  txtContemp->setText(QS(c.Contemporaneita));
  txtContemp->setReadOnly(c.ContempBloccato);
  txtContemp->setEnabled(!c.ContempBloccato);
  SpinButton1Su->setEnabled(!c.ContempBloccato);
  SpinButton1Giu->setEnabled(!c.ContempBloccato);
  pnlContemp->setVisible(c.PannelloContemp);
  ColoraDiametro(c.DiametroRosso);
  SSRibbon1->setChecked(c.Bloccato);
}

void PTronchi::ColoraDiametro(bool rosso) {
  txtDiametro->setProperty("rosso", rosso);
  txtDiametro->setStyleSheet(rosso ? QStringLiteral("color: rgb(255,0,0);") : QStringLiteral("color: black;"));
}

// ---- The segment table --------------------------------------------------------------------

void PTronchi::Selezione(int16_t& prima, int16_t& ultima) const {
  if (GasGrid* g = GasGridCaricato()) {
    g->GetSelezioneGriglia(prima, ultima);
    return;
  }
  prima = ultima = Stato.TroncoAperto;
}

void PTronchi::ImpostaRigaTabella(int16_t riga) {
  GasGrid* g = GasGridCaricato();
  if (!g || riga < 1 || riga >= g->Grid->Rows()) return;
  g->Grid->SetRowCol(riga, std::max<int16_t>(1, g->Grid->Col()));
}

// ---- Buttons ------------------------------------------------------------------------------

namespace {
// False after the message of a box that cannot be stored; the box has the keyboard again.
bool Rifiuta(QLineEdit& box, const std::string& rifiuto) {
  if (rifiuto.empty()) return true;
  MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
  RidaiTastiera(box);
  return false;
}
}  // namespace

bool PTronchi::CampiAccettati() {
  // A pasted length goes around the key filter: "-5" or "1E+99" stored a negative or infinite pipe.
  // Checked with the table's rules; an empty box keeps its old reading.
  for (const auto& [box, nome] : {std::pair<QLineEdit*, const char*>{txtlen, "la lunghezza effettiva"},
                                  std::pair<QLineEdit*, const char*>{Text3, "la lunghezza equivalente aggiuntiva"}}) {
    if (Trim(SS(box->text())).empty()) continue;
    if (!Rifiuta(*box, RifiutoNumero(nome, SS(box->text())))) return false;
  }
  // A count is a whole number: "1,5" is refused, never read as 1 or stored as the 15 a dropped
  // comma would leave.
  for (size_t i = 0; i < NumLocali; ++i) {
    QLineEdit* box = txtLocal[i];
    if (!box->isEnabled()) continue;
    const std::string nome = "\"" + Trim(SS(lblLocal[i]->text())) + "\"";
    if (!Rifiuta(*box, RifiutoQuantita(nome, SS(box->text())))) return false;
  }
  if (txtContemp->isEnabled() &&
      !Rifiuta(*txtContemp, RifiutoQuantita("la contemporaneita'", SS(txtContemp->text()))))
    return false;
  if (const std::string rifiuto = ParametriTronco::RifiutoDiametro(LeggiCampi()); !rifiuto.empty()) {
    MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
    txtDiametro->setFocus();
    return false;
  }
  return true;
}

void PTronchi::Command1_Click() {
  if (!CampiAccettati()) return;
  int16_t prima = 0, ultima = 0;
  Selezione(prima, ultima);
  if (prima == ultima) {
    Stato.CampiDaApplicare.fill(-1);
  } else {
    frmCopySelect scelta(this);
    MostraModale(scelta);
    if (!scelta.ok) return;
    std::array<int16_t, 14> flag{};
    scelta.GetSelection(flag);
    for (size_t i = 0; i < flag.size(); ++i) Stato.CampiDaApplicare[i] = flag[i] ? -1 : 0;
    if (MsgBox("ATTENZIONE! questi valori verranno attribuiti a tutti i tronchi selezionati. Procedere  con "
               "l'operazione?",
               Bottoni::SiNo, Icona::Domanda) != Risposta::Si)
      return;
  }
  SalvaTronco();
  nascondi_ = true;
  accept();
  nascondi_ = false;
}

void PTronchi::Command2_Click() {
  nascondi_ = true;
  reject();
  nascondi_ = false;
}

void PTronchi::closeEvent(QCloseEvent* evento) {
  // The close box unloads the dialog without storing; the instance goes with the event loop.
  Dialogo::closeEvent(evento);
  if (!nascondi_ && evento->isAccepted() && istanza == this) {
    istanza = nullptr;
    // Inside its own modal loop the dialog is unloaded by its opener once the loop has ended: a
    // delete posted now ran inside the loop, under the code still using the dialog.
    if (!inModale_) deleteLater();
  }
}

// ---- Editing aids -------------------------------------------------------------------------

void PTronchi::SSRibbon1_Click(bool giu) {
  CampiTronco c = LeggiCampi();
  Stato.CambiaBlocco(c, giu);
  SSRibbon1->setChecked(c.Bloccato);
  ColoraDiametro(c.DiametroRosso);
}

void PTronchi::spnLocal_Change(int indice, bool su) {
  if (indice < 0 || indice >= NumLocali) return;
  QLineEdit* box = txtLocal[static_cast<size_t>(indice)];
  box->setText(QS(SpinConteggio(SS(box->text()), su)));
}

void PTronchi::SpinButton1_Change(bool su) { txtContemp->setText(QS(SpinContemporaneita(SS(txtContemp->text()), su))); }

void PTronchi::Spin4_Change(bool su) {
  const int16_t n = BloccoReti[static_cast<size_t>(std::clamp<int16_t>(Stato.ReteAperta, 0, 1))].NumTronchi;
  Text10->setText(QS(SpinTronco(SS(Text10->text()), su, n)));
  ImpostaRigaTabella(static_cast<int16_t>(std::clamp<int32_t>(NumeroIntero(SS(Text10->text())), 0, MaxTronchi)));
}

void PTronchi::txtContemp_LostFocus() {
  const std::string limitato = LimitaContemporaneita(SS(txtContemp->text()));
  ScriviSenzaSegnale(txtContemp, limitato);
}

void PTronchi::Text10_Change() {
  const int32_t numero = NumeroIntero(SS(Text10->text()));
  if (numero == 0 || !TroncoSync->text().isEmpty()) return;
  const int16_t conto = BloccoReti[static_cast<size_t>(std::clamp<int16_t>(Stato.ReteAperta, 0, 1))].NumTronchi;
  if (numero > conto) {
    Text10->setText(QS(TestoNumero(conto)));
    return;
  }
  // A step stores the segment shown, so it passes OK's checks first: refused, nothing of it is
  // stored, the number goes back to the segment shown and the keyboard to the refused box.
  if (!CampiAccettati()) {
    // Silently: the number put back is no step of the user's, to be checked and refused again.
    const QSignalBlocker silenzio(Text10);
    Text10->setText(QS(TestoNumero(Stato.TroncoAperto)));
    return;
  }
  // A step stores the segment shown into its own row only: a range selected in the table gets
  // values only through OK, with the field choice and the confirmation.
  int16_t prima = 0, ultima = 0;
  Selezione(prima, ultima);
  GasGrid* g = GasGridCaricato();
  const int16_t riga = g ? g->Grid->Row() : Stato.TroncoAperto;
  if (prima != ultima) {
    CampiTronco campi = LeggiCampi();
    Stato.Salva(campi, riga, riga);
  } else {
    SalvaTronco();
  }
  TroncoSync->setText(Text10->text());
  ImpostaRigaTabella(static_cast<int16_t>(numero));
}

void PTronchi::Command3_Click() { ApriSceltaDiametro(true); }

void PTronchi::ApriSceltaDiametro(bool daPulsante) {
  std::string nome = SS(cmbMateriali->currentText());
  const int16_t serie = CercaMateriale(nome);
  ViewDiametriFrm scelta(this);
  scelta.SetMateriale(serie);
  MostraModale(scelta);
  const std::string scelto = scelta.Selected;
  if (scelto.empty()) return;
  if (daPulsante) ColoraDiametro(scelto != "Auto");
  txtDiametro->setText(QS(scelto));
}

// ---- Keys ---------------------------------------------------------------------------------

namespace {
void Filtra(CampoTasti campo, int16_t& tasto) {
  if (!TastoAmmesso(campo, tasto)) tasto = 0;
}
// The count and simultaneity boxes take at most four typed characters.
void Limita(const QLineEdit* box, int16_t& tasto) {
  if (tasto != 0 && tasto != 8 && Len(SS(box->text())) >= LimiteConteggio && !box->hasSelectedText()) tasto = 0;
}
}  // namespace

void PTronchi::txtLocal_KeyPress(int indice, int16_t& tasto) {
  Filtra(CampoTasti::Quantita, tasto);
  if (indice >= 0 && indice < NumLocali) Limita(txtLocal[static_cast<size_t>(indice)], tasto);
}
void PTronchi::txtlen_KeyPress(int16_t& tasto) { Filtra(CampoTasti::Lunghezza, tasto); }
void PTronchi::Text3_KeyPress(int16_t& tasto) { Filtra(CampoTasti::Lunghezza, tasto); }
void PTronchi::txtContemp_KeyPress(int16_t& tasto) {
  Filtra(CampoTasti::Quantita, tasto);
  Limita(txtContemp, tasto);
}
void PTronchi::txtDiametro_KeyPress(int16_t& tasto) {
  if (tasto == 13) {
    if (SS(txtDiametro->text()) == "?") ApriSceltaDiametro(false);
    tasto = 0;
    return;
  }
  Filtra(CampoTasti::Diametro, tasto);
}
void PTronchi::Text10_KeyPress(int16_t& tasto) { Filtra(CampoTasti::Conteggio, tasto); }
void PTronchi::cmbMateriali_KeyPress(int16_t& tasto) { Filtra(CampoTasti::Materiali, tasto); }

void PTronchi::Form_KeyPress(int16_t& tasto) {
  if (tasto == 27) {
    tasto = 0;
    Command2_Click();
  }
}

void PTronchi::keyPressEvent(QKeyEvent* evento) {
  int16_t tasto = CodiceTasto(*evento);
  if (tasto == 27) {
    Form_KeyPress(tasto);
    return;
  }
  // Enter presses no button of this dialog.
  if (tasto == 13) return;
  Dialogo::keyPressEvent(evento);
}

bool PTronchi::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut && oggetto == txtContemp) txtContemp_LostFocus();
  if (evento->type() != QEvent::KeyPress) return Dialogo::eventFilter(oggetto, evento);
  auto* k = static_cast<QKeyEvent*>(evento);
  int16_t tasto = CodiceTasto(*k);
  if (tasto == 0) {
    // Keys that type nothing (arrows, Delete) edit as usual, but never change the series.
    if (oggetto == cmbMateriali && k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) return true;
    return Dialogo::eventFilter(oggetto, evento);
  }
  if (tasto == 27) {
    Form_KeyPress(tasto);
    return true;
  }
  const int16_t prima = tasto;
  for (size_t i = 0; i < NumLocali; ++i)
    if (oggetto == txtLocal[i]) txtLocal_KeyPress(static_cast<int>(i), tasto);
  if (oggetto == txtlen) txtlen_KeyPress(tasto);
  else if (oggetto == Text3) Text3_KeyPress(tasto);
  else if (oggetto == txtContemp) txtContemp_KeyPress(tasto);
  else if (oggetto == txtDiametro) txtDiametro_KeyPress(tasto);
  else if (oggetto == Text10) Text10_KeyPress(tasto);
  else if (oggetto == cmbMateriali) cmbMateriali_KeyPress(tasto);
  if (tasto == 0) return true;
  if (tasto == 13 && prima == 13) return true;
  return Dialogo::eventFilter(oggetto, evento);
}

// ---- The one instance ---------------------------------------------------------------------

PTronchi& CaricaPTronchi() {
  if (!istanza) {
    QWidget* parent = FinestraPrincipaleCaricata();
    istanza = new PTronchi(parent);
    if (parent) istanza->setWindowFlag(Qt::Dialog, true);
  }
  return *istanza;
}

PTronchi* PTronchiCaricato() { return istanza; }

void ScaricaPTronchi() {
  PTronchi* d = istanza;
  istanza = nullptr;
  delete d;
}

void ApriParametriTronco(int16_t seg) {
  PTronchi& d = CaricaPTronchi();
  d.SReteSync->setText(QStringLiteral("1"));
  d.TroncoSync->setText(QS(TestoStr(static_cast<int32_t>(seg))));
  const QPointer<PTronchi> aperto = &d;
  d.inModale_ = true;
  MostraModale(d);
  if (!aperto) return;
  aperto->inModale_ = false;
  // Closed by the close box: unloaded now that its loop is over.
  if (istanza != aperto) delete aperto.data();
}

}  // namespace varnex::ui
