// The cover of the calculation report: the fields of both covers (internal installation,
// pressurised network) with their labels in each output and their masked values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

enum class RendererReport : int16_t { Stampa, HTML, Testo };

struct CampoCopertina {
  int16_t Riga = 0;                 // 1..19: 1 title, 2 subtitle, 3 reference, 4 job, 5 gas, ...
  std::string EtichettaStampa;      // printed label (rows 1 and 2: the text itself)
  std::string EtichettaHTML;
  std::string EtichettaTesto;
  std::string Valore;               // the value through the output's mask (rows 1, 2: empty)
  std::string ValoreParentesi;      // rows 12, 14, 15: the bracketed value through the output's
                                    // mask (the printed one carries the ")"); empty otherwise
  const std::string& Etichetta(RendererReport renderer) const;
};

// The fields of the cover of the current activity, in print order: rows 1-13 for an internal
// installation, rows 1-6, 8, 9, 14-19 for a pressurised network. Every value is read before the
// caller writes anything; a simultaneity of 0 on segment 1 of a pressurised network throws
// ErroreReport.
std::vector<CampoCopertina> GetCampiCopertina(RendererReport renderer);

// The largest velocity of the linked segments of the current network, as regional text ("0" when
// none is above 0).
std::string GetVelocitaMassima();

// A number through a cover mask: literal text around the digit codes kept, "0" a required digit,
// "#" an optional one (after the decimal point trailing zeros and a bare comma are dropped),
// decimal comma, rounding half away from zero.
std::string FormatCopertina(double valore, std::string_view maschera);
std::string FormatCopertina(float valore, std::string_view maschera);

}  // namespace varnex
