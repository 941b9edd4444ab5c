// What the HTML and text report runs share: the window side they go through (save dialog, logo,
// progress, pending events, the schema bitmap, the print dialog), the save dialog for the report
// file, the run's error with its old-style number, the failure texts of each step, the escaping of
// texts that go into the HTML file, the logo copied beside the report and the check that the
// chosen report file can be written.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "schema/etichette.h"

namespace varnex {

// Everything of a report-file run that needs windows. The program installs the Qt side at
// start-up; with nothing installed a silent stand-in answers the save dialog as the user who
// cancels, so a run ends before it writes anything.
// A picture's size in pixels.
struct PixelImmagine {
  int32_t larghezza = 0;
  int32_t altezza = 0;
};

// The saved diagram picture's size as multiples of the standard picture's width and height, at
// which its labels read at their size: 1 x 1 for a network the standard picture holds.
// `blocchi`: where the picture's label blocks lie, in fractions of its width and height from its top
// left corner, so that its pieces can be laid with every label whole on one of them.
struct MisuraSchema {
  double larghezza = 1;
  double altezza = 1;
  std::vector<Riquadro> blocchi;
  // The labels cannot all be told to their pipes (the layout draws branches on one another).
  bool etichetteLontane = false;
};

// A part of the saved diagram picture: the file it goes to and the piece of the whole picture it
// holds, in fractions of the whole picture's width and height from its top left corner.
struct ParteFiguraSchema {
  std::string percorso;
  double x = 0, y = 0, larghezza = 1, altezza = 1;
};
// The parts to save of a picture of the given size.
using DivisioneFiguraSchema = std::function<std::vector<ParteFiguraSchema>(const MisuraSchema&)>;

class IFinestreStampaFile {
 public:
  virtual ~IFinestreStampaFile() = default;
  // The save dialog: title, filter ("File HTML (*.html)|*.html|..."), starting folder and name.
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> SalvaFile(const std::string& titolo, const std::string& filtro,
                                               const std::string& cartella, const std::string& nome) = 0;
  // Loads the picture file into the print dialog's logo holder and marks it "OK", giving the
  // picture's size; nothing (holder cleared) when the picture cannot be read.
  virtual std::optional<PixelImmagine> CaricaLogo(const std::string& percorso) = 0;
  // Clears the logo holder and its mark.
  virtual void TogliLogo() = 0;
  // The progress window: shown modeless, its step text, its bar (p of t sections), closed.
  virtual void MostraAttesa() = 0;
  virtual void PrintMsg(const std::string& testo) = 0;
  virtual void UpdateBar(int16_t p, int16_t t) = 0;
  virtual void ChiudiAttesa() = 0;
  // Lets pending window events run.
  virtual void DoEvents() = 0;
  // Draws the network and saves it as a bitmap, replacing a file of that name; the picture's
  // size. Throws when the file cannot be written.
  virtual MisuraSchema SaveSchema(const std::string& percorso) = 0;
  // Draws the network once, sharp enough to print at its own size, and saves the parts `dividi`
  // chooses for the picture's size, each replacing a file of its name; the picture's size. Throws
  // when a file cannot be written.
  virtual MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi) = 0;
  // Presses the print dialog's "Annulla": the dialog hides and unloads itself.
  virtual void ChiudiDialogoStampa() = 0;
};

// Without windows there is nobody to choose a file: the run ends at the save dialog. Also the base
// of stand-ins that answer only some of the windows' calls.
class FinestreSilenziose : public IFinestreStampaFile {
 public:
  std::optional<std::string> SalvaFile(const std::string&, const std::string&, const std::string&,
                                       const std::string&) override {
    return std::nullopt;
  }
  std::optional<PixelImmagine> CaricaLogo(const std::string&) override { return std::nullopt; }
  void TogliLogo() override {}
  void MostraAttesa() override {}
  void PrintMsg(const std::string&) override {}
  void UpdateBar(int16_t, int16_t) override {}
  void ChiudiAttesa() override {}
  void DoEvents() override {}
  // No picture can be drawn: the run fails at that step.
  MisuraSchema SaveSchema(const std::string&) override;
  MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema&) override;
  void ChiudiDialogoStampa() override {}
};

