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

// Why the plant's volume is unknown, as the middle of one sentence.
std::string MotivoCapacitaIgnota(const std::string& perche) {
  return "Nessun esito: la capacità dell'impianto non è nota, perché " + perche +
         "; la prova mediante rilevazione C.D.P. non può essere giudicata.";
}
constexpr const char* kMotivoParametriFamiglia =
    "Nessun esito: mancano la pressione di riferimento o la caduta massima della famiglia del gas "
    "(file PARFAMGAS.CFG); la prova non può essere giudicata.";
// The capacity boxes of a network whose volume is unknown.
constexpr const char* TestoNonCalcolabile = "NC";

// Whether a pipe is reached from the root.
bool HaTubazioni() { return ContoTronchi() > 0 && !SottoalberoTronco(1).empty(); }

// Why the inner volume of the pipes reached from the root is unknown; empty when it is known. A
// plant not drawn yet, a pipe whose length was never entered, or one without an inner diameter (a
// network never sized, or whose calculation was refused for a series without that row) would each
// make the plant look smaller than it is. The segment named is the lowest-numbered one, the first
// the user meets in the table.
std::string PercheVolumeIgnoto() {
  if (!HaTubazioni()) return "la rete non ha tubazioni";
  int16_t senzaLunghezza = 0;
  int16_t senzaDiametro = 0;
  for (int16_t s : SottoalberoTronco(1)) {
    const TTronco& t = Tronco(s);
    if (!(std::isfinite(t.ID_LEN) && t.ID_LEN > 0) && (senzaLunghezza == 0 || s < senzaLunghezza)) senzaLunghezza = s;
    if (!(DiametroInterno(t.IndiceMateriale, t.ID_DIAMETRO) > 0) && (senzaDiametro == 0 || s < senzaDiametro))
      senzaDiametro = s;
  }
  if (senzaLunghezza != 0) return "il tronco " + std::to_string(senzaLunghezza) + " non ha una lunghezza";
  if (senzaDiametro != 0) return "il tronco " + std::to_string(senzaDiametro) + " non ha un diametro calcolato";
  const double litri = static_cast<double>(VolumeImpianto() / 1000.0f);
  if (!std::isfinite(litri)) return "il volume dei tubi non è calcolabile";
  return "";
}

// The inner volume in litres of the pipes reached from the root; none when it is unknown
// (`PercheVolumeIgnoto`).
std::optional<double> LitriTubazioni() {
  if (!PercheVolumeIgnoto().empty()) return std::nullopt;
  return static_cast<double>(VolumeImpianto() / 1000.0f);
}

std::string Incompleto(const std::string& cosa) { return "Nessun esito: dati della prova incompleti, manca " + cosa + "."; }

// A judged measurement of the page: its name in the reasons (every one is feminine, "la
// pressione", "la dispersione"...), its unit and the values it can physically take in this test.
// Outside them the text is a slip (extra zeros, a wrong unit), not a measurement: it gets no
// verdict. The ranges follow the test's own practice: a domestic plant tested with the network
// gas stands at a few thousand pascals (at most 40 mbar in the scope of the test), a leak beyond
// what a domestic meter reads is no leak test, a meter holds a few litres.
struct RegolaMisura {
  int campo;
  const char* nome;
  const char* unita;
  double minimo;
  double massimo;
  bool positivo;  // 0 is no measurement either
  bool pascal;    // whole pascals: a point can only group thousands
};
constexpr RegolaMisura kRegole[] = {
    {CapacitaContatore, "la capacità del contatore", "l", 0, CapacitaContatorePlausibile, false, false},
    {ProvaContQn, "la portata nominale minima del contatore", "l/h", PortataNominaleMinima, 1, true, false},
    {ProvaContPprova, "la pressione di prova", "Pa", PressioneProvaMinima, PressioneProvaMassima, true, true},
    {ProvaContDispRil, "la dispersione rilevata", "l/h", 0, DispersioneMassima, false, false},
    {ProvaCDPPprova, "la pressione di prova", "Pa", PressioneProvaMinima, PressioneProvaMassima, true, true},
    // Its upper bound is the test pressure: no plant loses more pressure than it holds.
    {ProvaCDPcdp, "la caduta di pressione rilevata in un minuto", "Pa", 0, PressioneProvaMassima, false, true},
};

