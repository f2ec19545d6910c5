// The portal presser's order of calls, queue, tokens and timers, on a recording transport.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/portal/portal_presser.h"
#include "settings/memory_store.h"

using namespace vesk::platform;
using namespace vesk::platform::portal;

namespace {

// Logs every call, and what the presser says, as words; requests wait for the script's answer.
struct FakeTransport : Transport {
  using Fn = std::function<void()>;
  using Done = std::function<void(const Response&)>;
  std::string& log;
  std::optional<RemoteDesktop> portal;
  std::vector<std::pair<Method, Done>> waiting;
  std::vector<std::pair<int, Fn>> timers;
  Fn closedByDesktop, pressFails;
  int now = 0, sessions = 0;
  FakeTransport(std::string& log, std::optional<RemoteDesktop> p) : log(log), portal(p) {}
  std::string uniqueName() override { return ":1.42"; }
  void registerApp(const std::string& id) override {
    log += id == "net.tarnwick.VeskLights" ? "reg" : id;
  }
  void readRemoteDesktop(std::function<void(std::optional<RemoteDesktop>)> f) override {
    f(portal);
  }
  void request(Method m, const std::string& session, const Options& options,
               const std::string& path, Done done) override {
    log += std::string(" ") + "csS"[int(m)] + session;
    for (const auto& [name, v] : options)
      if (!name.ends_with("handle_token"))
        log += ":" + name + "=" + (v.index() ? std::get<1>(v) : std::to_string(std::get<0>(v)));
    EXPECT_EQ(path, "/org/freedesktop/portal/desktop/request/1_42/" +
                        std::get<1>(options.at("handle_token")));
    waiting.emplace_back(m, std::move(done));
  }
  void watchSession(const std::string&, Fn closed) override { closedByDesktop = closed; }
  void notifyKeycode(const std::string& s, int code, bool down, Fn failed) override {
    EXPECT_EQ(s, "/s" + std::to_string(sessions));
    log += " " + std::to_string(code) + (down ? "v" : "^");
    pressFails = failed;
  }
  void closeSession(const std::string& s, bool exit) override {
    log += " close" + s + "@" + std::to_string(now) + (exit ? "!" : "");
  }
  void after(int ms, Fn fn) override { timers.emplace_back(now + ms, std::move(fn)); }
};

// Rows, fields between '#': the portal's version and device types, the stored token, a script,
// then the calls ("!": the window is told the press went out), what was said and the token
// stored after. Scripts: N C S a press; + and - the desktop grants or refuses the oldest
// request; wMS time passes; x the desktop closes the session; f it fails the last key press.
// Refusals, restored consent and a missing portal are the scenarios' part.
TEST(PortalPresser, AsksOncePressesInOrderAndClosesWhenIdle) {
  const std::string badToken =
      " | vesk-lights: the stored PORTAL_RESTORE_TOKEN is not a usable restore token; the desktop "
      "will ask again";
  const std::string refused =
      " | vesk-lights: the desktop did not allow the key press close/s1@0 | "
      "The desktop did not allow the key press.";
  const std::string silent = " | The desktop did not answer the request to press the key.";
  const std::string rows[] = {
      // presses made while the dialog is open, in order; closed 10 s after the last press
      "1 7##C N + + + w5000 S w9999 w1#reg c s/s1:types=1 S/s1 58v 58^! 69v 69^! 70v 70^! "
      "close/s1@15000 =",
      "2 6##C#reg | unsupported =",  // no keyboard among the device types
      // each call has 30 s to be answered; a session that comes later is closed
      "1 7##C w29999 + w29999 w1 +#reg c s/s1:types=1 close/s1@59999" + silent + " =",
      "1 7##C w30000 +#reg c" + silent + " close/s1@30000 =",
      // an unusable token is neither sent nor rewritten, and told once without its value; a
      // refused press is dropped, the next one asks again, and the new token replaces it
      "2 1#a b#C + + - C + + +#reg c" + badToken + " s/s1:persist_mode=2:types=1 S/s1" + refused +
          " c s/s2:persist_mode=2:types=1 S/s2 58v 58^! =new-2",
      "1 7##C + + + x C#reg c s/s1:types=1 S/s1 58v 58^! c =",  // closed by the desktop
      // a press the desktop turns down is said as a refusal, and the next press asks again
      "1 7##C + + + f C#reg c s/s1:types=1 S/s1 58v 58^!" + refused + " c =",
  };
  for (const std::string& row : rows) {
    std::istringstream fields(row);
    std::string portal, stored, script, want, log;
    for (auto* f : {&portal, &stored, &script, &want}) std::getline(fields, *f, '#');
    vesk::settings::MemoryStore store;
    const std::string app = "TARNWICK-VESK-LIGHTS", key = "PORTAL_RESTORE_TOKEN";
    if (!stored.empty()) store.save(app, "Settings", key, stored);
    const RemoteDesktop desktop{unsigned(portal[0] - '0'), unsigned(portal[2] - '0')};
    auto owned = std::make_unique<FakeTransport>(log, desktop);
    auto& t = *owned;
    const auto say = [&](const std::string& s) { log += " | " + s.substr(0, s.find(" (")); };
    PortalPresser presser(std::move(owned), store,
                          PortalPresser::Hooks{say, [&] { say("unsupported"); }, say});
    presser.onPressed = [&](LockKey) { log += "!"; };
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      if (const auto k = std::string("NCS").find(step); k != std::string::npos)
        presser.press(LockKey(k));
      if (step == "+" || step == "-") {
        auto [method, done] = std::move(t.waiting.front());
        t.waiting.erase(t.waiting.begin());
        Response r{step == "+" ? 0u : 1u, {}, {}};
        if (method == Method::CreateSession)
          r.results["session_handle"] = "/s" + std::to_string(++t.sessions);
        if (method == Method::Start && desktop.version >= 2)
          r.results["restore_token"] = "new-" + std::to_string(t.sessions);
        done(r);
      }
      if (step[0] == 'w') t.now += std::stoi(step.substr(1));
      for (std::size_t i = 0; i < t.timers.size(); ++i)
        if (t.timers[i].first <= t.now && t.timers[i].second)
          std::exchange(t.timers[i].second, nullptr)();
      if (step == "x") t.closedByDesktop();
      if (step == "f") t.pressFails();
    }
    EXPECT_EQ(log + " =" + store.get(app, "Settings", key).value_or(""), want) << script;
  }
}

}  // namespace
