#pragma once

// The free functions of the game: time scaling, drawing primitives and
// bitmap text, the resource directory and its files, the texture loader.

#include <string>
#include <string_view>
#include <vector>

// ---- Time scaling ----------------------------------------------------------

// A per-second quantity scaled to ms milliseconds: ms * perSecond / 1000.
double pps(double perSecond, int ms);
int min(int a, int b);
int max(int a, int b);
// Truncation toward zero to whole pixels for drawing, held at the int range
// (NaN gives 0): a coordinate far beyond any window, such as that of a
// character that has fallen for minutes, must not wrap round into view.
int truncateToInt(double v);

// ---- Drawing (window pixels, y down; only between glBegin/glEnd) ----------

// One vertex at (x + 0.325, y + 0.325), so that integer coordinates land
// inside the pixel they name under the window-pixel projection.
void gvi(int x, int y);
// The four corners top-left, top-right, bottom-right, bottom-left, each with
// a texture coordinate that repeats a 64-pixel image from (x1, y1).
void rect(int x1, int y1, int x2, int y2);
// Text in the Times Roman 24 bitmap font; (x, y) is the left end of the
// baseline. Uses the current colour.
void drawText(int x, int y, const std::string& text);
// Advance in pixels of the text as drawText draws it.
int stringWidth(const std::string& text);

// ---- Resource directory and files -----------------------------------------

// The folder that holds Levels/ and Images/, without a trailing "/": the
// override if one is set, else "resources" beside the executable when it
// exists, else the installed data folder.
std::string getResourcePath();
// Replaces the resource directory for the rest of the process (tests); an
// empty path restores the default lookup.
void setResourcePath(const std::string& path);
// The resource directory with relative appended; relative begins with "/".
std::string createPath(const std::string& relative);

// The lines of the resource file at relative (no leading "/"). A file that
// ends with a line feed yields one more, empty, line; an empty file yields
// one empty line. An unreadable file prints "FAILED" on standard output and
// yields an empty list.
std::vector<std::string> readFile(const std::string& relative);
// Fields of s. A separator in the first position belongs to the first
// field; two in a row give an empty field; a trailing one a trailing empty
// field; an empty s one empty field.
std::vector<std::string> splitString(const std::string& s, char separator);
// Level names: the files of the Levels folder whose names contain ".data",
// cut at the first ".data", sorted by name (byte order). Empty when the
// folder cannot be listed.
std::vector<std::string> getLevelList();

// The leading integer of a level-file field, read like atoi (leading white
// space, optional sign, digits up to the first other character; nothing
// parsed reads 0). Returns false when the value does not fit an int.
bool parseLeadingInt(std::string_view field, int& value);
// Appends value in the default stream format (%g, precision 6) in the
// classic "C" locale.
void appendNumber(std::string& out, double value);

// ---- Textures ---------------------------------------------------------------

// Loads the BMP at the resource directory + file as a new repeating,
// linearly filtered OpenGL texture and returns its name, left bound. Prints
// the surface's size and depth. A missing or unusable image prints "Failed
// to load texture: <file>" and ends the process with status 1.
unsigned int loadTextureBMP(const char* file);
