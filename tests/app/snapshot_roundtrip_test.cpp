// Load, Save and snapshot files against simulated terminals, through the
// headless window on the real English skin.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/headless_shell.h"
#include "app/shell_fixture.h"
#include "params/snapshot_file.h"
#include "sim/simulator.h"

namespace {

// Boots at every open, as a terminal powered up for each connection.
sim::SimOptions FastTerminal(sim::SimOptions o = {}) {
  o.powerOn = sim::PowerOn::EveryOpen;
  o.timeScale = 0.02;
  o.pace = false;
  return o;
}

app::ShellOptions ToolOptions(const apptest::TempDir& dir, bool chinese = false) {
  app::ShellOptions o;
  o.programDir = dir.path;
  o.language = chinese ? 1 : 0;
  o.skinDir = std::filesystem::path(K9X40_SOURCE_DIR) / (chinese ? "skin/ConifgRes" : "skin/ConifgENRes");
  o.helpFile = dir.path / "Help.txt";
  o.timing = apptest::FastTiming();
  return o;
}

std::string DiskBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The write commands the terminal received from command number `from` on.
std::vector<std::string> Writes(const sim::Simulator& t, std::size_t from = 0) {
  std::vector<std::string> w;
  const auto cmds = t.commands();
  for (std::size_t i = from; i < cmds.size(); ++i)
    if (cmds[i].find('=') != std::string::npos) w.push_back(cmds[i]);
  return w;
}

// Waits until the worker is idle and has enabled the commands again.
bool WaitReady(app::HeadlessShell& tool) {
  return tool.waitIdle(10000) && tool.waitFor(
      [](app::CK9X40FrameWnd& f) {
        auto* save = f.pm().findControl("Save");
        return save && save->enabled();
      },
      5000) && tool.settle();
}

class EndToEnd : public ::testing::Test {
 protected:
  // Opens the terminal's line (closing another one first) and waits until the
  // handshake is done.
  void connect(sim::Simulator& t) {
    if (tool.portOpen()) {
      ASSERT_TRUE(tool.click("Open") && tool.settle() && !tool.portOpen());
    }
    ASSERT_TRUE(tool.openPort(t.devicePath()));
    ASSERT_TRUE(tool.waitForConfigMode(5000)) << tool.logText();
    ASSERT_TRUE(WaitReady(tool));
  }
  // Clicks a button and waits until every job it caused is done.
  void run(const char* button) {
    ASSERT_TRUE(tool.click(button)) << button;
    ASSERT_TRUE(tool.settle());
    ASSERT_TRUE(WaitReady(tool)) << button;
  }
  void saveSnapshot(const std::filesystem::path& file) {
    tool.dialogs().answerFile(file.string());
    run("SaveToFile");
  }
  void loadSnapshot(const std::filesystem::path& file) {
    tool.dialogs().answerFile(file.string());
    run("LoadFromFile");
  }

  apptest::TempDir dir;
  sim::Simulator first{FastTerminal()};
  sim::Simulator second{FastTerminal()};
  app::HeadlessShell tool{ToolOptions(dir)};
  std::filesystem::path file = dir.path / "K9x40.cfg";

