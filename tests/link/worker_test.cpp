#include "link/worker.h"
#include "link/receive_step.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using namespace devlink;
using namespace std::chrono_literals;

namespace {

TEST(TimeoutFactor, FollowsBaudRate) {
  const std::pair<int, int> cases[] = {{1200, 8}, {2400, 4}, {4800, 2}, {9600, 1},
                                       {19200, 1}, {115200, 1}, {0, 1}, {9601, 1}};
  for (auto [baud, factor] : cases) EXPECT_EQ(TimeoutFactorForBaud(baud), factor) << baud;
}

TEST(TimeoutBase, LongForReportsAndLogOnly) {
  Timing t;
  for (JobType j : {ReadSettings, ReadSettingsToFile, ReadSettingsForFile, ReadFileLog})
    EXPECT_EQ(TimeoutBaseMs(j, t), 24000) << j;
  for (JobType j : {WriteSetting, FactoryReset, QuitConfig, FindNetMode, QueryVersion, QuerySim,
                    QuerySignal, QuerySignalRetry, CustomCommand})
    EXPECT_EQ(TimeoutBaseMs(j, t), 5000) << j;
}

struct OutcomeCase {
  const char* what;
  Job job;
  std::string reply;
  int count;
  Outcome::Action action;
  std::string_view logKey;
  bool store;
};

TEST(JudgeOutcome, Table) {
  const Job write{WriteSetting, "AT+X=1\r\n", "X", "1"};
  const Job clock{WriteSetting, "AT+EXCCLK=\"...\",5\r\n", "", ""};
  const Job factory = MakeJob(FactoryReset, kCmdFactory);
  const Job show = MakeJob(ReadSettings, kCmdShow);
  const OutcomeCase cases[] = {
      {"write ok", write, "OK\r\n", 4, Outcome::Nothing, "SaveSuccess", true},
      {"write ok and error", write, "OK\r\nERROR\r\n", 11, Outcome::Nothing, "SaveError", true},
      {"write error", write, "ERROR\r\n", 7, Outcome::Nothing, "SaveError", false},
      {"write OK without line end", write, "OK", 2, Outcome::Nothing, "", false},
      {"clock has no parameter", clock, "OK\r\n", 4, Outcome::Nothing, "SaveSuccess", false},
      {"factory ok", factory, "OK\r\n", 4, Outcome::Nothing, "FactorySuccess", false},
      {"factory both", factory, "OK\r\nERROR\r\n", 11, Outcome::Nothing, "FactoryError", false},
      {"report of 3000 bytes dropped", show, "", 3000, Outcome::Nothing, "", false},
      {"report of 3001 bytes parsed", show, "", 3001, Outcome::ReportReady, "", false},
      {"snapshot save", MakeJob(ReadSettingsToFile, kCmdShow), "", 10, Outcome::ReportToFile, "", false},
      {"snapshot load", MakeJob(ReadSettingsForFile, kCmdShow), "", 10, Outcome::ReportForFile, "", false},
      {"quit", MakeJob(QuitConfig, kCmdQuit), "OK", 2, Outcome::QuitDone, "", false},
      {"net mode", MakeJob(FindNetMode, kCmdFindNetMode), "OK", 2, Outcome::NetMode, "", false},
      {"version", MakeJob(QueryVersion, kCmdVersion), "OK\r\n", 4, Outcome::Nothing, "", false},
  };
  for (const auto& c : cases) {
    Outcome o = JudgeOutcome(c.job, c.reply, c.count);
    EXPECT_EQ(o.action, c.action) << c.what;
    EXPECT_EQ(o.logKey, c.logKey) << c.what;
    EXPECT_EQ(o.storeValue, c.store) << c.what;
    // Writes and the factory reset log their outcome even when it is empty.
    EXPECT_EQ(o.logsLine, c.job.type == WriteSetting || c.job.type == FactoryReset) << c.what;
  }
}

// A host that answers every write through a scripted terminal on a thread of
// its own, as the receive side would.
class FakeHost : public WorkerHost {
 public:
  explicit FakeHost(LinkState& link) : link_(link) {}
  std::function<std::string(std::string_view)> terminal;  // reply to a command; empty: none

