#pragma once

// The game's units: time in whole milliseconds, speeds in pixels per second,
// positions in pixels held as doubles and drawn as whole pixels.

// A per-second quantity scaled to ms milliseconds: ms * perSecond / 1000.
double pps(double perSecond, int ms);

// Truncation toward zero to whole pixels, held at the int range (NaN gives
// 0): a coordinate far beyond any window, such as that of a character that
// has fallen for minutes, must not wrap round into view.
int truncateToInt(double v);

// The editing grid: objects are moved, resized, nudged and pasted onto
// multiples of GRID pixels, and level files store tenths of pixels.
constexpr double GRID = 10;
// The side of the square resize handle at an object's bottom-right corner,
// and the least width and height a resize leaves.
constexpr double HANDLE_SIZE = 10;

// The largest multiple of GRID not above v, also for negative values.
double snapToGrid(double v);
