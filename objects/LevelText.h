#pragma once

// The text of a level file, parsed and written in memory: Level's files and
// the fuzzer share it. The format is described in README.md.

#include "objects/GameObject.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The objects one level text describes, in text order.
struct ParsedLevel {
  std::vector<std::unique_ptr<GameObject>> objects;
  // Non-empty lines that described no object (unknown type, too few fields,
  // out-of-range numbers).
  std::size_t skippedLines = 0;
};

ParsedLevel parseLevelText(std::string_view text);

// The level file text of the objects, in list order.
std::string levelText(const std::vector<std::unique_ptr<GameObject>>& objects);
