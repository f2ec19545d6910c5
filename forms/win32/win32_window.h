#pragma once
// A top-level window: a sizable tool window with the button-face background, the application
// icon, its child controls and its timers. Geometry is the outer rectangle in screen twips, at
// the window's own DPI.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "forms/forms.h"
#include "forms/win32/win32_elements.h"

namespace vesk::forms::win32 {

class Win32Window final : public Window {
 public:
  // `gone` runs once the native window has been destroyed, by a close or by this object's end.
  Win32Window(const WindowSpec& spec, std::function<void()> gone);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  Label& addLabel(const LabelSpec& spec) override;
  Button& addButton(const ButtonSpec& spec) override;
  CheckBox& addCheckBox(const CheckBoxSpec& spec) override;
  Timer& addTimer() override;

  void setOuterGeometry(const Rect& twips) override;
  Rect outerGeometry() const override;
  NativeHandle handle() const override { return reinterpret_cast<NativeHandle>(hwnd_); }

  void show() override;
  void showModal(Window& owner) override;
  void close() override;
  void showNote(const std::string& sentence) override;
  void hide() override;
  void bringToFront() override;

  // Whether a top-level window is one of ours, so the message loop hands it to the dialog
  // manager for Tab and Enter.
  static bool isOurs(HWND hwnd);

 private:
  static ATOM windowClass();
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT onClose();
  void onDpiChanged(const RECT* suggested);

  HWND createChild(const wchar_t* windowClass, const std::string& text, DWORD style,
                   const Rect& place, const Font& font, int id);
  // Creates the child control and its object; a control that takes the focus joins the tab order.
  template <typename T, typename Design>
  T& addControl(const wchar_t* windowClass, const Design& design, DWORD style);
  void placeChild(const Control& control, UINT dpi);
  HFONT font(const Font& font, UINT dpi);
  void restackTabOrder();
  Control* control(int id) const;
  Control* control(HWND hwnd) const;
  Control* firstTabStop() const;
  void destroy();
  // Tells the toolkit, once, that this window is gone (or never came).
  void ended();

  HWND hwnd_ = nullptr;
  std::function<void()> gone_;
  // Expires when this object ends, so a handler that deletes its window stops the caller.
  std::shared_ptr<bool> life_ = std::make_shared<bool>(true);
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Win32Timer>> timers_;
  std::map<std::tuple<std::wstring, long, bool, UINT>, HFONT> fonts_;
  HWND modalOwner_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool closing_ = false;
  bool placing_ = false;
  std::optional<Rect> placed_;  // the last geometry given, and the pixels it became
  RECT placedPixels_{};
  mutable Rect lastGeometry_;
};

}  // namespace vesk::forms::win32
