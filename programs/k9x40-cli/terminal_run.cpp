#include "terminal_run.h"

#include <cstdio>

#include "cli_commands.h"

namespace cli {

RunResult RunOnTerminal(Session& s, const std::function<bool(Session&)>& start,
                        const std::function<std::string()>& progress,
                        const std::function<void(const FinishedJob&)>& onFinished) {
  RunResult r;
  if (!s.shell().configMode()) {
    r.exitCode = s.connect();
    if (r.exitCode != kExitOk) return r;
  }
  const std::size_t mark = s.jobs().size();
  if (!start(s)) {
    r.exitCode = kExitFailed;
    return r;
  }
  auto jobs = s.waitJobs(mark, progress, onFinished);
  if (!jobs) {
    r.exitCode = kExitFailed;
    return r;
  }
  r.jobs = std::move(*jobs);
  return r;
}

const FinishedJob* LastOfType(const std::vector<FinishedJob>& jobs, devlink::JobType type) {
  const FinishedJob* found = nullptr;
  for (const FinishedJob& f : jobs)
    if (f.job.type == type) found = &f;
  return found;
}

void JobMembers(JsonWriter& w, const FinishedJob& f) {
  w.member("command", f.job.command).member("outcome", JsonOutcome(OutcomeOf(f))).member("reply", f.reply);
}

int Finish(const Session& s, const JsonWriter& w, int code) {
  if (s.options().json && !PrintJson(w)) return kExitFailed;
  if (std::fflush(stdout) != 0) return kExitFailed;
  return code;
}

int ReportJob(const Session& s, const RunResult& r, devlink::JobType type, std::string_view what,
              const std::function<void(const FinishedJob&, JobOutcome)>& print) {
  if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
  const FinishedJob* f = LastOfType(r.jobs, type);
  if (!f) return kExitFailed;
  const JobOutcome o = OutcomeOf(*f);
  JsonWriter w;
  w.beginObject().member("port", s.port());
  JobMembers(w, *f);
  w.endObject();
  if (!s.options().json) print(*f, o);
  if (o != JobOutcome::Ok) {
    const std::string head = what.empty() ? ShowCommand(f->job.command) : std::string(what);
    std::fprintf(stderr, "k9x40-cli: %s: %s\n", head.c_str(), OutcomeText(o).data());
  }
  return Finish(s, w, o == JobOutcome::Ok ? kExitOk : kExitFailed);
}

}  // namespace cli
