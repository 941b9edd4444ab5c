#include "model/calcolo_mp.h"

#include <vector>

#include "model/calcolo.h"
#include "model/dimensionamento.h"
#include "model/formule_mp.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"

namespace varnex {

namespace {

// Provisional inner diameter of the first equivalent lengths, before any row is chosen (mm).
constexpr float DiametroProvvisorio = 200.0f;
// No tree of 200 segments is deeper than this; a longer walk is going round a loop.
constexpr int ProfonditaMassima = MaxTronchi + 1;

bool InTabella(int32_t slot) { return slot >= 0 && slot <= MaxTronchi; }

TDimensionamento& Stato(int16_t slot) { return StatoDimensionamento[static_cast<size_t>(slot)]; }

// The segment's pipe series, or nullptr when its index names none.
const TSerieMateriale* Serie(int16_t s) {
  const int16_t m = Tronco(s).IndiceMateriale;
  if (m < 0 || m > MaxMateriali) return nullptr;
  return &Materiali[static_cast<size_t>(m)];
}

int16_t NumeroRighe(const TSerieMateriale* serie) {
  if (serie == nullptr) return 0;
  const int16_t n = (*serie)[0].NumDiametri;
  if (n < 0) return 0;
  return n > MaxDiametri ? MaxDiametri : n;
}

int16_t TipoFormula(const TSerieMateriale* serie) { return serie == nullptr ? 0 : (*serie)[0].TipoFormula; }

// The row whose label equals the segment's label, 0 when none.
int16_t RigaDiametro(const TSerieMateriale* serie, const std::string& dn) {
  const int16_t n = NumeroRighe(serie);
  if (dn.empty()) return 0;
  for (int16_t r = 1; r <= n; ++r) {
    if ((*serie)[static_cast<size_t>(r)].RifDiametro == dn) return r;
  }
  return 0;
}

float DiametroRiga(const TSerieMateriale* serie, int16_t r) {
  if (serie == nullptr || r < 1 || r > NumeroRighe(serie)) return 0;
  return (*serie)[static_cast<size_t>(r)].DiamInterno;
}

// Velocity at normal conditions corrected to the mean absolute pressure of the segment (kPa).
double VelocitaMedia(float q, float dMm, double pFinale, double pIniziale) {
  const double d = dMm;
  return static_cast<double>(q) * 1000.0 * 0.3537 / (d * d) * 2.0 * 101.325 / (pFinale + pIniziale + 202.65);
}

void LunghezzaEquivalenteTronco(int16_t modo, int16_t s) {
  if (!InTabella(s)) return;
  TTronco& t = Tronco(s);
  const float d = modo == 1 ? DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO) : DiametroProvvisorio;
  float k[11];
  for (int16_t f = 1; f <= 10; ++f) k[f] = LunghezzaEquivalenteRete(f, d);
  // Summed in single precision, in this order.
  float l = static_cast<float>(t.ID_NCURVE) * k[1];
  l = l + t.ID_LEN;
  l = l + static_cast<float>(t.ID_NGOMITI) * k[3];
  l = l + static_cast<float>(t.ID_NRACCORDI) * k[2];
  l = l + static_cast<float>(t.ID_NRUBINETTI) * k[4];
  l = l + static_cast<float>(t.ID_SPC5) * k[5];
  l = l + static_cast<float>(t.ID_SPC6) * k[6];
  l = l + static_cast<float>(t.ID_SPC7) * k[7];
  l = l + static_cast<float>(t.ID_SPC8) * k[8];
  l = l + static_cast<float>(t.ID_SPC9) * k[9];
  l = l + static_cast<float>(t.ID_SPC10) * k[10];
  l = l + t.ID_EQLENNOTA;
  t.ID_EQ_LEN = l;
}

// Sizes the path of member m; returns how many of its segments were sized by this call.
int DimensionaPercorsoConta(int16_t m, float& lunghezza) {
  if (m < 1 || m > MaxTronchi) return 0;
  // The path from the segment nearest the source down to m, and the first sized ancestor.
  std::vector<int16_t> percorso;
  percorso.push_back(m);
  int16_t a = Tronco(m).ID_PREV;
  while (a != 0) {
    if (!InTabella(a) || static_cast<int>(percorso.size()) > ProfonditaMassima) {
      a = 0;
      break;
    }
    if (Stato(a).Dimensionato != 0) break;
    percorso.push_back(a);
    a = Tronco(a).ID_PREV;
  }

  float budget = static_cast<float>(PressioneIniziale - PressioneFinale);
  double pressione = PressioneIniziale;
  if (a != 0) {
    lunghezza = lunghezza - Stato(a).LunghezzaResidua;
    pressione = Stato(a).PressioneUscita;
    budget = static_cast<float>(static_cast<double>(budget) - (PressioneIniziale - pressione));
  }

  int dimensionati = 0;
  for (auto it = percorso.rbegin(); it != percorso.rend(); ++it) {
    const int16_t s = *it;
    TTronco& t = Tronco(s);
    t.PInizialeTronco = static_cast<float>(pressione);
    if (budget >= 0) {
      ScegliDiametroMP(s, budget, lunghezza);
    } else {
      t.ID_PDC_TRONCO = -1;
      Stato(s).Dimensionato = -1;
      // Not sized: a diameter left by an earlier calculation is no result of this one.
      if (t.ID_DIAMCUSTOM != -1) t.ID_DIAMETRO.clear();
    }
    budget = budget - t.ID_PDC_TRONCO;
    if (t.ID_PDC_TRONCO >= 0) {
      t.ID_PFINALE = t.PInizialeTronco - t.ID_PDC_TRONCO;
    } else {
      // Everything further down the path fails too. The end pressure is the failure's mark at
      // once: a child sized later starts from it, never from what an earlier calculation left.
      t.ID_PFINALE = -1;
      budget = -1;
    }
    pressione = pressione - static_cast<double>(t.ID_PDC_TRONCO);
    Stato(s).PressioneUscita = static_cast<float>(pressione);
    lunghezza = lunghezza - t.ID_EQ_LEN;
    if (Stato(s).Dimensionato != 0) ++dimensionati;
  }
  return dimensionati;
}

void PropagaGuastiRic(int16_t s, int profondita) {
  if (!InTabella(s) || profondita > ProfonditaMassima) return;
  TTronco& t = Tronco(s);
  const int16_t figli[2] = {t.ID_LEFT, t.ID_RIGHT};
  if (t.ID_PDC_TRONCO >= 0) {
    for (int16_t c : figli) {
      if (c > 0) PropagaGuastiRic(c, profondita + 1);
    }
    return;
  }
  t.ID_PFINALE = -1;
  for (int16_t c : figli) {
    if (c > 0 && InTabella(c)) {
      Tronco(c).ID_PDC_TRONCO = -1;
      PropagaGuastiRic(c, profondita + 1);
    }
  }
}

}  // namespace

