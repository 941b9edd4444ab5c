#include "schema/ui/schema_canvas.h"

#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "editor/ui/portata.h"
#include "editor/ui/ptronchi.h"
#include "model/files.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/textfile.h"
#include "schema/figura.h"
#include "schema/inserimento.h"
#include "schema/modifica.h"
#include "shell/ui/services.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

CanvasSchema* installato = nullptr;

// The print picture "picPrint": white, 11000 x 8000 twips, kept for the process like the
// picture box it stands for, so that the drawing state may keep pointing at it.
constexpr double LarghezzaStampa = 11000, AltezzaStampa = 8000;
// The largest picture of a very large network: a side and an area in pixels.
constexpr double MaxLatoFiguraPixel = 12000, MaxAreaFiguraPixel = 24e6;
// The painter draws on a picture only up to this coordinate.
constexpr double MaxLatoPixelDisegnabile = 32000;
int standardArea() { return Pixel(static_cast<int>(LarghezzaStampa)) * Pixel(static_cast<int>(AltezzaStampa)); }
struct FiguraStampa {
  QImage immagine;
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<SuperficieQt> superficie;
};
FiguraStampa* figuraStampa = nullptr;

// The painters end before the application takes its fonts away.
void ChiudiPittori() {
  delete figuraStampa;
  figuraStampa = nullptr;
  if (installato) installato->ChiudiSuperficie();
}

FiguraStampa& picPrint() {
  if (!figuraStampa) {
    figuraStampa = new FiguraStampa;
    FiguraStampa& f = *figuraStampa;
    f.immagine = QImage(Pixel(static_cast<int>(LarghezzaStampa)), Pixel(static_cast<int>(AltezzaStampa)),
                        QImage::Format_RGB32);
    f.immagine.fill(Qt::white);
    f.painter = std::make_unique<QPainter>(&f.immagine);
    f.superficie = std::make_unique<SuperficieQt>(
        "picPrint", *f.painter, QRectF(0, 0, LarghezzaStampa, AltezzaStampa), QRectF(f.immagine.rect()),
        LarghezzaStampa, AltezzaStampa, AltezzaStampa, ColoreBianco);
  }
  return *figuraStampa;
}

const char* const MimeTag = "application/x-varnex-tag";

std::string TagSorgente(const QMimeData* dati) {
  if (!dati || !dati->hasFormat(QString::fromLatin1(MimeTag))) return {};
  return dati->data(QString::fromLatin1(MimeTag)).toStdString();
}

void MostraErrore(const std::exception& e) {
  MsgBox("Numero di errore: " + std::to_string(0) + "\n" + "Descrizione dell'errore: " + e.what());
}

}  // namespace

// ---- SaveSchema ----------------------------------------------------------------------------

QImage ImmagineSchema(QSizeF* misuraRelativa, double risoluzione, std::vector<QRectF>* blocchi) {
  std::vector<QImage> pezzi = PezziImmagineSchema(misuraRelativa, risoluzione, blocchi, {});
  return pezzi.empty() ? QImage() : pezzi.front();
}

