// The calculation tables in the HTML report: one bordered table per band of a report table, every
// cell carrying its own width and type, continued under a reopened table tag and its heading when
// a page breaks inside it.
#include <algorithm>
#include <cmath>
#include <string>

#include "model/giudizi.h"
#include "model/calcolo.h"
#include "model/rete.h"
#include "report/files/report_html.h"
#include "report/files/stampa_file.h"
#include "report/files/tabelle_file.h"
#include "report/print/tabelle_report.h"

namespace varnex {

namespace {

const char* const kTagTabella = "<TABLE align='CENTER' cellspacing=0 class='datatable'>";
const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";

void Spesa(double mm, std::string_view tag = {}) {
  SpazioPaginaHTML -= mm;
  CheckPageBreakHTML(tag);
}

int16_t UltimoTronco(int16_t net) {
  if (net < 0 || net > 1) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  return BloccoReti[static_cast<size_t>(net)].NumTronchi;
}

// The type of the cells and of their bold headings at its largest, in millimetres, as on paper one
// type for both: a table too wide for the body at this size is set smaller, down to the smallest
// type a client reads (CorpoMinimo, the printed report's own), and split into bands of columns
// below that.
constexpr double TipoCelleHTML = 3.15;
constexpr double RigaIntestazioneHTML = 4;
constexpr double TitoloTabellaHTML = 4 + 4.2 + 4;  // spacing, title, spacing
// The room a value keeps from its column's rules, as on paper.
const char* const kMargineValore = "XX";

// One band of the table, laid out: the lines of its heading cells and of its rows' cells.
struct BandaHTML {
  std::vector<std::vector<std::string>> intestazione;       // by column of the band
  size_t righeIntestazione = 2;
  std::vector<std::vector<std::vector<std::string>>> righe;  // by row, then column of the band
  std::vector<size_t> altezze;                               // lines of each row
};

// A cell of lines: none keeps the cell's height and borders with a non-breaking space; every
// line stays one line in the browser, so that the page's budget counts what it shows.
std::string CellaRighe(const std::vector<std::string>& righe) {
  if (righe.empty()) return "&nbsp;";
  std::string html;
  for (size_t l = 0; l < righe.size(); ++l) {
    if (l > 0) html += "<BR>";
    // A value the calculation could not compute is marked as on the screen.
    if (righe[l] == TestoNonCalcolabile)
      html += "<SPAN style='color:#FF0000;'>" + EscapeHTMLNonSpezzato(righe[l]) + "</SPAN>";
    else
      html += righe[l].empty() ? "&nbsp;" : EscapeHTMLNonSpezzato(righe[l]);
  }
  return html;
}

void ScriviTabellaHTML(ReportTable tabella, int16_t net) {
  const int16_t view = GetReportView(tabella);
  // A view no report file can lay out is the files' error, as it has always been.
  static_cast<void>(LayoutVista(view));
  const std::vector<int16_t> righe = GetReportRows(tabella);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  const TestiTabella testi = LeggiTestiTabella(view, righe, totale);

  // The printed report's decision over the body's width, from the HTML's own type down.
  MisuraHTML misura;
  const ImpaginazioneTabella impaginazione = ImpaginaTabella(
      misura, view, testi, totale, kMargineValore, LarghezzaCorpoFile, TipoCelleHTML / MillimetriPunto);
  const double scala = impaginazione.corpo * MillimetriPunto / TipoCelleHTML;
  const double tipo = TipoCelleHTML * scala;  // the cells' type and line height, mm
  const double rigaIntestazione = RigaIntestazioneHTML * scala;
  misura.SetFontSize(impaginazione.corpo);
  const double spazio = misura.TextWidth(" ");
  const double margine = misura.TextWidth(kMargineValore);

  // Headings broken between their words, the unit under the title; references broken between
  // their words, a word split only when alone it is wider than its column.
  std::vector<BandaHTML> bande;
  for (const BandaTabella& b : impaginazione.bande) {
    BandaHTML banda;
    misura.SetFontBold(true);
    for (size_t i = 0; i < b.colonne.size(); ++i) {
      const CaptionColonna& caption = testi.caption[static_cast<size_t>(b.colonne[i])];
      std::vector<std::string> linee = RigheInColonna(misura, caption.Titolo, b.w[i] - spazio);
      if (linee.empty()) linee.emplace_back();
      const std::vector<std::string> unita = RigheInColonna(misura, caption.Unita, b.w[i] - spazio);
      linee.insert(linee.end(), unita.begin(), unita.end());
      banda.righeIntestazione = std::max(banda.righeIntestazione, linee.size());
      banda.intestazione.push_back(std::move(linee));
    }
    misura.SetFontBold(false);
    for (const std::vector<std::string>& riga : testi.celle) {
      std::vector<std::vector<std::string>> celle;
      size_t altezza = 1;
      for (size_t i = 0; i < b.colonne.size(); ++i) {
        const int16_t c = b.colonne[i];
        const std::string& testo = riga[static_cast<size_t>(c)];
        if (ColonnaTestoLibero(view, c))
          celle.push_back(RigheRiferimento(misura, testo, b.w[i] - margine - spazio));
        else
          celle.push_back(testo.empty() ? std::vector<std::string>{} : std::vector<std::string>{testo});
        altezza = std::max(altezza, celle.back().size());
      }
      banda.righe.push_back(std::move(celle));
      banda.altezze.push_back(altezza);
    }
    bande.push_back(std::move(banda));
  }

  const bool breve = righe.size() <= RigheTabellaBreve;
  const double altezzaTotale = totale ? 4 + 3.15 + (totale->Avviso.empty() ? 0 : 4) : 0;
  // A band's heading and its first rows (all of them for a short table).
  auto altezzaBanda = [&](const BandaHTML& b, size_t prime) {
    double mm = rigaIntestazione * static_cast<double>(b.righeIntestazione);
    for (size_t r = 0; r < std::min(prime, b.altezze.size()); ++r) mm += tipo * static_cast<double>(b.altezze[r]);
    return mm;
  };
  const size_t righeTenute = breve ? righe.size() : 2;
  // The title keeps the header and the first rows under it; a short table goes whole, every band
  // and its totals, to the next page rather than being split.
  {
    double tenuto = TitoloTabellaHTML + altezzaBanda(bande[0], righeTenute);
    if (breve) {
      tenuto += altezzaTotale;
      for (size_t nb = 1; nb < bande.size(); ++nb) tenuto += TitoloTabellaHTML + altezzaBanda(bande[nb], righeTenute);
    }
    if (SpazioPaginaHTML < tenuto && tenuto < AltezzaCorpoHTML) Spesa(SpazioPaginaHTML);
  }

  auto stile = [&](double larghezza, double corpo, double riga) {
    return Millimetri(larghezza) + "mm; font-size:" + Millimetri(corpo, true) + "mm; line-height:" + Millimetri(riga, true) +
           "mm;'>";
  };
  const int16_t ultimoTronco = UltimoTronco(net);
  for (size_t nb = 0; nb < bande.size(); ++nb) {
    const BandaTabella& b = impaginazione.bande[nb];
    const BandaHTML& banda = bande[nb];
    const size_t ultimaColonna = b.colonne.size() - 1;
    // A further band keeps its title with its heading and first rows.
    if (nb > 0) {
      const double tenuto = TitoloTabellaHTML + altezzaBanda(banda, righeTenute);
      if (SpazioPaginaHTML < tenuto && tenuto < AltezzaCorpoHTML) Spesa(SpazioPaginaHTML);
    }
    ScriviRigaHTML(kRigaSpaziatura);
    Spesa(4);
    ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>" + EscapeHTML(GetReportTitle(tabella)) +
                   (nb > 0 ? " (continua)" : "") + "</SPAN></CENTER><BR>");
    Spesa(4.2);
    ScriviRigaHTML(kRigaSpaziatura);
    Spesa(4);
    const double altezzaIntestazione = rigaIntestazione * static_cast<double>(banda.righeIntestazione);
    // The header row never starts at the foot of a page: the title stays behind, the table moves on.
    if (SpazioPaginaHTML - altezzaIntestazione <= 0) Spesa(altezzaIntestazione);

    // The header row; a band that goes on to a further page repeats it there. Its lines are laid
    // out here: a browser breaking one of them again would show a line the page's budget does not
    // count.
    auto intestazione = [&]() {
      ScriviRigaHTML("<TR>");
      for (size_t i = 0; i <= ultimaColonna; ++i) {
        const std::vector<std::string>& linee = banda.intestazione[i];
        const char* classe =
            i == ultimaColonna ? "<TD class='titlecolumlast' style='width:" : "<TD class='titlecolums' style='width:";
        ScriviRigaHTML(classe + stile(b.w[i], tipo, rigaIntestazione) +
                       (linee[0].empty() ? "&nbsp;" : EscapeHTMLNonSpezzato(linee[0])) + "<BR>");
        for (size_t r = 1; r < linee.size(); ++r)
          ScriviRigaHTML(EscapeHTMLNonSpezzato(linee[r]) + (r + 1 < linee.size() ? "<BR>" : "</TD>"));
        if (linee.size() == 1) ScriviRigaHTML("</TD>");
      }
      ScriviRigaHTML("</TR>");
      Spesa(altezzaIntestazione, kTagTabella);
    };
    ScriviRigaHTML(kTagTabella);
    intestazione();

    const bool ultimaBanda = nb + 1 == bande.size();
    for (size_t i = 0; i < righe.size(); ++i) {
      const int16_t seg = righe[i];
      const double altezza = tipo * static_cast<double>(banda.altezze[i]);
      // The last row keeps the totals line under it on its page. It never goes alone to the next
      // page: the page's budget is kept short of the real page by more than a row and its totals
      // (a browser's 248 mm of body against a budget of AltezzaCorpoHTML), and the last row may
      // take from that rather than leave a page with room to spare.
      const bool ultima = i + 1 == righe.size();
      const double dopo = ultima && ultimaBanda ? altezzaTotale : 0;
      const double margineUltima = ultima && i > 0 ? tipo + dopo : 0;
      if (i > 0 && SpazioPaginaHTML + margineUltima - dopo - (altezza - tipo) <= 0) {
        SpazioPaginaHTML = 0;
        CheckPageBreakHTML(kTagTabella);
        intestazione();
      }
      const bool ultimaRiga = seg == ultimoTronco;
      ScriviRigaHTML("<TR>");
      for (size_t k = 0; k <= ultimaColonna; ++k) {
        const char* classe = ultimaRiga ? (k == ultimaColonna ? "<TD class='lastdatacolumlast' style='width:"
                                                              : "<TD class='lastdatacolums' style='width:")
                                        : (k == ultimaColonna ? "<TD class='datacolumlast' style='width:"
                                                              : "<TD class='datacolums' style='width:");
        ScriviRigaHTML(classe + stile(b.w[k], tipo, tipo) + CellaRighe(banda.righe[i][k]) + "</TD>");
      }
      ScriviRigaHTML("</TR>");
      SpazioPaginaHTML -= altezza;
    }
    ScriviRigaHTML("</TABLE><BR>");
  }

