#include "report/files/report_html.h"

#include "schema/etichette.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/calcolo.h"
#include "model/computo.h"
#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/rete.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "report/files/stampa_file.h"
#include "report/files/stampa_file_interno.h"
#include "report/files/tabelle_file.h"
#include "report/print/pagina.h"
#include "report/print/stampa_report.h"
#include "report/print/sezioni.h"
#include "model/tenuta.h"

namespace varnex {

int16_t NumeroFileHTML = 0;
int16_t PaginaHTML = 1;
double SpazioPaginaHTML = AltezzaCorpoHTML;

namespace {

TextWriter* fileHTML = nullptr;

const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";
const char* const kLineaOrizzontale = "<HR noshade color='black' width='100%' size='1'>";
// The diagram pictures on a page: as wide as the body at most (a wider picture would reach past
// the sheet, and a browser prints every page smaller to hold it), and together no taller than the
// room above the page's caption and footer.
constexpr double LarghezzaSchemaHTML = 170;
constexpr double MaxAltezzaSchemaHTML = 225;

struct RegolaStile {
  const char* selettore;
  std::vector<const char*> proprieta;
};

// The style sheet of the report; the property texts are the ones the report has always carried,
// but for the body's height, the break of an overlong word and the tables' fixed columns.
const std::vector<RegolaStile>& RegoleStile() {
  static const std::vector<RegolaStile> regole = {
    // No taller than the printable height of a sheet (below): a one-page report would print a
    // second, blank sheet.
    {"body", {"height: 289mm;", "width: 210mm;", "font-family:Arial;", "margin: 0;"}},  // 1
    {"Table", {"width: 100%;"}},  // 2
    {"td", {"font-size : 3.5mm;"}},  // 3
    {"div", {"width: 100%;"}},  // 4
    // A word longer than its line (a reference, a description, a firm's name without blanks)
    // breaks where the line ends: running past the page, it would make a browser print every page
    // smaller, type below what a client reads included.
    {".headerpage", {"margin-left: 15mm;", "margin-rigth: 15mm;", "margin-bottom: 10mm;", "width: 170mm;", "position: absolute;", "overflow-wrap: anywhere;"}},  // 5
    {".bodypage", {"margin-left: 15mm;", "margin-rigth: 15mm;", "width: 170mm;", "position: absolute;", "overflow-wrap: anywhere;"}},  // 6
    {".bigtitle", {"font-size : 8.4mm;", "align: center;"}},  // 7
    {".littletitle", {"font-size : 6.3mm;", "align: center;"}},  // 8
    {".fieldtitlebigspace", {"font-size : 3.5mm;", "font-weight: bold;"}},  // 9
    {".fieldvaluebigspace", {"font-size : 3.5mm;"}},  // 10
    {".fieldtitle", {"font-size : 3.5mm;", "font-weight: bold;"}},  // 11
    {".fieldvalue", {"font-size : 3.5mm;"}},  // 12
    {".footerpage", {"margin-left: 15mm;", "margin-rigth: 15mm;", "width: 170mm;", "position: absolute;"}},  // 13
    {".tabletitle", {"text-align: center;", "font-size: 4.2mm;", "font-weight: bold;"}},  // 14
    // The columns keep the widths the report gives them, whatever a browser would make of the
    // cells' contents, and a cell's borders and padding lie within its width: a table never runs
    // past the body, so a browser never prints the pages smaller to hold it. A row taller than a
    // line (a reference over several) has its values on its first line, as on paper.
    {".datatable", {"table-layout: fixed;", "line-height: 3mm;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "border-top-width: 1pt;", "border-top-style: solid;", "border-top-color: black;"}},  // 15
    {".datatablenoborder", {"line-height: 3mm;"}},  // 16
    {".titlecolums", {"font-size : 3.5mm;", "font-weight: bold;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "vertical-align: top;", "line-height: 4mm;", "box-sizing: border-box;"}},  // 17
    {".titlecolumlast", {"font-size : 3.5mm;", "font-weight: bold;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "vertical-align: top;", "line-height: 4mm;", "box-sizing: border-box;"}},  // 18
    {".datacolums", {"height: 3mm;", "line-height: 3.15mm;", "font-size : 3.15mm;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "text-align: center;", "box-sizing: border-box;", "vertical-align: top;"}},  // 19
    {".datacolumlast", {"height: 3mm;", "line-height: 3.15mm;", "font-size : 3.15mm;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "text-align: center;", "box-sizing: border-box;", "vertical-align: top;"}},  // 20
    {".lastdatacolums", {"font-size : 3.15mm;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "text-align: center;", "box-sizing: border-box;", "vertical-align: top;"}},  // 21
    {".lastdatacolumlast", {"font-size : 3.15mm;", "border-left-width: 1pt;", "border-left-style: solid;", "border-left-color: black;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "text-align: center;", "box-sizing: border-box;", "vertical-align: top;"}},  // 22
    {".lineverticalspacing", {"line-height: 3mm;"}},  // 23
    {".titlesection", {"font-size: 4.2mm;", "font-weight: bold;"}},  // 24
    // The bill's cells: a diameter ("1 1/4\"") or its metres never break inside.
    {".allbordertitle", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-top-width: 1pt;", "border-top-style: solid;", "border-top-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;", "white-space: nowrap;"}},  // 25
    {".allborder", {"font-size: 3.15mm;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;", "white-space: nowrap;"}},  // 26
    {".rowtitlefirst", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;", "white-space: nowrap;"}},  // 27
    {".rowtitle", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "text-align: center;", "line-height: 6mm;", "white-space: nowrap;"}},  // 28
    {".sectiontitlewords", {"font-size: 3.15mm;", "font-weight: bold;"}},  // 29
    {".sectionwords", {"font-size: 3.15mm;"}},  // 30
    // An A4 sheet whose printable height is the 289 mm of a page.
    {"@page", {"size: A4;", "margin: 4mm 0;"}},  // 31
    // Each page a block of its own, its header, body and footer placed within it: printed, every
    // page after the first starts a sheet of its own, so no page rides up onto the sheet before it
    // however many there are and whatever the printable height the browser gives.
    {".page", {"position: relative;", "width: 210mm;", "height: 289mm;"}},  // 32
    {".page + .page", {"page-break-before: always;", "break-before: page;"}},  // 33
    // Printed, a page block ends under its footer: a browser that leaves a smaller printable height
    // than 289 mm (wider margins, other paper) then prints no blank sheet after every page.
    {"@media print", {".page { height: 275mm; }"}},  // 34
  };
  return regole;
}

// Where the blocks of a page lie, from the top of its page block, in millimetres. The first page's
// header sits 1 mm lower, as it always has.
constexpr int TestaPagina = 0, TestaPrimaPagina = 1, CorpoPagina = 17, PiePagina = 265;

// Opens the block of a page and its header block.
void ApriPagina(bool prima) {
  ScriviRigaHTML("<DIV class='page'>");
  ScriviRigaHTML("<DIV class='headerpage' style='top:" + std::to_string(prima ? TestaPrimaPagina : TestaPagina) +
                 "mm'>");
}

// The logo's size in the header: its own, or shrunk with its proportions to the largest logo a
// page header takes; never enlarged. A fixed box would squeeze a logo of other proportions.
PixelImmagine PixelLogoHTML(PixelImmagine logo) {
  if (logo.larghezza <= 0 || logo.altezza <= 0) return {80, 40};  // size unknown: the header's old box
  const double scala = std::min({1.0, static_cast<double>(MaxLarghezzaLogoPixel) / logo.larghezza,
                                 static_cast<double>(MaxAltezzaLogoPixel) / logo.altezza});
  return {std::max<int32_t>(1, static_cast<int32_t>(std::lround(logo.larghezza * scala))),
          std::max<int32_t>(1, static_cast<int32_t>(std::lround(logo.altezza * scala)))};
}

// The header's type (the style sheet's cells) and what the header's cells keep free around their
// texts, in millimetres.
constexpr double TipoIntestazioneHTML = 3.5;
constexpr double MargineIntestazioneHTML = 6;

// Millimetres of a picture shown at its pixels (a browser's 96 to the inch).
double MillimetriPixel(int32_t pixel) { return pixel * 25.4 / 96; }

// The project title of the header, as on paper: the file title, or the end of the full path when
// it is long, printed whole where the header's line holds it beside the logo and the firm's lines;
// where it does not, its end behind "...", so that a cut title shows where it was cut. A long
// firm's text leaves the title a third of the line.
std::string TitoloProgetto() {
  std::string titolo = Trim(GetFileTitle(PercorsoProgetto));
  if (Len(titolo) > 40) titolo = "..." + Trim(Right(Trim(PercorsoProgetto), 40));
  MisuraHTML misura;
  misura.SetFontSize(TipoIntestazioneHTML / MillimetriPunto);
  const double logo = LogoReport ? MillimetriPixel(PixelLogoHTML(PixelLogoReport).larghezza) : 0;
  const double ditta = std::max(misura.TextWidth(DittaUtente()), misura.TextWidth(IndirizzoDitta()));
  const double riga = LarghezzaCorpoFile - MargineIntestazioneHTML;
  const double spazio = std::max(riga / 3, riga - logo - ditta);
  if (misura.TextWidth(titolo) <= spazio) return titolo;
  std::string coda = titolo;
  while (!coda.empty() && misura.TextWidth("..." + coda) > spazio) coda = Mid(coda, 2);
  return coda.empty() ? std::string() : "..." + coda;
}

// The header table and its rule (the lines between the header block's opening and its end).
// The diagram page's logo line has no blank before its closing ">".
void ContenutoIntestazione(bool spazioFinale) {
  ScriviRigaHTML("<TABLE align='CENTER'>");
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD ALIGN='Left'>");
  const PixelImmagine logo = PixelLogoHTML(PixelLogoReport);
  ScriviRigaHTML(LogoReport ? "<IMG src='logo.bmp' width='" + std::to_string(logo.larghezza) + "' height='" +
                                  std::to_string(logo.altezza) + (spazioFinale ? "' >" : "'>")
                            : std::string("&nbsp;"));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("<TD ALIGN='Left'>");
  ScriviRigaHTML(EscapeHTML(DittaUtente()) + "<BR>" + EscapeHTML(IndirizzoDitta()));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("<TD ALIGN='Right'>");
  ScriviRigaHTML(EscapeHTML(TitoloProgetto()));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE>");
  ScriviRigaHTML(kLineaOrizzontale);
  ScriviRigaHTML("</DIV>");
}

// The footer block of a page (after the line that closes the body block).
void BloccoPiePagina(int64_t pagina) {
  ScriviRigaHTML("<DIV class='footerpage' style='top:" + std::to_string(PiePagina) + "mm'>");
  ScriviRigaHTML(kLineaOrizzontale);
  ScriviRigaHTML("<TABLE WIDTH='100' Align='CENTER'>");
  ScriviRigaHTML("<TR>");
  ScriviRigaHTML("<TD ALIGN='Left'>");
  ScriviRigaHTML(EscapeHTML(DataStampa));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("<TD ALIGN='CENTER'>");
  ScriviRigaHTML(EscapeHTML(VersioneECodiceDitta()));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("<TD ALIGN='Right'>");
  ScriviRigaHTML("Pagina: " + std::to_string(pagina));
  ScriviRigaHTML("</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE>");
  ScriviRigaHTML("</DIV>");
  ScriviRigaHTML("</DIV>");  // the page
}

// Any section but the diagram ticked.
bool SezioniPagina() { return StampaCopertina != 0 || SezioneContenutoSelezionata(); }

}  // namespace

void ScriviRigaHTML(std::string_view riga) {
  if (!fileHTML) throw ErroreStampaFile(errore_file::AccessoFile);
  fileHTML->PrintLine(riga);
}

void PrintStyleSheetHTML() {
  ScriviRigaHTML("<HTML>");
  ScriviRigaHTML("<HEAD>");
  ScriviRigaHTML("<TITLE>");
  ScriviRigaHTML("File printed: " + EscapeHTML(EstraiNomeFile(PercorsoProgetto)));
  ScriviRigaHTML("</TITLE>");
  ScriviRigaHTML("<STYLE>");
  const auto& regole = RegoleStile();
  for (size_t i = 0; i < regole.size(); ++i) {
    const bool rientro = i < 22;  // the rules after these were added without indentation
    ScriviRigaHTML(regole[i].selettore);
    ScriviRigaHTML("{");
    for (const char* p : regole[i].proprieta) ScriviRigaHTML(std::string(rientro ? "  " : "") + p);
    ScriviRigaHTML("}");
    if (i != 21 && i + 1 != regole.size()) ScriviRigaHTML("");
  }
  ScriviRigaHTML("</STYLE>");
  ScriviRigaHTML("</HEAD>");
  ScriviRigaHTML("<BODY>");
}

void PrintHeaderHTML() {
  ApriPagina(PaginaHTML == 1);
  ContenutoIntestazione(true);
  ScriviRigaHTML("<DIV class='bodypage' style='top:" + std::to_string(CorpoPagina) + "mm'>");
}

void PrintFooterHTML() {
  ScriviRigaHTML("</DIV>");
  BloccoPiePagina(PaginaHTML);
}

void CloseHTMLDocument() {
  ScriviRigaHTML("</BODY>");
  ScriviRigaHTML("</HTML>");
}

void NextPage() {
  SpazioPaginaHTML = AltezzaCorpoHTML;
  PaginaHTML = PosizioneFile(static_cast<int64_t>(PaginaHTML) + 1);
}

void CheckPageBreakHTML(std::string_view tag) {
  FinestreStampaFile().DoEvents();
  if (SpazioPaginaHTML > 0) return;
  if (tag.empty()) {
    PrintFooterHTML();
    NextPage();
    PrintHeaderHTML();
    return;
  }
  std::string_view nome = tag.substr(tag.empty() || tag[0] != '<' ? 0 : 1);
  nome = nome.substr(0, nome.find(' '));
  ScriviRigaHTML("</" + std::string(nome) + "><BR>");
  PrintFooterHTML();
  NextPage();
  PrintHeaderHTML();
  ScriviRigaHTML(tag);
}

void WriteSpacingLines() {
  for (int i = 0; i < 3; ++i) {
    ScriviRigaHTML(kRigaSpaziatura);
    SpazioPaginaHTML -= 4;
    CheckPageBreakHTML();
  }
}

namespace {

// A piece of the diagram picture as the diagram pages show it: where it lies on the picture as
// printed, in millimetres, and the file that holds it.
struct PezzoFiguraHTML {
  double x = 0, y = 0, larghezza = 0, altezza = 0;
  std::string percorso;
  std::string nota;  // where the drawing goes on; "" for a picture of one piece
};

// How the diagram pages show the picture: its scale (1 = its own size, labels at 7 pt) and its
// pieces, each within the room of a page.
struct FiguraHTML {
  double scala = 1;
  std::vector<PezzoFiguraHTML> pezzi;
};

// The picture at its own size is as wide as the standard picture, 11000 twips, times its measure.
constexpr double LarghezzaFiguraStandardMm = 11000.0 / 1440 * 25.4;
constexpr double AltezzaFiguraStandardMm = 8000.0 / 1440 * 25.4;
// A piece's note line under it.
constexpr double AltezzaNotaFiguraHTML = 5;
// The picture's labels are 7 pt at its own size; shown smaller, never below 6 pt, the smallest type
// of the printed report's tables.
constexpr double ScalaMinimaFiguraHTML = 6.0 / 7.0;

// The picture as large as the page holds, up to its own size, but never so small that its labels
// print below 6 pt; a picture larger than a page at that scale is cut into pieces by the printed
// diagram's rule: the grid centred on the picture (no piece a thin leftover), neighbours sharing
// the same strip, more where a label would be cut by both, each piece a file of its own.
FiguraHTML DividiFiguraHTML(const MisuraSchema& misura, const std::string& reportPath) {
  const double larghezza = LarghezzaFiguraStandardMm * misura.larghezza;
  const double altezza = AltezzaFiguraStandardMm * misura.altezza;
  FiguraHTML figura;
  figura.scala = std::max(ScalaMinimaFiguraHTML,
                          std::min({1.0, LarghezzaSchemaHTML / larghezza, MaxAltezzaSchemaHTML / altezza}));
  const double l = larghezza * figura.scala, a = altezza * figura.scala;
  // A picture whose labels cannot all be told to their pipes says so under it.
  const double nota = misura.etichetteLontane ? AltezzaNotaFiguraHTML : 0;
  if (l <= LarghezzaSchemaHTML && a <= MaxAltezzaSchemaHTML - nota) {
    figura.pezzi.push_back({0, 0, l, a, interno::PercorsoBitmap(reportPath), NotaConAvviso({}, misura.etichetteLontane)});
    return figura;
  }
  const double areaA = MaxAltezzaSchemaHTML - AltezzaNotaFiguraHTML;
  constexpr double MmPerTwip = 25.4 / 1440;
  // The grid in millimetres of the picture as shown.
  std::vector<Riquadro> blocchi;
  blocchi.reserve(misura.blocchi.size());
  for (const Riquadro& b : misura.blocchi) blocchi.push_back({b.x1 * l, b.y1 * a, b.x2 * l, b.y2 * a});
  const GrigliaSchema griglia = GrigliaFogli({0, 0, l, a}, 1, LarghezzaSchemaHTML, areaA, blocchi,
                                             SovrapposizioneFogliSchema * MmPerTwip, 60 * MmPerTwip);
  const FogliSchema& fogli = griglia.fogli;
  for (int n = 0; n < fogli.Numero(); ++n) {
    const int riga = n / fogli.colonne, colonna = n % fogli.colonne;
    // Each sheet of the grid, cut to the picture: the grid overhangs it evenly at both ends.
    const double x = griglia.inizioX + colonna * griglia.passoL, y = griglia.inizioY + riga * griglia.passoA;
    PezzoFiguraHTML p;
    p.x = std::max(0.0, x);
    p.y = std::max(0.0, y);
    p.larghezza = std::min(l, x + LarghezzaSchemaHTML) - p.x;
    p.altezza = std::min(a, y + areaA) - p.y;
    p.percorso = interno::PercorsoParteBitmap(reportPath, n + 1);
    p.nota = NotaConAvviso(NotaFoglioSchema(fogli, n), misura.etichetteLontane);
    figura.pezzi.push_back(std::move(p));
  }
  return figura;
}

// Millimetres as the style sheet writes them: whole, or with one decimal.
std::string Millimetri(double mm) {
  const int64_t decimi = std::llround(mm * 10);
  return std::to_string(decimi / 10) + (decimi % 10 != 0 ? "." + std::to_string(decimi % 10) : "");
}

// One diagram page: the header, the pieces, the caption, the footer of page `numero`.
void PaginaDiagrammaHTML(const std::vector<const PezzoFiguraHTML*>& pezzi, bool ingrandibile, int64_t numero) {
  ApriPagina(numero == 1);
  ContenutoIntestazione(false);
  ScriviRigaHTML("<DIV class='bodypage' style='top:" + std::to_string(CorpoPagina) + "mm; width:170mm'>");
  for (const PezzoFiguraHTML* p : pezzi) {
    const std::string nome = EscapeAttributoHTML(EstraiNomeFile(p->percorso));
    const std::string immagine = "<IMG src='" + nome + "' align='middle' style='width:" +
                                 Millimetri(p->larghezza) + "mm'></IMG>";
    // A picture shown smaller than its own size opens at its size with a click.
    ScriviRigaHTML((ingrandibile ? "<A href='" + nome + "'>" + immagine + "</A>" : immagine) + "<BR>");
    if (!p->nota.empty()) ScriviRigaHTML("<SPAN class='sectionwords'>" + EscapeHTML(p->nota) + "</SPAN><BR>");
  }
  ScriviRigaHTML(kRigaSpaziatura);
  ScriviRigaHTML("<TABLE align='center'>");
  ScriviRigaHTML("<TR style='font-family:Arial; font-size:3.5mm;'>");
  ScriviRigaHTML("<TD style='text-align:left'>" + EscapeHTML(EstraiNomeFile(PercorsoProgetto)) +
                 " - Riferimento: " + EscapeHTML(Left(Riferimento, 70)) + "</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE>");
  ScriviRigaHTML("</DIV>");
  BloccoPiePagina(numero);
}

}  // namespace

void PrintDiagrammaReteHTML(const std::string& reportPath, std::vector<std::string>* figure) {
  FiguraHTML figura;
  interno::SalvaPartiSchemaReport([&](const MisuraSchema& misura) {
    figura = DividiFiguraHTML(misura, reportPath);
    const double l = figura.pezzi.back().x + figura.pezzi.back().larghezza;
    const double a = figura.pezzi.back().y + figura.pezzi.back().altezza;
    std::vector<ParteFiguraSchema> parti;
    for (const PezzoFiguraHTML& p : figura.pezzi)
      parti.push_back({p.percorso, p.x / l, p.y / a, p.larghezza / l, p.altezza / a});
    return parti;
  });
  if (figure)
    for (const PezzoFiguraHTML& p : figura.pezzi) figure->push_back(p.percorso);
  // The pieces go onto the diagram pages in their order, as many to a page as it holds.
  // Numbered after the report's own pages, when there are any.
  int64_t numero = SezioniPagina() ? PaginaHTML : 0;
  std::vector<const PezzoFiguraHTML*> pagina;
  double occupato = 0;
  for (const PezzoFiguraHTML& p : figura.pezzi) {
    const double altezza = p.altezza + (p.nota.empty() ? 0 : AltezzaNotaFiguraHTML);
    if (!pagina.empty() && occupato + altezza > MaxAltezzaSchemaHTML) {
      PaginaDiagrammaHTML(pagina, figura.scala < 1, ++numero);
      pagina.clear();
      occupato = 0;
    }
    pagina.push_back(&p);
    occupato += altezza;
  }
  PaginaDiagrammaHTML(pagina, figura.scala < 1, ++numero);
  PaginaHTML = PosizioneFile(numero);
}

void PrintHTMLReport(int16_t /*arg*/) {
  interno::UscitaReport uscita;
  uscita.tipoFile = 0;
  uscita.nome = "HTML";
  uscita.azzera = [] {
    PaginaHTML = 1;
    SpazioPaginaHTML = AltezzaCorpoHTML;
  };
  uscita.collega = [](TextWriter* file) {
    fileHTML = file;
    NumeroFileHTML = file ? 1 : 0;
  };
  uscita.scrivi = [](const std::string& percorso, interno::AvanzamentoRun& run) {
    PrintStyleSheetHTML();
    CalcolaReteSeServe();
    const bool pagine = SezioniPagina();
    if (pagine) PrintHeaderHTML();

    int16_t net = 1;
    auto prima = [&](SezioneReport s) {
      if (s != SezioneReport::Copertina) run.Barra();
      // The pages end before the diagram, which is a picture beside them.
      if (s == SezioneReport::DiagrammaRete && pagine) PrintFooterHTML();
    };
    auto scrivi = [&](SezioneReport s) {
      if (s != SezioneReport::Computo) run.Avvia(PassoSezione(s), s);
      switch (s) {
        case SezioneReport::Copertina:
          PrintCopertinaHTML();
          PrintFooterHTML();
          PaginaHTML = PosizioneFile(static_cast<int64_t>(PaginaHTML) + 1);
          SpazioPaginaHTML = AltezzaCorpoHTML;
          PrintHeaderHTML();
          break;
        case SezioneReport::Tronchi:
          PrintTronchiHTML(net);
          CheckPageBreakHTML();
          break;
        case SezioneReport::PDCLocalizzate:
          if (run.Sezioni() > 0) WriteSpacingLines();
          PrintPDCLocalizzateHTML(net);
          CheckPageBreakHTML();
          break;
        case SezioneReport::Verifica:
          if (run.Sezioni() > 0) WriteSpacingLines();
          PrintPercorsoSfavoritoHTML(net);
          CheckPageBreakHTML();
          break;
        case SezioneReport::Utenze:
          if (run.Sezioni() > 0) WriteSpacingLines();
          PrintRiepilogoUtenzeHTML(net);
          CheckPageBreakHTML();
          break;
        case SezioneReport::Computo:
          run.CalcolaComputo();
          if (run.Sezioni() > 0) WriteSpacingLines();
          PrintComputoHTML(0);
          break;
        case SezioneReport::TenutaImpianto:
          if (run.Sezioni() > 0) {
            PrintFooterHTML();
            NextPage();
            PrintHeaderHTML();
          }
          TenutaImpiantoRefresh();
          PrintTenutaImpiantoHTML();
          break;
        case SezioneReport::DiagrammaRete: {
          std::vector<std::string> figure;
          PrintDiagrammaReteHTML(percorso, &figure);
          run.Figure(std::move(figure));
          break;
        }
      }
      run.Scritta();
    };
    PercorriSezioni(prima, scrivi);
    CloseHTMLDocument();
  };
  interno::EseguiRunReport(uscita);
}

}  // namespace varnex
