#pragma once
// The locked FIFO of jobs. The lock is held only for the copy in or out.

#include <cstddef>
#include <deque>
#include <mutex>

#include "link/job.h"

namespace devlink {

class JobQueue {
 public:
  void push(Job job);   // any thread
  bool pop(Job& out);   // false when empty; only the worker pops
  void clear();         // drops every queued job; the one in flight is not affected
  std::size_t size() const;

 private:
  mutable std::mutex queueLock_;
  std::deque<Job> jobs_;
};

}  // namespace devlink
