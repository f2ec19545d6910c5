#pragma once
// The store as an INI file. The application name is part of the file's path, so a key lives
// in the file's [section] group. Every read asks the file again (a hand edit or another
// process's write shows at the next read); every write reaches the disk before save returns.

#include <memory>
#include <string>
#include <tuple>

#include "settings/settings.h"
#include "settings/store.h"

class QSettings;

namespace vesk::settings {

class IniStore final : public Store {
 public:
  IniStore(std::string path, Reporter report);
  ~IniStore() override;

  std::optional<std::string> get(const std::string& app, const std::string& section,
                                 const std::string& key) override;
  // A write that cannot reach the disk is reported once; the file on disk stays as it was,
  // and the value holds for the rest of this run.
  void save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& text) override;

 private:
  // Re-reads the file only when its identity, size or change time differ from the last look:
  // one stat per read instead of the several QSettings::sync makes.
  void refresh();

  std::string path_;
  std::tuple<bool, unsigned long long, long long, long long, long long> seen_{};
  Reporter report_;
  std::unique_ptr<QSettings> file_;
  bool reported_ = false;
};

}  // namespace vesk::settings
