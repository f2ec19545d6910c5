#pragma once
// The settings file on disk: read only when it is a regular file, and replaced whole, atomically
// and durably, under a lock that the kernel drops when its holder dies.

#include <functional>
#include <string>

namespace vesk::settings::ini {

struct FileText {
  enum class State { Absent, Read, NotRegular, Unreadable } state = State::Absent;
  std::string text;  // the bytes when Read
  std::string why;   // the reason when NotRegular or Unreadable
};

// Never blocks: a FIFO, a device or a directory at the path is NotRegular, unread.
FileText readRegularFile(const std::string& path);

// Under an exclusive flock on "<path>.lock", reads the file afresh, gives its text (empty when
// absent) to `edit`, and puts the result in place: a temporary file in the same directory,
// every write checked, fsync, rename over the file. A symbolic link at the path is followed, so
// its target is replaced. Returns "" on success (or when nothing changed), otherwise the reason;
// then the old file is untouched and no temporary file is left.
std::string replaceFile(const std::string& path,
                        const std::function<std::string(const std::string&)>& edit,
                        std::string* written = nullptr);

}  // namespace vesk::settings::ini
