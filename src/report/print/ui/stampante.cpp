#include "report/print/ui/stampante.h"

#include <QPrinterInfo>

namespace varnex::ui {

bool IsStampanteInstallata() {
  QPrinterInfo corrente = QPrinterInfo::defaultPrinter();
  if (!corrente.isNull() && !corrente.printerName().isEmpty()) return true;
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

}  // namespace varnex::ui
