// Segment fields by column code.
//
// Every value that a table column, a report column or a project-file row shows is named by a
// column code 1..49. The table, the reports and the project writer read cells through GetField,
// the project reader and the editor write them through SetField. A few codes are computed when
// read and cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace varnex {

// The column codes. Codes without a key in the column definitions carry a descriptive name.
namespace campo {
inline constexpr int16_t ID_NAME = 1;
inline constexpr int16_t ID_NUM = 2;
inline constexpr int16_t ID_P_UTENZE = 3;
inline constexpr int16_t ID_P_TRONCO = 4;
inline constexpr int16_t ID_LEN = 5;
inline constexpr int16_t ID_NCURVE = 6;
inline constexpr int16_t ID_NGOMITI = 7;
inline constexpr int16_t ID_RACCORDO = 8;
inline constexpr int16_t ID_PDC_NOTA = 9;
inline constexpr int16_t ID_DIAMETRO = 10;
inline constexpr int16_t ID_DIAMCUSTOM = 11;
inline constexpr int16_t ID_VELOCITA = 12;
inline constexpr int16_t ID_PDC_TRONCO = 13;
inline constexpr int16_t ID_PDC_PERCORSO = 14;
inline constexpr int16_t ID_PESO = 15;
inline constexpr int16_t ID_PREV = 16;
inline constexpr int16_t ID_LEFT = 17;
inline constexpr int16_t ID_RIGHT = 18;
inline constexpr int16_t ID_MATERIALE = 19;
inline constexpr int16_t ID_RIF = 20;
inline constexpr int16_t ID_POTENZA = 21;
inline constexpr int16_t ID_NRACCORDI = 22;
inline constexpr int16_t ID_NRUBINETTI = 23;
inline constexpr int16_t ID_EQLENNOTA = 24;
inline constexpr int16_t ID_TIPORACCORDO = 25;
inline constexpr int16_t ID_RACCORDO_BIS = 26;      // same field as 8
inline constexpr int16_t ID_NAME_BIS = 27;          // same field as 1
inline constexpr int16_t ID_EQ_LEN = 28;
inline constexpr int16_t TIPOLOGIA_UTENZA = 29;
inline constexpr int16_t COMPOSIZIONE_UTENZA = 30;
inline constexpr int16_t ID_P_KW = 31;              // computed: thermal power, W
inline constexpr int16_t ID_P_KCAL = 32;            // computed: thermal power, kcal/h
inline constexpr int16_t ID_NOMETIPOUTENZA = 33;    // computed: "Cottura" / "Riscaldamento"
inline constexpr int16_t CODICE_SVOLTA = 34;
inline constexpr int16_t ID_DIAMETRO_INTERNO = 35;  // computed: inner diameter, mm
inline constexpr int16_t ID_CONTEMP = 36;
inline constexpr int16_t ID_SPC5 = 37;
inline constexpr int16_t ID_SPC6 = 38;
inline constexpr int16_t ID_SPC7 = 39;
inline constexpr int16_t ID_SPC8 = 40;
inline constexpr int16_t ID_SPC9 = 41;
inline constexpr int16_t ID_SPC10 = 42;
inline constexpr int16_t ID_PFINALE = 43;           // read only
inline constexpr int16_t ID_EQLENLOC = 44;          // computed: fittings' share of the length, m
inline constexpr int16_t FINE_X = 45;
inline constexpr int16_t FINE_Y = 46;
inline constexpr int16_t LUNGHEZZA_DISEGNO = 47;
inline constexpr int16_t ELIMINATO = 48;
inline constexpr int16_t SLOT_LIBERO = 49;

inline constexpr int16_t Primo = 1;
inline constexpr int16_t Ultimo = 49;
}  // namespace campo

// A field value as GetField returns it: empty (code outside 1..49), 16-bit integer, 32-bit
// integer, single, double or text.
using ValoreCampo = std::variant<std::monostate, int16_t, int32_t, float, double, std::string>;

inline bool IsVuoto(const ValoreCampo& v) { return std::holds_alternative<std::monostate>(v); }
inline bool IsTesto(const ValoreCampo& v) { return std::holds_alternative<std::string>(v); }
// The number a value holds: numbers as they are, a text by the decimal reading rule, empty 0.
double NumeroCampo(const ValoreCampo& v);
// A value as text: a text unchanged, a number in the regional form (TestoNumero), empty "".
std::string TestoCampo(const ValoreCampo& v);

// The field or computed value of code `codice` of slot `slot` (0..200) of the current network.
ValoreCampo GetField(int16_t slot, int16_t codice);
// Stores the text `valore` into the field of `codice`, reading numbers by the decimal reading
// rule; codes 31, 32, 33, 35, 43, 44 and codes outside 1..49 are ignored. Code 19 also resolves
// the pipe-series index, asking for a substitution when the archive lacks the series.
void SetField(int16_t slot, int16_t codice, std::string_view valore);
inline void SetField(int16_t slot, int16_t codice, const char* valore) {
  SetField(slot, codice, std::string_view(valore));
}
// The same for a number the caller holds already (same rounding; a text code gets its regional
// text).
void SetField(int16_t slot, int16_t codice, double valore);

// The index 1..NumMateriali of the pipe series named `nome` (compared upper-cased, the argument
// trimmed too), or 0. The caller's text becomes its trimmed, upper-cased form.
int16_t CercaMaterialeNome(std::string& nome);

}  // namespace varnex
