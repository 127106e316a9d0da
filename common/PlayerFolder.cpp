#include "common/PlayerFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The variable's value when it is an absolute path, else empty: the XDG
// rules ignore relative ones.
std::string absoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

} // namespace

std::string getPlayerPath(const std::string& resourcePath) {
  if (std::string chosen = absoluteVariable("CLAMBER_PLAYER_DIR"); !chosen.empty()) {
    return chosen;
  }
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (!error && fs::equivalent(exe.parent_path() / "resources", resourcePath, error)) {
    return resourcePath;
  }
  if (const std::string data = absoluteVariable("XDG_DATA_HOME"); !data.empty()) {
    return data + "/clamber";
  }
  if (const std::string home = absoluteVariable("HOME"); !home.empty()) {
    return home + "/.local/share/clamber";
  }
  return {};
}

bool makePlayerFolders(const std::string& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) {
    return true;
  }
  const fs::path path(folder);
  if (path.has_parent_path() && path.parent_path() != path &&
      !makePlayerFolders(path.parent_path().string())) {
    return false;
  }
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}
