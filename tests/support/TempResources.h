#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <string>

// A resource directory of the test's own in a fresh temporary folder, with
// Images/test.bmp copied from the project and an empty Levels folder. It
// becomes the game's resource directory while the object lives; the folder
// is removed afterwards.
class TempResources {
public:
  // A name may hold characters a shell would trip over (spaces, ';').
  explicit TempResources(const std::string& folderName = "res");
  ~TempResources();
  TempResources(const TempResources&) = delete;
  TempResources& operator=(const TempResources&) = delete;

  const std::filesystem::path& path() const { return root; }
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
