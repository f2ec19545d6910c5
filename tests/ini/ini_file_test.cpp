// The INI store's own promises, beyond every store's: the bytes it keeps, what it reads from
// files earlier versions wrote, saves that fail, odd things at its path, and two writers.

#include <gtest/gtest.h>
#include <signal.h>
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
#include <thread>

#include "settings/ini/file_watch.h"
#include "settings/ini/ini_path.h"
#include "settings/ini/ini_store.h"

using namespace vesk::settings;
namespace fs = std::filesystem;
constexpr const char* kApp = "TARNWICK-VESK-LIGHTS";

static std::string slurp(const fs::path& p) {
  std::ostringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

static void spit(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

class IniFileTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir); }
  IniStore store() {
    return IniStore(path, [this](const std::string& line) { reports.push_back(line); });
  }

  const fs::path dir = fs::temp_directory_path() / ("vesk-ini-" + std::to_string(::getpid()));
  const fs::path path = dir / kApp / "settings.ini";
  std::vector<std::string> reports;
};

// Every other byte stays, and what is saved reads back, whatever it holds.
TEST_F(IniFileTest, ASaveChangesOnlyTheLinesOfItsKeys) {
  const std::tuple<std::string, Store::Entries, std::string> cases[] = {
      // Comments, other sections, backslashes, a line ending in one, blank lines, and values we
      // cannot use, as the user wrote them.
      {"; mine\n[Other]\nPath=C:\\dir\\x\nTail=ends\\\nNext=1\n\n[Settings]\n# note\nMainLeft = 1\n"
       "MainWidth= 1 \nMainHeight=1,5\n\n\n[Later]\nA=b",
       {{"MainLeft", "2"}, {"MainTop", "-15"}},
       "; mine\n[Other]\nPath=C:\\dir\\x\nTail=ends\\\nNext=1\n\n[Settings]\n# note\nMainLeft = 2\n"
       "MainWidth= 1 \nMainHeight=1,5\nMainTop=-15\n\n\n[Later]\nA=b"},
      // A byte-order mark and CRLF line ends.
      {"\xEF\xBB\xBF[Settings]\r\nMainLeft=1\r\n",
       {{"MainTop", "5"}},
       "\xEF\xBB\xBF[Settings]\r\nMainLeft=1\r\nMainTop=5\r\n"},
      // A missing section goes at the end; a value is quoted and escaped only where a reader
      // would otherwise change it.
      {"[Other]\nA=1",
       {{"A", "a,b"}, {"B", " x "}, {"C", "q\"\\"}, {"D", "1\n2"}, {"E", "=;#"}, {"F", "7"}},
       "[Other]\nA=1\n\n[Settings]\nA=\"a,b\"\nB=\" x \"\nC=q\\\"\\\\\nD=\"1\\x0a2\"\nE=\"=;#\"\n"
       "F=7\n"},
  };
  for (const auto& [before, saved, after] : cases) {
    spit(path, before);
    store().saveMany(kApp, "Settings", saved);
    EXPECT_EQ(slurp(path), after) << before;
    for (const auto& [key, value] : saved) EXPECT_EQ(store().get(kApp, "Settings", key), value);
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(IniFileTest, ReadsWhatEarlierVersionsAndHandsWrote) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"MainLeft=\"2,25\"", "2,25"},   {"MainLeft=1, 5", "1,5"},
      {"MainLeft=  abc ", "abc"},      {"MainLeft=\"a\\\\b\\\"\"", "a\\b\""},
      {"MainLeftX=1", std::nullopt},   {"MainTop=9\\\nMainLeft=3", "3"},
      {"MainLeft=1\nMainLeft=2", "2"}, {"; MainLeft=1", std::nullopt}};
  for (const auto& [line, value] : cases) {
    spit(path, "[Other]\nMainLeft=0\n[Settings]\n" + line + "\n");
    EXPECT_EQ(store().get(kApp, "Settings", "MainLeft"), value) << line;
  }
}

