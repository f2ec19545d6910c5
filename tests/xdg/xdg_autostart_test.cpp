#include "platform/xdg/xdg_autostart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "contracts/autostart_contract.h"

namespace fs = std::filesystem;
using vesk::platform::XdgAutostart;

namespace {

// A config folder of its own, gone after the test.
struct Folder {
  fs::path root = fs::temp_directory_path() /
                  ("vesk-autostart-" + std::to_string(::getpid()) + "-" + std::to_string(next++));
  fs::path file = root / "autostart" / "app.desktop";
  Folder() { fs::remove_all(root); }
  ~Folder() { fs::remove_all(root); }
  static inline int next = 0;
};

struct XdgBackend {
  Folder folder;
  XdgAutostart entry{folder.file.string(), "/usr/bin/vesk-lights"};
  vesk::platform::Autostart& autostart() { return entry; }
  void removeByHand() { fs::remove(folder.file); }
};

}  // namespace

TEST(XdgAutostartTest, KeepsTheContract) {
  checkAutostartContract<XdgBackend>();
}

TEST(XdgAutostartTest, ExecNamesTheProgramQuotedAsDesktopEntriesRequire) {
  const std::pair<std::string, std::string> cases[] = {
      {"/usr/bin/vesk-lights", "/usr/bin/vesk-lights"},
      {"/opt/my apps/vesk-lights", "\"/opt/my apps/vesk-lights\""},
      {"/a/$HOME/`x`", "\"/a/\\\\$HOME/\\\\`x\\\\`\""},
      {"/a/back\\slash", "\"/a/back\\\\\\\\slash\""},
      {"/a/100%", "/a/100%%"},
      {"/a/new\nline", "\"/a/new\\nline\""},
  };
  for (const auto& [path, exec] : cases) EXPECT_EQ(vesk::platform::desktopExecArgument(path), exec);
}

TEST(XdgAutostartTest, AnEntryTheDesktopWasToldToSkipReadsAsOff) {
  const std::pair<std::string, bool> cases[] = {
      {"[Desktop Entry]\nExec=x\n", true},
      {"[Desktop Entry]\nHidden=true\n", false},
      {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
      {"[Desktop Entry]\nExec=x\n[Desktop Action a]\nHidden=true\n", true},
  };
  for (const auto& [text, on] : cases) {
    Folder folder;
    fs::create_directories(folder.file.parent_path());
    std::ofstream(folder.file) << text;
    EXPECT_EQ(XdgAutostart(folder.file.string(), "/p").enabled(), on) << text;
  }
}

TEST(XdgAutostartTest, AFailureSaysWhyAndChangesNothing) {
  Folder folder;
  fs::create_directories(folder.root);
  std::ofstream(folder.root / "autostart") << "a file where the folder belongs\n";
  XdgAutostart blocked(folder.file.string(), "/usr/bin/vesk-lights");
  EXPECT_FALSE(blocked.setEnabled(true));
  EXPECT_FALSE(blocked.enabled());
  EXPECT_NE(blocked.problem().find((folder.root / "autostart").string()), std::string::npos)
      << blocked.problem();
}
