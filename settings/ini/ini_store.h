#pragma once
// The store as an INI file. The application name is part of the file's path, so a key lives in
// the file's [section] group.
//
// Written here rather than through QSettings, which cannot keep a file safe: it rewrites the
// whole file on every save (dropping comments, decoding backslashes in other sections, joining a
// line that ends in a backslash with the next), renamed an empty temporary file over the
// settings on a full disk without a word, and a lock file left by a killed process blocked its
// next save for about 30 seconds. Here a save changes only the lines of the keys it stores, is
// one atomic and durable replacement under flock (see ini_file.h), and a read costs nothing
// while the file has not changed (see file_watch.h).

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "settings/ini/file_watch.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace vesk::settings {

class IniStore final : public Store {
 public:
  // Reads the file at once, and reports there if anything other than a readable regular file
  // (or nothing) is at the path.
  IniStore(std::string path, Reporter report);
  ~IniStore() override;

  // What another process or a hand edit writes shows at the next read.
  std::optional<std::string> get(const std::string& app, const std::string& section,
                                 const std::string& key) override;
  // A save that cannot reach the disk leaves the file as it was and is reported once; the value
  // holds for the rest of this run.
  void save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& text) override;
  void saveMany(const std::string& app, const std::string& section,
                const Entries& entries) override;
  // Costs no system call while the file is unchanged (see file_watch.h).
  std::optional<std::uint64_t> revision() override;

 private:
  void refresh();

  std::string path_;
  Reporter report_;
  ini::FileWatch watch_;
  std::string text_;
  std::map<std::pair<std::string, std::string>, std::optional<std::string>> found_;
  std::map<std::pair<std::string, std::string>, std::string> unsaved_;
  bool reportedWrite_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace vesk::settings
