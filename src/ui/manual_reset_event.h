#pragma once
// An event that stays signalled until reset, like the platform's manual-reset
// events the worker and the serial monitor wait on.

#include <condition_variable>
#include <mutex>

namespace ui {

class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  // Wakes every waiter; later waits return at once until reset().
  void set();
  void reset();
  bool isSet() const;
  // True when the event is (or becomes) set within `ms` milliseconds;
  // a negative `ms` waits without limit.
  bool wait(int ms = -1) const;

 private:
  mutable std::mutex mu_;
  mutable std::condition_variable cv_;
  bool set_;
};

}  // namespace ui
