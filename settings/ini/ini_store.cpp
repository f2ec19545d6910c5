#include "settings/ini/ini_store.h"

#include "settings/ini/ini_file.h"
#include "settings/ini/ini_text.h"
#include "settings/quote.h"

namespace vesk::settings {

IniStore::IniStore(std::string path, Reporter report)
    : path_(std::move(path)), report_(std::move(report)), watch_(path_) {
  watch_.changed();
  const auto file = ini::readRegularFile(path_);
  text_ = file.text;
  const bool bad = file.state == ini::FileText::State::NotRegular ||
                   file.state == ini::FileText::State::Unreadable;
  if (bad && report_) {
    report_("VESK-LIGHTS: cannot read the settings file " + quoted(path_, 200) + " (" + file.why +
            "); using the defaults");
  }
}

IniStore::~IniStore() = default;

void IniStore::refresh() {
  if (!watch_.changed()) return;
  text_ = ini::readRegularFile(path_).text;
  found_.clear();
  ++revision_;
}

std::optional<std::uint64_t> IniStore::revision() {
  refresh();
  return revision_;
}

std::optional<std::string> IniStore::get(const std::string&, const std::string& section,
                                         const std::string& key) {
  if (const auto it = unsaved_.find({section, key}); it != unsaved_.end()) return it->second;
  refresh();
  // A large file is searched once per change, not at each of the ten reads a second.
  const auto [it, fresh] = found_.try_emplace({section, key});
  if (fresh) it->second = ini::findValue(text_, section, key);
  return it->second;
}

void IniStore::save(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& text) {
  saveMany(app, section, {{key, text}});
}

void IniStore::saveMany(const std::string&, const std::string& section, const Entries& entries) {
  std::string written;
  const std::string failure = ini::replaceFile(
      path_, [&](const std::string& old) { return ini::withValues(old, section, entries); },
      &written);
  ++revision_;
  if (failure.empty()) {
    text_ = std::move(written);
    found_.clear();
    for (const auto& [key, value] : entries) unsaved_.erase({section, key});
    return;
  }
  for (const auto& [key, value] : entries) unsaved_[{section, key}] = value;
  if (!reportedWrite_ && report_) {
    report_("VESK-LIGHTS: cannot save the settings file " + quoted(path_, 200) + " (" + failure +
            "); it is left as it was, and changes hold only until the program ends");
  }
  reportedWrite_ = true;
}

}  // namespace vesk::settings
