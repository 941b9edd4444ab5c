// The network of the open project: a tree of pipe segments that leaves the source, with the
// project-wide values that go with it.
//
// Everything here is plain global state owned by the model: the calculations, the project file,
// the editor and the schema read and write the records directly. The operations keep the tree
// consistent; writing a field by hand (or through SetField) does not.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// Highest segment slot; slot 0 stands for the source and is never a segment.
inline constexpr int16_t MaxTronchi = 200;

// One segment slot. Fields that have a column code are the ones stored in the project file;
// the others are working fields.
struct TTronco {
  std::string ID_NAME;              // 1, 27
  int16_t ID_NUM = 0;               // 2
  int16_t ID_PREV = 0;              // 16: parent slot, 0 = none
  int16_t ID_LEFT = 0;              // 17: first derivation, 0 = none
  int16_t ID_RIGHT = 0;             // 18: second derivation, 0 = none
  int16_t Collegato = 0;            // -1: the last flow calculation reached it from the root
  int16_t IndiceMateriale = 0;      // pipe-series index resolved from ID_MATERIALE
  std::string ID_MATERIALE;         // 19
  float ID_P_UTENZE = 0;            // 3: appliance flow at the free end, Nm3/h
  float ID_P_TRONCO = 0;            // 4: segment flow, Nm3/h
  float ID_LEN = 0;                 // 5: pipe length, m
  float ID_EQ_LEN = 0;              // 28: equivalent length, m
  int16_t ID_NCURVE = 0;            // 6
  int16_t ID_NGOMITI = 0;           // 7
  int16_t ID_NRACCORDI = 0;         // 22
  int16_t ID_NRUBINETTI = 0;        // 23
  int16_t ID_SPC5 = 0;              // 37
  int16_t ID_SPC6 = 0;              // 38
  int16_t ID_SPC7 = 0;              // 39
  int16_t ID_SPC8 = 0;              // 40
  int16_t ID_SPC9 = 0;              // 41
  int16_t ID_SPC10 = 0;             // 42
  float ID_RACCORDO = 0;            // 8, 26
  int16_t ID_TIPORACCORDO = 0;      // 25
  int16_t TipologiaUtenza = 0;      // 29: 1 cooking, 2 boiler, 3 burner, 4 convector
  std::string ComposizioneUtenza;   // 30: six "0"/"1"
  float ID_PDC_NOTA = 0;            // 9
  float ID_EQLENNOTA = 0;           // 24: additional equivalent length, m
  std::string ID_DIAMETRO;          // 10: nominal-diameter label
  int16_t ID_DIAMCUSTOM = 0;        // 11: -1 = diameter fixed by the user
  float ID_VELOCITA = 0;            // 12: m/s
  float ID_PDC_TRONCO = 0;          // 13: Pa (internal) or kPa (pressurised)
  float ID_PDC_PERCORSO = 0;        // 14: Pa (internal) or kPa (pressurised)
  float LunghezzaPercorso = 0;      // m, from the source to the segment's end
  float ID_PESO = 0;                // 15
  std::string ID_RIF;               // 20
  float ID_POTENZA = 0;             // 21
  int16_t CodiceSvolta = 0;         // 34: turn relative to the parent on the schema
  int16_t Direzione = 0;            // absolute drawing direction
  int16_t EstremoLibero = 0;        // -1: the end carries drop targets on the schema
  int32_t FineX = 0;                // 45
  int32_t FineY = 0;                // 46
  int32_t LunghezzaDisegno = 0;     // 47: 0 = default
  float PInizialeTronco = 0;        // kPa, pressure at the start (pressurised networks)
  float ID_PFINALE = 0;             // 43: pressure at the end
  int16_t ID_CONTEMP = 100;         // 36: simultaneity, percent
  int16_t Eliminato = 0;            // 48: -1 = removed (detached or deleted)
  int16_t SlotLibero = 0;           // 49: -1 with Eliminato = blanked by a delete, free for reuse

  bool operator==(const TTronco&) const = default;
};

