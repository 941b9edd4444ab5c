// A printer that records what the report draws, with simple fixed metrics: every character is
// FontSize * 10 twips wide and a line is FontSize * 20 twips high.
#pragma once

#include <string>
#include <vector>

#include "model/strings.h"
#include "report/print/stampante_report.h"

namespace varnex::test {

struct Tratto {
  enum Tipo { Testo, Linea, Immagine, NuovaPagina, FineDocumento } tipo = Testo;
  std::string testo;
  double x = 0, y = 0, x2 = 0, y2 = 0;
  bool grassetto = false;
  double dimensione = 0;
  int documento = 0;
  int pagina = 0;
  bool fineRiga = false;
  int32_t colore = 0;
};

class StampanteFinta : public IStampanteReport {
 public:
  int32_t larghezza = 11906, altezza = 16838;  // A4 in twips
  double interlinea = 20;
  bool rifiutaOrizzontale = false;
  std::vector<std::string> fontMancanti;
  std::vector<Tratto> tratti;
  int eventi = 0;
  int documento = 1;

  MarginiCarta margini;
  MarginiCarta Margini() override { return margini; }
  int32_t Width() override { return orientamento == 2 ? altezza : larghezza; }
  int32_t Height() override { return orientamento == 2 ? larghezza : altezza; }
  void ImpostaScala(double l, double t) override { scaleLeft = l, scaleTop = t; }
  double ScaleLeft() override { return scaleLeft; }
  double ScaleTop() override { return scaleTop; }
  double CurrentX() override { return x; }
  double CurrentY() override { return y; }
  void SetCurrentX(double v) override { x = v; }
  void SetCurrentY(double v) override { y = v; }
  std::string FontName() override { return font; }
  bool SetFontName(const std::string& nome) override {
    for (const auto& m : fontMancanti)
      if (m == nome) return false;
    font = nome;
    return true;
  }
  double FontSize() override { return dimensione; }
  void SetFontSize(double p) override { dimensione = p; }
  bool FontBold() override { return grassetto; }
  void SetFontBold(bool b) override { grassetto = b; }
  bool FontItalic() override { return corsivo; }
  void SetFontItalic(bool c) override { corsivo = c; }
  int32_t Page() override { return pagina; }
  int16_t Orientation() override { return orientamento; }
  bool SetOrientation(int16_t o) override {
    if (o == 2 && rifiutaOrizzontale) return false;
    orientamento = o;
    return true;
  }
  std::string DeviceName() override { return "Finta"; }
  double TextWidth(const std::string& t) override { return static_cast<double>(Len(t)) * dimensione * 10; }
  double TextHeight(const std::string&) override { return dimensione * interlinea; }
  // Twips of line height per point of type: 20 by default; a real printer's Arial takes about 22.
  void Line(double a, double b, double c, double d) override {
    Registra({Tratto::Linea, "", a, b, c, d});
    x = c;
    y = d;
  }
  std::pair<int32_t, int32_t> dimensioniImmagine{1500, 450};
  std::optional<std::pair<int32_t, int32_t>> DimensioniImmagine(const std::string&) override {
    return dimensioniImmagine;
  }
  void PaintPicture(const std::string& p, double a, double b, double l, double h) override {
    Registra({Tratto::Immagine, p, a, b, a + l, b + h});
  }
  void Print(const std::string& t, bool fine) override {
    Tratto tr{Tratto::Testo, t, x, y};
    tr.fineRiga = fine;
    Registra(tr);
    if (fine) {
      y += TextHeight("X");
      x = 0;
    } else {
      x += TextWidth(t);
    }
  }
  void SetForeColor(int32_t c) override { coloreTesto = c; }
  int32_t coloreTesto = 0;
  void NewPage() override {
    Tratto t;
    t.tipo = Tratto::NuovaPagina;
    Registra(t);
    ++pagina;
    x = y = 0;
  }
  void EndDoc() override {
    Tratto t;
    t.tipo = Tratto::FineDocumento;
    Registra(t);
    ++documento;
    pagina = 1;
    x = y = 0;
  }
  void EventiInSospeso() override { ++eventi; }

  // Texts (non-empty) in order.
  std::vector<std::string> Testi() const {
    std::vector<std::string> v;
    for (const auto& t : tratti)
      if (t.tipo == Tratto::Testo && !t.testo.empty()) v.push_back(t.testo);
    return v;
  }
  const Tratto* Trova(const std::string& testo) const {
    for (const auto& t : tratti)
      if (t.tipo == Tratto::Testo && t.testo == testo) return &t;
    return nullptr;
  }
  int Conta(Tratto::Tipo tipo) const {
    int n = 0;
    for (const auto& t : tratti) n += t.tipo == tipo ? 1 : 0;
    return n;
  }
  int ContaTesto(const std::string& testo) const {
    int n = 0;
    for (const auto& t : tratti) n += (t.tipo == Tratto::Testo && t.testo == testo) ? 1 : 0;
    return n;
  }

  double scaleLeft = 0, scaleTop = 0, x = 0, y = 0, dimensione = 9;
  std::string font = "Arial";
  bool grassetto = false, corsivo = false;
  int32_t pagina = 1;
  int16_t orientamento = 1;

 private:
  void Registra(Tratto t) {
    t.grassetto = grassetto;
    t.colore = coloreTesto;
    t.dimensione = dimensione;
    t.documento = documento;
    t.pagina = pagina;
    tratti.push_back(std::move(t));
  }
};

}  // namespace varnex::test
