#include "model/calcolo.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "model/calcolo_mp.h"
#include "model/numbers.h"
#include "model/globals.h"
#include "model/campi.h"
#include "model/dimensionamento.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/sostituzione.h"
#include "model/strings.h"
#include "model/tenuta.h"

namespace varnex {

namespace {

// No tree of 200 segments is deeper than this: a walk that goes further is running round a loop
// that the validation did not see, and stops rather than overflow the stack.
constexpr int ProfonditaMassima = MaxTronchi + 1;

bool InTabella(int32_t slot) { return slot >= 0 && slot <= MaxTronchi; }


float CalcolaPortateRic(int16_t s, int profondita);
void CalcolaLunghezzePercorsoRic(int16_t s, float monte, int profondita);
void CalcolaPressioniRic(int16_t s, float monte, int profondita);

// Takes the flow of one child link of `padre`, dropping a link that names no usable slot.
float PortataFiglio(int16_t& link, int profondita) {
  const int16_t c = link;
  if (c < 1) return 0;
  // A link equal to the count plus one is followed like any other; further ones are stale.
  if (c > Rete().NumTronchi + 1 || c > MaxTronchi) {
    link = 0;
    return 0;
  }
  return CalcolaPortateRic(c, profondita + 1);
}

float CalcolaPortateRic(int16_t s, int profondita) {
  if (!InTabella(s) || profondita > ProfonditaMassima) return 0;
  const float sinistra = PortataFiglio(Tronco(s).ID_LEFT, profondita);
  const float destra = PortataFiglio(Tronco(s).ID_RIGHT, profondita);
  TTronco& t = Tronco(s);
  if (!IsTerminale(s) && t.ID_P_UTENZE > 0) {
    AzzeraPortataUtenza(t);
    MsgBox("Portata nel tronco " + std::to_string(s) + " non compatibile", Bottoni::OK);
  }
  if (t.ID_CONTEMP == 0) t.ID_CONTEMP = 100;
  const float somma = sinistra + t.ID_P_UTENZE + destra;
  if (ReteInPressione != 0 && !IsTerminale(s)) {
    // Only the segment's own simultaneity applies: its parent gets the unscaled sum.
    const float scalata = somma * static_cast<float>(t.ID_CONTEMP);
    t.ID_P_TRONCO = scalata / 100.0f;
  } else {
    t.ID_P_TRONCO = somma;
  }
  t.Collegato = -1;
  return somma;
}

void CalcolaLunghezzePercorsoRic(int16_t s, float monte, int profondita) {
  if (s == 0 || !InTabella(s) || profondita > ProfonditaMassima) return;
  TTronco& t = Tronco(s);
  t.LunghezzaPercorso = t.ID_EQ_LEN + monte;
  CalcolaLunghezzePercorsoRic(t.ID_LEFT, t.LunghezzaPercorso, profondita + 1);
  CalcolaLunghezzePercorsoRic(t.ID_RIGHT, t.LunghezzaPercorso, profondita + 1);
}

void CalcolaPressioniRic(int16_t s, float monte, int profondita) {
  if (s == 0 || !InTabella(s) || profondita > ProfonditaMassima) return;
  TTronco& t = Tronco(s);
  if (t.ID_PDC_TRONCO < 0 || monte < 0) {
    t.ID_PDC_PERCORSO = -1;
  } else {
    t.ID_PDC_PERCORSO = t.ID_PDC_TRONCO + monte;
  }
  t.ID_PFINALE = static_cast<float>(PressioneIniziale - static_cast<double>(t.ID_PDC_PERCORSO));
  CalcolaPressioniRic(t.ID_LEFT, t.ID_PDC_PERCORSO, profondita + 1);
  CalcolaPressioniRic(t.ID_RIGHT, t.ID_PDC_PERCORSO, profondita + 1);
}

void LunghezzaEquivalenteTronco(int16_t modo, int16_t s) {
  if (!InTabella(s)) return;
  TTronco& t = Tronco(s);
  const float d = modo == 1 ? DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO) : 100.0f;
  const int16_t famiglia = GasCorrente.Famiglia;
  const float k1 = LunghezzaEquivalente(1, d, famiglia);
  const float k2 = LunghezzaEquivalente(2, d, famiglia);
  const float k3 = LunghezzaEquivalente(3, d, famiglia);
  const float k4 = LunghezzaEquivalente(4, d, famiglia);
  // Summed in single precision, in this order.
  float l = static_cast<float>(t.ID_NCURVE) * k1;
  l = l + t.ID_LEN;
  l = l + static_cast<float>(t.ID_NGOMITI) * k3;
  l = l + static_cast<float>(t.ID_NRACCORDI) * k2;
  l = l + static_cast<float>(t.ID_NRUBINETTI) * k4;
  l = l + t.ID_EQLENNOTA;
  t.ID_EQ_LEN = l;
}

// Links that would make the calculation read outside the table or run for ever. Child links
// beyond the count are not listed: the flow calculation drops them as it always has.
std::string DifettiBloccanti() {
  std::string testo;
  int righe = 0;
  auto aggiungi = [&](const std::string& riga) {
    if (righe < 10) testo += "\n" + riga;
    ++righe;
  };
  const int16_t n = Rete().NumTronchi;
  if (n < 0 || n > MaxTronchi) {
    aggiungi("Numero di tronchi non valido: " + std::to_string(n));
    return testo;
  }
  for (int16_t i = 0; i <= n; ++i) {
    const TTronco& t = Tronco(i);
    if (t.ID_PREV < 0 || t.ID_PREV > MaxTronchi || t.ID_LEFT < 0 || t.ID_RIGHT < 0) {
      aggiungi("Tronco " + std::to_string(i) + ": collegamento non valido");
    }
  }
  for (const DifettoRete& d : VerificaRete()) {
    if (d.Tipo == TipoDifettoRete::Ciclo || d.Tipo == TipoDifettoRete::NumTronchiFuoriIntervallo) {
      aggiungi(d.Testo);
    }
  }
  if (righe > 10) testo += "\n...";
  return testo;
}

// The first segment reached from the root that holds a number which is not finite: flows or
// lengths so large that a sum or a drop overflows. 0 when every number is a real one.
int16_t PrimoTroncoNonFinito() {
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    const TTronco& t = Tronco(i);
    if (t.Collegato == 0) continue;
    for (float v : {t.ID_P_UTENZE, t.ID_P_TRONCO, t.ID_LEN, t.ID_EQ_LEN, t.ID_RACCORDO, t.ID_PDC_NOTA,
                    t.ID_EQLENNOTA, t.ID_VELOCITA, t.ID_PDC_TRONCO, t.ID_PDC_PERCORSO, t.LunghezzaPercorso,
                    t.ID_PESO, t.ID_POTENZA, t.PInizialeTronco, t.ID_PFINALE}) {
      if (!std::isfinite(v)) return i;
    }
  }
  return 0;
}

