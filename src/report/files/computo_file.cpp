// The bill of quantities in the report files: per used pipe series its name, description, weight
// (steel) and the metres of each diameter; then the total weight of the steel pipe.
#include <algorithm>
#include <string>

#include "model/strings.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/computo_report.h"

namespace varnex {

namespace {

const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";
// A column of 14 mm holds 7 characters of a diameter label.
constexpr long kCaratteriDiametro = 7;
// The table's style width: 170 / 14 columns plus 25.
constexpr int kLarghezzaTabella = 37;

void Spesa(double mm) {
  SpazioPaginaHTML -= mm;
  CheckPageBreakHTML();
}

void Spaziatura() {
  ScriviRigaHTML(kRigaSpaziatura);
  Spesa(4);
}

void VerificaRete(int16_t net) {
  if (net < 0 || net > 1) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
}

void TabellaDiametriHTML(const SerieComputo& serie) {
  // A table is never split: with 6 mm or less left it opens on the next page.
  if (SpazioPaginaHTML - 6 <= 0) Spesa(6);
  // More diameters than the page's 37 columns stay in one table, as wide as they need.
  const int larghezza = std::max<int>(kLarghezzaTabella, static_cast<int>(serie.Diametri.size()));
  ScriviRigaHTML("<TABLE align='left' cellspacing=0 style='width:" + std::to_string(larghezza) + "mm;'>");
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD class='rowtitlefirst'>DN</TD>");
  for (const DiametroComputo& d : serie.Diametri)
    ScriviRigaHTML("<TD class='allbordertitle'> " + EscapeHTML(Left(d.RifDiametro, kCaratteriDiametro)) + "</TD>");
  ScriviRigaHTML("</TR>");
  SpazioPaginaHTML -= 6;
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD class='rowtitle'>mt</TD>");
  for (const DiametroComputo& d : serie.Diametri) ScriviRigaHTML("<TD class='allborder'> " + d.Metri + "</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE><BR>");
  Spesa(6);
}

}  // namespace

void PrintComputoHTML(int16_t net) {
  VerificaRete(net);
  Spaziatura();
  ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>Computo Tubazioni</SPAN></CENTER><BR>");
  Spesa(4.2);
  Spaziatura();
  for (const SerieComputo& serie : GetSerieComputo()) {
    for (int i = 0; i < 3; ++i) Spaziatura();
    ScriviRigaHTML("<SPAN class='sectiontitlewords'>Tipo tubazione:</SPAN>&nbsp;&nbsp;&nbsp;&nbsp;");
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(serie.Nome) + "</SPAN><BR>");
    Spesa(3.15);
    Spaziatura();
    ScriviRigaHTML("<SPAN class='sectiontitlewords'>Descrizione:</SPAN><BR>");
    Spesa(3.15);
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(serie.Descrizione) + "</SPAN><BR>");
    Spesa(3.15);
    Spaziatura();
    if (serie.Acciaio) {
      ScriviRigaHTML("<SPAN class='sectionwords'>Peso totale:</SPAN>&nbsp;&nbsp;&nbsp;&nbsp;");
      ScriviRigaHTML("<SPAN class='sectionwords'>" + serie.PesoTesto + " Kg</SPAN><BR>");
      Spesa(3.15);
    }
    Spaziatura();
    TabellaDiametriHTML(serie);
    Spaziatura();
  }
  for (int i = 0; i < 3; ++i) Spaziatura();
  if (MostraPesoTotaleAcciaio()) {
    ScriviRigaHTML("<SPAN class='sectiontitlewords'>Peso totale tubazioni in acciaio:</SPAN>&nbsp;&nbsp;&nbsp;&nbsp;");
    ScriviRigaHTML("<SPAN class='sectionwords'>" + TestoPesoTotaleAcciaio() + " Kg</SPAN><BR>");
    Spesa(4);
  }
}

void PrintComputoTXT(int16_t net) {
  VerificaRete(net);
  WriteBlankLine();
  WriteTextLine("Computo Tubazioni");
  WriteBlankLine();
  for (const SerieComputo& serie : GetSerieComputo()) {
    WriteBlankLine();
    WriteTextLine("Tipo tubazione: " + serie.Nome);
    WriteBlankLine();
    WriteTextLine("Descrizione: " + serie.Descrizione);
    WriteBlankLine();
    if (serie.Acciaio) WriteTextLine("Peso totale: " + serie.PesoTesto + " Kg");
    WriteBlankLine();
    WriteTextLine("DN" + SeparatoreTXT + "mt");
    for (const DiametroComputo& d : serie.Diametri)
      WriteTextLine(Left(d.RifDiametro, kCaratteriDiametro) + SeparatoreTXT + d.Metri);
    WriteBlankLine();
  }
  WriteBlankLine();
  if (MostraPesoTotaleAcciaio()) WriteTextLine("Peso totale tubazioni in acciaio: " + TestoPesoTotaleAcciaio() + " Kg");
  WriteBlankLine();
  WriteBlankLine();
}

}  // namespace varnex
