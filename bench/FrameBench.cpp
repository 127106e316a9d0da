// Frame time of the real game in one 640 x 480 SDL OpenGL window set up as
// the game sets it up: World::update(16), clear, World::draw, swap and
// glFinish on every shipped level, with and without the level menu open,
// each against an empty frame (clear, swap, glFinish) timed alternately in
// the same run, so that both kinds of frame meet the same machine.
//
// Then generated levels of up to 1,000,000 objects, all with the same few
// objects in the window at the start: loading one through the game and the
// memory it holds, its frames against those of a 100-object level,
// World::update alone, undo and redo of a cut of many objects, the frame
// that writes the recovery file, and the editor's tools on about a tenth of
// a 1,000,000-object level: a box select, a nudge, a delete and their
// undos, the edit frame zoomed out to 1/16, and the grid's cost.
//
// Last, the frame of the game's own draw path at scale 2 (a 1280 x 960
// window) against scale 1, and frames with sound against frames with the
// sound switched off.

#include "actors/Character.h"
#include "app/Application.h"
#include "audio/SoundPlayer.h"
#include "common/ResourceRoot.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "objects/LevelText.h"
#include "support/Events.h"
#include "support/TempDir.h"
#include "world/EditHistory.h"
#include "world/LevelStore.h"
#include "world/World.h"

#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
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

// A resource folder of the benchmark's own: the shipped image, sounds and
// levels, and room for generated ones. Removed when the program ends.
class BenchResources {
public:
  BenchResources() : root(dir.path()), resourceRoot(root.string()) {
    const fs::path shipped = CLAMBER_SOURCE_RESOURCES;
    fs::create_directories(root / "Images");
    fs::create_directories(root / "Levels");
    fs::copy_file(shipped / "Images" / "test.bmp", root / "Images" / "test.bmp");
    fs::copy(shipped / "Sounds", root / "Sounds");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped / "Levels")) {
      if (entry.path().extension() == ".data") {
        fs::copy_file(entry.path(), root / "Levels" / entry.path().filename());
        levels.push_back(entry.path().stem().string());
      }
    }
    std::sort(levels.begin(), levels.end());
  }

  void write(const std::string& relative, const std::string& text) const {
    dir.write(relative, text);
  }
  fs::path path(const std::string& relative) const { return root / relative; }
  const ResourceRoot& getRoot() const { return resourceRoot; }
  // The shipped level names, without ".data", in menu order.
  const std::vector<std::string>& shippedLevels() const { return levels; }