std::vector<QImage> PezziImmagineSchema(QSizeF* misuraRelativa, double risoluzione, std::vector<QRectF>* blocchi,
                                        const DivisionePezziSchema& dividi) {
  FiguraStampa& f = picPrint();
  // The picture's font as the drawing will use it, for measuring the labels.
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(7);
  const QSize standard(Pixel(static_cast<int>(LarghezzaStampa)), Pixel(static_cast<int>(AltezzaStampa)));
  MetricaFigura metrica;
  {
    const QImage campione(1, 1, QImage::Format_RGB32);
    const QFontMetricsF fm(font, &campione);
    metrica.larghezzaCarattere = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('0')));
    metrica.altezzaRiga = fm.height();
  }
  metrica.pixelPerUnita = standard.width() / LarghezzaStampa;
  const PianoFigura piano = PianificaFiguraSchema(LarghezzaStampa, AltezzaStampa, metrica);
  // A network larger than the standard picture gets a larger picture at the same scale, labels
  // and all; only beyond what a picture file reasonably holds is everything drawn smaller, the
  // labels with the drawing.
  double fattore = 1;
  FinestraFigura disegnata;
  auto disegna = [&](const FinestraFigura& v) {
    disegnata = v;
    const double larghezzaPx = v.larghezza * metrica.pixelPerUnita, altezzaPx = v.altezza * metrica.pixelPerUnita;
    const double riduzione = std::min({1.0, MaxLatoFiguraPixel / larghezzaPx, MaxLatoFiguraPixel / altezzaPx,
                                       std::sqrt(MaxAreaFiguraPixel / (larghezzaPx * altezzaPx))});
    // A sharper picture has `risoluzione` pixels for each one, as far as the picture's area and the
    // painter's coordinates allow; never fewer than at its own size.
    const double lato = std::max(larghezzaPx, altezzaPx) * riduzione;
    const double fine = std::max(1.0, std::min({risoluzione, MaxLatoPixelDisegnabile / lato,
                                                std::sqrt(MaxAreaFiguraPixel / (larghezzaPx * altezzaPx)) / riduzione}));
    fattore = riduzione * fine;
    const QSize dimensione(std::max(1, static_cast<int>(std::lround(larghezzaPx * fattore))),
                           std::max(1, static_cast<int>(std::lround(altezzaPx * fattore))));
    if (f.immagine.size() != dimensione) {
      f.superficie.reset();
      f.painter.reset();
      f.immagine = QImage(dimensione, QImage::Format_RGB32);
      f.painter = std::make_unique<QPainter>(&f.immagine);
    }
    f.painter->resetTransform();
    f.painter->scale(fattore, fattore);
    // A new surface for each picture: its view is this drawing's, its current point (0, 0).
    f.superficie = std::make_unique<SuperficieQt>("picPrint", *f.painter, QRectF(v.x, v.y, v.larghezza, v.altezza),
                                                  QRectF(0, 0, larghezzaPx, altezzaPx), LarghezzaStampa,
                                                  AltezzaStampa, AltezzaStampa, ColoreBianco);
    f.immagine.fill(Qt::white);
    DisegnaFiguraSchema(*f.superficie, piano);
  };
  disegna(piano.finestra);
  // The labels are placed once the drawing is whole, clear of it and of one another, and may end
  // beyond what the measuring surface saw: the picture then grows to hold them, at the same scale.
  const QRectF segnato = f.superficie->Estensione();
  const FinestraFigura& v = piano.finestra;
  if (!segnato.isNull() && !QRectF(v.x, v.y, v.larghezza, v.altezza).contains(segnato)) {
    const double margine = MarginePixelFigura / metrica.pixelPerUnita;
    const QRectF tutto = segnato.united(QRectF(v.x + margine, v.y + margine, v.larghezza - 2 * margine,
                                               v.altezza - 2 * margine));
    disegna(FinestraDelDisegno(tutto.left(), tutto.top(), tutto.right(), tutto.bottom(), LarghezzaStampa,
                               AltezzaStampa, margine));
  }
  QImage copia = f.immagine.copy();
  const std::vector<QRectF> blocchiDisegnati = f.superficie->BlocchiEtichette();
  const MisuraEtichette misuraEtichette = f.superficie->Misura();
  // The next save starts from an empty picture.
  f.immagine.fill(Qt::white);
  // The picture ends a little beyond the drawing: a small network is not a small drawing in the
  // corner of a blank picture the report then shows at the page's width.
  QRect disegnato;
  const QRgb bianco = QColor(Qt::white).rgb();
  for (int y = 0; y < copia.height(); ++y) {
    const QRgb* riga = reinterpret_cast<const QRgb*>(copia.constScanLine(y));
    for (int x = 0; x < copia.width(); ++x)
      if ((riga[x] & 0xFFFFFF) != (bianco & 0xFFFFFF)) disegnato |= QRect(x, y, 1, 1);
  }
  QRect ritaglio = copia.rect();
  if (!disegnato.isEmpty()) {
    const int margine = static_cast<int>(std::lround(MarginePixelFigura * fattore));
    ritaglio = disegnato.adjusted(-margine, -margine, margine, margine).intersected(copia.rect());
    copia = copia.copy(ritaglio);
  }
  const double pixelPerUnita = metrica.pixelPerUnita * fattore;
  // Each label block on the cropped picture, as fractions of it; a block reaching past the
  // picture's edge keeps the part the picture holds.
  auto blocchiRelativi = [&](const QImage& figuraRitagliata) {
    std::vector<QRectF> relativi;
    const QRectF figura(0, 0, 1, 1);
    for (const QRectF& b : blocchiDisegnati) {
      const QRectF px((b.left() - disegnata.x) * pixelPerUnita - ritaglio.left(),
                      (b.top() - disegnata.y) * pixelPerUnita - ritaglio.top(), b.width() * pixelPerUnita,
                      b.height() * pixelPerUnita);
      const QRectF relativo(px.left() / figuraRitagliata.width(), px.top() / figuraRitagliata.height(),
                            px.width() / figuraRitagliata.width(), px.height() / figuraRitagliata.height());
      if (relativo.intersects(figura)) relativi.push_back(relativo.intersected(figura));
    }
    return relativi;
  };
  if (blocchi) *blocchi = blocchiRelativi(copia);
  const QSizeF relativa(copia.width() / pixelPerUnita / LarghezzaStampa, copia.height() / pixelPerUnita / AltezzaStampa);
  if (misuraRelativa) *misuraRelativa = relativa;
  if (!dividi) return {copia};
  const std::vector<QRectF> parti = dividi(relativa, blocchiRelativi(copia), misuraEtichette);
  std::vector<QImage> pezzi;
  pezzi.reserve(parti.size());
  for (const QRectF& parte : parti) {
    const QRect px = QRectF(parte.x() * copia.width(), parte.y() * copia.height(), parte.width() * copia.width(),
                            parte.height() * copia.height())
                         .toAlignedRect()
                         .intersected(copia.rect());
    if (parti.size() == 1) {
      pezzi.push_back(copia.copy(px));
      continue;
    }
    // A piece of several: drawn again with only the labels it holds whole, so that the edge of a
    // piece never cuts a label into a fragment; the grid of pieces holds each one whole on another.
    // The painter works in the picture's own pixels, before its scale to the sharp picture.
    const QRect suFigura = px.translated(ritaglio.topLeft());
    f.immagine.fill(Qt::white);
    f.superficie = std::make_unique<SuperficieQt>(
        "picPrint", *f.painter, QRectF(disegnata.x, disegnata.y, disegnata.larghezza, disegnata.altezza),
        QRectF(0, 0, disegnata.larghezza * metrica.pixelPerUnita, disegnata.altezza * metrica.pixelPerUnita),
        LarghezzaStampa, AltezzaStampa, AltezzaStampa, ColoreBianco);
    f.superficie->SoloEtichetteIntereIn(QRectF(suFigura.left() / fattore, suFigura.top() / fattore,
                                               suFigura.width() / fattore, suFigura.height() / fattore));
    DisegnaFiguraSchema(*f.superficie, piano);
    pezzi.push_back(f.immagine.copy(suFigura));
  }
  f.immagine.fill(Qt::white);
  return pezzi;
}

