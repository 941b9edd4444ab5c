// The tightness page as plain data, and everything the page does: loading the record into it,
// the required-field check, the family pages, the calculation of the test and its verdict, and
// copying the page back into the record.
//
// The window copies its controls into a `PaginaTenuta` before each operation and shows the
// result afterwards, so every rule of the page runs (and is tested) without a window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/numbers.h"
#include "model/tenuta.h"
#include "tightness/validazione.h"

namespace varnex {

// The record's fields by position (field number less one), as the page's text boxes are indexed.
namespace campo_tenuta {
enum Campo : int {
  RagSociale, Indirizzo, Telefono, NomeTecnico,
  ProprietarioNome, ProprietarioTel, ProprietarioComuneInstall, ProprietarioProv, ProprietarioCap,
  ProprietarioVia, ProprietarioNumero, ProprietarioScala, ProprietarioNome2, ProprietarioComuneResid,
  ProprietarioVia2, ProprietarioNumCiv, ProprietarioPresente,
  FamigliaGas,
  CapacitaImpianto, CapacitaContatore, CapacitaTotale,
  DataEsecuzione, OraEsecuzione, Cause, CausaAltro,
  AppComplessivo, AppRisc, AppAcquaSan, AppCombinati, AppCottura, AppAltroNum, AppAltroDesc,
  Metodo,
  ProvaContModello, ProvaContCalibro, ProvaContMarca, ProvaContMatricola, ProvaContQn,
  ProvaContPprova, ProvaContDispRil, ProvaContPRif, ProvaContDispRif,
  ProvaCDPStrumento, ProvaCDPMarca, ProvaCDPMatricola, ProvaCDPPprova, ProvaCDPcdp,
  ProvaCDPPrifer, ProvaCDPcdpmax,
  DisposIntercett, Risultato, Note,
};
}  // namespace campo_tenuta

// True for the fields that the page edits in a text box (all but the family, the causes, the
// method, the device and the verdict).
bool IsCampoCasellaTesto(int campo);
// True for the boxes that the calculation fills (the capacities of the plant, the reference values
// and the largest drop): the user reads them, never types in them.
bool IsCampoCalcolato(int campo);

// The section frames, top to bottom.
namespace cornice_tenuta {
enum Cornice : int {
  DescrizioneProva, Impresa, Proprietario, Gas, CapacitaImpianto, Intervento, ApparecchiAlimentati,
  Metodologia, ProvaContatore, ProvaCDP, DispositivoIntercettazione, RisultatoVerifica, Note,
  DatiImpresaBis,
};
inline constexpr int Numero = 14;
}  // namespace cornice_tenuta

// The verdicts and the texts of the page. No verdict (0) while the chosen test is incomplete.
inline constexpr int16_t NessunVerdetto = 0;
inline constexpr int16_t VerdettoIdoneo = 1;
inline constexpr int16_t VerdettoTemporaneo = 2;
inline constexpr int16_t VerdettoNonIdoneo = 3;
extern const char* const TestoIdoneo;
extern const char* const TestoTemporaneo;
extern const char* const TestoNonIdoneo;
extern const char* const AvvisoNormativa;
extern const char* const AvvisoFamiglia3;
extern const char* const AvvisoNonCombustibile;
extern const char* const AvvisoInPressione;
extern const char* const AvvisoIniziale;
extern const char* const MessaggioPortataNominale;
extern const char* const MessaggioFamigliaSconosciuta;
extern const char* const AvvisoFamigliaNonAttribuibile;

// The family the test is judged for, as the record's `FamigliaGas` holds it: that of the current
// gas, or `FamigliaNonAttribuibile` when its Wobbe index matched no family (the family rule then
// gives family I only as a stand-in).
inline constexpr int16_t FamigliaNonAttribuibile = -1;
int16_t FamigliaProva();

// The largest total capacity (pipes and meter, in litres) for which the pressure-drop method holds.
inline constexpr double CapacitaMassimaCDP = 25;

// The largest meter capacity (litres) for which a test can be fit.
inline constexpr double CapacitaMassimaContatore = 3;

// The values a judged measurement can physically take in this test; outside them there is no
// verdict. Test pressures in pascal: a domestic plant tested with its network gas.
inline constexpr double PressioneProvaMinima = 300;
inline constexpr double PressioneProvaMassima = 5000;
// Measured leak in l/h: the most a domestic meter reads.
inline constexpr double DispersioneMassima = 10000;
// The meter's least nominal flow in l/h: no meter reads below it (the method holds up to 1).
inline constexpr double PortataNominaleMinima = 0.01;
// Meter capacity in litres: above 3 the test is unfit, above this the value is no meter's.
inline constexpr double CapacitaContatorePlausibile = 50;

// Why the record carries no verdict, as one Italian sentence for the page and every report: the
// test does not apply to its gas or its method, or a judged value is missing or impossible. Empty
// when every judged value is a real measurement and the test applies.
std::string MotivoSenzaVerdetto(const TTenutaImpianto& t);
// The line under the verdict on the page and in every report: why there is no verdict
// (`MotivoSenzaVerdetto`), or, with a verdict, what made the plant unfit whatever its measurement
// (a device that does not hold, a meter over 3 litres). Empty when the verdict needs no word.
std::string NotaVerdetto(const TTenutaImpianto& t);

// The text of a computed value with at least `decimali` decimals, and more where fewer would put
// the shown value on the other side of the judgement made on the unrounded one (`giudizio`), so
// that what is shown never contradicts the verdict.
template <class Giudizio>
std::string TestoCoerente(double valore, int decimali, Giudizio giudizio);

struct CasellaTestoTenuta {
  std::string Testo;
  ColoreTenuta ColoreSfondo = ColoreSfondoFinestra;
};
struct OpzioneTenuta {
  bool Selezionata = false;
  bool Abilitata = true;
  ColoreTenuta ColoreSfondo = ColoreFacciaPulsante;
  ColoreTenuta ColoreTesto = ColoreTestoPulsante;
};
struct CasellaSpuntaTenuta {
  bool Spuntata = false;
  ColoreTenuta ColoreSfondo = ColoreFacciaPulsante;
};
struct CorniceTenuta {
  bool Visibile = true;
  bool Abilitata = true;
};

class PaginaTenuta {
 public:
  PaginaTenuta();

