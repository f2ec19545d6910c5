// What a start does, as it finds its session: each row one session, played on the fake.

#include <gtest/gtest.h>

#include "app/one_copy.h"
#include "platform/fake/fake_meeting_point.h"

using namespace vesk;

TEST(OneCopy, AStartRunsUnlessAFirstCopyAnswersAndSaysWhyItRunsBesideOne) {
  enum Found { Nobody, Answering, Starting, Leaving, NoPlace };
  const struct {
    Found found;
    bool run, noted;
    int pauses;
  } rows[] = {{Nobody, true, false, 0},
              {Answering, false, false, 0},
              {Starting, true, true, 5},  // never answers: it runs too, and says so
              {Leaving, true, false, 2},  // taken over once it has gone
              {NoPlace, true, true, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.found);
    platform::fake::FakeSession session;
    if (row.found == NoPlace) session.problem = "There is nowhere to meet.";
    auto first = std::make_unique<platform::fake::FakeMeetingPoint>(session);
    if (row.found != Nobody) first->claim();
    if (row.found == Answering) first->listen();
    platform::fake::FakeMeetingPoint start(session);
    int pauses = 0;
    const auto decided = app::claimOrShowFirst(
        start, [&] { ++pauses == 2 && row.found == Leaving ? first.reset() : void(); }, 5);
    EXPECT_EQ(decided.run, row.run);
    EXPECT_EQ(!decided.note.empty(), row.noted) << decided.note;
    EXPECT_EQ(pauses, row.pauses);
  }
}
