#include "world/World.h"

#include "gfx/HelpOverlay.h"
#include "gfx/Menu.h"
#include "gfx/NamePrompt.h"
#include "gfx/TextureHandler.h"
#include "input/KeyBinding.h"
#include "objects/Level.h"
#include "world/Editor.h"
#include "world/LevelDocument.h"
#include "world/PlaySession.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace {

// The level played when Levels/loadlevel.txt names none; saving creates it.
const char* const UNTITLED_LEVEL = "untitled.data";

constexpr int MESSAGE_X = 5;
constexpr int MESSAGE_Y = 20;
constexpr int MESSAGE_MS = 2000;

constexpr Uint8 LEFT_BUTTON = 1;
constexpr Uint8 RIGHT_BUTTON = 3;

} // namespace

World::World(int width, int height, KeyState* keyState, ResourceRoot resources)
    : World(width, height, keyState, resources, resources) {}

World::World(int width, int height, KeyState* keyState, ResourceRoot resources, ResourceRoot player)
    : keyBinding(std::make_unique<KeyBinding>(keyState)),
      textureHandler(std::make_unique<TextureHandler>()),
      document(std::make_unique<LevelDocument>(LevelStore(resources, std::move(player)))),
      camera(width, height) {
  keyBinding->bind("up", SDLK_w);
  keyBinding->bind("left", SDLK_a);
  keyBinding->bind("down", SDLK_s);
  keyBinding->bind("right", SDLK_d);
  keyBinding->bind("jump", SDLK_SPACE);
  Level* level = &document->getLevel();
  play = std::make_unique<PlaySession>(keyBinding.get(), level, &camera, &events);
  editor = std::make_unique<Editor>(document.get(), &camera, keyState, keyBinding.get());

  textureHandler->load(resources, "/Images/test.bmp", "test");
  // Loading leaves the new texture bound; the first frame's character must
  // not be drawn through it.
  textureHandler->unbind();

  const std::string first = document->getStore().startLevel();
  if (!first.empty()) {
    openLevel(first);
  } else if (document->getStore().exists(UNTITLED_LEVEL)) {
    // Without a level list the game still needs a name to save under. A
    // level saved under it in an earlier session is picked up again rather
    // than overwritten by the next save of an empty one.
    openLevel(UNTITLED_LEVEL);
  } else {
    document->openEmpty(UNTITLED_LEVEL);
    resetLevel();
  }
  message("F1: help");
}

World::~World() = default;

void World::update(int ms) {
  events.beginUpdate();
  for (auto it = floatingTexts.begin(); it != floatingTexts.end();) {
    it = it->update(ms) ? it + 1 : floatingTexts.erase(it);
  }
  if (!document->updateAutosave(ms)) {
    message("Autosave FAILED!");
  }

  // The prompt and the help hold the game as a menu does.
  if (prompt || help) {
  } else if (menu) {
    if (menu->update(ms)) {
      menuClosed();
    }
  } else if (isEditMode()) {
    editor->updateEdit(ms);
  } else {
    const std::size_t first = events.get().size();
    play->updatePlay(ms);
    reactToPlay(first);
  }
  events.endUpdate();
}

void World::reactToPlay(std::size_t first) {
  const std::vector<GameEvent>& happened = events.get();
  for (std::size_t i = first; i < happened.size(); ++i) {
    if (happened[i] == GameEvent::DIED || happened[i] == GameEvent::COMPLETED) {
      message(happened[i] == GameEvent::DIED ? "You are dead!" : "Level Complete!");
      showLevelList();
    }
  }
}

void World::draw() const {
  editor->drawGrid();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  // Whole pixels only, so that the textured level does not shimmer while the
  // camera glides.
  const RectangularSector view = camera.view();
  glScaled(camera.getZoom(), camera.getZoom(), 1);
  glTranslated(-view.getX(), -view.getY(), 0);
  const bool editing = isEditMode();
  if (!editing) {
    play->drawCharacter();
  }
  textureHandler->bind("test");
  document->getLevel().draw(editing, view, camera.getZoom());
  textureHandler->unbind();
  play->drawShots(view);
  glPopMatrix();

  for (const FloatingText& text : floatingTexts) {
    text.draw(camera.getOffset());
  }
  if (menu) {
    menu->draw();
  }
  play->drawHitPoints(camera.getWidth());
  if (editing) {
    editor->draw();
  }
  if (prompt) {
    prompt->draw();
  }
  if (help) {
    help->draw();
  }
}

