// Loading and saving a level of 100,000 objects in a temporary resource
// folder; items are lines of the level file.

#include "common/Functions.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int objectCount = 100000;

// A resource folder of the benchmark's own, removed when it ends.
class TempFolder {
public:
  TempFolder() {
    std::string name = (fs::temp_directory_path() / "clamber-bench-XXXXXX").string();
    if (!mkdtemp(name.data())) {
      throw std::runtime_error("mkdtemp failed");
    }
    root = name;
    fs::create_directories(root / "Levels");
    setResourcePath(root.string());
  }
  ~TempFolder() {
    setResourcePath("");
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

private:
  fs::path root;
};

// A large level laid out as the editor would: on the 10 grid, mostly
// platforms of every kind, with monsters, goals and a spawn point.
void fill(Level& level) {
  level.addObject(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  for (int i = 1; i < objectCount; ++i) {
    const double x = (i % 700) * 130.0;
    const double y = (i / 700) * 90.0 - 3000;
    switch (i % 10) {
    case 7:
    case 8:
      level.addObject(std::make_unique<Monster>(x + 40, y - 20, 20, 20));
      break;
    case 9:
      level.addObject(std::make_unique<GameObject>(x, y - 100, 100, 100, GameObject::GOAL_AREA));
      break;
    default:
      level.addObject(std::make_unique<Platform>(x, y, 120 + (i % 5) * 10, 20,
                                                 static_cast<Platform::PlatformType>(i % 3)));
    }
  }
}

void BM_LoadLevel(benchmark::State& state) {
  TempFolder folder;
  {
    Level level;
    fill(level);
    if (!level.saveLevel("big.data")) {
      state.SkipWithError("could not write the level");
      return;
    }
  }
  Level level;
  for (auto _ : state) {
    if (!level.loadLevel("big.data")) {
      state.SkipWithError("could not read the level");
      break;
    }
    benchmark::DoNotOptimize(level.getObjects().data());
  }
  state.SetItemsProcessed(state.iterations() * objectCount);
}

void BM_SaveLevel(benchmark::State& state) {
  TempFolder folder;
  Level level;
  fill(level);
  for (auto _ : state) {
    if (!level.saveLevel("big.data")) {
      state.SkipWithError("could not write the level");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * objectCount);
}

} // namespace

BENCHMARK(BM_LoadLevel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveLevel)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
