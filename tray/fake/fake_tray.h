#pragma once
// Recording fakes of the notification-area seam: what the icon shows and every notice, in order.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tray/tray.h"

namespace vesk::tray::fake {

class FakeTrayIcon : public TrayIcon {
 public:
  bool available() const override { return hostPresent; }
  void show(const TrayPicture& p) override {
    picture = p;
    ++draws;
  }
  void hide() override { picture.reset(); }

  bool hostPresent = true;
  std::optional<TrayPicture> picture;  // none while hidden
  int draws = 0;
};

class FakeNotice : public Notice {
 public:
  struct Shown {
    std::string text;
    forms::Colour back;
    int milliseconds;
    bool operator==(const Shown&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Shown& s) {
      return os << s.text << " on " << std::hex << s.back << std::dec << " for " << s.milliseconds;
    }
  };
  void show(const std::string& text, forms::Colour back, int milliseconds) override {
    shown.push_back({text, back, milliseconds});
  }
  std::vector<Shown> shown;  // the last one is what a replacing notice shows now
};

}  // namespace vesk::tray::fake
