#include "link/receive_step.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using namespace devlink;

namespace {

struct Feed {
  params::RecvBuffer buf;
  JobType expected;
  std::vector<RecvAction> actions;  // of every chunk, in order
  explicit Feed(JobType e) : expected(e) {}
  Feed& feed(std::string_view chunk) {
    auto a = ReceiveStep(buf, expected, chunk, Timing{});
    actions.insert(actions.end(), a.begin(), a.end());
    return *this;
  }
  int count(RecvAction::Kind k) const {
    int n = 0;
    for (auto& a : actions) n += a.kind == k;
    return n;
  }
  bool signalled() const { return count(RecvAction::SignalReply) > 0; }
  std::vector<std::pair<bool, ButtonMode>> posts() const {
    std::vector<std::pair<bool, ButtonMode>> p;
    for (auto& a : actions)
      if (a.kind == RecvAction::PostButtonState) p.emplace_back(a.on, a.mode);
    return p;
  }
  std::vector<Job> queued() const {
    std::vector<Job> j;
    for (auto& a : actions)
      if (a.kind == RecvAction::QueueJob) j.push_back(a.job);
    return j;
  }
};

struct CompletionCase {
  const char* what;
  JobType expected;
  std::vector<std::string> chunks;
  bool signalled;
  JobType after;
};
// GoogleTest would otherwise print the case's bytes, padding included.
void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.what; }

class CompletionTable : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionTable, JudgesAccumulatedText) {
  const auto& c = GetParam();
  Feed r(c.expected);
  for (auto& ch : c.chunks) r.feed(ch);
  EXPECT_EQ(r.signalled(), c.signalled) << c.what;
  EXPECT_EQ(r.expected, c.after) << c.what;
}

const std::string kApn = "\r\nAccess Point Name:cmnet\r\n";

INSTANTIATE_TEST_SUITE_P(
    Replies, CompletionTable,
    ::testing::Values(
        CompletionCase{"write ok", WriteSetting, {"OK\r\n"}, true, None},
        CompletionCase{"write error split over chunks", WriteSetting, {"ERR", "OR\r\n"}, true, None},
        CompletionCase{"write error without line end waits", WriteSetting, {"ERROR"}, false, WriteSetting},
        CompletionCase{"OK inside another word counts", QueryVersion, {"TOKEN"}, true, None},
        CompletionCase{"report needs label and OK", ReadSettings, {kApn}, false, ReadSettings},
        CompletionCase{"report OK before label", ReadSettings, {"OK", kApn}, true, None},
        CompletionCase{"report error not recognised", ReadSettings, {"ERROR\r\n"}, false, ReadSettings},
        CompletionCase{"snapshot report complete", ReadSettingsToFile, {kApn, "OK\r\n"}, true, None},
        CompletionCase{"snapshot error ends silently", ReadSettingsForFile, {"ERROR\r\n"}, false, None},
        CompletionCase{"snapshot error after label keeps waiting", ReadSettingsToFile,
                       {kApn, "ERROR\r\n"}, false, ReadSettingsToFile},
        CompletionCase{"factory error ends silently", FactoryReset, {"ERROR\r\n"}, false, None},
        CompletionCase{"quit error not recognised", QuitConfig, {"ERROR\r\n"}, false, QuitConfig},
        CompletionCase{"net mode error not recognised", FindNetMode, {"ERROR\r\n"}, false, FindNetMode},
        CompletionCase{"escape error completes", Escape, {"ERROR\r\n"}, true, None},
        CompletionCase{"log read-out completes at first OK", ReadFileLog, {"line\r\nOK\r\nmore"}, true, None},
        CompletionCase{"custom command", CustomCommand, {"ERROR\r\n"}, true, None},
        CompletionCase{"unassigned kind has no test", static_cast<JobType>(14), {"OK\r\n"}, false,
                       static_cast<JobType>(14)},
        CompletionCase{"nothing awaited", None, {"OK\r\n"}, false, None}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) {
      std::string n = info.param.what;
      for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return n;
    });

TEST(ReceiveStep, HandshakeCommandListStopsKeyAndEntersConfigWithoutSignal) {
  Feed r(Handshake);
  r.feed("...AT+LIST...");
  EXPECT_FALSE(r.signalled());
  EXPECT_EQ(r.expected, None);
  EXPECT_EQ(r.count(RecvAction::StopKeyTimer), 1);
  EXPECT_EQ(r.posts(), (std::vector<std::pair<bool, ButtonMode>>{{true, ModeConfig}}));
}

TEST(ReceiveStep, EscapeAcceptedEntersConfigAndSignals) {
  Feed r(Escape);
  r.feed("enter setting!\r\n");
  EXPECT_TRUE(r.signalled());
  EXPECT_EQ(r.posts(), (std::vector<std::pair<bool, ButtonMode>>{{true, ModeConfig}}));
}

