#pragma once
// The meeting point on Windows: the copy that creates the mutex Local\<name> is the session's
// first (Local\ is this logon session's namespace, and the system closes the mutex with the
// last process that holds it). It answers through a hidden, message-only window titled <name>:
// a later copy lets it take the foreground (AllowSetForegroundWindow) and sends it the
// registered message "net.tarnwick.VeskLights.show". Every other message is left to the system,
// but WM_CLOSE, which would destroy the meeting point.

#include <string>

#include "platform/meeting_point.h"

namespace vesk::platform {

class Win32MeetingPoint final : public MeetingPoint {
 public:
  explicit Win32MeetingPoint(std::wstring name = L"net.tarnwick.VeskLights");
  ~Win32MeetingPoint() override;

  Claim claim() override;
  bool askToShow() override;
  void listen() override;         // creates the hidden window
  void stopListening() override;  // destroys it; the mutex stays until this copy has gone
  std::string problem() const override { return problem_; }

  static constexpr unsigned kAnswerMilliseconds = 2000;
  static constexpr wchar_t kWindowClass[] = L"VeskLightsMeetingPoint";

 private:
  std::wstring name_;
  std::string problem_;
  void* mutex_ = nullptr;   // HANDLE
  void* window_ = nullptr;  // HWND
};

}  // namespace vesk::platform
