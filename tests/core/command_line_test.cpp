#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/version.h"

using vesk::app::Request;

namespace {

struct Case {
  bool windows;
  std::vector<std::string> args;
  Request request;
  std::string firstLine;  // of the text shown; empty for a run
};

const Case kCases[] = {
    {false, {}, Request::Run, ""},
    {false, {"-platform", "offscreen", "--display=:3", "-reverse"}, Request::Run, ""},
    {false, {"--style", "fusion", "-qwindowtitle=a b"}, Request::Run, ""},
    {false, {"--help"}, Request::Help, "Usage: vesk-lights [OPTION]"},
    {false, {"-display", "--help"}, Request::Run, ""},  // "--help" is the display's name here
    {false, {"-h", "--frob"}, Request::Help, "Usage: vesk-lights [OPTION]"},
    {false, {"-v"}, Request::Version, std::string("vesk-lights ") + vesk::kVersion},
    {false, {"--frob", "--help"}, Request::Mistake, "vesk-lights: unknown option '--frob'"},
    {false, {"-reverse=1"}, Request::Mistake, "vesk-lights: unknown option '-reverse=1'"},
    {false, {"-display"}, Request::Mistake, "vesk-lights: option '-display' needs a value"},
    {false, {"notes.txt"}, Request::Mistake, "vesk-lights: unexpected argument 'notes.txt'"},
    {false, {"/?"}, Request::Mistake, "vesk-lights: unexpected argument '/?'"},
    {true, {"/?"}, Request::Help, "Usage: VESK-LIGHTS.exe [OPTION]"},
    {true, {"--version"}, Request::Version, std::string("VESK-LIGHTS.exe ") + vesk::kVersion},
    {true,
     {"-platform", "offscreen"},
     Request::Mistake,
     "VESK-LIGHTS.exe: unknown option '-platform'"},
    {true, {"/x"}, Request::Mistake, "VESK-LIGHTS.exe: unknown option '/x'"},
};

}  // namespace

TEST(CommandLineTest, OptionsDecideWhatTheProgramDoes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const auto flavour =
        c.windows ? vesk::app::windowsCommandLine() : vesk::app::linuxCommandLine();
    const auto line = vesk::app::readCommandLine(c.args, flavour);
    EXPECT_EQ(line.request, c.request);
    EXPECT_EQ(line.text.substr(0, line.text.find('\n')), c.firstLine);
    EXPECT_EQ(line.exitCode, c.request == Request::Mistake ? 2 : 0);
    if (c.request == Request::Mistake) {
      EXPECT_NE(line.text.find("\nUsage: "), std::string::npos) << "a mistake shows the usage";
    }
  }
}
