#include "common/Texture.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The whole path: it says which resource folder the game settled on.
[[noreturn]] void failToLoad(const char* file) {
  std::printf("Failed to load texture: %s\n", file);
  std::fflush(stdout);
  std::exit(1);
}

// The surface in 24-bit pixels laid out blue, green, red in memory, which
// is what the upload declares, whatever depth the file had (paletted,
// 16-bit, 32-bit). Null when SDL cannot convert it.
SDL_Surface* toBgr24(SDL_Surface* surface) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
  const Uint32 rMask = 0x00FF0000, gMask = 0x0000FF00, bMask = 0x000000FF;
#else
  const Uint32 rMask = 0x000000FF, gMask = 0x0000FF00, bMask = 0x00FF0000;
#endif
  SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, rMask, gMask, bMask, 0);
  if (!model) {
    return nullptr;
  }
  SDL_Surface* converted = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
  SDL_FreeSurface(model);
  return converted;
}

// Uploads the 24-bit surface's rows. The pixel store is set for exactly
// the surface's row padding and put back afterwards, so the caller's
// settings neither break the upload nor are lost.
void upload(const SDL_Surface* surface) {
  const int rowBytes = surface->w * 3;
  int alignment = 0;
  for (const int candidate : {8, 4, 2, 1}) {
    if ((rowBytes + candidate - 1) / candidate * candidate == surface->pitch) {
      alignment = candidate;
      break;
    }
  }
  const auto* pixels = static_cast<const unsigned char*>(surface->pixels);
  std::vector<unsigned char> packed;
  if (alignment == 0) {
    // A pitch no alignment describes: copy the rows together.
    const auto row = static_cast<std::size_t>(rowBytes);
    const auto pitch = static_cast<std::size_t>(surface->pitch);
    const auto rows = static_cast<std::size_t>(surface->h);
    packed.resize(row * rows);
    for (std::size_t r = 0; r < rows; ++r) {
      std::memcpy(packed.data() + r * row, pixels + r * pitch, row);
    }
    pixels = packed.data();
    alignment = 1;
  }
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, surface->w, surface->h, 0, GL_BGR, GL_UNSIGNED_BYTE,
               pixels);
  glPopClientAttrib();
}

} // namespace

unsigned int loadTextureBMP(const ResourceRoot& root, const char* file) {
  const std::string path = root.createPath(file);
  SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
  if (!surface) {
    failToLoad(path.c_str());
  }
  SDL_Surface* bgr = toBgr24(surface);
  if (!bgr) {
    SDL_FreeSurface(surface);
    failToLoad(path.c_str());
  }
  std::printf("Surface: w:%d h:%d bpp:%d\n", surface->w, surface->h, surface->format->BitsPerPixel);
  std::printf("bytes per pixel: %d\n", surface->format->BytesPerPixel);
  SDL_FreeSurface(surface);

  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  upload(bgr);
  SDL_FreeSurface(bgr);
  return texture;
}
