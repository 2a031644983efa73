#pragma once
// Where the form's binding, the layout rules and the snapshot flows plug into
// the main window. Each hook is optional; an empty one does nothing. The
// standard set (StandardHooks) is what the programs use.

#include <filesystem>
#include <functional>
#include <string>

#include "link/job.h"
#include "params/form_context.h"
#include "ui/paint_manager.h"
#include "ui/skin_builder.h"

namespace app {

class CK9X40FrameWnd;

struct FrameHooks {
  // After a report was parsed into the registry (UM_REPORT_READY, snapshot
  // load): show it in the form. UI thread.
  std::function<void(params::FormContext&)> applyReport;
  // UM_LAYOUT_GROUP: runs one layout rule. UI thread.
  std::function<int(params::FormContext&, int group, int arg)> layoutGroup;
  // "Save" click: queue a write for every changed setting. UI thread.
  std::function<void(CK9X40FrameWnd&)> save;
  // UM_SAVE_SNAPSHOT and UM_LOAD_SNAPSHOT. UI thread.
  std::function<void(CK9X40FrameWnd&)> saveSnapshot;
  std::function<void(CK9X40FrameWnd&)> loadSnapshot;
  // Completion of a ReadSettingsToFile / ReadSettingsForFile job, with the
  // reply as received. Run on the worker thread, before its next job; UI work
  // goes through runOnUi.
  std::function<void(CK9X40FrameWnd&, const std::string& report)> reportToFile;
  std::function<void(CK9X40FrameWnd&, const std::string& report)> reportForFile;
  // A job has ended (its outcome handled, or its time-out): the job, whether
  // the reply was complete, and the received text. Worker thread; for
  // callers that follow the traffic (the headless tool).
  std::function<void(const devlink::Job&, bool complete, const std::string& reply, int count)> jobFinished;
  // A direction switch was clicked. UI thread.
  std::function<void(ui::PaintManager&, std::string_view name)> toggleDirection;
  // Fills "SerialPort" with the present ports; 1 when the list was rebuilt.
  std::function<int(ui::PaintManager&)> refreshPortList;
  // Element classes of the skin the builder does not know (the pages).
  std::function<ui::ControlFactory(const std::filesystem::path& skinDir)> controlFactory;
};

// The binding, layout, snapshot and port-discovery code of this program.
FrameHooks StandardHooks();

}  // namespace app
