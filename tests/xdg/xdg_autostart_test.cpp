#include "platform/xdg/xdg_autostart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "contracts/autostart_contract.h"

namespace fs = std::filesystem;

namespace {

// An entry in a config folder of its own, gone after the test.
struct XdgBackend {
  fs::path root = fs::temp_directory_path() / ("vesk-autostart-" + std::to_string(::getpid()));
  fs::path file = root / "autostart" / "app.desktop";
  vesk::platform::XdgAutostart entry{file.string(), "/usr/bin/vesk-lights"};
  XdgBackend() { fs::remove_all(root); }
  ~XdgBackend() { fs::remove_all(root); }
  void removeByHand() { fs::remove(file); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Xdg, AutostartContract, XdgBackend);

}  // namespace

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

TEST(XdgAutostartTest, AnEntryTheDesktopSkipsReadsAsOffAndAFailureSaysWhyAndChangesNothing) {
  XdgBackend b;
  fs::create_directories(b.file.parent_path());
  for (const auto& [text, on] :
       {std::pair{"[Desktop Entry]\nHidden=true\n", false},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nExec=x\n[Desktop Action a]\nHidden=true\n", true}}) {
    std::ofstream(b.file) << text;
    EXPECT_EQ(b.entry.enabled(), on) << text;
  }
  fs::remove_all(b.root / "autostart");
  std::ofstream(b.root / "autostart") << "a file where the folder belongs\n";
  EXPECT_FALSE(b.entry.setEnabled(true));
  EXPECT_FALSE(b.entry.enabled());
  EXPECT_NE(b.entry.problem().find((b.root / "autostart").string()), std::string::npos);
}
