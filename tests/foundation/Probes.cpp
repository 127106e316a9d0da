#include "Probes.h"

#include <GL/gl.h>

#include <algorithm>

PixelBlock::PixelBlock(int left, int top, int width, int height)
    : left(left), top(top), width(width), height(height),
      pixels(static_cast<std::size_t>(width) * height) {
  static_assert(sizeof(Rgb) == 3, "read straight into the pixels");
  GLWindow::ensure();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(left, viewport[3] - top - height, width, height, GL_RGB, GL_UNSIGNED_BYTE,
               pixels.data());
}

std::optional<Box> PixelBlock::drawn(Rgb background) const {
  std::optional<Box> box;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      if (pixels[static_cast<std::size_t>(top + height - 1 - y) * width + (x - left)] ==
          background) {
        continue;
      }
      box =
          box ? Box{std::min(box->left, x), box->top, std::max(box->right, x), y} : Box{x, y, x, y};
    }
  }
  return box;
}

bool PixelBlock::onlyColours(std::initializer_list<Rgb> colours) const {
  return std::all_of(pixels.begin(), pixels.end(), [&](const Rgb& pixel) {
    return std::find(colours.begin(), colours.end(), pixel) != colours.end();
  });
}

std::vector<FedVertex> captureVertices(const std::function<void()>& emit) {
  GLWindow::ensure();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  std::vector<GLfloat> buffer(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glBegin(GL_POINTS);
  emit();
  glEnd();
  const GLint count = glRenderMode(GL_RENDER);
  // Each point: token, x, y, z, colour (4), texture coordinate (4).
  std::vector<FedVertex> vertices;
  for (GLint i = 0; i + 12 <= count && buffer[i] == GL_POINT_TOKEN; i += 12) {
    vertices.push_back(FedVertex{buffer[i + 1], static_cast<float>(viewport[3]) - buffer[i + 2],
                                 buffer[i + 8], buffer[i + 9]});
  }
  return vertices;
}