QSizeF SaveSchema(const std::string& nameFile) {
  QSizeF misuraRelativa(1, 1);
  SalvaImmagineSchema(ImmagineSchema(&misuraRelativa), nameFile);
  return misuraRelativa;
}

void SalvaImmagineSchema(QImage immagine, const std::string& nameFile) {
  // A large picture of few colours keeps a file of reasonable size: its colours to the nearest of
  // a palette, without the dots of a dithering.
  if (immagine.width() * immagine.height() > 4 * standardArea())
    immagine = immagine.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  // The picture replaces an existing one only once it is written whole, the way every file of the
  // program is saved; deleting the old one first would lose it when the write fails.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !immagine.save(&buffer, "BMP"))
    throw std::runtime_error("Impossibile scrivere il file " + nameFile);
  ErroreSalvataggio errore;
  if (!WriteBytesAtomic(nameFile, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), &errore))
    throw std::runtime_error(errore.Testo);
}

// ---- The canvas ----------------------------------------------------------------------------

CanvasSchema::CanvasSchema() = default;

CanvasSchema::~CanvasSchema() {
  superficie_.reset();
  painter_.reset();
  if (SchemaRete() == this) ImpostaSchemaRete(nullptr);
  if (EditorSchema() == this) ImpostaEditorSchema(nullptr);
  if (installato == this) installato = nullptr;
}

