#include "report/print/ui/diagramma_qt.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

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
// `blocchi`: where to leave the label blocks, in units. `soloIntereIn`: a sheet of a drawing over
// several leaves out the labels not wholly inside it (device pixels).
QRectF DisegnaSchemaStampa(QPainter& painter, const QRectF& finestra, const QRectF& dispositivo, const QRectF& pagina,
                           const RichiestaSchema& r, std::vector<QRectF>* blocchi = nullptr,
                           std::optional<QRectF> soloIntereIn = std::nullopt) {
  SuperficieQt superficie("Printer", painter, finestra, dispositivo, pagina.width(), pagina.height(), pagina.height(),
                          ColoreBianco);
  if (soloIntereIn) superficie.SoloEtichetteIntereIn(*soloIntereIn);
  varnex::DrawSchema(superficie, 1, r.x0, r.y0, r.larghezza, r.altezza, "Arial", 7);
  if (blocchi) *blocchi = superficie.BlocchiEtichette();
  return superficie.Estensione();
}

// The grid of sheets of `area` (page units) that shows `tutto` (drawing units, `k` page units
// each), centred on it, every label block (`blocchi`, units) inside it whole on a sheet: how many,
// the step from one to the next and the first one's top left corner, in units.
struct GrigliaSchemaQt {
  FogliSchema fogli;
  QSizeF passo;
  QPointF inizio;
};

GrigliaSchemaQt GrigliaFogli(const QRectF& tutto, double k, const QSizeF& area, const std::vector<QRectF>& blocchi) {
  auto riquadro = [](const QRectF& r) { return Riquadro{r.left(), r.top(), r.right(), r.bottom()}; };
  std::vector<Riquadro> b;
  b.reserve(blocchi.size());
  for (const QRectF& r : blocchi) b.push_back(riquadro(r));
  const GrigliaSchema g = varnex::GrigliaFogli(riquadro(tutto), k, area.width(), area.height(), b);
  return {g.fogli, QSizeF(g.passoL, g.passoA), QPointF(g.inizioX, g.inizioY)};
}

// A drawing on no paper: a one-pixel picture at the printer's resolution measures the type as the
// printer does. Returns what the drawing marked.
QRectF MisuraSuCarta(int risoluzione, const std::function<QRectF(QPainter&)>& disegna) {
  QImage misura(1, 1, QImage::Format_RGB32);
  const int puntiPerMetro = qRound(risoluzione / 0.0254);
  misura.setDotsPerMeterX(puntiPerMetro);
  misura.setDotsPerMeterY(puntiPerMetro);
  QPainter painter(&misura);
  return disegna(painter);
}

QRectF MisuraSchemaStampa(int risoluzione, const QRectF& finestra, const QRectF& dispositivo, const QRectF& pagina,
                          const RichiestaSchema& r, std::vector<QRectF>* blocchi = nullptr) {
  return MisuraSuCarta(risoluzione, [&](QPainter& painter) {
    return DisegnaSchemaStampa(painter, finestra, dispositivo, pagina, r, blocchi);
  });
}

// How the drawing reaches the paper: the view of units on the device rectangle, how many times
// smaller than its own scale it is drawn (1 when it holds as it is, below 1 when a fitted drawing
// is enlarged), and the pages it takes: page n shows the view moved by its column and row steps.
struct VistaSchema {
  QRectF finestra, dispositivo;
  double riduzione = 1;
  FogliSchema fogli;
  QSizeF passo;
  QRectF Foglio(int n) const {
    return finestra.translated((n % fogli.colonne) * passo.width(), (n / fogli.colonne) * passo.height());
  }
};

// Room left around the drawing inside its area, in twips.
constexpr double MargineSchema = 60;

