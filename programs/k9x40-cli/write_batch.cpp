#include "write_batch.h"

#include <cstdio>
#include <map>

#include "cli_commands.h"
#include "link/worker.h"
#include "terminal_run.h"

namespace cli {

namespace {
std::string EscapeBytes(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}
}  // namespace

void WriteBatch::setPlan(std::vector<PlannedWrite> plan) {
  plan_ = std::move(plan);
  outcomes_.assign(plan_.size(), std::nullopt);
  done_ = 0;
  planned_ = true;
}

void WriteBatch::onFinished(const FinishedJob& f) {
  if (f.job.type != devlink::WriteSetting || done_ >= plan_.size()) return;
  const JobOutcome o = OutcomeOf(f);
  outcomes_[done_] = o;
  const PlannedWrite& w = plan_[done_++];
  if (s_.options().json) return;
  s_.progress().clear();
  std::printf("%s\t%s\t%s\n", w.job.paramName.c_str(), ShowCommand(w.job.command).c_str(), OutcomeText(o).data());
  std::fflush(stdout);
}

std::string WriteBatch::progressText() const {
  return "writes " + std::to_string(done_) + " of " + std::to_string(plan_.size());
}

void WriteBatch::printPlan() const {
  if (s_.options().json) return;
  for (const PlannedWrite& w : plan_)
    std::printf("%s\t%s\t%s\t%s\n", w.job.paramName.c_str(), w.oldValue.c_str(), w.job.value.c_str(),
                EscapeBytes(w.job.command).c_str());
}

bool WriteBatch::verify() {
  verified_ = true;
  diffs_.clear();
  // The last confirmed write of each command word is what the terminal should hold.
  std::map<std::string, std::size_t> last;
  std::map<std::string, std::string> commandOf;
  s_.shell().ui([&](app::CK9X40FrameWnd& f) {
    for (std::size_t i = 0; i < plan_.size(); ++i) {
      const auto* e = f.registry().find(plan_[i].job.paramName);
      if (e && outcomes_[i] == JobOutcome::Ok) last[e->atCommand] = i;
    }
  });
  if (last.empty()) return true;

  RunResult r = RunOnTerminal(s_, [](Session& s) { return s.press("Load"); },
                              [this] { return "verifying: " + std::to_string(s_.bytesReceived()) + " bytes"; });
  const FinishedJob* read = LastOfType(r.jobs, devlink::ReadSettings);
  if (!read || OutcomeOf(*read) != JobOutcome::Ok || read->count <= devlink::kReportThreshold) {
    std::fprintf(stderr, "k9x40-cli: the settings could not be read again to verify them\n");
    return false;
  }
  s_.shell().ui([&](app::CK9X40FrameWnd& f) {
    for (const auto& [command, i] : last) {
      const PlannedWrite& w = plan_[i];
      const std::string now = f.registry().value(w.job.paramName).value_or("");
      if (now != w.job.value) diffs_.push_back({w.job.paramName, w.job.value, now});
    }
  });
  if (!s_.options().json)
    for (const Difference& d : diffs_)
      std::printf("differs\t%s\t%s\t%s\n", d.name.c_str(), d.written.c_str(), d.read.c_str());
  return true;
}

int WriteBatch::failures() const {
  int n = 0;
  for (const auto& o : outcomes_)
    if (o != JobOutcome::Ok) ++n;
  return n;
}

void WriteBatch::json(JsonWriter& w, bool dryRun) const {
  w.key("writes").beginArray();
  for (std::size_t i = 0; i < plan_.size(); ++i) {
    const PlannedWrite& p = plan_[i];
    w.beginObject()
        .member("name", p.job.paramName)
        .member("command", p.job.command)
        .member("old", p.oldValue)
        .member("new", p.job.value)
        .member("outcome", dryRun ? std::string_view("planned")
                                  : outcomes_[i] ? JsonOutcome(*outcomes_[i]) : std::string_view("not sent"))
        .endObject();
  }
  w.endArray();
  if (verified_) {
    w.key("verify").beginArray();
    for (const Difference& d : diffs_)
      w.beginObject().member("name", d.name).member("written", d.written).member("read", d.read).endObject();
    w.endArray();
  }
}

int WriteBatch::conclude(bool dryRun) const {
  if (dryRun) return kExitOk;
  const int failed = failures();
  if (failed > 0)
    std::fprintf(stderr, "k9x40-cli: %d of %zu writes not confirmed\n", failed, plan_.size());
  if (!diffs_.empty())
    std::fprintf(stderr, "k9x40-cli: verification: %zu of the written settings read back differently\n", diffs_.size());
  return failed > 0 || !diffs_.empty() ? kExitFailed : kExitOk;
}

}  // namespace cli
