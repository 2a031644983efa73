#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "diag/self_check.h"
#include "terminal_run.h"

namespace cli {

// A free command, as a skin button named with it sends it: TEXT and CR LF,
// judged on "OK" or "ERROR". Prints the terminal's reply as received.
int RunSend(const Invocation& inv) {
  CommandArgs args(inv);
  if (args.words().size() != 1) return UsageError(inv);
  const std::string text = args.words()[0];
  if (text.empty()) return UsageError(inv, "TEXT is empty");
  if (text.find_first_of("\r\n") != std::string::npos)
    return UsageError(inv, "TEXT must not contain a line break (it would send two commands)");

  Session s(inv.options);
  RunResult r = RunOnTerminal(s, [&](Session& session) {
    if (!session.waitEnabled("Load")) return false;  // worker idle in configuration mode
    session.shell().ui([&](app::CK9X40FrameWnd& f) { f.queueJob(diag::CustomCommandJob(text)); });
    return true;
  });
  return ReportJob(s, r, devlink::CustomCommand, {}, [](const FinishedJob& f, JobOutcome) {
    std::string reply;
    for (char c : f.reply)
      if (c != '\r') reply += c;
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    if (!reply.empty() && reply.back() != '\n') std::fputc('\n', stdout);
  });
}

}  // namespace cli
