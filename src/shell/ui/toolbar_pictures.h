// The toolbar's and the schema palette's pictures, drawn in code: each matches its command's role
// (a calculator for the calculation, a padlock for the diameter lock...), with the pressed look
// for a toggle that is on and a greyed look for a disabled button.
#pragma once

#include <QPainter>
#include <QPixmap>

#include "editor/barra_strumenti.h"

namespace varnex::ui {

inline constexpr int LatoFigura = 24;

// The pictures the editor's page routines put on the toolbar buttons.
QPixmap FiguraBarra(Immagine figura);

// The file commands of the first toolbar row.
enum class FiguraFile { Nuovo, Apri, Salva, Stampa, Parametri, Gas, Guida, Esci, Cancella, ConfermaGas };
QPixmap FiguraComandoFile(FiguraFile figura);

// The schema palette and the activity indicator.
enum class FiguraPalette { Tronco, Caldaia, UtenzaPressione, Fornello, Bruciatore, Convettore, Contatore, Manometro };
// A palette picture at `lato` pixels.
QPixmap FiguraComponente(FiguraPalette figura, int lato = 32);
// The same picture drawn on a painter in its own 32 x 32 units, at whatever resolution the
// painter's device has (a printer's included).
void DisegnaComponente(QPainter& g, FiguraPalette figura);

}  // namespace varnex::ui
