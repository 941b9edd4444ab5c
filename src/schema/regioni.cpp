#include "schema/regioni.h"

#include <cmath>
#include <stdexcept>

#include "model/interaction.h"

namespace varnex {

namespace {
constexpr double PiGreco = 3.1415;
constexpr double GiroCompleto = 6.283;
// The triangle targets admit a point this far from their apex on each axis.
constexpr double FinestraTriangolo = 400;

// Direction of a vector in degrees, the vertical difference taken upwards.
double Angolo(double dx, double dyInSu) {
  if (dx != 0) {
    double rad = std::atan(dyInSu / dx);
    double d = RadToDeg(rad);
    if (dx < 0) d += 180;
    return ReduceDegrees(d);
  }
  if (dyInSu > 0) return 90;
  if (dyInSu < 0) return 270;
  return 0;
}
}  // namespace

double Hypotenuse(double a, double b) { return std::sqrt(a * a + b * b); }

double RadToDeg(double& x) {
  while (x > GiroCompleto) x -= GiroCompleto;
  while (x < -GiroCompleto) x += GiroCompleto;
  double d = x * 180 / PiGreco;
  if (d < 0) d += 360;
  return d;
}

double ReduceDegrees(double& x) {
  while (x > 360) x -= 360;
  return x;
}

clsHotRegions::clsHotRegions() { regions_.reserve(static_cast<size_t>(Capacita) + 1); }

void clsHotRegions::Raggiungi(int16_t i) {
  if (regions_.size() <= static_cast<size_t>(i)) regions_.resize(static_cast<size_t>(i) + 1);
}

const TRegione& clsHotRegions::Regione(int16_t i) const {
  static const TRegione vuota;
  if (i < 0 || i > Capacita) throw std::out_of_range("Indice non compreso nell'intervallo");
  return static_cast<size_t>(i) < regions_.size() ? regions_[static_cast<size_t>(i)] : vuota;
}

TRegione* clsHotRegions::Prossima() {
  const int nuova = regionCount_ + 1;
  if (nuova >= Capacita) {
    if (!pienoSegnalato_) MsgBox("Esaurito spazio per regioni attive");
    pienoSegnalato_ = true;
    return nullptr;
  }
  regionCount_ = static_cast<int16_t>(nuova);
  Raggiungi(regionCount_);
  return &regions_[static_cast<size_t>(nuova)];
}

void clsHotRegions::AddRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int16_t index,
                                 const std::string& tag) {
  if (SearchIndex(index, tag) > 0) return;
  if (TRegione* r = Prossima()) {
    r->Shape = 1;
    r->X0 = x0, r->Y0 = y0, r->X1 = x1, r->Y1 = y1;
    r->Index = index, r->Tag = tag;
  }
}

void clsHotRegions::AddCircle(int32_t x0, int32_t y0, int32_t raggio, int16_t index, const std::string& tag) {
  if (TRegione* r = Prossima()) {
    r->Shape = 2;
    r->X0 = x0, r->Y0 = y0, r->Radius = raggio;
    r->Index = index, r->Tag = tag;
  }
}

void clsHotRegions::AddCustomRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                       int32_t x3, int32_t y3, int16_t index, const std::string& tag) {
  if (SearchIndex(index, tag) > 0) return;
  if (TRegione* r = Prossima()) {
    r->Shape = 4;
    r->X0 = x0, r->Y0 = y0, r->X1 = x1, r->Y1 = y1, r->X2 = x2, r->Y2 = y2, r->X3 = x3, r->Y3 = y3;
    r->Index = index, r->Tag = tag;
  }
}

void clsHotRegions::AddTriangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xV, int32_t yV,
                                int16_t index, const std::string& tag) {
  if (SearchIndex(index, tag) > 0) return;
  if (TRegione* r = Prossima()) {
    r->Shape = 3;
    r->X0 = x0, r->Y0 = y0, r->X1 = x1, r->Y1 = y1, r->XV = xV, r->YV = yV;
    r->Index = index, r->Tag = tag;
  }
}

int16_t clsHotRegions::GetIndex(int16_t i) const { return Regione(i).Index; }

std::string clsHotRegions::GetTag(int16_t i) const { return Regione(i).Tag; }

void clsHotRegions::Reset() {
  regionCount_ = 1;
  Raggiungi(regionCount_);
  pienoSegnalato_ = false;
}

int16_t clsHotRegions::SearchIndex(int16_t index, const std::string& tag) const {
  for (int16_t i = 1; i <= regionCount_; ++i) {
    const TRegione& r = regions_[static_cast<size_t>(i)];
    if (r.Tag == tag && r.Index == index) return i;
  }
  return 0;
}

bool clsHotRegions::Contiene(const TRegione& r, double x, double y) const {
  switch (r.Shape) {
    case 1:
      return r.X0 <= x && x <= r.X1 && r.Y0 <= y && y <= r.Y1;
    case 2:
      return Hypotenuse(x - r.X0, y - r.Y0) <= r.Radius;
    case 3: {
      if (!(std::abs(x - r.XV) < FinestraTriangolo && std::abs(y - r.YV) < FinestraTriangolo)) return false;
      const double ap = Angolo(x - r.XV, r.YV - y);
      const double a0 = Angolo(static_cast<double>(r.X0) - r.XV, static_cast<double>(r.YV) - r.Y0);
      const double a1 = Angolo(static_cast<double>(r.X1) - r.XV, static_cast<double>(r.YV) - r.Y1);
      if (a0 > 0 && a0 + 90 < a1) return ap <= a0 || ap >= a1;
      return std::abs(ap - a0) <= 45 && a1 <= ap && ap <= a0;
    }
    case 4: {
      const double d01 = Hypotenuse(static_cast<double>(r.X0) - r.X1, static_cast<double>(r.Y0) - r.Y1);
      const double d13 = Hypotenuse(static_cast<double>(r.X3) - r.X1, static_cast<double>(r.Y3) - r.Y1);
      const double dx13 = static_cast<double>(r.X3) - r.X1;
      // A vertical long side has no defined slope: such a band is never hit.
      if (dx13 == 0) return false;
      double t = std::atan((static_cast<double>(r.Y1) - r.Y3) / dx13);
      if (r.X3 < r.X1) t += PiGreco;
      const double u = (x - r.X1) * std::cos(t) + (r.Y1 - y) * std::sin(t);
      const double v = -(x - r.X1) * std::sin(t) + (r.Y1 - y) * std::cos(t);
      return 0 < u && u < d13 && 0 < v && v < d01;
    }
    default:
      return false;
  }
}

int16_t clsHotRegions::TestHit(int32_t x, int32_t y) const {
  for (int16_t i = 1; i <= regionCount_; ++i)
    if (Contiene(regions_[static_cast<size_t>(i)], x, y)) return i;
  return 0;
}

int16_t clsHotRegions::TestHitWhitShape(int32_t x, int32_t y, int16_t shapePoint) const {
  for (int16_t i = 1; i <= regionCount_; ++i) {
    const TRegione& r = regions_[static_cast<size_t>(i)];
    if (r.Shape != shapePoint || (r.Shape != 1 && r.Shape != 2)) continue;
    if (Contiene(r, x, y)) return i;
  }
  return 0;
}

}  // namespace varnex
