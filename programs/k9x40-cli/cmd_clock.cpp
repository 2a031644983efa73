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
  return ReportJob(s, r, devlink::WriteSetting, "clock", [](const FinishedJob& f, JobOutcome o) {
    std::printf("%s\t%s\n", ShowCommand(f.job.command).c_str(), OutcomeText(o).data());
  });
}

}  // namespace cli
