#pragma once
// The indicator window on the fakes, with its store read in a decimal-comma locale (which takes
// a point too), as the core's tests use it.

#include "forms/fake/fake_forms.h"
#include "indicator/indicator_window.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

namespace vesk::test {

struct Core {
  forms::fake::FakeToolkit toolkit;
  platform::fake::FakePlatform platform;
  settings::MemoryStore store;
  std::vector<std::string> reports;  // the unusable values reported
  settings::Settings settings{store, ',', [this](const std::string& s) { reports.push_back(s); }};
  indicator::IndicatorWindow main{toolkit, settings, platform};
  forms::fake::FakeWindow& w = *toolkit.find("VESK_LIGHTS_MAIN");

  void put(const char* key, const std::string& text) {
    store.save("TARNWICK-VESK-LIGHTS", "Settings", key, text);
  }
  std::optional<std::string> get(const char* key) {
    return store.get("TARNWICK-VESK-LIGHTS", "Settings", key);
  }
  void tick() { w.timer(1).elapse(); }
};

}  // namespace vesk::test
