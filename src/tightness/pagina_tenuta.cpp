#include "tightness/pagina_tenuta.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "model/calcolo.h"
#include "model/gas.h"
#include "model/numbers.h"
#include "model/rete.h"

namespace varnex {

const char* const TestoIdoneo = "Tenuta idonea al funzionamento";
const char* const TestoTemporaneo =
    "Tenuta idonea al funzionamento temporaneo (La tenuta deve essere ripristinata entro e non oltre 30 giorni a "
    "partire dalla data odierna)";
const char* const TestoNonIdoneo =
    "Tenuta non idonea al funzionamento (L'impianto viene messo fuori esercizio. Si diffida dall'utilizzo: la "
    "mancanza di tenuta rilevata pregiudica la sicurezza della pubblica incolumità)";
const char* const AvvisoNormativa = "Verifica di tenuta dell'impianto in base alla normativa UNI 11137-1";
const char* const AvvisoFamiglia3 =
    "III Famiglia: Norma in corso di elaborazione alla data di aggiornamento del software";
const char* const AvvisoNonCombustibile = "Gas non combustibile";
const char* const AvvisoInPressione = "Rete gas in pressione: verifica non disponibile";
const char* const AvvisoIniziale = "La prova di verifica può essere effettuata";
const char* const MessaggioPortataNominale =
    "Portata nominale > 1 o pari a 0. L'idoneità della tenuta non può essere attestata con questo metodo ma "
    "tramite C.D.P.";
const char* const MessaggioFamigliaSconosciuta = "Assertion error: Famiglia di gas sconoscuta";
const char* const AvvisoFamigliaNonAttribuibile =
    "Gas non associabile a nessuna famiglia (indice di Wobbe fuori dai campi delle famiglie): verifica non "
    "disponibile";

namespace {

using namespace campo_tenuta;
namespace cr = cornice_tenuta;

// The appliance counts in record order, the total first.
constexpr std::array<int, 6> kApparecchi = {AppComplessivo, AppRisc, AppAcquaSan, AppCombinati, AppCottura,
                                            AppAltroNum};
constexpr std::array<int, 4> kImpresa = {RagSociale, Indirizzo, Telefono, NomeTecnico};

bool IsApparecchio(int campo) { return std::find(kApparecchi.begin(), kApparecchi.end(), campo) != kApparecchi.end(); }

int16_t Satura16(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

// The reasons for no verdict.
constexpr const char* kMotivoNonCombustibile = "Nessun esito: la verifica di tenuta non si applica ai gas non combustibili.";
constexpr const char* kMotivoFamiglia3 =
    "Nessun esito: per i gas di III famiglia la norma della verifica di tenuta è in corso di elaborazione.";
constexpr const char* kMotivoNonAttribuibile =
    "Nessun esito: il gas non è associabile a nessuna famiglia, la verifica di tenuta non si applica.";
constexpr const char* kMotivoCDPOltre25 =
    "Nessun esito: la prova mediante rilevazione C.D.P. è ammessa solo per impianti con capacità totale <= 25 l.";
constexpr const char* kMotivoPortataNominale =
    "Nessun esito: con portata nominale minima del contatore maggiore di 1 l/h l'idoneità della tenuta non può "
    "essere attestata con il metodo del contatore ma tramite C.D.P.";

constexpr const char* kMotivoCapacitaIgnota =
    "Nessun esito: la capacità dell'impianto non è nota, perché non tutti i tubi della rete hanno un diametro "
    "calcolato; la prova mediante rilevazione C.D.P. non può essere giudicata.";
constexpr const char* kMotivoParametriFamiglia =
    "Nessun esito: mancano la pressione di riferimento o la caduta massima della famiglia del gas "
    "(file PARFAMGAS.CFG); la prova non può essere giudicata.";
// The capacity boxes of a network whose volume is unknown.
constexpr const char* TestoNonCalcolabile = "NC";

// The inner volume in litres of the pipes reached from the root; none when one of them has no
// inner diameter (a network never sized, or whose calculation was refused for a series without
// that row): leaving such a pipe out would make the plant look smaller than it is.
std::optional<double> LitriTubazioni() {
  for (int16_t s : SottoalberoTronco(1)) {
    const TTronco& t = Tronco(s);
    if (!(DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO) > 0)) return std::nullopt;
  }
  const double litri = static_cast<double>(VolumeImpianto() / 1000.0f);
  if (!std::isfinite(litri)) return std::nullopt;
  return litri;
}

std::string Incompleto(const std::string& cosa) { return "Nessun esito: dati della prova incompleti, manca " + cosa + "."; }

// The reason a measurement cannot be judged, empty when it can. Every measurement named here is
// feminine ("la pressione", "la dispersione"...).
std::string MotivoMisura(const std::string& testo, const std::string& nome, bool positivo) {
  if (testo.empty()) return Incompleto(nome);
  const std::optional<double> v = LeggiRegionale(testo);
  const std::string nonValido = "Nessun esito: dati della prova non validi, " + nome;
  if (!v) return nonValido + " non è un numero.";
  if (positivo && !(*v > 0)) return nonValido + " deve essere maggiore di 0.";
  if (*v < 0) return nonValido + " non può essere negativa.";
  return "";
}

}  // namespace

int16_t FamigliaProva() {
  if (GasCorrente.NonCombustibile != 0) return 0;
  if (GasCorrente.Famiglia != 0 && GasCorrente.ErroreFamiglia != 0) return FamigliaNonAttribuibile;
  return GasCorrente.Famiglia;
}

std::string MotivoSenzaVerdetto(const TTenutaImpianto& t) {
  switch (t.FamigliaGas) {
    case 1:
    case 2:
      break;
    case 0:
      return kMotivoNonCombustibile;
    case 3:
      return kMotivoFamiglia3;
    default:
      return kMotivoNonAttribuibile;
  }
  if (t.Metodo != 1 && t.Metodo != 2) return Incompleto("la metodologia di verifica");
  std::string motivo = MotivoMisura(t.CapacitaContatore, "la capacità del contatore", false);
  if (!motivo.empty()) return motivo;
  // The total is shown so that it stands on the same side of the limit as the unrounded one.
  if (t.Metodo == 2) {
    const std::optional<double> totale = LeggiRegionale(t.CapacitaTotale);
    if (!totale) return kMotivoCapacitaIgnota;
    if (*totale > CapacitaMassimaCDP) return kMotivoCDPOltre25;
  }
  struct Voce {
    const std::string* testo;
    const char* nome;
    int tipo;  // 0 text, 1 measurement not below 0, 2 measurement above 0
  };
  std::vector<Voce> voci;
  if (t.Metodo == 1) {
    const std::optional<double> qn = LeggiRegionale(t.ProvaContQn);
    if (qn && *qn > 1) return kMotivoPortataNominale;
    voci = {{&t.ProvaContModello, "il modello del contatore", 0},
            {&t.ProvaContCalibro, "il calibro del contatore", 0},
            {&t.ProvaContMarca, "la marca del contatore", 0},
            {&t.ProvaContMatricola, "la matricola del contatore", 0},
            {&t.ProvaContQn, "la portata nominale minima del contatore", 2},
            {&t.ProvaContPprova, "la pressione di prova", 2},
            {&t.ProvaContDispRil, "la dispersione rilevata", 1}};
  } else {
    voci = {{&t.ProvaCDPStrumento, "il tipo di strumento", 0},
            {&t.ProvaCDPMarca, "la marca dello strumento", 0},
            {&t.ProvaCDPMatricola, "la matricola dello strumento", 0},
            {&t.ProvaCDPPprova, "la pressione di prova", 2},
            {&t.ProvaCDPcdp, "la caduta di pressione rilevata in un minuto", 1}};
  }
  for (const Voce& v : voci) {
    motivo = v.tipo == 0 ? (v.testo->empty() ? Incompleto(v.nome) : std::string())
                         : MotivoMisura(*v.testo, v.nome, v.tipo == 2);
    if (!motivo.empty()) return motivo;
  }
  // Whether the interception device holds is part of the verdict: unanswered, nothing is signed.
  if (t.DisposIntercett != 1 && t.DisposIntercett != 2) return Incompleto("la tenuta del dispositivo di intercettazione");
  return "";
}

bool IsCampoCasellaTesto(int campo) {
  return campo >= 0 && campo < NumCampiTenuta && campo != FamigliaGas && campo != Cause && campo != Metodo &&
         campo != DisposIntercett && campo != Risultato;
}

PaginaTenuta::PaginaTenuta() {
  Descrizione = AvvisoIniziale;
  Cornici[cr::Gas].Abilitata = false;
  Cornici[cr::DatiImpresaBis].Abilitata = false;
}

double PaginaTenuta::Valore(int campo) const { return StrToDouble(Testo(campo)); }

// ---- Loading and refreshing ---------------------------------------------------------------

void PaginaTenuta::TenutaImpiantoInit() {
  if (ReteInPressione) {
    PaginaNonDisponibile();
    return;
  }
  CaricaTenImpTecDef();
  PaginaTenutaInizializzata = false;
  const TTenutaImpianto& t = TenutaImpianto;
  const auto& campi = CampiTenuta();
  for (int i = 0; i < NumCampiTenuta; ++i) {
    const CampoTenuta& c = campi[static_cast<size_t>(i)];
    if (c.testo) Testo(i) = t.*c.testo;
    else if (IsApparecchio(i)) Testo(i) = std::to_string(t.*c.intero);
  }
  std::array<int16_t, 7> cause{};
  CaselleDaCause(cause, t.Cause);
  for (size_t k = 0; k < cause.size(); ++k) CauseCaselle[k].Spuntata = cause[k] != 0;
  OpzioniDaCodice(MetodoContatore.Selezionata, MetodoCDP.Selezionata, t.Metodo);
  OpzioniDaCodice(DisposATenuta.Selezionata, DisposNonATenuta.Selezionata, t.DisposIntercett);
  if (t.RagSociale.empty() && t.Indirizzo.empty() && t.Telefono.empty() && t.NomeTecnico.empty()) {
    Testo(RagSociale) = DefRagSociale;
    Testo(Indirizzo) = DefIndirizzo;
    Testo(Telefono) = DefTelefono;
    Testo(NomeTecnico) = DefNomeTecnico;
  }
  CopiaDatiImpresa();
  PaginaTenutaInizializzata = true;
  TenutaImpiantoRefresh();
}

void PaginaTenuta::TenutaImpiantoRefresh() {
  if (ReteInPressione) {
    PaginaNonDisponibile();
    return;
  }
  if (!PaginaTenutaInizializzata) return;
  // A refresh asked for by a change the refresh itself made would compute the same page again.
  if (inAggiornamento_) return;
  inAggiornamento_ = true;
  struct Fine {
    bool& f;
    ~Fine() { f = false; }
  } fine{inAggiornamento_};
  LitriImpianto = LitriTubazioni();
  Testo(CapacitaImpianto) = LitriImpianto ? FormatNumero(*LitriImpianto, 1) : TestoNonCalcolabile;
  SelezionaPaginaFamiglia();
  CalcolaVerificaTenuta();
  TenutaImpiantoUpdateInternalData();
  CopiaDatiImpresa();
}

void PaginaTenuta::TenutaImpiantoUpdateInternalData() {
  const ColoreTenuta c = ColoraCoppiaOpzioni(DisposATenuta.Selezionata, DisposNonATenuta.Selezionata);
  DisposATenuta.ColoreSfondo = DisposNonATenuta.ColoreSfondo = c;
  CopiaNelRecord(TenutaImpianto);
}

void PaginaTenuta::CopiaNelRecord(TTenutaImpianto& t) const {
  const auto& campi = CampiTenuta();
  for (int i = 0; i < NumCampiTenuta; ++i) {
    const CampoTenuta& cm = campi[static_cast<size_t>(i)];
    if (cm.testo) t.*cm.testo = Testo(i);
    else if (IsApparecchio(i)) t.*cm.intero = StrToInteger(Testo(i));
  }
  t.FamigliaGas = FamigliaProva();
  std::array<int16_t, 7> cause{};
  for (size_t k = 0; k < cause.size(); ++k) cause[k] = CauseCaselle[k].Spuntata ? -1 : 0;
  t.Cause = CauseDaCaselle(cause);
  t.Metodo = CodiceDaOpzioni(MetodoContatore.Selezionata, MetodoCDP.Selezionata);
  t.DisposIntercett = CodiceDaOpzioni(DisposATenuta.Selezionata, DisposNonATenuta.Selezionata);
}

void PaginaTenuta::CopiaDatiImpresa() {
  for (size_t k = 0; k < kImpresa.size(); ++k) CopieImpresa[k] = Testo(kImpresa[k]);
}

// ---- Notice, sections and family pages ----------------------------------------------------

void PaginaTenuta::ImpostaDescrizioneProva(const std::string& testo, bool rosso) {
  Descrizione = testo;
  DescrizioneRossa = rosso;
}

void PaginaTenuta::MostraSezioniTenuta(bool visibili) {
  for (int i = 0; i < cr::Numero; ++i) Cornici[static_cast<size_t>(i)].Visibile = visibili;
  Cornici[cr::DescrizioneProva].Visibile = true;
  Cornici[cr::DatiImpresaBis].Abilitata = false;
  Cornici[cr::Gas].Abilitata = false;
}

void PaginaTenuta::PaginaNonDisponibile() {
  ImpostaDescrizioneProva(AvvisoInPressione, true);
  MostraSezioniTenuta(false);
}

namespace {
void SelezionaFamiglia(std::array<OpzioneTenuta, 3>& famiglie, int famiglia) {
  for (int i = 0; i < 3; ++i) famiglie[static_cast<size_t>(i)].Selezionata = (i + 1 == famiglia);
}
}  // namespace

void PaginaTenuta::PaginaFamiglia1() {
  ImpostaDescrizioneProva(AvvisoNormativa, false);
  MostraSezioniTenuta(true);
  SelezionaFamiglia(Famiglie, 1);
}

void PaginaTenuta::PaginaFamiglia2() {
  ImpostaDescrizioneProva(AvvisoNormativa, false);
  MostraSezioniTenuta(true);
  SelezionaFamiglia(Famiglie, 2);
}

void PaginaTenuta::PaginaFamiglia3() {
  ImpostaDescrizioneProva(AvvisoFamiglia3, true);
  MostraSezioniTenuta(false);
  SelezionaFamiglia(Famiglie, 3);
}

void PaginaTenuta::PaginaGasNonCombustibile() {
  ImpostaDescrizioneProva(AvvisoNonCombustibile, true);
  MostraSezioniTenuta(false);
  SelezionaFamiglia(Famiglie, 0);
}

void PaginaTenuta::PaginaFamigliaNonAttribuibile() {
  ImpostaDescrizioneProva(AvvisoFamigliaNonAttribuibile, true);
  MostraSezioniTenuta(false);
  SelezionaFamiglia(Famiglie, 0);
}

void PaginaTenuta::SelezionaPaginaFamiglia() {
  switch (FamigliaProva()) {
    case FamigliaNonAttribuibile:
      PaginaFamigliaNonAttribuibile();
      break;
    case 0:
      PaginaGasNonCombustibile();
      break;
    case 1:
      PaginaFamiglia1();
      ControllaCampiTenuta();
      break;
    case 2:
      PaginaFamiglia2();
      ControllaCampiTenuta();
      break;
    case 3:
      PaginaFamiglia3();
      break;
    default:
      AvvisoOkAnnulla(MessaggioFamigliaSconosciuta);
      break;
  }
}

// ---- Required fields ----------------------------------------------------------------------

void PaginaTenuta::ValidaCampoColora(int campo, int16_t tipo, const std::string& decimali,
                                     const std::string& massimo) {
  CasellaTestoTenuta& c = Caselle[static_cast<size_t>(campo)];
  const bool valido = ValidaCampo(c.Testo, tipo, decimali, massimo);
  c.ColoreSfondo = ColoraCampo(valido, tipo);
}

void PaginaTenuta::ValidaMisuraColora(int campo, int16_t tipo, const std::string& decimali, bool positivo,
                                      const std::string& massimo) {
  CasellaTestoTenuta& c = Caselle[static_cast<size_t>(campo)];
  bool valido = ValidaCampo(c.Testo, tipo, decimali, massimo);
  // No instrument reads a negative leak, drop, capacity or flow, nor a test pressure of 0 or less.
  const double v = StrToDouble(c.Testo);
  if (positivo ? !(v > 0) : v < 0) valido = false;
  c.ColoreSfondo = ColoraCampo(valido, tipo);
}

void PaginaTenuta::ControllaCampiTenuta() {
  for (int c : {RagSociale, Telefono, Indirizzo, NomeTecnico}) ValidaCampoColora(c, CampoTestoRichiesto);
  for (int c : {ProprietarioNome, ProprietarioTel, ProprietarioComuneInstall, ProprietarioProv, ProprietarioCap,
                ProprietarioVia, ProprietarioNumero})
    ValidaCampoColora(c, CampoTestoRichiesto);
  // The owner's residence is asked for only when the owner is not the occupant.
  const int16_t tipoProprietario = Testo(ProprietarioNome2).empty() ? CampoLibero : CampoTestoRichiesto;
  for (int c : {ProprietarioComuneResid, ProprietarioVia2, ProprietarioNumCiv, ProprietarioPresente})
    ValidaCampoColora(c, tipoProprietario);
  ValidaMisuraColora(CapacitaContatore, CampoNumero, "1", false, "3");
  ValidaCampoColora(DataEsecuzione, CampoData);
  ValidaCampoColora(OraEsecuzione, CampoOra);

  const bool causa = std::any_of(CauseCaselle.begin(), CauseCaselle.end(),
                                 [](const CasellaSpuntaTenuta& c) { return c.Spuntata; });
  for (CasellaSpuntaTenuta& c : CauseCaselle) c.ColoreSfondo = ColoraCampo(causa, CampoCasella);

  for (int c : {AppAltroNum, AppCottura, AppCombinati, AppAcquaSan, AppRisc, AppComplessivo})
    ValidaCampoColora(c, CampoNumeroSemplice, "0");

  MetodoCDP.ColoreSfondo = MetodoContatore.ColoreSfondo =
      ColoraCoppiaOpzioni(MetodoCDP.Selezionata, MetodoContatore.Selezionata);

  // The measured leak and drop may well be 0 (a tight plant): only an empty box is missing.
  ValidaMisuraColora(ProvaContDispRil, CampoNumero, "1", false);
  ValidaMisuraColora(ProvaContPprova, CampoNumeroNonZero, "0", true);
  ValidaMisuraColora(ProvaContQn, CampoNumeroNonZero, "1", true);
  for (int c : {ProvaContMatricola, ProvaContMarca, ProvaContCalibro, ProvaContModello})
    ValidaCampoColora(c, CampoTestoRichiesto);

  ValidaMisuraColora(ProvaCDPcdp, CampoNumero, "0", false);
  ValidaMisuraColora(ProvaCDPPprova, CampoNumeroNonZero, "0", true);
  for (int c : {ProvaCDPMatricola, ProvaCDPMarca, ProvaCDPStrumento}) ValidaCampoColora(c, CampoTestoRichiesto);

  DisposNonATenuta.ColoreSfondo = DisposATenuta.ColoreSfondo =
      ColoraCoppiaOpzioni(DisposNonATenuta.Selezionata, DisposATenuta.Selezionata);

  // The total is kept within 16 bits so that the record can hold it.
  int64_t totale = 0;
  for (int c : {AppAltroNum, AppCottura, AppCombinati, AppAcquaSan, AppRisc}) totale += StrToInteger(Testo(c));
  Testo(AppComplessivo) = std::to_string(Satura16(totale));

  CasellaSpuntaTenuta& altro = CauseCaselle[6];
  const bool altroValido = altro.Spuntata != Testo(CausaAltro).empty();
  altro.ColoreSfondo = ColoraCampo(altroValido, CampoCasella);
  Caselle[CausaAltro].ColoreSfondo = ColoraCampo(altroValido, CampoTestoRichiesto);

  const bool altriValidi = (Valore(AppAltroNum) > 0) != Testo(AppAltroDesc).empty();
  Caselle[AppAltroNum].ColoreSfondo = ColoraCampo(altriValidi, CampoNumeroSemplice);
  Caselle[AppAltroDesc].ColoreSfondo = ColoraCampo(altriValidi, CampoTestoRichiesto);

  Cornici[cr::ProvaContatore].Abilitata = false;
  Cornici[cr::ProvaCDP].Abilitata = false;
  if (MetodoCDP.Selezionata) Cornici[cr::ProvaCDP].Abilitata = true;
  else if (MetodoContatore.Selezionata) Cornici[cr::ProvaContatore].Abilitata = true;
}

// ---- The test -----------------------------------------------------------------------------

bool PaginaTenuta::IsNumeroScritto(int campo, bool zeroAmmesso) const {
  const std::string& testo = Testo(campo);
  if (testo.empty()) return false;
  const std::optional<double> numero = LeggiRegionale(testo);
  return numero && (zeroAmmesso || *numero != 0);
}

void PaginaTenuta::CalcolaVerificaTenuta() {
  // No verdict unless the test applies and every judged value is a real measurement.
  int16_t verdetto = NessunVerdetto;
  Testo(ProvaContPRif).clear();
  Testo(ProvaContDispRif).clear();
  Testo(ProvaCDPPrifer).clear();
  Testo(ProvaCDPcdpmax).clear();
  ErroreContatore.clear();

  // The 25-litre rule judges the pipes' unrounded volume: 22,04 l shown as 22,0 with a 3 l meter
  // is over the limit, and the total says so. An unknown volume leaves the method available but
  // unjudged (`MotivoSenzaVerdetto`).
  const auto oltre25 = [](double v) { return v > CapacitaMassimaCDP; };
  bool cdpAmmessa = true;
  if (LitriImpianto) {
    const double totale = *LitriImpianto + Valore(CapacitaContatore);
    Testo(CapacitaTotale) = TestoCoerente(totale, 1, oltre25);
    cdpAmmessa = !oltre25(totale);
  } else {
    Testo(CapacitaTotale) = TestoNonCalcolabile;
  }
  AbilitaProvaCDP(cdpAmmessa);
  if (MetodoContatore.Selezionata) AbilitaProvaContatore(true);
  if (MetodoCDP.Selezionata && cdpAmmessa) AbilitaProvaCDP(true);

  TTenutaImpianto dati;
  CopiaNelRecord(dati);
  MotivoNessunVerdetto = MotivoSenzaVerdetto(dati);

  // The test applies to gases of families I and II only: family III has no rule yet, and a
  // non-combustible gas or a gas of no family none at all. Their page shows only the notice, so
  // there is nothing to judge and no verdict to keep.
  const int16_t famiglia = dati.FamigliaGas;
  if (famiglia != 1 && famiglia != 2) {
    MostraRisultatoVerifica(NessunVerdetto);
    return;
  }
  const double pRif = static_cast<double>(ParFamGas[static_cast<size_t>(famiglia)].PressioneRif);
  const double caloMax = static_cast<double>(ParFamGas[static_cast<size_t>(famiglia)].CaloMaxMinuto);
  // A family without its constants would turn every test into a failure: that is missing data,
  // and the record keeps no verdict.
  if (MotivoNessunVerdetto.empty() && (!(pRif > 0) || (MetodoCDP.Selezionata && !(caloMax > 0))))
    MotivoNessunVerdetto = kMotivoParametriFamiglia;
  // The pressure-drop method chosen for a plant over 25 litres is no method: the pair asks for one.
  if (MetodoCDP.Selezionata && !cdpAmmessa)
    MetodoCDP.ColoreSfondo = MetodoContatore.ColoreSfondo = ColoraCoppiaOpzioni(false, false);

  if (MetodoContatore.Selezionata) {
    const double qn = Valore(ProvaContQn);
    const bool qnScritta = IsNumeroScritto(ProvaContQn, true);
    if (qnScritta && (qn <= 0 || qn > 1)) {
      // Outside the meter's range the method cannot attest anything: no verdict, not a failure.
      ErroreContatore = MessaggioPortataNominale;
    } else if (qnScritta) {
      Testo(ProvaContPRif) = TestoNumero(pRif);
      const double pProva = Valore(ProvaContPprova);
      const double dispersione = Valore(ProvaContDispRil);
      // Without a test pressure, or without a reference pressure to bring the leak to, the leak
      // cannot be judged.
      const double riferimento = (pProva <= 0 || pRif == 0) ? -1 : dispersione * pRif / pProva;
      if (riferimento == -1) Testo(ProvaContDispRif) = "NC";
      else if (IsNumeroScritto(ProvaContDispRil, true)) Testo(ProvaContDispRif) = TestoNumero(riferimento);
      if (riferimento < 0) verdetto = VerdettoNonIdoneo;
      else if (riferimento <= 1) verdetto = VerdettoIdoneo;
      else if (riferimento <= 5) verdetto = VerdettoTemporaneo;
      else verdetto = VerdettoNonIdoneo;
    }
  } else if (MetodoCDP.Selezionata && cdpAmmessa) {
    const double pProva = Valore(ProvaCDPPprova);
    Testo(ProvaCDPPrifer) = TestoNumero(pRif);
    const double calo = Valore(ProvaCDPcdp);
    const double caloMassimo = pRif == 0 ? 0.0 : pProva * caloMax / pRif;
    // Shown as precisely as it is judged: a drop of 46 against 45,5 must not read "massima 46".
    // Without a test pressure there is no largest drop to show, as the meter shows no reference leak.
    Testo(ProvaCDPcdpmax) =
        pProva <= 0 ? "NC" : TestoCoerente(caloMassimo, 1, [calo](double m) { return calo > m; });
    if (caloMassimo <= 0) verdetto = VerdettoNonIdoneo;
    else verdetto = calo > caloMassimo ? VerdettoNonIdoneo : VerdettoIdoneo;
  }

  if (!MotivoNessunVerdetto.empty()) verdetto = NessunVerdetto;
  if (verdetto != NessunVerdetto) {
    if (!DisposATenuta.Selezionata) verdetto = VerdettoNonIdoneo;
    if (Valore(CapacitaContatore) > 3) verdetto = VerdettoNonIdoneo;
  }
  MostraRisultatoVerifica(verdetto);
}

void PaginaTenuta::MostraRisultatoVerifica(int16_t verdetto) {
  Idoneo.Selezionata = verdetto == VerdettoIdoneo;
  Temporaneo.Selezionata = verdetto == VerdettoTemporaneo;
  NonIdoneo.Selezionata = verdetto == VerdettoNonIdoneo;
  NonIdoneo.ColoreTesto = verdetto == VerdettoNonIdoneo ? ColoreRossoTenuta : ColoreTestoPulsante;
  TenutaImpianto.Risultato = verdetto;
}

void PaginaTenuta::AbilitaProvaCDP(bool abilitata) {
  // Over 25 litres the method is only set aside: the choice and what was typed stay, so that a
  // slip in the meter capacity costs nothing once it is corrected.
  Cornici[cr::ProvaCDP].Abilitata = abilitata;
  MetodoCDP.Abilitata = abilitata;
}

void PaginaTenuta::AbilitaProvaContatore(bool abilitata) {
  Cornici[cr::ProvaContatore].Abilitata = abilitata;
  Cornici[cr::ProvaCDP].Abilitata = false;
}

bool PaginaTenuta::CampoConfermato(int campo) {
  switch (campo) {
    case CapacitaContatore:
      ValidaCampoColora(campo, CampoNumero, "1", "3");
      break;
    case ProvaCDPcdp:
    case ProvaCDPPprova:
    case ProvaContPprova:
      ValidaCampoColora(campo, CampoNumero, "0");
      break;
    case ProvaContDispRil:
    case ProvaContQn:
      ValidaCampoColora(campo, CampoNumero, "1");
      break;
    default:
      return false;
  }
  TenutaImpiantoRefresh();
  return true;
}

}  // namespace varnex