void CanvasSchema::Aggancia(GasGrid& g) {
  if (gasGrid_ == &g) return;
  gasGrid_ = &g;
  picDisplay_ = g.picDisplay;
  QWidget* c = g.picDisplay;
  c->installEventFilter(this);
  c->setMouseTracking(true);
  c->setAcceptDrops(true);
  c->setFocusPolicy(Qt::ClickFocus);
  c->setAttribute(Qt::WA_OpaquePaintEvent, true);
  const std::pair<QLabel*, const char*> palette[] = {{g.picTronco, "TRONCO"},
                                                     {g.picCaldaia, "CALDAIA"},
                                                     {g.picBruciatore, "BRUCIATORE"},
                                                     {g.picConvettore, "CONVETTORE"},
                                                     {g.picFornello, "FORNELLO"}};
  for (const auto& [figura, tag] : palette) {
    figura->setProperty("Tag", QString::fromLatin1(tag));
    figura->installEventFilter(this);
  }
}

void CanvasSchema::SganciaEditor(QWidget& finestra) {
  if (static_cast<QObject*>(gasGrid_.data()) != &finestra) return;
  GasGrid& g = *gasGrid_;
  for (QWidget* w : std::initializer_list<QWidget*>{g.picDisplay, g.picTronco, g.picCaldaia, g.picBruciatore,
                                                    g.picConvettore, g.picFornello})
    w->removeEventFilter(this);
  gasGrid_ = nullptr;
  picDisplay_ = nullptr;
}

QRectF CanvasSchema::Finestra() const {
  GasGrid* g = gasGrid_.data();
  QWidget* c = picDisplay_.data();
  if (!g || !c || c->width() <= 0) return {0, 0, 11000, 6170};
  // One unit per pixel on both axes: the canvas's height follows from its width.
  const double unitaPerPixel = g->ScalaLarghezza / c->width();
  return {g->ScalaSinistra, g->ScalaAlto, g->ScalaLarghezza, c->height() * unitaPerPixel};
}

QPointF CanvasSchema::InUnita(const QPointF& pixel) const {
  const QRectF f = Finestra();
  QWidget* c = picDisplay_.data();
  if (!c || c->width() <= 0 || c->height() <= 0) return pixel;
  return {f.left() + pixel.x() * f.width() / c->width(), f.top() + pixel.y() * f.height() / c->height()};
}

void CanvasSchema::DrawSchema(QWidget& picDisplay, int16_t modo, const std::string& font, int16_t dimensione) {
  if (GasGrid* g = GasGridCaricato(); g && g->picDisplay == &picDisplay) Aggancia(*g);
  const QSize dimensioni(std::max(1, picDisplay.width()), std::max(1, picDisplay.height()));
  superficie_.reset();
  if (immagine_.size() != dimensioni) {
    painter_.reset();
    immagine_ = QImage(dimensioni, QImage::Format_RGB32);
    immagine_.fill(Qt::black);
  }
  if (!painter_) painter_ = std::make_unique<QPainter>(&immagine_);
  const QRectF f = Finestra();
  superficie_ = std::make_unique<SuperficieQt>("picDisplay", *painter_, f, QRectF(immagine_.rect()),
                                               Twips(picDisplay.width()), Twips(picDisplay.height()), f.height(),
                                               ColoreNero);
  ++LavoroEditor().Schemi;
  varnex::DrawSchema(*superficie_, modo, font, dimensione);
  AdattaBarre();
  Aggiorna();
}

