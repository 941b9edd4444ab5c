// The recent-files list: the project files used last, newest first, kept in the settings store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

class clsMRU {
 public:
  clsMRU() = default;
  // Saves the list when released, as long as it was ever set up.
  ~clsMRU();
  clsMRU(const clsMRU&) = delete;
  clsMRU& operator=(const clsMRU&) = delete;

  // The list lives in section `Name` of the store and holds `num` entries; reads them.
  void Setup(const std::string& Name, int16_t num);
  // Entry i = the stored "Item"i of the section, or empty.
  void Load();
  // Stores every entry, empty ones included.
  void save();
  // Position 1..n of the first entry equal to s (exact, letter case included), or 0.
  int16_t SearchItem(const std::string& s) const;
  // Puts s at the top (an entry already listed moves up, otherwise the last one drops out) and saves.
  void AddItem(const std::string& s);
  // Every entry that lies inside folder `da` names the same file in its copy `a`, where that file
  // is there; saved when any changed.
  void Sposta(const std::string& da, const std::string& a);
  // Entry n; empty outside 1..n.
  std::string GetItem(int16_t n) const;

  int16_t Count() const { return static_cast<int16_t>(items_.size()); }
  const std::string& Section() const { return section_; }

 private:
  std::string section_;
  std::vector<std::string> items_;  // items_[0] is entry 1
  bool impostata_ = false;
};

// The program's one recent-files list, set up at start-up in this section with this many entries.
inline constexpr const char* SezioneFileRecenti = "MRUFileList";
inline constexpr int16_t NumFileRecenti = 4;
extern clsMRU FileRecenti;

}  // namespace varnex
