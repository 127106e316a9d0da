#include "Probes.h"

#include "common/Draw.h"
#include "common/Texture.h"
#include "gfx/TextureHandler.h"
#include "support/TempResources.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const Rgb red = rgb(255, 0, 0);
const Rgb green = rgb(0, 255, 0);
const Rgb blue = rgb(0, 0, 255);
const Rgb yellow = rgb(255, 255, 0);
const Rgb cyan = rgb(0, 255, 255);
const Rgb magenta = rgb(255, 0, 255);

// Red, green, blue over cyan, magenta, yellow, saved by SDL as a BMP file
// of the given depth: 8 bits paletted, or 24 with rows padded to 12 bytes.
void writeBmp(const TempResources& resources, const std::string& relative, int bits) {
  const Rgb pixels[] = {red, green, blue, cyan, magenta, yellow};
  SDL_Surface* image =
      bits == 8 ? SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 8, 0, 0, 0, 0)
                : SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 24, 0xFF0000, 0xFF00, 0xFF, 0);
  for (int i = 0; i < 6; ++i) {
    SDL_Color colour{pixels[i].r, pixels[i].g, pixels[i].b, 0};
    if (bits == 8) {
      SDL_SetColors(image, &colour, i, 1);
    }
    SDL_Rect at{static_cast<Sint16>(i % 3), static_cast<Sint16>(i / 3), 1, 1};
    SDL_FillRect(image, &at,
                 bits == 8 ? i : SDL_MapRGB(image->format, colour.r, colour.g, colour.b));
  }
  ASSERT_EQ(SDL_SaveBMP(image, (resources.path() / relative).c_str()), 0);
  SDL_FreeSurface(image);
}

GLint boundTexture() {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

// Draws the bound texture over (x1, y1)-(x2, y2) untinted, texel for pixel.
void drawTextured(int x1, int y1, int x2, int y2) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glColor3f(1, 1, 1);
  glBegin(GL_POLYGON);
  rect(x1, y1, x2, y2);
  glEnd();
}

// Every depth is converted to 24-bit before the upload, which reads three
// bytes a pixel from rows padded to four bytes. One tile is 64 pixels, so
// each texel spans about 21 columns and 32 rows; the image repeats 64
// pixels on.
TEST(Texture, LoadsInTrueColoursTopRowFirstRepeatingEvery64Pixels) {
  TempResources resources;
  for (const int bits : {8, 24}) {
    SCOPED_TRACE(bits);
    GLWindow::clear();
    writeBmp(resources, "Images/odd.bmp", bits);
    testing::internal::CaptureStdout();
    const unsigned int texture = loadTextureBMP(resources.resourceRoot(), "/Images/odd.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Surface: w:3 h:2 bpp:" + std::to_string(bits) +
                  "\nbytes per pixel: " + std::to_string(bits / 8) + "\n");
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(static_cast<unsigned int>(boundTexture()), texture);
    GLint filter = 0, wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    EXPECT_EQ(filter, GL_LINEAR);
    EXPECT_EQ(wrap, GL_REPEAT);
    drawTextured(100, 50, 228, 178);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (const int tile : {0, 64}) {
      expectPixels({{"red", 110 + tile, 66 + tile, red},
                    {"green", 132 + tile, 66, green},
                    {"blue", 153, 66 + tile, blue},
                    {"cyan", 110, 98 + tile, cyan},
                    {"magenta", 132 + tile, 98, magenta},
                    {"yellow", 153 + tile, 98 + tile, yellow}});
    }
  }
}

// The message goes to standard output; the death test reads standard error.
void loadOrDie(const TempResources& resources, const char* file) {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  loadTextureBMP(resources.resourceRoot(), file);
}

TEST(TextureDeathTest, AMissingImageEndsTheProcessWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempResources resources;
  std::remove((resources.path() / "Images" / "test.bmp").c_str());
  EXPECT_EXIT(loadOrDie(resources, "/Images/test.bmp"), testing::ExitedWithCode(1),
              "^Failed to load texture: /Images/test\\.bmp\n$");
}

// A second load under a name replaces the first; an unknown name binds no
// texture.
TEST(TextureHandler, BindsATextureByName) {
  GLWindow::clear();
  TempResources resources;
  writeBmp(resources, "Images/odd.bmp", 24);
  TextureHandler handler;
  testing::internal::CaptureStdout();
  handler.load(resources.resourceRoot(), "/Images/test.bmp", "test");
  const unsigned long first = handler.get("test");
  handler.unbind();
  EXPECT_EQ(boundTexture(), 0);
  handler.bind("test");
  EXPECT_EQ(static_cast<unsigned long>(boundTexture()), first);
  handler.bind("nothing");
  EXPECT_EQ(boundTexture(), 0);
  handler.load(resources.resourceRoot(), "/Images/odd.bmp", "test");
  testing::internal::GetCapturedStdout();
  EXPECT_NE(handler.get("test"), first);
  handler.bind("test");
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(5, 5), red);
  glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace
