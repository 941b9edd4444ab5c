#include "report/files/tabelle_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/campi.h"
#include "model/colonne.h"
#include "model/strings.h"
#include "model/numbers.h"
#include "report/files/stampa_file.h"

namespace varnex {

std::string Millimetri(double mm, bool perEccesso) {
  char testo[32];
  const double centesimi = perEccesso ? std::ceil(mm * 100 - 1e-6) : std::floor(mm * 100 + 1e-6);
  const auto fine = std::to_chars(testo, testo + sizeof testo, centesimi / 100, std::chars_format::fixed, 2);
  return std::string(testo, fine.ptr);
}

LayoutColonneFile CalcolaLayoutColonne(const std::vector<int16_t>& pesi) {
  if (pesi.size() > static_cast<size_t>(MaxColonneFile)) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  LayoutColonneFile layout;
  layout.Ultima = static_cast<int16_t>(static_cast<int>(pesi.size()) - 1);
  int64_t somma = 0;
  for (int16_t p : pesi) somma += p;
  const int16_t somma16 = PosizioneFile(somma);
  if (somma16 == 0) throw ErroreStampaFile(errore_file::DivisionePerZero);
  layout.Unita = static_cast<int32_t>(ArrotondaPari(static_cast<double>(LarghezzaCorpoFile) / somma16));
  for (size_t c = 0; c < pesi.size(); ++c) {
    const int32_t larghezza = pesi[c] * layout.Unita;
    const auto limite = static_cast<int32_t>(std::floor(larghezza / 2.0)) - 1;
    // A column too narrow for a single character cannot have its texts cut.
    if (limite < 0) throw ErroreStampaFile(errore_file::ArgomentoNonValido);
    layout.Larghezza[c] = larghezza;
    layout.Limite[c] = static_cast<int16_t>(limite);
  }
  return layout;
}

LayoutColonneFile LayoutVista(int16_t view) {
  if (view < 0 || view >= NumLayoutGriglia) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  const int16_t ultima = UltimaColonnaGriglia[static_cast<size_t>(view)];
  if (ultima >= MaxColonneFile) throw ErroreStampaFile(errore_file::IndiceFuoriIntervallo);
  std::vector<int16_t> pesi;
  for (int16_t c = 0; c <= ultima; ++c)
    pesi.push_back(ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(c)].PesoColonna);
  return CalcolaLayoutColonne(pesi);
}

namespace {

constexpr int16_t SenzaLimite = 32767;

void AllargaA(LayoutColonneFile& layout, int16_t c, int32_t caratteri) {
  if (caratteri <= layout.Limite[static_cast<size_t>(c)]) return;
  layout.Limite[static_cast<size_t>(c)] = static_cast<int16_t>(std::min<int32_t>(caratteri, SenzaLimite));
  layout.Larghezza[static_cast<size_t>(c)] = (caratteri + 1) * 2;
}

void Allarga(LayoutColonneFile& layout, int16_t c, const std::string& testo) {
  AllargaA(layout, c, static_cast<int32_t>(Len(testo)));
}

// A heading reads whole when nothing of its title and unit is cut; a fitting's name that goes on
// over the second line reads whole when its two lines give the name back.
bool CaptionIntera(const CaptionColonna& caption, const CaptionColonna& intera) {
  if (caption.NomeSuDueRighe) return Trim(caption.Titolo + " " + caption.Unita) == Trim(intera.Titolo);
  return caption.Titolo == intera.Titolo && caption.Unita == intera.Unita;
}

// The fewest characters a line of the column's heading needs to read whole: a heading cut to its
// column ("SARACIN", "VALVOLA / DI RITE") no longer tells what the column counts.
int32_t CaratteriCaption(int16_t view, int16_t c, int16_t limite) {
  const CaptionColonna intera = GetColumnCaption(view, c, SenzaLimite);
  const auto massimo = static_cast<int32_t>(std::max(Len(intera.Titolo), Len(intera.Unita)));
  for (int32_t m = std::max<int32_t>(limite, 1); m < massimo; ++m)
    if (CaptionIntera(GetColumnCaption(view, c, static_cast<int16_t>(m)), intera)) return m;
  return std::max<int32_t>(limite, massimo);
}

}  // namespace

std::vector<std::string> RigheIntestazioneFile(int16_t view, int16_t c, int16_t limite) {
  const CaptionColonna caption = GetColumnCaption(view, c, limite);
  std::vector<std::string> righe = {caption.Titolo, caption.Unita};
  if (caption.NomeSuDueRighe) righe.push_back(GetColumnCaption(view, c, SenzaLimite).Unita);
  return righe;
}

void AllargaPerContenuto(LayoutColonneFile& layout, int16_t view, const std::vector<int16_t>& righe,
                         const std::optional<TotaleReport>& totale) {
  for (int16_t c = 0; c <= layout.Ultima; ++c) {
    AllargaA(layout, c, CaratteriCaption(view, c, layout.Limite[static_cast<size_t>(c)]));
    // A free reference ("Centrale termica") widens its column too: cut, two rows read alike.
    for (int16_t seg : righe) Allarga(layout, c, GetCellText(view, c, seg, SenzaLimite));
  }
  if (totale && totale->Colonna >= 0 && totale->Colonna <= layout.Ultima)
    Allarga(layout, totale->Colonna, GetReportTotalText(*totale, view, SenzaLimite));
}

}  // namespace varnex

namespace varnex {

namespace {

// Advance widths of Arial's printable ASCII letters (space to "~"), in thousandths of the type
// size, regular and bold.
constexpr int16_t LarghezzeArial[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P to _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` to o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p to ~
constexpr int16_t LarghezzeArialGrassetto[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
// Any other letter (an accented one, a degree sign) as a wide capital: never narrower than it is.
constexpr int16_t LarghezzaAltroCarattere = 722;
constexpr int16_t LarghezzaAltroCarattereGrassetto = 778;
// A browser rounds its glyph positions: a little room over the sum keeps a line that fits whole.
constexpr double MargineArrotondamento = 1.02;

}  // namespace

double MisuraHTML::TextWidth(const std::string& testo) {
  const int16_t* tabella = grassetto_ ? LarghezzeArialGrassetto : LarghezzeArial;
  double millesimi = 0;
  for (size_t i = 0; i < testo.size(); ++i) {
    const auto c = static_cast<unsigned char>(testo[i]);
    if (c >= 32 && c < 127) {
      millesimi += tabella[c - 32];
    } else if ((c & 0xC0) != 0x80) {  // the first byte of a UTF-8 letter counts it, its others nothing
      millesimi += grassetto_ ? LarghezzaAltroCarattereGrassetto : LarghezzaAltroCarattere;
    }
  }
  return millesimi / 1000 * punti_ * MillimetriPunto * MargineArrotondamento;
}

}  // namespace varnex
