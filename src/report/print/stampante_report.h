// The printer object of the printed report, as the report sees it: paper size, a user scale in
// twips, a current position, a font, text measuring, lines, pictures, text output and page and
// document ends. The Qt side implements it on QPrinter; the tests record into a fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace varnex {

// Margins of the paper in twips, as the user set them on the printer.
struct MarginiCarta {
  double sinistro = 0, alto = 0, destro = 0, basso = 0;
};

class IStampanteReport {
 public:
  virtual ~IStampanteReport() = default;

  // The margins set on the printer ("Imposta Stampante..."): nothing of the report is printed in them.
  virtual MarginiCarta Margini() { return {}; }

  // Paper size in twips in the current orientation, whatever the scale.
  virtual int32_t Width() = 0;
  virtual int32_t Height() = 0;

  // The user scale: the unit stays the twip, (ScaleLeft, ScaleTop) is the page's top-left corner.
  virtual void ImpostaScala(double scaleLeft, double scaleTop) = 0;
  virtual double ScaleLeft() = 0;
  virtual double ScaleTop() = 0;

  virtual double CurrentX() = 0;
  virtual double CurrentY() = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual void SetCurrentY(double y) = 0;

  virtual std::string FontName() = 0;
  // False when the printer has no such font; the font in force stays.
  virtual bool SetFontName(const std::string& nome) = 0;
  virtual double FontSize() = 0;
  virtual void SetFontSize(double punti) = 0;
  virtual bool FontBold() = 0;
  virtual void SetFontBold(bool grassetto) = 0;
  virtual bool FontItalic() = 0;
  virtual void SetFontItalic(bool corsivo) = 0;

  // Number of the current page of the document, from 1.
  virtual int32_t Page() = 0;
  // 1 portrait, 2 landscape.
  virtual int16_t Orientation() = 0;
  // False when the printer refuses it.
  virtual bool SetOrientation(int16_t orientamento) = 0;
  virtual std::string DeviceName() = 0;

  // Measures in the current font, in twips.
  virtual double TextWidth(const std::string& testo) = 0;
  virtual double TextHeight(const std::string& testo) = 0;

  // A straight line between two absolute points; the current position becomes the second.
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // Size in twips of a picture file; nullopt when it cannot be read.
  virtual std::optional<std::pair<int32_t, int32_t>> DimensioniImmagine(const std::string& percorso) = 0;
  // A picture file stretched over the rectangle at (x, y), larghezza by altezza twips.
  virtual void PaintPicture(const std::string& percorso, double x, double y, double larghezza, double altezza) = 0;

  // Prints the text at the current position; with fineRiga the line ends: CurrentY moves down one
  // text height of the current font and CurrentX back to the left margin (0 in the page frame),
  // otherwise CurrentX moves past the text.
  virtual void Print(const std::string& testo, bool fineRiga) = 0;
  void FineRiga() { Print("", true); }
  // The colour of the text printed from now on, as &HBBGGRR; black until set.
  virtual void SetForeColor(int32_t colore) { (void)colore; }

  // Ends the page; a page that received nothing is never sent to paper.
  virtual void NewPage() = 0;
  // Ends the document; the next output begins a new document at page 1.
  virtual void EndDoc() = 0;

  // Lets pending window events run (the runs keep the application responsive).
  virtual void EventiInSospeso() {}
};

// The printer the report runs print on (the platform's current printer while a run lasts).
void ImpostaStampanteReport(IStampanteReport* stampante);
IStampanteReport* StampanteReport();

}  // namespace varnex
