#include "shell/ui/parametri.h"

#include <algorithm>

#include <QFileDialog>
#include <QFormLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>

#include "model/gas.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "shell/default_values.h"
#include "shell/parametri.h"
#include "shell/progetto.h"
#include "shell/stato_interfaccia.h"
#include "shell/ui/units.h"
#include "shell/ui/window_registry.h"

namespace varnex::ui {
namespace {

ApriEditorGas editorGas = nullptr;

QLineEdit* CampoSolaLettura(QWidget* parent, const char* nome) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(QString::fromLatin1(nome));
  t->setReadOnly(true);
  return t;
}

QWidget* ConUnita(QWidget* parent, QLineEdit* campo, const QString& unita) {
  auto* riga = new QWidget(parent);
  auto* l = new QHBoxLayout(riga);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(campo);
  l->addWidget(new QLabel(unita, riga));
  return riga;
}

}  // namespace

void ImpostaEditorGas(ApriEditorGas apri) { editorGas = apri; }

Parametri::Parametri(QWidget* parent) : Dialogo(parent) {
  setObjectName(QStringLiteral("Parametri"));
  setWindowTitle(QStringLiteral("Parametri di progetto"));

  Tabbed1 = new QTabWidget(this);
  Tabbed1->setObjectName(QStringLiteral("Tabbed1"));

  // "Generali"
  auto* generali = new QWidget(Tabbed1);
  auto* fg = new QFormLayout(generali);
  Text1 = new QLineEdit(generali);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text2 = new QLineEdit(generali);
  Text2->setObjectName(QStringLiteral("Text2"));
  txtDocumentPath = new QLineEdit(generali);
  txtDocumentPath->setObjectName(QStringLiteral("txtDocumentPath"));
  cmdBrowse = new QPushButton(QStringLiteral("..."), generali);
  cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
  cmdBrowse->setAutoDefault(false);
  auto* rigaCartella = new QWidget(generali);
  auto* lc = new QHBoxLayout(rigaCartella);
  lc->setContentsMargins(0, 0, 0, 0);
  lc->addWidget(txtDocumentPath);
  lc->addWidget(cmdBrowse);
  fg->addRow(QStringLiteral("Riferimento:"), Text1);
  fg->addRow(QStringLiteral("Descrizione Lavoro:"), Text2);
  fg->addRow(QStringLiteral("Archivio documenti:"), rigaCartella);
  Tabbed1->addTab(generali, QStringLiteral("Generali"));

  // "Gas"
  auto* pagGas = new QWidget(Tabbed1);
  auto* vg = new QVBoxLayout(pagGas);
  auto* rigaGas = new QWidget(pagGas);
  auto* lg = new QHBoxLayout(rigaGas);
  lg->setContentsMargins(0, 0, 0, 0);
  lg->addWidget(new QLabel(QStringLiteral("Tipo di Gas :"), rigaGas));
  Combo1 = new QComboBox(rigaGas);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->setEditable(false);
  lg->addWidget(Combo1, 1);
  Command4 = new QPushButton(QStringLiteral("Gestione gas ->"), rigaGas);
  Command4->setObjectName(QStringLiteral("Command4"));
  Command4->setAutoDefault(false);
  lg->addWidget(Command4);
  vg->addWidget(rigaGas);

  frameGas = new QGroupBox(QStringLiteral("Caratteristiche GAS in condizioni normali (15°C , 1013 mbar)"), pagGas);
  auto* fgas = new QFormLayout(frameGas);
  txtDensita = CampoSolaLettura(frameGas, "txtDensita");
  txtMassa = CampoSolaLettura(frameGas, "txtMassa");
  txtViscosita = CampoSolaLettura(frameGas, "txtViscosita");
  fgas->addRow(QStringLiteral("Densita' relativa :"), txtDensita);
  fgas->addRow(QStringLiteral("Massa Volumica :"), ConUnita(frameGas, txtMassa, QStringLiteral("Kg/mc")));
  fgas->addRow(QStringLiteral("Visc. cinematica:"), ConUnita(frameGas, txtViscosita, QStringLiteral("mmq/s")));
  lblCombustibile = new QLabel(frameGas);
  lblCombustibile->setObjectName(QStringLiteral("lblCombustibile"));
  fgas->addRow(lblCombustibile);
  pnlCombustibile = new QFrame(frameGas);
  pnlCombustibile->setObjectName(QStringLiteral("pnlCombustibile"));
  auto* fc = new QFormLayout(pnlCombustibile);
  fc->setContentsMargins(0, 0, 0, 0);
  txtPCinf = CampoSolaLettura(pnlCombustibile, "txtPCinf");
  txtPCsup = CampoSolaLettura(pnlCombustibile, "txtPCsup");
  txtWobbeInf = CampoSolaLettura(pnlCombustibile, "txtWobbeInf");
  txtWobbeSup = CampoSolaLettura(pnlCombustibile, "txtWobbeSup");
  txtFamiglia = CampoSolaLettura(pnlCombustibile, "txtFamiglia");
  fc->addRow(QStringLiteral("Potere calorifico inf. :"), ConUnita(pnlCombustibile, txtPCinf, QStringLiteral("MJ/mc")));
  fc->addRow(QStringLiteral("Potere calorifico sup. :"), ConUnita(pnlCombustibile, txtPCsup, QStringLiteral("MJ/mc")));
  fc->addRow(QStringLiteral("Indice di Wobbe inf. :"), ConUnita(pnlCombustibile, txtWobbeInf, QStringLiteral("MJ/mc")));
  fc->addRow(QStringLiteral("Indice di Wobbe sup. :"), ConUnita(pnlCombustibile, txtWobbeSup, QStringLiteral("MJ/mc")));
  fc->addRow(QStringLiteral("Famiglia :"), txtFamiglia);
  fgas->addRow(pnlCombustibile);
  vg->addWidget(frameGas);

  pnlVelocita = new QFrame(pagGas);
  pnlVelocita->setObjectName(QStringLiteral("pnlVelocita"));
  auto* fv = new QFormLayout(pnlVelocita);
  txtVelocita = new QLineEdit(pnlVelocita);
  txtVelocita->setObjectName(QStringLiteral("txtVelocita"));
  fv->addRow(QStringLiteral("Velocità massima:"), ConUnita(pnlVelocita, txtVelocita, QStringLiteral("m/s")));
  vg->addWidget(pnlVelocita);
  vg->addStretch(1);
  Tabbed1->addTab(pagGas, QStringLiteral("Gas"));

  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setAutoDefault(false);
  Command2 = new QPushButton(QStringLiteral("Annulla"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setAutoDefault(false);

  connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int) { Combo1_Click(); });
  connect(Command1, &QPushButton::clicked, this, &Parametri::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Parametri::Command2_Click);
  connect(Command4, &QPushButton::clicked, this, &Parametri::Command4_Click);
  connect(cmdBrowse, &QPushButton::clicked, this, &Parametri::cmdBrowse_Click);
  for (QWidget* w : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2), static_cast<QWidget*>(Combo1),
                     static_cast<QWidget*>(txtVelocita), static_cast<QWidget*>(txtDocumentPath)})
    w->installEventFilter(this);

  RegistraFinestra(this);
  Form_Load();
}

