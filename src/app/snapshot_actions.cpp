#include "app/snapshot_actions.h"

#include <filesystem>

#include "app/user_home.h"
#include "app/write_jobs.h"
#include "params/control_binding.h"
#include "params/report_parser.h"
#include "params/snapshot_file.h"

namespace app {

std::vector<FileFilter> SnapshotFilters(bool chinese, bool forSaving) {
  if (chinese) return {{"cfg文件(*.cfg)", "*.cfg"}, {"所有文件(*.*)", "*.*"}};
  // The English open dialog has always had the leading blank.
  return {{"cfg(*.cfg)", "*.cfg"}, {forSaving ? "All File(*.*)" : " All File(*.*)", "*.*"}};
}

std::string SnapshotActions::snapshotPath() const {
  std::lock_guard<std::mutex> l(mu_);
  return snapshotPath_;
}

FileDialogRequest SnapshotActions::request(bool forSaving) const {
  FileDialogRequest r;
  r.filters = SnapshotFilters(ctx_.chinese, forSaving);
  {
    std::lock_guard<std::mutex> l(mu_);
    r.initialDir = lastFolder_;
  }
  if (r.initialDir.empty()) r.initialDir = UserHomeFolder();
  r.fileName = kSnapshotFileName;
  r.pathMustExist = true;
  // Saving may create a new file, and asks before replacing one.
  r.fileMustExist = !forSaving;
  r.confirmOverwrite = forSaving;
  return r;
}

void SnapshotActions::choose(const std::string& path) {
  std::lock_guard<std::mutex> l(mu_);
  snapshotPath_ = path;
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty()) lastFolder_ = folder;
}

void SnapshotActions::SaveSnapshot() {
  auto path = ctx_.dialogs->saveFile(request(true));
  if (!path) return;
  choose(*path);
  ctx_.queue->push(devlink::MakeJob(devlink::ReadSettingsToFile, devlink::kCmdShow));
}

void SnapshotActions::reportToFile(const std::string& report) {
  if (params::WriteSnapshotFile(snapshotPath(), report).ok) return;
  const params::FormContext& form = *ctx_.form;
  const std::string text = form.lang ? form.lang->LangText("SaveToFile", "OpenError") : std::string();
  if (form.messageBox) ctx_.runOnUiThread([&] { form.messageBox(text); });
}

void SnapshotActions::LoadSnapshot() {
  auto path = ctx_.dialogs->openFile(request(false));
  if (!path) return;
  choose(*path);
  std::string text;
  const auto read = ctx_.link->withBuffer([&](params::RecvBuffer& b, devlink::JobType&) {
    auto r = params::ReadSnapshotFile(*path, b);
    if (r.ok) text.assign(b.text());
    return r;
  });
  params::FormContext& form = *ctx_.form;
  if (!read.ok) {
    if (form.log && form.lang) form.log(form.lang->LangText("onLoadFrommFile", "ReadError"));
    return;
  }
  params::ParseShowReport(*form.registry, text);
  params::ApplyReport(form);
  ctx_.queue->push(devlink::MakeJob(devlink::ReadSettingsForFile, devlink::kCmdShow));
}

void SnapshotActions::reportForFile(const std::string& report) {
  params::ParseShowReport(*ctx_.form->registry, report);
  ctx_.runOnUiThread([&] { QueueChangedSettings(*ctx_.form, *ctx_.queue); });
}

}  // namespace app
