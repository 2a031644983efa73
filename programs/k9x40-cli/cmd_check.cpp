#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "terminal_run.h"

namespace cli {

namespace {

struct CheckStep {
  const char* key;    // JSON name
  const char* label;  // printed name
  const char* control;
  bool focus;         // the network mode is asked for when its field gains the focus
  devlink::JobType type;
};

constexpr CheckStep kSteps[] = {
    {"sim", "SIM", "CPIN", false, devlink::QuerySim},
    {"signal", "signal", "CSQ", false, devlink::QuerySignal},
    {"version", "version", "GetVer", false, devlink::QueryVersion},
    {"netmode", "network mode", "FINDNETMODE", true, devlink::FindNetMode},
};

}  // namespace

// The self-check queries one after another, as their buttons send them.
int RunCheck(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.words().empty()) return UsageError(inv);
  Session s(inv.options);
  struct Result {
    const CheckStep* step;
    FinishedJob job;
    bool retried;
    std::string value;  // the network-mode field afterwards
  };
  std::vector<Result> results;

  for (const CheckStep& step : kSteps) {
    RunResult r = RunOnTerminal(s, [&](Session& session) {
      return step.focus ? session.focus(step.control) : session.press(step.control);
    });
    if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
    const FinishedJob* f = LastOfType(r.jobs, step.type);
    // A signal query answered with ERROR is asked once more.
    const FinishedJob* retry = step.type == devlink::QuerySignal ? LastOfType(r.jobs, devlink::QuerySignalRetry) : nullptr;
    if (retry) f = retry;
    if (!f) return kExitFailed;
    results.push_back({&step, *f, retry != nullptr, step.focus ? s.shell().text(step.control).value_or("") : ""});
  }

  int code = kExitOk;
  JsonWriter w;
  w.beginObject().member("port", s.port()).key("checks").beginArray();
  std::string out;
  for (const Result& r : results) {
    const JobOutcome o = OutcomeOf(r.job);
    std::string shown(OutcomeText(o));
    if (o == JobOutcome::Ok) shown = r.step->focus ? r.value : ReplyLines(r.job.reply, r.job.job.command);
    else {
      code = kExitFailed;
      std::fprintf(stderr, "k9x40-cli: %s: %s\n", r.step->label, OutcomeText(o).data());
    }
    out += std::string(r.step->label) + '\t' + shown + '\n';
    w.beginObject().member("name", r.step->key);
    JobMembers(w, r.job);
    if (r.step->type == devlink::QuerySignal) w.member("retried", r.retried);
    if (r.step->focus) w.member("value", r.value);
    w.endObject();
  }
  w.endArray().endObject();
  if (!inv.options.json) std::fwrite(out.data(), 1, out.size(), stdout);
  return Finish(s, w, code);
}

}  // namespace cli
