// The INI store's own promises, beyond every store's: the bytes it keeps, what it reads from
// files earlier versions wrote, saves that fail, odd things at its path, and two writers.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/ini/ini_path.h"
#include "settings/ini/ini_store.h"

namespace vesk::settings {
namespace {

namespace fs = std::filesystem;
constexpr const char* kApp = "TARNWICK-VESK-LIGHTS";

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (fs::temp_directory_path() / "vesk-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    dir = name;
    path = dir / "TARNWICK-VESK-LIGHTS" / "settings.ini";
  }
  void TearDown() override {
    if (mounted) ::umount2(dir.c_str(), MNT_DETACH);
    fs::remove_all(dir);
  }
  IniStore store() {
    return IniStore(path, [this](const std::string& line) { reports.push_back(line); });
  }
  // The folder's entries, besides the settings and their lock file.
  std::vector<std::string> strays() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(path.parent_path())) {
      const auto n = e.path().filename().string();
      if (n != "settings.ini" && n != "settings.ini.lock") out.push_back(n);
    }
    return out;
  }

  fs::path dir, path;
  std::vector<std::string> reports;
  bool mounted = false;
};

TEST_F(IniFileTest, ASaveChangesOnlyTheLinesOfItsKeys) {
  struct Case {
    const char* what;
    std::string before;
    Store::Entries saved;
    std::string after;
  } cases[] = {
      {"comments, other sections, backslashes and blank lines stay",
       "; mine\n[Other]\nPath=C:\\dir\\x\nTail=ends\\\nNext=1\n\n[Settings]\n# note\nMainLeft = 1\n"
       "\n\n[Later]\nA=b",
       {{"MainLeft", "2"}, {"MainTop", "-15"}},
       "; mine\n[Other]\nPath=C:\\dir\\x\nTail=ends\\\nNext=1\n\n[Settings]\n# note\nMainLeft = 2\n"
       "MainTop=-15\n\n\n[Later]\nA=b"},
      {"a byte-order mark and CRLF line ends stay",
       "\xEF\xBB\xBF[Settings]\r\nMainLeft=1\r\n",
       {{"MainTop", "5"}},
       "\xEF\xBB\xBF[Settings]\r\nMainLeft=1\r\nMainTop=5\r\n"},
      {"values we cannot use stay as the user wrote them",
       "[Settings]\nMainLeft= 1 \nMainTop=1,5\nSHOW_OSK_BUTTON=yes\n",
       {{"MainWidth", "10"}},
       "[Settings]\nMainLeft= 1 \nMainTop=1,5\nSHOW_OSK_BUTTON=yes\nMainWidth=10\n"},
      {"a missing section goes at the end",
       "[Other]\nA=1",
       {{"MainLeft", "7,5"}},
       "[Other]\nA=1\n\n[Settings]\nMainLeft=\"7,5\"\n"},
      {"a first save", "", {{"MainLeft", "1"}}, "[Settings]\nMainLeft=1\n"},
  };
  for (const auto& c : cases) {
    spit(path, c.before);
    auto s = store();
    s.saveMany(kApp, "Settings", c.saved);
    EXPECT_EQ(slurp(path), c.after) << c.what;
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(IniFileTest, ReadsWhatEarlierVersionsAndHandsWrote) {
  struct Case {
    std::string line;
    std::optional<std::string> value;
  } cases[] = {
      {"MainLeft=\"2,25\"", "2,25"},
      {"MainLeft=1,5", "1,5"},
      {"MainLeft=1, 5", "1,5"},
      {"MainLeft=  abc ", "abc"},
      {"MainLeft=", ""},
      {"MainLeft=\"a\\\\b\\\"\"", "a\\b\""},
      {"MainLeftX=1", std::nullopt},
      {"MainTop=9\\\nMainLeft=3", "3"},
      {"MainLeft=1\nMainLeft=2", "2"},
      {"; MainLeft=1", std::nullopt},
  };
  for (const auto& c : cases) {
    spit(path, "[Other]\nMainLeft=0\n[Settings]\n" + c.line + "\n");
    auto s = store();
    EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), c.value) << c.line;
  }
  // What is saved reads back, whatever it holds.
  auto s = store();
  for (const std::string value : {"a,b", " x ", "q\"\\", "1\n2", "=;#"}) {
    s.save(kApp, "Settings", "MainLeft", value);
    EXPECT_EQ(store().get(kApp, "Settings", "MainLeft"), value);
  }
}

