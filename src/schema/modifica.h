// Editing the network by mouse on the schema: selection, double click, drops from the palette
// and the drag of a segment's end handle.
#pragma once

#include <cstdint>
#include <string>

namespace varnex {

struct TStatoTrascinamento {
  int32_t UltimoX = 0;
  int32_t UltimoY = 0;
  std::string LettereEstremo;
  // The segment whose handle the pointer has moved since the last release, 0 for none: a
  // release without a move is a click, and a click changes no length.
  int16_t TroncoMosso = 0;
};
extern TStatoTrascinamento StatoTrascinamento;

int16_t GetSelectedTronco();
void SelectTronco(int16_t seg);
void SchemaClick(int32_t x, int32_t y);
void SchemaDblClick(int32_t x, int32_t y);
void SchemaDragDrop(int32_t x, int32_t y, const std::string& tag);
int16_t HitEndHandle(int32_t x, int32_t y, std::string& lettere);
void DragEndHandle(int16_t seg, int32_t x, int32_t y, const std::string& lettere);
void ApplyEndHandleDrag(int16_t seg, int32_t x, int32_t y, const std::string& lettere);

}  // namespace varnex