  const std::string nota = GetReportLimitNote(tabella, righe);
  if (totale) {
    ScriviRigaHTML(kRigaSpaziatura);
    Spesa(4);
    const std::string etichetta = tabella == ReportTable::WorstPathTable
                                      ? "<SPAN class='sectionwords'>TOTALE PERDITA DI PRESSIONE:&nbsp;&nbsp;&nbsp;&nbsp;"
                                      : "<SPAN class='sectionwords'>TOTALE PORTATA GAS:&nbsp;&nbsp;&nbsp;&nbsp;";
    ScriviRigaHTML(etichetta + EscapeHTML(testi.totale) + "</SPAN><BR>");
    Spesa(3.15);
    if (!totale->Avviso.empty()) {
      ScriviRigaHTML("<SPAN class='sectiontitlewords'>" + EscapeHTML(totale->Avviso) + "</SPAN><BR>");
      Spesa(4);
    }
  }
  if (const std::string rete = GetReportNetworkNote(tabella, righe); !rete.empty()) {
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(rete) + "</SPAN><BR>");
    // A sentence of about two lines on the narrowest page.
    Spesa(8);
  }
  if (!nota.empty()) {
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(nota) + "</SPAN><BR>");
    Spesa(4);
  }
}

}  // namespace

void PrintTronchiHTML(int16_t& net) {
  if (ReteInPressione) {
    PrintTronchiReteHTML(net);
    return;
  }
  ScriviTabellaHTML(ReportTable::SegmentTable, net);
}