void CalcolaReteMP() {
  const int16_t n = ContoTronchi();
  if (n == 0) return;
  for (int16_t i = 1; i <= n; ++i) {
    Tronco(i).Collegato = 0;
    // Simultaneity belongs to inner segments; an end segment carries its appliance in full.
    if (IsTerminale(i)) Tronco(i).ID_CONTEMP = 100;
  }
  CalcolaPortate(1);
  CalcolaLunghezzeEquivalentiMP(2);
  CalcolaLunghezzePercorso(1, 0);
  DimensionaMP();
  CalcolaPressioni(1, 0);
  for (int16_t i = 1; i <= ContoTronchi(); ++i) Tronco(i).ID_VELOCITA = CalcolaVelocitaMP(i);
  PropagaGuasti(1);
}

void CalcolaLunghezzeEquivalentiMP(int16_t modo) {
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) LunghezzaEquivalenteTronco(modo, i);
}

void CalcolaLunghezzeEquivalentiMP(int16_t modo, int16_t s) { LunghezzaEquivalenteTronco(modo, s); }

void DimensionaMP() {
  Stato(0).PressioneUscita = static_cast<float>(PressioneIniziale);
  Tronco(0).ID_PFINALE = static_cast<float>(PressioneIniziale);
  Tronco(1).PInizialeTronco = static_cast<float>(PressioneIniziale);
  CostruisciListaUtenze();
  if (ListaUtenze.Count() > 0) {
    float lunghezza = ListaUtenze.Key(1);
    DimensionaPercorsoConta(ListaUtenze.Item(1), lunghezza);
    // A member whose path sizes nothing twice running would be handed back for ever (its inlet
    // pressure below 0, or no length left anywhere on its path): it is set aside as handled.
    int16_t precedente = 0;
    bool precedenteVuoto = false;
    for (;;) {
      const int16_t m = PrimoNonDimensionato();
      if (m < 1 || m > MaxTronchi) break;
      const bool vuoto = DimensionaPercorsoConta(m, Stato(m).LunghezzaResidua) == 0;
      if (vuoto && precedenteVuoto && m == precedente) Stato(m).Dimensionato = -1;
      precedente = m;
      precedenteVuoto = vuoto;
    }
  }
  DimensionaRestoMP();
}

void DimensionaPercorsoMP(int16_t m, float& lunghezza) { DimensionaPercorsoConta(m, lunghezza); }

