#include "forms/win32/win32_toolkit.h"

#include <windows.h>

#include <objbase.h>

#include "forms/win32/dpi.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/pop_up_menu.h"
#include "forms/win32/win32_window.h"

namespace vesk::forms::win32 {
namespace {

struct Screens {
  std::vector<Rect> rects;
  UINT dpi;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto& screens = *reinterpret_cast<Screens*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& w = info.rcWork;
  const Rect r{toTwips(w.left, screens.dpi), toTwips(w.top, screens.dpi),
               toTwips(w.right - w.left, screens.dpi), toTwips(w.bottom - w.top, screens.dpi)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    screens.rects.insert(screens.rects.begin(), r);
  } else {
    screens.rects.push_back(r);
  }
  return TRUE;
}

}  // namespace

// COM carries what the controls tell a screen reader (LresultFromObject) to other processes.
Win32Toolkit::Win32Toolkit() : com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Win32Toolkit::~Win32Toolkit() {
  if (menuOwner_) DestroyWindow(menuOwner_);
  if (com_) CoUninitialize();
}

std::unique_ptr<Window> Win32Toolkit::createWindow(const WindowSpec& spec) {
  ++*liveWindows_;
  std::weak_ptr<int> live = liveWindows_;
  return std::make_unique<Win32Window>(spec, [live] {
    // The last window gone wakes the loop: a close sent by another process (an installer) is
    // handled inside GetMessageW, which would wait on for a message that never comes.
    auto count = live.lock();
    if (count && --*count == 0) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
  });
}

Desktop Win32Toolkit::desktop() const {
  Screens screens{{}, systemDpi()};
  EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&screens));
  Desktop d;
  d.screens = std::move(screens.rects);
  const int caption = GetSystemMetrics(SM_CYSMCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME) +
                      GetSystemMetrics(SM_CXPADDEDBORDER);
  d.captionHeight = toTwips(caption, screens.dpi);
  d.minWidth = toTwips(GetSystemMetrics(SM_CXMINTRACK), screens.dpi);
  d.minHeight = toTwips(GetSystemMetrics(SM_CYMINTRACK), screens.dpi);
  return d;
}

int Win32Toolkit::run() {
  int quitCode = 0;
  while (*liveWindows_ > 0) {
    if (!pumpMessage(quitCode)) return quitCode;
  }
  return 0;
}

void Win32Toolkit::popUpMenu(const std::vector<MenuItem>& items) {
  showPopUpMenu(menuOwner(), items);
}

HWND Win32Toolkit::menuOwner() {
  // A plain hidden STATIC window: TrackPopupMenuEx needs an owner, and with TPM_RETURNCMD
  // it sends that owner nothing to handle.
  if (!menuOwner_) {
    menuOwner_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return menuOwner_;
}

}  // namespace vesk::forms::win32
