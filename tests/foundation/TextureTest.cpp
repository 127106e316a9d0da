#include "Probes.h"

#include "common/Functions.h"
#include "gfx/TextureHandler.h"
#include "support/Table.h"
#include "support/TempResources.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const Rgb face = rgb(240, 240, 240);
const Rgb mortar = rgb(190, 190, 190);
const Rgb red = rgb(255, 0, 0);
const Rgb green = rgb(0, 255, 0);
const Rgb blue = rgb(0, 0, 255);
const Rgb yellow = rgb(255, 255, 0);
const Rgb cyan = rgb(0, 255, 255);
const Rgb magenta = rgb(255, 0, 255);

void putLe(std::string& out, std::initializer_list<std::uint32_t> values, int bytes) {
  for (const std::uint32_t value : values) {
    for (int i = 0; i < bytes; ++i) {
      out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
  }
}

// A BMP file of the given depth (8: paletted, 24 or 32: true colour) whose
// top row comes first in pixels.
std::string bmp(int bits, int width, int height, const std::vector<Rgb>& pixels) {
  std::vector<Rgb> palette;
  if (bits == 8) {
    for (const Rgb& pixel : pixels) {
      if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) {
        palette.push_back(pixel);
      }
    }
  }
  const auto colours = static_cast<std::uint32_t>(palette.size());
  const auto rowBytes = static_cast<std::uint32_t>((width * bits / 8 + 3) / 4 * 4);
  const std::uint32_t offset = 14 + 40 + 4 * colours;
  const std::uint32_t imageSize = rowBytes * static_cast<std::uint32_t>(height);
  std::string out = "BM";
  putLe(out,
        {offset + imageSize, 0, offset, 40, static_cast<std::uint32_t>(width),
         static_cast<std::uint32_t>(height)},
        4);
  putLe(out, {1, static_cast<std::uint32_t>(bits)}, 2);
  putLe(out, {0, imageSize, 2835, 2835, colours, 0}, 4); // no compression
  for (const Rgb& c : palette) {
    putLe(out, {c.b, c.g, c.r, 0}, 1);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb& c = pixels[static_cast<std::size_t>(y) * width + x];
      if (bits == 8) {
        const auto index = std::find(palette.begin(), palette.end(), c) - palette.begin();
        putLe(row, {static_cast<std::uint32_t>(index)}, 1);
      } else {
        putLe(row, {c.b, c.g, c.r}, 1);
        if (bits == 32) {
          row.push_back(0);
        }
      }
    }
    row.resize(rowBytes, '\0');
    out += row;
  }
  return out;
}

// Four 32 x 32 quadrants: red, green / blue, yellow.
std::vector<Rgb> quadrants() {
  std::vector<Rgb> pixels;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      pixels.push_back(y < 32 ? (x < 32 ? red : green) : (x < 32 ? blue : yellow));
    }
  }
  return pixels;
}

std::string surfaceLines(int width, int height, int bits) {
  return "Surface: w:" + std::to_string(width) + " h:" + std::to_string(height) +
         " bpp:" + std::to_string(bits) + "\nbytes per pixel: " + std::to_string(bits / 8) + "\n";
}

