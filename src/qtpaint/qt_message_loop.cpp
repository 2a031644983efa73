#include "qtpaint/qt_message_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>

namespace qtpaint {
namespace {

// One event type wakes the drain; the messages themselves stay in our queues
// so that waiting sends can overtake posts.
const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

QtMessageLoop::QtMessageLoop() : uiThread_(std::this_thread::get_id()), sends_([this] { wake(); }) {}

QtMessageLoop::~QtMessageLoop() {
  {
    std::lock_guard lk(mu_);
    closing_ = true;
  }
  sends_.close();
}

void QtMessageLoop::setHandler(ui::MessageHandler h) {
  std::lock_guard lk(mu_);
  handler_ = std::move(h);
}

void QtMessageLoop::setTimerHandler(ui::TimerHandler h) {
  std::lock_guard lk(mu_);
  timerHandler_ = std::move(h);
}

void QtMessageLoop::wake() {
  if (wakeQueued_.exchange(true)) return;
  QCoreApplication::postEvent(this, new QEvent(kWakeEvent));
}

bool QtMessageLoop::event(QEvent* e) {
  if (e->type() != kWakeEvent) return QObject::event(e);
  wakeQueued_ = false;
  drain();
  return true;
}

void QtMessageLoop::post(ui::Message m) {
  {
    std::lock_guard lk(mu_);
    if (closing_) return;
    posts_.push_back(std::move(m));
  }
  wake();
}

bool QtMessageLoop::send(ui::Message m, std::int64_t* result) {
  return sendWith(std::move(m), nullptr, result);
}

bool QtMessageLoop::sendCancellable(ui::Message m, ui::SendCancel& cancel, std::int64_t* result) {
  return sendWith(std::move(m), &cancel, result);
}

void QtMessageLoop::cancelSends(ui::SendCancel& cancel) { sends_.cancel(cancel); }

bool QtMessageLoop::sendWith(ui::Message m, ui::SendCancel* cancel, std::int64_t* result) {
  if (!isUiThread()) return sends_.sendAndWait(std::move(m), cancel, result);
  ui::MessageHandler h;
  {
    std::lock_guard lk(mu_);
    if (closing_) return false;
    h = handler_;
  }
  return ui::SendQueue::callDirect(h, m, cancel, result);
}

bool QtMessageLoop::runOneSend() {
  if (sends_.empty()) return false;  // drain() asks before every post
  ui::MessageHandler h;
  {
    std::lock_guard lk(mu_);
    if (closing_) return false;
    h = handler_;
  }
  return sends_.runOne(h);
}

void QtMessageLoop::drain() {
  while (runOneSend()) {
  }
  // Only what was queued when we started: Qt's own events (paint, input)
  // get their turn between batches.
  std::size_t batch;
  {
    std::lock_guard lk(mu_);
    batch = posts_.size();
  }
  for (std::size_t i = 0; i < batch; ++i) {
    while (runOneSend()) {
    }
    ui::Message m;
    ui::MessageHandler h;
    {
      std::lock_guard lk(mu_);
      if (closing_ || posts_.empty()) return;
      m = std::move(posts_.front());
      posts_.pop_front();
      h = handler_;
    }
    if (h) h(m);
  }
  while (runOneSend()) {
  }
  bool more;
  {
    std::lock_guard lk(mu_);
    more = !closing_ && (!posts_.empty() || !sends_.empty());
  }
  if (more) wake();
}

void QtMessageLoop::setTimer(int id, int periodMs) {
  {
    std::lock_guard lk(mu_);
    if (closing_) return;
    timers_[id] = TimerEntry{std::max(periodMs, 1), nextGeneration_++};
  }
  if (isUiThread()) syncTimers();
  else QMetaObject::invokeMethod(this, [this] { syncTimers(); }, Qt::QueuedConnection);
}

void QtMessageLoop::killTimer(int id) {
  {
    std::lock_guard lk(mu_);
    timers_.erase(id);
  }
  if (isUiThread()) syncTimers();
  else QMetaObject::invokeMethod(this, [this] { syncTimers(); }, Qt::QueuedConnection);
}

void QtMessageLoop::syncTimers() {
  std::map<int, TimerEntry> wanted;
  {
    std::lock_guard lk(mu_);
    wanted = timers_;
  }
  for (auto it = qtTimers_.begin(); it != qtTimers_.end();) {
    auto w = wanted.find(it->first);
    if (w == wanted.end() || w->second.generation != it->second.second) {
      delete it->second.first;
      it = qtTimers_.erase(it);
    } else {
      ++it;
    }
  }
  for (const auto& [id, entry] : wanted) {
    if (qtTimers_.count(id)) continue;
    auto* t = new QTimer(this);
    t->setTimerType(Qt::PreciseTimer);
    t->setInterval(entry.periodMs);
    const int timerId = id;
    const unsigned generation = entry.generation;
    connect(t, &QTimer::timeout, this, [this, timerId, generation] { onTimer(timerId, generation); });
    t->start();
    qtTimers_[id] = {t, generation};
  }
}

void QtMessageLoop::onTimer(int id, unsigned generation) {
  ui::TimerHandler h;
  {
    std::lock_guard lk(mu_);
    auto it = timers_.find(id);
    // Killed or replaced from another thread since the tick was queued.
    if (closing_ || it == timers_.end() || it->second.generation != generation) return;
    h = timerHandler_;
  }
  if (h) h(id);
}

bool QtMessageLoop::isUiThread() const { return std::this_thread::get_id() == uiThread_; }

int QtMessageLoop::run() {
  if (!closing_) {
    running_ = true;
    const int r = QCoreApplication::exec();
    running_ = false;
    quit(r);  // the event loop may also end without us (last window closed)
  }
  std::lock_guard lk(mu_);
  return quitCode_;
}

void QtMessageLoop::quit(int code) {
  {
    std::lock_guard lk(mu_);
    if (closing_) return;
    closing_ = true;
    quitCode_ = code;
    posts_.clear();
    timers_.clear();
    sends_.close();
  }
  auto stop = [this, code] {
    syncTimers();
    if (running_) QCoreApplication::exit(code);
  };
  if (isUiThread())
    stop();
  else
    QMetaObject::invokeMethod(this, stop, Qt::QueuedConnection);
}

bool QtMessageLoop::closing() const { return closing_; }

int QtMessageLoop::waitingSends() const { return sends_.waiting(); }

}  // namespace qtpaint
