#pragma once
// The three lock keys and what belongs to each: its key code, its two lights, its show setting
// and the name of the key press that flips it.

#include <array>
#include <string_view>

#include "platform/platform.h"
#include "settings/keys.h"

namespace vesk::indicator {

struct LockKeyInfo {
  platform::LockKey key;
  int virtualKey;             // the Windows key code
  std::string_view rowLight;  // element name of the light in the row
  std::string_view rowCaption;
  std::string_view uprightLight;    // element name of the light in the upright strip
  std::string_view uprightCaption;  // one letter per line in the narrow label
  settings::Key showSetting;
  std::string_view keyName;  // the key sent to flip it
};

extern const std::array<LockKeyInfo, 3> kLockKeys;

const LockKeyInfo& lockKey(platform::LockKey key);

}  // namespace vesk::indicator
