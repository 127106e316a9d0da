#pragma once

#include "common/GameEvent.h"

#include <cstddef>
#include <vector>

// The events of one frame, for whoever listens after the world's update:
// those reported since the previous update ended (by the keys and buttons
// of this frame) and those of the update itself. Its memory is reused from
// frame to frame.
class EventLog {
public:
  EventLog() { events.reserve(64); }

  void report(GameEvent event) { events.push_back(event); }
  // The update begins: what was heard after the last one is dropped.
  void beginUpdate() {
    events.erase(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(heard));
  }
  void endUpdate() { heard = events.size(); }
  const std::vector<GameEvent>& get() const { return events; }

private:
  std::vector<GameEvent> events;
  std::size_t heard = 0;
};
