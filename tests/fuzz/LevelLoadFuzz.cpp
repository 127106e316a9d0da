// Any bytes as a level text: what the parser makes must survive writing
// and parsing unchanged, and write again to the same bytes, or the target
// aborts and libFuzzer keeps the input. In memory only: no files, no GL.

#include "objects/LevelText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ParsedLevel first =
      parseLevelText(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = levelText(first.objects);
  const ParsedLevel second = parseLevelText(text);
  bool same = second.skippedLines == 0 && second.objects.size() == first.objects.size() &&
              levelText(second.objects) == text;
  for (std::size_t i = 0; same && i < first.objects.size(); ++i) {
    same = first.objects[i]->sameAs(*second.objects[i]);
  }
  if (!same) {
    std::abort();
  }
  return 0;
}
