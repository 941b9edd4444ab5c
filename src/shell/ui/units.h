// Window measures and colours as the program keeps them: sizes and positions in twips (1/1440
// inch; 15 twips to a pixel at 96 dpi), colours as &HBBGGRR values (red in the low byte).
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <cstdint>

class QWidget;

namespace varnex::ui {

inline constexpr int TwipsPerPixel = 15;

// Twips to pixels, to the nearest pixel; pixels to twips.
int Pixel(int twips);
int Twips(int pixel);
QSize DimensioneTwips(int larghezza, int altezza);
QRect RettangoloTwips(int sinistra, int alto, int larghezza, int altezza);

// &HBBGGRR to a colour and back (&HFF0000 is blue, &H0000FF red).
QColor ColoreVB(int32_t bbggrr);
int32_t ValoreVB(const QColor& colore);

// Screen measures in twips: the whole screen, and the width of its work area (the screen less
// the desktop's panels).
QSize SchermoTwips();
int LarghezzaAreaLavoro();

// Places a top-level window in the middle of the program: over the main window while it is on
// screen (a program window the user made smaller than the screen would otherwise have its windows
// open beside it, partly outside), else in the middle of the screen; kept inside the screen's work
// area either way.
void CentraSulloSchermo(QWidget& finestra);
// The area the program's windows open in: the main window's frame while it is on screen and not
// minimised, else the whole screen. Null when there is no screen.
QRect AreaProgramma();
// Moves a top-level window by the least needed to have it whole inside the screen's work area
// (its top-left corner wins when it is larger).
void DentroLoSchermo(QWidget& finestra);

}  // namespace varnex::ui
