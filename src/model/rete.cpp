#include "model/rete.h"

#include <algorithm>

#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/tenuta.h"

namespace varnex {

std::array<TRete, 2> BloccoReti{};
int16_t ReteCorrente = 0;

int16_t ReteInPressione = 0;
int16_t ProgettoModificato = 0;
int16_t ProgettoCaricato = 0;
std::string Riferimento;
std::string DescrizioneLavoro;
std::string PercorsoProgetto;
std::string PercorsoDocumenti;
float VelocitaMaxImpostata = 15;
double PressioneIniziale = 200;
double PressioneFinale = 150;
double PDCMaxUtente = 0;
int16_t OrientamentoSorgente = 0;

namespace {

IEditorRete* editorRete = nullptr;

bool InTabella(int16_t slot) { return slot >= 0 && slot <= MaxTronchi; }

// Clears the link of `padre` that names `figlio`, and only that one: a parent whose other
// derivation is a sibling must keep it.
void StaccaDalPadre(int16_t padre, int16_t figlio) {
  if (!InTabella(padre)) return;
  TTronco& p = Tronco(padre);
  if (p.ID_LEFT == figlio) {
    p.ID_LEFT = 0;
  } else if (p.ID_RIGHT == figlio) {
    p.ID_RIGHT = 0;
  }
}

// The default series for new segments: the default series name matched without regard to letter
// case in the series list, else the first series.
void RisolviMaterialeDefault() {
  TRete& rete = Rete();
  if (rete.MaterialeDefault != 0) return;
  if (DefaultMateriale.empty()) {
    rete.MaterialeDefault = 1;
    return;
  }
  const int16_t n = std::clamp<int16_t>(NumMateriali, 0, MaxMateriali);
  if (n == 0) return;
  for (int16_t j = 1; j <= n; ++j) {
    if (UgualiNoCase(Materiali[j][0].Nome, DefaultMateriale)) {
      rete.MaterialeDefault = j;
      return;
    }
  }
  rete.MaterialeDefault = 1;
}

// Deletes `seg` and everything below it. `limite` is the count before the delete began (deleting
// segment 1 empties the count first); `visti` keeps a damaged network from being walked twice.
void EliminaRicorsivo(int16_t seg, int16_t limite, std::array<bool, MaxTronchi + 1>& visti) {
  visti[static_cast<size_t>(seg)] = true;
  TTronco& t = Tronco(seg);
  StaccaDalPadre(t.ID_PREV, seg);
  t.ID_PREV = 0;
  auto segui = [&](int16_t figlio) {
    if (figlio > 0 && figlio <= limite && !visti[static_cast<size_t>(figlio)]) {
      EliminaRicorsivo(figlio, limite, visti);
    }
  };
  segui(t.ID_LEFT);
  segui(t.ID_RIGHT);
  TTronco vuoto;
  vuoto.ID_CONTEMP = 0;
  t = vuoto;
  t.Eliminato = -1;
  t.SlotLibero = -1;
  ProgettoModificato = -1;
}

}  // namespace

void ImpostaEditorRete(IEditorRete* editor) { editorRete = editor; }
IEditorRete* EditorRete() { return editorRete; }

void SetReteCorrente(int16_t rete) {
  if (rete != 0) ReteCorrente = 1;
}

int16_t GetReteCorrente() { return ReteCorrente; }

void SetNumTronchi(int16_t /*rete*/, int16_t numero) {
  Rete().NumTronchi = std::clamp<int16_t>(numero, 0, MaxTronchi);
}

int16_t ContoTronchi() { return std::clamp<int16_t>(Rete().NumTronchi, 0, MaxTronchi); }

bool IsSlotValido(int16_t slot) { return slot >= 1 && slot <= ContoTronchi(); }

void AssegnaSerieDefault(TTronco& t) {
  TRete& rete = Rete();
  RisolviMaterialeDefault();
  t.IndiceMateriale = rete.MaterialeDefault;
  t.ID_MATERIALE = (rete.MaterialeDefault >= 0 && rete.MaterialeDefault <= MaxMateriali)
                       ? Materiali[static_cast<size_t>(rete.MaterialeDefault)][0].Nome
                       : std::string();
}

bool SlotVuoto(int16_t slot) {
  if (!IsSlotValido(slot)) return false;
  const TTronco& t = Tronco(slot);
  return t.SlotLibero != 0 && t.Eliminato != 0;
}

void RiprendiSlotVuoto(int16_t slot) {
  if (!SlotVuoto(slot)) return;
  TTronco& t = Tronco(slot);
  t.SlotLibero = 0;
  t.Eliminato = 0;
  if (t.IndiceMateriale < 1) AssegnaSerieDefault(t);
  CollegaProvenienza(slot);
}

void AzzeraPortataUtenza(TTronco& t) {
  t.ID_P_UTENZE = 0;
  t.ID_CONTEMP = 100;
}

bool CollegaProvenienza(int16_t seg, bool portataConfermata) {
  if (seg < 1 || seg > MaxTronchi) return true;
  TTronco& t = Tronco(seg);
  const int16_t q = t.ID_PREV;
  if (q == seg || !IsSlotValido(q)) return true;
  TTronco& padre = Tronco(q);
  if (padre.ID_LEFT == seg || padre.ID_RIGHT == seg) return true;
  if (padre.ID_LEFT != 0 && padre.ID_RIGHT != 0) {
    MsgBox("Errore! Il tronco " + std::to_string(q) + " ha gia' due derivazioni");
    t.ID_PREV = 0;
    return false;
  }
  // A parent noted on a row before it became a segment may have been given a flow since: the
  // question is the link's, asked now, and nothing noted earlier answers it.
  if (padre.ID_P_UTENZE > 0 && !portataConfermata &&
      MsgBox(DomandaAzzeraPortata, Bottoni::SiNo, Icona::Domanda) != Risposta::Si) {
    t.ID_PREV = 0;
    return false;
  }
  if (padre.ID_LEFT == 0)
    padre.ID_LEFT = seg;
  else
    padre.ID_RIGHT = seg;
  if (padre.ID_P_UTENZE > 0) AzzeraPortataUtenza(padre);
  return true;
}

bool PostoPerNuovoTronco() {
  const int16_t conto = ContoTronchi();
  if (conto < MaxTronchi) return true;
  for (int16_t s = 1; s <= conto; ++s)
    if (SlotVuoto(s)) return true;
  return false;
}

int16_t AggiungiTronco(int16_t padre) {
  if (!InTabella(padre)) return 0;
  // The parent is checked before a slot is claimed, so a refusal leaves no orphan behind.
  if (padre != 0) {
    const TTronco& p = Tronco(padre);
    if (p.ID_LEFT != 0 && p.ID_RIGHT != 0) {
      MsgBox("Errore! Il tronco " + std::to_string(padre) + " ha gia' due derivazioni", Bottoni::OK);
      return 0;
    }
  }
  TRete& rete = Rete();
  const int16_t conto = ContoTronchi();
  int16_t i = 0;
  for (int16_t s = 1; s <= conto; ++s) {
    // Never the parent's own slot: that would link a segment to itself.
    if (SlotVuoto(s) && s != padre) {
      i = s;
      break;
    }
  }
  bool rigaNuova = false;
  if (i == 0) {
    if (conto >= MaxTronchi) return 0;
    i = static_cast<int16_t>(conto + 1);
    rete.NumTronchi = i;
    rigaNuova = true;
  }
  TTronco& t = Tronco(i);
  // The entry row's slot holds only what the user typed on that row, which the table shows: the
  // segment drawn takes it instead of a length of 1 m and the default series. Anything else is
  // cleared, the calculation's results with it.
  const TTronco digitato = t;
  if (rigaNuova) {
    ResetTronco(t);
    t.ID_P_UTENZE = digitato.ID_P_UTENZE;
    t.ID_P_TRONCO = digitato.ID_P_UTENZE;
    t.TipologiaUtenza = digitato.TipologiaUtenza;
    t.ComposizioneUtenza = digitato.ComposizioneUtenza;
    t.ID_LEN = digitato.ID_LEN;
    t.ID_EQ_LEN = digitato.ID_EQ_LEN;
    t.ID_RIF = digitato.ID_RIF;
    t.ID_CONTEMP = digitato.ID_CONTEMP;
    t.ID_MATERIALE = digitato.ID_MATERIALE;
    t.IndiceMateriale = digitato.IndiceMateriale;
    t.ID_DIAMETRO = digitato.ID_DIAMETRO;
    t.ID_DIAMCUSTOM = digitato.ID_DIAMCUSTOM;
  }
  t.SlotLibero = 0;
  t.Eliminato = 0;
  t.ID_LEFT = 0;
  t.ID_RIGHT = 0;
  if (!(t.ID_LEN > 0)) t.ID_LEN = 1.0f;

  std::string serie = t.ID_MATERIALE;
  if (t.IndiceMateriale < 1 || t.IndiceMateriale > NumMateriali || CercaMateriale(serie) != t.IndiceMateriale)
    AssegnaSerieDefault(t);
  t.ID_PREV = padre;
  if (digitato.ID_PREV != 0 && digitato.ID_PREV != padre && editorRete != nullptr)
    editorRete->TestoStato("Il tronco " + std::to_string(i) + " e' collegato al tronco " + std::to_string(padre) +
                           ", dove e' stato disegnato, e non al tronco " + std::to_string(digitato.ID_PREV) +
                           " scritto nella tabella: per cambiarlo, scrivere la provenienza nella sua riga.");

  if (padre == 0) return i;
  TTronco& p = Tronco(padre);
  if (p.ID_LEFT == 0) {
    p.ID_LEFT = i;
  } else {
    p.ID_RIGHT = i;
  }
  return i;
}

void ScollegaTronco(int16_t seg) {
  if (seg <= 0 || seg > MaxTronchi) return;
  if (seg == 1) Rete().NumTronchi = 0;
  TTronco& t = Tronco(seg);
  StaccaDalPadre(t.ID_PREV, seg);
  t.ID_PREV = 0;
  t.Eliminato = -1;
  ProgettoModificato = -1;
}

void EliminaTronco(int16_t seg) {
  if (seg <= 0 || seg > MaxTronchi) return;
  const int16_t limite = std::max(ContoTronchi(), seg);
  if (seg == 1) Rete().NumTronchi = 0;
  std::array<bool, MaxTronchi + 1> visti{};
  EliminaRicorsivo(seg, limite, visti);
}

void EliminaTronchiVuoti() {
  int16_t i = ContoTronchi();
  while (i > 1 && Tronco(i).ID_PREV == 0 && Tronco(i).Eliminato != 0) {
    ResetTronco(Tronco(i));
    Tronco(i).Eliminato = -1;
    --i;
  }
  if (i < MaxTronchi && Tronco(static_cast<int16_t>(i + 1)).ID_PREV == 0 && Tronco(i).Eliminato != 0) {
    Rete().NumTronchi = i;
  }
  if (editorRete != nullptr) {
    editorRete->ResetGrid();
    editorRete->Elaborazione();
  }
}

void RinumeraTronco(int16_t nuovo, int16_t vecchio) {
  const int16_t conto = ContoTronchi();
  for (int16_t s = 1; s <= conto; ++s) {
    TTronco& t = Tronco(s);
    if (t.ID_PREV == vecchio) t.ID_PREV = nuovo;
    if (t.ID_LEFT == vecchio) t.ID_LEFT = nuovo;
    if (t.ID_RIGHT == vecchio) t.ID_RIGHT = nuovo;
  }
}

void CompattaTronchi() {
  TRete& rete = Rete();
  int16_t i = 1;
  while (i <= ContoTronchi()) {
    if (Tronco(i).Eliminato != -1) {
      ++i;
      continue;
    }
    const int16_t conto = ContoTronchi();
    // Links to the slot that goes away would otherwise name the segment that moves into it.
    for (int16_t s = 0; s <= conto; ++s) {
      TTronco& t = Tronco(s);
      if (t.ID_PREV == i) t.ID_PREV = 0;
      if (t.ID_LEFT == i) t.ID_LEFT = 0;
      if (t.ID_RIGHT == i) t.ID_RIGHT = 0;
    }
    for (int16_t d = static_cast<int16_t>(i + 1); d <= conto; ++d) {
      Tronco(static_cast<int16_t>(d - 1)) = Tronco(d);
      RinumeraTronco(static_cast<int16_t>(d - 1), d);
      ResetTronco(Tronco(d));
    }
    // The slot that leaves the count holds nothing: a segment drawn there takes what that slot
    // holds as typed on the entry row.
    ResetTronco(Tronco(conto));
    rete.NumTronchi = static_cast<int16_t>(conto - 1);
  }
}

void ResetTronco(TTronco& t) {
  t.ID_NAME.clear();
  t.ID_MATERIALE.clear();
  t.ComposizioneUtenza.clear();
  t.ID_DIAMETRO.clear();
  t.ID_RIF.clear();
  t.ID_NUM = 0;
  t.ID_PREV = 0;
  t.ID_LEFT = 0;
  t.ID_RIGHT = 0;
  t.IndiceMateriale = 0;
  t.ID_P_UTENZE = 0;
  t.ID_P_TRONCO = 0;
  t.ID_LEN = 0;
  t.ID_EQ_LEN = 0;
  t.ID_NCURVE = 0;
  t.ID_NGOMITI = 0;
  t.ID_NRACCORDI = 0;
  t.ID_NRUBINETTI = 0;
  t.ID_SPC5 = 0;
  t.ID_SPC6 = 0;
  t.ID_SPC7 = 0;
  t.ID_SPC8 = 0;
  t.ID_SPC9 = 0;
  t.ID_SPC10 = 0;
  t.ID_RACCORDO = 0;
  t.ID_TIPORACCORDO = 0;
  t.TipologiaUtenza = 0;
  t.ID_PDC_NOTA = 0;
  t.ID_EQLENNOTA = 0;
  t.ID_DIAMCUSTOM = 0;
  t.ID_POTENZA = 0;
  t.CodiceSvolta = 0;
  t.Direzione = 0;
  t.EstremoLibero = 0;
  t.FineX = 0;
  t.FineY = 0;
  t.LunghezzaDisegno = 0;
  t.ID_CONTEMP = 100;
  // The results of a calculation, so that a slot that becomes a segment again shows none of an
  // earlier network's.
  t.Collegato = 0;
  t.ID_VELOCITA = 0;
  t.ID_PDC_TRONCO = 0;
  t.ID_PDC_PERCORSO = 0;
  t.LunghezzaPercorso = 0;
  t.ID_PESO = 0;
  t.PInizialeTronco = 0;
  t.ID_PFINALE = 0;
}

void SvuotaOltreConto() {
  for (int16_t s = static_cast<int16_t>(ContoTronchi() + 1); s <= MaxTronchi; ++s) ResetTronco(Tronco(s));
}

std::optional<double> NumeroTestoDefault(std::string_view testo) {
  const std::string t = Trim(testo);
  std::string cifre;
  bool decimale = false;
  bool unaCifra = false;
  for (char c : t) {
    if (c >= '0' && c <= '9') {
      unaCifra = true;
      cifre += c;
    } else if ((c == ',' || c == '.') && !decimale) {
      // One mark only: with two ("1.234,5") the user's meaning is not certain, and a thousands
      // reading would turn "2.5" into 25.
      decimale = true;
      cifre += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!unaCifra) return std::nullopt;
  return Val(cifre);
}

namespace {
// The number of a default text; the fixed value when it is empty or not a number.
double NumeroDefault(const std::string& testo, double fisso) { return NumeroTestoDefault(testo).value_or(fisso); }
}  // namespace

double PressioneInizialeDefault() { return NumeroDefault(DefaultPressioneIniziale, 200); }
double PressioneFinaleDefault() { return NumeroDefault(DefaultPressioneFinale, 150); }

void ResetRete() {
  // Every slot, not only those up to the count: nothing of an old project may reach a new one.
  for (TTronco& t : Rete().Tronchi) {
    ResetTronco(t);
    // A delete's marks belong to the old network too.
    t.Eliminato = 0;
    t.SlotLibero = 0;
  }
  Rete().NumTronchi = 0;
  Rete().CalcoloRifiutato = false;
  Riferimento.clear();
  DescrizioneLavoro.clear();
  PercorsoProgetto.clear();
  PercorsoDocumenti.clear();
  ProgettoModificato = 0;
  VelocitaMaxImpostata = static_cast<float>(NumeroDefault(DefaultVelocita, 15));
  PressioneIniziale = PressioneInizialeDefault();
  PressioneFinale = PressioneFinaleDefault();
  PDCMaxUtente = 0;
  TenutaImpianto = TTenutaImpianto{};
}

bool IsTerminale(int16_t seg) {
  if (!InTabella(seg)) return true;
  const TTronco& t = Tronco(seg);
  if (t.ID_LEFT > 0) return false;
  if (t.ID_RIGHT > 0) return false;
  return true;
}

float DiametroInterno(int16_t materiale, const std::string& dn) {
  if (materiale < 0 || materiale > MaxMateriali || dn.empty()) return 0;
  const TSerieMateriale& serie = Materiali[static_cast<size_t>(materiale)];
  const int16_t n = std::clamp<int16_t>(serie[0].NumDiametri, 0, MaxDiametri);
  for (int16_t r = 1; r <= n; ++r) {
    if (serie[static_cast<size_t>(r)].RifDiametro == dn) return serie[static_cast<size_t>(r)].DiamInterno;
  }
  return 0;
}

float VolumeImpianto() {
  // Only pipes reached from the root hold gas during the test; detached ones do not count.
  float somma = 0;
  for (int16_t s : SottoalberoTronco(1)) {
    const TTronco& t = Tronco(s);
    const double d = DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
    somma = static_cast<float>(static_cast<double>(somma) + 3.1415 * (d / 2) * (d / 2) * t.ID_LEN);
  }
  return somma;
}

std::vector<int16_t> SottoalberoTronco(int16_t radice) {
  std::vector<int16_t> ordine;
  if (!IsSlotValido(radice)) return ordine;
  std::array<bool, MaxTronchi + 1> visti{};
  std::vector<int16_t> pila{radice};
  while (!pila.empty()) {
    const int16_t s = pila.back();
    pila.pop_back();
    if (!IsSlotValido(s) || visti[static_cast<size_t>(s)]) continue;
    visti[static_cast<size_t>(s)] = true;
    ordine.push_back(s);
    const TTronco& t = Tronco(s);
    pila.push_back(t.ID_RIGHT);
    pila.push_back(t.ID_LEFT);
  }
  return ordine;
}

std::vector<int16_t> PercorsoVersoRadice(int16_t seg) {
  std::vector<int16_t> percorso;
  std::array<bool, MaxTronchi + 1> visti{};
  while (IsSlotValido(seg) && !visti[static_cast<size_t>(seg)]) {
    visti[static_cast<size_t>(seg)] = true;
    percorso.push_back(seg);
    seg = Tronco(seg).ID_PREV;
  }
  return percorso;
}

std::vector<DifettoRete> VerificaRete() {
  std::vector<DifettoRete> difetti;
  const int16_t numero = Rete().NumTronchi;
  if (numero < 0 || numero > MaxTronchi) {
    difetti.push_back({TipoDifettoRete::NumTronchiFuoriIntervallo, 0,
                       "Numero di tronchi non valido: " + std::to_string(numero) + "."});
  }
  const int16_t conto = ContoTronchi();

  std::array<int16_t, MaxTronchi + 1> padri{};  // how many links name each slot as a child
  for (int16_t s = 1; s <= conto; ++s) {
    const TTronco& t = Tronco(s);
    const std::pair<const char*, int16_t> links[] = {
        {"precedente", t.ID_PREV}, {"prima derivazione", t.ID_LEFT}, {"seconda derivazione", t.ID_RIGHT}};
    for (const auto& [nome, link] : links) {
      if (link < 0 || link > conto) {
        difetti.push_back({TipoDifettoRete::LinkFuoriIntervallo, s,
                           "Il tronco " + std::to_string(s) + " indica come " + nome + " il tronco " +
                               std::to_string(link) + ", che non esiste."});
      }
    }
    for (int16_t figlio : {t.ID_LEFT, t.ID_RIGHT}) {
      if (figlio > 0 && figlio <= conto) ++padri[static_cast<size_t>(figlio)];
    }
  }
  for (int16_t s = 1; s <= conto; ++s) {
    if (padri[static_cast<size_t>(s)] > 1) {
      difetti.push_back({TipoDifettoRete::FiglioConteso, s,
                         "Il tronco " + std::to_string(s) + " è indicato come derivazione da più collegamenti."});
    }
  }

  // A slot lies on a loop when its own links lead back to it, upwards or downwards.
  for (int16_t s = 1; s <= conto; ++s) {
    bool anello = false;
    int16_t su = Tronco(s).ID_PREV;
    for (int passi = 0; passi <= conto && IsSlotValido(su) && !anello; ++passi) {
      if (su == s) anello = true;
      su = Tronco(su).ID_PREV;
    }
    if (!anello) {
      std::array<bool, MaxTronchi + 1> visti{};
      std::vector<int16_t> pila{Tronco(s).ID_LEFT, Tronco(s).ID_RIGHT};
      while (!pila.empty() && !anello) {
        const int16_t c = pila.back();
        pila.pop_back();
        if (!IsSlotValido(c) || visti[static_cast<size_t>(c)]) continue;
        if (c == s) {
          anello = true;
          break;
        }
        visti[static_cast<size_t>(c)] = true;
        pila.push_back(Tronco(c).ID_LEFT);
        pila.push_back(Tronco(c).ID_RIGHT);
      }
    }
    if (anello) {
      difetti.push_back({TipoDifettoRete::Ciclo, s,
                         "Il tronco " + std::to_string(s) + " fa parte di un anello di collegamenti."});
    }
  }
  return difetti;
}

}  // namespace varnex