const RegolaMisura* RegolaDi(int campo) {
  for (const RegolaMisura& r : kRegole)
    if (r.campo == campo) return &r;
  return nullptr;
}

const std::string& TestoCampo(const TTenutaImpianto& t, int campo) {
  return t.*CampiTenuta()[static_cast<size_t>(campo)].testo;
}

// The reason the measurement of box `campo` in `t` cannot be judged; empty when it can.
std::string MotivoMisura(const TTenutaImpianto& t, int campo) {
  const RegolaMisura* r = RegolaDi(campo);
  if (!r) return "";
  const std::string& testo = TestoCampo(t, campo);
  const std::string nome = r->nome;
  if (testo.empty()) return Incompleto(nome);
  if (r->pascal && PascalDaConfermare(t, campo))
    return "Nessun esito: dati della prova da confermare, " + nome + " letta dal file del progetto (" + testo +
           " Pa) può valere " + TestoNumero(StrToDouble(testo)) + " Pa oppure " +
           TestoNumero(std::round(StrToDouble(testo) * 1000)) +
           " Pa (un programma precedente salvava così il punto delle migliaia): controllare il valore e premere Invio nella "
           "casella per confermarlo.";
  const std::string nonValido = "Nessun esito: dati della prova non validi, " + nome;
  // A point that does not group thousands ("1.5") cannot be read as pascals: as a decimal it
  // would turn 1.500 into 1,5.
  if (r->pascal && testo.find('.') != std::string::npos && !LeggiPascalInteri(testo))
    return nonValido + " contiene un punto che non separa le migliaia: scrivere i pascal senza punto (es. 1500).";
  const std::optional<double> v = r->pascal ? LeggiPascalInteri(testo) : LeggiRegionale(testo);
  if (!v) return nonValido + " non è un numero.";
  if (r->positivo && !(*v > 0)) return nonValido + " deve essere maggiore di 0.";
  if (*v < 0) return nonValido + " non può essere negativa.";
  if (campo == ProvaContQn && *v > 1) return kMotivoPortataNominale;
  if (campo == ProvaCDPcdp) {
    const std::optional<double> prova = LeggiPascalInteri(t.ProvaCDPPprova);
    if (prova && *prova > 0 && *v > *prova)
      return nonValido + " (" + TestoNumero(*v) + " Pa) supera la pressione di prova (" + TestoNumero(*prova) + " Pa).";
  }
  if (!(*v >= r->minimo && *v <= r->massimo))
    return nonValido + " (" + TestoNumero(*v) + " " + r->unita + ") è fuori dai valori plausibili per la prova, da " +
           TestoNumero(r->minimo) + " a " + TestoNumero(r->massimo) + " " + r->unita + ".";
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
  std::string motivo = MotivoMisura(t, CapacitaContatore);
  if (!motivo.empty()) return motivo;
  // The total is shown so that it stands on the same side of the limit as the unrounded one.
  if (t.Metodo == 2) {
    const std::optional<double> totale = LeggiRegionale(t.CapacitaTotale);
    if (!totale) {
      const std::string perche = PercheVolumeIgnoto();
      return MotivoCapacitaIgnota(perche.empty() ? "la capacità totale registrata non è un numero" : perche);
    }
    if (*totale > CapacitaMassimaCDP) return kMotivoCDPOltre25;
  }
  struct Voce {
    int campo;
    const char* nome;  // of a text; nullptr for a measurement (`MotivoMisura`)
  };
  std::vector<Voce> voci;
  if (t.Metodo == 1) {
    const std::optional<double> qn = LeggiRegionale(t.ProvaContQn);
    if (qn && *qn > 1) return kMotivoPortataNominale;
    voci = {{ProvaContModello, "il modello del contatore"},
            {ProvaContCalibro, "il calibro del contatore"},
            {ProvaContMarca, "la marca del contatore"},
            {ProvaContMatricola, "la matricola del contatore"},
            {ProvaContQn, nullptr},
            {ProvaContPprova, nullptr},
            {ProvaContDispRil, nullptr}};
  } else {
    voci = {{ProvaCDPStrumento, "il tipo di strumento"},
            {ProvaCDPMarca, "la marca dello strumento"},
            {ProvaCDPMatricola, "la matricola dello strumento"},
            {ProvaCDPPprova, nullptr},
            {ProvaCDPcdp, nullptr}};
  }
  for (const Voce& v : voci) {
    motivo = v.nome ? (TestoCampo(t, v.campo).empty() ? Incompleto(v.nome) : std::string()) : MotivoMisura(t, v.campo);
    if (!motivo.empty()) return motivo;
  }
  // Whether the interception device holds is part of the verdict: unanswered, nothing is signed.
  if (t.DisposIntercett != 1 && t.DisposIntercett != 2) return Incompleto("la tenuta del dispositivo di intercettazione");
  // A family without its constants would turn every test into a failure: that is missing data.
  const TParFamGas& par = ParFamGas[static_cast<size_t>(t.FamigliaGas)];
  if (!(par.PressioneRif > 0) || (t.Metodo == 2 && !(par.CaloMaxMinuto > 0))) return kMotivoParametriFamiglia;
  return "";
}

