#include "model/dimensionamento.h"

#include "model/calcolo.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"

namespace varnex {

VList ListaUtenze;
std::array<TDimensionamento, 201> StatoDimensionamento{};

// ---- VList ------------------------------------------------------------------------------------

VList::VList() : items_(2) {}

bool VList::FuoriLimiti(int16_t Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= items_.size()) {
    MsgBox("Sconfinamento lista", Bottoni::OK);
    return true;
  }
  return false;
}

int16_t VList::Item(int16_t Index) const {
  if (FuoriLimiti(Index)) return 0;
  return items_[static_cast<size_t>(Index)].Valore;
}

float VList::Key(int16_t Index) const {
  if (FuoriLimiti(Index)) return 0;
  return items_[static_cast<size_t>(Index)].Chiave;
}

bool VList::IsVuoto(int16_t Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= items_.size()) return true;
  return items_[static_cast<size_t>(Index)].Vuoto;
}

void VList::SortLista() {
  bool scambiato = true;
  while (scambiato) {
    scambiato = false;
    for (int16_t i = 1; i <= count_ - 1; ++i) {
      if (items_[static_cast<size_t>(i)].Chiave < items_[static_cast<size_t>(i) + 1].Chiave) {
        std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(i) + 1]);
        scambiato = true;
      }
    }
  }
}

void VList::Add(int16_t valore, float Key) {
  ++count_;
  items_.resize(static_cast<size_t>(count_ < 1 ? 1 : count_) + 1);
  items_[static_cast<size_t>(count_)] = TVListItem{valore, Key, false};
  // The list before the new item is already in order, so the passes of SortLista would only carry
  // the new item up past every smaller key: do exactly that, without the repeated passes.
  for (int16_t i = count_; i > 1; --i) {
    if (!(items_[static_cast<size_t>(i) - 1].Chiave < items_[static_cast<size_t>(i)].Chiave)) break;
    std::swap(items_[static_cast<size_t>(i) - 1], items_[static_cast<size_t>(i)]);
  }
  SortLista();
}

void VList::Clear() {
  count_ = 0;
  items_.assign(2, TVListItem{});
}

// ---- Sizing -----------------------------------------------------------------------------------

