#include "settings/ini/ini_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vesk::settings::ini {
namespace {

// Closes on every path out.
struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

std::string because(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

std::string dirOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Like mkdir -p; an existing directory is fine.
bool makeDirs(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = dirOf(dir);
  if (parent != dir && !makeDirs(parent)) return false;
  return ::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
}

bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A symbolic link at the path is replaced through to its target, so the link stays.
std::string resolved(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string target(real);
  std::free(real);
  return target;
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Removes what a copy killed in the middle of a save left: its temporary file. Called under the
// lock, while no live copy has one; other files beside the settings are never touched.
void removeLeftovers(const std::string& dir, const std::string& prefix) {
  DIR* folder = ::opendir(dir.c_str());
  if (!folder) return;
  while (const dirent* e = ::readdir(folder)) {
    const std::string name = e->d_name;
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
      ::unlinkat(::dirfd(folder), e->d_name, 0);
    }
  }
  ::closedir(folder);
}

}  // namespace

FileText readRegularFile(const std::string& path) {
  FileText out;
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return out;
    out.state = FileText::State::Unreadable;
    out.why = std::strerror(errno);
    return out;
  }
  struct stat st {};
  if (::fstat(fd.fd, &st) != 0) {
    out.state = FileText::State::Unreadable;
    out.why = std::strerror(errno);
    return out;
  }
  if (!S_ISREG(st.st_mode)) {
    out.state = FileText::State::NotRegular;
    out.why = S_ISDIR(st.st_mode) ? "it is a directory" : "it is not a regular file";
    return out;
  }
  out.text.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      out.state = FileText::State::Unreadable;
      out.why = std::strerror(errno);
      out.text.clear();
      return out;
    }
    if (n == 0) break;
    out.text.append(buf, static_cast<std::size_t>(n));
  }
  out.state = FileText::State::Read;
  return out;
}

std::string replaceFile(const std::string& givenPath,
                        const std::function<std::string(const std::string&)>& edit,
                        std::string* written) {
  const std::string path = resolved(givenPath);
  const std::string dir = dirOf(path);
  if (!makeDirs(dir)) return because("cannot create its folder");

  // Held until return; a dead holder's lock goes with its process, so it never goes stale.
  Fd lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (lock.fd < 0) return because("cannot create its lock file");
  while (::flock(lock.fd, LOCK_EX) != 0) {
    if (errno != EINTR) return because("cannot lock it");
  }

  const std::string temporary = path + ".saving-";
  removeLeftovers(dir, temporary.substr(path.rfind('/') + 1));

  const FileText old = readRegularFile(path);
  if (old.state == FileText::State::NotRegular || old.state == FileText::State::Unreadable) {
    return "cannot read it: " + old.why;
  }
  // A file the user made read-only is left alone, although the folder would allow a rename.
  if (old.state == FileText::State::Read && ::access(path.c_str(), W_OK) != 0) {
    return because("cannot write it");
  }
  const std::string text = edit(old.text);
  if (written) *written = text;
  if (old.state == FileText::State::Read && text == old.text) return "";

  mode_t mode = newFileMode();
  struct stat st {};
  if (old.state == FileText::State::Read && ::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  }
  std::string temp = temporary + "XXXXXX";
  Fd out(::mkostemp(temp.data(), O_CLOEXEC));
  if (out.fd < 0) return because("cannot create a temporary file");
  std::string failure;
  if (::fchmod(out.fd, mode) != 0) failure = because("cannot set its permissions");
  if (failure.empty() && !writeAll(out.fd, text)) failure = because("cannot write");
  if (failure.empty() && ::fsync(out.fd) != 0) failure = because("cannot flush");
  const int fd = out.fd;
  out.fd = -1;
  if (::close(fd) != 0 && failure.empty()) failure = because("cannot write");
  if (failure.empty() && ::rename(temp.c_str(), path.c_str()) != 0) {
    failure = because("cannot replace it");
  }
  if (!failure.empty()) {
    ::unlink(temp.c_str());
    return failure;
  }
  // The rename itself reaches the disk with the folder's entry.
  Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.fd >= 0) ::fsync(folder.fd);
  return "";
}

}  // namespace vesk::settings::ini
