#include "platform/leds/led_source.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

namespace vesk::platform::leds {
namespace {

// The kernel's LED function names, in the order of LockKey.
constexpr std::array<std::string_view, 3> kSuffixes{"::numlock", "::capslock", "::scrolllock"};
constexpr std::array<const char*, 3> kKeyNames{"Num Lock", "Caps Lock", "Scroll Lock"};

std::size_t slot(LockKey key) {
  return static_cast<std::size_t>(key);
}

// Whose lock an entry shows, or -1.
int lockOf(std::string_view entry) {
  for (std::size_t i = 0; i < kSuffixes.size(); ++i)
    if (entry.size() > kSuffixes[i].size() && entry.ends_with(kSuffixes[i]))
      return static_cast<int>(i);
  return -1;
}

// The brightness as text: "0\n" is dark, any other number lit; nothing when it cannot be read.
std::optional<bool> lit(int fd) {
  char text[16];
  const ssize_t n = pread(fd, text, sizeof text, 0);
  if (n <= 0 || text[0] < '0' || text[0] > '9') return std::nullopt;
  return std::any_of(text, text + n, [](char c) { return c >= '1' && c <= '9'; });
}

}  // namespace

LedSource::LedSource(std::string dir, Clock::duration rescanEvery)
    : dir_(std::move(dir)), rescanEvery_(rescanEvery) {}

LedSource::~LedSource() {
  for (auto& list : leds_)
    for (const Led& led : list) close(led.fd);
}

void LedSource::rescanWhenDue() {
  const auto now = Clock::now();
  if (scanned_ && now - lastScan_ < rescanEvery_) return;
  scanned_ = true;
  lastScan_ = now;
  rescan();
}

void LedSource::rescan() {
  std::set<std::string> present;
  if (DIR* dir = opendir(dir_.c_str())) {
    while (const dirent* entry = readdir(dir))
      if (lockOf(entry->d_name) >= 0) present.insert(entry->d_name);
    closedir(dir);
  }
  for (std::size_t i = 0; i < leds_.size(); ++i) {
    auto& list = leds_[i];
    // A keyboard taken away: its entry has gone (sysfs also fails the read, a plain directory
    // would keep answering through the open file).
    std::erase_if(list, [&](const Led& led) {
      if (present.count(led.entry)) return false;
      close(led.fd);
      return true;
    });
    for (const std::string& entry : present) {
      if (lockOf(entry) != static_cast<int>(i)) continue;
      if (std::any_of(list.begin(), list.end(), [&](const Led& l) { return l.entry == entry; }))
        continue;
      const std::string file = dir_ + "/" + entry + "/brightness";
      const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd >= 0) list.push_back({entry, fd});
    }
  }
}

std::uint16_t LedSource::keyState(LockKey key) {
  rescanWhenDue();
  auto& list = leds_[slot(key)];
  bool on = false;
  bool read = false;
  // One lit LED says it all: the others are not read (each read is a system call).
  for (auto led = list.begin(); led != list.end() && !on;) {
    const auto state = lit(led->fd);
    if (!state) {
      close(led->fd);  // unplugged: the kernel fails the read; a new entry comes with a rescan
      led = list.erase(led);
      continue;
    }
    on = *state;
    read = true;
    ++led;
  }
  read_[slot(key)] = read;
  return on ? 0x0001 : 0;
}

std::optional<std::string> LedSource::whyUnknown(LockKey key) {
  if (read_[slot(key)]) return std::nullopt;
  if (!told_) {
    told_ = true;
    std::fprintf(stderr,
                 "vesk-lights: no readable keyboard LED for %s under %s; its light shows grey\n",
                 kKeyNames[slot(key)], dir_.c_str());
  }
  return std::string("This session does not let programs read ") + kKeyNames[slot(key)] +
         ", and no keyboard LED shows it.";
}

}  // namespace vesk::platform::leds