  // ---- The controls ----
  // Text boxes by field (`campo_tenuta`); the entries of the fields shown otherwise are unused.
  std::array<CasellaTestoTenuta, NumCampiTenuta> Caselle;
  // The read-only copies of the four firm fields.
  std::array<std::string, 4> CopieImpresa;
  // "I famiglia", "II famiglia", "III famiglia" (display only).
  std::array<OpzioneTenuta, 3> Famiglie;
  OpzioneTenuta MetodoContatore, MetodoCDP;
  OpzioneTenuta DisposATenuta, DisposNonATenuta;
  OpzioneTenuta Idoneo, Temporaneo, NonIdoneo;
  // The seven causes in record order, the last being "Altro (specificare)".
  std::array<CasellaSpuntaTenuta, 7> CauseCaselle;
  std::array<CorniceTenuta, cornice_tenuta::Numero> Cornici;
  std::string Descrizione;
  bool DescrizioneRossa = false;
  // The message of the meter method.
  std::string ErroreContatore;
  // Why there is no verdict (`MotivoSenzaVerdetto`), shown under the verdict options.
  std::string MotivoNessunVerdetto;
  // What the page shows under the verdict options (`NotaVerdetto`).
  std::string NotaSottoVerdetto;
  // The pipes' inner volume in litres, unrounded: the box shows it with one decimal, the 25-litre
  // rule judges this. None while a pipe reached from the root has no inner diameter (never
  // sized, or its series has no such row): the volume is then unknown, not smaller.
  std::optional<double> LitriImpianto = 0.0;
  // The whole-pascal boxes whose value, read from the project file, waits for the technician's
  // confirmation (`TTenutaImpianto::PascalDaConfermare`); Enter in the box confirms it.
  uint64_t PascalDaConfermare = 0;
  // False while the page is loaded from the record: refreshes do nothing until it ends.
  bool PaginaTenutaInizializzata = false;

  std::string& Testo(int campo) { return Caselle[static_cast<size_t>(campo)].Testo; }
  const std::string& Testo(int campo) const { return Caselle[static_cast<size_t>(campo)].Testo; }
  // The number a text box holds (0 for a text that is not a number).
  double Valore(int campo) const;

  // ---- Operations ----
  // Loads the record and the technician defaults into the page, then refreshes it.
  void TenutaImpiantoInit();
  // Recomputes the page and copies it into the record (an internal installation only, once loaded).
  void TenutaImpiantoRefresh();
  // Copies the page into the record.
  void TenutaImpiantoUpdateInternalData();
  void CopiaNelRecord(TTenutaImpianto& t) const;
  void PaginaNonDisponibile();
  void SelezionaPaginaFamiglia();
  void PaginaFamiglia1();
  void PaginaFamiglia2();
  void PaginaFamiglia3();
  void PaginaGasNonCombustibile();
  void PaginaFamigliaNonAttribuibile();
  void ControllaCampiTenuta();
  void CalcolaVerificaTenuta();
  void MostraRisultatoVerifica(int16_t verdetto);
  void AbilitaProvaCDP(bool abilitata);
  void AbilitaProvaContatore(bool abilitata);
  void ImpostaDescrizioneProva(const std::string& testo, bool rosso);
  void MostraSezioniTenuta(bool visibili);
  // Validates a text box in place and colours it.
  void ValidaCampoColora(int campo, int16_t tipo, const std::string& decimali = "", const std::string& massimo = "");
  // Enter in a numeric box: validates it by its rule and refreshes. False for a box without one.
  bool CampoConfermato(int campo, bool invio = true);
  // The copies of the firm fields follow the firm fields.
  void CopiaDatiImpresa();
  // Whether a box holds a number the user typed (an empty box is not one; a 0 is, when allowed).
  bool IsNumeroScritto(int campo, bool zeroAmmesso) const;
  // Validates and colours a measurement box: a value outside what the test can measure
  // (`MotivoSenzaVerdetto`) is refused too.
  void ValidaMisuraColora(int campo, int16_t tipo, const std::string& decimali, const std::string& massimo = "");

 private:
  bool inAggiornamento_ = false;
};

template <class Giudizio>
std::string TestoCoerente(double valore, int decimali, Giudizio giudizio) {
  constexpr int kMaxDecimali = 9;
  const bool atteso = giudizio(valore);
  std::string testo;
  for (int d = decimali; d <= kMaxDecimali; ++d) {
    testo = FormatNumero(valore, d);
    if (giudizio(StrToDouble(testo)) == atteso) return testo;
  }
  return testo;
}

}  // namespace varnex
