#include "params/snapshot_file.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "params/param_registry.h"
#include "params/report_parser.h"

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

std::string DiskBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Files beside `p` other than `p` itself: what a failed write must not leave.
int StrayFilesBeside(const std::filesystem::path& p) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(p.parent_path()))
    if (e.path().filename().string().find(p.filename().string()) != std::string::npos &&
        e.path() != p)
      ++n;
  return n;
}

TEST(SnapshotBytes, WritesEachLfAsCrLfUpToTheFirstNul) {
  EXPECT_EQ(SnapshotBytes("\r\nAT+SHOW\r\nOK\r\n"), "\r\r\nAT+SHOW\r\r\nOK\r\r\n");
  EXPECT_EQ(SnapshotBytes("a\nb\r"), "a\r\nb\r");
  EXPECT_EQ(SnapshotBytes("ab\0\ncd"s), "ab");
  EXPECT_EQ(SnapshotBytes(""), "");
}

TEST_F(SnapshotFileTest, WrittenFileReadsBackAsTheReceivedText) {
  const std::string report = "\r\nAT+SHOW\r\nAccess Point Name: cmnet\r\n\r\nServer's Port: 5001\r\n\r\nOK\r\n";
  Write("old contents");
  ASSERT_TRUE(WriteSnapshotFile(path_.string(), report).ok);
  EXPECT_EQ(DiskBytes(path_), SnapshotBytes(report));
  RecvBuffer recv;
  ASSERT_TRUE(ReadSnapshotFile(path_.string(), recv).ok);
  EXPECT_EQ(recv.text(), report);
  EXPECT_EQ(StrayFilesBeside(path_), 0);
}

// A write that fails half way (here the file size limit, as a full disk
// would) keeps the old file and leaves no temporary file behind.
TEST_F(SnapshotFileTest, FailedWriteKeepsTheOldFile) {
  Write("the user's old snapshot");
  struct rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  FileWriteResult r = WriteSnapshotFile(path_.string(), std::string(4000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(path_.string()), std::string::npos) << r.error;
  EXPECT_EQ(DiskBytes(path_), "the user's old snapshot");
  EXPECT_EQ(StrayFilesBeside(path_), 0);
}

TEST_F(SnapshotFileTest, UnwritablePlacesFail) {
  const auto missingDir = path_.parent_path() / "k9x40_no_such_dir" / "x.cfg";
  EXPECT_FALSE(WriteSnapshotFile(missingDir.string(), "a").ok);
  EXPECT_FALSE(std::filesystem::exists(missingDir));
  std::filesystem::create_directory(path_);
  EXPECT_FALSE(WriteSnapshotFile(path_.string(), "a").ok);  // a folder of that name
  std::filesystem::remove(path_);
}

TEST_F(SnapshotFileTest, KeepsPermissionsAndFollowsLinks) {
  Write("old");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_write |
                                          std::filesystem::perms::group_read);
  const auto link = path_.string() + ".link";
  std::filesystem::create_symlink(path_, link);
  ASSERT_TRUE(WriteSnapshotFile(link, "new\n").ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(DiskBytes(path_), "new\r\n");
  EXPECT_EQ(std::filesystem::status(path_).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  std::filesystem::remove(link);
}

// An editor that normalised the line ends (CR CR LF became CR LF, or LF)
// would otherwise leave every value empty.
TEST_F(SnapshotFileTest, RestoresLineEndsAnEditorNormalised) {
  const std::string report =
      "\r\nAT+SHOW\r\nAccess Point Name: cmnet\r\n\r\nServer's Port: 5001\r\n\r\nOK\r\n";
  std::string crlf, lf;
  for (char c : report) {
    if (c != '\r') lf += c;
    if (c != '\r') crlf += (c == '\n' ? "\r\n" : std::string(1, c));
  }
  ParamRegistry reg;
  BuildRegistry(reg);
  for (const std::string& disk : {SnapshotBytes(report), crlf, lf}) {
    RecvBuffer recv;
    ASSERT_TRUE(ReadSnapshotFile(Write(disk), recv).ok);
    EXPECT_EQ(recv.text(), report);
    ParseShowReport(reg, recv);
    EXPECT_EQ(reg.value("Server's Port"), "5001");
    EXPECT_EQ(reg.value("Access Point Name"), "cmnet");
  }
}

TEST(RestoreLineEnds, OnlyWhenTheMarkerLineEndsInABareLf) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"x\nAccess Point Name: a\nb\r\nc\n", "x\r\nAccess Point Name: a\r\nb\r\nc\r\n"},
      {"x\nAccess Point Name: a\r\nb\n", "x\nAccess Point Name: a\r\nb\n"},
      {"no marker\n", "no marker\n"},
      {"Access Point Name: a", "Access Point Name: a"},
  };
  for (auto& c : cases) {
    std::string t = c.in;
    RestoreLineEnds(t);
    EXPECT_EQ(t, c.out);
  }
}

}  // namespace
}  // namespace params
