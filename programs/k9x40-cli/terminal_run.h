#pragma once
// The common road of the commands that talk to the terminal: connect, start
// the command as the window's user would, wait for the worker, report.

#include <functional>
#include <string>
#include <vector>

#include "json_writer.h"
#include "session.h"

namespace cli {

struct RunResult {
  int exitCode = 0;                // kExitOk, or what failed (its line printed)
  std::vector<FinishedJob> jobs;   // what the worker did because of `start`, in order
};

// Connects (unless connected already), runs `start` and waits for every job
// it caused, follow-ups included. `start` prints its own error and returns
// false when it cannot start.
RunResult RunOnTerminal(Session& s, const std::function<bool(Session&)>& start,
                        const std::function<std::string()>& progress = {},
                        const std::function<void(const FinishedJob&)>& onFinished = {});

// The last job of this type, null when none ran.
const FinishedJob* LastOfType(const std::vector<FinishedJob>& jobs, devlink::JobType type);

// Members "command", "outcome" and "reply" of a finished job.
void JobMembers(JsonWriter& w, const FinishedJob& f);

// Prints `w` (with --json) and returns `code`; a failed stdout gives kExitFailed.
int Finish(const Session& s, const JsonWriter& w, int code);

// Reports the last job of `type` of a one-exchange command: the JSON object
// (port and the job's members), the plain text that `print` writes, and a
// stderr line headed `what` (the shown command when empty) unless the
// terminal confirmed. Returns the command's exit code.
int ReportJob(const Session& s, const RunResult& r, devlink::JobType type, std::string_view what,
              const std::function<void(const FinishedJob&, JobOutcome)>& print);

}  // namespace cli
