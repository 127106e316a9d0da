#include "Probes.h"

#include <GL/gl.h>

void PrintTo(const Box& box, std::ostream* out) {
  *out << "left " << box.left << ", top " << box.top << ", right " << box.right << ", bottom "
       << box.bottom;
}

PixelBlock::PixelBlock(int left, int top, int width, int height)
    : left(left), top(top), width(width), height(height),
      pixels(static_cast<std::size_t>(width) * height) {
  GLWindow::ensure();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  std::vector<unsigned char> data(static_cast<std::size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(left, viewport[3] - top - height, width, height, GL_RGB, GL_UNSIGNED_BYTE,
               data.data());
  // OpenGL's rows run bottom-up.
  for (int row = 0; row < height; ++row) {
    const unsigned char* source = data.data() + static_cast<std::size_t>(row) * width * 3;
    for (int column = 0; column < width; ++column) {
      pixels[static_cast<std::size_t>(height - 1 - row) * width + column] =
          Rgb{source[column * 3], source[column * 3 + 1], source[column * 3 + 2]};
    }
  }
}

Rgb PixelBlock::at(int x, int y) const {
  return pixels[static_cast<std::size_t>(y - top) * width + (x - left)];
}

std::optional<Box> PixelBlock::drawn(Rgb background) const {
  std::optional<Box> box;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      if (at(x, y) == background) {
        continue;
      }
      if (!box) {
        box = Box{x, y, x, y};
      }
      box->left = x < box->left ? x : box->left;
      box->right = x > box->right ? x : box->right;
      box->bottom = y;
    }
  }
  return box;
}

bool PixelBlock::onlyColours(std::initializer_list<Rgb> colours) const {
  for (const Rgb& pixel : pixels) {
    bool known = false;
    for (const Rgb& colour : colours) {
      known = known || pixel == colour;
    }
    if (!known) {
      return false;
    }
  }
  return true;
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
  for (GLint i = 0; i + 12 <= count; i += 12) {
    if (buffer[i] != GL_POINT_TOKEN) {
      break;
    }
    vertices.push_back(FedVertex{buffer[i + 1], static_cast<float>(viewport[3]) - buffer[i + 2],
                                 buffer[i + 8], buffer[i + 9]});
  }
  return vertices;
}
