#pragma once
// The tray icon on Win32: Shell_NotifyIconW with NOTIFYICONDATAW version 4, owned by a hidden
// top-level window, which also hears "TaskbarCreated" and adds the icon again when the shell
// (Explorer) restarts.

#include <windows.h>

#include "tray/tray.h"

namespace vesk::tray::win32 {

class Win32TrayIcon final : public TrayIcon {
 public:
  Win32TrayIcon();
  ~Win32TrayIcon() override;
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

  bool available() const override;
  void show(const TrayPicture& picture) override;
  void hide() override;

  HWND owner() const { return hwnd_; }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  bool add();

  HWND hwnd_ = nullptr;
  HWND shell_ = nullptr;  // the shell's tray, found at start and at each TaskbarCreated
  HICON icon_ = nullptr;
  TrayPicture picture_;
  bool shown_ = false;
};

}  // namespace vesk::tray::win32
