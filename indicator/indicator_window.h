#pragma once
// VESK_LIGHTS_MAIN: the start-up window with its six lights, its on-screen-keyboard button and
// its two timers. The handlers are named after their element and event.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "forms/forms.h"
#include "indicator/refresh.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace vesk::indicator {

class IndicatorWindow {
 public:
  IndicatorWindow(forms::Toolkit& toolkit, settings::Settings& settings,
                  platform::Platform& platform);
  ~IndicatorWindow();

  // Creates the window, runs Form_Load, then shows it.
  void start();

  void Form_Load();
  void Form_Unload();
  void Form_DblClick();
  void VESK_TIMER_Timer();
  void AlwaysOnTopTimer_Timer();
  void OSK_BUTTON_Click();
  void NUM_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Num); }
  void VERT_NUM_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Num); }
  void CAPS_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Caps); }
  void VERT_CAP_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Caps); }
  void SCROLL_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Scroll); }
  void VERT_SCR_LIGHT_LABEL_DblClick() { flip(platform::LockKey::Scroll); }

  // The keeper's on/off switch, as the settings dialog flips it. Switching it off also takes
  // the window's keep-above status away, so it stops floating over everything.
  void setAlwaysOnTop(bool on, bool lowerWhenOff);

  forms::Window& window() { return *window_; }
  forms::Timer& alwaysOnTopTimer() { return *alwaysOnTopTimer_; }
  forms::Timer& refreshTimer() { return *veskTimer_; }
  // Where a double-click on the background goes; the settings dialog installs itself here.
  std::function<void()> openSettings;
  // Windows of ours besides this one (the settings dialog while it is open).
  std::function<forms::NativeHandle()> otherOwnWindow;
  // Each tick's light colours (Num, Caps, Scroll), once they are shown.
  std::function<void(const std::array<forms::Colour, 3>&)> onLights;
  // The program has pressed this key for the user's double-click, as the press went out (for a
  // press through the desktop's portal, after the desktop agreed).
  std::function<void(platform::LockKey)> onFlip;
  // Asked at start: whether the window starts hidden (the notification area shows it).
  std::function<bool()> startHidden;

 private:
  void flip(platform::LockKey key);
  void say(int keyIndex, forms::Colour colour, const std::string& why);
  // The stored place and size, or the defaults, on the desktop as it is now.
  void place();

  forms::Toolkit& toolkit_;
  settings::Settings& settings_;
  platform::Platform& platform_;
  std::unique_ptr<forms::Window> window_;
  std::array<forms::Label*, 3> rowLights_{};
  std::array<forms::Label*, 3> uprightLights_{};
  forms::Button* oskButton_ = nullptr;
  forms::Timer* alwaysOnTopTimer_ = nullptr;
  forms::Timer* veskTimer_ = nullptr;
  struct Said {
    forms::Colour colour = forms::kWhite;
    std::string why;
  };
  std::array<Said, 3> said_;            // what each key's lights last said, in colour and words
  bool storePlace_ = true;              // false where the window system places the window
  std::optional<TickOutcome> applied_;  // what the lights show, as the last tick set it
};

}  // namespace vesk::indicator