namespace {
// A canvas scroll bar shows from (value - maximum / 2) x 10 on. Its maximum grows, when needed,
// until both ends of the drawing (`minimo`, `massimo`, with `vista` units in view) can be
// brought into view; the value follows so that the view stays where it is.
void AmpliaBarra(QScrollBar* barra, double inizioVista, double minimo, double massimo, double vista) {
  if (!barra) return;
  const double necessario = std::max(-minimo / 5, (massimo - vista) / 5);
  if (!(necessario > barra->maximum())) return;
  const int massimoNuovo = static_cast<int>(std::min(std::ceil(necessario), 1e9));
  const QSignalBlocker blocco(barra);
  barra->setMaximum(massimoNuovo);
  barra->setValue(static_cast<int>(std::lround(inizioVista / 10 + massimoNuovo / 2.0)));
  barra->setPageStep(std::max(1, massimoNuovo / 10));
  barra->setSingleStep(std::max(1, massimoNuovo / 40));
}
}  // namespace

void CanvasSchema::AdattaBarre() {
  GasGrid* g = gasGrid_.data();
  if (!g || !superficie_) return;
  const QRectF d = superficie_->Estensione();
  if (d.isNull()) return;
  // Some room around the drawing, so that nothing ends right at the canvas's edge.
  constexpr double Margine = 300;
  const QRectF f = Finestra();
  AmpliaBarra(g->VpicScroll, g->ScalaAlto, d.top() - Margine, d.bottom() + Margine, f.height());
  AmpliaBarra(g->HpicScroll, g->ScalaSinistra, d.left() - Margine, d.right() + Margine, f.width());
}

int16_t CanvasSchema::GetSelectedTronco() const { return varnex::GetSelectedTronco(); }

void CanvasSchema::ChiudiSuperficie() {
  superficie_.reset();
  painter_.reset();
}

void CanvasSchema::Aggiorna() {
  if (picDisplay_) picDisplay_->update();
}

int16_t CanvasSchema::ScaleFactor() { return CaricaGasGrid().ScaleFactor; }

void CanvasSchema::Elaborazione() {
  CaricaGasGrid().Elaborazione();
  Aggiorna();
}

void CanvasSchema::ApriDialogoTronco(int16_t seg) {
  GasGrid& g = CaricaGasGrid();
  if (seg >= 1 && seg < g.Grid->Rows()) g.Grid->SetRowCol(seg, std::max<int16_t>(1, g.Grid->Col()));
  ApriParametriTronco(seg);
  DoEvents();
  DoEvents();
}

EsitoPortata CanvasSchema::DialogoPortata(bool cucina, int16_t seg, float portata) {
  EsitoPortata esito;
  if (cucina) {
    frmCportata dialogo;
    dialogo.SetDati(seg, portata);
    MostraModale(dialogo);
    esito = {dialogo.Done, dialogo.Portata, dialogo.Tipologia, dialogo.Composizione};
  } else {
    frmPortata dialogo;
    dialogo.SetDati(seg, portata);
    MostraModale(dialogo);
    esito = {dialogo.Done, dialogo.Portata, dialogo.Tipologia, std::to_string(dialogo.Composizione)};
  }
  return esito;
}

namespace {
// The editor's delete command for one segment, once the editor carries it.
template <class G>
void CancellaDaEditor(G& g, int16_t seg) {
  if constexpr (requires { g.DeleteTronco(seg); }) g.DeleteTronco(seg);
}
}  // namespace

void CanvasSchema::DeleteTronco(int16_t seg) { CancellaDaEditor(CaricaGasGrid(), seg); }

void CanvasSchema::RidisegnaCanvas() {
  if (GasGrid* g = GasGridCaricato()) DrawSchema(*g->picDisplay, 2, "Arial", 7);
}

int32_t CanvasSchema::LarghezzaSchermo() { return SchermoTwips().width(); }
int32_t CanvasSchema::AltezzaSchermo() { return SchermoTwips().height(); }

