#include "editor/ui/gasgrid.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <initializer_list>
#include <utility>

#include "editor/tabella.h"
#include "editor/ui/celle.h"
#include "editor/portata.h"
#include "editor/ui/portata.h"
#include "editor/ui/ptronchi.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "shell/stato_interfaccia.h"
#include "app/ui/main_window.h"
#include "shell/ui/services.h"
#include "shell/ui/tasti.h"
#include "shell/ui/toolbar_pictures.h"
#include "shell/ui/units.h"
#include "shell/ui/wait_window.h"
#include "shell/ui/window_registry.h"
#include "model/tenuta.h"
#include "tightness/validazione.h"

namespace varnex::ui {

namespace {

ISchemaRete* schemaRete = nullptr;
IEditorCelle* editorCelle = nullptr;
CostruttorePaginaTenuta costruttoreTenuta = nullptr;
GasGrid* istanza = nullptr;

// The refreshes held (GasGrid::SospendiAggiornamenti) and what was asked for meanwhile.
int sospensioni = 0;
struct AggiornamentiInAttesa {
  bool Calcolo = false;
  bool Tabella = false;
  bool Schema = false;
} inAttesa;

// Designed positions (twips) of the controls that resizing does not move.
constexpr int SinistraSchede = 60, AltoSchede = 60;
constexpr int SinistraTabella = 0, AltoTabella = 0;
constexpr int SinistraSchema = 60, AltoSchema = 60;
constexpr int AltezzaStriscia = 420;  // selectors and status line under the table
constexpr int LarghezzaBarraScorr = 255;

// The main window when the editor has none (a window used alone): asks nothing, shows nothing.
class PrincipaleAssente final : public IFinestraPrincipale {
 public:
  void ImpostaComando(Comando, const StatoComando&) override {}
  void ImpostaFigura(Comando, Immagine) override {}
  void InitInitialGasCombo(const std::optional<std::string>&) override {}
  void SelectItemInGasList(const std::string&) override {}
  void AbilitaSelettoreGas() override {}
  void ImpostaTestoZoom(const std::string&) override {}
  void NascondiIndicatore() override {}
  void MostraIndicatore(bool) override {}
  void MenuAttivita(bool) override {}
  int AltezzaTwips() const override { return 8930; }
  int LarghezzaTwips() const override { return 12150; }
  int AltezzaBarraTwips() const override { return 1200; }
  bool Minimizzata() const override { return false; }
};

void ImpostaBarra(QScrollBar* barra, const BarraScorrimento& b) {
  const QSignalBlocker blocco(barra);
  barra->setMinimum(b.Minimo);
  barra->setMaximum(std::max(b.Minimo, b.Massimo));
  barra->setValue(b.Valore);
  barra->setPageStep(std::max(1, b.PassoGrande));
  barra->setSingleStep(std::max(1, b.PassoPiccolo));
}

BarraScorrimento LeggiBarra(const QScrollBar* barra) {
  return {barra->minimum(), barra->maximum(), barra->value(), barra->pageStep(), barra->singleStep()};
}

QFrame* Pannello(QWidget* genitore, QLabel*& figura, const QPixmap& pixmap, const QString& suggerimento) {
  auto* p = new QFrame(genitore);
  p->setFrameShape(QFrame::Panel);
  p->setFrameShadow(QFrame::Raised);
  figura = new QLabel(p);
  figura->setPixmap(pixmap);
  figura->setToolTip(suggerimento);
  figura->setAlignment(Qt::AlignCenter);
  auto* l = new QHBoxLayout(p);
  l->setContentsMargins(2, 2, 2, 2);
  l->addWidget(figura);
  return p;
}

}  // namespace

void ImpostaSchemaRete(ISchemaRete* schema) { schemaRete = schema; }
ISchemaRete* SchemaRete() { return schemaRete; }
ConteggioLavoro& LavoroEditor() {
  static ConteggioLavoro conteggio;
  return conteggio;
}
void ImpostaEditorCelle(IEditorCelle* editor) { editorCelle = editor; }
void ImpostaCostruttorePaginaTenuta(CostruttorePaginaTenuta costruttore) { costruttoreTenuta = costruttore; }
IEditorCelle* EditorCelle() { return editorCelle; }

GasGrid::GasGrid(IFinestraPrincipale& principale, QWidget* parent) : QWidget(parent), principale_(principale) {
  istanza = this;
  setObjectName(QStringLiteral("GasGrid"));
  setWindowTitle(QStringLiteral("Tabella tronchi "));
  CostruisciPagine();
  selettori_ = new SelettoriRete(*this);
  celle_ = new EditorCelleGriglia(*this);
  RegistraFinestra(this, QStringLiteral("X"));
  ImpostaEditorRete(this);
  ImpostaListeEditor(this);
  Form_Load();
}

GasGrid::~GasGrid() {
  // Their event filters and handlers must not run on controls that are going away, nor reach
  // this window once only its QWidget part is left.
  delete paginaTenuta_;
  paginaTenuta_ = nullptr;
  delete celle_;
  celle_ = nullptr;
  delete selettori_;
  selettori_ = nullptr;
  if (schemaRete) schemaRete->SganciaEditor(*this);
  if (EditorRete() == this) ImpostaEditorRete(nullptr);
  ImpostaListeEditor(nullptr);
  if (istanza == this) istanza = nullptr;
}

void GasGrid::CostruisciPagine() {
  Tabbed1 = new QTabWidget(this);
  Tabbed1->setObjectName(QStringLiteral("Tabbed1"));

  // Page 0: the segment table.
  pagTronchi = new QWidget;
  Grid = new GrigliaTabella(pagTronchi);
  Grid->setObjectName(QStringLiteral("Grid"));
  Grid->setMouseTracking(true);
  Text1 = new QLineEdit(pagTronchi);
  Text1->hide();
  Combo1 = new QComboBox(pagTronchi);
  Combo1->hide();
  cmdDettagliDiametro = new QPushButton(QStringLiteral(">"), pagTronchi);
  cmdDettagliDiametro->hide();
  // The in-place editors live on a cell of the table: when one closes with the keyboard, or is
  // closed while a dialog had it, the keyboard goes back to the table, never on along the focus
  // chain to the pressure or maximum-drop selector.
  for (QWidget* w : std::initializer_list<QWidget*>{Text1, Combo1, cmdDettagliDiametro}) ImpostaRitornoFuoco(w, Grid);
  LabelInitPres = new QLabel(QStringLiteral("Pressione iniziale:"), pagTronchi);
  ComboInitPres = new QComboBox(pagTronchi);
  LabelFinalPres = new QLabel(QStringLiteral("Pressione finale:"), pagTronchi);
  ComboFinalPres = new QComboBox(pagTronchi);
  LabelDpMax = new QLabel(QStringLiteral("Perdita max:"), pagTronchi);
  ComboDpMax = new QComboBox(pagTronchi);
  lblGasWarning = new QLabel(QStringLiteral("Errore di attribuzione famiglia"), pagTronchi);
  lblGasWarning->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  lblGasWarning->hide();
  Panel3D2 = new QLabel(pagTronchi);
  Panel3D2->setFrameShape(QFrame::Panel);
  Panel3D2->setFrameShadow(QFrame::Sunken);
  Panel3D2->setWordWrap(true);
  Tabbed1->addTab(pagTronchi, QStringLiteral("Tronchi"));

  // Page 1: the schema canvas and the palette.
  pagSchema = new QWidget;
  picDisplay = new QWidget(pagSchema);
  picDisplay->setObjectName(QStringLiteral("picDisplay"));
  picDisplay->setAutoFillBackground(true);
  QPalette bianco = picDisplay->palette();
  bianco.setColor(QPalette::Window, Qt::white);
  picDisplay->setPalette(bianco);
  VpicScroll = new QScrollBar(Qt::Vertical, pagSchema);
  HpicScroll = new QScrollBar(Qt::Horizontal, pagSchema);
  Label1 = new QLabel(QStringLiteral("Componenti:"), pagSchema);
  SSPanel3 = Pannello(pagSchema, picTronco, FiguraComponente(FiguraPalette::Tronco), QStringLiteral("Tronco"));
  SSPanel1 = Pannello(pagSchema, picCaldaia, FiguraComponente(FiguraPalette::Caldaia), QStringLiteral("Utenza"));
  SSPanel2 = Pannello(pagSchema, picFornello, FiguraComponente(FiguraPalette::Fornello), QStringLiteral("Fornello"));
  SSPanel4 =
      Pannello(pagSchema, picBruciatore, FiguraComponente(FiguraPalette::Bruciatore), QStringLiteral("Bruciatore"));
  SSPanel5 =
      Pannello(pagSchema, picConvettore, FiguraComponente(FiguraPalette::Convettore), QStringLiteral("Convettore"));
  Tabbed1->addTab(pagSchema, QStringLiteral("Schema rete"));

  // Page 2: the tightness test, filled by its own subsystem.
  pagTenuta = new QWidget;
  picOuter = new QFrame(pagTenuta);
  picInner = new QWidget(picOuter);
  picInner->setObjectName(QStringLiteral("picInner"));
  VScroll = new QScrollBar(Qt::Vertical, pagTenuta);
  Tabbed1->addTab(pagTenuta, QStringLiteral("Verifica di tenuta dell'impianto UNI 11137-1"));
  if (costruttoreTenuta) paginaTenuta_ = costruttoreTenuta(*this);

  connect(Tabbed1, &QTabWidget::currentChanged, this, [this](int pagina) { Tabbed1_Click(pagina); });
  connect(HpicScroll, &QScrollBar::valueChanged, this, [this](int) { HpicScroll_Change(); });
  connect(VpicScroll, &QScrollBar::valueChanged, this, [this](int) { VpicScroll_Change(); });
  connect(Grid, &GrigliaTabella::RowColChange, this, [this] { Grid_RowColChange(); });
  connect(Grid, &QTableWidget::cellClicked, this, [this](int, int) { Grid_Click(); });
  connect(Grid, &QTableWidget::cellDoubleClicked, this, [this](int, int) { Grid_DblClick(); });
  for (QWidget* w : std::initializer_list<QWidget*>{Grid, Grid->viewport(), Text1, Combo1, Tabbed1, picDisplay})
    w->installEventFilter(this);
  Tabbed1->tabBar()->installEventFilter(this);
}

// ---- Loading, activation, painting --------------------------------------------------------

void GasGrid::Form_Load() {
  principale_.NascondiIndicatore();
  // The canvas starts at its designed size, its scale in twips.
  ScalaLarghezza = 11000;
  ScalaAltezza = 6170;
  ImpostaBarra(VpicScroll, BarraIniziale(ScalaAltezza, 2.0, 1.0));
  ImpostaBarra(HpicScroll, BarraIniziale(ScalaLarghezza, 1.8, 0.9));
  principale_.ImpostaTestoZoom("100");
  ScalaLarghezzaFinestra = ScalaLarghezza;
  ScalaAltezzaFinestra = ScalaAltezza;
  ScaleFactor = 0;
  Rescale();
  // The table is built once, for the window's size, by resizeOnDemand below; only a minimised
  // window, which resizeOnDemand leaves alone, gets it at the designed size here.
  if (principale_.Minimizzata()) {
    InitGrid();
    LoadCombos();
  } else {
    SelezionaPagina(1);
  }
  TenutaImpiantoInit();
  resizeOnDemand();
  GrigliaNonCaricata = 0;
}

void GasGrid::Form_Activate() {
  RicalcoloAutomatico = -1;
  CursoreBloccato = 0;
  principale_.AbilitaSelettoreGas();
  InitInitialPressureCombo();
  InitDPMaxCombo();
  principale_.InitInitialGasCombo(DefaultGas);
  // The project's gas, not the default one, is the gas the editor shows.
  if (!GasCorrente.Nome.empty()) principale_.SelectItemInGasList(GasCorrente.Nome);
  switch (Pagina()) {
    case 0:
      SelectItemInInitialPressureList(PressioneIniziale);
      SelectItemInFinalPressureList(PressioneFinale);
      SelectItemInDpMaxList(PDCMaxTesto);
      Grid->SetRowCol(1, 1);
      Grid->SetSelezione(1, 1);
      break;
    case 2:
      SetToolbarGrid(false);
      SetToolbarSchema(false);
      SetToolbarTenuta();
      TenutaImpiantoRefresh();
      break;
    default:
      break;
  }
  // The toolbar shows the two flags just forced, not the state before the activation.
  Barra = StatoBarraPagina(Pagina());
  ApplicaBarra();
}

void GasGrid::Form_Paint() {
  if (AttesaCaricata()) ScaricaAttesa();
}

void GasGrid::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  if (!evento->spontaneous()) Form_Activate();
}

