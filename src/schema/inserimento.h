// Drop targets: where a segment or an appliance dragged from the palette may be dropped on the
// schema, painted as arrows while the drag is over the canvas.
#pragma once

#include <cstdint>
#include <vector>

namespace varnex {

struct TPuntoInserimento {
  int16_t Tronco = 0;        // 0: the source of an empty network
  int16_t Direzione = 0;     // absolute direction of a new segment (appliance: the segment's own)
  int16_t CodiceSvolta = 0;  // turn code a dropped segment receives (appliance targets: 1)
  int32_t PuntoX = 0;
  int32_t PuntoY = 0;
};

// Entries 1..count (element 0 unused).
extern std::vector<TPuntoInserimento> PuntiInserimentoTronco;
extern int16_t NumPuntiInserimentoTronco;
extern std::vector<TPuntoInserimento> PuntiInserimentoUtenza;
extern int16_t NumPuntiInserimentoUtenza;

void ResetDropTargets();
void AddTroncoTarget(int16_t tronco, int16_t direzione, int32_t x, int32_t y, int16_t codiceSvolta);
void AddUtenzaTarget(int16_t tronco, int32_t x, int32_t y);
void ComputeDropTargets();
int16_t TurnCodeBetween(int16_t direzione, int16_t base);
void ShowTroncoTargets();
void ShowUtenzaTargets();

}  // namespace varnex
