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

// Followed by the text typed.
inline constexpr const char* MsgValorePDCNonValido = "Valore non valido: ";

class EditorPDC {
 public:
  // The threshold and the six drops as box texts.
  static CampiPDC MostraPDC();
  // "OK": the editable boxes into the threshold and the table, defaults for every value not
  // above 0, then "PDCMAX.CFG". `campi` gets the completed values. When the file cannot be written
  // the values get back what they held, the reason is shown and false comes back; so it does,
  // before anything changes, for a value beyond a single's range.
  static bool ApplicaPDC(CampiPDC& campi);
};

}  // namespace varnex
