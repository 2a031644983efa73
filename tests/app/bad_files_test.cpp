// Files that are not what they should be: the window comes up, says what is
// wrong, writes nothing and keeps working.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "app/frame_window.h"
#include "english_tool.h"
#include "shell_fixture.h"
#include "sim/simulator.h"

using namespace apptest;
using app::HeadlessShell;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Binary(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>((i * 131 + 7) % 256));
  return s;
}

// Every file under `dir` with its bytes, to tell that nothing was written.
std::map<std::string, std::string> Files(const fs::path& dir) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) all[e.path().string()] = ReadAll(e.path());
  return all;
}

struct BadFiles : ::testing::Test {
  TempDir program;  // config.ini
  TempDir skin;     // skin.xml and Language.ini, copied from the test skin and spoilt

  void SetUp() override {
    program.write("config.ini", "[Set]\r\nLanguage=0\r\n");
    for (const auto& e : fs::directory_iterator(TestSkinDir())) fs::copy(e.path(), skin.path / e.path().filename());
  }
  app::ShellOptions options() {
    auto o = TestOptions(program);
    o.skinDir = skin.path;
    return o;
  }
};

TEST_F(BadFiles, SkinThatIsNotXmlLeavesAnEmptyWindowAndSaysWhere) {
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {{"binary", Binary(5000)}, {"text", "this is not a skin\r\n"}, {"empty", ""},
               {"cut short", ReadAll(TestSkinDir() / "skin.xml").substr(0, 300)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    skin.write("skin.xml", c.bytes);
    const auto before = Files(program.path);
    ::testing::internal::CaptureStderr();
    {
      HeadlessShell shell(options());
      EXPECT_FALSE(shell.skinLoaded());
      EXPECT_TRUE(shell.settle());
      EXPECT_FALSE(shell.click("Open"));
      EXPECT_TRUE(shell.running());
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("skin.xml"), std::string::npos) << err;
    EXPECT_EQ(Files(program.path), before);
  }
}

TEST_F(BadFiles, SkinWithoutHalfItsNamesRunsWhatItHas) {
  // Every second name attribute goes; the controls stay, nameless.
  const std::string xml = ReadAll(TestSkinDir() / "skin.xml");
  std::string spoilt;
  std::regex name(R"( name="[^"]*")");
  int n = 0;
  std::size_t last = 0;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), name); it != std::sregex_iterator(); ++it) {
    const auto& m = *it;
    spoilt += xml.substr(last, m.position() - last);
    if (n++ % 2 == 0) spoilt += m.str();
    last = m.position() + m.length();
  }
  spoilt += xml.substr(last);
  ASSERT_GT(n, 20);
  skin.write("skin.xml", spoilt);

  HeadlessShell shell(options());
  ASSERT_TRUE(shell.skinLoaded());
  // Whatever is there can be used; whatever is missing is skipped.
  for (const char* c : {"Open", "Login", "Load", "Save", "GetVer", "CSQ", "quit", "Clear", "TabLeft", "TabRight",
                        "WorkMode", "Server", "SaveToFile", "LoadFromFile"})
    shell.click(c);
  shell.focus("FINDNETMODE");
  EXPECT_TRUE(shell.settle());
  EXPECT_TRUE(shell.running());
}

TEST_F(BadFiles, MissingOrBinaryLanguageFileLeavesTextsEmpty) {
  const struct {
    const char* what;
    bool present;
    std::string bytes;
  } cases[] = {{"missing", false, ""}, {"binary", true, Binary(20000)}, {"empty", true, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(skin.path / "Language.ini");
    if (c.present) skin.write("Language.ini", c.bytes);
    const auto before = Files(program.path);
    const auto skinBefore = Files(skin.path);
    ::testing::internal::CaptureStderr();
    {
      HeadlessShell shell(options());
      ASSERT_TRUE(shell.skinLoaded());
      ASSERT_TRUE(shell.settle());
      // A failing open logs its (now empty) line and the window goes on.
      shell.selectItemText("SerialPort", "/dev/k9x40-no-such-port");
      shell.click("Open");
      ASSERT_TRUE(shell.settle());
      EXPECT_FALSE(shell.portOpen());
      const std::string caption = shell.text("Open").value_or("?");
      EXPECT_LE(caption.size(), 199u);
      EXPECT_TRUE(shell.running());
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Language.ini"), std::string::npos) << "no word about the language file: " << err;
    EXPECT_EQ(Files(program.path), before);
    EXPECT_EQ(Files(skin.path), skinBefore);
  }
}

}  // namespace

namespace {

std::map<std::string, std::string> RegistryValues(HeadlessShell& tool) {
  return tool.ui([](app::CK9X40FrameWnd& f) {
    std::map<std::string, std::string> all;
    for (const auto& n : f.registry().names()) all[n] = f.registry().value(n).value_or("");
    return all;
  });
}

// Snapshot files that hold no report are refused before anything changes:
// neither the form, the registry nor the terminal.
TEST(BadSnapshotFiles, AreRefusedAndNothingIsWritten) {
  TempDir dir;
  sim::Simulator t(apptest::QuickTerminal());
  ASSERT_TRUE(t.start());
  HeadlessShell tool(apptest::EnglishToolOptions(dir));
  ASSERT_TRUE(apptest::Connect(tool, t));
  ASSERT_TRUE(apptest::Run(tool, "Load"));
  const std::string refusal = tool.ui([](app::CK9X40FrameWnd& f) { return f.LangText("Linux", "NotASnapshot"); });
  ASSERT_FALSE(refusal.empty());

  std::string noMarker = t.report();
  for (std::size_t at; (at = noMarker.find("Access Point Name:")) != std::string::npos;) noMarker.erase(at, 6);
  std::string tenMegabytes = Binary(10 << 20);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {{"empty", ""}, {"binary", Binary(20000)}, {"10 MB", tenMegabytes}, {"without the marker", noMarker}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto file = dir.path / "bad.cfg";
    dir.write("bad.cfg", c.bytes);
    const auto registryBefore = RegistryValues(tool);
    const auto formBefore = tool.text("ListenPort");
    const std::size_t mark = t.commands().size();
    const std::size_t logMark = tool.logText().size();
    tool.dialogs().answerFile(file.string());
    ASSERT_TRUE(apptest::Run(tool, "LoadFromFile"));
    EXPECT_NE(tool.logText().find(refusal, logMark), std::string::npos) << tool.logText().substr(logMark);
    EXPECT_EQ(t.commands().size(), mark) << "the terminal was asked or told something";
    EXPECT_EQ(tool.text("ListenPort"), formBefore);
    EXPECT_EQ(RegistryValues(tool), registryBefore);
    EXPECT_EQ(ReadAll(file), c.bytes);
  }
}

}  // namespace
