// Parsing and writing the text of a generated level of 1,000,000 objects in
// memory, and saving it as a file (written to a temporary file, synced,
// renamed); items are lines of the level text.

#include "common/ResourceRoot.h"
#include "objects/Level.h"
#include "objects/LevelText.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/TempDir.h"
#include "world/LevelStore.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t objectCount = 1000000;
constexpr auto lines = static_cast<std::int64_t>(objectCount);

using Objects = std::vector<std::unique_ptr<GameObject>>;

// A large level laid out as the editor would: on the 10 grid, mostly
// platforms of every kind, with monsters, goals and a spawn point first.
// The same level on every run.
Objects generate() {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> cell(-5000, 50000);
  std::uniform_int_distribution<int> size(1, 40);
  std::uniform_int_distribution<int> kind(0, 99);
  Objects objects;
  objects.reserve(objectCount);
  objects.push_back(std::make_unique<GameObject>(40, 380, 20, 20, GameObject::SPAWN_POINT));
  while (objects.size() < objectCount) {
    const double x = cell(random) * 10.0;
    const double y = cell(random) * 10.0;
    const int k = kind(random);
    if (k < 20) {
      objects.push_back(std::make_unique<Monster>(x, y, 20, 20));
    } else if (k < 25) {
      objects.push_back(std::make_unique<GameObject>(x, y, 100, 100, GameObject::GOAL_AREA));
    } else {
      objects.push_back(std::make_unique<Platform>(x, y, size(random) * 10.0, 20,
                                                   static_cast<Platform::PlatformType>(k % 3)));
    }
  }
  return objects;
}

const Objects& level() {
  static const Objects objects = generate();
  return objects;
}

void BM_ParseLevelText(benchmark::State& state) {
  const std::string text = levelText(level());
  for (auto _ : state) {
    const ParsedLevel parsed = parseLevelText(text);
    if (parsed.objects.size() != objectCount || parsed.skippedLines != 0) {
      state.SkipWithError("the level did not parse back");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_WriteLevelText(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = levelText(level());
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void BM_SaveLevelFile(benchmark::State& state) {
  const TempDir folder("clamber-bench-");
  fs::create_directories(folder.path() / "Levels");
  const ResourceRoot root(folder.path().string());
  Level saved;
  for (auto& o : parseLevelText(levelText(level())).objects) {
    saved.addObject(std::move(o));
  }
  for (auto _ : state) {
    if (!LevelStore(root).saveLevel("big.data", saved)) {
      state.SkipWithError("could not write the level");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
}

} // namespace

BENCHMARK(BM_ParseLevelText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteLevelText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveLevelFile)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
