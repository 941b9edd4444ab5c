// The printer selection "Selezione stampante": one of the installed printers and one of the paper
// formats it accepts become the current printer and its paper.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <cstdint>
#include <optional>
#include <string>

namespace varnex::ui {

// The installed printers and the current printer, as the selection sees them.
class IStampantiSistema {
 public:
  virtual ~IStampantiSistema() = default;
  virtual int Numero() = 0;
  virtual std::string DeviceName(int i) = 0;
  virtual std::string Port(int i) = 0;
  // Printer i becomes the current printer.
  virtual void ImpostaCorrente(int i) = 0;
  virtual std::string DeviceNameCorrente() = 0;
  // The current printer's paper-size code.
  virtual int16_t PaperSize() = 0;
  // False when the current printer refuses the code.
  virtual bool ImpostaPaperSize(int16_t codice) = 0;
};
// Installs the printers (nullptr restores the system's).
void ImpostaStampantiSistema(IStampantiSistema* stampanti);
IStampantiSistema& StampantiSistema();

// The printer's paper as a paper-size code (256 for a size without a code), and the page size of
// a code 1 to 41 or 256 (nullopt for any other code).
int16_t CodiceCarta(const QPrinter& printer);
std::optional<QPageSize::PageSizeId> PaginaDaCodice(int16_t codice);

// The code of a format name, exactly as listed (0 for any other text).
int16_t CodiceDaNome(const std::string& nome);

class frmSelectPrinter : public QDialog {
  Q_OBJECT
 public:
  // `campoStampante`: the print dialog's printer field, written when the user confirms.
  explicit frmSelectPrinter(QWidget* parent = nullptr, QLineEdit* campoStampante = nullptr);

  void LoadList();
  void List1_Click();
  void Command2_Click();
  void Command1_Click();

  QListWidget* List1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* cmbFormat = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* SelectedPrinterText = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command1 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Form_Load();
  void LoadFormats();
  int16_t GetPaperCode() const;
  bool TestPaperSize(int16_t codice);
  QLineEdit* campoStampante_ = nullptr;
};

}  // namespace varnex::ui
