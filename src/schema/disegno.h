// Drawing of the network schema: the whole segment tree of network 1 laid out from the source on
// one drawing surface (the editor's canvas, the print picture, the printer or the preview), with
// segment numbers, diameter labels, appliance symbols, click regions, end handles and drop
// targets.
//
// The drawing state below is one set for the process and belongs to the last drawing, whatever
// its surface: single-segment redraws and the mouse editing work on it until the next drawing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "schema/regioni.h"
#include "schema/superficie.h"

namespace varnex {

// ---- Shared with the print and report subsystems ------------------------------------------------

// Extents of the drawn segment end points; the drawing only widens them. Start-up and the
// printed diagram reset them.
extern int32_t SchemaMaxX, SchemaMaxY, SchemaMinX, SchemaMinY;
// -1 while the print dialog's "Adatta lo schema alla pagina" is ticked.
extern int16_t AdattaSchemaPagina;
// Scale of the schema on paper or in a saved picture (written by the diagram page and SaveSchema).
extern double ScalaStampaSchema;
// The labels keep their type whatever the scale of the drawing: below this share of its own size
// they would run into one another. A drawing on paper below it leaves its labels out, and the
// printed diagram is never drawn smaller.
inline constexpr double ScalaLeggibileSchema = 0.9;

// ---- What the schema needs of the editor window -------------------------------------------------

// Outcome of an appliance-flow dialog after its modal display.
struct EsitoPortata {
  bool Done = false;
  float Portata = 0;
  int16_t Tipologia = 0;
  std::string Composizione;  // six "0"/"1" (the pressurised dialog gives "0")
};

class IEditorSchema {
 public:
  virtual ~IEditorSchema() = default;
  // The editor's zoom step (loading the editor when needed).
  virtual int16_t ScaleFactor() = 0;
  // The calculate-and-show entry of the editor window.
  virtual void Elaborazione() = 0;
  // The segment dialog for `seg`: primed, the table moved to its row, shown modal, pending events
  // processed twice.
  virtual void ApriDialogoTronco(int16_t seg) = 0;
  // The appliance dialog (cooking: frmCportata, else frmPortata) primed with SetDati(seg, portata),
  // shown modal, read and unloaded.
  virtual EsitoPortata DialogoPortata(bool cucina, int16_t seg, float portata) = 0;
  // The editor's delete command for one segment.
  virtual void DeleteTronco(int16_t seg) = 0;
  // Redraws the canvas (DrawSchema on it, mode 2, "Arial", 7).
  virtual void RidisegnaCanvas() = 0;
  // The screen's size in twips.
  virtual int32_t LarghezzaSchermo() { return 12000; }
  virtual int32_t AltezzaSchermo() { return 9000; }
};
// The installed editor side; without one the zoom step is 0, the screen 12000 x 9000 twips and
// the dialogs and recalculation do nothing.
void ImpostaEditorSchema(IEditorSchema* editor);
IEditorSchema* EditorSchema();

// ---- Drawing state (the last drawing's) ---------------------------------------------------------

extern ISuperficieDisegno* SuperficieDisegno;
extern float ScalaDisegno;
extern int32_t ColoreDisegno;
extern int16_t DisegnoVisibile;
extern int16_t DisegnoPerStampa;
extern int16_t PassiX, PassiY;
extern int32_t PassiMinX, PassiMaxX, PassiMinY, PassiMaxY;
extern clsHotRegions RegioniClick;
extern clsHotRegions RegioniEstremi;
extern clsHotRegions RegioniDrop;
extern int16_t TroncoSelezionato;

// Modes: 1 print layout, 2 screen drawing, 3 print preview.
void DrawSchema(ISuperficieDisegno& target, int16_t mode, std::optional<double> x0, std::optional<double> y0,
                std::optional<double> width, std::optional<double> height, const std::string& fontName,
                int16_t fontSize);
// The screen drawing as the editor calls it: no origin, no frame.
inline void DrawSchema(ISuperficieDisegno& target, int16_t mode, const std::string& fontName, int16_t fontSize) {
  DrawSchema(target, mode, std::nullopt, std::nullopt, std::nullopt, std::nullopt, fontName, fontSize);
}
// Draws the last drawing's surface again as the screen drawing; nothing when there was none.
void RidisegnaSuperficie();

// A drawing on another surface (printer, preview, saved picture) takes the drawing state over,
// but the canvas still shows its own drawing. The mouse editing calls this before it looks at
// the regions, so that it works on what the canvas shows: the canvas's state comes back as it
// was when the other drawing began. Nothing happens when the last drawing was the canvas's.
void RiprendiDisegnoSchermo();
// The segment selected on the canvas, also while another surface's drawing holds the state.
int16_t TroncoSelezionatoSulloSchermo();
// A surface that goes away: the drawing state forgets it.
void DimenticaSuperficie(const ISuperficieDisegno* superficie);

void DrawSubTree(int16_t seg, int32_t x, int32_t y, int16_t dir, int32_t lenFactor, int32_t yFactor,
                 const std::string& fontName, int16_t fontSize);
void DrawNode(int32_t x, int32_t y);
void UpdateBounds();
void SetDrawTarget(ISuperficieDisegno& target);

// One segment from (x, y) in `direction` (Part of the layout; also the single-segment redraw).
void DrawTronco(int16_t seg, int32_t x, int32_t y, int16_t direction, int32_t lenFactor, int32_t yFactor,
                std::optional<int32_t> colore, const std::string& fontName, int16_t fontSize);
void AddTroncoHotRegion(int16_t seg, int32_t x, int32_t y, int32_t dx, int32_t dy, int16_t direction);
// One appliance symbol at the end (x, y) of an end segment.
void DrawUtenza(int32_t x, int32_t y, int16_t direction, int16_t tipo, int16_t seg);

// Whether the current drawing writes its diameter and appliance labels: on the canvas by the
// editor's zoom step, on every other surface by the drawing's own scale alone.
bool EtichetteLeggibili();

// Rounding of the drawing: to the nearest integer, halves to even.
int32_t Arrotonda32(double v);

}  // namespace varnex
