#include "common/Functions.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string& overridePath() {
  static std::string path;
  return path;
}

std::string defaultResourcePath() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path beside = exe.parent_path() / "resources";
    if (fs::is_directory(beside, error)) {
      return beside.string();
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
