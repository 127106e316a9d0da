// Clicks, shots and collisions find the first object in list order that
// they touch, and only what is in view is drawn: both narrow through a grid
// that must never change the answer, whatever the level and its edits.

#include "support/GLWindow.h"

#include "objects/Level.h"
#include "objects/Platform.h"
#include "world/LevelStore.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Random {
  double spread;
  std::mt19937 engine{7};
  template <class T> T below(T n) { return std::uniform_int_distribution<T>(0, n - 1)(engine); }
  // Whole tenths mostly, as levels hold, and now and then any value.
  double coordinate() {
    const double v = std::uniform_real_distribution<double>(-spread, spread)(engine);
    return below(4) == 0 ? v : std::round(v / 10) * 10;
  }
  // Mostly small, some walls and floors, a few huge or negative.
  double size() {
    const int kind = below(20);
    return kind == 0 ? 1e9 : kind == 1 ? -40 : 10.0 * (1 + below(kind < 5 ? 300 : 6));
  }
  std::unique_ptr<GameObject> object() {
    return std::make_unique<Platform>(coordinate(), coordinate(), size(), size(), Platform::PLAIN);
  }
};

TEST(LevelSearch, FindsWhatTheListWalkFindsAcrossEdits) {
  for (const double spread : {300.0, 20000.0}) {
    Random random{spread};
    Level level;
    for (int i = 0; i < 400; ++i) {
      level.addObject(random.object());
    }
    const auto walk = [&](const auto& test) {
      const auto& all = level.getObjects();
      const auto it = std::find_if(all.begin(), all.end(), [&](auto& o) { return test(*o); });
      return it == all.end() ? -1 : static_cast<int>(it - all.begin());
    };
    std::vector<Level::Entry> removed;
    for (int probe = 0; probe < 12000; ++probe) {
      // Probes at an object's corner or handle, where a grid that files
      // objects too tightly misses them, some of a few pixels, some wide.
      const GameObject& o = level.get(random.below(level.size()));
      const RectangularSector r(
          (random.below(2) ? o.getLeft() : o.getRight()) + random.below(25) - 12,
          (random.below(2) ? o.getTop() : o.getBottom()) + random.below(25) - 12,
          random.below(2) ? 1 + random.below(3) : 10.0 * random.below(60) - 5,
          random.below(2) ? 1 + random.below(3) : 10.0 * random.below(60) - 5);
      const int px = static_cast<int>(r.getX()), py = static_cast<int>(r.getY());
      ASSERT_EQ(level.platformIntersecting(r), walk([&](auto& g) { return r.intersects(g); }));
      ASSERT_EQ(level.activeIntersecting(r),
                walk([&](auto& g) { return g.isActive() && g.intersects(r); }));
      ASSERT_EQ(level.resizeIntersecting(r),
                walk([&](auto& g) { return r.intersects(g.getResizeBox()); }));
      ASSERT_EQ(level.activeContaining(px, py),
                walk([&](auto& g) { return g.isActive() && g.contains(px, py); }));
      const std::size_t i = random.below(level.size());
      std::vector<Level::Entry> in;
      in.push_back(Level::Entry{i, random.object()});
      switch (probe % 200 == 199 ? random.below(7) : -1) {
      case 0: // a drag or a resize
        level.get(i).set(random.coordinate(), random.coordinate(), random.size(), random.size());
        level.moved(i);
        break;
      case 1: // an add or a paste
        level.addObject(random.object());
        break;
      case 2: // a cut, which an undo may put back
        level.get(i).setSelected(true);
        level.copy(true, &removed);
        break;
      case 3: // the undo of the cuts so far
        level.exchange({}, std::move(removed));
        removed.clear();
        break;
      case 4: // monsters shot dead drop out of the active searches
        level.get(i).setActive(!level.get(i).isActive());
        break;
      case 5: // the undo of a move: replaced in place
        level.exchange({i}, std::move(in));
        break;
      case 6: // one object out, another in at a place after it
        in.back().index = std::min(i + 7, level.size() - 1);
        level.exchange({i}, std::move(in));
      }
    }
  }
}

// Views of a shipped level whose edge passes just beside a selected, dragged
// object, where its select box and handle still show, against drawing all.
TEST(LevelSearch, DrawingOnlyWhatIsInViewChangesNoPixel) {
  GLWindow::ensure();
  Level level;
  ASSERT_TRUE(
      LevelStore(ResourceRoot(CLAMBER_SOURCE_RESOURCES)).loadLevel("05-summit.data", level));
  const auto frame = [&](bool editView, double x, double y, bool cull) {
    GLWindow::clear();
    glTranslated(-x, -y, 0);
    if (cull) {
      level.draw(editView, RectangularSector(x, y, 640, 480));
    }
    for (std::size_t i = 0; !cull && i < level.size(); ++i) {
      level.get(i).draw(editView);
    }
    std::vector<unsigned char> pixels(640 * 480 * 3);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  };
  for (const bool editView : {false, true}) {
    for (std::size_t i = 0; i < level.size(); i += 3) {
      GameObject& o = level.get(i);
      o.setSelected(true);
      o.incY(-5); // dragged: the grid keeps it aside until its next rebuild
      level.moved(i);
      for (const double d : {2.0, 5.0, 9.0}) {
        const double views[][2] = {{o.getRight() + d, o.getY() - 100},
                                   {o.getLeft() - 640 - d, o.getY() - 100},
                                   {o.getX() - 100, o.getBottom() + d},
                                   {o.getX() - 100, o.getTop() - 480 - d}};
        for (const auto& [x, y] : views) {
          ASSERT_EQ(frame(editView, x, y, false), frame(editView, x, y, true))
              << (editView ? "edit" : "play") << " view at " << x << ", " << y;
        }
      }
    }
  }
}

} // namespace
