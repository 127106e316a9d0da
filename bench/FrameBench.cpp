// Frame time of the real game in one 640 x 480 SDL OpenGL window set up as
// the game sets it up: World::update(16), clear, World::draw, swap and
// glFinish on every shipped level, with and without the level menu open,
// each against an empty frame (clear, swap, glFinish) timed alternately in
// the same run, so that both kinds of frame meet the same machine.
// Also World::update alone on a generated level of 10,000 objects.

#include "actors/Character.h"
#include "app/Application.h"
#include "common/Functions.h"
#include "input/KeyState.h"
#include "objects/Level.h"
#include "world/World.h"

#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int FRAME_MS = 16;
// Frames run before timing: the character lands, the camera settles and
// the GL driver has compiled what the frame needs.
constexpr int WARM_UP_FRAMES = 120;

constexpr double LEVEL_GOAL = 2.5;
constexpr double MENU_GOAL = 4.0;

using Clock = std::chrono::steady_clock;

// A resource folder of the benchmark's own: the shipped image and levels,
// and room for generated ones. Removed when the program ends.
class BenchResources {
public:
  BenchResources() {
    std::string name = (fs::temp_directory_path() / "clamber-bench-XXXXXX").string();
    if (!mkdtemp(name.data())) {
      throw std::runtime_error("mkdtemp failed");
    }
    root = name;
    const fs::path shipped = CLAMBER_SOURCE_RESOURCES;
    fs::create_directories(root / "Images");
    fs::create_directories(root / "Levels");
    fs::copy_file(shipped / "Images" / "test.bmp", root / "Images" / "test.bmp");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "Levels")) {
      if (entry.path().extension() == ".data") {
        fs::copy_file(entry.path(), root / "Levels" / entry.path().filename());
        levels.push_back(entry.path().stem().string());
      }
    }
    std::sort(levels.begin(), levels.end());
    setResourcePath(root.string());
  }
  ~BenchResources() {
    setResourcePath("");
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  BenchResources(const BenchResources&) = delete;
  BenchResources& operator=(const BenchResources&) = delete;

  void write(const std::string& relative, const std::string& text) const {
    std::ofstream out(root / relative, std::ios::binary | std::ios::trunc);
    out << text;
  }
  // The shipped level names, without ".data", in menu order.
  const std::vector<std::string>& shippedLevels() const { return levels; }

private:
  fs::path root;
  std::vector<std::string> levels;
};

BenchResources* resources = nullptr;

// The game's window and GL state (Application::SDL_main and init).
void openWindow() {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
    std::exit(1);
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (!SDL_SetVideoMode(Application::WIDTH, Application::HEIGHT, 0,
                        SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF)) {
    std::fprintf(stderr, "SDL_SetVideoMode failed: %s\n", SDL_GetError());
    std::exit(2);
  }
  Application::glEnable2D();
  glEnable(GL_TEXTURE_2D);
  glClearColor(0, 0, 0, 0);
}

// A World started on Levels/<file>, as the game starts on the level that
// loadlevel.txt names.
struct Game {
  explicit Game(const std::string& file) {
    resources->write("Levels/loadlevel.txt", file + "\n");
    world = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keyState);
  }
  void tap(SDLKey key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    Application::dispatchEvent(*world, keyState, e);
    e.type = SDL_KEYUP;
    e.key.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    Application::dispatchEvent(*world, keyState, e);
  }

  KeyState keyState;
  std::unique_ptr<World> world;
};

void gameFrame(World& world) {
  world.update(FRAME_MS);
  glClear(GL_COLOR_BUFFER_BIT);
  world.draw();
  SDL_GL_SwapBuffers();
  glFinish();
}

void emptyFrame() {
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapBuffers();
  glFinish();
}

double seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The value below which the given share of the values lies.
double percentile(std::vector<double>& values, double share) {
  if (values.empty()) {
    return 0;
  }
  const auto at =
      values.begin() + static_cast<std::ptrdiff_t>(static_cast<double>(values.size() - 1) * share);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

// The share of the window that a frame of the world covers (pixels not
// left black by the clear): what the software rasteriser has to fill.
double drawnShare(World& world) {
  world.update(FRAME_MS);
  glClear(GL_COLOR_BUFFER_BIT);
  world.draw();
  std::vector<unsigned char> pixels(static_cast<std::size_t>(Application::WIDTH) *
                                    Application::HEIGHT * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Application::WIDTH, Application::HEIGHT, GL_RGB, GL_UNSIGNED_BYTE,
               pixels.data());
  SDL_GL_SwapBuffers();
  std::size_t drawn = 0;
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    if (pixels[i] != 0 || pixels[i + 1] != 0 || pixels[i + 2] != 0) {
      ++drawn;
    }
  }
  return static_cast<double>(drawn) / static_cast<double>(pixels.size() / 3);
}

void BM_EmptyFrame(benchmark::State& state) {
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    emptyFrame();
  }
  for (auto _ : state) {
    emptyFrame();
  }
}