private:
  TempDir dir{"clamber-bench-"};
  fs::path root;
  ResourceRoot resourceRoot;
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
    world = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keyState,
                                    resources->getRoot());
  }
  // Edit mode greys the clear colour; the benchmarks after this one expect
  // the black of play.
  ~Game() { glClearColor(0, 0, 0, 0); }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void send(const SDL_Event& e) { Application::dispatchEvent(*world, keyState, e); }
  void tap(SDLKey key, SDLMod mod = KMOD_NONE) {
    send(keyEvent(SDL_KEYDOWN, key, mod));
    send(keyEvent(SDL_KEYUP, key, mod));
  }
  // The pointer to (x, y), and a button pressed or released there.
  void point(int x, int y) { send(motionEvent(Uint16(x), Uint16(y))); }
  void button(Uint8 type, int b, int x, int y) {
    point(x, y);
    send(buttonEvent(type, Uint8(b), Uint16(x), Uint16(y)));
  }
  // The edit view scrolled with a key held through one update of ms.
  void scroll(SDLKey key, int ms) {
    send(keyEvent(SDL_KEYDOWN, key));
    world->update(ms);
    send(keyEvent(SDL_KEYUP, key));
  }
  // A right click at the window's centre: in edit mode, a new platform.
  void rightClick() {
    SDL_Event e{};
    e.type = e.button.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = 3;
    e.button.x = Application::WIDTH / 2;
    e.button.y = Application::HEIGHT / 2;
    Application::dispatchEvent(*world, keyState, e);
    e.type = e.button.type = SDL_MOUSEBUTTONUP;
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
double percentile(std::vector<double> values, double share) {
  if (values.empty()) {
    return 0;
  }
  const auto at =
      values.begin() + static_cast<std::ptrdiff_t>(static_cast<double>(values.size() - 1) * share);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

// The measured frames against the reference frames of the same run, by
// their fastest tenth (the machine's quiet moments) and their medians.
void reportRatio(benchmark::State& state, const std::vector<double>& measuredTimes,
                 const std::vector<double>& referenceTimes, const std::string& referenceName,
                 double goal) {
  const double measuredQuiet = percentile(measuredTimes, 0.1);
  const double referenceQuiet = percentile(referenceTimes, 0.1);
  state.counters["frame_us"] = measuredQuiet * 1e6;
  state.counters[referenceName + "_us"] = referenceQuiet * 1e6;
  state.counters["ratio"] = measuredQuiet / referenceQuiet;
  state.counters["ratio_median"] = percentile(measuredTimes, 0.5) / percentile(referenceTimes, 0.5);
  state.counters["goal"] = goal;
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

// Times two kinds of frame alternately, one of each per iteration; the
// iteration's time is the measured kind's. Other work on the machine (two
// cores, shared) slows single frames of either kind, and not both kinds
// alike: the empty frame mostly waits on the X server, the game frame
// mostly fills pixels. The fastest tenth of each kind is what the frames
// cost on a quiet machine; the medians are reported beside it.
template <class Measured, class Reference>
void alternate(benchmark::State& state, Measured measured, Reference reference,
               const std::string& referenceName, double goal) {
  std::vector<double> measuredTimes;
  std::vector<double> referenceTimes;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    measured();
    const Clock::time_point middle = Clock::now();
    reference();
    const Clock::time_point end = Clock::now();
    measuredTimes.push_back(seconds(start, middle));
    referenceTimes.push_back(seconds(middle, end));
    state.SetIterationTime(measuredTimes.back());
  }
  reportRatio(state, measuredTimes, referenceTimes, referenceName, goal);
}

void BM_EmptyFrame(benchmark::State& state) {
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    emptyFrame();
  }
  for (auto _ : state) {
    emptyFrame();
  }
}

void frameAgainstEmpty(benchmark::State& state, const std::string& level, bool menuOpen,
                       double goal) {
  Game game(level + ".data");
  if (game.world->getCaption() != "Clamber - " + level || game.world->getLevel().size() == 0) {
    state.SkipWithError("the level did not load");
    return;
  }
  if (menuOpen) {
    game.tap(SDLK_l);
  }
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    gameFrame(*game.world);
    emptyFrame();
  }
  const double drawn = drawnShare(*game.world);
  alternate(
      state, [&] { gameFrame(*game.world); }, emptyFrame, "empty", goal);
  state.counters["drawn"] = drawn;
}

// Two kinds of frame that cannot alternate frame by frame (a window size, a
// sound still playing), timed in blocks of BLOCK_FRAMES that alternate, one
// block of each per iteration, each after its switch and a few frames to
// settle. Reported as alternate() does.
constexpr int BLOCK_FRAMES = 60;
constexpr int SETTLE_FRAMES = 5;

template <class Switch, class Frame>
void alternateBlocks(benchmark::State& state, Switch toMeasured, Switch toReference, Frame frame,
                     const std::string& referenceName, double goal) {
  std::vector<double> measuredTimes;
  std::vector<double> referenceTimes;
  const auto block = [&](Switch& to, std::vector<double>& times) {
    to();
    for (int i = 0; i < SETTLE_FRAMES; ++i) {
      frame(i);
    }
    double total = 0;
    for (int i = 0; i < BLOCK_FRAMES; ++i) {
      const Clock::time_point start = Clock::now();
      frame(i);
      times.push_back(seconds(start, Clock::now()));
      total += times.back();
    }
    return total;
  };
  for (auto _ : state) {
    state.SetIterationTime(block(toMeasured, measuredTimes));
    block(toReference, referenceTimes);
  }
  reportRatio(state, measuredTimes, referenceTimes, referenceName, goal);
}

