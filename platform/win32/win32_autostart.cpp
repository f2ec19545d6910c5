#include "platform/win32/win32_autostart.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace vesk::platform {
namespace {

std::string describe(LSTATUS status) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text ? text : L"";
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L'.' || message.back() == L' ')) {
    message.pop_back();
  }
  if (message.empty()) message = L"error " + std::to_wstring(status);
  return win32::toUtf8(message);
}

}  // namespace

Win32Autostart::Win32Autostart()
    : Win32Autostart(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"VESK-LIGHTS",
                     runningExe()) {}

Win32Autostart::Win32Autostart(std::wstring key, std::wstring value, std::wstring program)
    : key_(std::move(key)), value_(std::move(value)), program_(std::move(program)) {}

bool Win32Autostart::enabled() const {
  return RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), value_.c_str(), RRF_RT_ANY, nullptr, nullptr,
                      nullptr) == ERROR_SUCCESS;
}

bool Win32Autostart::setEnabled(bool on) {
  LSTATUS status = ERROR_SUCCESS;
  if (on && program_.empty()) {
    problem_ = "Start at login could not be turned on: the program's own path is unknown.";
    return false;
  }
  if (on) {
    // Quoted, so that a path with spaces names one program.
    const std::wstring command = L"\"" + program_ + L"\"";
    status =
        RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), value_.c_str(), REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  } else {
    status = RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), value_.c_str());
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;  // already off
  }
  if (status == ERROR_SUCCESS) {
    problem_.clear();
    return true;
  }
  problem_ = std::string("Start at login could not be turned ") + (on ? "on" : "off") + ": " +
             describe(status) + ".";
  return false;
}

std::wstring runningExe() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);  // a long path was cut short
  }
}

}  // namespace vesk::platform
