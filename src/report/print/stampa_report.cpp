#include "report/print/stampa_report.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "editor/tabella.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/computo.h"
#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/computo_report.h"
#include "report/print/copertina.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/tenuta_report.h"
#include "schema/disegno.h"
#include "tightness/tenuta.h"

namespace varnex {

namespace {

IAttesaStampa* attesaStampa = nullptr;
IDiagrammaStampa* diagrammaStampa = nullptr;

// Without a progress window (tests of the sections alone) the run still works.
class AttesaMuta : public IAttesaStampa {
 public:
  void Mostra() override {}
  void PrintMsg(const std::string&) override {}
  void UpdateBar(int16_t, int16_t) override {}
  void Chiudi() override {}
};

IAttesaStampa& Attesa() {
  static AttesaMuta muta;
  return attesaStampa ? *attesaStampa : muta;
}

int32_t Lungo(double x) {
  auto v = ToInt32(x);
  if (!v) throw ErroreReport("valore fuori intervallo");
  return *v;
}

int16_t Intero(double x) {
  auto v = ToInt16(x);
  if (!v) throw ErroreReport("valore fuori intervallo");
  return *v;
}

void ControllaRete(int16_t net) {
  if (net < 0 || net > 1) throw ErroreReport("rete fuori intervallo");
}

// ---- Calculation tables ---------------------------------------------------------------------

struct VarianteTabella {
  bool Rete = false;              // measures at 8 pt
  bool ProvaPrimaDiFineRiga = false;
  int VuoteA9 = 0;                // how many of the two empty lines after the title are 9 pt lines
  bool ProvaDopoCaption = false;
  bool SottoIntestazioneMezzaRiga = false;  // first row half a line below the header rule
  const char* Margine = "XX";
  double FondoInMezzeRighe = 3;
  double Quota = 1;               // share of the usable width
};

// Whatever the paper and its proportions, every number of a table is printed whole and no type is
// smaller than CorpoMinimo: a column narrower than its longest value takes width from the columns
// that have some to spare (a free reference wraps between its words, a heading breaks between its
// words), the type gets smaller down to CorpoMinimo, and a table that still does not fit is
// printed in bands of columns, one under the other, each led by the segment number.
constexpr int16_t SenzaLimite = 32767;
constexpr double CorpoTabella = 8;       // points of the cells and headings
constexpr double CorpoMinimo = 6;        // the smallest type a client reads on paper without a lens
constexpr double PassoCorpo = 0.5;
constexpr const char* Continua = " (continua)";

bool ColonnaTestoLibero(int16_t view, int16_t c) {
  return ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].IdCampo == campo::ID_RIF;
}

std::vector<std::string> Parole(const std::string& testo) {
  std::vector<std::string> parole;
  size_t pos = 0;
  while (pos <= testo.size()) {
    size_t fine = testo.find(' ', pos);
    if (fine == std::string::npos) fine = testo.size();
    if (fine > pos) parole.push_back(testo.substr(pos, fine - pos));
    pos = fine + 1;
  }
  return parole;
}

// What one table prints, read whole before anything is measured.
struct TestiTabella {
  std::vector<CaptionColonna> caption;               // by column
  std::vector<std::vector<std::string>> celle;       // by row, then column
  std::string totale;                                // value of the totals line, "" without one
};

// Widths of the given columns at the type size in force: nullopt when `larghezza` cannot hold the
// narrowest each column needs. A free reference needs its longest word whole, or, with
// `paroleIntere` false, eight letters of it.
std::optional<std::vector<double>> LarghezzeColonne(IStampanteReport& p, int16_t view, const std::vector<int16_t>& colonne,
                                                    const TestiTabella& testi, const std::optional<TotaleReport>& totale,
                                                    const char* margine, double larghezza, bool paroleIntere) {
  const double spazio = p.TextWidth(" ");
  std::vector<double> bisogno;
  for (int16_t c : colonne) {
    const size_t k = static_cast<size_t>(c);
    double b = 0;
    p.SetFontBold(true);
    for (const std::string* riga : {&testi.caption[k].Titolo, &testi.caption[k].Unita})
      for (const std::string& parola : Parole(*riga)) b = std::max(b, p.TextWidth(parola) + 2 * spazio);
    p.SetFontBold(false);
    const bool libero = ColonnaTestoLibero(view, c);
    for (const auto& riga : testi.celle) {
      if (libero) {
        for (const std::string& parola : Parole(riga[k])) {
          const double l = paroleIntere ? p.TextWidth(parola) : std::min(p.TextWidth(parola), p.TextWidth("XXXXXXXX"));
          b = std::max(b, l + p.TextWidth(margine) + 2 * spazio);
        }
      } else {
        b = std::max(b, p.TextWidth(riga[k] + margine) + spazio);
      }
    }
    if (totale && totale->Colonna == c) b = std::max(b, p.TextWidth(testi.totale + "XX") + spazio);
    bisogno.push_back(b);
  }
  int32_t somma = 0;
  for (int16_t c : colonne) somma += ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].PesoColonna;
  if (somma < -32768 || somma > 32767) throw ErroreReport("pesi delle colonne fuori intervallo");
  if (somma == 0) throw ErroreReport("pesi delle colonne nulli");
  // The shipped proportions first; a column short of its need takes it from the others' room to
  // spare, in proportion to that room.
  std::vector<double> w(colonne.size());
  double mancante = 0, avanzo = 0;
  for (size_t i = 0; i < colonne.size(); ++i) {
    w[i] = larghezza * ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(colonne[i])].PesoColonna / somma;
    if (w[i] < bisogno[i]) mancante += bisogno[i] - w[i];
    else avanzo += w[i] - bisogno[i];
  }
  if (mancante > avanzo + 1e-6) return std::nullopt;
  if (mancante > 0) {
    const double quota = mancante / avanzo;
    for (size_t i = 0; i < colonne.size(); ++i) w[i] = w[i] < bisogno[i] ? bisogno[i] : w[i] - (w[i] - bisogno[i]) * quota;
  }
  return w;
}

