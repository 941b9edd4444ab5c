// The per-user settings store: text values by section and key, under the application "Varnex".
//
// The core reads and writes preferences through the one store installed at start-up, the way it
// shows messages through the installed interaction. The program installs a store kept in an INI
// file of the user's configuration folder; with nothing installed the values live in memory for
// the life of the process, so tests never touch the user's real preferences.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varnex {

// The application name every value is kept under.
inline constexpr const char* NomeApplicazione = "Varnex";

class IImpostazioni {
 public:
  virtual ~IImpostazioni() = default;
  // The stored text, or nullopt when the key was never written.
  virtual std::optional<std::string> Leggi(const std::string& sezione, const std::string& chiave) = 0;
  // Stores the text and makes it durable at once (a crash right after loses nothing). False when
  // the store could not be written; callers treat that as a neutral outcome.
  virtual bool Scrivi(const std::string& sezione, const std::string& chiave, const std::string& valore) = 0;
  // The file the store keeps, for the user's eyes; empty for a store without one.
  virtual std::string File() const { return {}; }
  // Several keys of one section, durable together when the call returns; a store may write them
  // in one go. False when any could not be written.
  virtual bool ScriviVarie(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori) {
    bool ok = true;
    for (const auto& [chiave, valore] : valori) ok = Scrivi(sezione, chiave, valore) && ok;
    return ok;
  }
};

// A store that lives in memory only: the default, and a plain stand-in for tests.
class ImpostazioniInMemoria final : public IImpostazioni {
 public:
  std::optional<std::string> Leggi(const std::string& sezione, const std::string& chiave) override;
  bool Scrivi(const std::string& sezione, const std::string& chiave, const std::string& valore) override;
  const std::map<std::pair<std::string, std::string>, std::string>& Valori() const { return valori_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> valori_;
};

// Installs the store (nullptr restores the in-memory default, emptied).
void ImpostaImpostazioni(IImpostazioni* impostazioni);
IImpostazioni& Impostazioni();

// The stored text of section/key, or `predefinito` when there is none.
// A store that cannot be written is told to the user once per installed store (once a session):
// the recent files and the last folder would otherwise silently stop being remembered.
std::string GetSetting(const std::string& sezione, const std::string& chiave, const std::string& predefinito = "");
bool SaveSetting(const std::string& sezione, const std::string& chiave, const std::string& valore);
bool SaveSettings(const std::string& sezione, const std::vector<std::pair<std::string, std::string>>& valori);

}  // namespace varnex
