// Appliance symbols at the free ends of the end segments that carry gas.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/giudizi.h"
#include "model/calcolo.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "model/righe_testo.h"
#include "schema/disegno.h"

namespace varnex {

namespace {

FiguraSchema FiguraUtenza(int16_t tipo) {
  switch (tipo) {
    case 1: return FiguraSchema::Fornello;
    case 3: return FiguraSchema::Bruciatore;
    case 4: return FiguraSchema::Convettore;
    default: return FiguraSchema::Caldaia;
  }
}

// The widest line of an appliance's reference off the canvas, in characters.
constexpr double CaratteriRigaRiferimento = 20;

// The reference's lines. The canvas has room for 8 characters; paper, preview and saved picture
// print it whole, broken between words (a word longer than a line alone is split).
// A reference's lines counted in characters, as the label's room is.
class MisuraCaratteri final : public IMisuraTabella {
 public:
  void SetFontSize(double) override {}
  void SetFontBold(bool) override {}
  double TextWidth(const std::string& testo) override { return static_cast<double>(Len(testo)); }
};

std::vector<std::string> RigheRiferimentoUtenza(const std::string& riferimento, bool suCarta) {
  if (!suCarta) return {" " + Left(Trim(riferimento), 8)};
  // As in the report's tables: a short last word ("21" of "Piano cottura app. 21") keeps the word
  // before it company rather than stand alone.
  MisuraCaratteri misura;
  std::vector<std::string> righe = RigheRiferimento(misura, Trim(riferimento), CaratteriRigaRiferimento);
  // No reference is still a line: the flow keeps its place under it.
  if (righe.empty()) righe.emplace_back();
  for (std::string& r : righe) r = " " + r;
  return righe;
}

void Linea(ISuperficieDisegno& sup, double dx, double dy) {
  const double x = sup.CurrentX(), y = sup.CurrentY();
  sup.Line(x, y, x + dx, y + dy, sup.ForeColor());
}

}  // namespace

void DrawUtenza(int32_t x, int32_t y, int16_t direction, int16_t tipo, int16_t seg) {
  if (!SuperficieDisegno) return;
  ISuperficieDisegno& sup = *SuperficieDisegno;
  // 1. Size: never beyond the base box on the canvas, scaled on a fitted page. The scale applies
  // once: the base box times the scale, never a box already scaled.
  const float s = ScalaDisegno;
  float W0 = 440, H0 = 460;
  if (!(s > 1)) {
    W0 = 440 * s;
    H0 = 460 * s;
  }
  const bool fit = AdattaSchemaPagina != 0 && DisegnoPerStampa != 0;
  const double W = fit ? 440.0 * s : W0;
  const double H = fit ? 460.0 * s : H0;
  // 2. Measuring pass.
  if (DisegnoVisibile == 0) return;
  const TTronco& t = Rete().Tronchi.at(static_cast<size_t>(seg));
  // 3. State colour of the flow label.
  // Judged as the table judges the appliance's end pressure or path drop.
  const bool rosso = OltreLimite(seg, ReteInPressione != 0 ? campo::ID_PFINALE : campo::ID_PDC_PERCORSO, {});
  const int32_t coloreStato = rosso ? ColoreRosso : (DisegnoPerStampa != 0 ? ColoreNero : ColoreBianco);
  // 4.-6.
  const FiguraSchema figura = FiguraUtenza(tipo);
  const std::vector<std::string> riferimento = RigheRiferimentoUtenza(t.ID_RIF, DisegnoPerStampa != 0);
  const double righeInPiu = static_cast<double>(riferimento.size()) - 1;
  const std::string portata = " " + FormatNumero(t.ID_P_TRONCO, 1) + " Nmc/h";
  sup.SetForeColor(ColoreDisegno);
  const double TW = sup.TextWidth("H"), TH = sup.TextHeight("H");
  // The appliance's reference and flow are left out where the segments' labels are.
  const bool etichette = EtichetteLeggibili();

  // The picture and the click region, at the box corner the pen has reached.
  auto figuraERegione = [&]() {
    const int32_t cx = Arrotonda32(sup.CurrentX()), cy = Arrotonda32(sup.CurrentY());
    sup.PaintPicture(figura, cx, cy, W, H);
    RegioniClick.AddRectangle(cx, cy, Arrotonda32(cx + W), Arrotonda32(cy + H), seg, "U");
    return std::pair<int32_t, int32_t>(cx, cy);
  };
  // The reference and the flow name the appliance's picture, and stay together.
  auto inizio = [&](const std::pair<int32_t, int32_t>& c) { sup.InizioEtichetta(c.first + W / 2, c.second + H / 2); };
  auto scrivi = [&](double px, double py, int32_t colore, const std::string& testo) {
    sup.SetCurrentX(px);
    sup.SetCurrentY(py);
    sup.SetForeColor(colore);
    sup.Print(testo);
  };
  auto aCapo = [&](double px, int32_t colore, const std::string& testo) {
    sup.SetCurrentX(px);
    sup.SetForeColor(colore);
    sup.Print(testo);
  };
  // The reference from (px, py), one line under the other.
  auto scriviRiferimento = [&](double px, double py, int32_t colore) {
    scrivi(px, py, colore, riferimento.front());
    for (size_t i = 1; i < riferimento.size(); ++i) aCapo(px, colore, riferimento[i]);
  };

  sup.SetCurrentX(x);
  sup.SetCurrentY(y);
  switch (direction) {
    case 1: case 5: case 8: {
      sup.Line(x, y, x - W / 2, y, sup.ForeColor());
      Linea(sup, 0, -H);
      const auto c = figuraERegione();
      Linea(sup, W, 0);
      Linea(sup, 0, H);
      Linea(sup, -W / 2, 0);
      if (etichette) {
        inizio(c);
        scriviRiferimento(x - W / 2 - 2 * TW, y - H - (2 + righeInPiu) * TH, ColoreDisegno);
        aCapo(x - W / 2 - 2 * TW, coloreStato, portata);
        sup.FineEtichetta();
      }
      break;
    }
    case 3: case 6: case 7: {
      Linea(sup, -W / 2, 0);
      const auto c = figuraERegione();
      Linea(sup, 0, H);
      Linea(sup, W, 0);
      Linea(sup, 0, -H);
      Linea(sup, -W / 2, 0);
      if (etichette) {
        // The pen keeps the state colour for the reference too.
        inizio(c);
        scrivi(c.first, y + 1.1 * H, coloreStato, portata);
        for (const std::string& riga : riferimento) aCapo(c.first, coloreStato, riga);
        sup.FineEtichetta();
      }
      break;
    }
    case 2: {
      Linea(sup, 0, -H / 2);
      Linea(sup, -W, 0);
      const auto c = figuraERegione();
      Linea(sup, 0, H);
      Linea(sup, W, 0);
      Linea(sup, 0, -H / 2);
      if (etichette) {
        inizio(c);
        scriviRiferimento(c.first, c.second - (2 + righeInPiu) * TH, ColoreDisegno);
        aCapo(c.first, coloreStato, portata);
        sup.FineEtichetta();
      }
      break;
    }
    case 4: {
      Linea(sup, 0, -H / 2);
      const auto c = figuraERegione();
      Linea(sup, W, 0);
      Linea(sup, 0, H);
      Linea(sup, -W, 0);
      Linea(sup, 0, -H / 2);
      if (etichette) {
        inizio(c);
        scriviRiferimento(c.first, c.second - (2 + righeInPiu) * TH, ColoreDisegno);
        aCapo(c.first, coloreStato, portata);
        sup.FineEtichetta();
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace varnex
