#pragma once
// Lock-key presses in a Wayland session, through the desktop's RemoteDesktop portal (GNOME,
// KDE): CreateSession, SelectDevices (the keyboard only), Start (the desktop's consent dialog),
// then NotifyKeyboardKeycode for each press and release.
//
// Double-clicks made while the dialog is open wait in order for its answer. The session is
// closed 10 s after the last press, and when the presser goes, so that the desktop's "being
// controlled" indicator does not stay. Where the portal can remember the consent (interface
// version 2), the restore token of each Start is kept in the settings store, so that the next
// run asks no more; the token is never written to a log line.

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/key_presser.h"
#include "platform/portal/transport.h"
#include "settings/store.h"

namespace vesk::platform::portal {

inline constexpr int kIdleCloseMs = 10'000;
inline constexpr int kAnswerTimeoutMs = 30'000;
inline constexpr const char* kRefused = "The desktop did not allow the key press.";
inline constexpr const char* kNoAnswer = "The desktop did not answer the request to press the key.";

// /org/freedesktop/portal/desktop/request/SENDER/TOKEN, SENDER being the unique name without
// its ":" and with "_" for ".".
std::string requestPath(const std::string& uniqueName, const std::string& token);

class PortalPresser final : public KeyPresser {
 public:
  struct Hooks {
    std::function<void(const std::string&)> note;  // a sentence for the window
    std::function<void()> unsupported;             // this session has no portal that can press keys
    std::function<void(const std::string&)> log;   // a line for stderr
  };
  PortalPresser(std::unique_ptr<Transport> transport, settings::Store& store, Hooks hooks);
  ~PortalPresser() override;
  PortalPresser(const PortalPresser&) = delete;
  PortalPresser& operator=(const PortalPresser&) = delete;

  void press(LockKey key) override;

 private:
  enum class State { Closed, Asking, Open };
  void begin();
  void ask(Method method, const Options& options, std::function<void(const Response&)> granted);
  void awaitAnswer();
  void started(const Response& response);
  void refused(const std::string& why);
  void giveUp(const char* sentence);
  void pressQueued();
  void closeSession(bool atExit);
  std::string nextToken();
  std::optional<std::string> storedToken();

  std::unique_ptr<Transport> transport_;
  settings::Store& store_;
  Hooks hooks_;
  State state_ = State::Closed;
  std::deque<LockKey> queue_;
  std::string session_;  // the open (or opening) session's handle
  std::uint32_t version_ = 0;
  unsigned tokens_ = 0;
  unsigned attempt_ = 0;  // answers to an abandoned attempt are stale
  unsigned waits_ = 0;    // only the wait for the last call gives up
  unsigned lastUse_ = 0;  // only the idle timer of the last press closes
  bool registered_ = false;
  bool toldBadToken_ = false;
};

}  // namespace vesk::platform::portal