// The game's draw path (Application::drawGL: at scale 2 the frame is copied
// into a texture and drawn twice the size), swap and glFinish, on a shipped
// level in a 1280 x 960 window against the same in the 640 x 480 one.
void BM_ScaledFrame(benchmark::State& state, const std::string& level) {
  resources->write("Levels/loadlevel.txt", level + ".data\n");
  Application app;
  app.init(resources->getRoot(), resources->getRoot());
  const std::function<void()> toScale2 = [&] { app.setWindow(1280, 960, false); };
  const std::function<void()> toScale1 = [&] {
    app.setWindow(Application::WIDTH, Application::HEIGHT, false);
  };
  alternateBlocks(
      state, toScale2, toScale1,
      [&](int) {
        app.drawGL();
        SDL_GL_SwapBuffers();
        glFinish();
      },
      "scale1", 1.5);
  toScale1();
}

// Game frames on a shipped level while sounds play (mixed by SDL_mixer's
// thread, written by SDL's disk driver at about the pace of a sound card)
// against frames with the sound switched off. everyFrames: a new jump that
// often (8: one jump after another; 1: a new sound every frame, up to all
// the mixer's voices at once).
void BM_SoundFrame(benchmark::State& state, const std::string& level, int everyFrames) {
  Game game(level + ".data");
  SoundPlayer sound(resources->getRoot());
  if (!sound.isOpen()) {
    state.SkipWithError("no sound");
    return;
  }
  const std::function<void()> on = [&] { sound.setEnabled(true); };
  const std::function<void()> off = [&] { sound.setEnabled(false); };
  alternateBlocks(
      state, on, off,
      [&](int i) {
        if (i % everyFrames == 0) {
          sound.play(everyFrames == 1 ? static_cast<GameEvent>(i % 13) : GameEvent::JUMPED);
        }
        gameFrame(*game.world);
      },
      "silent", 1.05);
}

// ---- Generated levels ----------------------------------------------------------

// Level-file fields are tenths of pixels; all of these are whole tens.
std::string line(int type, int x, int y, int w, int h) {
  return std::to_string(type) + " " + std::to_string(x / 10) + " " + std::to_string(y / 10) + " " +
         std::to_string(w / 10) + " " + std::to_string(h / 10) + " ";
}

constexpr int SMALL_LEVEL = 100;
// The objects every generated level starts with, all in the window at the
// start: a floor, the spawn point standing on it (after it, so that the
// character lands on the floor), a jumpable platform and a climbable wall.
constexpr int START_OBJECTS = 4;
// No other object reaches into the window where the camera comes to rest
// (left -138, top 93), nor 100 pixels around it, so that every size of
// level shows the same view; just outside it the level is as crowded as
// anywhere.
constexpr int KEEP_OUT_LEFT = -240;
constexpr int KEEP_OUT_TOP = -10;
constexpr int KEEP_OUT_RIGHT = 610;
constexpr int KEEP_OUT_BOTTOM = 680;

// objects objects: the start, then platforms of every kind with a monster
// in every hundred and a goal area in every thousand, on the 10-pixel grid
// at random places (the same on every run) over 20,000 pixels of height and
// 2 pixels of width per object, 200,000 at least.
std::string generatedLevel(int objects) {
  std::string text = line(1, 0, 400, 640, 20) + "2 \n" + line(2, 100, 380, 20, 20) + "\n" +
                     line(1, 300, 300, 100, 20) + "1 \n" + line(1, 560, 200, 20, 200) + "0 \n";
  text.reserve(static_cast<std::size_t>(objects) * 24);
  const int halfWidth = std::max(100000, objects);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> column(-halfWidth / 10, halfWidth / 10 - 1);
  std::uniform_int_distribution<int> row(-1000, 999);
  std::uniform_int_distribution<int> length(2, 40);
  for (int k = 0; k < objects - START_OBJECTS; ++k) {
    int type = 1;
    int w = 20;
    int h = 20;
    if (k % 100 == 0) {
      type = 4;
    } else if (k % 1000 == 500) {
      type = 3;
      w = h = 100;
    } else {
      w = length(random) * 10;
    }
    int x = 0;
    int y = 0;
    do {
      x = column(random) * 10;
      y = row(random) * 10;
    } while (x < KEEP_OUT_RIGHT && x + w > KEEP_OUT_LEFT && y < KEEP_OUT_BOTTOM &&
             y + h > KEEP_OUT_TOP);
    text += line(type, x, y, w, h) + (type == 1 ? std::to_string(k % 3) + " \n" : "\n");
  }
  return text;
}

