#include "forms/win32/win32_window.h"

#include <algorithm>
#include <cmath>

#include "forms/win32/app_icon.h"
#include "forms/win32/dpi.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/tool_tips.h"
#include "platform/win32/wide_text.h"

namespace vesk::forms::win32 {

using ::vesk::win32::toWide;
namespace {

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which the dialog manager sends
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// Pixels of the edges rather than of the sizes, so neighbours that touch in twips touch on
// screen at any DPI.
RECT toPixelRect(const Rect& r, UINT dpi) {
  const int left = toPixels(r.left, dpi);
  const int top = toPixels(r.top, dpi);
  return {left, top, toPixels(r.left + r.width, dpi), toPixels(r.top + r.height, dpi)};
}

}  // namespace

ATOM Win32Window::windowClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // CS_DBLCLKS: a double-click on the background reaches onDblClick.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.hIcon = appIcon(false);
    wc.hIconSm = appIcon(true);
    wc.lpszClassName = L"VeskLightsWindow";
    return RegisterClassExW(&wc);
  }();
  return atom;
}

Win32Window::Win32Window(const WindowSpec& spec, std::function<void()> gone)
    : gone_(std::move(gone)) {
  CreateWindowExW(kExStyle, MAKEINTATOM(windowClass()), toWide(spec.caption).c_str(), kStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  // hwnd_ was set at WM_NCCREATE. The class icons do for the frame; these set both sizes
  // explicitly for the Alt+Tab list.
  if (hwnd_) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon(false)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon(true)));
  }
}

Win32Window::~Win32Window() {
  if (hwnd_) {
    // No more messages to this object: it is going away. The toolkit still learns of the end.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    destroy();
    hwnd_ = nullptr;
  }
  ended();
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

bool Win32Window::isOurs(HWND hwnd) {
  return static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM)) == windowClass();
}

template <typename T, typename Design>
T& Win32Window::addControl(const wchar_t* windowClass, const Design& design, DWORD style) {
  const int id = kFirstControlId + static_cast<int>(controls_.size());
  HWND child = createChild(windowClass, design.caption, style, design.place, design.font, id);
  auto control = std::make_unique<T>(child, id, design);
  T& ref = *control;
  controls_.push_back(std::move(control));
  if (style & WS_TABSTOP) restackTabOrder();
  return ref;
}

Label& Win32Window::addLabel(const LabelSpec& design) {
  DWORD style = SS_NOTIFY;  // clicks and double-clicks reach the label, not the window
  if (design.align == Align::Centre) {
    style |= SS_CENTER;
  } else {
    style |= design.wrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
  }
  if (design.border) style |= WS_BORDER;
  if (design.tabIndex) style |= WS_TABSTOP;
  return addControl<Win32Label>(L"STATIC", design, style);
}

Button& Win32Window::addButton(const ButtonSpec& design) {
  return addControl<Win32Button>(L"BUTTON", design, WS_TABSTOP | BS_PUSHBUTTON);
}

CheckBox& Win32Window::addCheckBox(const CheckBoxSpec& design) {
  // BS_3STATE rather than BS_AUTO3STATE: the box must not cycle through grey on clicks.
  return addControl<Win32CheckBox>(L"BUTTON", design, WS_TABSTOP | BS_3STATE);
}

Timer& Win32Window::addTimer() {
  timers_.push_back(std::make_unique<Win32Timer>(hwnd_, timers_.size() + 1));
  return *timers_.back();
}

HWND Win32Window::createChild(const wchar_t* windowClass, const std::string& text, DWORD style,
                              const Rect& place, const Font& font, int id) {
  if (!hwnd_) return nullptr;
  const UINT dpi = windowDpi(hwnd_);
  const RECT px = toPixelRect(place, dpi);
  HWND child = CreateWindowExW(0, windowClass, toWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                               px.left, px.top, px.right - px.left, px.bottom - px.top, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(this->font(font, dpi)), FALSE);
  return child;
}

void Win32Window::placeChild(const Control& control, UINT dpi) {
  const RECT px = toPixelRect(control.place(), dpi);
  SetWindowPos(control.hwnd(), nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(control.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font(control.font(), dpi)),
               TRUE);
}

// One font per face, size, weight and DPI, shared by the controls that use it. Fonts of a DPI
// the window has left stay until the window goes: a control may still hold one.
HFONT Win32Window::font(const Font& spec, UINT dpi) {
  const auto key =
      std::make_tuple(toWide(spec.face), std::lround(spec.points * 100), spec.bold, dpi);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) it = fonts_.emplace(key, createFont(spec, dpi)).first;
  return it->second;
}

