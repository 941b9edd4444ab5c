#include "shell/ui/start_screen.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QStyle>

#include "model/calcolo.h"
#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/strings.h"
#include "shell/mru.h"
#include "shell/parametri.h"
#include "shell/progetto.h"
#include "shell/ui/parametri.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {

QString TestoFileRecente(int i, const std::string& percorso) {
  return QS(" " + std::to_string(i) + ". " + GetNomeFile(percorso));
}

frmAttivita::frmAttivita(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmAttivita"));
  setWindowTitle(QStringLiteral("Avvio attivita'"));
  // A fixed dialog border without close box: the buttons are the only ways out.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(DimensioneTwips(7000, 5160));

  // Wide enough for the longer activity description in full.
  auto* gruppoNuovo = new QGroupBox(QStringLiteral("Nuovo impianto"), this);
  gruppoNuovo->setGeometry(RettangoloTwips(120, 60, 6760, 1860));
  const QSize icona(Pixel(480), Pixel(480));

  cmdNewGAS = new QPushButton(gruppoNuovo);
  cmdNewGAS->setObjectName(QStringLiteral("cmdNewGAS"));
  cmdNewGAS->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  cmdNewGAS->setIconSize(icona);
  cmdNewGAS->setGeometry(RettangoloTwips(180, 300, 720, 660));
  lblGas = new QLabel(QStringLiteral("Impianto interno gas"), gruppoNuovo);
  lblGas->setGeometry(RettangoloTwips(1020, 330, 5600, 280));
  QFont grassetto = lblGas->font();
  grassetto.setBold(true);
  lblGas->setFont(grassetto);
  lblGasDescrizione = new QLabel(QStringLiteral("Calcolo rete gas combustibile secondo norma UNI 7129 "), gruppoNuovo);
  lblGasDescrizione->setGeometry(RettangoloTwips(1020, 630, 5600, 280));

  cmdNewMP = new QPushButton(gruppoNuovo);
  cmdNewMP->setObjectName(QStringLiteral("cmdNewMP"));
  cmdNewMP->setIconSize(icona);
  cmdNewMP->setGeometry(RettangoloTwips(180, 1080, 720, 660));
  lblMP = new QLabel(QStringLiteral("Rete gas in pressione"), gruppoNuovo);
  lblMP->setGeometry(RettangoloTwips(1020, 1110, 5600, 280));
  lblMP->setFont(grassetto);
  lblMPDescrizione = new QLabel(QStringLiteral("Calcolo reti gas combustibile e non "), gruppoNuovo);
  lblMPDescrizione->setGeometry(RettangoloTwips(1020, 1410, 5600, 280));

  auto* gruppoApri = new QGroupBox(this);
  gruppoApri->setGeometry(RettangoloTwips(120, 2040, 6760, 2400));
  cmdApri = new QPushButton(gruppoApri);
  cmdApri->setObjectName(QStringLiteral("cmdApri"));
  cmdApri->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  cmdApri->setIconSize(icona);
  cmdApri->setGeometry(RettangoloTwips(180, 180, 720, 660));
  auto* lblApri = new QLabel(QStringLiteral("Apri un archivio esistente"), gruppoApri);
  lblApri->setGeometry(RettangoloTwips(1020, 360, 5600, 280));
  lblApri->setFont(grassetto);
  for (int i = 0; i < 4; ++i) {
    QLabel* l = new QLabel(QStringLiteral("File %1").arg(i + 1), gruppoApri);
    l->setObjectName(QStringLiteral("lblMRUFile%1").arg(i));
    l->setGeometry(RettangoloTwips(1020, 960 + i * 330, 5600, 300));
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
    lblMRUFile[static_cast<size_t>(i)] = l;
  }

  cmdESCI = new QPushButton(QStringLiteral("Esci dal programma"), this);
  cmdESCI->setObjectName(QStringLiteral("cmdESCI"));
  cmdESCI->setAutoDefault(false);
  cmdESCI->setGeometry(RettangoloTwips(4600, 4560, 2280, 420));

  connect(cmdNewGAS, &QPushButton::clicked, this, &frmAttivita::cmdNewGAS_Click);
  connect(cmdNewMP, &QPushButton::clicked, this, &frmAttivita::cmdNewMP_Click);
  connect(cmdApri, &QPushButton::clicked, this, &frmAttivita::cmdApri_Click);
  connect(cmdESCI, &QPushButton::clicked, this, &frmAttivita::CmdEsci_Click);

  RegistraFinestra(this);
  Form_Load();
}

void frmAttivita::Form_Load() {
  cmdNewMP->setEnabled(true);
  cmdNewMP->setIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
  lblMP->setEnabled(true);
  lblMPDescrizione->setEnabled(true);
  AmbienteProgetto().Titolo("VarnexPro");
  CentraSulloSchermo(*this);
  UpdateMRU();
}

void frmAttivita::UpdateMRU() {
  for (int i = 1; i <= 4; ++i)
    lblMRUFile[static_cast<size_t>(i - 1)]->setText(TestoFileRecente(i, FileRecenti.GetItem(static_cast<int16_t>(i))));
}

