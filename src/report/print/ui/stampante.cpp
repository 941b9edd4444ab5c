#include "report/print/ui/stampante.h"

#include <QPrinterInfo>

#include "report/print/ui/frm_stampa.h"

namespace varnex::ui {

bool IsStampanteInstallata() {
  // A PDF target chosen for the current printer prints like an installed printer.
  const QPrinter& corrente = PrinterCorrente();
  if (corrente.outputFormat() == QPrinter::PdfFormat && !corrente.outputFileName().isEmpty()) return true;
  QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
  if (!predefinita.isNull() && !predefinita.printerName().isEmpty()) return true;
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

}  // namespace varnex::ui
