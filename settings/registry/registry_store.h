#pragma once
// The settings store of the Windows build: one registry key per application and section under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings, one REG_SZ value per key. Settings
// kept there by earlier versions of the program carry over.

#include "settings/store.h"

namespace vesk::settings {

class RegistryStore : public Store {
 public:
  // Absent when the key or the value does not exist, or the value is not text.
  std::optional<std::string> get(const std::string& app, const std::string& section,
                                 const std::string& key) override;
  // Failures are ignored, as the program ignores the results of its system calls.
  void save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& text) override;
};

}  // namespace vesk::settings
