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
  // Free texts break into lines of the body's width (two millimetres a character), so that even a
  // long word or a pasted line stays on the page; their own line breaks are kept.
  size_t colonna = 0;
  auto aCapo = [&colonna](const std::string& testo, bool fineRiga) {
    const double resto = static_cast<double>(LarghezzaRigaHTML) - static_cast<double>(colonna);
    const std::vector<std::string> righe = SpezzaTesto(testo, resto, LarghezzaRigaHTML, [](const std::string& s) {
      return static_cast<double>(Len(s));
    });
    std::string html;
    for (size_t r = 0; r < righe.size(); ++r) html += (r > 0 ? "<BR>" : "") + EscapeHTML(righe[r]);
    colonna = fineRiga ? 0 : (righe.size() == 1 ? colonna : 0) + Len(righe.back());
    return html;
  };
  for (size_t i = 0; i < pezzi.size(); ++i) {
    const PezzoTenuta& p = pezzi[i];
    if (p.Tipo != TipoPezzo::Testo) colonna = 0;
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
        WriteSectionWords(aCapo(p.Testo, p.FineRiga), p.FineRiga ? -1 : 0);
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
  // Free texts wrap at a line width a text viewer or a printed page shows whole.
  size_t colonna = 0;
  auto scrivi = [&colonna](const std::string& testo, bool fineRiga) {
    const double resto = static_cast<double>(LarghezzaRigaTXT) - static_cast<double>(colonna);
    const std::vector<std::string> righe = SpezzaTesto(testo, resto, LarghezzaRigaTXT, [](const std::string& s) {
      return static_cast<double>(Len(s));
    });
    for (size_t r = 0; r < righe.size(); ++r) {
      const bool ultima = r + 1 == righe.size();
      WriteText(righe[r], !ultima || fineRiga ? -1 : 0);
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
