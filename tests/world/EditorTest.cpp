// The editor keeps the user's work: every edit undoes and redoes exactly,
// the caption tells when the level differs from its file, and names are
// checked before anything is written.

#include "WorldScenario.h"

#include "objects/Platform.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Two platforms, a monster and the spawn point, as the level file holds them.
const std::vector<std::string> LEVEL = {levelfile::platform(100, 100, 50, 30, 2),
                                        levelfile::platform(300, 100, 50, 30, 1),
                                        levelfile::monster(100, 300), levelfile::spawn(20, 440)};

class Editor : public WorldScenario {
protected:
  void SetUp() override {
    WorldScenario::SetUp();
    startOn("edit.data", LEVEL);
    tap(SDLK_e);
  }
  // The whole list as text, exactly: order, classes, kinds and every value.
  std::string list() const {
    std::string text;
    for (const auto& o : world->getLevel().getObjects()) {
      text += std::to_string(o->getType()) + " " + std::to_string(o->getX()) + " " +
              std::to_string(o->getY()) + " " + std::to_string(o->getWidth()) + " " +
              std::to_string(o->getHeight()) + " ";
      if (const auto* p = dynamic_cast<const Platform*>(o.get())) {
        text += std::to_string(p->getPlatformType());
      }
      text += "\n";
    }
    return text;
  }
  bool modified() const { return world->getCaption() == "Clamber - edit *"; }
  void selectAt(int x, int y) {
    moveMouse(x, y);
    click(1);
  }
  void drag(int fromX, int fromY, int toX, int toY) {
    moveMouse(fromX, fromY);
    mouseDown(1);
    frame(16);
    moveMouse(toX, toY);
    frame(16);
    mouseUp(1);
  }
};

struct Edit {
  const char* name;
  std::function<void()> run;
};

TEST_F(Editor, EveryEditUndoesAndRedoesToTheExactList) {
  const std::vector<Edit> edits = {
      {"right-button platform", [this] { moveMouse(400, 200), click(3); }},
      {"add-object menu",
       [this] {
         moveMouse(400, 200), tap(SDLK_BACKQUOTE), tap(SDLK_DOWN), tap(SDLK_RETURN), frame(16);
       }},
      {"drag", [this] { drag(110, 110, 213, 257); }},
      {"resize", [this] { drag(155, 135, 181, 162); }},
      {"nudge", [this] { selectAt(310, 110), tap(SDLK_LEFT); }},
      {"platform kind", [this] { selectAt(310, 110), tap(SDLK_3); }},
      {"cut", [this] { selectAt(110, 110), tap(SDLK_x); }},
      {"delete", [this] { selectAt(105, 305), tap(SDLK_BACKSPACE); }},
      {"paste", [this] { selectAt(110, 110), tap(SDLK_c), moveMouse(500, 50), tap(SDLK_v); }},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    const std::string before = list();
    edit.run();
    const std::string after = list();
    ASSERT_NE(after, before);
    EXPECT_TRUE(modified());
    tap(SDLK_z, KMOD_LCTRL);
    EXPECT_EQ(list(), before);
    EXPECT_EQ(lastMessage(), "Undo");
    EXPECT_FALSE(modified()) << "undo back to the file";
    EXPECT_TRUE(world->getLevel().getSelected().empty());
    tap(SDLK_y, KMOD_RCTRL);
    EXPECT_EQ(list(), after);
    tap(SDLK_z, KMOD_LCTRL);
  }
  tap(SDLK_z, KMOD_LCTRL);
  EXPECT_EQ(lastMessage(), "Nothing to undo");
  tap(SDLK_z, static_cast<SDLMod>(KMOD_LCTRL | KMOD_LSHIFT));
  EXPECT_EQ(lastMessage(), "Redo") << "the last edit undone redoes";
}

TEST_F(Editor, ADragBackToItsStartIsNoStepAndANewEditDropsTheRedo) {
  drag(110, 110, 110, 110);
  tap(SDLK_z, KMOD_LCTRL);
  EXPECT_EQ(lastMessage(), "Nothing to undo");
  selectAt(310, 110);
  tap(SDLK_UP);
  tap(SDLK_UP);
  tap(SDLK_z, KMOD_LCTRL);
  selectAt(310, 100);
  tap(SDLK_DOWN);
  tap(SDLK_y, KMOD_LCTRL);
  EXPECT_EQ(lastMessage(), "Nothing to redo");
}

TEST_F(Editor, TwoHundredStepsUndoAndTheShortcutKeysAreNotTheirPlainKeys) {
  selectAt(310, 110);
  const std::string start = list();
  for (int i = 0; i < 250; ++i) {
    tap(SDLK_RIGHT);
  }
  for (int i = 0; i < 250; ++i) {
    tap(SDLK_z, KMOD_LCTRL);
  }
  EXPECT_EQ(list(), start);
  // Ctrl+S saves and does not hold s, which would scroll the view down.
  const Point2D view = world->getOffset();
  press(SDLK_s, KMOD_LCTRL);
  frames(10, 16);
  EXPECT_EQ(world->getOffset(), view);
  EXPECT_EQ(lastMessage(), "Saved as edit.data!");
}

} // namespace
