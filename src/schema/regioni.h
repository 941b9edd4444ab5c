// Hit regions of the schema: a list of plane regions, each labelled with a tag and an integer,
// that tells which of them holds a point. The schema keeps three: click targets, end handles and
// drop targets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

struct TRegione {
  int16_t Shape = 0;  // 1 rectangle, 2 circle, 3 triangle, 4 four-corner band; 0 empty
  int32_t X0 = 0, Y0 = 0;
  int32_t X1 = 0, Y1 = 0;
  int32_t X2 = 0, Y2 = 0;
  int32_t X3 = 0, Y3 = 0;
  int32_t XV = 0, YV = 0;
  int32_t Radius = 0;
  std::string Tag;
  int16_t Index = 0;
};

class clsHotRegions {
 public:
  // Positions 0..Capacita; regions go to 1..Capacita-1 (2..Capacita-1 after a reset). The
  // largest list a valid network asks for is that of the drop targets: at most seven per
  // segment of a 200-segment network, so a list never runs out for a network the program
  // accepts.
  static constexpr int16_t MassimoRegioni = 7 * 200;
  static constexpr int16_t Capacita = MassimoRegioni + 2;

  clsHotRegions();

  void AddRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int16_t index, const std::string& tag);
  void AddCircle(int32_t x0, int32_t y0, int32_t r, int16_t index, const std::string& tag);
  void AddCustomRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                          int32_t y3, int16_t index, const std::string& tag);
  void AddTriangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xV, int32_t yV, int16_t index,
                   const std::string& tag);
  // Positions outside 0..300 throw std::out_of_range.
  int16_t GetIndex(int16_t i) const;
  std::string GetTag(int16_t i) const;
  void Reset();
  int16_t SearchIndex(int16_t index, const std::string& tag) const;
  int16_t TestHit(int32_t x, int32_t y) const;
  int16_t TestHitWhitShape(int32_t x, int32_t y, int16_t shapePoint) const;

  int16_t RegionCount() const { return regionCount_; }
  // Positions outside 0..Capacita throw std::out_of_range.
  const TRegione& Regione(int16_t i) const;

 private:
  // The next free record, or nullptr when there is none. The full-list message is shown once
  // per filling (until the next Reset), not once per refused region.
  TRegione* Prossima();
  // Makes the records up to position i.
  void Raggiungi(int16_t i);
  bool Contiene(const TRegione& r, double x, double y) const;

  // Reserved once, so that neither adding nor testing allocates; records are made as the list
  // first reaches them (a position never reached reads as an empty record), so that the program's
  // start does not pay for three full lists.
  std::vector<TRegione> regions_;
  int16_t regionCount_ = 0;
  bool pienoSegnalato_ = false;
};

// The angle helpers of the hit tests (pi taken as 3.1415, a full turn as 6.283).
double Hypotenuse(double a, double b);
double RadToDeg(double& x);
double ReduceDegrees(double& x);

}  // namespace varnex
