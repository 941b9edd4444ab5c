#include "schema/superficie_registrata.h"

#include <algorithm>

#include "model/strings.h"
#include "schema/disegno.h"

namespace varnex {

SuperficieRegistrata::SuperficieRegistrata(std::string nome, double larghezza, double altezza, double scaleHeight,
                                           double larghezzaCarattere, double altezzaRiga)
    : nome_(std::move(nome)),
      larghezza_(larghezza),
      altezza_(altezza),
      scaleHeight_(scaleHeight),
      larghezzaCarattere_(larghezzaCarattere),
      altezzaRiga_(altezzaRiga) {}

SuperficieRegistrata::~SuperficieRegistrata() {
  DimenticaSuperficie(this);
}

namespace {
OperazioneDisegno Operazione(OperazioneDisegno::Tipo tipo, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0,
                             int32_t colore = 0) {
  OperazioneDisegno op;
  op.tipo = tipo;
  op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
  op.colore = colore;
  return op;
}
}  // namespace

void SuperficieRegistrata::Cls() {
  operazioni.clear();
  operazioni.push_back(Operazione(OperazioneDisegno::Tipo::Cls));
  haMarchi_ = false;
  x_ = y_ = 0;
  ++clsEseguiti;
}

double SuperficieRegistrata::TextWidth(const std::string& testo) const {
  return static_cast<double>(Len(testo)) * larghezzaCarattere_;
}

double SuperficieRegistrata::TextHeight(const std::string&) const { return altezzaRiga_; }

void SuperficieRegistrata::Estendi(double x, double y) {
  if (!haMarchi_) {
    minX_ = maxX_ = x;
    minY_ = maxY_ = y;
    haMarchi_ = true;
    return;
  }
  minX_ = std::min(minX_, x);
  maxX_ = std::max(maxX_, x);
  minY_ = std::min(minY_, y);
  maxY_ = std::max(maxY_, y);
}

void SuperficieRegistrata::Print(const std::string& testo) {
  OperazioneDisegno op{OperazioneDisegno::Tipo::Testo, x_, y_, x_ + TextWidth(testo), y_ + altezzaRiga_,
                       foreColor_, testo};
  operazioni.push_back(op);
  if (!testo.empty()) {
    Estendi(op.x1, op.y1);
    Estendi(op.x2, op.y2);
  }
  y_ += altezzaRiga_;
  x_ = 0;
}

void SuperficieRegistrata::Line(double x1, double y1, double x2, double y2, int32_t colore, bool rettangolo) {
  operazioni.push_back(Operazione(rettangolo ? OperazioneDisegno::Tipo::Rettangolo : OperazioneDisegno::Tipo::Linea,
                                  x1, y1, x2, y2, colore));
  Estendi(x1, y1);
  Estendi(x2, y2);
  x_ = x2;
  y_ = y2;
}

void SuperficieRegistrata::PSet(double x, double y, int32_t colore) {
  operazioni.push_back(Operazione(OperazioneDisegno::Tipo::Punto, x, y, x, y, colore));
  x_ = x;
  y_ = y;
}

void SuperficieRegistrata::Circle(double x, double y, double raggio, int32_t colore) {
  operazioni.push_back(Operazione(OperazioneDisegno::Tipo::Cerchio, x, y, raggio, 0, colore));
  Estendi(x - raggio, y - raggio);
  Estendi(x + raggio, y + raggio);
  x_ = x;
  y_ = y;
}

void SuperficieRegistrata::PaintPicture(FiguraSchema figura, double x, double y, double larghezza, double altezza) {
  OperazioneDisegno op = Operazione(OperazioneDisegno::Tipo::Figura, x, y, larghezza, altezza);
  op.figura = figura;
  operazioni.push_back(op);
  Estendi(x, y);
  Estendi(x + larghezza, y + altezza);
}

}  // namespace varnex
