// The printed report: the run and every printed section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/print/stampante_report.h"
#include "report/print/tabelle_report.h"
#include "schema/etichette.h"

namespace varnex {

// The progress window of a run ("Attesa").
class IAttesaStampa {
 public:
  virtual ~IAttesaStampa() = default;
  virtual void Mostra() = 0;
  virtual void PrintMsg(const std::string& s) = 0;
  virtual void UpdateBar(int16_t p, int16_t t) = 0;
  virtual void Chiudi() = 0;
};
void ImpostaAttesaStampa(IAttesaStampa* attesa);

// The diagram page, drawn through the schema side once it installs itself.
class IDiagrammaStampa {
 public:
  virtual ~IDiagrammaStampa() = default;
  virtual void PrintDiagrammaRete(IStampanteReport& printer, int16_t preview) = 0;
};
void ImpostaDiagrammaStampa(IDiagrammaStampa* diagramma);
IDiagrammaStampa* DiagrammaStampa();

// The whole run on the report printer. preview (-1/0) only reaches the diagram page. False when
// the run printed nothing or stopped on an error (already reported to the user).
bool PrintReport(int16_t preview);

// The print scale that fits the schema's extents (dx by dy twips) into pw by ph twips of paper:
// the smaller of pw / dx and ph / dy, an empty extent along one axis leaving the other to decide,
// 1 for an empty schema.
double ScalaAdattaSchema(double dx, double dy, double pw, double ph);

// The diagram page: the installed drawing, or only its title line when none is installed.
void PrintDiagrammaRete(IStampanteReport& printer, int16_t preview);

// A rectangle of the paper, in twips from its top left corner.
struct RettangoloCarta {
  double x = 0, y = 0, larghezza = 0, altezza = 0;
  double Destra() const { return x + larghezza; }
  double Basso() const { return y + altezza; }
};
// Where the diagram page's title line goes, inside the paper's margins: top left with "Adatta lo
// schema alla pagina"; without, centred at the foot of the paper, or right under the drawing when
// told where the drawing ends (`sottoDisegno`, in twips from the paper's top).
RettangoloCarta PosizioneTitoloDiagramma(IStampanteReport& printer, std::optional<double> sottoDisegno = {});
// The paper inside the margins a printer may leave unprinted.
RettangoloCarta CartaDiagramma(IStampanteReport& printer);
// The part of the diagram page the network may take: inside the paper's margins and clear of the
// title line and of the note under it.
RettangoloCarta AreaSchemaDiagramma(IStampanteReport& printer);
// The diagram page's title line (project file name, " - Rete: ", reference); with a reduction
// above 1 a line under it says that the network was drawn smaller to hold on the page; a note
// (the page of a diagram printed over several) goes on the line under them.
void StampaTitoloDiagramma(IStampanteReport& printer, double riduzione = 1, const std::string& nota = {},
                           std::optional<double> sottoDisegno = {});

// Overlap of two neighbouring pages of a diagram printed over several, in twips (about 1 cm): what
// ends at the edge of one page is seen again on the next.
inline constexpr double SovrapposizioneFogliSchema = 600;
// The pages a diagram takes, in rows and columns.
struct FogliSchema {
  int righe = 1, colonne = 1;
  int Numero() const { return righe * colonne; }
};
// The grid of pages for a drawing `larghezza` by `altezza` twips (as printed) on an area of
// `areaL` by `areaA` twips, neighbouring pages sharing `sovrapposizione` twips side by side and
// `sovrapposizioneA` one above the other (the same when not given).
FogliSchema DividiSchema(double larghezza, double altezza, double areaL, double areaA,
                         double sovrapposizione = SovrapposizioneFogliSchema,
                         std::optional<double> sovrapposizioneA = std::nullopt);
// The grid of sheets of `areaL` by `areaA` page units that shows `tutto` (drawing units, `k` page
// units each), centred on it so that the rounding up is shared by both ends and no sheet is a thin
// leftover: how many, the step from one sheet to the next and the first one's top left corner, in
// drawing units.
struct GrigliaSchema {
  FogliSchema fogli;
  double passoL = 0, passoA = 0;
  double inizioX = 0, inizioY = 0;
};
// Neighbouring sheets share `sovrapposizione` page units, more where a label block (`blocchi`,
// drawing units) would be cut by the edges of both: every block inside `tutto` is whole on a sheet.
// The overlap grows only as far as the blocks ask (each block's size plus `agio`); a grid that
// still cuts one after a few tries shares the largest block. One rule for the printed sheets and
// the HTML report's picture pieces.
GrigliaSchema GrigliaFogli(const Riquadro& tutto, double k, double areaL, double areaA,
                           const std::vector<Riquadro>& blocchi, double sovrapposizione = SovrapposizioneFogliSchema,
                           double agio = 60);
// The note of page n (from 0, row by row) of a diagram over several pages: which page it is and
// on which pages the drawing goes on past each edge; "" for a diagram of one page.
std::string NotaFoglioSchema(const FogliSchema& fogli, int n);

// Sections.
void PrintCopertina(IStampanteReport& printer);
void PrintCopertinaRete(IStampanteReport& printer);
void PrintTronchi(IStampanteReport& printer, int16_t net);
void PrintTronchiRete(IStampanteReport& printer, int16_t net);
void PrintPDCLocalizzate(IStampanteReport& printer, int16_t net);
void PrintPDCLocalizzateRete(IStampanteReport& printer, int16_t net);
void PrintPercorsoSfavorito(IStampanteReport& printer, int16_t net);
void PrintPercorsoSfavoritoRete(IStampanteReport& printer, int16_t net);
void PrintRiepilogoUtenze(IStampanteReport& printer, int16_t net);
void PrintRiepilogoUtenzeRete(IStampanteReport& printer, int16_t net);
void PrintComputo(IStampanteReport& printer, int16_t net);
void PrintTenutaImpianto(IStampanteReport& printer, int16_t nonUsato);

}  // namespace varnex
