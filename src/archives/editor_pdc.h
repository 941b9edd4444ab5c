// The logic of the maximum-pressure-drop editor "Perdite di carico massime predefinite": the texts
// of its eight boxes and applying them (defaults for what is not above 0, then "PDCMAX.CFG").
// The window (archives/ui/pdc_editor.h) only moves texts between its boxes and this class.
#pragma once

#include <array>
#include <string>

namespace varnex {

struct CampiPDC {
  std::string Potenza;     // the threshold, kW (editable)
  std::string PotenzaBis;  // its copy in the lower frame, never read back
  std::array<std::string, 3> Potenza1;  // up to the threshold, families 1..3, Pa
  std::array<std::string, 3> Potenza2;  // above the threshold, families 1..3, Pa
};

// The editable boxes in the order of the file: the threshold, then Potenza1[0..2], Potenza2[0..2].
inline constexpr int BoxPDC = 7;

// Followed by the text typed, the box and the range.
inline constexpr const char* MsgValorePDCNonValido = "Valore non valido: ";

class EditorPDC {
 public:
  // The threshold and the six drops as box texts.
  static CampiPDC MostraPDC();
  // "OK": the editable boxes into the threshold and the table, defaults for every value not
  // above 0, then "PDCMAX.CFG". `campi` gets the completed values. When the file cannot be written
  // the values get back what they held, the reason is shown and false comes back; so it does,
  // before anything changes, for a value the reader would refuse, naming its box; `rifiutato`
  // then gets the box (0..BoxPDC-1). Boxes showing what the table holds write nothing.
  static bool ApplicaPDC(CampiPDC& campi, int* rifiutato = nullptr);
};

}  // namespace varnex
