#include "support/TempResources.h"

TempResources::TempResources(const std::string& folderName) : root(dir.path() / folderName) {
  std::filesystem::create_directories(root / "Levels");
  std::filesystem::create_directories(root / "Images");
  std::filesystem::copy_file(std::filesystem::path(CLAMBER_SOURCE_RESOURCES) / "Images/test.bmp",
                             root / "Images/test.bmp");
}
