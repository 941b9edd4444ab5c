#include "report/print/ui/stampante.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <QPrinterInfo>
#include <algorithm>
#include <vector>

#include "model/files.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/sezioni.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante_qt.h"
#include "shell/ui/services.h"

namespace varnex::ui {

bool StampanteDiSistema() {
  const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
  if (!predefinita.isNull() && !predefinita.printerName().isEmpty()) return true;
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void ImpostaStampantePdf(QPrinter& printer) {
  const QPageLayout pagina = printer.pageLayout();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(pagina);
}

bool IsStampantePdf(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

void DimenticaFilePdf(QPrinter& printer) {
  const QPageLayout pagina = printer.pageLayout();
  // Qt turns a printer whose file name is cleared into the system's default printer, when there
  // is one: the next report would go to paper, unasked, with the PDF printer still chosen.
  printer.setOutputFileName(QString());
  if (!IsStampantePdf(printer)) printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(pagina);
}

bool IsStampanteInstallata() {
  if (IsStampantePdf(PrinterCorrente())) return true;
  return StampanteDiSistema();
}

void ImpostaStampanteCorrente(QWidget* parent) {
  QPrinter& printer = PrinterCorrente();
  QPrintDialog dialogo(&printer, parent);
  dialogo.setObjectName(QStringLiteral("ImpostaStampante"));
  dialogo.setOption(QAbstractPrintDialog::PrintToFile, true);
  // It sets the printer up and prints nothing: "OK" rather than "Stampa", and no output file, which
  // the print command asks for with the project's name.
  for (QDialogButtonBox* bottoni : dialogo.findChildren<QDialogButtonBox*>())
    if (QPushButton* ok = bottoni->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  // The dialog shows its file row again whenever the printer changes: hidden after each change.
  auto nascondiFile = [&dialogo]() {
    for (const char* nome : {"lOutput", "filename", "fileBrowser"})
      if (QWidget* w = dialogo.findChild<QWidget*>(QString::fromLatin1(nome))) w->hide();
  };
  QTimer::singleShot(0, &dialogo, nascondiFile);
  if (QComboBox* stampanti = dialogo.findChild<QComboBox*>(QStringLiteral("printers")))
    QObject::connect(stampanti, &QComboBox::currentIndexChanged, &dialogo,
                     [&dialogo, nascondiFile]() { QTimer::singleShot(0, &dialogo, nascondiFile); });
  if (MostraModale(dialogo) != QDialog::Accepted) return;
  // Where a PDF goes is the print command's question, asked with the project's name.
  if (IsStampantePdf(printer)) DimenticaFilePdf(printer);
  if (frmStampa* stampa = StampaAperta()) stampa->AggiornaStampanteSelezionata();
}

namespace {

bool FinisceConPdf(const std::string& percorso) {
  return percorso.size() >= 4 && UCase(percorso.substr(percorso.size() - 4)) == ".PDF";
}

// The documents one copy of the printed report makes: the report's pages, and the landscape
// diagram as a document of its own.
int DocumentiPerCopia() {
  return ((StampaCopertina != 0 || SezioneContenutoSelezionata()) ? 1 : 0) + (StampaDiagrammaRete != 0 ? 1 : 0);
}

}  // namespace

FilePdfDelComando::FilePdfDelComando(int copie) {
  QPrinter& printer = PrinterCorrente();
  if (!IsStampantePdf(printer) || !printer.outputFileName().isEmpty()) return;
  pronto_ = false;
  const std::optional<std::string> scelto =
      FileDialoghi().SalvaFile("Salva con nome", "File PDF (*.pdf)|*.pdf", CartellaNuovoReport(), NomeNuovoReport());
  if (!scelto || scelto->empty()) return;
  std::string percorso = *scelto;
  if (!FinisceConPdf(percorso)) percorso += ".pdf";
  std::vector<std::string> esistenti;
  const int documenti = std::max(1, copie * DocumentiPerCopia());
  for (int d = 1; d <= documenti; ++d) {
    const std::string file = SS(StampanteQt::FileDocumento(QS(percorso), d));
    if (EsisteFile(file)) esistenti.push_back(file);
  }
  if (!esistenti.empty() && MsgBox(DomandaSovrascrittura(percorso, esistenti), Bottoni::SiNo, Icona::Esclamazione,
                                   "Sovrascrivere") != Risposta::Si)
    return;
  printer.setOutputFileName(QS(percorso));
  StampanteReportQt().NuovoLavoro();
  scelto_ = true;
  pronto_ = true;
}

std::string FilePdfDelComando::ElencoFileScritti() const {
  if (!scelto_ || StampanteReportQt().FileScritti().empty()) return "";
  std::string elenco = "\r\nFile scritti:";
  for (const QString& f : StampanteReportQt().FileScritti()) elenco += "\r\n" + SS(f);
  return elenco;
}

FilePdfDelComando::~FilePdfDelComando() {
  if (scelto_) DimenticaFilePdf(PrinterCorrente());
}

}  // namespace varnex::ui
