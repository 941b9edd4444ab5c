#include "schema/etichette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace varnex {

namespace {

// The part [t0, t1] of the segment from (x1, y1) to (x2, y2) that lies in the rectangle; none when
// it passes by.
std::optional<std::pair<double, double>> Ritaglio(double x1, double y1, double x2, double y2, const Riquadro& r) {
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - r.x1, r.x2 - x1, y1 - r.y1, r.y2 - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return std::nullopt;
  }
  return std::pair<double, double>(t0, t1);
}

double Area(const Riquadro& a, const Riquadro& b) {
  const double w = std::min(a.x2, b.x2) - std::max(a.x1, b.x1);
  const double h = std::min(a.y2, b.y2) - std::max(a.y1, b.y1);
  return w > 0 && h > 0 ? w * h : 0;
}

// Offsets in steps, from more than `da` steps to `a` steps away, nearest first; at equal distance
// the smaller sideways move, then upwards before downwards, then left before right.
std::vector<std::pair<int32_t, int32_t>> Spostamenti(int32_t da, int32_t a) {
  std::vector<std::pair<int32_t, int32_t>> s;
  for (int32_t j = -a; j <= a; ++j)
    for (int32_t i = -a; i <= a; ++i) {
      const int32_t d = i * i + j * j;
      if (d <= a * a && (da < 0 || d > da * da)) s.emplace_back(i, j);
    }
  std::sort(s.begin(), s.end(), [](const auto& x, const auto& y) {
    return std::make_tuple(x.first * x.first + x.second * x.second, std::abs(x.first), x.second, x.first) <
           std::make_tuple(y.first * y.first + y.second * y.second, std::abs(y.first), y.second, y.first);
  });
  return s;
}

const std::vector<PiazzamentoEtichette::Anello>& Anelli() {
  using P = PiazzamentoEtichette;
  static const std::vector<P::Anello> anelli = {
      {0.5, Spostamenti(-1, static_cast<int32_t>(P::PortataFine * 2))},
      {1, Spostamenti(static_cast<int32_t>(P::PortataFine), static_cast<int32_t>(P::PortataRighe))},
      {2, Spostamenti(static_cast<int32_t>(P::PortataRighe / 2), static_cast<int32_t>(P::PortataLarga / 2))}};
  return anelli;
}

}  // namespace

bool LineaIncontra(double x1, double y1, double x2, double y2, const Riquadro& r) {
  return Ritaglio(x1, y1, x2, y2, r).has_value();
}

namespace {
// The point of the segment nearest to (px, py).
std::pair<double, double> PuntoPiuVicino(const Riquadro& s, double px, double py) {
  const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  const double l2 = dx * dx + dy * dy;
  const double t = l2 > 0 ? std::clamp(((px - s.x1) * dx + (py - s.y1) * dy) / l2, 0.0, 1.0) : 0.0;
  return {s.x1 + t * dx, s.y1 + t * dy};
}
}  // namespace

std::pair<double, Riquadro> DistanzaRiquadroSegmento(const Riquadro& r, const Riquadro& s) {
  if (const auto t = Ritaglio(s.x1, s.y1, s.x2, s.y2, r)) {
    const double x = s.x1 + t->first * (s.x2 - s.x1), y = s.y1 + t->first * (s.y2 - s.y1);
    return {0.0, Riquadro{x, y, x, y}};
  }
  double migliore = std::numeric_limits<double>::infinity();
  Riquadro punti;
  auto prova = [&](double sx, double sy, double rx, double ry) {
    const double d = std::hypot(rx - sx, ry - sy);
    if (d < migliore) migliore = d, punti = {sx, sy, rx, ry};
  };
  // The segment's ends to the rectangle, the rectangle's corners to the segment.
  for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}})
    prova(x, y, std::clamp(x, r.x1, r.x2), std::clamp(y, r.y1, r.y2));
  for (const auto& [x, y] : {std::pair{r.x1, r.y1}, std::pair{r.x2, r.y1}, std::pair{r.x1, r.y2}, std::pair{r.x2, r.y2}}) {
    const auto [px, py] = PuntoPiuVicino(s, x, y);
    prova(px, py, x, y);
  }
  return {migliore, punti};
}

