// The logic of the fittings editor "Lunghezze equivalenti accidentalità": the texts of its forty
// boxes, reading them back into the tables and writing "EQLEN.CFG". The window
// (archives/ui/raccordi_editor.h) only moves texts between its boxes and this class.
#pragma once

#include <array>
#include <string>

namespace varnex {

// One row of the editor: fitting r + 1.
struct RigaSpeciale {
  std::string Descrizione;
  std::string Range1;  // inner diameter up to 50 mm
  std::string Range2;  // over 50 up to 125 mm
  std::string Range3;  // over 125 mm
  bool operator==(const RigaSpeciale&) const = default;
};
using CampiSpeciali = std::array<RigaSpeciale, 10>;

// Fittings 1..4 are counted by every segment and their names cannot be changed here.
inline constexpr int RigheDescrizioneFissa = 4;
// Followed by the fitting's name, its row and column, the text typed and the range.
inline constexpr const char* MsgLunghezzaNonValida = "Lunghezza equivalente non valida per ";

// Longest description the user may type for fittings 5..10.
inline constexpr int LunghezzaMaxDescrizione = 16;

// The box a refusal points at: row 0..9, column 0 the description, 1..3 the lengths.
struct BoxSpeciale {
  int riga = 0;
  int colonna = 0;
};

class EditorSpeciali {
 public:
  // The ten fittings' names and lengths (pressurised column, classes 1..3) as box texts.
  static CampiSpeciali MostraSpeciali();
  // The boxes into the tables: names as typed, lengths read with the comma as decimal point.
  static void LeggiSpeciali(const CampiSpeciali& campi);
  // "OK": the boxes into the tables and the tables into "EQLEN.CFG". When the file cannot be
  // written the tables get back what they held, the reason is shown and false comes back (the
  // window stays, so nothing typed is lost and memory never disagrees with the file). A length
  // or description the reader would refuse or change is refused the same way, before anything
  // changes, naming its row; `rifiutato` then says which box. Boxes showing what the tables hold
  // write nothing: the file is left exactly as it is.
  static bool Conferma(const CampiSpeciali& campi, BoxSpeciale* rifiutato = nullptr);
};

}  // namespace varnex