void PrintTronchiReteHTML(int16_t& net) { ScriviTabellaHTML(ReportTable::SegmentTable, net); }

void PrintPDCLocalizzateHTML(int16_t& net) {
  if (ReteInPressione) {
    PrintPDCLocalizzateReteHTML(net);
    return;
  }
  CalcolaRete();
  ScriviTabellaHTML(ReportTable::LocalLossTable, net);
}

void PrintPDCLocalizzateReteHTML(int16_t& net) {
  CalcolaRete();
  ScriviTabellaHTML(ReportTable::LocalLossTable, net);
  ScriviTabellaHTML(ReportTable::EquivalentLengthTable, net);
}

void PrintPercorsoSfavoritoHTML(int16_t& net) {
  if (ReteInPressione) {
    PrintPercorsoSfavoritoReteHTML(net);
    return;
  }
  ScriviTabellaHTML(ReportTable::WorstPathTable, net);
}

void PrintPercorsoSfavoritoReteHTML(int16_t& net) { ScriviTabellaHTML(ReportTable::WorstPathTable, net); }

void PrintRiepilogoUtenzeHTML(int16_t& net) {
  if (ReteInPressione) {
    PrintRiepilogoUtenzeReteHTML(net);
    return;
  }
  ScriviTabellaHTML(ReportTable::ApplianceTable, net);
}

void PrintRiepilogoUtenzeReteHTML(int16_t& net) { ScriviTabellaHTML(ReportTable::ApplianceTable, net); }

}  // namespace varnex