// The columns of one band of a table, with their widths and left edges.
struct BandaTabella {
  std::vector<int16_t> colonne;
  std::vector<double> w, x;
};

// The bands at the type size in force: one band of the whole table when it fits; else the segment
// column and as many of the next columns as fit, band after band. nullopt when the segment column
// and one other do not fit side by side, even with a long word split.
std::optional<std::vector<BandaTabella>> BandeTabella(IStampanteReport& p, int16_t view, int16_t ultima,
                                                      const TestiTabella& testi,
                                                      const std::optional<TotaleReport>& totale, const char* margine,
                                                      double larghezza) {
  auto prova = [&](const std::vector<int16_t>& colonne, bool paroleIntere) {
    return LarghezzeColonne(p, view, colonne, testi, totale, margine, larghezza, paroleIntere);
  };
  std::vector<BandaTabella> bande;
  std::vector<int16_t> tutte;
  for (int16_t c = 0; c <= ultima; ++c) tutte.push_back(c);
  if (const auto w = prova(tutte, true)) {
    bande.push_back({tutte, *w, {}});
    return bande;
  }
  BandaTabella corrente{{0}, {}, {}};
  for (int16_t c = 1; c <= ultima; ++c) {
    std::vector<int16_t> colonne = corrente.colonne;
    colonne.push_back(c);
    auto w = prova(colonne, true);
    if (!w && corrente.colonne.size() > 1) {
      bande.push_back(corrente);
      colonne = {0, c};
      w = prova(colonne, true);
    }
    // A word that alone is wider than the column it can have is split.
    if (!w) w = prova(colonne, false);
    if (!w) return std::nullopt;
    corrente = {colonne, *w, {}};
  }
  bande.push_back(corrente);
  return bande;
}

// The lines a text takes in a column: broken between words, a word wider than the column split.
std::vector<std::string> RigheInColonna(IStampanteReport& p, const std::string& testo, double larghezza) {
  if (testo.empty()) return {};
  return SpezzaTesto(testo, larghezza, larghezza, [&](const std::string& s) { return p.TextWidth(s); });
}

// The line that explains the marks of values beyond their limits, when the table holds one.
void StampaNotaLimite(IStampanteReport& p, const std::string& nota) {
  if (nota.empty()) return;
  CheckPageBreak();
  p.SetCurrentX(0);
  p.Print(nota, false);
  p.FineRiga();
}

