#pragma once
// The windowing seam: top-level windows with their elements, timers and modal display.
// Places and sizes are twips (1/1440 inch); window geometry is the outer (frame) rectangle in
// screen twips, element places are twips of the window's client area. No toolkit type crosses
// this header: backends (Qt, Win32, a recording fake) implement it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::forms {

using Colour = std::uint32_t;  // 0x00BBGGRR, red in the low byte
inline constexpr Colour kWhite = 0x00FFFFFF;
inline constexpr Colour kGreen = 0x0000FF00;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kCyan = 0x00FFFF00;
inline constexpr Colour kGrey = 0x00C0C0C0;  // a light whose state cannot be known

struct Rect {
  double left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct Font {
  std::string face = "MS Sans Serif";  // the system's sans face stands in where it is missing
  double points = 8.25;
  bool bold = false;
};

enum class Align { Left, Centre };

struct LabelSpec {
  std::string name;
  std::string caption;
  Rect place;
  Font font;
  Align align = Align::Centre;
  bool border = true;          // a thin single line
  std::optional<Colour> back;  // none: the window's background
  std::optional<Colour> text;  // none: the default text colour
  bool wrap = false;           // words wrap onto new lines in a narrow label
  // Defaulted ({}), so that a design may leave these out.
  std::string accessibleName{};  // what a screen reader calls it; empty: its caption
  // A label with a tab index takes the keyboard focus in that order, and Enter or Space clicks
  // it; a screen reader presents it as a link. Without one it takes no focus.
  std::optional<int> tabIndex{};
};

struct ButtonSpec {
  std::string name;
  std::string caption;
  Rect place;
  int tabIndex = 0;
  Font font;
  std::string accessibleName{};  // what a screen reader calls it; empty: its caption
};

struct CheckBoxSpec {
  std::string name;
  std::string caption;
  Rect place;
  int tabIndex = 0;
  int value = 0;  // 0 unchecked, 1 checked, 2 greyed
  Font font;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void setCaption(const std::string& caption) = 0;
  virtual std::string caption() const = 0;
  virtual void setBackColour(Colour colour) = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool isVisible() const = 0;
  // The text shown while the pointer rests on the label; empty for none.
  virtual void setToolTip(const std::string& text) = 0;
  // Its state in words, as a screen reader reads it after the name ("on"); a change is
  // announced to assistive technology. A hidden label is not presented at all.
  virtual void setAccessibleState(const std::string& words) = 0;
  std::function<void()> onClick;
  std::function<void()> onDblClick;  // a handled double-click never reaches the window
};

class Button {
 public:
  virtual ~Button() = default;
  virtual void setVisible(bool visible) = 0;
  virtual bool isVisible() const = 0;
  std::function<void()> onClick;  // mouse click or keyboard activation
};

class CheckBox {
 public:
  virtual ~CheckBox() = default;
  virtual int value() const = 0;
  // Sets 0, 1 or 2 (greyed) without raising onClick.
  virtual void setValue(int value) = 0;
  // The user changed the value; value() already gives the new one.
  std::function<void()> onClick;
};

// A periodic timer owned by a window; it ticks only while enabled with an interval above 0.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setInterval(int milliseconds) = 0;
  virtual int interval() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool isEnabled() const = 0;
  std::function<void()> onTimer;
};

// One item of a pop-up menu.
struct MenuItem {
  std::string caption;  // "&" marks the access key: "&Settings...", "Start at &login"
  bool checkable = false;
  bool checked = false;
  bool enabled = true;
  std::string toolTip;  // says why, when the item is disabled
  std::function<void()> onClick;
};

using NativeHandle = std::uintptr_t;  // HWND or X11 window id; 0 for none

struct WindowSpec {
  std::string name;     // "VESK_LIGHTS_MAIN", "VESK_LIGHTS_SETTINGS"
  std::string caption;  // "VESK-LIGHTS"
  // Every window is a sizable tool window: a thin caption with only a close button, a
  // resizable border, the button-face background, the application icon, not in the taskbar.
};

class Window {
 public:
  virtual ~Window() = default;
  // Elements are created in the order given; the window owns them.
  virtual Label& addLabel(const LabelSpec& spec) = 0;
  virtual Button& addButton(const ButtonSpec& spec) = 0;
  virtual CheckBox& addCheckBox(const CheckBoxSpec& spec) = 0;
  virtual Timer& addTimer() = 0;

  virtual void setOuterGeometry(const Rect& twips) = 0;
  virtual Rect outerGeometry() const = 0;
  virtual NativeHandle handle() const = 0;

  // Shows the window; its keyboard focus starts on the element with the lowest tab index.
  virtual void show() = 0;
  // Shows the window modally over its owner and returns once it has been closed; the owner
  // takes no input meanwhile, but its timers keep ticking.
  virtual void showModal(Window& owner) = 0;
  // Closes the window as the user's close button does: onUnload runs, then it is gone.
  virtual void close() = 0;
  // Shows one sentence beside the window for a few seconds, without taking the keyboard: what
  // the user's last action could not do here, and why.
  virtual void showNote(const std::string& sentence) = 0;
  // Hides the window without closing it: its timers go on; show() brings it back.
  virtual void hide() = 0;
  // Shows the window if hidden or minimised and raises it above the others, with the
  // keyboard. A closed window stays closed.
  virtual void bringToFront() = 0;

  std::function<void()> onUnload;
  // Once shown, the window system framed the window otherwise than desktop() had said (or had
  // not said): desktop() now tells the real frame. The window keeps its outer rectangle.
  std::function<void()> onFramed;
  // A double-click on the client area outside every visible element.
  std::function<void()> onDblClick;
  // A right-click on the background (outside every visible element), or the Menu key or
  // Shift+F10 while the window has the keyboard: the items, built when the menu opens, so a
  // check mark shows the state of that moment. The keys open it at the window's top-left
  // corner, wherever the mouse is.
  std::function<std::vector<MenuItem>()> onContextMenu;
};

// Facts about the desktop that decide whether a restored window can be reached.
struct Desktop {
  std::vector<Rect> screens;  // available areas in screen twips; the first is the primary
  double captionHeight = 0;   // twips of a tool window's caption bar
  double minWidth = 0;        // the smallest outer size the frame allows, in twips
  double minHeight = 0;
  // How much the frame adds to the client area, across and down, in twips.
  double frameWidth = 0;
  double frameHeight = 0;
  // False where the window system places windows itself and reports no place (native Wayland).
  bool placesKnown = true;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<Window> createWindow(const WindowSpec& spec) = 0;
  virtual Desktop desktop() const = 0;
  // Runs the event loop until the last window has closed.
  virtual int run() = 0;
  // Shows a pop-up menu at the mouse and returns once it has gone; the chosen item's onClick
  // runs after the menu has closed.
  virtual void popUpMenu(const std::vector<MenuItem>& items) = 0;
};

}  // namespace vesk::forms
