#include "report/print/ui/frm_pagina.h"

#include <QKeyEvent>
#include <cmath>

#include "model/files.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante.h"
#include "report/print/ui/stampante_qt.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

constexpr int LarghezzaFull = 1815;
constexpr int AltezzaFull = 2415;
constexpr int Minimo = 80;
constexpr int Massimo = 120;

int Limita(int v) { return v < Minimo ? Minimo : (v > Massimo ? Massimo : v); }

const char* const Aiuto[] = {
    "Questa finestra serve per personalizzare le ",
    "dimensioni della area stampabile.",
    "Le impostazioni standard sono 100% di larghezza e ",
    "100% di lunghezza.",
    "Solo se si riscontrano problemi di stampa (salti pagina ",
    "non regolari o pagine vuote) provare a ridurre ",
    "gradatamente  il valore della  lunghezza della area stampabile.",
    "",
    "La modifica della larghezza della area di stampa puo' essere ",
    "utilizzata per adattare i margini alle proprie esigenze ",
    "di rilegatura.",
};

}  // namespace

int16_t ValorePercentuale(const QString& testo) {
  int i = 0;
  while (i < testo.size() && testo[i] == QLatin1Char(' ')) ++i;
  QString numero;
  if (i < testo.size() && (testo[i] == QLatin1Char('-') || testo[i] == QLatin1Char('+'))) numero += testo[i++];
  bool punto = false;
  for (; i < testo.size(); ++i) {
    const QChar c = testo[i];
    if (c.isDigit() && c.unicode() < 128) {
      numero += c;
    } else if (c == QLatin1Char('.') && !punto) {
      punto = true;
      numero += c;
    } else {
      break;
    }
  }
  bool ok = false;
  const double v = numero.toDouble(&ok);
  if (!ok || !std::isfinite(v)) return 0;
  const double r = ArrotondaPari(v);
  // The boxes hold at most four characters; a longer text set from outside stays in range.
  if (r > 32767) return 32767;
  if (r < -32768) return -32768;
  return static_cast<int16_t>(r);
}

QString TestoPercentuale(int32_t valore) {
  return (valore == 0 ? QString() : QString::number(valore)) + QStringLiteral("%");
}

