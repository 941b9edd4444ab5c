// The segment table of the editor as plain logic: what each cell shows and in which colours,
// which rows exist, how a selection is limited to the segments, the sizes of the editor's layout
// and the zoom of the schema. The editor window applies these results to its grid widget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/campi.h"
#include "model/colonne.h"
#include "model/giudizi.h"

namespace varnex {

// One data cell as the table shows it.
struct CellaTabella {
  std::string Testo;
  int32_t ColoreTesto = colore::Nero;
  int32_t ColoreSfondo = colore::Bianco;
  bool Grassetto = false;
  bool operator==(const CellaTabella&) const = default;
};

// The table starts with 200 rows: the header and data rows 1 to 199.
inline constexpr int16_t RigheInizialiTabella = 200;
// Heights in twips.
inline constexpr int AltezzaIntestazione = 800;
inline constexpr int AltezzaRigaDati = 315;

// The header of column j: title, carriage return, unit.
std::string IntestazioneColonna(int16_t layout, int16_t colonna);

// Column widths in twips for a table `larghezza` twips wide (the fixed column first).
std::vector<int> LarghezzeColonne(int16_t layout, int larghezza);
// The widths raised to at least `minime` (same columns, twips) where the table has room: what a
// column lacks is taken from the columns wider than their own minimum, in proportion to what each
// has to spare, so the total stays the same. Column 0 (the row numbers) is left as it is.
std::vector<int> AllargaAlMinimo(std::vector<int> larghezze, const std::vector<int>& minime);

// The look of an empty formatted cell of column j (FormatGridRow): light yellow under the
// diameter, blue text in a read-only column.
CellaTabella CellaFormattata(int16_t layout, int16_t colonna);

// The cell of slot `slot`, column `colonna` of `layout` after a calculation (AggiornaCalcoli),
// starting from the formatted cell `base`. Reads the segment, PDCMaxTesto, the project pressures,
// VelocitaMaxImpostata, ReteInPressione and the pipe series.
CellaTabella CellaAggiornata(int16_t slot, int16_t layout, int16_t colonna, const CellaTabella& base);
// The raw text of a cell as the rebuild writes it (ReLoadTubi): the value without a mask.
std::string TestoGrezzo(int16_t slot, int16_t layout, int16_t colonna);

// Rows the table needs for the current network: NumTronchi + 1 data rows plus the header, and
// never fewer than the 200 it starts with.
int16_t RigheNecessarie(int16_t righeAttuali);

// A selection of table rows: the current row and the row where the selection ends (not ordered).
struct SelezioneRighe {
  int16_t Prima = 0;
  int16_t Ultima = 0;
  bool operator==(const SelezioneRighe&) const = default;
};
// The editor's selection limited to the segments of a network of `numTronchi` (GetSelezioneGriglia
// and LimitaSelezioneGriglia): a last row beyond the segments becomes the last segment, except a
// selection lying on the first empty row alone.
SelezioneRighe LimitaSelezione(int16_t corrente, int16_t fineSelezione, int16_t numTronchi);

// ---- Layout of the editor window (twips) ----------------------------------------------------

struct DimensioniEditor {
  int AltezzaSchede = 0;       // tab control
  int AltezzaTabella = 0;
  int AltezzaSchema = 0;       // canvas
  int AltezzaLogica = 0;       // editor's scale height
  int AltoPalette = 0;         // top of "Componenti:" and the palette panels
  int LarghezzaSchede = 0;
  int LarghezzaTabella = 0;
  int LarghezzaSchema = 0;
  int LarghezzaLogica = 0;
  bool operator==(const DimensioniEditor&) const = default;
};
// Sizes for a main window `altezza` x `larghezza` with a toolbar strip `barra` high; the canvas
// stands at `altoSchema`.
DimensioniEditor CalcolaDimensioniEditor(int altezza, int larghezza, int barra, int altoSchema);

// ---- Zoom of the schema ---------------------------------------------------------------------

inline constexpr int16_t ZoomMinimo = -12;
inline constexpr int16_t ZoomMassimo = 5;

// One scroll bar's range.
struct BarraScorrimento {
  int Minimo = 0;
  int Massimo = 0;
  int Valore = 0;
  int PassoGrande = 0;
  int PassoPiccolo = 0;
  bool operator==(const BarraScorrimento&) const = default;
};

// The step kept within -12..5.
int16_t LimitaZoom(int16_t passo);
// 0.9 raised to the step.
double FattoreScala(int16_t passo);
// The zoom text: 100 / s with no decimals ("100", "169", "28").
std::string TestoZoom(int16_t passo);
// A scroll bar after a zoom: the new maximum from `base` (5370 vertical, 11000 horizontal) and
// the step's scale, the value kept at the same share of the range. A range of 0 keeps the share
// at 0 instead of dividing by zero.
BarraScorrimento BarraDopoZoom(const BarraScorrimento& prima, double scala, int base);
// A scroll bar placed at load or resize: maximum = scale extent x fattore / 10, value half of it
// (fattore 2 vertical, 1.8 horizontal).
BarraScorrimento BarraIniziale(double estensione, double fattoreMassimo, double fattoreValore);

// ---- Gas selector ---------------------------------------------------------------------------

// The gas names the selector lists: every gas for a pressurised network, the combustible ones
// for an internal installation, in archive order.
std::vector<std::string> ElencoGasSelettore();

}  // namespace varnex