void GasGrid::paintEvent(QPaintEvent* evento) {
  QWidget::paintEvent(evento);
  Form_Paint();
}

bool GasGrid::eventFilter(QObject* oggetto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(evento);
    if (k->key() == Qt::Key_F9 || k->key() == Qt::Key_F11) {
      Form_KeyDown(k->key() == Qt::Key_F9 ? 120 : 122);
      return true;
    }
    // Ctrl+A while a cell is being edited is the cell's text, as in any text box: selecting the
    // whole table under the open editor sent the next value to every row.
    if (oggetto == Grid && k->matches(QKeySequence::SelectAll) && Text1->isVisible()) {
      Text1->setFocus(Qt::ShortcutFocusReason);
      Text1->selectAll();
      return true;
    }
    // A character typed on the table opens the cell editor with it (Enter and Backspace with the
    // cell's own text); the table must not also search its rows for it.
    if (oggetto == Grid) {
      const std::string carattere = CarattereTasto(*k);
      if (!carattere.empty()) {
        Grid_KeyPress(carattere);
        return true;
      }
    }
  } else if (evento->type() == QEvent::MouseMove && oggetto == Grid->viewport()) {
    Grid_MouseMove();
  } else if (evento->type() == QEvent::FocusOut && (oggetto == Tabbed1 || oggetto == Tabbed1->tabBar())) {
    Tabbed1_LostFocus();
  }
  return QWidget::eventFilter(oggetto, evento);
}

