#include "support/TempResources.h"

#include "common/Functions.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempResources::TempResources(const std::string& folderName) {
  std::string templ = (fs::temp_directory_path() / "clamber-test-XXXXXX").string();
  if (!mkdtemp(templ.data())) {
    throw std::runtime_error("mkdtemp failed");
  }
  base = templ;
  root = base / folderName;
  fs::create_directories(root / "Levels");
  fs::create_directories(root / "Images");
  fs::copy_file(fs::path(CLAMBER_SOURCE_RESOURCES) / "Images" / "test.bmp",
                root / "Images" / "test.bmp");
  setResourcePath(root.string());
}

TempResources::~TempResources() {
  setResourcePath("");
  std::error_code ignored;
  fs::remove_all(base, ignored);
}

void TempResources::write(const std::string& relative, const std::string& content) const {
  fs::path file = root / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string TempResources::read(const std::string& relative) const {
  std::ifstream in(root / relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TempResources::exists(const std::string& relative) const {
  return fs::exists(root / relative);
}
