#include "common/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

bool parseLeadingInt(std::string_view field, int& value) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  // Accumulated as a negative number, whose range reaches INT_MIN.
  std::int64_t result = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    result = result * 10 - (field[i] - '0');
    if (result < static_cast<std::int64_t>(INT_MIN)) {
      return false;
    }
  }
  if (!negative) {
    result = -result;
    if (result > INT_MAX) {
      return false;
    }
  }
  value = static_cast<int>(result);
  return true;
}

void appendNumber(std::string& out, double value) {
  // Saved coordinates are nearly always whole tenths. A whole value is written
  // as all of its digits: %g would cut one of a million or more to six
  // significant digits in exponent form, which the loader reads back as its
  // leading digit. Zero keeps its sign through the general path ("-0").
  const bool whole = value != 0 && std::isfinite(value) && value == std::trunc(value);
  // Room for the largest double's 309 digits and a sign.
  char buffer[320];
  char* const last = buffer + sizeof buffer;
  std::to_chars_result written{};
  if (whole && std::fabs(value) < 0x1p63) {
    // The integer conversion writes the same digits several times faster.
    written = std::to_chars(buffer, last, static_cast<std::int64_t>(value));
  } else if (whole) {
    written = std::to_chars(buffer, last, value, std::chars_format::fixed, 0);
  } else {
    written = std::to_chars(buffer, last, value, std::chars_format::general, 6);
  }
  out.append(buffer, static_cast<std::size_t>(written.ptr - buffer));
}
