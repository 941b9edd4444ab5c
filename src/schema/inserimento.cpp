#include "schema/inserimento.h"

#include <array>

#include "model/rete.h"
#include "schema/direzioni.h"
#include "schema/disegno.h"

namespace varnex {

std::vector<TPuntoInserimento> PuntiInserimentoTronco(11);
int16_t NumPuntiInserimentoTronco = 0;
std::vector<TPuntoInserimento> PuntiInserimentoUtenza(11);
int16_t NumPuntiInserimentoUtenza = 0;

FiguraSchema FrecciaDirezione(int16_t direzione) {
  if (direzione < 1 || direzione > 8) return FiguraSchema::FrecciaR;
  return static_cast<FiguraSchema>(static_cast<int16_t>(FiguraSchema::FrecciaU) + direzione - 1);
}

namespace {

void Aggiungi(std::vector<TPuntoInserimento>& lista, int16_t& conto, const TPuntoInserimento& p) {
  ++conto;
  if (static_cast<size_t>(conto) >= lista.size()) lista.resize(static_cast<size_t>(conto) + 1);
  lista[static_cast<size_t>(conto)] = p;
}

bool ConEstremoLibero(int16_t tronco) {
  return tronco >= 0 && tronco <= MaxTronchi && Tronco(tronco).EstremoLibero != 0;
}

// How an insertion arrow sits at its point, per direction (1 U, 2 L, 3 D, 4 R, 5 UL, 6 DL, 7 DR,
// 8 UR): the top-left corner of a segment's arrow and of a consumer's arrow as fractions of the
// drawn figure's side from the point, and the two corners (fractions of the figure's side) that
// close the segment arrow's clickable triangle with the point.
struct VersoFreccia {
  double troncoX, troncoY;
  double utenzaX, utenzaY;
  double angolo0X, angolo0Y, angolo1X, angolo1Y;
};
constexpr double Diag = 0.707;
constexpr std::array<VersoFreccia, 9> Versi{{
    {},
    {-0.5, -1, -0.5, -1, -0.383, -0.924, 0.383, -0.924},
    {-1, -0.5, -1, -0.5, -0.924, 0.383, -0.924, -0.383},
    {-0.5, 0, -0.5, 0, 0.383, 0.924, -0.383, 0.924},
    {0, -0.5, 0, -0.5, 0.924, -0.383, 0.924, 0.383},
    {-1, -1, -Diag, -Diag, -0.924, -0.383, -0.383, -0.924},
    {-1, 0, -Diag, 0, -0.383, 0.924, -0.924, 0.383},
    {0, 0, 0, 0, 0.924, 0.383, 0.383, 0.924},
    {0, -1, -Diag / 2, -Diag, 0.383, -0.924, 0.924, -0.383},
}};

const VersoFreccia* Verso(int16_t direzione) {
  return direzione >= 1 && direzione <= 8 ? &Versi[static_cast<size_t>(direzione)] : nullptr;
}

}  // namespace

void ResetDropTargets() {
  PuntiInserimentoTronco.assign(11, TPuntoInserimento{});
  PuntiInserimentoUtenza.assign(11, TPuntoInserimento{});
  NumPuntiInserimentoTronco = 0;
  NumPuntiInserimentoUtenza = 0;
}

void AddTroncoTarget(int16_t tronco, int16_t direzione, int32_t x, int32_t y, int16_t codiceSvolta) {
  Aggiungi(PuntiInserimentoTronco, NumPuntiInserimentoTronco, {tronco, direzione, codiceSvolta, x, y});
}

void AddUtenzaTarget(int16_t tronco, int32_t x, int32_t y) {
  Aggiungi(PuntiInserimentoUtenza, NumPuntiInserimentoUtenza, {tronco, Tronco(tronco).Direzione, 1, x, y});
}

int16_t TurnCodeBetween(int16_t direzione, int16_t base) {
  for (int16_t c : {1, 8, 3, 7, 6, 5, 2, 4})
    if (RotateByCode(base, c) == direzione) return c;
  return 0;
}

void ComputeDropTargets() {
  const int16_t n = ContoTronchi();
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    if (t.Collegato == 0) continue;
    t.EstremoLibero = 0;
    if (!(s == 1 || t.ID_PREV != 0)) continue;
    const int16_t d = t.Direzione;
    const int32_t X = t.FineX, Y = t.FineY;
    const int16_t figli = CountDerivazioni(s);
    if (figli == 0 && t.ID_P_TRONCO == 0) {
      t.EstremoLibero = -1;
      static constexpr std::array<std::pair<int, int16_t>, 7> giri{
          {{1, 1}, {2, 4}, {3, 2}, {4, 5}, {5, 7}, {6, 3}, {7, 8}}};
      for (const auto& [ordine, codice] : giri) {
        (void)ordine;
        AddTroncoTarget(s, RotateByCode(d, codice), X, Y, codice);
      }
      AddUtenzaTarget(s, X, Y);
    } else if (figli == 1) {
      t.EstremoLibero = -1;
      const int16_t figlio = GetDerivazione(s, 1);
      const int16_t c = IsSlotValido(figlio) ? Tronco(figlio).Direzione : 0;
      const int16_t indietro = ReverseDirection(d);
      // The seven other directions counter-clockwise from 45 degrees left of the derivation's;
      // a derivation drawn in no direction leaves none.
      int16_t dir = RotateLeft45(c);
      for (int giro = 0; giro < 7 && dir != 0 && dir != c; ++giro, dir = RotateLeft45(dir))
        if (dir != indietro) AddTroncoTarget(s, dir, X, Y, TurnCodeBetween(dir, d));
    }
  }
}

