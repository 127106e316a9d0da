#include "support/GLWindow.h"

#include "app/Application.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

void GLWindow::ensure() {
  static const bool open =
      SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 &&
      SDL_SetVideoMode(640, 480, 0, SDL_OPENGL) && std::atexit(SDL_Quit) == 0 &&
      (Application::glEnable2D(), glEnable(GL_TEXTURE_2D), true);
  ASSERT_TRUE(open) << SDL_GetError();
}

void GLWindow::clear(float r, float g, float b) {
  ensure();
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_2D, 0);
  glClearColor(r, g, b, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

Rgb GLWindow::pixel(int x, int y) {
  Rgb colour{};
  glReadPixels(x, 479 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &colour);
  return colour;
}

std::set<std::uint32_t> GLWindow::colours() {
  std::vector<std::uint8_t> p(640 * 480 * 3);
  glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, p.data());
  std::set<std::uint32_t> found;
  for (std::size_t i = 0; i < p.size(); i += 3) {
    found.insert(std::uint32_t(p[i] << 16 | p[i + 1] << 8 | p[i + 2]));
  }
  return found;
}

void expectBox(int left, int top, int right, int bottom, Rgb inside, Rgb outside) {
  const int x = (left + right) / 2, y = (top + bottom) / 2;
  const std::tuple<int, int, int, int> edges[] = {
      {left, y, -1, 0}, {right, y, 1, 0}, {x, top, 0, -1}, {x, bottom, 0, 1}};
  for (const auto& [px, py, dx, dy] : edges) {
    EXPECT_EQ(GLWindow::pixel(px, py), inside) << px << ", " << py;
    EXPECT_EQ(GLWindow::pixel(px + dx, py + dy), outside) << px + dx << ", " << py + dy;
  }
}
