#include "core/lock_rules.h"

#include "core/control_chars.h"

LockInputFault CheckLockInput(std::u16string_view password, std::u16string_view confirmation, int items) {
  if (password.empty() || confirmation.empty() || password != confirmation)
    return {9962, LockInputFrame::Confirmation};
  if (password.size() < static_cast<size_t>(kLockPasswordMin)) return {9963, LockInputFrame::Password};
  if (password.size() > static_cast<size_t>(kLockPasswordMax)) return {9964, LockInputFrame::Password};
  if (HasControlChars(password)) return {9965, LockInputFrame::Password};
  if ((items & (kLockItemService | kLockItemConfiguration | kLockItemMonitor)) == 0)
    return {9966, LockInputFrame::Items};
  return {};
}

bool ResetStatisticsAllowed(bool sensorLocked, int lockedItems, bool loggedIn) {
  return !(sensorLocked && (lockedItems & kLockItemMonitor) && !loggedIn);
}
