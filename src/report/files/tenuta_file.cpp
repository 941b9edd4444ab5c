// The tightness-test report in the report files: the pieces of the printed section, as spans and
// small borderless tables in the HTML file, as lines in the text file.
#include <string>
#include <vector>

#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/tenuta_report.h"

namespace varnex {

namespace {

const char* const kTitoloCause = "CAUSA DELL'INTERVENTO";

}  // namespace

// ---- HTML writers ----------------------------------------------------------------------------

void WriteSpacingLine() {
  ScriviRigaHTML("<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>");
  SpazioPaginaHTML -= 4;
  CheckPageBreakHTML();
}

void WriteTableTitle(const std::string& testo) {
  ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>" + testo + "</SPAN></CENTER>");
  SpazioPaginaHTML -= 4.2;
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
  for (size_t i = 0; i < pezzi.size(); ++i) {
    const PezzoTenuta& p = pezzi[i];
    switch (p.Tipo) {
      case TipoPezzo::RigaVuota:
        if (!p.SaltaHTML) WriteSpacingLine();
        break;
      case TipoPezzo::Titolo:
        OpenBold();
        WriteTableTitle(EscapeHTML(p.Testo));
        CloseBold();
        break;
      case TipoPezzo::Testo:
        if (p.Grassetto) OpenBold();
        WriteSectionWords(EscapeHTML(p.Testo), p.FineRiga ? -1 : 0);
        if (p.Grassetto) CloseBold();
        // The causes follow their heading in a two-column table, present even without causes.
        if (p.Testo == kTitoloCause) {
          OpenPlainTable();
          WriteRawLine("<tr>");
          WriteRawLine("<td width=50%></td><td width=50%></td>");
          WriteRawLine("</tr>");
          int16_t stato = 1;
          while (i + 1 < pezzi.size() && pezzi[i + 1].Tipo == TipoPezzo::Causa)
            WriteRawLine(TwoColumnCell(stato, EscapeHTML(pezzi[++i].Testo)));
          ClosePlainTable();
        }
        break;
      case TipoPezzo::Causa:
        break;
      case TipoPezzo::Apparecchio: {
        // The five counts: two rows of two, and the other appliances alone on the third.
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
        if (p.InizioRiga) WriteRawLine("<table><tr>");
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
  for (const PezzoTenuta& p : GetPezziTenuta()) {
    switch (p.Tipo) {
      case TipoPezzo::RigaVuota:
        if (!p.SaltaTesto) WriteBlankLine();
        break;
      case TipoPezzo::Titolo:
        WriteTextLine(p.Testo);
        break;
      case TipoPezzo::Testo:
        WriteText(p.Testo, p.FineRiga ? -1 : 0);
        break;
      case TipoPezzo::Causa:
        WriteText(p.Testo, -1);
        break;
      case TipoPezzo::Apparecchio:
        WriteText(ApplianceCountText(p.Conteggio, p.Etichetta, p.Suffisso), -1);
        break;
      case TipoPezzo::Firma:
        WriteText(p.ColonnaDestra ? SeparatoreTXT + SeparatoreTXT + p.Testo : p.Testo, 0);
        break;
    }
  }
}

}  // namespace varnex
