#include "ui/plain_message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ui/manual_reset_event.h"

namespace ui {
namespace {

Message Msg(std::uint32_t id) {
  Message m;
  m.id = id;
  return m;
}

// Blocks until `n` sends from other threads wait for the UI thread.
void WaitForSenders(const PlainMessageLoop& loop, int n) {
  while (loop.waitingSends() < n) std::this_thread::yield();
}

class PlainMessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loop.setUiThread();
    loop.setHandler([this](const Message& m) -> std::int64_t {
      seen.push_back(m.id);
      return m.id * 10;
    });
  }
  PlainMessageLoop loop;
  std::vector<std::uint32_t> seen;  // touched on the UI thread only
};

TEST_F(PlainMessageLoopTest, WaitingSendIsServedBeforeEarlierPosts) {
  loop.post(Msg(1));
  loop.post(Msg(2));
  std::int64_t result = 0;
  bool handled = false;
  std::thread sender([&] { handled = loop.send(Msg(3), &result); });
  WaitForSenders(loop, 1);
  EXPECT_EQ(loop.runPending(), 3);
  sender.join();
  EXPECT_TRUE(handled);
  EXPECT_EQ(result, 30);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{3, 1, 2}));
}

TEST_F(PlainMessageLoopTest, SendOnUiThreadIsDirectCall) {
  loop.post(Msg(1));
  std::int64_t result = 0;
  EXPECT_TRUE(loop.send(Msg(5), &result));
  EXPECT_EQ(result, 50);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{5}));  // the post still waits
  loop.runPending();
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{5, 1}));
}

TEST_F(PlainMessageLoopTest, QuitReleasesWaitingSendAndRefusesNewWork) {
  bool handled = true;
  std::thread sender([&] { handled = loop.send(Msg(3)); });
  WaitForSenders(loop, 1);
  loop.post(Msg(1));
  loop.quit(7);
  sender.join();
  EXPECT_FALSE(handled);
  EXPECT_TRUE(loop.closing());

  std::thread late([&] { handled = loop.send(Msg(4)); });
  late.join();
  EXPECT_FALSE(handled);
  EXPECT_FALSE(loop.send(Msg(6)));  // on the UI thread too
  loop.post(Msg(8));
  EXPECT_EQ(loop.runPending(), 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(PlainMessageLoopTest, DestroyingTheLoopReleasesWaitingSend) {
  auto owned = std::make_unique<PlainMessageLoop>();
  owned->setHandler([](const Message&) { return std::int64_t{1}; });
  bool handled = true;
  std::thread sender([&] { handled = owned->send(Msg(3)); });
  WaitForSenders(*owned, 1);
  owned.reset();
  sender.join();
  EXPECT_FALSE(handled);
}

TEST_F(PlainMessageLoopTest, CancelDropsOnlyThatSendersWaitingSends) {
  SendCancel cancel;
  bool cancelledHandled = true, otherHandled = false;
  std::thread a([&] { cancelledHandled = loop.sendCancellable(Msg(1), cancel); });
  std::thread b([&] { otherHandled = loop.send(Msg(2)); });
  WaitForSenders(loop, 2);
  loop.cancelSends(cancel);  // from the UI thread, which is not running the loop
  a.join();
  EXPECT_FALSE(cancelledHandled);
  EXPECT_FALSE(loop.sendCancellable(Msg(3), cancel));  // stays cancelled
  loop.runPending();
  b.join();
  EXPECT_TRUE(otherHandled);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{2}));
  cancel.cancelled = false;
  EXPECT_TRUE(loop.sendCancellable(Msg(4), cancel));
}

// The shape of the program's shutdown: a worker keeps sending while the UI
// thread quits and then joins the worker.
TEST(PlainMessageLoopShutdown, WorkerSendingDuringQuitDoesNotDeadlock) {
  PlainMessageLoop loop;
  std::atomic<int> handledSends{0};
  loop.setHandler([&](const Message& m) -> std::int64_t {
    if (m.id == 99) loop.quit(3);
    else ++handledSends;
    return 0;
  });
  std::thread worker([&] {
    while (loop.send(Msg(1))) {
      if (handledSends == 50) loop.post(Msg(99));
    }
  });
  int code = -1;
  std::thread ui([&] { code = loop.run(); });
  ui.join();
  worker.join();
  EXPECT_EQ(code, 3);
  EXPECT_GE(handledSends.load(), 50);
}

TEST(PlainMessageLoopShutdown, QuitFromAnotherThreadWakesIdleRun) {
  PlainMessageLoop loop;
  ManualResetEvent running;
  loop.setTimerHandler([&](int) { running.set(); });
  loop.setTimer(1, 1);
  std::thread stopper([&] {
    running.wait();
    loop.quit(5);
  });
  EXPECT_EQ(loop.run(), 5);
  stopper.join();
}

TEST_F(PlainMessageLoopTest, TimersTickUntilKilledAndCanStopThemselves) {
  std::vector<int> ticks;
  loop.setTimerHandler([&](int id) {
    ticks.push_back(id);
    if (id == 102) loop.killTimer(102);  // one-shot, as the title timer is
  });
  loop.setTimer(101, 2);
  loop.setTimer(102, 2);
  auto count = [&](int id) { return std::count(ticks.begin(), ticks.end(), id); };
  EXPECT_TRUE(loop.runUntil([&] { return count(101) >= 3; }, 5000));
  EXPECT_EQ(count(102), 1);

  loop.killTimer(101);
  const auto before = count(101);
  EXPECT_FALSE(loop.runUntil([&] { return count(101) > before; }, 30));
  EXPECT_EQ(count(102), 1);
}

TEST_F(PlainMessageLoopTest, PostsComeBeforeDueTimers) {
  std::vector<int> order;
  loop.setHandler([&](const Message& m) -> std::int64_t {
    order.push_back(static_cast<int>(m.id));
    return 0;
  });
  loop.setTimerHandler([&](int id) { order.push_back(-id); });
  loop.setTimer(1, 20);
  std::this_thread::sleep_for(std::chrono::milliseconds(70));  // three periods missed
  loop.post(Msg(7));
  loop.post(Msg(8));
  loop.runPending();
  ASSERT_EQ(order.size(), 3u);  // a late timer ticks once, not once per missed period
  EXPECT_EQ(order, (std::vector<int>{7, 8, -1}));
}

TEST(ManualResetEventTest, StaysSetUntilResetAndWakesWaiters) {
  ManualResetEvent ev;
  EXPECT_FALSE(ev.wait(1));
  std::thread setter([&] { ev.set(); });
  EXPECT_TRUE(ev.wait());
  setter.join();
  EXPECT_TRUE(ev.wait(0));
  EXPECT_TRUE(ev.wait(0));
  ev.reset();
  EXPECT_FALSE(ev.isSet());
  EXPECT_FALSE(ev.wait(0));
}

}  // namespace
}  // namespace ui
