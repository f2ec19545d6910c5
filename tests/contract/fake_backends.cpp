// The fakes as contract backends: the in-memory store, the recording toolkit and platform.

#include <thread>
#include "backends.h"

#include "forms/fake/fake_forms.h"
#include "platform/fake/fake_meeting_point.h"
#include "platform/fake/fake_platform.h"
#include "settings/memory_store.h"

namespace vesk::test {
namespace {

struct Memory : StoreBackend {
  settings::MemoryStore memory;
  settings::Store& store() override { return memory; }
  settings::Store& other() override { return memory; }
  bool holds(const std::string& app, const std::string& section) override {
    return memory.holds(app, section);
  }
};

using forms::fake::FakeWindow;

struct FakeForms : FormsBackend {
  forms::fake::FakeToolkit fake;
  FakeForms() {
    fake.whileModal = [this](FakeWindow& w) { waitFor([&] { return w.closed; }, 10000); };
  }
  forms::Toolkit& toolkit() override { return fake; }
  void show(forms::Window& w) override { w.show(); }
  bool waitFor(const std::function<bool()>& done, int ms) override {
    for (int period = 0; period < ms / 10 && !done(); ++period) fake.elapse();
    return done();
  }
  void doubleClick(forms::Window& w, double x, double y) override {
    static_cast<FakeWindow&>(w).doubleClickAt(x, y);
  }
  void click(forms::CheckBox& box) override {
    static_cast<forms::fake::FakeCheckBox&>(box).click();
  }
  bool type(forms::Window&, const std::string&) override { return false; }
  std::string focused(forms::Window&) override { return ""; }
  int shownCheck(forms::CheckBox& box) override { return box.value(); }
  forms::Colour drawnBack(forms::Window&, forms::Label& label) override {
    return static_cast<forms::fake::FakeLabel&>(label).back.value_or(forms::kBlack);
  }
  int pixelsOf(forms::Window&, forms::Label&, forms::Colour) override { return -1; }
  void userMove(forms::Window& w, const forms::Rect& p) override {
    static_cast<FakeWindow&>(w).geometry = {p.left * 15, p.top * 15, p.width * 15, p.height * 15};
  }
  void userClose(forms::Window& w) override { w.close(); }
  bool isShown(forms::Window& w) override {
    auto& fw = static_cast<FakeWindow&>(w);
    return fw.shown && !fw.closed;
  }
  std::string toolTip(forms::Window&, forms::Label& label) override {
    return static_cast<forms::fake::FakeLabel&>(label).toolTip;
  }
  std::string noteBelow(forms::Window& w) override {
    const auto& notes = static_cast<FakeWindow&>(w).notes;
    return notes.empty() ? "" : notes.back();
  }
  bool hasKeyboard(forms::Window& w) override { return isShown(w); }
};

struct FakeDesktop : PlatformBackend {
  platform::fake::FakePlatform fake;
  platform::NativeHandle next = 0x500;
  platform::Platform& platform() override { return fake; }
  bool keyOn(platform::LockKey key) override { return fake.states[static_cast<int>(key)] & 1; }
  void holdKey(platform::LockKey key, bool down) override {
    auto& s = fake.states[static_cast<int>(key)];
    s = down ? s | 0x8000 : s & ~0x8000;
  }
  platform::NativeHandle openWindow(const std::string&) override {
    return fake.foreground = ++next;
  }
  bool above(platform::NativeHandle window) override {
    bool is = false;
    for (const auto& [w, top] : fake.topmostCalls) is = w == window ? top : is;
    return is;
  }
  std::string place(platform::NativeHandle) override { return "fixed"; }
  bool waitFor(const std::function<bool()>& done) override { return done(); }
};

struct FakeMeeting : MeetingBackend {
  platform::fake::FakeSession session;
  std::unique_ptr<platform::MeetingPoint> copy() override {
    return std::make_unique<platform::fake::FakeMeetingPoint>(session);
  }
  bool waitFor(const std::function<bool()>& done, int ms) override {
    for (int period = 0; period < ms && !done(); ++period) {
      if (auto* first = session.first.load()) first->deliver();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
};

}  // namespace

std::unique_ptr<StoreBackend> makeMemoryStore() {
  return std::make_unique<Memory>();
}

std::unique_ptr<FormsBackend> makeFakeForms() {
  return std::make_unique<FakeForms>();
}

std::unique_ptr<PlatformBackend> makeFakePlatform() {
  return std::make_unique<FakeDesktop>();
}

std::unique_ptr<MeetingBackend> makeFakeMeeting() {
  return std::make_unique<FakeMeeting>();
}

}  // namespace vesk::test
