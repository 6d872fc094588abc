#pragma once
// m_bBusy: a byte flag that tells one watcher each time it rises or falls.
// Dozens of handlers set and clear it; the window's wait cursor follows it
// through the watcher, so no way out of busy can leave the cursor behind.
// A copy takes the value only, never the watcher.
#include <cstdint>
#include <functional>

class BusyFlag {
public:
  BusyFlag() = default;
  BusyFlag(const BusyFlag& other) : value_(other.value_) {}
  BusyFlag& operator=(const BusyFlag& other) { return *this = other.value_; }
  BusyFlag& operator=(std::uint8_t value) {
    const bool was = value_ != 0;
    value_ = value;
    if (watcher_ && was != (value != 0)) watcher_(value != 0);
    return *this;
  }
  operator std::uint8_t() const { return value_; }

  // Called with the new state on every change between clear and set.
  void setWatcher(std::function<void(bool)> watcher) { watcher_ = std::move(watcher); }

private:
  std::uint8_t value_ = 0;
  std::function<void(bool)> watcher_;
};
