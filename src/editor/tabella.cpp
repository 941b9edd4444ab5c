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

}  // namespace

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