void ShowTroncoTargets() {
  RiprendiDisegnoSchermo();
  RegioniDrop.Reset();
  if (!SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  const double s = ScalaDisegno;
  const double W = LatoFigura, H = LatoFigura;
  for (int16_t i = 1; i <= NumPuntiInserimentoTronco; ++i) {
    const TPuntoInserimento& p = PuntiInserimentoTronco[static_cast<size_t>(i)];
    if (!ConEstremoLibero(p.Tronco)) continue;
    const double X = p.PuntoX, Y = p.PuntoY;
    const VersoFreccia* v = Verso(p.Direzione);
    if (!v) continue;
    const double left = X + v->troncoX * W * s, top = Y + v->troncoY * H * s;
    sup.PaintPicture(FrecciaDirezione(p.Direzione), Arrotonda32(left), Arrotonda32(top), W * s, H * s);
    const double w = Arrotonda32(W * s), h = Arrotonda32(H * s);
    const double c0x = X + v->angolo0X * w, c0y = Y + v->angolo0Y * h;
    const double c1x = X + v->angolo1X * w, c1y = Y + v->angolo1Y * h;
    RegioniDrop.AddTriangle(Arrotonda32(c0x), Arrotonda32(c0y), Arrotonda32(c1x), Arrotonda32(c1y), p.PuntoX,
                            p.PuntoY, i, "E" + LettereDirezione(p.Direzione));
  }
}

void ShowUtenzaTargets() {
  RiprendiDisegnoSchermo();
  RegioniDrop.Reset();
  if (!SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  const double s = ScalaDisegno;
  const double W = LatoFigura, H = LatoFigura;
  for (int16_t i = 1; i <= NumPuntiInserimentoUtenza; ++i) {
    const TPuntoInserimento& p = PuntiInserimentoUtenza[static_cast<size_t>(i)];
    if (!ConEstremoLibero(p.Tronco)) continue;
    const double X = p.PuntoX, Y = p.PuntoY;
    const VersoFreccia* v = Verso(p.Direzione);
    if (!v) continue;
    const double left = X + v->utenzaX * W * s, top = Y + v->utenzaY * H * s;
    const int32_t l = Arrotonda32(left), tp = Arrotonda32(top);
    sup.PaintPicture(FrecciaDirezione(p.Direzione), l, tp, W * s, H * s);
    const int32_t w = Arrotonda32(W * s), h = Arrotonda32(H * s);
    RegioniDrop.AddRectangle(l, tp, l + w, tp + h, i, "E" + LettereDirezione(p.Direzione));
  }
}

}  // namespace varnex
