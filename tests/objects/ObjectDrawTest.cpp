#include "objects/Level.h"
#include "objects/Monster.h"
#include "objects/Platform.h"
#include "support/GLWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

// Objects drawn into the real window with no texture bound, so that every
// colour reaches the pixels unchanged. Each probe pairs a pixel just inside
// an edge with one just outside it.
class ObjectDraw : public ::testing::Test {
protected:
  void SetUp() override { GLWindow::clear(0, 0, 0); }

  static Rgb px(int x, int y) { return GLWindow::pixel(x, y); }

  const Rgb black = rgb(0, 0, 0);
  const Rgb green = rgb(0, 255, 0);
  const Rgb blue = rgb(0, 0, 255);
  const Rgb yellow = rgb(255, 255, 0);
  const Rgb selectBlue = rgb(76, 128, 255); // (0.3, 0.5, 1.0)
};

// The worked select box: an object at (100, 200) sized 50 by 20 has
// outlines from (96, 196) to (153, 223), (95, 195) to (154, 224) and
// (94, 194) to (155, 225), and a handle filling (150, 220) to (160, 230).
TEST_F(ObjectDraw, SelectBoxOutlinesAndHandleOfTheWorkedExample) {
  GameObject goal(100, 200, 50, 20, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.draw(true);

  for (int x : {94, 95, 96}) {
    EXPECT_EQ(px(x, 210), selectBlue) << "left outline x " << x;
  }
  EXPECT_EQ(px(93, 210), black);
  EXPECT_EQ(px(97, 210), black);
  for (int x : {153, 154, 155}) {
    EXPECT_EQ(px(x, 210), selectBlue) << "right outline x " << x;
  }
  EXPECT_EQ(px(152, 210), black);
  EXPECT_EQ(px(156, 210), black);
  for (int y : {194, 195, 196}) {
    EXPECT_EQ(px(120, y), selectBlue) << "top outline y " << y;
  }
  EXPECT_EQ(px(120, 193), black);
  EXPECT_EQ(px(120, 197), black);
  for (int y : {223, 224, 225}) {
    EXPECT_EQ(px(120, y), selectBlue) << "bottom outline y " << y;
  }
  EXPECT_EQ(px(120, 222), black);
  EXPECT_EQ(px(120, 226), black);

  // The handle covers the outlines' bottom-right corners.
  EXPECT_EQ(px(150, 220), green);
  EXPECT_EQ(px(159, 229), green);
  EXPECT_EQ(px(155, 225), green);
  EXPECT_EQ(px(160, 229), black);
  EXPECT_EQ(px(159, 230), black);
}

TEST_F(ObjectDraw, SelectBoxOnlyInEditView) {
  GameObject goal(100, 200, 50, 20, GameObject::GOAL_AREA);
  goal.setSelected(true);
  goal.draw(false);
  EXPECT_EQ(px(96, 210), black);
  EXPECT_EQ(px(155, 225), black);
  EXPECT_EQ(px(100, 210), green); // the goal itself
}

TEST_F(ObjectDraw, UnselectedObjectHasNoSelectBox) {
  Platform p(100, 200, 50, 20, Platform::PLAIN);
  p.draw(true);
  EXPECT_EQ(px(96, 210), black);
  EXPECT_EQ(px(155, 225), black);
}

struct ColourRow {
  const char* name;
  int kind;
  Rgb colour;
};

class PlatformColour : public ObjectDraw, public ::testing::WithParamInterface<ColourRow> {};

TEST_P(PlatformColour, FillsItsRectangleInItsKindsColour) {
  Platform p(200, 100, 40, 30, static_cast<Platform::PlatformType>(GetParam().kind));
  p.setActive(false); // platforms are drawn whatever their flag
  p.draw(false);
  const Rgb c = GetParam().colour;
  EXPECT_EQ(px(200, 100), c);
  EXPECT_EQ(px(239, 129), c);
  EXPECT_EQ(px(220, 115), c);
  EXPECT_EQ(px(199, 115), black);
  EXPECT_EQ(px(240, 115), black);
  EXPECT_EQ(px(220, 99), black);
  EXPECT_EQ(px(220, 130), black);
}

INSTANTIATE_TEST_SUITE_P(Table, PlatformColour,
                         ::testing::Values(ColourRow{"climbableWhite", 0, rgb(255, 255, 255)},
                                           ColourRow{"jumpablePink", 1, rgb(255, 128, 128)},
                                           ColourRow{"plainGrey", 2, rgb(128, 128, 128)},
                                           ColourRow{"unknownKindRed", 7, rgb(255, 0, 0)},
                                           ColourRow{"negativeKindRed", -1, rgb(255, 0, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

// With a white texture bound (as the game binds its texture), a white one
// leaves the colour exact.
TEST_F(ObjectDraw, WhiteTextureKeepsThePlatformColour) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const unsigned char white[4 * 4 * 3] = {
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
      255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, white);

  Platform p(200, 100, 40, 30, Platform::JUMPABLE);
  p.draw(false);
  const Rgb inside = px(220, 115);
  const Rgb outside = px(240, 115);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
  EXPECT_EQ(inside, rgb(255, 128, 128));
  EXPECT_EQ(outside, black);
}

TEST_F(ObjectDraw, SpawnPointInvisibleInPlayView) {
  GameObject spawn(300, 300, 20, 20, GameObject::SPAWN_POINT);
  spawn.draw(false);
  EXPECT_EQ(px(300, 310), black);
  EXPECT_EQ(px(310, 300), black);
}

TEST_F(ObjectDraw, SpawnPointOutlinedBlueInEditView) {
  GameObject spawn(300, 300, 20, 20, GameObject::SPAWN_POINT);
  spawn.draw(true);
  EXPECT_EQ(px(300, 310), blue);
  EXPECT_EQ(px(299, 310), black);
  EXPECT_EQ(px(301, 310), black); // an outline, not a fill
  EXPECT_EQ(px(310, 320), blue);
  EXPECT_EQ(px(310, 321), black);
}

TEST_F(ObjectDraw, GoalAreaOutlinedGreenInBothViews) {
  for (bool editView : {false, true}) {
    GLWindow::clear(0, 0, 0);
    GameObject goal(300, 300, 20, 20, GameObject::GOAL_AREA);
    goal.draw(editView);
    EXPECT_EQ(px(300, 310), green) << editView;
    EXPECT_EQ(px(299, 310), black) << editView;
    EXPECT_EQ(px(320, 310), green) << editView;
    EXPECT_EQ(px(321, 310), black) << editView;
  }
}

namespace {

// True when a pixel within one of (x, y) has the colour: where exactly a
// diagonal line lands is the rasteriser's business.
bool near(int x, int y, Rgb colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (GLWindow::pixel(x + dx, y + dy) == colour) {
        return true;
      }
    }
  }
  return false;
}

} // namespace

TEST_F(ObjectDraw, MonsterOutlinedYellowWithBothDiagonals) {
  Monster m(300, 300, 20, 20);
  m.draw(false);
  EXPECT_EQ(px(300, 310), yellow);
  EXPECT_EQ(px(299, 310), black);
  EXPECT_TRUE(near(305, 305, yellow)); // top-left to bottom-right
  EXPECT_TRUE(near(315, 305, yellow)); // top-right to bottom-left
  EXPECT_EQ(px(310, 303), black);      // between the diagonals
}

TEST_F(ObjectDraw, DeadMonsterDrawnOnlyInEditView) {
  Monster m(300, 300, 20, 20);
  m.setCurrentHp(-1);
  m.update(16);
  ASSERT_FALSE(m.isActive());
  m.draw(false);
  EXPECT_EQ(px(300, 310), black);
  EXPECT_FALSE(near(305, 305, yellow));
  m.draw(true);
  EXPECT_EQ(px(300, 310), yellow);
}

TEST_F(ObjectDraw, LevelDrawsInListOrderLaterOnTop) {
  Level level;
  level.addObject(std::make_unique<Platform>(100, 100, 40, 40, Platform::PLAIN));
  level.addObject(std::make_unique<Platform>(120, 120, 40, 40, Platform::CLIMBABLE));
  level.addObject(std::make_unique<GameObject>(0, 0, 20, 20, GameObject::SPAWN_POINT));
  level.draw(false);
  EXPECT_EQ(px(110, 110), rgb(128, 128, 128));
  EXPECT_EQ(px(130, 130), rgb(255, 255, 255));
  EXPECT_EQ(px(0, 10), black);
  level.draw(true);
  EXPECT_EQ(px(0, 10), blue);
}
