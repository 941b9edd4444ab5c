#include "report/print/ui/frm_select_printer.h"

#include <QKeyEvent>
#include <QPrinterInfo>
#include <cmath>
#include <iterator>

#include "model/files.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "report/print/pagina.h"
#include "report/print/percentuali.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante.h"
#include "report/print/ui/stampante_qt.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

struct Formato {
  int16_t codice;
  QPageSize::PageSizeId pagina;
};

// The paper-size codes of the printer drivers and the page sizes they stand for.
const Formato Formati[] = {
    {1, QPageSize::Letter},          {2, QPageSize::Letter},          {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},          {5, QPageSize::Legal},           {6, QPageSize::Statement},
    {7, QPageSize::Executive},       {8, QPageSize::A3},              {9, QPageSize::A4},
    {10, QPageSize::A4},             {11, QPageSize::A5},             {12, QPageSize::B4},
    {13, QPageSize::B5},             {14, QPageSize::Folio},          {15, QPageSize::Quarto},
    {16, QPageSize::Imperial10x14},  {17, QPageSize::Tabloid},         {18, QPageSize::Note},
    {19, QPageSize::Envelope9},      {20, QPageSize::Envelope10},     {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},     {23, QPageSize::Envelope14},     {24, QPageSize::AnsiC},
    {25, QPageSize::AnsiD},          {26, QPageSize::AnsiE},          {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5},     {29, QPageSize::EnvelopeC3},     {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},     {32, QPageSize::EnvelopeC65},    {33, QPageSize::EnvelopeB4},
    {34, QPageSize::EnvelopeB5},     {35, QPageSize::EnvelopeB6},     {36, QPageSize::EnvelopeItalian},
    {37, QPageSize::EnvelopeMonarch}, {38, QPageSize::EnvelopePersonal}, {39, QPageSize::FanFoldUS},
    {40, QPageSize::FanFoldGerman},  {41, QPageSize::FanFoldGermanLegal}, {256, QPageSize::Custom},
};

const int16_t Codici[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                          22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 256};

// The system's printers on the report's current printer, and the PDF printer after them.
class StampantiQt final : public IStampantiSistema {
 public:
  int Numero() override { return static_cast<int>(QPrinterInfo::availablePrinters().size()) + 1; }
  std::string DeviceName(int i) override { return IsPdf(i) ? NomeStampantePdf : SS(Info(i).printerName()); }
  std::string Port(int i) override { return IsPdf(i) ? PortaStampantePdf : SS(Info(i).location()); }
  void ImpostaCorrente(int i) override {
    QPrinter& p = PrinterCorrente();
    if (IsPdf(i)) {
      ImpostaStampantePdf(p);
      return;
    }
    p.setOutputFormat(QPrinter::NativeFormat);
    p.setPrinterName(Info(i).printerName());
  }
  std::string DeviceNameCorrente() override { return StampanteReportQt().DeviceName(); }
  int16_t PaperSize() override { return CodiceCarta(PrinterCorrente()); }
  bool ImpostaPaperSize(int16_t codice) override {
    const auto pagina = PaginaDaCodice(codice);
    if (!pagina) return false;
    QPrinter& p = PrinterCorrente();
    // The PDF printer takes every named size; a size of the user's own has no measures to take.
    const QPrinterInfo info = IsStampantePdf(p) ? QPrinterInfo() : QPrinterInfo(p);
    if (*pagina == QPageSize::Custom) return !info.isNull() && info.supportsCustomPageSizes();
    if (!info.isNull()) {
      bool accettata = false;
      for (const QPageSize& s : info.supportedPageSizes())
        if (s.id() == *pagina) accettata = true;
      if (!accettata) return false;
    }
    return p.setPageSize(QPageSize(*pagina));
  }

 private:
  static bool IsPdf(int i) { return i == static_cast<int>(QPrinterInfo::availablePrinters().size()); }
  static QPrinterInfo Info(int i) {
    const QList<QPrinterInfo> tutte = QPrinterInfo::availablePrinters();
    return i >= 0 && i < tutte.size() ? tutte[i] : QPrinterInfo();
  }
};

IStampantiSistema* gStampanti = nullptr;

}  // namespace

void ImpostaStampantiSistema(IStampantiSistema* stampanti) { gStampanti = stampanti; }

IStampantiSistema& StampantiSistema() {
  static StampantiQt sistema;
  return gStampanti ? *gStampanti : sistema;
}

int16_t CodiceCarta(const QPrinter& printer) {
  const QPageSize::PageSizeId id = printer.pageLayout().pageSize().id();
  for (const Formato& f : Formati)
    if (f.pagina == id) return f.codice;
  return 256;
}

std::optional<QPageSize::PageSizeId> PaginaDaCodice(int16_t codice) {
  for (const Formato& f : Formati)
    if (f.codice == codice) return f.pagina;
  return std::nullopt;
}

int16_t CodiceDaNome(const std::string& nome) {
  for (int16_t c : Codici)
    if (NomeFormatoCarta(c) == nome) return c;
  return 0;
}

