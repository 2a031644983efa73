#include "app/snapshot_actions.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/headless_dialogs.h"
#include "app/user_home.h"
#include "params/control_binding.h"
#include "params/form_fixture.h"
#include "params/report_parser.h"
#include "params/snapshot_file.h"

namespace app {
namespace {

std::string DiskBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<devlink::Job> Drain(devlink::JobQueue& q) {
  std::vector<devlink::Job> jobs;
  devlink::Job j;
  while (q.pop(j)) jobs.push_back(j);
  return jobs;
}

struct SnapshotTest : ::testing::Test {
  params::testing::Form form;
  devlink::LinkState link;
  devlink::JobQueue queue;
  HeadlessDialogs dialogs{false};
  std::string snapshotPath;
  SnapshotContext ctx{&form.ctx, &link, &queue, &dialogs, false, &snapshotPath,
                      [](const std::function<void()>& f) {
                        f();
                        return true;
                      }};
  std::filesystem::path file = form.dir() / "K9x40.cfg";
  std::string report = params::testing::RealisticReport(form.registry);
};

TEST_F(SnapshotTest, SaveAsksForAFileThenWritesTheNextReport) {
  dialogs.answerFile(std::nullopt);
  SaveSnapshot(ctx);  // cancelled
  EXPECT_EQ(queue.size(), 0u);

  dialogs.answerFile(file.string());
  SaveSnapshot(ctx);
  auto jobs = Drain(queue);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].type, devlink::ReadSettingsToFile);
  EXPECT_EQ(jobs[0].command, "\r\nAT+SHOW\r\n");
  EXPECT_EQ(snapshotPath, file.string());

  WriteReportToSnapshot(ctx, report);
  EXPECT_EQ(DiskBytes(file), params::SnapshotBytes(report));

  const auto shown = dialogs.shown();
  ASSERT_EQ(shown.size(), 2u);
  const FileDialogRequest& first = shown[0].request;
  EXPECT_EQ(shown[0].kind, HeadlessDialogs::Shown::Save);
  EXPECT_EQ(first.fileName, "K9x40.cfg");
  EXPECT_EQ(first.initialDir, UserHomeFolder());
  EXPECT_FALSE(first.fileMustExist);
  EXPECT_TRUE(first.pathMustExist);
  EXPECT_TRUE(first.confirmOverwrite);
  ASSERT_EQ(first.filters.size(), 2u);
  EXPECT_EQ(first.filters[0].display, "cfg(*.cfg)");
  EXPECT_EQ(first.filters[1].display, "All File(*.*)");
  EXPECT_EQ(first.filters[1].pattern, "*.*");
  // The folder of the last choice is where the next dialog starts.
  EXPECT_EQ(shown[1].request.initialDir, UserHomeFolder());
  SaveSnapshot(ctx);
  EXPECT_EQ(dialogs.shown().back().request.initialDir, form.dir().string());
}

TEST_F(SnapshotTest, SavingOverAnExistingFileAsksFirst) {
  std::ofstream(file) << "old";
  dialogs.answerFile(file.string());
  dialogs.answerYesNo(false);
  SaveSnapshot(ctx);
  EXPECT_EQ(queue.size(), 0u);
  dialogs.answerFile(file.string());
  dialogs.answerYesNo(true);
  SaveSnapshot(ctx);
  EXPECT_EQ(queue.size(), 1u);
}

TEST_F(SnapshotTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
  std::ofstream(file) << "old";
  dialogs.answerFile(file.string());
  dialogs.answerYesNo(true);
  SaveSnapshot(ctx);
  struct rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 100;
  ::setrlimit(RLIMIT_FSIZE, &small);
  WriteReportToSnapshot(ctx, report);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, handler);
  EXPECT_EQ(DiskBytes(file), "old");
  EXPECT_EQ(form.boxes, std::vector<std::string>{"Cannot write the file"});
}

TEST_F(SnapshotTest, LoadShowsTheFileThenWritesWhereTheTerminalDiffers) {
  params::WriteSnapshotFile(file.string(), report);
  dialogs.answerFile(file.string());
  LoadSnapshot(ctx);
  const auto req = dialogs.shown().at(0).request;
  EXPECT_TRUE(req.fileMustExist);
  EXPECT_FALSE(req.confirmOverwrite);
  EXPECT_EQ(req.filters.at(1).display, " All File(*.*)");
  EXPECT_EQ(form.field("ListenPort").text(), "5001");
  EXPECT_EQ(form.combo("Serial Baudrate").selectedText(), "115200");
  auto jobs = Drain(queue);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].type, devlink::ReadSettingsForFile);
  EXPECT_EQ(jobs[0].command, "\r\nAT+SHOW\r\n");

  // The terminal differs in two settings.
  std::string terminal = report;
  terminal.replace(terminal.find("Listen on port: 5001"), 20, "Listen on port: 6001");
  terminal.replace(terminal.find("Serial Baudrate: 115200"), 23, "Serial Baudrate: 9600");
  WriteSnapshotDifferences(ctx, terminal);
  jobs = Drain(queue);
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].command, "AT+LPORT=5001\r\n");
  EXPECT_EQ(jobs[0].paramName, "ListenPort");
  EXPECT_EQ(jobs[0].type, devlink::WriteSetting);
  EXPECT_EQ(jobs[1].command, "AT+IPR=115200\r\n");
  EXPECT_EQ(jobs[1].value, "115200");

  // The same terminal as the file: nothing to write.
  WriteSnapshotDifferences(ctx, report);
  EXPECT_TRUE(Drain(queue).empty());
}

TEST_F(SnapshotTest, AnUnreadableFileIsLoggedAndChangesNothing) {
  form.registry.setValue("ListenPort", "1234");
  dialogs.answerFile((form.dir() / "missing.cfg").string());
  LoadSnapshot(ctx);
  dialogs.answerFile(std::nullopt);
  LoadSnapshot(ctx);
  EXPECT_EQ(form.logs, std::vector<std::string>{"Cannot read the file"});
  EXPECT_EQ(form.registry.value("ListenPort"), "1234");
  EXPECT_EQ(queue.size(), 0u);
}

TEST(SnapshotFilters, ChineseTextsForBothDialogs) {
  for (bool saving : {false, true}) {
    auto f = SnapshotFilters(true, saving);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].display, "cfg文件(*.cfg)");
    EXPECT_EQ(f[0].pattern, "*.cfg");
    EXPECT_EQ(f[1].display, "所有文件(*.*)");
    EXPECT_EQ(f[1].pattern, "*.*");
  }
}

}  // namespace
}  // namespace app
