// A temporary folder that is removed with the object; optionally the program folder while it lives.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace varnex::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const;
  // Writes raw bytes (no conversion) and returns the path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // Raw bytes of a file ("" when missing).
  std::string Read(std::string_view name) const;
  // Makes this folder the program folder until destroyed.
  void UsaComeCartellaProgramma();
  // Copies the shipped data/ folder in.
  void CopiaDatiDistribuiti() const;

 private:
  std::string path_;
  std::string cartellaPrecedente_;
  bool programma_ = false;
};

// Raw bytes of any file ("" when missing).
std::string LeggiByte(const std::string& path);

// Every entry under `cartella` (path relative to it) with its bytes, "<dir>" for a folder: what an
// action must leave alone.
std::map<std::string, std::string> ContenutoCartella(const std::string& cartella);

}  // namespace varnex::test
