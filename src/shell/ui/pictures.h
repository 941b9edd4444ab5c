// The program's own pictures, drawn in code: the product logo, the two flame pictures of the
// start-up window and the four frames of the wait animation.
#pragma once

#include <QImage>

namespace varnex::ui {

// The product logo of the start-up and about window.
QImage DisegnaLogo();
// The logo as shipped in "logo.bmp" for the report headers (within 184 x 41 pixels).
QImage DisegnaLogoStampa();
// Flame picture 0 or 1 of the start-up window.
QImage DisegnaFiamma(int indice);
// Frame 1 to 4 of the wait animation.
QImage DisegnaFotogrammaAttesa(int numero);

}  // namespace varnex::ui
