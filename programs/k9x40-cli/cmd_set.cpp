#include <cstdio>
#include <string>
#include <vector>

#include "app/write_jobs.h"
#include "cli_commands.h"
#include "link/worker.h"
#include "params/change_collection.h"
#include "params/control_binding.h"
#include "terminal_run.h"
#include "write_batch.h"

namespace cli {

namespace {

struct Assignment {
  std::string name, value;
};

// A name the registry lacks may be a command word: say which control it is.
std::string Suggestion(const params::ParamRegistry& reg, const std::string& name) {
  std::string found;
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  reg.forEach([&](const std::string& n, const params::ParamEntry& e) {
    if (found.empty() && !e.atCommand.empty() && upper(e.atCommand) == upper(name)) found = n;
  });
  return found.empty() ? std::string() : " (its control is '" + found + "')";
}

// Checks that need no terminal: the names, and values that could not be sent.
std::string CheckAssignment(const params::ParamRegistry& reg, const Assignment& a) {
  const params::ParamEntry* e = reg.find(a.name);
  if (!e) return "unknown setting '" + a.name + "'" + Suggestion(reg, a.name);
  if (e->controlType != "Edit" && e->controlType != "Combobox" && e->controlType != "Line")
    return "'" + a.name + "' has no control to put a value in";
  if (a.value.find_first_of("\r\n") != std::string::npos)
    return "the value of '" + a.name + "' contains a line break";
  return {};
}

// What the form now shows for each assignment, as the Save would read it.
std::string CheckShown(app::CK9X40FrameWnd& f, const Assignment& a) {
  const params::FormContext& ctx = f.formContext();
  const params::ParamEntry* e = f.registry().find(a.name);
  const auto texts = params::LoadChoiceTexts(*ctx.lang);
  const auto shown = params::ReadControlValue(ctx, a.name, *e, texts);
  if (!shown || *shown != a.value)
    return "'" + a.name + "' cannot show the value '" + a.value + "'" +
           (shown ? " (it shows '" + *shown + "')" : std::string());
  const bool tabShown = e->group < 0 || e->group >= params::kTabSlotCount || f.tabs()[e->group].shown;
  if (!f.registry().inUse(a.name).value_or(false) || !tabShown)
    return "'" + a.name + "' is not in use with the terminal's other settings, so Save does not write it";
  return {};
}

}  // namespace

// Puts the values into the form's controls, then clicks "Save": the writes
// are exactly those the window's Save makes of the same form.
int RunSet(const Invocation& inv) {
  CommandArgs args(inv);
  const bool verify = args.takeFlag("--verify");
  if (!args.unknownOption().empty()) return UsageError(inv, "unknown option " + args.unknownOption());
  if (args.words().empty()) return UsageError(inv);
  std::vector<Assignment> list;
  params::ParamRegistry offline;
  params::BuildRegistry(offline);
  for (const std::string& w : args.words()) {
    const auto eq = w.find('=');
    if (eq == std::string::npos || eq == 0) return UsageError(inv, "'" + w + "' is not NAME=VALUE");
    Assignment a{w.substr(0, eq), w.substr(eq + 1)};
    if (std::string why = CheckAssignment(offline, a); !why.empty()) return UsageError(inv, why);
    list.push_back(std::move(a));
  }

  Session s(inv.options);
  // The terminal's settings first, so that the form compares with them.
  RunResult read = RunOnTerminal(s, [](Session& session) { return session.press("Load"); },
                                 [&s] { return "settings report: " + std::to_string(s.bytesReceived()) + " bytes"; });
  if (read.exitCode != kExitOk && read.jobs.empty()) return read.exitCode;
  const FinishedJob* report = LastOfType(read.jobs, devlink::ReadSettings);
  if (!report || OutcomeOf(*report) != JobOutcome::Ok || report->count <= devlink::kReportThreshold) {
    std::fprintf(stderr, "k9x40-cli: no complete settings report from the terminal in time; nothing was written\n");
    return kExitFailed;
  }
  s.shell().settle(s.stallLimitMs());  // the layout rules the report posted

  // One at a time: a choice may change which other rows are in use.
  for (const Assignment& a : list) {
    const bool shown = s.shell().ui([&](app::CK9X40FrameWnd& f) {
      return params::ShowValue(f.formContext(), a.name, *f.registry().find(a.name), a.value);
    });
    if (!shown) {
      std::fprintf(stderr, "k9x40-cli: the form has no control '%s'; nothing was written\n", a.name.c_str());
      return kExitUsage;
    }
    s.shell().settle(s.stallLimitMs());
  }
  for (const Assignment& a : list) {
    std::string why = s.shell().ui([&](app::CK9X40FrameWnd& f) { return CheckShown(f, a); });
    if (!why.empty()) {
      std::fprintf(stderr, "k9x40-cli: %s; nothing was written\n", why.c_str());
      return kExitUsage;
    }
  }

  WriteBatch batch(s);
  bool nothingToWrite = false;
  RunResult r = RunOnTerminal(
      s,
      [&](Session& session) {
        if (!session.waitEnabled("Save")) return false;
        // The plan and the click in one turn of the UI thread: the Save
        // collects from exactly this form.
        std::vector<PlannedWrite> plan;
        const bool clicked = session.shell().ui([&](app::CK9X40FrameWnd& f) {
          for (const params::WriteRequest& w : params::CollectChanges(f.formContext()))
            plan.push_back({app::WriteJob(w), f.registry().value(w.paramName).value_or("")});
          ui::Control* save = f.pm().findControl("Save");
          if (!save || !save->enabled()) return false;
          f.pm().userClick(*save);
          return true;
        });
        batch.setPlan(std::move(plan));
        if (!clicked) std::fprintf(stderr, "k9x40-cli: Save could not be clicked\n");
        nothingToWrite = clicked && batch.plan().empty();
        if (nothingToWrite) std::fprintf(stderr, "k9x40-cli: the terminal already holds these values; nothing to write\n");
        return clicked && !nothingToWrite;
      },
      [&] { return batch.progressText(); }, [&](const FinishedJob& f) { batch.onFinished(f); });
  if (nothingToWrite) r.exitCode = kExitOk;
  else if (r.exitCode != kExitOk && r.jobs.empty()) return r.exitCode;

  int code = r.exitCode;
  if (verify && code == kExitOk && !batch.plan().empty() && !batch.verify()) code = kExitFailed;
  JsonWriter w;
  w.beginObject().member("port", s.port());
  batch.json(w, false);
  w.endObject();
  const int concluded = batch.conclude(false);
  return Finish(s, w, code != kExitOk ? code : concluded);
}

}  // namespace cli
