#pragma once
// Hands the newest of a stream of values (live frames, frame numbers) from
// producer threads to the GUI thread without ever building a queue: at most
// one notification is pending, and its receiver takes whatever is newest when
// it runs. Values offered meanwhile replace each other. No toolkit here; the
// notify function is what reaches the GUI thread (a queued call, a post).
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

template <class T>
class LatestHandover {
public:
  // Called on the offering thread, outside the lock, when a notification must
  // go out; returns false when it could not be delivered (a closed window),
  // so that the next offer tries again.
  using Notify = std::function<bool()>;

  struct Counts {
    std::uint64_t offered = 0;
    std::uint64_t notified = 0;  // notifications that went out
    std::uint64_t taken = 0;
    std::uint64_t replaced = 0;  // values dropped for a newer one before they were taken
  };

  explicit LatestHandover(Notify notify) : notify_(std::move(notify)) {}
  LatestHandover(const LatestHandover&) = delete;
  LatestHandover& operator=(const LatestHandover&) = delete;

  // Any thread. Keeps value as the newest; true when this offer notified.
  bool offer(T value) {
    {
      std::lock_guard lock(mutex_);
      ++counts_.offered;
      if (newest_) ++counts_.replaced;
      newest_ = std::move(value);
      if (pending_) return false;
      pending_ = true;
    }
    const bool delivered = notify_ && notify_();
    std::lock_guard lock(mutex_);
    if (delivered)
      ++counts_.notified;
    else
      pending_ = false;
    return delivered;
  }

  // The receiver of the notification: the newest value (nothing when it was
  // already taken or dropped), and the notification counts as handled.
  std::optional<T> take() {
    std::lock_guard lock(mutex_);
    pending_ = false;
    std::optional<T> out;
    out.swap(newest_);
    if (out) ++counts_.taken;
    return out;
  }

  // Forgets a value not yet taken (the stream stopped); a pending
  // notification still arrives and finds nothing.
  void drop() {
    std::lock_guard lock(mutex_);
    newest_.reset();
  }

  bool pending() const {
    std::lock_guard lock(mutex_);
    return pending_;
  }
  Counts counts() const {
    std::lock_guard lock(mutex_);
    return counts_;
  }

private:
  Notify notify_;
  mutable std::mutex mutex_;
  std::optional<T> newest_;
  bool pending_ = false;
  Counts counts_;
};
