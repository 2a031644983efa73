#include "params/snapshot_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace params {
namespace {

using namespace std::string_literals;

class SnapshotFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    return path_.string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("k9x40_snapshot_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".cfg");
};

TEST_F(SnapshotFileTest, TurnsEachCrLfIntoLf) {
  struct Case {
    std::string disk, text;
  };
  const Case cases[] = {
      {"\r\r\nAT+SHOW\r\r\nOK\r\r\n", "\r\nAT+SHOW\r\nOK\r\n"},
      {"a\rb\nc\r\r\rd", "a\rb\nc\r\r\rd"},  // lone CRs and LFs stay
      {"x\r", "x\r"},
      {"a\0b\r\n"s, "a\0b\n"s},
  };
  for (const Case& c : cases) {
    RecvBuffer recv;
    ASSERT_TRUE(ReadSnapshotFile(Write(c.disk), recv).ok);
    EXPECT_EQ(recv.text(), c.text);
    EXPECT_EQ(recv.data[recv.count], '\0');
  }
}

// 8192 bytes of translated text, not of the file; a CR LF split by the
// reader's chunking still becomes one LF.
TEST_F(SnapshotFileTest, KeepsTheFirst8192TranslatedBytes) {
  std::string disk;
  for (int i = 0; i < 3000; ++i) disk += "ab\r\n";  // 12000 bytes on disk, 9000 translated
  RecvBuffer recv;
  recv.count = 5;
  ASSERT_TRUE(ReadSnapshotFile(Write(disk), recv).ok);
  ASSERT_EQ(recv.count, 8192);
  std::string want;
  for (int i = 0; i < 3000; ++i) want += "ab\n";
  EXPECT_EQ(recv.text(), want.substr(0, 8192));
  EXPECT_EQ(recv.data[8192], '\0');
}

TEST_F(SnapshotFileTest, UnreadableFileNamesThePathAndLeavesTheBuffer) {
  RecvBuffer recv;
  recv.data[0] = 'k';
  recv.count = 1;
  for (std::string path : {(path_.string() + ".missing"), std::filesystem::temp_directory_path().string()}) {
    SnapshotReadResult r = ReadSnapshotFile(path, recv);
    EXPECT_FALSE(r.ok) << path;
    EXPECT_NE(r.error.find(path), std::string::npos) << r.error;
    EXPECT_EQ(recv.text(), "k");
  }
}

}  // namespace
}  // namespace params
