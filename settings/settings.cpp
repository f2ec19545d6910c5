#include "settings/settings.h"

#include "settings/convert.h"
#include "settings/quote.h"

namespace vesk::settings {

Settings::Settings(Store& store, char decimalSeparator, Reporter report)
    : store_(store), decimalSeparator_(decimalSeparator), report_(std::move(report)) {}

std::optional<std::string> Settings::stored(Key key) {
  return store_.get(std::string(kApplication), std::string(kSection), std::string(info(key).name));
}

void Settings::reportUnusable(Key key, const std::string& text, const char* why) {
  if (!reported_.insert({key, text}).second || !report_) return;
  report_("VESK-LIGHTS: setting " + std::string(info(key).name) + "=" + quoted(text) + " " + why +
          "; using " + std::to_string(info(key).fallback));
}

float Settings::single(Key key) {
  const auto text = stored(key);
  if (!text) return static_cast<float>(info(key).fallback);
  if (const auto value = toSingle(*text, decimalSeparator_)) return *value;
  reportUnusable(key, *text, "is not a number");
  return static_cast<float>(info(key).fallback);
}

std::optional<float> Settings::storedSingle(Key key) {
  const auto text = stored(key);
  if (!text) return std::nullopt;
  const auto value = toSingle(*text, decimalSeparator_);
  if (!value) reportUnusable(key, *text, "is not a number");
  return value;
}

double Settings::number(Key key) {
  const auto revision = store_.revision();
  Kept& kept = kept_[static_cast<std::size_t>(key)];
  if (revision && kept.valid && kept.revision == *revision) return kept.value;
  double value = info(key).fallback;
  if (const auto text = stored(key)) {
    if (const auto number = toDouble(*text, decimalSeparator_)) {
      value = *number;
    } else {
      reportUnusable(key, *text, "is not a number");
    }
  }
  if (revision) kept = {*revision, true, value};
  return value;
}

int Settings::checkValue(Key key) {
  const auto text = stored(key);
  if (!text) return info(key).fallback;
  const auto value = toInt16(*text, decimalSeparator_);
  if (value && *value >= 0 && *value <= 2) return *value;
  reportUnusable(key, *text, value ? "is not 0, 1 or 2" : "is not a number");
  return info(key).fallback;
}

void Settings::saveSingle(Key key, float value) {
  store_.save(std::string(kApplication), std::string(kSection), std::string(info(key).name),
              formatSingle(value));
}

void Settings::saveInt(Key key, int value) {
  store_.save(std::string(kApplication), std::string(kSection), std::string(info(key).name),
              formatInt(value));
}

void Settings::saveSingles(const std::vector<std::pair<Key, float>>& values) {
  Store::Entries entries;
  for (const auto& [key, value] : values) {
    entries.emplace_back(std::string(info(key).name), formatSingle(value));
  }
  store_.saveMany(std::string(kApplication), std::string(kSection), entries);
}

}  // namespace vesk::settings
