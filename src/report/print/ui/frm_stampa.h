// The print dialog ("Stampa"): the report's sections, presets, copies, footer date, printer and
// page proportions, fitting the diagram, file output, and the two print commands.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <functional>
#include <optional>

#include "report/print/opzioni_stampa.h"
#include "shell/ui/services.h"

namespace varnex::ui {

// The platform's current printer: the one the report prints on and the printer selection changes.
QPrinter& PrinterCorrente();
// The printer object of the report on PrinterCorrente() (shared by all runs).
class StampanteQt;
StampanteQt& StampanteReportQt();

class frmStampa : public QDialog {
  Q_OBJECT
 public:
  explicit frmStampa(QWidget* parent = nullptr);
  ~frmStampa() override;

  void StoreSelected();
  void GetOptionSetup();
  void SetOptionSetup();

  // Ticks of the eight boxes in letter order.
  SceltaSezioni Scelta() const;
  void ImpostaScelta(const SceltaSezioni& scelta);
  // Refreshes the printer line from the current printer.
  void AggiornaStampanteSelezionata();

  // Event handlers.
  void SSCommand1_Click(int index);
  void SSCommand1_MouseDown(int index, int button);
  void AdaptSchemaToPage_Click();
  void chkPrintFile_Click();
  void comboFileType_Change(const QString& testo);
  void cmdPrinter_Click();
  void cmdPage_Click();
  void cmdCancel_Click();
  void cmdPrint_Click();
  void cmdPrintPreview_Click();

  QCheckBox* chkCopertina = nullptr;
  QCheckBox* chkDiagrammaRete = nullptr;
  QCheckBox* ChkTronchi = nullptr;
  QCheckBox* chkPDCLocalizzate = nullptr;
  QCheckBox* ChkVerifica = nullptr;
  QCheckBox* ChkUtenze = nullptr;
  QCheckBox* ChkComputo = nullptr;
  QCheckBox* ChkTenutaImpianto = nullptr;
  QCheckBox* AdaptSchemaToPage = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtDate = nullptr;
  QCheckBox* chkPrintFile = nullptr;
  QComboBox* comboFileType = nullptr;
  QLineEdit* txtNumCopies = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* PrinterSelectedTxt = nullptr;
  std::array<QToolButton*, 4> SSCommand1{};
  QPushButton* cmdPage = nullptr;
  QPushButton* cmdPrinter = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdPrintPreview = nullptr;
  QPushButton* cmdCancel = nullptr;
  QLabel* pnlHelp = nullptr;
  // The hidden logo holder of the reports (2295 x 300 twips); its "Tag" property is "OK" while it
  // holds the logo.
  QLabel* picLogo = nullptr;

  // True while a command of the dialog runs its reports.
  bool InEsecuzione() const { return inEsecuzione_; }

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void hideEvent(QHideEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;

 private:
  std::array<QCheckBox*, 8> BoxInOrdineLettere() const;
  void Chiudi();
  void ControllaLogo();
  bool inEsecuzione_ = false;
  // The dialog is modeless: the keyboard goes back to where the user was when it goes away.
  std::optional<RitornoFuoco> ritorno_;
};

// The open dialog, if any.
frmStampa* StampaAperta();
// The main window's print command: shows the dialog modeless, creating it when needed.
void MostraStampa(QWidget* parent);

// Hooks of the file outputs and the two helper dialogs (installed by the modules that own them;
// without one the command does nothing).
extern std::function<void()> PrintHTMLReportHook;
extern std::function<void()> PrintTXTReportHook;
extern std::function<void(QWidget*)> MostraSelezioneStampante;
extern std::function<void(QWidget*)> MostraProporzioniPagina;

}  // namespace varnex::ui
