// The logic of the pipe-series editor "Gestione tubazioni": a working copy of one series, the
// texts of its grid, committing a cell, the density and description boxes, saving, adding and
// deleting series and the questions on pending changes. The window (archives/ui/materiali_editor.h)
// only moves texts between its controls and this class.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/materiali.h"

namespace varnex {

inline constexpr const char* MsgSpessoreNonCompatibile = "Spessore non compatibile";
inline constexpr const char* MsgNomeLungo =
    "Il nome del tipo di tubazione e' piu' lungo di 8 caratteri.Ignoro i caratteri eccedenti?";
inline constexpr const char* MsgSerieEsistente = "Un tipo di tubazione con questo nome esite gia'";
inline constexpr const char* MsgNomeSerieNonValido = "Nome del file di archivio non valido";
inline constexpr const char* MsgConfermaCancellazione = "Confermi cancellazione  dall'archivio";
inline constexpr const char* MsgSerieCancellata =
    "L'archivio e' stato cancellato!Solo al prossimo riavvio del programma non sara' piu' presente";
inline constexpr const char* MsgFileGiaEliminato = "Il file non esiste, e' gia' stato eliminato!";
inline constexpr const char* MsgTroppeSerie =
    "L'archivio contiene gia' 50 tipi di tubazione: impossibile aggiungerne altri";
inline constexpr const char* MsgSalvareSerie = "Salvare le modifiche?";
inline constexpr const char* MsgEsternoNonCompatibile =
    "Diametro esterno non compatibile con lo spessore: il diametro interno (diametro esterno meno due "
    "spessori) deve essere maggiore di 0";
// The fields whose texts the series file must give back unchanged.
inline constexpr const char* MsgCampoRifDiametro = "Il Rif.Diam.";
inline constexpr const char* MsgCampoDescrizioneSerie = "La descrizione della tubazione";
inline constexpr const char* MsgDensitaNonValida = "Impossibile salvare la tubazione: massa volumica non valida";
// Followed by the row's label and number.
inline constexpr const char* MsgRigaSenzaInterno = "Impossibile salvare la tubazione: il diametro ";

// The grid's data rows (row 0 holds the titles): one fewer than a series may have diameters.
inline constexpr int16_t RigheSerie = 49;
inline constexpr int16_t ColonneSerie = 6;

// Where the cursor goes after a commit.
struct EsitoCommit {
  bool accettato = false;
  int16_t riga = 1;
  int16_t colonna = 1;
  // The first visible data row; nullopt when it stays as it is.
  std::optional<int16_t> primaVisibile;
};

class EditorMateriali {
 public:
  // The working copy: row 0 the header, rows 1..50 the diameters; rows past NumDiametri empty.
  TSerieMateriale CopiaSerie{};
  // The archive index of the series shown; 0 while a new series is not saved.
  int16_t IndiceSerie = 0;
  // The rows, from 1, that are shown and recomputed; grows with every commit.
  int16_t RigheMostrate = 0;
  bool SerieModificata = false;
  bool SerieNuova = false;
  // Set by the window while it puts its list back on the series shown.
  bool RipristinoLista = false;

  // The grid's texts, [row][column], rows and columns 0..5 / 0..49 as the window shows them:
  // row 0 the titles, column 0 the row numbers.
  std::array<std::array<std::string, ColonneSerie>, RigheSerie + 1> Griglia;

  EditorMateriali();

  // The series of the list to show first: the first named exactly DefaultMateriale, else the
  // first; 0 for an empty archive.
  static int16_t IndiceDefault();
  // The list refilled: shows the default series (no question).
  void CaricaListaSerie();
  // Copies archive series k into the working copy and shows it; clean afterwards.
  void CaricaSerie(int16_t k);
  // The working copy into the grid's texts.
  void MostraSerie();
  // The outer diameters and thicknesses read back from the grid, the derived values recomputed;
  // a row whose two cells still show the stored values keeps its stored figures.
  void RicalcolaRighe();
  // The density box's text, decimals included, with the blank of a non-negative number.
  std::string TestoDensita() const;

  // The cell editor's text committed into cell (riga, colonna), colonna 1..3, riga 1..49.
  EsitoCommit Commit(int16_t riga, int16_t colonna, const std::string& testo);
  // Leaving the density box: a decimal comma or point.
  // Stores the density box; false after a message when the text is no plain number (nothing
  // changes then).
  bool ImpostaDensita(const std::string& testo);
  void ImpostaDescrizione(const std::string& testo);
  void ImpostaTipoFormula(int16_t tipo);

  // The question before another series is shown; false when cancelled or when the save failed.
  bool CheckBeforeChange();
  // A pick in the list (series k): the question, then the series. False when nothing changed.
  bool CambiaSerie(int16_t k);
  // Saves the series shown when it is new or changed; an unchanged one is left as its file has it
  // (true). False (after the message) when it could not be written, a row to be
  // written has no inner diameter above 0, the description or a label would not read back as
  // typed, or a 51st series was refused: nothing is then taken as saved and the changes stay
  // pending.
  bool SalvaSerie();
  // Stores the working copy as archive series k and recomputes every series.
  void CopiaInArchivio(int16_t k);
  // "Nuovo": saves the series shown (SalvaSerie), asks the name through `chiediNome` ("" for
  // cancelled) and starts a new series. False when none was started.
  bool Nuovo(const std::function<std::string()>& chiediNome);
  // "Cancella": deletes only the file of the series shown.
  void Cancella();
  // "Annulla": true when the window may close.
  bool Esci();

  // The number a grid cell holds (a decimal comma or point).
  static double NumeroCella(const std::string& testo);

 private:
  void SvuotaGriglia();
  // The message refusing the save when a row to be written has no usable inner diameter.
  std::string RigaNonSalvabile() const;
};

}  // namespace varnex
