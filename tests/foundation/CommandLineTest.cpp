// Of help and version the first one asked for is answered; an argument the
// game does not know spoils the whole line, wherever it stands.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandLine, AnswersHelpOrVersionAndRefusesWhatItDoesNotKnow) {
  using A = CommandLine::Action;
  const struct {
    const char* name;
    std::vector<const char*> arguments;
    A action;
    std::string error;
  } rows[] = {{"none", {}, A::PLAY, ""},
              {"short help", {"-h"}, A::HELP, ""},
              {"version first", {"--version", "--help"}, A::VERSION, ""},
              {"unknown after help", {"--help", "--fast"}, A::BAD_USAGE, "unknown option '--fast'"},
              {"a level name", {"summit"}, A::BAD_USAGE, "unexpected argument 'summit'"},
              {"a recording", {"--record", "run.replay"}, A::PLAY, ""},
              {"a recording to no file", {"--record"}, A::BAD_USAGE, "unknown option '--record'"}};
  for (const auto& row : rows) {
    const CommandLine line(row.arguments);
    EXPECT_EQ(line.getAction(), row.action) << row.name;
    EXPECT_EQ(line.getError(), row.error) << row.name;
    EXPECT_EQ(line.getRecordFile(), row.name == std::string("a recording") ? "run.replay" : "")
        << row.name;
  }
}

} // namespace