// One game frame and one empty frame per iteration; the iteration's time
// is the game frame's.
void frameAgainstEmpty(benchmark::State& state, const std::string& level, bool menuOpen,
                       double goal) {
  Game game(level + ".data");
  if (game.world->getLevelName() != level + ".data") {
    state.SkipWithError("the level did not load");
    return;
  }
  if (menuOpen) {
    game.tap(SDLK_l);
    if (game.world->getMenu() == nullptr) {
      state.SkipWithError("l did not open the level menu");
      return;
    }
  }
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    gameFrame(*game.world);
    emptyFrame();
  }

  const double drawn = drawnShare(*game.world);

  // Other work on the machine (two cores, shared) slows single frames of
  // either kind, and not both kinds alike: the empty frame mostly waits on
  // the X server, the game frame mostly fills pixels. The fastest tenth of
  // each kind is what the frames cost on a quiet machine; the medians are
  // reported beside it.
  std::vector<double> gameTimes;
  std::vector<double> emptyTimes;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    gameFrame(*game.world);
    const Clock::time_point middle = Clock::now();
    emptyFrame();
    const Clock::time_point end = Clock::now();
    gameTimes.push_back(seconds(start, middle));
    emptyTimes.push_back(seconds(middle, end));
    state.SetIterationTime(gameTimes.back());
  }
  const double gameQuiet = percentile(gameTimes, 0.1);
  const double emptyQuiet = percentile(emptyTimes, 0.1);
  const double gameMedian = percentile(gameTimes, 0.5);
  const double emptyMedian = percentile(emptyTimes, 0.5);
  state.counters["frame_us"] = gameQuiet * 1e6;
  state.counters["empty_us"] = emptyQuiet * 1e6;
  state.counters["ratio"] = gameQuiet / emptyQuiet;
  state.counters["ratio_median"] = gameMedian / emptyMedian;
  state.counters["goal"] = goal;
  state.counters["drawn"] = drawn;
}

// ---- World::update on a large level ------------------------------------------

constexpr int LARGE_LEVEL_OBJECTS = 10000;

// Level-file fields are tenths of pixels; all of these are whole tens.
std::string line(int type, int x, int y, int w, int h) {
  return std::to_string(type) + " " + std::to_string(x / 10) + " " + std::to_string(y / 10) + " " +
         std::to_string(w / 10) + " " + std::to_string(h / 10) + " ";
}

// Platforms of every kind on a 100 x 100 grid over 40,000 x 25,000 pixels,
// ten monsters, the goal far away, the spawn point over a floor. The floor
// comes last: standing on it makes every frame's search for what the
// character touches walk the whole list.
std::string largeLevel() {
  std::string text = line(2, 20000, 30000 - 40, 20, 20) + "\n";
  int written = 1;
  for (int i = 0; written < LARGE_LEVEL_OBJECTS - 2; ++i) {
    const int x = (i % 100) * 400;
    const int y = (i / 100) * 250;
    if (i % 1000 == 500) {
      text += line(4, x + 100, y - 20, 20, 20) + "\n";
    } else {
      text += line(1, x, y, 100 + (i % 7) * 20, 20) + std::to_string(i % 3) + " \n";
    }
    ++written;
  }
  text += line(3, 0, 29000, 100, 100) + "\n";
  text += line(1, 19000, 30000, 2000, 40) + "2 \n";
  return text;
}

void BM_UpdateLargeLevel(benchmark::State& state) {
  resources->write("Levels/large.data", largeLevel());
  Game game("large.data");
  World& world = *game.world;
  if (world.getLevel().size() != LARGE_LEVEL_OBJECTS) {
    state.SkipWithError("the large level did not load");
    return;
  }
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    world.update(FRAME_MS);
  }
  for (auto _ : state) {
    world.update(FRAME_MS);
  }
  state.counters["objects"] = static_cast<double>(world.getLevel().size());
  state.counters["goal_us"] = 100;
  // The frames measured were the standing kind the level was made for.
  state.counters["grounded"] = world.getCharacter().isPose(Character::GROUNDED) ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  openWindow();
  BenchResources folder;
  resources = &folder;

  benchmark::RegisterBenchmark("BM_EmptyFrame", BM_EmptyFrame)->Unit(benchmark::kMicrosecond);
  for (const std::string& level : folder.shippedLevels()) {
    benchmark::RegisterBenchmark(
        ("BM_LevelFrame/" + level).c_str(),
        [level](benchmark::State& state) { frameAgainstEmpty(state, level, false, LEVEL_GOAL); })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
  for (const std::string& level : folder.shippedLevels()) {
    benchmark::RegisterBenchmark(
        ("BM_MenuFrame/" + level).c_str(),
        [level](benchmark::State& state) { frameAgainstEmpty(state, level, true, MENU_GOAL); })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BM_UpdateLargeLevel", BM_UpdateLargeLevel)
      ->Unit(benchmark::kMicrosecond);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  resources = nullptr;
  return 0;
}
