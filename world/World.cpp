#include "world/World.h"

#include "actors/Character.h"
#include "actors/RectangularSector.h"
#include "common/Draw.h"
#include "common/ResourceFiles.h"
#include "common/Units.h"
#include "gfx/HelpOverlay.h"
#include "gfx/Menu.h"
#include "gfx/NamePrompt.h"
#include "gfx/TextureHandler.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/GameObject.h"
#include "objects/Level.h"
#include "world/EditHistory.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The level played when Levels/loadlevel.txt names none; saving creates it.
const char* const UNTITLED_LEVEL = "untitled.data";

constexpr int MESSAGE_X = 5;
constexpr int MESSAGE_Y = 20;
constexpr int MESSAGE_MS = 2000;

// The hit-point bar's box hangs from the top-right corner.
constexpr int BAR_RIGHT_MARGIN = 210;
constexpr int BAR_TOP = 10;
constexpr int BAR_WIDTH = 200;
constexpr int BAR_HEIGHT = 10;

constexpr int MARKER_SIZE = 10;
constexpr double GRID = 10.0;

} // namespace

World::World(int width, int height, KeyState* keyState, ResourceRoot resources)
    : root(std::move(resources)), keyState(keyState), width(width), height(height) {
  // No menu, no clipboard, no projectiles or messages, mouse and camera at
  // (0, 0): the members start so.
  keyBinding = std::make_unique<KeyBinding>(keyState);
  keyBinding->bind("up", SDLK_w);
  keyBinding->bind("left", SDLK_a);
  keyBinding->bind("down", SDLK_s);
  keyBinding->bind("right", SDLK_d);
  keyBinding->bind("jump", SDLK_SPACE);

  character = std::make_unique<Character>(keyBinding.get());
  textureHandler = std::make_unique<TextureHandler>();
  textureHandler->load(root, "/Images/test.bmp", "test");
  // Loading leaves the new texture bound; the first frame's character must
  // not be drawn through it.
  textureHandler->unbind();
  level = std::make_unique<Level>();

  history = std::make_unique<EditHistory>();

  const std::vector<std::string> lines = readFile(root, "Levels/loadlevel.txt");
  if (!lines.empty()) {
    std::string first = lines.front();
    // A list saved by a Windows editor ends its line with a carriage return,
    // which no level's name holds.
    if (first.ends_with('\r')) {
      first.pop_back();
    }
    openLevel(first);
  } else if (levelFileExists(UNTITLED_LEVEL)) {
    // Without a level list the game still needs a name to save under. A
    // level saved under it in an earlier session is picked up again rather
    // than overwritten by the next save of an empty one.
    openLevel(UNTITLED_LEVEL);
  } else {
    levelName = UNTITLED_LEVEL;
    updateCaption();
  }
  resetLevel();
  message("F1: help");
}

World::~World() = default;

double World::snapToGrid(double v) {
  return GRID * std::floor(v / GRID);
}

void World::update(int ms) {
  for (auto it = floatingTexts.begin(); it != floatingTexts.end();) {
    if (it->update(ms)) {
      ++it;
    } else {
      it = floatingTexts.erase(it);
    }
  }

  updateAutosave(ms);

  // The prompt and the help hold the game as a menu does.
  if (prompt || help) {
    return;
  }
  if (menu) {
    if (menu->update(ms)) {
      menuClosed();
    }
    return;
  }

  if (editMode) {
    updateEdit(ms);
  } else {
    updatePlay(ms);
  }
}

void World::draw() const {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  // Whole pixels only, so that the textured level does not shimmer while the
  // camera glides.
  glTranslated(std::trunc(-offset.x), std::trunc(-offset.y), 0);

  if (!editMode) {
    character->draw();
  }
  textureHandler->bind("test");
  level->draw(editMode,
              RectangularSector(std::trunc(offset.x), std::trunc(offset.y), width, height));
  textureHandler->unbind();
  for (const Projectile& projectile : projectiles) {
    if (projectile.isInView(offset, width, height)) {
      projectile.draw();
    }
  }

  glPopMatrix();

  for (const FloatingText& text : floatingTexts) {
    text.draw(offset);
  }
  if (menu) {
    menu->draw();
  }

  const int barX = width - BAR_RIGHT_MARGIN;
  double fraction =
      static_cast<double>(character->getCurrentHp()) / static_cast<double>(character->getMaxHp());
  // Also catches the NaN of a character without hit points to lose.
  if (!(fraction >= 0)) {
    fraction = 0;
  }
  glColor3d(0.4, 0, 0);
  fillBox(barX, BAR_TOP, barX + BAR_WIDTH, BAR_TOP + BAR_HEIGHT);
  glColor3d(1, 0, 0);
  fillBox(barX, BAR_TOP, barX + truncateToInt(BAR_WIDTH * fraction), BAR_TOP + BAR_HEIGHT);

  if (editMode) {
    constexpr int HALF = MARKER_SIZE / 2;
    const int left = truncateToInt(mouse.x - HALF);
    const int top = truncateToInt(mouse.y - HALF);
    glColor3d(1, 0, 0);
    fillBox(left, top, left + MARKER_SIZE, top + MARKER_SIZE);
  }
  if (prompt) {
    prompt->draw();
  }
  if (help) {
    help->draw();
  }
}

