#include "report/print/pagina.h"

#include <algorithm>
#include <cmath>

#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/percentuali.h"
#include "report/print/sezioni.h"
#include "shell/stato_interfaccia.h"

namespace varnex {

int32_t LarghezzaStampabile = 0;
int32_t AltezzaStampabile = 0;
int32_t InizioCorpoPagina = 800;
int32_t LimiteFondoPagina = 0;
std::string TagLogo;
std::string PercorsoLogo;

namespace {

IStampanteReport* stampanteReport = nullptr;

// The least frame that holds a header, a body line and a footer.
constexpr double MinimoCornice = 4000;
// What a printer may leave unprinted along the paper's edges, and room for the footer's text line.
constexpr double MargineCarta = 360;
constexpr double AltezzaRigaPiede = 300;

int32_t Lungo(double x) {
  auto v = ToInt32(x);
  if (!v) throw ErroreReport("valore fuori intervallo");
  return *v;
}

IStampanteReport& Printer() {
  if (stampanteReport == nullptr) throw ErroreReport("nessuna stampante");
  return *stampanteReport;
}

}  // namespace

void ImpostaStampanteReport(IStampanteReport* stampante) { stampanteReport = stampante; }
IStampanteReport* StampanteReport() { return stampanteReport; }

std::string DittaUtente() { return DittaRiga1; }
std::string IndirizzoDitta() { return DittaRiga2; }
std::string CodiceDitta() {
  std::string codice = Left(DittaAgente, 8);
  const size_t n = Len(codice);
  if (n < 8) codice.append(8 - n, ' ');
  return codice;
}

std::string VersioneECodiceDitta() {
  // No separator without the code it separates.
  return Trim(DittaAgente).empty() ? VersioneProgramma : VersioneProgramma + " - " + CodiceDitta();
}

void CaricaLogo() {
  const std::string percorso = FileProgramma("logo.bmp");
  if (!percorso.empty() && EsisteFile(percorso)) {
    PercorsoLogo = percorso;
    TagLogo = "OK";
  } else {
    PercorsoLogo.clear();
    TagLogo.clear();
  }
}

bool LogoAmmesso(int32_t larghezzaPixel, int32_t altezzaPixel) {
  return larghezzaPixel > 0 && altezzaPixel > 0 && larghezzaPixel <= MaxLarghezzaLogoPixel &&
         altezzaPixel <= MaxAltezzaLogoPixel;
}

namespace {

// The logo's own size in twips, read by the last SetupPage.
std::pair<int32_t, int32_t> dimensioniLogo{0, 0};
// Room kept between the logo and the header rule.
constexpr double SpazioSottoLogo = 40;

}  // namespace

RettangoloLogo AreaLogo(double larghezza, double altezza) {
  RettangoloLogo r;
  r.x = 0;
  r.y = -5;
  if (larghezza <= 0 || altezza <= 0) return r;
  const double maxL = LarghezzaBoxLogo;
  const double maxH = (InizioCorpoPagina - 200 - SpazioSottoLogo) - r.y;
  double scala = 1;
  if (larghezza * scala > maxL) scala = maxL / larghezza;
  if (altezza * scala > maxH) scala = maxH / altezza;
  r.larghezza = larghezza * scala;
  r.altezza = altezza * scala;
  return r;
}

int32_t AltezzaStampabileCarta(int32_t altezza, int16_t percentualeY, double alto, double basso) {
  alto = std::max(600.0, alto);
  basso = std::max(MargineCarta, basso);
  const double maxAltezza =
      std::max(static_cast<double>(altezza) - alto - basso - AltezzaRigaPiede + 2000 - 200, MinimoCornice);
  const double altezzaChiesta = static_cast<double>(static_cast<int64_t>(percentualeY) * (altezza - 100)) / 100.0;
  return Lungo(std::clamp(altezzaChiesta, MinimoCornice, maxAltezza));
}

std::string AvvisoCartaPiccola(const std::string& nome, int32_t altezza, int16_t percentualeY) {
  // The body as SetupPage leaves it: the frame less the header's 800 twips, the footer's 2000 and
  // the 400 the page checks keep free.
  const double corpo = AltezzaStampabileCarta(altezza, percentualeY) - 2000.0 - 400.0 - 800.0;
  if (corpo >= CorpoMinimoRegole) return {};
  return "Il formato \"" + Trim(nome) + "\" al " + std::to_string(percentualeY) +
         " % della pagina lascia al testo di ogni pagina circa " + std::to_string(std::lround(corpo / 200.0)) +
         " righe: la copertina, le tabelle brevi e i titoli con il testo che li segue non stanno interi su una "
         "pagina e saranno divisi tra più pagine. Per un report leggibile scegliere un formato più alto o una "
         "percentuale maggiore.";
}

void SetupPage() {
  IStampanteReport& p = Printer();
  const int32_t larghezza = p.Width();
  const int32_t altezza = p.Height();
  // The proportions widen or shrink the frame only as far as the paper allows: whatever is stored,
  // the frame keeps a printer's margin on each side, or the wider margin set on the printer, and
  // the footer line ends that margin above the paper's bottom edge. The frame's top lies 600 twips
  // below the paper's, or lower when the printer's top margin asks for it.
  // A frame too small for a header, a line of body and a footer is taken at that least size.
  const MarginiCarta margini = p.Margini();
  const double sinistro = std::max(MargineCarta, margini.sinistro), destro = std::max(MargineCarta, margini.destro);
  const double alto = std::max(600.0, margini.alto + 5), basso = std::max(MargineCarta, margini.basso);
  const double maxLarghezza = std::max(static_cast<double>(larghezza) - sinistro - destro, MinimoCornice);
  const double larghezzaChiesta = static_cast<double>(static_cast<int64_t>(PercentualeX) * (larghezza - 2000)) / 100.0;
  AltezzaStampabile = AltezzaStampabileCarta(altezza, PercentualeY, alto, basso);
  LarghezzaStampabile = Lungo(std::clamp(larghezzaChiesta, MinimoCornice, maxLarghezza));
  // Centred on the paper, unless a margin set on the printer pushes it aside.
  const double centrato = (static_cast<double>(larghezza) - LarghezzaStampabile) / 2.0;
  const double inizio = std::max(std::min(centrato, larghezza - destro - LarghezzaStampabile), sinistro);
  p.ImpostaScala(static_cast<float>(-inizio), -alto);
  InizioCorpoPagina = 800;
  LimiteFondoPagina = AltezzaStampabile - 2000;
  CaricaLogo();
  // A picture that cannot be measured or is beyond the announced size stays out of the report.
  if (TagLogo == "OK") {
    const auto dimensioni = p.DimensioniImmagine(PercorsoLogo);
    if (!dimensioni || !LogoAmmesso(dimensioni->first / TwipPerPixelImmagine, dimensioni->second / TwipPerPixelImmagine)) {
      TagLogo.clear();
      PercorsoLogo.clear();
    } else {
      dimensioniLogo = *dimensioni;
    }
  }
}

void SetPrinterFont(IStampanteReport& printer, const std::string& fontName) {
  if (!printer.SetFontName(fontName))
    MsgBox("Il font '" + fontName + "' non e' disponibile per la stampante corrente", Bottoni::OK);
}

void ResetPrinterFont(IStampanteReport& printer) {
  SetPrinterFont(printer, "Arial");
  printer.SetFontSize(9);
  printer.SetFontBold(false);
  printer.SetFontItalic(false);
  if (SezioneContenutoSelezionata()) PrintPageHeader(printer);
}

TFontInfo GetFontInfo(IStampanteReport& printer) {
  TFontInfo info;
  info.FontName = printer.FontName();
  info.FontSize = Lungo(printer.FontSize());
  info.FontBold = printer.FontBold();
  info.FontItalic = printer.FontItalic();
  return info;
}

void SetFontInfo(IStampanteReport& printer, const TFontInfo& info) {
  SetPrinterFont(printer, info.FontName);
  printer.SetFontSize(info.FontSize);
  printer.SetFontBold(info.FontBold);
  printer.SetFontItalic(info.FontItalic);
}

void SetBold(IStampanteReport& printer) { printer.SetFontBold(true); }
void ResetBold(IStampanteReport& printer) { printer.SetFontBold(false); }

void CorpoCheEntra(IStampanteReport& printer, const std::string& testo, double larghezza, double minimo) {
  while (printer.TextWidth(testo) > larghezza && printer.FontSize() > minimo)
    printer.SetFontSize(printer.FontSize() - 0.5);
}

namespace {

// The lines of a title, the printer left in the type they are printed in.
std::vector<std::string> RigheTitolo(IStampanteReport& printer, const std::string& text, std::optional<double> size) {
  if (size) printer.SetFontSize(*size);
  // A narrow page (small paper, a smaller share of it) takes the title in smaller type, then over
  // more lines, never cut.
  CorpoCheEntra(printer, text, LarghezzaStampabile, std::min(8.0, printer.FontSize()));
  return SpezzaTesto(text, LarghezzaStampabile, LarghezzaStampabile,
                     [&](const std::string& s) { return printer.TextWidth(s); });
}

}  // namespace

double AltezzaTitolo(IStampanteReport& printer, const std::string& text, std::optional<double> size) {
  const TFontInfo salvato = GetFontInfo(printer);
  const double altezza = static_cast<double>(std::max<size_t>(1, RigheTitolo(printer, text, size).size())) *
                         printer.TextHeight("X");
  SetFontInfo(printer, salvato);
  return altezza;
}

void PrintTitle(IStampanteReport& printer, const std::string& text, std::optional<double> size) {
  const TFontInfo salvato = GetFontInfo(printer);
  const std::vector<std::string> righe = RigheTitolo(printer, text, size);
  for (const std::string& riga : righe) {
    printer.SetCurrentX(std::max(0.0, (LarghezzaStampabile - printer.TextWidth(riga)) / 2));
    printer.Print(riga, true);
  }
  if (righe.empty()) printer.Print("", true);
  SetFontInfo(printer, salvato);
}

namespace {

// What marks a text cut to its room.
const std::string PuntiniTaglio = "...";

// The text as it fits in `larghezza` twips: whole, or its end behind "..." (a path's end tells
// the most); "" when not even that fits.
std::string TagliaConPuntini(IStampanteReport& printer, const std::string& testo, double larghezza) {
  if (printer.TextWidth(testo) <= larghezza) return testo;
  std::string coda = testo;
  while (!coda.empty() && printer.TextWidth(PuntiniTaglio + coda) > larghezza) coda = Mid(coda, 2);
  return coda.empty() ? std::string() : PuntiniTaglio + coda;
}

// One firm line of the header at (x, y), in smaller type (down to 6 points) when it would run past
// `destra`, cut with "..." after that. Returns where the printed text ends.
double StampaRigaDitta(IStampanteReport& printer, const std::string& testo, double x, double y, double destra) {
  if (testo.empty()) return x;
  const double corpo = printer.FontSize();
  const double spazio = destra - x;
  CorpoCheEntra(printer, testo, spazio);
  std::string riga = testo;
  long n = static_cast<long>(Len(testo));
  for (--n; n > 0 && printer.TextWidth(riga) > spazio; --n) riga = Left(testo, n) + PuntiniTaglio;
  // A few letters behind "..." name no firm: with no room for more the line is left out.
  constexpr long LettereMinime = 4;
  if (printer.TextWidth(riga) > spazio || (riga != testo && n + 1 < LettereMinime)) {
    printer.SetFontSize(corpo);
    return x;
  }
  printer.SetCurrentX(x);
  printer.SetCurrentY(y);
  printer.Print(riga, false);
  const double fine = printer.CurrentX();
  printer.SetFontSize(corpo);
  return fine;
}

}  // namespace

void PrintPageHeader(IStampanteReport& printer) {
  const TFontInfo salvato = GetFontInfo(printer);
  SetPrinterFont(printer, "Arial");
  printer.SetFontSize(9);
  printer.SetCurrentX(0);
  printer.SetCurrentY(0);
  int32_t rientro = 0;
  double fineLogo = 0;
  if (TagLogo == "OK") {
    const RettangoloLogo area = AreaLogo(dimensioniLogo.first, dimensioniLogo.second);
    printer.PaintPicture(PercorsoLogo, area.x, area.y, area.larghezza, area.altezza);
    rientro = Lungo(1.3 * LarghezzaBoxLogo);
    fineLogo = area.x + area.larghezza;
  }
  // The project title goes right-aligned on the first line, never over the firm's text. It names
  // the project, so it has its room first: up to two thirds of the line beside the logo, or, on
  // paper too narrow for that, the whole line in smaller type (down to 6 points). The firm line
  // takes the rest, in smaller type or cut; a title cut to its room shows where it was cut.
  std::string titolo = Trim(GetFileTitle(PercorsoProgetto));
  if (Len(titolo) > 40) titolo = PuntiniTaglio + Trim(Right(Trim(PercorsoProgetto), 40));
  const double corpo = printer.FontSize();
  const double margineTitolo = printer.TextWidth("  ") + 10;
  const double stanza = std::max(0.0, LarghezzaStampabile - rientro - margineTitolo);
  double corpoTitolo = corpo;
  if (!titolo.empty() && printer.TextWidth(titolo) > stanza * 2.0 / 3.0) {
    CorpoCheEntra(printer, titolo, stanza);
    corpoTitolo = printer.FontSize();
  }
  const double riservato = titolo.empty() ? 0 : std::min(printer.TextWidth(titolo), stanza) + margineTitolo;
  printer.SetFontSize(corpo);
  const double fineDitta = StampaRigaDitta(printer, DittaUtente(), rientro, 0, LarghezzaStampabile - riservato);
  StampaRigaDitta(printer, IndirizzoDitta(), rientro, printer.TextHeight("X"), LarghezzaStampabile);
  // Without a firm line the title's line holds only the logo: the room the firm's text starts after
  // is free for the title.
  const double inizioTitolo = DittaUtente().empty() ? fineLogo : fineDitta;
  printer.SetFontSize(corpoTitolo);
  titolo = TagliaConPuntini(printer, titolo, LarghezzaStampabile - inizioTitolo - margineTitolo);
  if (!titolo.empty()) {
    printer.SetCurrentY(0);
    printer.SetCurrentX(LarghezzaStampabile - printer.TextWidth(titolo) - 10);
    printer.Print(titolo, true);
  }
  printer.SetFontSize(corpo);
  printer.Line(0, InizioCorpoPagina - 200, LarghezzaStampabile, InizioCorpoPagina - 200);
  printer.SetCurrentY(InizioCorpoPagina);
  printer.SetCurrentX(0);
  SetFontInfo(printer, salvato);
  printer.SetCurrentX(0);
}

void PrintPageFooter(IStampanteReport& printer) {
  const TFontInfo salvato = GetFontInfo(printer);
  SetPrinterFont(printer, "Arial");
  printer.SetFontSize(9);
  printer.SetCurrentY(LimiteFondoPagina + 100);
  printer.Line(0, printer.CurrentY(), LarghezzaStampabile, printer.CurrentY());
  printer.SetCurrentY(LimiteFondoPagina + 200);
  printer.SetCurrentX(0);
  printer.Print(DataStampa, false);
  printer.SetCurrentX(Lungo((LarghezzaStampabile - printer.TextWidth("Vx2 -     ")) / 2));
  printer.Print(VersioneECodiceDitta(), false);
  printer.SetCurrentX(LarghezzaStampabile - printer.TextWidth("Pagina: 999999"));
  printer.Print("Pagina:" + TestoStampa(static_cast<int64_t>(printer.Page())), false);
  SetFontInfo(printer, salvato);
}

bool PaginaPiena(std::optional<int16_t> lines) {
  IStampanteReport& p = Printer();
  double extra = 0;
  if (lines) {
    const auto e = ToInt16(*lines * p.TextHeight("X"));
    if (!e) throw ErroreReport("riserva di righe fuori intervallo");
    extra = *e;
    // A page with nothing on it yet but the blank lines a section opens with (three, and one above
    // its title) has nothing to carry over: the next would be no emptier.
    if (p.CurrentY() <= InizioCorpoPagina + 4 * p.TextHeight("X") + 1) return false;
    // What no page holds whole starts where it is while half of the page is left for it: a page
    // with only the title above it would give way to another no better (a title alone).
    const double corpo = LimiteFondoPagina - 400.0 - InizioCorpoPagina;
    if (extra >= corpo) extra = corpo / 2;
  }
  return p.CurrentY() + extra >= LimiteFondoPagina - 400;
}

void CheckPageBreak(std::optional<int16_t> lines) {
  IStampanteReport& p = Printer();
  p.EventiInSospeso();
  if (PaginaPiena(lines)) {
    PrintPageFooter(p);
    p.NewPage();
    PrintPageHeader(p);
  }
}

void PrintBlankLines() {
  for (int i = 0; i < 3; ++i) {
    Printer().FineRiga();
    CheckPageBreak();
  }
}

void StampaAcapo(IStampanteReport& printer, const std::string& testo, bool fineRiga, double sinistra, double destra,
                 bool controllaPagina) {
  const std::vector<std::string> righe = SpezzaTesto(testo, destra - printer.CurrentX(), destra - sinistra,
                                                     [&](const std::string& s) { return printer.TextWidth(s); });
  for (size_t i = 0; i < righe.size(); ++i) {
    if (i > 0) {
      printer.FineRiga();
      if (controllaPagina) CheckPageBreak();
      printer.SetCurrentX(sinistra);
    }
    printer.Print(SenzaSpaziUniti(righe[i]), i + 1 == righe.size() && fineRiga);
  }
}

std::string ConUnita(const std::string& valore, std::string_view unita) {
  return Trim(valore).empty() ? std::string() : valore + std::string(SpazioUnito) + std::string(unita);
}

std::string SenzaSpaziUniti(std::string_view testo) { return Replace(testo, SpazioUnito, " "); }

std::string GetPathFolder(const std::string& path) {
  if (path.empty()) return {};
  const size_t ultimo = path.find_last_of("\\/");
  if (ultimo == std::string::npos) return path + "/";
  return path.substr(0, ultimo + 1);
}

}  // namespace varnex
