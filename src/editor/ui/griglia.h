// The segment table's grid widget behind the vocabulary of the old editable grid: rows and
// columns counted from 0 with the header row 0 and the fixed column 0, a current cell (Row, Col)
// that anchors the selection, the selection end (RowSel, ColSel), cell texts and colours set on
// the current cell or by position, and a redraw switch.
//
// Row 0 is the widget's horizontal header and column 0 its vertical header, so data cell (r, c)
// of the old grid is the widget's cell (r - 1, c - 1).
#pragma once

#include <QTableWidget>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace varnex::ui {

class GrigliaTabella : public QTableWidget {
  Q_OBJECT
 public:
  explicit GrigliaTabella(QWidget* parent = nullptr);

  // Row and column counts, header row and fixed column included.
  int16_t Rows() const;
  void SetRows(int16_t righe);
  int16_t Cols() const;
  void SetCols(int16_t colonne);

  // The current cell; moving it collapses the selection to it and notifies RowColChange.
  int16_t Row() const;
  int16_t Col() const;
  void SetRowCol(int16_t riga, int16_t colonna);
  // The selection end (may lie above or left of the current cell); moving it keeps the anchor.
  int16_t RowSel() const;
  int16_t ColSel() const;
  void SetSelezione(int16_t rigaFine, int16_t colonnaFine);

  // Text of any cell (row 0: header text, column 0: row label).
  std::string TextMatrix(int16_t riga, int16_t colonna) const;
  void SetTextMatrix(int16_t riga, int16_t colonna, const std::string& testo);
  // Colours (&HBBGGRR) and bold of a data cell.
  int32_t CellForeColor(int16_t riga, int16_t colonna) const;
  int32_t CellBackColor(int16_t riga, int16_t colonna) const;
  bool CellFontBold(int16_t riga, int16_t colonna) const;
  void SetCellForeColor(int16_t riga, int16_t colonna, int32_t colore);
  void SetCellBackColor(int16_t riga, int16_t colonna, int32_t colore);
  // Both colours at once: a cell made for them joins the table already coloured.
  void SetCellColors(int16_t riga, int16_t colonna, int32_t sfondo, int32_t testo);
  void SetCellFontBold(int16_t riga, int16_t colonna, bool grassetto);
  // Empties every data cell (texts only).
  void SvuotaDati();

  // Heights and widths in twips: row 0 is the header, column 0 the fixed column.
  void SetRowHeight(int16_t riga, int twips);
  void SetColWidth(int16_t colonna, int twips);
  int ColWidth(int16_t colonna) const;
  // Cell geometry in twips relative to the grid (for editors floated over a cell).
  int CellLeft() const;
  int CellTop() const;
  int CellWidth() const;
  int CellHeight() const;

  // The redraw switch: off while a refresh writes many cells.
  void SetRedraw(bool attivo);

  // While one lives, the cells written are told to the table's view once, when it ends, instead
  // of one notice per text and colour: the view repaints the changed cells in view when the
  // writing is done. Nothing may yield to events while one lives.
  class RaccoltaModifiche {
   public:
    explicit RaccoltaModifiche(GrigliaTabella& griglia);
    ~RaccoltaModifiche();
    RaccoltaModifiche(const RaccoltaModifiche&) = delete;
    RaccoltaModifiche& operator=(const RaccoltaModifiche&) = delete;

   private:
    GrigliaTabella& griglia_;
  };

  // How headings and values are fitted to narrow columns: the font, from `base` down to a
  // smallest size, in which `testo` fits `spazio` (broken at blanks and line ends where `flag`
  // allows); the space a heading or a value has inside its section or cell.
  static QFont CorpoCheEntra(const QFont& base, const QString& testo, const QRect& spazio, int flag);
  static bool TestoEntra(const QFont& font, const QString& testo, const QRect& spazio, int flag);
  static QRect SpazioIntestazione(const QRect& sezione);
  static QRect SpazioCella(const QRect& cella);
  static constexpr int FlagIntestazione = Qt::AlignCenter | Qt::TextWordWrap;
  // The smallest type a column heading is laid out for: the columns are widened for it.
  static constexpr double CorpoIntestazioneLeggibile = 7.5;
  static constexpr int FlagCella = Qt::AlignLeft | Qt::AlignVCenter;

 signals:
  // The current cell moved, by the user or by the program.
  void RowColChange();

 private:
  QTableWidgetItem* Cella(int16_t riga, int16_t colonna);
  // An empty data cell, plain or in the given colours, and its place in the table.
  static QTableWidgetItem* NuovaCella();
  QTableWidgetItem* NuovaCella(int32_t sfondo, int32_t testo);
  void AggiungiCella(int16_t riga, int16_t colonna, QTableWidgetItem* cella);
  const QTableWidgetItem* CellaSeEsiste(int16_t riga, int16_t colonna) const;
  // Widget cell (riga, colonna) changed (0-based); outside a collection the model told the view.
  void Cambiata(int riga, int colonna);
  void RigaCambiata(int riga);
  void ConsegnaModifiche();
  int raccolte_ = 0;
  bool segnaliBloccati_ = false;
  std::vector<std::pair<int, int>> cambiate_;
  int primaRigaCambiata_ = -1;
  int ultimaRigaCambiata_ = -1;
  int16_t ultimaRiga_ = -1;
  int16_t ultimaColonna_ = -1;
  // One model cell per pair of colours (background, text): a new cell is a copy of it and shares
  // its values until it is written, instead of holding brushes of its own: a table of a few
  // thousand coloured cells is built in about a third of the time.
  std::map<std::pair<int32_t, int32_t>, QTableWidgetItem> modelli_;
};

}  // namespace varnex::ui