bool GasGrid::Form_KeyDown(int keyCode) {
  // A value still in the cell editor belongs to the network before anything reads it: the
  // dialog would otherwise load the old value and store it back over the typed one.
  if (keyCode == 120) {
    if (Pagina() == 0) {
      ConfermaModificaInCorso();
      Elaborazione();
    }
    return true;
  }
  if (keyCode == 122) {
    if (Pagina() == 0) ConfermaModificaInCorso();
    if (Pagina() == 0 && Grid->Row() <= BloccoReti[static_cast<size_t>(IndiceRete)].NumTronchi) {
      ApriParametriTronco(Grid->Row());
      if (RicalcoloAutomatico) Elaborazione();
    }
    return true;
  }
  return false;
}

// ---- Pages --------------------------------------------------------------------------------

int GasGrid::Pagina() const { return Tabbed1->currentIndex(); }

void GasGrid::SelezionaPagina(int pagina) { Tabbed1->setCurrentIndex(pagina); }

void GasGrid::Tabbed1_Click(int pagina) {
  switch (pagina) {
    case 0:
      SetToolbarSchema(false);
      SetToolbarTenuta();
      SetToolbarGrid(true);
      principale_.InitInitialGasCombo(GasCorrente.Nome);
      Grid->SetRowCol(1, 1);
      break;
    case 1:
      SetToolbarGrid(false);
      SetToolbarTenuta();
      SetToolbarSchema(true);
      principale_.InitInitialGasCombo(GasCorrente.Nome);
      break;
    default:
      SetToolbarGrid(false);
      SetToolbarSchema(false);
      SetToolbarTenuta();
      break;
  }
  Elaborazione();
}

void GasGrid::Tabbed1_LostFocus() { TenutaImpiantoRefresh(); }

void GasGrid::ApplicaBarra() {
  for (int i = 0; i < NumComandi; ++i) principale_.ImpostaComando(static_cast<Comando>(i), Barra[static_cast<size_t>(i)]);
}

void GasGrid::SetToolbarGrid(bool e) {
  ::varnex::SetToolbarGrid(Barra, e);
  ApplicaBarra();
  const bool pressione = ReteInPressione != 0;
  LabelInitPres->setVisible(pressione);
  ComboInitPres->setVisible(pressione);
  LabelFinalPres->setVisible(pressione);
  ComboFinalPres->setVisible(pressione);
  LabelDpMax->setVisible(!pressione);
  ComboDpMax->setVisible(!pressione);
  // The status panel's height follows the activity, and the table gives up what it takes.
  PosizionaControlli();
  for (QComboBox* c : {ComboInitPres, ComboFinalPres, ComboDpMax})
    if (c->lineEdit()) c->lineEdit()->setSelection(0, 0);
}

void GasGrid::SetToolbarSchema(bool e) {
  ::varnex::SetToolbarSchema(Barra, e);
  ApplicaBarra();
  for (QWidget* w : std::initializer_list<QWidget*>{LabelInitPres, ComboInitPres, LabelFinalPres, ComboFinalPres,
                                                    LabelDpMax, ComboDpMax})
    w->hide();
}