bool World::keyDown(const SDL_Event& e) {
  bool consumed = false;
  if (overlayKey(e, consumed)) {
    return consumed;
  }
  if ((e.key.keysym.mod & KMOD_CTRL) != 0 && shortcut(e)) {
    return true;
  }
  const SDLKey k = e.key.keysym.sym;
  // Each row tests the mode as it is after the rows before it: the e that
  // enters edit mode reaches the editor's keys, the one that leaves it does
  // not.
  if (k == SDLK_l) {
    showLevelList();
  }
  if (k == SDLK_e) {
    enableEditMode(!isEditMode());
  }
  if (isEditMode()) {
    editKey(k);
  }
  return false;
}

bool World::overlayKey(const SDL_Event& e, bool& consumed) {
  const SDLKey k = e.key.keysym.sym;
  consumed = true;
  if (k == SDLK_F1) {
    help = help ? nullptr : std::make_unique<HelpOverlay>(isEditMode());
  } else if (help) {
    if (k == SDLK_ESCAPE) {
      help.reset();
    }
  } else if (prompt) {
    const NamePrompt::Result result = prompt->keyDown(e);
    if ((result == NamePrompt::CONFIRMED && promptConfirmed(prompt->getText())) ||
        result == NamePrompt::CANCELLED) {
      prompt.reset();
    }
  } else if (menu) {
    // Menu keys still reach the key state.
    consumed = false;
    const int selected = menu->getSelected();
    menu->keyDown(e);
    if (k == SDLK_ESCAPE) {
      menu.reset();
    } else if (menu->getSelected() != selected) {
      events.report(GameEvent::MENU_MOVED);
    }
  } else {
    return false;
  }
  return true;
}

void World::editKey(SDLKey k) {
  if (k == SDLK_BACKQUOTE) {
    showToolList();
  }
  if (k == SDLK_EQUALS) {
    save();
  }
  editor->keyDown(k);
}

bool World::shortcut(const SDL_Event& e) {
  const bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
  const bool editing = isEditMode();
  switch (e.key.keysym.sym) {
  case SDLK_z:
  case SDLK_y:
    if (editing) {
      stepHistory(shift || e.key.keysym.sym == SDLK_y);
    }
    return true;
  case SDLK_s:
    if (editing && shift) {
      openPrompt(SAVE_AS);
    } else if (editing) {
      save();
    }
    return true;
  case SDLK_n:
    openPrompt(NEW_LEVEL);
    return true;
  case SDLK_q:
    // Quitting is the frame loop's.
    return true;
  case SDLK_a:
  case SDLK_d:
    return editing && editor->ctrlKey(e.key.keysym.sym); // in play, still the run keys
  default:
    // Ctrl+C, Ctrl+X, Ctrl+V and the rest act as their plain keys.
    return false;
  }
}

void World::keyUp(const SDL_Event&) {}

void World::mouseButtonDown(const SDL_Event& e) {
  const Uint8 button = e.button.button;
  if (isEditMode()) {
    editor->mouseButtonDown(button);
  } else if (button == LEFT_BUTTON) {
    play->fire(camera.mouseInLevel());
  } else if (button == RIGHT_BUTTON) {
    std::cout << "do stuff" << std::flush;
  }
}

void World::mouseButtonUp(const SDL_Event& e) {
  if (isEditMode()) {
    editor->mouseButtonUp(e.button.button);
  }
}

void World::stepHistory(bool redo) {
  const bool stepped = editor->stepHistory(redo);
  message(stepped ? (redo ? "Redo" : "Undo") : (redo ? "Nothing to redo" : "Nothing to undo"));
}

void World::enableEditMode(bool on) {
  if (on) {
    editor->begin();
    return;
  }
  editor->end();
  // Play starts where the pointer is; the reset does not move the camera.
  play->startAt(camera.mouseInLevel());
}

void World::message(const std::string& text) {
  floatingTexts.emplace_back(MESSAGE_X, MESSAGE_Y, text, MESSAGE_MS, true);
}

void World::resetLevel() {
  play->resetLevel();
}