// Why a segment reached from the root that carries a flow has no real result for the row it got:
// a row so wide (an inner diameter of 3E+30 mm) that its area overflows while its velocity and
// drop come out as 0 would pass for a pipe without any drop. Empty when the result is a real one.
// The drop of a pressurised network is the difference of two absolute pressures: a small flow in
// a wide pipe truly gives 0 there, so only area and velocity are judged in that activity.
std::string DifettoRisultato(const TTronco& t) {
  if (t.Collegato == 0 || t.Eliminato != 0 || !(t.ID_P_TRONCO > 0)) return {};
  if (t.IndiceMateriale < 1 || t.IndiceMateriale > NumMateriali) return {};
  const int16_t r = CercaDiametro(t.IndiceMateriale, t.ID_DIAMETRO);
  if (r == 0) return {};
  const double d = Materiali[static_cast<size_t>(t.IndiceMateriale)][static_cast<size_t>(r)].DiamInterno;
  const float area = static_cast<float>(d * d / 4.0 * 3.1415);
  const float velocita = static_cast<float>(static_cast<double>(t.ID_P_TRONCO) * 1000.0 * 0.3537 / (d * d));
  std::string grandezza;
  if (!std::isfinite(area) || !(area > 0)) {
    grandezza = "la sezione";
  } else if (!std::isfinite(velocita) || !(velocita > 0)) {
    grandezza = "la velocita'";
  } else if (ReteInPressione == 0 && t.ID_EQ_LEN > 0 && !(t.ID_PDC_TRONCO > 0)) {
    grandezza = "la perdita di carico";
  }
  if (grandezza.empty()) return {};
  return "diametro " + t.ID_DIAMETRO + " della tubazione " +
         Materiali[static_cast<size_t>(t.IndiceMateriale)][0].Nome + " con diametro interno " +
         TestoNumero(static_cast<float>(d)) + " mm: " + grandezza + " non e' calcolabile";
}

