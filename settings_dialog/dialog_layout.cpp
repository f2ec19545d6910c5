#include "settings_dialog/dialog_layout.h"

namespace vesk::settings_dialog {

using settings::Key;

namespace {

forms::LabelSpec aboutLabel(const char* name, std::string caption, forms::Rect place,
                            forms::Colour text, forms::Font font) {
  forms::LabelSpec spec;
  spec.name = name;
  spec.caption = std::move(caption);
  spec.place = place;
  spec.font = std::move(font);
  spec.align = forms::Align::Centre;
  spec.back = forms::kBlack;
  spec.text = text;
  return spec;
}

}  // namespace

std::vector<forms::LabelSpec> aboutLabels() {
  const forms::Font big{"MS Sans Serif", 13.5, false};
  const auto green = forms::kGreen;
  std::vector<forms::LabelSpec> labels = {
      aboutLabel("TARNWICK_VESK_TITLE_1", "TARNWICK", {120, 120, 2655, 495}, green, big),
      aboutLabel("TARNWICK_VESK_TITLE_2", "VESK-LIGHTS", {2880, 120, 2775, 495}, green, big),
      aboutLabel("TARNWICK_VESK_VERSION", "Version 1.0", {120, 720, 2655, 495}, green, big),
      aboutLabel("TARNWICK_VESK_FREEWARE", "!!! FREEWARE !!!", {2880, 720, 2775, 495}, green, big),
      aboutLabel("TARNWICK_VESK_CREATOR", std::string("Created By ") + kAuthor,
                 {120, 1320, 5535, 495}, green, big),
      aboutLabel("DOUBLE_CLICK_TXT_LABEL", "Double Click Light To Set ON / OFF ",
                 {120, 1920, 5535, 495}, forms::kCyan, {"MS Sans Serif", 12, true}),
  };
  // Last in the tab order, after the boxes: from the keyboard, Enter or Space on the credit
  // line shows the address as a click does.
  labels[4].tabIndex = 13;
  return labels;
}

std::vector<BoxDef> boxes() {
  const forms::Font font{"MS Sans Serif", 8.25, false};
  return {
      {{"SHOW_NUM_TICKBOX", "Show NUM-LOCK", {120, 2520, 1695, 375}, 9, 1, font}, Key::ShowNum},
      {{"SHOW_CAPS_TICKBOX", "Show CAPS-LOCK", {1920, 2520, 1695, 375}, 10, 1, font},
       Key::ShowCaps},
      {{"SHOW_SCROLL_TICKBOX", "Show SCROLL-LOCK", {3720, 2520, 2055, 375}, 11, 1, font},
       Key::ShowScroll},
      {{"SHOW_OSK_BUTTON",
        "Show OSK (On-Screen Keyboard) Button",
        {120, 3000, 3375, 375},
        12,
        1,
        font},
       Key::ShowOsk},
      {{"ALWAYS_ON_TOP_TICKBOX", "Always On Top", {120, 3600, 1455, 375}, 6, 0, font},
       Key::AlwaysOnTop},
      {{"VERT_LIGHTS_TICKBOX", "Use Vertical Lights", {1680, 3600, 1695, 375}, 5, 0, font},
       Key::VertLights},
  };
}

forms::ButtonSpec okButton() {
  return {"OK_BUTTON", "OK", {3960, 3240, 1455, 495}, 4, {"MS Sans Serif", 8.25, false}};
}

}  // namespace vesk::settings_dialog
