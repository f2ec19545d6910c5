#pragma once
// What every start-at-login backend promises, run on each one by
// INSTANTIATE_TYPED_TEST_SUITE_P(Name, AutostartContract, Backend). A Backend holds `entry`,
// an Autostart on an entry of its own that starts absent, and `removeByHand()`.

#include <gtest/gtest.h>

#include "platform/autostart.h"

template <typename Backend>
struct AutostartContract : ::testing::Test {
  Backend backend;
};
TYPED_TEST_SUITE_P(AutostartContract);

TYPED_TEST_P(AutostartContract, TurnsOnAndOffAndAnEntryRemovedByHandReadsAsOff) {
  vesk::platform::Autostart& entry = this->backend.entry;
  EXPECT_FALSE(entry.enabled());
  ASSERT_TRUE(entry.setEnabled(true)) << entry.problem();
  EXPECT_TRUE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(true)) << "turning on twice";
  this->backend.removeByHand();
  EXPECT_FALSE(entry.enabled());
  ASSERT_TRUE(entry.setEnabled(true));
  EXPECT_TRUE(entry.setEnabled(false)) << entry.problem();
  EXPECT_FALSE(entry.enabled());
  EXPECT_TRUE(entry.setEnabled(false)) << "turning off what is off is no failure";
  EXPECT_EQ(entry.problem(), "");
}

REGISTER_TYPED_TEST_SUITE_P(AutostartContract, TurnsOnAndOffAndAnEntryRemovedByHandReadsAsOff);
