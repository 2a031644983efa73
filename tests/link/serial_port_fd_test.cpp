// Every way a port ends leaves no descriptor behind: counted in /proc/self/fd
// around many open/close rounds, so one leaked descriptor per round shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "link/pty_fixture.h"
#include "link/serial_port.h"
#include "link/window_messages.h"
#include "ui/plain_message_loop.h"

namespace devlink {
namespace {

int OpenDescriptors() {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)e;
    ++n;
  }
  return n;
}

struct Quiet : SerialEvents {
  void showSerialFailure(const std::string&) override { ++boxes; }
  int boxes = 0;
};

struct Ctx {
  testing::Pty& pty;
  ui::PlainMessageLoop& loop;
  CSerialPort& port;
  const std::string& received;  // every delivery of this round
};

struct Round {
  const char* what;
  // One round on a fresh pty, whose master the caller closes afterwards.
  std::function<void(Ctx&)> run;
};

int Open(Ctx& c, int baud = 9600) { return c.port.open(&c.loop, c.pty.slave, baud, 'N', 8, 1, kEventRxChar); }

TEST(SerialPortFdTest, NoDescriptorOutlivesItsPort) {
  const Round rounds[] = {
      {"open and close", [](Ctx& c) {
         ASSERT_EQ(Open(c), 1);
         c.port.close();
       }},
      {"monitor, bytes, close", [](Ctx& c) {
         ASSERT_EQ(Open(c), 1);
         ASSERT_EQ(c.port.startMonitor(), 1);
         c.pty.send("hello");
         EXPECT_TRUE(c.loop.runUntil([&] { return c.received == "hello"; }, 2000));
         c.port.close();
       }},
      {"hang-up, then close", [](Ctx& c) {
         ASSERT_EQ(Open(c), 1);
         ASSERT_EQ(c.port.startMonitor(), 1);
         c.pty.closeMaster();
         EXPECT_TRUE(c.loop.runUntil([&] { return !c.port.monitorAlive(); }, 2000));
         c.port.close();
       }},
      {"monitor started twice", [](Ctx& c) {
         ASSERT_EQ(Open(c), 1);
         ASSERT_EQ(c.port.startMonitor(), 1);
         ASSERT_EQ(c.port.startMonitor(), 1);
         c.port.close();
       }},
      {"reopened while open", [](Ctx& c) {
         ASSERT_EQ(Open(c), 1);
         ASSERT_EQ(c.port.startMonitor(), 1);
         ASSERT_EQ(Open(c), 1);
         c.port.close();
       }},
      {"rejected line format", [](Ctx& c) {
         Open(c, 12345678);
         c.port.close();
       }},
      {"missing device", [](Ctx& c) {
         ASSERT_EQ(c.port.open(&c.loop, "/dev/k9x40-no-such-port", 9600, 'N', 8, 1, kEventRxChar), 0);
         c.port.close();
       }},
      {"destroyed while open", [](Ctx& c) {
         CSerialPort other;
         ASSERT_EQ(other.open(&c.loop, c.pty.slave, 9600, 'N', 8, 1, kEventRxChar), 1);
         ASSERT_EQ(other.startMonitor(), 1);
       }},
  };
  for (const Round& r : rounds) {
    SCOPED_TRACE(r.what);
    ui::PlainMessageLoop loop;
    loop.setUiThread();
    std::string received;
    loop.setHandler([&](const ui::Message& m) -> std::int64_t {
      if (m.id == UM_SERIAL_DATA) received += m.payload;
      return 0;
    });
    Quiet quiet;
    const int before = OpenDescriptors();
    {
      CSerialPort port(&quiet);
      int afterFirst = 0;
      for (int i = 0; i < 5; ++i) {
        testing::Pty pty;
        ASSERT_FALSE(pty.slave.empty());
        received.clear();
        Ctx c{pty, loop, port, received};
        r.run(c);
        if (::testing::Test::HasFatalFailure()) return;
        pty.closeMaster();
        if (i == 0) afterFirst = OpenDescriptors();
      }
      EXPECT_EQ(OpenDescriptors(), afterFirst) << "every round leaves descriptors open";
    }
    EXPECT_EQ(OpenDescriptors(), before);
  }
}

}  // namespace
}  // namespace devlink
