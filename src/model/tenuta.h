// The tightness test of an internal installation (UNI 11137-1): its record, the section of the
// project file that carries it, the technician's defaults "TENIMPTECDEF.CFG", the gas-family test
// parameters "PARFAMGAS.CFG" and the codecs between the page's options and the record.
//
// The record is the only state of the test that outlives the page: the page copies itself into it
// on every refresh, the project writer saves it, the project reader fills it and the reports print
// it. The page lives in the editor window; the core reaches it through `IPaginaTenuta`.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/textfile.h"

namespace varnex {

// The record, fields in file order (42 texts, 10 integers).
struct TTenutaImpianto {
  std::string RagSociale;                 // 1
  std::string Indirizzo;                  // 2
  std::string Telefono;                   // 3
  std::string NomeTecnico;                // 4
  std::string ProprietarioNome;           // 5
  std::string ProprietarioTel;            // 6
  std::string ProprietarioComuneInstall;  // 7
  std::string ProprietarioProv;           // 8
  std::string ProprietarioCap;            // 9
  std::string ProprietarioVia;            // 10
  std::string ProprietarioNumero;         // 11
  std::string ProprietarioScala;          // 12
  std::string ProprietarioNome2;          // 13
  std::string ProprietarioComuneResid;    // 14
  std::string ProprietarioVia2;           // 15
  std::string ProprietarioNumCiv;         // 16
  std::string ProprietarioPresente;       // 17
  int16_t FamigliaGas = 0;                // 18: 0 non-combustible, 1, 2, 3
  std::string CapacitaImpianto;           // 19
  std::string CapacitaContatore;          // 20
  std::string CapacitaTotale;             // 21
  std::string DataEsecuzione;             // 22
  std::string OraEsecuzione;              // 23
  std::string Cause;                      // 24: seven fields joined by ";"
  std::string CausaAltro;                 // 25
  int16_t AppComplessivo = 0;             // 26
  int16_t AppRisc = 0;                    // 27
  int16_t AppAcquaSan = 0;                // 28
  int16_t AppCombinati = 0;               // 29
  int16_t AppCottura = 0;                 // 30
  int16_t AppAltroNum = 0;                // 31
  std::string AppAltroDesc;               // 32
  int16_t Metodo = 0;                     // 33: 1 meter, 2 pressure drop, 0 none
  std::string ProvaContModello;           // 34
  std::string ProvaContCalibro;           // 35
  std::string ProvaContMarca;             // 36
  std::string ProvaContMatricola;         // 37
  std::string ProvaContQn;                // 38
  std::string ProvaContPprova;            // 39
  std::string ProvaContDispRil;           // 40
  std::string ProvaContPRif;              // 41
  std::string ProvaContDispRif;           // 42
  std::string ProvaCDPStrumento;          // 43
  std::string ProvaCDPMarca;              // 44
  std::string ProvaCDPMatricola;          // 45
  std::string ProvaCDPPprova;             // 46
  std::string ProvaCDPcdp;                // 47
  std::string ProvaCDPPrifer;             // 48
  std::string ProvaCDPcdpmax;             // 49
  int16_t DisposIntercett = 0;            // 50: 1 tight, 2 not tight, 0 none
  int16_t Risultato = 0;                  // 51: 1 fit, 2 temporarily fit, 3 unfit, 0 no verdict
  std::string Note;                       // 52

  // Not a field of the file: the whole-pascal boxes (`IsCampoPascal`) whose value read from a
  // project file has exactly three decimals ("1,500"), bit k for field k+1. An older program saved
  // a typed "1.500" (1500 Pa) that way, so the value may mean a thousand times what it reads: it
  // is not judged until the technician confirms it on the page.
  uint64_t PascalDaConfermare = 0;

