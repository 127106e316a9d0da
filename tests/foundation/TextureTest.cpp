#include "Probes.h"

#include "common/Functions.h"
#include "gfx/TextureHandler.h"
#include "support/TempResources.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
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

void putLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

// A BMP file of the given depth (8: paletted, 24 or 32: true colour) whose
// top row comes first in pixels.
std::string bmp(int bits, int width, int height, const std::vector<Rgb>& pixels) {
  std::vector<Rgb> palette;
  std::vector<int> indices;
  if (bits == 8) {
    for (const Rgb& pixel : pixels) {
      int index = 0;
      while (index < static_cast<int>(palette.size()) && !(palette[index] == pixel)) {
        ++index;
      }
      if (index == static_cast<int>(palette.size())) {
        palette.push_back(pixel);
      }
      indices.push_back(index);
    }
  }
  const int rowBytes = (width * bits / 8 + 3) / 4 * 4;
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
  const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * height);
  std::string out = "BM";
  putLe(out, offset + imageSize, 4);
  putLe(out, 0, 4);
  putLe(out, offset, 4);
  putLe(out, 40, 4);
  putLe(out, static_cast<std::uint32_t>(width), 4);
  putLe(out, static_cast<std::uint32_t>(height), 4);
  putLe(out, 1, 2);
  putLe(out, static_cast<std::uint32_t>(bits), 2);
  putLe(out, 0, 4); // no compression
  putLe(out, imageSize, 4);
  putLe(out, 2835, 4);
  putLe(out, 2835, 4);
  putLe(out, static_cast<std::uint32_t>(palette.size()), 4);
  putLe(out, 0, 4);
  for (const Rgb& colour : palette) {
    out.push_back(static_cast<char>(colour.b));
    out.push_back(static_cast<char>(colour.g));
    out.push_back(static_cast<char>(colour.r));
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb& pixel = pixels[static_cast<std::size_t>(y) * width + x];
      if (bits == 8) {
        row.push_back(static_cast<char>(indices[static_cast<std::size_t>(y) * width + x]));
      } else {
        row.push_back(static_cast<char>(pixel.b));
        row.push_back(static_cast<char>(pixel.g));
        row.push_back(static_cast<char>(pixel.r));
        if (bits == 32) {
          row.push_back(0);
        }
      }
    }
    row.resize(static_cast<std::size_t>(rowBytes), '\0');
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

TEST_F(Texture, LoadsTheGameImageAsARepeatingLinearTexture) {
  std::string printed;
  const unsigned int texture = load("/Images/test.bmp", printed);
  EXPECT_EQ(printed, "Surface: w:64 h:64 bpp:24\nbytes per pixel: 3\n");
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(static_cast<unsigned int>(boundTexture()), texture) << "left bound";
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
  EXPECT_EQ(value, GL_REPEAT);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
  EXPECT_EQ(value, GL_REPEAT);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
  EXPECT_EQ(value, 64);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &value);
  EXPECT_EQ(value, 64);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Texture, EachLoadMakesANewTexture) {
  std::string printed;
  const unsigned int first = load("/Images/test.bmp", printed);
  const unsigned int second = load("/Images/test.bmp", printed);
  EXPECT_NE(first, second);
}

TEST_F(Texture, LeavesThePixelStoreAsItWas) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  std::string printed;
  load("/Images/test.bmp", printed);
  GLint alignment = 0, rowLength = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  EXPECT_EQ(alignment, 8);
  EXPECT_EQ(rowLength, 7);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // And the odd settings did not garble the upload.
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(0, 10), mortar);
  EXPECT_EQ(GLWindow::pixel(10, 10), face);
}

