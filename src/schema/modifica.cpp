#include "schema/modifica.h"

#include <cmath>

#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "schema/direzioni.h"
#include "schema/disegno.h"
#include "schema/inserimento.h"

namespace varnex {

TStatoTrascinamento StatoTrascinamento;

namespace {

constexpr double k = 0.707;

void Elabora() {
  if (IEditorSchema* e = EditorSchema()) e->Elaborazione();
}

// Redraws one segment of the last drawing in a colour, from its stored end point.
void RidisegnaTronco(int16_t seg, int32_t colore) {
  if (!SuperficieDisegno || !IsSlotValido(seg)) return;
  const TTronco& t = Tronco(seg);
  const double L = t.LunghezzaDisegno;
  const double FX = t.FineX, FY = t.FineY;
  double x, y;
  switch (t.Direzione) {
    case 1: x = FX, y = FY + L; break;
    case 2: x = FX + L, y = FY; break;
    case 3: x = FX, y = FY - L; break;
    case 4: x = FX - L, y = FY; break;
    case 5: x = FX + k * L, y = FY + k * L; break;
    case 6: x = FX + k * L, y = FY - k * L; break;
    case 7: x = FX - k * L, y = FY - k * L; break;
    case 8: x = FX - k * L, y = FY + k * L; break;
    default: return;
  }
  DrawTronco(seg, Arrotonda32(x), Arrotonda32(y), t.Direzione, t.LunghezzaDisegno, 0, colore, "Arial", 7);
}

// The appliance dialog for leaf s; true when it was confirmed and the leaf took its values.
bool ChiediPortata(bool cucina, int16_t s) {
  IEditorSchema* e = EditorSchema();
  if (!e) return false;
  const EsitoPortata esito = e->DialogoPortata(cucina, s, Tronco(s).ID_P_UTENZE);
  if (!esito.Done) return false;
  TTronco& t = Tronco(s);
  t.ID_P_UTENZE = esito.Portata;
  t.ID_P_TRONCO = esito.Portata;
  t.TipologiaUtenza = esito.Tipologia;
  t.ComposizioneUtenza = esito.Composizione;
  return true;
}

}  // namespace

int16_t GetSelectedTronco() { return TroncoSelezionatoSulloSchermo(); }

void SelectTronco(int16_t seg) {
  RiprendiDisegnoSchermo();
  if (TroncoSelezionato != 0) RidisegnaTronco(TroncoSelezionato, ColoreBianco);
  RidisegnaTronco(seg, ColoreRosso);
  TroncoSelezionato = seg;
}

void SchemaClick(int32_t x, int32_t y) {
  RiprendiDisegnoSchermo();
  const int16_t i = RegioniClick.TestHit(x, y);
  if (RegioniClick.GetTag(i) == "T") SelectTronco(RegioniClick.GetIndex(i));
}

void SchemaDblClick(int32_t x, int32_t y) {
  RiprendiDisegnoSchermo();
  const int16_t i = RegioniClick.TestHit(x, y);
  const std::string tag = RegioniClick.GetTag(i);
  const int16_t n = RegioniClick.GetIndex(i);
  IEditorSchema* e = EditorSchema();
  if (tag == "T") {
    if (e) e->ApriDialogoTronco(n);
    Elabora();
  } else if (tag == "SRC") {
    OrientamentoSorgente = static_cast<int16_t>((OrientamentoSorgente + 1) % 4);
    Elabora();
  } else if (tag == "U") {
    if (!IsSlotValido(n)) return;
    const bool interno = ReteInPressione == 0;
    if (ChiediPortata(interno, n)) {
      // A flow set by hand brings the maximum drop back to automatic (internal installations).
      if (interno) PDCMaxUtente = 0;
      Elabora();
    }
  }
}

void SchemaDragDrop(int32_t x, int32_t y, const std::string& tagSorgente) {
  RiprendiDisegnoSchermo();
  const int16_t i = RegioniDrop.TestHit(x, y);
  if (i == 0) {
    RidisegnaSuperficie();
    return;
  }
  const int16_t n = RegioniDrop.GetIndex(i);
  const std::string tag = RegioniDrop.GetTag(i);
  if (SuperficieDisegno) SuperficieDisegno->PSet(x, y, ColoreNero);
  // A drop that adds nothing still takes the drop arrows away.
  if (Left(tag, 1) != "E") {
    RidisegnaSuperficie();
    return;
  }
  if (tagSorgente == "TRONCO") {
    if (n < 1 || n > NumPuntiInserimentoTronco) {
      RidisegnaSuperficie();
      return;
    }
    const TPuntoInserimento t = PuntiInserimentoTronco[static_cast<size_t>(n)];
    const int16_t nuovo = AggiungiTronco(t.Tronco);
    if (nuovo != 0) Tronco(nuovo).CodiceSvolta = t.CodiceSvolta;
    Elabora();
    return;
  }
  int16_t tipo;
  if (tagSorgente == "CALDAIA") tipo = 2;
  else if (tagSorgente == "BRUCIATORE") tipo = 3;
  else if (tagSorgente == "CONVETTORE") tipo = 4;
  else if (tagSorgente == "FORNELLO") tipo = 1;
  else tipo = 0;
  const int16_t s = n >= 1 && n <= NumPuntiInserimentoUtenza ? PuntiInserimentoUtenza[static_cast<size_t>(n)].Tronco : 0;
  if (tipo == 0 || !IsSlotValido(s)) {
    RidisegnaSuperficie();
    return;
  }
  Tronco(s).TipologiaUtenza = tipo;
  const bool cucina = tipo == 1 || ReteInPressione == 0;
  if (ChiediPortata(cucina, s)) Elabora();
  // A cancelled dialog changes no flow and runs no calculation: drawn again, the schema loses
  // the drop arrows all the same.
  else RidisegnaSuperficie();
}

int16_t HitEndHandle(int32_t x, int32_t y, std::string& lettere) {
  RiprendiDisegnoSchermo();
  const int16_t i = RegioniEstremi.TestHit(x, y);
  if (i == 0) return 0;
  lettere = RegioniEstremi.GetTag(i);
  return RegioniEstremi.GetIndex(i);
}

void DragEndHandle(int16_t seg, int32_t x, int32_t y, const std::string& lettere) {
  RiprendiDisegnoSchermo();
  TStatoTrascinamento& st = StatoTrascinamento;
  st.TroncoMosso = seg;
  if (lettere != st.LettereEstremo) st.UltimoX = st.UltimoY = 0;
  st.LettereEstremo = lettere;
  if (!IsSlotValido(seg) || !SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  const TTronco& t = Tronco(seg);
  const double L = t.LunghezzaDisegno, FX = t.FineX, FY = t.FineY;
  const std::string l = Trim(lettere);
  auto cancella = [&](double sx, double sy, double ex, double ey) { sup.Line(sx, sy, ex, ey, ColoreNero); };
  auto traccia = [&](double sx, double sy, double ex, double ey) { sup.Line(sx, sy, ex, ey, ColoreRosso); };
  if (l == "R" || l == "L") {
    const double sx = l == "R" ? FX - L : FX + L;
    if (!(l == "R" ? x > sx : x < sx)) return;
    if (st.UltimoX > 0) cancella(sx, FY, st.UltimoX, FY);
    traccia(sx, FY, x, FY);
    st.UltimoX = x;
  } else if (l == "U" || l == "D") {
    const double sy = l == "U" ? FY + L : FY - L;
    if (!(l == "U" ? y < sy : y > sy)) return;
    if (st.UltimoY > 0) cancella(FX, sy, FX, st.UltimoY);
    traccia(FX, sy, FX, y);
    st.UltimoY = y;
  } else if (l == "UR" || l == "UL" || l == "DR" || l == "DL") {
    const bool destra = l == "UR" || l == "DR", su = l == "UR" || l == "UL";
    const double sx = destra ? FX - k * L : FX + k * L;
    const double sy = su ? FY + k * L : FY - k * L;
    if (!((destra ? x > sx : x < sx) && (su ? y < sy : y > sy))) return;
    double bx, by;
    if (l == "UR" || l == "DL") {
      by = (sx + sy + y - x) / 2;
      bx = sx + sy - by;
    } else {
      by = (sy - sx + x + y) / 2;
      bx = by + sx - sy;
    }
    if (st.UltimoX > 0 || st.UltimoY > 0) cancella(sx, sy, st.UltimoX, st.UltimoY);
    traccia(sx, sy, bx, by);
    st.UltimoX = Arrotonda32(bx);
    st.UltimoY = Arrotonda32(by);
  }
}

void ApplyEndHandleDrag(int16_t seg, int32_t x, int32_t y, const std::string& lettere) {
  RiprendiDisegnoSchermo();
  const bool mosso = StatoTrascinamento.TroncoMosso == seg;
  StatoTrascinamento.TroncoMosso = 0;
  if (mosso && IsSlotValido(seg)) {
    TTronco& t = Tronco(seg);
    const double L = t.LunghezzaDisegno, FX = t.FineX, FY = t.FineY;
    const std::string l = Trim(lettere);
    double c = 0;
    bool conosciute = true;
    if (l == "R") c = x - (FX - L);
    else if (l == "L") c = (FX + L) - x;
    else if (l == "U") c = (FY + L) - y;
    else if (l == "D") c = y - (FY - L);
    else if (l == "UR" || l == "DR") c = ArrotondaPari((x - FX) * 1.414213562 + L);
    else if (l == "UL" || l == "DL") c = ArrotondaPari((FX - x) * 1.414213562 + L);
    else conosciute = false;
    if (conosciute && c > 0 && Arrotonda32(c) != t.LunghezzaDisegno) {
      t.LunghezzaDisegno = Arrotonda32(c);
      // The drawn length is saved with the project: leaving without saving must ask.
      ProgettoModificato = -1;
    }
  }
  RidisegnaSuperficie();
}

}  // namespace varnex
