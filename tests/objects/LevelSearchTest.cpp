// The level's searches narrow through a grid; list order must still decide.
// Each search is checked against a plain walk of the list over random
// levels, across random edits, and the culled drawing against drawing every
// object, pixel for pixel.

#include "support/GLWindow.h"
#include "support/TempResources.h"

#include "gfx/TextureHandler.h"
#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace {

template <class Test> int walk(const Level& level, const Test& test) {
  for (std::size_t i = 0; i < level.size(); ++i) {
    if (test(level.get(i))) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

class Random {
public:
  explicit Random(unsigned seed) : engine(seed) {}
  double coordinate(double spread) {
    // Whole tenths mostly, as levels hold, and now and then any value.
    const double v = std::uniform_real_distribution<double>(-spread, spread)(engine);
    return below(4) == 0 ? v : std::round(v / 10) * 10;
  }
  double size() {
    const int kind = below(20);
    // Mostly small, some walls and floors, a few huge or negative.
    return kind == 0   ? 1e9
           : kind == 1 ? -40
           : kind < 5  ? 10.0 * (1 + below(300))
                       : 10.0 * (1 + below(6));
  }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
  std::unique_ptr<GameObject> object(double spread) {
    const double x = coordinate(spread), y = coordinate(spread), w = size(), h = size();
    switch (below(3)) {
    case 0:
      return std::make_unique<Monster>(x, y, w, h);
    case 1:
      return std::make_unique<GameObject>(x, y, w, h, GameObject::GOAL_AREA);
    default:
      return std::make_unique<Platform>(x, y, w, h, Platform::PLAIN);
    }
  }

private:
  std::mt19937 engine;
};

void expectSearchesAgreeWithWalks(const Level& level, Random& random, double spread) {
  for (int q = 0; q < 200; ++q) {
    // Half the probes anywhere, half small ones at an object's corner or
    // handle, where a grid that files objects too tightly misses them.
    RectangularSector r(random.coordinate(spread), random.coordinate(spread),
                        random.below(3) == 0 ? 1 : 10.0 * random.below(60),
                        random.below(3) == 0 ? -5 : 10.0 * random.below(60));
    if (q % 2 == 0) {
      const GameObject& o =
          level.get(static_cast<std::size_t>(random.below(static_cast<int>(level.size()))));
      r.set((random.below(2) ? o.getLeft() : o.getRight()) + random.below(25) - 12,
            (random.below(2) ? o.getTop() : o.getBottom()) + random.below(25) - 12,
            1 + random.below(3), 1 + random.below(3));
    }
    const int px = static_cast<int>(r.getX());
    const int py = static_cast<int>(r.getY());
    ASSERT_EQ(level.platformIntersecting(r),
              walk(level, [&](const GameObject& o) { return r.intersects(o); }));
    ASSERT_EQ(level.activeIntersecting(r),
              walk(level, [&](const GameObject& o) { return o.isActive() && o.intersects(r); }));
    ASSERT_EQ(level.resizeIntersecting(r),
              walk(level, [&](const GameObject& o) { return r.intersects(o.getResizeBox()); }));
    ASSERT_EQ(level.activeContaining(px, py),
              walk(level, [&](const GameObject& o) { return o.isActive() && o.contains(px, py); }));
  }
}

TEST(LevelSearch, FindsWhatTheListWalkFindsAcrossEdits) {
  for (const double spread : {300.0, 20000.0}) {
    Random random(7);
    Level level;
    Level::ObjectList list;
    for (int i = 0; i < 400; ++i) {
      list.push_back(random.object(spread));
    }
    level.setObjects(std::move(list));
    for (int round = 0; round < 60; ++round) {
      expectSearchesAgreeWithWalks(level, random, spread);
      const std::size_t i = static_cast<std::size_t>(random.below(static_cast<int>(level.size())));
      switch (random.below(6)) {
      case 0: // a drag or nudge
        level.get(i).setPos(random.coordinate(spread), random.coordinate(spread));
        level.moved(i);
        break;
      case 1: // a resize
        level.get(i).setSize(random.size(), random.size());
        level.moved(i);
        break;
      case 2: // an add or a paste
        level.addObject(random.object(spread));
        break;
      case 3: // a cut of a few objects
        for (int k = 0; k < 5; ++k) {
          level.get(static_cast<std::size_t>(random.below(static_cast<int>(level.size()))))
              .setSelected(true);
        }
        level.copy(true);
        break;
      case 4: { // an undo putting objects back in the middle
        std::vector<Level::Entry> entries;
        entries.push_back({i, random.object(spread)});
        entries.push_back({i + 2, random.object(spread)});
        level.exchange({}, std::move(entries));
        break;
      }
      default: // monsters shot dead drop out of the active searches
        level.get(i).setActive(!level.get(i).isActive());
        break;
      }
    }
  }
}

// Frames of a shipped level with part of it selected, in both views, at
// camera positions from the start to beyond its edges.
TEST(LevelSearch, DrawingOnlyWhatIsInViewChangesNoPixel) {
  TempResources resources;
  GLWindow::ensure();
  TextureHandler textures;
  textures.load(resources.resourceRoot(), "/Images/test.bmp", "test");
  std::ifstream shipped(std::string(CLAMBER_SOURCE_RESOURCES) + "/Levels/05-summit.data");
  resources.write("Levels/05-summit.data",
                  std::string(std::istreambuf_iterator<char>(shipped), {}));
  Level level;
  ASSERT_TRUE(level.loadLevel(resources.resourceRoot(), "05-summit.data"));
  ASSERT_GT(level.size(), 20u);
  for (std::size_t i = 0; i < level.size(); i += 3) {
    level.get(i).setSelected(true);
  }
  std::vector<unsigned char> all(640 * 480 * 3);
  std::vector<unsigned char> culled(all.size());
  const auto frame = [&](std::vector<unsigned char>& pixels, bool editView, double x, double y,
                         bool cull) {
    GLWindow::clear();
    glTranslated(-x, -y, 0);
    textures.bind("test");
    if (cull) {
      level.draw(editView, RectangularSector(x, y, 640, 480));
    } else {
      for (const auto& object : level.getObjects()) {
        object->draw(editView);
      }
    }
    textures.unbind();
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  };
  // A sweep over the level, and views whose edge passes just beside an
  // object, where its select box and handle still show.
  std::vector<std::pair<double, double>> views;
  for (double x = -700; x < 3000; x += 347) {
    for (double y = -500; y < 1500; y += 293) {
      views.emplace_back(x, y);
    }
  }
  for (std::size_t i = 0; i < level.size(); i += 3) {
    const GameObject& o = level.get(i);
    for (const double d : {2.0, 5.0, 9.0}) {
      views.emplace_back(o.getRight() + d, o.getY() - 100);
      views.emplace_back(o.getLeft() - 640 - d, o.getY() - 100);
      views.emplace_back(o.getX() - 100, o.getBottom() + d);
      views.emplace_back(o.getX() - 100, o.getTop() - 480 - d);
    }
  }
  int compared = 0;
  for (const bool editView : {false, true}) {
    for (const auto& [x, y] : views) {
      frame(all, editView, x, y, false);
      frame(culled, editView, x, y, true);
      ASSERT_EQ(all, culled) << (editView ? "edit" : "play") << " view at " << x << ", " << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
}

} // namespace
