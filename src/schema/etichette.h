// Where the labels of a drawing on paper go: each block of label lines (a segment's number and
// diameter, an appliance's reference and flow) at the free spot nearest to where the layout put
// it, clear of every block already placed and of everything drawn. The layout itself stays as it
// is: where it draws branches on one another, only their labels move apart. A block moved farther
// than about a line gets a leader to the point it names.
//
// Everything is in the drawing's own units, so the same drawing seen through any view of the same
// scale (every sheet of a diagram over several pages) places its labels in the same spots.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace varnex {

// An axis-aligned rectangle by its corners, x1 <= x2 and y1 <= y2.
struct Riquadro {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Riquadro Spostato(double dx, double dy) const { return {x1 + dx, y1 + dy, x2 + dx, y2 + dy}; }
  Riquadro Allargato(double d) const { return {x1 - d, y1 - d, x2 + d, y2 + d}; }
  // Sharing some area: rectangles that only touch do not meet.
  bool Incontra(const Riquadro& r) const { return x1 < r.x2 && r.x1 < x2 && y1 < r.y2 && r.y1 < y2; }
};

// A segment from (x1, y1) to (x2, y2) meets the rectangle (its border included).
bool LineaIncontra(double x1, double y1, double x2, double y2, const Riquadro& r);

// The distance from a rectangle to a segment (x1, y1 to x2, y2), and the two nearest points: on the
// segment (x1, y1 of the result) and on the rectangle (x2, y2); 0 when they meet.
std::pair<double, Riquadro> DistanzaRiquadroSegmento(const Riquadro& r, const Riquadro& segmento);

// Two segments cross (touching ends included).
bool LineeSiIncrociano(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2);

// How well a reader can tell each placed label to what it names, measured on the drawing as placed.
struct MisuraEtichette {
  int blocchi = 0;   // label blocks placed
  int richiami = 0;  // of them with a leader
  // From each block to the point it names (the pipe's middle, the appliance's box), in lines of
  // the labels' type: the mean and the farthest.
  double distanzaMedia = 0, distanzaMassima = 0;
  // Blocks farther than two lines from what they name.
  int lontani = 0;
  // Crossings of the leaders: with one another, with a symbol (appliance, source) that is not what
  // the leader names, with a line of the drawing (pipes, frames, handles) away from its own pipe.
  int incrociRichiami = 0, incrociSimboli = 0, incrociLinee = 0;
  // Blocks whose type lies on a symbol or a line that is not theirs.
  int suAltri = 0;
};

// Where the schema's own layout draws branches on one another, no placement keeps every label
// beside what it names: more than a tenth of the labels farther than two lines from it, or leaders
// that must cross. The page then says so, in these words.
bool EtichetteDaAvvisare(const MisuraEtichette& m);
inline constexpr const char* AvvisoEtichetteLontane =
    "Rami dello schema disegnati uno sull'altro: alcune etichette sono lontane dal loro tratto";
// A note and the warning on one line ("" when neither).
std::string NotaConAvviso(const std::string& nota, bool avviso);

// A block as placed: its lines' ink, the point it names, its leader.
struct BloccoMisurato {
  std::vector<Riquadro> righe;
  double ax = 0, ay = 0;
  std::optional<Riquadro> richiamo;
  // The pipe it names, end to end (x1, y1 to x2, y2); none for an appliance, named by its point.
  std::optional<Riquadro> tubo;
};
// What the drawing holds: a line (r holds its ends), a filled rectangle or a symbol's picture.
struct SegnoDisegno {
  Riquadro r;
  enum class Tipo { Linea, Riquadro, Simbolo } tipo = Tipo::Linea;
};
// `riga`: the height of a line of the labels' type, in the drawing's units.
MisuraEtichette MisuraLeggibilita(const std::vector<BloccoMisurato>& blocchi, const std::vector<SegnoDisegno>& segni,
                                  double riga);

class PiazzamentoEtichette {
 public:
  // One line of a block: `scatola` the line's box from its first mark to its end (label against
  // label: the full height of the type, so that printed words never touch); `inchiostro` the part
  // its glyphs cover (label against the drawing).
  struct Riga {
    Riquadro scatola, inchiostro;
  };
  struct Esito {
    double dx = 0, dy = 0;
    // From the point the block names to the block, when it went farther than about a line.
    std::optional<Riquadro> richiamo;  // x1, y1 to x2, y2 (a segment, not a rectangle)
    // No free spot within the reach: the least covered one.
    bool coperto = false;
  };

  // `riga`: the height of a line of the labels' type, in drawing units; the steps of the search,
  // the gaps and the reach are measured in it.
  explicit PiazzamentoEtichette(double riga);

