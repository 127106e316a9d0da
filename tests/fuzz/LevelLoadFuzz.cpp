// Feeds any bytes to the level loader as a level file, then checks that what
// it loaded survives a save and a load unchanged and that saving it again
// writes the same bytes. No window and no GL: only the files.

#include "common/Functions.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path& folder() {
  static fs::path path;
  return path;
}

void removeFolder() {
  std::error_code ignored;
  fs::remove_all(folder(), ignored);
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "level fuzz: %s\n", what);
  std::abort();
}

// A resource folder of its own, in memory where possible: every save syncs
// its file, which a disk would make the slowest part of each run.
void makeResources() {
  std::error_code error;
  const fs::path base =
      fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string name = (base / "clamber-fuzz-XXXXXX").string();
  if (!mkdtemp(name.data())) {
    fail("mkdtemp failed");
  }
  folder() = name;
  fs::create_directories(folder() / "Levels");
  setResourcePath(folder().string());
  std::atexit(removeFolder);
}

std::string contents(const char* level) {
  std::ifstream in(folder() / "Levels" / level, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file format keeps six significant digits of a tenth: magnitudes from
// 10,000,000 pixels on are written in exponent form and do not read back.
bool withinFormat(const Level& level) {
  for (const auto& o : level.objects) {
    for (const double v : {o->getX(), o->getY(), o->getWidth(), o->getHeight()}) {
      if (!(std::fabs(v) < 1e7)) {
        return false;
      }
    }
  }
  return true;
}

bool same(const GameObject& a, const GameObject& b) {
  if (a.getType() != b.getType() || a.getX() != b.getX() || a.getY() != b.getY() ||
      a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight() ||
      a.isActive() != b.isActive() || a.isSelected() != b.isSelected()) {
    return false;
  }
  const auto* pa = dynamic_cast<const Platform*>(&a);
  const auto* pb = dynamic_cast<const Platform*>(&b);
  if ((pa == nullptr) != (pb == nullptr) ||
      (pa && pa->getPlatformType() != pb->getPlatformType())) {
    return false;
  }
  const auto* ma = dynamic_cast<const Monster*>(&a);
  const auto* mb = dynamic_cast<const Monster*>(&b);
  return (ma == nullptr) == (mb == nullptr) &&
         (!ma || (ma->getCurrentHp() == mb->getCurrentHp() && ma->getMaxHp() == mb->getMaxHp()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (folder().empty()) {
    makeResources();
  }
  {
    std::ofstream out(folder() / "Levels" / "input.data", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) {
      fail("cannot write the input");
    }
  }

  Level first;
  if (!first.loadLevel("input.data")) {
    fail("the input did not load");
  }
  for (const auto& o : first.objects) {
    if (o->getType() < GameObject::PLATFORM || o->getType() > GameObject::MONSTER) {
      fail("an object of unknown type was made");
    }
  }
  if (!first.saveLevel("first.data")) {
    fail("the first save failed");
  }
  Level second;
  if (!second.loadLevel("first.data")) {
    fail("the first save did not load");
  }
  if (!second.saveLevel("second.data")) {
    fail("the second save failed");
  }
  if (!withinFormat(first)) {
    return 0;
  }
  if (first.objects.size() != second.objects.size()) {
    fail("the object count changed across save and load");
  }
  for (std::size_t i = 0; i < first.objects.size(); ++i) {
    if (!same(*first.objects[i], *second.objects[i])) {
      fail("an object changed across save and load");
    }
  }
  if (contents("first.data") != contents("second.data")) {
    fail("saving the reloaded level wrote other bytes");
  }
  return 0;
}