namespace {

bool InTabella(int32_t slot) { return slot >= 0 && slot <= MaxTronchi; }

TDimensionamento& Stato(int16_t slot) { return StatoDimensionamento[static_cast<size_t>(slot)]; }

// The series row table of a segment; series outside the table read as one without rows.
const TSerieMateriale& Serie(int16_t indice) {
  if (indice < 0 || indice > MaxMateriali) return Materiali[0];
  return Materiali[static_cast<size_t>(indice)];
}

int16_t NumRighe(const TSerieMateriale& serie) {
  const int16_t n = serie[0].NumDiametri;
  if (n < 0) return 0;
  return n > MaxDiametri ? MaxDiametri : n;
}

// A row whose inner diameter is not above 0 (a hand-edited file, or an edit that made the wall
// thicker than the pipe) has no drop at all: sizing must never choose it.
bool RigaUsabile(const TSerieMateriale& serie, int16_t r) { return serie[static_cast<size_t>(r)].DiamInterno > 0; }

// The last usable row up to `r`, 0 when there is none.
int16_t UltimaRigaUsabile(const TSerieMateriale& serie, int16_t r) {
  while (r > 0 && !RigaUsabile(serie, r)) --r;
  return r;
}

int16_t RigaDiametro(int16_t indice, const std::string& etichetta) {
  if (indice < 1 || indice > MaxMateriali) return 0;
  return CercaDiametro(indice, etichetta);
}

// Drop of segment s with the inner diameter of row r of its series (0 for row 0).
float PerditaRiga(int16_t s, int16_t r) {
  TTronco& t = Tronco(s);
  if (r == 0) return 0;
  const float d = Serie(t.IndiceMateriale)[static_cast<size_t>(r)].DiamInterno / 1000.0f;
  return PerditaUnitaria(d, t.ID_P_TRONCO) * t.ID_EQ_LEN;
}

// When the segments reached from the root form a plain tree (every slot reached through one link
// only), a change of one segment's drop moves the cumulative drops of its own subtree and nothing
// else: the optimisation then recomputes that subtree from the drop above it, which gives the same
// values as recomputing the whole network. Otherwise it recomputes from the root every time.
bool alberoSemplice = false;

bool IsAlberoSemplice() {
  std::array<bool, MaxTronchi + 1> visto{};
  std::vector<int16_t> pila{1};
  while (!pila.empty()) {
    const int16_t s = pila.back();
    pila.pop_back();
    if (s == 0) continue;
    if (s < 0 || s > MaxTronchi || visto[static_cast<size_t>(s)]) return false;
    visto[static_cast<size_t>(s)] = true;
    pila.push_back(Tronco(s).ID_LEFT);
    pila.push_back(Tronco(s).ID_RIGHT);
  }
  return true;
}

// Sets the row r of segment s with its equivalent length and drop, then the drops along every path.
void ImpostaRiga(int16_t s, int16_t r, float monte) {
  TTronco& t = Tronco(s);
  t.ID_DIAMETRO = Serie(t.IndiceMateriale)[static_cast<size_t>(r)].RifDiametro;
  CalcolaLunghezzeEquivalenti(1, s);
  t.ID_PDC_TRONCO = PerditaRiga(s, r);
  if (alberoSemplice) {
    CalcolaPressioni(s, monte);
  } else {
    CalcolaPressioni(1, 0);
  }
}

// `monte`: the cumulative drop of the segment that links to s (0 above the root).
int16_t OttimizzaDiametriRic(int16_t s, int profondita, float monte) {
  if (s <= 0 || s > MaxTronchi || profondita > MaxTronchi + 1) return 0;
  int16_t n = 0;
  TTronco& t = Tronco(s);
  if (t.ID_DIAMCUSTOM != -1) {
    auto interno = [](int16_t figlio) -> float {
      if (figlio <= 0 || figlio > MaxTronchi) return 0;
      return DiametroInterno(Tronco(figlio).IndiceMateriale, Tronco(figlio).ID_DIAMETRO);
    };
    const float d = DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
    const float dSinistro = interno(t.ID_LEFT);
    const float dDestro = interno(t.ID_RIGHT);
    const int16_t r = RigaDiametro(t.IndiceMateriale, t.ID_DIAMETRO);
    const int16_t sotto = r > 1 ? UltimaRigaUsabile(Serie(t.IndiceMateriale), static_cast<int16_t>(r - 1)) : 0;
    if (d > dSinistro && d > dDestro && sotto >= 1) {
      n = 1;
      ImpostaRiga(s, sotto, monte);
      if (!VerificaPDC()) {
        n = 0;
        ImpostaRiga(s, r, monte);
      }
    }
  }
  const float percorso = Tronco(s).ID_PDC_PERCORSO;
  if (Tronco(s).ID_LEFT != 0) {
    n = static_cast<int16_t>(n + OttimizzaDiametriRic(Tronco(s).ID_LEFT, profondita + 1, percorso));
  }
  if (Tronco(s).ID_RIGHT != 0) {
    n = static_cast<int16_t>(n + OttimizzaDiametriRic(Tronco(s).ID_RIGHT, profondita + 1, percorso));
  }
  return n;
}

int ContaDimensionati() {
  int n = 0;
  for (int16_t i = 1; i <= ContoTronchi(); ++i) n += Stato(i).Dimensionato != 0;
  return n;
}

}  // namespace

void CalcoloDiametri() {
  CostruisciListaUtenze();
  if (ListaUtenze.Count() > 0) {
    float lunghezza = ListaUtenze.Key(1);
    DimensionaPercorso(ListaUtenze.Item(1), lunghezza);
    DimensionaMembriSuccessivi(&DimensionaPercorso);
  }
  DimensionaResto();
}

void DimensionaMembriSuccessivi(void (*dimensiona)(int16_t, float&)) {
  int16_t precedente = 0;
  int ripetizioni = 0;
  for (;;) {
    const int16_t m = PrimoNonDimensionato();
    if (m == 0) break;
    ripetizioni = m == precedente ? ripetizioni + 1 : 1;
    precedente = m;
    const float residuaPrima = Stato(m).LunghezzaResidua;
    const int dimensionatiPrima = ContaDimensionati();
    dimensiona(m, Stato(m).LunghezzaResidua);
    if (Stato(m).Dimensionato != 0) continue;
    // A member whose path has no length left would be handed back unchanged for ever; one that
    // keeps coming back without being sized is given up as well, so the pass always ends.
    const bool fermo = Stato(m).LunghezzaResidua == residuaPrima && ContaDimensionati() == dimensionatiPrima;
    if (fermo || ripetizioni >= 3) Stato(m).Dimensionato = -1;
  }
}