// The view that puts the drawing on `area`, the part of the paper inside its margins and clear of
// the title (page units). At its own scale: moved into the middle of the area when it fits there. Fitted: made as large as
// `area` holds, larger or smaller than its own scale. Never smaller than `riduzioneMassima` allows
// (the labels keep their type on paper, and would run into one another): a drawing that does not
// hold at that size goes on over a grid of pages, each showing its part of the drawing, with an
// overlap. The type keeps its size on paper, so every changed view is measured again.
VistaSchema VistaCheContiene(int risoluzione, const QRectF& pagina, const QRectF& dispositivo, const QRectF& area,
                             const RichiestaSchema& r, bool adatta, double riduzioneMassima) {
  const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
  VistaSchema vista{pagina, dispositivo, 1, {}, {}};
  // The extents the fitted layout reads stay those of the measuring pass, whatever is drawn here.
  const int32_t estensioni[4] = {SchemaMinX, SchemaMinY, SchemaMaxX, SchemaMaxY};
  auto ripristina = [&]() {
    SchemaMinX = estensioni[0], SchemaMinY = estensioni[1], SchemaMaxX = estensioni[2], SchemaMaxY = estensioni[3];
  };
  std::vector<QRectF> blocchi;  // the label blocks of the last measure
  QRectF segnato = MisuraSchemaStampa(risoluzione, pagina, dispositivo, pagina, r, &blocchi);
  ripristina();
  if (segnato.isNull()) return vista;
  const QRectF proprio = segnato;  // at the drawing's own size
  const std::vector<QRectF> blocchiPropri = blocchi;
  if (!adatta && segnato.width() <= area.width() && segnato.height() <= area.height()) {
    // Moved into the middle of the area.
    vista.finestra = pagina.translated(segnato.center() - area.center());
    return vista;
  }
  vista.dispositivo = QRectF(dispositivo.left() + (area.left() - pagina.left()) * kx,
                             dispositivo.top() + (area.top() - pagina.top()) * ky, area.width() * kx,
                             area.height() * ky);
  for (int giro = 0; giro < 8; ++giro) {
    const double margine = MargineSchema * vista.riduzione;
    double riduzione = std::max((segnato.width() + 2 * margine) / area.width(),
                                (segnato.height() + 2 * margine) / area.height());
    if (!adatta) riduzione = std::max(riduzione, 1.0);
    riduzione = std::min(riduzione, riduzioneMassima);
    const bool stabile = giro > 0 && std::abs(riduzione - vista.riduzione) < 1e-3;
    vista.riduzione = riduzione;
    vista.finestra = QRectF(0, 0, area.width() * riduzione, area.height() * riduzione);
    vista.finestra.moveCenter(segnato.center());
    segnato = MisuraSchemaStampa(risoluzione, vista.finestra, vista.dispositivo, pagina, r, &blocchi);
    ripristina();
    const bool contiene = vista.finestra.contains(segnato);
    if (contiene && stabile) return vista;
    if (!contiene && riduzione >= riduzioneMassima) break;
  }
  if (vista.finestra.contains(segnato)) return vista;
  // Over several pages, at the smallest size the labels allow; at the drawing's own size when that
  // takes no more pages (the labels further apart, nothing reduced).
  auto griglia = [&](const QRectF& s, double riduzione, const std::vector<QRectF>& b) {
    const double m = MargineSchema * riduzione;
    return GrigliaFogli(s.adjusted(-m, -m, m, m), 1 / riduzione, area.size(), b);
  };
  if (!adatta && vista.riduzione > 1 &&
      griglia(proprio, 1, blocchiPropri).fogli.Numero() <= griglia(segnato, vista.riduzione, blocchi).fogli.Numero()) {
    vista.riduzione = 1;
    vista.finestra = QRectF(0, 0, area.width(), area.height());
    segnato = proprio;
    blocchi = blocchiPropri;
  }
  const GrigliaSchemaQt g = griglia(segnato, vista.riduzione, blocchi);
  vista.fogli = g.fogli;
  vista.passo = g.passo;
  vista.finestra.moveTopLeft(g.inizio);
  return vista;
}

QRectF InPagina(const RettangoloCarta& r, IStampanteReport& printer) {
  return {r.x + printer.ScaleLeft(), r.y + printer.ScaleTop(), r.larghezza, r.altezza};
}

// The sides past which the schema goes on beyond what is printed.
struct LatiSchema {
  bool sinistra = false, sopra = false, destra = false, sotto = false;
};

// The note of page n of the view chosen in the preview: where the view goes on over the other
// pages, and the sides of the page past which the schema goes on unprinted ("" for a page that
// holds the whole schema).
std::string NotaVistaSchema(const FogliSchema& fogli, int n, const LatiSchema& fuori) {
  const int riga = n / fogli.colonne, colonna = n % fogli.colonne;
  std::string lati;
  auto lato = [&](bool c, const char* dove) {
    if (c) lati += (lati.empty() ? "" : ", ") + std::string(dove);
  };
  lato(fuori.sinistra && colonna == 0, "a sinistra");
  lato(fuori.sopra && riga == 0, "sopra");
  lato(fuori.destra && colonna + 1 == fogli.colonne, "a destra");
  lato(fuori.sotto && riga + 1 == fogli.righe, "sotto");
  const std::string nota = NotaFoglioSchema(fogli, n);
  if (lati.empty()) return nota;
  if (nota.empty()) return "Parte dello schema scelta nell'anteprima - lo schema continua " + lati + " (non stampato)";
  return nota + ", " + lati + " (non stampato)";
}

