// The Windows program: raw Win32 windows, the Win32 platform and the registry store, wired to
// the portable indicator window and settings dialog.

#include <windows.h>

#include <commctrl.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/one_copy.h"
#include "forms/win32/win32_toolkit.h"
#include "indicator/context_menu.h"
#include "indicator/indicator_window.h"
#include "indicator/notification_area.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_autostart.h"
#include "platform/win32/win32_meeting_point.h"
#include "platform/win32/win32_platform.h"
#include "settings/registry/registry_store.h"
#include "settings/settings.h"
#include "settings_dialog/settings_dialog.h"
#include "tray/win32/win32_notice.h"
#include "tray/win32/win32_tray_icon.h"

namespace {

// Stored numbers are read with the user's decimal separator, as they were written.
char userDecimalSeparator() {
  wchar_t text[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 0 && text[0] > 0 &&
      text[0] < 0x80) {
    return static_cast<char>(text[0]);
  }
  return '.';
}

// A GUI program has no stderr: reports go to the debugger's output.
void report(const std::string& line) {
  OutputDebugStringW(vesk::win32::toWide(line + "\n").c_str());
}

// The arguments after the exe's name, as UTF-8.
std::vector<std::string> arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i) args.push_back(vesk::win32::toUtf8(wide[i]));
  if (wide) LocalFree(wide);
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The manifest asks for version 6 of the common controls; load them before any window.
  INITCOMMONCONTROLSEX controls{static_cast<DWORD>(sizeof controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // A GUI exe has no console: the help, the version or the mistake shows in a message box.
  const auto command = vesk::app::readCommandLine(arguments(), vesk::app::windowsCommandLine());
  if (command.request != vesk::app::Request::Run) {
    MessageBoxW(nullptr, vesk::win32::toWide(command.text).c_str(), L"VESK-LIGHTS",
                command.exitCode == 0 ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONWARNING);
    return command.exitCode;
  }
  // One copy per logon session: a later start shows the first copy's window, and ends.
  vesk::platform::Win32MeetingPoint meeting;
  const auto start = vesk::app::claimOrShowFirst(meeting);
  if (!start.run) return 0;

  vesk::forms::win32::Win32Toolkit toolkit;
  vesk::settings::RegistryStore store;
  vesk::settings::Settings settings(store, userDecimalSeparator(), report);
  vesk::platform::Win32Platform platform;

  vesk::indicator::IndicatorWindow main(toolkit, settings, platform);
  vesk::settings_dialog::SettingsDialog dialog(toolkit, settings, main);
  vesk::platform::Win32Autostart autostart;
  vesk::indicator::ContextMenu menu(main, autostart, report);
  vesk::tray::win32::Win32TrayIcon trayIcon;
  vesk::tray::win32::Win32Notice notice;
  vesk::indicator::NotificationArea area(main, settings, trayIcon, notice);
  area.useMenu(menu);
  meeting.onShow = [&area] { area.iconClicked(); };  // as a click on the icon
  main.start();
  meeting.listen();
  if (!start.note.empty()) {
    report(start.note);
    main.window().showNote(start.note);
  }
  const int status = toolkit.run();
  meeting.stopListening();  // the window and the tray are about to go
  return status;
}