// The file keeps every byte, nothing is left beside it, one line says so, the value holds.
TEST_F(IniFileTest, AFailedSaveKeepsTheOldFileAndSaysSoOnce) {
  const std::string old = "[Settings]\nMainLeft=1200\n; " + std::string(1800, 'x') + "\n";
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit tight{8, saved.rlim_max};
  ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing the test
  for (const std::string what : {"a read-only file", "a file-size limit", "a full disk"}) {
    if (what == "a read-only file" && ::geteuid() == 0) continue;  // root writes it anyway
    reports.clear();
    spit(path, old);
    const fs::path folder = path.parent_path();
    // A 64 KB tmpfs on the settings folder, filled to its last block, the lock file's too.
    if (what == "a full disk" &&
        (::geteuid() != 0 || ::mount("vesk", folder.c_str(), "tmpfs", 0, "size=64k") != 0)) {
      GTEST_SKIP() << what << " needs root, to mount a small tmpfs";
    }
    if (what == "a full disk") {
      spit(path, old);
      for (std::ofstream fill(folder / "filler"); fill << old << std::flush;) continue;
    }
    if (what == "a read-only file") fs::permissions(path, fs::perms::owner_read);
    if (what == "a file-size limit") ::setrlimit(RLIMIT_FSIZE, &tight);
    auto s = store();
    s.save(kApp, "Settings", "MainLeft", "1500");
    s.save(kApp, "Settings", "MainTop", "1600");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(slurp(path), old) << what;
    for (const auto& e : fs::directory_iterator(folder)) {
      const bool ours = e.path() == path || e.path().filename() == "filler";
      EXPECT_TRUE(ours || e.path().extension() == ".lock") << e.path() << " left";
    }
    EXPECT_EQ(reports.size(), 1u) << what;
    EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "1500") << what << ": the value holds";
    ::umount2(folder.c_str(), MNT_DETACH);  // a no-op unless mounted above
    fs::remove_all(folder);
  }
}

// A FIFO or a folder at the path reads as absent, never blocks, and is reported once at start;
// an unreadable file is reported at start too.
TEST_F(IniFileTest, OnlyARegularFileIsRead) {
  for (const std::string what : {"fifo", "folder", "unreadable"}) {
    if (what == "unreadable" && ::geteuid() == 0) continue;  // root reads it anyway
    reports.clear();
    fs::remove_all(path);
    fs::create_directories(what == "folder" ? path : path.parent_path());
    if (what == "fifo") ::mkfifo(path.c_str(), 0600);
    if (what == "unreadable") spit(path, "[Settings]\nMainLeft=1\n");
    if (what == "unreadable") fs::permissions(path, fs::perms::none);
    auto s = store();
    EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), std::nullopt) << what;
    s.get(kApp, "Settings", "MainTop");
    ASSERT_EQ(reports.size(), 1u) << what;
    EXPECT_NE(reports[0].find("cannot read"), std::string::npos) << reports[0];
  }
}

// A hand edit in place or a removal shows at the next read (another store's save, by rename, is
// the store contract's); a lock left behind by a killed copy does not delay a save.
TEST_F(IniFileTest, HandEditsShowAndAKilledCopyCostsNothing) {
  spit(path, "[Settings]\nMainLeft=1\n");
  auto s = store();
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "1");
  std::ofstream(path, std::ios::app) << "MainLeft=2\n";
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), "2") << "appended in place";
  fs::remove(path);
  EXPECT_EQ(s.get(kApp, "Settings", "MainLeft"), std::nullopt) << "removed";

  // What a copy killed in the middle of a save leaves, beside a file of the user's own.
  spit(path.string() + ".lock", "12345\nvesk-lights\nhost\n");
  spit(path.string() + ".saving-k1Ll3d", "[Settings]\nMain");
  spit(path.string() + ".backup", "mine");
  const auto start = std::chrono::steady_clock::now();
  s.save(kApp, "Settings", "MainLeft", "4");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(store().get(kApp, "Settings", "MainLeft"), "4");
  EXPECT_FALSE(fs::exists(path.string() + ".saving-k1Ll3d")) << "the killed copy's file stayed";
  EXPECT_EQ(slurp(path.string() + ".backup"), "mine");
}

// A look at a file whose folder appears later: once it is there, looks while nothing changes
// say so, and cost no read of the file.
TEST_F(IniFileTest, AWatchOnAFolderMadeLaterGoesQuietAgain) {
  ini::FileWatch watch((dir / "later" / "settings.ini").string());
  EXPECT_TRUE(watch.changed()) << "the first look";
  spit(dir / "later" / "settings.ini", "[Settings]\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(watch.changed()) << "the file appeared";
  int changes = 0;
  for (int look = 0; look < 10; ++look) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    changes += watch.changed();
  }
  EXPECT_EQ(changes, 0);
}

// Two processes saving at once: no save of either is lost.
TEST_F(IniFileTest, TwoWritersLoseNoSave) {
  spit(path, "[Settings]\n");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  for (int i = 0; i < 100; ++i)
    store().save(kApp, "Settings", "Round" + std::to_string(child == 0 ? i : 1000 + i), "1");
  if (child == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  auto s = store();
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
}

// No other case here reads the environment.
TEST(IniPath, FollowsXdgConfigHomeOrFallsBackToDotConfig) {
  ::setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(defaultIniPath(), "/somewhere/config/TARNWICK-VESK-LIGHTS/settings.ini");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(defaultIniPath(), "/home/someone/.config/TARNWICK-VESK-LIGHTS/settings.ini");
}