bool LineeSiIncrociano(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  auto lato = [](double px, double py, double qx, double qy, double rx, double ry) {
    const double v = (qx - px) * (ry - py) - (qy - py) * (rx - px);
    return v > 0 ? 1 : v < 0 ? -1 : 0;
  };
  const int d1 = lato(bx1, by1, bx2, by2, ax1, ay1), d2 = lato(bx1, by1, bx2, by2, ax2, ay2);
  const int d3 = lato(ax1, ay1, ax2, ay2, bx1, by1), d4 = lato(ax1, ay1, ax2, ay2, bx2, by2);
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  auto su = [](double px, double py, double qx, double qy, double rx, double ry) {
    return std::min(px, qx) <= rx && rx <= std::max(px, qx) && std::min(py, qy) <= ry && ry <= std::max(py, qy);
  };
  return (d1 == 0 && su(bx1, by1, bx2, by2, ax1, ay1)) || (d2 == 0 && su(bx1, by1, bx2, by2, ax2, ay2)) ||
         (d3 == 0 && su(ax1, ay1, ax2, ay2, bx1, by1)) || (d4 == 0 && su(ax1, ay1, ax2, ay2, bx2, by2));
}

bool EtichetteDaAvvisare(const MisuraEtichette& m) {
  return m.blocchi > 0 && (m.lontani * 10 > m.blocchi || m.incrociRichiami > 0);
}

std::string NotaConAvviso(const std::string& nota, bool avviso) {
  if (!avviso) return nota;
  return nota.empty() ? AvvisoEtichetteLontane : nota + " - " + AvvisoEtichetteLontane;
}

