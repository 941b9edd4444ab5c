#include "schema/ui/superficie_qt.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainterPath>
#include <QPolygonF>
#include <QStaticText>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "model/rete.h"
#include "schema/disegno.h"
#include "shell/ui/services.h"
#include "shell/ui/toolbar_pictures.h"
#include "shell/ui/units.h"

namespace varnex::ui {

namespace {

// An arrow pointing right, turned to the direction (1 U, 2 L, 3 D, 4 R, 5 UL, 6 DL, 7 DR, 8 UR), in
// the picture's own 32 x 32 units.
void Freccia(QPainter& g, int16_t direzione) {
  g.save();
  static const double gradi[9] = {0, -90, 180, 90, 0, -135, 135, 45, -45};
  const double a = (direzione >= 1 && direzione <= 8) ? gradi[direzione] : 0;
  g.translate(16, 16);
  g.rotate(a);
  const QPolygonF freccia({QPointF(-13, -4), QPointF(3, -4), QPointF(3, -11), QPointF(14, 0), QPointF(3, 11),
                           QPointF(3, 4), QPointF(-13, 4)});
  g.setPen(QPen(QColor(40, 40, 0), 1.2));
  g.setBrush(QColor(255, 220, 0));
  g.drawPolygon(freccia);
  g.restore();
}

// The gas source: a meter whose outlet leaves at the right edge, one eighth down the picture;
// each orientation turns the meter's body a quarter. In the picture's own 32 x 32 units.
void Sorgente(QPainter& g, int orientamento) {
  g.save();
  // Outlet pipe to the connection point.
  g.setPen(QPen(QColor(120, 120, 120), 2));
  g.drawLine(QPointF(22, 4), QPointF(32, 4));
  g.save();
  g.translate(14, 17);
  g.rotate(90.0 * orientamento);
  g.setPen(QPen(QColor(20, 20, 20), 1));
  g.setBrush(QColor(225, 225, 195));
  g.drawRect(QRectF(-10, -10, 20, 20));
  g.setBrush(Qt::white);
  g.drawRect(QRectF(-7, -6, 14, 6));
  g.setPen(QPen(QColor(180, 0, 0), 2));
  g.drawLine(QPointF(0, 3), QPointF(0, 9));
  g.restore();
  g.setPen(QPen(QColor(20, 20, 20), 1));
  g.drawLine(QPointF(22, 4), QPointF(22, 8));
  g.restore();
}

// Any schema picture in its own 32 x 32 units.
void DisegnaFigura(QPainter& g, FiguraSchema figura) {
  switch (figura) {
    case FiguraSchema::Sorgente0: Sorgente(g, 0); return;
    case FiguraSchema::Sorgente1: Sorgente(g, 1); return;
    case FiguraSchema::Sorgente2: Sorgente(g, 2); return;
    case FiguraSchema::Sorgente3: Sorgente(g, 3); return;
    case FiguraSchema::Fornello: DisegnaComponente(g, FiguraPalette::Fornello); return;
    case FiguraSchema::Caldaia:
      // The boiler picture of the palette, which shows the generic user in a pressurised network.
      DisegnaComponente(g, ReteInPressione != 0 ? FiguraPalette::UtenzaPressione : FiguraPalette::Caldaia);
      return;
    case FiguraSchema::Bruciatore: DisegnaComponente(g, FiguraPalette::Bruciatore); return;
    case FiguraSchema::Convettore: DisegnaComponente(g, FiguraPalette::Convettore); return;
    default:
      Freccia(g, static_cast<int16_t>(static_cast<int16_t>(figura) - static_cast<int16_t>(FiguraSchema::FrecciaU) + 1));
      return;
  }
}

QColor Colore(int32_t c) { return ColoreVB(c); }

// Labels already laid out, by font, device resolution and text: a redrawn schema writes the same
// labels again. Emptied when it grows large.
QHash<QString, QStaticText>& TestiPreparati() {
  static QHash<QString, QStaticText> testi;
  return testi;
}

// Widths already measured, by font, device resolution and text: every drawing of the schema
// measures the same labels again. Emptied when it grows large.
QHash<QString, qreal>& LarghezzeMisurate() {
  static QHash<QString, qreal> larghezze;
  return larghezze;
}

}  // namespace

QPixmap FiguraSchemaPixmap(FiguraSchema figura, int lato) {
  QPixmap p(lato, lato);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.scale(lato / 32.0, lato / 32.0);
  DisegnaFigura(g, figura);
  return p;
}

SuperficieQt::SuperficieQt(std::string nome, QPainter& painter, QRectF finestra, QRectF dispositivo,
                           double larghezza, double altezza, double scaleHeight, int32_t sfondo)
    : nome_(std::move(nome)),
      p_(painter),
      finestra_(finestra),
      dispositivo_(dispositivo),
      larghezza_(larghezza),
      altezza_(altezza),
      scaleHeight_(scaleHeight),
      sfondo_(sfondo) {
  if (finestra_.width() != 0) sx_ = dispositivo_.width() / finestra_.width();
  if (finestra_.height() != 0) sy_ = dispositivo_.height() / finestra_.height();
  carta_ = nome_ != "picDisplay";
  // Every surface, the canvas included, places its labels once the drawing is whole: the first
  // picture a user sees reads as the paper does. Only the labels move; what is clicked (the
  // regions) and what the drawing writes back stay where the layout puts them.
  rinvia_ = true;
  font_ = QFont(QStringLiteral("Arial"));
  font_.setPointSizeF(8);
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setRenderHint(QPainter::TextAntialiasing, true);
}

SuperficieQt::~SuperficieQt() {
  DimenticaSuperficie(this);
}

QPointF SuperficieQt::Dispositivo(double x, double y) const {
  return {dispositivo_.left() + (x - finestra_.left()) * sx_, dispositivo_.top() + (y - finestra_.top()) * sy_};
}

void SuperficieQt::Cls() {
  p_.fillRect(dispositivo_, Colore(sfondo_));
  x_ = y_ = 0;
  estensione_ = QRectF();
  blocchi_.clear();
  ostacoli_.clear();
  bloccoAperto_ = false;
}

void SuperficieQt::Estendi(double x1, double y1, double x2, double y2) {
  const QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
  // A rectangle of no width still counts: united as a tiny one.
  const QRectF segnato(r.topLeft(), QSizeF(std::max(r.width(), 1e-6), std::max(r.height(), 1e-6)));
  estensione_ = estensione_.isNull() ? segnato : estensione_.united(segnato);
}

void SuperficieQt::SetFontName(const std::string& nome) {
  const QString famiglia = QS(nome);
  if (font_.family() == famiglia) return;
  font_.setFamily(famiglia);
  metriche_.reset();
}

void SuperficieQt::ScalaCaratteri(double fattore) {
  scalaCaratteri_ = fattore > 0 ? fattore : 1;
  metriche_.reset();
}

void SuperficieQt::SetFontSize(int16_t dimensione) {
  const qreal punti = (dimensione > 0 ? dimensione : 1) * scalaCaratteri_;
  if (font_.pointSizeF() == punti) return;
  font_.setPointSizeF(punti);
  metriche_.reset();
}

const QFontMetricsF& SuperficieQt::Metriche() const {
  if (!metriche_) {
    const QPaintDevice* d = p_.device();
    if (scalaCaratteri_ != 1) {
      // Type drawn to another size than its own is measured at its own size at a printer's
      // resolution, and scaled: in exact proportion, as the paper it stands for measures it, not
      // fitted to the few pixels of a small size.
      static const QImage riferimento = [] {
        QImage r(1, 1, QImage::Format_RGB32);
        const int puntiPerMetro = qRound(RisoluzioneMetriche / 0.0254);
        r.setDotsPerMeterX(puntiPerMetro);
        r.setDotsPerMeterY(puntiPerMetro);
        return r;
      }();
      QFont proprio = font_;
      proprio.setPointSizeF(font_.pointSizeF() / scalaCaratteri_);
      metriche_.emplace(proprio, &riferimento);
      fattoreMetriche_ = scalaCaratteri_ * (d ? d->logicalDpiY() : 96) / RisoluzioneMetriche;
      chiaveFont_ = proprio.key() + QStringLiteral("|rif|");
    } else {
      metriche_.emplace(font_, d);
      fattoreMetriche_ = 1;
      chiaveFont_ = font_.key() + QLatin1Char('|') + QString::number(d ? d->logicalDpiX() : 0) + QLatin1Char('|');
    }
  }
  return *metriche_;
}

qreal SuperficieQt::LarghezzaPixel(const QString& testo) const {
  const QFontMetricsF& fm = Metriche();
  QHash<QString, qreal>& larghezze = LarghezzeMisurate();
  const QString chiave = chiaveFont_ + testo;
  const auto trovata = larghezze.constFind(chiave);
  if (trovata != larghezze.constEnd()) return *trovata * fattoreMetriche_;
  if (larghezze.size() > 20000) larghezze.clear();
  const qreal l = fm.horizontalAdvance(testo);
  larghezze.insert(chiave, l);
  return l * fattoreMetriche_;
}

double SuperficieQt::TextWidth(const std::string& testo) const {
  return sx_ != 0 ? LarghezzaPixel(QS(testo)) / sx_ : 0;
}

double SuperficieQt::TextHeight(const std::string& /*testo*/) const {
  const QFontMetricsF& fm = Metriche();
  return sy_ != 0 ? fm.height() * fattoreMetriche_ / sy_ : 0;
}

void SuperficieQt::Scrivi(const QPointF& a, const QString& t, const QString& chiave, const QFont& font,
                          int32_t colore, bool trasparente) {
  p_.save();
  p_.setFont(font);
  if (!trasparente) {
    const QFontMetricsF fm(font, p_.device());
    p_.fillRect(QRectF(a, QSizeF(fm.horizontalAdvance(t), fm.height())), Colore(sfondo_));
  }
  p_.setPen(Colore(colore));
  QHash<QString, QStaticText>& testi = TestiPreparati();
  auto trovato = testi.find(chiave);
  if (trovato == testi.end()) {
    if (testi.size() > 20000) testi.clear();
    QStaticText preparato(t);
    preparato.setTextFormat(Qt::PlainText);
    preparato.prepare(p_.transform(), font);
    trovato = testi.insert(chiave, preparato);
  }
  p_.drawStaticText(a, *trovato);
  p_.restore();
}

void SuperficieQt::Print(const std::string& testo) {
  const QString t = QS(testo);
  const QFontMetricsF& fm = Metriche();
  const double larghezza = TextWidth(testo), altezza = TextHeight(testo);
  if (rinvia_ && !t.trimmed().isEmpty()) {
    // The box starts at the first mark: the leading space of " 12" keeps the label off its
    // segment and is no part of it. The glyphs cover from the top of the capitals to a little
    // below the baseline (a comma, a slash).
    qsizetype spazi = 0;
    while (spazi < t.size() && t.at(spazi).isSpace()) ++spazi;
    qsizetype fine = t.size();
    while (fine > spazi && t.at(fine - 1).isSpace()) --fine;
    const double inizio = sx_ != 0 ? LarghezzaPixel(t.left(spazi)) / sx_ : 0;
    const double termine = sx_ != 0 ? LarghezzaPixel(t.left(fine)) / sx_ : 0;
    const double alto = sy_ != 0 ? (fm.ascent() - fm.capHeight()) * fattoreMetriche_ / sy_ : 0;
    const double basso = sy_ != 0 ? (fm.ascent() + fm.descent() / 2) * fattoreMetriche_ / sy_ : 0;
    TestoRinviato r;
    r.x = x_, r.y = y_;
    r.testo = t;
    r.chiave = chiaveFont_ + t;
    r.font = font_;
    r.colore = foreColor_;
    r.trasparente = trasparente_;
    r.scatola = {x_ + inizio, y_, x_ + termine, y_ + altezza};
    r.inchiostro = {x_ + inizio, y_ + alto, x_ + termine, y_ + basso};
    r.larghezza = larghezza, r.altezza = altezza;
    // A text outside a block is a block of its own, naming its own place.
    if (!bloccoAperto_ || blocchi_.empty())
      blocchi_.push_back({(r.scatola.x1 + r.scatola.x2) / 2, (r.scatola.y1 + r.scatola.y2) / 2, {}, std::nullopt});
    blocchi_.back().righe.push_back(std::move(r));
  } else if (!rinvia_) {
    Scrivi(Dispositivo(x_, y_), t, chiaveFont_ + t, font_, foreColor_, trasparente_);
    if (!t.isEmpty()) Estendi(x_, y_, x_ + larghezza, y_ + altezza);
  }
  x_ = finestra_.left();
  y_ += altezza;
}

void SuperficieQt::InizioEtichetta(double x, double y) {
  if (!rinvia_) return;
  blocchi_.push_back({x, y, {}, std::nullopt});
  bloccoAperto_ = true;
}

void SuperficieQt::InizioEtichettaTubo(double x1, double y1, double x2, double y2) {
  if (!rinvia_) return;
  blocchi_.push_back({(x1 + x2) / 2, (y1 + y2) / 2, {}, Riquadro{x1, y1, x2, y2}});
  bloccoAperto_ = true;
}

void SuperficieQt::Ostacola(double x1, double y1, double x2, double y2, bool linea, bool simbolo) {
  if (!rinvia_) return;
  ostacoli_.push_back({{x1, y1, x2, y2}, linea, simbolo});
}

namespace {
MisuraEtichette misuraUltimaCarta;
double rigaUltimaCartaMm = 0;
}  // namespace

const MisuraEtichette& SuperficieQt::MisuraUltimaCarta() { return misuraUltimaCarta; }
double SuperficieQt::RigaUltimaCartaMm() { return rigaUltimaCartaMm; }

void SuperficieQt::SeparaRighe(Blocco& b) {
  // The layout writes the two lines of a diagonal segment less than a line apart: each line that
  // lies on one before it in its block goes just above or below it, on the side it leans to.
  for (size_t i = 1; i < b.righe.size(); ++i) {
    TestoRinviato& r = b.righe[i];
    for (size_t j = 0; j < i; ++j) {
      const TestoRinviato& prima = b.righe[j];
      if (!r.scatola.Incontra(prima.scatola)) continue;
      const double dy = r.y < prima.y ? prima.scatola.y1 - r.scatola.y2 : prima.scatola.y2 - r.scatola.y1;
      r.y += dy;
      r.scatola = r.scatola.Spostato(0, dy);
      r.inchiostro = r.inchiostro.Spostato(0, dy);
    }
  }
}

void SuperficieQt::FineDisegno() {
  bloccoAperto_ = false;
  if (!rinvia_) return;
  piazzate_.clear();
  double riga = 0;
  for (const Blocco& b : blocchi_)
    for (const TestoRinviato& r : b.righe) riga = std::max(riga, r.altezza);
  PiazzamentoEtichette piazzamento(riga);
  for (const Ostacolo& o : ostacoli_) {
    if (o.linea) piazzamento.OstacoloLinea(o.r.x1, o.r.y1, o.r.x2, o.r.y2);
    else if (o.simbolo) piazzamento.OstacoloSimbolo(o.r);
    else piazzamento.OstacoloRiquadro(o.r);
  }
  std::vector<PiazzamentoEtichette::Riga> righe;
  std::vector<PiazzamentoEtichette::Esito> esiti;
  esiti.reserve(blocchi_.size());
  for (Blocco& b : blocchi_) {
    SeparaRighe(b);
    righe.clear();
    for (const TestoRinviato& r : b.righe) righe.push_back({r.scatola, r.inchiostro});
    esiti.push_back(righe.empty() ? PiazzamentoEtichette::Esito{} : piazzamento.Piazza(righe, b.x, b.y, b.tubo));
  }
  // Leaders that cross: their blocks change places where that uncrosses them.
  {
    const std::vector<PiazzamentoEtichette::Esito> districati = piazzamento.Districa();
    size_t n = 0;
    for (size_t k = 0; k < blocchi_.size() && n < districati.size(); ++k)
      if (!blocchi_[k].righe.empty()) esiti[k] = districati[n++];
  }
  // The leaders first, thin and grey: they tell which thing a label names. Where a crowded spot
  // leaves a leader no way but across another label, that label's glyphs stay clear of it.
  // Each block where it was placed, and which blocks this sheet leaves out.
  blocchiPiazzati_.clear();
  std::vector<bool> fuori(blocchi_.size(), false);
  for (size_t k = 0; k < blocchi_.size(); ++k) {
    QRectF blocco;
    for (const TestoRinviato& r : blocchi_[k].righe) {
      const Riquadro s = r.scatola.Spostato(esiti[k].dx, esiti[k].dy);
      blocco |= QRectF(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2)).normalized();
    }
    if (!blocco.isNull()) blocchiPiazzati_.push_back(blocco);
    if (soloIntereIn_ && !blocco.isNull())
      fuori[k] = !soloIntereIn_->adjusted(-0.5, -0.5, 0.5, 0.5)
                      .contains(QRectF(Dispositivo(blocco.left(), blocco.top()), Dispositivo(blocco.right(), blocco.bottom()))
                                    .normalized());
  }
  p_.save();
  // Dark grey on paper, light on the canvas's black: a leader a printer prints, lighter than the
  // pipes it must not be taken for.
  QPen penna(QColor(sfondo_ == ColoreNero ? QColor(170, 170, 170) : QColor(96, 96, 96)));
  penna.setCosmetic(true);
  penna.setWidthF(LarghezzaTratto(SpessoreMinimoTrattoPunti));
  p_.setPen(penna);
  for (size_t k = 0; k < esiti.size(); ++k) {
    const PiazzamentoEtichette::Esito& esito = esiti[k];
    if (!esito.richiamo || fuori[k]) continue;
    const Riquadro& l = *esito.richiamo;
    p_.drawLine(Dispositivo(l.x1, l.y1), Dispositivo(l.x2, l.y2));
    Estendi(l.x1, l.y1, l.x2, l.y2);
  }
  p_.restore();
  const double margine = riga / 25;
  for (size_t k = 0; k < blocchi_.size(); ++k) {
    const PiazzamentoEtichette::Esito& esito = esiti[k];
    if (fuori[k]) continue;
    for (const TestoRinviato& r : blocchi_[k].righe) {
      const double x = r.x + esito.dx, y = r.y + esito.dy;
      const Riquadro s = r.scatola.Spostato(esito.dx, esito.dy), i = r.inchiostro.Spostato(esito.dx, esito.dy);
      // Only a leader can lie under the glyphs of a block placed in free room: the drawing and
      // the other labels are clear of them. A block that found no free room hides nothing.
      const Riquadro alone = i.Allargato(margine);
      if (!esito.coperto && std::any_of(esiti.begin(), esiti.end(), [&](const PiazzamentoEtichette::Esito& e) {
            return e.richiamo && LineaIncontra(e.richiamo->x1, e.richiamo->y1, e.richiamo->x2, e.richiamo->y2, alone);
          }))
        p_.fillRect(QRectF(Dispositivo(alone.x1, alone.y1), Dispositivo(alone.x2, alone.y2)), Colore(sfondo_));
      Scrivi(Dispositivo(x, y), r.testo, r.chiave, r.font, r.colore, r.trasparente);
      Estendi(x, y, x + r.larghezza, y + r.altezza);
      piazzate_.push_back({r.testo, QRectF(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2)),
                           QRectF(QPointF(i.x1, i.y1), QPointF(i.x2, i.y2)), esito.richiamo.has_value()});
    }
  }
  // The measure of what the reader gets, on paper (the canvas, redrawn at every edit, is spared it).
  if (carta_) {
    std::vector<BloccoMisurato> misurati;
    misurati.reserve(blocchi_.size());
    for (size_t k = 0; k < blocchi_.size(); ++k) {
      BloccoMisurato m;
      for (const TestoRinviato& r : blocchi_[k].righe) m.righe.push_back(r.inchiostro.Spostato(esiti[k].dx, esiti[k].dy));
      m.ax = blocchi_[k].x, m.ay = blocchi_[k].y;
      m.richiamo = esiti[k].richiamo;
      m.tubo = blocchi_[k].tubo;
      misurati.push_back(std::move(m));
    }
    std::vector<SegnoDisegno> segni;
    segni.reserve(ostacoli_.size());
    for (const Ostacolo& o : ostacoli_)
      segni.push_back({o.r, o.linea ? SegnoDisegno::Tipo::Linea
                                    : o.simbolo ? SegnoDisegno::Tipo::Simbolo : SegnoDisegno::Tipo::Riquadro});
    misura_ = MisuraLeggibilita(misurati, segni, riga);
    misuraUltimaCarta = misura_;
    const QPaintDevice* d = p_.device();
    rigaUltimaCartaMm = d && d->logicalDpiY() > 0 ? riga * sy_ * p_.transform().m22() / d->logicalDpiY() * 25.4 : 0;
  }
  blocchi_.clear();
  ostacoli_.clear();
}