void GasGrid::SetToolbarTenuta() {
  ::varnex::SetToolbarTenuta(Barra);
  ApplicaBarra();
  for (QWidget* w : std::initializer_list<QWidget*>{LabelInitPres, ComboInitPres, LabelFinalPres, ComboFinalPres,
                                                    LabelDpMax, ComboDpMax})
    w->hide();
  picOuter->setFrameShape(QFrame::Box);
  picInner->setAutoFillBackground(false);
  AdattaScrollTenuta(true);
}

void GasGrid::AdattaScrollTenuta(bool inizio) {
  // The bar and the visible panel fill what the tab control leaves under its tabs (the area of its
  // pages, kept current even while another page is shown), not the whole tab control: otherwise
  // the lower arrow and the last fields lie below the visible page.
  const QWidget* area = pagTenuta->parentWidget() ? pagTenuta->parentWidget() : pagTenuta;
  const int larghezza = area->width();
  const int altezza = area->height();
  if (pagTenuta->size() != area->size()) pagTenuta->resize(area->size());
  VScroll->setGeometry(larghezza - Pixel(LarghezzaBarraScorr), 0, Pixel(LarghezzaBarraScorr), altezza);
  picOuter->setGeometry(0, 0, std::max(0, larghezza - Pixel(LarghezzaBarraScorr)), altezza);
  // The page follows the width the window gives it, also after a resize made on another page.
  if (picInner->width() != picOuter->width()) picInner->resize(picOuter->width(), picInner->height());
  // The range is measured against the height the panel shows, so that its foot can be reached.
  const ScrollTenuta s = DimensionaPaginaTenuta(
      Twips(picOuter->height()), Twips(picInner->height()), Twips(picOuter->height() - picOuter->contentsRect().height()));
  const QSignalBlocker blocco(VScroll);
  VScroll->setMaximum(s.Massimo);
  VScroll->setPageStep(std::max(1, s.PassoGrande));
  if (inizio) VScroll->setValue(0);
  // A smaller range may have pulled the bar back: the panel follows it.
  picInner->move(0, -Pixel(VScroll->value()));
}

// ---- Calculation and display ---------------------------------------------------------------

void GasGrid::SospendiAggiornamenti() { ++sospensioni; }

void GasGrid::RiprendiAggiornamenti() {
  if (sospensioni == 0 || --sospensioni > 0) return;
  const AggiornamentiInAttesa fare = std::exchange(inAttesa, {});
  // Leaving by an error: the work that was held is not started on top of it.
  if (std::uncaught_exceptions() > 0 || !istanza) return;
  GasGrid& g = *istanza;
  const int pagina = g.Pagina();
  if (fare.Calcolo) {
    g.Elaborazione();
    // A tightness page loaded while the calculation was held shows the calculated diameters.
    if (pagina != 2) g.TenutaImpiantoRefresh();
  }
  if (fare.Tabella && !(fare.Calcolo && pagina != 2)) g.AggiornaCalcoli();
  if (fare.Schema && !(fare.Calcolo && pagina == 1)) g.DrawSchema();
}

void GasGrid::Elaborazione() {
  if (sospensioni > 0) {
    inAttesa.Calcolo = true;
    return;
  }
  GrigliaPronta = 0;
  // Whatever fails inside, the table must not stay deaf to the user.
  struct Ripristino {
    GasGrid* g;
    ~Ripristino() { g->GrigliaPronta = -1; }
  } ripristino{this};
  SetReteCorrente(IndiceRete);
  ++LavoroEditor().Calcoli;
  CalcolaRete();
  switch (Pagina()) {
    case 0:
      AggiornaCalcoli();
      break;
    case 1:
      AggiornaCalcoli();
      DrawSchema();
      break;
    case 2:
      TenutaImpiantoRefresh();
      break;
    default:
      break;
  }
}

void GasGrid::DrawSchema() {
  if (sospensioni > 0) {
    inAttesa.Schema = true;
    return;
  }
  if (schemaRete) schemaRete->DrawSchema(*picDisplay, 2, "Arial", 7);
}

void GasGrid::NewRete(int16_t n) {
  IndiceRete = n;
  ReLoadTubi();
  for (int i = 0; i < 3; ++i) DoEvents();
  if (Grid->isVisible()) Grid->setFocus();
}

void GasGrid::Rescale() {
  ScaleFactor = LimitaZoom(ScaleFactor);
  const double s = FattoreScala(ScaleFactor);
  ScalaLarghezza = dims_.LarghezzaSchema * s;
  ScalaAltezza = dims_.AltezzaSchema * s;
  inRescale_ = true;
  principale_.ImpostaTestoZoom(TestoZoom(ScaleFactor));
  ImpostaBarra(VpicScroll, BarraDopoZoom(LeggiBarra(VpicScroll), s, 5370));
  ImpostaBarra(HpicScroll, BarraDopoZoom(LeggiBarra(HpicScroll), s, 11000));
  // Drawn after the bars are set: the schema widens them where the network reaches further.
  DrawSchema();
  inRescale_ = false;
}

void GasGrid::HpicScroll_Change() {
  if (inRescale_) return;
  ScalaSinistra = (HpicScroll->value() - HpicScroll->maximum() / 2.0) * 10;
  Rescale();
}

void GasGrid::VpicScroll_Change() {
  if (inRescale_) return;
  ScalaAlto = (VpicScroll->value() - VpicScroll->maximum() / 2.0) * 10;
  Rescale();
}

void GasGrid::InitGrid() {
  GrigliaPronta = 0;
  ++LavoroEditor().Costruzioni;
  InitGridColumns();
  // New rows come at the data-row height, so formatting them resizes nothing: a resize would
  // lay the whole table out again at the yield after each row.
  Grid->verticalHeader()->setDefaultSectionSize(Pixel(AltezzaRigaDati));
  Grid->SetRows(RigheNecessarie(RigheInizialiTabella));
  Grid->SetRedraw(false);
  for (int16_t r = 1; r < Grid->Rows(); ++r) {
    FormatGridRow(r);
    DoEvents();
  }
  Grid->SetRedraw(true);
  GrigliaPronta = -1;
  LoadCombos();
  DoEvents();
  SelezionaPagina(1);
}

