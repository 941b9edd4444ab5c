// The editor window "Tabella tronchi ": the open network on three pages (segment table, schema,
// tightness test), the one calculate-and-show entry `Elaborazione`, and the table display.
//
// One instance for the process: created on first use (CaricaGasGrid) inside the main window and
// kept until unloaded. The window implements the core's callbacks (IEditorRete, IListeEditor)
// while it is loaded. The schema and the tightness page are drawn by their own subsystems through
// ISchemaRete and the core's IPaginaTenuta; until those are installed the pages stay empty.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/barra_strumenti.h"
#include "editor/tabella.h"
#include "editor/ui/griglia.h"
#include "editor/ui/selettori.h"
#include "model/materiali.h"
#include "model/rete.h"

namespace varnex::ui {

// The schema drawing as the editor calls it. The schema subsystem installs it.
class ISchemaRete {
 public:
  virtual ~ISchemaRete() = default;
  // Draws network 1 on the canvas (mode 2: interactive screen drawing in the canvas's scale).
  virtual void DrawSchema(QWidget& picDisplay, int16_t modo, const std::string& font, int16_t dimensione) = 0;
  // The segment last selected by a click on the schema, 0 when none (only reads).
  virtual int16_t GetSelectedTronco() const { return 0; }
  // The editor window `finestra` is closing: the schema lets go of its widgets now, before they go.
  virtual void SganciaEditor(QWidget& finestra) {}
};
void ImpostaSchemaRete(ISchemaRete* schema);
ISchemaRete* SchemaRete();

// The heavy work of the editor's refreshes since the counts were last cleared: calculations of
// the network, fills of the segment table and drawings of the schema canvas. One user action
// should do each at most once; tests read the counts to see that it does.
struct ConteggioLavoro {
  int Calcoli = 0;
  int Tabelle = 0;
  int Schemi = 0;
  int Costruzioni = 0;  // the table built anew, rows and columns
};
ConteggioLavoro& LavoroEditor();

// The in-place cell editor as the editor window calls it. The cell-editing subsystem installs it.
class IEditorCelle {
 public:
  virtual ~IEditorCelle() = default;
  // Starts editing the current cell with `testo` typed (empty: a click).
  virtual void GridEditing(const std::string& testo) = 0;
  // Commits an open edit, if any, before a command acts on the project.
  virtual void ConfermaModificaInCorso() = 0;
};
void ImpostaEditorCelle(IEditorCelle* editor);
IEditorCelle* EditorCelle();

class GasGrid;
// Builds the tightness page into a new editor window's page controls and returns it; the window
// owns it. The tightness subsystem installs it; without it the page stays empty.
using CostruttorePaginaTenuta = QObject* (*)(GasGrid& finestra);
void ImpostaCostruttorePaginaTenuta(CostruttorePaginaTenuta costruttore);

class GasGrid : public QWidget, public IEditorRete, public IListeEditor {
  Q_OBJECT
 public:
  // Runs Form_Load. `principale` is the main window the editor drives.
  explicit GasGrid(IFinestraPrincipale& principale, QWidget* parent = nullptr);
  ~GasGrid() override;

  // ---- Public operations ----
  // The network-wide selectors: rebuild a list and select a value (number or text).
  void InitInitialPressureCombo(const std::optional<std::string>& iniziale = std::nullopt,
                                const std::optional<std::string>& finale = std::nullopt);
  void InitDPMaxCombo(const std::optional<std::string>& s = std::nullopt);
  void SelectItemInInitialPressureList(const std::string& s);
  void SelectItemInInitialPressureList(double valore);
  void SelectItemInFinalPressureList(const std::string& s);
  void SelectItemInFinalPressureList(double valore);
  void SelectItemInDpMaxList(const std::string& s);
  void SelectItemInDpMaxList(double valore);
  SelettoriRete& Selettori() { return *selettori_; }
  // Opens the in-place editor on the current cell (the installed cell editor).
  void GridEditing(const std::string& s);
  // The main window the editor drives.
  IFinestraPrincipale& Principale() { return principale_; }
  // Recalculates the network shown and refreshes the page in front.
  void Elaborazione() override;
  void TestoStato(const std::string& testo) override { MostraStato(QString::fromStdString(testo)); }
  // While held (holds nest), calculate-and-show, the table refresh and the schema drawing of the
  // editor only note that they were asked for; the last release does each once, on the editor
  // loaded then: one calculation with the refresh of the page in front, the table refreshed when
  // it was asked for outside that, the schema drawn when it was asked for and not yet drawn.
  static void SospendiAggiornamenti();
  static void RiprendiAggiornamenti();
  // Shows network record n (callers pass 1): rebuilds the table and recalculates.
  void NewRete(int16_t n);
  // Applies ScaleFactor to the canvas and redraws it.
  void Rescale();
  // Refreshes the table's texts and colours and the activity-dependent controls.
  void AggiornaCalcoli();
  // Rebuilds the table from the network, then recalculates.
  void ReLoadTubi();
  // Empties every data cell.
  void ResetGrid() override;
  // Refills the material list with the pipe-series names.
  void LoadCombos() override;
  // Lays the window out again from the main window's size.
  void resizeOnDemand();
  // The tightness page (drawn by the tightness subsystem through the core's IPaginaTenuta).
  void TenutaImpiantoInit();
  void TenutaImpiantoRefresh();
  // Commits an open cell edit (no-op until the cell editor is installed).
  void ConfermaModificaInCorso();
  // The delete command: the selected table rows, or the schema's selected segment.
  void DeleteKeyGrid();
  // Deletes one segment in the way the user picks (the schema's Delete key passes its selection).
  void DeleteTronco(int16_t seg);

