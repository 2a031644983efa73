#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_commands.h"
#include "link/worker.h"
#include "terminal_run.h"

namespace cli {

namespace {

// "Load": the report is parsed into the registry and shown in the form.
int ReadToScreen(const Invocation& inv, Session& s) {
  RunResult r = RunOnTerminal(s, [](Session& session) { return session.press("Load"); },
                              [&s] { return "settings report: " + std::to_string(s.bytesReceived()) + " bytes"; });
  if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
  const FinishedJob* f = LastOfType(r.jobs, devlink::ReadSettings);
  if (!f || OutcomeOf(*f) != JobOutcome::Ok) {
    std::fprintf(stderr, "k9x40-cli: no complete settings report from the terminal in time\n");
    return kExitFailed;
  }
  if (f->count <= devlink::kReportThreshold) {
    std::fprintf(stderr, "k9x40-cli: the settings report is too short (%d bytes); nothing was read\n", f->count);
    return kExitFailed;
  }

  JsonWriter w;
  std::string out;
  w.beginObject().member("port", s.port()).member("bytes", f->count).key("settings").beginArray();
  s.shell().ui([&](app::CK9X40FrameWnd& frame) {
    frame.registry().forEach([&](const std::string& name, const params::ParamEntry& e) {
      w.beginObject().member("name", name).member("command", e.atCommand).member("value", e.value).endObject();
      out += name + '\t' + e.atCommand + '\t' + e.value + '\n';
    });
  });
  w.endArray().endObject();
  if (!inv.options.json) std::fwrite(out.data(), 1, out.size(), stdout);
  return Finish(s, w, kExitOk);
}

// "SaveToFile": the report goes into the file exactly as the window saves it.
int ReadToFile(const Invocation& inv, Session& s, const std::string& path) {
  RunResult r = RunOnTerminal(
      s,
      [&](Session& session) {
        if (!session.waitEnabled("SaveToFile")) return false;
        session.shell().dialogs().answerFile(path);
        session.shell().dialogs().answerYesNo(true);  // replace: the file was named on the command line
        const std::size_t mark = session.jobs().size();
        if (!session.shell().click("SaveToFile")) return false;
        if (!session.startedJob(mark)) {
          std::fprintf(stderr, "k9x40-cli: the snapshot save did not start\n");
          return false;
        }
        return true;
      },
      [&s] { return "settings report: " + std::to_string(s.bytesReceived()) + " bytes"; });
  if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;
  const FinishedJob* f = LastOfType(r.jobs, devlink::ReadSettingsToFile);
  if (!f || OutcomeOf(*f) != JobOutcome::Ok) {
    std::fprintf(stderr, "k9x40-cli: no complete settings report from the terminal in time; %s not written\n",
                 path.c_str());
    return kExitFailed;
  }
  if (s.reportBoxes() > 0) return kExitFailed;  // the file could not be written
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    std::fprintf(stderr, "k9x40-cli: %s was not written\n", path.c_str());
    return kExitFailed;
  }
  JsonWriter w;
  w.beginObject().member("port", s.port()).member("file", path).member("bytes", static_cast<long long>(size)).endObject();
  if (!inv.options.json) std::printf("saved %s (%llu bytes)\n", path.c_str(), static_cast<unsigned long long>(size));
  return Finish(s, w, kExitOk);
}

}  // namespace

int RunRead(const Invocation& inv) {
  CommandArgs args(inv);
  bool missing = false;
  auto out = args.takeValue("-o", "--output", &missing);
  if (missing) return UsageError(inv, "-o needs a file name");
  if (!args.unknownOption().empty()) return UsageError(inv, "unknown option " + args.unknownOption());
  if (!args.words().empty()) return UsageError(inv);
  Session s(inv.options);
  return out ? ReadToFile(inv, s, *out) : ReadToScreen(inv, s);
}

}  // namespace cli
