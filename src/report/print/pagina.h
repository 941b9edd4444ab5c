// The frame every printed page is drawn into: usable width centred on the page, a header with the
// logo, the firm lines and the project title, a body, and a footer with date, version, firm code
// and page number; the page-break test and the small printing helpers of the sections.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/righe_testo.h"
#include "report/print/stampante_report.h"

namespace varnex {

// Page geometry in twips, recomputed by every SetupPage.
extern int32_t LarghezzaStampabile;
extern int32_t AltezzaStampabile;
extern int32_t InizioCorpoPagina;
extern int32_t LimiteFondoPagina;

// The logo holder: the hidden 2295 x 300 twips box of the print dialog and its mark.
inline constexpr int32_t LarghezzaBoxLogo = 2295;
inline constexpr int32_t AltezzaBoxLogo = 300;
// The largest logo the header takes, in pixels; a larger one is left out of the report.
inline constexpr int32_t MaxLarghezzaLogoPixel = 184;
inline constexpr int32_t MaxAltezzaLogoPixel = 41;
// Twips of a picture's pixel, as the printer measures pictures.
inline constexpr int32_t TwipPerPixelImmagine = 15;
// "OK" when "logo.bmp" of the program folder was loaded by the last SetupPage, "" otherwise.
extern std::string TagLogo;
// The loaded logo file ("" without logo).
extern std::string PercorsoLogo;
// Loads the logo mark again from the program folder.
void CaricaLogo();
// True for a picture of w by h pixels the header can take.
bool LogoAmmesso(int32_t larghezzaPixel, int32_t altezzaPixel);

// Where the header paints a logo of w by h twips: at (0, -5), within the logo box's width and
// above the header rule, shrunk with its proportions when larger, never enlarged.
struct RettangoloLogo {
  double x = 0, y = 0, larghezza = 0, altezza = 0;
};
RettangoloLogo AreaLogo(double larghezza, double altezza);

// The firm texts of every header and footer: firm line 1, firm line 2, and the agent line cut or
// padded with blanks to exactly 8 characters.
std::string DittaUtente();
std::string IndirizzoDitta();
std::string CodiceDitta();
// The middle item of every page footer: the version, then " - " and the firm code when there is one.
std::string VersioneECodiceDitta();

struct TFontInfo {
  std::string FontName;
  int32_t FontSize = 0;
  bool FontBold = false;
  bool FontItalic = false;
};

// Geometry, scale and logo on the report printer.
void SetupPage();

// The height of the page frame SetupPage gives a paper `altezza` twips tall at `percentualeY` % of
// the page, its margins at the printer's (`alto`, `basso`; the frame's own when smaller).
int32_t AltezzaStampabileCarta(int32_t altezza, int16_t percentualeY, double alto = 0, double basso = 0);
// The least page body, in twips, on which the page rules hold (the cover on one page, a short
// table whole, a title with what follows, no page without content): about 20 lines of the
// report's 9-point type, the body of the narrowest envelope at 80 % of its page.
inline constexpr double CorpoMinimoRegole = 4000;
// What the user is told when choosing a paper (`nome`, `altezza` twips tall) or the page's share
// (`percentualeY`) on which the page rules cannot hold: the report is printed, and what gives
// way. Empty when they hold.
std::string AvvisoCartaPiccola(const std::string& nome, int32_t altezza, int16_t percentualeY);
void SetPrinterFont(IStampanteReport& printer, const std::string& fontName);
void ResetPrinterFont(IStampanteReport& printer);
TFontInfo GetFontInfo(IStampanteReport& printer);
void SetFontInfo(IStampanteReport& printer, const TFontInfo& info);
void SetBold(IStampanteReport& printer);
void ResetBold(IStampanteReport& printer);
// A title centred on the page's usable width, in type small enough to stay inside it, over more
// lines when even that does not hold it.
void PrintTitle(IStampanteReport& printer, const std::string& text, std::optional<double> size = std::nullopt);
// The height PrintTitle takes for the same title.
double AltezzaTitolo(IStampanteReport& printer, const std::string& text, std::optional<double> size = std::nullopt);
// Lowers the current type by half points, down to `minimo`, until `testo` fits in `larghezza` twips.
void CorpoCheEntra(IStampanteReport& printer, const std::string& testo, double larghezza, double minimo = 6);
void PrintPageHeader(IStampanteReport& printer);
void PrintPageFooter(IStampanteReport& printer);
// On the report printer: closes a full page (footer, new page, header) when the position plus the
// given number of lines has reached the page-break line.
void CheckPageBreak(std::optional<int16_t> lines = std::nullopt);
// True when CheckPageBreak with the same lines would close the page.
bool PaginaPiena(std::optional<int16_t> lines = std::nullopt);
// Three empty lines, each with a page check.
void PrintBlankLines();

// A blank that joins a number to its unit: no line breaks there, and every output prints it as a
// plain blank (the HTML file as "&nbsp;", so that a browser keeps the two together too).
inline constexpr std::string_view SpazioUnito = "\xC2\xA0";
// The value and its unit joined by SpazioUnito; "" without a value (a unit alone says nothing).
std::string ConUnita(const std::string& valore, std::string_view unita);
// The text with every SpazioUnito made a plain blank, as it prints.
std::string SenzaSpaziUniti(std::string_view testo);

// Prints a free text from the current position on the report printer's page, going on at
// `sinistra` on further lines when it does not fit before `destra` (each line end checks the
// page unless told not to); with fineRiga its last line ends.
void StampaAcapo(IStampanteReport& printer, const std::string& testo, bool fineRiga, double sinistra, double destra,
                 bool controllaPagina = true);

// The folder of a file path, with its trailing separator ("/" or "\" as the path uses it).
std::string GetPathFolder(const std::string& path);

}  // namespace varnex