frmPagina::frmPagina(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPagina"));
  setWindowTitle(QStringLiteral("Proporzioni pagina"));
  setFixedSize(DimensioneTwips(4200, 5900));

  auto* cornice = new QFrame(this);
  cornice->setFrameShape(QFrame::Box);
  cornice->setGeometry(RettangoloTwips(120, 60, 3960, 3300));
  picFull = new QFrame(cornice);
  picFull->setObjectName(QStringLiteral("picFull"));
  picFull->setGeometry(RettangoloTwips(120, 120, LarghezzaFull, AltezzaFull));
  picFull->setAutoFillBackground(true);
  QPalette grigio = picFull->palette();
  grigio.setColor(QPalette::Window, QColor(128, 128, 128));
  picFull->setPalette(grigio);
  picPage = new QFrame(picFull);
  picPage->setObjectName(QStringLiteral("picPage"));
  picPage->setAutoFillBackground(true);
  QPalette bianco = picPage->palette();
  bianco.setColor(QPalette::Window, Qt::white);
  picPage->setPalette(bianco);

  auto bottone = [&](const char* nome, const char* testo, QWidget* dove, QRect r) {
    auto* b = new QPushButton(QString::fromUtf8(testo), dove);
    b->setObjectName(QString::fromLatin1(nome));
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
  };
  auto casella = [&](const char* nome, QWidget* dove, QRect r) {
    auto* t = new QLineEdit(QStringLiteral("100%"), dove);
    t->setObjectName(QString::fromLatin1(nome));
    t->setMaxLength(4);
    t->setGeometry(r);
    t->installEventFilter(this);
    return t;
  };
  Label1 = new QLabel(QStringLiteral("Larghezza"), cornice);
  Label1->setGeometry(RettangoloTwips(120, 2600, 1815, 240));
  cmdMinusW = bottone("cmdMinusW", "-", cornice, RettangoloTwips(120, 2880, 360, 300));
  txtW = casella("txtW", cornice, RettangoloTwips(540, 2880, 840, 300));
  cmdPlusW = bottone("cmdPlusW", "+", cornice, RettangoloTwips(1440, 2880, 360, 300));
  Label2 = new QLabel(QStringLiteral("Lunghezza"), cornice);
  Label2->setGeometry(RettangoloTwips(2100, 120, 1700, 240));
  cmdMinusH = bottone("cmdMinusH", "-", cornice, RettangoloTwips(2100, 420, 360, 300));
  txtH = casella("txtH", cornice, RettangoloTwips(2520, 420, 840, 300));
  cmdPlusH = bottone("cmdPlusH", "+", cornice, RettangoloTwips(3420, 420, 360, 300));

  auto* SSPanel1 = new QFrame(this);
  SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
  SSPanel1->setFrameShape(QFrame::Panel);
  SSPanel1->setFrameShadow(QFrame::Sunken);
  SSPanel1->setGeometry(RettangoloTwips(120, 3420, 3960, 1800));
  Text1 = new QPlainTextEdit(SSPanel1);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setGeometry(RettangoloTwips(30, 30, 3900, 1740));
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setReadOnly(true);
  QString aiuto;
  for (const char* riga : Aiuto) aiuto += QString::fromUtf8(riga) + QStringLiteral("\r\n");
  Text1->setPlainText(aiuto);

  Command1 = bottone("Command1", "OK", this, RettangoloTwips(720, 5340, 1200, 375));
  Command2 = bottone("Command2", "Annulla", this, RettangoloTwips(2280, 5340, 1200, 375));

  connect(cmdMinusW, &QPushButton::clicked, this, [this] { cmdMinusW_Click(); });
  connect(cmdPlusW, &QPushButton::clicked, this, [this] { cmdPlusW_Click(); });
  connect(cmdMinusH, &QPushButton::clicked, this, [this] { cmdMinusH_Click(); });
  connect(cmdPlusH, &QPushButton::clicked, this, [this] { cmdPlusH_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  Form_Load();
}

void frmPagina::Form_Load() {
  txtW->setText(TestoPercentuale(PercentualeX));
  txtH->setText(TestoPercentuale(PercentualeY));
  DrawPagePreview();
}

void frmPagina::DrawPagePreview() {
  fattoreLarghezza_ = ValorePercentuale(txtW->text()) / 100.0f;
  fattoreAltezza_ = ValorePercentuale(txtH->text()) / 100.0f;
  const double w = LarghezzaFull * fattoreLarghezza_ * 0.9;
  const double h = AltezzaFull * fattoreAltezza_ * 0.9;
  const double left = (LarghezzaFull - w) / 2 - 40;
  picPage->setGeometry(RettangoloTwips(static_cast<int>(std::lround(left)), 1, static_cast<int>(std::lround(w)),
                                       static_cast<int>(std::lround(h))));
}

void frmPagina::Passo(QLineEdit* box, int delta) {
  box->setText(TestoPercentuale(Limita(ValorePercentuale(box->text()) + delta)));
  DrawPagePreview();
}

void frmPagina::Lascia(QLineEdit* box) { box->setText(TestoPercentuale(Limita(ValorePercentuale(box->text())))); }

void frmPagina::cmdMinusW_Click() { Passo(txtW, -1); }
void frmPagina::cmdPlusW_Click() { Passo(txtW, 1); }
void frmPagina::cmdMinusH_Click() { Passo(txtH, -1); }
void frmPagina::cmdPlusH_Click() { Passo(txtH, 1); }
void frmPagina::txtW_LostFocus() { Lascia(txtW); }
void frmPagina::txtH_LostFocus() { Lascia(txtH); }

bool frmPagina::Filtra(QLineEdit* box, const QKeyEvent& e) const {
  if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return true;
  const bool indietro = e.key() == Qt::Key_Backspace;
  // Only typed characters are filtered; moving and deleting keys pass.
  if (!indietro && e.text().isEmpty()) return false;
  if (box->text().trimmed().size() > 2 && !indietro && !box->hasSelectedText()) return true;
  const QString t = e.text();
  const bool cifra = t.size() == 1 && t[0].unicode() >= '0' && t[0].unicode() <= '9';
  return !cifra && !indietro;
}

bool frmPagina::eventFilter(QObject* o, QEvent* e) {
  auto* box = qobject_cast<QLineEdit*>(o);
  if (box && (box == txtW || box == txtH)) {
    if (e->type() == QEvent::KeyPress && Filtra(box, *static_cast<QKeyEvent*>(e))) return true;
    if (e->type() == QEvent::FocusOut) Lascia(box);
  }
  return QDialog::eventFilter(o, e);
}

void frmPagina::Command1_Click() {
  // OK reads the boxes as their leaving step left them, also when it is pressed without moving
  // the focus out of a box.
  if (txtW->hasFocus()) Lascia(txtW);
  if (txtH->hasFocus()) Lascia(txtH);
  PercentualeX = ValorePercentuale(txtW->text());
  PercentualeY = ValorePercentuale(txtH->text());
  SavePagePercent();
  // A share of the page too short for the page rules is said so when it is chosen.
  if (IsStampanteInstallata()) {
    const std::string avviso = AvvisoCartaPiccola(
        NomeFormatoCarta(static_cast<int16_t>(PrinterCorrente().pageLayout().pageSize().windowsId())),
        StampanteReportQt().Height(), PercentualeY);
    if (!avviso.empty()) MsgBox(avviso, Bottoni::OK, Icona::Esclamazione);
  }
  hide();
  close();
}

void frmPagina::Command2_Click() {
  hide();
  close();
}

}  // namespace varnex::ui
