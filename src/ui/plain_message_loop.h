#pragma once
// The message loop without a window system: for the headless shell and the
// tests. Priorities follow the platform's queue: waiting sends first, then
// posts in FIFO order, then due timers (a timer fires at most once per turn,
// missed periods are not made up).
//
// The UI thread is the thread that calls run(), runPending() or runUntil(),
// or the one named by setUiThread() beforehand. After quit() (or destruction)
// the loop is closing: posts are dropped, pending and new sends return false
// at once, and run() returns after the message in hand.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "ui/message_loop.h"
#include "ui/send_queue.h"

namespace ui {

class PlainMessageLoop : public MessageLoop {
 public:
  PlainMessageLoop();
  ~PlainMessageLoop() override;
  PlainMessageLoop(const PlainMessageLoop&) = delete;
  PlainMessageLoop& operator=(const PlainMessageLoop&) = delete;

  void setHandler(MessageHandler h) override;
  void setTimerHandler(TimerHandler h) override;

  void post(Message m) override;
  bool send(Message m, std::int64_t* result = nullptr) override;
  bool sendCancellable(Message m, SendCancel& cancel, std::int64_t* result = nullptr) override;
  void cancelSends(SendCancel& cancel) override;

  void setTimer(int id, int periodMs) override;
  void killTimer(int id) override;

  bool isUiThread() const override;
  int run() override;
  void quit(int code = 0) override;
  bool closing() const override;

  // Names the UI thread before any loop runs (tests drive it by hand).
  void setUiThread(std::thread::id id = std::this_thread::get_id());
  // Handles what is waiting and due now, without blocking; returns how many
  // messages and timer ticks were handled. Timers only tick when due.
  int runPending();
  // Runs messages until done() holds (checked after every message, and
  // first of all) or `timeoutMs` passes or the loop closes; returns done().
  bool runUntil(const std::function<bool()>& done, int timeoutMs);
  // Sends from other threads that wait for the UI thread.
  int waitingSends() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    int periodMs;
    Clock::time_point due;
  };

  // Takes the next piece of work under the lock and runs it unlocked.
  // Returns false when nothing was ready; with `block` it first waits for
  // work until `deadline` (Clock::time_point::max(): no limit).
  bool handleOne(std::unique_lock<std::mutex>& lk, bool block, Clock::time_point deadline);
  bool sendWith(Message m, SendCancel* cancel, std::int64_t* result);

  mutable std::mutex mu_;
  std::condition_variable wake_;  // the UI thread: new work or quit
  std::deque<Message> posts_;
  std::map<int, Timer> timers_;
  MessageHandler handler_;
  TimerHandler timerHandler_;
  std::atomic<std::thread::id> uiThread_{};
  std::atomic<bool> closing_{false};
  int quitCode_ = 0;
  // Last: its destructor waits for senders, which may still wake us.
  SendQueue sends_;
};

}  // namespace ui
