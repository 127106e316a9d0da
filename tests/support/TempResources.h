#pragma once

#include "common/ResourceRoot.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>

// A resource directory of the test's own in a fresh temporary folder, with
// Images/test.bmp copied from the project and an empty Levels folder,
// removed afterwards.
class TempResources {
public:
  // A name may hold characters a shell would trip over (spaces, ';').
  explicit TempResources(const std::string& folderName = "res");
  TempResources(const TempResources&) = delete;
  TempResources& operator=(const TempResources&) = delete;

  const std::filesystem::path& path() const { return root; }
  ResourceRoot resourceRoot() const { return ResourceRoot(root.string()); }
  // Writes content to the file at relative (inside the resource folder),
  // creating folders as needed.
  void write(const std::string& relative, const std::string& content) const;
  // The bytes of the file at relative; empty when it is missing.
  std::string read(const std::string& relative) const;
  bool exists(const std::string& relative) const;

private:
  TempDir dir;
  std::filesystem::path root;
};