void CostruisciListaUtenze() {
  ListaUtenze.Clear();
  const int16_t n = ContoTronchi();
  for (int16_t i = 1; i <= n; ++i) {
    Stato(i).Dimensionato = 0;
    Stato(i).LunghezzaResidua = Tronco(i).ID_EQ_LEN;
    if (IsTerminale(i)) continue;
    // A link that names no slot of the table counts as a missing child.
    const int16_t sinistro = InTabella(Tronco(i).ID_LEFT) ? Tronco(i).ID_LEFT : 0;
    const int16_t destro = InTabella(Tronco(i).ID_RIGHT) ? Tronco(i).ID_RIGHT : 0;
    if ((sinistro > 0 && !IsTerminale(sinistro)) || (destro > 0 && !IsTerminale(destro))) continue;
    const float lSinistro = Tronco(sinistro).LunghezzaPercorso;
    const float lDestro = Tronco(destro).LunghezzaPercorso;
    const float chiave = lSinistro > lDestro ? lSinistro : lDestro;
    ListaUtenze.Add(i, chiave);
    Stato(i).LunghezzaResidua = chiave;
  }
  ListaUtenze.SortLista();
}

int16_t PrimoNonDimensionato() {
  for (int16_t i = 2; i <= ListaUtenze.Count(); ++i) {
    const int16_t m = ListaUtenze.Item(i);
    if (Stato(m).Dimensionato == 0) return m;
  }
  return 0;
}

void DimensionaPercorso(int16_t m, float& lunghezza) {
  if (m <= 0 || m > MaxTronchi) return;
  // m first, then its ancestors up to the first one already sized (A), or the root (A = 0).
  std::vector<int16_t> percorso;
  percorso.push_back(m);
  int16_t a = Tronco(m).ID_PREV;
  while (a != 0 && InTabella(a) && Stato(a).Dimensionato == 0 && percorso.size() <= MaxTronchi) {
    percorso.push_back(a);
    a = Tronco(a).ID_PREV;
  }
  if (!InTabella(a) || Stato(a).Dimensionato == 0) a = 0;

  float budget = PDCMassima();
  float cumulata = 0;
  if (a != 0) {
    lunghezza = lunghezza - Stato(a).LunghezzaResidua;
    budget = budget - Stato(a).PerditaCumulata;
    cumulata = Stato(a).PerditaCumulata;
  }
  for (auto it = percorso.rbegin(); it != percorso.rend(); ++it) {
    const int16_t s = *it;
    ScegliDiametro(s, budget, lunghezza);
    budget = budget - Tronco(s).ID_PDC_TRONCO;
    cumulata = cumulata + Tronco(s).ID_PDC_TRONCO;
    Stato(s).PerditaCumulata = cumulata;
    lunghezza = lunghezza - Tronco(s).ID_EQ_LEN;
  }
}

void ScegliDiametro(int16_t s, float budget, float lunghezza) {
  if (s <= 0 || s > MaxTronchi) return;
  if (lunghezza == 0) return;
  const float ammessa = budget / lunghezza;
  TTronco& t = Tronco(s);
  const TSerieMateriale& serie = Serie(t.IndiceMateriale);
  if (t.ID_DIAMCUSTOM != -1) {
    t.ID_DIAMETRO.clear();
    if (t.ID_P_TRONCO > 0) {
      const int16_t righe = NumRighe(serie);
      for (int16_t r = 1; r <= righe && t.ID_DIAMETRO.empty(); ++r) {
        if (!RigaUsabile(serie, r)) continue;
        const float unitaria = PerditaUnitaria(serie[static_cast<size_t>(r)].DiamInterno / 1000.0f, t.ID_P_TRONCO);
        if (unitaria <= ammessa) t.ID_DIAMETRO = serie[static_cast<size_t>(r)].RifDiametro;
      }
      if (t.ID_DIAMETRO.empty()) t.ID_DIAMETRO = serie[static_cast<size_t>(UltimaRigaUsabile(serie, righe))].RifDiametro;
    }
  }
  const int16_t r = RigaDiametro(t.IndiceMateriale, t.ID_DIAMETRO);
  CalcolaLunghezzeEquivalenti(1, s);
  t.ID_PDC_TRONCO = PerditaRiga(s, r);
  Stato(s).Dimensionato = -1;
}