void DisegnaTabella(IStampanteReport& p, ReportTable tabella, int16_t view, const std::string& titolo,
                    const VarianteTabella& v) {
  if (v.Rete) p.SetFontSize(8);

  const int16_t ultima = UltimaColonnaReport(view);
  const std::vector<int16_t> righe = GetReportRows(tabella);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  TestiTabella testi;
  for (int16_t c = 0; c <= ultima; ++c) testi.caption.push_back(GetColumnCaption(view, c, SenzaLimite));
  for (int16_t seg : righe) {
    std::vector<std::string> riga;
    for (int16_t c = 0; c <= ultima; ++c) riga.push_back(GetCellText(view, c, seg, SenzaLimite));
    testi.celle.push_back(std::move(riga));
  }
  if (totale) testi.totale = GetReportTotalText(*totale, view, SenzaLimite);

  const double larghezza = v.Quota * LarghezzaStampabile;
  const double corpoIniziale = p.FontSize();
  // The fewest bands, in the largest type that gives them.
  double corpo = CorpoTabella;
  std::vector<BandaTabella> bande;
  for (double prova = CorpoTabella; prova >= CorpoMinimo - 1e-9; prova -= PassoCorpo) {
    p.SetFontSize(prova);
    auto b = BandeTabella(p, view, ultima, testi, totale, v.Margine, larghezza);
    if (b && (bande.empty() || b->size() < bande.size())) {
      bande = std::move(*b);
      corpo = prova;
      if (bande.size() == 1) break;
    }
  }
  if (bande.empty()) throw ErroreReport("pagina troppo stretta per la tabella");
  p.SetFontSize(corpo);
  for (BandaTabella& b : bande) {
    b.x.assign(b.colonne.size(), 0);
    for (size_t i = 1; i < b.colonne.size(); ++i) b.x[i] = b.x[i - 1] + b.w[i - 1];
  }
  // The headings, each a title broken between its words over as many lines as it needs, and its
  // unit on the line below: every column keeps its unit line.
  const double spazio = p.TextWidth(" ");
  p.SetFontBold(true);
  struct Intestazione {
    std::vector<std::vector<std::string>> linee;  // by column of the band
    std::vector<size_t> righeTitolo;
    size_t righe = 2;
  };
  std::vector<Intestazione> intestazioni;
  for (const BandaTabella& b : bande) {
    Intestazione in;
    for (size_t i = 0; i < b.colonne.size(); ++i) {
      const size_t k = static_cast<size_t>(b.colonne[i]);
      const double utile = b.w[i] - spazio;
      std::vector<std::string> linee = RigheInColonna(p, testi.caption[k].Titolo, utile);
      if (linee.empty()) linee.emplace_back();
      in.righeTitolo.push_back(linee.size());
      const std::vector<std::string> unita = RigheInColonna(p, testi.caption[k].Unita, utile);
      linee.insert(linee.end(), unita.begin(), unita.end());
      in.righe = std::max(in.righe, linee.size());
      in.linee.push_back(std::move(linee));
    }
    intestazioni.push_back(std::move(in));
  }
  p.SetFontBold(false);
  const double margine = p.TextWidth(v.Margine);
  // Every row's lines, band by band.
  std::vector<std::vector<std::vector<std::vector<std::string>>>> lineeRighe(bande.size());
  std::vector<std::vector<size_t>> altezze(bande.size());
  for (size_t nb = 0; nb < bande.size(); ++nb) {
    const BandaTabella& b = bande[nb];
    for (const std::vector<std::string>& riga : testi.celle) {
      std::vector<std::vector<std::string>> linee;
      size_t altezza = 1;
      for (size_t i = 0; i < b.colonne.size(); ++i) {
        const int16_t c = b.colonne[i];
        const size_t k = static_cast<size_t>(c);
        linee.push_back(ColonnaTestoLibero(view, c) ? RigheInColonna(p, riga[k], b.w[i] - margine - spazio)
                                                    : std::vector<std::string>{riga[k]});
        altezza = std::max(altezza, linee.back().size());
      }
      lineeRighe[nb].push_back(std::move(linee));
      altezze[nb].push_back(altezza);
    }
  }
  p.SetFontSize(corpoIniziale);
  const int32_t h = Lungo(p.TextHeight("X") / 2);
  const auto extraRighe = static_cast<int16_t>(intestazioni[0].righe - 2);
  // A short table goes whole to the next page rather than split: title, headings, rows and totals.
  int16_t riserva = static_cast<int16_t>(8 + extraRighe);
  if (righe.size() <= RigheTabellaBreve) {
    size_t tutta = 4 + (totale ? 4 : 1);
    for (size_t nb = 0; nb < bande.size(); ++nb) {
      tutta += intestazioni[nb].righe + 3;
      for (size_t a : altezze[nb]) tutta += a;
    }
    const double corpoPagina = (LimiteFondoPagina - 400.0 - InizioCorpoPagina) / std::max(1.0, p.TextHeight("X"));
    if (static_cast<double>(tutta) < corpoPagina) riserva = std::max(riserva, static_cast<int16_t>(tutta));
  }

  // Title.
  if (v.ProvaPrimaDiFineRiga) {
    CheckPageBreak(riserva);
    p.FineRiga();
  } else {
    p.FineRiga();
    CheckPageBreak(riserva);
  }
  SetBold(p);
  p.SetFontSize(9);
  PrintTitle(p, titolo + " ", 12);
  for (int i = 0; i < 2; ++i) {
    if (i >= v.VuoteA9) p.SetFontSize(8);
    p.FineRiga();
  }
  p.SetFontSize(corpo);

  const double destra = larghezza;
  const double H = p.TextHeight("X");
  const size_t kTotale = totale ? static_cast<size_t>(std::clamp<int16_t>(totale->Colonna, 0, ultima)) : 0;
  const std::string nota = GetReportLimitNote(tabella, righe);

  for (size_t nb = 0; nb < bande.size(); ++nb) {
    const BandaTabella& b = bande[nb];
    const Intestazione& in = intestazioni[nb];
    const double R = static_cast<double>(in.righe);
    // The header, bold; drawn again at the top of every page the band goes on to.
    auto intestazione = [&](bool provaDopoCaption) -> double {
      SetBold(p);
      p.SetFontSize(corpo);
      const double y = std::round(p.CurrentY());
      for (size_t i = 0; i < b.colonne.size(); ++i) {
        p.Line(b.x[i], y - h, b.x[i], y + (R + 1) * H);
        const std::vector<std::string>& linee = in.linee[i];
        // The title's lines from the top, the unit on the last line of the heading.
        for (size_t l = 0; l < linee.size(); ++l) {
          const size_t riga = l < in.righeTitolo[i] ? l : in.righe - (linee.size() - l);
          p.SetCurrentX(b.x[i] + (b.w[i] - p.TextWidth(linee[l])) / 2);
          p.SetCurrentY(y - h / 2.0 + static_cast<double>(riga) * H);
          p.Print(linee[l], true);
          if (provaDopoCaption) CheckPageBreak();
        }
      }
      p.Line(destra, y - h, destra, y + (R + 1) * H);
      p.Line(0, y - h, destra, y - h);
      p.Line(0, y + R * H, destra, y + R * H);
      if (v.SottoIntestazioneMezzaRiga)
        p.SetCurrentY(p.CurrentY() + h);
      else
        p.FineRiga();
      p.SetFontSize(corpo);
      ResetBold(p);
      return y;
    };
    // The title of a part printed apart from the first: a further band, or the rows a page goes on with.
    auto titoloSegue = [&]() {
      SetBold(p);
      p.SetCurrentX(0);
      p.Print(titolo + Continua, true);
      ResetBold(p);
      p.FineRiga();
    };
    if (nb > 0) {
      p.FineRiga();
      CheckPageBreak(static_cast<int16_t>(in.righe + 6));
      titoloSegue();
    }
    // A table without rows closes across its header.
    double yFondo = intestazione(v.ProvaDopoCaption);

    // Rows: numbers right-aligned whole; a free reference from the left, over as many lines as it
    // needs.
    const bool conTotale =
        totale && std::find(b.colonne.begin(), b.colonne.end(), static_cast<int16_t>(kTotale)) != b.colonne.end();
    for (size_t r = 0; r < lineeRighe[nb].size(); ++r) {
      const std::vector<std::vector<std::string>>& linee = lineeRighe[nb][r];
      const size_t altezza = altezze[nb][r];
      // The last row keeps under it the totals line, its warning and the note on the marks.
      const bool ultimaRiga = r + 1 == lineeRighe[nb].size();
      size_t dopo = 0;
      if (ultimaRiga && conTotale) dopo += totale->Avviso.empty() ? 2 : 4;
      if (ultimaRiga && nb + 1 == bande.size() && !nota.empty()) dopo += 1;
      const auto servono = static_cast<int16_t>(altezza + 1 + dopo);
      if (r > 0 && PaginaPiena(servono)) {
        // The rows go on over the page: the part on this page is closed, the next opens with the
        // title and the headings again.
        p.Line(0, yFondo + v.FondoInMezzeRighe * h, destra, yFondo + v.FondoInMezzeRighe * h);
        CheckPageBreak(servono);
        p.SetFontSize(corpo);
        titoloSegue();
        intestazione(false);
      } else {
        CheckPageBreak(servono);
      }
      double y = std::round(p.CurrentY());
      for (size_t i = 0; i < b.colonne.size(); ++i) {
        p.Line(b.x[i], y, b.x[i], y + (static_cast<double>(altezza) + 0.5) * H);
        const bool libero = ColonnaTestoLibero(view, b.colonne[i]);
        for (size_t l = 0; l < linee[i].size(); ++l) {
          const std::string& s = linee[i][l];
          p.SetCurrentY(y + static_cast<double>(l) * H);
          p.SetCurrentX(libero ? b.x[i] + spazio : b.x[i] + b.w[i] - p.TextWidth(s + v.Margine));
          // A value the calculation could not compute is marked red, as on the screen.
          const bool nonCalcolato = s == TestoNonCalcolabile;
          if (nonCalcolato) p.SetForeColor(colore::Rosso);
          p.Print(s, false);
          if (nonCalcolato) p.SetForeColor(colore::Nero);
        }
      }
      p.Line(destra, y, destra, y + (static_cast<double>(altezza) + 0.5) * H);
      p.SetCurrentY(y + static_cast<double>(altezza - 1) * H);
      yFondo = std::round(p.CurrentY());
      p.FineRiga();
    }

    // End of the band.
    p.Line(0, yFondo + v.FondoInMezzeRighe * h, destra, yFondo + v.FondoInMezzeRighe * h);
    // Under the table the page is checked before each line is printed, not after: a table that
    // ends the report would otherwise end it on a page of header and footer alone. What follows a
    // table checks the page before it prints.
    const bool ultimaBanda = nb + 1 == bande.size();
    if (conTotale) {
      size_t pos = 0;
      while (b.colonne[pos] != static_cast<int16_t>(kTotale)) ++pos;
      const std::string& valore = testi.totale;
      p.FineRiga();
      p.SetCurrentX(0);
      const double inizioValore = b.x[pos] + b.w[pos] - p.TextWidth(valore + "XX");
      // A label that would reach the value leaves it the line below.
      if (p.TextWidth(totale->Etichetta + " ") > inizioValore) {
        p.Print(totale->Etichetta, true);
      } else {
        p.Print(totale->Etichetta, false);
      }
      p.SetCurrentX(inizioValore);
      p.Print(valore, false);
      p.FineRiga();
      if (!totale->Avviso.empty()) {
        CheckPageBreak();
        p.SetCurrentX(0);
        SetBold(p);
        StampaAcapo(p, totale->Avviso, true, 0, LarghezzaStampabile);
        ResetBold(p);
      }
    } else {
      p.FineRiga();
    }
    if (ultimaBanda) {
      StampaNotaLimite(p, nota);
      p.FineRiga();
    }
  }
}

