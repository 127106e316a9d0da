// Play as a user meets it: landing, the camera, shots, the goal and death.

#include "WorldScenario.h"

#include "objects/Monster.h"

namespace {

using Play = WorldScenario;

// A floor from 0 to 3000 with its top at 400, a monster at 1850 on it, the
// spawn point at (2000, 360) and the goal at 2300. The camera puts the
// character on the window's right edge, then follows to 100 pixels off its
// centre. A shot aimed over the monster misses it; the fourth hit kills it.
TEST_F(Play, TheCharacterLandsShootsAMonsterAndReachesTheGoal) {
  startOn("run.data", "1 0 40 300 4 2\n4 185 38 2 2\n2 200 36 2 2\n3 230 30 10 10\n"), frames(1);
  const Character& hero = world->getCharacter();
  EXPECT_EQ(world->getOffset().x, 2000 - 640);
  frames(100);
  EXPECT_TRUE(hero.isPose(Character::GROUNDED) && hero.position.y == 390);
  const Point2D offset = world->getOffset();
  EXPECT_LE((hero.position - offset - Point2D(320, 240)).magnitude(), 100);
  const auto& monster = dynamic_cast<const Monster&>(object(1));
  for (int shot = 0; shot <= 5; ++shot) {
    point(1860 - offset.x, 390 - offset.y - (shot == 0 ? 60 : 0)), click(1), frames(100);
    EXPECT_EQ(std::pair(monster.getCurrentHp(), monster.isActive()),
              std::pair(100 - 30 * std::min(shot, 4), shot < 4))
        << shot;
  }
  press(SDLK_d);
  for (int i = 0; i < 300 && !status().ends_with("!"); ++i) {
    frames(1);
  }
  EXPECT_EQ(std::pair(hero.position, status()),
            std::pair(Point2D(2000, 360), std::string("Clamber - run | Level Complete!")));
}

// A monster under the spawn point throws the character up at every landing.
TEST_F(Play, DeathShowsItsMessageAndRestarts) {
  startOn("pit.data", "4 10 40 2 2\n2 10 30 2 2\n");
  for (int i = 0; i < 2000 && !status().ends_with("!"); ++i) {
    frames(1);
  }
  EXPECT_EQ(status(), "Clamber - pit | You are dead!");
  EXPECT_EQ(world->getCharacter().getCurrentHp(), 100);
}

} // namespace
