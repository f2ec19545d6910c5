#pragma once
// The per-user key/value store: text values addressed by application, section and key.
// Backends: ini (QSettings), registry (Win32) and an in-memory one for tests.

#include <optional>
#include <string>

namespace vesk::settings {

class Store {
 public:
  virtual ~Store() = default;
  // The stored text, or nothing when the key is absent. Reading never creates anything.
  virtual std::optional<std::string> get(const std::string& app, const std::string& section,
                                         const std::string& key) = 0;
  // Stores the text, creating application and section on first use.
  virtual void save(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& text) = 0;
};

}  // namespace vesk::settings
