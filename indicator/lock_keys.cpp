#include "indicator/lock_keys.h"

namespace vesk::indicator {

using platform::LockKey;
using settings::Key;

const std::array<LockKeyInfo, 3> kLockKeys = {{
    {LockKey::Num, 0x90, "NUM_LIGHT_LABEL", "NUM", "VERT_NUM_LIGHT_LABEL", "N U M", Key::ShowNum,
     "{NUMLOCK}"},
    {LockKey::Caps, 0x14, "CAPS_LIGHT_LABEL", "CAPS", "VERT_CAP_LIGHT_LABEL", "C A P",
     Key::ShowCaps, "{CAPSLOCK}"},
    {LockKey::Scroll, 0x91, "SCROLL_LIGHT_LABEL", "SCROLL", "VERT_SCR_LIGHT_LABEL", "S C R",
     Key::ShowScroll, "{SCROLLLOCK}"},
}};

const LockKeyInfo& lockKey(LockKey key) {
  return kLockKeys[static_cast<int>(key)];
}

}  // namespace vesk::indicator
