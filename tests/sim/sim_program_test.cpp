// The k9x40-sim program as a person starts it: prints its link, serves it,
// removes it on SIGTERM and when its line hangs up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "sim/pty_client.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

struct Program {
  pid_t pid = -1;
  int out = -1;
  ~Program() {
    if (pid > 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    if (out >= 0) ::close(out);
  }
  // First line of its standard output.
  std::string firstLine() {
    std::string line;
    char c;
    while (::read(out, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  int wait() {
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

bool Start(Program& p, std::vector<std::string> args) {
  args.insert(args.begin(), std::string(K9X40_BINARY_DIR) + "/bin/k9x40-sim");
  int pipefd[2];
  if (::pipe(pipefd) != 0) return false;
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, pipefd[1], 1);
  posix_spawn_file_actions_addclose(&fa, pipefd[0]);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int rc = posix_spawn(&p.pid, argv[0], &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  ::close(pipefd[1]);
  p.out = pipefd[0];
  return rc == 0;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

std::string TempLink() {
  return ::testing::TempDir() + "/ttySIM-prog-" + std::to_string(::getpid());
}

TEST(SimProgram, PrintsItsLinkServesItAndRemovesItOnSigterm) {
  Program p;
  std::string link = TempLink();
  ASSERT_TRUE(Start(p, {"--link", link, "--boot-window", "5", "--device-type", "K4x70"}));
  EXPECT_EQ(p.firstLine(), link);
  ASSERT_TRUE(Exists(link));
  {
    sim::testing::PtyClient c(link);
    ASSERT_TRUE(c.readUntil("setting mode\r\n", 3s));
    c.send("s");
    ASSERT_TRUE(c.readUntil("AT+LIST", 2s));
    std::string report = c.exchange("\r\nAT+SHOW\r\n", "\r\nOK\r\n");
    EXPECT_NE(report.find("\r\nDevice Type:K4x70\r\n"), std::string::npos);
  }
  ::kill(p.pid, SIGTERM);
  EXPECT_EQ(p.wait(), 0);
  EXPECT_FALSE(Exists(link));
}

TEST(SimProgram, EndsWhenItsLineHangsUp) {
  Program p;
  std::string link = TempLink() + "-h";
  ASSERT_TRUE(Start(p, {"--link=" + link, "--hangup-after=1", "--no-pace"}));
  EXPECT_EQ(p.firstLine(), link);
  sim::testing::PtyClient c(link);
  ASSERT_TRUE(c.readUntil("setting mode\r\n", 3s));
  c.send("s");
  ASSERT_TRUE(c.readUntil("AT+LIST", 2s));
  c.exchange("At+VER\r\n", "OK\r\n");
  EXPECT_EQ(p.wait(), 0);
  EXPECT_FALSE(Exists(link));
}

TEST(SimProgram, RefusesBadOptions) {
  for (std::vector<std::string> args :
       {std::vector<std::string>{"--baud", "fast"}, {"--error-rate", "2"}, {"--bogus"},
        {"--state", "/nonexistent/x.cfg"}}) {
    Program p;
    ASSERT_TRUE(Start(p, args));
    EXPECT_NE(p.wait(), 0) << args[0];
  }
}

}  // namespace
