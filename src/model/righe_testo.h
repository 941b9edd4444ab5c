// Breaking a text into lines for a width, the one rule every output that sets text in a column or
// a box uses (the printed report, the HTML file, the schema's labels): words stay whole unless one
// alone is wider than a line, and a short last word keeps company with the one before it. The
// width of a text comes from the output's own measure.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace varnex {

// What measures a table's texts: an output's font, in the output's unit of length.
class IMisuraTabella {
 public:
  virtual ~IMisuraTabella() = default;
  virtual void SetFontSize(double punti) = 0;
  virtual void SetFontBold(bool grassetto) = 0;
  virtual double TextWidth(const std::string& testo) = 0;
};

// The words of a text, between its blanks.
std::vector<std::string> Parole(const std::string& testo);

// A free text cut into lines for a given width: the first line takes `primaRiga` (what is left
// of the current line), the others `altreRighe`, both in the units of `misura`. Words stay whole
// unless one alone is wider than a line; the blank where a line breaks is dropped; a line break
// in the text ends a line. Never empty: an empty text is one empty line.
std::vector<std::string> SpezzaTesto(const std::string& testo, double primaRiga, double altreRighe,
                                     const std::function<double(const std::string&)>& misura);

// The lines a text takes in a column at the type in force: broken between words, a word wider
// than the column split.
std::vector<std::string> RigheInColonna(IMisuraTabella& misura, const std::string& testo, double larghezza);

// A reference's lines: as RigheInColonna, but a short last word ("6" of "Caldaia app. 6") does
// not stand alone on its line: the word before it comes down to keep it company when both fit.
std::vector<std::string> RigheRiferimento(IMisuraTabella& misura, const std::string& testo, double larghezza);

}  // namespace varnex
