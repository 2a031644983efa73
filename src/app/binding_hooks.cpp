#include "app/binding_hooks.h"

#include "app/frame_window.h"
#include "app/snapshot_actions.h"
#include "app/write_jobs.h"
#include "params/control_binding.h"
#include "params/direction_switch.h"

namespace app {

SnapshotContext SnapshotContextOf(CK9X40FrameWnd& w) {
  SnapshotContext c;
  c.form = &w.formContext();
  c.link = &w.link();
  c.queue = &w.queue();
  c.dialogs = &w.dialogs();
  c.chinese = w.language() != 0;
  c.snapshotPath = &w.snapshotPath();
  c.runOnUiThread = [&w](const std::function<void()>& f) { return w.runOnUi(f); };
  return c;
}

void AddBindingHooks(FrameHooks& h) {
  h.applyReport = [](params::FormContext& ctx) { params::ApplyReport(ctx); };
  h.save = [](CK9X40FrameWnd& w) { QueueChangedSettings(w.formContext(), w.queue()); };
  h.saveSnapshot = [](CK9X40FrameWnd& w) {
    SnapshotContext c = SnapshotContextOf(w);
    SaveSnapshot(c);
  };
  h.loadSnapshot = [](CK9X40FrameWnd& w) {
    SnapshotContext c = SnapshotContextOf(w);
    LoadSnapshot(c);
  };
  h.reportToFile = [](CK9X40FrameWnd& w, const std::string& report) {
    SnapshotContext c = SnapshotContextOf(w);
    WriteReportToSnapshot(c, report);
  };
  h.reportForFile = [](CK9X40FrameWnd& w, const std::string& report) {
    SnapshotContext c = SnapshotContextOf(w);
    WriteSnapshotDifferences(c, report);
  };
  h.toggleDirection = [](ui::PaintManager& pm, std::string_view name) {
    params::ToggleDirection(pm, name);
  };
}

}  // namespace app