void Parametri::Form_Load() {
  ReloadCombo();
  LoadFields();
  SelectDefaultGas();
  Tabbed1->setCurrentIndex(0);
  // Centred once its size is known: the velocity of a pressurised network may have grown it.
  AdattaDimensioni();
  CentraSulloSchermo(*this);
}

void Parametri::AdattaDimensioni() {
  // Room for a combustible gas's five boxes whatever gas is selected now, so that choosing
  // another one never squashes them.
  const bool senzaCombustibile = pnlCombustibile->isHidden();
  pnlCombustibile->setHidden(false);
  const QSize minimo = Tabbed1->minimumSizeHint();
  pnlCombustibile->setHidden(senzaCombustibile);

  const QRect base = RettangoloTwips(120, 120, 6360, 5160);
  const int larghezza = std::max(base.width(), minimo.width());
  const int altezza = std::max(base.height(), minimo.height());
  Tabbed1->setGeometry(base.x(), base.y(), larghezza, altezza);
  const int destra = base.x() + larghezza - Pixel(60);
  const int altoPulsanti = base.y() + altezza + Pixel(120);
  const QSize pulsante = DimensioneTwips(1500, 420);
  Command2->setGeometry(destra - pulsante.width(), altoPulsanti, pulsante.width(), pulsante.height());
  Command1->setGeometry(Command2->x() - Pixel(180) - pulsante.width(), altoPulsanti, pulsante.width(), pulsante.height());
  setFixedSize(2 * base.x() + larghezza, altoPulsanti + pulsante.height() + Pixel(180));
}

void Parametri::showEvent(QShowEvent* evento) {
  Dialogo::showEvent(evento);
  // The first words typed name the project: the keyboard starts in "Riferimento", on the first
  // page, with the caret after its text, never on the page bar, which takes no text.
  if (evento->spontaneous()) return;
  Tabbed1->setCurrentIndex(0);
  Text1->setFocus(Qt::OtherFocusReason);
  // The dialog's own show then gives it the keyboard as a Tab would, which selects the whole
  // reference: the first key would replace it. The caret goes after the text once that is done.
  QMetaObject::invokeMethod(
      this,
      [this] {
        Text1->deselect();
        Text1->end(false);
      },
      Qt::QueuedConnection);
}

void Parametri::update() { LoadFields(); }

void Parametri::LoadFields() {
  Text1->setText(QS(Riferimento));
  Text2->setText(QS(DescrizioneLavoro));
  txtDocumentPath->setText(QS(PercorsoDocumenti));
  if (ReteInPressione != 0) {
    pnlVelocita->setVisible(true);
    txtVelocita->setText(QS(TestoNumero(VelocitaMaxImpostata)));
  } else {
    pnlVelocita->setVisible(false);
  }
}