MisuraEtichette MisuraLeggibilita(const std::vector<BloccoMisurato>& blocchi, const std::vector<SegnoDisegno>& segni,
                                  double riga) {
  MisuraEtichette m;
  if (riga <= 0) riga = 1;
  // What lies within a quarter line of the named point is the thing named (its pipe, its box,
  // the handle and the dot at its end): a leader starts there and a block may touch it.
  // An appliance's block names its symbol: the frame round it is its own too.
  const double vicino = riga / 4;
  std::vector<Riquadro> simboliPropri;
  auto estremi = [](const Riquadro& r) {
    return Riquadro{std::min(r.x1, r.x2), std::min(r.y1, r.y2), std::max(r.x1, r.x2), std::max(r.y1, r.y2)};
  };
  const Riquadro* tuboProprio = nullptr;
  auto proprio = [&](const SegnoDisegno& s, double ax, double ay) {
    const Riquadro attorno{ax - vicino, ay - vicino, ax + vicino, ay + vicino};
    if (tuboProprio) {
      // The pipe's own bar, and the handle and the dots at its ends.
      const Riquadro t = estremi(*tuboProprio).Allargato(vicino), e = estremi(s.r);
      if (e.x1 >= t.x1 && e.x2 <= t.x2 && e.y1 >= t.y1 && e.y2 <= t.y2 &&
          (DistanzaRiquadroSegmento(e, *tuboProprio).first <= vicino))
        return true;
    }
    const bool presso = s.tipo == SegnoDisegno::Tipo::Linea ? LineaIncontra(s.r.x1, s.r.y1, s.r.x2, s.r.y2, attorno)
                                                            : s.r.Allargato(vicino).Incontra(attorno);
    if (presso) return true;
    const Riquadro e = estremi(s.r);
    return std::any_of(simboliPropri.begin(), simboliPropri.end(), [&](const Riquadro& p) {
      const Riquadro a = p.Allargato(vicino);
      return e.x1 >= a.x1 && e.x2 <= a.x2 && e.y1 >= a.y1 && e.y2 <= a.y2;
    });
  };
  double somma = 0;
  for (size_t i = 0; i < blocchi.size(); ++i) {
    const BloccoMisurato& b = blocchi[i];
    if (b.righe.empty()) continue;
    simboliPropri.clear();
    tuboProprio = b.tubo ? &*b.tubo : nullptr;
    for (const SegnoDisegno& s : segni)
      if (s.tipo == SegnoDisegno::Tipo::Simbolo && b.ax >= s.r.x1 && b.ax <= s.r.x2 && b.ay >= s.r.y1 && b.ay <= s.r.y2)
        simboliPropri.push_back(s.r);
    ++m.blocchi;
    // To the nearest point of its pipe, or to the point of an appliance.
    double d = std::numeric_limits<double>::infinity();
    for (const Riquadro& r : b.righe) {
      if (b.tubo) {
        d = std::min(d, DistanzaRiquadroSegmento(r, *b.tubo).first / riga);
        continue;
      }
      // An appliance's block names its symbol: measured to the symbol's edge.
      Riquadro nominato{b.ax, b.ay, b.ax, b.ay};
      for (const Riquadro& p : simboliPropri) nominato = p;
      const double dx = std::max({r.x1 - nominato.x2, 0.0, nominato.x1 - r.x2});
      const double dy = std::max({r.y1 - nominato.y2, 0.0, nominato.y1 - r.y2});
      d = std::min(d, std::hypot(dx, dy) / riga);
    }
    somma += d;
    m.distanzaMassima = std::max(m.distanzaMassima, d);
    if (d > 2) ++m.lontani;
    // The type on what it does not name (a hair inside its ink: touching is no overlap).
    bool suAltro = false;
    for (const Riquadro& r : b.righe) {
      const Riquadro inchiostro = r.Allargato(-riga / 20);
      for (const SegnoDisegno& s : segni) {
        if (proprio(s, b.ax, b.ay)) continue;
        const bool tocca = s.tipo == SegnoDisegno::Tipo::Linea ? LineaIncontra(s.r.x1, s.r.y1, s.r.x2, s.r.y2, inchiostro)
                                                               : s.r.Incontra(inchiostro);
        if (tocca) suAltro = true;
      }
    }
    m.suAltri += suAltro ? 1 : 0;
    if (!b.richiamo) continue;
    ++m.richiami;
    const Riquadro& l = *b.richiamo;
    for (size_t j = i + 1; j < blocchi.size(); ++j) {
      if (!blocchi[j].richiamo) continue;
      const Riquadro& o = *blocchi[j].richiamo;
      if (LineeSiIncrociano(l.x1, l.y1, l.x2, l.y2, o.x1, o.y1, o.x2, o.y2)) ++m.incrociRichiami;
    }
    for (const SegnoDisegno& s : segni) {
      if (proprio(s, b.ax, b.ay) || proprio(s, l.x1, l.y1)) continue;
      if (s.tipo == SegnoDisegno::Tipo::Linea) {
        if (LineeSiIncrociano(l.x1, l.y1, l.x2, l.y2, s.r.x1, s.r.y1, s.r.x2, s.r.y2)) ++m.incrociLinee;
      } else if (LineaIncontra(l.x1, l.y1, l.x2, l.y2, s.r)) {
        ++(s.tipo == SegnoDisegno::Tipo::Simbolo ? m.incrociSimboli : m.incrociLinee);
      }
    }
  }
  if (m.blocchi > 0) m.distanzaMedia = somma / m.blocchi;
  return m;
}

void PiazzamentoEtichette::Griglia::Aggiungi(const Riquadro& e, int32_t indice) {
  const auto cx1 = static_cast<int64_t>(std::floor(e.x1 / lato_)), cx2 = static_cast<int64_t>(std::floor(e.x2 / lato_));
  const auto cy1 = static_cast<int64_t>(std::floor(e.y1 / lato_)), cy2 = static_cast<int64_t>(std::floor(e.y2 / lato_));
  for (int64_t cy = cy1; cy <= cy2; ++cy)
    for (int64_t cx = cx1; cx <= cx2; ++cx) celle_[Chiave(cx, cy)].push_back(indice);
}

