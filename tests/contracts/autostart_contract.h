#pragma once
// What every start-at-login backend promises. A backend's test instantiates it with a type
// that gives `Autostart& autostart()` on an entry of its own, and `removeByHand()`.

#include <gtest/gtest.h>

#include "platform/autostart.h"

template <typename Backend>
class AutostartContract : public ::testing::Test {
 protected:
  Backend backend;
};
TYPED_TEST_SUITE_P(AutostartContract);

TYPED_TEST_P(AutostartContract, TurnsOnAndOffAndSeesHandEdits) {
  vesk::platform::Autostart& entry = this->backend.autostart();
  EXPECT_FALSE(entry.enabled());
  ASSERT_TRUE(entry.setEnabled(true)) << entry.problem();
  EXPECT_TRUE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(true)) << "turning on twice";
  this->backend.removeByHand();
  EXPECT_FALSE(entry.enabled()) << "an entry removed by hand reads as off";
  ASSERT_TRUE(entry.setEnabled(true));
  EXPECT_TRUE(entry.setEnabled(false)) << entry.problem();
  EXPECT_FALSE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(false)) << "turning off what is off is no failure";
  EXPECT_EQ(entry.problem(), "");
}

REGISTER_TYPED_TEST_SUITE_P(AutostartContract, TurnsOnAndOffAndSeesHandEdits);