// ---- Cover ----------------------------------------------------------------------------------

void StampaCopertinaComune(IStampanteReport& p) {
  const bool rete = ReteInPressione != 0;
  // Every value first: a value that cannot be computed stops the cover before anything is on paper.
  const std::vector<CampoCopertina> campi = GetCampiCopertina(RendererReport::Stampa);

  const TFontInfo salvato = GetFontInfo(p);
  // The cover is one page: on small paper its room above the title and its blank lines between
  // the groups of fields shrink, rather than its last field going on to a page of its own.
  int vuote = rete ? 2 : 5;
  int traCampi = 1;
  double sopra = 600;
  {
    double titoli = 0;
    for (const double corpo : {24.0, 18.0}) {
      p.SetFontSize(corpo);
      titoli += p.TextHeight("X");
    }
    p.SetFontSize(10);
    SetPrinterFont(p, "Arial");
    const double riga = std::max(1.0, p.TextHeight("X"));
    int righeCampi = 0;
    for (size_t i = 2; i < campi.size(); ++i)
      righeCampi += static_cast<int>(SpezzaTesto(campi[i].EtichettaStampa + " " + campi[i].Valore + " (" +
                                                     campi[i].ValoreParentesi + " mmq/s",
                                                 LarghezzaStampabile, LarghezzaStampabile,
                                                 [&](const std::string& t) { return p.TextWidth(t); })
                                         .size());
    const auto campiDopo = static_cast<int>(campi.size() > 5 ? campi.size() - 5 : 0);
    auto entra = [&]() {
      const double altezza = sopra + titoli + riga * (2 * vuote + 2 + righeCampi + traCampi * campiDopo + 1);
      return InizioCorpoPagina + altezza < LimiteFondoPagina - 400;
    };
    for (const auto& [s, v, t] : {std::tuple{600.0, vuote, 1}, std::tuple{0.0, 2, 1}, std::tuple{0.0, 1, 0}}) {
      sopra = s, vuote = std::min(vuote, v), traCampi = t;
      if (entra()) break;
    }
    SetFontInfo(p, salvato);
  }
  p.SetCurrentY(InizioCorpoPagina + sopra);
  const std::string& titolo = campi[0].EtichettaStampa;
  p.SetFontBold(false);
  PrintTitle(p, titolo, 24);
  p.SetFontItalic(false);
  PrintTitle(p, "Relazione di calcolo", 18);
  p.SetFontBold(false);
  p.SetFontSize(10);
  SetPrinterFont(p, "Arial");

  auto righeVuote = [&](int quante) {
    for (int i = 0; i < quante; ++i) p.FineRiga();
  };
  // On small paper the fields go on to the next page rather than under the footer: the page is
  // checked before each line is printed, so that nothing is left for a page of its own after them.
  auto stampaCampo = [&](const CampoCopertina& c) {
    CheckPageBreak();
    SetBold(p);
    StampaAcapo(p, c.EtichettaStampa, false, 0, LarghezzaStampabile);
    ResetBold(p);
    if (c.Riga == 4) {
      // The job goes on under itself, broken between its words.
      StampaAcapo(p, c.Valore, true, p.CurrentX(), LarghezzaStampabile, true);
      return;
    }
    std::string testo = c.Valore;
    if (c.Riga == 8) testo += rete ? " kg/mc   " : " kg/mc";
    if (c.Riga == 9) testo += " mmq/s";
    if (c.Riga == 12 || c.Riga == 14 || c.Riga == 15) testo += " (" + c.ValoreParentesi;
    // A long value (the reference, the client's name) goes on under itself, inside the page; a
    // label that leaves no room for the value's words beside it puts the value under itself.
    double parola = 0;
    for (const std::string& w : Split(testo, " ")) parola = std::max(parola, p.TextWidth(w));
    if (LarghezzaStampabile - p.CurrentX() < parola) {
      p.FineRiga();
      CheckPageBreak();
      p.SetCurrentX(0);
    }
    StampaAcapo(p, testo, true, p.CurrentX(), LarghezzaStampabile, true);
  };

  righeVuote(vuote);
  stampaCampo(campi[2]);
  righeVuote(2);
  stampaCampo(campi[3]);
  righeVuote(vuote);
  for (size_t i = 4; i < campi.size(); ++i) {
    if (i > 4 && traCampi > 0) p.FineRiga();
    stampaCampo(campi[i]);
  }
  SetFontInfo(p, salvato);
}

