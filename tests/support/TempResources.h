#pragma once

#include "common/ResourceRoot.h"
#include "support/TempDir.h"

// A resource folder (its name may hold spaces or ';') in a fresh temporary
// folder, with Images/test.bmp from the project and an empty Levels.
class TempResources {
public:
  explicit TempResources(const std::string& folderName = "res");

  const std::filesystem::path& path() const { return root; }
  ResourceRoot resourceRoot() const { return ResourceRoot(root.string()); }
  void write(const std::string& relative, const std::string& text) const {
    dir.write(root.filename() / relative, text);
  }
  std::string read(const std::string& relative) const {
    return dir.read(root.filename() / relative);
  }
  bool exists(const std::string& relative) const {
    return std::filesystem::exists(root / relative);
  }

private:
  TempDir dir;
  std::filesystem::path root;
};