// The text refusing a calculation whose segments got rows without a real result; empty when
// every segment has one.
std::string RisultatiNonCalcolabili() {
  std::vector<std::pair<int16_t, std::string>> difetti;
  for (int16_t i = 1; i <= ContoTronchi(); ++i) {
    std::string difetto = DifettoRisultato(Tronco(i));
    if (!difetto.empty()) difetti.emplace_back(i, std::move(difetto));
  }
  return RifiutoDiametri(difetti);
}

}  // namespace

bool CalcoloRifiutato() { return Rete().CalcoloRifiutato; }

bool CampoRisultato(int16_t codice) {
  switch (codice) {
    case campo::ID_P_TRONCO:
    case campo::ID_VELOCITA:
    case campo::ID_PDC_TRONCO:
    case campo::ID_PDC_PERCORSO:
    case campo::ID_EQ_LEN:
    case campo::ID_P_KW:
    case campo::ID_P_KCAL:
    case campo::ID_PFINALE:
    case campo::ID_EQLENLOC:
      return true;
    default:
      return false;
  }
}

std::string MotivoRifiutoCalcolo() {
  const std::string difetti = DifettiBloccanti();
  if (!difetti.empty()) {
    return "La rete contiene collegamenti non validi tra i tronchi: calcolo non eseguito." + difetti;
  }
  if (!(GasCorrente.Viscosita > 0) || !(GasCorrente.MassaVolumica > 0)) {
    // A project's gas the archive lacks, left without a substitute: a name without any value.
    const bool senzaValori = GasCorrente.Densita == 0 && GasCorrente.Viscosita == 0 && GasCorrente.PCI == 0;
    if (senzaValori && !Trim(GasCorrente.Nome).empty() && std::none_of(ArchivioGas.begin() + (ArchivioGas.empty() ? 0 : 1),
                                                         ArchivioGas.end(), [](const TGas& g) {
                                                           return StessoNomeGas(g.Nome, GasCorrente.Nome);
                                                         }))
      return "Il gas " + GasCorrente.Nome + " del progetto non e' presente nell'archivio gas: calcolo non eseguito.\n"
             "Scegliere un gas dall'archivio gas.";
    return "Il gas in uso non ha viscosita' o massa volumica: calcolo non eseguito.\n"
           "Scegliere un gas valido dall'archivio gas.";
  }
  return DiametriNonUsabili();
}

namespace {

// What the user entered of the project, as the model holds it: the project's parameters (as text)
// and the entered fields of the segment rows that the reader takes back. The calculation's results
// (flows, drops, velocities, equivalent lengths, and the diameter unless the user fixed it) are
// left out: a load recalculates them, and a result recalculated from inputs read back with fewer
// digits differs in its last digit without anything having changed. So are the derived columns
// the writer adds for the reader's eyes only (powers, appliance type name, inner diameter, end
// pressure, fittings' length) and the end points the schema drawing works out whenever it draws.
// So is the drawn length: the first drawing of a file that never had its schema drawn turns its
// 0s into the default length, while the one edit that changes it on the schema marks the project
// itself.
//
// The record keeps the segment rows as they are and compares their entered fields member by
// member: it is taken before and compared after every calculation of an unmarked project, so it
// costs a small part of the calculation, not a text for every field.
constexpr int16_t TTronco::*InteriImmessi[] = {
    &TTronco::ID_NUM,        &TTronco::ID_NCURVE,       &TTronco::ID_NGOMITI,      &TTronco::ID_DIAMCUSTOM,
    &TTronco::ID_PREV,       &TTronco::ID_LEFT,         &TTronco::ID_RIGHT,        &TTronco::ID_NRACCORDI,
    &TTronco::ID_NRUBINETTI, &TTronco::ID_TIPORACCORDO, &TTronco::TipologiaUtenza, &TTronco::CodiceSvolta,
    &TTronco::ID_CONTEMP,    &TTronco::ID_SPC5,         &TTronco::ID_SPC6,         &TTronco::ID_SPC7,
    &TTronco::ID_SPC8,       &TTronco::ID_SPC9,         &TTronco::ID_SPC10,        &TTronco::Eliminato,
    &TTronco::SlotLibero};
// The entered numbers that the file keeps as singles (seven significant digits).
constexpr float TTronco::*RealiImmessi[] = {&TTronco::ID_P_UTENZE, &TTronco::ID_LEN,     &TTronco::ID_RACCORDO,
                                            &TTronco::ID_PDC_NOTA, &TTronco::ID_PESO,    &TTronco::ID_POTENZA,
                                            &TTronco::ID_EQLENNOTA};
constexpr std::string TTronco::*TestiImmessi[] = {&TTronco::ID_NAME, &TTronco::ID_MATERIALE, &TTronco::ID_RIF,
                                                  &TTronco::ComposizioneUtenza};

}  // namespace

