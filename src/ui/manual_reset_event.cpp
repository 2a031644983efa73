#include "ui/manual_reset_event.h"

#include <chrono>

namespace ui {

void ManualResetEvent::set() {
  {
    std::lock_guard lk(mu_);
    set_ = true;
  }
  cv_.notify_all();
}

void ManualResetEvent::reset() {
  std::lock_guard lk(mu_);
  set_ = false;
}

bool ManualResetEvent::isSet() const {
  std::lock_guard lk(mu_);
  return set_;
}

bool ManualResetEvent::wait(int ms) const {
  std::unique_lock lk(mu_);
  if (ms < 0) {
    cv_.wait(lk, [this] { return set_; });
    return true;
  }
  return cv_.wait_for(lk, std::chrono::milliseconds(ms), [this] { return set_; });
}

}  // namespace ui