void PiazzamentoEtichette::Griglia::AggiungiLinea(const Riquadro& l, int32_t indice) {
  const double minX = std::min(l.x1, l.x2), maxX = std::max(l.x1, l.x2);
  const auto cx1 = static_cast<int64_t>(std::floor(minX / lato_)), cx2 = static_cast<int64_t>(std::floor(maxX / lato_));
  for (int64_t cx = cx1; cx <= cx2; ++cx) {
    // The part of the line over this column of cells.
    double ya = l.y1, yb = l.y2;
    if (l.x2 != l.x1) {
      const double xa = std::max(minX, static_cast<double>(cx) * lato_);
      const double xb = std::min(maxX, static_cast<double>(cx + 1) * lato_);
      ya = l.y1 + (xa - l.x1) * (l.y2 - l.y1) / (l.x2 - l.x1);
      yb = l.y1 + (xb - l.x1) * (l.y2 - l.y1) / (l.x2 - l.x1);
    }
    const auto cy1 = static_cast<int64_t>(std::floor(std::min(ya, yb) / lato_));
    const auto cy2 = static_cast<int64_t>(std::floor(std::max(ya, yb) / lato_));
    for (int64_t cy = cy1; cy <= cy2; ++cy) celle_[Chiave(cx, cy)].push_back(indice);
  }
}

template <class F>
bool PiazzamentoEtichette::Griglia::Qualcuno(const Riquadro& r, F&& f) const {
  if (celle_.empty()) return false;
  const auto cx1 = static_cast<int64_t>(std::floor(r.x1 / lato_)), cx2 = static_cast<int64_t>(std::floor(r.x2 / lato_));
  const auto cy1 = static_cast<int64_t>(std::floor(r.y1 / lato_)), cy2 = static_cast<int64_t>(std::floor(r.y2 / lato_));
  for (int64_t cy = cy1; cy <= cy2; ++cy)
    for (int64_t cx = cx1; cx <= cx2; ++cx) {
      const auto cella = celle_.find(Chiave(cx, cy));
      if (cella == celle_.end()) continue;
      for (const int32_t i : cella->second)
        if (f(i)) return true;
    }
  return false;
}

PiazzamentoEtichette::PiazzamentoEtichette(double riga)
    : riga_(riga > 0 ? riga : 1),
      // Two labels' blocks keep more than half a line apart, well beyond the room between the lines
      // of one block, so that a block reads as one and the words of two never as one; from
      // the drawing a little less than the room the type leaves above its capitals, so that a
      // label written right against its segment by the layout is not moved for it.
      distaccoEtichette_(riga_ * 0.55),
      distaccoDisegno_(riga_ / 25),
      grigliaOstacoli_(4 * riga_),
      grigliaEtichette_(4 * riga_),
      anelli_(Anelli()) {}

Riquadro PiazzamentoEtichette::Estremi(const Riquadro& l) {
  return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2), std::max(l.y1, l.y2)};
}

void PiazzamentoEtichette::OstacoloRiquadro(const Riquadro& r) {
  const Riquadro n = Estremi(r);
  ostacoli_.push_back({n, false});
  grigliaOstacoli_.Aggiungi(n, static_cast<int32_t>(ostacoli_.size() - 1));
}

void PiazzamentoEtichette::OstacoloLinea(double x1, double y1, double x2, double y2) {
  const Riquadro l{x1, y1, x2, y2};
  ostacoli_.push_back({l, true});
  grigliaOstacoli_.AggiungiLinea(l, static_cast<int32_t>(ostacoli_.size() - 1));
}

void PiazzamentoEtichette::OstacoloSimbolo(const Riquadro& r) {
  const Riquadro n = Estremi(r);
  ostacoli_.push_back({n, false, Elemento::Tipo::Simbolo});
  grigliaOstacoli_.Aggiungi(n, static_cast<int32_t>(ostacoli_.size() - 1));
}