void DimensionaResto() {
  const int16_t n = ContoTronchi();
  for (int16_t c = 1; c <= n; ++c) {
    if (Stato(c).Dimensionato != 0) continue;
    int16_t a = Tronco(c).ID_PREV;
    if (!InTabella(a)) a = 0;
    ScegliDiametro(c, PDCMassima() - Stato(a).PerditaCumulata, Tronco(c).ID_EQ_LEN);
  }
}

bool SerieUsabile(int16_t indice) {
  if (indice < 1 || indice > NumMateriali) return false;
  const TSerieMateriale& serie = Serie(indice);
  return UltimaRigaUsabile(serie, NumRighe(serie)) != 0;
}

std::string DiametriNonUsabili() {
  std::vector<std::pair<int16_t, std::string>> difetti;
  // A removed segment, or one no link reaches, is no part of the network that is calculated.
  std::array<bool, MaxTronchi + 1> raggiunto{};
  for (int16_t s : SottoalberoTronco(1)) raggiunto[static_cast<size_t>(s)] = true;
  const int16_t n = ContoTronchi();
  for (int16_t s = 1; s <= n; ++s) {
    const TTronco& t = Tronco(s);
    if (t.Eliminato != 0 || !raggiunto[static_cast<size_t>(s)]) continue;
    const bool conSerie = t.IndiceMateriale >= 1 && t.IndiceMateriale <= NumMateriali;
    const TSerieMateriale& serie = Serie(conSerie ? t.IndiceMateriale : int16_t{0});
    std::string difetto;
    if (!conSerie) {
      // Without a series the segment has no inner diameter at all: its drop would read 0.
      const std::string nome = Trim(t.ID_MATERIALE);
      difetto = nome.empty() ? std::string("nessuna tubazione assegnata")
                             : "la tubazione " + nome + " non e' presente nell'archivio delle tubazioni";
    } else if (t.ID_DIAMCUSTOM == -1) {
      const int16_t r = RigaDiametro(t.IndiceMateriale, t.ID_DIAMETRO);
      if (r > 0 && !RigaUsabile(serie, r)) {
        difetto = "diametro " + t.ID_DIAMETRO + " della tubazione " + serie[0].Nome + " con diametro interno " +
                  TestoNumero(serie[static_cast<size_t>(r)].DiamInterno) + " mm";
      } else if (r == 0) {
        // A fixed label the series does not hold (a project from another archive, a series file
        // replaced) has no inner diameter either: its drop would read 0.
        difetto = "diametro " + (t.ID_DIAMETRO.empty() ? std::string("(vuoto)") : t.ID_DIAMETRO) +
                  " non presente nella tubazione " + serie[0].Nome;
      }
    } else if (NumRighe(serie) == 0) {
      // An emptied file, or one whose every row was refused at load, reads as a series without rows.
      difetto = "la tubazione " + serie[0].Nome + " non ha alcun diametro";
    } else if (UltimaRigaUsabile(serie, NumRighe(serie)) == 0) {
      difetto = "la tubazione " + serie[0].Nome + " non ha alcun diametro con diametro interno maggiore di 0";
    }
    if (!difetto.empty()) difetti.emplace_back(s, difetto);
  }
  return RifiutoDiametri(difetti);
}

std::string RifiutoDiametri(const std::vector<std::pair<int16_t, std::string>>& difetti) {
  if (difetti.empty()) return {};
  std::string righe;
  for (size_t i = 0; i < difetti.size() && i < 10; ++i)
    righe += "\nTronco " + std::to_string(difetti[i].first) + ": " + difetti[i].second;
  if (difetti.size() > 10) righe += "\n...";
  return "Diametri interni non validi: calcolo non eseguito." + righe +
         "\nCorreggere la tubazione in Archivi > Tubazioni oppure scegliere un'altra tubazione o un altro diametro.";
}

int16_t OttimizzaDiametri(int16_t s) {
  // The shortcut needs the drops above s to be those of a full pass from the root, which holds for
  // the pass from the root itself once the drops were computed.
  alberoSemplice = s == 1 && IsAlberoSemplice();
  const int16_t n = OttimizzaDiametriRic(s, 0, 0);
  alberoSemplice = false;
  return n;
}

}  // namespace varnex
