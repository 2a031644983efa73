#pragma once
// The window's message queue. post() is FIFO; send() from another thread
// blocks until the UI thread has handled the message and is served before
// waiting posts; on the UI thread it is a direct call. Once the loop is
// closing, a pending or new send returns at once, unhandled.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace ui {

struct Message {
  std::uint32_t id = 0;
  std::int64_t wParam = 0;
  std::int64_t lParam = 0;
  std::string payload;  // bytes carried by value (received data, log text)
};

// Lets a sender thread give up its waiting send()s, e.g. a reader thread that
// the UI thread itself is stopping (the UI thread cannot handle the send while
// it waits for that thread). Sticky until the sender clears it.
struct SendCancel {
  std::atomic<bool> cancelled{false};
};

using MessageHandler = std::function<std::int64_t(const Message&)>;
using TimerHandler = std::function<void(int timerId)>;

class MessageLoop {
 public:
  virtual ~MessageLoop() = default;
  virtual void setHandler(MessageHandler h) = 0;
  virtual void setTimerHandler(TimerHandler h) = 0;

  virtual void post(Message m) = 0;
  // Returns false when the message was not handled (loop closing).
  virtual bool send(Message m, std::int64_t* result = nullptr) = 0;

  // send() that returns false, unhandled, when `cancel` is set before or
  // while it waits; a message already being handled finishes normally.
  // Loops with cross-thread sends override both calls so that cancelSends()
  // wakes the waiting sender.
  virtual bool sendCancellable(Message m, SendCancel& cancel, std::int64_t* result = nullptr) {
    if (cancel.cancelled.load()) return false;
    return send(std::move(m), result);
  }
  // Sets `cancel` and wakes sends waiting on it.
  virtual void cancelSends(SendCancel& cancel) { cancel.cancelled.store(true); }

  // Starts or replaces timer `id` with the given period.
  virtual void setTimer(int id, int periodMs) = 0;
  virtual void killTimer(int id) = 0;

  virtual bool isUiThread() const = 0;
  // Runs until quit(); returns the quit code.
  virtual int run() = 0;
  virtual void quit(int code = 0) = 0;
  virtual bool closing() const = 0;
};

}  // namespace ui
