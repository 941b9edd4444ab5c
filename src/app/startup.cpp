#include "app/startup.h"

#include "model/colonne.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "model/strings.h"
#include "report/print/percentuali.h"
#include "shell/default_values.h"
#include "shell/hints.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/stato_interfaccia.h"
#include "shell/sw_company.h"
#include "model/tenuta.h"

namespace varnex {

void ICaricatoriAvvio::LoadSwCompany() { varnex::LoadSwCompany(); }
void ICaricatoriAvvio::CaricaDatiDitta() { varnex::CaricaDatiDitta(); }
void ICaricatoriAvvio::ResetRete() { varnex::ResetRete(); }
void ICaricatoriAvvio::CaricaMateriali() { varnex::CaricaMateriali(); }
bool ICaricatoriAvvio::InitGas() {
  varnex::InitGas();
  if (NumGas > 0) return true;
  // Every calculation and every gas list needs at least one gas.
  const std::string percorso = FileProgramma("gas.cfg");
  const bool presente = EsisteFile(percorso);
  MsgBox("Il file " + percorso + (presente ? " non contiene alcun gas. " : " non e' presente nel disco. ") +
             ComeRiavereFileDistribuito("gas.cfg", presente),
         Bottoni::OK, Icona::Critico);
  return false;
}
void ICaricatoriAvvio::CaricaPDCMax() { varnex::CaricaPDCMax(); }
void ICaricatoriAvvio::InitPDCMax() { varnex::InitPDCMax(); }
void ICaricatoriAvvio::InitSpeciali() { varnex::InitSpeciali(); }
bool ICaricatoriAvvio::InitFamiglieGas() { return varnex::InitFamiglieGas(); }
void ICaricatoriAvvio::LoadPagePercent() { varnex::LoadPagePercent(); }
bool ICaricatoriAvvio::CaricaDefinizioneGriglie() { return varnex::CaricaDefinizioneGriglie(); }
void ICaricatoriAvvio::getDefaultValueFromFile() { varnex::getDefaultValueFromFile(); }

std::string PercorsoDaRigaComando(const std::string& rigaComando) {
  if (Trim(rigaComando).empty()) return "";
  std::string p = rigaComando;
  if (!p.empty() && p.front() == '"') p.erase(0, 1);
  if (!p.empty() && p.back() == '"') p.pop_back();
  return p;
}

SequenzaAvvio::SequenzaAvvio(IFinestreAvvio& finestre) : finestre_(finestre), caricatori_(caricatoriPredefiniti_) {}

SequenzaAvvio::SequenzaAvvio(IFinestreAvvio& finestre, ICaricatoriAvvio& caricatori)
    : finestre_(finestre), caricatori_(caricatori) {}

bool SequenzaAvvio::CaricaArchivi() {
  finestre_.Progresso(1);
  finestre_.ShowWorking("Inizializzazione...");
  caricatori_.ResetRete();
  caricatori_.CaricaMateriali();

  finestre_.Progresso(2);
  finestre_.ShowWorking("Caricamento archivio gas");
  if (!caricatori_.InitGas()) return false;
  caricatori_.CaricaPDCMax();
  caricatori_.InitPDCMax();
  caricatori_.InitSpeciali();
  if (!caricatori_.InitFamiglieGas()) return false;
  caricatori_.LoadPagePercent();
  if (!caricatori_.CaricaDefinizioneGriglie()) return false;
  finestre_.Progresso(4);
  return true;
}

void SequenzaAvvio::ImpostaGasIniziale() {
  // The default gas the user chose is the gas in use, as long as this archive has it.
  int16_t scelto = 1;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    if (!Trim(DefaultGas).empty() && StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, DefaultGas)) {
      scelto = i;
      break;
    }
  }
  GasCorrente = ArchivioGas[static_cast<size_t>(scelto)];
  DefaultGas = GasCorrente.Nome;
}

void SequenzaAvvio::RigaComando(const std::string& rigaComando) {
  caricato_ = false;
  if (Trim(rigaComando).empty()) return;
  // A path relative to the folder the program was started from names the project for this run
  // only: the caption, the saves and the recent files take it absolute.
  const std::string p = PercorsoAssoluto(PercorsoDaRigaComando(rigaComando));
  if (p.empty() || !EsisteFile(p)) {
    MsgBox("Il File " + rigaComando + "non esiste o non e' valido");
    return;
  }
  IAmbienteProgetto& a = AmbienteProgetto();
  // Reading the project builds the editor, and showing it calculates and refreshes it several
  // times over: the editor does it once, when the project is shown.
  AggiornamentiRimandati ripresa;
  caricato_ = CaricaProgetto(p);
  if (caricato_) FileRecenti.AddItem(p);
  a.ScaricaEditor();
  NuovaReteGriglia();
  a.Elaborazione();
  a.AggiornaCalcoli();
  if (caricato_) {
    NuovaReteGriglia();
    a.Elaborazione();
  }
  ripresa.Riprendi();
  ProgettoMostrato();
}

EsitoAvvio SequenzaAvvio::Esegui(const std::string& rigaComando) {
  if (!finestre_.PrendiIstanza()) {
    MsgBox(MessaggioSecondaIstanza);
    finestre_.TerminaProcesso(0);
    return EsitoAvvio::SecondaIstanza;
  }

  GrigliaNonCaricata = -1;
  finestre_.MostraSplash();
  caricatori_.LoadSwCompany();
  caricatori_.CaricaDatiDitta();
  VersioneProgramma = VersioneDelProgramma();

  if (!CaricaArchivi()) {
    finestre_.ScaricaSplash();
    finestre_.TerminaProcesso(1);
    return EsitoAvvio::ArchivioMancante;
  }

  FileRecenti.Setup(SezioneFileRecenti, NumFileRecenti);
  caricatori_.getDefaultValueFromFile();
  ImpostaGasIniziale();

  finestre_.ShowWorking("Preparazione finestre");
  finestre_.Progresso(3);
  finestre_.MostraFinestraPrincipale();
  finestre_.ShowWorking("");
  finestre_.ScaricaSplash();

  RigaComando(rigaComando);

  // A project from the command line keeps its own values: a later save must not write the
  // defaults into the user's file.
  if (!caricato_) {
    VelocitaMaxImpostata = static_cast<float>(NumeroTestoDefault(DefaultVelocita).value_or(15));
    PressioneIniziale = NumeroTestoDefault(DefaultPressioneIniziale).value_or(200);
    PressioneFinale = NumeroTestoDefault(DefaultPressioneFinale).value_or(150);
  }
  GasEditorDaMain = -1;

  InitHints();
  // Without a tip to show the window would stand empty.
  if (HintsShow && !Hints.empty()) finestre_.MostraSuggerimenti();
  finestre_.SpuntaSuggerimenti(HintsShow);

  if (!caricato_) finestre_.MostraAttivita();
  return EsitoAvvio::Avviato;
}

}  // namespace varnex
