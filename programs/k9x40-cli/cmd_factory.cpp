#include <cstdio>

#include "cli_commands.h"
#include "terminal_run.h"

namespace cli {

// "RestoreFactory", then the settings read that a confirmed reset brings.
int RunFactory(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.words().empty()) return UsageError(inv);
  Session s(inv.options);
  RunResult r = RunOnTerminal(s, [](Session& session) { return session.press("RestoreFactory"); },
                              [&s] { return "settings report: " + std::to_string(s.bytesReceived()) + " bytes"; });
  if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
  const FinishedJob* reset = LastOfType(r.jobs, devlink::FactoryReset);
  const FinishedJob* read = LastOfType(r.jobs, devlink::ReadSettings);
  if (!reset) return kExitFailed;
  const JobOutcome o = OutcomeOf(*reset);
  const bool readOk = read && OutcomeOf(*read) == JobOutcome::Ok;

  JsonWriter w;
  w.beginObject().member("port", s.port());
  JobMembers(w, *reset);
  w.key("read");
  if (read) {
    w.beginObject().member("outcome", JsonOutcome(OutcomeOf(*read))).member("bytes", read->count).endObject();
  } else {
    w.null();
  }
  w.endObject();
  if (!inv.options.json) {
    std::printf("factory\t%s\n", OutcomeText(o).data());
    if (read) std::printf("read\t%s\n", OutcomeText(OutcomeOf(*read)).data());
  }
  if (o != JobOutcome::Ok)
    std::fprintf(stderr, "k9x40-cli: factory reset: %s\n", OutcomeText(o).data());
  else if (!readOk)
    std::fprintf(stderr, "k9x40-cli: the settings were not read after the reset\n");
  return Finish(s, w, o == JobOutcome::Ok && readOk ? kExitOk : kExitFailed);
}

}  // namespace cli