// nullptr restores the silent stand-in.
void ImpostaFinestreStampaFile(IFinestreStampaFile* finestre);
IFinestreStampaFile& FinestreStampaFile();

// The error numbers a run reports, as the users of the older program know them.
namespace errore_file {
inline constexpr int32_t ArgomentoNonValido = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t IndiceFuoriIntervallo = 9;
inline constexpr int32_t DivisionePerZero = 11;
inline constexpr int32_t AccessoFile = 75;
inline constexpr int32_t PercorsoNonTrovato = 76;
}  // namespace errore_file

// The Italian description of an error number ("Overflow.", "Divisione per zero.", ...).
std::string DescrizioneErrore(int32_t numero);

// An error that ends a report-file run: its number and description go into the failure message.
class ErroreStampaFile : public std::runtime_error {
 public:
  explicit ErroreStampaFile(int32_t numero) : ErroreStampaFile(numero, DescrizioneErrore(numero)) {}
  ErroreStampaFile(int32_t numero, const std::string& descrizione)
      : std::runtime_error(descrizione), numero_(numero) {}
  int32_t Numero() const { return numero_; }

 private:
  int32_t numero_;
};

// The error `numero` with the system's reason after its description: a full disk and a missing
// permission must not read the same. `motivo` is a whole sentence (a save's own failure text).
ErroreStampaFile ErroreFileConMotivo(int32_t numero, const std::string& motivo);
// The same for the system's error number `sistema` (errno), in the Italian of MotivoErrore.
ErroreStampaFile ErroreFileDiSistema(int32_t numero, int sistema);

// A page or table position as the file holds it: a 16-bit integer; beyond it the run stops with
// the overflow error.
int16_t PosizioneFile(int64_t valore);

// The failure text of a step of a run: 1 opening, 2 cover, ... 9 diagram; "" for any other step.
const std::string& TestoPassoStampaFile(int16_t passo);

// The save dialog for a report file: kind 0 HTML, any other text. It starts in the project's
// folder with the project's name; a name typed without extension gets the default one; an
// existing file, the report's or its diagram picture's, is replaced only when the user confirms.
// "" when the user cancels or refuses.
std::string GetReportFileName(int16_t kind);

// "&", "<" and ">" as HTML entities, so that a project or record text cannot break the page.
std::string EscapeHTML(std::string_view testo);
// The same for a text inside a src='...' attribute: "'" too.
std::string EscapeAttributoHTML(std::string_view testo);
// EscapeHTML with every blank a non-breaking one: a browser never breaks the text over two lines
// (a value from its unit, a heading line laid out here).
std::string EscapeHTMLNonSpezzato(std::string_view testo);

// Whether the report of the current run has a logo: decided once at its start.
extern bool LogoReport;
// The logo's own size, read with it.
extern PixelImmagine PixelLogoReport;
// Loads "logo.bmp" of the program folder into the print dialog, or clears it when there is none
// or it cannot be read; sets LogoReport and PixelLogoReport.
void CaricaLogoReport();
// Copies "logo.bmp" of the program folder beside the report, replacing a file of that name;
// nothing (false) when the report lies in the program folder itself. Throws ErroreStampaFile.
bool CopiaLogoReport(const std::string& percorsoReport);

// Checks that the report file can be created in its folder (and replaced when it exists), without
// changing anything on disk. Throws ErroreStampaFile: 76 for a folder that does not exist, 75 for
// any other refusal.
void VerificaScritturaReport(const std::string& percorso);

// The report's folder with its trailing separator.
std::string CartellaReport(const std::string& percorsoReport);

}  // namespace varnex
