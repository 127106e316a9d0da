#include "common/Functions.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string& overridePath() {
  static std::string path;
  return path;
}

// A build keeps its resources beside the executable; an installed game keeps
// them in the data folder of the prefix the executable is installed under,
// wherever that prefix has been moved to; failing both, the data folder the
// build was configured for.
std::string defaultResourcePath() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path folder = exe.parent_path();
    for (const fs::path& candidate :
         {folder / "resources", folder.parent_path() / "share" / "clamber"}) {
      if (fs::is_directory(candidate / "Levels", error)) {
        return candidate.string();
      }
    }
  }
  return CLAMBER_DATA_DIR;
}

} // namespace

std::string getResourcePath() {
  if (!overridePath().empty()) {
    return overridePath();
  }
  // The executable does not move while it runs: look it up once.
  static const std::string path = defaultResourcePath();
  return path;
}

void setResourcePath(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') {
    trimmed.pop_back();
  }
  overridePath() = trimmed;
}

std::string createPath(const std::string& relative) { return getResourcePath() + relative; }
