#pragma once

#include "common/EventLog.h"
#include "common/ResourceRoot.h"
#include "gfx/MessageList.h"
#include "world/Camera.h"
#include "world/Editor.h"
#include "world/LevelDocument.h"
#include "world/PlaySession.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class HelpOverlay;
class KeyBinding;
class KeyState;
class Menu;
class NamePrompt;
class TextureHandler;

// The running game: switches between play and edit mode on the level being
// edited, and stacks what is shown over them (a menu, the name prompt, the
// help). It turns what play and the editor report into messages and menus.
// The frame loop hands it every key and button event before the KeyState
// records it, and every frame's elapsed milliseconds.
//
// Needs a current OpenGL context: the constructor loads the level texture.
class World {
public:
  // Loads the level named on the first line of the root's
  // Levels/loadlevel.txt and puts the character on its spawn point. keyState
  // is not owned. Writes go to player's folder, when given; resources are
  // then only read.
  World(int width, int height, KeyState* keyState, const ResourceRoot& resources,
        const std::optional<ResourceRoot>& player = std::nullopt);
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  ~World();

  // Ages the messages, counts down to the next autosave, then runs the open
  // menu, or else a frame of edit or play mode (not under a prompt or help).
  void update(int ms);
  // Draws the frame over a colour buffer cleared to getClearGrey().
  void draw() const;
  // True when the key was a shortcut (Ctrl+S, F1, ...) or went to the name
  // prompt or the help: the key state must not see it as its plain key.
  bool keyDown(const SDL_Event& e);
  void keyUp(const SDL_Event& /*e*/) {}
  // Fires in play mode; selects, drags, resizes and adds in edit mode.
  void mouseButtonDown(const SDL_Event& e);
  void mouseButtonUp(const SDL_Event& e);
  // A joystick event: in menus the d-pad, A and B are arrows, Return and
  // Escape; in play B shoots and Start opens the level menu.
  void padEvent(const SDL_Event& e);
  // The frame loop writes the pointer here on every mouse motion, in window
  // pixels.
  void setMouse(double x, double y) { camera.setMouse(x, y); }
  // True once the unsaved edits are kept; when they cannot be, only a
  // second request within a few seconds is granted.
  bool quitRequested();

  // "Clamber - NAME", with " *" while the level has unsaved edits.
  const std::string& getCaption() const { return document->getCaption(); }
  const Level& getLevel() const { return document->getLevel(); }
  const Character& getCharacter() const { return play->getCharacter(); }
  // The level position of the window's top-left corner.
  const Point2D& getOffset() const { return camera.getOffset(); }
  bool isEditMode() const { return editor->isActive(); }
  // Grey of the background: dark in edit mode, black in play.
  float getClearGrey() const { return isEditMode() ? 0.2f : 0.0f; }
  // The messages on screen, oldest first.
  const std::vector<FloatingText>& getFloatingTexts() const { return messages.get(); }
  // Whether the player wants to hear the events (m switches).
  bool isSoundOn() const { return soundOn; }
  // What happened since the previous update ended, in order.
  const std::vector<GameEvent>& getEvents() const { return events.get(); }

private:
  enum PromptPurpose : int { NEW_LEVEL, SAVE_AS };

  // Shows text at the top left for two seconds.
  void message(const std::string& text) { messages.add(text); }
  void enableEditMode(bool on);
  // Keys of the open help, prompt or menu; false when none is open.
  bool overlayKey(const SDL_Event& e, bool& consumed);
  bool shortcut(const SDL_Event& e);
  void switchSound();

  // Menus (WorldMenus.cpp).
  // The level menu, starting on the first level, or on the level after the
  // current one in menu order (0 the current one, 1 the next, after the
  // last the first).
  void showLevelList(std::optional<int> fromCurrent = std::nullopt);
  void showToolList();
  void offerRecovery();
  // Carries out the choice of the open menu and closes it.
  void menuClosed();

  // Files (WorldFiles.cpp).
  // Opens the level file, offers its recovery file when there is one, and
  // puts the character on its spawn point.
  bool openLevel(const std::string& file);
  // Saves to file: the level's own, or another that becomes its own.
  void save(const std::string& file);
  // Unsaved edits go to the recovery file before something replaces them;
  // false, with a message, when they cannot.
  bool keepEdits();
  void restoreRecovery();
  void openPrompt(PromptPurpose purpose);
  // The prompt's name was confirmed: false (with a message) to keep it open.
  bool promptConfirmed(const std::string& name);
  void createLevel(const std::string& file);

  std::unique_ptr<KeyBinding> keyBinding;
  std::unique_ptr<TextureHandler> textureHandler;
  std::unique_ptr<LevelDocument> document;
  Camera camera;
  EventLog events;
  std::unique_ptr<PlaySession> play;
  std::unique_ptr<Editor> editor;
  MessageList messages;
  std::unique_ptr<Menu> menu;
  // The open name prompt and what its name is for.
  struct Prompt {
    std::unique_ptr<NamePrompt> box;
    PromptPurpose purpose;
  };
  std::optional<Prompt> prompt;
  std::unique_ptr<HelpOverlay> help;
  // The player's choice, kept in the player's folder.
  bool soundOn = true;
};
