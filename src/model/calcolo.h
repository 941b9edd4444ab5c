// Hydraulic calculation of an internal (low-pressure) gas installation, and the building blocks
// that the pressurised calculation shares: flows, path lengths, cumulative drops.
//
// Flows are Nm3/h, lengths m, inner diameters mm (m inside the drop formula), drops Pa. The gas
// properties come from GasCorrente.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnex {

// The one entry of the calculation: calculates the current network (an internal installation
// here, a pressurised network through CalcolaReteMP). Every segment is first bound to the series
// its name names (RiassociaSerieTronchi). A damaged network, a gas without viscosity or density,
// or a segment whose series has no usable diameter (DiametriNonUsabili) is refused with a message
// and leaves no result. So is a calculation that gives a segment reached from the root a number
// that is not finite, or a row whose area, velocity or drop is no positive number: the network is
// put back as it was before the run.
void CalcolaRete();

// CalcolaRete marks the project modified only when what the user entered of it (the values the
// project file stores, its results left out) differs after the calculation: from what it was
// before, or from the file as last read or written (so an edit that left the marking to the
// calculation still counts). Results that a recalculation changes, down to their last digit, are
// no change: a just-opened project stays unmodified.

// Brings the numbers the user entered (segment fields and project parameters) to what the project
// file keeps of them (seven significant digits for a single), and, when that changed one of a
// calculated network, calculates again without marking the project: the save then writes the
// results a reopening calculates from what it reads, so open, calculate and save give the same
// file. A network the calculation refuses has its results brought to the file's digits instead
// (a reopening reads them back). The project writer calls it before it writes.
void ValoriComeNelFile();

// RicordaProgettoSalvato records the project as it is now as what its file holds; the lifecycle
// calls it after a save and a close, and once a loaded or new project is shown. DimenticaProgetto-
// Salvato, called before a load, drops that record: a calculation while the file is being read
// and shown (the editor calculates when it loads) must not compare the new project with the one
// before it, nor with what the program fills in while it shows it.
void RicordaProgettoSalvato();
void DimenticaProgettoSalvato();
// True when something the user entered (the tightness record included) differs from the record
// of RicordaProgettoSalvato; false when there is no record. The close asks this too, so an edit
// that never reached a calculation is not lost either.
bool ProgettoDiversoDalSalvato();

struct ValoriProgetto;

// What the user entered of the project when the object was made, to tell whether an action
// changed it (the same comparison as ProgettoDiversoDalSalvato).
class StatoProgetto {
 public:
  StatoProgetto();
  ~StatoProgetto();
  StatoProgetto(const StatoProgetto&) = delete;
  StatoProgetto& operator=(const StatoProgetto&) = delete;
  bool Cambiato() const;

 private:
  std::unique_ptr<ValoriProgetto> valori_;
};

// Why CalcolaRete would refuse the current network; empty when it can be calculated.
std::string MotivoRifiutoCalcolo();

// True when the last CalcolaRete refused the network: the results its segments hold (read from
// the file, or left by an earlier calculation) are none of that calculation's and are not shown.
// A refusal is told once: calculating again with nothing changed leaves the message out, until
// the project changes, another refusal comes, or a project is read (DimenticaProgettoSalvato).
bool CalcoloRifiutato();
// True for the fields the calculation works out (flows of the segments, drops, velocity,
// equivalent lengths, end pressure, powers).
bool CampoRisultato(int16_t codice);

// Flow of segment s from the appliance flows below it (recursive). Marks the segments reached
// (Collegato), drops child links beyond the segment count plus one, clears an appliance flow on
// an inner segment with a message. Returns the subtree's unscaled flow.
float CalcolaPortate(int16_t s);

// Equivalent lengths with the fittings: mode 1 with the inner diameter of the segment's row, any
// other mode with a provisional 100 mm. Without a slot: every segment 1..NumTronchi.
void CalcolaLunghezzeEquivalenti(int16_t modo);
void CalcolaLunghezzeEquivalenti(int16_t modo, int16_t s);

// Cumulative equivalent length from the source to the end of every segment below s.
void CalcolaLunghezzePercorso(int16_t s, float monte);

// Cumulative drop and end pressure of every segment below s; a negative drop (-1) marks the whole
// subtree below it.
void CalcolaPressioni(int16_t s, float monte);

// Drop per metre (Pa/m) of flow Q (Nm3/h) in a pipe of inner diameter D (m).
float PerditaUnitaria(float D, float Q);

// Gas velocity in segment s, m/s.
float CalcolaVelocita(int16_t s);

// The allowed maximum drop (Pa): the user's value, or the table's by installed power and gas family.
float PDCMassima();

// True when no segment reached from the root has a cumulative drop above PDCMassima.
bool VerificaPDC();

// The least favoured path: entries 1..n hold the segment with the largest cumulative drop, its
// parent, and so on up to the root; entry 0 is unused. Only entry 0 when no segment qualifies.
void PercorsoSfavorito(std::vector<int16_t>& percorso);

// ---- Small utilities ----------------------------------------------------------------------

// Base-10 logarithm, ln x / ln 10.
double Log10(double x);
// The smaller of two long integers, as an integer (kept within the 16-bit range).
int16_t MinLong(int32_t a, int32_t b);
int16_t MinInteger(int16_t a, int16_t b);
// a when a > b, otherwise b.
template <typename T>
T MaxVariant(T a, T b) {
  return a > b ? a : b;
}
// False for an empty text or one that begins with a carriage return or a backspace.
bool IsNotControlChar(const std::string& s);
// The text without its carriage returns and backspaces.
std::string RimuoviControlChars(const std::string& testo);
// The message with the warning icon, OK and Cancel; the answer is not used.
void AvvisoOkAnnulla(const std::string& messaggio);

}  // namespace varnex