// ---- Bill of quantities ---------------------------------------------------------------------

void StampaStriscia(IStampanteReport& p, const std::vector<DiametroComputo>& diametri, size_t da, size_t a, int32_t w,
                    int32_t h) {
  auto xCol = [&](int k) { return static_cast<double>(k) * w; };
  auto centra = [&](int k, const std::string& t) { p.SetCurrentX(xCol(k) + (w - p.TextWidth(t)) / 2); };
  // A label or a length wider than its column is printed whole in smaller type: a cut diameter
  // ("108x2," for "108x2,5") reads as another one.
  auto stampaInColonna = [&](int k, const std::string& t, double y, bool fineRiga) {
    const double corpo = p.FontSize();
    while (p.TextWidth(t) > w - p.TextWidth(" ") && p.FontSize() > CorpoMinimo) p.SetFontSize(p.FontSize() - 0.5);
    centra(k, t);
    p.SetCurrentY(y);
    p.Print(t, fineRiga);
    p.SetFontSize(corpo);
  };
  const int32_t y0 = Lungo(p.CurrentY());
  const double th = p.TextHeight("X");
  SetBold(p);
  centra(0, "DN");
  p.SetCurrentY(y0);
  p.Print("DN", false);
  centra(0, "mt");
  p.SetCurrentY(y0 + 2 * th);
  p.Print("mt", true);
  ResetBold(p);
  int col = 1;
  for (size_t i = da; i < a; ++i) {
    p.Line(xCol(col), y0 - h, xCol(col), y0 + 3.5 * th);
    SetBold(p);
    stampaInColonna(col, diametri[i].RifDiametro, y0, false);
    ResetBold(p);
    CheckPageBreak();
    stampaInColonna(col, diametri[i].Metri, y0 + 2 * th, true);
    CheckPageBreak();
    ++col;
  }
  p.Line(xCol(col), y0 - h, xCol(col), y0 + 3.5 * th);
  p.Line(xCol(0), y0 + 1.5 * th, xCol(col), y0 + 1.5 * th);
  p.Line(xCol(1), y0 - h, xCol(col), y0 - h);
  p.Line(xCol(1), y0 + 3.5 * th, xCol(col), y0 + 3.5 * th);
  // Text goes on below the strip's bottom rule.
  p.SetCurrentX(0);
  p.SetCurrentY(y0 + 3 * th);
}

}  // namespace

void ImpostaAttesaStampa(IAttesaStampa* attesa) { attesaStampa = attesa; }
void ImpostaDiagrammaStampa(IDiagrammaStampa* diagramma) { diagrammaStampa = diagramma; }
IDiagrammaStampa* DiagrammaStampa() { return diagrammaStampa; }

// ---- Sections -------------------------------------------------------------------------------

void PrintCopertina(IStampanteReport& printer) {
  if (ReteInPressione != 0) {
    PrintCopertinaRete(printer);
    return;
  }
  StampaCopertinaComune(printer);
}

void PrintCopertinaRete(IStampanteReport& printer) { StampaCopertinaComune(printer); }

void PrintTronchi(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintTronchiRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 0;
  v.SottoIntestazioneMezzaRiga = true;
  v.Margine = "X";
  v.FondoInMezzeRighe = 2.5;
  DisegnaTabella(printer, ReportTable::SegmentTable, 1, GetReportTitle(ReportTable::SegmentTable), v);
}

void PrintTronchiRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.VuoteA9 = 2;
  v.SottoIntestazioneMezzaRiga = true;
  v.Margine = "X";
  DisegnaTabella(printer, ReportTable::SegmentTable, 6, GetReportTitle(ReportTable::SegmentTable), v);
}

void PrintPDCLocalizzate(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintPDCLocalizzateRete(printer, net);
    return;
  }
  CalcolaRete();
  ControllaRete(net);
  VarianteTabella v;
  v.ProvaPrimaDiFineRiga = true;
  v.ProvaDopoCaption = true;
  DisegnaTabella(printer, ReportTable::LocalLossTable, 2, GetReportTitle(ReportTable::LocalLossTable), v);
}

void PrintPDCLocalizzateRete(IStampanteReport& printer, int16_t net) {
  CalcolaRete();
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.ProvaPrimaDiFineRiga = true;
  v.ProvaDopoCaption = true;
  DisegnaTabella(printer, ReportTable::LocalLossTable, 9, GetReportTitle(ReportTable::LocalLossTable), v);
  DisegnaTabella(printer, ReportTable::EquivalentLengthTable, 10, GetReportTitle(ReportTable::EquivalentLengthTable), v);
}

void PrintPercorsoSfavorito(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintPercorsoSfavoritoRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 1;
  DisegnaTabella(printer, ReportTable::WorstPathTable, 3, GetReportTitle(ReportTable::WorstPathTable), v);
}

void PrintPercorsoSfavoritoRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  DisegnaTabella(printer, ReportTable::WorstPathTable, 7, GetReportTitle(ReportTable::WorstPathTable), v);
}

void PrintRiepilogoUtenze(IStampanteReport& printer, int16_t net) {
  if (ReteInPressione != 0) {
    PrintRiepilogoUtenzeRete(printer, net);
    return;
  }
  ControllaRete(net);
  VarianteTabella v;
  v.VuoteA9 = 1;
  DisegnaTabella(printer, ReportTable::ApplianceTable, 4, GetReportTitle(ReportTable::ApplianceTable), v);
}

