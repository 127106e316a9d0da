#include "gfx/TextureHandler.h"

#include "common/Texture.h"

#include <GL/gl.h>

void TextureHandler::load(const ResourceRoot& root, const std::string& path,
                          const std::string& name) {
  // A replaced texture stays allocated: nothing tells whether it is still
  // bound somewhere.
  textures[name] = loadTextureBMP(root, path.c_str());
}

void TextureHandler::bind(const std::string& name) {
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textures[name]));
}

void TextureHandler::unbind() {
  glBindTexture(GL_TEXTURE_2D, 0);
}
