#include "editor/tabella.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/calcolo.h"
#include "model/campi.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"

namespace varnex {

namespace {

bool CodiceNumerico(char c) { return c == '#' || c == '0' || c == '.' || c == ','; }

// CInt of a double: nearest, halves to even, kept inside 32 bits.
int CInt(double x) {
  const double r = ArrotondaPari(x);
  if (!(r == r)) return 0;
  if (r > 2147483647.0) return 2147483647;
  if (r < -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(r);
}

const TColonnaGriglia& Colonna(int16_t layout, int16_t colonna) {
  static const TColonnaGriglia vuota{};
  if (layout < 0 || layout >= NumLayoutGriglia || colonna < 0 || colonna >= MaxColonneGriglia) return vuota;
  return ColonneGriglia[static_cast<size_t>(layout)][static_cast<size_t>(colonna)];
}

int16_t NumeroDerivazioni(int16_t slot) {
  const TTronco& t = Tronco(slot);
  return static_cast<int16_t>((t.ID_LEFT != 0 ? 1 : 0) + (t.ID_RIGHT != 0 ? 1 : 0));
}

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

std::string IntestazioneColonna(int16_t layout, int16_t colonna) {
  const TColonnaGriglia& c = Colonna(layout, colonna);
  return c.Titolo + "\r" + c.Unita;
}

std::vector<int> LarghezzeColonne(int16_t layout, int larghezza) {
  const int16_t n = static_cast<int16_t>(ColonneLayout(layout) - 1);
  long somma = 0;
  for (int16_t j = 0; j <= n; ++j) somma += Colonna(layout, j).PesoColonna;
  // A layout whose weights add up to nothing gets no width unit rather than a division by zero.
  const long unita = somma > 0 ? CInt(static_cast<double>(larghezza - 377) / static_cast<double>(somma)) : 0;
  std::vector<int> larghezze;
  for (int16_t j = 0; j <= n; ++j) {
    long w = unita * Colonna(layout, j).PesoColonna;
    if (j == 0) w += 100;
    if (j == 1) w -= 100;
    larghezze.push_back(static_cast<int>(std::max<long>(0, w)));
  }
  return larghezze;
}

std::vector<int> AllargaAlMinimo(std::vector<int> larghezze, const std::vector<int>& minime) {
  const size_t n = std::min(larghezze.size(), minime.size());
  long manca = 0, avanzo = 0;
  for (size_t j = 1; j < n; ++j) {
    if (larghezze[j] < minime[j])
      manca += minime[j] - larghezze[j];
    else
      avanzo += larghezze[j] - minime[j];
  }
  if (manca == 0 || avanzo == 0) return larghezze;
  // Not enough room for every minimum: each narrow column gets the same share of what it lacks.
  const double quota = std::min(1.0, static_cast<double>(avanzo) / static_cast<double>(manca));
  const double prelievo = std::min(1.0, static_cast<double>(manca) / static_cast<double>(avanzo));
  long dato = 0, preso = 0;
  size_t ultimaLarga = 0;
  for (size_t j = 1; j < n; ++j) {
    if (larghezze[j] < minime[j]) {
      const int d = static_cast<int>(std::floor((minime[j] - larghezze[j]) * quota));
      larghezze[j] += d;
      dato += d;
    } else if (larghezze[j] > minime[j]) {
      const int p = static_cast<int>(std::floor((larghezze[j] - minime[j]) * prelievo));
      larghezze[j] -= p;
      preso += p;
      ultimaLarga = j;
    }
  }
  // Rounding: what was taken beyond what was given goes back to the last wide column.
  if (ultimaLarga > 0) larghezze[ultimaLarga] += static_cast<int>(preso - dato);
  return larghezze;
}

CellaTabella CellaFormattata(int16_t layout, int16_t colonna) {
  const TColonnaGriglia& c = Colonna(layout, colonna);
  CellaTabella cella;
  if (c.IdCampo == campo::ID_DIAMETRO) cella.ColoreSfondo = colore::GialloChiaro;
  cella.ColoreTesto = c.SolaLettura != 0 ? colore::Blu : colore::Nero;
  return cella;
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

CellaTabella CellaAggiornata(int16_t slot, int16_t layout, int16_t colonna, const CellaTabella& base) {
  const TColonnaGriglia& c = Colonna(layout, colonna);
  const TTronco& t = Tronco(slot);
  const ValoreCampo x = GetField(slot, c.IdCampo);
  const double v = NumeroCampo(x);
  const bool vuoto = t.Eliminato != 0 && t.SlotLibero != 0;
  const bool terminale = IsTerminale(slot);

  CellaTabella cella = base;
  cella.Grassetto = false;
  cella.Testo = vuoto ? std::string() : Trim(FormatMaschera(x, c.Formato));
  // A parent typed on a blank row waits there for the row to become a segment: it stays in sight.
  if (vuoto && c.IdCampo == campo::ID_PREV && t.ID_PREV != 0) cella.Testo = Trim(FormatMaschera(x, c.Formato));
  cella.ColoreTesto = t.Collegato != 0 ? colore::Nero : colore::GrigioChiaro;

  switch (c.IdCampo) {
    case campo::ID_P_UTENZE:
      cella.ColoreSfondo = colore::Bianco;
      if (v == 0) {
        if (!vuoto) cella.Testo = Trim(FormatMaschera(GetField(slot, campo::ID_P_TRONCO), c.Formato));
        cella.ColoreTesto = NumeroDerivazioni(slot) == 0 ? colore::Nero : colore::Blu;
      } else {
        cella.ColoreTesto = colore::Nero;
      }
      if (!terminale && t.ID_CONTEMP < 100) cella.ColoreTesto = colore::Rosso;
      break;
    case campo::ID_DIAMETRO: {
      const bool avviso = OltreLimite(slot, c.IdCampo, cella.Testo);
      cella.ColoreSfondo = avviso ? colore::RossoScuro : colore::GialloChiaro;
      if (avviso) {
        cella.ColoreTesto = colore::Bianco;
        cella.Grassetto = true;
      } else {
        cella.ColoreTesto = t.ID_DIAMCUSTOM != 0 ? colore::RossoScuro : colore::Nero;
      }
      break;
    }
    case campo::ID_VELOCITA:
      cella.ColoreSfondo = colore::Bianco;
      if (NonCalcolabile(slot, c.IdCampo)) {
        cella.ColoreTesto = colore::Rosso;
        if (!vuoto) cella.Testo = TestoNonCalcolabile;
        break;
      }
      cella.ColoreTesto = OltreLimite(slot, c.IdCampo, cella.Testo) ? colore::Rosso : colore::Blu;
      break;
    case campo::ID_PDC_TRONCO:
      cella.ColoreSfondo = colore::Bianco;
      if (NonCalcolabile(slot, c.IdCampo)) {
        cella.ColoreTesto = colore::Rosso;
        if (!vuoto) cella.Testo = TestoNonCalcolabile;
      } else {
        cella.ColoreTesto = colore::Blu;
      }
      break;
    case campo::ID_PDC_PERCORSO:
      cella.ColoreSfondo = colore::Bianco;
      if (NonCalcolabile(slot, c.IdCampo)) {
        cella.ColoreTesto = colore::Rosso;
        if (!vuoto) cella.Testo = TestoNonCalcolabile;
        break;
      }
      cella.ColoreTesto = OltreLimite(slot, c.IdCampo, cella.Testo) ? colore::Rosso : colore::Nero;
      break;
    case campo::ID_RIF:
      cella.ColoreSfondo = colore::Bianco;
      cella.ColoreTesto = colore::Nero;
      break;
    case campo::ID_EQ_LEN:
      cella.ColoreSfondo = colore::Bianco;
      cella.ColoreTesto = colore::Blu;
      break;
    case campo::ID_PFINALE:
      cella.ColoreSfondo = colore::Bianco;
      cella.ColoreTesto = OltreLimite(slot, c.IdCampo, cella.Testo) ? colore::Rosso : colore::Blu;
      if (NonCalcolabile(slot, c.IdCampo)) {
        cella.ColoreTesto = colore::Rosso;
        if (!vuoto) cella.Testo = TestoNonCalcolabile;
      }
      if (!terminale) cella.Testo.clear();
      break;
    default:
      break;
  }
  // A refused calculation worked nothing out: what the segment holds of results (the file's, or an
  // earlier run's) is not shown beside the refusal as if it were this network's.
  if (CalcoloRifiutato() && (CampoRisultato(c.IdCampo) || (c.IdCampo == campo::ID_P_UTENZE && v == 0)))
    cella.Testo.clear();
  if (t.Collegato == 0) cella.ColoreTesto = colore::GrigioChiaro;
  return cella;
}

std::string TestoGrezzo(int16_t slot, int16_t layout, int16_t colonna) {
  return TestoCampo(GetField(slot, Colonna(layout, colonna).IdCampo));
}

int16_t RigheNecessarie(int16_t righeAttuali) {
  const int16_t servono = static_cast<int16_t>(ContoTronchi() + 2);
  return std::max<int16_t>({righeAttuali, servono, RigheInizialiTabella});
}

SelezioneRighe LimitaSelezione(int16_t corrente, int16_t fineSelezione, int16_t numTronchi) {
  SelezioneRighe s{corrente, fineSelezione};
  if (s.Ultima > numTronchi && (s.Ultima > numTronchi + 1 || s.Prima < s.Ultima)) s.Ultima = numTronchi;
  return s;
}

DimensioniEditor CalcolaDimensioniEditor(int altezza, int larghezza, int barra, int altoSchema) {
  DimensioniEditor d;
  if (altezza > 7930) {
    d.AltezzaSchede = altezza - barra - 1500;
    d.AltezzaTabella = d.AltezzaSchede - 200;
    d.AltezzaSchema = d.AltezzaSchede - 1000;
    d.AltezzaLogica = d.AltezzaSchede - 1960;
    d.AltoPalette = altoSchema + d.AltezzaSchema + 420;
  } else {
    d.AltezzaSchede = 8930 - barra - 1500;
    d.AltezzaTabella = 6350;
    d.AltezzaSchema = 6170;
    d.AltezzaLogica = 6170;
    d.AltoPalette = 6025;
  }
  if (larghezza > 12150) {
    d.LarghezzaSchede = larghezza - 150;
    d.LarghezzaTabella = d.LarghezzaSchede - 350;
    d.LarghezzaSchema = d.LarghezzaSchede - 650;
  } else {
    d.LarghezzaSchede = 12000;
    d.LarghezzaTabella = 11600;
    d.LarghezzaSchema = 11000;
  }
  d.LarghezzaLogica = d.LarghezzaSchema;
  return d;
}

int16_t LimitaZoom(int16_t passo) { return std::clamp(passo, ZoomMinimo, ZoomMassimo); }

double FattoreScala(int16_t passo) { return std::pow(0.9, static_cast<double>(passo)); }

std::string TestoZoom(int16_t passo) { return FormatNumero(100.0 / FattoreScala(passo), 0); }

BarraScorrimento BarraDopoZoom(const BarraScorrimento& prima, double scala, int base) {
  const double quota = prima.Massimo != 0 ? static_cast<double>(prima.Valore) / prima.Massimo : 0.0;
  BarraScorrimento b;
  b.Minimo = 0;
  b.Massimo = CInt(scala * base / 10.0);
  b.Valore = CInt(b.Massimo * quota);
  b.PassoGrande = CInt(b.Massimo / 10.0);
  b.PassoPiccolo = CInt(b.Massimo / 40.0);
  return b;
}

BarraScorrimento BarraIniziale(double estensione, double fattoreMassimo, double fattoreValore) {
  BarraScorrimento b;
  b.Minimo = 0;
  b.Massimo = CInt(estensione * fattoreMassimo / 10.0);
  b.Valore = CInt(estensione * fattoreValore / 10.0);
  b.PassoGrande = CInt(b.Massimo / 10.0);
  b.PassoPiccolo = CInt(b.Massimo / 40.0);
  return b;
}

std::vector<std::string> ElencoGasSelettore() {
  std::vector<std::string> nomi;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (ReteInPressione || g.NonCombustibile == 0) nomi.push_back(g.Nome);
  }
  return nomi;
}

}  // namespace varnex
