// The lock dialog's input checks in their order, the reset-statistics rule
// and the texts of a failed software update.
#include <gtest/gtest.h>

#include "core/lock_rules.h"
#include "core/update_result_text.h"

namespace {

struct InputCase {
  const char16_t* password;
  const char16_t* confirmation;
  int items;
  int textId;
  LockInputFrame frame;
};

TEST(LockInput, ChecksRunInOrderAndStopAtTheFirstFailure) {
  using F = LockInputFrame;
  const InputCase cases[] = {
      {u"", u"", 6, 9962, F::Confirmation},            // equal but empty
      {u"abcde", u"abcdE", 6, 9962, F::Confirmation},  // case matters
      {u"abcde", u"", 0, 9962, F::Confirmation},       // first check wins over the items
      {u"abcd", u"abcd", 6, 9963, F::Password},
      {u"abcde", u"abcde", 6, 0, F::None},
      {u"abcdefghijklmno", u"abcdefghijklmno", 1, 0, F::None},
      {u"abcdefghijklmnop", u"abcdefghijklmnop", 1, 9964, F::Password},
      {u"ab\tcde", u"ab\tcde", 6, 9965, F::Password},
      {u"ab\u0085cde", u"ab\u0085cde", 6, 9965, F::Password},
      {u"Pässwörd€", u"Pässwörd€", 4, 0, F::None},
      {u"abcde", u"abcde", 0, 9966, F::Items},
      {u"abcd\t", u"abcd\t", 0, 9965, F::Password},  // the control character before the items
      {u"abcde", u"abcde", 8, 9966, F::Items},       // no known item
  };
  for (const InputCase& c : cases) {
    const LockInputFault fault = CheckLockInput(c.password, c.confirmation, c.items);
    EXPECT_EQ(fault.textId, c.textId) << std::u16string(c.password).size() << " items " << c.items;
    EXPECT_EQ(fault.frame, c.frame) << fault.textId;
  }
}

TEST(ResetStatistics, OffOnlyWhileTheMonitorIsLockedAndNobodyLoggedIn) {
  struct Case {
    bool locked;
    int items;
    bool loggedIn;
    bool allowed;
  } const cases[] = {
      {false, 0, false, true}, {true, 2, false, true},  {true, 4, false, false},
      {true, 6, false, false}, {true, 4, true, true},   {true, 7, true, true},
      {false, 4, false, true},  // a mask left without a lock protects nothing
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResetStatisticsAllowed(c.locked, c.items, c.loggedIn), c.allowed)
        << c.locked << " " << c.items << " " << c.loggedIn;
}

TEST(UpdateFailure, TextByStatus) {
  const std::u16string heading = u"Update failed:";
  const std::u16string own = u"The sensor could not take it.";
  struct Case {
    int status;
    std::u16string text;
  } const cases[] = {
      {-1, u"[-1] Update failed: The sensor could not take it."},
      {-4, u"[-4] Update failed: The sensor could not take it."},
      {0, u"[0] Update failed: The sensor could not take it."},
      {4, u"[4] Update failed: Sensor is not in waiting state"},
      {5, u"[5] Update failed: Not enough memory available to save images in RAM"},
      {15, u"[15] Update failed: Update file is not valid for this sensor type"},
      {16, u"[16] Update failed: No error description"},
  };
  for (const Case& c : cases) EXPECT_EQ(UpdateFailureText(c.status, heading, own), c.text) << c.status;
  // A transfer that got no answer: code 5 says nothing of the sensor's memory.
  EXPECT_EQ(UpdateFailureText(5, heading, own, u"The connection was lost."),
            u"[5] Update failed: The connection was lost.");
}

}  // namespace
