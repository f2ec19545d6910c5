#pragma once
// The settings store of the Windows build: one registry key per application and section under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings, one REG_SZ value per key. Settings
// kept there by earlier versions of the program carry over.
//
// The refresh reads its settings ten times a second. What was read is kept until the system
// tells of a change under the program settings' key, by this program or another
// (RegNotifyChangeKeyValue); until that key exists, under HKEY_CURRENT_USER\Software. Where the
// system cannot tell, every read goes to the registry.

#include <map>

#include "settings/store.h"

namespace vesk::settings {

class RegistryStore : public Store {
 public:
  RegistryStore() = default;
  ~RegistryStore() override;
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // Absent when the key or the value does not exist, or the value is not text.
  std::optional<std::string> get(const std::string& app, const std::string& section,
                                 const std::string& key) override;
  // Failures are ignored, as the program ignores the results of its system calls.
  void save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& text) override;
  std::optional<std::uint64_t> revision() override;

 private:
  std::optional<std::string> read(const std::string& app, const std::string& section,
                                  const std::string& key);
  bool watch();

  void* changed_ = nullptr;  // HANDLE: the event the system sets on a change
  void* watched_ = nullptr;  // HKEY
  bool broken_ = false;      // the system cannot tell of changes
  std::uint64_t revision_ = 0;
  std::map<std::string, std::optional<std::string>> kept_;  // by application, section and key
};

}  // namespace vesk::settings