void PrintRiepilogoUtenzeRete(IStampanteReport& printer, int16_t net) {
  ControllaRete(net);
  VarianteTabella v;
  v.Rete = true;
  v.Quota = 0.8;
  DisegnaTabella(printer, ReportTable::ApplianceTable, 8, GetReportTitle(ReportTable::ApplianceTable), v);
}

void PrintComputo(IStampanteReport& p, int16_t net) {
  ControllaRete(net);
  // The grid is measured in the font the section finds; a column is widened for a label that even
  // in the smallest type would not fit in it.
  int16_t w = Intero(p.TextWidth("XXXXXX"));
  {
    const double corpo = p.FontSize();
    p.SetFontSize(CorpoMinimo);
    for (const SerieComputo& serie : GetSerieComputo())
      for (const DiametroComputo& d : serie.Diametri)
        for (const std::string* t : {&d.RifDiametro, &d.Metri})
          w = std::max(w, Intero(std::ceil(p.TextWidth(*t + " "))));
    p.SetFontSize(corpo);
  }
  if (w <= 0) throw ErroreReport("colonna di larghezza nulla");
  const int32_t ultimaColonna = static_cast<int32_t>(std::floor(static_cast<double>(LarghezzaStampabile) / w)) - 1;
  const int32_t h = Lungo(p.TextHeight("X") / 2);
  // Diameter columns per strip: the grid has columns 1..L, and no more than 40.
  const int32_t perStriscia = std::min<int32_t>(ultimaColonna, 40);
  if (perStriscia < 1) throw ErroreReport("pagina troppo stretta per il computo");

  for (int i = 0; i < 4; ++i) {
    CheckPageBreak();
    p.FineRiga();
  }
  CheckPageBreak(18);
  SetBold(p);
  p.SetFontSize(9);
  PrintTitle(p, "Computo tubazioni", 12);
  p.SetFontSize(8);
  ResetBold(p);
  CheckPageBreak();
  p.FineRiga();
  CheckPageBreak();

  for (const SerieComputo& serie : GetSerieComputo()) {
    CheckPageBreak(14);
    p.FineRiga();
    p.FineRiga();
    SetBold(p);
    p.Print("Tipo tubazione: ", false);
    ResetBold(p);
    p.Print(serie.Nome, true);
    p.FineRiga();

    SetBold(p);
    p.Print("Descrizione: ", false);
    ResetBold(p);
    // The description goes on under itself inside the page, broken between its words.
    StampaAcapo(p, serie.Descrizione, true, p.CurrentX(), LarghezzaStampabile);
    p.FineRiga();
    CheckPageBreak();
    p.FineRiga();
    CheckPageBreak();
    if (serie.Acciaio) {
      p.Print("Peso totale: " + serie.PesoTesto + " Kg", true);
      CheckPageBreak();
    }
    p.FineRiga();
    CheckPageBreak();

    // One strip per run of diameters the page width holds; each strip is kept on one page.
    for (size_t da = 0; da < serie.Diametri.size() || da == 0; da += static_cast<size_t>(perStriscia)) {
      if (da > 0) {
        p.FineRiga();
        CheckPageBreak();
      }
      CheckPageBreak(5);
      const size_t a = std::min(serie.Diametri.size(), da + static_cast<size_t>(perStriscia));
      StampaStriscia(p, serie.Diametri, da, a, w, h);
      if (serie.Diametri.empty()) break;
    }
    // The next series checks the page before it prints.
    p.FineRiga();
  }

  // The page is checked before the last line, not after it: a bill that ends the report would
  // otherwise end it on a page of header and footer alone.
  for (int i = 0; i < 3; ++i) p.FineRiga();
  if (MostraPesoTotaleAcciaio()) {
    CheckPageBreak();
    SetBold(p);
    p.Print("Peso totale tubazioni in acciaio: ", false);
    ResetBold(p);
    p.Print(TestoPesoTotaleAcciaio() + " Kg", true);
  }
}

