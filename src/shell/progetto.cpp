#include "shell/progetto.h"

#include "model/files.h"
#include "model/interaction.h"
#include "model/progetto_file.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/strings.h"
#include "shell/mru.h"
#include "shell/settings.h"

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

std::string GetUltimaCartella() {
  return GetSetting(SezioneRecenti, ChiaveUltimaCartella, UnisciPercorso(CartellaProgramma(), "Archivio Lavori"));
}

void SalvaUltimaCartella(const std::string& path) {
  if (Trim(path).empty()) return;
  SaveSetting(SezioneRecenti, ChiaveUltimaCartella, GetCartella(path));
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
  const bool ok = LeggiRTG(path);
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
    FileRecenti.AddItem(path);
  } else {
    a.DoEvents();
    const std::optional<std::string> scelto = a.ChiediFileSalva(TitoloSalvaProgetto, FiltroSalvaProgetto, cartella, "");
    a.DoEvents();
    if (!scelto) return "";
    const std::string nome = Trim(*scelto);
    if (nome.empty()) return "";
    const std::string percorso = ConEstensione(nome);
    if (!ScriviRTG(percorso)) return "";
    a.DoEvents();
    PercorsoProgetto = percorso;
    ProgettoModificato = 0;
    FileRecenti.AddItem(percorso);
    SalvaUltimaCartella(percorso);
  }
  a.Titolo(TitoloProgetto(PercorsoProgetto));
  return PercorsoProgetto;
}

bool ChiudiProgetto() {
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
  AggiornaTitolo();
  return true;
}

void EsciProgramma() {
  if (ChiudiProgetto()) AmbienteProgetto().TerminaProcesso(0);
}

}  // namespace varnex
