#include "shell/mru.h"

#include "model/files.h"
#include "shell/settings.h"

namespace varnex {

clsMRU FileRecenti;

namespace {
std::string Chiave(size_t i) { return "Item" + std::to_string(i); }
}  // namespace

clsMRU::~clsMRU() {
  if (impostata_) save();
}

void clsMRU::Setup(const std::string& Name, int16_t num) {
  section_ = Name;
  items_.assign(num > 0 ? static_cast<size_t>(num) : 0, std::string());
  impostata_ = true;
  Load();
}

void clsMRU::Load() {
  for (size_t i = 1; i <= items_.size(); ++i) items_[i - 1] = GetSetting(section_, Chiave(i));
}

void clsMRU::save() {
  std::vector<std::pair<std::string, std::string>> valori;
  for (size_t i = 1; i <= items_.size(); ++i) valori.emplace_back(Chiave(i), items_[i - 1]);
  SaveSettings(section_, valori);
}

int16_t clsMRU::SearchItem(const std::string& s) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == s) return static_cast<int16_t>(i + 1);
  return 0;
}

void clsMRU::AddItem(const std::string& percorso) {
  if (items_.empty()) return;
  // One file, one entry, whatever folder the program was started from and however it was named.
  const std::string s = PercorsoAssoluto(percorso);
  int16_t p = SearchItem(s);
  size_t da = p != 0 ? static_cast<size_t>(p) : items_.size();
  for (size_t b = da; b >= 2; --b) items_[b - 1] = items_[b - 2];
  items_[0] = s;
  save();
}

void clsMRU::Sposta(const std::string& da, const std::string& a) {
  bool cambiato = false;
  for (std::string& voce : items_) {
    const std::string copia = PercorsoNellaCopia(voce, da, a);
    if (copia.empty() || copia == voce) continue;
    voce = copia;
    cambiato = true;
  }
  if (cambiato) save();
}

std::string clsMRU::GetItem(int16_t n) const {
  if (n < 1 || static_cast<size_t>(n) > items_.size()) return {};
  return items_[static_cast<size_t>(n) - 1];
}

}  // namespace varnex
