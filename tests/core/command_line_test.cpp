#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/version.h"

TEST(CommandLineTest, OptionsDecideWhatTheProgramDoes) {
  using enum vesk::app::Request;
  const std::string version = vesk::kVersion;
  // On Windows, the arguments, what they ask for, the first line of the text shown.
  const std::tuple<bool, std::vector<std::string>, vesk::app::Request, std::string> cases[] = {
      {false, {"-platform", "offscreen", "--display=:3", "-reverse"}, Run, ""},
      {false, {"--help"}, Help, "Usage: vesk-lights [OPTION]"},
      {false, {"-display", "--help"}, Run, ""},  // "--help" is the display's name here
      {false, {"-v"}, Version, "vesk-lights " + version},
      {false, {"--frob", "--help"}, Mistake, "vesk-lights: unknown option '--frob'"},
      {false, {"-reverse=1"}, Mistake, "vesk-lights: unknown option '-reverse=1'"},
      {false, {"-display"}, Mistake, "vesk-lights: option '-display' needs a value"},
      {false, {"notes.txt"}, Mistake, "vesk-lights: unexpected argument 'notes.txt'"},
      {true, {"/?"}, Help, "Usage: VESK-LIGHTS.exe [OPTION]"},
      {true, {"--version"}, Version, "VESK-LIGHTS.exe " + version},
      {true, {"-platform", "x"}, Mistake, "VESK-LIGHTS.exe: unknown option '-platform'"},
  };
  for (const auto& [windows, args, request, firstLine] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const auto line = vesk::app::readCommandLine(
        args, windows ? vesk::app::windowsCommandLine() : vesk::app::linuxCommandLine());
    EXPECT_EQ(line.request, request);
    EXPECT_EQ(line.text.substr(0, line.text.find('\n')), firstLine);
    EXPECT_EQ(line.exitCode, request == Mistake ? 2 : 0);
    EXPECT_EQ(line.platformGiven, !windows && !args.empty() && args[0] == "-platform");
    // The display named: ":3" in the first row, "--help" in the third.
    EXPECT_EQ(line.display, args.size() > 2 ? ":3" : request == Run ? "--help" : "");
    // A mistake shows the usage after it.
    EXPECT_EQ(line.text.find("\nUsage: ") != std::string::npos, request == Mistake);
  }
}
