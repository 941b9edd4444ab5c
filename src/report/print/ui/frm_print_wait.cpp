#include "report/print/ui/frm_print_wait.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

frmPrintWait::frmPrintWait(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPrintWait"));
  setWindowTitle(QStringLiteral("Attesa"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(QStringLiteral("Stampa in corso"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  lblMsg = new QLabel(this);
  lblMsg->setObjectName(QStringLiteral("lblMsg"));
  SSPanel1 = new QProgressBar(this);
  SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
  SSPanel1->setRange(0, 100);
  SSPanel1->setValue(0);
  layout->addWidget(Label1);
  layout->addWidget(lblMsg);
  layout->addWidget(SSPanel1);
  resize(360, 120);
  CentraSulloSchermo(*this);
}

void frmPrintWait::PrintMsg(const std::string& s) {
  lblMsg->setText(QS(s));
  DoEvents();
  DoEvents();
}

void frmPrintWait::UpdateBar(int16_t P, int16_t t) {
  percentuale_ = t == 0 ? 0.0 : static_cast<double>(P) / t * 100.0;
  SSPanel1->setValue(static_cast<int>(percentuale_));
}

void AttesaStampaQt::Mostra() {
  if (finestra_ == nullptr) {
    finestra_ = new frmPrintWait();
    finestra_->setAttribute(Qt::WA_DeleteOnClose);
    // Closed by the run's end, also while a message of the run is up.
    NonProprietaria(finestra_);
    frmPrintWait* f = finestra_;
    QObject::connect(f, &QObject::destroyed, [this, f]() {
      if (finestra_ == f) finestra_ = nullptr;
    });
  }
  finestra_->show();
}

void AttesaStampaQt::PrintMsg(const std::string& s) {
  if (finestra_) finestra_->PrintMsg(s);
}

void AttesaStampaQt::UpdateBar(int16_t p, int16_t t) {
  if (finestra_) finestra_->UpdateBar(p, t);
}

void AttesaStampaQt::Chiudi() {
  if (finestra_) {
    frmPrintWait* f = finestra_;
    finestra_ = nullptr;
    f->hide();
    f->deleteLater();
  }
}

void InstallaAttesaStampaQt() {
  static AttesaStampaQt attesa;
  ImpostaAttesaStampa(&attesa);
}

}  // namespace varnex::ui
