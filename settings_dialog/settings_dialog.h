#pragma once
// VESK_LIGHTS_SETTINGS: the settings and about dialog, opened modally over the indicator by a
// double-click on its background. Every box stores its value the moment it is clicked.

#include <array>
#include <memory>

#include "forms/forms.h"
#include "indicator/indicator_window.h"
#include "settings/settings.h"

namespace vesk::settings_dialog {

class SettingsDialog {
 public:
  // Installs itself as the indicator's background double-click.
  SettingsDialog(forms::Toolkit& toolkit, settings::Settings& settings,
                 indicator::IndicatorWindow& main);

  // Form_DblClick of the indicator: creates the dialog, loads it and shows it modally; returns
  // once it has been closed. Does nothing while it is already open.
  void open();
  bool isOpen() const { return window_ != nullptr; }
  forms::Window* window() { return window_.get(); }

  void Form_Load();
  void Form_Unload();
  void SHOW_NUM_TICKBOX_Click();
  void SHOW_CAPS_TICKBOX_Click();
  void SHOW_SCROLL_TICKBOX_Click();
  void SHOW_OSK_BUTTON_Click();
  void VERT_LIGHTS_TICKBOX_Click();
  void ALWAYS_ON_TOP_TICKBOX_Click();
  void OK_BUTTON_Click();
  void TARNWICK_VESK_CREATOR_Click();

 private:
  void build();
  void store(forms::CheckBox* box, settings::Key key);

  forms::Toolkit& toolkit_;
  settings::Settings& settings_;
  indicator::IndicatorWindow& main_;
  std::unique_ptr<forms::Window> window_;
  bool storePlace_ = true;  // false where the window system places the window
  forms::CheckBox* showNum_ = nullptr;
  forms::CheckBox* showCaps_ = nullptr;
  forms::CheckBox* showScroll_ = nullptr;
  forms::CheckBox* showOsk_ = nullptr;
  forms::CheckBox* alwaysOnTop_ = nullptr;
  forms::CheckBox* vertLights_ = nullptr;
  forms::Label* creator_ = nullptr;
};

}  // namespace vesk::settings_dialog
