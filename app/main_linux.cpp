// The Linux program: Qt6 Widgets windows, the X11 platform, the settings in an INI file.

#include <QApplication>
#include <QLocale>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/linux_session.h"
#include "app/one_copy.h"
#include "app/session_end.h"
#include "app/version.h"
#include "forms/qt/qt_toolkit.h"
#include "indicator/context_menu.h"
#include "indicator/indicator_window.h"
#include "indicator/notification_area.h"
#include "platform/session_socket/socket_meeting_point.h"
#include "platform/xdg/xdg_autostart.h"
#include "settings/ini/ini_path.h"
#include "settings/ini/ini_store.h"
#include "settings/settings.h"
#include "settings_dialog/settings_dialog.h"
#include "tray/qt/qt_notice.h"
#include "tray/qt/qt_tray_icon.h"

namespace {

bool set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Without any display Qt aborts with a long message; say instead how to run without one.
bool haveDisplay() {
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

char decimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : '.';
}

void report(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const auto command =
      vesk::app::readCommandLine({argv + 1, argv + argc}, vesk::app::linuxCommandLine());
  if (command.request != vesk::app::Request::Run) {
    std::fputs(command.text.c_str(), command.exitCode == 0 ? stdout : stderr);
    return command.exitCode;
  }
  if (!haveDisplay() && !command.platformGiven) {
    std::fprintf(stderr,
                 "vesk-lights: no display; run it on a virtual one with 'xvfb-run -a "
                 "vesk-lights' or without windows on screen with QT_QPA_PLATFORM=offscreen\n");
    return 1;
  }
  // One copy per desktop session: a later start shows the first copy's window, and ends.
  vesk::platform::SocketMeetingPoint meeting(vesk::platform::sessionMeetingPlace(command.display));
  const auto start = vesk::app::claimOrShowFirst(meeting);
  if (!start.run) return 0;
  const auto session = vesk::app::chooseSession();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vesk-lights"));
  // Names the installed desktop file, and so the Wayland app id and the window's icon.
  QApplication::setDesktopFileName(QString::fromLatin1(vesk::kAppId));

  // A settings file that cannot be read or saved is said in the window too, once it is up: the
  // choices the user makes then hold only until the program ends.
  std::function<void(const std::string&)> inWindow;
  std::string untold;
  vesk::settings::IniStore store(vesk::settings::defaultIniPath(), [&](const std::string& line) {
    report(line);
    std::string sentence = line.substr(line.find(": ") + 2) + ".";  // without the program's name
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    if (inWindow) {
      inWindow(sentence);
    } else {
      untold = sentence;
    }
  });
  vesk::settings::Settings settings(store, decimalSeparator(), report);

  const auto platform = vesk::app::createSessionPlatform(session, store);

  vesk::forms::qt::QtToolkit toolkit(app);
  vesk::indicator::IndicatorWindow main(toolkit, settings, *platform);
  vesk::settings_dialog::SettingsDialog dialog(toolkit, settings, main);
  vesk::platform::XdgAutostart autostart(vesk::platform::defaultAutostartFile(),
                                         vesk::platform::runningProgram());
  vesk::indicator::ContextMenu menu(main, autostart, report);
  vesk::app::watchLockChanges(*platform, [&main] { main.VESK_TIMER_Timer(); });
  vesk::tray::qt::QtTrayIcon trayIcon;
  vesk::tray::qt::QtNotice notice;
  vesk::indicator::NotificationArea area(main, settings, trayIcon, notice);
  area.useMenu(menu);
  meeting.onShow = [&area] { area.iconClicked(); };  // as a click on the icon
  main.start();
  meeting.listen();
  inWindow = [&main](const std::string& sentence) { main.window().showNote(sentence); };
  // One note at a time shows: both sentences in it, where the settings file and the meeting
  // point both have something to say.
  if (!start.note.empty()) report(start.note);
  const std::string both = untold + (untold.empty() || start.note.empty() ? "" : " ") + start.note;
  if (!both.empty()) inWindow(both);
  vesk::app::closeWindowsAtSessionEnd(app);
  const int status = toolkit.run();
  meeting.stopListening();  // the window and the tray are about to go
  return status;
}
