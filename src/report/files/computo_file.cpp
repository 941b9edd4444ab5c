// The bill of quantities in the report files: per used pipe series its name, description, weight
// (steel) and the metres of each diameter; then the total weight of the steel pipe.
#include <algorithm>
#include <cmath>
#include <string>

#include "model/strings.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/files/tabelle_file.h"
#include "report/print/pagina.h"
#include "report/print/computo_report.h"

namespace varnex {

namespace {

const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";
// A column of 14 mm holds 7 characters of a diameter label.
constexpr long kCaratteriDiametro = 7;
// The narrowest table: a single diameter beside its captions.
constexpr double kLarghezzaTabella = 37;
// The type of the series' texts and of the diameters' cells, and what a cell's padding and rules
// add to its text, in millimetres.
constexpr double TipoCelleComputoHTML = 3.15;
constexpr double BordiCellaComputoHTML = 1.5;

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

// One strip of the diameters' table, from `da` to before `a`, each column `colonna` mm wide. The
// table is as wide as its columns (a narrower one breaks "1 1/4"" and "18,0" inside), and it does
// not float: what follows it goes below it, never beside it.
void StrisciaDiametriHTML(const std::vector<DiametroComputo>& diametri, size_t da, size_t a, double colonna) {
  // A strip is never split: with 6 mm or less left it opens on the next page.
  if (SpazioPaginaHTML - 6 <= 0) Spesa(6);
  const double larghezza = std::max(kLarghezzaTabella, colonna * static_cast<double>(a - da + 1));
  ScriviRigaHTML("<TABLE cellspacing=0 style='width:" + Millimetri(larghezza, true) + "mm;'>");
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD class='rowtitlefirst'>DN</TD>");
  for (size_t i = da; i < a; ++i)
    ScriviRigaHTML("<TD class='allbordertitle'> " + EscapeHTML(Left(diametri[i].RifDiametro, kCaratteriDiametro)) + "</TD>");
  ScriviRigaHTML("</TR>");
  SpazioPaginaHTML -= 6;
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD class='rowtitle'>mt</TD>");
  for (size_t i = da; i < a; ++i) ScriviRigaHTML("<TD class='allborder'> " + diametri[i].Metri + "</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE><BR>");
  Spesa(6);
}

// The diameters of a series in strips of as many columns as the body holds, each led by its row
// captions, as on paper: a browser would print every page of a wider table smaller to hold it.
void TabellaDiametriHTML(const SerieComputo& serie) {
  MisuraHTML misura;
  misura.SetFontSize(TipoCelleComputoHTML / MillimetriPunto);
  double colonna = misura.TextWidth("XXXXXX");
  for (const DiametroComputo& d : serie.Diametri)
    colonna = std::max({colonna, misura.TextWidth(" " + Left(d.RifDiametro, kCaratteriDiametro)), misura.TextWidth(" " + d.Metri)});
  colonna += BordiCellaComputoHTML;
  const auto perStriscia = static_cast<size_t>(
      std::clamp(std::floor(static_cast<double>(LarghezzaCorpoFile) / colonna) - 1, 1.0, 40.0));
  for (size_t da = 0; da < serie.Diametri.size() || da == 0; da += perStriscia) {
    if (da > 0) Spaziatura();
    StrisciaDiametriHTML(serie.Diametri, da, std::min(serie.Diametri.size(), da + perStriscia), colonna);
    if (serie.Diametri.empty()) break;
  }
}

// The lines a free text takes in the body after a caption of `dopo` millimetres.
double RigheTesto(const std::string& testo, double dopo) {
  MisuraHTML misura;
  misura.SetFontSize(TipoCelleComputoHTML / MillimetriPunto);
  const auto larghezza = static_cast<double>(LarghezzaCorpoFile);
  return static_cast<double>(std::max<size_t>(
      1, SpezzaTesto(testo, larghezza - dopo, larghezza, [&](const std::string& t) { return misura.TextWidth(t); }).size()));
}

// What a series takes from its name down to its first strip of diameters: a block no page ends
// inside, so that a name or a description never stands alone at the foot of a page.
double AltezzaSerie(const SerieComputo& serie) {
  return 3.15 * RigheTesto(serie.Nome, 35) + 4 + 3.15 + 3.15 * RigheTesto(serie.Descrizione, 0) + 4 +
         (serie.Acciaio ? 3.15 : 0) + 4 + 12;
}

// A block of `mm` starts on the next page when it no longer fits on this one (and fits on a page).
void Riserva(double mm) {
  if (SpazioPaginaHTML < mm && mm < AltezzaCorpoHTML) Spesa(SpazioPaginaHTML);
}

}  // namespace

void PrintComputoHTML(int16_t net) {
  VerificaRete(net);
  const std::vector<SerieComputo> tutte = GetSerieComputo();
  // The title goes with the first series.
  Riserva(4 + 4.2 + 4 + 12 + (tutte.empty() ? 0 : AltezzaSerie(tutte.front())));
  Spaziatura();
  ScriviRigaHTML("<CENTER><SPAN class='tabletitle'>Computo Tubazioni</SPAN></CENTER><BR>");
  Spesa(4.2);
  Spaziatura();
  for (const SerieComputo& serie : tutte) {
    for (int i = 0; i < 3; ++i) Spaziatura();
    Riserva(AltezzaSerie(serie));
    ScriviRigaHTML("<SPAN class='sectiontitlewords'>Tipo tubazione:</SPAN>&nbsp;&nbsp;&nbsp;&nbsp;");
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(serie.Nome) + "</SPAN><BR>");
    // A long name or description goes on over further lines, each taking its room on the page.
    Spesa(3.15 * RigheTesto(serie.Nome, 35));
    Spaziatura();
    ScriviRigaHTML("<SPAN class='sectiontitlewords'>Descrizione:</SPAN><BR>");
    Spesa(3.15);
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(serie.Descrizione) + "</SPAN><BR>");
    Spesa(3.15 * RigheTesto(serie.Descrizione, 0));
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
  if (const std::string nota = NotaComputoIncompleto(); !nota.empty()) {
    ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(nota) + "</SPAN><BR>");
    Spesa(8);
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
  if (const std::string nota = NotaComputoIncompleto(); !nota.empty()) WriteTextLine(nota);
  WriteBlankLine();
  WriteBlankLine();
}

}  // namespace varnex
