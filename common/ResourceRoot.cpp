#include "common/ResourceRoot.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

ResourceRoot::ResourceRoot(std::string folder) : path(std::move(folder)) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
}

std::string ResourceRoot::createPath(const std::string& relative) const {
  return path + relative;
}

// A build keeps its resources beside the executable; an installed game keeps
// them where the install layout puts the data folder relative to the game's
// own folder (../share/games/clamber from <prefix>/games), wherever that
// prefix has been moved to. The last resort is the package's data folder.
std::string getResourcePath() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path folder = exe.parent_path();
    for (const fs::path& candidate :
         {folder / "resources", (folder / CLAMBER_DATA_FROM_BINARY).lexically_normal()}) {
      if (fs::is_directory(candidate / "Levels", error)) {
        return candidate.string();
      }
    }
  }
  return CLAMBER_DATA_DIR;
}
