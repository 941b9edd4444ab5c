#include "report/files/report_html.h"

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
#include "report/print/pagina.h"
#include "report/print/sezioni.h"
#include "tightness/tenuta.h"

namespace varnex {

int16_t NumeroFileHTML = 0;
int16_t PaginaHTML = 1;
double SpazioPaginaHTML = AltezzaCorpoHTML;

namespace {

TextWriter* fileHTML = nullptr;

const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";
const char* const kLineaOrizzontale = "<HR noshade color='black' width='100%' size='1'>";
// The standard diagram picture on the page (its proportions are 11 to 8), as wide as the body, and
// the tallest picture the diagram page holds above its caption and footer. A wider picture would
// reach past the sheet, and a browser prints every page smaller to hold it.
constexpr double LarghezzaSchemaHTML = 170;
constexpr double AltezzaSchemaHTML = LarghezzaSchemaHTML * 8 / 11;
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
    {".allbordertitle", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-top-width: 1pt;", "border-top-style: solid;", "border-top-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;"}},  // 25
    {".allborder", {"font-size: 3.15mm;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;"}},  // 26
    {".rowtitlefirst", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "border-bottom-width: 1pt;", "border-bottom-style: solid;", "border-bottom-color: black;", "text-align: center;", "line-height: 6mm;"}},  // 27
    {".rowtitle", {"font-size: 3.15mm;", "font-weight: bold;", "border-right-width: 1pt;", "border-right-style: solid;", "border-right-color: black;", "text-align: center;", "line-height: 6mm;"}},  // 28
    {".sectiontitlewords", {"font-size: 3.15mm;", "font-weight: bold;"}},  // 29
    {".sectionwords", {"font-size: 3.15mm;"}},  // 30
    // The pages are placed 289 mm apart: printed, each must be one A4 sheet whose printable height
    // is just that, or every footer and header after the first drifts onto the wrong sheet.
    {"@page", {"size: A4;", "margin: 4mm 0;"}},  // 31
  };
  return regole;
}

// Vertical position of a block on the page column: page n starts (n - 1) x 289 mm below the first.
int16_t Posizione(int64_t pagina, int64_t scarto) { return PosizioneFile((pagina - 1) * 289 + scarto); }

