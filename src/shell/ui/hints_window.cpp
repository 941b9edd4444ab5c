#include "shell/ui/hints_window.h"

#include "model/strings.h"
#include "shell/hints.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {

frmHints::frmHints(QWidget* parent) : Dialogo(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmHints"));
  setWindowTitle(QStringLiteral("Suggerimenti..."));
  setFixedSize(DimensioneTwips(6120, 3240));

  txtHint = new QPlainTextEdit(this);
  txtHint->setObjectName(QStringLiteral("txtHint"));
  txtHint->setReadOnly(true);
  txtHint->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtHint->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtHint->setFont(QFont(QStringLiteral("Trebuchet MS"), 12));
  txtHint->setGeometry(RettangoloTwips(120, 120, 5880, 2280));

  ckDontShowAgain = new QCheckBox(QStringLiteral("Non visualizzare all'avvio"), this);
  ckDontShowAgain->setObjectName(QStringLiteral("ckDontShowAgain"));
  ckDontShowAgain->setGeometry(RettangoloTwips(120, 2640, 2940, 360));

  cmdNextHint = new QPushButton(QStringLiteral("Prossimo"), this);
  cmdNextHint->setObjectName(QStringLiteral("cmdNextHint"));
  cmdNextHint->setAutoDefault(false);
  cmdNextHint->setGeometry(RettangoloTwips(3240, 2580, 1260, 420));

  cmdClose = new QPushButton(QStringLiteral("Chiudi"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  cmdClose->setGeometry(RettangoloTwips(4680, 2580, 1320, 420));
  cmdClose->setDefault(true);

  connect(cmdNextHint, &QPushButton::clicked, this, &frmHints::cmdNextHint_Click);
  connect(cmdClose, &QPushButton::clicked, this, &frmHints::cmdClose_Click);
  RegistraFinestra(this);
  Form_Load();
}

void frmHints::Form_Load() {
  MostraProssimo();
  ckDontShowAgain->setChecked(!HintsShow);
}

void frmHints::MostraProssimo() { txtHint->setPlainText(QS(Replace(NextHint().Testo, "\r\n", "\n"))); }

void frmHints::cmdNextHint_Click() { MostraProssimo(); }

void frmHints::cmdClose_Click() {
  HintsShow = !ckDontShowAgain->isChecked();
  WriteHintsStatus();
  accept();
}

}  // namespace varnex::ui
