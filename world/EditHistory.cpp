#include "world/EditHistory.h"

#include "objects/Monster.h"

#include <utility>

std::size_t EditHistory::bytesOf(const Step& step) {
  // An estimate: every kept object is about the size of the largest kind.
  return sizeof(Step) + step.stash.size() * (sizeof(Level::Entry) + sizeof(Monster) + 16) +
         step.places.size() * sizeof(std::size_t);
}

void EditHistory::record(std::vector<Level::Entry> before, std::vector<std::size_t> after) {
  for (const Step& step : undone) {
    bytes -= step.bytes;
  }
  undone.clear();
  // Kept as what undoes the edit: from the new state back to this one.
  Step step{std::move(before), std::move(after), nextState++, currentState, 0};
  step.bytes = bytesOf(step);
  bytes += step.bytes;
  currentState = step.from;
  done.push_back(std::move(step));
  trim();
}

void EditHistory::trim() {
  while (done.size() > 1 && (done.size() > MAX_STEPS || bytes > MAX_BYTES)) {
    bytes -= done.front().bytes;
    done.pop_front();
  }
}

void EditHistory::exchange(Level& level, Step& step) {
  bytes -= step.bytes;
  std::vector<std::size_t> places;
  places.reserve(step.stash.size());
  for (const Level::Entry& entry : step.stash) {
    places.push_back(entry.index);
  }
  step.stash = level.exchange(step.places, std::move(step.stash));
  step.places = std::move(places);
  step.bytes = bytesOf(step);
  bytes += step.bytes;
  currentState = step.to;
  std::swap(step.from, step.to);
  level.deselectAll();
}

bool EditHistory::undo(Level& level) {
  return travel(done, undone, level);
}

bool EditHistory::redo(Level& level) {
  return travel(undone, done, level);
}

bool EditHistory::travel(std::deque<Step>& from, std::deque<Step>& to, Level& level) {
  if (from.empty()) {
    return false;
  }
  Step step = std::move(from.back());
  from.pop_back();
  exchange(level, step);
  to.push_back(std::move(step));
  return true;
}

void EditHistory::reset() {
  done.clear();
  undone.clear();
  bytes = 0;
  currentState = nextState++;
  savedState = currentState;
}
