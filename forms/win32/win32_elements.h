#pragma once
// The child controls of a window (STATIC labels, push buttons, three-state check boxes) and its
// timers. Each control keeps its place in twips and its font so the window can lay it out again
// when its DPI changes.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "forms/forms.h"
#include "forms/win32/accessible.h"

namespace vesk::forms::win32 {

class Control {
 public:
  Control(HWND hwnd, int id, const Rect& place, const Font& font, std::optional<int> tabIndex)
      : hwnd_(hwnd), id_(id), place_(place), font_(font), tabIndex_(tabIndex) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND hwnd() const { return hwnd_; }
  int id() const { return id_; }
  const Rect& place() const { return place_; }
  const Font& font() const { return font_; }
  std::optional<int> tabIndex() const { return tabIndex_; }

  // A WM_COMMAND notification from the control.
  virtual void command(WORD code) = 0;
  // Sets up the DC for WM_CTLCOLORSTATIC and gives the background brush.
  virtual HBRUSH colours(HDC dc);

 protected:
  // Answers a screen reader's WM_GETOBJECT with `spoken`, and passes the control's messages
  // through message() from then on.
  void speak(std::wstring name, Spoken::Role role);
  virtual LRESULT message(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_;
  std::shared_ptr<Spoken> spoken_;

 private:
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR self);

  int id_;
  Rect place_;
  Font font_;
  std::optional<int> tabIndex_;
};

class Win32Label final : public Label, public Control {
 public:
  Win32Label(HWND hwnd, int id, const LabelSpec& spec);
  ~Win32Label() override;

  void setCaption(const std::string& caption) override;
  std::string caption() const override { return caption_; }
  void setBackColour(Colour colour) override;
  void setVisible(bool visible) override;
  bool isVisible() const override { return visible_; }
  void setToolTip(const std::string& text) override;
  void setAccessibleState(const std::string& words) override;

  void command(WORD code) override;
  HBRUSH colours(HDC dc) override;

 protected:
  // A label that takes the focus: Enter or Space clicks it, and a dotted frame shows the focus.
  LRESULT message(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::string caption_;
  std::optional<Colour> back_;
  std::optional<Colour> text_;
  HBRUSH brush_ = nullptr;
  bool visible_ = true;
};

class Win32Button final : public Button, public Control {
 public:
  Win32Button(HWND hwnd, int id, const ButtonSpec& spec);

  void setVisible(bool visible) override;
  bool isVisible() const override { return visible_; }

  void command(WORD code) override;

 private:
  bool visible_ = true;
};

class Win32CheckBox final : public CheckBox, public Control {
 public:
  Win32CheckBox(HWND hwnd, int id, const CheckBoxSpec& spec);

  int value() const override { return value_; }
  void setValue(int value) override;

  void command(WORD code) override;

 private:
  int value_ = 0;
};

// A window timer: SetTimer on the owner while enabled with an interval above 0.
class Win32Timer final : public Timer {
 public:
  // `owner` is the window's handle member, null once the window is gone.
  Win32Timer(const HWND& owner, UINT_PTR id) : owner_(owner), id_(id) {}

  void setInterval(int milliseconds) override;
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override;
  bool isEnabled() const override { return enabled_; }

  UINT_PTR id() const { return id_; }

 private:
  void apply();

  const HWND& owner_;
  UINT_PTR id_;
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace vesk::forms::win32
