#include "link/job_queue.h"

#include <utility>

namespace devlink {

void JobQueue::push(Job job) {
  std::lock_guard<std::mutex> lock(queueLock_);
  jobs_.push_back(std::move(job));
}

bool JobQueue::pop(Job& out) {
  std::lock_guard<std::mutex> lock(queueLock_);
  if (jobs_.empty()) return false;
  out = std::move(jobs_.front());
  jobs_.pop_front();
  return true;
}

void JobQueue::clear() {
  std::lock_guard<std::mutex> lock(queueLock_);
  jobs_.clear();
}

std::size_t JobQueue::size() const {
  std::lock_guard<std::mutex> lock(queueLock_);
  return jobs_.size();
}

}  // namespace devlink
