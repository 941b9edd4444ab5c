#include "shell/ui/splash.h"

#include <QKeyEvent>
#include <cstdlib>

#include "shell/sw_company.h"
#include "shell/ui/pictures.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {

QString AvvisoLegale() {
  return QStringLiteral(
      "VarnexPro è uno strumento di aiuto al progettista. I risultati del calcolo dipendono dai dati "
      "inseriti e dagli archivi in uso: vanno sempre verificati da un tecnico abilitato, che resta "
      "responsabile del progetto e della sua conformità alle norme vigenti.");
}

QString frmSplash::TestoVersione(int maggiore, int minore, int revisione) {
  return QStringLiteral(" VarnexPro versione %1.%2 Build. %3").arg(maggiore).arg(minore).arg(revisione);
}

frmSplash::frmSplash(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmSplash"));
  setFixedSize(DimensioneTwips(6900, 5130));

  Image2 = new QLabel(this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setGeometry(RettangoloTwips(240, 240, 3600, 1080));
  Image2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  picFlame = new QLabel(this);
  picFlame->setObjectName(QStringLiteral("picFlame"));
  picFlame->setGeometry(RettangoloTwips(6000, 360, 480, 720));

  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(RettangoloTwips(240, 1440, 6420, 300));

  Frame1 = new QGroupBox(QStringLiteral("Attenzione"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setGeometry(RettangoloTwips(240, 1860, 6420, 1680));
  Label1 = new QLabel(AvvisoLegale(), Frame1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setGeometry(RettangoloTwips(120, 300, 6180, 1300));

  cmdContatti = new QPushButton(QStringLiteral("Contatti..."), this);
  cmdContatti->setObjectName(QStringLiteral("cmdContatti"));
  cmdContatti->setAutoDefault(false);
  cmdContatti->setGeometry(RettangoloTwips(240, 3720, 1500, 420));

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(RettangoloTwips(240, 4320, 6420, 300));

  lblWorking = new QLabel(this);
  lblWorking->setObjectName(QStringLiteral("lblWorking"));
  lblWorking->setGeometry(RettangoloTwips(240, 4680, 6420, 300));

  Command1 = new QPushButton(QStringLiteral("Chiudi"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(RettangoloTwips(5160, 3720, 1500, 420));
  Command1->setVisible(false);

  Timer2 = NuovoTimer(this, QStringLiteral("Timer2"), 200);

  ImgP_[0] = QPixmap::fromImage(DisegnaFiamma(0));
  ImgP_[1] = QPixmap::fromImage(DisegnaFiamma(1));

  connect(Timer2, &QTimer::timeout, this, &frmSplash::Timer2_Timer);
  connect(cmdContatti, &QPushButton::clicked, this, &frmSplash::cmdContatti_Click);
  connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);

  RegistraFinestra(this);
  Form_Load();
}

frmSplash::~frmSplash() {
  if (lineaStato_) ImpostaLineaStato({});
}

void frmSplash::Form_Load() {
  Label2->setText(TestoVersione(VARNEX_VERSION_MAJOR, VARNEX_VERSION_MINOR, VARNEX_VERSION_PATCH));
  setWindowTitle(QStringLiteral("Informazioni su VarnexPro"));
  Image2->setPixmap(QPixmap::fromImage(DisegnaLogo()));
  CentraSulloSchermo(*this);
  ProgressBar1->setRange(0, 5);
  ProgressBar1->setValue(0);
  Timer2->start();
}

void frmSplash::MostraAvvio() {
  Command1->setVisible(false);
  ProgressBar1->setVisible(true);
  ImpostaLineaStato([this](const std::string& testo) { ShowWorking(testo); });
  lineaStato_ = true;
  avvio_ = true;
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(false);
  show();
  DoEvents();
}

void frmSplash::MostraInformazioni() {
  avvio_ = false;
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  Command1->setVisible(true);
  ProgressBar1->setVisible(false);
  lblWorking->clear();
  MostraModale(*this);
}

void frmSplash::keyPressEvent(QKeyEvent* e) {
  if (avvio_ && e->key() == Qt::Key_Escape) {
    e->ignore();
    return;
  }
  Dialogo::keyPressEvent(e);
}

void frmSplash::ShowWorking(const std::string& s) {
  lblWorking->setText(QS(s));
  DoEvents();
}

void frmSplash::Timer2_Timer() {
  picFlame->setPixmap(ImgP_[k]);
  k = static_cast<int16_t>(std::abs(k - 1));
  DoEvents();
}

void frmSplash::cmdContatti_Click() {
  frmContatti contatti(this);
  MostraModale(contatti);
}

void frmSplash::Command1_Click() {
  Timer2->stop();
  accept();
}

frmContatti::frmContatti(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("frmContatti"));
  setWindowTitle(QStringLiteral("Contatti"));
  setFixedSize(DimensioneTwips(5775, 2730));

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setGeometry(RettangoloTwips(120, 60, 5535, 1980));
  const auto& d = DettagliPredefiniti();
  const char* testi[5] = {d.nome, d.indirizzo, d.telefono, d.web, d.email};
  for (int i = 0; i < 5; ++i) {
    Righe[i] = new QLabel(QString::fromUtf8(testi[i]), Frame1);
    Righe[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    Righe[i]->setGeometry(RettangoloTwips(180, 180 + i * 345, 5200, 300));
  }
  QFont grassetto = Righe[0]->font();
  grassetto.setBold(true);
  Righe[0]->setFont(grassetto);

  cmdChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
  cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
  cmdChiudi->setGeometry(RettangoloTwips(2160, 2160, 1455, 420));
  connect(cmdChiudi, &QPushButton::clicked, this, &frmContatti::cmdChiudi_Click);
  RegistraFinestra(this);
}

void frmContatti::cmdChiudi_Click() { accept(); }

}  // namespace varnex::ui
