#include "common/Draw.h"

#include <GL/gl.h>
#include <GL/glut.h>

namespace {

void* const font = GLUT_BITMAP_TIMES_ROMAN_24;

// freeglut refuses its font calls (printing an error and exiting) until
// glutInit has run. The game owns no GLUT window, so GLUT is initialised
// bare, once, on the first font call.
void ensureGlut() {
  static const bool ready = [] {
    static char name[] = "clamber";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
    return true;
  }();
  static_cast<void>(ready);
}

// The byte as a signed char widened to int: bytes from 128 up reach the
// font as negative values, which it neither draws nor measures.
int glyph(char c) {
  return static_cast<int>(static_cast<signed char>(c));
}

} // namespace

void gvi(int x, int y) {
  glVertex2f(static_cast<float>(x + 0.325), static_cast<float>(y + 0.325));
}

void rect(int x1, int y1, int x2, int y2) {
  // The differences in double: the select box of an object at the edge of
  // the int range is wider than an int holds.
  const float s = static_cast<float>((static_cast<double>(x2) - x1) / 64.0);
  const float t = static_cast<float>((static_cast<double>(y2) - y1) / 64.0);
  glTexCoord2f(0, 0);
  gvi(x1, y1);
  glTexCoord2f(s, 0);
  gvi(x2, y1);
  glTexCoord2f(s, t);
  gvi(x2, y2);
  glTexCoord2f(0, t);
  gvi(x1, y2);
}

void fillBox(int left, int top, int right, int bottom) {
  glBegin(GL_POLYGON);
  rect(left, top, right, bottom);
  glEnd();
}

void outlineBox(int left, int top, int right, int bottom) {
  glBegin(GL_LINE_LOOP);
  rect(left, top, right, bottom);
  glEnd();
}

void drawText(int x, int y, const std::string& text) {
  ensureGlut();
  glRasterPos2f(static_cast<float>(x), static_cast<float>(y));
  for (const char c : text) {
    glutBitmapCharacter(font, glyph(c));
  }
}

int stringWidth(const std::string& text) {
  ensureGlut();
  int width = 0;
  for (const char c : text) {
    width += glutBitmapWidth(font, glyph(c));
  }
  return width;
}
