// The Windows build's backends for the contract suites, under Wine on the test display: the
// registry, the Win32 windows with real mouse and keyboard input, and the Win32 platform.

#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "backends.h"
#include "forms/win32/win32_elements.h"
#include "forms/win32/win32_toolkit.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_meeting_point.h"
#include "platform/win32/win32_platform.h"
#include "settings/registry/registry_store.h"

namespace vesk::test {
namespace {

// Dispatches messages for up to `ms` milliseconds, or until `done` gives true; says whether it
// did. Tab, Enter and Space go to the dialog manager, as in the toolkit's own loop.
bool pump(int ms, const std::function<bool()>& done = {}) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && IsDialogMessageW(root, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done && done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

struct Registry : StoreBackend {
  settings::RegistryStore first, second;
  const std::wstring root = L"Software\\VB and VBA Program Settings\\";
  Registry() { clear(); }
  ~Registry() override { clear(); }
  void clear() {
    for (const auto* app : {L"VESK-CONTRACT", L"VESK-CONTRACT-2"}) {
      RegDeleteTreeW(HKEY_CURRENT_USER, (root + app).c_str());
    }
  }
  settings::Store& store() override { return first; }
  settings::Store& other() override { return second; }
  bool holds(const std::string& app, const std::string& section) override {
    HKEY key = nullptr;
    const auto path = root + ::vesk::win32::toWide(app) + L"\\" + ::vesk::win32::toWide(section);
    const bool found = !RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    if (found) RegCloseKey(key);
    return found;
  }
};

HWND hwndOf(forms::Window& w) {
  return reinterpret_cast<HWND>(w.handle());
}
template <class Element>
HWND hwndOf(Element& element) {
  return dynamic_cast<forms::win32::Control&>(element).hwnd();
}

// Every painted pixel of a control, row by row, after any pending repaint.
std::vector<COLORREF> drawn(HWND hwnd, int& width) {
  UpdateWindow(hwnd);
  RECT r{};
  GetClientRect(hwnd, &r);
  width = r.right;
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(hwnd);
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  ReleaseDC(hwnd, dc);
  return pixels;
}

struct Win32Forms : FormsBackend {
  forms::win32::Win32Toolkit win32;
  forms::Toolkit& toolkit() override { return win32; }
  void show(forms::Window& w) override {
    w.show();
    SetForegroundWindow(hwndOf(w));
    pump(300);  // Wine's idea of the window's place lags the window manager's
  }
  bool waitFor(const std::function<bool()>& done, int ms) override { return pump(ms, done); }
  void doubleClick(forms::Window& w, double x, double y) override {
    POINT at{static_cast<LONG>(x / 15), static_cast<LONG>(y / 15)};
    ClientToScreen(hwndOf(w), &at);
    SetCursorPos(at.x, at.y);
    for (DWORD button :
         {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      mouse_event(button, 0, 0, 0, 0);  // real input, as from the mouse
      pump(15);
    }
  }
  void click(forms::CheckBox& box) override { SendMessageW(hwndOf(box), BM_CLICK, 0, 0); }
  bool type(forms::Window& w, const std::string& keys) override {
    SetForegroundWindow(hwndOf(w));
    for (char k : keys) {
      const WORD key = k == '\t' ? VK_TAB : k == '\r' ? VK_RETURN : VK_SPACE;
      keybd_event(key, 0, 0, 0);  // real input, as from the keyboard
      keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
      pump(100);
    }
    return true;
  }
  std::string focused(forms::Window&) override {
    wchar_t text[64] = {};
    GetWindowTextW(GetFocus(), text, 64);
    return std::string(text, text + wcslen(text));
  }
  int shownCheck(forms::CheckBox& box) override {
    const auto state = SendMessageW(hwndOf(box), BM_GETCHECK, 0, 0);
    return state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
  }
  forms::Colour drawnBack(forms::Window&, forms::Label& label) override {
    int width = 0;
    const auto pixels = drawn(hwndOf(label), width);
    return pixels[pixels.size() - 2 * width + 2];  // bottom left, clear of the caption
  }
  int pixelsOf(forms::Window&, forms::Label& label, forms::Colour colour) override {
    int width = 0;
    const auto pixels = drawn(hwndOf(label), width);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
  }
  void userMove(forms::Window& w, const forms::Rect& p) override {
    SetWindowPos(hwndOf(w), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER);
  }
  void userClose(forms::Window& w) override { PostMessageW(hwndOf(w), WM_SYSCOMMAND, SC_CLOSE, 0); }
  bool isShown(forms::Window& w) override {
    return IsWindow(hwndOf(w)) && IsWindowVisible(hwndOf(w));
  }
  // Each tool of the tooltip windows that the window owns, with the tool's id and text.
  void eachTool(forms::Window& w, const std::function<void(HWND, UINT_PTR, std::string)>& see) {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
      if (GetWindow(tip, GW_OWNER) != hwndOf(w)) continue;
      for (int i = 0; i < SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0); ++i) {
        wchar_t text[256] = {};
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.lpszText = text;
        if (SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info))) {
          see(tip, info.uId, std::string(text, text + wcslen(text)));
        }
      }
    }
  }
  std::string toolTip(forms::Window& w, forms::Label& label) override {
    std::string found;
    eachTool(w, [&](HWND, UINT_PTR id, std::string text) {
      if (id == reinterpret_cast<UINT_PTR>(hwndOf(label))) found = text;
    });
    return found;
  }
  std::string noteBelow(forms::Window& w) override {
    pump(200);
    std::string found;
    RECT outer{}, note{};
    GetWindowRect(hwndOf(w), &outer);
    eachTool(w, [&](HWND tip, UINT_PTR, std::string text) {
      GetWindowRect(tip, &note);
      if (IsWindowVisible(tip) && note.top >= outer.bottom) found = text;
    });
    return found;
  }
  bool hasKeyboard(forms::Window& w) override { return GetForegroundWindow() == hwndOf(w); }
};

