#include <cstdio>

#include "cli_commands.h"
#include "terminal_run.h"

namespace cli {

// "quit": the terminal leaves configuration mode.
int RunQuit(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.words().empty()) return UsageError(inv);
  Session s(inv.options);
  RunResult r = RunOnTerminal(s, [](Session& session) { return session.press("quit"); });
  return ReportJob(s, r, devlink::QuitConfig, "quit", [](const FinishedJob&, JobOutcome o) {
    std::printf("quit\t%s\n", OutcomeText(o).data());
  });
}

}  // namespace cli
