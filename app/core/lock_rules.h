#pragma once
// Rules of the password lock that need no window: the lock dialog's input
// checks, in the order the dialog runs them, and who may reset statistics.
#include <string_view>

// Protected items of a lock (bits of m_nLockedItems).
inline constexpr int kLockItemService = 1;
inline constexpr int kLockItemConfiguration = 2;
inline constexpr int kLockItemMonitor = 4;

// The password's limits in the lock dialog.
inline constexpr int kLockPasswordMin = 5;
inline constexpr int kLockPasswordMax = 15;

enum class LockInputFrame { None, Password, Confirmation, Items };

struct LockInputFault {
  int textId = 0;  // 0: the input passes
  LockInputFrame frame = LockInputFrame::None;
};

// The first failing check: 9962 different or empty, 9963 too short, 9964
// too long, 9965 a control character, 9966 no item ticked.
LockInputFault CheckLockInput(std::u16string_view password, std::u16string_view confirmation, int items);

// The monitor's "Reset statistics" button: on unless the sensor is locked
// with the monitor item and the user has not logged in.
bool ResetStatisticsAllowed(bool sensorLocked, int lockedItems, bool loggedIn);