double PiazzamentoEtichette::CostoRichiamo(const Riquadro& l) const {
  // What touches the leader's start is what it names (its pipe, the handle at its end).
  const double presso = riga_ / 4;
  const Riquadro inizio{l.x1 - presso, l.y1 - presso, l.x1 + presso, l.y1 + presso};
  std::vector<int32_t> visti;
  grigliaOstacoli_.Qualcuno(Estremi(l), [&](int32_t i) {
    visti.push_back(i);
    return false;
  });
  std::sort(visti.begin(), visti.end());
  visti.erase(std::unique(visti.begin(), visti.end()), visti.end());
  double costo = 0;
  for (const int32_t i : visti) {
    const Elemento& e = ostacoli_[static_cast<size_t>(i)];
    if (e.tipo == Elemento::Tipo::Tolto || Escluso(ostacoliEsclusi_, i)) continue;
    const bool tocca = e.linea ? LineeSiIncrociano(l.x1, l.y1, l.x2, l.y2, e.r.x1, e.r.y1, e.r.x2, e.r.y2)
                               : LineaIncontra(l.x1, l.y1, l.x2, l.y2, e.r.Allargato(-riga_ / 100));
    if (!tocca) continue;
    const bool proprio = e.linea ? LineaIncontra(e.r.x1, e.r.y1, e.r.x2, e.r.y2, inizio) : e.r.Incontra(inizio);
    if (proprio) continue;
    switch (e.tipo) {
      case Elemento::Tipo::Richiamo: costo += 100; break;
      case Elemento::Tipo::Simbolo: costo += 100; break;
      case Elemento::Tipo::Disegno: costo += 1; break;
      case Elemento::Tipo::Tolto: break;
    }
  }
  return costo;
}

bool PiazzamentoEtichette::Libero(const std::vector<Riga>& righe, double dx, double dy) const {
  for (const Riga& r : righe) {
    const Riquadro inchiostro = r.inchiostro.Spostato(dx, dy).Allargato(distaccoDisegno_);
    if (grigliaOstacoli_.Qualcuno(inchiostro, [&](int32_t i) {
          const Elemento& e = ostacoli_[static_cast<size_t>(i)];
          if (e.tipo == Elemento::Tipo::Tolto || Escluso(ostacoliEsclusi_, i)) return false;
          if (!e.linea) return e.r.Incontra(inchiostro);
          // A line whose extent misses the type misses it.
          if (std::max(e.r.x1, e.r.x2) < inchiostro.x1 || std::min(e.r.x1, e.r.x2) > inchiostro.x2 ||
              std::max(e.r.y1, e.r.y2) < inchiostro.y1 || std::min(e.r.y1, e.r.y2) > inchiostro.y2)
            return false;
          return LineaIncontra(e.r.x1, e.r.y1, e.r.x2, e.r.y2, inchiostro);
        }))
      return false;
    const Riquadro scatola = r.scatola.Spostato(dx, dy).Allargato(distaccoEtichette_);
    if (grigliaEtichette_.Qualcuno(scatola, [&](int32_t i) {
          return !Escluso(etichetteEscluse_, i) && etichette_[static_cast<size_t>(i)].Incontra(scatola);
        }))
      return false;
  }
  return true;
}

double PiazzamentoEtichette::Copertura(const std::vector<Riga>& righe, double dx, double dy, double limite) const {
  double c = 0;
  std::vector<int32_t> visti;
  auto raccogli = [&](const auto& griglia, const Riquadro& r) {
    visti.clear();
    griglia.Qualcuno(r, [&](int32_t i) {
      visti.push_back(i);
      return false;
    });
    std::sort(visti.begin(), visti.end());
    visti.erase(std::unique(visti.begin(), visti.end()), visti.end());
  };
  for (const Riga& r : righe) {
    const Riquadro inchiostro = r.inchiostro.Spostato(dx, dy).Allargato(distaccoDisegno_);
    raccogli(grigliaOstacoli_, inchiostro);
    for (const int32_t i : visti) {
      const Elemento& e = ostacoli_[static_cast<size_t>(i)];
      if (e.tipo == Elemento::Tipo::Tolto) continue;
      if (!e.linea) {
        c += Area(e.r, inchiostro);
      } else if (const auto t = Ritaglio(e.r.x1, e.r.y1, e.r.x2, e.r.y2, inchiostro)) {
        // A line covers its length inside by the gap's width.
        c += (t->second - t->first) * std::hypot(e.r.x2 - e.r.x1, e.r.y2 - e.r.y1) * distaccoDisegno_;
      }
    }
    const Riquadro scatola = r.scatola.Spostato(dx, dy).Allargato(distaccoEtichette_);
    raccogli(grigliaEtichette_, scatola);
    for (const int32_t i : visti) c += Area(etichette_[static_cast<size_t>(i)], scatola);
    if (c >= limite) return c;
  }
  return c;
}