// The file name of the generated level of that many objects, written on
// first use.
std::string generatedFile(int objects) {
  static std::set<int> written;
  const std::string file = "generated-" + std::to_string(objects) + ".data";
  if (written.insert(objects).second) {
    resources->write("Levels/" + file, generatedLevel(objects));
  }
  return file;
}

// A World on a generated level, checked to hold all of it.
std::unique_ptr<Game> generatedGame(benchmark::State& state, int objects) {
  auto game = std::make_unique<Game>(generatedFile(objects));
  if (game->world->getLevel().size() != static_cast<std::size_t>(objects)) {
    state.SkipWithError("the generated level did not load");
    return nullptr;
  }
  return game;
}

// A memory figure of this process from /proc/self/status (VmRSS resident,
// VmHWM its peak), in MB.
double statusMegabytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == field + ":") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024;
    }
  }
  return 0;
}

// Loading as the game starts on a level: the World's constructor (reading
// loadlevel.txt, the texture, the level file from the page cache, the
// character put on the spawn point) and the first frame, whose searches
// and drawing build the grid. Runs first, so that the memory figures are
// those of a game that has loaded nothing else.
void BM_LoadLevel(benchmark::State& state) {
  const auto objects = static_cast<int>(state.range(0));
  resources->write("Levels/loadlevel.txt", generatedFile(objects) + "\n");
  KeyState keyState;
  std::vector<double> times;
  double resident = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    auto world = std::make_unique<World>(Application::WIDTH, Application::HEIGHT, &keyState,
                                         resources->getRoot());
    gameFrame(*world);
    times.push_back(seconds(start, Clock::now()));
    state.SetIterationTime(times.back());
    resident = std::max(resident, statusMegabytes("VmRSS"));
    if (world->getLevel().size() != static_cast<std::size_t>(objects)) {
      state.SkipWithError("the generated level did not load");
      return;
    }
  }
  state.counters["load_ms"] = percentile(times, 0.5) * 1e3;
  state.counters["goal_ms"] = 300;
  state.counters["rss_MB"] = resident;
  state.counters["peak_rss_MB"] = statusMegabytes("VmHWM");
  state.counters["goal_rss_MB"] = 250;
}

// The same view on a large level and on a small one, frames alternated.
void BM_LargeLevelFrame(benchmark::State& state, double goal) {
  const auto large = generatedGame(state, static_cast<int>(state.range(0)));
  const auto small = generatedGame(state, SMALL_LEVEL);
  if (!large || !small) {
    return;
  }
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    gameFrame(*large->world);
    gameFrame(*small->world);
  }
  const double drawn = drawnShare(*large->world);
  const double drawnSmall = drawnShare(*small->world);
  alternate(
      state, [&] { gameFrame(*large->world); }, [&] { gameFrame(*small->world); }, "small", goal);
  state.counters["drawn"] = drawn;
  state.counters["drawn_small"] = drawnSmall;
}

void BM_UpdateLargeLevel(benchmark::State& state) {
  const auto game = generatedGame(state, static_cast<int>(state.range(0)));
  if (!game) {
    return;
  }
  World& world = *game->world;
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    world.update(FRAME_MS);
  }
  for (auto _ : state) {
    world.update(FRAME_MS);
  }
  state.counters["goal_us"] = 30;
  state.counters["monsters"] = static_cast<double>(
      std::count_if(world.getLevel().getObjects().begin(), world.getLevel().getObjects().end(),
                    [](const auto& o) { return o->getType() == GameObject::MONSTER; }));
  // The frames measured were the standing kind the level was made for.
  state.counters["grounded"] = world.getCharacter().isPose(Character::GROUNDED) ? 1 : 0;
}

