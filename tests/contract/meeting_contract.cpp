// The meeting point's promises, on every backend of the build: one first copy per session, a
// later start that reaches it, and a stranger's bytes that change nothing and hold nothing up.
// Then what a start decides, as it finds its session, on the fake.

#include <gtest/gtest.h>

#include <future>
#include <tuple>

#include "app/one_copy.h"
#include "backends.h"
#include "platform/fake/fake_meeting_point.h"

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

TEST_P(MeetingContract, TheFirstCopyShowsItsWindowForEachLaterStartAndForNothingElse) {
  ASSERT_EQ(first->claim(), Claim::First) << first->problem();
  auto later = session->copy();
  auto decided = std::async(std::launch::async, [&] { return app::claimOrShowFirst(*later); });
  session->waitFor([] { return false; }, 300);  // the first copy is still starting
  first->listen();
  EXPECT_TRUE(session->waitFor([&] { return shown == 1; }, 5000));
  EXPECT_FALSE(decided.get().run) << "the later start runs beside the first";

  session->stranger();
  EXPECT_FALSE(session->waitFor([&] { return shown > 1; }, 500)) << "shown twice, or for garbage";
  auto asked = std::async(std::launch::async, [&] { return later->askToShow(); });
  EXPECT_TRUE(session->waitFor([&] { return shown == 2; }, 1000)) << "the request was held up";
  EXPECT_TRUE(asked.get());

  first->stopListening();  // as it ends: a start meanwhile is not told "shown"
  EXPECT_FALSE(later->askToShow()) << "a copy on its way out took the request";
  EXPECT_EQ(later->claim(), Claim::Other);
  first.reset();  // then gone, or killed: nothing of it stops the next start
  EXPECT_EQ(later->claim(), Claim::First);
  EXPECT_EQ(session->copy()->claim(), Claim::Other);
}

INSTANTIATE_TEST_SUITE_P(Every, MeetingContract, ::testing::ValuesIn(meetingBackends()),
                         nameOf<MeetingBackend>);

// Found: 's' a first copy that never answers, 'l' one that goes at the second pause, 'x' no
// place to meet. Each time the start runs; then whether it says why, and how often it paused.
TEST(OneCopy, AStartRunsWhereNoFirstCopyAnswersAndSaysWhyItRunsBesideOne) {
  for (const auto& [found, noted, pauses] :
       std::vector<std::tuple<char, bool, int>>{{'s', true, 5}, {'l', false, 2}, {'x', true, 0}}) {
    platform::fake::FakeSession session;
    if (found == 'x') session.problem = "There is nowhere to meet.";
    auto first = std::make_unique<platform::fake::FakeMeetingPoint>(session);
    first->claim();
    platform::fake::FakeMeetingPoint start(session);
    int paused = 0;
    const auto [ran, note] = app::claimOrShowFirst(
        start, [&] { ++paused == 2 && found == 'l' ? first.reset() : void(); }, 5);
    EXPECT_EQ(std::tuple(ran, !note.empty(), paused), std::tuple(true, noted, pauses)) << found;
  }
}

}  // namespace
}  // namespace vesk::test