  void sendButtonState(bool on, ButtonMode mode) override {
    std::lock_guard<std::mutex> l(mu_);
    states.emplace_back(on, mode);
  }
  void stopKeyTimer() override { keyStops++; }
  void log(std::string text) override {
    std::lock_guard<std::mutex> l(mu_);
    logs.push_back(std::move(text));
  }
  void serialWrite(std::string_view bytes) override {
    {
      std::lock_guard<std::mutex> l(mu_);
      writes.emplace_back(std::chrono::steady_clock::now(), std::string(bytes));
    }
    if (!terminal) return;
    std::string reply = terminal(bytes);
    if (reply.empty()) return;
    link_.withBuffer([&](params::RecvBuffer& b, JobType& e) {
      for (auto& a : ReceiveStep(b, e, reply, Timing{}))
        if (a.kind == RecvAction::SignalReply) link_.replyEvent.set();
    });
  }
  bool portOpen() const override { return open; }
  std::string langText(std::string_view, std::string_view key, std::string_view suffix) const override {
    return std::string(key) + std::string(suffix);
  }
  void setParamValue(const std::string& name, const std::string& value) override {
    std::lock_guard<std::mutex> l(mu_);
    stored.emplace_back(name, value);
  }
  void reportReady() override { reports++; }
  void reportToFile(const std::string&) override {}
  void reportForFile(const std::string&) override {}
  void netModeReply(const std::string&, int) override {}
  void jobFinished(const Job& job, bool complete, const std::string& reply, int) override {
    std::lock_guard<std::mutex> l(mu_);
    finished.push_back({job.command, complete, reply, stored.size()});
  }

  struct Finished {
    std::string command;
    bool complete;
    std::string reply;
    std::size_t storedBefore;  // values stored when it was reported
  };
  std::mutex mu_;
  std::vector<Finished> finished;
  std::vector<std::pair<bool, ButtonMode>> states;
  std::vector<std::string> logs;
  std::vector<std::pair<std::chrono::steady_clock::time_point, std::string>> writes;
  std::vector<std::pair<std::string, std::string>> stored;
  std::atomic<int> keyStops{0}, reports{0};
  std::atomic<bool> open{true};

 private:
  LinkState& link_;
};

struct WorkerRig {
  LinkState link;
  JobQueue queue;
  FakeHost host{link};
  Timing timing = Timing{}.scaled(0.05);  // 10 ms poll, 250 ms short time-out
  std::unique_ptr<Worker> worker;
  std::thread thread;
  void start() {
    worker = std::make_unique<Worker>(link, queue, host, timing);
    thread = std::thread([this] { worker->run(); });
  }
  ~WorkerRig() {
    Worker::requestStop(link);
    if (thread.joinable()) thread.join();
  }
  template <class P>
  bool waitFor(P pred, std::chrono::milliseconds limit = 3000ms) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      {
        std::lock_guard<std::mutex> l(host.mu_);
        if (pred()) return true;
      }
      std::this_thread::sleep_for(2ms);
    }
    return false;
  }
};

TEST(Worker, BurstIsSentOneAtATimeAfterAPollEachAndStoresConfirmedValues) {
  WorkerRig r;
  r.host.terminal = [](std::string_view cmd) { return cmd.find("=bad") != std::string_view::npos ? "ERROR\r\n" : "OK\r\n"; };
  for (int i = 0; i < 5; ++i)
    r.queue.push(Job{WriteSetting, "AT+P" + std::to_string(i) + "=" + (i == 2 ? "bad" : "v") + "\r\n",
                     "P" + std::to_string(i), i == 2 ? "bad" : "v"});
  r.start();
  ASSERT_TRUE(r.waitFor([&] { return r.host.writes.size() == 5 && r.host.logs.size() == 10; }));
  for (size_t i = 1; i < r.host.writes.size(); ++i)
    EXPECT_GE(r.host.writes[i].first - r.host.writes[i - 1].first, std::chrono::milliseconds(r.timing.pollMs));
  EXPECT_EQ(r.host.logs[0], "send:AT+P0=v\r\n");
  EXPECT_EQ(r.host.logs[1], "SaveSuccess\r\n");
  EXPECT_EQ(r.host.logs[5], "SaveError\r\n");
  EXPECT_EQ(r.host.stored.size(), 4u);
  EXPECT_EQ(r.host.keyStops.load(), 5);
  // Every job is framed by the busy state, off before it is sent.
  EXPECT_EQ(r.host.states.front(), std::make_pair(false, ModeBusy));
}

