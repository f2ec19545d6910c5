#pragma once
#include <map>
#include <tuple>

#include "settings/store.h"

namespace vesk::settings {

// A store held in memory: for tests, and wherever nothing must persist.
class MemoryStore : public Store {
 public:
  std::optional<std::string> get(const std::string& app, const std::string& section,
                                 const std::string& key) override {
    auto it = values_.find({app, section, key});
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  void save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& text) override {
    values_[{app, section, key}] = text;
    ++writes_;
  }
  std::optional<std::uint64_t> revision() override { return writes_; }
  void saveMany(const std::string& app, const std::string& section,
                const Entries& entries) override {
    for (const auto& [key, text] : entries) values_[{app, section, key}] = text;
    ++writes_;  // one write, as the INI store makes it
  }
  int writes() const { return writes_; }
  bool empty() const { return values_.empty(); }
  bool holds(const std::string& app, const std::string& section) const {
    auto it = values_.lower_bound({app, section, ""});
    return it != values_.end() && std::get<0>(it->first) == app &&
           std::get<1>(it->first) == section;
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
  int writes_ = 0;
};

}  // namespace vesk::settings
