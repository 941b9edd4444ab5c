#include "report/print/bande_tabella.h"

#include <algorithm>

#include "model/campi.h"
#include "model/colonne.h"
#include "model/strings.h"
#include "report/print/pagina.h"
#include "report/print/sezioni.h"

namespace varnex {

namespace {

constexpr int16_t SenzaLimite = 32767;

// Widths of the given columns at the type size in force: nullopt when `larghezza` cannot hold the
// narrowest each column needs. A free reference needs its longest word whole, or, with
// `paroleIntere` false, every word whole that a band of its own beside the segment column holds,
// and eight letters of a longer one: only a word that alone is wider than any column it can have
// is split, never the others beside it.
std::optional<std::vector<double>> LarghezzeColonne(IMisuraTabella& p, int16_t view, const std::vector<int16_t>& colonne,
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
        // Without whole words the words come after the other columns' needs are known.
        if (!paroleIntere) continue;
        for (const std::string& parola : Parole(riga[k]))
          b = std::max(b, p.TextWidth(parola) + p.TextWidth(margine) + 2 * spazio);
      } else {
        b = std::max(b, p.TextWidth(riga[k] + margine) + spazio);
      }
    }
    if (totale && totale->Colonna == c) b = std::max(b, p.TextWidth(testi.totale + "XX") + spazio);
    bisogno.push_back(b);
  }
  if (!paroleIntere) {
    for (size_t i = 0; i < colonne.size(); ++i) {
      if (!ColonnaTestoLibero(view, colonne[i])) continue;
      // The room the column has in a band of its own, beside the segment column.
      double sola = larghezza;
      for (size_t k = 0; k < colonne.size(); ++k)
        if (colonne[k] == 0) sola -= bisogno[k];
      const double attorno = p.TextWidth(margine) + 2 * spazio;
      for (const auto& riga : testi.celle)
        for (const std::string& parola : Parole(riga[static_cast<size_t>(colonne[i])])) {
          const double intera = p.TextWidth(parola) + attorno;
          bisogno[i] = std::max(bisogno[i], intera <= sola ? intera : std::min(intera, p.TextWidth("XXXXXXXX") + attorno));
        }
    }
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
  // A reference that would go on over lines takes the room the other columns have to spare, up to
  // what it needs on one line: a blank column beside a reference of many lines helps no one.
  for (size_t i = 0; i < colonne.size(); ++i) {
    if (!ColonnaTestoLibero(view, colonne[i])) continue;
    double riga = 0;
    for (const auto& r : testi.celle)
      riga = std::max(riga, p.TextWidth(r[static_cast<size_t>(colonne[i])]) + p.TextWidth(margine) + 2 * spazio);
    double libero = 0;
    for (size_t k = 0; k < colonne.size(); ++k)
      if (k != i) libero += std::max(0.0, w[k] - bisogno[k]);
    const double preso = std::min(riga - w[i], libero);
    if (preso <= 0) continue;
    for (size_t k = 0; k < colonne.size(); ++k)
      if (k != i) w[k] -= std::max(0.0, w[k] - bisogno[k]) * preso / libero;
    w[i] += preso;
  }
  return w;
}

// The bands at the type size in force: one band of the whole table when it fits; else the segment
// column and as many of the next columns as fit, band after band. nullopt when the segment column
// and one other do not fit side by side, even with a long word split.
std::optional<std::vector<BandaTabella>> BandeTabella(IMisuraTabella& p, int16_t view, int16_t ultima,
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
  // Whether the band being filled holds a word split: its further columns are tried with it split.
  bool spezzata = false;
  for (int16_t c = 1; c <= ultima; ++c) {
    std::vector<int16_t> colonne = corrente.colonne;
    colonne.push_back(c);
    auto w = prova(colonne, !spezzata);
    // A word that no band holds whole is split where it stands: a band of its own would not keep
    // it whole either.
    if (!w && !spezzata && !prova({0, c}, true)) {
      w = prova(colonne, false);
      spezzata = w.has_value();
    }
    if (!w && corrente.colonne.size() > 1) {
      bande.push_back(corrente);
      colonne = {0, c};
      spezzata = false;
      w = prova(colonne, true);
    }
    // A word that alone is wider than the column it can have is split.
    if (!w) {
      w = prova(colonne, false);
      spezzata = true;
    }
    if (!w) return std::nullopt;
    corrente = {colonne, *w, {}};
  }
  bande.push_back(corrente);
  return bande;
}

}  // namespace

bool ColonnaTestoLibero(int16_t view, int16_t c) {
  return ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].IdCampo == campo::ID_RIF;
}

TestiTabella LeggiTestiTabella(int16_t view, const std::vector<int16_t>& righe,
                               const std::optional<TotaleReport>& totale) {
  const int16_t ultima = UltimaColonnaReport(view);
  TestiTabella testi;
  for (int16_t c = 0; c <= ultima; ++c) testi.caption.push_back(GetColumnCaption(view, c, SenzaLimite));
  for (int16_t seg : righe) {
    std::vector<std::string> riga;
    for (int16_t c = 0; c <= ultima; ++c) riga.push_back(GetCellText(view, c, seg, SenzaLimite));
    testi.celle.push_back(std::move(riga));
  }
  if (totale) testi.totale = GetReportTotalText(*totale, view, SenzaLimite);
  return testi;
}

ImpaginazioneTabella ImpaginaTabella(IMisuraTabella& misura, int16_t view, const TestiTabella& testi,
                                     const std::optional<TotaleReport>& totale, const char* margine,
                                     double larghezza, double corpoMassimo) {
  const auto ultima = static_cast<int16_t>(static_cast<int>(testi.caption.size()) - 1);
  ImpaginazioneTabella scelta{corpoMassimo, {}};
  // Down by steps from the largest type, the smallest tried last even when the steps pass it.
  for (double prova = corpoMassimo;; prova -= PassoCorpo) {
    if (prova < CorpoMinimo - 1e-9) {
      if (prova + PassoCorpo <= CorpoMinimo + 1e-9) break;
      prova = CorpoMinimo;
    }
    misura.SetFontSize(prova);
    auto b = BandeTabella(misura, view, ultima, testi, totale, margine, larghezza);
    if (b && (scelta.bande.empty() || b->size() < scelta.bande.size())) {
      scelta.bande = std::move(*b);
      scelta.corpo = prova;
      if (scelta.bande.size() == 1) break;
    }
  }
  if (scelta.bande.empty()) throw ErroreReport("pagina troppo stretta per la tabella");
  for (BandaTabella& b : scelta.bande) {
    b.x.assign(b.colonne.size(), 0);
    for (size_t i = 1; i < b.colonne.size(); ++i) b.x[i] = b.x[i - 1] + b.w[i - 1];
  }
  return scelta;
}

}  // namespace varnex
