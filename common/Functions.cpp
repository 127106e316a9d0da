#include "common/Functions.h"

double pps(double perSecond, int ms) { return static_cast<double>(ms) * perSecond / 1000; }

int min(int a, int b) { return a < b ? a : b; }

int max(int a, int b) { return a > b ? a : b; }
