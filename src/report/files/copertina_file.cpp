// The cover in the report files: the fields of the printed cover, laid out as HTML spans on the
// body of page 1, or as labelled lines of the text file.
#include <algorithm>
#include <map>
#include <string>

#include "model/rete.h"
#include "model/strings.h"
#include "report/files/report_html.h"
#include "report/files/report_txt.h"
#include "report/files/stampa_file.h"
#include "report/print/copertina.h"
#include "report/print/pagina.h"

namespace varnex {

namespace {

using Campi = std::map<int16_t, CampoCopertina>;

Campi LeggiCampi(RendererReport renderer) {
  // The total flow of a pressurised network divides by the simultaneity of its first segment.
  if (ReteInPressione && Tronco(1).ID_CONTEMP == 0) throw ErroreStampaFile(errore_file::DivisionePerZero);
  Campi campi;
  for (CampoCopertina& c : GetCampiCopertina(renderer)) campi[c.Riga] = std::move(c);
  return campi;
}

const CampoCopertina& Campo(const Campi& campi, int16_t riga) {
  const auto it = campi.find(riga);
  if (it == campi.end()) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  return it->second;
}

// ---- HTML ------------------------------------------------------------------------------------

const char* const kRigaSpaziatura = "<SPAN class='lineverticalspacing'>&nbsp;</SPAN><BR>";

void Spaziatura(int n = 1) {
  for (int i = 0; i < n; ++i) ScriviRigaHTML(kRigaSpaziatura);
}

void FineRiga() { ScriviRigaHTML("<BR>"); }

void Intervallo(int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += "&nbsp;";
  ScriviRigaHTML(r);
}

void BloccoTitolo(const Campi& campi) {
  ScriviRigaHTML("<CENTER>");
  ScriviRigaHTML("<SPAN class='bigtitle'>" + Campo(campi, 1).EtichettaHTML + "</SPAN><BR>");
  ScriviRigaHTML("<SPAN class='littletitle'>Relazione di calcolo</SPAN>");
  ScriviRigaHTML("</CENTER>");
  ScriviRigaHTML("<BR>");
}

// A label never ends a line whose next one starts with its value: label and value are joined by a
// non-breaking space (the blank the line break between them used to give). A free text (reference,
// job) still wraps between its own words, but its label's words are held together.
std::string EtichettaNonSpezzata(const std::string& etichettaHTML) {
  std::string r;
  for (char x : etichettaHTML) {
    if (x == ' ')
      r += "&nbsp;";
    else
      r += x;
  }
  return r;
}

void CoppiaGrande(const Campi& campi, int16_t riga) {
  const CampoCopertina& c = Campo(campi, riga);
  ScriviRigaHTML("<SPAN class='fieldtitlebigspace'>" + EtichettaNonSpezzata(c.EtichettaHTML) + "</SPAN>&nbsp;" +
                 "<SPAN class='fieldvaluebigspace'>" + EscapeHTML(c.Valore) + "</SPAN>");
}

void Coppia(const Campi& campi, int16_t riga) {
  const CampoCopertina& c = Campo(campi, riga);
  std::string coda = "</SPAN>";
  switch (riga) {
    case 8: coda = ReteInPressione ? "&nbsp;kg/mc</SPAN>" : "&nbsp;kg/mc&nbsp;&nbsp;&nbsp;</SPAN>"; break;
    case 9: coda = "&nbsp;mm&#178;/s</SPAN>"; break;
    case 12:
    case 14: coda = "&nbsp;&nbsp;&nbsp;&nbsp;(" + EscapeHTMLNonSpezzato(c.ValoreParentesi) + ")</SPAN>"; break;
    case 15: coda = "&nbsp;&nbsp;(" + EscapeHTMLNonSpezzato(c.ValoreParentesi) + ")</SPAN>"; break;
    default: break;
  }
  // A value is never broken from its unit, nor from its label: a pair that does not hold on the
  // rest of the line goes whole onto the next.
  ScriviRigaHTML("<SPAN style='white-space:nowrap'><SPAN class='fieldtitle'>" + c.EtichettaHTML +
                 "</SPAN>&nbsp;<SPAN class='fieldvalue'>" + EscapeHTMLNonSpezzato(c.Valore) + coda + "</SPAN>");
}

// Title, reference, job and gas: the same on both covers.
void InizioCopertinaHTML(const Campi& campi) {
  BloccoTitolo(campi);
  Spaziatura(2);
  CoppiaGrande(campi, 3);
  FineRiga();
  Spaziatura(2);
  CoppiaGrande(campi, 4);
  FineRiga();
  Spaziatura(2);
  Coppia(campi, 5);
  FineRiga();
}

// ---- Text ------------------------------------------------------------------------------------

std::string Etichetta(const Campi& campi, int16_t riga) { return Campo(campi, riga).EtichettaTesto; }
std::string Valore(const Campi& campi, int16_t riga) { return Campo(campi, riga).Valore; }

void Vuote(int n) {
  for (int i = 0; i < n; ++i) WriteBlankLine();
}

// A free text after its label, wrapped at the file's line width (a separator counted as eight
// characters); the lines after the first go on under the value, after a separator.
void TestoLiberoTXT(const std::string& etichetta, const std::string& valore) {
  constexpr double Separatore = 8;
  const double primo = std::max(10.0, LarghezzaRigaTXT - static_cast<double>(Len(etichetta)) - Separatore);
  const std::vector<std::string> righe = SpezzaTesto(valore, primo, LarghezzaRigaTXT - Separatore,
                                                     [](const std::string& s) { return static_cast<double>(Len(s)); });
  for (size_t r = 0; r < righe.size(); ++r) WriteTextLine((r == 0 ? etichetta : "") + SeparatoreTXT + righe[r]);
}

// Title, reference, job and gas, as on both covers; the pressurised one leaves a blank line less
// under the title.
void InizioCopertinaTXT(const Campi& campi, int vuoteSottoTitolo) {
  const std::string& tab = SeparatoreTXT;
  WriteTextLine(Campo(campi, 1).EtichettaTesto);
  WriteTextLine("Relazione di calcolo");
  Vuote(vuoteSottoTitolo);
  TestoLiberoTXT(Etichetta(campi, 3), Valore(campi, 3));
  Vuote(2);
  TestoLiberoTXT(Etichetta(campi, 4), Valore(campi, 4));
  Vuote(2);
  WriteTextLine(Etichetta(campi, 5) + tab + Valore(campi, 5));
}

}  // namespace

void PrintCopertinaHTML() {
  if (ReteInPressione) {
    PrintCopertinaReteHTML();
    return;
  }
  const Campi campi = LeggiCampi(RendererReport::HTML);
  InizioCopertinaHTML(campi);
  Spaziatura();
  Coppia(campi, 6);
  Intervallo(23);
  Coppia(campi, 7);
  FineRiga();
  Spaziatura();
  Coppia(campi, 8);
  Intervallo(20);
  Coppia(campi, 9);
  FineRiga();
  Spaziatura();
  Coppia(campi, 10);
  Intervallo(12);
  Coppia(campi, 11);
  FineRiga();
  Spaziatura();
  Coppia(campi, 12);
  FineRiga();
  Spaziatura();
  Coppia(campi, 13);
  FineRiga();
}

void PrintCopertinaReteHTML() {
  const Campi campi = LeggiCampi(RendererReport::HTML);
  InizioCopertinaHTML(campi);
  Spaziatura();
  Coppia(campi, 6);
  Intervallo(16);
  Coppia(campi, 8);
  Intervallo(16);
  Coppia(campi, 9);
  FineRiga();
  Spaziatura();
  Coppia(campi, 14);
  FineRiga();
  Spaziatura();
  Coppia(campi, 15);
  Intervallo(3);
  Coppia(campi, 16);
  FineRiga();
  Spaziatura();
  for (int i = 0; i < 5; ++i) Intervallo(15);
  Intervallo(13);
  Coppia(campi, 17);
  FineRiga();
  Spaziatura();
  Coppia(campi, 18);
  Intervallo(16);
  Coppia(campi, 19);
  Spaziatura();
}

void PrintCopertinaTXT() {
  if (ReteInPressione) {
    PrintCopertinaReteTXT();
    return;
  }
  const Campi campi = LeggiCampi(RendererReport::Testo);
  InizioCopertinaTXT(campi, 3);
  const std::string& tab = SeparatoreTXT;
  Vuote(1);
  WriteTextLine(Etichetta(campi, 6) + tab + Valore(campi, 6) + tab + Etichetta(campi, 7) + Valore(campi, 7));
  Vuote(1);
  WriteTextLine(Etichetta(campi, 8) + tab + Valore(campi, 8) + " kg/mc " + Etichetta(campi, 9) + tab +
                Valore(campi, 9) + " mmq/s");
  Vuote(1);
  WriteTextLine(Etichetta(campi, 10) + tab + Valore(campi, 10) + " " + Etichetta(campi, 11) + tab + Valore(campi, 11));
  Vuote(1);
  WriteTextLine(Etichetta(campi, 12) + tab + Valore(campi, 12) + " (" + Campo(campi, 12).ValoreParentesi + ")");
  Vuote(1);
  WriteTextLine(Etichetta(campi, 13) + tab + Valore(campi, 13));
}

void PrintCopertinaReteTXT() {
  const Campi campi = LeggiCampi(RendererReport::Testo);
  InizioCopertinaTXT(campi, 2);
  const std::string& tab = SeparatoreTXT;
  Vuote(1);
  WriteTextLine(Etichetta(campi, 6) + tab + Valore(campi, 6) + tab + Etichetta(campi, 8) + tab + Valore(campi, 8) +
                "kg/mc" + tab + Etichetta(campi, 9) + tab + Valore(campi, 9) + " mmq/s");
  Vuote(1);
  WriteTextLine(Etichetta(campi, 14) + tab + Valore(campi, 14) + " (" + Campo(campi, 14).ValoreParentesi + ")");
  Vuote(1);
  WriteTextLine(Etichetta(campi, 15) + tab + Valore(campi, 15) + "(" + Campo(campi, 15).ValoreParentesi + ")" + tab +
                Etichetta(campi, 16) + tab + Valore(campi, 16));
  Vuote(1);
  WriteTextLine(Etichetta(campi, 17) + tab + Valore(campi, 17));
  Vuote(1);
  WriteTextLine(Etichetta(campi, 18) + tab + Valore(campi, 18) + tab + Etichetta(campi, 19) + tab + Valore(campi, 19));
  Vuote(1);
}

}  // namespace varnex
