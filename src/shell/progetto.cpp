#include "shell/progetto.h"

#include "model/calcolo.h"
#include "model/files.h"
#include "model/interaction.h"
#include "model/progetto_file.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/strings.h"
#include "shell/mru.h"
#include "shell/settings.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

IAmbienteProgetto ambienteSilenzioso;
IAmbienteProgetto* ambiente = &ambienteSilenzioso;

constexpr const char* SezioneRecenti = "Recent";
constexpr const char* ChiaveUltimaCartella = "LastWorkDirectory";

// The save dialog's default extension: a name typed without one gets ".rtg".
std::string ConEstensione(const std::string& percorso) {
  const std::string nome = GetNomeFile(percorso);
  if (nome.find('.') != std::string::npos) return percorso;
  return percorso + ".rtg";
}

// The file a save under a new name writes to, once the user agreed: the chosen path, or the
// existing file that has the same name but for letter case ("Villetta.RTG" for "Villetta.rtg"),
// so that one project never lives in two files that differ only in case. nullopt when such a
// file exists and the user does not want it replaced: nothing is written then.
std::optional<std::string> DestinazioneSalvaConNome(const std::string& percorso) {
  const std::string nome = GetNomeFile(percorso);
  const std::string cartella = nome.size() < percorso.size() ? GetCartella(percorso) : std::string();
  const std::string esistente = TrovaFileNoCase(cartella, nome);
  if (esistente.empty()) return percorso;
  const Risposta r = MsgBox("Il file " + GetNomeFile(esistente) +
                                " è già presente nella cartella selezionata.\r\nSi desidera sovrascriverlo?",
                            Bottoni::SiNo, Icona::Esclamazione, TitoloSovrascrivereProgetto);
  if (r != Risposta::Si) return std::nullopt;
  return esistente;
}

// The editor after the model changed under it: shown again on network 1, calculated, refilled.
void RicaricaEditor() {
  IAmbienteProgetto& a = AmbienteProgetto();
  a.ScaricaEditor();
  NuovaReteGriglia();
  a.Elaborazione();
  a.AggiornaCalcoli();
}

}  // namespace

void ImpostaAmbienteProgetto(IAmbienteProgetto* a) { ambiente = a ? a : &ambienteSilenzioso; }
IAmbienteProgetto& AmbienteProgetto() { return *ambiente; }

std::string TitoloProgetto(const std::string& percorso) { return "VarnexPro - " + percorso; }

void AggiornaTitolo() { AmbienteProgetto().Titolo("VarnexPro  - " + PercorsoProgetto); }

void NuovaReteGriglia() {
  AmbienteProgetto().NewRete(1);
  AmbienteProgetto().MostraEditor();
}

void ProgettoMostrato() {
  TenutaImpiantoRefresh();
  RicordaProgettoSalvato();
}

std::string GetUltimaCartella() {
  return GetSetting(SezioneRecenti, ChiaveUltimaCartella, UnisciPercorso(CartellaProgramma(), "Archivio Lavori"));
}

void SalvaUltimaCartella(const std::string& path) {
  if (Trim(path).empty()) return;
  SaveSetting(SezioneRecenti, ChiaveUltimaCartella, GetCartella(path));
}

std::vector<std::string> PercorsiRicordati() {
  std::vector<std::string> percorsi;
  if (const std::optional<std::string> ultima = Impostazioni().Leggi(SezioneRecenti, ChiaveUltimaCartella))
    percorsi.push_back(*ultima);
  FileRecenti.Setup(SezioneFileRecenti, NumFileRecenti);
  for (int16_t i = 1; i <= FileRecenti.Count(); ++i) percorsi.push_back(FileRecenti.GetItem(i));
  return percorsi;
}

void SpostaPercorsiRicordati(const std::string& da, const std::string& a) {
  const std::optional<std::string> ultima = Impostazioni().Leggi(SezioneRecenti, ChiaveUltimaCartella);
  if (ultima) {
    const std::string copia = PercorsoNellaCopia(*ultima, da, a);
    if (!copia.empty() && copia != *ultima) SaveSetting(SezioneRecenti, ChiaveUltimaCartella, copia);
  }
  FileRecenti.Setup(SezioneFileRecenti, NumFileRecenti);
  FileRecenti.Sposta(da, a);
}

