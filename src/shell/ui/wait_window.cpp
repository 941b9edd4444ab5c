#include "shell/ui/wait_window.h"

#include <QEvent>
#include <QPointer>

#include "shell/ui/pictures.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {
namespace {
QPointer<AttesaFrm> attesa;
}  // namespace

AttesaFrm::AttesaFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AttesaFrm"));
  setWindowTitle(QStringLiteral("Attesa"));
  setFixedSize(DimensioneTwips(3510, 1005));
  setModal(false);

  imgAnim = new QLabel(this);
  imgAnim->setObjectName(QStringLiteral("imgAnim"));
  imgAnim->setGeometry(RettangoloTwips(240, 262, 480, 480));

  Label1 = new QLabel(QStringLiteral("Attendere..."), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(RettangoloTwips(960, 352, 2400, 300));
  QFont f = Label1->font();
  f.setBold(true);
  Label1->setFont(f);

  Timer1 = NuovoTimer(this, QStringLiteral("Timer1"), 200);
  connect(Timer1, &QTimer::timeout, this, &AttesaFrm::Timer1_Timer);

  for (int i = 0; i < 4; ++i) ImageList1_[i] = QPixmap::fromImage(DisegnaFotogrammaAttesa(i + 1));

  // Form_Load
  CentraSulloSchermo(*this);
  k = 1;
  imgAnim->setPixmap(ImageList1_[0]);
  RegistraFinestra(this);
  // Unloaded by the load's end and by the editor's paint, also while a message is up.
  NonProprietaria(this);
}

bool AttesaFrm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Form_Activate();
  if (e->type() == QEvent::WindowDeactivate) Form_Deactivate();
  return QDialog::event(e);
}

void AttesaFrm::Form_Activate() { Timer1->start(); }

void AttesaFrm::Form_Deactivate() { Timer1->stop(); }

void AttesaFrm::Timer1_Timer() {
  if (!isVisible()) Timer1->stop();
  k = static_cast<int16_t>(k + 1);
  if (k > 4) k = 1;
  imgAnim->setPixmap(ImageList1_[k - 1]);
  DoEvents();
}

AttesaFrm* AttesaCaricata() { return attesa.data(); }

AttesaFrm& MostraAttesa() {
  if (!attesa) attesa = new AttesaFrm;
  attesa->show();
  attesa->activateWindow();
  DoEvents();
  // An event just run may have unloaded it (the editor's paint does): the caller still gets a
  // window, loaded and hidden, never a reference to nothing.
  if (!attesa) attesa = new AttesaFrm;
  return *attesa;
}

void NascondiAttesa() {
  if (attesa) attesa->hide();
}

void ScaricaAttesa() {
  if (!attesa) return;
  AttesaFrm* finestra = attesa.data();
  attesa = nullptr;
  finestra->Timer1->stop();
  finestra->hide();
  // Destroyed once control is back in the event loop: this may run inside the window's own tick.
  finestra->deleteLater();
}

}  // namespace varnex::ui
