#pragma once

#include "common/ResourceRoot.h"

// Loads the BMP at file (relative to the root, beginning with "/") as a new
// repeating, linearly filtered OpenGL texture and returns its name, left
// bound. Prints the surface's size and depth. A missing or unusable image
// prints "Failed to load texture: <file>" and ends the process with status
// 1.
unsigned int loadTextureBMP(const ResourceRoot& root, const char* file);
