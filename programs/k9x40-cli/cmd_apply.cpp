#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "snapshot_settings.h"
#include "terminal_run.h"
#include "write_batch.h"

namespace cli {

// The window's "LoadFromFile": the file is shown in the form, the terminal's
// report is read, and every setting in which the form now differs from the
// terminal is written.
int RunApply(const Invocation& inv) {
  CommandArgs args(inv);
  const bool dryRun = args.takeFlag("--dry-run");
  const bool verify = args.takeFlag("--verify");
  if (!args.unknownOption().empty()) return UsageError(inv, "unknown option " + args.unknownOption());
  if (args.words().size() != 1) return UsageError(inv);
  if (dryRun && verify) return UsageError(inv, "--verify has nothing to check after --dry-run");
  const std::string path = args.words()[0];

  // Refused before the port is touched: a file the load could not read, or
  // one without a settings report, which would empty every field it writes.
  SnapshotSettings file = ReadSnapshotSettings(path);
  if (!file.error.empty()) {
    std::fprintf(stderr, "k9x40-cli: %s\n", file.error.c_str());
    return kExitFailed;
  }
  if (!file.hasReport) {
    std::fprintf(stderr, "k9x40-cli: %s holds no settings report\n", path.c_str());
    return kExitFailed;
  }

  Session s(inv.options);
  s.recordLoadPlan(dryRun);
  WriteBatch batch(s);
  bool reportSeen = false;
  RunResult r = RunOnTerminal(
      s,
      [&](Session& session) {
        if (!session.waitEnabled("LoadFromFile")) return false;
        session.shell().dialogs().answerFile(path);
        const std::size_t mark = session.jobs().size();
        if (!session.shell().click("LoadFromFile") || !session.startedJob(mark)) {
          session.reportBoxes();
          std::fprintf(stderr, "k9x40-cli: the snapshot %s could not be loaded\n", path.c_str());
          return false;
        }
        return true;
      },
      [&] { return batch.hasPlan() ? batch.progressText() : "settings report: " + std::to_string(s.bytesReceived()) + " bytes"; },
      [&](const FinishedJob& f) {
        if (f.job.type == devlink::ReadSettingsForFile) {
          reportSeen = f.complete;
          if (auto plan = s.loadPlan()) {
            batch.setPlan(std::move(*plan));
            if (dryRun) batch.printPlan();
          }
          return;
        }
        batch.onFinished(f);
      });
  if (r.exitCode != kExitOk && !reportSeen) return r.exitCode;
  if (!reportSeen || !batch.hasPlan()) {
    std::fprintf(stderr, "k9x40-cli: no complete settings report from the terminal in time; nothing was written\n");
    return kExitFailed;
  }
  if (batch.plan().empty()) std::fprintf(stderr, "k9x40-cli: the terminal already holds the settings of %s\n", path.c_str());

  int code = r.exitCode;
  if (verify && code == kExitOk && !batch.verify()) code = kExitFailed;

  JsonWriter w;
  w.beginObject().member("port", s.port()).member("file", path).member("dryRun", dryRun);
  batch.json(w, dryRun);
  w.endObject();
  const int concluded = batch.conclude(dryRun);
  return Finish(s, w, code != kExitOk ? code : concluded);
}

}  // namespace cli
