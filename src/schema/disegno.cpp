#include "schema/disegno.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include "model/giudizi.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "schema/direzioni.h"
#include "schema/inserimento.h"

namespace varnex {

int32_t SchemaMaxX = 0, SchemaMaxY = 0, SchemaMinX = 0, SchemaMinY = 0;
int16_t AdattaSchemaPagina = 0;
double ScalaStampaSchema = 0;

ISuperficieDisegno* SuperficieDisegno = nullptr;
float ScalaDisegno = 1;
int32_t ColoreDisegno = ColoreBianco;
int16_t DisegnoVisibile = 0;
int16_t DisegnoPerStampa = 0;
int16_t PassiX = 0, PassiY = 0;
int32_t PassiMinX = 0, PassiMaxX = 0, PassiMinY = 0, PassiMaxY = 0;
clsHotRegions RegioniClick;
clsHotRegions RegioniEstremi;
clsHotRegions RegioniDrop;
int16_t TroncoSelezionato = 0;

namespace {

IEditorSchema* editorSchema = nullptr;

// The four source pictures carry 8 as their anchor divisor.
constexpr double DivisoreAncora = 8;

// Segments already drawn in the current pass: a damaged tree (a child linked twice, a cycle)
// must not make the layout run for ever.
std::array<bool, MaxTronchi + 1> disegnati{};

// The last screen drawing's request, for the redraws of the editing.
std::string ultimoFont = "Arial";
int16_t ultimaDimensione = 7;

int16_t ZoomEditor() { return editorSchema ? editorSchema->ScaleFactor() : 0; }

// The canvas's drawing state, kept aside while a drawing on another surface holds the state.
struct StatoSchermo {
  ISuperficieDisegno* superficie = nullptr;
  float scala = 1;
  int32_t colore = ColoreBianco;
  int16_t visibile = 0, perStampa = 0;
  int16_t passiX = 0, passiY = 0;
  int32_t passiMinX = 0, passiMaxX = 0, passiMinY = 0, passiMaxY = 0;
  clsHotRegions click, estremi, drop;
  std::vector<TPuntoInserimento> puntiTronco, puntiUtenza;
  int16_t numPuntiTronco = 0, numPuntiUtenza = 0;
  int16_t selezionato = 0;
  // Where the canvas drew each segment (the other drawing writes its own positions).
  struct Geometria {
    int16_t direzione = 0;
    int32_t fineX = 0, fineY = 0;
    int16_t estremoLibero = 0;
  };
  std::array<Geometria, MaxTronchi + 1> segmenti{};
};
std::unique_ptr<StatoSchermo> schermoSospeso;

std::unique_ptr<StatoSchermo> CatturaSchermo() {
  auto st = std::make_unique<StatoSchermo>();
  st->superficie = SuperficieDisegno;
  st->scala = ScalaDisegno;
  st->colore = ColoreDisegno;
  st->visibile = DisegnoVisibile;
  st->perStampa = DisegnoPerStampa;
  st->passiX = PassiX, st->passiY = PassiY;
  st->passiMinX = PassiMinX, st->passiMaxX = PassiMaxX, st->passiMinY = PassiMinY, st->passiMaxY = PassiMaxY;
  st->click = RegioniClick;
  st->estremi = RegioniEstremi;
  st->drop = RegioniDrop;
  st->puntiTronco = PuntiInserimentoTronco;
  st->puntiUtenza = PuntiInserimentoUtenza;
  st->numPuntiTronco = NumPuntiInserimentoTronco;
  st->numPuntiUtenza = NumPuntiInserimentoUtenza;
  st->selezionato = TroncoSelezionato;
  for (int16_t s = 0; s <= MaxTronchi; ++s) {
    const TTronco& t = Tronco(s);
    st->segmenti[static_cast<size_t>(s)] = {t.Direzione, t.FineX, t.FineY, t.EstremoLibero};
  }
  return st;
}

void RipristinaSchermo(StatoSchermo& st) {
  SuperficieDisegno = st.superficie;
  ScalaDisegno = st.scala;
  ColoreDisegno = st.colore;
  DisegnoVisibile = st.visibile;
  DisegnoPerStampa = st.perStampa;
  PassiX = st.passiX, PassiY = st.passiY;
  PassiMinX = st.passiMinX, PassiMaxX = st.passiMaxX, PassiMinY = st.passiMinY, PassiMaxY = st.passiMaxY;
  RegioniClick = std::move(st.click);
  RegioniEstremi = std::move(st.estremi);
  RegioniDrop = std::move(st.drop);
  PuntiInserimentoTronco = std::move(st.puntiTronco);
  PuntiInserimentoUtenza = std::move(st.puntiUtenza);
  NumPuntiInserimentoTronco = st.numPuntiTronco;
  NumPuntiInserimentoUtenza = st.numPuntiUtenza;
  TroncoSelezionato = st.selezionato;
  for (int16_t s = 0; s <= MaxTronchi; ++s) {
    TTronco& t = Tronco(s);
    const StatoSchermo::Geometria& g = st.segmenti[static_cast<size_t>(s)];
    t.Direzione = g.direzione;
    t.FineX = g.fineX;
    t.FineY = g.fineY;
    t.EstremoLibero = g.estremoLibero;
  }
}

bool PiazzamentoStampa() { return AdattaSchemaPagina != 0 && DisegnoPerStampa != 0; }

// The first n characters of the value's regional text, read back as a number (0 when the cut
// text is no number).
double Taglia(double valore, long n) { return StrToDouble(Left(TestoNumero(valore), n)); }

float ScalaDaStampa(long caratteri, bool zeroDiventaUno) {
  double s;
  if (ScalaStampaSchema > 2) s = Taglia(Taglia(ScalaStampaSchema, 3) / 2, 3);
  else s = Taglia(ScalaStampaSchema, caratteri);
  if (zeroDiventaUno && s == 0) s = 1;
  return static_cast<float>(s);
}

void Posiziona(ISuperficieDisegno& sup, double x, double y) {
  sup.SetCurrentX(x);
  sup.SetCurrentY(y);
}

bool DirezioneValida(int16_t d) { return d >= 1 && d <= 8; }

// The equivalent length as the segment table shows it, with its column's decimals, so that the
// label never shows the noise of the single-precision value ("8,559999"). Without a table
// definition: two decimals at most.
std::string TestoLunghezzaEquivalente(float l) {
  const int16_t layout = LayoutAttivita();
  const int16_t colonne = ColonneLayout(layout);
  for (int16_t c = 0; c < colonne && c < MaxColonneGriglia; ++c) {
    const TColonnaGriglia& col = ColonneGriglia[static_cast<size_t>(layout)][static_cast<size_t>(c)];
    if (col.IdCampo == campo::ID_EQ_LEN && !Trim(col.Formato).empty()) return Trim(FormatMaschera(l, col.Formato));
  }
  return TestoNumero(std::round(static_cast<double>(l) * 100) / 100);
}

}  // namespace

int32_t Arrotonda32(double v) {
  if (std::isnan(v)) return 0;
  const double r = ArrotondaPari(v);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

bool EtichetteLeggibili() {
  // Labels give way where they would crowd: beyond six zoom steps out on the canvas, and on
  // paper drawn below 0.9 of its size. Only the canvas follows the editor's zoom: what is printed
  // or written is the same whatever the editor shows. On the canvas a smaller scale means zoomed
  // in, where there is the most room to read them.
  if (DisegnoPerStampa == 0) return ZoomEditor() >= -6;
  return ScalaDisegno >= static_cast<float>(ScalaLeggibileSchema);
}

void ImpostaEditorSchema(IEditorSchema* editor) { editorSchema = editor; }
IEditorSchema* EditorSchema() { return editorSchema; }

void SetDrawTarget(ISuperficieDisegno& target) { SuperficieDisegno = &target; }

void RiprendiDisegnoSchermo() {
  if (!schermoSospeso) return;
  std::unique_ptr<StatoSchermo> st = std::move(schermoSospeso);
  RipristinaSchermo(*st);
}

int16_t TroncoSelezionatoSulloSchermo() { return schermoSospeso ? schermoSospeso->selezionato : TroncoSelezionato; }

void DimenticaSuperficie(const ISuperficieDisegno* superficie) {
  if (!superficie) return;
  if (SuperficieDisegno == superficie) SuperficieDisegno = nullptr;
  // The canvas it stood for is gone: nothing to come back to.
  if (schermoSospeso && schermoSospeso->superficie == superficie) schermoSospeso.reset();
}

void UpdateBounds() {
  if (PassiX < PassiMinX) PassiMinX = PassiX;
  if (PassiX > PassiMaxX) PassiMaxX = PassiX;
  if (PassiY < PassiMinY) PassiMinY = PassiY;
  if (PassiY > PassiMaxY) PassiMaxY = PassiY;
}

void DrawNode(int32_t x, int32_t y) {
  if (!SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  sup.SetFillColor(ColoreDisegno);
  sup.SetFillStyle(0);
  if (DisegnoVisibile != 0) sup.Circle(x, y, 0, ColoreDisegno);
  sup.SetFillStyle(1);
}

namespace {

// Draws child `c` of a segment from (x, y) in direction d, with its subtree.
void DisegnaFiglio(int16_t c, int32_t x, int32_t y, int16_t d, int32_t lenFactor, int32_t yFactor,
                   const std::string& fontName, int16_t fontSize) {
  if (!IsSlotValido(c) || disegnati[static_cast<size_t>(c)]) return;
  disegnati[static_cast<size_t>(c)] = true;
  DrawTronco(c, x, y, d, lenFactor, yFactor, std::nullopt, fontName, fontSize);
  DrawSubTree(c, Arrotonda32(SuperficieDisegno->CurrentX()), Arrotonda32(SuperficieDisegno->CurrentY()), d,
              lenFactor, yFactor, fontName, fontSize);
}

void DisegnaRadice(int32_t x, int32_t y, int32_t lenFactor, int32_t yFactor, const std::string& fontName,
                   int16_t fontSize) {
  disegnati.fill(false);
  disegnati[1] = true;
  DrawTronco(1, x, y, 4, lenFactor, yFactor, std::nullopt, fontName, fontSize);
  DrawSubTree(1, Arrotonda32(SuperficieDisegno->CurrentX()), Arrotonda32(SuperficieDisegno->CurrentY()), 4,
              lenFactor, yFactor, fontName, fontSize);
}

}  // namespace

void DrawSubTree(int16_t seg, int32_t x, int32_t y, int16_t dir, int32_t lenFactor, int32_t yFactor,
                 const std::string& fontName, int16_t fontSize) {
  if (seg == 0 || !SuperficieDisegno) return;
  const int16_t n = CountDerivazioni(seg);
  if (n == 0) {
    const TTronco& t = Tronco(seg);
    if (t.ID_P_TRONCO > 0) DrawUtenza(x, y, dir, t.TipologiaUtenza, seg);
    return;
  }
  DrawNode(x, y);
  const int16_t c1 = GetDerivazione(seg, 1);
  const int16_t d1 = IsSlotValido(c1) ? ChildDirection(c1, dir) : 0;
  if (n == 1) {
    DisegnaFiglio(c1, x, y, d1, lenFactor, yFactor, fontName, fontSize);
    return;
  }
  const int16_t px = PassiX, py = PassiY;
  DisegnaFiglio(c1, x, y, d1, lenFactor, yFactor, fontName, fontSize);
  PassiX = px;
  PassiY = py;
  const int16_t c2 = GetDerivazione(seg, 2);
  const int16_t d2 = IsSlotValido(c2) ? ChildDirection(c2, dir, d1) : 0;
  DisegnaFiglio(c2, x, y, d2, lenFactor, yFactor, fontName, fontSize);
}

void DrawSchema(ISuperficieDisegno& target, int16_t mode, std::optional<double> x0, std::optional<double> y0,
                std::optional<double> width, std::optional<double> height, const std::string& fontName,
                int16_t fontSize) {
  // 1. Scale.
  const std::string nome = target.Nome();
  const bool picturaStampa = nome == "picPrint" || nome == "picSchema";
  const bool schermo = mode == 2 && !picturaStampa;
  // The canvas keeps showing its drawing while another surface is drawn on: its state is kept
  // aside (once, however many other drawings follow) until the mouse editing takes it back.
  if (schermo) schermoSospeso.reset();
  else if (!schermoSospeso && SuperficieDisegno && DisegnoPerStampa == 0) schermoSospeso = CatturaSchermo();
  if (schermo) {
    DisegnoPerStampa = 0;
    ScalaDisegno = static_cast<float>(std::pow(0.9, ZoomEditor()));
  } else {
    DisegnoPerStampa = -1;
    if (mode == 2) ScalaDisegno = ScalaDaStampa(3, false);
    else if (AdattaSchemaPagina != 0) ScalaDisegno = ScalaDaStampa(5, true);
    else ScalaDisegno = 1;
  }
  if (mode == 2) {
    ultimoFont = fontName;
    ultimaDimensione = fontSize;
  }
  // 2. Unit.
  const int32_t u = Arrotonda32(static_cast<double>(ScalaDisegno) * 480);
  // 3. Reset for the measuring pass.
  DisegnoVisibile = 0;
  PassiX = PassiY = 0;
  PassiMinX = PassiMaxX = PassiMinY = PassiMaxY = 0;
  int32_t lenFactor = 800, yFactor = 800;
  RegioniClick.Reset();
  ResetDropTargets();
  SetDrawTarget(target);
  target.SetFontTransparent(true);
  // 4. Colour.
  if (mode == 2) {
    target.Cls();
    ColoreDisegno = ColoreBianco;
  } else {
    ColoreDisegno = ColoreNero;
  }
  // 5. Frame.
  int32_t W = Arrotonda32(0.8 * width.value_or(target.Larghezza()));
  int32_t H = Arrotonda32(height.value_or(target.Altezza()) - 3.0 * u);
  int32_t ox, oy;
  if (x0) {
    ox = Arrotonda32(*x0 + 200);
    oy = Arrotonda32(y0.value_or(0));
  } else {
    ox = 620;
    oy = Arrotonda32(target.ScaleHeight() - 2.0 * u);
  }
  const double schermoL = editorSchema ? editorSchema->LarghezzaSchermo() : 12000;
  const double schermoA = editorSchema ? editorSchema->AltezzaSchermo() : 9000;
  if (schermoL > 0) W = Arrotonda32(W * 12000.0 / schermoL);
  if (schermoA > 0) H = Arrotonda32(H * 9000.0 / schermoA);
  // 6. Measuring pass.
  const bool conTronchi = Rete().NumTronchi >= 1;
  DrawNode(ox, oy);
  if (conTronchi) DisegnaRadice(ox, oy, 800, 800, fontName, fontSize);
  // 7. Fit.
  if (PassiMaxX - PassiMinX > 0) lenFactor = Arrotonda32(2.0 * W / (PassiMaxX - PassiMinX));
  if (PassiMaxY - PassiMinY > 0) yFactor = Arrotonda32(static_cast<double>(H) / (PassiMaxY - PassiMinY) * 0.9);
  if (PassiMinX < 0)
    ox = Arrotonda32(ox + static_cast<double>(ScalaDisegno) * lenFactor / 2 * std::abs(PassiMinX) + W * 0.1);
  if (PassiMinY < 0) oy = Arrotonda32(static_cast<double>(oy) - static_cast<double>(std::abs(PassiMinY)) * yFactor);
  // 8. Painting pass.
  DisegnoVisibile = -1;
  if (mode == 2) target.Cls();
  RegioniClick.Reset();
  RegioniEstremi.Reset();
  target.SetFontTransparent(true);
  // 9. Source symbol.
  const double S = ScalaDisegno;
  const double lato = LatoFigura;
  const auto figura = static_cast<FiguraSchema>(static_cast<int16_t>(FiguraSchema::Sorgente0) +
                                                 ((OrientamentoSorgente % 4) + 4) % 4);
  const bool fit = PiazzamentoStampa();
  const double xb = SchemaMinX > 0 ? ox : std::abs(static_cast<double>(SchemaMinX));
  // The outlet leaves one eighth down the picture, on the first segment's line, in both
  // placements: four eighths would float the meter above its pipe on a fitted page.
  if (fit)
    target.PaintPicture(figura, xb + lato, oy - lato / DivisoreAncora * S, lato * S, lato * S);
  else
    target.PaintPicture(figura, ox - lato * S, oy - lato / DivisoreAncora * S, lato * S, lato * S);
  // 10. Source click region.
  const double xa = fit ? xb + lato : ox - lato * S;
  RegioniClick.AddRectangle(Arrotonda32(xa), Arrotonda32(oy - lato / 8 * S), ox, Arrotonda32(oy + lato * S), 0,
                            "SRC");
  // 11. Source dot, on the source's outlet, where the first segment starts. The fitted placement
  // moves the picture right of the extents, so the outlet moves with it.
  const int32_t sx = fit ? Arrotonda32(xb + lato + lato * S) : ox;
  DrawNode(sx, oy);
  // 12. Segments.
  if (conTronchi) {
    DisegnaRadice(sx, oy, lenFactor, yFactor, fontName, fontSize);
  } else {
    Tronco(0).EstremoLibero = -1;
    AddTroncoTarget(0, 4, ox, oy, 1);
  }
  // Everything is drawn: a surface that holds the labels back places them now, clear of it all.
  target.FineDisegno();
  // 13. Drop targets at the free ends.
  if (mode == 2) ComputeDropTargets();
  // 14.
  TroncoSelezionato = 0;
}

void RidisegnaSuperficie() {
  RiprendiDisegnoSchermo();
  if (SuperficieDisegno) DrawSchema(*SuperficieDisegno, 2, ultimoFont, ultimaDimensione);
}

// ---- One segment ----------------------------------------------------------------------------

void DrawTronco(int16_t seg, int32_t x, int32_t y, int16_t direction, int32_t lenFactor, int32_t /*yFactor*/,
                std::optional<int32_t> colore, const std::string& fontName, int16_t fontSize) {
  if (!SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  TTronco& t = Tronco(seg);
  const double s = ScalaDisegno;
  constexpr double k = 0.707;
  // Set-up.
  sup.SetFontName(fontName);
  sup.SetFontSize(fontSize);
  const int32_t coloreTratto = colore.value_or(ColoreDisegno);
  // A segment the last calculation did not reach (a refused calculation, a detached branch) holds
  // no result: its diameter is greyed as in the table, so it cannot pass for a sized pipe.
  const int32_t coloreEtichetta = t.Collegato == 0 ? ColoreGrigio : t.ID_DIAMCUSTOM != 0 ? ColoreRosso : ColoreDisegno;
  const std::string numero = TestoNumero(seg);
  std::string etichetta = " ø " + t.ID_DIAMETRO + " - " + TestoLunghezzaEquivalente(t.ID_EQ_LEN) + "m";
  const double W = ArrotondaPari(sup.TextWidth(etichetta));
  const double TH2 = ArrotondaPari(2 * sup.TextHeight("H"));
  const double TWH = ArrotondaPari(sup.TextWidth("H"));
  const double th = sup.TextHeight("H");
  const bool leggibile = EtichetteLeggibili();
  if (!leggibile) etichetta.clear();
  const int32_t len = t.LunghezzaDisegno != 0 ? t.LunghezzaDisegno : lenFactor;

  if (!DirezioneValida(direction)) {
    t.LunghezzaDisegno = 0;
    t.Direzione = direction;
    t.FineX = 0;
    t.FineY = 0;
    UpdateBounds();
    return;
  }

  const double sx = (direction == 2 || direction == 5 || direction == 6) ? -1 : (direction == 1 || direction == 3) ? 0 : 1;
  const double sy = (direction == 1 || direction == 5 || direction == 8) ? -1 : (direction == 2 || direction == 4) ? 0 : 1;
  const bool diagonale = direction >= 5;

  if (DisegnoVisibile != 0) {
    const double L = PiazzamentoStampa() ? s * len : len;
    const double M = diagonale ? k * L / 2 : L / 2;
    const double Xe = x + sx * (diagonale ? k * L : L);
    const double Ye = y + sy * (diagonale ? k * L : L);
    auto scrivi = [&](double px, double py, int32_t c, const std::string& testo) {
      Posiziona(sup, px, py);
      sup.SetForeColor(c);
      sup.Print(testo);
    };
    auto aCapo = [&](double px, int32_t c, const std::string& testo) {
      sup.SetCurrentX(px);
      sup.SetForeColor(c);
      sup.Print(testo);
    };
    // The number and the diameter name the middle of the segment, and stay together.
    sup.InizioEtichettaTubo(x, y, Xe, Ye);
    switch (direction) {
      case 1:
        scrivi(x, y - M - TH2 / 2, ColoreDisegno, " " + numero);
        aCapo(x, coloreEtichetta, etichetta);
        break;
      case 3:
        scrivi(x, y + M - TH2 / 2, ColoreDisegno, " " + numero);
        aCapo(x, coloreEtichetta, etichetta);
        break;
      // A horizontal segment's block stands above it, its number over its diameter: the same order
      // as every other direction, and the segment never between its own two lines.
      case 2:
        scrivi(x - M, y - 2 * th, ColoreDisegno, " " + numero);
        aCapo(x - M - W / 2, coloreEtichetta, etichetta);
        break;
      case 4:
        scrivi(x + M, y - 2 * th, ColoreDisegno, numero);
        aCapo(x + M - W / 2, coloreEtichetta, etichetta);
        break;
      case 8:
        scrivi(x + M, y - M + TH2 / 2, coloreEtichetta, etichetta);
        scrivi(x + M, y - M, ColoreDisegno, " " + numero);
        break;
      case 5:
        scrivi(x - M + 2 * TWH, y - M, coloreEtichetta, etichetta);
        scrivi(x - M + 2 * TWH, y - M - TH2 / 2, ColoreDisegno, " " + numero);
        break;
      case 7:
        scrivi(x + M + TWH, y + M - k * TH2 / 2, coloreEtichetta, etichetta);
        scrivi(x + M + TWH, y + M - k * TH2, ColoreDisegno, " " + numero);
        break;
      case 6:
        scrivi(x - M - k * 2 * TWH, y + M + k * TH2, coloreEtichetta, etichetta);
        scrivi(x - M - k * 2 * TWH, y + M + k * TH2 / 2, ColoreDisegno, " " + numero);
        break;
      default:
        break;
    }
    sup.FineEtichetta();
    // End handle: a green square on the end and its circle among the handles.
    const double lato = 75 * s;
    sup.Line(Xe - lato / 2, Ye - lato / 2, Xe - lato / 2 + lato, Ye - lato / 2 + lato, ColoreVerde, true);
    double cx, cy;
    switch (direction) {
      case 1: cx = x, cy = Ye - 7.5 * s; break;
      case 3: cx = x - 37.5 * s, cy = Ye - 37.5 * s; break;
      case 2: cx = Xe, cy = y; break;
      case 4: cx = Xe - 37.5 * s, cy = y - 37.5 * s; break;
      default: cx = Xe, cy = Ye - 7.5 * s; break;
    }
    // A repaint of a segment already drawn (the selection) finds its handle in place: adding it
    // again would only fill the list, click after click.
    const std::string lettere = LettereDirezione(direction);
    if (RegioniEstremi.SearchIndex(seg, lettere) == 0)
      RegioniEstremi.AddCircle(Arrotonda32(cx), Arrotonda32(cy), Arrotonda32(150 * s), seg, lettere);
    // The stroke: a bar 3 x s thick beside the centre line, or a shifted line for a diagonal.
    const double sp = 3 * s;
    switch (direction) {
      case 1: sup.Line(x - sp, y, x, y - L, coloreTratto, true); break;
      case 3: sup.Line(x - sp, y, x, y + L, coloreTratto, true); break;
      case 2: sup.Line(x, y - sp, x - L, y, coloreTratto, true); break;
      case 4: sup.Line(x, y - sp, x + L, y, coloreTratto, true); break;
      default: sup.Line(x - sp, y - sp, x - sp + sx * k * L, y - sp + sy * k * L, coloreTratto); break;
    }
    int32_t dx, dy;
    if (diagonale) {
      const int32_t r = Arrotonda32(k * L);
      dx = static_cast<int32_t>(sx) * r;
      dy = static_cast<int32_t>(sy) * r;
    } else {
      dx = static_cast<int32_t>(sx) * Arrotonda32(L);
      dy = static_cast<int32_t>(sy) * Arrotonda32(L);
    }
    AddTroncoHotRegion(seg, x, y, dx, dy, direction);
  }

  // Bookkeeping, in both passes.
  switch (direction) {
    case 1: ++PassiY; break;
    case 3: --PassiY; break;
    case 2: --PassiX; break;
    case 4: PassiX = static_cast<int16_t>(PassiX + 2); break;
    default: break;
  }
  int32_t fx, fy;
  if (diagonale) {
    fx = Arrotonda32(x + sx * k * len);
    fy = Arrotonda32(y + sy * k * len);
  } else {
    fx = Arrotonda32(static_cast<double>(x) + sx * len);
    fy = Arrotonda32(static_cast<double>(y) + sy * len);
  }
  if (sx < 0 && fx < SchemaMinX) SchemaMinX = fx;
  if (sx > 0 && fx > SchemaMaxX) SchemaMaxX = fx;
  if (sy < 0 && fy < SchemaMinY) SchemaMinY = fy;
  if (sy > 0 && fy > SchemaMaxY) SchemaMaxY = fy;
  t.LunghezzaDisegno = len;
  t.Direzione = direction;
  t.FineX = fx;
  t.FineY = fy;
  UpdateBounds();
}

void AddTroncoHotRegion(int16_t seg, int32_t x, int32_t y, int32_t dx, int32_t dy, int16_t direction) {
  switch (direction) {
    case 1: RegioniClick.AddRectangle(x - 100, y + dy, x + 100, y, seg, "T"); return;
    case 3: RegioniClick.AddRectangle(x - 100, y, x + 100, y + dy, seg, "T"); return;
    case 2: RegioniClick.AddRectangle(x + dx, y - 100, x, y + 100, seg, "T"); return;
    case 4: RegioniClick.AddRectangle(x, y - 100, x + dx, y + 100, seg, "T"); return;
    default: break;
  }
  int32_t cx, cy;
  switch (direction) {
    case 8: cx = -35, cy = -35; break;
    case 5: cx = -35, cy = 35; break;
    case 6: cx = 35, cy = 35; break;
    case 7: cx = 35, cy = -35; break;
    default: return;
  }
  const int32_t ex = x + dx, ey = y + dy;
  RegioniClick.AddCustomRectangle(x + cx, y + cy, x - cx, y - cy, ex + cx, ey + cy, ex - cx, ey - cy, seg, "T");
}

}  // namespace varnex