bool World::keyDown(const SDL_Event& e) {
  const Uint16 k = static_cast<Uint16>(e.key.keysym.sym);

  if (k == SDLK_F1) {
    if (help) {
      help.reset();
    } else {
      help = std::make_unique<HelpOverlay>(editMode);
    }
    return true;
  }
  if (help) {
    if (k == SDLK_ESCAPE) {
      help.reset();
    }
    return true;
  }
  if (prompt) {
    switch (prompt->keyDown(e)) {
    case NamePrompt::CONFIRMED:
      if (promptConfirmed(prompt->getText())) {
        prompt.reset();
      }
      break;
    case NamePrompt::CANCELLED:
      prompt.reset();
      break;
    default:
      break;
    }
    return true;
  }
  if (menu) {
    menu->keyDown(e);
    if (k == SDLK_ESCAPE) {
      menu.reset();
    }
    return false;
  }
  if ((e.key.keysym.mod & KMOD_CTRL) != 0 && shortcut(e)) {
    return true;
  }

  // Each row tests the mode as it is after the rows before it: the e that
  // enters edit mode reaches the level's key handling, the one that leaves
  // it does not.
  if (k == SDLK_l) {
    showLevelList();
  }
  if (k == SDLK_e) {
    enableEditMode(!editMode);
  }
  if (!editMode) {
    return false;
  }
  if (k == SDLK_BACKQUOTE) {
    showToolList();
  }
  if (k == SDLK_EQUALS) {
    save();
  }
  if (k == SDLK_x || k == SDLK_BACKSPACE) {
    commitDrag();
    std::vector<Level::Entry> removed;
    std::vector<std::unique_ptr<GameObject>> cut = level->copy(true, &removed);
    if (k == SDLK_x) {
      clipboard = std::move(cut);
    }
    if (!removed.empty()) {
      history->record(std::move(removed), {});
      changed();
    }
  }
  if (k == SDLK_c) {
    clipboard = level->copy(false);
  }
  if (k == SDLK_v && clipboard) {
    paste();
  }
  objectKeys(e);
  return false;
}

bool World::shortcut(const SDL_Event& e) {
  const bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
  switch (e.key.keysym.sym) {
  case SDLK_z:
    if (editMode) {
      stepHistory(shift);
    }
    return true;
  case SDLK_y:
    if (editMode) {
      stepHistory(true);
    }
    return true;
  case SDLK_s:
    if (editMode && shift) {
      openPrompt(SAVE_AS);
    } else if (editMode) {
      save();
    }
    return true;
  case SDLK_n:
    openPrompt(NEW_LEVEL);
    return true;
  case SDLK_q:
    // Quitting is the frame loop's.
    return true;
  default:
    // Ctrl+C, Ctrl+X, Ctrl+V and the rest act as their plain keys.
    return false;
  }
}

void World::keyUp(const SDL_Event&) {}

void World::paste() {
  commitDrag();
  level->deselectAll();
  const Point2D at = mouseWorld();
  std::vector<std::size_t> added;
  for (const std::unique_ptr<GameObject>& original : *clipboard) {
    std::unique_ptr<GameObject> object = original->clone();
    object->incX(at.x);
    object->incY(at.y);
    object->setPos(snapToGrid(object->getX()), snapToGrid(object->getY()));
    object->setSelected(true);
    added.push_back(level->size());
    level->addObject(std::move(object));
  }
  if (!added.empty()) {
    history->record({}, std::move(added));
    changed();
  }
}

void World::message(const std::string& text) {
  floatingTexts.emplace_back(MESSAGE_X, MESSAGE_Y, text, MESSAGE_MS, true);
}

void World::resetLevel() {
  level->refresh();
  character->position = level->getSpawnPoint();
  character->velocity.set(0, 0);
  character->fullHp();
  character->setPose(Character::FALLING);
  // What the character touched belongs to the old run: after a reload or a
  // cut those objects are gone, and a jump must not ask them anything.
  character->clearAdjacent();
}

void World::setMouse(double x, double y) {
  mouse.set(x, y);
}

Point2D World::mouseWorld() const {
  return mouse + offset;
}