// One network.
struct TRete {
  int16_t NumTronchi = 0;           // highest slot in use; 0 = empty network
  int16_t MaterialeDefault = 0;     // pipe series of new segments; 0 = not yet resolved
  std::array<TTronco, MaxTronchi + 1> Tronchi{};
  // The last calculation refused the network: what its segments hold of results (read from the
  // file, or left by an earlier run) is none of that calculation's. Never stored in a file.
  bool CalcoloRifiutato = false;
};

// Two network records; only record 1 is ever used.
extern std::array<TRete, 2> BloccoReti;
// 0 until SetReteCorrente is first called with a non-zero index, then 1 for good.
extern int16_t ReteCorrente;

// Network 1 and its slots (the only network in use).
inline TRete& Rete() { return BloccoReti[1]; }
inline TTronco& Tronco(int16_t slot) { return BloccoReti[1].Tronchi[static_cast<size_t>(slot)]; }

// ---- Project values -------------------------------------------------------------------------

extern int16_t ReteInPressione;        // -1 pressurised network, 0 internal installation
extern int16_t ProgettoModificato;     // -1 changed since loaded or saved
extern int16_t ProgettoCaricato;       // -1 the last project load succeeded
extern std::string Riferimento;
extern std::string DescrizioneLavoro;
extern std::string PercorsoProgetto;   // path of the open project file, "" when never saved
extern std::string PercorsoDocumenti;
extern float VelocitaMaxImpostata;     // m/s
extern double PressioneIniziale;       // kPa
extern double PressioneFinale;         // kPa
extern double PDCMaxUtente;            // Pa; 0 or less = from the table
extern int16_t OrientamentoSorgente;   // 0..3, orientation of the source symbol

// ---- Callbacks into the editor window ------------------------------------------------------

// What the model asks of the editor window. The window installs itself when it loads; without
// one the model just skips the refresh.
class IEditorRete {
 public:
  virtual ~IEditorRete() = default;
  // Empties the segment table.
  virtual void ResetGrid() = 0;
  // Recalculates and redisplays the visible page.
  virtual void Elaborazione() = 0;
  // Tells the user something in the editor's status panel.
  virtual void TestoStato(const std::string& /*testo*/) {}
};
void ImpostaEditorRete(IEditorRete* editor);
IEditorRete* EditorRete();

// ---- Operations -----------------------------------------------------------------------------

void SetReteCorrente(int16_t rete);
int16_t GetReteCorrente();
// Stores the segment count of a network (the reader passes 1); kept within 0..200.
void SetNumTronchi(int16_t rete, int16_t numero);