void GasGrid::InitGridColumns() {
  LayoutGriglia = LayoutAttivita();
  const int16_t colonne = ColonneLayout(LayoutGriglia);
  Grid->SetCols(colonne);
  Grid->SetRowHeight(0, AltezzaIntestazione);
  Grid->SetRedraw(false);
  // Each heading needs its longest word on one line at a readable size; a narrow column in a
  // small window otherwise drew it at 5.5 pt. The room comes from the columns that have some.
  std::vector<int> minime(static_cast<size_t>(colonne), 0);
  QFont leggibile = Grid->horizontalHeader()->font();
  leggibile.setPointSizeF(std::min(leggibile.pointSizeF() > 0 ? leggibile.pointSizeF() : 9.0, GrigliaTabella::CorpoIntestazioneLeggibile));
  const QFontMetrics fm(leggibile);
  for (int16_t j = 1; j < colonne; ++j) {
    int parola = 0;
    for (const QString& p : QString::fromStdString(IntestazioneColonna(LayoutGriglia, j))
                                .split(QRegularExpression(QStringLiteral("[ \r\n]")), Qt::SkipEmptyParts))
      parola = std::max(parola, fm.horizontalAdvance(p));
    if (parola > 0) minime[static_cast<size_t>(j)] = Twips(parola + 4);
  }
  const std::vector<int> progetto = LarghezzeColonne(LayoutGriglia, dims_.LarghezzaTabella);
  // Only the free-text columns give room: a number column keeps at least its designed width, which
  // its longest values need.
  for (int16_t j = 1; j < colonne && static_cast<size_t>(j) < progetto.size(); ++j) {
    const int16_t codice = ColonneGriglia[static_cast<size_t>(LayoutGriglia)][static_cast<size_t>(j)].IdCampo;
    if (codice != campo::ID_MATERIALE && codice != campo::ID_RIF)
      minime[static_cast<size_t>(j)] = std::max(minime[static_cast<size_t>(j)], progetto[static_cast<size_t>(j)]);
  }
  const std::vector<int> larghezze = AllargaAlMinimo(progetto, minime);
  for (int16_t j = 0; j < colonne; ++j) {
    Grid->SetColWidth(j, larghezze[static_cast<size_t>(j)]);
    DoEvents();
  }
  for (int16_t j = 1; j < colonne; ++j) {
    Grid->SetTextMatrix(0, j, IntestazioneColonna(LayoutGriglia, j));
    DoEvents();
  }
  Grid->setToolTip(QString());
  Grid->SetRedraw(true);
}

void GasGrid::FormatGridRow(int16_t riga) {
  const GrigliaTabella::RaccoltaModifiche raccolta(*Grid);
  Grid->SetRowHeight(riga, AltezzaRigaDati);
  Grid->SetTextMatrix(riga, 0, std::to_string(riga));
  const int16_t colonne = ColonneLayout(LayoutGriglia);
  for (int16_t j = 1; j < colonne && j < Grid->Cols(); ++j) {
    const CellaTabella c = CellaFormattata(LayoutGriglia, j);
    Grid->SetCellColors(riga, j, c.ColoreSfondo, c.ColoreTesto);
  }
}

void GasGrid::ReLoadTubi() {
  show();
  GrigliaPronta = 0;
  Grid->SetRowCol(Grid->Row(), 1);
  setWindowTitle(QString());
  SetReteCorrente(IndiceRete);
  Grid->SvuotaDati();
  SvuotaOltreConto();
  const int16_t righe = RigheNecessarie(Grid->Rows());
  if (righe > Grid->Rows()) {
    const int16_t prima = Grid->Rows();
    Grid->SetRows(righe);
    for (int16_t r = prima; r < righe; ++r) FormatGridRow(r);
  }
  Grid->SetRedraw(false);
  // While refreshes are held, the release refreshes every cell: the raw texts would only be
  // overwritten.
  if (sospensioni > 0 && Pagina() != 2) {
    inAttesa.Tabella = true;
  } else {
    ++LavoroEditor().Tabelle;
    const int16_t n = ContoTronchi();
    const int16_t colonne = ColonneLayout(LayoutGriglia);
    const GrigliaTabella::RaccoltaModifiche raccolta(*Grid);
    for (int16_t i = 1; i <= n; ++i) {
      FormatGridRow(i);
      for (int16_t j = 1; j < colonne; ++j) Grid->SetTextMatrix(i, j, TestoGrezzo(i, LayoutGriglia, j));
    }
  }
  Grid->SetRedraw(true);
  Elaborazione();
  DoEvents();
  GrigliaPronta = 0;
  Grid->SetRowCol(1, 1);
  Grid->SetSelezione(1, 1);
  GrigliaPronta = -1;
  Grid->setFocus();
}

void GasGrid::ResetGrid() {
  Grid->SetRowCol(1, 1);
  Grid->SvuotaDati();
  SvuotaOltreConto();
  Grid->SetSelezione(1, 1);
}

void GasGrid::AggiornaCella(int16_t riga, int16_t colonna) {
  const CellaTabella c = CellaAggiornata(riga, LayoutGriglia, colonna, CellaFormattata(LayoutGriglia, colonna));
  Grid->SetTextMatrix(riga, colonna, c.Testo);
  Grid->SetCellForeColor(riga, colonna, c.ColoreTesto);
  Grid->SetCellBackColor(riga, colonna, c.ColoreSfondo);
  Grid->SetCellFontBold(riga, colonna, c.Grassetto);
}

