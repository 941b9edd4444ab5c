#include "report/print/ui/diagramma_qt.h"

#include <cmath>

#include "editor/ui/gasgrid.h"
#include "report/print/pagina.h"
#include "report/print/ui/frm_pagina.h"
#include "report/print/ui/frm_print_schema_preview.h"
#include "report/print/ui/frm_select_printer.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante_qt.h"
#include "schema/disegno.h"
#include "schema/superficie_registrata.h"
#include "schema/ui/schema_canvas.h"
#include "shell/ui/services.h"

namespace varnex::ui {

namespace {

// Draws the network on the editor's canvas at its screen zoom, which leaves its extents behind.
void MisuraSchema() {
  CanvasSchema* canvas = SchemaInstallato();
  GasGrid* editor = GasGridCaricato();
  if (canvas && editor && editor->picDisplay) {
    canvas->DrawSchema(*editor->picDisplay, 2, "Arial", 7);
    return;
  }
  // No editor window yet: the same drawing on a recording surface gives the same extents.
  SuperficieRegistrata misura("picDisplay");
  varnex::DrawSchema(misura, 2, "Arial", 7);
}

}  // namespace

void DiagrammaStampaQt::PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) {
  SchemaMaxX = 0;
  SchemaMaxY = 0;
  SchemaMinX = 0;
  SchemaMinY = 0;
  MisuraSchema();

  if (AdattaSchemaPagina != 0) {
    printer.ImpostaScala(0, 0);
    const double dx = std::abs(static_cast<double>(SchemaMaxX) - SchemaMinX);
    const double dy = std::abs(static_cast<double>(SchemaMaxY) - SchemaMinY);
    ScalaStampaSchema = ScalaAdattaSchema(dx, dy, printer.Width() - 1000.0, printer.Height() - 1000.0);
  }

  auto* qt = dynamic_cast<StampanteQt*>(&printer);
  if (preview != 0) {
    // A fresh window for every preview: it starts from the stored settings and a centred view.
    frmPrintSchemaPreview anteprima;
    MostraModale(anteprima);
    if (anteprima.response != "print") return;
    if (qt) qt->PaintImmagine(anteprima.Immagine(), 0, 0, printer.Width() - 2000.0, printer.Height() - 2000.0);
  } else if (qt) {
    const double x0 = 300;
    const double y0 = AltezzaStampabile - 2450.0;
    const double larghezza = LarghezzaStampabile - 1500.0;
    const double altezza = AltezzaStampabile - 1750.0;
    qt->DisegnaSuPagina([&](QPainter& painter, const QRectF& pagina, const QRectF& dispositivo) {
      DisegnaSchemaSuPainter(painter, pagina, dispositivo, "Printer", 1, x0, y0, larghezza, altezza, "Arial", 7);
    });
  }

  printer.ImpostaScala(0, 0);
  StampaTitoloDiagramma(printer);
}

void InstallaDiagrammaStampa() {
  static DiagrammaStampaQt diagramma;
  ImpostaDiagrammaStampa(&diagramma);
  MostraSelezioneStampante = [](QWidget* parent) {
    frmStampa* stampa = qobject_cast<frmStampa*>(parent);
    frmSelectPrinter dialogo(parent, stampa ? stampa->PrinterSelectedTxt : nullptr);
    MostraModale(dialogo);
  };
  MostraProporzioniPagina = [](QWidget* parent) {
    frmPagina dialogo(parent);
    MostraModale(dialogo);
  };
}

}  // namespace varnex::ui
