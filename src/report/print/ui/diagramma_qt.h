// The diagram page of the printed report on the network schema: the measuring pass on the editor's
// canvas, the fit to the page, the schema drawn on the printer or taken from the schema preview,
// and the title line.
#pragma once

#include "report/print/stampa_report.h"
#include "report/print/ui/frm_print_schema_preview.h"

namespace varnex::ui {

class DiagrammaStampaQt final : public IDiagrammaStampa {
 public:
  void PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) override;

  // Where the last diagram page put things, in twips from the paper's top left corner: the
  // area the network may take, what the network marked (empty when nothing was drawn), the
  // title line, and how many times smaller than its own scale the network was drawn.
  struct Piazzamento {
    RettangoloCarta area, disegno, titolo;
    double riduzione = 1;
    int fogli = 1;  // pages the diagram took
  };
  const Piazzamento& UltimoPiazzamento() const { return ultimo_; }

 private:
  Piazzamento ultimo_;
};

// How the advanced print takes the view `vista` of the preview on the printer's paper as it is set
// up for the diagram page: how many sheets, and the page's twips for a unit of the drawing (1 sheet
// and 0 on a printer that draws no pages).
frmPrintSchemaPreview::CartaAnteprima FogliVistaAnteprima(IStampanteReport& printer, const VistaAnteprimaSchema& vista);

// The installed diagram page (nullptr before InstallaDiagrammaStampa).
DiagrammaStampaQt* DiagrammaStampaInstallato();

// Installs the diagram page and the print dialog's printer-selection and page-proportion dialogs
// (idempotent). The program calls it once at start-up.
void InstallaDiagrammaStampa();

}  // namespace varnex::ui