void ScegliDiametroMP(int16_t s, float budget, float lunghezza) {
  if (s < 1 || s > MaxTronchi) return;
  TTronco& t = Tronco(s);
  if (lunghezza == 0) return;
  const float p1 = t.PInizialeTronco;
  if (p1 < 0) {
    t.ID_PDC_TRONCO = -1;
    if (t.ID_DIAMCUSTOM != -1) t.ID_DIAMETRO.clear();
    return;
  }
  const float q = t.ID_P_TRONCO;
  const TSerieMateriale* serie = Serie(s);
  const int16_t tipo = TipoFormula(serie);
  const float consentita = budget / lunghezza;

  bool accettata = false;
  if (t.ID_DIAMCUSTOM != -1) {
    t.ID_PDC_TRONCO = 0;
    t.ID_DIAMETRO.clear();
    if (q > 0 && t.ID_EQ_LEN > 0) {
      const int16_t righe = NumeroRighe(serie);
      for (int16_t r = 1; r <= righe && t.ID_DIAMETRO.empty(); ++r) {
        const float dr = DiametroRiga(serie, r);
        // A row without a usable inner diameter would show a network without any drop.
        if (!(dr > 0)) continue;
        const float unitaria = PerditaUnitariaMP(dr / 1000.0f, q, p1, tipo);
        if (unitaria < 0 || unitaria > consentita) continue;
        t.ID_DIAMETRO = (*serie)[static_cast<size_t>(r)].RifDiametro;
        CalcolaLunghezzeEquivalentiMP(1, s);
        t.ID_PDC_TRONCO = PerditaMP(p1, DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO) / 1000.0f, q, t.ID_EQ_LEN, tipo);
        t.ID_PFINALE = p1 - t.ID_PDC_TRONCO;
        const double v = VelocitaMedia(q, dr, t.ID_PFINALE, p1);
        const float perMetro = t.ID_PDC_TRONCO / t.ID_EQ_LEN;
        // A row too narrow for the velocity limit is passed over even when its drop fits.
        accettata = t.ID_PDC_TRONCO >= 0 && v <= static_cast<double>(VelocitaMaxImpostata) && perMetro <= consentita;
        if (!accettata) t.ID_DIAMETRO.clear();
      }
      if (t.ID_DIAMETRO.empty() && q > 0 && t.ID_EQ_LEN > 0) {
        // No row fits: the widest one, with the equivalent length and drop of that very row so
        // that the drop shown belongs to the diameter shown.
        int16_t ultima = righe;
        while (ultima > 0 && !(DiametroRiga(serie, ultima) > 0)) --ultima;
        t.ID_DIAMETRO = ultima > 0 ? (*serie)[static_cast<size_t>(ultima)].RifDiametro : std::string();
        CalcolaLunghezzeEquivalentiMP(1, s);
        t.ID_PDC_TRONCO = PerditaMP(p1, DiametroRiga(serie, ultima) / 1000.0f, q, t.ID_EQ_LEN, tipo);
        Stato(s).Dimensionato = -1;
        return;
      }
    }
  }

  // An accepted row already holds its equivalent length, drop and end pressure, computed from
  // the same values: only a fixed diameter or a segment without flow or length needs them here.
  if (!accettata) {
    const int16_t r = RigaDiametro(serie, t.ID_DIAMETRO);
    CalcolaLunghezzeEquivalentiMP(1, s);
    t.ID_PDC_TRONCO = r == 0 ? 0.0f : PerditaMP(p1, DiametroRiga(serie, r) / 1000.0f, q, t.ID_EQ_LEN, tipo);
    t.ID_PFINALE = p1 - t.ID_PDC_TRONCO;
  }
  Stato(s).Dimensionato = -1;
}

void DimensionaRestoMP() {
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    TTronco& t = Tronco(i);
    if (Stato(i).Dimensionato != 0 || t.Collegato == 0) continue;
    const int16_t a = InTabella(t.ID_PREV) ? t.ID_PREV : 0;
    t.PInizialeTronco = Tronco(a).ID_PFINALE;
    ScegliDiametroMP(i, static_cast<float>(static_cast<double>(Stato(a).PressioneUscita) - PressioneFinale), t.ID_EQ_LEN);
    if (t.ID_PDC_TRONCO < 0 || (a > 0 && Tronco(a).ID_PDC_TRONCO < 0)) t.ID_PDC_TRONCO = -1;
  }
}

float CalcolaVelocitaMP(int16_t s) {
  if (!InTabella(s)) return 0;
  const TTronco& t = Tronco(s);
  // A failed segment and everything below it (cumulative drop -1) have no pressures to speak of:
  // a velocity would be worked out from an earlier calculation's leftovers.
  if (t.ID_PDC_TRONCO < 0 || t.ID_PDC_PERCORSO < 0) return 0;
  const float d = DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
  if (d <= 0) return 0;
  const double media = static_cast<double>(t.ID_PFINALE) + static_cast<double>(t.PInizialeTronco) + 202.65;
  // Pressures at or below absolute vacuum (a failed segment's leftovers) have no velocity.
  if (media <= 0) return 0;
  return static_cast<float>(VelocitaMedia(t.ID_P_TRONCO, d, t.ID_PFINALE, t.PInizialeTronco));
}

void PropagaGuasti(int16_t s) { PropagaGuastiRic(s, 0); }

}  // namespace varnex