  // What the drawing holds, before any block is placed: filled rectangles (bars, handles, dots),
  // lines, and symbols (the pictures of the appliances and the source), which no leader crosses
  // where another spot is free.
  void OstacoloRiquadro(const Riquadro& r);
  void OstacoloLinea(double x1, double y1, double x2, double y2);
  void OstacoloSimbolo(const Riquadro& r);

  // Places the next block, whose lines the layout put at `righe`, naming the point (ax, ay) - or,
  // with `tubo`, the pipe from (x1, y1) to (x2, y2), beside which it may stand anywhere along it.
  // A block beside what it names has no leader; one farther than a line has a leader from the
  // nearest point of what it names, crossing no label, and no other leader or symbol where a spot
  // a little farther lets it pass clear.
  Esito Piazza(const std::vector<Riga>& righe, double ax, double ay, const std::optional<Riquadro>& tubo = std::nullopt);

  // Once every block is placed: two blocks whose leaders cross change places where each is free in
  // the other's place and their leaders then cross less. Returns every block's outcome, in the order
  // they were placed.
  std::vector<Esito> Districa();

  // The line boxes placed so far, where they are.
  const std::vector<Riquadro>& Piazzate() const { return etichette_; }

  // The search goes out from the layout's spot in half lines to `PortataFine` lines, in whole
  // lines to `PortataRighe`, then in steps of two lines to `PortataLarga`: a block that must go far
  // is not placed to the half line.
  static constexpr double PortataFine = 4;
  static constexpr double PortataRighe = 24;
  static constexpr double PortataLarga = 3 * PortataRighe;
  // A pipe's block is tried along its pipe only this many lines from it at most.
  static constexpr double PortataLungoTubo = PortataFine;
  // Offsets in steps of `passo` lines, nearest first.
  struct Anello {
    double passo;
    std::vector<std::pair<int32_t, int32_t>> spostamenti;
  };

 private:
  struct Elemento {
    Riquadro r;
    bool linea = false;  // r holds the segment's end points
    // Tolto: a leader of a block that has moved since.
    enum class Tipo { Disegno, Simbolo, Richiamo, Tolto } tipo = Tipo::Disegno;
  };
  // A block as placed: its lines as the layout wrote them, what it names, where its lines and its
  // leader are kept.
  struct Piazzato {
    std::vector<Riga> righe;
    Riquadro insieme;
    double ax = 0, ay = 0;
    std::optional<Riquadro> tubo, simbolo;
    size_t primaRiga = 0;
    int32_t richiamo = -1;  // index among the obstacles
    Esito esito;
  };
  std::vector<Piazzato> piazzati_;
  // What a check leaves out: the two blocks changing places, their leaders.
  std::vector<int32_t> ostacoliEsclusi_, etichetteEscluse_;
  bool Escluso(const std::vector<int32_t>& v, int32_t i) const { return std::find(v.begin(), v.end(), i) != v.end(); }
  std::optional<Riquadro> Richiamo(const Piazzato& b, double dx, double dy) const;
  // A grid of square cells over the drawing: what lies in each cell, by index.
  class Griglia {
   public:
    explicit Griglia(double lato) : lato_(lato) {}
    void Aggiungi(const Riquadro& estensione, int32_t indice);
    // A line only in the cells it crosses: a long diagonal would fill every cell of its extent.
    void AggiungiLinea(const Riquadro& linea, int32_t indice);
    // Calls f(indice) for what lies in the cells the rectangle touches (an element may come twice).
    template <class F>
    bool Qualcuno(const Riquadro& r, F&& f) const;

   private:
    static int64_t Chiave(int64_t cx, int64_t cy) { return (cx << 32) ^ (cy & 0xFFFFFFFF); }
    double lato_;
    std::unordered_map<int64_t, std::vector<int32_t>> celle_;
  };

  bool Libero(const std::vector<Riga>& righe, double dx, double dy) const;
  // How much of the drawing and of the labels the block covers at the offset; stops counting at
  // `limite`.
  double Copertura(const std::vector<Riga>& righe, double dx, double dy, double limite) const;
  bool RichiamoLibero(const Riquadro& richiamo) const;
  // What a leader crosses, weighed: other leaders and symbols much more than a line of the drawing.
  // 0 for a clear leader.
  double CostoRichiamo(const Riquadro& richiamo) const;
  static Riquadro Estremi(const Riquadro& linea);

  double riga_, distaccoEtichette_, distaccoDisegno_;
  std::vector<Elemento> ostacoli_;
  std::vector<Riquadro> etichette_;
  Griglia grigliaOstacoli_, grigliaEtichette_;
  // The search's rings, nearest first.
  const std::vector<Anello>& anelli_;
};

}  // namespace varnex
