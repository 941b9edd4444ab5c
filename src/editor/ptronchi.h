// The segment-parameters dialog as plain logic: what the dialog shows for one segment, how its
// fields are stored back into one segment or a selected range of segments, and the editing aids
// (key filters, spin buttons, simultaneity limits, diameter lock, navigation bound).
//
// The dialog window (ui/ptronchi.h) holds its controls as texts and states in a `CampiTronco`
// and asks this class for every change, so all of it runs without a display.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// Number of fitting kinds the dialog edits (fittings 1 to 10 of the fittings table).
inline constexpr int NumLocali = 10;
// Number of field groups a store to a range can be limited to (see CampiDaApplicare).
inline constexpr int NumCampiApplicabili = 14;

// The dialog's controls as texts and states.
struct CampiTronco {
  // Count boxes txtLocal(0..9), their labels and whether box, spin and label are usable.
  std::array<std::string, NumLocali> Locali{};
  std::array<std::string, NumLocali> EtichetteLocali{};
  std::array<bool, NumLocali> LocaliAbilitati{};
  std::array<bool, NumLocali> EtichettaGrigia{};
  std::string Lunghezza;            // txtlen
  std::string LunghezzaAggiuntiva;  // Text3
  std::string Contemporaneita;      // txtContemp
  bool ContempBloccato = false;     // txtContemp locked and disabled, SpinButton1 disabled
  bool PannelloContemp = false;     // pnlContemp shown
  std::string Provenienza;          // Label6
  std::string Riferimento;          // lblRiferimento
  std::vector<std::string> Materiali;  // cmbMateriali entries
  int MaterialeSelezionato = 0;        // index in Materiali (0 based), -1 none
  std::string Diametro;             // txtDiametro
  bool DiametroRosso = false;       // red text: fixed diameter
  bool Bloccato = false;            // SSRibbon1 down
  bool operator==(const CampiTronco&) const = default;
};

// The state of one segment-parameters dialog (kept while the dialog stays loaded).
class ParametriTronco {
 public:
  int16_t ReteAperta = 0;
  int16_t TroncoAperto = 0;
  // What the user did to the lock since the segment was loaded: 0 untouched, 1 released, 2 set.
  int16_t StatoBloccoDiametro = 0;
  // Which field groups a store to a range writes: 0..9 fitting counts, 10 additional length,
  // 11 simultaneity, 12 length, 13 diameter and lock.
  std::array<int16_t, NumCampiApplicabili> CampiDaApplicare{};

  // SReteSync_Change: the network number from the primed text (leading number, halves to even).
  void ImpostaRete(std::string_view testo);
  // TroncoSync_Change: the segment number from the primed text.
  void ImpostaTronco(std::string_view testo);

  // CaricaTronco: the controls for segment TroncoAperto of network ReteAperta; resets
  // StatoBloccoDiametro.
  CampiTronco Carica();
  // SalvaTronco: stores the controls into row `prima`, or into the range between `prima` and
  // `ultima` (either order) with the flags of CampiDaApplicare. `campi.Diametro` is corrected in
  // place to "0" when the selected series does not offer it. On a range a diameter is written
  // only to the segments whose own series has the label; the others are named in one message.
  void Salva(CampiTronco& campi, int16_t prima, int16_t ultima);
  // Before OK stores: the message refusing a diameter that the selected series does not hold
  // ("Auto", "0" and an empty box leave it to the calculation), empty when it may be stored. Left
  // to Salva, such a label became "0" and released every fixed diameter of the range in silence.
  static std::string RifiutoDiametro(const CampiTronco& campi);

  // SSRibbon1 pressed (`giu` true) or released: updates campi (colour, toggle) and the lock state.
  void CambiaBlocco(CampiTronco& campi, bool giu);

 private:
  // False when the diameter was left alone because series `serie` lacks its label.
  bool ScriviCampo(int16_t slot, int campo, const CampiTronco& campi, int16_t serie);
  bool ScriviDiametro(int16_t slot, const std::string& testo, int16_t serie);
};

// "Str" of a number: a point as decimal separator and a leading blank for a value not below zero.
std::string TestoStr(float valore);
std::string TestoStr(int32_t valore);

// The leading number of a text (blanks skipped, "." as decimal point), rounded half to even,
// as an integer; 0 when the text does not begin with a number.
int32_t NumeroIntero(std::string_view testo);

// Key filters: true when the key (ASCII code) may reach the box. `Conteggio` is the segment
// number; `Quantita` the fitting counts and the simultaneity, whose decimal marks reach the box so
// that OK refuses "1,5" rather than store the 15 a dropped comma would leave.
enum class CampoTasti { Conteggio, Quantita, Lunghezza, Diametro, Materiali };
bool TastoAmmesso(CampoTasti campo, int16_t tasto);
// Length limit of the count boxes and of the simultaneity box (4 typed characters).
inline constexpr int LimiteConteggio = 4;
// Why a fitting count or simultaneity box cannot be stored (naming the box, quoting the text),
// empty when it can: digits only, or an empty box (0). A pasted "-3" would be a negative count.
std::string RifiutoQuantita(const std::string& nome, const std::string& testo);

// Spin buttons: the new text of the box after a down (`su` false) or up step.
std::string SpinConteggio(std::string_view testo, bool su);
std::string SpinContemporaneita(std::string_view testo, bool su);
// Spin4: the new segment number within 1..numTronchi.
std::string SpinTronco(std::string_view testo, bool su, int16_t numTronchi);
// txtContemp_LostFocus: above 100 becomes "100", then below 10 becomes "10"; otherwise unchanged.
std::string LimitaContemporaneita(std::string_view testo);

}  // namespace varnex
