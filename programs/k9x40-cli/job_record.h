#pragma once
// What the worker did: every finished job as the worker reported it, in
// order, and the outcome word the tool prints for it.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "link/job.h"

namespace cli {

struct FinishedJob {
  devlink::Job job;
  bool complete = false;  // false: the time-out ran out
  std::string reply;      // received text when the job ended
  int count = 0;          // bytes received
};

enum class JobOutcome {
  Ok,           // answered and, for writes, confirmed with "OK" CR LF
  Error,        // "ERROR" CR LF in the reply
  Timeout,      // no complete reply in time
  Unconfirmed,  // a write completed on an "OK" that is not "OK" CR LF: not stored
};

// The same judgement the worker logs: writes and the factory reset by their
// confirmation markers, every other job by the marker that completed it.
JobOutcome OutcomeOf(const FinishedJob& f);
// "OK", "ERROR", "time-out", "unconfirmed"; JSON uses JsonOutcome().
std::string_view OutcomeText(JobOutcome o);
std::string_view JsonOutcome(JobOutcome o);

// The reply without the command's echo, blank lines and the closing "OK":
// the lines a person reads, joined by "; ".
std::string ReplyLines(std::string_view reply, std::string_view command);

// The command without its line end framing, with CR and LF shown as \r \n.
std::string ShowCommand(std::string_view command);

class JobRecord {
 public:
  void add(FinishedJob f);
  std::size_t size() const;
  std::vector<FinishedJob> since(std::size_t index) const;
  // Waits up to `ms` for more than `count` jobs; true when there are.
  bool waitBeyond(std::size_t count, int ms) const;

 private:
  mutable std::mutex mu_;
  mutable std::condition_variable cv_;
  std::vector<FinishedJob> jobs_;
};

}  // namespace cli
