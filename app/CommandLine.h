#pragma once

#include <span>
#include <string>

// What the game was asked to do on its command line. The arguments are read
// in order, one at a time, so that an option may take the argument after it
// as its value.
class CommandLine {
public:
  enum class Action { PLAY, HELP, VERSION, BAD_USAGE };

  // The arguments after the program's name.
  explicit CommandLine(std::span<const char* const> arguments);

  Action getAction() const { return action; }
  // What was wrong with the arguments, for BAD_USAGE.
  const std::string& getError() const { return error; }
  // The file of --record FILE, empty without that option.
  const std::string& getRecordFile() const { return recordFile; }

  // The options and a short form of the keys, for --help and for a bad
  // command line.
  static std::string usage();
  // "clamber" and the project's version.
  static std::string version();

private:
  Action action = Action::PLAY;
  std::string error;
  std::string recordFile;
};
