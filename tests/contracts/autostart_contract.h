#pragma once
// What every start-at-login backend promises. Each backend's test calls it with a type that
// gives `Autostart& autostart()` on an entry of its own, and `removeByHand()`.

#include <gtest/gtest.h>

#include "platform/autostart.h"

template <typename Backend>
void checkAutostartContract() {
  Backend backend;
  vesk::platform::Autostart& entry = backend.autostart();
  EXPECT_FALSE(entry.enabled());
  ASSERT_TRUE(entry.setEnabled(true)) << entry.problem();
  EXPECT_TRUE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(true)) << "turning on twice";
  backend.removeByHand();
  EXPECT_FALSE(entry.enabled()) << "an entry removed by hand reads as off";
  ASSERT_TRUE(entry.setEnabled(true));
  EXPECT_TRUE(entry.setEnabled(false)) << entry.problem();
  EXPECT_FALSE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(false)) << "turning off what is off is no failure";
  EXPECT_EQ(entry.problem(), "");
}