  // ---- Event handlers ----
  void Form_Load();
  void Form_Activate();
  void Form_Paint();
  // True when the key was one of the window's (F9, F11).
  bool Form_KeyDown(int keyCode);
  void Tabbed1_Click(int pagina);
  void Tabbed1_LostFocus();
  void HpicScroll_Change();
  void VpicScroll_Change();
  void Grid_Click();
  void Grid_DblClick();
  void Grid_KeyPress(const std::string& carattere);
  void Grid_MouseMove();
  void Grid_RowColChange();

  // The rows of the current selection limited to the segments (GetSelezioneGriglia).
  void GetSelezioneGriglia(int16_t& prima, int16_t& ultima) const;
  void LimitaSelezioneGriglia(int16_t& prima, int16_t& ultima) const;
  // Appends a table row and a segment slot (the cell editor's keys past the last row).
  void AggiungiRigaGriglia();

  // Current page of Tabbed1 (0 table, 1 schema, 2 tightness test); selecting a page runs the
  // page change.
  int Pagina() const;
  void SelezionaPagina(int pagina);
  // Fits the tightness page's scroll bar and visible panel to the tab's page and sizes the scroll
  // range by the inner panel; with `inizio` the page goes back to its top. The page calls it too
  // when its sections are shown or hidden.
  void AdattaScrollTenuta(bool inizio);

  // ---- Window state ----
  int16_t IndiceRete = 1;
  int16_t GrigliaPronta = 0;
  int16_t LayoutGriglia = 0;
  int16_t ScaleFactor = 0;
  // The canvas's logical coordinates (twips at zoom step 0).
  double ScalaSinistra = 0, ScalaAlto = 0, ScalaLarghezza = 11000, ScalaAltezza = 6170;
  // The editor's own logical extent.
  double ScalaLarghezzaFinestra = 11000, ScalaAltezzaFinestra = 6170;
  // The toolbar state the page routines produced last.
  StatoBarra Barra{};
  // The sizes the last layout gave (twips).
  const DimensioniEditor& Dimensioni() const { return dims_; }

  // ---- Controls ----
  QTabWidget* Tabbed1;
  // Page 0
  QWidget* pagTronchi;
  GrigliaTabella* Grid;
  QLineEdit* Text1;
  QComboBox* Combo1;
  QPushButton* cmdDettagliDiametro;
  QLabel* LabelInitPres;
  QComboBox* ComboInitPres;
  QLabel* LabelFinalPres;
  QComboBox* ComboFinalPres;
  QLabel* LabelDpMax;
  QComboBox* ComboDpMax;
  QLabel* lblGasWarning;
  QLabel* Panel3D2;
  // The column description in the status panel, in a smaller type (and over two lines) where the
  // strip is too narrow for it.
  void MostraStato(const QString& testo);
  // Page 1
  QWidget* pagSchema;
  QWidget* picDisplay;
  QScrollBar* VpicScroll;
  QScrollBar* HpicScroll;
  QLabel* Label1;
  QFrame* SSPanel3;
  QFrame* SSPanel1;
  QFrame* SSPanel2;
  QFrame* SSPanel4;
  QFrame* SSPanel5;
  QLabel* picTronco;
  QLabel* picCaldaia;
  QLabel* picFornello;
  QLabel* picBruciatore;
  QLabel* picConvettore;
  // Page 2
  QWidget* pagTenuta;
  QFrame* picOuter;
  QWidget* picInner;
  QScrollBar* VScroll;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void paintEvent(QPaintEvent* evento) override;

 private:
  void CostruisciPagine();
  void InitGrid();
  void InitGridColumns();
  void FormatGridRow(int16_t riga);
  void ApplicaBarra();
  void SetToolbarGrid(bool e);
  void SetToolbarSchema(bool e);
  void SetToolbarTenuta();
  void DrawSchema();
  void PosizionaControlli();
  // The status panel's height: two lines of the window's font.
  int AltezzaStato() const;
  void PosizionaStato();
  void AggiornaCella(int16_t riga, int16_t colonna);

  IFinestraPrincipale& principale_;
  // The helpers that filter this window's widgets and hold the window by reference: the
  // destructor ends them before any widget of the window goes.
  SelettoriRete* selettori_ = nullptr;
  QObject* celle_ = nullptr;
  QObject* paginaTenuta_ = nullptr;
  DimensioniEditor dims_ = CalcolaDimensioniEditor(8930, 12150, 1200, 60);
  bool inRescale_ = false;
};

// The editor window of the process: null while not loaded.
GasGrid* GasGridCaricato();
// Loads the window inside the main window when needed (running Form_Load) and returns it.
GasGrid& CaricaGasGrid();
// Hides and unloads the window.
void ScaricaGasGrid();

}  // namespace varnex::ui
