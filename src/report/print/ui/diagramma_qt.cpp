#include "report/print/ui/diagramma_qt.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "editor/ui/gasgrid.h"
#include "report/print/pagina.h"
#include "report/print/ui/frm_pagina.h"
#include "report/print/ui/frm_print_schema_preview.h"
#include "report/print/ui/frm_select_printer.h"
#include "report/print/ui/frm_stampa.h"
#include "report/print/ui/stampante_qt.h"
#include "schema/disegno.h"
#include "schema/figura.h"
#include "schema/superficie_registrata.h"
#include "schema/ui/schema_canvas.h"
#include "schema/ui/superficie_qt.h"
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

namespace {

// The print drawing's request: the frame the schema lays itself out in, in the page's coordinates.
struct RichiestaSchema {
  double x0 = 0, y0 = 0, larghezza = 0, altezza = 0;
};

// Draws the print layout of the schema through a view (units shown on a rectangle of the printer's
// device) and returns what it marked, in units: every segment, label, appliance and the source.
QRectF DisegnaSchemaStampa(QPainter& painter, const QRectF& finestra, const QRectF& dispositivo, const QRectF& pagina,
                           const RichiestaSchema& r) {
  SuperficieQt superficie("Printer", painter, finestra, dispositivo, pagina.width(), pagina.height(), pagina.height(),
                          ColoreBianco);
  varnex::DrawSchema(superficie, 1, r.x0, r.y0, r.larghezza, r.altezza, "Arial", 7);
  return superficie.Estensione();
}

// The same drawing on no paper: a one-pixel picture at the printer's resolution measures the type
// as the printer does.
QRectF MisuraSchemaStampa(int risoluzione, const QRectF& finestra, const QRectF& dispositivo, const QRectF& pagina,
                          const RichiestaSchema& r) {
  QImage misura(1, 1, QImage::Format_RGB32);
  const int puntiPerMetro = qRound(risoluzione / 0.0254);
  misura.setDotsPerMeterX(puntiPerMetro);
  misura.setDotsPerMeterY(puntiPerMetro);
  QPainter painter(&misura);
  return DisegnaSchemaStampa(painter, finestra, dispositivo, pagina, r);
}

// How the drawing reaches the paper: the view of units on the device rectangle, and how many
// times smaller than its own scale it is drawn (1 when it holds as it is).
struct VistaSchema {
  QRectF finestra, dispositivo;
  double riduzione = 1;
};

// Room left around the drawing inside its area, and between it and the title, in twips.
constexpr double MargineSchema = 60;
constexpr double SpazioTitolo = 200;

// The view that holds the whole drawing on the paper (`carta`, page units) clear of the title
// (`titolo`): the page itself when the drawing already is; moved into `area`, the part of the paper
// clear of the title, when it would fit there; reduced when it is larger. The type keeps its size
// on paper, so a reduced view is measured again until it holds.
VistaSchema VistaCheContiene(int risoluzione, const QRectF& pagina, const QRectF& dispositivo, const QRectF& carta,
                             const QRectF& titolo, const QRectF& area, const RichiestaSchema& r) {
  const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
  VistaSchema vista{pagina, dispositivo, 1};
  // The extents the fitted layout reads stay those of the measuring pass, whatever is drawn here.
  const int32_t estensioni[4] = {SchemaMinX, SchemaMinY, SchemaMaxX, SchemaMaxY};
  auto ripristina = [&]() {
    SchemaMinX = estensioni[0], SchemaMinY = estensioni[1], SchemaMaxX = estensioni[2], SchemaMaxY = estensioni[3];
  };
  QRectF segnato = MisuraSchemaStampa(risoluzione, pagina, dispositivo, pagina, r);
  ripristina();
  if (segnato.isNull() || (carta.contains(segnato) && !titolo.intersects(segnato))) return vista;
  if (segnato.width() <= area.width() && segnato.height() <= area.height()) {
    // Moved only as far as it takes.
    const double dx = std::max(0.0, area.left() - segnato.left()) - std::max(0.0, segnato.right() - area.right());
    const double dy = std::max(0.0, area.top() - segnato.top()) - std::max(0.0, segnato.bottom() - area.bottom());
    vista.finestra = pagina.translated(-dx, -dy);
    return vista;
  }
  vista.dispositivo = QRectF(dispositivo.left() + (area.left() - pagina.left()) * kx,
                             dispositivo.top() + (area.top() - pagina.top()) * ky, area.width() * kx,
                             area.height() * ky);
  for (int giro = 0; giro < 8; ++giro) {
    const FinestraFigura f =
        FinestraCheContiene(segnato.left() - area.left(), segnato.top() - area.top(), segnato.right() - area.left(),
                            segnato.bottom() - area.top(), area.width(), area.height(), MargineSchema * vista.riduzione);
    vista.finestra = QRectF(area.left() + f.x, area.top() + f.y, f.larghezza, f.altezza);
    vista.riduzione = f.larghezza / area.width();
    segnato = MisuraSchemaStampa(risoluzione, vista.finestra, vista.dispositivo, pagina, r);
    ripristina();
    if (vista.finestra.contains(segnato)) break;
  }
  return vista;
}

QRectF InPagina(const RettangoloCarta& r, IStampanteReport& printer) {
  return {r.x + printer.ScaleLeft(), r.y + printer.ScaleTop(), r.larghezza, r.altezza};
}

}  // namespace

