#include "app/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/ui/gasgrid.h"
#include "editor/ui/ptronchi.h"
#include "archives/ui/archivi.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante.h"
#include "shell/hints.h"
#include "shell/selettore_gas.h"
#include "shell/stato_interfaccia.h"
#include "shell/ui/comandi_progetto.h"
#include "shell/ui/default_values_dialog.h"
#include "shell/ui/services.h"
#include "shell/ui/splash.h"
#include "shell/ui/tasti.h"
#include "shell/ui/toolbar_pictures.h"
#include "shell/ui/units.h"
#include "shell/ui/wait_window.h"
#include "shell/ui/window_registry.h"
#include "model/tenuta.h"

namespace varnex::ui {

namespace {

frmMainForm* principaleCaricato = nullptr;

QToolButton* NuovoPulsante(QWidget* genitore, const char* nome, const QString& suggerimento, const QPixmap& figura = {}) {
  auto* b = new QToolButton(genitore);
  b->setObjectName(QString::fromLatin1(nome));
  b->setToolTip(suggerimento);
  b->setAutoRaise(true);
  if (!figura.isNull()) {
    b->setIcon(QIcon(figura));
    b->setIconSize(figura.size());
  }
  // A click runs the command and leaves the keyboard where the user was (the table's cell, the
  // schema); Tab still reaches the button.
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

frmMainForm* FinestraPrincipaleCaricata() { return principaleCaricato; }

frmMainForm::frmMainForm(QWidget* parent) : QMainWindow(parent) {
  principaleCaricato = this;
  setObjectName(QStringLiteral("frmMainForm"));
  RegistraFinestra(this, QStringLiteral("X"));
  CostruisciMenu();
  CostruisciBarra();
  AggiornaComandiProgetto();
  area_ = new QScrollArea(this);
  area_->setWidgetResizable(true);
  area_->setFrameShape(QFrame::NoFrame);
  setCentralWidget(area_);
  Timer1 = NuovoTimer(this, QStringLiteral("Timer1"), 1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Timer1->start();
  MDIForm_Load();
}

frmMainForm::~frmMainForm() {
  if (editor_) {
    delete editor_;
    editor_ = nullptr;
  }
  if (principaleCaricato == this) principaleCaricato = nullptr;
}

// ---- Composition --------------------------------------------------------------------------

void frmMainForm::CostruisciMenu() {
  auto voce = [this](QMenu* menu, const char* testo, const char* nome, const QKeySequence& tasto,
                     void (frmMainForm::*gestore)()) {
    QAction* a = menu->addAction(QString::fromUtf8(testo));
    a->setObjectName(QString::fromLatin1(nome));
    if (!tasto.isEmpty()) a->setShortcut(tasto);
    if (gestore) connect(a, &QAction::triggered, this, [this, gestore] { (this->*gestore)(); });
    return a;
  };
  auto separatore = [](QMenu* menu, const char* nome) { menu->addSeparator()->setObjectName(QString::fromLatin1(nome)); };

  barraMenu = new QMenuBar(this);
  barraMenu->setObjectName(QStringLiteral("barraMenu"));
  mnuFile = barraMenu->addMenu(QStringLiteral("&File"));
  NuovoMnu = voce(mnuFile, "Nuovo progetto", "NuovoMnu", QKeySequence(Qt::Key_F5), &frmMainForm::NuovoMnu_Click);
  ApriMnu = voce(mnuFile, "Apri progetto...", "ApriMnu", QKeySequence(Qt::Key_F3), &frmMainForm::ApriMnu_Click);
  SalvaMnu = voce(mnuFile, "Salva progetto", "SalvaMnu", QKeySequence(Qt::Key_F2), &frmMainForm::SalvaMnu_Click);
  SaveAsMnu = voce(mnuFile, "Salva con nome...", "SaveAsMnu", {}, &frmMainForm::SaveAsMnu_Click);
  separatore(mnuFile, "Line2Mnu");
  ParametriMnu = voce(mnuFile, "Parametri di progetto...", "ParametriMnu", QKeySequence(Qt::Key_F4),
                      &frmMainForm::ParametriMnu_Click);
  defaultValue = voce(mnuFile, "Valori di default ...", "defaultValue", QKeySequence(Qt::CTRL | Qt::Key_D),
                      &frmMainForm::defaultValue_Click);
  separatore(mnuFile, "Line4Mnu");
  StampaMnu = voce(mnuFile, "Stampa...", "StampaMnu", QKeySequence(Qt::CTRL | Qt::Key_S), &frmMainForm::StampaMnu_Click);
  mnuImpostaStampante = voce(mnuFile, "Imposta Stampante...", "mnuImpostaStampante", {},
                             &frmMainForm::mnuImpostaStampante_Click);
  separatore(mnuFile, "Line3Mnu");
  EsciMnu = voce(mnuFile, "Esci", "EsciMnu", {}, &frmMainForm::EsciMnu_Click);

  mnuArchivi = barraMenu->addMenu(QStringLiteral("Archivi"));
  MaterialiMnu = voce(mnuArchivi, "Tubazioni...", "MaterialiMnu", QKeySequence(Qt::CTRL | Qt::Key_T), nullptr);
  connect(MaterialiMnu, &QAction::triggered, this, [] { ApriGestMateriali(); });
  mnuGas = voce(mnuArchivi, "Gas...", "mnuGas", QKeySequence(Qt::CTRL | Qt::Key_G), &frmMainForm::mnuGas_Click);
  mnuEqLen = voce(mnuArchivi, "Lungh. Equiv...", "mnuEqLen", QKeySequence(Qt::CTRL | Qt::Key_L), nullptr);
  connect(mnuEqLen, &QAction::triggered, this, [] { ApriSpeciali(); });
  mnuPreferenze = voce(mnuArchivi, "PDC predefinite...", "mnuPreferenze", QKeySequence(Qt::CTRL | Qt::Key_I), nullptr);
  connect(mnuPreferenze, &QAction::triggered, this, [] { ApriPDC(); });

  mnuHelp = barraMenu->addMenu(QStringLiteral("Help"));
  mnuManuale = voce(mnuHelp, "Manuale...", "mnuManuale", QKeySequence(Qt::Key_F1), &frmMainForm::mnuManuale_Click);
  separatore(mnuHelp, "Line5Mnu");
  mnuArchiveCopy = voce(mnuHelp, "Copia Archivi...", "mnuArchiveCopy", {}, nullptr);
  connect(mnuArchiveCopy, &QAction::triggered, this, [] { ApriCopiaArchivi(); });
  mnuProjectFileCopy = voce(mnuHelp, "Copia File di Progetto...", "mnuProjectFileCopy", {}, nullptr);
  connect(mnuProjectFileCopy, &QAction::triggered, this, [] { ApriCopiaProgetti(); });
  separatore(mnuHelp, "Line7Mnu");
  mnuShowHints = voce(mnuHelp, "Visualizza suggerimenti", "mnuShowHints", {}, &frmMainForm::mnuShowHints_Click);
  mnuShowHints->setCheckable(true);
  separatore(mnuHelp, "Line6Mnu");
  AboutMnu = voce(mnuHelp, "Informazioni...", "AboutMnu", {}, &frmMainForm::AboutMnu_Click);

  // The two table editors belong to one activity each: off until the editor tells which.
  for (QAction* a : {mnuEqLen, mnuPreferenze}) a->setEnabled(false);
}

void frmMainForm::CostruisciBarra() {
  Picture1 = new QWidget(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  auto* esterno = new QHBoxLayout(Picture1);
  esterno->setContentsMargins(4, 2, 4, 2);
  auto* righe = new QVBoxLayout;
  auto* riga1 = new QHBoxLayout;
  auto* riga2 = new QHBoxLayout;
  righe->addLayout(riga1);
  righe->addLayout(riga2);
  esterno->addLayout(righe);

  SSCommand1 = NuovoPulsante(Picture1, "SSCommand1", QStringLiteral("Nuovo Progetto"), FiguraComandoFile(FiguraFile::Nuovo));
  Command3D5 = NuovoPulsante(Picture1, "Command3D5", QStringLiteral("Apri File"), FiguraComandoFile(FiguraFile::Apri));
  Command3D4 = NuovoPulsante(Picture1, "Command3D4", QStringLiteral("Salva File"), FiguraComandoFile(FiguraFile::Salva));
  SSCommand2 = NuovoPulsante(Picture1, "SSCommand2", QStringLiteral("Stampa"), FiguraComandoFile(FiguraFile::Stampa));
  SSCommand3 =
      NuovoPulsante(Picture1, "SSCommand3", QStringLiteral("Parametri Impianto"), FiguraComandoFile(FiguraFile::Parametri));
  SSCommand4 = NuovoPulsante(Picture1, "SSCommand4", QStringLiteral("Gestione Gas"), FiguraComandoFile(FiguraFile::Gas));
  SSCommandHelp = NuovoPulsante(Picture1, "SSCommandHelp", QStringLiteral("Guida"), FiguraComandoFile(FiguraFile::Guida));
  Command3D3 = NuovoPulsante(Picture1, "Command3D3", QStringLiteral("Esci"), FiguraComandoFile(FiguraFile::Esci));
  for (QToolButton* b : {SSCommand1, Command3D5, Command3D4, SSCommand2, SSCommand3, SSCommand4, SSCommandHelp, Command3D3})
    riga1->addWidget(b);
  riga1->addStretch();

  cmdParameterElemSel = NuovoPulsante(Picture1, "cmdParameterElemSel", QStringLiteral("Parametri Tronco Selezionato"),
                                 FiguraBarra(Immagine::imgParam));
  cmdDiamLocked = NuovoPulsante(Picture1, "cmdDiamLocked",
                           QStringLiteral("Blocco del Calcolo Automatico di Tutti i Diametri della Colonna"),
                           FiguraBarra(Immagine::ImgLockOpen));
  CommandCalculate =
      NuovoPulsante(Picture1, "CommandCalculate", QStringLiteral("Ricalcolo della Rete"), FiguraBarra(Immagine::ImageCalc));
  SSCommandCancel = NuovoPulsante(Picture1, "SSCommandCancel", QStringLiteral("Cancella tronco selezionato"),
                             FiguraComandoFile(FiguraFile::Cancella));
  CommandCursorLocked = NuovoPulsante(Picture1, "CommandCursorLocked", QStringLiteral("Blocca o Sblocca il Cursore"),
                                 FiguraBarra(Immagine::ImageCurs));
  CommandAutomaticRecalculate =
      NuovoPulsante(Picture1, "CommandAutomaticRecalculate", QStringLiteral("Abilita o Disabilita il Calcolo Automatico"),
               FiguraBarra(Immagine::ImageCalcAuto));
  Label3 = new QLabel(QStringLiteral("Tipo di Gas: "), Picture1);
  Label3->setObjectName(QStringLiteral("Label3"));
  ComboGas = new QComboBox(Picture1);
  ComboGas->setObjectName(QStringLiteral("ComboGas"));
  ComboGas->setMinimumWidth(110);
  ComboGas->installEventFilter(this);
  cmdSaveGasAhAH = NuovoPulsante(Picture1, "cmdSaveGasAhAH", QStringLiteral("Conferma gas selezionato"),
                            FiguraComandoFile(FiguraFile::ConfermaGas));
  cmdSaveGasAhAH->setIconSize(QSize(14, 14));
  SSCommandRefresh =
      NuovoPulsante(Picture1, "SSCommandRefresh", QStringLiteral("Rigenera Schema"), FiguraBarra(Immagine::ImageRefresh));
  Label6 = new QLabel(QStringLiteral("Zoom:"), Picture1);
  Label6->setObjectName(QStringLiteral("Label6"));
  Command7 = NuovoPulsante(Picture1, "Command7", QStringLiteral("Zoom -"));
  Command7->setText(QStringLiteral("-"));
  txtScaleW = new QLineEdit(Picture1);
  txtScaleW->setObjectName(QStringLiteral("txtScaleW"));
  txtScaleW->setToolTip(QStringLiteral("Zoom dello schema grafico"));
  txtScaleW->setReadOnly(true);
  txtScaleW->setMaximumWidth(44);
  Command6 = NuovoPulsante(Picture1, "Command6", QStringLiteral("Zoom +"));
  Command6->setText(QStringLiteral("+"));
  for (QWidget* w : std::initializer_list<QWidget*>{cmdParameterElemSel, cmdDiamLocked, CommandCalculate,
                                                    SSCommandCancel, CommandCursorLocked, CommandAutomaticRecalculate,
                                                    Label3, ComboGas, cmdSaveGasAhAH, SSCommandRefresh, Label6,
                                                    Command7, txtScaleW, Command6})
    riga2->addWidget(w);
  riga2->addStretch();
  for (QWidget* etichetta : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label6)})
    etichetta->setMinimumWidth(etichetta->sizeHint().width());

  Frame1 = new QWidget(Picture1);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* ditta = new QVBoxLayout(Frame1);
  ditta->setContentsMargins(0, 0, 0, 0);
  ditta->setSpacing(0);
  Label1 = new QLabel(Frame1);
  QFont grassetto = Label1->font();
  grassetto.setBold(true);
  Label1->setFont(grassetto);
  Label7 = new QLabel(Frame1);
  lblAgente = new QLabel(Frame1);
  Label2 = new QLabel(Frame1);
  Label2->hide();  // the same second firm line, kept for the report headers' layout
  for (QLabel* l : {Label1, Label7, lblAgente}) ditta->addWidget(l);
  esterno->addWidget(Frame1, 1);
  picIndicatore = new QLabel(Picture1);
  picIndicatore->setObjectName(QStringLiteral("picIndicatore"));
  esterno->addWidget(picIndicatore);
  imgSwCompany = new QLabel(Picture1);
  imgSwCompany->setObjectName(QStringLiteral("imgSwCompany"));
  imgSwCompany->installEventFilter(this);
  esterno->addWidget(imgSwCompany);
  auto* contenitore = new QWidget(this);
  auto* colonna = new QVBoxLayout(contenitore);
  colonna->setContentsMargins(0, 0, 0, 0);
  colonna->setSpacing(0);
  colonna->addWidget(barraMenu);
  colonna->addWidget(Picture1);
  auto* linea = new QFrame(contenitore);
  linea->setObjectName(QStringLiteral("Line11"));
  linea->setFrameShape(QFrame::HLine);
  colonna->addWidget(linea);
  setMenuWidget(contenitore);

  const std::pair<QToolButton*, void (frmMainForm::*)()> gestori[] = {
      {SSCommand1, &frmMainForm::SSCommand1_Click},
      {Command3D5, &frmMainForm::Command3D5_Click},
      {Command3D4, &frmMainForm::Command3D4_Click},
      {SSCommand2, &frmMainForm::SSCommand2_Click},
      {SSCommand3, &frmMainForm::SSCommand3_Click},
      {SSCommand4, &frmMainForm::SSCommand4_Click},
      {SSCommandHelp, &frmMainForm::SSCommandHelp_Click},
      {Command3D3, &frmMainForm::Command3D3_Click},
      {cmdParameterElemSel, &frmMainForm::cmdParameterElemSel_Click},
      {cmdDiamLocked, &frmMainForm::cmdDiamLocked_Click},
      {CommandCalculate, &frmMainForm::CommandCalculate_Click},
      {SSCommandCancel, &frmMainForm::SSCommandCancel_Click},
      {CommandCursorLocked, &frmMainForm::CommandCursorLocked_Click},
      {CommandAutomaticRecalculate, &frmMainForm::CommandAutomaticRecalculate_Click},
      {SSCommandRefresh, &frmMainForm::SSCommandRefresh_Click},
      {Command6, &frmMainForm::Command6_Click},
      {Command7, &frmMainForm::Command7_Click},
  };
  for (const auto& [b, g] : gestori) connect(b, &QToolButton::clicked, this, [this, g = g] { (this->*g)(); });
  // Pressing this button only takes the focus from the gas selector, which applies the choice.
  connect(cmdSaveGasAhAH, &QToolButton::clicked, this, [this] { cmdSaveGasAhAH->setFocus(); });
}

// ---- Load, resize, close, timer -----------------------------------------------------------

QRect frmMainForm::GeometriaFrame1(int w, int h, int W, int sinistraFrame, int sinistraSSCommand1) {
  QRect r;
  const int larghezza = w - sinistraFrame - w / 15;
  int sinistra = W - (sinistraSSCommand1 + larghezza);
  if (sinistra < 3000) sinistra = 3000;
  r.setRect(sinistra, 0, larghezza, h);
  return r;
}

void frmMainForm::MDIForm_Load() {
  const std::string logo = UnisciPercorso(CartellaProgramma(), "logo.bmp");
  // The strip is as high as the two toolbar rows: a larger logo would push the buttons over each other.
  if (EsisteFile(logo)) imgSwCompany->setPixmap(QPixmap(QS(logo)).scaledToHeight(44, Qt::SmoothTransformation));
  resize(DimensioneTwips(12150, 8930));
  move(0, 0);
  StatoBloccoDiametri = -1;
  RicalcoloAutomatico = 0;
  CursoreBloccato = 0;
  for (Comando c : {Comando::CommandCalculate, Comando::CommandCursorLocked, Comando::CommandAutomaticRecalculate,
                    Comando::SSCommandRefresh, Comando::cmdParameterElemSel, Comando::txtScaleW, Comando::Command6,
                    Comando::Command7, Comando::Label6}) {
    richiesti_[c] = false;
    ApplicaComando(c);
  }
  Label3->setEnabled(false);
  ComboGas->setEnabled(true);
  InitInitialGasCombo(DefaultGas);
  RicalcoloAutomatico = -1;
  Frame1Twips = GeometriaFrame1(LarghezzaTwips(), AltezzaTwips(), LarghezzaAreaLavoro(), 0,
                                Twips(SSCommand1->x()));
  setWindowTitle(QStringLiteral("VarnexPro"));
  Label1->setText(QS(Trim(DittaRiga1)));
  Label2->setText(QS(Trim(DittaRiga2)));
  Label7->setText(QS(Trim(DittaRiga2)));
  if (!DittaAgente.empty()) {
    lblAgente->setText(QS(DittaAgente));
    lblAgente->setVisible(true);
  } else {
    lblAgente->setText(QString());
    lblAgente->setVisible(false);
  }
  show();
  DoEvents();
  DoEvents();
}

void frmMainForm::MDIForm_Resize() {
  if (GrigliaNonCaricata || !editor_ || inRidimensionamento_) return;
  inRidimensionamento_ = true;
  impaginataPer_ = frameGeometry().size();
  editor_->resizeOnDemand();
  inRidimensionamento_ = false;
}

void frmMainForm::RidimensionaPoi() {
  // A drag sends many sizes: the editor lays itself out once for the last one.
  if (ridimensionamentoInAttesa_) return;
  ridimensionamentoInAttesa_ = true;
  QTimer::singleShot(0, this, [this] {
    ridimensionamentoInAttesa_ = false;
    MDIForm_Resize();
  });
}

void frmMainForm::resizeEvent(QResizeEvent* evento) {
  QMainWindow::resizeEvent(evento);
  RidimensionaPoi();
}

// The editor's layout (and with it the schema's drawn end points, which a save writes) follows the
// window's outer size. The desktop may put its frame round the window after the last resize, at a
// moment that varies from one start to the next: that arrives as a move, and the layout follows
// it, so the same window gives the same layout whenever its frame came.
void frmMainForm::moveEvent(QMoveEvent* evento) {
  QMainWindow::moveEvent(evento);
  if (frameGeometry().size() != impaginataPer_) RidimensionaPoi();
}

bool frmMainForm::MDIForm_Unload() {
  const bool chiudi = ComandiProgetto() ? ComandiProgetto()->ChiudiProgetto() : true;
  if (chiudi) {
    chiusuraConfermata_ = true;
    TerminateALL();
    return true;
  }
  if (editor_) {
    editor_->show();
    DoEvents();
    editor_->SelezionaPagina(0);
  }
  return false;
}

void frmMainForm::closeEvent(QCloseEvent* evento) {
  if (chiusuraConfermata_ || MDIForm_Unload()) {
    evento->accept();
    return;
  }
  evento->ignore();
}

void frmMainForm::TerminateALL() {
  chiusuraConfermata_ = true;
  RegistroFinestre::Istanza().ScaricaTutte();
}

void frmMainForm::Timer1_Timer() {
  if (isMinimized()) RegistroFinestre::Istanza().NascondiSecondarie();
}

bool frmMainForm::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == imgSwCompany && evento->type() == QEvent::MouseButtonRelease) {
    imgSwCompany_Click();
    return true;
  }
  if (oggetto == ComboGas) {
    if (evento->type() == QEvent::FocusOut) {
      ComboGas_LostFocus();
    } else if (evento->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(evento);
      // Enter chooses; typed characters change nothing: the selector cannot be typed into.
      if (const int16_t tasto = CodiceTasto(*k); tasto == 13 || (tasto != 0 && tasto != 8 && tasto != 27)) {
        ComboGas_KeyPress(tasto);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(oggetto, evento);
}

// ---- The editor inside --------------------------------------------------------------------

GasGrid& frmMainForm::CaricaEditor() {
  if (!editor_) {
    editor_ = new GasGrid(*this);
    area_->setWidget(editor_);
    AggiornaComandiEditor();
  }
  return *editor_;
}

void frmMainForm::AggiornaComandiEditor() {
  for (Comando c : {Comando::SSCommandRefresh, Comando::Command6, Comando::Command7}) ApplicaComando(c);
}

void frmMainForm::ScaricaEditor() {
  if (!editor_) return;
  GasGrid* g = editor_;
  editor_ = nullptr;
  g->hide();
  if (area_->widget() == g) area_->takeWidget();
  delete g;
  AggiornaComandiEditor();
}

// ---- IFinestraPrincipale ------------------------------------------------------------------

QWidget* frmMainForm::Controllo(Comando c) const {
  switch (c) {
    case Comando::CommandCalculate: return CommandCalculate;
    case Comando::CommandCursorLocked: return CommandCursorLocked;
    case Comando::CommandAutomaticRecalculate: return CommandAutomaticRecalculate;
    case Comando::cmdDiamLocked: return cmdDiamLocked;
    case Comando::cmdParameterElemSel: return cmdParameterElemSel;
    case Comando::SSCommandRefresh: return SSCommandRefresh;
    case Comando::SSCommandCancel: return SSCommandCancel;
    case Comando::txtScaleW: return txtScaleW;
    case Comando::Command6: return Command6;
    case Comando::Command7: return Command7;
    case Comando::Label6: return Label6;
  }
  return nullptr;
}

QToolButton* frmMainForm::Pulsante(Comando c) const { return qobject_cast<QToolButton*>(Controllo(c)); }

bool frmMainForm::Disponibile(Comando c) const {
  switch (c) {
    // Redrawing needs the schema drawing, and it and the zoom need the editor to act on.
    case Comando::SSCommandRefresh:
      return editor_ != nullptr && SchemaRete() != nullptr;
    case Comando::Command6:
    case Comando::Command7:
      return editor_ != nullptr;
    default:
      return true;
  }
}

void frmMainForm::ApplicaComando(Comando c) {
  QWidget* w = Controllo(c);
  if (!w) return;
  const auto r = richiesti_.find(c);
  w->setEnabled(r != richiesti_.end() && r->second && Disponibile(c));
  if (auto* b = qobject_cast<QToolButton*>(w)) {
    const auto f = figure_.find(c);
    if (f != figure_.end() && f->second != Immagine::Nessuna) {
      const auto m = mostrate_.find(c);
      if (m == mostrate_.end() || m->second != f->second) {
        b->setIcon(QIcon(FiguraBarra(f->second)));
        mostrate_[c] = f->second;
      }
    }
  }
}

void frmMainForm::ImpostaComando(Comando comando, const StatoComando& stato) {
  richiesti_[comando] = stato.Abilitato;
  if (stato.Figura != Immagine::Nessuna) figure_[comando] = stato.Figura;
  ApplicaComando(comando);
}

void frmMainForm::ImpostaFigura(Comando comando, Immagine figura) {
  figure_[comando] = figura;
  ApplicaComando(comando);
}

Immagine frmMainForm::FiguraComando(Comando comando) const {
  const auto f = figure_.find(comando);
  return f == figure_.end() ? Immagine::Nessuna : f->second;
}

bool frmMainForm::ComandoRichiesto(Comando comando) const {
  const auto r = richiesti_.find(comando);
  return r != richiesti_.end() && r->second;
}

bool frmMainForm::MenuRichiesto(const QAction* voce) const {
  const auto r = menuRichiesti_.find(voce);
  return r != menuRichiesti_.end() && r->second;
}

void frmMainForm::AggiornaComandiProgetto() {
  const bool c = ComandiProgetto() != nullptr;
  for (QAction* a : {NuovoMnu, ApriMnu, SalvaMnu, SaveAsMnu, ParametriMnu, EsciMnu})
    if (a) a->setEnabled(c);
  for (QToolButton* b : {SSCommand1, Command3D5, Command3D4, SSCommand3, Command3D3})
    if (b) b->setEnabled(c);
}

void frmMainForm::AbilitaSelettoreGas() {
  Label3->setEnabled(true);
  ComboGas->setEnabled(true);
}

void frmMainForm::ImpostaTestoZoom(const std::string& testo) { txtScaleW->setText(QS(testo)); }

void frmMainForm::NascondiIndicatore() { picIndicatore->setVisible(false); }

void frmMainForm::MostraIndicatore(bool inPressione) {
  picIndicatore->setPixmap(FiguraComponente(inPressione ? FiguraPalette::Manometro : FiguraPalette::Contatore));
  picIndicatore->setToolTip(inPressione ? QStringLiteral("Calcolo reti gas in pressione")
                                        : QStringLiteral("Calcolo impianto interno gas (UNI 7129)"));
  picIndicatore->setVisible(true);
}

void frmMainForm::MenuAttivita(bool inPressione) {
  menuRichiesti_[mnuEqLen] = inPressione;
  menuRichiesti_[mnuPreferenze] = !inPressione;
  mnuEqLen->setEnabled(inPressione);
  mnuPreferenze->setEnabled(!inPressione);
}

int frmMainForm::AltezzaTwips() const { return Twips(frameGeometry().height()); }
int frmMainForm::LarghezzaTwips() const { return Twips(frameGeometry().width()); }
int frmMainForm::AltezzaBarraTwips() const { return Twips(std::max(Picture1->height(), Picture1->sizeHint().height())); }
bool frmMainForm::Minimizzata() const { return isMinimized(); }

// ---- Gas selector -------------------------------------------------------------------------

void frmMainForm::InitInitialGasCombo(const std::optional<std::string>& s) {
  const QSignalBlocker blocco(ComboGas);
  ComboGas->clear();
  for (const std::string& nome : ElencoGasSelettore()) ComboGas->addItem(QS(nome));
  if (ComboGas->count() > 0) ComboGas->setCurrentIndex(0);
  if (s) SelectItemInGasList(*s);
}

void frmMainForm::SelectItemInGasList(const std::string& s) {
  const QSignalBlocker blocco(ComboGas);
  // The project's gas as the archive spells it: found by the one rule for gas names.
  std::vector<std::string> voci;
  for (int v = 0; v < ComboGas->count(); ++v) voci.push_back(SS(ComboGas->itemText(v)));
  const int i = IndiceNomeGas(voci, s);
  ComboGas->setCurrentIndex(i);
  // A gas the archive lacks (a project's gas left without a substitute) still shows by its name.
  ComboGas->setPlaceholderText(i < 0 ? QS(s) : QString());
}

bool frmMainForm::ApplicaSceltaGasUI(bool conTenuta) {
  if (inSceltaGas_) return false;
  inSceltaGas_ = true;
  struct Fine {
    bool& f;
    ~Fine() { f = false; }
  } fine{inSceltaGas_};
  const std::optional<std::string> voce =
      ComboGas->currentIndex() >= 0 ? std::optional<std::string>(SS(ComboGas->currentText())) : std::nullopt;
  const EsitoSceltaGas esito = ApplicaSceltaGas(voce);
  if (esito == EsitoSceltaGas::Rifiutato || esito == EsitoSceltaGas::NonTrovato) return false;
  SelectItemInGasList(GasCorrente.Nome);
  if (esito == EsitoSceltaGas::Applicato && RicalcoloAutomatico && editor_) editor_->Elaborazione();
  if (conTenuta) TenutaImpiantoRefresh();
  return true;
}

void frmMainForm::ComboGas_Change() { ApplicaSceltaGasUI(true); }
void frmMainForm::ComboGas_LostFocus() { ApplicaSceltaGasUI(true); }

void frmMainForm::ComboGas_KeyPress(int keyAscii) {
  if (keyAscii != 13) {
    TenutaImpiantoRefresh();
    return;
  }
  if (!ApplicaSceltaGasUI(false)) return;
  if (editor_) editor_->Tabbed1->setFocus();
  TenutaImpiantoRefresh();
}

// ---- Menu commands ------------------------------------------------------------------------

void frmMainForm::NuovoMnu_Click() {
  IComandiProgetto* comandi = ComandiProgetto();
  if (!comandi) return;
  if (comandi->ChiudiProgetto()) {
    ScaricaEditor();
    ScaricaPTronchi();
    comandi->ScaricaParametri();
    comandi->MostraAttivita();
  }
  // Reloads the tightness page of the editor in force now: never one that was just unloaded.
  if (GasGrid* g = GasGridCaricato()) g->TenutaImpiantoInit();
}

void frmMainForm::ApriMnu_Click() {
  if (ComandiProgetto()) ComandiProgetto()->ApriProgetto();
}

void frmMainForm::SalvaMnu_Click() {
  if (!ComandiProgetto()) return;
  const RitornoFuoco ritorno;
  if (editor_) editor_->ConfermaModificaInCorso();
  ComandiProgetto()->SalvaProgetto(PercorsoProgetto);
}

void frmMainForm::SaveAsMnu_Click() {
  if (!ComandiProgetto()) return;
  const RitornoFuoco ritorno;
  if (editor_) editor_->ConfermaModificaInCorso();
  DoEvents();
  ComandiProgetto()->SalvaProgetto("");
}

void frmMainForm::ParametriMnu_Click() {
  if (ComandiProgetto()) ComandiProgetto()->MostraParametri();
}

void frmMainForm::defaultValue_Click() {
  frmDefaultValue dialogo(this);
  MostraModale(dialogo);
}

void frmMainForm::StampaMnu_Click() { MostraStampa(this); }

void frmMainForm::mnuImpostaStampante_Click() {
  if (IsStampanteInstallata()) {
    ImpostaStampanteCorrente(this);
    return;
  }
  MsgBox("ATTENZIONE!!!\r\nNon è stata installata alcuna stampante sul sistema.", Bottoni::OK, Icona::Esclamazione);
}

void frmMainForm::EsciMnu_Click() {
  if (ComandiProgetto()) ComandiProgetto()->EsciProgramma();
}

void frmMainForm::mnuGas_Click() { ApriEditorGasDaMain(); }

void frmMainForm::mnuManuale_Click() { openHelpFile(); }

void frmMainForm::mnuShowHints_Click() {
  HintsShow = mnuShowHints->isChecked();
  WriteHintsStatus();
}

void frmMainForm::AboutMnu_Click() {
  frmSplash informazioni(this);
  informazioni.MostraInformazioni();
}

void frmMainForm::imgSwCompany_Click() { AboutMnu_Click(); }

void frmMainForm::openHelpFile() {
  const std::string percorso = UnisciPercorso(CartellaProgramma(), "Varnex4.htm");
  if (!EsisteFile(percorso)) {
    MsgBox("Il manuale " + percorso + " non e' presente nel disco. " + ComeRiavereFileDistribuito("Varnex4.htm"),
           Bottoni::OK);
    return;
  }
  const bool aperto = Desktop().Apri(percorso);
  DoEvents();
  if (!aperto)
    MsgBox(FormatString("Impossibile visualizzare il manuale '{0}'. Provare a lanciarlo manualmente da Internet Explorer",
                        {percorso}),
           Bottoni::OK);
}

// ---- Toolbar commands ---------------------------------------------------------------------

void frmMainForm::SSCommand1_Click() { NuovoMnu_Click(); }
void frmMainForm::Command3D5_Click() { ApriMnu_Click(); }

void frmMainForm::Command3D4_Click() {
  if (!ComandiProgetto()) return;
  const RitornoFuoco ritorno;
  if (editor_) editor_->ConfermaModificaInCorso();
  MostraAttesa();
  struct Nascondi {
    ~Nascondi() { NascondiAttesa(); }
  } nascondi;
  ComandiProgetto()->SalvaProgetto(PercorsoProgetto);
  for (int i = 0; i < 500; ++i) DoEvents();
}

void frmMainForm::SSCommand2_Click() { StampaMnu_Click(); }
void frmMainForm::SSCommand3_Click() { ParametriMnu_Click(); }
void frmMainForm::SSCommand4_Click() { mnuGas_Click(); }
void frmMainForm::SSCommandHelp_Click() { openHelpFile(); }
void frmMainForm::Command3D3_Click() { EsciMnu_Click(); }

void frmMainForm::cmdParameterElemSel_Click() {
  if (!editor_) return;
  editor_->ConfermaModificaInCorso();
  int16_t seg = 0;
  switch (editor_->Pagina()) {
    case 0:
      if (editor_->Grid->Row() > Rete().NumTronchi) return;
      seg = editor_->Grid->Row();
      break;
    case 1: {
      const ISchemaRete* schema = SchemaRete();
      seg = schema ? schema->GetSelectedTronco() : 0;
      if (seg <= 0 || seg > MaxTronchi) return;
      // The dialog stores into the table's current row.
      editor_->Grid->SetRowCol(seg, std::max<int16_t>(1, editor_->Grid->Col()));
      break;
    }
    default:
      return;
  }
  ApriParametriTronco(seg);
  if (RicalcoloAutomatico && editor_) editor_->Elaborazione();
}

void frmMainForm::cmdDiamLocked_Click() {
  if (!editor_) return;
  editor_->ConfermaModificaInCorso();
  const int16_t n = ContoTronchi();
  if (editor_->Grid->Row() > n) return;
  int16_t a = 0, b = 0;
  editor_->GetSelezioneGriglia(a, b);
  const int16_t primo = std::max<int16_t>(1, std::min(a, b));
  const int16_t ultimo = std::min<int16_t>(n, std::max(a, b));
  const int16_t v = Tronco(primo).ID_DIAMCUSTOM;
  for (int16_t r = primo; r <= ultimo; ++r) {
    if (v) {
      Tronco(r).ID_DIAMCUSTOM = 0;
      ImpostaFigura(Comando::cmdDiamLocked, Immagine::ImgLockOpen);
    } else {
      Tronco(r).ID_DIAMCUSTOM = -1;
      ImpostaFigura(Comando::cmdDiamLocked, Immagine::ImgLockClosed);
    }
  }
  editor_->Grid->setFocus();
  editor_->Elaborazione();
}

void frmMainForm::CommandCalculate_Click() {
  if (!editor_) return;
  editor_->ConfermaModificaInCorso();
  const std::optional<std::string> voce =
      ComboGas->currentIndex() >= 0 ? std::optional<std::string>(SS(ComboGas->currentText())) : std::nullopt;
  if (!VerificaGasCalcolo(voce)) return;
  editor_->Elaborazione();
  if (editor_->Grid->isVisible()) editor_->Grid->setFocus();
}

void frmMainForm::SSCommandCancel_Click() {
  if (!editor_) return;
  editor_->ConfermaModificaInCorso();
  editor_->DeleteKeyGrid();
}

void frmMainForm::CommandCursorLocked_Click() {
  if (CursoreBloccato) {
    ImpostaFigura(Comando::CommandCursorLocked, Immagine::ImageCurs);
    CursoreBloccato = 0;
  } else {
    ImpostaFigura(Comando::CommandCursorLocked, Immagine::ImageCursSel);
    CursoreBloccato = -1;
  }
}

void frmMainForm::CommandAutomaticRecalculate_Click() {
  if (RicalcoloAutomatico) {
    ImpostaFigura(Comando::CommandAutomaticRecalculate, Immagine::ImageCalcAuto);
    RicalcoloAutomatico = 0;
  } else {
    ImpostaFigura(Comando::CommandAutomaticRecalculate, Immagine::ImageCalcAutoSel);
    RicalcoloAutomatico = -1;
  }
}

void frmMainForm::SSCommandRefresh_Click() {
  if (editor_ && SchemaRete()) SchemaRete()->DrawSchema(*editor_->picDisplay, 2, "Arial", 7);
}

void frmMainForm::Command6_Click() {
  if (!editor_) return;
  editor_->ScaleFactor = static_cast<int16_t>(editor_->ScaleFactor + 1);
  if (editor_->ScaleFactor < 7)
    editor_->Rescale();
  else
    editor_->ScaleFactor = 7;
}

void frmMainForm::Command7_Click() {
  if (!editor_) return;
  editor_->ScaleFactor = static_cast<int16_t>(editor_->ScaleFactor - 1);
  editor_->Rescale();
}

}  // namespace varnex::ui
