#pragma once

// Numbers in the level files' text, in the classic "C" format whatever the
// user's locale.

#include <string>
#include <string_view>

// The leading integer of a level-file field, read like atoi (leading white
// space, optional sign, digits up to the first other character; nothing
// parsed reads 0). Returns false when the value does not fit an int.
bool parseLeadingInt(std::string_view field, int& value);
// Appends value: a whole value as its plain digits, at any magnitude, so
// that it reads back exactly; any other value as %g with precision 6.
void appendNumber(std::string& out, double value);