frmSelectPrinter::frmSelectPrinter(QWidget* parent, QLineEdit* campoStampante)
    : QDialog(parent), campoStampante_(campoStampante) {
  setObjectName(QStringLiteral("frmSelectPrinter"));
  setWindowTitle(QStringLiteral("Selezione stampante"));
  setFixedSize(DimensioneTwips(4215, 4665));
  List1 = new QListWidget(this);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setGeometry(RettangoloTwips(150, 150, 3850, 2400));
  Label2 = new QLabel(QStringLiteral("Formato:"), this);
  Label2->setGeometry(RettangoloTwips(150, 2700, 3375, 285));
  cmbFormat = new QComboBox(this);
  cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
  cmbFormat->setGeometry(RettangoloTwips(150, 3000, 3850, 315));
  Label1 = new QLabel(QStringLiteral("Stampante selezionata:"), this);
  Label1->setGeometry(RettangoloTwips(150, 3450, 3850, 285));
  SelectedPrinterText = new QLineEdit(this);
  SelectedPrinterText->setObjectName(QStringLiteral("SelectedPrinterText"));
  SelectedPrinterText->setGeometry(RettangoloTwips(150, 3800, 3850, 285));
  Command2 = new QPushButton(QStringLiteral("OK"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setGeometry(RettangoloTwips(150, 4235, 1470, 375));
  Command2->setDefault(true);
  Command1 = new QPushButton(QStringLiteral("Annulla"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(RettangoloTwips(2515, 4235, 1485, 375));
  Command1->setAutoDefault(false);
  connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  Form_Load();
}

void frmSelectPrinter::Form_Load() {
  LoadList();
  SelectedPrinterText->setText(QS(StampantiSistema().DeviceNameCorrente()));
}

void frmSelectPrinter::LoadList() {
  List1->clear();
  IStampantiSistema& s = StampantiSistema();
  const int n = s.Numero();
  for (int i = 0; i < n; ++i) List1->addItem(QS(s.DeviceName(i) + "   -   " + s.Port(i)));
  List1->setCurrentRow(-1);
  List1->clearSelection();
}

void frmSelectPrinter::List1_Click() {
  const int i = List1->currentRow();
  if (i < 0) return;
  IStampantiSistema& s = StampantiSistema();
  SelectedPrinterText->setText(QS(s.DeviceName(i) + "   -   " + s.Port(i)));
  s.ImpostaCorrente(i);
  CursoreOccupato occupato;
  LoadFormats();
}

bool frmSelectPrinter::TestPaperSize(int16_t codice) {
  IStampantiSistema& s = StampantiSistema();
  const int16_t tenuto = s.PaperSize();
  if (!s.ImpostaPaperSize(codice)) return false;
  s.ImpostaPaperSize(tenuto);
  return true;
}

void frmSelectPrinter::LoadFormats() {
  cmbFormat->clear();
  // The selection follows the paper the printer had before the probing: a probe whose restore the
  // printer refuses must not move it.
  IStampantiSistema& s = StampantiSistema();
  const int16_t corrente = s.PaperSize();
  for (int16_t c : Codici)
    if (TestPaperSize(c)) cmbFormat->addItem(QS(NomeFormatoCarta(c)), QVariant(static_cast<int>(c)));
  if (s.PaperSize() != corrente) s.ImpostaPaperSize(corrente);
  if (cmbFormat->count() == 0) return;
  for (int i = 0; i < cmbFormat->count(); ++i)
    if (cmbFormat->itemData(i).toInt() == corrente) {
      cmbFormat->setCurrentIndex(i);
      return;
    }
  // No entry matches the printer's size: the second entry, or the only one there is.
  cmbFormat->setCurrentIndex(cmbFormat->count() > 1 ? 1 : 0);
}

int16_t frmSelectPrinter::GetPaperCode() const { return CodiceDaNome(SS(cmbFormat->currentText())); }

void frmSelectPrinter::Command2_Click() {
  const int i = List1->currentRow();
  if (i < 0 || List1->selectedItems().isEmpty()) return;
  IStampantiSistema& s = StampantiSistema();
  s.ImpostaCorrente(i);
  // A format the printer refuses, or none at all, keeps the printer's current paper.
  const int16_t codice = GetPaperCode();
  if (codice != 0) s.ImpostaPaperSize(codice);
  if (campoStampante_)
    campoStampante_->setText(QS(s.DeviceNameCorrente() + "   -   " + NomeFormatoCarta(s.PaperSize())));
  // A paper too short for the page rules is said so when it is chosen, not found out on paper.
  if (const auto pagina = PaginaDaCodice(s.PaperSize()); pagina && *pagina != QPageSize::Custom) {
    const auto altezza = static_cast<int32_t>(std::lround(QPageSize(*pagina).sizePoints().height() * 20.0));
    const std::string avviso = AvvisoCartaPiccola(NomeFormatoCarta(s.PaperSize()), altezza, PercentualeY);
    if (!avviso.empty()) MsgBox(avviso, Bottoni::OK, Icona::Esclamazione);
  }
  hide();
  close();
}

void frmSelectPrinter::Command1_Click() {
  hide();
  close();
}

void frmSelectPrinter::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    Command1->click();
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace varnex::ui
