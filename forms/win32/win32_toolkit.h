#pragma once
// The raw Win32 backend of the windowing seam: wide-character API, STATIC labels, BUTTON push
// buttons and three-state check boxes, window timers, and the dialog manager for the keyboard.

#include <windows.h>

#include <memory>

#include "forms/forms.h"

namespace vesk::forms::win32 {

class Win32Toolkit final : public Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;

  std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
  // Every monitor's work area, the primary first, in twips at the system DPI.
  Desktop desktop() const override;
  // Dispatches messages until no window of this toolkit is left.
  int run() override;
  // Owned by a hidden window of its own, so that it needs no window of ours.
  void popUpMenu(const std::vector<MenuItem>& items) override;

 private:
  HWND menuOwner();

  bool com_;
  HWND menuOwner_ = nullptr;
  std::shared_ptr<int> liveWindows_ = std::make_shared<int>(0);
};

}  // namespace vesk::forms::win32
