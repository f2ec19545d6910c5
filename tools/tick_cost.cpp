// The cost of one refresh tick with the real pieces: the lock state, the INI store (five reads,
// each with its freshness check) and the Qt lights. Run on an X display.
// Usage: tick-cost [ticks] [x11|leds]   leds: as in a Wayland session, the keyboards' LEDs
// (under VESK_LEDS_DIR when set) instead of XKB.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "forms/qt/qt_toolkit.h"
#include "indicator/indicator_window.h"
#include "platform/linux/linux_platform.h"
#include "settings/ini/ini_store.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  vesk::settings::IniStore store(dir.filePath("settings.ini").toStdString(), nullptr);
  vesk::settings::Settings settings(store, '.', nullptr);
  store.save("TARNWICK-VESK-LIGHTS", "Settings", "SHOW_NUM_TICKBOX", "1");
  const bool leds = argc > 2 && std::string(argv[2]) == "leds";
  auto platform = vesk::platform::createLinuxPlatform(leds ? vesk::platform::Session::WaylandWithX
                                                           : vesk::platform::Session::X11);
  if (!platform) return 1;
  vesk::forms::qt::QtToolkit toolkit(app);
  vesk::indicator::IndicatorWindow main(toolkit, settings, *platform);
  main.start();
  app.processEvents();

  // Ticks 30 ms apart, as in the running program no state cached for a tick is still fresh.
  // Each is timed alone, then with the event-loop pass that follows it, where the repaint it may
  // cause happens; an idle window pays for the pass itself too (tools/measure-idle.sh).
  const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  std::vector<double> tick, withPass, wall;
  const auto cpuMicroseconds = [] {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return 1e6 * double(t.tv_sec) + double(t.tv_nsec) / 1e3;
  };
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < n; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto t0 = Clock::now();
    const double c0 = cpuMicroseconds();
    main.VESK_TIMER_Timer();
    const double c1 = cpuMicroseconds();
    app.processEvents();
    withPass.push_back(cpuMicroseconds() - c0);
    wall.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    tick.push_back(c1 - c0);
  }
  const auto median = [n](std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v[n / 2];
  };
  std::printf(
      "one tick: median %.1f us CPU; with the event-loop pass after it %.1f us CPU, %.1f us "
      "wall (%d ticks)\n",
      median(tick), median(withPass), median(wall), n);
  return 0;
}