// The dialog manager moves the focus in z-order, so the tab stops go to the top in tab index
// order.
void Win32Window::restackTabOrder() {
  std::vector<Control*> stops;
  for (const auto& c : controls_) {
    if (c->tabIndex()) stops.push_back(c.get());
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](Control* a, Control* b) { return *a->tabIndex() < *b->tabIndex(); });
  HWND after = HWND_TOP;
  for (Control* c : stops) {
    SetWindowPos(c->hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->hwnd();
  }
}

Control* Win32Window::control(int id) const {
  for (const auto& c : controls_) {
    if (c->id() == id) return c.get();
  }
  return nullptr;
}

Control* Win32Window::control(HWND hwnd) const {
  for (const auto& c : controls_) {
    if (c->hwnd() == hwnd) return c.get();
  }
  return nullptr;
}

Control* Win32Window::firstTabStop() const {
  Control* first = nullptr;
  for (const auto& c : controls_) {
    if (!c->tabIndex() || !IsWindowVisible(c->hwnd()) || !IsWindowEnabled(c->hwnd())) continue;
    if (!first || *c->tabIndex() < *first->tabIndex()) first = c.get();
  }
  return first;
}

void Win32Window::setOuterGeometry(const Rect& twips) {
  if (!hwnd_) return;
  placing_ = true;
  // A place on a monitor of another DPI changes the window's DPI on the way; the second pass
  // converts at the DPI it ends up with.
  for (int pass = 0; pass < 2; ++pass) {
    const UINT dpi = windowDpi(hwnd_);
    const RECT px = toPixelRect(twips, dpi);
    SetWindowPos(hwnd_, nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (windowDpi(hwnd_) == dpi) break;
  }
  placing_ = false;
  placed_ = twips;
  GetWindowRect(hwnd_, &placedPixels_);
}

Rect Win32Window::outerGeometry() const {
  RECT r{};
  if (hwnd_ && GetWindowRect(hwnd_, &r)) {
    // Unmoved since it was placed: the twips it was given, not those of the rounded pixels, so
    // a restored place is stored again unchanged.
    if (placed_ && EqualRect(&r, &placedPixels_)) return lastGeometry_ = *placed_;
    const UINT dpi = windowDpi(hwnd_);
    lastGeometry_ = {toTwips(r.left, dpi), toTwips(r.top, dpi), toTwips(r.right - r.left, dpi),
                     toTwips(r.bottom - r.top, dpi)};
  }
  return lastGeometry_;
}

void Win32Window::show() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  if (Control* first = firstTabStop()) SetFocus(first->hwnd());
}

void Win32Window::showModal(Window& owner) {
  if (!hwnd_) return;
  HWND ownerHwnd = reinterpret_cast<HWND>(owner.handle());
  if (ownerHwnd) {
    // Owned: it stays above its owner and goes when the owner goes.
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
    modalOwner_ = ownerHwnd;
    EnableWindow(ownerHwnd, FALSE);
  }
  show();
  // Opened by the user from the owner: it takes the keyboard at once.
  SetForegroundWindow(hwnd_);
  // The owner's timers keep ticking: this loop dispatches their WM_TIMER too.
  std::weak_ptr<bool> alive = life_;
  int quitCode = 0;
  while (!alive.expired() && hwnd_) {
    if (!pumpMessage(quitCode)) {
      PostQuitMessage(quitCode);  // for the outer loop
      break;
    }
  }
  if (ownerHwnd && IsWindow(ownerHwnd)) {
    EnableWindow(ownerHwnd, TRUE);
    SetActiveWindow(ownerHwnd);
  }
}

void Win32Window::ended() {
  auto gone = std::move(gone_);
  gone_ = nullptr;
  if (gone) gone();
}

void Win32Window::showNote(const std::string& sentence) {
  if (hwnd_) showNoteBelow(hwnd_, sentence);
}

void Win32Window::hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::bringToFront() {
  if (!hwnd_) return;
  if (!IsWindowVisible(hwnd_)) show();
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

void Win32Window::close() {
  if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Win32Window::destroy() {
  // The owner first: enabled before this window goes, it takes the activation back rather than
  // another program.
  if (modalOwner_ && IsWindow(modalOwner_)) EnableWindow(modalOwner_, TRUE);
  modalOwner_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace vesk::forms::win32
