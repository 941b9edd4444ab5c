// The report files' window side: the save dialog through the services layer, the logo read as a
// picture into the print dialog's logo holder, the progress window, pending events, the schema
// saved as a bitmap by the schema page, and the closing of the print dialog.
#pragma once

#include <QLabel>

#include "report/files/stampa_file.h"
#include "report/print/ui/frm_print_wait.h"

namespace varnex::ui {

// Installs the window side of the HTML and text report runs for the life of the program and hands
// the two runs to the print dialog's file output. Until it is called the runs use a silent
// stand-in that answers as the user who cancels.
void InstallaStampaFile();

// The progress window of the report-file run under way; nullptr outside a run.
frmPrintWait* AttesaStampaFile();

// The windows' SalvaPartiSchema: the network drawn once, at three times the screen's pixels, and
// the parts `dividi` chooses for the picture's size saved as bitmaps; the picture's size.
MisuraSchema SalvaPartiSchema(const DivisioneFiguraSchema& dividi);

// The logo holder the runs fill: the print dialog's QLabel named "picLogo", with its "Tag"
// property set to "OK" when the logo is loaded and "" otherwise. nullptr when no dialog is open.
QLabel* LogoStampaFile();

}  // namespace varnex::ui
