#include "world/World.h"

#include "gfx/HelpOverlay.h"
#include "gfx/Menu.h"
#include "gfx/NamePrompt.h"
#include "gfx/TextureHandler.h"
#include "input/KeyBinding.h"
#include "input/KeyState.h"
#include "objects/Level.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace {

constexpr Uint8 LEFT_BUTTON = 1;
constexpr Uint8 RIGHT_BUTTON = 3;

} // namespace

World::World(int width, int height, KeyState* keyState, const ResourceRoot& resources,
             const std::optional<ResourceRoot>& player)
    : keyBinding(std::make_unique<KeyBinding>(keyState)),
      textureHandler(std::make_unique<TextureHandler>()),
      document(std::make_unique<LevelDocument>(LevelStore(resources, player.value_or(resources)))),
      camera(width, height) {
  for (const auto& [action, key] :
       {std::pair{"up", SDLK_w}, std::pair{"left", SDLK_a}, std::pair{"down", SDLK_s},
        std::pair{"right", SDLK_d}, std::pair{"jump", SDLK_SPACE}}) {
    keyBinding->bind(action, key);
  }
  Level* level = &document->getLevel();
  play = std::make_unique<PlaySession>(keyBinding.get(), level, &camera, &events);
  editor = std::make_unique<Editor>(document.get(), &camera, keyState, keyBinding.get());

  soundOn = document->getStore().isSoundOn();
  textureHandler->load(resources, "/Images/test.bmp", "test");
  // Loading leaves the new texture bound; the first frame's character must
  // not be drawn through it.
  textureHandler->unbind();

  if (const std::string first = document->getStore().startLevel(); !first.empty()) {
    openLevel(first);
  } else {
    document->openEmpty(LevelStore::UNTITLED);
    play->resetLevel();
  }
  message("F1: help");
}

World::~World() = default;

void World::update(int ms) {
  events.beginUpdate();
  messages.update(ms);
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
    // A death or a completion has restarted the run already; the menu
    // holds play from the next frame.
    const std::size_t first = events.get().size();
    play->updatePlay(ms);
    for (std::size_t i = first; i < events.get().size(); ++i) {
      const GameEvent e = events.get()[i];
      if (e == GameEvent::DIED || e == GameEvent::COMPLETED) {
        // Return tries again after a death and plays on after the goal.
        message(e == GameEvent::DIED ? "You are dead!" : "Level Complete!");
        showLevelList(e == GameEvent::DIED ? 0 : 1);
      }
    }
  }
  events.endUpdate();
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

  messages.draw();
  if (menu) {
    menu->draw();
  }
  play->drawHitPoints(camera.getWidth());
  if (editing) {
    editor->draw();
  }
  if (prompt) {
    prompt->box->draw();
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
  if (k == SDLK_m) {
    switchSound();
  }
  if (isEditMode() && k == SDLK_BACKQUOTE) {
    showToolList();
  } else if (isEditMode() && k == SDLK_EQUALS) {
    save(document->getName());
  }
  if (isEditMode()) {
    editor->keyDown(k);
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
    const NamePrompt::Result result = prompt->box->keyDown(e);
    if ((result == NamePrompt::CONFIRMED && promptConfirmed(prompt->box->getText())) ||
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

bool World::shortcut(const SDL_Event& e) {
  const bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
  const bool editing = isEditMode();
  switch (e.key.keysym.sym) {
  case SDLK_z:
  case SDLK_y:
    if (const bool redo = shift || e.key.keysym.sym == SDLK_y; editing) {
      const bool stepped = editor->stepHistory(redo);
      message(stepped ? (redo ? "Redo" : "Undo") : (redo ? "Nothing to redo" : "Nothing to undo"));
    }
    return true;
  case SDLK_s:
    if (editing && shift) {
      openPrompt(SAVE_AS);
    } else if (editing) {
      save(document->getName());
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

void World::padEvent(const SDL_Event& e) {
  const SDLKey key = Gamepad::menuKey(e);
  if (isEditMode() || prompt || help || key == SDLK_UNKNOWN) {
    return;
  }
  if (menu || key == SDLK_l) {
    keyDown(SDL_Event{.key = {SDL_KEYDOWN, 0, SDL_PRESSED, {0, key, KMOD_NONE, 0}}});
  } else if (key == SDLK_ESCAPE) {
    const Gamepad& pad = keyBinding->getKeyState()->getGamepad();
    play->fireAhead(pad.getAimX(), pad.getAimY());
  }
}

void World::mouseButtonUp(const SDL_Event& e) {
  if (isEditMode()) {
    editor->mouseButtonUp(e.button.button);
  }
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

void World::switchSound() {
  soundOn = !soundOn;
  message(soundOn ? "Sound on" : "Sound off");
  document->getStore().saveSoundOn(soundOn);
}