// Undo and redo of a cut of every tenth object of a generated level, each
// with the first search after it, which rebuilds the grid: what Ctrl+Z and
// Ctrl+Y do to the level, without the World around it.
void BM_UndoCut(benchmark::State& state) {
  const auto objects = static_cast<std::size_t>(state.range(0));
  Level level;
  if (!LevelStore(resources->getRoot())
           .loadLevel(generatedFile(static_cast<int>(objects)), level)) {
    state.SkipWithError("the generated level did not load");
    return;
  }
  for (std::size_t i = START_OBJECTS; i < objects; i += 10) {
    level.get(i).setSelected(true);
  }
  EditHistory history;
  std::vector<Level::Entry> removed;
  level.copy(true, &removed);
  history.record(std::move(removed), {});
  const std::size_t remaining = level.size();
  const RectangularSector probe(0, 0, 10, 10);
  std::vector<double> undoTimes;
  std::vector<double> redoTimes;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const bool undone = history.undo(level);
    benchmark::DoNotOptimize(level.platformIntersecting(probe));
    const Clock::time_point middle = Clock::now();
    const bool restored = level.size() == objects;
    const bool redone = history.redo(level);
    benchmark::DoNotOptimize(level.platformIntersecting(probe));
    const Clock::time_point end = Clock::now();
    if (!undone || !redone || !restored || level.size() != remaining) {
      state.SkipWithError("the cut did not undo and redo");
      return;
    }
    undoTimes.push_back(seconds(start, middle));
    redoTimes.push_back(seconds(middle, end));
    state.SetIterationTime(undoTimes.back());
  }
  state.counters["cut"] = static_cast<double>(objects - remaining);
  state.counters["undo_ms"] = percentile(undoTimes, 0.5) * 1e3;
  state.counters["redo_ms"] = percentile(redoTimes, 0.5) * 1e3;
  state.counters["goal_ms"] = 50;
}