struct ValoriProgetto {
  std::vector<std::string> parametri;
  std::vector<TTronco> tronchi;  // slots 0..ContoTronchi()
  TTenutaImpianto tenuta;
};

namespace {

// The tightness record's figures that its page works out from the rest: the gas family, the
// appliance total, the capacities (from the pipes the calculation sized), the reference values
// and the verdict. What they come from is compared; they are results, like the segments'.
bool CalcolatoDallaPaginaTenuta(const CampoTenuta& c) {
  static constexpr std::string TTenutaImpianto::*testi[] = {
      &TTenutaImpianto::CapacitaImpianto, &TTenutaImpianto::CapacitaTotale, &TTenutaImpianto::ProvaContPRif,
      &TTenutaImpianto::ProvaContDispRif, &TTenutaImpianto::ProvaCDPPrifer, &TTenutaImpianto::ProvaCDPcdpmax};
  static constexpr int16_t TTenutaImpianto::*interi[] = {&TTenutaImpianto::FamigliaGas, &TTenutaImpianto::AppComplessivo,
                                                        &TTenutaImpianto::Risultato};
  for (auto m : testi)
    if (c.testo == m) return true;
  for (auto m : interi)
    if (c.intero == m) return true;
  return false;
}

bool StessaTenuta(const TTenutaImpianto& a, const TTenutaImpianto& b) {
  for (const CampoTenuta& c : CampiTenuta()) {
    if (CalcolatoDallaPaginaTenuta(c)) continue;
    if (c.testo && a.*c.testo != b.*c.testo) return false;
    if (c.intero && a.*c.intero != b.*c.intero) return false;
  }
  return true;
}

std::vector<std::string> ParametriProgetto() {
  return {Riferimento,
          DescrizioneLavoro,
          GasCorrente.Nome,
          PDCMaxUtente > 0 ? TestoStampa(PDCMaxUtente) : TestoStampa(0.0f),
          TestoStampa(ReteInPressione),
          // The user sees and enters the velocity only for a pressurised network.
          ReteInPressione != 0 ? TestoStampa(VelocitaMaxImpostata) : std::string(),
          TestoStampa(PressioneIniziale),
          TestoStampa(PressioneFinale),
          TestoStampa(OrientamentoSorgente),
          PercorsoDocumenti,
          std::to_string(ContoTronchi())};
}

ValoriProgetto LeggiValoriProgetto() {
  ValoriProgetto v;
  v.parametri = ParametriProgetto();
  v.tenuta = TenutaImpianto;
  const int16_t n = ContoTronchi();
  v.tronchi.assign(Rete().Tronchi.begin(), Rete().Tronchi.begin() + (n + 1));
  return v;
}

// The file holds numbers as text: a value recalculated to the same text is no change (a result
// read back from a file has fewer digits than the same result just calculated). Only a number
// that differs is written out to tell.
bool StessoNumero(float a, float b) { return a == b || TestoNumero(a) == TestoNumero(b); }

bool StessiImmessi(const TTronco& a, const TTronco& b) {
  for (auto m : InteriImmessi)
    if (a.*m != b.*m) return false;
  for (auto m : TestiImmessi)
    if (a.*m != b.*m) return false;
  for (auto m : RealiImmessi)
    if (!StessoNumero(a.*m, b.*m)) return false;
  // A diameter the user fixed is his; one the sizing chose is a result.
  return a.ID_DIAMCUSTOM == 0 || a.ID_DIAMETRO == b.ID_DIAMETRO;
}

// True when two records hold the same entries.
bool StessiValori(const ValoriProgetto& a, const ValoriProgetto& b) {
  if (a.tronchi.size() != b.tronchi.size() || !StessaTenuta(a.tenuta, b.tenuta) || a.parametri != b.parametri)
    return false;
  for (size_t i = 0; i < a.tronchi.size(); ++i)
    if (!StessiImmessi(a.tronchi[i], b.tronchi[i])) return false;
  return true;
}

// True when what the user entered of the project now is what record `v` holds.
bool ProgettoCome(const ValoriProgetto& v) {
  const int16_t n = ContoTronchi();
  if (v.tronchi.size() != static_cast<size_t>(n + 1) || !StessaTenuta(v.tenuta, TenutaImpianto) ||
      v.parametri != ParametriProgetto())
    return false;
  for (int16_t slot = 0; slot <= n; ++slot)
    if (!StessiImmessi(v.tronchi[static_cast<size_t>(slot)], Tronco(slot))) return false;
  return true;
}

// The number the reader gets back from the text the writer makes of `v`.
template <typename T>
T RilettoDalFile(T v) {
  return static_cast<T>(ValDot(TestoStampa(v)));
}

// Brings a number to what the file keeps of it; true when that changed it.
template <typename T>
bool ComeNelFile(T& v) {
  if (!std::isfinite(v)) return false;
  const T letto = RilettoDalFile(v);
  if (letto == v) return false;
  v = letto;
  return true;
}

std::optional<ValoriProgetto> valoriSalvati;

// The refusal last told and the project it was told for: the same refusal of the same project
// (a page switch, a redraw, a second calculation with nothing changed) is not told again.
// The gas's own numbers count too: the gas refusal names no value, and the archive may change them.
struct RifiutoDetto {
  std::string motivo;
  ValoriProgetto valori;
  double viscosita, massaVolumica;
  bool Uguale(const RifiutoDetto& altro) const {
    return motivo == altro.motivo && viscosita == altro.viscosita && massaVolumica == altro.massaVolumica &&
           StessiValori(valori, altro.valori);
  }
};
std::optional<RifiutoDetto> ultimoRifiuto;

// Leaves the network without result: the rows show grey, the result cells empty and the reports
// leave them out.
void NessunRisultato(const std::string& motivo) {
  for (int16_t i = 1; i <= ContoTronchi(); ++i) Tronco(i).Collegato = 0;
  Rete().CalcoloRifiutato = true;
  RifiutoDetto rifiuto{motivo, LeggiValoriProgetto(), static_cast<double>(GasCorrente.Viscosita),
                       static_cast<double>(GasCorrente.MassaVolumica)};
  if (ultimoRifiuto && ultimoRifiuto->Uguale(rifiuto)) return;
  ultimoRifiuto = std::move(rifiuto);
  MsgBox(motivo, Bottoni::OK, Icona::Esclamazione);
}

void CalcolaReteSenzaSegnare();

}  // namespace