void PrintTenutaImpianto(IStampanteReport& p, int16_t /*nonUsato*/) {
  p.SetFontSize(9);
  const int32_t destra = Lungo(LarghezzaStampabile / 2.0);
  CheckPageBreak();
  // The section may run longer than a page (long notes): every line end checks the page.
  const std::vector<PezzoTenuta> pezzi = GetPezziTenuta();
  // A bold line of its own heads what follows it: it never ends a page alone. A block it heads
  // that fits on a page (the firm's details with the signatures) goes whole to the next page
  // rather than being split; a longer one keeps at least two lines under its heading.
  auto righePezzo = [&](const PezzoTenuta& pezzo) {
    if (pezzo.Tipo != TipoPezzo::Testo || pezzo.Testo.empty()) return pezzo.FineRiga ? 1 : 0;
    const auto linee = SpezzaTesto(pezzo.Testo, LarghezzaStampabile, LarghezzaStampabile,
                                   [&](const std::string& t) { return p.TextWidth(t); });
    return static_cast<int>(linee.size()) - (pezzo.FineRiga ? 0 : 1);
  };
  auto intestazione = [&](size_t i) {
    const PezzoTenuta& pezzo = pezzi[i];
    return pezzo.Tipo == TipoPezzo::Testo && pezzo.Grassetto && pezzo.FineRiga && !pezzo.Testo.empty() &&
           (i == 0 || pezzi[i - 1].FineRiga);
  };
  const double righePagina = (LimiteFondoPagina - 400.0 - InizioCorpoPagina) / std::max(1.0, p.TextHeight("X"));
  for (size_t i = 0; i < pezzi.size(); ++i) {
    const PezzoTenuta& pezzo = pezzi[i];
    if (intestazione(i)) {
      // A heading over nothing (an empty note) goes with the block after it.
      int blocco = 0;
      bool contenuto = false;
      for (size_t j = i; j < pezzi.size() && (j == i || !contenuto || !intestazione(j)); ++j) {
        blocco += righePezzo(pezzi[j]);
        contenuto = contenuto || (j > i && !intestazione(j) && !Trim(pezzi[j].Testo).empty());
      }
      // One line more, as the signatures keep for a caption wrapped in its column.
      const int riserva = blocco + 1 < righePagina - 2 ? blocco + 1 : std::min(blocco, 3);
      CheckPageBreak(static_cast<int16_t>(riserva));
    }
    // The signatures keep the room to sign below them: both go to the next page together when this
    // one cannot hold them, rather than that room alone making a page of header and footer.
    if (pezzo.Tipo == TipoPezzo::Firma && pezzo.InizioRiga) {
      int16_t righe = 1;  // a signature wrapped in its column
      for (size_t j = i; j < pezzi.size(); ++j) righe = static_cast<int16_t>(righe + (pezzi[j].FineRiga ? 1 : 0));
      CheckPageBreak(righe);
    }
    switch (pezzo.Tipo) {
      case TipoPezzo::RigaVuota:
        p.FineRiga();
        break;
      case TipoPezzo::Titolo:
        SetBold(p);
        PrintTitle(p, pezzo.Testo, 12);
        ResetBold(p);
        break;
      case TipoPezzo::Causa:
      case TipoPezzo::Apparecchio:
      case TipoPezzo::Firma: {
        if (pezzo.Grassetto) SetBold(p);
        // A text of the left column wraps before the right column, one of the right column at the
        // page's edge.
        const double inizio = pezzo.ColonnaDestra ? destra : 0;
        const double fine = pezzo.ColonnaDestra || pezzo.FineRiga ? LarghezzaStampabile : destra;
        p.SetCurrentX(inizio);
        StampaAcapo(p, pezzo.Testo, pezzo.FineRiga, inizio, fine);
        if (pezzo.Grassetto) ResetBold(p);
        break;
      }
      case TipoPezzo::Testo:
        if (pezzo.Grassetto) SetBold(p);
        StampaAcapo(p, pezzo.Testo, pezzo.FineRiga, 0, LarghezzaStampabile);
        if (pezzo.Grassetto) ResetBold(p);
        break;
    }
    if (pezzo.FineRiga) CheckPageBreak();
  }
}

namespace {

// What a printer may leave unprinted along the paper's edges, as the page frame keeps it.
constexpr double MargineCartaDiagramma = 360;
constexpr double CorpoTitoloDiagramma = 11;
constexpr double CorpoNotaDiagramma = 9;
// Room kept between the network and the title.
constexpr double SpazioTitoloDiagramma = 200;

std::string TitoloDiagramma() { return EstraiNomeFile(PercorsoProgetto) + " - Rete: " + Riferimento; }

}  // namespace

RettangoloCarta PosizioneTitoloDiagramma(IStampanteReport& p) {
  const double corpo = p.FontSize();
  p.SetFontSize(CorpoTitoloDiagramma);
  RettangoloCarta r;
  r.larghezza = p.TextWidth(TitoloDiagramma());
  r.altezza = p.TextHeight("X");
  p.SetFontSize(corpo);
  if (AdattaSchemaPagina != 0) {
    // Top left, inside the margins where every printer prints.
    const RettangoloCarta carta = CartaDiagramma(p);
    r.x = carta.x;
    r.y = carta.y;
  } else {
    // Measured in the title's own size, so that it ends where it is meant to end.
    r.y = AltezzaStampabile - 1500;
    r.x = (LarghezzaStampabile - 1700) - r.larghezza;
  }
  r.x = std::max(0.0, std::min(r.x, p.Width() - std::max(MargineCartaDiagramma, p.Margini().destro) - r.larghezza));
  return r;
}

RettangoloCarta CartaDiagramma(IStampanteReport& p) {
  const MarginiCarta m = p.Margini();
  const double sinistro = std::max(MargineCartaDiagramma, m.sinistro), alto = std::max(MargineCartaDiagramma, m.alto);
  return {sinistro, alto, p.Width() - sinistro - std::max(MargineCartaDiagramma, m.destro),
          p.Height() - alto - std::max(MargineCartaDiagramma, m.basso)};
}

RettangoloCarta AreaSchemaDiagramma(IStampanteReport& p) {
  const RettangoloCarta titolo = PosizioneTitoloDiagramma(p);
  RettangoloCarta area = CartaDiagramma(p);
  if (AdattaSchemaPagina != 0) {
    // Below the title and the note line under it.
    const double corpo = p.FontSize();
    p.SetFontSize(CorpoNotaDiagramma);
    const double nota = p.TextHeight("X");
    p.SetFontSize(corpo);
    const double alto = titolo.Basso() + nota + SpazioTitoloDiagramma;
    area.altezza = area.Basso() - alto;
    area.y = alto;
  } else {
    area.altezza = titolo.y - SpazioTitoloDiagramma - area.y;
  }
  area.altezza = std::max(area.altezza, 1.0);
  return area;
}

FogliSchema DividiSchema(double larghezza, double altezza, double areaL, double areaA, double sovrapposizione) {
  auto quanti = [&](double disegno, double area) {
    const double passo = area - sovrapposizione;
    if (disegno <= area || passo <= 0) return 1;
    return 1 + static_cast<int>(std::ceil((disegno - area) / passo - 1e-9));
  };
  return {quanti(altezza, areaA), quanti(larghezza, areaL)};
}

std::string NotaFoglioSchema(const FogliSchema& fogli, int n) {
  if (fogli.Numero() <= 1) return {};
  const int riga = n / fogli.colonne, colonna = n % fogli.colonne;
  std::vector<std::string> vicini;
  auto vicino = [&](bool c, const char* dove, int foglio) {
    if (c) vicini.push_back(std::string(dove) + " nel foglio " + TestoNumero(foglio + 1));
  };
  vicino(colonna > 0, "a sinistra", n - 1);
  vicino(riga > 0, "sopra", n - fogli.colonne);
  vicino(colonna + 1 < fogli.colonne, "a destra", n + 1);
  vicino(riga + 1 < fogli.righe, "sotto", n + fogli.colonne);
  std::string nota = "Foglio " + TestoNumero(n + 1) + " di " + TestoNumero(fogli.Numero()) + " - lo schema continua ";
  for (size_t i = 0; i < vicini.size(); ++i) nota += (i == 0 ? "" : ", ") + vicini[i];
  return nota;
}

