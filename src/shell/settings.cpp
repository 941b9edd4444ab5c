#include "shell/settings.h"

#include "model/interaction.h"

namespace varnex {
namespace {

// Never destroyed: objects released at the end of the process (the recent-files list saves
// itself then) may still write here.
ImpostazioniInMemoria& Memoria() {
  static auto* memoria = new ImpostazioniInMemoria;
  return *memoria;
}

IImpostazioni* corrente = nullptr;
bool avvisato = false;

bool Scritto(bool scritto) {
  if (scritto || avvisato) return scritto;
  avvisato = true;
  const std::string file = Impostazioni().File();
  MsgBox("Impossibile salvare le impostazioni di VarnexPro" + (file.empty() ? std::string() : " nel file " + file) +
             ".\r\nL'elenco dei file recenti, l'ultima cartella di lavoro e le altre preferenze cambiate in "
             "questa sessione non saranno ricordati alla prossima apertura del programma.",
         Bottoni::OK, Icona::Esclamazione);
  return false;
}

}  // namespace

std::optional<std::string> ImpostazioniInMemoria::Leggi(const std::string& sezione, const std::string& chiave) {
  auto it = valori_.find({sezione, chiave});
  if (it == valori_.end()) return std::nullopt;
  return it->second;
}

bool ImpostazioniInMemoria::Scrivi(const std::string& sezione, const std::string& chiave, const std::string& valore) {
  valori_[{sezione, chiave}] = valore;
  return true;
}

void ImpostaImpostazioni(IImpostazioni* impostazioni) {
  if (!impostazioni) Memoria() = ImpostazioniInMemoria();
  corrente = impostazioni;
  avvisato = false;
}

IImpostazioni& Impostazioni() { return corrente ? *corrente : Memoria(); }

std::string GetSetting(const std::string& sezione, const std::string& chiave, const std::string& predefinito) {
  auto valore = Impostazioni().Leggi(sezione, chiave);
  return valore ? *valore : predefinito;
}

bool SaveSetting(const std::string& sezione, const std::string& chiave, const std::string& valore) {
  return Scritto(Impostazioni().Scrivi(sezione, chiave, valore));
}

bool SaveSettings(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori) {
  return Scritto(Impostazioni().ScriviVarie(sezione, valori));
}

}  // namespace varnex
