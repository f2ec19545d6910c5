#pragma once
// The backends that the contract suites run on. Each build lists its own in one file
// (linux_backends.cpp, win32_backends.cpp): the fakes and that build's real ones.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "platform/meeting_point.h"
#include "platform/platform.h"
#include "settings/store.h"

namespace vesk::test {

// One place to keep settings: two stores over it (this run and the next, or another process)
// and a look at what exists there without going through a store.
struct StoreBackend {
  virtual ~StoreBackend() = default;
  virtual settings::Store& store() = 0;
  virtual settings::Store& other() = 0;
  // Whether anything exists for that application and section.
  virtual bool holds(const std::string& app, const std::string& section) = 0;
  bool appsApart = true;  // false where the application names the file instead
};

// One toolkit, with what a person would do and see on it.
struct FormsBackend {
  virtual ~FormsBackend() = default;
  virtual forms::Toolkit& toolkit() = 0;
  // Shown and drawn.
  virtual void show(forms::Window& window) = 0;
  // Runs the event loop until `done` or the time is up; `done`'s last answer.
  virtual bool waitFor(const std::function<bool()>& done, int ms) = 0;
  virtual void doubleClick(forms::Window& window, double x, double y) = 0;  // client twips
  virtual void click(forms::CheckBox& box) = 0;
  // Real keys (' ', '\t', '\r') to the focused element; false where there is no keyboard.
  virtual bool type(forms::Window& window, const std::string& keys) = 0;
  virtual std::string focused(forms::Window& window) = 0;  // the focused element's caption
  virtual int shownCheck(forms::CheckBox& box) = 0;        // 0, 1 or 2 as drawn
  // The colour drawn low inside a label, clear of its caption; how many of its pixels have
  // `colour` (-1 where nothing is drawn).
  virtual forms::Colour drawnBack(forms::Window& window, forms::Label& label) = 0;
  virtual int pixelsOf(forms::Window& window, forms::Label& label, forms::Colour colour) = 0;
  // A move by the user of the frame to pixels (left, top, width, height).
  virtual void userMove(forms::Window& window, const forms::Rect& pixels) = 0;
  virtual void userClose(forms::Window& window) = 0;  // the frame's close button
  virtual bool isShown(forms::Window& window) = 0;
  // What a pointer resting on the label shows ("" for nothing); the note shown below the
  // window's frame ("" for none); whether the window has the keyboard.
  virtual std::string toolTip(forms::Window& window, forms::Label& label) = 0;
  virtual std::string noteBelow(forms::Window& window) = 0;
  virtual bool hasKeyboard(forms::Window& window) = 0;
};

// A desktop with the lock keys and other programs' windows, and what a person would see.
struct PlatformBackend {
  virtual ~PlatformBackend() = default;
  virtual platform::Platform& platform() = 0;
  virtual bool keyOn(platform::LockKey key) = 0;  // as the system shows it
  virtual void holdKey(platform::LockKey key, bool down) = 0;
  // Another program's window, activated; whether a window has the keep-above status, and
  // its place.
  virtual platform::NativeHandle openWindow(const std::string& title) = 0;
  virtual bool above(platform::NativeHandle window) = 0;
  virtual std::string place(platform::NativeHandle window) = 0;
  virtual bool waitFor(const std::function<bool()>& done) = 0;
};

// One desktop session's meeting place, and a stranger who writes to it.
struct MeetingBackend {
  virtual ~MeetingBackend() = default;
  // A new copy's meeting point; every copy of one backend meets in the same place.
  virtual std::unique_ptr<platform::MeetingPoint> copy() = 0;
  // Runs the event loop until `done` or the time is up; `done`'s last answer.
  virtual bool waitFor(const std::function<bool()>& done, int ms) = 0;
  // A stranger sends the first copy what is not the request, in every way it could, and leaves
  // a client connected that says nothing (where nothing but the request can reach it: nothing).
  virtual void stranger() {}
};

template <class Backend>
struct Maker {
  std::string name;
  std::function<std::unique_ptr<Backend>()> make;
};

template <class Backend, class Made>
Maker<Backend> maker(const char* name) {
  return {name, [] { return std::unique_ptr<Backend>(std::make_unique<Made>()); }};
}

std::vector<Maker<StoreBackend>> storeBackends();
std::vector<Maker<FormsBackend>> formsBackends();
std::vector<Maker<PlatformBackend>> platformBackends();
std::vector<Maker<MeetingBackend>> meetingBackends();

// The fakes, in both builds.
std::unique_ptr<StoreBackend> makeMemoryStore();
std::unique_ptr<FormsBackend> makeFakeForms();
std::unique_ptr<PlatformBackend> makeFakePlatform();
std::unique_ptr<MeetingBackend> makeFakeMeeting();

template <class Backend>
std::string nameOf(const ::testing::TestParamInfo<Maker<Backend>>& info) {
  return info.param.name;
}

}  // namespace vesk::test
