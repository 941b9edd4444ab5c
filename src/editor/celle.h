// Editing the segment table in place: which editor a cell opens, how a typed value is committed
// into the segment records, which keys commit or cancel, where the cursor goes next, and the
// dialogs behind the flow, length and diameter cells.
//
// The logic acts on the editor window only through IVistaCelle, so it runs and is tested without
// a display; the window implements the view with its grid, its floating editors and its dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "model/rete.h"
#include "model/valori_digitati.h"

namespace varnex {

// A rectangle in twips, in the coordinates of the page that holds the table.
struct AreaTwips {
  int Sinistra = 0;
  int Alto = 0;
  int Larghezza = 0;
  int Altezza = 0;
  bool operator==(const AreaTwips&) const = default;
};

// Where the floating controls stand over a cell (`cella`: table left + cell left, table top +
// cell top, cell width and height).
struct PosizioneEditor {
  AreaTwips Editor;
  AreaTwips Pulsante;  // the ">" button, meaningful for a diameter cell only
};
// The text editor sits 1/7 of the cell height below the cell's top and is 3/4 of it high; on a
// diameter cell the ">" button fills the cell's right end and the editor leaves it room.
PosizioneEditor PosizionaEditor(const AreaTwips& cella, int larghezzaPulsante, bool conPulsante);

// The answer of an appliance-flow dialog.
struct EsitoPortata {
  bool Done = false;
  float Portata = 0;
  int16_t Tipologia = 0;
  std::string Composizione;  // internal installations only
};

// The editor window as the cell-editing logic sees it. Rows and columns count as in the table:
// row 0 the header, column 0 the row numbers.
class IVistaCelle {
 public:
  virtual ~IVistaCelle() = default;

  // ---- The table ----
  virtual int16_t Row() const = 0;
  virtual int16_t Col() const = 0;
  virtual int16_t RowSel() const = 0;
  virtual int16_t ColSel() const = 0;
  virtual int16_t Rows() const = 0;
  virtual int16_t Cols() const = 0;
  // Moves the current cell and collapses the selection to it. The window's row-and-column change
  // handling runs as for a move by the user (it copies the new cell's text into the editor).
  virtual void SetRowCol(int16_t riga, int16_t colonna) = 0;
  // Moves the selection end, keeping the current cell.
  virtual void SetSelezione(int16_t rigaFine, int16_t colonnaFine) = 0;
  virtual std::string TextMatrix(int16_t riga, int16_t colonna) const = 0;
  virtual void SetTextMatrix(int16_t riga, int16_t colonna, const std::string& testo) = 0;
  virtual int32_t CellForeColor(int16_t riga, int16_t colonna) const = 0;
  virtual void SetCellForeColor(int16_t riga, int16_t colonna, int32_t colore) = 0;
  virtual void SetCellBackColor(int16_t riga, int16_t colonna, int32_t colore) = 0;
  virtual void SetRedraw(bool attivo) = 0;
  // The current cell's place in twips (table left + cell left, table top + cell top, size).
  virtual AreaTwips RettangoloCella() const = 0;
  // Whether table row `riga` is on screen, not scrolled out of the user's sight.
  virtual bool RigaInVista(int16_t riga) const = 0;
  virtual void FocusTabella() = 0;

  // ---- The text editor ----
  virtual std::string TestoEditor() const = 0;
  // Sets the text (a change: the window reports it back through Text1_Change). `tuttoSelezionato`
  // selects the whole text, otherwise the caret stands at the end.
  virtual void ImpostaTestoEditor(const std::string& testo, bool tuttoSelezionato) = 0;
  virtual void MostraEditor(const AreaTwips& posto) = 0;
  virtual void NascondiEditor() = 0;
  virtual void FocusEditor() = 0;

  // ---- The ">" button ----
  virtual int LarghezzaPulsante() const = 0;
  virtual void MostraPulsante(const AreaTwips& posto) = 0;
  virtual void NascondiPulsante() = 0;

  // ---- The material list ----
  virtual int NumeroVoci() const = 0;
  virtual std::string TestoVoce(int indice) const = 0;
  // Selects an entry (the window reports a new choice through Combo1_Click).
  virtual void SelezionaVoce(int indice) = 0;
  // The chosen entry's text, "" when none.
  virtual std::string VoceScelta() const = 0;
  virtual void MostraLista() = 0;
  virtual void FocusLista() = 0;

  // ---- The rest of the window ----
  // The diameter-lock button of the main toolbar: closed or open padlock.
  virtual void Lucchetto(bool chiuso) = 0;
  virtual void TestoStato(const std::string& testo) = 0;
  virtual void Elaborazione() = 0;
  // Appends a table row and raises the segment count by one.
  virtual void AggiungiRigaGriglia() = 0;

