#include "model/giudizi.h"

#include <optional>

#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"

namespace varnex {

namespace {

bool CodiceNumerico(char c) { return c == '#' || c == '0' || c == '.' || c == ','; }

// The text of a number as the system's regional conversion reads it (decimal comma), or the
// file form with a point.
std::optional<double> NumeroTesto(const std::string& testo) {
  if (auto v = LeggiRegionale(testo)) return v;
  return std::nullopt;
}

}  // namespace

std::string FormatMaschera(const ValoreCampo& valore, std::string_view maschera) {
  if (IsVuoto(valore)) return {};
  if (maschera.empty() || maschera.find('@') != std::string_view::npos) return TestoCampo(valore);
  // Literal text before and after the digit codes is kept as it is ("##0.000 bar").
  size_t inizio = 0;
  while (inizio < maschera.size() && !CodiceNumerico(maschera[inizio])) ++inizio;
  if (inizio == maschera.size()) return TestoCampo(valore);
  size_t fine = inizio;
  while (fine < maschera.size() && CodiceNumerico(maschera[fine])) ++fine;
  const std::string_view prefisso = maschera.substr(0, inizio);
  const std::string_view numero = maschera.substr(inizio, fine - inizio);
  const std::string_view suffisso = maschera.substr(fine);

  int decimali = 0;
  int cifreIntere = 0;
  const size_t punto = numero.find('.');
  for (size_t i = 0; i < numero.size(); ++i) {
    if (numero[i] != '0' && numero[i] != '#') continue;
    if (punto != std::string_view::npos && i > punto)
      ++decimali;
    else if (numero[i] == '0')
      ++cifreIntere;
  }

  double x = 0;
  if (const auto* s = std::get_if<std::string>(&valore)) {
    const auto v = NumeroTesto(*s);
    if (!v) return *s;  // a text that is not a number stays as it is
    x = *v;
  } else if (const auto* f = std::get_if<float>(&valore)) {
    x = static_cast<double>(*f);
  } else {
    x = NumeroCampo(valore);
  }
  std::string testo = std::holds_alternative<float>(valore) ? FormatNumero(std::get<float>(valore), decimali)
                                                            : FormatNumero(x, decimali);
  // Leading zeros asked by the mask ("00.0").
  const bool negativo = !testo.empty() && testo[0] == '-';
  std::string corpo = negativo ? testo.substr(1) : testo;
  const size_t virgola = corpo.find(',');
  const int intere = static_cast<int>(virgola == std::string::npos ? corpo.size() : virgola);
  if (intere < cifreIntere) corpo.insert(0, static_cast<size_t>(cifreIntere - intere), '0');
  testo = (negativo ? "-" : "") + corpo;
  return std::string(prefisso) + testo + std::string(suffisso);
}

int16_t LayoutAttivita() { return ReteInPressione ? 5 : 0; }

int16_t ColonneLayout(int16_t layout) {
  if (layout < 0 || layout >= NumLayoutGriglia) return 1;
  return static_cast<int16_t>(std::max<int>(1, UltimaColonnaGriglia[static_cast<size_t>(layout)] + 1));
}

bool NonCalcolabile(int16_t slot, int16_t codice) {
  if (slot < 0 || slot > MaxTronchi) return false;
  const TTronco& t = Tronco(slot);
  switch (codice) {
    case campo::ID_PDC_TRONCO: return t.ID_PDC_TRONCO < 0;
    case campo::ID_PFINALE: return t.ID_PDC_TRONCO < 0 || t.ID_PFINALE < 0;
    case campo::ID_PDC_PERCORSO: return t.ID_PDC_TRONCO < 0 || t.ID_PDC_PERCORSO < 0;
    // A failed segment and those below it have no pressures to work a velocity out from.
    case campo::ID_VELOCITA: return t.ID_PDC_TRONCO < 0 || t.ID_PDC_PERCORSO < 0;
    // A segment the sizing never reached has no diameter of this calculation.
    case campo::ID_DIAMETRO:
    case campo::ID_DIAMETRO_INTERNO: return t.ID_PDC_TRONCO < 0 && Trim(t.ID_DIAMETRO).empty();
    default: return false;
  }
}

std::string MotivoReteNonDimensionata() {
  if (CalcoloRifiutato()) return {};
  const int16_t n = ContoTronchi();
  int16_t strozzato = 0;
  bool nonCalcolati = false, collegati = false;
  for (int16_t s = 1; s <= n; ++s) {
    const TTronco& t = Tronco(s);
    if (t.Collegato == 0) continue;
    collegati = true;
    if (!NonCalcolabile(s, campo::ID_PDC_TRONCO)) continue;
    nonCalcolati = true;
    // Where the failure starts: its parent (if any) was computed.
    const int16_t padre = t.ID_PREV;
    const bool padreCalcolato = padre < 1 || padre > MaxTronchi || !NonCalcolabile(padre, campo::ID_PDC_TRONCO);
    if (padreCalcolato && strozzato == 0) strozzato = s;
  }
  // With no pressure to spend the network cannot be sized even where each pipe got a value (the
  // widest diameter of its series, marked): that is said as well, not only the "n.c." cells.
  const bool senzaSalto = ReteInPressione && PressioneFinale >= PressioneIniziale;
  if (!nonCalcolati && !(senzaSalto && collegati)) return {};
  const std::string coda =
      nonCalcolati ? "; i valori non calcolati sono indicati con \"" + std::string(TestoNonCalcolabile) + "\"." : ".";
  if (senzaSalto)
    return "La rete non è dimensionata: la pressione relativa minima finale (" + FormatNumero(PressioneFinale, 2) +
           " kPa) " + (PressioneFinale > PressioneIniziale ? "supera la" : "è pari alla") + " pressione relativa iniziale (" +
           FormatNumero(PressioneIniziale, 2) + " kPa)" + coda;
  if (strozzato != 0)
    return "La rete non è dimensionata: nessun diametro della serie del tronco " + std::to_string(strozzato) +
           " ne porta la portata con la pressione disponibile" + coda;
  return "La rete non è dimensionata" + coda;
}

bool AvvisoDiametro(int16_t slot, const std::string& testo) {
  if (slot < 0 || slot > MaxTronchi) return false;
  const TTronco& t = Tronco(slot);
  const int16_t m = t.IndiceMateriale;
  std::string ultimo;
  if (m >= 1 && m <= NumMateriali) {
    const TSerieMateriale& serie = Materiali[static_cast<size_t>(m)];
    const int16_t n = serie[0].NumDiametri;
    if (n >= 1 && n <= MaxDiametri) ultimo = serie[static_cast<size_t>(n)].RifDiametro;
  }
  if (testo == "Auto" || testo.empty() || ultimo.empty()) return false;
  // Compared by inner diameter: the series' labels ("54x2", 1/2") are seldom plain numbers, and
  // compared as numbers the warning never came for them.
  const float interno = DiametroInterno(m, testo);
  const bool fuoriSerieOUltimo = interno == 0 || interno >= DiametroInterno(m, ultimo);
  if (!fuoriSerieOUltimo) return false;
  // The path and velocity judged as their own cells are: a choked path ("n.c.") is over the limit.
  return OltreLimite(slot, campo::ID_PDC_PERCORSO, {}) || OltreLimite(slot, campo::ID_VELOCITA, {});
}

double BudgetPressione() { return PressioneIniziale - PressioneFinale; }

double LimitePerditaPercorso() {
  // A network's drops are in kPa and may use up what lies between its two pressures; the
  // maximum drop in Pa belongs to internal installations.
  if (ReteInPressione) return BudgetPressione();
  // Exactly the maximum the sizing worked to: a design sized within 30,5 Pa is not failing at 30.
  return PDCMassima();
}

std::string TestoLimitePerditaPercorso() {
  if (ReteInPressione) return FormatNumero(BudgetPressione(), 3) + " kPa";
  return TestoNumero(PDCMassima()) + " Pa";
}

bool OltreLimite(int16_t slot, int16_t idCampo, const std::string& testo) {
  // Without a result there is nothing to judge.
  if (slot < 0 || slot > MaxTronchi || CalcoloRifiutato()) return false;
  const double v = NumeroCampo(GetField(slot, idCampo));
  switch (idCampo) {
    case campo::ID_DIAMETRO: return AvvisoDiametro(slot, testo);
    case campo::ID_VELOCITA: return ReteInPressione && v > VelocitaMaxImpostata;
    // A path the calculation could not carry to its end has used up more than it may.
    case campo::ID_PDC_PERCORSO: return NonCalcolabile(slot, idCampo) || v > LimitePerditaPercorso();
    case campo::ID_PFINALE: return v < PressioneFinale;
    default: return false;
  }
}

}  // namespace varnex
