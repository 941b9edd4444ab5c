#include "model/tenuta.h"

#include <algorithm>
#include <vector>

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/rete.h"

namespace varnex {

TTenutaImpianto TenutaImpianto;
std::array<TParFamGas, 4> ParFamGas{};
int16_t NumFamiglieGas = 3;
std::string DefRagSociale;
std::string DefIndirizzo;
std::string DefTelefono;
std::string DefNomeTecnico;

namespace {

IPaginaTenuta* paginaTenuta = nullptr;

constexpr const char* kFileDefaults = "TENIMPTECDEF.CFG";
constexpr const char* kFileFamiglie = "PARFAMGAS.CFG";

#define TESTO(f) CampoTenuta{#f, &TTenutaImpianto::f, nullptr}
#define INTERO(f) CampoTenuta{#f, nullptr, &TTenutaImpianto::f}
const std::array<CampoTenuta, NumCampiTenuta> kCampi = {
    TESTO(RagSociale),        TESTO(Indirizzo),
    TESTO(Telefono),          TESTO(NomeTecnico),
    TESTO(ProprietarioNome),  TESTO(ProprietarioTel),
    TESTO(ProprietarioComuneInstall), TESTO(ProprietarioProv),
    TESTO(ProprietarioCap),   TESTO(ProprietarioVia),
    TESTO(ProprietarioNumero), TESTO(ProprietarioScala),
    TESTO(ProprietarioNome2), TESTO(ProprietarioComuneResid),
    TESTO(ProprietarioVia2),  TESTO(ProprietarioNumCiv),
    TESTO(ProprietarioPresente), INTERO(FamigliaGas),
    TESTO(CapacitaImpianto),  TESTO(CapacitaContatore),
    TESTO(CapacitaTotale),    TESTO(DataEsecuzione),
    TESTO(OraEsecuzione),     TESTO(Cause),
    TESTO(CausaAltro),        INTERO(AppComplessivo),
    INTERO(AppRisc),          INTERO(AppAcquaSan),
    INTERO(AppCombinati),     INTERO(AppCottura),
    INTERO(AppAltroNum),      TESTO(AppAltroDesc),
    INTERO(Metodo),           TESTO(ProvaContModello),
    TESTO(ProvaContCalibro),  TESTO(ProvaContMarca),
    TESTO(ProvaContMatricola), TESTO(ProvaContQn),
    TESTO(ProvaContPprova),   TESTO(ProvaContDispRil),
    TESTO(ProvaContPRif),     TESTO(ProvaContDispRif),
    TESTO(ProvaCDPStrumento), TESTO(ProvaCDPMarca),
    TESTO(ProvaCDPMatricola), TESTO(ProvaCDPPprova),
    TESTO(ProvaCDPcdp),       TESTO(ProvaCDPPrifer),
    TESTO(ProvaCDPcdpmax),    INTERO(DisposIntercett),
    INTERO(Risultato),        TESTO(Note),
};
#undef TESTO
#undef INTERO

// A value must stay on its own line: line breaks become blanks.
std::string UnaRiga(std::string_view testo) { return SostituisciACapo(testo); }

// Whole number of a value line; a line that holds no number fitting 16 bits gives 0.
int16_t InteroDaRiga(std::string_view riga) { return ToInt16(ValDot(riga)).value_or(0); }

const char* NomeFamiglia(int i) { return i == 1 ? "I" : i == 2 ? "II" : "III"; }

}  // namespace

const std::array<CampoTenuta, NumCampiTenuta>& CampiTenuta() { return kCampi; }

bool IsCampoPascal(int indice) {
  if (indice < 0 || indice >= NumCampiTenuta) return false;
  const auto testo = kCampi[static_cast<size_t>(indice)].testo;
  return testo == &TTenutaImpianto::ProvaContPprova || testo == &TTenutaImpianto::ProvaCDPPprova ||
         testo == &TTenutaImpianto::ProvaCDPcdp;
}

bool PascalAmbiguo(std::string_view testo) {
  const std::string t = Trim(testo);
  const size_t virgola = t.find(',');
  if (virgola == std::string::npos || virgola == 0 || t.size() - virgola != 4) return false;
  for (size_t i = 0; i < t.size(); ++i)
    if (i != virgola && !(t[i] >= '0' && t[i] <= '9') && !(i == 0 && (t[i] == '+' || t[i] == '-'))) return false;
  return t[virgola - 1] >= '0' && t[virgola - 1] <= '9';
}

bool PascalDaConfermare(const TTenutaImpianto& t, int indice) {
  return IsCampoPascal(indice) && (t.PascalDaConfermare >> indice & 1u) != 0 &&
         PascalAmbiguo(t.*kCampi[static_cast<size_t>(indice)].testo);
}

void ImpostaPaginaTenuta(IPaginaTenuta* pagina) { paginaTenuta = pagina; }
IPaginaTenuta* PaginaTenutaInstallata() { return paginaTenuta; }

void TenutaImpiantoRefresh() {
  if (paginaTenuta) paginaTenuta->Refresh();
}

void TenutaImpiantoInit() {
  if (paginaTenuta) paginaTenuta->Init();
}

void TenutaImpiantoSave(TextWriter& file, const std::string& /*versione*/) {
  TenutaImpiantoRefresh();
  const TTenutaImpianto& t = TenutaImpianto;
  file.PrintLine(MarcatoreTenuta);
  for (const CampoTenuta& c : kCampi) {
    if (c.testo)
      file.PrintLine(UnaRiga(t.*c.testo));
    else if (c.intero == &TTenutaImpianto::Risultato && ReteInPressione != 0)
      // A pressurised network has no tightness test: a verdict carried in from elsewhere is not
      // saved with it.
      file.PrintLine(TestoStampa(int16_t{0}));
    else
      file.PrintLine(TestoStampa(t.*c.intero));
  }
  file.PrintLine(TestoStampa(OrientamentoSorgente));
  file.PrintLine();
  file.PrintLine(FineTenuta);
  file.PrintLine("#");
  file.PrintLine("#");
}

bool TenutaImpiantoLoad(TextReader& file, const std::string& /*versione*/) {
  // Look ahead on a copy: when the section is missing the project reader must still find the
  // document path from where it stood.
  TextReader cerca = file;
  std::string riga;
  for (;;) {
    if (cerca.Eof()) return false;
    riga = ReadDataLine(cerca);
    // A marker on the last line has no values after it: the record stays as it was.
    if (riga == MarcatoreTenuta) {
      if (cerca.Eof()) return false;
      break;
    }
    if (riga == "!PARAMETERS-DOCUMENTPATH" || riga == "!END") return false;
  }
  // The writer puts exactly one line per field, so the values are taken by position: a value
  // that begins with "#" or holds a comma is the user's text, not a comment or a decimal.
  TTenutaImpianto letto;
  for (const CampoTenuta& c : kCampi) {
    std::string valore = cerca.LineInput();
    if (c.testo)
      letto.*c.testo = valore;
    else
      letto.*c.intero = InteroDaRiga(valore);
  }
  for (int i = 0; i < NumCampiTenuta; ++i)
    if (IsCampoPascal(i) && PascalAmbiguo(letto.*kCampi[static_cast<size_t>(i)].testo))
      letto.PascalDaConfermare |= uint64_t{1} << i;
  TenutaImpianto = std::move(letto);
  file = std::move(cerca);
  return true;
}

bool SalvaTenImpTecDef() {
  const TTenutaImpianto& t = TenutaImpianto;
  if (t.RagSociale.empty() && t.Indirizzo.empty() && t.Telefono.empty() && t.NomeTecnico.empty()) return true;
  TextWriter file(FileProgramma(kFileDefaults));
  file.PrintLine("4.0");
  file.PrintLine(UnaRiga(t.RagSociale));
  file.PrintLine(UnaRiga(t.Indirizzo));
  file.PrintLine(UnaRiga(t.Telefono));
  file.PrintLine(UnaRiga(t.NomeTecnico));
  // Saving the same firm again writes nothing: a project save must not depend on this file.
  if (LeggiFileGrezzo(file.Path()) == Utf8ToCp1252(file.Text())) return true;
  // Every project save tries again; the user hears of the failure once, not at each save, until
  // the file can be written again.
  static std::string giaDetto;
  std::string errore;
  if (file.Commit(&errore)) {
    giaDetto.clear();
    return true;
  }
  if (giaDetto != file.Path()) {
    MsgBox("Il progetto e' stato salvato, ma i dati predefiniti del tecnico non sono stati salvati nel file " +
           std::string(kFileDefaults) + ".\r\n" + errore);
    giaDetto = file.Path();
  }
  return false;
}

bool LeggiTenImpTecDef() {
  std::string percorso = FileProgramma(kFileDefaults);
  // No file yet: no defaults. Reading never writes (the folder may be read-only); the file is
  // made by the first project save that has a firm to remember.
  if (!EsisteFile(percorso)) {
    DefRagSociale.clear();
    DefIndirizzo.clear();
    DefTelefono.clear();
    DefNomeTecnico.clear();
    return true;
  }
  TextReader file;
  if (!file.Open(percorso)) {
    MsgBox("Impossibile leggere il file " + std::string(kFileDefaults) + ".");
    return false;
  }
  // Firm names may hold commas: the values are taken as written.
  ReadNextLineRaw(file);  // version
  DefRagSociale = ReadNextLineRaw(file);
  DefIndirizzo = ReadNextLineRaw(file);
  DefTelefono = ReadNextLineRaw(file);
  DefNomeTecnico = ReadNextLineRaw(file);
  return true;
}

void CaricaTenImpTecDef() { LeggiTenImpTecDef(); }

bool CaricaParFamGas() {
  std::string percorso = FileProgramma(kFileFamiglie);
  TextReader file;
  if (!EsisteFile(percorso) || !file.Open(percorso)) {
    MsgBox("Il file " + percorso + " non e' presente nel disco. " + ComeRiavereFileDistribuito(kFileFamiglie),
           Bottoni::OK, Icona::Critico);
    return false;
  }
  std::vector<std::string> campi(3);
  for (int i = 1; i <= NumFamiglieGas && i <= 3; ++i) {
    if (file.Eof()) {
      MsgBox("Il file " + std::string(kFileFamiglie) +
                 " e' incompleto: deve contenere una riga per ciascuna delle tre famiglie di gas. " +
                 ComeRiavereFileDistribuito(kFileFamiglie, true),
             Bottoni::OK, Icona::Critico);
      return false;
    }
    std::string riga = file.LineInput();
    ParFamGas[i] = TParFamGas{};
    if (IsRigaCommento(riga) || IsRigaVuota(riga)) continue;
    std::fill(campi.begin(), campi.end(), std::string());
    SplitFields(riga, campi);
    ParFamGas[i].PressioneRif = static_cast<float>(ValDot(campi[0]));
    ParFamGas[i].CaloMaxMinuto = static_cast<float>(ValDot(campi[1]));
  }
  for (int i = 1; i <= 3; ++i) {
    const bool pressione = ParFamGas[i].PressioneRif == 0;
    const bool calo = ParFamGas[i].CaloMaxMinuto == 0;
    if (!pressione && !calo) continue;
    // The warning names the value that is missing, so that the file can be mended.
    const std::string cosa = pressione && calo ? std::string("la pressione di riferimento e la caduta massima in un "
                                                             "minuto della famiglia ") + NomeFamiglia(i) + " valgono 0"
                             : pressione ? std::string("la pressione di riferimento della famiglia ") + NomeFamiglia(i) +
                                               " vale 0"
                                         : std::string("la caduta massima in un minuto della famiglia ") +
                                               NomeFamiglia(i) + " vale 0";
    MsgBox(std::string("Attenzione! Nel file ") + kFileFamiglie + " " + cosa +
               ": la verifica di tenuta per i gas di questa famiglia non e' attendibile.",
           Bottoni::OK, Icona::Esclamazione);
  }
  return true;
}

bool InitFamiglieGas() {
  NumFamiglieGas = 3;
  return CaricaParFamGas();
}

int16_t CodiceDaOpzioni(bool primo, bool secondo) { return primo ? 1 : secondo ? 2 : 0; }

void OpzioniDaCodice(bool& primo, bool& secondo, int16_t codice) {
  primo = codice == 1;
  secondo = codice == 2;
}

std::string CauseDaCaselle(const std::array<int16_t, 7>& caselle) {
  std::string testo;
  for (int k = 0; k < 7; ++k) {
    if (k > 0) testo += ';';
    if (caselle[k] != 0) testo += static_cast<char>('1' + k);
  }
  return testo;
}

void CaselleDaCause(std::array<int16_t, 7>& caselle, std::string_view cause) {
  auto campi = Split(cause, ";");
  bool valide = campi.size() == 7;
  for (int k = 0; k < 7; ++k) caselle[k] = valide && !campi[k].empty() ? -1 : 0;
}

}  // namespace varnex