// Every write of a file through a temporary one gives it a new inode; its
// time stamp may not change within a clock tick. 0 for no file.
ino_t fileIdentity(const fs::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

// The frame in which the recovery file is written, five seconds after an
// edit (a platform added with the right button), against the frame before
// it.
void BM_AutosaveFrame(benchmark::State& state) {
  const auto game = generatedGame(state, static_cast<int>(state.range(0)));
  if (!game) {
    return;
  }
  World& world = *game->world;
  game->tap(SDLK_e);
  const fs::path recovery =
      resources->path("Levels/." + generatedFile(static_cast<int>(state.range(0))) + ".recovery");
  std::vector<double> plainTimes;
  std::vector<double> saveTimes;
  std::vector<double> extraTimes;
  for (auto _ : state) {
    game->rightClick();
    // Two frames short of the autosave.
    world.update(5000 - 2 * FRAME_MS);
    const ino_t before = fileIdentity(recovery);
    const Clock::time_point start = Clock::now();
    gameFrame(world);
    const Clock::time_point middle = Clock::now();
    const bool early = fileIdentity(recovery) != before;
    gameFrame(world);
    const Clock::time_point end = Clock::now();
    if (early || fileIdentity(recovery) == before) {
      state.SkipWithError("the recovery file was not written in the frame expected");
      return;
    }
    plainTimes.push_back(seconds(start, middle));
    saveTimes.push_back(seconds(middle, end));
    extraTimes.push_back(saveTimes.back() - plainTimes.back());
    state.SetIterationTime(saveTimes.back());
  }
  state.counters["plain_us"] = percentile(plainTimes, 0.5) * 1e6;
  state.counters["save_us"] = percentile(saveTimes, 0.5) * 1e6;
  state.counters["extra_ms"] = percentile(extraTimes, 0.5) * 1e3;
  state.counters["goal_ms"] = 2;
}

// ---- The editor's tools on a big level ---------------------------------------

// Edit mode on the 1,000,000-object level zoomed out to 1/16 around the
// window's top-left corner, the view scrolled above the level's top.
constexpr int BIG_LEVEL = 1000000;
constexpr int ZOOM_OUT_STEPS = 4;
constexpr int ZOOMED_OUT = 16;

std::unique_ptr<Game> zoomedOutEditor(benchmark::State& state, int x, int y) {
  auto game = generatedGame(state, BIG_LEVEL);
  if (!game) {
    return nullptr;
  }
  game->tap(SDLK_e);
  for (int i = 0; i < ZOOM_OUT_STEPS; ++i) {
    game->button(SDL_MOUSEBUTTONDOWN, 5, x, y);
    game->button(SDL_MOUSEBUTTONUP, 5, x, y);
  }
  return game;
}

// Times action, then the first search after it (which rebuilds the grid
// when the list or the objects' places changed), in seconds.
template <class Action> double timed(World& world, Action action) {
  const Clock::time_point start = Clock::now();
  action();
  benchmark::DoNotOptimize(world.getLevel().platformIntersecting(RectangularSector(0, 0, 10, 10)));
  return seconds(start, Clock::now());
}

// A box dragged over the level's whole height and about a tenth of its
// width (its objects spread over 2,000,000 pixels): the button goes down
// above the level's top, the view scrolls down and right under the held
// button, and the button comes up at the window's far corner, below the
// level. Then the arrow key's nudge of the selection and its undo; the same
// box dragged back the other way, Backspace's delete and its undo. Each is
// timed from its event to the end of the first search after it.
void BM_EditorOnBigLevel(benchmark::State& state) {
  const auto game = zoomedOutEditor(state, 0, 0);
  if (!game) {
    return;
  }
  World& world = *game->world;
  // Scrolls are in window pixels at 1,000 a second, 16 level pixels each:
  // from above the level's top (-10,000, less the probe's reach) to where
  // the window's bottom is below its bottom (10,010), and 190,000 pixels
  // right, which the window's own width makes 200,000.
  game->scroll(SDLK_w, static_cast<int>((world.getOffset().y + 10400) / ZOOMED_OUT));
  const int downMs = 820;
  const int rightMs = 11860;
  const int farX = Application::WIDTH - 1;
  const int farY = Application::HEIGHT - 1;
  // The box from the window corner (x, y) to the opposite one, the view
  // scrolled by the keys under the held button.
  const auto box = [&](int x, int y, SDLKey vertical, SDLKey horizontal) {
    game->button(SDL_MOUSEBUTTONDOWN, 1, x, y);
    game->scroll(vertical, downMs);
    game->scroll(horizontal, rightMs);
    game->point(farX - x, farY - y);
    return timed(world, [&] { game->button(SDL_MOUSEBUTTONUP, 1, farX - x, farY - y); });
  };
  std::vector<double> select, nudge, undoNudge, erase, undoErase, frame;
  std::size_t selected = 0;
  std::size_t deleted = 0;
  bool restored = true;
  for (auto _ : state) {
    const std::string before = levelText(world.getLevel().getObjects());
    select.push_back(box(0, 0, SDLK_s, SDLK_d));
    selected = world.getLevel().countSelected();
    const Clock::time_point drawn = Clock::now();
    gameFrame(world);
    frame.push_back(seconds(drawn, Clock::now()));
    nudge.push_back(timed(world, [&] { game->tap(SDLK_RIGHT); }));
    undoNudge.push_back(timed(world, [&] { game->tap(SDLK_z, KMOD_LCTRL); }));
    select.push_back(box(farX, farY, SDLK_w, SDLK_a));
    erase.push_back(timed(world, [&] { game->tap(SDLK_BACKSPACE); }));
    deleted = BIG_LEVEL - world.getLevel().size();
    undoErase.push_back(timed(world, [&] { game->tap(SDLK_z, KMOD_LCTRL); }));
    state.SetIterationTime(select.front());
    restored = restored && levelText(world.getLevel().getObjects()) == before;
  }
  if (!restored || selected == 0 || deleted != selected) {
    state.SkipWithError("the edits did not select, delete and undo as expected");
    return;
  }
  state.counters["selected"] = static_cast<double>(selected);
  state.counters["select_ms"] = percentile(select, 0.5) * 1e3;
  state.counters["frame_after_select_ms"] = percentile(frame, 0.5) * 1e3;
  state.counters["nudge_ms"] = percentile(nudge, 0.5) * 1e3;
  state.counters["undo_nudge_ms"] = percentile(undoNudge, 0.5) * 1e3;
  state.counters["delete_ms"] = percentile(erase, 0.5) * 1e3;
  state.counters["undo_delete_ms"] = percentile(undoErase, 0.5) * 1e3;
  state.counters["goal_ms"] = 100;
}

// The edit frame on the 1,000,000-object level zoomed out to 1/16 around
// the window's centre, against the same frame at zoom 1, alternated.
void BM_ZoomedOutFrame(benchmark::State& state) {
  const auto far = zoomedOutEditor(state, Application::WIDTH / 2, Application::HEIGHT / 2);
  const auto near = generatedGame(state, BIG_LEVEL);
  if (!far || !near) {
    return;
  }
  near->tap(SDLK_e);
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    gameFrame(*far->world);
    gameFrame(*near->world);
  }
  alternate(
      state, [&] { gameFrame(*far->world); }, [&] { gameFrame(*near->world); }, "zoom_1", 1);
  state.counters["frame_ms"] = state.counters["frame_us"] / 1e3;
  state.counters["goal_ms"] = 50;
  state.counters["drawn"] = static_cast<double>(far->world->getLevel().getDrawnCount());
  state.counters["drawn_zoom_1"] = static_cast<double>(near->world->getLevel().getDrawnCount());
}