void ValoriComeNelFile() {
  bool cambiato = false;
  // Every value is brought, not only those up to the first that changes.
  cambiato = ComeNelFile(PDCMaxUtente) || cambiato;
  cambiato = ComeNelFile(VelocitaMaxImpostata) || cambiato;
  cambiato = ComeNelFile(PressioneIniziale) || cambiato;
  cambiato = ComeNelFile(PressioneFinale) || cambiato;
  const int16_t n = ContoTronchi();
  for (int16_t slot = 0; slot <= n; ++slot) {
    TTronco& t = Tronco(slot);
    for (auto m : RealiImmessi) cambiato = ComeNelFile(t.*m) || cambiato;
  }
  if (n > 0 && !MotivoRifiutoCalcolo().empty()) {
    // A network the calculation refuses keeps the results it had, and a reopening reads them from
    // the file: they are kept as the file keeps them, so the next save writes the same.
    for (int16_t slot = 0; slot <= n; ++slot) {
      TTronco& t = Tronco(slot);
      for (float* v : {&t.ID_P_TRONCO, &t.ID_VELOCITA, &t.ID_PDC_TRONCO, &t.ID_PDC_PERCORSO, &t.ID_EQ_LEN,
                       &t.ID_PFINALE})
        ComeNelFile(*v);
    }
    return;
  }
  // Results only where the network had them: a network the user left uncalculated stays so.
  if (!cambiato || n == 0 || Tronco(1).Collegato == 0) return;
  CalcolaReteSenzaSegnare();
}