void GasGrid::AggiornaCalcoli() {
  if (sospensioni > 0) {
    inAttesa.Tabella = true;
    return;
  }
  const int16_t riga = Grid->Row(), colonna = Grid->Col();
  principale_.SelectItemInGasList(GasCorrente.Nome);
  lblGasWarning->setVisible(GasCorrente.ErroreFamiglia != 0);
  PosizionaStato();
  principale_.MostraIndicatore(ReteInPressione != 0);

  const bool pressione = ReteInPressione != 0;
  SSPanel4->setVisible(true);
  SSPanel5->setVisible(!pressione);
  SSPanel2->setVisible(!pressione);
  picCaldaia->setPixmap(
      FiguraComponente(pressione ? FiguraPalette::UtenzaPressione : FiguraPalette::Caldaia));
  if (pressione) {
    const bool nonCombustibile = CurrentGas >= 1 && CurrentGas <= NumGas &&
                                 static_cast<size_t>(CurrentGas) < ArchivioGas.size() &&
                                 ArchivioGas[static_cast<size_t>(CurrentGas)].NonCombustibile != 0;
    if (nonCombustibile) {
      picBruciatore->setEnabled(false);
    } else {
      picBruciatore->setPixmap(FiguraComponente(FiguraPalette::Bruciatore));
      picBruciatore->setEnabled(true);
    }
  }
  principale_.MenuAttivita(pressione);
  DoEvents();
  if (pressione) {
    SelectItemInInitialPressureList(PressioneIniziale);
    SelectItemInFinalPressureList(PressioneFinale);
  } else {
    SelectItemInDpMaxList(TestoNumero(PDCMassima()));
  }

  GrigliaPronta = 0;
  ++LavoroEditor().Tabelle;
  // Nothing below lets the table paint before the refresh is whole, so the table is not switched
  // off and on again: it repaints only the cells whose text or colours changed.
  // The table always has room for every segment and the empty row after them.
  const int16_t righe = RigheNecessarie(Grid->Rows());
  if (righe > Grid->Rows()) {
    const int16_t prima = Grid->Rows();
    Grid->SetRows(righe);
    for (int16_t r = prima; r < righe; ++r) FormatGridRow(r);
  }
  const int16_t n = ContoTronchi();
  const int16_t colonne = std::min(ColonneLayout(LayoutGriglia), Grid->Cols());
  {
    const GrigliaTabella::RaccoltaModifiche raccolta(*Grid);
    for (int16_t v = 1; v <= n; ++v)
      for (int16_t j = 1; j < colonne; ++j) AggiornaCella(v, j);
  }
  if (RicalcoloAutomatico) {
    PDCMaxTesto = TestoNumero(PDCMassima());
    SelectItemInDpMaxList(PDCMaxTesto);
  }
  Grid->SetRowCol(riga, colonna);
  GrigliaPronta = -1;
  // Red "n.c." cells alone do not say what to change: the panel does, as soon as they appear.
  const std::string motivo = MotivoReteNonDimensionata();
  if (!motivo.empty()) {
    MostraStato(QS(motivo));
  } else if (statoMotivoRete_) {
    Grid_RowColChange();
  }
  statoMotivoRete_ = !motivo.empty();
}

void GasGrid::LoadCombos() {
  Combo1->clear();
  for (int16_t i = 1; i <= NumMateriali; ++i) Combo1->addItem(QS(Materiali[static_cast<size_t>(i)][0].Nome));
}

void GasGrid::AggiungiRigaGriglia() {
  TRete& rete = BloccoReti[static_cast<size_t>(IndiceRete)];
  if (rete.NumTronchi >= MaxTronchi) return;
  Grid->SetRows(static_cast<int16_t>(Grid->Rows() + 1));
  SetNumTronchi(IndiceRete, static_cast<int16_t>(rete.NumTronchi + 1));
  TTronco& nuovo = rete.Tronchi[static_cast<size_t>(rete.NumTronchi)];
  nuovo.ID_LEFT = 0;
  nuovo.ID_RIGHT = 0;
  FormatGridRow(rete.NumTronchi);
}

void GasGrid::GetSelezioneGriglia(int16_t& prima, int16_t& ultima) const {
  const SelezioneRighe s = LimitaSelezione(Grid->Row(), Grid->RowSel(), ContoTronchi());
  prima = s.Prima;
  ultima = s.Ultima;
}

void GasGrid::LimitaSelezioneGriglia(int16_t& prima, int16_t& ultima) const { GetSelezioneGriglia(prima, ultima); }

// ---- Table events -------------------------------------------------------------------------

void GasGrid::Grid_Click() {
  if (Grid->Col() != Grid->ColSel()) {
    const int16_t r = Grid->Row();
    const bool fisso = r >= 1 && r <= MaxTronchi && Tronco(r).ID_DIAMCUSTOM != 0;
    principale_.ImpostaFigura(Comando::cmdDiamLocked, fisso ? Immagine::ImgLockClosed : Immagine::ImgLockOpen);
    return;
  }
  if (editorCelle) editorCelle->GridEditing("");
}

void GasGrid::Grid_DblClick() {
  const int16_t r = Grid->Row();
  const int16_t j = Grid->Col();
  const int16_t numTronchi = BloccoReti[static_cast<size_t>(IndiceRete)].NumTronchi;
  if (r < 1 || r > numTronchi + 1 || r > MaxTronchi) return;
  const int16_t k = (LayoutGriglia >= 0 && LayoutGriglia < NumLayoutGriglia && j >= 0 && j < MaxColonneGriglia)
                        ? ColonneGriglia[static_cast<size_t>(LayoutGriglia)][static_cast<size_t>(j)].IdCampo
                        : int16_t{0};
  if ((k == campo::ID_P_UTENZE && IsTerminale(r)) || (k != campo::ID_DIAMETRO && r <= numTronchi))
    ConfermaModificaInCorso();
  if (k == campo::ID_P_UTENZE && IsTerminale(r)) {
    const EsitoDialogoPortata esito = ChiediPortataUtenza(r);
    if (!esito.Done) return;
    ApplicaPortataUtenza(r, esito.Portata, esito.Tipologia, &esito.Composizione);
    Grid->SetTextMatrix(r, j, TestoNumero(esito.Portata));
    Text1->setText(QS(TestoNumero(esito.Portata)));
    if (RicalcoloAutomatico) Elaborazione();
    return;
  }
  // The diameter column's double click is the cell editor's picker.
  if (k == campo::ID_DIAMETRO) return;
  if (r <= numTronchi) {
    ApriParametriTronco(r);
    if (RicalcoloAutomatico) Elaborazione();
  }
}

