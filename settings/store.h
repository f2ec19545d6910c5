#pragma once
// The per-user key/value store: text values addressed by application, section and key.
// Backends: ini (a line-preserving INI file), registry (Win32) and an in-memory one for tests.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

  // A number that changes whenever a value may have changed, by this program or another, so
  // that a reader may keep what it made of the text until then. Nothing where the store cannot
  // tell: then every read goes to the store.
  virtual std::optional<std::uint64_t> revision() { return std::nullopt; }

  using Entries = std::vector<std::pair<std::string, std::string>>;
  // Stores several keys of one section together. A backend that can makes this one write, so
  // that the keys always come from the same moment (a window's four geometry keys).
  virtual void saveMany(const std::string& app, const std::string& section,
                        const Entries& entries) {
    for (const auto& [key, text] : entries) save(app, section, key, text);
  }
};

}  // namespace vesk::settings
