#pragma once
// Saving the terminal's settings report to a .cfg snapshot and loading one
// back onto the form and the terminal. The main window owns one and forwards
// UM_SAVE_SNAPSHOT, UM_LOAD_SNAPSHOT and the worker's two completions.

#include <functional>
#include <mutex>
#include <string>

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
  // Runs `f` on the UI thread and returns once it ran (directly when called
  // there); false, without running it, once the window is closing.
  std::function<bool(const std::function<void()>& f)> runOnUiThread;
};

// The filters of the two dialogs, by interface language.
std::vector<FileFilter> SnapshotFilters(bool chinese, bool forSaving);
inline constexpr const char* kSnapshotFileName = "K9x40.cfg";

class SnapshotActions {
 public:
  explicit SnapshotActions(SnapshotContext ctx) : ctx_(std::move(ctx)) {}

  // UI thread. Asks for a file, then queues a settings report to write to it.
  void SaveSnapshot();
  // UI thread. Asks for a file, shows its settings, then queues a report of
  // the terminal's settings so that the differences can be written.
  void LoadSnapshot();

  // Worker thread, the ReadSettingsToFile job answered: writes the file. A
  // failure keeps the old file and shows ("SaveToFile", "OpenError").
  void reportToFile(const std::string& report);
  // Worker thread, the ReadSettingsForFile job answered: the registry takes
  // the terminal's values (parsed here), then the UI thread compares the
  // form with them and queues the writes before this returns.
  void reportForFile(const std::string& report);

  std::string snapshotPath() const;

 private:
  FileDialogRequest request(bool forSaving) const;
  void choose(const std::string& path);

  SnapshotContext ctx_;
  mutable std::mutex mu_;  // snapshotPath is read by the worker
  std::string snapshotPath_;
  std::string lastFolder_;
};

}  // namespace app