void CanvasSchema::ImpostaPuntatore(int16_t forma) {
  Puntatore = forma;
  if (!picDisplay_) return;
  switch (forma) {
    case 5: picDisplay_->setCursor(Qt::SizeAllCursor); break;
    case 6: picDisplay_->setCursor(Qt::SizeBDiagCursor); break;
    case 7: picDisplay_->setCursor(Qt::SizeVerCursor); break;
    case 8: picDisplay_->setCursor(Qt::SizeFDiagCursor); break;
    case 9: picDisplay_->setCursor(Qt::SizeHorCursor); break;
    case 12: picDisplay_->setCursor(Qt::ForbiddenCursor); break;
    default: picDisplay_->unsetCursor(); break;
  }
}

void CanvasSchema::picDisplay_MouseMove(double x, double y) {
  PuntatoreX = Arrotonda32(x);
  PuntatoreY = Arrotonda32(y);
  if (EstremoTrascinato < 1) {
    const int16_t seg = HitEndHandle(PuntatoreX, PuntatoreY, DirezioneEstremo);
    if (seg < 1) {
      ImpostaPuntatore(0);
      EstremoSottoPuntatore = 0;
      return;
    }
    const std::string& d = DirezioneEstremo;
    if (!d.empty() && (d[0] == 'L' || d[0] == 'R')) ImpostaPuntatore(9);
    else if (d == "D" || d == "U") ImpostaPuntatore(7);
    else if (d == "DL" || d == "UR") ImpostaPuntatore(6);
    else if (d == "DR" || d == "UL") ImpostaPuntatore(8);
    else ImpostaPuntatore(7);
    EstremoSottoPuntatore = seg;
    return;
  }
  ImpostaPuntatore(5);
  const QRectF f = Finestra();
  if (!estremoInMovimento_) {
    // The hand's tremble during a click is no drag.
    QWidget* c = picDisplay_.data();
    const double unitaPerPixel = c && c->width() > 0 ? f.width() / c->width() : 1;
    const double soglia = QApplication::startDragDistance() * unitaPerPixel;
    if (std::hypot(PuntatoreX - pressioneEstremo_.x(), PuntatoreY - pressioneEstremo_.y()) < soglia) return;
    estremoInMovimento_ = true;
  }
  double px = PuntatoreX, py = PuntatoreY;
  if (f.top() > py) py = f.top(), ImpostaPuntatore(12);
  if (f.left() > px) px = f.left(), ImpostaPuntatore(12);
  if (f.width() + f.left() < px) px = f.width() + f.left(), ImpostaPuntatore(12);
  if (f.height() + f.top() < py) py = f.height() + f.top(), ImpostaPuntatore(12);
  PuntatoreX = Arrotonda32(px);
  PuntatoreY = Arrotonda32(py);
  DragEndHandle(EstremoTrascinato, PuntatoreX, PuntatoreY, DirezioneEstremo);
  Aggiorna();
}

void CanvasSchema::picDisplay_MouseDown(Qt::MouseButton bottone) {
  if (bottone == Qt::LeftButton && EstremoSottoPuntatore > 0) {
    EstremoTrascinato = EstremoSottoPuntatore;
    pressioneEstremo_ = QPointF(PuntatoreX, PuntatoreY);
    estremoInMovimento_ = false;
  }
}

void CanvasSchema::picDisplay_MouseUp(Qt::MouseButton bottone) {
  if (bottone == Qt::LeftButton && EstremoTrascinato > 0) {
    ApplyEndHandleDrag(EstremoTrascinato, PuntatoreX, PuntatoreY, DirezioneEstremo);
    EstremoTrascinato = 0;
    Aggiorna();
  }
}

void CanvasSchema::picDisplay_Click() {
  SchemaClick(PuntatoreX, PuntatoreY);
  Aggiorna();
}

void CanvasSchema::picDisplay_DblClick() {
  try {
    SchemaDblClick(PuntatoreX, PuntatoreY);
  } catch (const std::exception& e) {
    MostraErrore(e);
  }
  Aggiorna();
}

namespace {
// Every slot is taken: a drop, of a segment or of an appliance, is refused. A slot a delete left
// blank takes a new segment, as a blank row of the table does.
bool ReteAlCompleto() { return !PostoPerNuovoTronco(); }
}  // namespace

