#include "app/snapshot_actions.h"

#include <filesystem>
#include <memory>
#include <string_view>

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

FileDialogRequest SnapshotDialogRequest(const SnapshotContext& ctx, bool forSaving) {
  FileDialogRequest r;
  r.filters = SnapshotFilters(ctx.chinese, forSaving);
  if (ctx.snapshotPath && !ctx.snapshotPath->empty())
    r.initialDir = std::filesystem::path(*ctx.snapshotPath).parent_path().string();
  if (r.initialDir.empty()) r.initialDir = UserHomeFolder();
  r.fileName = kSnapshotFileName;
  r.pathMustExist = true;
  r.fileMustExist = !forSaving;
  r.confirmOverwrite = forSaving;
  return r;
}

void SaveSnapshot(SnapshotContext& ctx) {
  auto path = ctx.dialogs->saveFile(SnapshotDialogRequest(ctx, true));
  if (!path) return;
  *ctx.snapshotPath = *path;
  ctx.queue->push(devlink::MakeJob(devlink::ReadSettingsToFile, devlink::kCmdShow));
}

void WriteReportToSnapshot(SnapshotContext& ctx, const std::string& report) {
  std::string path;
  if (!ctx.runOnUiThread([&] { path = *ctx.snapshotPath; })) return;
  if (params::WriteSnapshotFile(path, report).ok) return;
  const params::FormContext& form = *ctx.form;
  const std::string text = form.lang ? form.lang->LangText("SaveToFile", "OpenError") : std::string();
  if (form.messageBox) ctx.runOnUiThread([&] { form.messageBox(text); });
}

void LoadSnapshot(SnapshotContext& ctx) {
  auto path = ctx.dialogs->openFile(SnapshotDialogRequest(ctx, false));
  if (!path) return;
  *ctx.snapshotPath = *path;
  // Read aside first: a file that holds no report (empty, binary, another
  // kind of file) would empty every field, and the writes that follow would
  // wipe the terminal's settings. It is refused before anything changes.
  auto file = std::make_unique<params::RecvBuffer>();
  const auto read = params::ReadSnapshotFile(*path, *file);
  params::FormContext& form = *ctx.form;
  if (!read.ok) {
    if (form.log && form.lang) form.log(form.lang->LangText("onLoadFrommFile", "ReadError"));
    return;
  }
  if (file->text().find(params::kReportMarker) == std::string_view::npos) {
    if (form.log && form.lang) form.log(form.lang->LangText("Linux", "NotASnapshot"));
    return;
  }
  const std::string text(file->text());
  ctx.link->withBuffer([&](params::RecvBuffer& b, devlink::JobType&) { b = *file; });
  params::ParseShowReport(*form.registry, text);
  params::ApplyReport(form);
  ctx.queue->push(devlink::MakeJob(devlink::ReadSettingsForFile, devlink::kCmdShow));
}

void WriteSnapshotDifferences(SnapshotContext& ctx, const std::string& report) {
  params::ParseShowReport(*ctx.form->registry, report);
  ctx.runOnUiThread([&] { QueueChangedSettings(*ctx.form, *ctx.queue); });
}

}  // namespace app