void GasGrid::Grid_KeyPress(const std::string& carattere) { GridEditing(carattere); }

void GasGrid::GridEditing(const std::string& s) {
  if (editorCelle) editorCelle->GridEditing(s);
}

// ---- Network-wide selectors ---------------------------------------------------------------

void GasGrid::InitInitialPressureCombo(const std::optional<std::string>& iniziale,
                                       const std::optional<std::string>& finale) {
  selettori_->InitInitialPressureCombo(iniziale, finale);
}
void GasGrid::InitDPMaxCombo(const std::optional<std::string>& s) { selettori_->InitDPMaxCombo(s); }
void GasGrid::SelectItemInInitialPressureList(const std::string& s) { selettori_->SelectItemInInitialPressureList(s); }
void GasGrid::SelectItemInInitialPressureList(double valore) {
  SelectItemInInitialPressureList(TestoValoreSelettore(valore));
}
void GasGrid::SelectItemInFinalPressureList(const std::string& s) { selettori_->SelectItemInFinalPressureList(s); }
void GasGrid::SelectItemInFinalPressureList(double valore) {
  SelectItemInFinalPressureList(TestoValoreSelettore(valore));
}
void GasGrid::SelectItemInDpMaxList(const std::string& s) { selettori_->SelectItemInDpMaxList(s); }
void GasGrid::SelectItemInDpMaxList(double valore) { SelectItemInDpMaxList(TestoValoreSelettore(valore)); }

void GasGrid::Grid_MouseMove() {
  const int16_t j = Grid->Col();
  if (LayoutGriglia >= 0 && LayoutGriglia < NumLayoutGriglia && j >= 0 && j < MaxColonneGriglia)
    Grid->setToolTip(QS(ColonneGriglia[static_cast<size_t>(LayoutGriglia)][static_cast<size_t>(j)].Descrizione));
}

void GasGrid::Grid_RowColChange() {
  if (!GrigliaPronta) return;
  const int16_t j = Grid->Col();
  const TColonnaGriglia colonna =
      (j >= 0 && j < MaxColonneGriglia) ? ColonneGriglia[static_cast<size_t>(LayoutGriglia)][static_cast<size_t>(j)]
                                        : TColonnaGriglia{};
  NascondiConFuoco(Combo1);
  NascondiConFuoco(Text1);
  if (colonna.IdCampo != campo::ID_DIAMETRO) NascondiConFuoco(cmdDettagliDiametro);
  Text1->setText(QS(Grid->TextMatrix(Grid->Row(), j)));
  // On a row that is not a segment yet, the panel says how it becomes one: what is typed there
  // is used only then.
  std::string avviso = AvvisoRigaNonTronco(Grid->Row());
  // On a segment whose results were not computed, the panel says why.
  const int16_t riga = Grid->Row();
  statoMotivoRete_ = false;
  if (avviso.empty() && riga >= 1 && riga <= ContoTronchi() && Tronco(riga).Collegato != 0 &&
      NonCalcolabile(riga, campo::ID_PDC_TRONCO)) {
    avviso = MotivoReteNonDimensionata();
    statoMotivoRete_ = !avviso.empty();
  }
  MostraStato(QS(avviso.empty() ? colonna.Descrizione : colonna.Descrizione + "\n" + avviso));
  if (colonna.IdCampo == campo::ID_MATERIALE)
    Combo1->setGeometry(Grid->x() + Pixel(Grid->CellLeft()), Grid->y() + Pixel(Grid->CellTop()),
                        Pixel(Grid->CellWidth()), Combo1->height());
}

// ---- Tightness page, cell edits -----------------------------------------------------------

void GasGrid::TenutaImpiantoInit() { ::varnex::TenutaImpiantoInit(); }
void GasGrid::TenutaImpiantoRefresh() { ::varnex::TenutaImpiantoRefresh(); }

void GasGrid::ConfermaModificaInCorso() {
  if (editorCelle) editorCelle->ConfermaModificaInCorso();
}

// ---- Layout -------------------------------------------------------------------------------

void GasGrid::resizeOnDemand() {
  if (principale_.Minimizzata()) return;
  try {
    const int pagina = Pagina();
    dims_ = CalcolaDimensioniEditor(principale_.AltezzaTwips(), principale_.LarghezzaTwips(),
                                    principale_.AltezzaBarraTwips(), AltoSchema);
    PosizionaControlli();
    AdattaScrollTenuta(false);
    principale_.NascondiIndicatore();
    ImpostaBarra(VpicScroll, BarraIniziale(ScalaAltezza, 2.0, 1.0));
    ImpostaBarra(HpicScroll, BarraIniziale(ScalaLarghezza, 1.8, 0.9));
    principale_.ImpostaTestoZoom("100");
    Rescale();
    InitGrid();
    LoadCombos();
    SelezionaPagina(pagina);
  } catch (const std::exception& e) {
    MsgBox(std::string(e.what()) + " Error number: 0 Error source: resizeOnDemand");
  }
}

