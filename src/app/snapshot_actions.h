#pragma once
// Saving the terminal's settings report to a .cfg snapshot and loading one
// back onto the form and the terminal.

#include <functional>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "link/job_queue.h"
#include "link/link_state.h"
#include "params/form_context.h"

namespace app {

struct SnapshotContext {
  params::FormContext* form = nullptr;
  devlink::LinkState* link = nullptr;
  devlink::JobQueue* queue = nullptr;
  Dialogs* dialogs = nullptr;
  bool chinese = false;  // interface language: picks the dialog filters
  // The path chosen in the last snapshot dialog. UI thread only: the worker
  // reads it through runOnUiThread.
  std::string* snapshotPath = nullptr;
  // Runs `f` on the UI thread and returns once it ran (directly when called
  // there); false, without running it, once the window is closing.
  std::function<bool(const std::function<void()>& f)> runOnUiThread;
};

// The filters of the two dialogs, by interface language.
std::vector<FileFilter> SnapshotFilters(bool chinese, bool forSaving);
inline constexpr const char* kSnapshotFileName = "K9x40.cfg";

// Both dialogs start in the folder of the last snapshot, the user's home
// before there was one.
FileDialogRequest SnapshotDialogRequest(const SnapshotContext& ctx, bool forSaving);

// UI thread. Asks for a file (which may be new; replacing one is confirmed),
// then queues a settings report to write to it.
void SaveSnapshot(SnapshotContext& ctx);
// UI thread. Asks for a file, shows its settings in the form, then queues a
// report of the terminal's settings so that the differences can be written.
void LoadSnapshot(SnapshotContext& ctx);

// Worker thread, the ReadSettingsToFile job answered: writes the report to
// the snapshot path. A failure keeps the old file and shows ("SaveToFile",
// "OpenError").
void WriteReportToSnapshot(SnapshotContext& ctx, const std::string& report);
// Worker thread, the ReadSettingsForFile job answered: parses the terminal's
// values into the registry here, then has the UI thread compare the form with
// them and queue the writes; returns once they are queued.
void WriteSnapshotDifferences(SnapshotContext& ctx, const std::string& report);

}  // namespace app