std::string NotaVerdetto(const TTenutaImpianto& t) {
  std::string motivo = MotivoSenzaVerdetto(t);
  if (!motivo.empty()) return motivo;
  // The two rules that make a plant unfit whatever its measurement say so, or a small leak would
  // read as the reason.
  std::string nota;
  if (t.DisposIntercett == 2) nota = "Esito non idoneo perché il dispositivo di intercettazione non è a tenuta.";
  const double capacita = StrToDouble(t.CapacitaContatore);
  if (capacita > CapacitaMassimaContatore) {
    if (!nota.empty()) nota += " ";
    nota += "Esito non idoneo perché la capacità del contatore (" + TestoNumero(capacita) + " l) supera " +
            TestoNumero(CapacitaMassimaContatore) + " l.";
  }
  return nota;
}

bool IsCampoCasellaTesto(int campo) {
  return campo >= 0 && campo < NumCampiTenuta && campo != FamigliaGas && campo != Cause && campo != Metodo &&
         campo != DisposIntercett && campo != Risultato;
}

bool IsCampoCalcolato(int campo) {
  return campo == CapacitaImpianto || campo == CapacitaTotale || campo == ProvaContPRif || campo == ProvaContDispRif ||
         campo == ProvaCDPPrifer || campo == ProvaCDPcdpmax;
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
  PascalDaConfermare = t.PascalDaConfermare;
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
  // A value read from the file that no longer reads both ways was typed again: nothing to confirm.
  for (int c = 0; c < NumCampiTenuta; ++c)
    if (IsCampoPascal(c) && !PascalAmbiguo(Testo(c))) PascalDaConfermare &= ~(uint64_t{1} << c);
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
  t.PascalDaConfermare = PascalDaConfermare;
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

void PaginaTenuta::ValidaMisuraColora(int campo, int16_t tipo, const std::string& decimali,
                                      const std::string& massimo) {
  CasellaTestoTenuta& c = Caselle[static_cast<size_t>(campo)];
  // A value read from the file that waits for confirmation stays exactly as the file gave it.
  std::string copia = c.Testo;
  const bool daConfermare = IsCampoPascal(campo) && (PascalDaConfermare >> campo & 1u) != 0;
  bool valido = ValidaCampo(daConfermare ? copia : c.Testo, tipo, decimali, massimo);
  // The box is marked by the same rule that refuses the verdict, with the same reason.
  TTenutaImpianto dati;
  CopiaNelRecord(dati);
  if (!MotivoMisura(dati, campo).empty()) valido = false;
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
  ValidaMisuraColora(CapacitaContatore, CampoNumero, "1", "3");
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
  ValidaMisuraColora(ProvaContDispRil, CampoNumero, "1");
  ValidaMisuraColora(ProvaContPprova, CampoNumeroNonZero, "0");
  ValidaMisuraColora(ProvaContQn, CampoNumeroNonZero, "1");
  for (int c : {ProvaContMatricola, ProvaContMarca, ProvaContCalibro, ProvaContModello})
    ValidaCampoColora(c, CampoTestoRichiesto);

  // The test pressure first: it bounds the drop.
  ValidaMisuraColora(ProvaCDPPprova, CampoNumeroNonZero, "0");
  ValidaMisuraColora(ProvaCDPcdp, CampoNumero, "0");
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
  NotaSottoVerdetto = NotaVerdetto(dati);

  // The test applies to gases of families I and II only: family III has no rule yet, and a
  // non-combustible gas or a gas of no family none at all. Their page shows only the notice, so
  // there is nothing to judge and no verdict to keep.
  // What is derived from a measurement outside its range would read as a result: it is shown as
  // not computable.
  const auto nonGiudicabile = [&dati](int campo) { return !MotivoMisura(dati, campo).empty(); };
  const int16_t famiglia = dati.FamigliaGas;
  if (famiglia != 1 && famiglia != 2) {
    MostraRisultatoVerifica(NessunVerdetto);
    return;
  }
  const double pRif = static_cast<double>(ParFamGas[static_cast<size_t>(famiglia)].PressioneRif);
  const double caloMax = static_cast<double>(ParFamGas[static_cast<size_t>(famiglia)].CaloMaxMinuto);
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
      Testo(ProvaContPRif) = pRif > 0 ? TestoNumero(pRif) : TestoNonCalcolabile;
      const double pProva = Valore(ProvaContPprova);
      const double dispersione = Valore(ProvaContDispRil);
      // Without a test pressure, or without a reference pressure to bring the leak to, the leak
      // cannot be judged.
      const double riferimento = (pProva <= 0 || pRif == 0) ? -1 : dispersione * pRif / pProva;
      if (riferimento == -1 || nonGiudicabile(ProvaContPprova)) Testo(ProvaContDispRif) = "NC";
      else if (IsNumeroScritto(ProvaContDispRil, true))
        Testo(ProvaContDispRif) = nonGiudicabile(ProvaContDispRil) ? "NC" : TestoNumero(riferimento);
      if (riferimento < 0) verdetto = VerdettoNonIdoneo;
      else if (riferimento <= 1) verdetto = VerdettoIdoneo;
      else if (riferimento <= 5) verdetto = VerdettoTemporaneo;
      else verdetto = VerdettoNonIdoneo;
    }
  } else if (MetodoCDP.Selezionata && cdpAmmessa) {
    const double pProva = Valore(ProvaCDPPprova);
    // A family without its constants has no reference pressure and no largest drop: they are not
    // computed, not 0.
    Testo(ProvaCDPPrifer) = pRif > 0 ? TestoNumero(pRif) : TestoNonCalcolabile;
    const double calo = Valore(ProvaCDPcdp);
    const double caloMassimo = pRif == 0 ? 0.0 : pProva * caloMax / pRif;
    // Shown as precisely as it is judged: a drop of 46 against 45,5 must not read "massima 46".
    // Without a test pressure there is no largest drop to show, as the meter shows no reference leak.
    Testo(ProvaCDPcdpmax) =
        pProva <= 0 || nonGiudicabile(ProvaCDPPprova) || !(pRif > 0 && caloMax > 0)
            ? TestoNonCalcolabile
            : TestoCoerente(caloMassimo, 1, [calo](double m) { return calo > m; });
    if (caloMassimo <= 0) verdetto = VerdettoNonIdoneo;
    else verdetto = calo > caloMassimo ? VerdettoNonIdoneo : VerdettoIdoneo;
  }

  if (!MotivoNessunVerdetto.empty()) verdetto = NessunVerdetto;
  if (verdetto != NessunVerdetto) {
    if (!DisposATenuta.Selezionata) verdetto = VerdettoNonIdoneo;
    if (Valore(CapacitaContatore) > CapacitaMassimaContatore) verdetto = VerdettoNonIdoneo;
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

bool PaginaTenuta::CampoConfermato(int campo, bool invio) {
  // Enter in a box whose value was read from the file is the technician's confirmation of it.
  // Leaving the box (Tab, a click elsewhere, a dialog taking the keyboard) is not: the value stays
  // exactly as the file gave it, still without a verdict, until Enter or a new value.
  const bool inAttesa = IsCampoPascal(campo) && (PascalDaConfermare >> campo & 1u) != 0;
  if (IsCampoPascal(campo) && invio) PascalDaConfermare &= ~(uint64_t{1} << campo);
  const bool riscrivi = !(inAttesa && !invio);
  switch (campo) {
    case CapacitaContatore:
      ValidaCampoColora(campo, CampoNumero, "1", "3");
      break;
    case ProvaCDPcdp:
    case ProvaCDPPprova:
    case ProvaContPprova:
      if (riscrivi) ValidaCampoColora(campo, CampoNumero, "0");
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