// The diagram page of the advanced print: the view the preview showed, drawn on the printer as the
// quick print draws. The view fills the area in its own proportions, as the preview's picture
// would, but never below the size at which the labels stay apart: a view that does not hold at
// that size goes on over a grid of pages, each with its part and a note of where it goes on. What
// the preview did not show is not printed, and the page says on which sides the schema goes on.
// How the advanced print lays the view the preview shows on the paper: its scale (page units per
// drawing unit), the sides past which the schema goes on unprinted, and the grid of sheets.
struct PianoVistaAnteprima {
  double k = 1;
  LatiSchema fuori;
  GrigliaSchemaQt griglia;
  QRectF pagina, dispositivo;
};

std::optional<PianoVistaAnteprima> PianificaVistaAnteprima(StampanteQt& qt, IStampanteReport& printer,
                                                           const VistaAnteprimaSchema& vista,
                                                           const RettangoloCarta& area) {
  const QRectF a = InPagina(area, printer);
  const QRectF& f = vista.finestra;
  if (a.isEmpty() || f.isEmpty()) return std::nullopt;
  PianoVistaAnteprima piano;
  const int risoluzione = qt.Printer().resolution();
  double k = std::min(a.width() / f.width(), a.height() / f.height());  // page units per drawing unit
  QRectF& pagina = piano.pagina;
  QRectF& dispositivo = piano.dispositivo;
  qt.DisegnaSuPagina([&](QPainter&, const QRectF& p, const QRectF& d) { pagina = p, dispositivo = d; });
  const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
  // The whole schema as this view lays it out, at a scale: the type keeps its size on paper, so
  // every scale is measured again.
  auto misura = [&](double scala, std::vector<QRectF>* blocchi) {
    return MisuraSuCarta(risoluzione, [&](QPainter& painter) {
      return vista.Disegna(painter, f, QRectF(0, 0, f.width() * scala * kx, f.height() * scala * ky), "Printer",
                           blocchi);
    });
  };
  std::vector<QRectF> blocchi;  // the label blocks at scale k
  QRectF tutto = misura(k, &blocchi);
  const double scalaDisegno = ScalaDisegno > 0 ? ScalaDisegno : 1.0;
  const double kMinimo = ScalaLeggibileSchema / scalaDisegno;
  // What is printed: the whole view when it holds; else only the part of the view the schema
  // takes, so that no page is blank.
  QRectF parte = f;
  if (k < kMinimo) {
    k = kMinimo;
    tutto = misura(k, &blocchi);
    const double m = MargineSchema / k;
    parte = f.intersected(tutto.adjusted(-m, -m, m, m));
    if (parte.isEmpty()) parte = QRectF(f.center(), QSizeF());
  }
  const double tolleranza = 1 / k;
  if (!tutto.isNull()) {
    piano.fuori.sinistra = tutto.left() < f.left() - tolleranza;
    piano.fuori.sopra = tutto.top() < f.top() - tolleranza;
    piano.fuori.destra = tutto.right() > f.right() + tolleranza;
    piano.fuori.sotto = tutto.bottom() > f.bottom() + tolleranza;
  }
  // The grid centred on what is printed.
  piano.griglia = GrigliaFogli(parte, k, a.size(), blocchi);
  piano.k = k;
  return piano;
}