TEST(ReceiveStep, FactoryOkQueuesFullRead) {
  Feed r(FactoryReset);
  r.feed("OK\r\n");
  ASSERT_EQ(r.queued().size(), 1u);
  EXPECT_EQ(r.queued()[0].type, ReadSettings);
  EXPECT_EQ(r.queued()[0].command, "\r\nAT+SHOW\r\n");
  EXPECT_TRUE(r.signalled());
}

TEST(ReceiveStep, QuitOkShowsConfigLeft) {
  Feed r(QuitConfig);
  r.feed("\r\nOK\r\n");
  EXPECT_TRUE(r.signalled());
  EXPECT_EQ(r.posts(), (std::vector<std::pair<bool, ButtonMode>>{{false, ModeConfig}}));
}

TEST(ReceiveStep, SignalQueryErrorRetriesOnceOnly) {
  Feed first(QuerySignal);
  first.feed("ERROR\r\n");
  ASSERT_EQ(first.queued().size(), 1u);
  EXPECT_EQ(first.queued()[0].type, QuerySignalRetry);
  EXPECT_EQ(first.queued()[0].command, "At+CSQ\r\n");
  EXPECT_TRUE(first.signalled());

  Feed retry(QuerySignalRetry);
  retry.feed("ERROR\r\n");
  EXPECT_TRUE(retry.queued().empty());
  EXPECT_TRUE(retry.signalled());
}

TEST(ReceiveStep, LogsOnlyWhileAReplyIsAwaitedAndUpToFirstNul) {
  Feed idle(None);
  idle.feed("boot messages");
  EXPECT_EQ(idle.count(RecvAction::Log), 0);
  EXPECT_EQ(idle.buf.text(), "boot messages");

  Feed busy(WriteSetting);
  busy.feed(std::string("ab\0cd", 5));
  ASSERT_EQ(busy.actions[0].kind, RecvAction::Log);
  EXPECT_EQ(busy.actions[0].text, "ab");
}

TEST(ReceiveStep, EmptyChunkChangesNothing) {
  Feed r(WriteSetting);
  r.feed("abc");
  r.actions.clear();
  r.feed("");
  EXPECT_TRUE(r.actions.empty());
  EXPECT_EQ(r.buf.text(), "abc");
}

TEST(ReceiveStep, NulBytesBecomeBlanksAndMarkersBehindThemAreFound) {
  Feed r(WriteSetting);
  r.feed(std::string("x\0\0OK\r\n", 7));
  EXPECT_EQ(r.buf.text(), "x  OK\r\n");
  EXPECT_TRUE(r.signalled());
}

TEST(ReceiveStep, BootPromptRestartsKeyingAndClearsBuffer) {
  Feed r(WriteSetting);
  r.feed("rebooting... press 's' key");
  EXPECT_EQ(r.expected, Handshake);
  EXPECT_EQ(r.buf.count, 0);
  ASSERT_EQ(r.count(RecvAction::StartKeyTimer), 1);
  EXPECT_EQ(r.actions.back().periodMs, 500);
}

TEST(ReceiveStep, BootPromptAnsweredInTheSameChunkDoesNotRestartKeying) {
  Feed r(Handshake);
  r.feed("press 's' key to config\r\nAT+LIST\r\n");
  EXPECT_EQ(r.expected, None);
  EXPECT_EQ(r.count(RecvAction::StartKeyTimer), 0);
  EXPECT_EQ(r.posts(), (std::vector<std::pair<bool, ButtonMode>>{{true, ModeConfig}}));

  // A reboot after the command list is still a prompt to answer.
  r.feed("rebooting... press 's' key");
  EXPECT_EQ(r.expected, Handshake);
  EXPECT_EQ(r.count(RecvAction::StartKeyTimer), 1);
  EXPECT_EQ(r.buf.count, 0);
}

TEST(ReceiveStep, SelfTimeoutRepeatsLoggedOutAndMasksBootPrompt) {
  Feed r(None);
  r.feed("Seting Timeout and quit\r\n");
  r.feed("press 's' key");
  EXPECT_EQ(r.posts(), (std::vector<std::pair<bool, ButtonMode>>{{false, ModeConfig}, {false, ModeConfig}}));
  EXPECT_EQ(r.count(RecvAction::StartKeyTimer), 0);
  EXPECT_EQ(r.expected, None);
}

TEST(AppendReceived, KeepsNewestBytesAndStaysTerminated) {
  params::RecvBuffer b;
  std::string first(12000, 'a');
  std::string second(4000, 'b');
  AppendReceived(b, first);
  AppendReceived(b, second);
  EXPECT_EQ(b.count, 15999);
  EXPECT_EQ(b.data[15999], '\0');
  EXPECT_EQ(b.text().substr(0, 11999), std::string(11999, 'a'));
  EXPECT_EQ(b.text().substr(11999), second);

  AppendReceived(b, "c");
  EXPECT_EQ(b.count, 15999);
  EXPECT_EQ(b.text().back(), 'c');
  EXPECT_EQ(b.text().substr(0, 11998), std::string(11998, 'a'));
}

}  // namespace
