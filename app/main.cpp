#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/ReplayRecorder.h"

#include <cstddef>
#include <cstdio>
#include <memory>

// Help and version are answered before SDL starts, so that they work
// without a display.
int main(int argc, char** argv) {
  const CommandLine options({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  switch (options.getAction()) {
  case CommandLine::Action::HELP:
    std::fputs(CommandLine::usage().c_str(), stdout);
    return 0;
  case CommandLine::Action::VERSION:
    std::fputs(CommandLine::version().c_str(), stdout);
    return 0;
  case CommandLine::Action::BAD_USAGE:
    std::fprintf(stderr, "clamber: %s\n\n%s", options.getError().c_str(),
                 CommandLine::usage().c_str());
    return 2;
  case CommandLine::Action::PLAY:
    break;
  }
  std::unique_ptr<ReplayRecorder> recorder;
  if (!options.getRecordFile().empty()) {
    recorder = ReplayRecorder::create(options.getRecordFile());
    if (!recorder) {
      return 2;
    }
  }
  return SDL_main(recorder.get());
}
