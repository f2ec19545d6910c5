// The meeting point's promises, on every backend of the build: one first copy per session, a
// later start that reaches it, and a stranger's bytes that change nothing and hold nothing up.

#include <gtest/gtest.h>

#include <future>

#include "app/one_copy.h"
#include "backends.h"

namespace vesk::test {
namespace {

using Claim = platform::MeetingPoint::Claim;

class MeetingContract : public ::testing::TestWithParam<Maker<MeetingBackend>> {
 protected:
  std::unique_ptr<MeetingBackend> session = GetParam().make();
  std::unique_ptr<platform::MeetingPoint> first = session->copy();
  int shown = 0;
  void SetUp() override {
    first->onShow = [this] { ++shown; };
  }
};

TEST_P(MeetingContract, ALaterStartShowsTheFirstCopyAndAGoneOneIsTakenOver) {
  ASSERT_EQ(first->claim(), Claim::First) << first->problem();
  EXPECT_EQ(first->claim(), Claim::First) << "asked again";
  auto later = session->copy();
  auto decided = std::async(std::launch::async, [&] { return app::claimOrShowFirst(*later); });
  session->waitFor([] { return false; }, 300);  // the first copy is still starting
  first->listen();
  EXPECT_TRUE(session->waitFor([&] { return shown == 1; }, 5000));
  EXPECT_FALSE(decided.get().run) << "the later start runs beside the first";
  EXPECT_FALSE(session->waitFor([&] { return shown > 1; }, 200));

  first.reset();  // as if killed: nothing of it stops the next start
  EXPECT_EQ(later->claim(), Claim::First);
  EXPECT_EQ(session->copy()->claim(), Claim::Other);
}

TEST_P(MeetingContract, WhatIsNotTheRequestIsDroppedAndHoldsNothingUp) {
  ASSERT_EQ(first->claim(), Claim::First) << first->problem();
  first->listen();
  const bool garbage = session->sendGarbage(), silent = session->connectSilent();
  if (!garbage && !silent) GTEST_SKIP() << "nothing but the request reaches this meeting point";
  EXPECT_FALSE(session->waitFor([&] { return shown > 0; }, 500)) << "garbage showed the window";
  auto later = session->copy();
  ASSERT_EQ(later->claim(), Claim::Other);
  auto asked = std::async(std::launch::async, [&] { return later->askToShow(); });
  EXPECT_TRUE(session->waitFor([&] { return shown == 1; }, 1000)) << "the request was held up";
  EXPECT_TRUE(asked.get());
}

INSTANTIATE_TEST_SUITE_P(Every, MeetingContract, ::testing::ValuesIn(meetingBackends()),
                         nameOf<MeetingBackend>);

}  // namespace
}  // namespace vesk::test