// The diagram page of the advanced print: the view the preview showed, drawn on the printer as the
// quick print draws. The view fills the area in its own proportions, as the preview's picture
// would, but never below the size at which the labels stay apart: a view that does not hold at
// that size goes on over a grid of pages, each with its part and a note of where it goes on. What
// the preview did not show is not printed, and the page says on which sides the schema goes on.
void StampaVistaAnteprima(StampanteQt& qt, IStampanteReport& printer, const VistaAnteprimaSchema& vista,
                          const RettangoloCarta& area, DiagrammaStampaQt::Piazzamento& ultimo) {
  const std::optional<PianoVistaAnteprima> piano = PianificaVistaAnteprima(qt, printer, vista, area);
  if (!piano) return;
  const QRectF a = InPagina(area, printer);
  const QRectF& f = vista.finestra;
  const double k = piano->k;
  const QRectF& pagina = piano->pagina;
  const QRectF& dispositivo = piano->dispositivo;
  const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
  const double scalaDisegno = ScalaDisegno > 0 ? ScalaDisegno : 1.0;
  const LatiSchema& fuori = piano->fuori;
  const GrigliaSchemaQt& griglia = piano->griglia;
  const FogliSchema fogli = griglia.fogli;
  const QSizeF finestraFoglio(a.width() / k, a.height() / k);
  const QSizeF& passo = griglia.passo;
  const QPointF& inizio = griglia.inizio;
  const QRectF areaDispositivo(dispositivo.left() + (a.left() - pagina.left()) * kx,
                               dispositivo.top() + (a.top() - pagina.top()) * ky, a.width() * kx, a.height() * ky);
  bool avviso = false;
  for (int n = 0; n < fogli.Numero(); ++n) {
    if (n > 0) printer.NewPage();
    const QRectF finestra(inizio + QPointF((n % fogli.colonne) * passo.width(), (n / fogli.colonne) * passo.height()),
                          finestraFoglio);
    // Drawing units to the page.
    auto suPagina = [&](const QPointF& u) {
      return QPointF(a.left() + (u.x() - finestra.left()) * k, a.top() + (u.y() - finestra.top()) * k);
    };
    const QRectF mostrato = finestra.intersected(f);
    qt.DisegnaSuPagina([&](QPainter& painter, const QRectF& p, const QRectF& d) {
      const QRectF r(suPagina(mostrato.topLeft()), suPagina(mostrato.bottomRight()));
      const QRectF ritaglio(d.left() + (r.left() - p.left()) * kx, d.top() + (r.top() - p.top()) * ky, r.width() * kx,
                            r.height() * ky);
      painter.setClipRect(ritaglio);
      // A label the edge of what is printed would cut is left out whole: the sheet that holds it
      // whole prints it, and one the view cuts is not printed at all (the note says the schema goes
      // on there). Its words never reach the paper as a fragment.
      const QRectF segnato =
          vista.Disegna(painter, finestra, areaDispositivo, "Printer", nullptr, std::optional<QRectF>(ritaglio))
              .intersected(mostrato);
      // Every sheet lays the labels out alike: the first one's measure holds for all.
      if (n == 0) avviso = EtichetteDaAvvisare(SuperficieQt::MisuraUltimaCarta());
      if (n == 0 && !segnato.isEmpty()) {
        const QRectF carta(suPagina(segnato.topLeft()), suPagina(segnato.bottomRight()));
        ultimo.disegno = {carta.x(), carta.y(), carta.width(), carta.height()};
      }
    });
    StampaTitoloDiagramma(printer, 1, NotaConAvviso(NotaVistaSchema(fogli, n, fuori), avviso));
  }
  ultimo.riduzione = 1 / (k * scalaDisegno);
  ultimo.fogli = fogli.Numero();
}

}  // namespace

