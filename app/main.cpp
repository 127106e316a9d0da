#include "app/Application.h"
#include "app/ReplayRecorder.h"

#include <cstdio>
#include <memory>
#include <string_view>

int main(int argc, char** argv) {
  std::unique_ptr<ReplayRecorder> recorder;
  if (argc == 3 && std::string_view(argv[1]) == "--record") {
    recorder = ReplayRecorder::create(argv[2]);
    if (!recorder) {
      return 2;
    }
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: clamber [--record FILE]\n");
    return 2;
  }
  return SDL_main(recorder.get());
}
