#include "model/campi.h"

#include <cmath>

#include "model/gas.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/strings.h"

namespace varnex {

namespace {

bool SlotInTabella(int16_t slot) { return slot >= 0 && slot <= MaxTronchi; }

// The 16-bit field of a plain integer code, or nullptr.
int16_t* CampoIntero(TTronco& t, int16_t codice) {
  switch (codice) {
    case campo::ID_NUM: return &t.ID_NUM;
    case campo::ID_NCURVE: return &t.ID_NCURVE;
    case campo::ID_NGOMITI: return &t.ID_NGOMITI;
    case campo::ID_DIAMCUSTOM: return &t.ID_DIAMCUSTOM;
    case campo::ID_PREV: return &t.ID_PREV;
    case campo::ID_LEFT: return &t.ID_LEFT;
    case campo::ID_RIGHT: return &t.ID_RIGHT;
    case campo::ID_NRACCORDI: return &t.ID_NRACCORDI;
    case campo::ID_NRUBINETTI: return &t.ID_NRUBINETTI;
    case campo::ID_TIPORACCORDO: return &t.ID_TIPORACCORDO;
    case campo::TIPOLOGIA_UTENZA: return &t.TipologiaUtenza;
    case campo::CODICE_SVOLTA: return &t.CodiceSvolta;
    case campo::ID_CONTEMP: return &t.ID_CONTEMP;
    case campo::ID_SPC5: return &t.ID_SPC5;
    case campo::ID_SPC6: return &t.ID_SPC6;
    case campo::ID_SPC7: return &t.ID_SPC7;
    case campo::ID_SPC8: return &t.ID_SPC8;
    case campo::ID_SPC9: return &t.ID_SPC9;
    case campo::ID_SPC10: return &t.ID_SPC10;
    default: return nullptr;
  }
}

// The single-precision field of a stored real code, or nullptr (43 is read only, handled apart).
float* CampoReale(TTronco& t, int16_t codice) {
  switch (codice) {
    case campo::ID_P_UTENZE: return &t.ID_P_UTENZE;
    case campo::ID_P_TRONCO: return &t.ID_P_TRONCO;
    case campo::ID_LEN: return &t.ID_LEN;
    case campo::ID_RACCORDO:
    case campo::ID_RACCORDO_BIS: return &t.ID_RACCORDO;
    case campo::ID_PDC_NOTA: return &t.ID_PDC_NOTA;
    case campo::ID_VELOCITA: return &t.ID_VELOCITA;
    case campo::ID_PDC_TRONCO: return &t.ID_PDC_TRONCO;
    case campo::ID_PDC_PERCORSO: return &t.ID_PDC_PERCORSO;
    case campo::ID_PESO: return &t.ID_PESO;
    case campo::ID_POTENZA: return &t.ID_POTENZA;
    case campo::ID_EQLENNOTA: return &t.ID_EQLENNOTA;
    case campo::ID_EQ_LEN: return &t.ID_EQ_LEN;
    default: return nullptr;
  }
}

int32_t* CampoLungo(TTronco& t, int16_t codice) {
  switch (codice) {
    case campo::FINE_X: return &t.FineX;
    case campo::FINE_Y: return &t.FineY;
    case campo::LUNGHEZZA_DISEGNO: return &t.LunghezzaDisegno;
    default: return nullptr;
  }
}

std::string* CampoTesto(TTronco& t, int16_t codice) {
  switch (codice) {
    case campo::ID_NAME:
    case campo::ID_NAME_BIS: return &t.ID_NAME;
    case campo::ID_DIAMETRO: return &t.ID_DIAMETRO;
    case campo::ID_RIF: return &t.ID_RIF;
    case campo::COMPOSIZIONE_UTENZA: return &t.ComposizioneUtenza;
    default: return nullptr;
  }
}

double PotenzaTermica(const TTronco& t) {
  const double potere = t.TipologiaUtenza == 1 ? GasCorrente.PCS : GasCorrente.PCI;
  return potere * static_cast<double>(t.ID_P_TRONCO) * 1000.0 / 3.6;
}

void ScriviMateriale(int16_t slot, std::string_view valore) {
  TTronco& t = Tronco(slot);
  t.ID_MATERIALE = std::string(valore);
  std::string cerca(valore);
  const int16_t i = CercaMaterialeNome(cerca);
  if (!Trim(valore).empty() && i < 1) {
    frmEquiv.Substitute(std::string(valore), SostituzioneMateriale);
    const int16_t scelto = frmEquiv.value();
    // Without a choice the segment keeps the name it was given: the calculation's refusal names
    // the missing series, and the project is saved as it was read.
    t.IndiceMateriale = scelto >= 1 && scelto <= MaxMateriali ? scelto : int16_t{0};
    if (t.IndiceMateriale != 0) {
      t.ID_MATERIALE = Materiali[static_cast<size_t>(scelto)][0].Nome;
      ProgettoModificato = -1;
    }
  } else {
    t.IndiceMateriale = i;
  }
}

// Stores a number that was read already; `testo` is the text form for the text codes.
void ScriviNumero(int16_t slot, int16_t codice, double numero, std::string_view testo) {
  TTronco& t = Tronco(slot);
  if (int16_t* campo = CampoIntero(t, codice)) {
    // A number that does not fit leaves the field as it was.
    if (auto v = ToInt16(numero)) *campo = *v;
    return;
  }
  if (float* campo = CampoReale(t, codice)) {
    *campo = static_cast<float>(numero);
    return;
  }
  if (int32_t* campo = CampoLungo(t, codice)) {
    if (auto v = ToInt32(numero)) *campo = *v;
    return;
  }
  switch (codice) {
    case campo::ELIMINATO: t.Eliminato = numero != 0 ? -1 : 0; return;
    case campo::SLOT_LIBERO: t.SlotLibero = numero != 0 ? -1 : 0; return;
    case campo::ID_MATERIALE: ScriviMateriale(slot, testo); return;
    default: break;
  }
  if (std::string* campo = CampoTesto(t, codice)) *campo = std::string(testo);
  // 31, 32, 33, 35, 43 and 44 are not stored.
}

}  // namespace

double NumeroCampo(const ValoreCampo& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return Val(*s);
  if (const auto* n = std::get_if<int16_t>(&v)) return *n;
  if (const auto* n = std::get_if<int32_t>(&v)) return *n;
  if (const auto* n = std::get_if<float>(&v)) return *n;
  if (const auto* n = std::get_if<double>(&v)) return *n;
  return 0;
}

std::string TestoCampo(const ValoreCampo& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (const auto* n = std::get_if<int16_t>(&v)) return TestoNumero(*n);
  if (const auto* n = std::get_if<int32_t>(&v)) return TestoNumero(*n);
  if (const auto* n = std::get_if<float>(&v)) return TestoNumero(*n);
  if (const auto* n = std::get_if<double>(&v)) return TestoNumero(*n);
  return {};
}

ValoreCampo GetField(int16_t slot, int16_t codice) {
  if (!SlotInTabella(slot) || codice < campo::Primo || codice > campo::Ultimo) return {};
  TTronco& t = Tronco(slot);
  if (int16_t* v = CampoIntero(t, codice)) return *v;
  if (float* v = CampoReale(t, codice)) return *v;
  if (int32_t* v = CampoLungo(t, codice)) return *v;
  if (std::string* v = CampoTesto(t, codice)) return *v;
  switch (codice) {
    case campo::ID_MATERIALE: return t.ID_MATERIALE;
    case campo::ID_P_KW: return PotenzaTermica(t);
    case campo::ID_P_KCAL: return PotenzaTermica(t) * 0.86;
    case campo::ID_NOMETIPOUTENZA: return std::string(t.TipologiaUtenza == 1 ? "Cottura" : "Riscaldamento");
    case campo::ID_DIAMETRO_INTERNO: return DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO);
    case campo::ID_PFINALE: return t.ID_PFINALE;
    case campo::ID_EQLENLOC: return t.ID_EQ_LEN - t.ID_LEN - t.ID_EQLENNOTA;
    case campo::ELIMINATO: return t.Eliminato;
    case campo::SLOT_LIBERO: return t.SlotLibero;
    default: return {};
  }
}

void SetField(int16_t slot, int16_t codice, std::string_view valore) {
  if (!SlotInTabella(slot) || codice < campo::Primo || codice > campo::Ultimo) return;
  ScriviNumero(slot, codice, Val(valore), valore);
}

void SetField(int16_t slot, int16_t codice, double valore) {
  if (!SlotInTabella(slot) || codice < campo::Primo || codice > campo::Ultimo) return;
  ScriviNumero(slot, codice, valore, TestoNumero(valore));
}

int16_t CercaMaterialeNome(std::string& nome) {
  nome = UCase(Trim(nome));
  const int16_t n = std::min<int16_t>(NumMateriali, MaxMateriali);
  for (int16_t i = 1; i <= n; ++i) {
    if (UCase(Materiali[static_cast<size_t>(i)][0].Nome) == nome) return i;
  }
  return 0;
}

}  // namespace varnex