const WORD kVirtualKeys[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};

struct Win32Desktop : PlatformBackend {
  platform::Win32Platform win32;
  std::vector<HWND> windows;
  ~Win32Desktop() override {
    for (HWND w : windows) DestroyWindow(w);
  }
  platform::Platform& platform() override { return win32; }
  bool keyOn(platform::LockKey key) override {
    return GetKeyState(kVirtualKeys[static_cast<int>(key)]) & 1;
  }
  void holdKey(platform::LockKey key, bool down) override {
    keybd_event(kVirtualKeys[static_cast<int>(key)], 0, down ? 0 : KEYEVENTF_KEYUP, 0);
  }
  platform::NativeHandle openWindow(const std::string& title) override {
    HWND w = CreateWindowExW(0, L"STATIC", ::vesk::win32::toWide(title).c_str(),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100 + 300 * windows.size(), 100, 240,
                             120, nullptr, nullptr, nullptr, nullptr);
    windows.push_back(w);
    SetForegroundWindow(w);
    pump(100);
    return reinterpret_cast<platform::NativeHandle>(w);
  }
  bool above(platform::NativeHandle w) override {
    return GetWindowLongW(reinterpret_cast<HWND>(w), GWL_EXSTYLE) & WS_EX_TOPMOST;
  }
  std::string place(platform::NativeHandle w) override {
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(w), &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  }
  bool waitFor(const std::function<bool()>& done) override { return pump(3000, done); }
};

struct Win32Meeting : MeetingBackend {
  const wchar_t* name = L"net.tarnwick.VeskLights.contract";
  std::unique_ptr<platform::MeetingPoint> copy() override {
    return std::make_unique<platform::Win32MeetingPoint>(name);
  }
  bool waitFor(const std::function<bool()>& done, int ms) override { return pump(ms, done); }
  void stranger() override {
    HWND first =
        FindWindowExW(HWND_MESSAGE, nullptr, platform::Win32MeetingPoint::kWindowClass, name);
    EXPECT_TRUE(first);
    char text[] = "show\n";
    COPYDATASTRUCT data{1, sizeof text, text};
    SendMessageW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    for (UINT message : {UINT{WM_CLOSE}, UINT{WM_USER}, UINT{WM_APP},
                         RegisterWindowMessageW(L"net.tarnwick.VeskLights.quit")}) {
      SendMessageW(first, message, 1, 1);
    }
  }
};

}  // namespace

std::vector<Maker<StoreBackend>> storeBackends() {
  return {{"memory", makeMemoryStore}, maker<StoreBackend, Registry>("registry")};
}
std::vector<Maker<FormsBackend>> formsBackends() {
  return {{"fake", makeFakeForms}, maker<FormsBackend, Win32Forms>("win32")};
}
std::vector<Maker<PlatformBackend>> platformBackends() {
  return {{"fake", makeFakePlatform}, maker<PlatformBackend, Win32Desktop>("win32")};
}
std::vector<Maker<MeetingBackend>> meetingBackends() {
  return {{"fake", makeFakeMeeting}, maker<MeetingBackend, Win32Meeting>("win32")};
}

}  // namespace vesk::test
