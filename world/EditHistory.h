#pragma once

#include "objects/Level.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// The editor's undo and redo. A step keeps only the objects an edit touched:
// the objects as they were, with their places, and the places of the
// objects as they are. Undoing exchanges the two, so redoing is the same
// exchange again, and order in the list comes back exactly.
//
// It also knows whether the level differs from its file: every state the
// level reaches gets a number, and the level is modified while the current
// number is not the saved one.
class EditHistory {
public:
  // Steps kept at most, and the memory they may hold; the oldest go first.
  // The newest step is kept whatever it costs.
  static constexpr std::size_t MAX_STEPS = 1000;
  static constexpr std::size_t MAX_BYTES = std::size_t{64} << 20;

  // A finished edit: before holds the objects it replaced or removed, at
  // their former places (ascending); after the places of the objects it
  // put in or changed, in the level as it is now (ascending). Drops every
  // undone step.
  void record(std::vector<Level::Entry> before, std::vector<std::size_t> after);
  // False when there is nothing to undo or redo. Both leave nothing
  // selected.
  bool undo(Level& level);
  bool redo(Level& level);

  // A level was loaded from its file (or replaced the current one): no
  // steps, nothing modified.
  void reset();
  void markSaved() { savedState = currentState; }
  // The level holds what its file does not, as after restoring a recovery
  // file: modified until saved, whatever is undone.
  void markUnsaved() { savedState = UNSAVED; }
  bool isModified() const { return currentState != savedState; }

private:
  static constexpr std::uint64_t UNSAVED = ~std::uint64_t{0};

  // Applying a step takes the level from state `from` to state `to` and
  // turns the step into its own inverse.
  struct Step {
    std::vector<Level::Entry> stash;
    std::vector<std::size_t> places;
    std::uint64_t from;
    std::uint64_t to;
    std::size_t bytes;
  };

  static std::size_t bytesOf(const Step& step);
  // Applies step to the level, turning it into its own inverse.
  void exchange(Level& level, Step& step);
  // Applies the newest step of from and keeps its inverse on to.
  bool travel(std::deque<Step>& from, std::deque<Step>& to, Level& level);
  void trim();

  std::deque<Step> done;
  std::deque<Step> undone;
  std::size_t bytes = 0;
  std::uint64_t nextState = 1;
  std::uint64_t currentState = 0;
  std::uint64_t savedState = 0;
};