GLint boundTexture() {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

GLint textureParameter(GLenum name) {
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
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

class Texture : public testing::Test {
protected:
  void SetUp() override { GLWindow::clear(); }
  void TearDown() override { glBindTexture(GL_TEXTURE_2D, 0); }

  // Loads file, returning the texture and what the loader printed.
  static unsigned int load(const char* file, std::string& printed) {
    testing::internal::CaptureStdout();
    const unsigned int texture = loadTextureBMP(file);
    printed = testing::internal::GetCapturedStdout();
    return texture;
  }

  TempResources resources;
};

TEST_F(Texture, LoadsTheGameImageAsARepeatingLinearTextureLeftBound) {
  std::string printed;
  const unsigned int texture = load("/Images/test.bmp", printed);
  EXPECT_EQ(printed, "Surface: w:64 h:64 bpp:24\nbytes per pixel: 3\n");
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(static_cast<unsigned int>(boundTexture()), texture);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Texels of the brick image (see scripts/make-test-bmp): mortar at x 0 in
// the upper course and at x 32 in the lower one, so a flipped image shows.
struct TexelRow {
  std::string name;
  int x, y;
  Rgb colour;
};

class BrickTiling : public Texture, public testing::WithParamInterface<TexelRow> {};

TEST_P(BrickTiling, RepeatsEvery64PixelsFromTheTopLeftCorner) {
  const TexelRow& row = GetParam();
  std::string printed;
  load("/Images/test.bmp", printed);
  const int left = 100, top = 50;
  drawTextured(left, top, left + 256, top + 192);
  for (const int dx : {0, 64, 192}) {
    for (const int dy : {0, 128}) {
      EXPECT_EQ(GLWindow::pixel(left + row.x + dx, top + row.y + dy), row.colour)
          << "tile " << dx / 64 << "," << dy / 64;
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, BrickTiling, testing::Values(
    TexelRow{"UpperJoint", 0, 10, mortar}, TexelRow{"UpperFaceAtMiddle", 32, 10, face},
    TexelRow{"LowerJoint", 32, 40, mortar}, TexelRow{"LowerFaceAtLeft", 0, 40, face},
    TexelRow{"MiddleMortar", 50, 32, mortar}),
    RowName{});
// clang-format on

struct DepthRow {
  std::string name;
  int bits;
};

class OtherDepths : public Texture, public testing::WithParamInterface<DepthRow> {};

// Every depth is converted to 24-bit before the upload, which reads three
// bytes a pixel; rows of 3 pixels (9 bytes at 24 bits) stay padded to 12.
TEST_P(OtherDepths, LoadInTheirTrueColoursWithAlignedRows) {
  const int bits = GetParam().bits;
  resources.write("Images/quadrants.bmp", bmp(bits, 64, 64, quadrants()));
  std::string printed;
  ASSERT_NE(load("/Images/quadrants.bmp", printed), 0u);
  EXPECT_EQ(printed, surfaceLines(64, 64, bits));
  drawTextured(0, 0, 64, 64);
  expectPixels({{"red", 31, 31, red},
                {"green", 32, 5, green},
                {"blue", 5, 32, blue},
                {"yellow", 63, 63, yellow}});

  resources.write("Images/odd.bmp", bmp(bits, 3, 2, {red, green, blue, cyan, magenta, yellow}));
  load("/Images/odd.bmp", printed);
  EXPECT_EQ(printed, surfaceLines(3, 2, bits));
  // One tile is 64 pixels: each texel spans about 21 columns and 32 rows.
  drawTextured(0, 0, 64, 64);
  expectPixels({{"red", 10, 16, red},
                {"green", 32, 16, green},
                {"blue", 53, 16, blue},
                {"cyan", 10, 48, cyan},
                {"magenta", 32, 48, magenta},
                {"yellow", 53, 48, yellow}});
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherDepths,
                         testing::Values(DepthRow{"Paletted8", 8}, DepthRow{"True24", 24},
                                         DepthRow{"True32", 32}),
                         RowName{});

// The message goes to standard output; the death test reads standard error.
void loadOrDie(const char* file) {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  loadTextureBMP(file);
}

TEST(TextureDeathTest, MissingOrUnreadableImageEndsTheProcessWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempResources resources;
  std::remove((resources.path() / "Images" / "test.bmp").c_str());
  EXPECT_EXIT(loadOrDie("/Images/test.bmp"), testing::ExitedWithCode(1),
              "^Failed to load texture: /Images/test\\.bmp\n$");
  resources.write("Images/broken.bmp", "BM this is no bitmap");
  EXPECT_EXIT(loadOrDie("/Images/broken.bmp"), testing::ExitedWithCode(1),
              "^Failed to load texture: /Images/broken\\.bmp\n$");
}

class Registry : public Texture {
protected:
  void loadQuiet(const std::string& path, const std::string& name) {
    testing::internal::CaptureStdout();
    handler.load(path, name);
    testing::internal::GetCapturedStdout();
  }

  TextureHandler handler;
};

// A second load under a name replaces the first.
TEST_F(Registry, BindsATextureByNameAndNoneForAnUnknownName) {
  loadQuiet("/Images/test.bmp", "test");
  const unsigned long first = handler.get("test");
  ASSERT_NE(first, 0u);
  handler.unbind();
  EXPECT_EQ(boundTexture(), 0);
  handler.bind("test");
  EXPECT_EQ(static_cast<unsigned long>(boundTexture()), first);
  handler.bind("nothing");
  EXPECT_EQ(boundTexture(), 0);

  resources.write("Images/quadrants.bmp", bmp(24, 64, 64, quadrants()));
  loadQuiet("/Images/quadrants.bmp", "test");
  EXPECT_NE(handler.get("test"), first);
  handler.bind("test");
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(5, 5), red);
}

} // namespace