double SuperficieQt::LarghezzaTratto(double punti) const {
  // A line is a pixel wide on a screen, and never thinner than its points on a device of finer
  // dots, where a pixel would be a hairline a printer leaves out.
  const QPaintDevice* d = p_.device();
  const double dpi = d ? d->logicalDpiX() : 96;
  return std::max(1.0, punti * dpi / 72);
}

void SuperficieQt::Line(double x1, double y1, double x2, double y2, int32_t colore, bool rettangolo) {
  const QPointF a = Dispositivo(x1, y1), b = Dispositivo(x2, y2);
  p_.save();
  QPen penna(Colore(colore));
  penna.setCosmetic(true);
  // The pipes and frames of the drawing twice as wide as the leaders on paper, which are not
  // taken for pipes.
  penna.setWidthF(LarghezzaTratto(rettangolo ? SpessoreMinimoTrattoPunti : 2 * SpessoreMinimoTrattoPunti));
  p_.setPen(penna);
  if (rettangolo) {
    const QRectF r = QRectF(a, b).normalized();
    p_.fillRect(r, Colore(colore));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(r);
  } else {
    p_.drawLine(a, b);
  }
  p_.restore();
  Estendi(x1, y1, x2, y2);
  Ostacola(x1, y1, x2, y2, !rettangolo);
  x_ = x2;
  y_ = y2;
}