bool PiazzamentoEtichette::RichiamoLibero(const Riquadro& l) const {
  // A leader may start on the edge of a label beside what it names, never run across one.
  const double dentro = riga_ / 100;
  return !grigliaEtichette_.Qualcuno(Estremi(l), [&](int32_t i) {
    return !Escluso(etichetteEscluse_, i) &&
           LineaIncontra(l.x1, l.y1, l.x2, l.y2, etichette_[static_cast<size_t>(i)].Allargato(-dentro));
  });
}

std::optional<Riquadro> PiazzamentoEtichette::Richiamo(const Piazzato& p, double dx, double dy) const {
  // From what the block names to the nearest point of the block, when the block stands farther
  // than a line from it: from the nearest point of its pipe or of its symbol, or from its point.
  const Riquadro b = p.insieme.Spostato(dx, dy);
  if (p.tubo) {
    const auto [d, punti] = DistanzaRiquadroSegmento(b, *p.tubo);
    if (d <= riga_) return std::nullopt;
    return punti;
  }
  if (p.simbolo) {
    // From the edge of the symbol it names, facing the block.
    auto lato = [](double a1, double a2, double b1, double b2) {
      if (b2 < a1) return std::pair<double, double>(a1, b2);
      if (b1 > a2) return std::pair<double, double>(a2, b1);
      const double m = (std::max(a1, b1) + std::min(a2, b2)) / 2;
      return std::pair<double, double>(m, m);
    };
    const auto [sx, bx] = lato(p.simbolo->x1, p.simbolo->x2, b.x1, b.x2);
    const auto [sy, by] = lato(p.simbolo->y1, p.simbolo->y2, b.y1, b.y2);
    if (std::hypot(bx - sx, by - sy) <= riga_) return std::nullopt;
    return Riquadro{sx, sy, bx, by};
  }
  if (std::hypot(dx, dy) <= riga_) return std::nullopt;
  const double px = std::clamp(p.ax, b.x1, b.x2), py = std::clamp(p.ay, b.y1, b.y2);
  if (px == p.ax && py == p.ay) return std::nullopt;
  return Riquadro{p.ax, p.ay, px, py};
}