void frmAttivita::AzzeraRisposta() {
  scelta = SceltaAttivita::Nessuna;
  indiceFile = -1;
}

void frmAttivita::Scegli(SceltaAttivita s, int16_t indice) {
  scelta = s;
  indiceFile = indice;
  accept();
}

void frmAttivita::cmdNewGAS_Click() { Scegli(SceltaAttivita::NuovoImpiantoGas); }
void frmAttivita::cmdNewMP_Click() { Scegli(SceltaAttivita::NuovaRetePressione); }
void frmAttivita::cmdApri_Click() { Scegli(SceltaAttivita::Apri); }
void frmAttivita::CmdEsci_Click() { Scegli(SceltaAttivita::Esci); }

void frmAttivita::lblMRUFile_Click(int Index) {
  if (Index < 0 || Index > 3) return;
  // An empty entry shows only " n. ".
  if (Len(Trim(SS(lblMRUFile[static_cast<size_t>(Index)]->text()))) <= 2) return;
  Scegli(SceltaAttivita::FileRecente, static_cast<int16_t>(Index));
}

void frmAttivita::paintEvent(QPaintEvent* evento) {
  UpdateMRU();
  Dialogo::paintEvent(evento);
}

void frmAttivita::closeEvent(QCloseEvent* evento) {
  // Only a choice closes the window: not its close box, not the desktop's close command.
  if (scelta == SceltaAttivita::Nessuna)
    evento->ignore();
  else
    Dialogo::closeEvent(evento);
}

void frmAttivita::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    evento->accept();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

bool frmAttivita::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() == QEvent::MouseButtonRelease) {
    for (int i = 0; i < 4; ++i)
      if (oggetto == lblMRUFile[static_cast<size_t>(i)]) {
        lblMRUFile_Click(i);
        return true;
      }
  }
  return Dialogo::eventFilter(oggetto, evento);
}

// ---- ControlloreAttivita ---------------------------------------------------------------------

namespace {

// The new network in the editor, then the parameters dialog over it.
void ApriNuovaRete(bool conPDC) {
  IAmbienteProgetto& a = AmbienteProgetto();
  a.NewRete(1);
  if (conPDC) PDCMaxTesto = TestoNumero(PDCMassima());
  a.MostraEditor();
  a.AggiornaCalcoli();
  a.DoEvents();
  a.DoEvents();
  ProgettoMostrato();
  MostraParametri();
}

}  // namespace

void ControlloreAttivita::Esegui() {
  frmAttivita finestra;
  for (;;) {
    MostraModale(finestra);
    finestra.hide();
    bool dinuovo = false;
    switch (finestra.scelta) {
      case SceltaAttivita::NuovoImpiantoGas:
        dinuovo = NuovoImpiantoGas();
        break;
      case SceltaAttivita::NuovaRetePressione:
        dinuovo = NuovaRetePressione();
        break;
      case SceltaAttivita::Apri:
        dinuovo = Apri();
        break;
      case SceltaAttivita::FileRecente:
        dinuovo = FileRecente(finestra.indiceFile);
        break;
      case SceltaAttivita::Esci:
        Esci();
        break;
      case SceltaAttivita::Nessuna:
        break;
    }
    if (!dinuovo) return;
  }
}

bool ControlloreAttivita::NuovoImpiantoGas() {
  ReteInPressione = 0;
  OrientamentoSorgente = 0;
  GasNuovoProgetto();
  InitSpeciali();
  ApriNuovaRete(true);
  return false;
}

bool ControlloreAttivita::NuovaRetePressione() {
  // Without "EQLEN.CFG" (already reported) a pressurised network cannot be calculated: the
  // user stays on the start screen and may still start an internal installation.
  if (!CaricaSpeciali()) return true;
  ReteInPressione = -1;
  OrientamentoSorgente = 1;
  GasNuovoProgetto();
  ApriNuovaRete(false);
  return false;
}

bool ControlloreAttivita::Apri() {
  varnex::ApriProgetto();
  return PercorsoProgetto.empty();
}

bool ControlloreAttivita::FileRecente(int16_t indice) {
  const std::string percorso = FileRecenti.GetItem(static_cast<int16_t>(indice + 1));
  if (!EsisteFile(percorso)) {
    MsgBox("Il file '" + percorso + "' non esiste");
    return true;
  }
  IAmbienteProgetto& a = AmbienteProgetto();
  a.DoEvents();
  // The editor is built, calculated and refreshed several times over below: it does it once.
  AggiornamentiRimandati ripresa;
  const bool caricato = CaricaProgetto(percorso);
  a.DoEvents();
  // A project that did not load leaves nothing to work on: back to the start screen.
  if (!caricato) {
    ripresa.Riprendi();
    ProgettoMostrato();
    return true;
  }
  FileRecenti.AddItem(percorso);
  a.ScaricaEditor();
  NuovaReteGriglia();
  a.Elaborazione();
  ripresa.Riprendi();
  ProgettoMostrato();
  return false;
}

void ControlloreAttivita::Esci() { AmbienteProgetto().TerminaProcesso(0); }

void MostraAttivita() {
  ControlloreAttivita controllore;
  controllore.Esegui();
}

}  // namespace varnex::ui
