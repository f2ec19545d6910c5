#include "platform/portal/portal_presser.h"

#include <algorithm>

#include "app/version.h"
#include "settings/keys.h"

namespace vesk::platform::portal {
namespace {

constexpr std::uint32_t kKeyboard = 1;
constexpr std::uint32_t kPersistUntilRevoked = 2;

int evdevCode(LockKey key) {
  switch (key) {
    case LockKey::Num:
      return 69;
    case LockKey::Caps:
      return 58;
    case LockKey::Scroll:
      return 70;
  }
  return 0;
}

template <typename T>
const T* find(const Options& options, const std::string& name) {
  const auto it = options.find(name);
  return it == options.end() ? nullptr : std::get_if<T>(&it->second);
}

}  // namespace

std::string requestPath(const std::string& uniqueName, const std::string& token) {
  std::string sender = uniqueName.substr(uniqueName.starts_with(':') ? 1 : 0);
  std::replace(sender.begin(), sender.end(), '.', '_');
  return "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
}

PortalPresser::PortalPresser(std::unique_ptr<Transport> transport, settings::Store& store,
                             Hooks hooks)
    : transport_(std::move(transport)), store_(store), hooks_(std::move(hooks)) {}

PortalPresser::~PortalPresser() {
  closeSession(true);
}

void PortalPresser::press(LockKey key) {
  queue_.push_back(key);
  if (state_ == State::Open) return pressQueued();
  if (state_ == State::Closed) begin();
}

void PortalPresser::begin() {
  state_ = State::Asking;
  const unsigned attempt = ++attempt_;
  awaitAnswer();
  // The registry wants to hear from us before any other portal call.
  if (!registered_) transport_->registerApp(kAppId);
  registered_ = true;
  transport_->readRemoteDesktop([this, attempt](std::optional<RemoteDesktop> portal) {
    if (attempt != attempt_) return;
    if (!portal || !(portal->deviceTypes & kKeyboard)) {
      state_ = State::Closed;
      queue_.clear();
      if (hooks_.unsupported) hooks_.unsupported();
      return;
    }
    version_ = portal->version;
    ask(Method::CreateSession, {{"session_handle_token", nextToken()}}, [this](const Response& r) {
      const auto* handle = find<std::string>(r.results, "session_handle");
      if (!handle || handle->empty()) return refused("no session handle came back");
      session_ = *handle;
      const std::string session = session_;
      transport_->watchSession(session, [this, session] {
        if (session != session_) return;
        session_.clear();  // closed by the desktop: the next press asks again
        if (state_ == State::Asking) return refused("the desktop closed the session");
        state_ = State::Closed;
      });
      Options devices{{"types", kKeyboard}};
      if (version_ >= 2) {
        devices["persist_mode"] = kPersistUntilRevoked;
        if (auto token = storedToken()) devices["restore_token"] = std::move(*token);
      }
      ask(Method::SelectDevices, devices, [this](const Response&) {
        ask(Method::Start, {}, [this](const Response& r) { started(r); });
      });
    });
  });
}

void PortalPresser::ask(Method method, const Options& options,
                        std::function<void(const Response&)> granted) {
  Options withHandle = options;
  const std::string token = nextToken();
  withHandle["handle_token"] = token;
  const unsigned attempt = attempt_;
  awaitAnswer();
  transport_->request(
      method, session_, withHandle, requestPath(transport_->uniqueName(), token),
      [this, attempt, granted = std::move(granted)](const Response& r) {
        if (attempt != attempt_) {
          // Too late: a session that the desktop opened after all is closed again.
          if (const auto* late = find<std::string>(r.results, "session_handle"))
            transport_->closeSession(*late, false);
          return;
        }
        if (r.code != 0)
          return refused(r.error.empty() ? "response " + std::to_string(r.code) : r.error);
        granted(r);
      });
}

// Each call has 30 s to be answered; the next call's wait replaces the last one.
void PortalPresser::awaitAnswer() {
  const unsigned wait = ++waits_;
  transport_->after(kAnswerTimeoutMs, [this, wait] {
    if (wait == waits_ && state_ == State::Asking) giveUp(kNoAnswer);
  });
}

void PortalPresser::started(const Response& response) {
  const auto* devices = find<std::uint32_t>(response.results, "devices");
  if (devices && !(*devices & kKeyboard)) return refused("the keyboard was not granted");
  const auto* token = find<std::string>(response.results, "restore_token");
  // Tokens are single-use: the one just given replaces the one spent.
  if (token && !token->empty())
    store_.save(std::string(settings::kApplication), std::string(settings::kSection),
                std::string(settings::kRestoreTokenKey), *token);
  state_ = State::Open;
  pressQueued();
}

void PortalPresser::refused(const std::string& why) {
  if (hooks_.log) hooks_.log("vesk-lights: the desktop did not allow the key press (" + why + ")");
  giveUp(kRefused);
}

void PortalPresser::giveUp(const char* sentence) {
  ++attempt_;
  queue_.clear();
  closeSession(false);
  if (hooks_.note) hooks_.note(sentence);
}

void PortalPresser::pressQueued() {
  const std::string session = session_;
  // A press the desktop turned down (the session revoked or gone) is said like a refusal, and
  // the next double-click asks again.
  const auto failed = [this, session] {
    if (session == session_) refused("the desktop did not take the key press");
  };
  for (const LockKey key : queue_) {
    transport_->notifyKeycode(session_, evdevCode(key), true, failed);
    transport_->notifyKeycode(session_, evdevCode(key), false, failed);
    if (onPressed) onPressed(key);
  }
  queue_.clear();
  const unsigned use = ++lastUse_;
  transport_->after(kIdleCloseMs, [this, use] {
    if (use == lastUse_ && state_ == State::Open) closeSession(false);
  });
}

void PortalPresser::closeSession(bool atExit) {
  state_ = State::Closed;
  if (session_.empty()) return;
  transport_->closeSession(session_, atExit);
  session_.clear();
}

std::string PortalPresser::nextToken() {
  return "vesk" + std::to_string(++tokens_);
}

// A token is printable ASCII without spaces; anything else counts as absent, and stays stored
// as it is until the portal gives a new one.
std::optional<std::string> PortalPresser::storedToken() {
  auto token = store_.get(std::string(settings::kApplication), std::string(settings::kSection),
                          std::string(settings::kRestoreTokenKey));
  if (!token) return std::nullopt;
  const bool usable =
      !token->empty() && token->size() <= 256 &&
      std::all_of(token->begin(), token->end(), [](char c) { return c > ' ' && c < 127; });
  if (usable) return token;
  if (!toldBadToken_ && hooks_.log)
    hooks_.log("vesk-lights: the stored " + std::string(settings::kRestoreTokenKey) +
               " is not a usable restore token; the desktop will ask again");
  toldBadToken_ = true;
  return std::nullopt;
}

}  // namespace vesk::platform::portal