// The project title of the header: the file title, or the end of the full path when it is long,
// behind "..." as on paper, so that a cut title shows where it was cut.
std::string TitoloProgetto() {
  const std::string titolo = Trim(GetFileTitle(PercorsoProgetto));
  if (Len(titolo) > 28) return "..." + Trim(Right(Trim(PercorsoProgetto), 28));
  return titolo;
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
  ScriviRigaHTML("<DIV class='footerpage' style='top:" + std::to_string(Posizione(pagina, 265)) + "mm'>");
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
    const bool rientro = i < 22;  // the last eight rules were added without indentation
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
  const int16_t alto = PaginaHTML == 1 ? 1 : Posizione(PaginaHTML, 0);
  ScriviRigaHTML("<DIV class='headerpage' style='top:" + std::to_string(alto) + "mm'>");
  ContenutoIntestazione(true);
  ScriviRigaHTML("<DIV class='bodypage' style='top:" + std::to_string(Posizione(PaginaHTML, 17)) + "mm'>");
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

void PrintDiagrammaReteHTML(const std::string& reportPath) {
  const std::string bitmap = interno::PercorsoBitmap(reportPath);
  // The picture ends where its drawing ends, and the page shows it at the standard picture's
  // scale: a small network is a small picture, not a small drawing in a blank one as wide as the
  // body. A large network's picture is larger, its labels at their size: the page shows it whole
  // within its body (a picture wider than the page would shrink every page of a printed report),
  // and a click opens it at its own size.
  const MisuraSchema misura = interno::SalvaSchemaReport(bitmap);
  const double larghezza = LarghezzaSchemaHTML * misura.larghezza;
  const double altezza = AltezzaSchemaHTML * misura.altezza;
  const double scala = std::min({1.0, LarghezzaSchemaHTML / larghezza, MaxAltezzaSchemaHTML / altezza});
  const std::string nome = EscapeAttributoHTML(EstraiNomeFile(bitmap));
  int64_t g = PaginaHTML;
  if (!SezioniPagina()) g -= 1;
  const int16_t alto = g == 0 ? 1 : PosizioneFile(g * 289);
  ScriviRigaHTML("<DIV class='headerpage' style='top:" + std::to_string(alto) + "mm'>");
  ContenutoIntestazione(false);
  ScriviRigaHTML("<DIV class='bodypage' style='top:" + std::to_string(PosizioneFile(g * 289 + 17)) +
                 "mm; width:170mm'>");
  const std::string immagine = "<IMG src='" + nome + "' align='middle' style='width:" +
                               std::to_string(std::lround(larghezza * scala)) + "mm'></IMG>";
  ScriviRigaHTML((scala < 1 ? "<A href='" + nome + "'>" + immagine + "</A>" : immagine) + "<BR>");
  ScriviRigaHTML(kRigaSpaziatura);
  ScriviRigaHTML("<TABLE align='center'>");
  ScriviRigaHTML("<TR style='font-family:Arial; font-size:3.5mm;'>");
  ScriviRigaHTML("<TD style='text-align:left'>" + EscapeHTML(EstraiNomeFile(PercorsoProgetto)) +
                 " - Riferimento: " + EscapeHTML(Left(Riferimento, 70)) + "</TD>");
  ScriviRigaHTML("</TR>");
  ScriviRigaHTML("</TABLE>");
  ScriviRigaHTML("</DIV>");
  BloccoPiePagina(g + 1);
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
    if (StampaCopertina) {
      run.Avvia(2, SezioneReport::Copertina);
      PrintCopertinaHTML();
      PrintFooterHTML();
      PaginaHTML = PosizioneFile(static_cast<int64_t>(PaginaHTML) + 1);
      SpazioPaginaHTML = AltezzaCorpoHTML;
      PrintHeaderHTML();
      run.Scritta();
    }
    run.Barra();
    if (StampaTronchi) {
      run.Avvia(3, SezioneReport::Tronchi);
      PrintTronchiHTML(net);
      CheckPageBreakHTML();
      run.Scritta();
    }
    run.Barra();
    if (StampaPDCLocalizzate) {
      run.Avvia(4, SezioneReport::PDCLocalizzate);
      if (run.Sezioni() > 0) WriteSpacingLines();
      PrintPDCLocalizzateHTML(net);
      CheckPageBreakHTML();
      run.Scritta();
    }
    run.Barra();
    if (StampaVerifica) {
      run.Avvia(5, SezioneReport::Verifica);
      if (run.Sezioni() > 0) WriteSpacingLines();
      PrintPercorsoSfavoritoHTML(net);
      CheckPageBreakHTML();
      run.Scritta();
    }
    run.Barra();
    if (StampaUtenze) {
      run.Avvia(6, SezioneReport::Utenze);
      if (run.Sezioni() > 0) WriteSpacingLines();
      PrintRiepilogoUtenzeHTML(net);
      CheckPageBreakHTML();
      run.Scritta();
    }
    run.Barra();
    if (StampaComputo) {
      run.Passo(7);
      ResetComputo();
      run.Messaggio(TestoAvanzamento(SezioneReport::Computo));
      CalcolaComputo(1);
      run.Messaggio(TestoTabellaComputo);
      if (run.Sezioni() > 0) WriteSpacingLines();
      PrintComputoHTML(0);
      run.Scritta();
    }
    run.Barra();
    if (StampaTenutaImpianto) {
      run.Avvia(8, SezioneReport::TenutaImpianto);
      if (run.Sezioni() > 0) {
        PrintFooterHTML();
        NextPage();
        PrintHeaderHTML();
      }
      TenutaImpiantoRefresh();
      PrintTenutaImpiantoHTML();
      run.Scritta();
    }
    run.Barra();
    if (pagine) PrintFooterHTML();
    if (StampaDiagrammaRete) {
      run.Avvia(9, SezioneReport::DiagrammaRete);
      PrintDiagrammaReteHTML(percorso);
      run.Scritta();
      PaginaHTML = PosizioneFile(static_cast<int64_t>(PaginaHTML) + 1);
    }
    CloseHTMLDocument();
  };
  interno::EseguiRunReport(uscita);
}

}  // namespace varnex