// Texels of the brick image (see scripts/make-test-bmp): mortar on rows 0
// and 32, at x 0 in the upper course and at x 32 in the lower one.
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
  for (const int dx : {0, 64, 128, 192}) {
    for (const int dy : {0, 64, 128}) {
      EXPECT_EQ(GLWindow::pixel(left + row.x + dx, top + row.y + dy), row.colour)
          << "tile " << dx / 64 << "," << dy / 64;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BrickTiling,
                         testing::Values(TexelRow{"TopMortar", 10, 0, mortar},
                                         TexelRow{"UpperFace", 10, 10, face},
                                         TexelRow{"UpperJoint", 0, 10, mortar},
                                         TexelRow{"UpperFaceBeforeTheEdge", 63, 31, face},
                                         TexelRow{"MiddleMortar", 50, 32, mortar},
                                         TexelRow{"LowerJoint", 32, 40, mortar},
                                         TexelRow{"LowerFaceAtLeft", 0, 40, face},
                                         TexelRow{"UpperFaceAtMiddle", 32, 10, face},
                                         TexelRow{"LastTexel", 63, 63, face}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Texture, LinearFilteringKeepsAnEvenFaceExact) {
  std::string printed;
  load("/Images/test.bmp", printed);
  glColor3f(1, 1, 1);
  glBegin(GL_POLYGON);
  rect(0, 0, 128, 128);
  glEnd();
  EXPECT_EQ(GLWindow::pixel(10, 10), face);
  EXPECT_EQ(GLWindow::pixel(74, 74 + 32), face);
  const Rgb edge = GLWindow::pixel(10, 0);
  EXPECT_GT(edge.r, mortar.r);
  EXPECT_LT(edge.r, face.r);
}

struct DepthRow {
  std::string name;
  int bits;
};

class OtherDepths : public Texture, public testing::WithParamInterface<DepthRow> {};

TEST_P(OtherDepths, LoadInTheirTrueColours) {
  const DepthRow& row = GetParam();
  resources.write("Images/quadrants.bmp", bmp(row.bits, 64, 64, quadrants()));
  std::string printed;
  const unsigned int texture = load("/Images/quadrants.bmp", printed);
  EXPECT_EQ(printed, surfaceLines(64, 64, row.bits));
  ASSERT_NE(texture, 0u);
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(5, 5), red);
  EXPECT_EQ(GLWindow::pixel(31, 31), red);
  EXPECT_EQ(GLWindow::pixel(32, 5), green);
  EXPECT_EQ(GLWindow::pixel(5, 32), blue);
  EXPECT_EQ(GLWindow::pixel(63, 63), yellow);
}

// Rows of 3 pixels: 9 bytes at 24 bits, padded to 12 in the file and in
// the loaded surface.
TEST_P(OtherDepths, OddWidthRowsStayAligned) {
  const DepthRow& row = GetParam();
  resources.write("Images/odd.bmp", bmp(row.bits, 3, 2, {red, green, blue, cyan, magenta, yellow}));
  std::string printed;
  load("/Images/odd.bmp", printed);
  EXPECT_EQ(printed, surfaceLines(3, 2, row.bits));
  // One tile is 64 pixels: each texel spans about 21 columns and 32 rows.
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(10, 16), red);
  EXPECT_EQ(GLWindow::pixel(32, 16), green);
  EXPECT_EQ(GLWindow::pixel(53, 16), blue);
  EXPECT_EQ(GLWindow::pixel(10, 48), cyan);
  EXPECT_EQ(GLWindow::pixel(32, 48), magenta);
  EXPECT_EQ(GLWindow::pixel(53, 48), yellow);
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherDepths,
                         testing::Values(DepthRow{"Paletted8", 8}, DepthRow{"True24", 24},
                                         DepthRow{"True32", 32}),
                         [](const auto& info) { return info.param.name; });

TEST(TextureDeathTest, MissingImageEndsTheProcessWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempResources resources;
  std::remove((resources.path() / "Images" / "test.bmp").c_str());
  EXPECT_EXIT(
      {
        // The message goes to standard output; the death test reads
        // standard error.
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        loadTextureBMP("/Images/test.bmp");
      },
      testing::ExitedWithCode(1), "^Failed to load texture: /Images/test\\.bmp\n$");
}

TEST(TextureDeathTest, UnreadableImageEndsTheProcessWithStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempResources resources;
  resources.write("Images/broken.bmp", "BM this is no bitmap");
  EXPECT_EXIT(
      {
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        loadTextureBMP("/Images/broken.bmp");
      },
      testing::ExitedWithCode(1), "^Failed to load texture: /Images/broken\\.bmp\n$");
}

// ---- Registry -----------------------------------------------------------------------

class Registry : public Texture {
protected:
  void loadQuiet(const std::string& path, const std::string& name) {
    testing::internal::CaptureStdout();
    handler.load(path, name);
    testing::internal::GetCapturedStdout();
  }

  TextureHandler handler;
};

TEST_F(Registry, BindsALoadedTextureByName) {
  loadQuiet("/Images/test.bmp", "test");
  ASSERT_NE(handler.get("test"), 0u);
  handler.unbind();
  EXPECT_EQ(boundTexture(), 0);
  handler.bind("test");
  EXPECT_EQ(static_cast<unsigned long>(boundTexture()), handler.get("test"));
}

TEST_F(Registry, NameNeverLoadedBindsNoTexture) {
  loadQuiet("/Images/test.bmp", "test");
  handler.bind("test");
  handler.bind("nothing");
  EXPECT_EQ(boundTexture(), 0);
  EXPECT_EQ(handler.get("nothing"), 0u);
}

TEST_F(Registry, SecondLoadUnderANameReplacesTheFirst) {
  loadQuiet("/Images/test.bmp", "test");
  const unsigned long first = handler.get("test");
  resources.write("Images/quadrants.bmp", bmp(24, 64, 64, quadrants()));
  loadQuiet("/Images/quadrants.bmp", "test");
  EXPECT_NE(handler.get("test"), first);
  handler.unbind();
  handler.bind("test");
  drawTextured(0, 0, 64, 64);
  EXPECT_EQ(GLWindow::pixel(5, 5), red);
  EXPECT_TRUE(glIsTexture(static_cast<GLuint>(first))) << "the first stays allocated";
}

TEST_F(Registry, PrintsTheSurfaceLines) {
  testing::internal::CaptureStdout();
  handler.load("/Images/test.bmp", "test");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Surface: w:64 h:64 bpp:24\nbytes per pixel: 3\n");
}

} // namespace
