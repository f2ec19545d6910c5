// The windowing seam's promises, on every toolkit of the build. Places are twips at 96 DPI.

#include <gtest/gtest.h>

#include <vector>

#include "backends.h"

namespace vesk::test {
namespace {

using namespace forms;

class FormsContract : public ::testing::TestWithParam<Maker<FormsBackend>> {
 protected:
  std::unique_ptr<FormsBackend> ui = GetParam().make();
  std::unique_ptr<Window> window = make("VESK_LIGHTS_MAIN", {1500, 1200, 3840, 945});
  std::unique_ptr<Window> make(const std::string& name, const Rect& place) {
    auto made = ui->toolkit().createWindow({name, "VESK-LIGHTS"});
    made->setOuterGeometry(place);
    return made;
  }
  LabelSpec light(const std::string& caption, double left, std::optional<Colour> text = {}) {
    return {
        caption, caption, {left, 120, 855, 375}, {"MS Sans Serif", 8.25, true}, Align::Centre, true,
        kWhite,  text};
  }
};

TEST_P(FormsContract, LightsPaintTheirColourWithRedInTheLowByteAndCaptionsTheirTextColour) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  Label& num = window->addLabel(light("NUM", 120, kGreen));
  ui->show(*window);
  EXPECT_EQ(ui->drawnBack(*window, caps), kWhite);
  for (Colour c : {kGreen, kRed, Colour{0x00FF0000}}) {
    caps.setBackColour(c);
    EXPECT_EQ(ui->drawnBack(*window, caps), c);
  }
  const int green = ui->pixelsOf(*window, num, kGreen);
  if (green >= 0) {
    EXPECT_GT(green, 10) << "the caption is not drawn in its text colour";
  }
}

TEST_P(FormsContract, DoubleClickGoesToAVisibleLightAndThroughAHiddenOne) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  int onLight = 0, onWindow = 0;
  caps.onDblClick = [&] { ++onLight; };
  window->onDblClick = [&] { ++onWindow; };
  ui->show(*window);
  ui->doubleClick(*window, 1500, 300);
  EXPECT_TRUE(ui->waitFor([&] { return onLight + onWindow > 0; }, 2000));
  EXPECT_EQ(onLight, 1);
  EXPECT_EQ(onWindow, 0) << "the light's double-click reached the window";
  caps.setVisible(false);
  ui->waitFor([] { return false; }, 600);  // a fresh double-click, not a third click
  ui->doubleClick(*window, 1500, 300);
  EXPECT_TRUE(ui->waitFor([&] { return onWindow > 0; }, 2000));
  EXPECT_EQ(onLight, 1) << "a hidden light took a double-click";
}

TEST_P(FormsContract, ABoxShowsGreyedAndOnlyTheUserRaisesClick) {
  CheckBox& box = window->addCheckBox({"BOX", "Box", {120, 120, 1695, 375}, 1, 2, {}});
  std::vector<int> seen;  // the value each click handler saw
  box.onClick = [&] { seen.push_back(box.value()); };
  ui->show(*window);
  EXPECT_EQ(ui->shownCheck(box), 2);
  for (int v : {0, 1, 2}) {
    box.setValue(v);
    EXPECT_EQ(box.value(), v);
    EXPECT_EQ(ui->shownCheck(box), v);
  }
  for (int i = 0; i < 3; ++i) ui->click(box);  // greyed -> ticked -> clear -> ticked
  EXPECT_EQ(seen, (std::vector<int>{1, 0, 1})) << "setValue raised a click, or a bad cycle";
  EXPECT_EQ(ui->shownCheck(box), 1);
}

