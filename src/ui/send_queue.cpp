#include "ui/send_queue.h"

#include <utility>

namespace ui {

struct SendQueue::Pending {
  enum State { Queued, Running, Done, Dropped };
  Message msg;
  SendCancel* cancel = nullptr;
  State state = Queued;
  bool handled = false;
  std::int64_t result = 0;
};

SendQueue::SendQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

SendQueue::~SendQueue() {
  std::unique_lock lk(mu_);
  closed_ = true;
  abandonAll();
  // Senders still inside sendAndWait() touch our members when they wake.
  done_.wait(lk, [this] { return activeSenders_ == 0; });
}

bool SendQueue::callDirect(const MessageHandler& h, const Message& m, const SendCancel* cancel,
                           std::int64_t* result) {
  if (!h || (cancel && cancel->cancelled.load())) return false;
  const std::int64_t r = h(m);
  if (result) *result = r;
  return true;
}

bool SendQueue::sendAndWait(Message m, SendCancel* cancel, std::int64_t* result) {
  if (cancel && cancel->cancelled.load()) return false;
  auto pending = std::make_shared<Pending>();
  pending->msg = std::move(m);
  pending->cancel = cancel;
  std::unique_lock lk(mu_);
  // Checked again under the lock: cancel() may have run meanwhile.
  if (closed_ || (cancel && cancel->cancelled.load())) return false;
  ++activeSenders_;
  queue_.push_back(pending);
  lk.unlock();
  if (wake_) wake_();
  lk.lock();
  done_.wait(lk, [&] { return pending->state == Pending::Done || pending->state == Pending::Dropped; });
  --activeSenders_;
  const bool ok = pending->state == Pending::Done && pending->handled;
  if (ok && result) *result = pending->result;
  if (activeSenders_ == 0) done_.notify_all();  // the destructor may be waiting
  return ok;
}

bool SendQueue::runOne(const MessageHandler& h) {
  std::unique_lock lk(mu_);
  if (closed_ || queue_.empty()) return false;
  auto pending = queue_.front();
  queue_.pop_front();
  pending->state = Pending::Running;
  lk.unlock();
  const std::int64_t r = h ? h(pending->msg) : 0;
  lk.lock();
  pending->result = r;
  pending->handled = static_cast<bool>(h);
  pending->state = Pending::Done;
  done_.notify_all();
  return true;
}

void SendQueue::cancel(SendCancel& cancel) {
  std::lock_guard lk(mu_);
  cancel.cancelled = true;
  for (auto it = queue_.begin(); it != queue_.end();) {
    if ((*it)->cancel == &cancel) {
      (*it)->state = Pending::Dropped;
      it = queue_.erase(it);
    } else {
      ++it;
    }
  }
  done_.notify_all();
}

void SendQueue::close() {
  std::lock_guard lk(mu_);
  closed_ = true;
  abandonAll();
}

void SendQueue::abandonAll() {
  for (auto& p : queue_) p->state = Pending::Dropped;
  queue_.clear();
  done_.notify_all();
}

bool SendQueue::empty() const {
  std::lock_guard lk(mu_);
  return queue_.empty();
}

int SendQueue::waiting() const {
  std::lock_guard lk(mu_);
  return static_cast<int>(queue_.size());
}

}  // namespace ui
