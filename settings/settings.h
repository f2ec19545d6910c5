#pragma once
// Reading and writing the program's settings with the meaning the stored text carries:
// defaults for absent keys, the conversions, and the comparisons that make a flag on or shown.
// A stored value that does not convert counts as absent; it is reported once per key and
// value, and never rewritten here.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/keys.h"
#include "settings/store.h"

namespace vesk::settings {

using Reporter = std::function<void(const std::string&)>;

class Settings {
 public:
  Settings(Store& store, char decimalSeparator, Reporter report);

  // Geometry, as a single-precision number of twips.
  float single(Key key);
  // The same, but nothing where the key is absent or unusable (where single gives the default).
  std::optional<float> storedSingle(Key key);
  // A flag as the indicator reads it: a double-precision number.
  double number(Key key);
  // A flag as the settings dialog shows it: 0, 1 or 2. Other values give the default.
  int checkValue(Key key);

  // "VERT_LIGHTS_TICKBOX" and "ALWAYS_ON_TOP_TICKBOX": on only for exactly 1.
  bool isOn(Key key) { return number(key) == 1.0; }

  void saveSingle(Key key, float value);
  void saveInt(Key key, int value);
  // Several single-precision values in one store write.
  void saveSingles(const std::vector<std::pair<Key, float>>& values);

 private:
  std::optional<std::string> stored(Key key);
  void reportUnusable(Key key, const std::string& text, const char* why);

  Store& store_;
  char decimalSeparator_;
  Reporter report_;
  std::set<std::pair<Key, std::string>> reported_;
  // number()'s results, kept while the store's revision stays: the refresh asks ten times a
  // second for values that hardly ever change.
  struct Kept {
    std::uint64_t revision = 0;
    bool valid = false;
    double value = 0;
  };
  std::array<Kept, std::size(kKeys)> kept_{};
};

}  // namespace vesk::settings
