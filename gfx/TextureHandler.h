#pragma once

#include "common/ResourceRoot.h"

#include <map>
#include <string>

// OpenGL textures kept under names. Textures live as long as the process.
class TextureHandler {
public:
  TextureHandler() = default;
  TextureHandler(const TextureHandler&) = delete;
  TextureHandler& operator=(const TextureHandler&) = delete;

  // path is relative to the root and begins with "/".
  void load(const ResourceRoot& root, const std::string& path, const std::string& name);
  // A name never loaded binds no texture (and is remembered as 0).
  void bind(const std::string& name);
  void unbind();

private:
  std::map<std::string, unsigned long> textures;
};
