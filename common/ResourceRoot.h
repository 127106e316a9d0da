#pragma once

#include <string>

// The folder that holds Levels/ and Images/. Fixed once at start-up and
// handed to whatever reads or writes the game's files, so that a test or a
// tool can point a world at a folder of its own.
class ResourceRoot {
public:
  // path without a trailing "/" (trailing ones are dropped).
  explicit ResourceRoot(std::string folder);

  const std::string& getPath() const { return path; }
  // The folder with relative appended; relative begins with "/".
  std::string createPath(const std::string& relative) const;

private:
  std::string path;
};

// Where the game's resources are: "resources" beside the executable when it
// exists, else the data folder of the prefix the executable is installed
// under, else the data folder of the Debian package.
std::string getResourcePath();
