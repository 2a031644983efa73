#include "ui/plain_message_loop.h"

#include <algorithm>

namespace ui {

// The waker takes the lock so that a send queued between the UI thread's
// check and its wait is not missed.
PlainMessageLoop::PlainMessageLoop()
    : sends_([this] {
        { std::lock_guard lk(mu_); }
        wake_.notify_all();
      }) {}

PlainMessageLoop::~PlainMessageLoop() {
  {
    std::lock_guard lk(mu_);
    closing_ = true;
  }
  sends_.close();
  wake_.notify_all();
}

void PlainMessageLoop::setHandler(MessageHandler h) {
  std::lock_guard lk(mu_);
  handler_ = std::move(h);
}

void PlainMessageLoop::setTimerHandler(TimerHandler h) {
  std::lock_guard lk(mu_);
  timerHandler_ = std::move(h);
}

void PlainMessageLoop::post(Message m) {
  {
    std::lock_guard lk(mu_);
    if (closing_) return;
    posts_.push_back(std::move(m));
  }
  wake_.notify_all();
}

bool PlainMessageLoop::send(Message m, std::int64_t* result) {
  return sendWith(std::move(m), nullptr, result);
}

bool PlainMessageLoop::sendCancellable(Message m, SendCancel& cancel, std::int64_t* result) {
  return sendWith(std::move(m), &cancel, result);
}

void PlainMessageLoop::cancelSends(SendCancel& cancel) { sends_.cancel(cancel); }

bool PlainMessageLoop::sendWith(Message m, SendCancel* cancel, std::int64_t* result) {
  if (!isUiThread()) return sends_.sendAndWait(std::move(m), cancel, result);
  MessageHandler h;
  {
    std::lock_guard lk(mu_);
    if (closing_) return false;
    h = handler_;
  }
  return SendQueue::callDirect(h, m, cancel, result);
}

void PlainMessageLoop::setTimer(int id, int periodMs) {
  {
    std::lock_guard lk(mu_);
    int period = std::max(periodMs, 1);  // a zero period would spin
    timers_[id] = Timer{period, Clock::now() + std::chrono::milliseconds(period)};
  }
  wake_.notify_all();
}

void PlainMessageLoop::killTimer(int id) {
  std::lock_guard lk(mu_);
  timers_.erase(id);
}

bool PlainMessageLoop::isUiThread() const {
  return uiThread_.load() == std::this_thread::get_id();
}

void PlainMessageLoop::setUiThread(std::thread::id id) { uiThread_ = id; }

int PlainMessageLoop::run() {
  setUiThread();
  std::unique_lock lk(mu_);
  while (!closing_) handleOne(lk, true, Clock::time_point::max());
  return quitCode_;
}

int PlainMessageLoop::runPending() {
  setUiThread();
  std::unique_lock lk(mu_);
  int handled = 0;
  while (handleOne(lk, false, {})) ++handled;
  return handled;
}

bool PlainMessageLoop::runUntil(const std::function<bool()>& done, int timeoutMs) {
  setUiThread();
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    if (done()) return true;
    std::unique_lock lk(mu_);
    if (closing_ || Clock::now() >= deadline) break;
    handleOne(lk, true, deadline);
  }
  return done();
}

void PlainMessageLoop::quit(int code) {
  {
    std::lock_guard lk(mu_);
    if (closing_) return;
    closing_ = true;
    quitCode_ = code;
    posts_.clear();
    sends_.close();
  }
  wake_.notify_all();
}

bool PlainMessageLoop::closing() const { return closing_; }

int PlainMessageLoop::waitingSends() const { return sends_.waiting(); }

bool PlainMessageLoop::handleOne(std::unique_lock<std::mutex>& lk, bool block,
                                 Clock::time_point deadline) {
  if (closing_) return false;

  if (!sends_.empty()) {
    MessageHandler h = handler_;
    lk.unlock();
    const bool ran = sends_.runOne(h);  // may have been cancelled meanwhile
    lk.lock();
    return ran;
  }

  if (!posts_.empty()) {
    Message m = std::move(posts_.front());
    posts_.pop_front();
    MessageHandler h = handler_;
    lk.unlock();
    if (h) h(m);
    lk.lock();
    return true;
  }

  const auto now = Clock::now();
  auto next = std::min_element(timers_.begin(), timers_.end(),
                               [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
  if (next != timers_.end() && next->second.due <= now) {
    const int id = next->first;
    Timer& t = next->second;
    t.due += std::chrono::milliseconds(t.periodMs);
    if (t.due <= now) t.due = now + std::chrono::milliseconds(t.periodMs);
    TimerHandler h = timerHandler_;
    lk.unlock();
    if (h) h(id);
    lk.lock();
    return true;
  }

  if (!block) return false;
  Clock::time_point until = deadline;
  if (next != timers_.end()) until = std::min(until, next->second.due);
  if (until == Clock::time_point::max()) {
    wake_.wait(lk);
  } else if (until > now) {
    wake_.wait_until(lk, until);
  }
  return false;
}

}  // namespace ui
