// The calculation tables in the HTML report: one bordered table per report table, every cell
// carrying its own width, continued under a reopened table tag when a page breaks inside it.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "editor/tabella.h"
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

// Empty cells keep their height and borders with a non-breaking space.
std::string Cella(const std::string& testo) {
  if (testo.empty()) return "&nbsp;";
  // A value the calculation could not compute is marked as on the screen.
  if (testo == TestoNonCalcolabile) return "<SPAN style='color:#FF0000;'>" + EscapeHTML(testo) + "</SPAN>";
  return EscapeHTML(testo);
}

// Millimetres for a style, two decimals with a point, rounded down: scaled widths never add up to
// more than the body.
std::string Millimetri(double mm) {
  char testo[32];
  const auto fine = std::to_chars(testo, testo + sizeof testo, std::floor(mm * 100) / 100, std::chars_format::fixed, 2);
  return std::string(testo, fine.ptr);
}

int16_t UltimoTronco(int16_t net) {
  if (net < 0 || net > 1) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  return BloccoReti[static_cast<size_t>(net)].NumTronchi;
}

void ScriviTabellaHTML(ReportTable tabella, int16_t net) {
  const int16_t view = GetReportView(tabella);
  LayoutColonneFile layout = LayoutVista(view);
  const int16_t ultima = layout.Ultima;
  const std::vector<int16_t> righe = GetReportRows(tabella);
  const std::optional<TotaleReport> totale = GetReportTotal(tabella, righe);
  AllargaPerContenuto(layout, view, righe, totale);

  std::vector<std::vector<std::string>> intestazioni;
  size_t righeIntestazione = 2;
  for (int16_t c = 0; c <= ultima; ++c) {
    intestazioni.push_back(RigheIntestazioneFile(view, c, layout.Limite[c]));
    righeIntestazione = std::max(righeIntestazione, intestazioni.back().size());
  }
  const double altezzaIntestazione = 4.0 * static_cast<double>(righeIntestazione);
  const double altezzaTotale = totale ? 4 + 3.15 + (totale->Avviso.empty() ? 0 : 4) : 0;
  // The title keeps the header and the first rows under it; a short table goes whole to the next
  // page rather than being split.
  {
    const double titolo = 4 + 4.2 + 4;
    const double righeTenute = righe.size() <= RigheTabellaBreve ? static_cast<double>(righe.size()) : 2;
    const double tenuto = titolo + altezzaIntestazione + 3.15 * righeTenute +
                          (righe.size() <= RigheTabellaBreve ? altezzaTotale : 0);
    if (SpazioPaginaHTML < tenuto && tenuto < AltezzaCorpoHTML) Spesa(SpazioPaginaHTML);
  }
  ScriviRigaHTML(kRigaSpaziatura);
  Spesa(4);
  ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>" + EscapeHTML(GetReportTitle(tabella)) + "</SPAN></CENTER><BR>");
  Spesa(4.2);
  ScriviRigaHTML(kRigaSpaziatura);
  Spesa(4);
  // The header row never starts at the foot of a page: the title stays behind, the table moves on.
  if (SpazioPaginaHTML - altezzaIntestazione <= 0) Spesa(altezzaIntestazione);

  // A table wider than the body (wide values, long headings) is drawn smaller, its type with its
  // columns, so that it stays within the page and every text still fits its column.
  int64_t somma = 0;
  for (int16_t c = 0; c <= ultima; ++c) somma += layout.Larghezza[static_cast<size_t>(c)];
  const double riduzione = somma > LarghezzaCorpoFile ? static_cast<double>(LarghezzaCorpoFile) / static_cast<double>(somma) : 1;
  auto stile = [&](int16_t c, double tipo, double riga) {
    if (riduzione == 1) return std::to_string(layout.Larghezza[static_cast<size_t>(c)]) + "mm;'>";
    return Millimetri(layout.Larghezza[static_cast<size_t>(c)] * riduzione) + "mm; font-size:" +
           Millimetri(tipo * riduzione) + "mm; line-height:" + Millimetri(riga * riduzione) + "mm;'>";
  };

  // The header row; a table that goes on to a further page repeats it there.
  auto intestazione = [&]() {
    ScriviRigaHTML("<TR>");
    for (int16_t c = 0; c <= ultima; ++c) {
      const std::vector<std::string>& righe = intestazioni[static_cast<size_t>(c)];
      const char* classe = c == ultima ? "<TD class='titlecolumlast' style='width:" : "<TD class='titlecolums' style='width:";
      ScriviRigaHTML(classe + stile(c, 3.5, 4) +
                     (righe[0].empty() ? "&nbsp;" : EscapeHTMLNonSpezzato(righe[0])) + "<BR>");
      for (size_t r = 1; r < righe.size(); ++r)
        // The heading's lines are laid out here: a browser breaking one of them again would show a
        // line the page's budget does not count.
        ScriviRigaHTML(EscapeHTMLNonSpezzato(righe[r]) + (r + 1 < righe.size() ? "<BR>" : "</TD>"));
    }
    ScriviRigaHTML("</TR>");
    Spesa(altezzaIntestazione, kTagTabella);
  };
  ScriviRigaHTML(kTagTabella);
  intestazione();

  const int16_t ultimoTronco = UltimoTronco(net);
  for (size_t i = 0; i < righe.size(); ++i) {
    const int16_t seg = righe[i];
    // The last row keeps the totals line under it on its page.
    const double serve = 3.15 + (i + 1 == righe.size() ? altezzaTotale : 0);
    if (i > 0 && SpazioPaginaHTML - (serve - 3.15) <= 0) {
      SpazioPaginaHTML = 0;
      CheckPageBreakHTML(kTagTabella);
      intestazione();
    }
    const bool ultimaRiga = seg == ultimoTronco;
    ScriviRigaHTML("<TR>");
    for (int16_t c = 0; c <= ultima; ++c) {
      const char* classe = ultimaRiga ? (c == ultima ? "<TD class='lastdatacolumlast' style='width:"
                                                     : "<TD class='lastdatacolums' style='width:")
                                      : (c == ultima ? "<TD class='datacolumlast' style='width:"
                                                     : "<TD class='datacolums' style='width:");
      ScriviRigaHTML(classe + stile(c, 3.15, 3.15) + Cella(GetCellText(view, c, seg, layout.Limite[c])) + "</TD>");
    }
    ScriviRigaHTML("</TR>");
    SpazioPaginaHTML -= 3.15;
  }
  ScriviRigaHTML("</TABLE><BR>");

  const std::string nota = GetReportLimitNote(tabella, righe);
  if (totale) {
    ScriviRigaHTML(kRigaSpaziatura);
    Spesa(4);
    const int16_t k = totale->Colonna;
    if (k < 0 || k >= MaxColonneFile) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
    const std::string etichetta = tabella == ReportTable::WorstPathTable
                                      ? "<SPAN class='sectionwords'>TOTALE PERDITA DI PRESSIONE:&nbsp;&nbsp;&nbsp;&nbsp;"
                                      : "<SPAN class='sectionwords'>TOTALE PORTATA GAS:&nbsp;&nbsp;&nbsp;&nbsp;";
    const std::string valore = layout.Limite[k] > 0 ? GetReportTotalText(*totale, view, layout.Limite[k]) : "";
    ScriviRigaHTML(etichetta + EscapeHTML(valore) + "</SPAN><BR>");
    Spesa(3.15);
    if (!totale->Avviso.empty()) {
      ScriviRigaHTML("<SPAN class='sectiontitlewords'>" + EscapeHTML(totale->Avviso) + "</SPAN><BR>");
      Spesa(4);
    }
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
