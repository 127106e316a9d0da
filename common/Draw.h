#pragma once

// Drawing primitives and bitmap text, in window pixels with y down (or in
// level pixels under the world's camera translation).

#include <string>

// One vertex at (x + 0.325, y + 0.325), so that integer coordinates land
// inside the pixel they name under the window-pixel projection. Only
// between glBegin and glEnd.
void gvi(int x, int y);
// The four corners top-left, top-right, bottom-right, bottom-left, each with
// a texture coordinate that repeats a 64-pixel image from (x1, y1). Only
// between glBegin and glEnd.
void rect(int x1, int y1, int x2, int y2);
// A filled and an outlined rectangle through rect, in the current colour.
void fillBox(int left, int top, int right, int bottom);
void outlineBox(int left, int top, int right, int bottom);

// Text in the Times Roman 24 bitmap font; (x, y) is the left end of the
// baseline. Uses the current colour.
void drawText(int x, int y, const std::string& text);
// Advance in pixels of the text as drawText draws it.
int stringWidth(const std::string& text);