void SuperficieQt::PSet(double x, double y, int32_t colore) {
  p_.save();
  p_.setPen(QPen(Colore(colore), 1));
  p_.drawPoint(Dispositivo(x, y));
  p_.restore();
  Ostacola(x, y, x, y, false);
  x_ = x;
  y_ = y;
}

void SuperficieQt::Circle(double x, double y, double raggio, int32_t colore) {
  const QPointF c = Dispositivo(x, y);
  // A circle of radius 0 is a dot: give it a size one can see.
  const double r = std::max(1.5, raggio * sx_);
  p_.save();
  QPen penna(Colore(colore));
  penna.setCosmetic(true);
  p_.setPen(penna);
  if (fillStyle_ == 0) p_.setBrush(Colore(fillColor_));
  else p_.setBrush(Qt::NoBrush);
  p_.drawEllipse(c, r, r);
  p_.restore();
  Estendi(x - raggio, y - raggio, x + raggio, y + raggio);
  // A dot of no radius still covers the little disc it is drawn as.
  const double coperto = std::max(raggio, sx_ != 0 ? r / sx_ : raggio);
  Ostacola(x - coperto, y - coperto, x + coperto, y + coperto, false);
  x_ = x;
  y_ = y;
}

void SuperficieQt::PaintPicture(FiguraSchema figura, double x, double y, double larghezza, double altezza) {
  const QPointF a = Dispositivo(x, y), b = Dispositivo(x + larghezza, y + altezza);
  const QRectF r = QRectF(a, b).normalized();
  if (r.width() < 0.5 || r.height() < 0.5) return;
  if (carta_) {
    // Off the canvas (paper, preview, saved picture) the picture is drawn at the device's own
    // resolution, however large: an enlarged fitted page prints its lines sharp, not a small bitmap
    // blown up.
    p_.save();
    p_.translate(r.topLeft());
    p_.scale(r.width() / 32.0, r.height() / 32.0);
    DisegnaFigura(p_, figura);
    p_.restore();
    Estendi(x, y, x + larghezza, y + altezza);
    Ostacola(x, y, x + larghezza, y + altezza, false, true);
    return;
  }
  const int lato = std::clamp(static_cast<int>(std::ceil(std::max(r.width(), r.height()))), 8, 1024);
  // The picture is scaled once to its size on whole pixels and then copied at every appliance:
  // scaling it at each one costs far more and places it less than a pixel away.
  const QRect intero(qRound(r.x()), qRound(r.y()), std::max(1, qRound(r.width())), std::max(1, qRound(r.height())));
  const std::tuple<int, int, int> chiave{static_cast<int>(figura), intero.width(), intero.height()};
  auto trovata = figure_.find(chiave);
  if (trovata == figure_.end()) {
    const QPixmap figuraPixmap = FiguraSchemaPixmap(figura, lato);
    QPixmap scalata(intero.size());
    scalata.fill(Qt::transparent);
    {
      QPainter g(&scalata);
      g.setRenderHint(QPainter::SmoothPixmapTransform, true);
      g.drawPixmap(QRectF(0, 0, r.width(), r.height()), figuraPixmap, QRectF(figuraPixmap.rect()));
    }
    trovata = figure_.emplace(chiave, scalata).first;
  }
  p_.drawPixmap(intero.topLeft(), trovata->second);
  Estendi(x, y, x + larghezza, y + altezza);
  Ostacola(x, y, x + larghezza, y + altezza, false, true);
}

}  // namespace varnex::ui
