#include "objects/LevelText.h"

#include "common/NumberText.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <array>
#include <climits>

namespace {

// A coordinate field: its leading integer in tenths of a pixel. False when
// the value in pixels would not fit an int.
bool readTenths(std::string_view field, double& pixels) {
  int tenths = 0;
  if (!parseLeadingInt(field, tenths) || tenths > INT_MAX / 10 || tenths < INT_MIN / 10) {
    return false;
  }
  pixels = tenths * 10;
  return true;
}

// The object one line describes, or nothing for a line that describes none.
// Fields are split as splitString(line, ' ') splits them, but in place.
std::unique_ptr<GameObject> parseLine(std::string_view line) {
  std::array<std::string_view, 6> fields;
  std::size_t count = 0;
  // The search for the first separator starts at the second character, so
  // a leading space stays in the first field. Fields past the sixth are
  // never read, so splitting stops there.
  std::size_t begin = 0;
  bool more = false;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == ' ') {
      fields[count++] = line.substr(begin, i - begin);
      begin = i + 1;
      if (count == fields.size()) {
        more = true;
        break;
      }
    }
  }
  if (!more) {
    fields[count++] = line.substr(begin);
  }

  const std::size_t given = count;
  // A platform line without its kind reads as CLIMBABLE; a five-field
  // object line written without its trailing space still reads its height.
  if (count < fields.size()) {
    fields[count++] = "0";
  }

  int type = 0;
  if (!parseLeadingInt(fields[0], type)) {
    return nullptr;
  }
  const bool known = type >= GameObject::PLATFORM && type <= GameObject::MONSTER;
  if (!known || given < (type == GameObject::PLATFORM ? 5u : 4u)) {
    return nullptr;
  }
  double x = 0;
  double y = 0;
  double w = 0;
  double h = 0;
  if (!readTenths(fields[1], x) || !readTenths(fields[2], y) || !readTenths(fields[3], w) ||
      !readTenths(fields[4], h)) {
    return nullptr;
  }
  switch (type) {
  case GameObject::PLATFORM: {
    int kind = 0;
    if (!parseLeadingInt(fields[5], kind)) {
      return nullptr;
    }
    return std::make_unique<Platform>(x, y, w, h, static_cast<Platform::PlatformType>(kind));
  }
  case GameObject::MONSTER:
    return std::make_unique<Monster>(x, y, w, h);
  default:
    return std::make_unique<GameObject>(x, y, w, h, static_cast<GameObject::ObjectType>(type));
  }
}

} // namespace

ParsedLevel parseLevelText(std::string_view text) {
  ParsedLevel parsed;
  // Saved lines are mostly 15 to 20 bytes long: room for the usual level.
  parsed.objects.reserve(text.size() / 16);
  for (;;) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (auto object = parseLine(line)) {
      parsed.objects.push_back(std::move(object));
    } else if (!line.empty()) {
      ++parsed.skippedLines;
    }
    if (end == std::string_view::npos) {
      return parsed;
    }
    text.remove_prefix(end + 1);
  }
}

std::string levelText(const std::vector<std::unique_ptr<GameObject>>& objects) {
  std::string text;
  // Most lines are shorter; one allocation for the usual level.
  text.reserve(objects.size() * 24);
  for (const auto& o : objects) {
    o->appendSaveString(text);
  }
  return text;
}
