#include "schema/direzioni.h"

#include <array>

#include "model/interaction.h"
#include "model/rete.h"

namespace varnex {

namespace {
//                                          -  U  L  D  R UL DL DR UR
constexpr std::array<int16_t, 9> SinistraDi{0, 5, 6, 7, 8, 2, 3, 4, 1};
constexpr std::array<int16_t, 9> DestraDi{0, 8, 5, 6, 7, 1, 2, 3, 4};
constexpr std::array<int16_t, 9> OppostoDi{0, 3, 4, 1, 2, 7, 8, 5, 6};
bool Valida(int16_t dir) { return dir >= 1 && dir <= 8; }
// A slot outside 0..200 is a subscript error for the caller.
const TTronco& Slot(int16_t seg) { return Rete().Tronchi.at(static_cast<size_t>(seg)); }
}  // namespace

std::string LettereDirezione(int16_t dir) {
  static const std::array<const char*, 9> lettere{"", "U", "L", "D", "R", "UL", "DL", "DR", "UR"};
  return Valida(dir) ? lettere[static_cast<size_t>(dir)] : "";
}

int16_t RotateLeft45(int16_t dir) { return Valida(dir) ? SinistraDi[static_cast<size_t>(dir)] : 0; }
int16_t RotateRight45(int16_t dir) { return Valida(dir) ? DestraDi[static_cast<size_t>(dir)] : 0; }
int16_t ReverseDirection(int16_t dir) { return Valida(dir) ? OppostoDi[static_cast<size_t>(dir)] : 0; }

int16_t RotateByCode(int16_t dir, int16_t code) {
  auto sinistra = [](int16_t d, int volte) {
    for (int i = 0; i < volte; ++i) d = RotateLeft45(d);
    return d;
  };
  auto destra = [](int16_t d, int volte) {
    for (int i = 0; i < volte; ++i) d = RotateRight45(d);
    return d;
  };
  switch (code) {
    case 1: return dir;
    case 4: return sinistra(dir, 1);
    case 2: return sinistra(dir, 2);
    case 5: return sinistra(dir, 3);
    case 6: return sinistra(dir, 4);
    case 7: return destra(dir, 1);
    case 3: return destra(dir, 2);
    case 8: return destra(dir, 3);
    default: return 0;
  }
}

int16_t ChildDirection(int16_t child, int16_t parentDir, std::optional<int16_t> siblingDir) {
  const int16_t codice = Slot(child).CodiceSvolta;
  if (codice >= 1) return RotateByCode(parentDir, codice);
  if (!siblingDir) return parentDir;
  // Below a segment drawn in no direction every left turn gives 0: the search stops there.
  int16_t d = RotateLeft45(parentDir);
  for (int giri = 0; giri < 8 && (d == *siblingDir || d == parentDir); ++giri) d = RotateLeft45(d);
  if (d == *siblingDir || d == parentDir) return 0;
  return d;
}

int16_t GetDerivazione(int16_t seg, int16_t n) {
  if (n > CountDerivazioni(seg)) MsgBox("Errore visita rete");
  const TTronco& t = Slot(seg);
  if (n == 1) return t.ID_LEFT != 0 ? t.ID_LEFT : t.ID_RIGHT;
  if (n == 2) return t.ID_RIGHT;
  return 0;
}

int16_t CountDerivazioni(int16_t seg) {
  const TTronco& t = Slot(seg);
  return static_cast<int16_t>((t.ID_LEFT != 0 ? 1 : 0) + (t.ID_RIGHT != 0 ? 1 : 0));
}

}  // namespace varnex