bool CaricaProgetto(const std::string& path) {
  if (!EsisteFile(path)) {
    MsgBox("Il file selezionato non esiste");
    ProgettoCaricato = 0;
    return false;
  }
  IAmbienteProgetto& a = AmbienteProgetto();
  a.MostraAttesa();
  a.DoEvents();
  // What was read (or the empty project a refused file leaves) becomes the record the close
  // compares with once the editor has shown it (ProgettoMostrato).
  DimenticaProgettoSalvato();
  const bool ok = LeggiRTG(path);
  // A refused file left the tightness page showing the project before: it is loaded with the
  // empty project, as a new one is, so the close finds nothing the user made.
  if (ok)
    TenutaImpiantoRefresh();
  else
    TenutaImpiantoInit();
  a.ScaricaAttesa();
  return ok && ProgettoCaricato != 0;
}

void ApriProgetto() {
  IAmbienteProgetto& a = AmbienteProgetto();
  const std::string cartella = GetUltimaCartella();
  const std::optional<std::string> scelto = a.ChiediFileApri(TitoloApriProgetto, FiltroApriProgetto, cartella);
  if (!scelto) return;
  const std::string& nome = *scelto;

  if (ChiudiProgetto()) {
    // The editor is built, calculated and refreshed several times over below: it does it once.
    AggiornamentiRimandati ripresa;
    if (!nome.empty() && nome.find('*') == std::string::npos) {
      // Only a project that loaded is worth offering again among the recent files.
      if (CaricaProgetto(nome)) FileRecenti.AddItem(nome);
    }
    // The close emptied the model: the editor must not go on showing the old project.
    RicaricaEditor();
    ripresa.Riprendi();
    ProgettoMostrato();
  }
  SalvaUltimaCartella(nome);
}

std::string SalvaProgetto(const std::string& path) {
  IAmbienteProgetto& a = AmbienteProgetto();
  const std::string cartella = GetUltimaCartella();
  if (!Trim(path).empty()) {
    if (!ScriviRTG(path)) return "";  // the writer told the user why; the old file is whole
    PercorsoProgetto = path;
    ProgettoModificato = 0;
    RicordaProgettoSalvato();
    FileRecenti.AddItem(path);
  } else {
    a.DoEvents();
    const std::optional<std::string> scelto = a.ChiediFileSalva(TitoloSalvaProgetto, FiltroSalvaProgetto, cartella, "");
    a.DoEvents();
    const std::string nome = scelto ? Trim(*scelto) : std::string();
    // The extension goes on before the check: "prova" must find an existing "prova.rtg".
    const std::optional<std::string> destinazione =
        nome.empty() ? std::nullopt : DestinazioneSalvaConNome(ConEstensione(nome));
    if (!destinazione) {
      // Nothing saved: the caption names the project as it still is.
      a.Titolo(TitoloProgetto(PercorsoProgetto));
      return "";
    }
    const std::string& percorso = *destinazione;
    if (!ScriviRTG(percorso)) return "";
    a.DoEvents();
    PercorsoProgetto = percorso;
    ProgettoModificato = 0;
    RicordaProgettoSalvato();
    FileRecenti.AddItem(percorso);
    SalvaUltimaCartella(percorso);
  }
  a.Titolo(TitoloProgetto(PercorsoProgetto));
  return PercorsoProgetto;
}

bool ChiudiProgetto() {
  // The tightness page's fields into the record, as a save takes them; then an edit that no
  // window marked and no calculation saw still counts as a change.
  TenutaImpiantoRefresh();
  if (ProgettoModificato == 0 && ProgettoDiversoDalSalvato()) ProgettoModificato = -1;
  if (ProgettoModificato != 0) {
    switch (MsgBox("Salvare il progetto aperto", Bottoni::SiNoAnnulla, Icona::Domanda)) {
      case Risposta::Si:
        // A save that did not happen must not drop the user's work.
        if (SalvaProgetto(PercorsoProgetto).empty()) return false;
        break;
      case Risposta::No:
        break;
      default:
        return false;
    }
  }
  frmEquiv.Reset();
  AmbienteProgetto().ScaricaSostituzione();
  ResetRete();
  RicordaProgettoSalvato();
  AggiornaTitolo();
  return true;
}

void EsciProgramma() {
  if (ChiudiProgetto()) AmbienteProgetto().TerminaProcesso(0);
}

}  // namespace varnex
