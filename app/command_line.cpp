#include "app/command_line.h"

#include <algorithm>

#include "app/version.h"

namespace vesk::app {
namespace {

bool listed(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string usage(const CommandLineFlavour& flavour) {
  const std::string help = flavour.slashHelp ? "/?, -h, --help" : "-h, --help";
  const std::string version = "-v, --version";
  const std::size_t column = std::max(help.size(), version.size()) + 2;
  std::string text = "Usage: " + flavour.program + " [OPTION]\n" +
                     "Shows the Num, Caps and Scroll Lock keys as green (on) and red (off) "
                     "lights.\n"
                     "Double-click a light to flip its key, the background for the settings;\n"
                     "right-click the background for the menu: settings, start at login, quit.\n"
                     "\n";
  text += "  " + help + std::string(column - help.size(), ' ') + "show this help and exit\n";
  text +=
      "  " + version + std::string(column - version.size(), ' ') + "show the version and exit\n";
  if (!flavour.toolkitValued.empty()) {
    text += "\nQt's own options, such as -platform and -display, are passed on to Qt.\n";
  }
  return text;
}

CommandLine mistake(const CommandLineFlavour& flavour, const std::string& line) {
  return {Request::Mistake, flavour.program + ": " + line + "\n" + usage(flavour), 2};
}

}  // namespace

CommandLineFlavour linuxCommandLine() {
  return {"vesk-lights",
          false,
          {"reverse", "widgetcount", "sync", "nograb", "dograb"},
          {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
           "qwindowicon", "qwindowtitle", "session", "display", "geometry", "name", "title",
           "style", "stylesheet", "qmljsdebugger", "fontengine", "dialogs"}};
}

CommandLineFlavour windowsCommandLine() {
  return {"VESK-LIGHTS.exe", true, {}, {}};
}

CommandLine readCommandLine(const std::vector<std::string>& args,
                            const CommandLineFlavour& flavour) {
  CommandLine run;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help" || (flavour.slashHelp && arg == "/?")) {
      return {Request::Help, usage(flavour), 0};
    }
    if (arg == "-v" || arg == "--version") {
      return {Request::Version, flavour.program + " " + kVersion + "\n", 0};
    }
    const bool option = arg.size() > 1 && (arg[0] == '-' || (flavour.slashHelp && arg[0] == '/'));
    if (!option) return mistake(flavour, "unexpected argument '" + arg + "'");
    // The toolkit takes its options with one dash or two.
    std::string name = arg.substr(arg.compare(0, 2, "--") == 0 ? 2 : 1);
    const auto equals = name.find('=');
    const bool hasValue = equals != std::string::npos;
    if (hasValue) name.resize(equals);
    if (arg[0] == '-' && listed(flavour.toolkitFlags, name) && !hasValue) continue;
    if (arg[0] == '-' && listed(flavour.toolkitValued, name)) {
      run.platformGiven = run.platformGiven || name == "platform";
      if (!hasValue && ++i >= args.size()) {
        return mistake(flavour, "option '" + arg + "' needs a value");
      }
      if (name == "display") run.display = hasValue ? arg.substr(arg.find('=') + 1) : args[i];
      continue;
    }
    return mistake(flavour, "unknown option '" + arg + "'");
  }
  return run;
}

}  // namespace vesk::app