StatoProgetto::StatoProgetto() : valori_(std::make_unique<ValoriProgetto>(LeggiValoriProgetto())) {}
StatoProgetto::~StatoProgetto() = default;
bool StatoProgetto::Cambiato() const { return !ProgettoCome(*valori_); }

void RicordaProgettoSalvato() { valoriSalvati = LeggiValoriProgetto(); }
void DimenticaProgettoSalvato() {
  valoriSalvati.reset();
  // Another project, or the same read again: its refusal is news to the user.
  ultimoRifiuto.reset();
}

bool ProgettoDiversoDalSalvato() { return valoriSalvati && !ProgettoCome(*valoriSalvati); }

void CalcolaRete() {
  if (Rete().NumTronchi == 0) {
    Rete().CalcoloRifiutato = false;
    ultimoRifiuto.reset();
    return;
  }
  // A project already marked as changed stays so whatever the results: no need to compare them.
  if (ProgettoModificato != 0) {
    CalcolaReteSenzaSegnare();
    return;
  }
  const StatoProgetto prima;
  CalcolaReteSenzaSegnare();
  if (prima.Cambiato() || ProgettoDiversoDalSalvato()) ProgettoModificato = -1;
}

namespace {

void CalcolaReteInterna() {
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    Tronco(i).Collegato = 0;
    // Simultaneity does not apply to an internal installation.
    Tronco(i).ID_CONTEMP = 100;
  }
  CalcolaPortate(1);
  CalcolaLunghezzeEquivalenti(2);
  CalcolaLunghezzePercorso(1, 0);
  CalcoloDiametri();
  CalcolaLunghezzeEquivalenti(1);
  CalcolaLunghezzePercorso(1, 0);
  CalcoloDiametri();
  CalcolaPressioni(1, 0);
  while (OttimizzaDiametri(1) != 0) {
  }
  CalcolaPressioni(1, 0);
  for (int16_t i = 1; i <= ContoTronchi(); ++i) Tronco(i).ID_VELOCITA = CalcolaVelocita(i);
}

void CalcolaReteSenzaSegnare() {
  // A segment whose series moved in the table since it was bound follows it by name; one whose
  // series is gone is refused below rather than calculated with whatever sits at its old index.
  RiassociaSerieTronchi(false);
  Rete().CalcoloRifiutato = false;
  const std::string rifiuto = MotivoRifiutoCalcolo();
  if (!rifiuto.empty()) {
    NessunRisultato(rifiuto);
    return;
  }

  // An infinite drop shown as a number would pass for a result: such a calculation is refused
  // and the network goes back to what it held before it.
  const TRete prima = Rete();
  ImpostaCursore(11);
  if (ReteInPressione != 0) {
    CalcolaReteMP();
  } else {
    CalcolaReteInterna();
  }
  ImpostaCursore(0);
  if (const int16_t s = PrimoTroncoNonFinito(); s != 0) {
    Rete() = prima;
    NessunRisultato("Il calcolo del tronco " + std::to_string(s) +
                    " supera i valori rappresentabili: calcolo non eseguito.\n"
                    "Controllare portate, lunghezze e diametri dei tronchi.");
  } else if (const std::string difetti = RisultatiNonCalcolabili(); !difetti.empty()) {
    Rete() = prima;
    NessunRisultato(difetti);
  } else {
    // Calculated: the next refusal, whatever it is, is news.
    ultimoRifiuto.reset();
  }
}

}  // namespace

