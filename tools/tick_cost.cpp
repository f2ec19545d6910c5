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
  const int n = argc > 1 ? std::atoi(argv[1]) : 300;
  using Clock = std::chrono::steady_clock;
  std::vector<double> us, cpu;
  for (int i = 0; i < n; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    main.VESK_TIMER_Timer();
    app.processEvents();  // the repaint a tick may cause belongs to its cost
    cpu.push_back(1e6 * double(std::clock() - c0) / CLOCKS_PER_SEC);
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  std::sort(us.begin(), us.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("one tick: median %.1f us wall (90th percentile %.1f), %.1f us CPU (%d ticks)\n",
              us[n / 2], us[n * 9 / 10], cpu[n / 2], n);
  return 0;
}
