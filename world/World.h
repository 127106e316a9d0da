#pragma once

#include "actors/Point2D.h"
#include "actors/Projectile.h"
#include "common/ResourceRoot.h"
#include "gfx/FloatingText.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Character;
class EditHistory;
class GameObject;
class HelpOverlay;
class KeyBinding;
class KeyState;
class Level;
class Menu;
class NamePrompt;
class RectangularSector;
class TextureHandler;

// The running game: owns the level, the character, the projectiles, the
// messages, the open menu, the clipboard and the camera, and runs an open
// menu, play mode or edit mode each frame. The frame loop hands it every
// key and button event before the KeyState records it, and every frame's
// elapsed milliseconds.
//
// Needs a current OpenGL context: the constructor loads the level texture.
class World {
public:
  // Loads the level named on the first line of the root's
  // Levels/loadlevel.txt and puts the character on its spawn point. keyState
  // is not owned.
  World(int width, int height, KeyState* keyState, ResourceRoot resources);
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  ~World();

  // One frame: ages the messages, counts down to the next autosave, then
  // runs the open menu, or else one frame of edit or play mode (nothing
  // while the name prompt or the help is shown).
  void update(int ms);
  // Draws the frame; the caller has cleared the colour buffer.
  void draw() const;
  // True when the key was a shortcut (Ctrl+S, F1, ...) or went to the name
  // prompt or the help: the key state must not see it as its plain key.
  bool keyDown(const SDL_Event& e);
  void keyUp(const SDL_Event& e);
  // Fires in play mode; selects, drags, resizes and adds in edit mode.
  void mouseButtonDown(const SDL_Event& e);
  void mouseButtonUp(const SDL_Event& e);
  // The frame loop writes the pointer here on every mouse motion, in window
  // pixels.
  void setMouse(double x, double y);
  // The process is about to end: unsaved edits go to the recovery file.
  void prepareQuit();

  // "Clamber - NAME", with " *" while the level has unsaved edits.
  const std::string& getCaption() const { return caption; }
  const Level& getLevel() const { return *level; }
  const Character& getCharacter() const { return *character; }
  // The level position of the window's top-left corner.
  const Point2D& getOffset() const { return offset; }
  bool isEditMode() const { return editMode; }
  // The messages on screen, oldest first.
  const std::vector<FloatingText>& getFloatingTexts() const { return floatingTexts; }

private:
  enum PromptPurpose : int { NEW_LEVEL, SAVE_AS };
  enum DragMode : int { DRAG_NONE = 0, DRAG_MOVE = 1, DRAG_RESIZE = 2 };

  // Shows text at the top left for two seconds.
  void message(const std::string& text);
  // Revives the level's objects and puts the character back on the spawn
  // point at full hit points, at rest and falling.
  void resetLevel();

  // Play mode (WorldPlay.cpp): one frame, in this order.
  void updatePlay(int ms);
  // The steps of a play frame.
  void flyShots(int ms);
  void checkDeath();
  // Held actions into the character's velocity.
  void steer(int ms);
  void followCharacter(int ms);
  // The frame's one contact, the first active object in list order that
  // the character's box (moved from before) overlaps. False when there was
  // none.
  bool resolveContact(int ms, const Point2D& before, const RectangularSector& box);
  // What the character touches, for its next jump or climb.
  void findAdjacent(const RectangularSector& box);
  void hitWithShots();
  void fire();

  // Edit mode (WorldEdit.cpp).
  void updateEdit(int ms);
  void enableEditMode(bool on);
  // A size x size probe centred on the mouse's level position.
  RectangularSector getMouseSector(int size) const;
  // Lifts the character out of every object it starts inside.
  void liftClear();
  void paste();
  // Records the drag in progress, if it moved anything, as one step; the
  // drag goes on from there.
  void commitDrag();
  // Keys of edit mode that go to the selected objects, recorded as a step
  // when they changed something.
  void objectKeys(const SDL_Event& e);
  bool shortcut(const SDL_Event& e);
  // Undo (or redo), with its message.
  void stepHistory(bool redo);

  // Menus (WorldMenus.cpp).
  void showLevelList();
  void showToolList();
  void offerRecovery();
  // Carries out the choice of the open menu and closes it.
  void menuClosed();

  // Files (WorldFiles.cpp).
  // Saves the level to its file, with the message of the outcome.
  void save();
  // Writes the unsaved edits to the recovery file beside the level, or
  // removes a recovery file of this session's when there are none. False,
  // with a message, when edits could not be written.
  bool writeRecovery();

  // Loads Levels/name as the current level, with no history, and offers
  // its recovery file when there is one. False when the file cannot be
  // read (the level is then empty).
  bool openLevel(const std::string& name);
  // Whether Levels/file exists.
  bool levelFileExists(const std::string& file) const;
  void removeLevelFile(const std::string& file) const;
  void restoreRecovery();
  void discardRecovery();
  void openPrompt(PromptPurpose purpose);
  // The prompt's name was confirmed: false (with a message) to keep it open.
  bool promptConfirmed(const std::string& name);
  void createLevel(const std::string& name);
  void saveAs(const std::string& name);
  // The recovery file of the current level, relative to Levels/.
  std::string recoveryName() const;
  // After every change of the level by the editor: caption, autosave.
  void changed();
  void updateCaption();
  // Counts down to the next autosave.
  void updateAutosave(int ms);

  // The editing grid: the largest multiple of 10 not above v, also for
  // negative values.
  static double snapToGrid(double v);
  // The mouse's world position: mouse + offset.
  Point2D mouseWorld() const;

  ResourceRoot root;
  std::unique_ptr<KeyBinding> keyBinding;
  std::unique_ptr<EditHistory> history;
  std::unique_ptr<NamePrompt> prompt;
  PromptPurpose promptPurpose = NEW_LEVEL;
  std::unique_ptr<HelpOverlay> help;
  std::string caption;
  // Milliseconds of frames until the next autosave; negative when none is
  // due.
  int autosaveIn = -1;
  // This session wrote the current level's recovery file: once undo brings
  // the level back to its file, that recovery file is out of date.
  bool recoveryWritten = false;
  // The grabbed object as it was when the drag began or was last recorded.
  std::unique_ptr<GameObject> dragBefore;
  std::vector<Projectile> projectiles;
  std::unique_ptr<TextureHandler> textureHandler;
  // The items of the open level-select menu; replaced each time it opens.
  std::vector<std::string> levelList;
  std::unique_ptr<Menu> menu;
  std::optional<std::vector<std::unique_ptr<GameObject>>> clipboard;
  std::vector<FloatingText> floatingTexts;
  std::string levelName;
  Point2D offset;
  std::unique_ptr<Character> character;
  std::unique_ptr<Level> level;
  bool editMode = false;
  int dragMode = DRAG_NONE;
  Point2D dragAnchor;
  int dragIndex = 0;
  // The level's revision at the mouse-down: a drag ends when the list
  // changes under the held button.
  std::uint64_t dragRevision = 0;
  KeyState* keyState;
  int width;
  int height;
  Point2D mouse;
};