TEST_P(FormsContract, KeyboardStartsOnTheLowestTabIndexAndFollowsTheIndexesToALabelToo) {
  window->addCheckBox({"NUM", "Show NUM-LOCK", {120, 1200, 1695, 375}, 9, 1, {}});
  CheckBox& vert =
      window->addCheckBox({"VERT", "Use Vertical Lights", {120, 600, 1695, 375}, 5, 0, {}});
  LabelSpec credit = light("Created By", 1080);
  credit.tabIndex = 12;
  Label& link = window->addLabel(credit);
  window->addLabel(light("Plain", 120));  // no tab index: never focused
  Button& ok = window->addButton({"OK_BUTTON", "OK", {2000, 120, 1455, 495}, 4, {}});
  int pressed = 0, clicked = 0;
  ok.onClick = [&] { ++pressed; };
  link.onClick = [&] { ++clicked; };
  ui->show(*window);
  std::vector<std::string> order{ui->focused(*window)};
  for (int i = 0; i < 4; ++i) {
    if (!ui->type(*window, "\t")) GTEST_SKIP() << "no keyboard";
    order.push_back(ui->focused(*window));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"OK", "Use Vertical Lights", "Show NUM-LOCK",
                                             "Created By", "OK"}));
  ui->type(*window, "\r\t \t\t\r ");
  EXPECT_TRUE(ui->waitFor([&] { return pressed == 1 && vert.value() == 1 && clicked == 2; }, 2000));
}

// The owner's refresh timer is made as the program makes it: enabled, with an interval of 0.
TEST_P(FormsContract, TimersTickWithAnIntervalOnlyAndOnUnderAModalWindowThatReturnsOnceClosed) {
  ui->show(*window);
  int ownerTicks = 0, watchTicks = 0, unloads = 0;
  Timer& refresh = window->addTimer();
  refresh.onTimer = [&] { ++ownerTicks; };
  refresh.setEnabled(true);
  ui->waitFor([] { return false; }, 100);
  EXPECT_EQ(ownerTicks, 0) << "an interval of 0 ticked";
  refresh.setInterval(20);
  auto dialog = make("VESK_LIGHTS_SETTINGS", {6000, 6000, 5835, 4530});
  Timer& watch = dialog->addTimer();
  watch.onTimer = [&] {
    if (++watchTicks > 300 || ownerTicks >= 5) dialog->close();
  };
  watch.setInterval(30);
  watch.setEnabled(true);
  dialog->onUnload = [&] { ++unloads; };
  dialog->showModal(*window);
  EXPECT_GE(ownerTicks, 5) << "the owner's timer stopped under the modal window";
  EXPECT_EQ(unloads, 1);
  EXPECT_FALSE(ui->isShown(*dialog));
  refresh.setEnabled(false);
  const int stopped = ownerTicks;
  ui->waitFor([] { return false; }, 100);
  EXPECT_EQ(ownerTicks, stopped) << "a disabled timer ticked";
}

TEST_P(FormsContract, GeometryFollowsTheUserInTwipsAndIsReadAtTheOneUnload) {
  int unloads = 0;
  Rect seen;
  window->onUnload = [&] {
    ++unloads;
    seen = window->outerGeometry();
  };
  const Rect stored{1500, 1200, 3840, 945};
  EXPECT_EQ(window->outerGeometry(), stored) << "before showing";
  ui->show(*window);
  EXPECT_EQ(window->outerGeometry(), stored);
  ui->userMove(*window, {70, 90, 300, 120});
  ui->userClose(*window);
  window->close();
  EXPECT_TRUE(ui->waitFor([&] { return unloads > 0 && !ui->isShown(*window); }, 2000));
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(seen, (Rect{1050, 1350, 4500, 1800}));

  auto neverShown = make("VESK_LIGHTS_SETTINGS", {6000, 6000, 5835, 4530});
  neverShown->onUnload = [&] { ++unloads; };
  neverShown->close();
  neverShown->close();
  EXPECT_EQ(unloads, 2);
}

TEST_P(FormsContract, ToolTipsAndOneNoteBelowTheWindowThatLeavesItTheKeyboard) {
  Label& caps = window->addLabel(light("CAPS", 1080));
  ui->show(*window);
  caps.setToolTip("Caps Lock cannot be read here.");
  EXPECT_EQ(ui->toolTip(*window, caps), "Caps Lock cannot be read here.");
  caps.setToolTip("");
  EXPECT_EQ(ui->toolTip(*window, caps), "");
  window->showNote("first");
  window->showNote("This session does not let programs flip lock keys.");
  EXPECT_EQ(ui->noteBelow(*window), "This session does not let programs flip lock keys.");
  EXPECT_TRUE(ui->hasKeyboard(*window)) << "the note took the keyboard";
}

INSTANTIATE_TEST_SUITE_P(Every, FormsContract, ::testing::ValuesIn(formsBackends()),
                         nameOf<FormsBackend>);

}  // namespace
}  // namespace vesk::test
