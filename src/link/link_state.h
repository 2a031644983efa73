#pragma once
// The link state shared by the UI thread (receive side, port control) and the
// worker. The receive buffer and the awaited reply kind are only touched
// through withBuffer(), so that one side's operation never interleaves with
// the other's; the order of the operations is the protocol's business.

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "link/job.h"
#include "params/recv_buffer.h"
#include "ui/manual_reset_event.h"

namespace devlink {

class LinkState {
 public:
  // Runs f(RecvBuffer&, JobType& expectedReply) under the buffer lock.
  template <class F>
  decltype(auto) withBuffer(F&& f) {
    std::lock_guard<std::mutex> lock(bufferLock_);
    return std::forward<F>(f)(buffer_, expectedReply_);
  }

  // Copy of the received text and its length, taken at one moment.
  std::pair<std::string, int> snapshot() {
    return withBuffer([](params::RecvBuffer& b, JobType&) {
      return std::pair<std::string, int>(std::string(b.text()), b.count);
    });
  }
  JobType expectedReply() {
    return withBuffer([](params::RecvBuffer&, JobType& e) { return e; });
  }
  void setExpectedReply(JobType t) {
    withBuffer([t](params::RecvBuffer&, JobType& e) { e = t; });
  }

  ui::ManualResetEvent replyEvent;
  ui::ManualResetEvent quitEvent;
  std::atomic<int> timeoutFactor{1};  // at least 1
  std::atomic<bool> configMode{false};

 private:
  std::mutex bufferLock_;
  params::RecvBuffer buffer_;
  JobType expectedReply_ = None;
};

}  // namespace devlink
