#include "editor/selettori.h"

#include <cmath>

#include "editor/celle.h"

#include "model/calcolo.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/helpers.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/strings.h"

namespace varnex {

std::vector<std::string> VociSelettore() {
  std::vector<std::string> voci{"Auto"};
  for (int i = 1; i <= 50; ++i) voci.push_back(std::to_string(i * 10));
  return voci;
}

std::string TestoValoreSelettore(double valore) { return TestoNumero(valore); }

int VoceUguale(const std::vector<std::string>& voci, const std::string& testo) {
  for (size_t i = 0; i < voci.size(); ++i)
    if (voci[i] == testo) return static_cast<int>(i);
  return -1;
}

bool TastoAmmesso(Selettore, int16_t keyAscii) {
  return IsCifra(keyAscii) || keyAscii == 8 || keyAscii == ',' || keyAscii == '.';
}

std::string RifiutoSelettore(Selettore selettore, const std::string& testo) {
  if (testo == "0" || testo == "Auto" || Trim(testo).empty()) return {};
  const char* nome = selettore == Selettore::PressioneIniziale ? "la pressione relativa iniziale"
                     : selettore == Selettore::PressioneFinale ? "la pressione relativa finale"
                                                               : "la perdita massima imposta (Dp max)";
  return RifiutoNumero(nome, testo);
}

EsitoPressione LeggiPressione(const std::string& testo, double predefinito) {
  EsitoPressione e;
  if (testo == "0" || testo == "Auto")
    e.Valore = predefinito;
  else
    e.Valore = std::fabs(ValDot(testo));
  e.Rossa = predefinito != e.Valore;
  return e;
}

void ApplicaPerditaMassima(const std::string& testo) {
  if (testo == "0" || testo == "Auto")
    PDCMaxUtente = 0;
  else
    PDCMaxUtente = ValDot(testo);
  PDCMaxTesto = TestoNumero(PDCMassima());
}

double PerditaMassimaTabella() {
  const float potenza = static_cast<float>(static_cast<double>(GasCorrente.PCI * Tronco(1).ID_P_TRONCO) / 3.6);
  const size_t riga = potenza > SogliaPotenzaPDC ? 2 : 1;
  const int16_t famiglia = GasCorrente.Famiglia;
  if (famiglia < 0 || famiglia > 3) return 0;
  return ArrotondaPari(PDCMaxTabella[riga][static_cast<size_t>(famiglia)]);
}

bool PerditaMassimaRossa(const std::string& testo) { return ValDot(testo) != PerditaMassimaTabella(); }

}  // namespace varnex