// The file keeps every byte, nothing is left beside it, one line says so, the value holds.
TEST_F(IniFileTest, AFailedSaveKeepsTheOldFileAndSaysSoOnce) {
  const std::string old = "[Settings]\nMainLeft=1200\n; " + std::string(1800, 'x') + "\n";
  for (const std::string what :
       {"a read-only file", "a file-size limit", "a full disk", "a read-only disk"}) {
    if (what == "a read-only file" && ::geteuid() == 0) continue;  // root writes it anyway
    reports.clear();
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedSignal = ::signal(SIGXFSZ, SIG_IGN);
    if (what == "a read-only file") {
      spit(path, old);
      fs::permissions(path, fs::perms::owner_read);
    } else if (what == "a file-size limit") {
      spit(path, old);
      rlimit tight = saved;
      tight.rlim_cur = 8;
      ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    } else {
      // Needs root: a 64 KB tmpfs, filled to its last block or made read-only.
      if (::geteuid() != 0 || ::mount("vesk", dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << what << " needs root, to mount a small tmpfs";
      }
      mounted = true;
      spit(path, old);
      if (what == "a full disk") {
        std::ofstream fill(dir / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (fill.write(block.data(), block.size())) fill.flush();
      } else {
        ASSERT_EQ(::mount("vesk", dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
      }
    }
    auto s = store();
    s.save(kApp, "Settings", "MainLeft", "1500");
    s.save(kApp, "Settings", "MainTop", "1600");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, savedSignal);
    EXPECT_EQ(slurp(path), old) << what;
    EXPECT_EQ(strays(), std::vector<std::string>{}) << what;
    EXPECT_EQ(reports.size(), 1u) << what;
    EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "1500") << what << ": the value holds";
    if (mounted) ::umount2(dir.c_str(), MNT_DETACH);
    mounted = false;
    fs::remove_all(path.parent_path());
  }
}

// A FIFO, a device or a folder at the path reads as absent, never blocks, and is reported once
// at start; an unreadable file is reported at start too.
TEST_F(IniFileTest, OnlyARegularFileIsRead) {
  fs::create_directories(path.parent_path());
  for (const std::string what : {"fifo", "folder", "unreadable"}) {
    reports.clear();
    fs::remove_all(path);
    if (what == "fifo") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    if (what == "folder") fs::create_directory(path);
    if (what == "unreadable") {
      spit(path, "[Settings]\nMainLeft=1\n");
      if (::geteuid() == 0) continue;  // root reads it anyway
      fs::permissions(path, fs::perms::none);
    }
    auto s = store();
    EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), std::nullopt) << what;
    s.get(kApp, "Settings", "MainTop");
    ASSERT_EQ(reports.size(), 1u) << what;
    EXPECT_NE(reports[0].find("cannot read"), std::string::npos) << reports[0];
  }
}

// Another writer, by hand or by rename, shows at the next read, also when the folder appears
// only after the start; and a lock left behind by a killed copy does not delay a save.
TEST_F(IniFileTest, HandEditsShowAndAStaleLockCostsNothing) {
  auto s = store();  // no folder yet
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), std::nullopt);
  spit(path, "[Settings]\nMainLeft=1\n");
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "1") << "created with its folder";
  std::ofstream(path, std::ios::app) << "MainTop=2\n";
  EXPECT_EQ(s.get(kApp, "Settings", "MainTop"), "2") << "appended in place";
  spit(path.string() + ".new", "[Settings]\nMainLeft=3\n");
  fs::rename(path.string() + ".new", path);
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "3") << "renamed over";
  fs::remove(path);
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), std::nullopt) << "removed";

  spit(path.string() + ".lock", "12345\nvesk-lights\nhost\n");  // as a killed copy leaves it
  const auto start = std::chrono::steady_clock::now();
  s.save(kApp, "Settings", "MainLeft", "4");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(store().get(kApp, "Settings", "MainLeft"), "4");
}

// Two processes saving at once: no save of either is lost, and a window's four geometry
// keys always come from one save.
TEST_F(IniFileTest, TwoWritersNeverInterleave) {
  spit(path, "[Settings]\n");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  const bool inChild = child == 0;
  {
    auto s = store();
    for (int i = 0; i < 100; ++i) {
      const std::string v = std::to_string(inChild ? i : 1000 + i);
      const std::string prefix = inChild ? "About" : "";
      s.saveMany(kApp, "Settings",
                 {{prefix + "MainLeft", v},
                  {prefix + "MainTop", v},
                  {prefix + "MainWidth", v},
                  {prefix + "MainHeight", v},
                  {"Round" + v, "1"}});
    }
  }
  if (inChild) ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  auto s = store();
  for (const std::string prefix : {"", "About"}) {
    const auto left = s.get(kApp, "Settings", prefix + "MainLeft");
    EXPECT_EQ(left, prefix.empty() ? "1099" : "99") << prefix << " lost";
    for (const char* k : {"MainTop", "MainWidth", "MainHeight"}) {
      EXPECT_EQ(s.get(kApp, "Settings", prefix + k), left) << prefix << k << " torn";
    }
  }
  for (int i = 0; i < 100; ++i) {
    for (const int v : {i, 1000 + i}) {
      EXPECT_EQ(s.get(kApp, "Settings", "Round" + std::to_string(v)), "1") << v << " lost";
    }
  }
  EXPECT_TRUE(reports.empty());
}

// Messages stay one short line, whatever the value holds.
TEST_F(IniFileTest, AnUnusableValueIsReportedOnOneShortLine) {
  spit(path, "[Settings]\nMainLeft=\"\\x01\\x1b[2J" + std::string(100000, '9') + "x\"\n");
  auto s = store();
  Settings settings(s, '.', [this](const std::string& line) { reports.push_back(line); });
  EXPECT_EQ(settings.single(Key::MainLeft), 1000.0f);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_LT(reports[0].size(), 160u) << reports[0];
  EXPECT_NE(reports[0].find("\"\\x01\\x1B[2J999"), std::string::npos) << reports[0];
  for (const char c : reports[0]) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << reports[0];
}

TEST(IniPath, FollowsXdgConfigHomeOrFallsBackToDotConfig) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = saved ? saved : "";
  ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(defaultIniPath(), "/somewhere/config/TARNWICK-VESK-LIGHTS/settings.ini");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(defaultIniPath(),
            std::string(std::getenv("HOME")) + "/.config/TARNWICK-VESK-LIGHTS/settings.ini");
  saved ? ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vesk::settings
