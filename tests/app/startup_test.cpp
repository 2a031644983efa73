#include "app/startup.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

using namespace apptest;

TEST(Startup, LanguageFromConfigPicksTheSkin) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Set]\r\nLanguage=1\r\n", "ConifgRes"},
      {"[set]\r\nlanguage= 7\r\n", "ConifgRes"},
      {"[Set]\r\nLanguage=0\r\n", "ConifgENRes"},
      {"[Set]\r\nLanguage=abc\r\n", "ConifgENRes"},
      {"[Other]\r\nLanguage=1\r\n", "ConifgENRes"},
      {nullptr, "ConifgENRes"},  // no config.ini at all
  };
  for (auto [config, skin] : cases) {
    TempDir dir;
    if (config) dir.write("config.ini", config);
    int language = app::ReadLanguage(dir.path);
    EXPECT_EQ(app::SkinDirectory(dir.path, language), dir.path / "skin" / skin) << (config ? config : "none");
  }
}

TEST(Startup, LanguageWriteKeepsTheRestOfTheFile) {
  TempDir dir;
  dir.write("config.ini", "[Set]\r\nLanguage=0\r\n[CustomVer]\r\nCustomVer=-X\r\n");
  ASSERT_TRUE(app::WriteLanguage(dir.path, 1));
  EXPECT_EQ(dir.read("config.ini"), "[Set]\r\nLanguage=1\r\n[CustomVer]\r\nCustomVer=-X\r\n");
  EXPECT_EQ(app::ReadLanguage(dir.path), 1);
  EXPECT_EQ(app::ReadCustomVersion(dir.path), "-X");
}

TEST(Startup, ProgramDirectoryHoldsTheRunningExecutable) {
  EXPECT_TRUE(std::filesystem::exists(app::ProgramDirectory() / "app_tests"));
}
