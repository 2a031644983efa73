#include "ui/private_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/lang_text.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

const std::string kIni =
    "\xEF\xBB\xBF; settings\r\n"
    "[Set]\r\n"
    "  Language = 1 \r\n"
    ";Hidden=yes\r\n"
    "\r\n"
    "[ComSend]\r\n"
    "send=Send: \r\n"
    "spaced=\"Send: \"\r\n"
    "Eq=a=b\r\n"
    "[set]\r\n"
    "Language=2\r\n"
    "Other=3\r\n";

TEST(PrivateProfileTest, ReadsLikeThePlatform) {
  struct Case {
    const char *section, *key, *dflt;
    std::size_t size;
    std::string want;
  } cases[] = {
      {"SET", "language", "", 20, "1"},       // names ignore case; blanks dropped
      {"Set", "Other", "none", 20, "none"},   // only the first [set] section counts
      {"ComSend", "send", "", 200, "Send:"},  // trailing blanks go...
      {"ComSend", "spaced", "", 200, "Send: "},  // ...unless quoted
      {"ComSend", "Eq", "", 200, "a=b"},
      {"Set", "Hidden", "", 20, ""},          // a comment line
      {"Set", "Missing", "dflt  ", 20, "dflt"},
      {"Nowhere", "send", "", 20, ""},
      {"ComSend", "spaced", "", 4, "Sen"},    // a 4-byte buffer holds 3
      {"Set", "Language", "", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileText(kIni, c.section, c.key, c.dflt, c.size), c.want)
        << c.section << "/" << c.key;
  }
}

TEST(PrivateProfileTest, WriteTouchesOnlyItsKey) {
  std::string text = kIni;
  ASSERT_TRUE(WriteProfileText(text, "set", "LANGUAGE", "0"));
  std::string want = kIni;
  want.replace(want.find("Language = 1 "), 13, "Language=0");
  EXPECT_EQ(text, want);

  text = kIni;
  ASSERT_TRUE(WriteProfileText(text, "Set", "CustomVer", "X1"));
  want = kIni;
  want.insert(want.find("\r\n\r\n[ComSend]") + 2, "CustomVer=X1\r\n");  // before the blank line
  EXPECT_EQ(text, want);

  text = kIni;
  ASSERT_TRUE(WriteProfileText(text, "CustomVer", "CustomVer", ""));
  EXPECT_EQ(text, kIni + "[CustomVer]\r\nCustomVer=\r\n");

  text = "[Set]\nLanguage=1";  // LF lines, no final line end
  ASSERT_TRUE(WriteProfileText(text, "Set", "Extra", "x"));
  EXPECT_EQ(text, "[Set]\nLanguage=1\nExtra=x\n");
  text = "";
  ASSERT_TRUE(WriteProfileText(text, "Set", "Language", "1"));
  EXPECT_EQ(text, "[Set]\r\nLanguage=1\r\n");

  for (auto [section, key, value] : {std::tuple{"Set", "Language", "1\r\n[Evil]"},
                                     std::tuple{"Set", "", "1"}, std::tuple{"Se]t", "k", "1"},
                                     std::tuple{"Set", "a=b", "1"}, std::tuple{"Set", ";k", "1"}}) {
    text = kIni;
    EXPECT_FALSE(WriteProfileText(text, section, key, value)) << key;
    EXPECT_EQ(text, kIni);
  }
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Put(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / ("profile_" + std::string(
        ::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  fs::path dir;
};

TEST_F(ProfileFileTest, WritesFilesInPlaceAndCreatesMissingOnes) {
  const fs::path ini = dir / "config.ini";
  EXPECT_EQ(ReadProfileString(ini, "Set", "Language", "", 20), "");
  ASSERT_TRUE(WriteProfileString(ini, "Set", "Language", "1"));
  EXPECT_EQ(ReadProfileString(ini, "Set", "Language", "", 20), "1");

  Put(ini, kIni);
  ASSERT_TRUE(WriteProfileString(ini, "Set", "Language", "0"));
  std::string want = kIni;
  want.replace(want.find("Language = 1 "), 13, "Language=0");
  EXPECT_EQ(Slurp(ini), want);
  EXPECT_FALSE(fs::exists(dir / "config.ini.tmp"));

  EXPECT_FALSE(WriteProfileString(dir / "no" / "such" / "config.ini", "Set", "Language", "1"));
}

TEST_F(ProfileFileTest, LangTextCutsAtEveryCallFromTheFile) {
  const fs::path file = dir / "Language.ini";
  const LanguageFile lang(file);
  EXPECT_EQ(lang.LangText("OnStartCom", "Open", "\r\n"), "\r\n");  // no file yet

  const std::string longText(250, 'a');
  Put(file, "[OnStartCom]\r\nOpen=Open\r\nLong=" + longText + "\r\n[ComSend]\r\nsend=\r\n");
  EXPECT_EQ(lang.LangText("OnStartCom", "Open"), "Open");
  EXPECT_EQ(lang.LangText("OnStartCom", "Long", "\r\n"), std::string(199, 'a') + "\r\n");
  EXPECT_EQ(lang.LangText("OnStartCom", "Missing", "\r\n"), "\r\n");
  EXPECT_EQ(lang.LangText("Missing", "Open", "!"), "!");
  EXPECT_EQ(lang.LangText("ComSend", "send"), "");

  // Chinese text: the cut falls on a character boundary.
  std::string chinese;
  for (int i = 0; i < 70; ++i) chinese += "\xE6\x89\x93";  // 210 bytes
  Put(file, "[OnStartCom]\r\nOpen=" + chinese + "\r\n");  // the file is read again
  EXPECT_EQ(lang.LangText("OnStartCom", "Open"), chinese.substr(0, 198));
}

}  // namespace
}  // namespace ui
