#include "app/CommandLine.h"

#include <string_view>

namespace {

// The keys in the words of the README's tables, cut to one line each: a
// person reading this in a terminal wants to get playing.
constexpr std::string_view USAGE = R"(Usage: clamber [--help | --version | --record FILE]
A 2D platform game with its level editor built in: run, jump, climb and
wall-jump to the goal; one key turns the level into an editor and back.

Options:
  -h, --help     show this help and exit
  --version      show the version and exit
  --record FILE  play in fixed 16 ms frames and write what is pressed to FILE
                 as a replay

Play:
  a, d                run left, right
  space               jump; against a wall: wall-jump
  a / d to a wall     cling to it
  w, s                climb up, down a white wall
  left button         shoot toward the pointer
  l                   level menu
  e                   edit mode
  Ctrl+N              new level
  F1                  show or hide the keys
  F11                 fullscreen
  m                   sound off, on
  Ctrl+Q              quit

Gamepad (play and menus):
  left stick, d-pad   run, climb; in menus: move
  button A            jump; in menus: choose
  button B            shoot ahead (or where the right stick points); close
  Start               level menu

Edit:
  w, a, s, d          scroll the view
  left button         select and drag; on the green corner: resize
  Shift+left button   add to the selection
  right button        new platform at the pointer
  ` (backquote)       add-object menu
  arrow keys          nudge the selection by 10 pixels
  1, 2, 3             platform: climbable, wall-jumpable, plain
  x, c, v             cut, copy, paste at the pointer
  Backspace           delete the selection
  Ctrl+Z              undo
  Ctrl+Y              redo
  =, Ctrl+S           save the level
  Ctrl+Shift+S        save as
  e                   back to play, starting at the pointer
  m                   sound off, on

Menus:
  Up, Down            move
  Left, Right         first, last item
  Return              choose
  Escape              close without choosing
)";

} // namespace

CommandLine::CommandLine(std::span<const char* const> arguments) {
  // Of help and version the first one asked for is answered; any argument
  // the game does not know makes the whole line wrong.
  const auto ask = [this](Action asked) {
    if (action == Action::PLAY) {
      action = asked;
    }
  };
  // Not a range loop: an option with a value (a file, say) takes the
  // argument after it as well, with another *next++.
  for (auto next = arguments.begin(); next != arguments.end();) {
    const std::string_view argument = *next++;
    if (argument == "--help" || argument == "-h") {
      ask(Action::HELP);
    } else if (argument == "--version") {
      ask(Action::VERSION);
    } else if (argument == "--record" && next != arguments.end()) {
      recordFile = *next++;
    } else {
      action = Action::BAD_USAGE;
      error = argument.starts_with('-') ? "unknown option '" : "unexpected argument '";
      error.append(argument).append("'");
      return;
    }
  }
}

std::string CommandLine::usage() {
  return std::string(USAGE);
}

std::string CommandLine::version() {
  return "clamber " CLAMBER_VERSION "\n";
}
