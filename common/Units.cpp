#include "common/Units.h"

#include <climits>
#include <cmath>

double pps(double perSecond, int ms) {
  return static_cast<double>(ms) * perSecond / 1000;
}

int truncateToInt(double v) {
  if (std::isnan(v)) {
    return 0;
  }
  if (v >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  if (v <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  return static_cast<int>(v);
}

double snapToGrid(double v) {
  return GRID * std::floor(v / GRID);
}