void StampaTitoloDiagramma(IStampanteReport& p, double riduzione, const std::string& nota) {
  const RettangoloCarta r = PosizioneTitoloDiagramma(p);
  const int32_t dimensione = Lungo(p.FontSize());
  p.SetCurrentY(r.y);
  p.SetCurrentX(r.x);
  p.SetFontSize(CorpoTitoloDiagramma);
  p.Print(TitoloDiagramma(), true);
  if (riduzione > 1) {
    // The network did not hold on the page at its own scale: the reader is told it was reduced.
    p.SetFontSize(CorpoNotaDiagramma);
    const auto percento = static_cast<int64_t>(std::floor(100.0 / riduzione));
    p.SetCurrentX(r.x);
    p.Print("Schema ridotto al " + TestoNumero(percento) + "% per stare nella pagina", true);
  }
  if (!nota.empty()) {
    p.SetFontSize(CorpoNotaDiagramma);
    // Under the title, but never past the paper's margin: a note longer than the title moves left.
    const RettangoloCarta carta = CartaDiagramma(p);
    p.SetCurrentX(std::max(carta.x, std::min(r.x, carta.Destra() - p.TextWidth(nota))));
    p.Print(nota, true);
  }
  p.SetFontSize(dimensione);
}

void PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) {
  if (diagrammaStampa != nullptr) {
    diagrammaStampa->PrintDiagrammaRete(printer, preview);
    return;
  }
  StampaTitoloDiagramma(printer);
}

// ---- The run --------------------------------------------------------------------------------

double ScalaAdattaSchema(double dx, double dy, double pw, double ph) {
  const double sx = dx != 0 ? pw / dx : 1e9;
  const double sy = dy != 0 ? ph / dy : (dx != 0 ? 1e9 : 1.0);
  return sx < sy ? sx : sy;
}

bool PrintReport(int16_t preview) {
  IStampanteReport* stampante = StampanteReport();
  if (stampante == nullptr) {
    MsgBox(MessaggioErroreStampa, Bottoni::OK);
    return false;
  }
  IStampanteReport& p = *stampante;
  IAttesaStampa& attesa = Attesa();
  bool attesaAperta = false;
  try {
    if (p.Height() > 32000 || p.Width() > 32000) {
      MsgBox("La pagina e' troppo grande. Selezionare un formato piu' piccolo", Bottoni::OK);
      return false;
    }
    SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0;
    EscludiSezioniSenzaOggetto();
    if (!ReteCalcolataPerReport()) return false;
    attesa.Mostra();
    attesaAperta = true;
    int16_t conta = 0;
    attesa.UpdateBar(0, NumSezioniStampa);
    SetupPage();
    const int32_t tre_quarti = Lungo(0.75 * p.Height());
    ResetPrinterFont(p);
    CalcolaReteSeServe();

    auto regolaTreQuarti = [&]() {
      if (p.CurrentY() > tre_quarti) {
        PrintPageFooter(p);
        p.NewPage();
        PrintPageHeader(p);
      }
    };

    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaCopertina != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Copertina));
      PrintCopertina(p);
      PrintPageFooter(p);
      ++conta;
      p.NewPage();
      if (SezioneContenutoSelezionata()) PrintPageHeader(p);
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaTronchi != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Tronchi));
      PrintBlankLines();
      PrintTronchi(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaPDCLocalizzate != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::PDCLocalizzate));
      regolaTreQuarti();
      PrintBlankLines();
      PrintPDCLocalizzate(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaVerifica != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Verifica));
      regolaTreQuarti();
      PrintBlankLines();
      PrintPercorsoSfavorito(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaUtenze != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Utenze));
      regolaTreQuarti();
      PrintBlankLines();
      PrintRiepilogoUtenze(p, 1);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaComputo != 0) {
      ResetComputo();
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::Computo));
      CalcolaComputo(1);
      attesa.PrintMsg(TestoTabellaComputo);
      regolaTreQuarti();
      PrintBlankLines();
      PrintComputo(p, 0);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (StampaTenutaImpianto != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::TenutaImpianto));
      if (conta > 0) {
        PrintPageFooter(p);
        p.NewPage();
        PrintPageHeader(p);
      }
      TenutaImpiantoRefresh();
      regolaTreQuarti();
      PrintTenutaImpianto(p, 0);
      PrintPageFooter(p);
      ++conta;
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    if (SezioneTabellaSelezionata() && StampaTenutaImpianto == 0) PrintPageFooter(p);
    if (StampaCopertina != 0 || SezioneContenutoSelezionata()) p.EndDoc();

    if (StampaDiagrammaRete != 0) {
      attesa.PrintMsg(TestoAvanzamento(SezioneReport::DiagrammaRete));
      if (!p.SetOrientation(2)) MsgBox("Impossibile impostare modalita' landscape", Bottoni::OK);
      SetupPage();
      PrintDiagrammaRete(p, preview);
      ++conta;
      p.EndDoc();
      p.SetOrientation(1);
    }
    attesa.UpdateBar(conta, NumSezioniStampa);
    attesa.Chiudi();
    AdattaSchemaPagina = 0;
    return true;
  } catch (const std::exception&) {
    MsgBox(MessaggioErroreStampa, Bottoni::OK);
    // The pages already drawn go out as they are; the next run starts a fresh portrait document.
    try {
      p.EndDoc();
      p.SetOrientation(1);
    } catch (const std::exception&) {
    }
    AdattaSchemaPagina = 0;
    if (attesaAperta) attesa.Chiudi();
  }
  return false;
}

}  // namespace varnex
