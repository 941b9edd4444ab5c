#include "report/print/stampa_report.h"

#include <array>
#include <cctype>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "model/giudizi.h"
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
#include "report/print/bande_tabella.h"
#include "report/print/computo_report.h"
#include "report/print/copertina.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "report/print/tenuta_report.h"
#include "schema/disegno.h"
#include "model/tenuta.h"

namespace varnex {

namespace {

IAttesaStampa* attesaStampa = nullptr;
IDiagrammaStampa* diagrammaStampa = nullptr;
// The page on which the last table of the run ended (0 before any).
int32_t paginaUltimaTabella = 0;

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
constexpr double CorpoTabella = 8;       // points of the cells and headings
constexpr const char* Continua = " (continua)";

// The report printer as the measure of a table's texts, in twips.
class MisuraStampante : public IMisuraTabella {
 public:
  explicit MisuraStampante(IStampanteReport& p) : p_(p) {}
  void SetFontSize(double punti) override { p_.SetFontSize(punti); }
  void SetFontBold(bool grassetto) override { p_.SetFontBold(grassetto); }
  double TextWidth(const std::string& testo) override { return p_.TextWidth(testo); }

 private:
  IStampanteReport& p_;
};

// The line that explains the marks of values beyond their limits, when the table holds one.
void StampaNotaLimite(IStampanteReport& p, const std::string& nota) {
  if (nota.empty()) return;
  CheckPageBreak();
  p.SetCurrentX(0);
  p.Print(nota, false);
  p.FineRiga();
}

// A page begun after the last table ended holds only the blank lines that lead to the section
// about to print: a section that needs more room than they leave starts at the page's top rather
// than leave the page empty.
void SenzaPaginaVuota(IStampanteReport& p, int16_t riserva) {
  // Measured as it stands: a page of blank lines alone is what this looks for.
  if (p.Page() != paginaUltimaTabella && p.CurrentY() + riserva * p.TextHeight("X") >= LimiteFondoPagina - 400)
    p.SetCurrentY(InizioCorpoPagina);
}

void DisegnaTabella(IStampanteReport& p, ReportTable tabella, int16_t view, const std::string& titolo,
                    const VarianteTabella& v) {
  if (v.Rete) p.SetFontSize(8);

  const int16_t ultima = UltimaColonnaReport(view);
  const std::vector<int16_t> righe = GetReportRows(tabella);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  const TestiTabella testi = LeggiTestiTabella(view, righe, totale);
  const std::string notaRete = GetReportNetworkNote(tabella, righe);

  const double larghezza = v.Quota * LarghezzaStampabile;
  const double corpoIniziale = p.FontSize();
  MisuraStampante misura(p);
  const ImpaginazioneTabella impaginazione = ImpaginaTabella(misura, view, testi, totale, v.Margine, larghezza, CorpoTabella);
  const double corpo = impaginazione.corpo;
  const std::vector<BandaTabella>& bande = impaginazione.bande;
  p.SetFontSize(corpo);
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
      std::vector<std::string> linee = RigheInColonna(misura, testi.caption[k].Titolo, utile);
      if (linee.empty()) linee.emplace_back();
      in.righeTitolo.push_back(linee.size());
      const std::vector<std::string> unita = RigheInColonna(misura, testi.caption[k].Unita, utile);
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
        linee.push_back(ColonnaTestoLibero(view, c) ? RigheRiferimento(misura, riga[k], b.w[i] - margine - spazio)
                                                    : std::vector<std::string>{riga[k]});
        altezza = std::max(altezza, linee.back().size());
      }
      lineeRighe[nb].push_back(std::move(linee));
      altezze[nb].push_back(altezza);
    }
  }
  // Rows that wrap are set apart from their neighbours by half a line, so that a reader does not
  // take a wrapped line for the next row's; tables of one-line rows stay as they are.
  auto staccata = [&](size_t nb, size_t r) { return r > 0 && (altezze[nb][r - 1] > 1 || altezze[nb][r] > 1); };
  p.SetFontSize(corpoIniziale);
  const int32_t h = Lungo(p.TextHeight("X") / 2);
  const auto extraRighe = static_cast<int16_t>(intestazioni[0].righe - 2);
  // A short table goes whole to the next page rather than split: title, headings, rows and totals.
  // Where no page holds it whole (its bands stacked on narrow paper), each band goes whole with
  // its rows, the last with the totals and the notes under them.
  const bool breve = righe.size() <= RigheTabellaBreve;
  const double corpoPagina = (LimiteFondoPagina - 400.0 - InizioCorpoPagina) / std::max(1.0, p.TextHeight("X"));
  auto righeBanda = [&](size_t nb) {
    size_t n = intestazioni[nb].righe + 3;
    for (size_t r = 0; r < altezze[nb].size(); ++r) n += altezze[nb][r] + (staccata(nb, r) ? 1 : 0);
    if (nb + 1 == bande.size()) n += (totale ? (totale->Avviso.empty() ? 4 : 6) : 1) + (notaRete.empty() ? 0 : 3);
    return n;
  };
  // One line more for the blank line above the title on a page of its own.
  auto tieneSuUnaPagina = [&](size_t n) { return static_cast<double>(n + 1) < corpoPagina; };
  int16_t riserva = static_cast<int16_t>(8 + extraRighe);
  if (breve) {
    size_t tutta = 4;
    for (size_t nb = 0; nb < bande.size(); ++nb) tutta += righeBanda(nb);
    if (tieneSuUnaPagina(tutta)) riserva = std::max(riserva, static_cast<int16_t>(tutta));
    else if (tieneSuUnaPagina(4 + righeBanda(0))) riserva = std::max(riserva, static_cast<int16_t>(4 + righeBanda(0)));
  }
  SenzaPaginaVuota(p, riserva);

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
    // The column lines under the header are drawn with the rule that closes the rows of a page,
    // from the header's bottom rule down to it: they end on it whatever the type of the rows.
    double cima = 0;
    int32_t paginaCima = 0;
    auto chiudi = [&](double yFondo) {
      const double fondo = yFondo + v.FondoInMezzeRighe * h;
      p.Line(0, fondo, destra, fondo);
      if (p.Page() != paginaCima || fondo <= cima) return;
      for (const double x : b.x) p.Line(x, cima, x, fondo);
      p.Line(destra, cima, destra, fondo);
    };
    // The header, bold; drawn again at the top of every page the band goes on to.
    auto intestazione = [&](bool provaDopoCaption) -> double {
      SetBold(p);
      p.SetFontSize(corpo);
      const double y = std::round(p.CurrentY());
      cima = y + R * H;
      paginaCima = p.Page();
      for (size_t i = 0; i < b.colonne.size(); ++i) {
        p.Line(b.x[i], y - h, b.x[i], cima);
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
      p.Line(destra, y - h, destra, cima);
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
      int16_t tenere = static_cast<int16_t>(in.righe + 6);
      if (breve && tieneSuUnaPagina(righeBanda(nb) + 2))
        tenere = std::max(tenere, static_cast<int16_t>(righeBanda(nb) + 2));
      CheckPageBreak(tenere);
      titoloSegue();
    }
    // A table without rows closes across its header.
    double yFondo = intestazione(v.ProvaDopoCaption);

    // Rows: numbers right-aligned whole; a free reference from the left, over as many lines as it
    // needs.
    // The totals line comes once, after the table's last band, with its last row.
    const bool conTotale = totale && nb + 1 == bande.size();
    for (size_t r = 0; r < lineeRighe[nb].size(); ++r) {
      const std::vector<std::vector<std::string>>& linee = lineeRighe[nb][r];
      const size_t altezza = altezze[nb][r];
      // The last row keeps under it the totals line, its warning and the note on the marks.
      const bool ultimaRiga = r + 1 == lineeRighe[nb].size();
      size_t dopo = 0;
      if (ultimaRiga && conTotale) dopo += totale->Avviso.empty() ? 2 : 4;
      if (ultimaRiga && nb + 1 == bande.size() && !nota.empty()) dopo += 1;
      const bool stacco = staccata(nb, r);
      const auto servono = static_cast<int16_t>(altezza + 1 + dopo + (stacco ? 1 : 0));
      if (r > 0 && PaginaPiena(servono)) {
        // The rows go on over the page: the part on this page is closed, the next opens with the
        // title and the headings again.
        chiudi(yFondo);
        CheckPageBreak(servono);
        p.SetFontSize(corpo);
        titoloSegue();
        intestazione(false);
      } else {
        CheckPageBreak(servono);
        if (stacco && p.Page() == paginaCima) p.SetCurrentY(p.CurrentY() + h);
      }
      double y = std::round(p.CurrentY());
      // Rows put on a page of their own, away from their header, draw their column lines from their top.
      if (p.Page() != paginaCima) cima = y, paginaCima = p.Page();
      for (size_t i = 0; i < b.colonne.size(); ++i) {
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
      p.SetCurrentY(y + static_cast<double>(altezza - 1) * H);
      yFondo = std::round(p.CurrentY());
      p.FineRiga();
    }

    // End of the band.
    chiudi(yFondo);
    // Under the table the page is checked before each line is printed, not after: a table that
    // ends the report would otherwise end it on a page of header and footer alone. What follows a
    // table checks the page before it prints.
    const bool ultimaBanda = nb + 1 == bande.size();
    if (conTotale) {
      const std::string& valore = testi.totale;
      p.FineRiga();
      p.SetCurrentX(0);
      // The value under its column when this band holds it, else right after the label; on the
      // label's line in either case, unless the two together are wider than the line.
      const double dopoEtichetta = p.TextWidth(totale->Etichetta + " ");
      double inizioValore = dopoEtichetta;
      const auto pos = std::find(b.colonne.begin(), b.colonne.end(), static_cast<int16_t>(kTotale));
      if (pos != b.colonne.end()) {
        const auto i = static_cast<size_t>(pos - b.colonne.begin());
        inizioValore = std::max(inizioValore, b.x[i] + b.w[i] - p.TextWidth(valore + "XX"));
      }
      const bool aCapo = inizioValore + p.TextWidth(valore) > LarghezzaStampabile;
      p.Print(totale->Etichetta, aCapo);
      if (aCapo) {
        CheckPageBreak();
        inizioValore = std::max(0.0, LarghezzaStampabile - p.TextWidth(valore + "XX"));
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
      if (!notaRete.empty()) {
        CheckPageBreak();
        p.SetCurrentX(0);
        StampaAcapo(p, notaRete, true, 0, LarghezzaStampabile);
      }
      StampaNotaLimite(p, nota);
      paginaUltimaTabella = p.Page();
      p.FineRiga();
    }
  }
}

// ---- Cover ----------------------------------------------------------------------------------

// A field of the cover in pieces of line: its bold label from the left edge, then its value on
// the label's last line, or under the label when the value's longest word has no room beside it;
// a value that goes on over more lines stays under its own start. One layout for measuring the
// cover and for printing it.
struct PezzoCopertina {
  std::string testo;
  double x = 0;
  bool grassetto = false;
  bool aCapo = false;  // the piece begins a new line
};

// Inside a measured value a number and the word after it (its unit) are one piece, joined by a
// non-breaking blank: "150,00 kPa" never breaks between the two.
std::string ConUnitaUnite(const std::string& testo) {
  std::string unito;
  for (const std::string& parola : Parole(testo)) {
    if (!unito.empty())
      unito += std::isdigit(static_cast<unsigned char>(unito.back())) ? std::string(SpazioUnito) : std::string(" ");
    unito += parola;
  }
  return unito;
}

std::vector<PezzoCopertina> ImpaginaCampoCopertina(IStampanteReport& p, const CampoCopertina& c, bool rete) {
  const double L = LarghezzaStampabile;
  auto misura = [&](const std::string& t) { return p.TextWidth(SenzaSpaziUniti(t)); };
  std::vector<PezzoCopertina> pezzi;
  SetBold(p);
  const std::vector<std::string> etichetta = SpezzaTesto(c.EtichettaStampa, L, L, misura);
  for (size_t i = 0; i < etichetta.size(); ++i) pezzi.push_back({etichetta[i], 0, true, i > 0});
  double x = p.TextWidth(etichetta.back());
  ResetBold(p);
  std::string testo = c.Valore;
  bool sotto = false;
  // The job goes on beside its label, broken between its words; any other value (the reference,
  // the client's name) whose longest word has no room beside its label goes under it. A measured
  // value keeps each number with its unit.
  if (c.Riga != 4) {
    if (c.Riga == 8) testo += rete ? " kg/mc   " : " kg/mc";
    if (c.Riga == 9) testo += " mmq/s";
    if (c.Riga == 12 || c.Riga == 14 || c.Riga == 15) testo += " (" + c.ValoreParentesi;
    if (c.Riga > 4) testo = ConUnitaUnite(testo);
    double parola = 0;
    for (const std::string& w : Split(testo, " ")) parola = std::max(parola, misura(w));
    if (L - x < parola) x = 0, sotto = true;
  }
  const std::vector<std::string> valore = SpezzaTesto(testo, L - x, L - x, misura);
  for (size_t i = 0; i < valore.size(); ++i) pezzi.push_back({SenzaSpaziUniti(valore[i]), x, false, i == 0 ? sotto : true});
  return pezzi;
}

size_t RigheCampoCopertina(const std::vector<PezzoCopertina>& pezzi) {
  return 1 + static_cast<size_t>(std::count_if(pezzi.begin(), pezzi.end(), [](const PezzoCopertina& z) { return z.aCapo; }));
}

void StampaCopertinaComune(IStampanteReport& p) {
  const bool rete = ReteInPressione != 0;
  // Every value first: a value that cannot be computed stops the cover before anything is on paper.
  const std::vector<CampoCopertina> campi = GetCampiCopertina(RendererReport::Stampa);
  const std::string& titolo = campi[0].EtichettaStampa;
  const std::string sottotitolo = "Relazione di calcolo";
  const size_t primoDato = 4;

  const TFontInfo salvato = GetFontInfo(p);
  // The cover's layout: its room above the title, the blank lines around the reference and the
  // job and between the fields, and its type (the titles in proportion).
  struct Misura {
    double sopra;
    int vuote, traCampi;
    double corpo;
    double Titolo(double corpoTitolo) const { return std::max(corpo, std::round(corpoTitolo * corpo / 10 * 2) / 2); }
  };
  auto imposta = [&](const Misura& m) {
    p.SetFontSize(m.corpo);
    SetPrinterFont(p, "Arial");
  };
  // The lines of each field and the height of the cover in the layout.
  auto altezza = [&](const Misura& m, std::vector<size_t>& righe) {
    SetFontInfo(p, salvato);
    p.SetFontBold(false);
    double h = m.sopra + AltezzaTitolo(p, titolo, m.Titolo(24));
    p.SetFontItalic(false);
    h += AltezzaTitolo(p, sottotitolo, m.Titolo(18));
    imposta(m);
    righe.clear();
    size_t linee = 2 * static_cast<size_t>(m.vuote) + 2;
    for (size_t i = 2; i < campi.size(); ++i) {
      righe.push_back(RigheCampoCopertina(ImpaginaCampoCopertina(p, campi[i], rete)));
      linee += righe.back();
      if (i > primoDato) linee += static_cast<size_t>(m.traCampi);
    }
    return h + static_cast<double>(linee) * p.TextHeight("X");
  };
  // The cover is one page: on small paper its room above the title and its blank lines shrink,
  // then its type, down to the smallest a client reads; its last line starts above the page's
  // break line. A cover that not even so holds on a page keeps that least room, the fewest pages,
  // and goes on over them broken between whole fields.
  const Misura propria{600, rete ? 2 : 5, 1, 10};
  std::vector<Misura> prove = {propria, {0, std::min(propria.vuote, 2), 1, 10}};
  for (double corpo = 10; corpo >= CorpoMinimo - 1e-9; corpo -= PassoCorpo) prove.push_back({0, 1, 0, corpo});
  Misura scelta = prove.back();
  std::vector<size_t> righe;  // of each field from the reference on, in the layout chosen (the last one tried)
  for (const Misura& m : prove) {
    const double h = altezza(m, righe);
    if (InizioCorpoPagina + h - p.TextHeight("X") < LimiteFondoPagina - 400) {
      scelta = m;
      break;
    }
  }
  SetFontInfo(p, salvato);

  p.SetCurrentY(InizioCorpoPagina + scelta.sopra);
  p.SetFontBold(false);
  PrintTitle(p, titolo, scelta.Titolo(24));
  p.SetFontItalic(false);
  PrintTitle(p, sottotitolo, scelta.Titolo(18));
  p.SetFontBold(false);
  imposta(scelta);

  auto righeVuote = [&](int quante) {
    for (int i = 0; i < quante; ++i) p.FineRiga();
  };
  // A field whose lines do not all hold in the rest of the page goes whole to the next one (when
  // a page holds it); the last field takes the one before it along, so that no page holds a field
  // alone.
  const double righePagina = (LimiteFondoPagina - 400.0 - InizioCorpoPagina) / std::max(1.0, p.TextHeight("X"));
  auto stampaCampo = [&](size_t i) {
    size_t insieme = righe[i - 2];
    if (i + 2 == campi.size()) insieme += static_cast<size_t>(scelta.traCampi) + righe[i - 1];
    if (static_cast<double>(insieme) >= righePagina) insieme = 1;
    CheckPageBreak(static_cast<int16_t>(insieme - 1));
    const std::vector<PezzoCopertina> pezzi = ImpaginaCampoCopertina(p, campi[i], rete);
    for (size_t k = 0; k < pezzi.size(); ++k) {
      const PezzoCopertina& z = pezzi[k];
      if (z.aCapo) {
        p.FineRiga();
        CheckPageBreak();
      }
      p.SetCurrentX(z.x);
      if (z.grassetto) SetBold(p);
      p.Print(z.testo, k + 1 == pezzi.size());
      if (z.grassetto) ResetBold(p);
    }
  };

  righeVuote(scelta.vuote);
  stampaCampo(2);
  righeVuote(2);
  stampaCampo(3);
  righeVuote(scelta.vuote);
  for (size_t i = primoDato; i < campi.size(); ++i) {
    if (i > primoDato && scelta.traCampi > 0) p.FineRiga();
    stampaCampo(i);
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

  const std::vector<SerieComputo> tutte = GetSerieComputo();
  const bool pesoTotale = MostraPesoTotaleAcciaio();
  // A series' heading keeps its first strip (and the bill's total after the last series) on its page.
  auto riservaSerie = [&](size_t i) { return pesoTotale && i + 1 == tutte.size() ? 14 + 4 : 14; };
  for (int i = 0; i < 4; ++i) {
    CheckPageBreak();
    p.FineRiga();
  }
  // The title with the first series under it, in lines of the series' type.
  p.SetFontSize(8);
  const auto riservaTitolo = static_cast<int16_t>(std::max(18, 4 + riservaSerie(0)));
  SenzaPaginaVuota(p, riservaTitolo);
  CheckPageBreak(riservaTitolo);
  SetBold(p);
  p.SetFontSize(9);
  PrintTitle(p, "Computo tubazioni", 12);
  p.SetFontSize(8);
  ResetBold(p);
  CheckPageBreak();
  p.FineRiga();
  CheckPageBreak();

  for (size_t n = 0; n < tutte.size(); ++n) {
    const SerieComputo& serie = tutte[n];
    const bool ultimaSerie = n + 1 == tutte.size();
    // The first series was kept with the title above: asked again, it would leave the title alone
    // on a page too short for both.
    CheckPageBreak(static_cast<int16_t>(n == 0 ? 2 : riservaSerie(n)));
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
      const size_t a = std::min(serie.Diametri.size(), da + static_cast<size_t>(perStriscia));
      // The bill's total weight stays with its last strip: the strip, the blank lines under it and
      // the total's line go to the next page together.
      const bool conPesoTotale = pesoTotale && ultimaSerie && a >= serie.Diametri.size();
      CheckPageBreak(static_cast<int16_t>(conPesoTotale ? 5 + 4 : 5));
      StampaStriscia(p, serie.Diametri, da, a, w, h);
      if (serie.Diametri.empty()) break;
    }
    // The next series checks the page before it prints.
    p.FineRiga();
  }

  // The page is checked before the last line, not after it: a bill that ends the report would
  // otherwise end it on a page of header and footer alone.
  for (int i = 0; i < 3; ++i) p.FineRiga();
  if (pesoTotale) {
    CheckPageBreak();
    SetBold(p);
    p.Print("Peso totale tubazioni in acciaio: ", false);
    ResetBold(p);
    p.Print(TestoPesoTotaleAcciaio() + " Kg", true);
  }
  if (const std::string nota = NotaComputoIncompleto(); !nota.empty()) {
    CheckPageBreak();
    p.SetCurrentX(0);
    StampaAcapo(p, nota, true, 0, LarghezzaStampabile);
  }
}

void PrintTenutaImpianto(IStampanteReport& p, int16_t /*nonUsato*/) {
  p.SetFontSize(9);
  const int32_t destra = Lungo(LarghezzaStampabile / 2.0);
  CheckPageBreak();
  // The section may run longer than a page (long notes): every line end checks the page.
  const std::vector<PezzoTenuta> pezzi = GetPezziTenuta();
  // The two columns never touch: a left text keeps two blanks clear of the right one.
  const std::vector<PostoColonna> posti = PostiColonne(pezzi, destra, LarghezzaStampabile, p.TextWidth("  "),
                                                       [&](const std::string& t) { return p.TextWidth(t); });
  double cimaRiga = 0, fondoRiga = 0;
  // A bold line of its own heads what follows it: it never ends a page alone. A block it heads
  // that fits on a page (the firm's details with the signatures) goes whole to the next page
  // rather than being split; a longer one keeps at least two lines under its heading.
  auto righePezzo = [&](size_t j) {
    const PezzoTenuta& pezzo = pezzi[j];
    if (InColonna(pezzo)) return posti[j].fineRiga ? posti[j].righe : 0;
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
  // The lines heading `i` keeps under it on its page; `ridotta`, a heading that keeps only its
  // first lines because the empty heading above it could not take its block whole.
  size_t ridotta = 0;
  std::function<int(size_t, int)> riservaIntestazione = [&](size_t i, int profondita) -> int {
    // A heading over nothing (an empty note) goes with the block after it.
    int blocco = 0, proprie = 0;
    bool contenuto = false;
    size_t seguente = 0;
    for (size_t j = i; j < pezzi.size() && (j == i || !contenuto || !intestazione(j)); ++j) {
      if (j > i && intestazione(j) && !contenuto && seguente == 0) seguente = j, proprie = blocco;
      blocco += righePezzo(j);
      contenuto = contenuto || (j > i && !intestazione(j) && !Trim(pezzi[j].Testo).empty());
    }
    // One line more, as the signatures keep for a caption wrapped in its column.
    if (blocco + 1 < righePagina - 2) return blocco + 1;
    // Too long for a page: an empty heading keeps what the next heading keeps, so that it does not
    // end a page alone either; one with lines of its own keeps two of them.
    if (seguente != 0 && profondita < 8) {
      const int insieme = proprie + riservaIntestazione(seguente, profondita + 1);
      if (insieme < righePagina - 2) return insieme;
      // Not even that fits: the next heading keeps only its first lines, here and when it comes.
      if (profondita == 0) ridotta = seguente;
      return proprie + 3;
    }
    return std::min(blocco, 3);
  };
  for (size_t i = 0; i < pezzi.size(); ++i) {
    const PezzoTenuta& pezzo = pezzi[i];
    if (intestazione(i)) {
      const bool giaRidotta = i == ridotta;
      int riserva = riservaIntestazione(i, 0);
      if (giaRidotta) riserva = std::min(riserva, 3);
      CheckPageBreak(static_cast<int16_t>(riserva));
    }
    // The signatures keep the room to sign below them: both go to the next page together when this
    // one cannot hold them, rather than that room alone making a page of header and footer.
    if (pezzo.Tipo == TipoPezzo::Firma && pezzo.InizioRiga) {
      int righe = posti[i].righe;
      for (size_t j = i; j < pezzi.size(); ++j) righe += pezzi[j].Tipo == TipoPezzo::RigaVuota ? 1 : 0;
      CheckPageBreak(static_cast<int16_t>(righe));
    }
    switch (pezzo.Tipo) {
      case TipoPezzo::RigaVuota:
        p.FineRiga();
        break;
      case TipoPezzo::Titolo: {
        // The title keeps with it what the first heading under it keeps.
        size_t k = i + 1;
        while (k < pezzi.size() && !intestazione(k)) ++k;
        if (k < pezzi.size()) {
          const int righeTitolo = static_cast<int>(k - i) + 2;
          CheckPageBreak(static_cast<int16_t>(std::min<int>(righeTitolo + riservaIntestazione(k, 0),
                                                            static_cast<int>(righePagina) - 1)));
        }
        SetBold(p);
        PrintTitle(p, pezzo.Testo, 12);
        ResetBold(p);
        break;
      }
      case TipoPezzo::Causa:
      case TipoPezzo::Apparecchio:
      case TipoPezzo::Firma: {
        // A row goes whole on one page; the piece beside another starts at the top of their row,
        // and the row ends under its taller piece.
        const PostoColonna& posto = posti[i];
        if (posto.accanto) {
          p.SetCurrentY(cimaRiga);
        } else {
          if (posto.righe > 1) CheckPageBreak(static_cast<int16_t>(posto.righe - 1));
          cimaRiga = fondoRiga = p.CurrentY();
        }
        if (pezzo.Grassetto) SetBold(p);
        p.SetCurrentX(posto.inizio);
        StampaAcapo(p, pezzo.Testo, false, posto.inizio, posto.fine, false);
        if (pezzo.Grassetto) ResetBold(p);
        fondoRiga = std::max(fondoRiga, p.CurrentY());
        if (i + 1 >= pezzi.size() || !posti[i + 1].accanto) p.SetCurrentY(fondoRiga);
        if (posto.fineRiga) {
          p.FineRiga();
          CheckPageBreak();
        }
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

namespace {

// The size a line of the diagram page is printed in: `corpo`, or smaller (down to the smallest
// type a client reads) so that it holds inside the paper's margins.
double CorpoRigaDiagramma(IStampanteReport& p, const std::string& riga, double corpo) {
  const double salvato = p.FontSize();
  const double larghezza = CartaDiagramma(p).larghezza;
  for (p.SetFontSize(corpo); corpo > CorpoMinimo && p.TextWidth(riga) > larghezza; p.SetFontSize(corpo))
    corpo = std::max(CorpoMinimo, corpo - PassoCorpo);
  p.SetFontSize(salvato);
  return corpo;
}

}  // namespace

RettangoloCarta PosizioneTitoloDiagramma(IStampanteReport& p, std::optional<double> sottoDisegno) {
  const double corpo = p.FontSize();
  p.SetFontSize(CorpoRigaDiagramma(p, TitoloDiagramma(), CorpoTitoloDiagramma));
  RettangoloCarta r;
  r.larghezza = p.TextWidth(TitoloDiagramma());
  r.altezza = p.TextHeight("X");
  p.SetFontSize(corpo);
  const RettangoloCarta carta = CartaDiagramma(p);
  if (AdattaSchemaPagina != 0) {
    // Top left, inside the margins where every printer prints.
    r.x = carta.x;
    r.y = carta.y;
  } else {
    // At the foot of the paper inside its margins, with room under it for the two notes it may
    // carry (the reduction, the sheet of a drawing over several): the network has the paper's
    // whole height above it, whatever the proportions set for the report's pages. Measured in the
    // title's own size, so that it ends where it is meant to end. Centred, as the network is
    // centred above it; right under a drawing that leaves room below it, where a reader looks
    // for the caption of what he sees.
    p.SetFontSize(CorpoNotaDiagramma);
    const double nota = p.TextHeight("X");
    p.SetFontSize(corpo);
    r.y = carta.Basso() - r.altezza - 2 * nota;
    if (sottoDisegno) r.y = std::clamp(*sottoDisegno + SpazioTitoloDiagramma, carta.y, r.y);
    r.x = carta.x + (carta.larghezza - r.larghezza) / 2;
  }
  r.x = std::max(carta.x, std::min(r.x, carta.Destra() - r.larghezza));
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

FogliSchema DividiSchema(double larghezza, double altezza, double areaL, double areaA, double sovrapposizione,
                         std::optional<double> sovrapposizioneA) {
  auto quanti = [&](double disegno, double area, double sovrapposizione) {
    const double passo = area - sovrapposizione;
    if (disegno <= area || passo <= 0) return 1;
    return 1 + static_cast<int>(std::ceil((disegno - area) / passo - 1e-9));
  };
  return {quanti(altezza, areaA, sovrapposizioneA.value_or(sovrapposizione)), quanti(larghezza, areaL, sovrapposizione)};
}

GrigliaSchema GrigliaFogli(const Riquadro& tutto, double k, double areaL, double areaA,
                           const std::vector<Riquadro>& blocchi, double sovrapposizione, double agio) {
  const double finestraL = areaL / k, finestraA = areaA / k;
  auto dentro = [&](const Riquadro& b) {
    return b.x1 >= tutto.x1 && b.x2 <= tutto.x2 && b.y1 >= tutto.y1 && b.y2 <= tutto.y2;
  };
  double sovrapposizioneL = sovrapposizione, sovrapposizioneA = sovrapposizione;
  double massimaL = sovrapposizione, massimaA = sovrapposizione;
  for (const Riquadro& b : blocchi)
    if (dentro(b)) {
      massimaL = std::max(massimaL, (b.x2 - b.x1) * k + agio);
      massimaA = std::max(massimaA, (b.y2 - b.y1) * k + agio);
    }
  // Whether [da, a] lies whole on one of n sheets side by side.
  auto intero = [](double da, double a, double inizio, double passo, int n, double lato) {
    for (int i = 0; i < n; ++i)
      if (da >= inizio + i * passo && a <= inizio + i * passo + lato) return true;
    return false;
  };
  constexpr int Tentativi = 6;
  for (int giro = 0;; ++giro) {
    if (giro == Tentativi) sovrapposizioneL = massimaL, sovrapposizioneA = massimaA;
    GrigliaSchema g;
    g.fogli = DividiSchema((tutto.x2 - tutto.x1) * k, (tutto.y2 - tutto.y1) * k, areaL, areaA, sovrapposizioneL,
                           sovrapposizioneA);
    g.passoL = (areaL - sovrapposizioneL) / k;
    g.passoA = (areaA - sovrapposizioneA) / k;
    g.inizioX = (tutto.x1 + tutto.x2) / 2 - ((g.fogli.colonne - 1) * g.passoL + finestraL) / 2;
    g.inizioY = (tutto.y1 + tutto.y2) / 2 - ((g.fogli.righe - 1) * g.passoA + finestraA) / 2;
    if (giro == Tentativi) return g;
    bool tutti = true;
    for (const Riquadro& b : blocchi) {
      if (!dentro(b)) continue;
      if (!intero(b.x1, b.x2, g.inizioX, g.passoL, g.fogli.colonne, finestraL)) {
        sovrapposizioneL = std::max(sovrapposizioneL, (b.x2 - b.x1) * k + agio);
        tutti = false;
      }
      if (!intero(b.y1, b.y2, g.inizioY, g.passoA, g.fogli.righe, finestraA)) {
        sovrapposizioneA = std::max(sovrapposizioneA, (b.y2 - b.y1) * k + agio);
        tutti = false;
      }
    }
    if (tutti) return g;
  }
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

void StampaTitoloDiagramma(IStampanteReport& p, double riduzione, const std::string& nota,
                           std::optional<double> sottoDisegno) {
  const RettangoloCarta r = PosizioneTitoloDiagramma(p, sottoDisegno);
  const RettangoloCarta carta = CartaDiagramma(p);
  const int32_t dimensione = Lungo(p.FontSize());
  // Each line inside the margins: the notes under the title start where it starts, or, centred
  // under a drawing at its own size, are centred as it is.
  auto riga = [&](const std::string& testo, double corpo) {
    p.SetFontSize(CorpoRigaDiagramma(p, testo, corpo));
    const double x = AdattaSchemaPagina != 0 ? r.x : carta.x + (carta.larghezza - p.TextWidth(testo)) / 2;
    p.SetCurrentX(std::max(carta.x, std::min(x, carta.Destra() - p.TextWidth(testo))));
    p.Print(testo, true);
  };
  p.SetCurrentY(r.y);
  riga(TitoloDiagramma(), CorpoTitoloDiagramma);
  if (riduzione > 1) {
    // The network did not hold on the page at its own scale: the reader is told it was reduced.
    const auto percento = static_cast<int64_t>(std::floor(100.0 / riduzione));
    riga("Schema ridotto al " + TestoNumero(percento) + "% per stare nella pagina", CorpoNotaDiagramma);
  }
  if (!nota.empty()) riga(nota, CorpoNotaDiagramma);
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
    paginaUltimaTabella = 0;
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

    auto prima = [&](SezioneReport s) {
      attesa.UpdateBar(conta, NumSezioniStampa);
      // The pages of the text sections make one document; the diagram is a job of its own.
      if (s == SezioneReport::DiagrammaRete) {
        if (SezioneTabellaSelezionata() && StampaTenutaImpianto == 0) PrintPageFooter(p);
        if (StampaCopertina != 0 || SezioneContenutoSelezionata()) p.EndDoc();
      }
    };
    auto scrivi = [&](SezioneReport s) {
      switch (s) {
        case SezioneReport::Copertina:
          attesa.PrintMsg(TestoAvanzamento(s));
          PrintCopertina(p);
          PrintPageFooter(p);
          ++conta;
          p.NewPage();
          if (SezioneContenutoSelezionata()) PrintPageHeader(p);
          return;
        case SezioneReport::Tronchi:
          attesa.PrintMsg(TestoAvanzamento(s));
          PrintBlankLines();
          PrintTronchi(p, 1);
          break;
        case SezioneReport::PDCLocalizzate:
          attesa.PrintMsg(TestoAvanzamento(s));
          regolaTreQuarti();
          PrintBlankLines();
          PrintPDCLocalizzate(p, 1);
          break;
        case SezioneReport::Verifica:
          attesa.PrintMsg(TestoAvanzamento(s));
          regolaTreQuarti();
          PrintBlankLines();
          PrintPercorsoSfavorito(p, 1);
          break;
        case SezioneReport::Utenze:
          attesa.PrintMsg(TestoAvanzamento(s));
          regolaTreQuarti();
          PrintBlankLines();
          PrintRiepilogoUtenze(p, 1);
          break;
        case SezioneReport::Computo:
          ResetComputo();
          attesa.PrintMsg(TestoAvanzamento(s));
          CalcolaComputo(1);
          attesa.PrintMsg(TestoTabellaComputo);
          regolaTreQuarti();
          PrintBlankLines();
          PrintComputo(p, 0);
          break;
        case SezioneReport::TenutaImpianto:
          attesa.PrintMsg(TestoAvanzamento(s));
          if (conta > 0) {
            PrintPageFooter(p);
            p.NewPage();
            PrintPageHeader(p);
          }
          TenutaImpiantoRefresh();
          regolaTreQuarti();
          PrintTenutaImpianto(p, 0);
          PrintPageFooter(p);
          break;
        case SezioneReport::DiagrammaRete:
          attesa.PrintMsg(TestoAvanzamento(s));
          if (!p.SetOrientation(2)) MsgBox("Impossibile impostare modalita' landscape", Bottoni::OK);
          SetupPage();
          PrintDiagrammaRete(p, preview);
          ++conta;
          p.EndDoc();
          p.SetOrientation(1);
          return;
      }
      ++conta;
    };
    PercorriSezioni(prima, scrivi);
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
