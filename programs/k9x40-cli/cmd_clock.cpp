#include <cstdio>

#include "cli_commands.h"
#include "terminal_run.h"

namespace cli {

// "SetTime": the terminal's clock from this computer's local time.
int RunClock(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.words().empty()) return UsageError(inv);
  Session s(inv.options);
  RunResult r = RunOnTerminal(s, [](Session& session) { return session.press("SetTime"); });
  if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
  const FinishedJob* f = LastOfType(r.jobs, devlink::WriteSetting);
  if (!f) return kExitFailed;
  const JobOutcome o = OutcomeOf(*f);
  JsonWriter w;
  w.beginObject().member("port", s.port());
  JobMembers(w, *f);
  w.endObject();
  if (!inv.options.json) std::printf("%s\t%s\n", ShowCommand(f->job.command).c_str(), OutcomeText(o).data());
  if (o != JobOutcome::Ok) std::fprintf(stderr, "k9x40-cli: clock: %s\n", OutcomeText(o).data());
  return Finish(s, w, o == JobOutcome::Ok ? kExitOk : kExitFailed);
}

}  // namespace cli
