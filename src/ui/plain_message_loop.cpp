#include "ui/plain_message_loop.h"

#include <algorithm>

namespace ui {

struct PlainMessageLoop::PendingSend {
  enum State { Queued, Running, Done, Abandoned };
  Message msg;
  SendCancel* cancel = nullptr;
  State state = Queued;
  bool handled = false;
  std::int64_t result = 0;
};

PlainMessageLoop::PlainMessageLoop() = default;

PlainMessageLoop::~PlainMessageLoop() {
  std::unique_lock lk(mu_);
  closing_ = true;
  abandonSends();
  wake_.notify_all();
  // Senders still inside send() touch our members when they wake.
  sendDone_.wait(lk, [this] { return activeSenders_ == 0; });
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

void PlainMessageLoop::cancelSends(SendCancel& cancel) {
  std::lock_guard lk(mu_);
  cancel.cancelled = true;
  // A send already running finishes; queued ones are dropped unhandled.
  for (auto it = sends_.begin(); it != sends_.end();) {
    if ((*it)->cancel == &cancel) {
      (*it)->state = PendingSend::Abandoned;
      it = sends_.erase(it);
    } else {
      ++it;
    }
  }
  sendDone_.notify_all();
}

bool PlainMessageLoop::sendWith(Message m, SendCancel* cancel, std::int64_t* result) {
  if (cancel && cancel->cancelled) return false;
  if (isUiThread()) {
    MessageHandler h;
    {
      std::lock_guard lk(mu_);
      if (closing_ || !handler_) return false;
      h = handler_;
    }
    std::int64_t r = h(m);
    if (result) *result = r;
    return true;
  }

  auto pending = std::make_shared<PendingSend>();
  pending->msg = std::move(m);
  pending->cancel = cancel;
  std::unique_lock lk(mu_);
  // Checked again under the lock: cancelSends() may have run meanwhile.
  if (closing_ || (cancel && cancel->cancelled)) return false;
  ++activeSenders_;
  sends_.push_back(pending);
  wake_.notify_all();
  sendDone_.wait(lk, [&] {
    return pending->state == PendingSend::Done || pending->state == PendingSend::Abandoned;
  });
  --activeSenders_;
  bool ok = pending->state == PendingSend::Done && pending->handled;
  if (ok && result) *result = pending->result;
  if (activeSenders_ == 0) sendDone_.notify_all();  // the destructor may be waiting
  return ok;
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
    abandonSends();
  }
  wake_.notify_all();
}

bool PlainMessageLoop::closing() const { return closing_; }

int PlainMessageLoop::waitingSends() const {
  std::lock_guard lk(mu_);
  return static_cast<int>(sends_.size());
}

void PlainMessageLoop::abandonSends() {
  for (auto& s : sends_) s->state = PendingSend::Abandoned;
  sends_.clear();
  sendDone_.notify_all();
}

bool PlainMessageLoop::handleOne(std::unique_lock<std::mutex>& lk, bool block,
                                 Clock::time_point deadline) {
  if (closing_) return false;

  if (!sends_.empty()) {
    auto pending = sends_.front();
    sends_.pop_front();
    pending->state = PendingSend::Running;
    MessageHandler h = handler_;
    lk.unlock();
    std::int64_t r = h ? h(pending->msg) : 0;
    lk.lock();
    pending->result = r;
    pending->handled = static_cast<bool>(h);
    pending->state = PendingSend::Done;
    sendDone_.notify_all();
    return true;
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
