#include "settings_dialog/settings_dialog.h"

#include "indicator/layout.h"
#include "indicator/placement.h"
#include "settings_dialog/dialog_layout.h"

namespace vesk::settings_dialog {

using settings::Key;

SettingsDialog::SettingsDialog(forms::Toolkit& toolkit, settings::Settings& settings,
                               indicator::IndicatorWindow& main)
    : toolkit_(toolkit), settings_(settings), main_(main) {
  main_.openSettings = [this] { open(); };
  main_.otherOwnWindow = [this] { return window_ ? window_->handle() : forms::NativeHandle{0}; };
}

void SettingsDialog::open() {
  // While open, the modal dialog keeps the indicator from asking again; this guards the seam.
  if (window_) return;
  build();
  Form_Load();
  window_->showModal(main_.window());
  window_.reset();
  showNum_ = showCaps_ = showScroll_ = showOsk_ = alwaysOnTop_ = vertLights_ = nullptr;
  creator_ = nullptr;
}

// A fresh window at each opening: every element starts as designed, the credit line included.
void SettingsDialog::build() {
  window_ = toolkit_.createWindow({kDialogName, indicator::kCaption});
  auto& w = *window_;
  for (const auto& design : aboutLabels()) {
    auto& label = w.addLabel(design);
    if (design.name == "TARNWICK_VESK_CREATOR") {
      creator_ = &label;
      label.onClick = [this] { TARNWICK_VESK_CREATOR_Click(); };
    }
  }
  w.addButton(okButton()).onClick = [this] { OK_BUTTON_Click(); };

  using Handler = void (SettingsDialog::*)();
  struct Wiring {
    Key key;
    forms::CheckBox** box;
    Handler handler;
  };
  const Wiring wiring[] = {
      {Key::ShowNum, &showNum_, &SettingsDialog::SHOW_NUM_TICKBOX_Click},
      {Key::ShowCaps, &showCaps_, &SettingsDialog::SHOW_CAPS_TICKBOX_Click},
      {Key::ShowScroll, &showScroll_, &SettingsDialog::SHOW_SCROLL_TICKBOX_Click},
      {Key::ShowOsk, &showOsk_, &SettingsDialog::SHOW_OSK_BUTTON_Click},
      {Key::AlwaysOnTop, &alwaysOnTop_, &SettingsDialog::ALWAYS_ON_TOP_TICKBOX_Click},
      {Key::VertLights, &vertLights_, &SettingsDialog::VERT_LIGHTS_TICKBOX_Click},
  };
  for (const auto& def : boxes()) {
    auto& box = w.addCheckBox(def.spec);
    for (const auto& wire : wiring) {
      if (wire.key != def.setting) continue;
      *wire.box = &box;
      box.onClick = [this, h = wire.handler] { (this->*h)(); };
    }
  }
  w.onUnload = [this] { Form_Unload(); };
}

void SettingsDialog::Form_Load() {
  const forms::Desktop desktop = toolkit_.desktop();
  window_->setOuterGeometry(indicator::restoreGeometry(settings_, Key::AboutMainLeft, desktop));
  storePlace_ = desktop.placesKnown;
  // Setting a box from code raises no click, so loading stores nothing and leaves the keeper
  // as it is; a value the box cannot show gives its default and stays in the store untouched.
  vertLights_->setValue(settings_.checkValue(Key::VertLights));
  alwaysOnTop_->setValue(settings_.checkValue(Key::AlwaysOnTop));
  showOsk_->setValue(settings_.checkValue(Key::ShowOsk));
  showNum_->setValue(settings_.checkValue(Key::ShowNum));
  showCaps_->setValue(settings_.checkValue(Key::ShowCaps));
  showScroll_->setValue(settings_.checkValue(Key::ShowScroll));
}

void SettingsDialog::Form_Unload() {
  indicator::storeGeometry(settings_, Key::AboutMainLeft, window_->outerGeometry(), storePlace_);
}

void SettingsDialog::store(forms::CheckBox* box, Key key) {
  settings_.saveInt(key, box->value());
}

void SettingsDialog::SHOW_NUM_TICKBOX_Click() {
  store(showNum_, Key::ShowNum);
}
void SettingsDialog::SHOW_CAPS_TICKBOX_Click() {
  store(showCaps_, Key::ShowCaps);
}
void SettingsDialog::SHOW_SCROLL_TICKBOX_Click() {
  store(showScroll_, Key::ShowScroll);
}
void SettingsDialog::SHOW_OSK_BUTTON_Click() {
  store(showOsk_, Key::ShowOsk);
}
void SettingsDialog::VERT_LIGHTS_TICKBOX_Click() {
  store(vertLights_, Key::VertLights);
}

void SettingsDialog::ALWAYS_ON_TOP_TICKBOX_Click() {
  // Unticking also lowers the indicator, or it would float above everything until closed.
  main_.setAlwaysOnTop(alwaysOnTop_->value() == 1, /*lowerWhenOff=*/true);
  store(alwaysOnTop_, Key::AlwaysOnTop);
}

void SettingsDialog::OK_BUTTON_Click() {
  window_->close();
}

void SettingsDialog::TARNWICK_VESK_CREATOR_Click() {
  creator_->setCaption(kAuthorEmail);
}

}  // namespace vesk::settings_dialog
