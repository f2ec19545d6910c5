#include "platform/win32/win32_meeting_point.h"

#include <windows.h>

namespace vesk::platform {
namespace {

constexpr LRESULT kAnswer = 0x5E5;  // "shown", so that no other window's reply passes for ours

UINT showMessage() {
  static const UINT message = RegisterWindowMessageW(L"net.tarnwick.VeskLights.show");
  return message;
}

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == showMessage() && msg != 0) {
    auto* point = reinterpret_cast<MeetingPoint*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (point && point->onShow) point->onShow();
    return kAnswer;
  }
  if (msg == WM_CLOSE) return 0;  // the system's default would end the meeting point
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The class is registered once, at the first window.
const wchar_t* windowClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = Win32MeetingPoint::kWindowClass;
    return RegisterClassExW(&wc);
  }();
  return atom ? Win32MeetingPoint::kWindowClass : nullptr;
}

}  // namespace

Win32MeetingPoint::Win32MeetingPoint(std::wstring name) : name_(std::move(name)) {}

Win32MeetingPoint::~Win32MeetingPoint() {
  stopListening();
  if (mutex_) CloseHandle(mutex_);
}

MeetingPoint::Claim Win32MeetingPoint::claim() {
  if (mutex_) return Claim::First;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str());
  const DWORD error = GetLastError();
  if (mutex && error != ERROR_ALREADY_EXISTS) {
    mutex_ = mutex;
    return Claim::First;
  }
  if (mutex) CloseHandle(mutex);
  if (error == ERROR_ALREADY_EXISTS) return Claim::Other;
  // Access denied: another user's copy runs in this session (started with "Run as").
  problem_ =
      "Another user's VESK-LIGHTS runs in this session, so starting it again opens "
      "another copy.";
  return Claim::Unavailable;
}

bool Win32MeetingPoint::askToShow() {
  HWND first = FindWindowExW(HWND_MESSAGE, nullptr, kWindowClass, name_.c_str());
  if (!first) return false;  // still starting, or gone
  DWORD process = 0;
  GetWindowThreadProcessId(first, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  // Not SMTO_ABORTIFHUNG: a copy that does not answer now would never get the request at all.
  // This way it waits in its queue, as on a socket, and shows the window once the copy answers.
  if (SendMessageTimeoutW(first, showMessage(), 0, 0, SMTO_NORMAL, kAnswerMilliseconds, &answer)) {
    return answer == kAnswer;
  }
  return IsWindow(first);  // busy, and it reads the request later; or gone
}

void Win32MeetingPoint::listen() {
  if (!mutex_ || window_) return;
  HWND window = CreateWindowExW(0, windowClass(), name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  window_ = window;
}

void Win32MeetingPoint::stopListening() {
  // A request sent to the window and not yet read fails with it.
  if (window_) DestroyWindow(static_cast<HWND>(window_));
  window_ = nullptr;
}

}  // namespace vesk::platform
