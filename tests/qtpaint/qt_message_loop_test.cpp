#include "qtpaint/qt_message_loop.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "link/pty_fixture.h"
#include "link/serial_port.h"
#include "link/window_messages.h"
#include "qt_fixture.h"

namespace {

using qtpaint::QtMessageLoop;

ui::Message Msg(std::uint32_t id, std::int64_t w = 0) {
  ui::Message m;
  m.id = id;
  m.wParam = w;
  return m;
}

struct Recorder {
  std::mutex mu;
  std::vector<std::uint32_t> ids;
  void add(std::uint32_t id) {
    std::lock_guard lk(mu);
    ids.push_back(id);
  }
  std::vector<std::uint32_t> get() {
    std::lock_guard lk(mu);
    return ids;
  }
};

TEST(QtMessageLoop, PostsInOrderAndSendWaitsForItsResult) {
  qtfix::App();
  QtMessageLoop loop;
  Recorder rec;
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    rec.add(m.id);
    return m.wParam * 2;
  });
  loop.post(Msg(1));
  loop.post(Msg(2));
  loop.post(Msg(3));
  std::int64_t result = 0;
  bool sent = false;
  std::thread sender([&] { sent = loop.send(Msg(4, 21), &result); });
  ASSERT_TRUE(qtfix::PumpUntil([&] { return rec.get().size() == 4; }));
  sender.join();
  EXPECT_TRUE(sent);
  EXPECT_EQ(result, 42);
  auto ids = rec.get();
  // The send may overtake any post that had not run yet; posts keep their order.
  ids.erase(std::remove(ids.begin(), ids.end(), 4u), ids.end());
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST(QtMessageLoop, SendOnTheUiThreadIsADirectCall) {
  qtfix::App();
  QtMessageLoop loop;
  int calls = 0;
  loop.setHandler([&](const ui::Message&) -> std::int64_t { return ++calls; });
  std::int64_t r = 0;
  EXPECT_TRUE(loop.send(Msg(7), &r));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(r, 1);
}

TEST(QtMessageLoop, WaitingSendIsServedBeforeWaitingPosts) {
  qtfix::App();
  QtMessageLoop loop;
  Recorder rec;
  std::thread sender;
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    rec.add(m.id);
    if (m.id == 1) {
      // While the first post runs, a send from another thread starts waiting.
      sender = std::thread([&] { loop.send(Msg(99)); });
      while (loop.waitingSends() == 0) std::this_thread::yield();
    }
    return 0;
  });
  loop.post(Msg(1));
  loop.post(Msg(2));
  loop.post(Msg(3));
  ASSERT_TRUE(qtfix::PumpUntil([&] { return rec.get().size() == 4; }));
  sender.join();
  EXPECT_EQ(rec.get(), (std::vector<std::uint32_t>{1, 99, 2, 3}));
}

TEST(QtMessageLoop, QuitReleasesAWaitingSendAndRefusesNewOnes) {
  qtfix::App();
  QtMessageLoop loop;
  std::atomic<int> handled{0};
  loop.setHandler([&](const ui::Message&) -> std::int64_t { return ++handled; });
  std::atomic<int> outcome{-1};
  std::thread sender([&] { outcome = loop.send(Msg(5)) ? 1 : 0; });
  // The UI thread is busy (no events run) while the sender waits.
  while (loop.waitingSends() == 0) std::this_thread::yield();
  loop.quit(3);
  sender.join();
  EXPECT_EQ(outcome, 0);
  EXPECT_TRUE(loop.closing());

  std::thread late([&] { outcome = loop.send(Msg(6)) ? 1 : 0; });
  late.join();
  EXPECT_EQ(outcome, 0);
  loop.post(Msg(7));
  qtfix::Pump(30);
  EXPECT_EQ(handled, 0);
  EXPECT_EQ(loop.run(), 3);  // already closing: returns at once with the quit code
}