void DiagrammaStampaQt::PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) {
  SchemaMaxX = 0;
  SchemaMaxY = 0;
  SchemaMinX = 0;
  SchemaMinY = 0;
  MisuraSchema();
  ultimo_ = {};

  if (AdattaSchemaPagina != 0) {
    printer.ImpostaScala(0, 0);
    const double dx = std::abs(static_cast<double>(SchemaMaxX) - SchemaMinX);
    const double dy = std::abs(static_cast<double>(SchemaMaxY) - SchemaMinY);
    ScalaStampaSchema = ScalaAdattaSchema(dx, dy, printer.Width() - 1000.0, printer.Height() - 1000.0);
  }

  // The network goes inside the paper's margins, clear of the title.
  const RettangoloCarta area = AreaSchemaDiagramma(printer);
  const RettangoloCarta carta = CartaDiagramma(printer);
  RettangoloCarta titolo = PosizioneTitoloDiagramma(printer);
  titolo = {titolo.x - SpazioTitolo, titolo.y - SpazioTitolo, titolo.larghezza + 2 * SpazioTitolo,
            titolo.altezza * 2 + 2 * SpazioTitolo};  // the title and the note under it
  auto* qt = dynamic_cast<StampanteQt*>(&printer);
  double riduzione = 1;
  if (preview != 0) {
    // A fresh window for every preview: it starts from the stored settings and a centred view.
    frmPrintSchemaPreview anteprima;
    MostraModale(anteprima);
    if (anteprima.response != "print") return;
    // The preview's picture in its own proportions, as large as the area holds.
    const QImage immagine = anteprima.Immagine();
    if (qt && !immagine.isNull()) {
      const double scala = std::min(area.larghezza / immagine.width(), area.altezza / immagine.height());
      const RettangoloCarta r{area.x, area.y, immagine.width() * scala, immagine.height() * scala};
      const QRectF inPagina = InPagina(r, printer);
      qt->PaintImmagine(immagine, inPagina.x(), inPagina.y(), inPagina.width(), inPagina.height());
      ultimo_.disegno = r;
    }
  } else if (qt) {
    const RichiestaSchema richiesta{300, AltezzaStampabile - 2450.0, LarghezzaStampabile - 1500.0,
                                    AltezzaStampabile - 1750.0};
    const RettangoloCarta scalaCarta{printer.ScaleLeft(), printer.ScaleTop(), 0, 0};
    qt->DisegnaSuPagina([&](QPainter& painter, const QRectF& pagina, const QRectF& dispositivo) {
      const VistaSchema vista = VistaCheContiene(qt->Printer().resolution(), pagina, dispositivo,
                                                 InPagina(carta, printer), InPagina(titolo, printer),
                                                 InPagina(area, printer), richiesta);
      const QRectF segnato = DisegnaSchemaStampa(painter, vista.finestra, vista.dispositivo, pagina, richiesta);
      riduzione = vista.riduzione;
      // What was drawn, on the paper.
      const double sx = vista.dispositivo.width() / vista.finestra.width();
      const double sy = vista.dispositivo.height() / vista.finestra.height();
      const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
      auto carta = [&](const QPointF& u) {
        const QPointF d(vista.dispositivo.left() + (u.x() - vista.finestra.left()) * sx,
                        vista.dispositivo.top() + (u.y() - vista.finestra.top()) * sy);
        return QPointF(pagina.left() + (d.x() - dispositivo.left()) / kx - scalaCarta.x,
                       pagina.top() + (d.y() - dispositivo.top()) / ky - scalaCarta.y);
      };
      if (!segnato.isNull()) {
        const QRectF r(carta(segnato.topLeft()), carta(segnato.bottomRight()));
        ultimo_.disegno = {r.x(), r.y(), r.width(), r.height()};
      }
    });
  }
  ultimo_.area = area;
  // Only a network drawn at its own scale is reduced behind the reader's back; a fitted one was asked so.
  ultimo_.riduzione = riduzione;

  printer.ImpostaScala(0, 0);
  ultimo_.titolo = PosizioneTitoloDiagramma(printer);
  StampaTitoloDiagramma(printer, AdattaSchemaPagina != 0 ? 1 : riduzione);
}

namespace {
DiagrammaStampaQt* installato = nullptr;
}  // namespace

DiagrammaStampaQt* DiagrammaStampaInstallato() { return installato; }

void InstallaDiagrammaStampa() {
  static DiagrammaStampaQt diagramma;
  installato = &diagramma;
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
