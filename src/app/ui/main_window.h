// The program's main window "VarnexPro": menus, the toolbar strip with the gas selector, the firm
// lines and the logo, the one-second timer, and the editor window inside it.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRect>
#include <QScrollArea>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "editor/barra_strumenti.h"

class QMenuBar;

namespace varnex::ui {

class GasGrid;

class frmMainForm : public QMainWindow, public IFinestraPrincipale {
  Q_OBJECT
 public:
  // Runs MDIForm_Load (without showing: the start-up sequence shows the window).
  explicit frmMainForm(QWidget* parent = nullptr);
  ~frmMainForm() override;

  // ---- Public operations ----
  // Unloads every loaded window of the program, the main window included, in load order.
  void TerminateALL();
  void InitInitialGasCombo(const std::optional<std::string>& s) override;
  void SelectItemInGasList(const std::string& s) override;
  void openHelpFile();

  // ---- IFinestraPrincipale ----
  void ImpostaComando(Comando comando, const StatoComando& stato) override;
  void ImpostaFigura(Comando comando, Immagine figura) override;
  void AbilitaSelettoreGas() override;
  void ImpostaTestoZoom(const std::string& testo) override;
  void NascondiIndicatore() override;
  void MostraIndicatore(bool inPressione) override;
  void MenuAttivita(bool inPressione) override;
  int AltezzaTwips() const override;
  int LarghezzaTwips() const override;
  int AltezzaBarraTwips() const override;
  bool Minimizzata() const override;

  // ---- The editor window inside ----
  GasGrid* Editor() const { return editor_; }
  GasGrid& CaricaEditor();
  void ScaricaEditor();

  // ---- Handlers ----
  void MDIForm_Load();
  void MDIForm_Resize();
  // False when the closing was cancelled.
  bool MDIForm_Unload();
  void Timer1_Timer();
  void imgSwCompany_Click();
  void NuovoMnu_Click();
  void ApriMnu_Click();
  void SalvaMnu_Click();
  void SaveAsMnu_Click();
  void ParametriMnu_Click();
  void defaultValue_Click();
  void StampaMnu_Click();
  void mnuImpostaStampante_Click();
  void EsciMnu_Click();
  void mnuGas_Click();
  void mnuManuale_Click();
  void mnuShowHints_Click();
  void AboutMnu_Click();
  // Toolbar
  void SSCommand1_Click();
  void Command3D5_Click();
  void Command3D4_Click();
  void SSCommand2_Click();
  void SSCommand3_Click();
  void SSCommand4_Click();
  void SSCommandHelp_Click();
  void Command3D3_Click();
  void cmdParameterElemSel_Click();
  void cmdDiamLocked_Click();
  void CommandCalculate_Click();
  void SSCommandCancel_Click();
  void CommandCursorLocked_Click();
  void CommandAutomaticRecalculate_Click();
  void SSCommandRefresh_Click();
  void Command6_Click();
  void Command7_Click();
  // Gas selector
  void ComboGas_Change();
  void ComboGas_LostFocus();
  // Enter (13) applies the choice; any other key is dropped.
  void ComboGas_KeyPress(int keyAscii);

  // The picture a toolbar button shows now, and its button (null for labels and the zoom text).
  Immagine FiguraComando(Comando comando) const;
  QToolButton* Pulsante(Comando comando) const;
  // The enabled state the editor asked for a control (the control itself stays disabled while
  // the window its command opens does not exist yet).
  bool ComandoRichiesto(Comando comando) const;
  // The enabled state the activity asked for "Lungh. Equiv..." and "PDC predefinite...".
  bool MenuRichiesto(const QAction* voce) const;
  // The project commands follow the installed lifecycle (comandi_progetto.h).
  void AggiornaComandiProgetto();
  // Where the firm strip goes (twips): window width w and height h, work-area width W, the strip's
  // designed left and the left of the first toolbar button.
  static QRect GeometriaFrame1(int w, int h, int W, int sinistraFrame, int sinistraSSCommand1);
  QRect Frame1Twips;

  // ---- Menus ----
  // The menu bar lives in the strip above the toolbar, owned by the window itself: handing
  // QMainWindow's own bar to setMenuWidget would delete it together with every menu.
  QMenuBar* barraMenu = nullptr;
  QMenu* mnuFile;
  QMenu* mnuArchivi;
  QMenu* mnuHelp;
  QAction* NuovoMnu;
  QAction* ApriMnu;
  QAction* SalvaMnu;
  QAction* SaveAsMnu;
  QAction* ParametriMnu;
  QAction* defaultValue;
  QAction* StampaMnu;
  QAction* mnuImpostaStampante;
  QAction* EsciMnu;
  QAction* MaterialiMnu;
  QAction* mnuGas;
  QAction* mnuEqLen;
  QAction* mnuPreferenze;
  QAction* mnuManuale;
  QAction* mnuArchiveCopy;
  QAction* mnuProjectFileCopy;
  QAction* mnuShowHints;
  QAction* AboutMnu;

  // ---- Toolbar strip ----
  QWidget* Picture1;
  QToolButton* SSCommand1;
  QToolButton* Command3D5;
  QToolButton* Command3D4;
  QToolButton* SSCommand2;
  QToolButton* SSCommand3;
  QToolButton* SSCommand4;
  QToolButton* SSCommandHelp;
  QToolButton* Command3D3;
  QToolButton* cmdParameterElemSel;
  QToolButton* cmdDiamLocked;
  QToolButton* CommandCalculate;
  QToolButton* SSCommandCancel;
  QToolButton* CommandCursorLocked;
  QToolButton* CommandAutomaticRecalculate;
  QLabel* Label3;
  QComboBox* ComboGas;
  QToolButton* cmdSaveGasAhAH;
  QToolButton* SSCommandRefresh;
  QLabel* Label6;
  QToolButton* Command7;
  QLineEdit* txtScaleW;
  QToolButton* Command6;
  QWidget* Frame1;
  QLabel* Label1;
  QLabel* Label7;
  QLabel* Label2;
  QLabel* lblAgente;
  QLabel* imgSwCompany;
  QLabel* picIndicatore;
  QTimer* Timer1;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;
  void moveEvent(QMoveEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  void CostruisciMenu();
  void CostruisciBarra();
  // Applies the selector's entry; `conTenuta` runs the tightness refresh at the end. False when
  // the choice was refused or not found.
  bool ApplicaSceltaGasUI(bool conTenuta);
  void ApplicaComando(Comando comando);
  // The zoom and redraw buttons act on the editor: enabled only while it is loaded.
  void AggiornaComandiEditor();
  QWidget* Controllo(Comando comando) const;
  bool Disponibile(Comando comando) const;

  GasGrid* editor_ = nullptr;
  QScrollArea* area_ = nullptr;
  std::map<Comando, Immagine> figure_;
  // The picture each toolbar button shows now: it is drawn again only when it changes.
  std::map<Comando, Immagine> mostrate_;
  std::map<Comando, bool> richiesti_;
  std::map<const QAction*, bool> menuRichiesti_;
  bool chiusuraConfermata_ = false;
  bool inSceltaGas_ = false;
  bool ridimensionamentoInAttesa_ = false;
  bool inRidimensionamento_ = false;
  // The window's outer size (its frame included) the editor was last laid out for.
  QSize impaginataPer_;
  // Lays the editor out once control is back in the event loop, for the size the window has then.
  void RidimensionaPoi();
};

// The main window of the process: null before it is created and after it is destroyed.
frmMainForm* FinestraPrincipaleCaricata();
// Older name of the main window's class.
using FinestraPrincipale = frmMainForm;

}  // namespace varnex::ui
