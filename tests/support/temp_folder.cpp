#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/files.h"

namespace varnex::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string templ = (fs::temp_directory_path() / "varnex-test-XXXXXX").string();
  char* made = mkdtemp(templ.data());
  path_ = made ? made : templ;
}

TempFolder::~TempFolder() {
  if (programma_) ImpostaCartellaProgramma(cartellaPrecedente_);
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempFolder::File(std::string_view name) const { return (fs::path(path_) / name).string(); }

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
  std::string p = File(name);
  fs::create_directories(fs::path(p).parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::string TempFolder::Read(std::string_view name) const { return LeggiByte(File(name)); }

void TempFolder::UsaComeCartellaProgramma() {
  if (!programma_) cartellaPrecedente_ = CartellaProgramma();
  programma_ = true;
  ImpostaCartellaProgramma(path_);
}

void TempFolder::CopiaDatiDistribuiti() const {
  fs::copy(VARNEX_SOURCE_DATA_DIR, path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string LeggiByte(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::map<std::string, std::string> ContenutoCartella(const std::string& cartella) {
  std::map<std::string, std::string> tutto;
  for (const auto& e : fs::recursive_directory_iterator(cartella))
    tutto[fs::relative(e.path(), cartella).string()] = e.is_regular_file() ? LeggiByte(e.path().string()) : "<dir>";
  return tutto;
}

}  // namespace varnex::test