// The status panel takes what the visible selectors leave of the strip, up to the table's right
// edge; the gas warning, while it shows, comes first so that neither hides the other.
int GasGrid::AltezzaStato() const {
  const QFont base = Panel3D2->parentWidget() ? Panel3D2->parentWidget()->font() : Panel3D2->font();
  // Beside the two pressure selectors of a pressurised network the panel is a third of the strip
  // wide: it takes five lines there, so that the longest sentence (a network not sized) keeps the
  // window's type at the smallest window instead of shrinking to a few pixels.
  const int righe = ReteInPressione != 0 ? 5 : 2;
  return std::max(22, righe * QFontMetrics(base).lineSpacing() + 4);
}

void GasGrid::PosizionaStato() {
  int x = Pixel(SinistraTabella);
  int y = ComboDpMax->y();
  for (QWidget* w : std::initializer_list<QWidget*>{LabelInitPres, ComboInitPres, LabelFinalPres, ComboFinalPres,
                                                    LabelDpMax, ComboDpMax}) {
    if (w->isHidden()) continue;
    x = std::max(x, w->geometry().right() + 1);
    y = w->y();
  }
  x += 12;
  const int destra = std::min(Grid->geometry().right(), Panel3D2->parentWidget()->contentsRect().right()) + 1;
  const int larghezzaAvviso = lblGasWarning->sizeHint().width();
  lblGasWarning->setGeometry(x, y, larghezzaAvviso, 22);
  if (!lblGasWarning->isHidden()) x += larghezzaAvviso + 12;
  Panel3D2->setGeometry(x, y, std::max(0, destra - x), AltezzaStato());
  MostraStato(Panel3D2->text());
}

void GasGrid::MostraStato(const QString& testo) {
  // Beside the two pressure selectors of a pressurised network the strip is narrow at the
  // smallest window: a long description shrinks instead of being cut.
  const QFont base = Panel3D2->parentWidget() ? Panel3D2->parentWidget()->font() : Panel3D2->font();
  Panel3D2->setFont(GrigliaTabella::CorpoCheEntra(base, testo, Panel3D2->contentsRect(),
                                                  Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap));
  Panel3D2->setText(testo);
}

void GasGrid::PosizionaControlli() {
  const DimensioniEditor& d = dims_;
  setMinimumSize(Pixel(SinistraSchede + d.LarghezzaSchede + 60), Pixel(AltoSchede + d.AltezzaSchede + 60));
  resize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
  Tabbed1->setGeometry(RettangoloTwips(SinistraSchede, AltoSchede, d.LarghezzaSchede, d.AltezzaSchede));
  // The pages are what the tab control leaves under its tabs: a control taller than that is cut.
  const int altezzaPagina = std::max(0, Tabbed1->height() - Tabbed1->tabBar()->sizeHint().height() - 4);
  // The strip under the table holds the status panel's two lines (a column's description and the
  // entry row's hint) at a readable size: at the smallest window the table gives up those pixels,
  // where the panel's text shrank to about 6 px.
  const int striscia = std::max(Pixel(AltezzaStriscia), AltezzaStato() + 6);
  const int altezzaTabella = std::min(Pixel(d.AltezzaTabella), std::max(0, altezzaPagina - striscia));
  Grid->setGeometry(Pixel(SinistraTabella), Pixel(AltoTabella), Pixel(d.LarghezzaTabella), altezzaTabella);
  int x = Pixel(SinistraTabella);
  const int y = altezzaTabella + 4;
  for (QWidget* w : std::initializer_list<QWidget*>{LabelInitPres, ComboInitPres, LabelFinalPres, ComboFinalPres,
                                                    LabelDpMax, ComboDpMax}) {
    const int larghezza = qobject_cast<QComboBox*>(w) ? 110 : w->sizeHint().width();
    w->setGeometry(x, y, larghezza, 22);
    if (w == ComboFinalPres) x = Pixel(SinistraTabella);  // the drop selector takes the pressures' place
    else x += larghezza + 6;
  }
  PosizionaStato();

  picDisplay->setGeometry(Pixel(SinistraSchema), Pixel(AltoSchema), Pixel(d.LarghezzaSchema),
                          std::min(Pixel(d.AltezzaSchema), std::max(0, altezzaPagina - 80)));
  VpicScroll->setGeometry(picDisplay->geometry().right() + 1, picDisplay->y(), Pixel(LarghezzaBarraScorr),
                          picDisplay->height());
  HpicScroll->setGeometry(picDisplay->x(), picDisplay->geometry().bottom() + 1, picDisplay->width(),
                          Pixel(LarghezzaBarraScorr));
  const int altoPalette = std::min(Pixel(d.AltoPalette), std::max(0, altezzaPagina - 44));
  Label1->setGeometry(picDisplay->x(), altoPalette + 10, 80, 20);
  int px = picDisplay->x() + 90;
  for (QFrame* p : {SSPanel3, SSPanel1, SSPanel2, SSPanel4, SSPanel5}) {
    p->setGeometry(px, altoPalette, 44, 40);
    px += 50;
  }
  picInner->setGeometry(0, 0, std::max(0, pagTenuta->width() - Pixel(LarghezzaBarraScorr)), picInner->height());
}

// ---- The one instance ---------------------------------------------------------------------

GasGrid* GasGridCaricato() { return istanza; }

GasGrid& CaricaGasGrid() {
  if (istanza) return *istanza;
  if (frmMainForm* principale = FinestraPrincipaleCaricata()) return principale->CaricaEditor();
  static PrincipaleAssente assente;
  return *new GasGrid(assente);
}

void ScaricaGasGrid() {
  if (frmMainForm* principale = FinestraPrincipaleCaricata(); principale && principale->Editor() == istanza) {
    principale->ScaricaEditor();
    return;
  }
  if (istanza) {
    GasGrid* g = istanza;
    g->hide();
    delete g;
  }
}

}  // namespace varnex::ui
