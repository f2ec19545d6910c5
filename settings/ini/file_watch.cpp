#include "settings/ini/file_watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

#include "platform/sigio/sigio.h"

namespace vesk::settings::ini {
namespace {

constexpr std::uint32_t kFolderEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM |
                                        IN_CREATE | IN_DELETE | IN_ATTRIB | IN_DELETE_SELF |
                                        IN_MOVE_SELF;

}  // namespace

FileWatch::FileWatch(std::string path) : path_(std::move(path)) {
  const auto slash = path_.rfind('/');
  dir_ = slash == std::string::npos ? "." : slash == 0 ? "/" : path_.substr(0, slash);
  name_ = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return;
  if (!platform::sigio::signalWhenReadable(fd_)) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  watch();
}

FileWatch::~FileWatch() {
  if (fd_ >= 0) ::close(fd_);
}

// The folder, or while it is missing the nearest folder above it that exists.
void FileWatch::watch() {
  if (wd_ >= 0) ::inotify_rm_watch(fd_, wd_);
  wd_ = ::inotify_add_watch(fd_, dir_.c_str(), kFolderEvents);
  onAncestor_ = false;
  for (std::string up = dir_; wd_ < 0 && (errno == ENOENT || errno == ENOTDIR);) {
    const auto slash = up.rfind('/');
    if (slash == std::string::npos || up == "/") break;
    up = slash == 0 ? "/" : up.substr(0, slash);
    wd_ = ::inotify_add_watch(fd_, up.c_str(),
                              IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    onAncestor_ = wd_ >= 0;
  }
  if (wd_ < 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

// Reads every queued event; true when one may concern the file.
bool FileWatch::drain() {
  bool relevant = false, rewatch = false;
  alignas(inotify_event) char buf[8192];
  for (;;) {
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      if (e->mask & IN_Q_OVERFLOW) {
        rewatch = relevant = true;
      } else if (e->wd != wd_) {
        // A replaced watch's last word (IN_IGNORED after our own rewatch) tells nothing new;
        // answering it would rewatch at every look.
      } else if (e->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF) || onAncestor_) {
        rewatch = relevant = true;
      } else if (e->len > 0 && name_ == e->name) {
        relevant = true;
      }
    }
  }
  if (rewatch) watch();
  return relevant;
}

bool FileWatch::statChanged() {
  struct stat st {};
  const bool exists = ::stat(path_.c_str(), &st) == 0;
  const auto now = exists ? std::make_tuple(true, static_cast<unsigned long long>(st.st_ino),
                                            static_cast<long long>(st.st_size),
                                            static_cast<long long>(st.st_mtim.tv_sec),
                                            static_cast<long long>(st.st_mtim.tv_nsec))
                          : decltype(stat_){};
  if (now == stat_) return false;
  stat_ = now;
  return true;
}

bool FileWatch::changed() {
  if (fd_ < 0) return statChanged() || std::exchange(first_, false);
  const unsigned now = platform::sigio::count();
  if (now == seen_ && !first_) return false;
  seen_ = now;
  const bool relevant = drain();
  return relevant || std::exchange(first_, false);
}

}  // namespace vesk::settings::ini