void CanvasSchema::picDisplay_DragOver(const std::string& tag, double, double, int16_t stato) {
  if (stato == 0) {
    // A full network takes no drop: no target is offered where nothing can be added.
    if (ReteAlCompleto()) return;
    if (tag == "TRONCO") ShowTroncoTargets();
    else if (tag == "CALDAIA" || tag == "BRUCIATORE" || tag == "CONVETTORE" || tag == "FORNELLO") ShowUtenzaTargets();
    Aggiorna();
  } else if (stato == 1) {
    RidisegnaCanvas();
  }
}

void CanvasSchema::picDisplay_DragDrop(const std::string& tag, double x, double y) {
  try {
    if (!ReteAlCompleto()) SchemaDragDrop(Arrotonda32(x), Arrotonda32(y), tag);
    else MsgBox("Raggiunto il massimo numero di tronchi.");
  } catch (const std::exception& e) {
    MostraErrore(e);
  }
  Aggiorna();
}

void CanvasSchema::picDisplay_KeyDown(int keyCode) {
  if (keyCode != 46) return;
  const int16_t seg = GetSelectedTronco();
  if (seg == 0) return;
  DeleteTronco(seg);
  RidisegnaCanvas();
}

bool CanvasSchema::eventFilter(QObject* oggetto, QEvent* evento) {
  // The palette: a press starts the drag of the item's tag, with its picture as the drag icon.
  if (auto* figura = qobject_cast<QLabel*>(oggetto); figura && oggetto != picDisplay_.data()) {
    if (evento->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton && figura->isEnabled()) {
      auto* drag = new QDrag(figura);
      auto* dati = new QMimeData;
      dati->setData(QString::fromLatin1(MimeTag), figura->property("Tag").toString().toLatin1());
      drag->setMimeData(dati);
      drag->setPixmap(figura->pixmap());
      drag->exec(Qt::CopyAction);
      return true;
    }
    return false;
  }
  if (oggetto != picDisplay_.data()) return false;
  switch (evento->type()) {
    case QEvent::Paint: {
      QPainter p(picDisplay_);
      p.fillRect(picDisplay_->rect(), Qt::black);
      p.drawImage(QPoint(0, 0), immagine_);
      return true;
    }
    case QEvent::MouseMove: {
      const QPointF u = InUnita(static_cast<QMouseEvent*>(evento)->position());
      picDisplay_MouseMove(u.x(), u.y());
      return true;
    }
    case QEvent::MouseButtonPress:
      picDisplay_MouseDown(static_cast<QMouseEvent*>(evento)->button());
      return false;
    case QEvent::MouseButtonRelease: {
      const Qt::MouseButton b = static_cast<QMouseEvent*>(evento)->button();
      picDisplay_MouseUp(b);
      if (b == Qt::LeftButton) picDisplay_Click();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      picDisplay_DblClick();
      return true;
    case QEvent::DragEnter: {
      auto* e = static_cast<QDragEnterEvent*>(evento);
      const std::string tag = TagSorgente(e->mimeData());
      if (tag.empty()) return false;
      e->acceptProposedAction();
      const QPointF u = InUnita(e->position());
      picDisplay_DragOver(tag, u.x(), u.y(), 0);
      return true;
    }
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(evento);
      if (TagSorgente(e->mimeData()).empty()) return false;
      e->acceptProposedAction();
      return true;
    }
    case QEvent::DragLeave:
      picDisplay_DragOver({}, 0, 0, 1);
      return true;
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(evento);
      const std::string tag = TagSorgente(e->mimeData());
      if (tag.empty()) return false;
      e->acceptProposedAction();
      const QPointF u = InUnita(e->position());
      picDisplay_DragDrop(tag, u.x(), u.y());
      return true;
    }
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(evento);
      if (k->key() == Qt::Key_Delete) {
        picDisplay_KeyDown(46);
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

CanvasSchema& InstallaSchemaRete() {
  if (!installato) {
    installato = new CanvasSchema;
    installato->setParent(qApp);
    qAddPostRoutine(ChiudiPittori);
  }
  ImpostaSchemaRete(installato);
  ImpostaEditorSchema(installato);
  return *installato;
}

CanvasSchema* SchemaInstallato() { return installato; }

}  // namespace varnex::ui
