// The INI store: what lands in the file, what other writers change, damaged files and files
// that cannot be written.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <vector>

#include "settings/ini/ini_path.h"
#include "settings/ini/ini_store.h"

namespace vesk::settings {
namespace {

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

class IniStoreTest : public ::testing::Test {
 protected:
  IniStore makeStore() {
    return IniStore(path.toStdString(),
                    [this](const std::string& line) { reports.push_back(line); });
  }
  std::optional<std::string> get(IniStore& store, const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  void save(IniStore& store, const char* key, const char* text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }

  QTemporaryDir dir;
  QString path = dir.filePath("TARNWICK-VESK-LIGHTS/settings.ini");
  std::vector<std::string> reports;
};

TEST_F(IniStoreTest, WhatIsSavedAndWhatOthersWriteShowsAtTheNextReadRaw) {
  auto store = makeStore();
  EXPECT_EQ(get(store, "MainLeft"), std::nullopt);
  save(store, "MainLeft", "-1500");
  save(store, "AboutMainLeft", "7,5");
  const QByteArray text = readFile(path);
  EXPECT_TRUE(text.startsWith("[Settings]\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nMainLeft=-1500\n")) << text.toStdString();

  auto nextRun = makeStore();
  EXPECT_EQ(get(nextRun, "MainLeft"), "-1500");
  EXPECT_EQ(get(nextRun, "AboutMainLeft"), "7,5");
  EXPECT_EQ(get(nextRun, "MainTop"), std::nullopt);
  EXPECT_TRUE(reports.empty());

  // Another writer's change shows at the next read.
  QSettings(path, QSettings::IniFormat).setValue("Settings/MainLeft", "1");
  EXPECT_EQ(get(store, "MainLeft"), "1");
  writeFile(path, "[Settings]\nMainLeft=2\nMainTop=-300\n");  // by hand
  EXPECT_EQ(get(store, "MainLeft"), "2");
  EXPECT_EQ(get(nextRun, "MainTop"), "-300");

  // Hand-written text is read raw, and damaged lines leave the rest.
  writeFile(path,
            "[Settings]\nMainLeft=1,5\nMainTop=\"2,25\"\nthis line has no equals sign\n"
            "\x01\xff\nMainWidth=\nMainHeight=  abc \n[damaged\n");
  save(store, "SHOW_OSK_BUTTON", "0");
  EXPECT_TRUE(reports.empty()) << "a damaged line was reported as a failed write";

  EXPECT_EQ(get(store, "MainLeft"), "1,5");  // QSettings alone would give a list
  EXPECT_EQ(get(store, "MainTop"), "2,25");
  EXPECT_EQ(get(store, "MainWidth"), "");  // there, but empty
  EXPECT_EQ(get(store, "MainHeight"), "abc");
  EXPECT_EQ(get(store, "SHOW_OSK_BUTTON"), "0");
}

TEST_F(IniStoreTest, FailedWritesAreReportedOnceAndKeepTheOldFileEvenForRoot) {
  // A tiny file-size limit stops the writing of new files, whoever runs the test.
  const QByteArray original = "[Settings]\nMainLeft=1200\nMainTop=1300\n";
  writeFile(path, original);
  auto store = makeStore();
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tight = old;
  tight.rlim_cur = 8;
  const auto previous = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  save(store, "MainHeight", "2000");
  save(store, "MainTop", "1000");
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, previous);

  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(readFile(path), original);
  EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files),
            QStringList{"settings.ini"});
  EXPECT_EQ(get(store, "MainHeight"), "2000") << "the value holds for the rest of the run";
}

TEST(IniPath, FollowsXdgConfigHomeOrFallsBackToDotConfig) {
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/somewhere/config");
  EXPECT_EQ(defaultIniPath(), "/somewhere/config/TARNWICK-VESK-LIGHTS/settings.ini");
  const std::string dotConfig =
      QDir::homePath().toStdString() + "/.config/TARNWICK-VESK-LIGHTS/settings.ini";
  qputenv("XDG_CONFIG_HOME", "");
  EXPECT_EQ(defaultIniPath(), dotConfig);
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(defaultIniPath(), dotConfig);
  saved.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace vesk::settings
