// Printer helpers of the platform side.
#pragma once

namespace varnex::ui {

// True when the name of the current printer can be read, that is, when a printer is installed.
bool IsStampanteInstallata();

}  // namespace varnex::ui