PiazzamentoEtichette::Esito PiazzamentoEtichette::Piazza(const std::vector<Riga>& righe, double ax, double ay,
                                                         const std::optional<Riquadro>& tubo) {
  Esito esito;
  if (righe.empty()) return esito;
  Riquadro insieme = righe.front().scatola;
  for (const Riga& r : righe) {
    insieme.x1 = std::min(insieme.x1, r.scatola.x1), insieme.y1 = std::min(insieme.y1, r.scatola.y1);
    insieme.x2 = std::max(insieme.x2, r.scatola.x2), insieme.y2 = std::max(insieme.y2, r.scatola.y2);
  }
  // A block naming a point inside a symbol (an appliance's picture) names the symbol.
  std::optional<Riquadro> simbolo;
  if (!tubo)
    grigliaOstacoli_.Qualcuno(Riquadro{ax, ay, ax, ay}, [&](int32_t i) {
      const Elemento& e = ostacoli_[static_cast<size_t>(i)];
      if (e.tipo != Elemento::Tipo::Simbolo || ax < e.r.x1 || ax > e.r.x2 || ay < e.r.y1 || ay > e.r.y2) return false;
      simbolo = e.r;
      return true;
    });
  Piazzato piazzato{righe, insieme, ax, ay, tubo, simbolo, etichette_.size(), -1, {}};
  auto richiamo = [&](double dx, double dy) { return Richiamo(piazzato, dx, dy); };
  // Along its pipe the block may stand anywhere beside it: the layout's spot first, then moved
  // towards either end, as far as the block stays beside the pipe.
  std::vector<std::pair<double, double>> lungo{{0, 0}};
  if (tubo) {
    const double tx = tubo->x2 - tubo->x1, ty = tubo->y2 - tubo->y1;
    const double lunghezza = std::hypot(tx, ty);
    if (lunghezza > 2 * riga_) {
      for (const double t : {1.0 / 6, 1.0 / 3, 0.45})
        for (const double segno : {-1.0, 1.0}) lungo.emplace_back(segno * t * tx, segno * t * ty);
    }
  }
  // The nearest free spot whose leader is clear; a free spot whose leader crosses something is
  // taken only when no clearer one lies within two lines farther, the one whose leader crosses least.
  std::optional<Esito> ripiego;
  double distanzaRipiego = 0, costoRipiego = std::numeric_limits<double>::infinity();
  bool trovato = false;
  for (size_t a = 0; a < anelli_.size() && !trovato; ++a) {
    const Anello& anello = anelli_[a];
    const double passo = anello.passo * riga_;
    for (const auto& [i, j] : anello.spostamenti) {
      const double distanza = std::hypot(i * passo, j * passo);
      if (ripiego && distanza > distanzaRipiego + 2 * riga_) break;
      // Along the pipe only near it: a block that must go farther goes from the layout's spot.
      const size_t spostamenti = distanza <= PortataLungoTubo * riga_ ? lungo.size() : 1;
      for (size_t k = 0; k < spostamenti; ++k) {
        const double dx = i * passo + lungo[k].first, dy = j * passo + lungo[k].second;
        if (!Libero(righe, dx, dy)) continue;
        const std::optional<Riquadro> r = richiamo(dx, dy);
        if (r) {
          const double costo = RichiamoLibero(*r) ? CostoRichiamo(*r) : 1e6;
          if (costo > 0) {
            if (costo < costoRipiego) {
              ripiego = Esito{dx, dy, r, false};
              costoRipiego = costo;
              if (distanzaRipiego == 0) distanzaRipiego = distanza;
            }
            continue;
          }
        }
        esito.dx = dx, esito.dy = dy, esito.richiamo = r;
        trovato = true;
        break;
      }
      if (trovato) break;
    }
  }
  if (!trovato && ripiego) esito = *ripiego;
  if (!trovato && !ripiego) {
    // Nowhere free within the wide reach: the spot within the first reach that covers the least,
    // the nearest of equals.
    double minima = std::numeric_limits<double>::infinity();
    for (size_t a = 0; a < 2; ++a)
      for (const auto& [i, j] : anelli_[a].spostamenti) {
        const double dx = i * anelli_[a].passo * riga_, dy = j * anelli_[a].passo * riga_;
        const double c = Copertura(righe, dx, dy, minima);
        if (c < minima) {
          minima = c;
          esito.dx = dx, esito.dy = dy;
        }
      }
    esito.richiamo = richiamo(esito.dx, esito.dy);
    esito.coperto = true;
  }
  for (const Riga& r : righe) {
    etichette_.push_back(r.scatola.Spostato(esito.dx, esito.dy));
    grigliaEtichette_.Aggiungi(etichette_.back(), static_cast<int32_t>(etichette_.size() - 1));
  }
  // Later labels keep off the leader as off any line, and later leaders do not cross it.
  if (esito.richiamo) {
    OstacoloLinea(esito.richiamo->x1, esito.richiamo->y1, esito.richiamo->x2, esito.richiamo->y2);
    ostacoli_.back().tipo = Elemento::Tipo::Richiamo;
    piazzato.richiamo = static_cast<int32_t>(ostacoli_.size() - 1);
  }
  piazzato.esito = esito;
  piazzati_.push_back(std::move(piazzato));
  return esito;
}

