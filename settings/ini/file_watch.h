#pragma once
// Tells whether a file may have changed since the last look, for a reader that asks ten times a
// second. inotify on the file's folder reports changes; its descriptor raises SIGIO when an event
// arrives (platform/sigio), so a look while nothing happened is one atomic load and no system
// call. Where that cannot be set up (no inotify, another SIGIO handler), each look compares the
// file's stat.

#include <string>
#include <tuple>

namespace vesk::settings::ini {

class FileWatch {
 public:
  explicit FileWatch(std::string path);
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // True when the file may differ from the last time this returned true (and the first time).
  bool changed();

 private:
  void watch();
  bool drain();
  bool statChanged();

  std::string path_, dir_, name_;
  int fd_ = -1;
  int wd_ = -1;
  bool onAncestor_ = false;  // the folder does not exist yet: its nearest ancestor is watched
  bool first_ = true;
  unsigned seen_ = 0;
  std::tuple<bool, unsigned long long, long long, long long, long long> stat_{};
};

}  // namespace vesk::settings::ini
