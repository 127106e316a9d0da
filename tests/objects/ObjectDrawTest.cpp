#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/GLWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb black = rgb(0, 0, 0);
const Rgb green = rgb(0, 255, 0);
const Rgb blue = rgb(0, 0, 255);
const Rgb yellow = rgb(255, 255, 0);
const Rgb selectBlue = rgb(76, 128, 255); // (0.3, 0.5, 1.0)

Rgb px(int x, int y) {
  return GLWindow::pixel(x, y);
}

// True when a pixel within one of (x, y) has the colour: where exactly a
// diagonal line lands is the rasteriser's business.
bool near(int x, int y, Rgb colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (px(x + dx, y + dy) == colour) {
        return true;
      }
    }
  }
  return false;
}

// Drawn into the real window with no texture bound, so that every colour
// reaches the pixels unchanged.
class ObjectDraw : public testing::Test {
protected:
  void SetUp() override { GLWindow::clear(); }
};

// An object at (100, 200) sized 50 by 20 has outlines from (96, 196) to
// (153, 223), (95, 195) to (154, 224) and (94, 194) to (155, 225), and a
// handle filling (150, 220) to (160, 230). Only a selected object in the
// edit view has them.
TEST_F(ObjectDraw, SelectBoxOutlinesAndHandleOfTheWorkedExample) {
  GameObject goal(100, 200, 50, 20, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.draw(true);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    expectPixels({{"left outline", 94 + i, 210, selectBlue},
                  {"right outline", 153 + i, 210, selectBlue},
                  {"top outline", 120, 194 + i, selectBlue},
                  {"bottom outline", 120, 223 + i, selectBlue}});
  }
  expectPixels({{"left of the box", 93, 210, black},
                {"inside the box", 97, 210, black},
                {"right of the box", 156, 210, black},
                {"above the box", 120, 193, black},
                {"below the box", 120, 226, black},
                {"handle top-left", 150, 220, green},
                {"handle bottom-right", 159, 229, green},
                {"right of the handle", 160, 229, black},
                {"below the handle", 159, 230, black}});

  GLWindow::clear();
  goal.draw(false);
  Platform(300, 200, 50, 20, Platform::PLAIN).draw(true);
  expectPixels({{"no outline in play", 96, 210, black},
                {"no handle in play", 155, 225, black},
                {"unselected: no outline", 296, 210, black},
                {"unselected: no handle", 355, 225, black}});
}

// The game binds its texture while drawing the level; a white one leaves
// the colour exact. Platforms are drawn whatever their active flag.
TEST_F(ObjectDraw, APlatformFillsItsRectangleInItsKindsColour) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::string white(4 * 4 * 3, '\xff');
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, white.data());
  const struct {
    int kind;
    Rgb colour;
  } rows[] = {{0, rgb(255, 255, 255)},
              {1, rgb(255, 128, 128)},
              {2, rgb(128, 128, 128)},
              {7, rgb(255, 0, 0)}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    GLWindow::clear();
    glBindTexture(GL_TEXTURE_2D, texture);
    Platform p(200, 100, 40, 30, static_cast<Platform::PlatformType>(row.kind));
    p.setActive(false);
    p.draw(false);
    expectBox(200, 100, 239, 129, row.colour, black);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

// The largest coordinates a level file holds: the right edge, the select
// box and the handle lie beyond the int range and must not wrap round to
// the far left, which would stretch them across the window.
TEST_F(ObjectDraw, ObjectReachingBeyondTheIntRangeDrawsNothingOnScreen) {
  Platform platform(2147483640, 100, 2147483640, 20, Platform::CLIMBABLE);
  platform.setSelected(true);
  platform.draw(true);
  for (const int x : {0, 320, 639}) {
    SCOPED_TRACE(x);
    expectPixels({{"body", x, 110, black}, {"select box and handle", x, 125, black}});
  }
}

// A spawn point shows only in the edit view, a goal in both, a dead
// monster only in the edit view.
TEST_F(ObjectDraw, SpawnPointGoalAndMonsterAreOutlinedInTheirColours) {
  GameObject spawn(300, 300, 20, 20, GameObject::SPAWN_POINT);
  spawn.draw(false);
  EXPECT_EQ(px(300, 310), black);
  spawn.draw(true);
  expectBox(300, 300, 320, 320, blue, black);
  EXPECT_EQ(px(301, 310), black) << "inside";

  for (bool editView : {false, true}) {
    GLWindow::clear();
    GameObject(300, 300, 20, 20, GameObject::GOAL_AREA).draw(editView);
    expectBox(300, 300, 320, 320, green, black);
  }

  GLWindow::clear();
  Monster m(300, 300, 20, 20);
  m.draw(false);
  expectBox(300, 300, 320, 320, yellow, black);
  EXPECT_EQ(px(310, 303), black) << "between the diagonals";
  EXPECT_TRUE(near(305, 305, yellow)) << "top-left to bottom-right";
  EXPECT_TRUE(near(315, 305, yellow)) << "top-right to bottom-left";
  GLWindow::clear();
  m.setCurrentHp(-1);
  m.update(16);
  m.draw(false);
  EXPECT_FALSE(near(305, 305, yellow));
  m.draw(true);
  EXPECT_EQ(px(300, 310), yellow);
}

} // namespace