// The edit frame of a shipped level with the grid shown against the same
// frame with it hidden, alternated: g before each frame.
void BM_GridFrame(benchmark::State& state, const std::string& level) {
  Game game(level + ".data");
  game.tap(SDLK_e);
  for (int i = 0; i < WARM_UP_FRAMES; ++i) {
    gameFrame(*game.world);
  }
  const auto toggled = [&] {
    game.tap(SDLK_g);
    gameFrame(*game.world);
  };
  alternate(state, toggled, toggled, "hidden", 1.2);
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  // Sound at about a sound card's pace wherever there is none: the disk
  // driver writes a 512-frame buffer every 23 ms. A driver named in the
  // environment is kept.
  setenv("SDL_AUDIODRIVER", "disk", 0);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
  setenv("SDL_DISKAUDIODELAY", "23", 0);
  openWindow();
  BenchResources folder;
  resources = &folder;

  benchmark::RegisterBenchmark("BM_LoadLevel", BM_LoadLevel)
      ->Arg(1000000)
      ->Iterations(5)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
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
  for (const auto& [objects, goal] : {std::pair{100000, 1.25}, std::pair{1000000, 1.5}}) {
    benchmark::RegisterBenchmark("BM_LargeLevelFrame", BM_LargeLevelFrame, goal)
        ->Arg(objects)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BM_UpdateLargeLevel", BM_UpdateLargeLevel)
      ->Arg(100000)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_UndoCut", BM_UndoCut)
      ->Arg(100000)
      ->Iterations(10)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_EditorOnBigLevel", BM_EditorOnBigLevel)
      ->Iterations(5)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ZoomedOutFrame", BM_ZoomedOutFrame)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  for (const std::string& level : folder.shippedLevels()) {
    benchmark::RegisterBenchmark(("BM_GridFrame/" + level).c_str(), BM_GridFrame, level)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BM_AutosaveFrame", BM_AutosaveFrame)
      ->Arg(10000)
      ->Iterations(30)
      ->UseManualTime()
      ->Unit(benchmark::kMicrosecond);
  const std::string& level = folder.shippedLevels().front();
  benchmark::RegisterBenchmark(("BM_ScaledFrame/" + level).c_str(), BM_ScaledFrame, level)
      ->Iterations(20)
      ->UseManualTime()
      ->Unit(benchmark::kMicrosecond);
  for (const int every : {8, 1}) {
    benchmark::RegisterBenchmark(
        ("BM_SoundFrame/" + level + "/every:" + std::to_string(every)).c_str(), BM_SoundFrame,
        level, every)
        ->Iterations(20)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  resources = nullptr;
  return 0;
}
