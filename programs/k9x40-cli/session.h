#pragma once
// A session with a terminal: the main window without a screen, its port
// opened and the terminal brought into configuration mode, as a user of the
// window would do it. Commands then press the window's buttons by name and
// read what the worker reports of every job.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/headless_shell.h"
#include "cli_options.h"
#include "job_record.h"
#include "progress.h"
#include "traffic_echo.h"

namespace cli {

// A write a snapshot load decided, with the terminal's value before it.
struct PlannedWrite {
  devlink::Job job;
  std::string oldValue;
};

class Session {
 public:
  explicit Session(const GlobalOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Chooses the port, opens it and waits for configuration mode (keying the
  // boot prompt, or the escape with --login). kExitOk, or the exit code after
  // one line on stderr saying what failed.
  int connect();

  const std::string& port() const { return port_; }
  const GlobalOptions& options() const { return options_; }
  app::HeadlessShell& shell() { return *shell_; }
  JobRecord& jobs() { return jobs_; }
  Progress& progress() { return progress_; }

  // Waits for the button to be enabled (commands are enabled in
  // configuration mode while the worker is idle) and clicks it. False, with
  // a line on stderr, when that does not happen.
  bool press(std::string_view button);
  bool waitEnabled(std::string_view button);
  // Moves the focus into a field, as a user's click into it.
  bool focus(std::string_view field);

  // Waits until a job after `mark` has finished and the worker has nothing
  // left (follow-up jobs included); returns the jobs finished since `mark`.
  // `progress` (may be empty) gives the progress line's text now and then.
  // nullopt, with a line on stderr, when the line was lost or nothing moved
  // for longer than any job may take.
  // `onFinished` (may be empty) sees each job as soon as it has finished.
  std::optional<std::vector<FinishedJob>> waitJobs(std::size_t mark,
                                                   const std::function<std::string()>& progress = {},
                                                   const std::function<void(const FinishedJob&)>& onFinished = {});
  // After a click that posts its work: true once the posted message was
  // handled and it queued or ran a job since `mark`.
  bool startedJob(std::size_t mark);
  // Bytes in the receive buffer now.
  int bytesReceived();

  // Snapshot loads: the writes the load decided are recorded; with
  // `dryRun` they are also taken off the queue so that none is sent.
  void recordLoadPlan(bool dryRun);
  std::optional<std::vector<PlannedWrite>> loadPlan();

  // Message boxes shown since the last call, each printed as an error line;
  // returns how many.
  int reportBoxes();

  // The longest a job may take, its time-out included, plus slack for the
  // UI thread's log pane.
  int stallLimitMs() const;

 private:
  void capturePlan(app::CK9X40FrameWnd& frame);
  void waitForQuietLine();
  bool commandsAvailable(const char* what);

  GlobalOptions options_;
  std::string port_;
  devlink::Timing timing_;
  Progress progress_;
  TrafficEcho echo_;
  JobRecord jobs_;
  std::mutex planMu_;
  bool recordPlan_ = false, dryRun_ = false;
  std::optional<std::vector<PlannedWrite>> plan_;
  std::size_t boxesSeen_ = 0;
  std::unique_ptr<app::HeadlessShell> shell_;  // last: goes first, before what its hooks use
};

}  // namespace cli
