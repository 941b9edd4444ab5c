#include "shell/settings.h"

namespace varnex {
namespace {

// Never destroyed: objects released at the end of the process (the recent-files list saves
// itself then) may still write here.
ImpostazioniInMemoria& Memoria() {
  static auto* memoria = new ImpostazioniInMemoria;
  return *memoria;
}

IImpostazioni* corrente = nullptr;

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
}

IImpostazioni& Impostazioni() { return corrente ? *corrente : Memoria(); }

std::string GetSetting(const std::string& sezione, const std::string& chiave, const std::string& predefinito) {
  auto valore = Impostazioni().Leggi(sezione, chiave);
  return valore ? *valore : predefinito;
}

bool SaveSetting(const std::string& sezione, const std::string& chiave, const std::string& valore) {
  return Impostazioni().Scrivi(sezione, chiave, valore);
}

bool SaveSettings(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori) {
  return Impostazioni().ScriviVarie(sezione, valori);
}

}  // namespace varnex
