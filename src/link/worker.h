#pragma once
// The worker: takes one job at a time, writes it, waits for the receive side
// to judge the reply complete or for the time-out, and acts on the outcome.
// It reaches the window only through WorkerHost.

#include <atomic>
#include <string>
#include <string_view>

#include "link/job.h"
#include "link/job_queue.h"
#include "link/link_state.h"
#include "link/timing.h"
#include "link/window_messages.h"

namespace devlink {

// What the worker needs of the main window. Calls arrive on the worker thread.
class WorkerHost {
 public:
  virtual ~WorkerHost() = default;
  // Delivered synchronously: returns after the UI thread handled it (or at
  // once when the window is closing).
  virtual void sendButtonState(bool on, ButtonMode mode) = 0;
  virtual void stopKeyTimer() = 0;
  virtual void log(std::string text) = 0;  // any-thread log; text carries its own line end
  virtual void serialWrite(std::string_view bytes) = 0;
  virtual bool portOpen() const = 0;
  virtual std::string langText(std::string_view section, std::string_view key,
                               std::string_view suffix) const = 0;
  virtual void setParamValue(const std::string& name, const std::string& value) = 0;
  // Completion actions; each gets the receive buffer as it was when the reply
  // was judged complete and must be finished when it returns.
  virtual void reportReady() = 0;                                      // more than 3000 bytes read
  virtual void reportToFile(const std::string& report) = 0;            // snapshot save
  virtual void reportForFile(const std::string& report) = 0;           // snapshot load
  virtual void netModeReply(const std::string& reply, int count) = 0;  // network-mode query
  // Every job's end, after its outcome was handled: `complete` is false on a
  // time-out; `reply` is the receive buffer at that moment. Not called when
  // the worker stops.
  virtual void jobFinished(const Job& job, bool complete, const std::string& reply, int count) {
    (void)job, (void)complete, (void)reply, (void)count;
  }
};

// The outcome of a complete reply, decided from the job and the buffer alone.
struct Outcome {
  enum Action { Nothing, ReportReady, ReportToFile, ReportForFile, NetMode, QuitDone };
  Action action = Nothing;
  std::string_view logKey;  // key in [WorkerJobThreadProc]
  // A line is logged: logKey's text, or an empty one when no marker matched
  // (invisible, but it holds the UI thread like any other append).
  bool logsLine = false;
  bool storeValue = false;  // the job's value becomes the parameter's value
};

inline constexpr int kReportThreshold = 3000;  // a report must be longer than this

Outcome JudgeOutcome(const Job& job, std::string_view received, int count);

class Worker {
 public:
  Worker(LinkState& link, JobQueue& queue, WorkerHost& host, const Timing& timing)
      : link_(link), queue_(queue), host_(host), timing_(timing) {}

  // The thread procedure; returns 0 once quitEvent is signalled.
  int run();

  // Ends run(): signals quitEvent and wakes a reply wait in progress, so
  // shutdown never sits out a long time-out.
  static void requestStop(LinkState& link);

  // A job has been taken and is not finished yet. Read the queue first, then
  // this: the flag is raised before the pop.
  bool busy() const { return busy_.load(); }
  // The commands were enabled again since the last job (the idle notice).
  bool idleNotified() const { return idleNotified_.load(); }

 private:
  void runJob(const Job& job);

  LinkState& link_;
  JobQueue& queue_;
  WorkerHost& host_;
  Timing timing_;
  std::atomic<bool> idleNotified_{false};
  std::atomic<bool> busy_{false};
};

}  // namespace devlink
