#include "indicator/indicator_window.h"

#include "indicator/layout.h"
#include "indicator/lock_keys.h"
#include "indicator/lock_words.h"
#include "indicator/placement.h"
#include "indicator/refresh.h"

namespace vesk::indicator {

using settings::Key;

IndicatorWindow::IndicatorWindow(forms::Toolkit& toolkit, settings::Settings& settings,
                                 platform::Platform& platform)
    : toolkit_(toolkit), settings_(settings), platform_(platform) {
  window_ = toolkit_.createWindow({kMainWindowName, kCaption});
  auto& w = *window_;

  oskButton_ = &w.addButton(oskButtonSpec());
  oskButton_->onClick = [this] { OSK_BUTTON_Click(); };
  // As created: the keeper off without an interval, the refresh on but without an interval.
  alwaysOnTopTimer_ = &w.addTimer();
  alwaysOnTopTimer_->onTimer = [this] { AlwaysOnTopTimer_Timer(); };
  veskTimer_ = &w.addTimer();
  veskTimer_->setEnabled(true);
  veskTimer_->onTimer = [this] { VESK_TIMER_Timer(); };

  for (int i = 2; i >= 0; --i) uprightLights_[i] = &w.addLabel(uprightLightSpec(i));
  for (int i = 2; i >= 0; --i) rowLights_[i] = &w.addLabel(rowLightSpec(i));
  using Handler = void (IndicatorWindow::*)();
  static constexpr Handler kRowHandlers[] = {&IndicatorWindow::NUM_LIGHT_LABEL_DblClick,
                                             &IndicatorWindow::CAPS_LIGHT_LABEL_DblClick,
                                             &IndicatorWindow::SCROLL_LIGHT_LABEL_DblClick};
  static constexpr Handler kUprightHandlers[] = {&IndicatorWindow::VERT_NUM_LIGHT_LABEL_DblClick,
                                                 &IndicatorWindow::VERT_CAP_LIGHT_LABEL_DblClick,
                                                 &IndicatorWindow::VERT_SCR_LIGHT_LABEL_DblClick};
  for (int i = 0; i < 3; ++i) {
    rowLights_[i]->onDblClick = [this, h = kRowHandlers[i]] { (this->*h)(); };
    uprightLights_[i]->onDblClick = [this, h = kUprightHandlers[i]] { (this->*h)(); };
  }

  // What this session cannot do is said in the window, not only on stderr.
  platform_.onNote = [this](const std::string& sentence) { window_->showNote(sentence); };
  platform_.onPressed = [this](platform::LockKey key) {
    if (onFlip) onFlip(key);
  };

  w.onUnload = [this] { Form_Unload(); };
  w.onDblClick = [this] { Form_DblClick(); };
  // Placed again with the real frame: a default size grows as far as that frame needs.
  w.onFramed = [this] { place(); };
}

IndicatorWindow::~IndicatorWindow() {
  platform_.onNote = nullptr;
  platform_.onPressed = nullptr;
}

void IndicatorWindow::start() {
  Form_Load();
  if (!startHidden || !startHidden()) window_->show();
}

void IndicatorWindow::place() {
  const forms::Desktop desktop = toolkit_.desktop();
  // The whole row, the button and their margins, whatever the frame takes.
  const forms::Rect button = oskButtonSpec().place;
  const double margin = rowLightSpec(0).place.left;
  const forms::Rect client{0, 0, button.left + button.width + margin,
                           button.top + button.height + margin};
  window_->setOuterGeometry(restoreGeometry(settings_, Key::MainLeft, desktop, client));
  storePlace_ = desktop.placesKnown;
}

void IndicatorWindow::Form_Load() {
  place();
  alwaysOnTopTimer_->setInterval(1000);
  veskTimer_->setEnabled(true);
  veskTimer_->setInterval(100);
  alwaysOnTopTimer_->setEnabled(settings_.isOn(Key::AlwaysOnTop));
}

void IndicatorWindow::Form_Unload() {
  storeGeometry(settings_, Key::MainLeft, window_->outerGeometry(), storePlace_);
  alwaysOnTopTimer_->setEnabled(false);
  veskTimer_->setEnabled(false);
}

void IndicatorWindow::Form_DblClick() {
  if (openSettings) openSettings();
}

void IndicatorWindow::VESK_TIMER_Timer() {
  std::array<std::uint16_t, 3> states{};
  std::array<bool, 3> known{};
  std::array<std::string, 3> why;  // empty for a known key: nothing to allocate
  DisplaySettings display;
  for (int i = 0; i < 3; ++i) {
    states[i] = platform_.keyState(kLockKeys[i].key);
    auto unknown = platform_.whyUnknown(kLockKeys[i].key);
    known[i] = !unknown;
    if (unknown) why[i] = std::move(*unknown);
  }
  display.vertLights = settings_.number(Key::VertLights);
  for (int i = 0; i < 3; ++i) display.show[i] = settings_.number(kLockKeys[i].showSetting);
  display.showOsk = settings_.number(Key::ShowOsk);

  const TickOutcome out = computeTick(states, display, known);
  if (out != applied_) {
    applied_ = out;
    for (int i = 0; i < 3; ++i) {
      // Hidden lights are coloured too, so a light that appears already shows the state.
      rowLights_[i]->setBackColour(out.colour[i]);
      uprightLights_[i]->setBackColour(out.colour[i]);
      uprightLights_[i]->setVisible(out.uprightVisible[i]);
      rowLights_[i]->setVisible(out.rowVisible[i]);
    }
    oskButton_->setVisible(out.oskVisible);
  }
  for (int i = 0; i < 3; ++i)
    if (out.colour[i] != said_[i].colour || why[i] != said_[i].why) say(i, out.colour[i], why[i]);
  if (onLights) onLights(out.colour);
}

// The words change with the light only: a tick without a change sets, and announces, nothing.
void IndicatorWindow::say(int keyIndex, forms::Colour colour, const std::string& why) {
  said_[keyIndex] = {colour, why};
  const LightWords words = lightWords(keyIndex, colour, why);
  for (forms::Label* light : {rowLights_[keyIndex], uprightLights_[keyIndex]}) {
    light->setToolTip(words.toolTip);
    light->setAccessibleState(words.state);
  }
}

void IndicatorWindow::AlwaysOnTopTimer_Timer() {
  const auto own = window_->handle();
  const auto foreground = platform_.foregroundWindow();
  if (foreground == own) return;
  if (foreground != 0 && otherOwnWindow && foreground == otherOwnWindow()) return;
  if (foreground != 0) platform_.setTopmost(foreground, false);
  platform_.setTopmost(own, true);
}

void IndicatorWindow::setAlwaysOnTop(bool on, bool lowerWhenOff) {
  alwaysOnTopTimer_->setEnabled(on);
  if (!on && lowerWhenOff) platform_.removeTopmost(window_->handle());
}

void IndicatorWindow::OSK_BUTTON_Click() {
  platform_.startOnScreenKeyboard(window_->handle());
}

void IndicatorWindow::flip(platform::LockKey key) {
  platform_.pressKey(key);
}

}  // namespace vesk::indicator