void DiagrammaStampaQt::PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) {
  SchemaMaxX = 0;
  SchemaMaxY = 0;
  SchemaMinX = 0;
  SchemaMinY = 0;
  MisuraSchema();
  ultimo_ = {};

  // The whole diagram page is placed in the paper's own coordinates, inside its margins.
  printer.ImpostaScala(0, 0);
  const bool adatta = AdattaSchemaPagina != 0;
  if (adatta) {
    const double dx = std::abs(static_cast<double>(SchemaMaxX) - SchemaMinX);
    const double dy = std::abs(static_cast<double>(SchemaMaxY) - SchemaMinY);
    ScalaStampaSchema = ScalaAdattaSchema(dx, dy, printer.Width() - 1000.0, printer.Height() - 1000.0);
    // Never below the size at which the labels stay apart: what does not hold goes on over pages.
    ScalaStampaSchema = std::max(ScalaStampaSchema, ScalaLeggibileSchema);
  }

  // The network goes inside the paper's margins, clear of the title.
  const RettangoloCarta area = AreaSchemaDiagramma(printer);
  auto* qt = dynamic_cast<StampanteQt*>(&printer);
  double riduzione = 1;
  if (preview != 0) {
    // A fresh window for every preview: it starts from the stored settings and a centred view.
    frmPrintSchemaPreview anteprima;
    // The preview says how many sheets the view it shows takes on this paper.
    anteprima.ImpostaContaFogli([&printer](const VistaAnteprimaSchema& v) { return FogliVistaAnteprima(printer, v); });
    MostraModale(anteprima);
    if (anteprima.response != "print") return;
    if (qt) StampaVistaAnteprima(*qt, printer, anteprima.Vista(), area, ultimo_);
    else StampaTitoloDiagramma(printer);
    ultimo_.area = area;
    ultimo_.titolo = PosizioneTitoloDiagramma(printer);
    return;
  }
  VistaSchema vista;
  std::optional<double> sottoDisegno;
  if (qt) {
    const RichiestaSchema richiesta{300, AltezzaStampabile - 2450.0, LarghezzaStampabile - 1500.0,
                                    AltezzaStampabile - 1750.0};
    // A drawing laid out at the print scale is drawn no smaller than its labels allow.
    const double scalaDisegno = adatta ? std::max(ScalaStampaSchema, ScalaLeggibileSchema) : 1.0;
    const double riduzioneMassima = std::max(1.0, scalaDisegno / ScalaLeggibileSchema);
    qt->DisegnaSuPagina([&](QPainter&, const QRectF& pagina, const QRectF& dispositivo) {
      vista = VistaCheContiene(qt->Printer().resolution(), pagina, dispositivo, InPagina(area, printer), richiesta,
                               adatta, riduzioneMassima);
    });
    riduzione = vista.riduzione;
    ultimo_.disegno = {};
    bool avviso = false;
    for (int n = 0; n < vista.fogli.Numero(); ++n) {
      if (n > 0) printer.NewPage();
      qt->DisegnaSuPagina([&](QPainter& painter, const QRectF& pagina, const QRectF& dispositivo) {
        const QRectF finestra = vista.Foglio(n);
        // A page of a drawing over several shows its part alone, inside its area.
        if (vista.fogli.Numero() > 1) painter.setClipRect(vista.dispositivo);
        const QRectF segnato =
            DisegnaSchemaStampa(painter, finestra, vista.dispositivo, pagina, richiesta, nullptr,
                                vista.fogli.Numero() > 1 ? std::optional<QRectF>(vista.dispositivo) : std::nullopt);
        // Every sheet lays the labels out alike: the first one's measure holds for all.
        if (n == 0) avviso = EtichetteDaAvvisare(SuperficieQt::MisuraUltimaCarta());
        if (n > 0 || segnato.isNull()) return;
        // What was drawn, on the paper.
        const double sx = vista.dispositivo.width() / finestra.width();
        const double sy = vista.dispositivo.height() / finestra.height();
        const double kx = dispositivo.width() / pagina.width(), ky = dispositivo.height() / pagina.height();
        auto suCarta = [&](const QPointF& u) {
          const QPointF d(vista.dispositivo.left() + (u.x() - finestra.left()) * sx,
                          vista.dispositivo.top() + (u.y() - finestra.top()) * sy);
          return QPointF(pagina.left() + (d.x() - dispositivo.left()) / kx, pagina.top() + (d.y() - dispositivo.top()) / ky);
        };
        QRectF r(suCarta(segnato.topLeft()), suCarta(segnato.bottomRight()));
        if (vista.fogli.Numero() > 1) r = r.intersected(QRectF(area.x, area.y, area.larghezza, area.altezza));
        ultimo_.disegno = {r.x(), r.y(), r.width(), r.height()};
      });
      // A drawing at its own size on one sheet has its title right under it.
      if (!adatta && vista.fogli.Numero() == 1 && ultimo_.disegno.altezza > 0) sottoDisegno = ultimo_.disegno.Basso();
      StampaTitoloDiagramma(printer, adatta ? 1 : riduzione, NotaConAvviso(NotaFoglioSchema(vista.fogli, n), avviso),
                            sottoDisegno);
    }
  } else {
    StampaTitoloDiagramma(printer);
  }
  ultimo_.area = area;
  // Only a network drawn at its own scale is reduced behind the reader's back; a fitted one was asked so.
  ultimo_.riduzione = riduzione;
  ultimo_.fogli = vista.fogli.Numero();
  ultimo_.titolo = PosizioneTitoloDiagramma(printer, sottoDisegno);
}

frmPrintSchemaPreview::CartaAnteprima FogliVistaAnteprima(IStampanteReport& printer, const VistaAnteprimaSchema& vista) {
  auto* qt = dynamic_cast<StampanteQt*>(&printer);
  if (!qt) return {};
  // The extents the view's drawing starts from are its own; the measure leaves them as they were.
  const int32_t estensioni[4] = {SchemaMinX, SchemaMinY, SchemaMaxX, SchemaMaxY};
  const std::optional<PianoVistaAnteprima> piano = PianificaVistaAnteprima(*qt, printer, vista, AreaSchemaDiagramma(printer));
  SchemaMinX = estensioni[0], SchemaMinY = estensioni[1], SchemaMaxX = estensioni[2], SchemaMaxY = estensioni[3];
  if (!piano) return {};
  return {piano->griglia.fogli.Numero(), piano->k};
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
