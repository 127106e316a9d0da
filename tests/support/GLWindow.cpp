#include "support/GLWindow.h"

#include "app/Application.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include <ostream>

void GLWindow::ensure() {
  static bool open = false;
  if (!open) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
      std::fprintf(stderr, "GLWindow: SDL_Init failed: %s\n", SDL_GetError());
      std::abort();
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(Application::WIDTH, Application::HEIGHT, 0,
                          SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF)) {
      std::fprintf(stderr, "GLWindow: SDL_SetVideoMode failed: %s\n", SDL_GetError());
      std::abort();
    }
    Application::glEnable2D();
    glEnable(GL_TEXTURE_2D);
    std::atexit(SDL_Quit);
    open = true;
  }
}

void GLWindow::clear(float r, float g, float b) {
  ensure();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_2D, 0);
  glClearColor(r, g, b, 0);
  glClear(GL_COLOR_BUFFER_BIT);
}

Rgb GLWindow::pixel(int x, int y) {
  ensure();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  unsigned char data[4] = {0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, data);
  return Rgb{data[0], data[1], data[2]};
}

void PrintTo(const Rgb& colour, std::ostream* out) {
  *out << "rgb(" << int{colour.r} << ", " << int{colour.g} << ", " << int{colour.b} << ")";
}

void expectPixels(std::initializer_list<Probe> probes) {
  for (const Probe& probe : probes) {
    EXPECT_EQ(GLWindow::pixel(probe.x, probe.y), probe.colour)
        << probe.where << " at " << probe.x << ", " << probe.y;
  }
}

void expectBox(int left, int top, int right, int bottom, Rgb inside, Rgb outside) {
  const int midX = (left + right) / 2;
  const int midY = (top + bottom) / 2;
  expectPixels({{"left edge", left, midY, inside},
                {"left of it", left - 1, midY, outside},
                {"right edge", right, midY, inside},
                {"right of it", right + 1, midY, outside},
                {"top edge", midX, top, inside},
                {"above it", midX, top - 1, outside},
                {"bottom edge", midX, bottom, inside},
                {"below it", midX, bottom + 1, outside}});
}
