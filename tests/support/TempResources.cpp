#include "support/TempResources.h"


namespace fs = std::filesystem;

TempResources::TempResources(const std::string& folderName) : root(dir.path() / folderName) {
  fs::create_directories(root / "Levels");
  fs::create_directories(root / "Images");
  fs::copy_file(fs::path(CLAMBER_SOURCE_RESOURCES) / "Images" / "test.bmp",
                root / "Images" / "test.bmp");
}

void TempResources::write(const std::string& relative, const std::string& content) const {
  dir.write(root.filename() / relative, content);
}

std::string TempResources::read(const std::string& relative) const {
  return dir.read(root.filename() / relative);
}

bool TempResources::exists(const std::string& relative) const {
  return fs::exists(root / relative);
}