float CalcolaPortate(int16_t s) { return CalcolaPortateRic(s, 0); }

void CalcolaLunghezzeEquivalenti(int16_t modo) {
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) LunghezzaEquivalenteTronco(modo, i);
}

void CalcolaLunghezzeEquivalenti(int16_t modo, int16_t s) { LunghezzaEquivalenteTronco(modo, s); }

void CalcolaLunghezzePercorso(int16_t s, float monte) { CalcolaLunghezzePercorsoRic(s, monte, 0); }

void CalcolaPressioni(int16_t s, float monte) { CalcolaPressioniRic(s, monte, 0); }

float PerditaUnitaria(float D, float Q) {
  const double nu = GasCorrente.Viscosita;
  if (D <= 0 || Q <= 0 || nu <= 0) return 0;
  const double d = D;
  const double q = Q;
  const double re = q / (0.785398163398 * d * 3600.0 * nu);
  const double lambda = 0.0072 + 0.612 / std::pow(re, 0.35) + 0.000029 * std::pow(re, 0.109) / d;
  const double rho = GasCorrente.MassaVolumica;
  const double j = lambda * rho * (q * q) / (std::pow(3.1415, 2.0) * 1620000.0 * std::pow(d, 5.0));
  return static_cast<float>(j);
}

float CalcolaVelocita(int16_t s) {
  if (!InTabella(s)) return 0;
  const TTronco& t = Tronco(s);
  const float d = DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
  if (d <= 0) return 0;
  const double dd = d;
  return static_cast<float>(static_cast<double>(t.ID_P_TRONCO) * 1000.0 * 0.3537 / (dd * dd));
}

float PDCMassima() {
  if (PDCMaxUtente > 0) return static_cast<float>(PDCMaxUtente);
  const float pq = GasCorrente.PCI * Tronco(1).ID_P_TRONCO;
  const float potenza = static_cast<float>(static_cast<double>(pq) * (1.0 / 3.6));
  const int16_t riga = potenza <= SogliaPotenzaPDC ? 1 : 2;
  const int16_t famiglia = GasCorrente.Famiglia;
  if (famiglia < 0 || famiglia > 3) return 0;
  return PDCMaxTabella[static_cast<size_t>(riga)][static_cast<size_t>(famiglia)];
}

bool VerificaPDC() {
  const float massima = PDCMassima();
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    // A detached segment keeps stale drops that say nothing about this network.
    if (Tronco(i).Collegato == 0) continue;
    if (Tronco(i).ID_PDC_PERCORSO > massima) return false;
  }
  return true;
}

void PercorsoSfavorito(std::vector<int16_t>& percorso) {
  percorso.assign(1, 0);
  int16_t scelto = 0;
  float massimo = 0;
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    const TTronco& t = Tronco(i);
    if (!(t.ID_PREV > 0 || i == 1) || t.Collegato == 0) continue;
    if (t.ID_PDC_PERCORSO > massimo) {
      massimo = t.ID_PDC_PERCORSO;
      scelto = i;
    }
  }
  for (int16_t s = scelto; s != 0 && InTabella(s) && percorso.size() <= ProfonditaMassima;
       s = Tronco(s).ID_PREV) {
    percorso.push_back(s);
  }
}

double Log10(double x) { return std::log(x) / std::log(10.0); }

int16_t MinLong(int32_t a, int32_t b) {
  const int32_t m = a < b ? a : b;
  if (m > INT16_MAX) return INT16_MAX;
  if (m < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(m);
}

int16_t MinInteger(int16_t a, int16_t b) { return a < b ? a : b; }

bool IsNotControlChar(const std::string& s) {
  if (s.empty()) return false;
  return s[0] != '\r' && s[0] != '\b';
}

std::string RimuoviControlChars(const std::string& testo) {
  std::string r;
  r.reserve(testo.size());
  for (char c : testo) {
    if (c != '\r' && c != '\b') r += c;
  }
  return r;
}

void AvvisoOkAnnulla(const std::string& messaggio) { MsgBox(messaggio, Bottoni::OKAnnulla, Icona::Esclamazione); }

}  // namespace varnex