std::vector<PiazzamentoEtichette::Esito> PiazzamentoEtichette::Districa() {
  auto centro = [](const Riquadro& r) { return std::pair<double, double>((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2); };
  auto incrociano = [](const std::optional<Riquadro>& a, const std::optional<Riquadro>& b) {
    return a && b && LineeSiIncrociano(a->x1, a->y1, a->x2, a->y2, b->x1, b->y1, b->x2, b->y2);
  };
  // A leader's weight: what it crosses, and its length (a shorter one reads better).
  auto peso = [&](const std::optional<Riquadro>& l) {
    if (!l) return 0.0;
    return (RichiamoLibero(*l) ? CostoRichiamo(*l) : 1e6) + std::hypot(l->x2 - l->x1, l->y2 - l->y1) / riga_ / 100;
  };
  // Moves a block by (dx, dy) from where the layout wrote it, with its leader.
  auto sposta = [&](Piazzato& b, double dx, double dy, const std::optional<Riquadro>& l) {
    for (size_t k = 0; k < b.righe.size(); ++k) {
      const auto i = static_cast<int32_t>(b.primaRiga + k);
      etichette_[static_cast<size_t>(i)] = b.righe[k].scatola.Spostato(dx, dy);
      grigliaEtichette_.Aggiungi(etichette_[static_cast<size_t>(i)], i);
    }
    if (b.richiamo >= 0) ostacoli_[static_cast<size_t>(b.richiamo)].tipo = Elemento::Tipo::Tolto;
    b.richiamo = -1;
    if (l) {
      OstacoloLinea(l->x1, l->y1, l->x2, l->y2);
      ostacoli_.back().tipo = Elemento::Tipo::Richiamo;
      b.richiamo = static_cast<int32_t>(ostacoli_.size() - 1);
    }
    b.esito.dx = dx, b.esito.dy = dy, b.esito.richiamo = l;
  };
  for (int giro = 0; giro < 4; ++giro) {
    bool cambiato = false;
    for (size_t i = 0; i < piazzati_.size(); ++i)
      for (size_t j = i + 1; j < piazzati_.size(); ++j) {
        Piazzato& a = piazzati_[i];
        Piazzato& b = piazzati_[j];
        if (a.esito.coperto || b.esito.coperto || !incrociano(a.esito.richiamo, b.esito.richiamo)) continue;
        // Each block's middle where the other's was.
        const auto [cax, cay] = centro(a.insieme.Spostato(a.esito.dx, a.esito.dy));
        const auto [cbx, cby] = centro(b.insieme.Spostato(b.esito.dx, b.esito.dy));
        const double adx = a.esito.dx + cbx - cax, ady = a.esito.dy + cby - cay;
        const double bdx = b.esito.dx + cax - cbx, bdy = b.esito.dy + cay - cby;
        ostacoliEsclusi_.clear();
        etichetteEscluse_.clear();
        for (const Piazzato* p : {&a, &b}) {
          if (p->richiamo >= 0) ostacoliEsclusi_.push_back(p->richiamo);
          for (size_t k = 0; k < p->righe.size(); ++k) etichetteEscluse_.push_back(static_cast<int32_t>(p->primaRiga + k));
        }
        bool libero = Libero(a.righe, adx, ady) && Libero(b.righe, bdx, bdy);
        // Nor on one another in their new places.
        if (libero)
          for (const Riga& ra : a.righe)
            for (const Riga& rb : b.righe)
              if (ra.scatola.Spostato(adx, ady).Allargato(distaccoEtichette_).Incontra(rb.scatola.Spostato(bdx, bdy)))
                libero = false;
        std::optional<Riquadro> la, lb;
        double prima = 0, dopo = 0;
        if (libero) {
          la = Richiamo(a, adx, ady);
          lb = Richiamo(b, bdx, bdy);
          prima = peso(a.esito.richiamo) + peso(b.esito.richiamo) + 100;
          dopo = peso(la) + peso(lb) + (incrociano(la, lb) ? 100 : 0);
        }
        ostacoliEsclusi_.clear();
        etichetteEscluse_.clear();
        if (!libero || dopo >= prima) continue;
        sposta(a, adx, ady, la);
        sposta(b, bdx, bdy, lb);
        cambiato = true;
      }
    if (!cambiato) break;
  }
  std::vector<Esito> esiti;
  esiti.reserve(piazzati_.size());
  for (const Piazzato& p : piazzati_) esiti.push_back(p.esito);
  return esiti;
}

}  // namespace varnex
