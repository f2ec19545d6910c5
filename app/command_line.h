#pragma once
// The program's own options, read before any window or toolkit starts, so that --help and
// --version work without a display. The toolkit's own options pass through untouched.

#include <string>
#include <vector>

namespace vesk::app {

struct CommandLineFlavour {
  std::string program;                     // as the usage names it
  bool slashHelp = false;                  // "/?" asks for help, as on Windows
  std::vector<std::string> toolkitFlags;   // the toolkit's options without a value
  std::vector<std::string> toolkitValued;  // ... with one: "-display :1" or "-display=:1"
};

// Qt's options (one or two leading dashes) are left for Qt.
CommandLineFlavour linuxCommandLine();
CommandLineFlavour windowsCommandLine();

enum class Request { Run, Help, Version, Mistake };

struct CommandLine {
  Request request = Request::Run;
  std::string text;            // what to show: the usage, the version, or the mistake and the usage
  int exitCode = 0;            // 0, or 2 for a mistake
  bool platformGiven = false;  // the toolkit's platform was named ("-platform offscreen")
  std::string display{};       // the toolkit's display, where named ("-display :1")
};

// The arguments after the program's name. The first option that decides wins.
CommandLine readCommandLine(const std::vector<std::string>& args,
                            const CommandLineFlavour& flavour);

}  // namespace vesk::app
