#pragma once
// The change notice on Win32: a layered topmost popup that the mouse passes through and that
// never activates, over the bottom centre of the monitor that holds the mouse.

#include <windows.h>

#include <string>

#include "tray/tray.h"

namespace vesk::tray::win32 {

class Win32Notice final : public Notice {
 public:
  Win32Notice();
  ~Win32Notice() override;
  Win32Notice(const Win32Notice&) = delete;
  Win32Notice& operator=(const Win32Notice&) = delete;

  void show(const std::string& text, forms::Colour back, int milliseconds) override;

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void paint();

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  std::wstring text_;
  forms::Colour back_ = 0;
};

}  // namespace vesk::tray::win32