  bool operator==(const TTenutaImpianto&) const = default;
};

// The record of the open project (emptied by ResetRete).
extern TTenutaImpianto TenutaImpianto;

// One field of the record as the file section sees it: exactly one of the two pointers is set.
struct CampoTenuta {
  const char* nome;
  std::string TTenutaImpianto::*testo;
  int16_t TTenutaImpianto::*intero;
};
inline constexpr int NumCampiTenuta = 52;
// The 52 fields in file order (index 0 = field 1).
const std::array<CampoTenuta, NumCampiTenuta>& CampiTenuta();

// The fields held in whole pascals: the two test pressures and the measured drop (indices in
// `CampiTenuta`).
bool IsCampoPascal(int indice);
// Whether a whole-pascal value has exactly three decimals after a comma ("1,500", "12,345"): as
// an older program wrote a typed thousands point, so it reads either way.
bool PascalAmbiguo(std::string_view testo);
// Whether field `indice` of `t` holds a value read from a file that the technician must confirm.
bool PascalDaConfermare(const TTenutaImpianto& t, int indice);

// Test constants of one gas family, in pascal.
struct TParFamGas {
  float PressioneRif = 0;
  float CaloMaxMinuto = 0;
};
// Indexed by gas family 0..3; element 0 (non-combustible) is never loaded.
extern std::array<TParFamGas, 4> ParFamGas;
extern int16_t NumFamiglieGas;

// Firm defaults from "TENIMPTECDEF.CFG", read each time the page is loaded from the record.
extern std::string DefRagSociale;
extern std::string DefIndirizzo;
extern std::string DefTelefono;
extern std::string DefNomeTecnico;

// The section markers of the project file.
inline constexpr std::string_view MarcatoreTenuta = "!VERIFICATENUTA1137-1";
inline constexpr std::string_view FineTenuta = "~VERIFICATENUTA1137-1";

// Writes the section (58 lines) at the end of the project being written. Refreshes the record
// from the page first. The version text is not used.
void TenutaImpiantoSave(TextWriter& file, const std::string& versione = "1");
// Reads the section from the current position: skips data lines up to the marker (never past
// "!PARAMETERS-DOCUMENTPATH" or "!END", which are left for the project reader), then reads exactly
// the 52 value lines after it. Returns true when the section was found and read; otherwise the
// record is untouched and the reader stands where it stood.
bool TenutaImpiantoLoad(TextReader& file, const std::string& versione = "1");

// Rewrites "TENIMPTECDEF.CFG" from the record's four firm fields, only when at least one of them
// is not empty (an empty page or a pressurised project must not wipe the defaults) and the file
// does not hold them already. A failure returns false and is reported, with its reason, by a
// message that says the project was saved: once, not again at every save until the file has been
// written; it never fails a project save.
bool SalvaTenImpTecDef();
// Loads the four firm defaults; a missing file gives four empty defaults and is not created.
bool LeggiTenImpTecDef();
void CaricaTenImpTecDef();

// Sets NumFamiglieGas to 3 and loads "PARFAMGAS.CFG". A missing or short file shows a message and
// returns false: the start-up sequence must stop. A family whose values read as 0 is warned about.
bool InitFamiglieGas();
bool CaricaParFamGas();

// The option-pair codec: 1 first selected, 2 second selected, 0 none.
int16_t CodiceDaOpzioni(bool primo, bool secondo);
void OpzioniDaCodice(bool& primo, bool& secondo, int16_t codice);
// The causes codec: seven boxes (ticked when not 0) <-> "1;;;;5;;".
std::string CauseDaCaselle(const std::array<int16_t, 7>& caselle);
void CaselleDaCause(std::array<int16_t, 7>& caselle, std::string_view cause);

// The tightness page of the editor window, as the core sees it. Until the page exists (and in
// tests that do not install one) both operations do nothing.
class IPaginaTenuta {
 public:
  virtual ~IPaginaTenuta() = default;
  // Recomputes the page and copies it into the record (only once the page was initialised).
  virtual void Refresh() = 0;
  // Loads the record and the technician defaults into the page.
  virtual void Init() = 0;
};
void ImpostaPaginaTenuta(IPaginaTenuta* pagina);
IPaginaTenuta* PaginaTenutaInstallata();
void TenutaImpiantoRefresh();
void TenutaImpiantoInit();

}  // namespace varnex