  void SetUp() override {
    ASSERT_TRUE(tool.skinLoaded());
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
  }
};

TEST_F(EndToEnd, SaveWritesExactlyTheEditedSettings) {
  connect(first);
  run("Load");
  ASSERT_EQ(tool.text("LORA ID"), first.value("AT+LID"));
  ASSERT_TRUE(tool.setText("LORA ID", "7"));
  ASSERT_TRUE(tool.selectItemText("Serial Baudrate", "9600"));
  std::size_t mark = first.commands().size();
  run("Save");
  EXPECT_EQ(Writes(first, mark), (std::vector<std::string>{"AT+LID=7", "AT+IPR=9600"}));
  EXPECT_EQ(first.value("AT+LID"), "7");
  EXPECT_EQ(first.value("AT+IPR"), "9600");
  // Confirmed writes are what the registry holds now: nothing more to write.
  mark = first.commands().size();
  run("Save");
  EXPECT_EQ(Writes(first, mark), std::vector<std::string>{});
}

// Every value the terminal reports is one its list shows and reads back,
// in both skins: a Save right after Load writes nothing.
TEST(EndToEndSkins, LoadThenSaveWritesNothing) {
  for (bool chinese : {false, true}) {
    apptest::TempDir dir;
    sim::Simulator t(FastTerminal());
    ASSERT_TRUE(t.start());
    app::HeadlessShell tool(ToolOptions(dir, chinese));
    ASSERT_TRUE(tool.skinLoaded());
    ASSERT_TRUE(tool.openPort(t.devicePath()) && tool.waitForConfigMode(5000) && WaitReady(tool));
    ASSERT_TRUE(tool.click("Load") && tool.settle() && WaitReady(tool));
    ASSERT_EQ(tool.text("LORA ID"), t.value("AT+LID"));
    const std::size_t mark = t.commands().size();
    ASSERT_TRUE(tool.click("Save") && tool.settle() && WaitReady(tool));
    EXPECT_EQ(Writes(t, mark), std::vector<std::string>{}) << (chinese ? "Chinese" : "English");
  }
}

TEST(EndToEndRefusal, ARefusedWriteIsTriedAgainAtTheNextSave) {
  apptest::TempDir dir;
  sim::SimOptions o = FastTerminal();
  o.errorCommands = {"AT+LID"};
  sim::Simulator t(o);
  ASSERT_TRUE(t.start());
  app::HeadlessShell tool(ToolOptions(dir));
  ASSERT_TRUE(tool.openPort(t.devicePath()) && tool.waitForConfigMode(5000) && WaitReady(tool));
  ASSERT_TRUE(tool.click("Load") && tool.settle() && WaitReady(tool));
  ASSERT_TRUE(tool.setText("LORA ID", "7"));
  for (int save = 0; save < 2; ++save) {
    const std::size_t mark = t.commands().size();
    ASSERT_TRUE(tool.click("Save") && tool.settle() && WaitReady(tool));
    EXPECT_EQ(Writes(t, mark), std::vector<std::string>{"AT+LID=7"}) << "save " << save;
  }
  EXPECT_EQ(t.value("AT+LID"), "1");
}

// In transparent mode the layout rules hide the listen port; a K9x40-L has
// no ZigBee page.
TEST_F(EndToEnd, EditsOfHiddenRowsAndPagesAreNotWritten) {
  connect(first);
  run("Load");
  ASSERT_EQ(first.value("At+PROMODE"), "TRNS");
  ASSERT_TRUE(tool.setText("ListenPort", "5002"));
  ASSERT_TRUE(tool.setText("ZigBee_NetworkID", "FFFF"));
  const std::size_t mark = first.commands().size();
  run("Save");
  EXPECT_EQ(Writes(first, mark), std::vector<std::string>{});
}

// terminal -> .cfg -> other terminal: exactly the differing settings are
// written, after which both terminals report the same.
TEST_F(EndToEnd, SnapshotCarriesSettingsToAnotherTerminal) {
  second.setValue("AT+LID", "6001");
  second.setValue("AT+MBADDRESS", "17");
  second.setValue("AT+IPR", "9600");
  second.setValue("AT+SERBINDCNT", "4");
  second.setValue("AT+RSPD", "2");
  second.setValue("AT+ZDATCHAN", "16");
  ASSERT_NE(first.report(), second.report());

  connect(first);
  saveSnapshot(file);
  // The file is the received reply as a Windows text-mode write stores it.
  const std::string disk = DiskBytes(file);
  std::string text;
  for (std::size_t i = 0; i < disk.size(); ++i)
    if (!(disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n')) text += disk[i];
  EXPECT_EQ(disk, params::SnapshotBytes(text));
  EXPECT_NE(disk.find("\r\r\nAccess Point Name:"), std::string::npos);
  EXPECT_TRUE(first.sent().ends_with(text));
  EXPECT_TRUE(text.ends_with("OK\r\n"));

  connect(second);
  const std::size_t mark = second.commands().size();
  loadSnapshot(file);
  EXPECT_EQ(Writes(second, mark),
            (std::vector<std::string>{"AT+SERBINDCNT=" + *first.value("AT+SERBINDCNT"),
                                      "AT+ZDATCHAN=" + *first.value("AT+ZDATCHAN"),
                                      "AT+LID=" + *first.value("AT+LID"),
                                      "AT+RSPD=" + *first.value("AT+RSPD"),
                                      "AT+MBADDRESS=" + *first.value("AT+MBADDRESS"),
                                      "AT+IPR=" + *first.value("AT+IPR")}));
  EXPECT_EQ(second.report(), first.report());

  // Back onto the terminal it came from: nothing differs.
  connect(first);
  const std::size_t mark1 = first.commands().size();
  loadSnapshot(file);
  EXPECT_EQ(Writes(first, mark1), std::vector<std::string>{});
}

// An editor turned the CR CR LF line ends into CR LF: the file still loads
// with its values, so only the real differences are written.
TEST_F(EndToEnd, ASnapshotWithEditorLineEndsStillLoads) {
  second.setValue("AT+LID", "6001");
  connect(first);
  saveSnapshot(file);
  std::string disk = DiskBytes(file), normalised;
  for (std::size_t i = 0; i < disk.size(); ++i)
    if (!(disk.compare(i, 3, "\r\r\n") == 0)) normalised += disk[i];
  std::ofstream(file, std::ios::binary | std::ios::trunc) << normalised;

  connect(second);
  const std::size_t mark = second.commands().size();
  loadSnapshot(file);
  EXPECT_EQ(Writes(second, mark), std::vector<std::string>{"AT+LID=" + *first.value("AT+LID")});
}

TEST_F(EndToEnd, AValueWithALineBreakIsNotSent) {
  connect(first);
  run("Load");
  ASSERT_TRUE(tool.setText("LORA TAddr", "2\r\nAT+FACTORY"));
  ASSERT_TRUE(tool.setText("LORA ID", "5003"));
  const std::size_t mark = first.commands().size();
  run("Save");
  EXPECT_EQ(Writes(first, mark), std::vector<std::string>{"AT+LID=5003"});
  EXPECT_EQ(first.commands().size(), mark + 1);  // no AT+FACTORY either
  EXPECT_NE(tool.logText().find("A value containing a line break was not written: \"LORA TAddr\""),
            std::string::npos);
}

TEST_F(EndToEnd, SavingOverAFileAsksAndAFailedWriteSaysSo) {
  connect(first);
  std::ofstream(file) << "kept";
  tool.dialogs().answerFile(file.string());
  tool.dialogs().answerYesNo(false);
  run("SaveToFile");
  EXPECT_EQ(DiskBytes(file), "kept");

  tool.dialogs().answerFile(file.string());
  tool.dialogs().answerYesNo(true);
  run("SaveToFile");
  EXPECT_NE(DiskBytes(file).find("Access Point Name:"), std::string::npos);

  saveSnapshot(dir.path / "no such folder" / "x.cfg");
  const auto shown = tool.dialogs().shown();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().kind, app::HeadlessDialogs::Shown::Box);
  EXPECT_EQ(shown.back().text, "The snapshot file could not be created.");
}

}  // namespace
