#pragma once
// A recording implementation of the windowing seam: elements keep their state in memory, every
// change is logged in order, and tests play the user (clicks, double-clicks, timer ticks).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"

namespace vesk::forms::fake {

class FakeToolkit;

class FakeLabel : public Label {
 public:
  explicit FakeLabel(LabelSpec design) : spec(std::move(design)), caption_(spec.caption) {}
  void setCaption(const std::string& caption) override { caption_ = caption; }
  std::string caption() const override { return caption_; }
  void setBackColour(Colour colour) override {
    back = colour;
    ++changes;
  }
  void setVisible(bool visible) override {
    visible_ = visible;
    ++changes;
  }
  bool isVisible() const override { return visible_; }
  void setToolTip(const std::string& text) override {
    toolTip = text;
    ++changes;
  }
  void setAccessibleState(const std::string& words) override {
    accessibleState = words;
    ++wordSets;
  }

  LabelSpec spec;
  std::string toolTip;
  std::string accessibleState;
  int wordSets = 0;
  std::optional<Colour> back = spec.back;
  int changes = 0;  // each one would be work for a real toolkit: a repaint, a request

 private:
  std::string caption_;
  bool visible_ = true;
};

class FakeButton : public Button {
 public:
  explicit FakeButton(ButtonSpec design) : spec(std::move(design)) {}
  void setVisible(bool visible) override {
    visible_ = visible;
    ++changes;
  }
  bool isVisible() const override { return visible_; }
  void click() {
    if (visible_ && onClick) onClick();
  }
  ButtonSpec spec;
  int changes = 0;

 private:
  bool visible_ = true;
};

class FakeCheckBox : public CheckBox {
 public:
  explicit FakeCheckBox(CheckBoxSpec design) : spec(std::move(design)), value_(spec.value) {}
  int value() const override { return value_; }
  void setValue(int value) override { value_ = value; }
  // A user's click: 0 -> 1, 1 -> 0, greyed -> 1, then the click event.
  void click() {
    value_ = value_ == 1 ? 0 : 1;
    if (onClick) onClick();
  }
  CheckBoxSpec spec;

 private:
  int value_;
};

class FakeTimer : public Timer {
 public:
  FakeTimer(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void setInterval(int ms) override {
    interval_ = ms;
    log_.push_back(name_ + ".interval=" + std::to_string(ms));
  }
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override {
    enabled_ = enabled;
    log_.push_back(name_ + ".enabled=" + std::to_string(enabled));
  }
  bool isEnabled() const override { return enabled_; }
  bool ticking() const { return enabled_ && interval_ > 0; }
  // One period elapses: ticks only when the timer really would.
  void elapse() {
    if (ticking() && onTimer) onTimer();
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  int interval_ = 0;
  bool enabled_ = false;
};

class FakeWindow : public Window {
 public:
  FakeWindow(FakeToolkit& toolkit, WindowSpec design, NativeHandle handle);
  ~FakeWindow() override;

  Label& addLabel(const LabelSpec& spec) override;
  Button& addButton(const ButtonSpec& spec) override;
  CheckBox& addCheckBox(const CheckBoxSpec& spec) override;
  Timer& addTimer() override;
  void setOuterGeometry(const Rect& twips) override;
  Rect outerGeometry() const override { return geometry; }
  NativeHandle handle() const override { return handle_; }
  void show() override;
  void showModal(Window& owner) override;
  void close() override;
  void showNote(const std::string& sentence) override { notes.push_back(sentence); }
  void hide() override;
  void bringToFront() override;

  FakeLabel& label(const std::string& name);
  FakeButton& button(const std::string& name);
  FakeCheckBox& checkBox(const std::string& name);
  FakeTimer& timer(int index) { return *timers_.at(index); }
  std::size_t timers() const { return timers_.size(); }
  // A double-click at a client point: the topmost visible label there, else the background.
  void doubleClickAt(double x, double y);
  // A right-click at a client point: the background's menu, unless a visible element is there.
  void rightClickAt(double x, double y);

  WindowSpec spec;
  Rect geometry;
  bool shown = false;
  bool closed = false;
  Window* modalOwner = nullptr;
  std::vector<std::string> notes;

 private:
  FakeToolkit& toolkit_;
  NativeHandle handle_;
  std::vector<std::unique_ptr<FakeLabel>> labels_;
  std::vector<std::unique_ptr<FakeButton>> buttons_;
  std::vector<std::unique_ptr<FakeCheckBox>> boxes_;
  std::vector<std::unique_ptr<FakeTimer>> timers_;
};

class FakeToolkit : public Toolkit {
 public:
  std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
  Desktop desktop() const override { return desktopInfo; }
  int run() override { return 0; }
  // Records the menu; pickMenuItem plays the user's choice.
  void popUpMenu(const std::vector<MenuItem>& items) override;

  // Picks the item of the last menu whose access key is `key` (any case), as a key press in
  // the open menu does; false when no enabled item has that key.
  bool pickMenuItem(char key);

  FakeWindow* find(const std::string& name);  // the live window of that name, if any
  void elapse();                              // one period of every timer of every live window

  Desktop desktopInfo{{{0, 0, 28800, 16200}}, 300, 1500, 500};  // 1920x1080 at 96 DPI
  std::vector<std::string> log;
  // Runs while a window is shown modally, as the user would act on it; a window still open
  // afterwards is closed through its frame.
  std::function<void(FakeWindow&)> whileModal;
  std::vector<MenuItem> menu;  // the last menu shown
  int menusShown = 0;

 private:
  friend class FakeWindow;
  std::vector<FakeWindow*> live_;
  NativeHandle nextHandle_ = 0x1001;
};

}  // namespace vesk::forms::fake