TEST(QtMessageLoop, CancelReleasesOnlyThatSendersWaitingSend) {
  qtfix::App();
  QtMessageLoop loop;
  Recorder rec;
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    rec.add(m.id);
    return 0;
  });
  ui::SendCancel cancel;
  std::atomic<int> cancelled{-1}, other{-1};
  std::thread a([&] { cancelled = loop.sendCancellable(Msg(1), cancel) ? 1 : 0; });
  std::thread b([&] { other = loop.send(Msg(2)) ? 1 : 0; });
  while (loop.waitingSends() < 2) std::this_thread::yield();
  loop.cancelSends(cancel);  // no events run meanwhile
  a.join();
  EXPECT_EQ(cancelled, 0);
  EXPECT_FALSE(loop.sendCancellable(Msg(3), cancel));  // stays cancelled
  ASSERT_TRUE(qtfix::PumpUntil([&] { return other.load() != -1; }));
  b.join();
  EXPECT_EQ(other, 1);
  EXPECT_EQ(rec.get(), (std::vector<std::uint32_t>{2}));
}

// The window's shape of closing a port: the UI thread closes it while the
// reader thread waits for the UI thread to take a delivery.
TEST(QtMessageLoop, ClosingAPortWhoseDeliveryWaitsReturns) {
  qtfix::App();
  QtMessageLoop loop;
  std::atomic<int> delivered{0};
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    if (m.id == devlink::UM_SERIAL_DATA) ++delivered;
    return 0;
  });
  devlink::testing::Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  devlink::CSerialPort port;
  ASSERT_EQ(port.open(&loop, pty.slave, 9600, 'N', 8, 1, devlink::kEventRxChar), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  pty.send("pending");
  while (loop.waitingSends() < 1) std::this_thread::yield();
  auto closing = std::async(std::launch::async, [&] { port.close(); });
  const bool returned = closing.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!returned) qtfix::PumpUntil([&] { return delivered > 0; });  // let the test end
  ASSERT_TRUE(returned);
  qtfix::Pump(30);
  EXPECT_EQ(delivered, 0);
}

TEST(QtMessageLoop, RunEndsOnQuitFromAHandler) {
  qtfix::App();
  QtMessageLoop loop;
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    if (m.id == 2) loop.quit(9);
    return 0;
  });
  loop.post(Msg(1));
  loop.post(Msg(2));
  EXPECT_EQ(loop.run(), 9);
}

// A window torn down without ever running its loop must not end the modal
// loops that come after it (a dialog's exec would return at once).
TEST(QtMessageLoop, QuitOutsideRunLeavesLaterNestedLoopsAlone) {
  qtfix::App();
  {
    QtMessageLoop loop;
    loop.quit(4);
  }
  {
    QtMessageLoop loop;
    std::thread([&] { loop.quit(5); }).join();
    qtfix::Pump(20);  // the quit from the other thread is queued to the UI thread
  }
  QEventLoop nested;
  QTimer::singleShot(0, &nested, [&] { nested.exit(7); });
  EXPECT_EQ(nested.exec(), 7);
}

TEST(QtMessageLoop, TimersTickByIdUntilKilledFromAnyThread) {
  qtfix::App();
  QtMessageLoop loop;
  std::mutex mu;
  std::vector<int> ticks;
  loop.setTimerHandler([&](int id) {
    std::lock_guard lk(mu);
    ticks.push_back(id);
  });
  auto count = [&](int id) {
    std::lock_guard lk(mu);
    return static_cast<int>(std::count(ticks.begin(), ticks.end(), id));
  };
  loop.setTimer(101, 5);
  std::thread([&] { loop.setTimer(102, 5); }).join();
  ASSERT_TRUE(qtfix::PumpUntil([&] { return count(101) >= 2 && count(102) >= 2; }));

  // Killed from the worker's side: no tick after the kill returned, even one already queued.
  std::thread([&] { loop.killTimer(101); }).join();
  const int after = count(101);
  qtfix::Pump(60);
  EXPECT_EQ(count(101), after);
  EXPECT_GT(count(102), 2);

  loop.quit();
  const int stopped = count(102);
  qtfix::Pump(40);
  EXPECT_EQ(count(102), stopped);
}

}  // namespace
