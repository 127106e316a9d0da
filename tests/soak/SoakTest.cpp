// Steady frames of play, of an open menu and of editing allocate nothing:
// operator new is replaced here to count its calls (Mesa's threads' too).

#include "WorldScenario.h"

#include "audio/SoundPlayer.h"

#include <GL/gl.h>

#include <atomic>

static std::atomic<unsigned long> allocations{0};

void* operator new(std::size_t size) {
  ++allocations;
  void* p = std::malloc(size == 0 ? 1 : size);
  return p ? p : throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

// Keys are pressed before the count, as the key state makes entries then. At
// 1 ms a frame a shot flies, a message fades and the edit view scrolls; a
// pad runs, jumps and shoots, and every frame's events are played.
TEST_F(WorldScenario, SteadyFramesOfPlayMenuAndEditingAllocateNothing) {
  const std::pair<std::string, std::function<void()>> rows[] = {
      {"play", [&] { press(SDLK_d), press(SDLK_SPACE), point(500, 100), click(1); }},
      {"menu", [&] { type("l"), tap(SDLK_DOWN); }},
      {"edit", [&] { type("e"), point(105, 385), button(SDL_MOUSEBUTTONDOWN, 1), press(SDLK_s); }},
      {"pad",
       [&] { send(padEvent(SDL_JOYAXISMOTION, 0, 20000)), send(padEvent(SDL_JOYBUTTONDOWN, 0)); }}};
  setenv("SDL_AUDIODRIVER", "disk", 1), setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  SoundPlayer sound(ResourceRoot(CLAMBER_SOURCE_RESOURCES));
  for (const auto& [name, start] : rows) {
    startOn("arena.data", "1 0 40 3000 4 2\n1 50 25 20 2 1\n4 10 38 2 2\n2 30 36 2 2\n"), start();
    unsigned long before = 0;
    for (int i = -400; i < 1000; ++i) {
      before = i == 0 ? allocations.load() : before;
      name == "menu" && i % 100 == 50 ? tap(SDLK_DOWN) : point(200 + i % 200, 200);
      if (name == "pad" && i % 100 == 0) {
        send(padEvent(SDL_JOYBUTTONDOWN, 1)), send(padEvent(SDL_JOYBUTTONUP, 1));
      }
      world->update(1);
      Application::playEvents(*world, sound);
      glClear(GL_COLOR_BUFFER_BIT);
      world->draw();
      SDL_GL_SwapBuffers();
    }
    EXPECT_EQ(allocations - before, 0u) << name;
  }
}
