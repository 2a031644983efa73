#pragma once
// Synchronous sends from other threads to the UI thread, for the message
// loops. A sender queues its message, wakes the UI thread and waits; the UI
// thread takes the sends one by one with runOne(). A send returns false,
// unhandled, once the queue is closed or its SendCancel is set, whether it
// was still queued or not yet started; a send already being handled finishes.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "ui/message_loop.h"

namespace ui {

class SendQueue {
 public:
  // `wake` tells the UI thread that a send is waiting. It is called with no
  // lock of the queue held, from the sending thread.
  explicit SendQueue(std::function<void()> wake);
  // Closes, then waits for senders still inside sendAndWait().
  ~SendQueue();
  SendQueue(const SendQueue&) = delete;
  SendQueue& operator=(const SendQueue&) = delete;

  // Not on the UI thread: blocks until the message was handled (true, its
  // result in *result) or dropped (false).
  bool sendAndWait(Message m, SendCancel* cancel, std::int64_t* result);
  // On the UI thread, which may not be waiting for the queue: handles the
  // oldest waiting send with `h` (an empty handler leaves it unhandled).
  // Returns false when nothing was waiting.
  bool runOne(const MessageHandler& h);

  // Sets `cancel` and drops the waiting sends made with it.
  void cancel(SendCancel& cancel);
  // Drops every waiting send; from now on sends return false at once.
  void close();

  bool empty() const;
  int waiting() const;

  // The send on the UI thread itself: a direct call of `h`, false when there
  // is no handler (the loop is closing) or `cancel` is set.
  static bool callDirect(const MessageHandler& h, const Message& m, const SendCancel* cancel,
                         std::int64_t* result);

 private:
  struct Pending;
  void abandonAll();  // under the lock

  const std::function<void()> wake_;
  mutable std::mutex mu_;
  std::condition_variable done_;  // senders: their message handled or dropped
  std::deque<std::shared_ptr<Pending>> queue_;
  bool closed_ = false;
  int activeSenders_ = 0;
};

}  // namespace ui