TEST(Worker, ReportsTheEndOfEveryJobAfterItsOutcome) {
  WorkerRig r;
  r.host.terminal = [](std::string_view cmd) -> std::string {
    if (cmd.find("=ok") != std::string_view::npos) return "OK\r\n";
    if (cmd.find("=bad") != std::string_view::npos) return "ERROR\r\n";
    return {};
  };
  r.queue.push(Job{WriteSetting, "AT+A=ok\r\n", "A", "ok"});
  r.queue.push(Job{WriteSetting, "AT+B=bad\r\n", "B", "bad"});
  r.queue.push(Job{WriteSetting, "AT+C=mute\r\n", "C", "mute"});
  r.start();
  ASSERT_TRUE(r.waitFor([&] { return r.host.finished.size() == 3; }));
  std::lock_guard<std::mutex> l(r.host.mu_);
  EXPECT_EQ(r.host.finished[0].command, "AT+A=ok\r\n");
  EXPECT_TRUE(r.host.finished[0].complete);
  EXPECT_EQ(r.host.finished[0].reply, "OK\r\n");
  EXPECT_EQ(r.host.finished[0].storedBefore, 1u);  // the value was stored first
  EXPECT_TRUE(r.host.finished[1].complete);
  EXPECT_EQ(r.host.finished[1].reply, "ERROR\r\n");
  EXPECT_FALSE(r.host.finished[2].complete);
}

TEST(Worker, IdleNoticeOnceAndOnlyInConfigModeWithPortOpen) {
  WorkerRig r;
  r.start();
  std::this_thread::sleep_for(60ms);
  {
    std::lock_guard<std::mutex> l(r.host.mu_);
    EXPECT_TRUE(r.host.states.empty());  // not in configuration mode
  }
  r.link.configMode = true;
  r.host.open = false;
  std::this_thread::sleep_for(60ms);
  {
    std::lock_guard<std::mutex> l(r.host.mu_);
    EXPECT_TRUE(r.host.states.empty());  // port closed
  }
  r.host.open = true;
  ASSERT_TRUE(r.waitFor([&] { return !r.host.states.empty(); }));
  std::this_thread::sleep_for(80ms);
  std::lock_guard<std::mutex> l(r.host.mu_);
  EXPECT_EQ(r.host.states, (std::vector<std::pair<bool, ButtonMode>>{{true, ModeBusy}}));
}

TEST(Worker, TimeOutIsMultipliedByFactorAndLateReplyStillJudged) {
  WorkerRig r;
  r.link.timeoutFactor = 2;
  r.queue.push(MakeJob(QueryVersion, kCmdVersion));  // no answer
  r.start();
  ASSERT_TRUE(r.waitFor([&] { return !r.host.writes.empty(); }));
  auto sent = std::chrono::steady_clock::now();
  ASSERT_TRUE(r.waitFor([&] { return r.host.logs.size() == 2; }, 5000ms));
  auto waited = std::chrono::steady_clock::now() - sent;
  EXPECT_GE(waited, std::chrono::milliseconds(2 * r.timing.shortTimeoutMs - 20));
  EXPECT_EQ(r.host.logs[1], "OutTime\r\n");
  EXPECT_EQ(r.link.expectedReply(), QueryVersion);
}

TEST(Worker, ReportReadyOnlyAboveThreshold) {
  for (int size : {3000, 3001}) {
    WorkerRig r;
    r.host.terminal = [size](std::string_view) {
      std::string rep = "\r\nAccess Point Name:x\r\n";
      rep += std::string(size - rep.size() - 4, 'v');
      return rep + "OK\r\n";
    };
    r.queue.push(MakeJob(ReadSettings, kCmdShow));
    r.start();
    ASSERT_TRUE(r.waitFor([&] { return r.host.states.size() >= 1 && !r.host.writes.empty(); }));
    r.link.configMode = true;  // the idle notice marks the end of the job
    ASSERT_TRUE(r.waitFor([&] { return r.host.states.size() == 2; }));
    EXPECT_EQ(r.host.reports.load(), size > 3000 ? 1 : 0) << size;
  }
}

TEST(Worker, StopWakesAJobInFlight) {
  WorkerRig r;
  r.link.timeoutFactor = 8;
  r.timing = Timing{};  // a 192 s wait if nothing woke it
  r.queue.push(MakeJob(ReadSettings, kCmdShow));
  r.start();
  ASSERT_TRUE(r.waitFor([&] { return !r.host.writes.empty(); }));
  auto t0 = std::chrono::steady_clock::now();
  Worker::requestStop(r.link);
  r.thread.join();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 1s);
  EXPECT_EQ(r.host.logs.size(), 1u);  // the send line only, no time-out line
}

}  // namespace
