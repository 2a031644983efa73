#pragma once
// A batch of setting writes decided by the window's change collection (a
// Save or a snapshot load): one line per write as its outcome comes in, the
// plan of a dry run, and the verification read afterwards.

#include <optional>
#include <string>
#include <vector>

#include "json_writer.h"
#include "session.h"

namespace cli {

class WriteBatch {
 public:
  explicit WriteBatch(Session& s) : s_(s) {}

  void setPlan(std::vector<PlannedWrite> plan);
  bool hasPlan() const { return planned_; }
  const std::vector<PlannedWrite>& plan() const { return plan_; }

  // Each finished write job, in sending order: its outcome, and its line
  // (name TAB command TAB outcome) unless the output is JSON.
  void onFinished(const FinishedJob& f);
  std::string progressText() const;

  // The dry run's lines: name TAB old value TAB new value TAB exact command.
  void printPlan() const;
  // Reads the settings again ("Load") and lists every confirmed write whose
  // setting now reads differently; where several writes went to one
  // command word, the last one counts. False when the read failed (printed).
  bool verify();

  // Writes not confirmed, and verified differences.
  int failures() const;
  int differences() const { return static_cast<int>(diffs_.size()); }
  // The "writes" array (and "verify" when it ran) into an open object.
  void json(JsonWriter& w, bool dryRun) const;
  // One line on stderr when something failed; the exit code.
  int conclude(bool dryRun) const;

 private:
  struct Difference {
    std::string name, written, read;
  };
  Session& s_;
  bool planned_ = false;
  std::vector<PlannedWrite> plan_;
  std::vector<std::optional<JobOutcome>> outcomes_;  // by plan index; unset: not sent
  std::size_t done_ = 0;
  bool verified_ = false;
  std::vector<Difference> diffs_;
};

}  // namespace cli