  // ---- Dialogs, shown modal ----
  // The diameter picker on a pipe series: the label chosen ("Auto" or a label), "" when none.
  virtual std::string ScegliDiametro(int16_t serie) = 0;
  // The appliance-flow dialog of the activity, primed with the segment and its own flow.
  virtual EsitoPortata PortataUtenza(bool inPressione, int16_t riga, float portata) = 0;
  // The segment-parameters dialog on a segment.
  virtual void ParametriTronco(int16_t riga) = 0;
};

// The in-place editing of the segment table: the editing state and every handler of the text
// editor, the material list and the ">" button.
class ModificaCelle {
 public:
  // `layout` tells the table layout in force (the window's LayoutGriglia).
  ModificaCelle(IVistaCelle& vista, const int16_t& layout);

  // ---- Editing state ----
  // 0 after loading, 1 the table has the keyboard, 2 a cell editor is open.
  int16_t StatoEditazione = 0;
  int16_t RigaInModifica = 0;
  int16_t ColonnaInModifica = 0;
  std::string TestoOriginale;
  int16_t ColonnaDiametro = 0;
  int16_t RigaDiametro = 0;
  bool EditorModificato = false;

  // Opens the editor for the current cell; `s` is "" for a click, else the typed character.
  void GridEditing(const std::string& s);

  // Commits the text editor's value: without a cell, to the selected rows; with one, to that cell
  // alone (moving the current cell there and back).
  // A number that cannot be right is refused with a message and the cell's old text comes back;
  // false then, true otherwise (also when a parent rule cut the commit short).
  bool SaveGridCell(std::optional<std::pair<int16_t, int16_t>> cella = std::nullopt);
  // Commits the material list's choice; `tasto` 13 from Enter, 0 from the loss of the keyboard.
  void SaveGridMaterial(int16_t tasto);

  // The dialogs behind the current cell.
  void GridCellAction();
  void PickGridDiameter();
  void EditGridFlow();
  void EditGridSegment();

  // ---- Handlers ----
  void Text1_Change();
  void Text1_KeyUp();
  // Key codes 37-40 (arrows) and 27 (Esc); other codes are not the editor's. True when handled.
  bool Text1_KeyDown(int16_t keyCode);
  // A typed character ("\r" for Enter, "\b" for Backspace); it becomes "" when swallowed.
  void Text1_KeyPress(std::string& carattere);
  void Text1_DblClick();
  void Text1_LostFocus();
  void Combo1_Click();
  void Combo1_KeyPress(int16_t keyAscii);
  void Combo1_LostFocus();
  void cmdDettagliDiametro_Click();

  // Commits an open edit before a command acts on the project (a toolbar command, a save).
  void ConfermaModificaInCorso();

 private:
  int16_t CodiceColonna(int16_t colonna) const;
  bool SolaLettura(int16_t colonna) const;
  int16_t UltimaColonna() const;
  void SelectDefaultMaterial();
  // How one row of a SaveGridCell ends: the commit goes on, ends there after a parent rule's
  // message, or the value is refused (its message shown, the cell's old text to come back).
  enum class EsitoRiga { Prosegui, Fine, Rifiuto };
  EsitoRiga SalvaRiga(int16_t i, int16_t codice);
  // Rows `prima` to `ultima` of the current column show their stored values.
  void MostraValoriSalvati(int16_t prima, int16_t ultima);
  EsitoRiga RegolaProvenienza(int16_t i, TTronco& t);
  // A parent typed for rows `prima` to `ultima`, judged for the whole range before any row
  // changes: refused when it would make a segment its own parent or a descendant's child, or give
  // a parent more than two derivations; asked first when it would unlink segments. False when
  // nothing is to change (after the message, or the user's "No").
  bool ProvenienzaAccettata(int16_t prima, int16_t ultima, const std::string& digitato);
  // Ends a parent commit the user declined ("No" to clearing an appliance's flow).
  EsitoRiga NonCollegato(int16_t riga, int16_t colonna);
  // The entry row has just become segment `seg`: it takes the default series when it has none,
  // and the parent noted on it links it.
  void CompletaNuovoTronco(int16_t seg);
  // After a refused value: the cell shows its old text again, in the table and in the editor.
  void RipristinaCella();
  void RegolaDiametro(int16_t i, TTronco& t);
  // The editor closes as it does when it loses the keyboard to a dialog.
  void PerditaVersoDialogo();
  // Whether the open cell's text differs from the one it had when the editor opened. Leaving a
  // cell untouched must store nothing: its text is the rounded display of the value, and a
  // reference would come back in upper case.
  bool TestoCambiato() const;
  // After a refused value: the editor closes over the same cell, nothing stored.
  void ChiudiEditorSulPosto();

  IVistaCelle& v_;
  const int16_t& layout_;
};

// What the status panel adds on a table row that is not a segment yet, "" on any other row: how
// the entry row becomes a segment, and when a parent typed on a row a delete left blank links it.
std::string AvvisoRigaNonTronco(int16_t riga);

// Number of a typed text: its leading decimal number, "." as the decimal point, 0 without one.
double NumeroDigitato(const std::string& testo);

// Why the text typed into a cell of column `codice` cannot be stored, "" when it can (the rules of
// RifiutoNumero). Text columns are never refused here.
std::string RifiutoNumeroCella(int16_t codice, const std::string& testo);

}  // namespace varnex