void Parametri::ReloadCombo(const std::string& s) {
  const std::vector<std::string> voci = ElencoGasParametri(ReteInPressione);
  {
    QSignalBlocker blocca(Combo1);
    Combo1->clear();
    for (const std::string& v : voci) Combo1->addItem(QS(v));
    Combo1->setCurrentIndex(-1);
  }
  Combo1->setCurrentIndex(IndiceDaModello(voci, s));
}

void Parametri::SelectDefaultGas() {
  std::vector<std::string> voci;
  for (int i = 0; i < Combo1->count(); ++i) voci.push_back(SS(Combo1->itemText(i)));
  const int indice = IndiceGasIniziale(voci);
  if (indice == Combo1->currentIndex() && indice >= 0)
    Combo1_Click();
  else
    Combo1->setCurrentIndex(indice);
}

void Parametri::Combo1_Click() {
  if (Combo1->currentIndex() < 0) return;
  const int16_t g = CercaGas(SS(Combo1->currentText()));
  if (g < 1) return;
  CurrentGas = g;
  FillGasData(g);
}

void Parametri::FillGasData(int16_t gas) {
  const TestiGas t = TestiProprietaGas(ArchivioGas[static_cast<size_t>(gas)]);
  txtDensita->setText(QS(t.densita));
  txtViscosita->setText(QS(t.viscosita));
  txtPCinf->setText(QS(t.pci));
  txtPCsup->setText(QS(t.pcs));
  txtMassa->setText(QS(t.massa));
  txtWobbeInf->setText(QS(t.wobbeInf));
  txtWobbeSup->setText(QS(t.wobbeSup));
  txtFamiglia->setText(QS(t.famiglia));
  lblCombustibile->setText(t.combustibile ? QStringLiteral("Gas combustibile") : QStringLiteral("Gas NON combustibile"));
  pnlCombustibile->setVisible(t.combustibile);
}

void Parametri::Command1_Click() {
  CampiParametri campi{SS(Text1->text()), SS(Text2->text()), SS(txtDocumentPath->text()), SS(txtVelocita->text())};
  if (!ConfermaParametri(campi)) return;
  hide();
  AmbienteProgetto().MostraEditor();
  accept();
}

void Parametri::Command2_Click() { reject(); }

void Parametri::Command4_Click() {
  GasEditorDaMain = 0;
  if (editorGas) editorGas();
  const std::string nome = SS(Combo1->currentText());
  ReloadCombo(nome);
}

void Parametri::cmdBrowse_Click() {
  const std::string cartella = BrowseForFolder(SS(txtDocumentPath->text()), "Seleziona la directory", this);
  // A cancelled picker keeps the folder; the project takes it only with OK.
  if (!cartella.empty()) txtDocumentPath->setText(QS(cartella));
}

void Parametri::txtDocumentPath_DblClick() { OpenExplorer(SS(txtDocumentPath->text())); }

void Parametri::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    Command2_Click();
    return;
  }
  Dialogo::keyPressEvent(evento);
}

bool Parametri::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == txtDocumentPath && evento->type() == QEvent::MouseButtonDblClick) {
    txtDocumentPath_DblClick();
    return true;
  }
  if (evento->type() != QEvent::KeyPress) return Dialogo::eventFilter(oggetto, evento);
  auto* tasto = static_cast<QKeyEvent*>(evento);
  const bool invio = tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
  // The filters below act on typed characters only: Esc, Tab, Delete and the arrows always do
  // their usual work (Esc reaches the dialog and cancels it).
  const QString testo = tasto->text();
  const bool carattere = tasto->key() != Qt::Key_Backspace && !testo.isEmpty() && testo.at(0).isPrint();
  if (oggetto == Text1) {
    if (invio) {
      Text2->setFocus();
      return true;
    }
    if (carattere && Text1->text().size() > 40 && !Text1->hasSelectedText()) return true;
  } else if (oggetto == Text2) {
    if (invio) {
      Command1->setFocus();
      return true;
    }
  } else if (oggetto == Combo1) {
    if (invio) {
      txtDensita->setFocus();
      return true;
    }
    // The list is chosen from, never typed into; Space opens it.
    if (carattere && tasto->key() != Qt::Key_Space) return true;
  } else if (oggetto == txtVelocita) {
    if (invio) {
      Command1->setFocus();
      return true;
    }
    if (!carattere) return false;
    const int16_t codice = static_cast<int16_t>(testo.at(0).unicode());
    return FiltroTastoNumerico(codice, SS(txtVelocita->text()), txtVelocita->hasSelectedText(), 4) == 0;
  }
  return Dialogo::eventFilter(oggetto, evento);
}

void MostraParametri() {
  Parametri dialogo;
  MostraModale(dialogo);
}

std::string BrowseForFolder(const std::string& cartellaIniziale, const std::string& titolo, QWidget*) {
  return FileDialoghi().ScegliCartella(titolo, cartellaIniziale).value_or("");
}

bool OpenExplorer(const std::string& percorso) { return Desktop().Apri(percorso); }

}  // namespace varnex::ui
