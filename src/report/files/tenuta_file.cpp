// The tightness-test report in the report files: the pieces of the printed section, as spans and
// small borderless tables in the HTML file, as lines in the text file.
#include <string>
#include <vector>

#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "model/strings.h"
#include "report/files/stampa_file.h"
#include "report/print/pagina.h"
#include "report/print/tenuta_report.h"

namespace varnex {

namespace {

const char* const kTitoloCause = "CAUSA DELL'INTERVENTO";
constexpr int LarghezzaRigaHTML = 85;
// The section always opens a page of its own, and its lines are short and of known height: it
// fills the page's body (248 mm, from 17 mm down to the footer's rule at 265 mm) but for a few
// millimetres, instead of the report's budget of AltezzaCorpoHTML that the tables keep. Its
// heights on paper are turned into the budget's measure by this ratio.
constexpr double AltezzaUtileHTML = 240;
constexpr double Budget(double mm) { return mm * AltezzaCorpoHTML / AltezzaUtileHTML; }
// What a line of the section takes of the page: a browser gives a line of text, a row of the
// small tables, 3.5 to 3.7 mm; the signatures' table 5.3 mm; a title 4.8 mm.
constexpr double AltezzaRigaHTML = Budget(4);
constexpr double AltezzaFirmeHTML = Budget(6);
constexpr double AltezzaTitoloHTML = Budget(5);

// Whether a block of `mm` still fits on the page; on a page with nothing on it yet it always does,
// as it would fit on no other.
bool PostoPer(double mm) { return SpazioPaginaHTML - mm > 0 || SpazioPaginaHTML >= AltezzaCorpoHTML; }

// Ends the page between two blocks of the section, never inside one of its elements.
void NuovaPaginaHTML() {
  PrintFooterHTML();
  NextPage();
  PrintHeaderHTML();
}

// A block of `mm` starts here: on a new page when it no longer fits on this one.
void RiservaHTML(double mm) {
  if (!PostoPer(mm)) NuovaPaginaHTML();
  SpazioPaginaHTML -= mm;
}

// Lines that `testo` takes on the page from the start of a line.
size_t RigheHTML(const std::string& testo) {
  return std::max<size_t>(1, SpezzaTesto(testo, LarghezzaRigaHTML, LarghezzaRigaHTML, [](const std::string& s) {
                               return static_cast<double>(Len(s));
                             }).size());
}

// Lines that `testo` takes in a cell of the small tables `caratteri` characters wide: a browser
// wraps a cell between its words, the row as tall as its tallest cell.
size_t RigheCellaHTML(const std::string& testo, size_t caratteri) {
  const auto larghezza = static_cast<double>(caratteri);
  return std::max<size_t>(1, SpezzaTesto(testo, larghezza, larghezza, [](const std::string& s) {
                               return static_cast<double>(Len(s));
                             }).size());
}
// The widths of the cells, in characters of the body's line: a cause takes half of it, an
// appliance's label 45 % beside its count's 5 % (less the cells' own padding).
constexpr size_t CaratteriCausaHTML = LarghezzaRigaHTML / 2 - 2;
constexpr size_t CaratteriApparecchioHTML = LarghezzaRigaHTML * 45 / 100 - 2;

// The heights of the rows of the causes' table, two causes a row.
double AltezzaCauseHTML(const std::vector<PezzoTenuta>& pezzi, size_t primo) {
  double mm = 0;
  for (size_t k = primo; k < pezzi.size() && pezzi[k].Tipo == TipoPezzo::Causa; k += 2) {
    size_t alta = RigheCellaHTML(pezzi[k].Testo, CaratteriCausaHTML);
    if (k + 1 < pezzi.size() && pezzi[k + 1].Tipo == TipoPezzo::Causa)
      alta = std::max(alta, RigheCellaHTML(pezzi[k + 1].Testo, CaratteriCausaHTML));
    mm += AltezzaRigaHTML * static_cast<double>(alta);
  }
  return mm;
}

// The heights of the rows of the appliances' table, from piece `primo`.
double AltezzaApparecchiHTML(const std::vector<PezzoTenuta>& pezzi, size_t primo) {
  double mm = 0;
  size_t alta = 0;
  for (size_t k = primo; k < pezzi.size() && pezzi[k].Tipo == TipoPezzo::Apparecchio; ++k) {
    const PezzoTenuta& a = pezzi[k];
    if (a.InizioRiga) alta = 0;
    alta = std::max(alta, RigheCellaHTML(a.Etichetta + a.Suffisso, CaratteriApparecchioHTML));
    if (a.FineRiga) mm += AltezzaRigaHTML * static_cast<double>(alta);
  }
  return mm;
}

// Whether piece `i` is the heading of a block: a bold text on a line of its own.
bool IsIntestazione(const std::vector<PezzoTenuta>& pezzi, size_t i) {
  const PezzoTenuta& p = pezzi[i];
  const bool aInizioRiga = i == 0 || pezzi[i - 1].FineRiga;
  return p.Tipo == TipoPezzo::Testo && p.Grassetto && p.FineRiga && aInizioRiga && p.Testo != kTitoloCause;
}

// The height of the block that heading `i` opens, as the printed report counts it: everything down
// to the next heading that follows some content, wrapped lines and table rows measured as they
// wrap. The firm's block thus holds the signatures, which never go to a page of their own.
double AltezzaBloccoHTML(const std::vector<PezzoTenuta>& pezzi, size_t i) {
  double mm = 0;
  std::string riga;
  bool contenuto = false;
  for (size_t k = i; k < pezzi.size(); ++k) {
    const PezzoTenuta& p = pezzi[k];
    const bool titolo = IsIntestazione(pezzi, k) || (p.Tipo == TipoPezzo::Testo && p.Testo == kTitoloCause);
    if (k > i && titolo && contenuto) break;
    if (k > i && !titolo && p.Tipo != TipoPezzo::RigaVuota && !Trim(p.Testo).empty()) contenuto = true;
    switch (p.Tipo) {
      case TipoPezzo::RigaVuota:
        if (!p.SaltaHTML) mm += AltezzaRigaHTML;
        break;
      case TipoPezzo::Titolo:
        mm += AltezzaTitoloHTML;
        break;
      case TipoPezzo::Apparecchio:
        if (k == i || pezzi[k - 1].Tipo != TipoPezzo::Apparecchio) mm += AltezzaApparecchiHTML(pezzi, k);
        break;
      case TipoPezzo::Causa:
        if (k == i || pezzi[k - 1].Tipo != TipoPezzo::Causa) mm += AltezzaCauseHTML(pezzi, k);
        break;
      case TipoPezzo::Firma:
        if (p.InizioRiga) mm += AltezzaFirmeHTML;
        break;
      case TipoPezzo::Testo:
        riga += p.Testo;
        if (p.FineRiga) {
          mm += AltezzaRigaHTML * static_cast<double>(RigheHTML(riga));
          riga.clear();
        }
        break;
    }
  }
  if (!riga.empty()) mm += AltezzaRigaHTML * static_cast<double>(RigheHTML(riga));
  return mm;
}

}  // namespace

// ---- HTML writers ----------------------------------------------------------------------------

void WriteSpacingLine() {
  ScriviRigaHTML("<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>");
  SpazioPaginaHTML -= AltezzaRigaHTML;
  CheckPageBreakHTML();
}

void WriteTableTitle(const std::string& testo) {
  ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>" + testo + "</SPAN></CENTER>");
  SpazioPaginaHTML -= AltezzaTitoloHTML;
  CheckPageBreakHTML();
}

void OpenPlainTable() { ScriviRigaHTML("<TABLE align='CENTER' cellspacing=0 class='datatablenoborder' border='0'>"); }
void ClosePlainTable() { ScriviRigaHTML("</TABLE>"); }
void OpenBold() { ScriviRigaHTML("<span style=\"font-weight: bold;\">"); }
void CloseBold() { ScriviRigaHTML("</span>"); }

void WriteSectionWords(const std::string& testo, int16_t aCapo) {
  ScriviRigaHTML("<span class=\"sectionwords\">" + testo + "</span>");
  if (aCapo != 0) ScriviRigaHTML("<br>");
}

void WriteRawLine(const std::string& testo) { ScriviRigaHTML(testo); }

std::string TwoColumnCell(int16_t& stato, const std::string& testo) {
  if (stato == 1) {
    stato = 2;
    return "<tr><td>" + testo + "</td>";
  }
  if (stato == 2) {
    stato = 1;
    return "<td>" + testo + "</td></tr>";
  }
  return "";
}

std::string ApplianceCountRow(int16_t conteggio, const std::string& etichetta, const std::string& suffisso) {
  return "<td>n° " + std::to_string(conteggio) + "</td><td>" + etichetta + (conteggio > 0 ? suffisso : "") + "</td>";
}

void PrintTenutaImpiantoHTML() {
  const std::vector<PezzoTenuta> pezzi = GetPezziTenuta();
  CheckPageBreakHTML();
  // Free texts break into lines of the body's width (two millimetres a character), so that even a
  // long word or a pasted line stays on the page; their own line breaks are kept. Every line takes
  // its room on the page, and a long text goes on over the next page, between two of its lines.
  size_t colonna = 0;
  auto scriviTesto = [&colonna](const std::string& testo, bool grassetto, bool fineRiga) {
    const double resto = static_cast<double>(LarghezzaRigaHTML) - static_cast<double>(colonna);
    const std::vector<std::string> righe = SpezzaTesto(testo, resto, LarghezzaRigaHTML, [](const std::string& s) {
      return static_cast<double>(Len(s));
    });
    if (grassetto) OpenBold();
    std::string html;
    for (size_t r = 0; r < righe.size(); ++r) {
      if (r > 0 || colonna == 0) {
        if (!PostoPer(AltezzaRigaHTML)) {
          WriteSectionWords(html, 0);
          if (grassetto) CloseBold();
          NuovaPaginaHTML();
          if (grassetto) OpenBold();
          html.clear();
        } else if (r > 0) {
          html += "<BR>";
        }
        SpazioPaginaHTML -= AltezzaRigaHTML;
      }
      html += Replace(EscapeHTML(righe[r]), SpazioUnito, "&nbsp;");
    }
    WriteSectionWords(html, fineRiga ? -1 : 0);
    if (grassetto) CloseBold();
    colonna = fineRiga ? 0 : (righe.size() == 1 ? colonna : 0) + Len(righe.back());
  };
  for (size_t i = 0; i < pezzi.size(); ++i) {
    const PezzoTenuta& p = pezzi[i];
    if (p.Tipo != TipoPezzo::Testo) colonna = 0;
    switch (p.Tipo) {
      case TipoPezzo::RigaVuota:
        if (!p.SaltaHTML) WriteSpacingLine();
        break;
      case TipoPezzo::Titolo:
        // A title stays with the first line under it.
        if (!PostoPer(AltezzaTitoloHTML + AltezzaRigaHTML)) NuovaPaginaHTML();
        OpenBold();
        WriteTableTitle(EscapeHTML(p.Testo));
        CloseBold();
        break;
      case TipoPezzo::Testo:
        // The causes follow their heading in a two-column table, present even without causes: the
        // heading and its table move to the next page together.
        if (p.Testo == kTitoloCause) {
          if (!PostoPer(AltezzaRigaHTML * 2 + AltezzaCauseHTML(pezzi, i + 1))) NuovaPaginaHTML();
        }
        // A heading never ends a page alone: it goes over with its block (the verdict under
        // "RISULTATO DELLA VERIFICA"), and a block taller than a page keeps its first line.
        if (IsIntestazione(pezzi, i)) {
          const double blocco = AltezzaBloccoHTML(pezzi, i);
          if (!PostoPer(blocco < AltezzaCorpoHTML ? blocco : 2 * AltezzaRigaHTML)) NuovaPaginaHTML();
        }
        scriviTesto(p.Testo, p.Grassetto, p.FineRiga);
        if (p.Testo == kTitoloCause) {
          OpenPlainTable();
          WriteRawLine("<tr>");
          WriteRawLine("<td width=50%></td><td width=50%></td>");
          WriteRawLine("</tr>");
          int16_t stato = 1;
          const double altezzaCause = AltezzaCauseHTML(pezzi, i + 1);
          while (i + 1 < pezzi.size() && pezzi[i + 1].Tipo == TipoPezzo::Causa)
            WriteRawLine(TwoColumnCell(stato, EscapeHTML(pezzi[++i].Testo)));
          ClosePlainTable();
          SpazioPaginaHTML -= altezzaCause;
        }
        break;
      case TipoPezzo::Causa:
        break;
      case TipoPezzo::Apparecchio: {
        // The five counts: two rows of two, and the other appliances alone on the third; the table
        // is not split.
        RiservaHTML(AltezzaApparecchiHTML(pezzi, i));
        OpenPlainTable();
        WriteRawLine("<tr>");
        WriteRawLine("<td width=5%></td><td width=45%></td>");
        WriteRawLine("<td width=5%></td><td width=45%></td>");
        WriteRawLine("</tr>");
        for (; i < pezzi.size() && pezzi[i].Tipo == TipoPezzo::Apparecchio; ++i) {
          const PezzoTenuta& a = pezzi[i];
          if (a.InizioRiga) WriteRawLine("<tr>");
          WriteRawLine(ApplianceCountRow(a.Conteggio, EscapeHTML(a.Etichetta), EscapeHTML(a.Suffisso)));
          if (a.FineRiga) {
            if (a.InizioRiga) WriteRawLine("<td></td>");
            WriteRawLine("</tr>");
          }
        }
        --i;
        ClosePlainTable();
        break;
      }
      case TipoPezzo::Firma:
        if (p.InizioRiga) {
          RiservaHTML(AltezzaFirmeHTML);
          WriteRawLine("<table><tr>");
        }
        WriteRawLine("<td width=50% align=center>");
        OpenBold();
        WriteSectionWords(EscapeHTML(p.Testo), 0);
        CloseBold();
        WriteRawLine("</td>");
        if (p.ColonnaDestra) WriteRawLine("</tr></table>");
        break;
    }
  }
}

// ---- Text ------------------------------------------------------------------------------------

void PrintTenutaImpiantoTXT() {
  // Free texts wrap at a line width a text viewer or a printed page shows whole.
  size_t colonna = 0;
  auto scrivi = [&colonna](const std::string& testo, bool fineRiga) {
    const double resto = static_cast<double>(LarghezzaRigaTXT) - static_cast<double>(colonna);
    const std::vector<std::string> righe = SpezzaTesto(testo, resto, LarghezzaRigaTXT, [](const std::string& s) {
      return static_cast<double>(Len(s));
    });
    for (size_t r = 0; r < righe.size(); ++r) {
      const bool ultima = r + 1 == righe.size();
      WriteText(SenzaSpaziUniti(righe[r]), !ultima || fineRiga ? -1 : 0);
      colonna = ultima && !fineRiga ? (r == 0 ? colonna : 0) + Len(righe[r]) : 0;
    }
  };
  for (const PezzoTenuta& p : GetPezziTenuta()) {
    switch (p.Tipo) {
      case TipoPezzo::RigaVuota:
        if (!p.SaltaTesto) WriteBlankLine();
        colonna = 0;
        break;
      case TipoPezzo::Titolo:
        WriteTextLine(p.Testo);
        colonna = 0;
        break;
      case TipoPezzo::Testo:
        scrivi(p.Testo, p.FineRiga);
        break;
      case TipoPezzo::Causa:
        scrivi(p.Testo, true);
        break;
      case TipoPezzo::Apparecchio:
        scrivi(ApplianceCountText(p.Conteggio, p.Etichetta, p.Suffisso), true);
        break;
      case TipoPezzo::Firma:
        WriteText(p.ColonnaDestra ? SeparatoreTXT + SeparatoreTXT + p.Testo : p.Testo, 0);
        colonna += Len(p.Testo);
        break;
    }
  }
}

}  // namespace varnex