// Gives a new segment the pipe series of new segments (the default series).
void AssegnaSerieDefault(TTronco& t);
// Adds a segment under `padre` (0 = the first segment); the new slot, or 0 when the parent
// already has two derivations (after a message; nothing is claimed then). A segment made in the
// entry row's slot takes what the user typed on that row; a parent typed there that differs from
// `padre` is told in the status panel.
int16_t AggiungiTronco(int16_t padre);
// Whether a segment can still be added: a slot past the count, or one a delete left blank.
bool PostoPerNuovoTronco();
// A slot a delete left blank ("Cancella"), which a new segment takes before the count grows.
bool SlotVuoto(int16_t slot);
// A blank slot the user writes into again (a table row, the segment dialog) is a segment again:
// no longer free, so the table shows it and the calculation sizes it, and with a pipe series; a
// parent typed on the row while it was blank links it now (CollegaProvenienza). Any other slot is
// left as it is.
void RiprendiSlotVuoto(int16_t slot);
// Links segment `seg` under the parent its record names (ID_PREV), in the parent's first free
// derivation, unless that parent already links it. A row that is not a segment yet (the entry row,
// a blank row) keeps the parent typed on it unlinked until it becomes one: linked earlier, the
// parent would count a derivation the network does not hold. A parent with two derivations
// already leaves the segment without one, after a message. A parent that is an appliance loses
// its own flow here, instead of in the next calculation, once the user has said so: asked now,
// with the flow it has now ("Azzero la portata?"), unless the caller has just asked
// (`portataConfermata`). A "No" leaves the segment without a parent and the appliance as it was.
// False when the segment was left without its parent.
bool CollegaProvenienza(int16_t seg, bool portataConfermata = false);
// The question asked before a link takes an appliance's own flow.
inline constexpr const char* DomandaAzzeraPortata = "Il tronco di provenienza e' una utenza!\r\n Azzero la portata?";
// A segment that has become a parent carries no appliance: its own flow goes, and its
// simultaneity is whole again.
void AzzeraPortataUtenza(TTronco& t);
// Detaches the segment with its subtree and marks its slot removed.
void ScollegaTronco(int16_t seg);
// Deletes the segment and its subtree, leaving free slots.
void EliminaTronco(int16_t seg);
// Blanks removed slots at the top of the table, then refreshes the editor.
void EliminaTronchiVuoti();
// Takes every removed or free slot out of the numbering.
void CompattaTronchi();
// In segments 1..NumTronchi, every link to `vecchio` becomes `nuovo`.
void RinumeraTronco(int16_t nuovo, int16_t vecchio);
// Empties the network and resets the project values; the maximum velocity and the two pressures
// come from the default texts (read with NumeroTestoDefault).
void ResetRete();
// The number of a default text for new projects (velocity, pressures) as the user typed it:
// digits with at most one decimal mark, "," or "." alike ("12.5" and "12,5" are 12.5), blanks
// around it allowed. nullopt for anything else ("", "1.234,5", "12a"): the caller then uses its
// built-in value. Every reader of those texts goes through here, so a value means the same at
// start-up, in a new project and in the dialog that edits it.
std::optional<double> NumeroTestoDefault(std::string_view testo);
// The initial and final pressures (kPa) a new project gets: the default texts, or 200 and 150.
double PressioneInizialeDefault();
double PressioneFinaleDefault();
// Empties one record (calculated values and the two slot flags stay).
void ResetTronco(TTronco& tronco);
// Empties every record past the segment count, the entry row's included, when the table is
// emptied: what was typed there and no longer shows must not reach the next segment made.
void SvuotaOltreConto();
// True when the segment has no derivation (slot 0 included).
bool IsTerminale(int16_t seg);
// Inner diameter (mm) of the row of series `materiale` labelled exactly `dn`; 0 when none.
float DiametroInterno(int16_t materiale, const std::string& dn);
// Inner volume of the pipes reached from the root, in mm2*m (millilitres).
float VolumeImpianto();

// ---- Guarded traversal and validation -------------------------------------------------------

// The segment count as a usable bound (0..200 whatever NumTronchi holds).
int16_t ContoTronchi();
// A slot that a link may name: 1..NumTronchi.
bool IsSlotValido(int16_t slot);

// The slots of the subtree of `radice` in depth-first order (the segment, then its ID_LEFT
// subtree, then its ID_RIGHT subtree). Links outside 1..NumTronchi are not followed and no slot
// is visited twice, so a damaged network cannot make the walk loop.
std::vector<int16_t> SottoalberoTronco(int16_t radice);
// The slots from `seg` up to the root following ID_PREV (seg first). Stops at a link outside
// 1..NumTronchi and before a slot already met.
std::vector<int16_t> PercorsoVersoRadice(int16_t seg);

// One fault of a damaged network.
enum class TipoDifettoRete {
  LinkFuoriIntervallo,  // a parent or child link names no slot of 0..NumTronchi
  Ciclo,                // following the links leads back to a segment already met
  FiglioConteso,        // two parents (or both links of one) name the same child
  NumTronchiFuoriIntervallo,
};
struct DifettoRete {
  TipoDifettoRete Tipo;
  int16_t Slot;          // the segment whose link is wrong (0 for the count)
  std::string Testo;     // Italian description for the user
};
// Every fault of network 1; empty when the network is sound.
std::vector<DifettoRete> VerificaRete();

}  // namespace varnex
