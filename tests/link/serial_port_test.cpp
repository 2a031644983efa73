#include "link/serial_port.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <termios.h>

#include "link/pty_fixture.h"
#include "link/serial_line_posix.h"
#include "link/serial_speed_posix.h"
#include "link/window_messages.h"
#include "ui/plain_message_loop.h"

namespace devlink {
namespace {

using testing::Pty;

struct CapturedBoxes : SerialEvents {
  void showSerialFailure(const std::string& text) override {
    std::lock_guard lk(mu);
    texts.push_back(text);
  }
  std::vector<std::string> all() {
    std::lock_guard lk(mu);
    return texts;
  }
  std::mutex mu;
  std::vector<std::string> texts;
};

// The test thread is the UI thread of the owner's loop; it records what the
// driver delivers and posts.
class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(pty.slave.empty());
    loop.setUiThread();
    loop.setHandler([this](const ui::Message& m) -> std::int64_t {
      if (m.id == UM_SERIAL_DATA) {
        EXPECT_EQ(m.lParam, static_cast<std::int64_t>(m.payload.size()));
        chunks.push_back(m.payload);
      } else if (m.id == UM_LINE_LOST) {
        ++lost;
      }
      return 0;
    });
  }

  int openDefault(CSerialPort& p) {
    return p.open(&loop, pty.slave, 9600, 'N', 8, 1, kEventRxChar | kEventCts);
  }

  std::string received() const {
    std::string all;
    for (const auto& c : chunks) all += c;
    return all;
  }

  bool pumpUntil(const std::function<bool()>& done, int ms = 2000) {
    return loop.runUntil(done, ms);
  }

  Pty pty;
  ui::PlainMessageLoop loop;
  CapturedBoxes boxes;
  std::vector<std::string> chunks;  // UI thread only
  int lost = 0;
};

struct LineCase {
  int baud;
  char parity;
  int dataBits;
  int stopBits;
  tcflag_t size;
  tcflag_t parityFlags;
};

// The frame as the driver builds it, and what of it a pty keeps (it drops
// the size and parity-enable bits, and keeps the rest) as its master sees it.
TEST_F(SerialPortTest, LineFormatsAndRatesReachTheDevice) {
  const LineCase cases[] = {
      {9600, 'N', 8, 1, CS8, 0},
      {4800, 'E', 7, 2, CS7, PARENB},
      {115200, 'O', 8, 1, CS8, PARENB | PARODD},
      {1200, 'M', 5, 1, CS5, PARENB | PARODD | CMSPAR},
      {57600, 'S', 6, 2, CS6, PARENB | CMSPAR},
      {250000, 'N', 8, 1, CS8, 0},         // no B-constant
      {31250, 'e', 7, 1, CS7, PARENB},     // lower case letter, odd rate
      {4000000, 'N', 8, 2, CS8, 0},
  };
  CSerialPort port(&boxes);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.baud << " " << c.dataBits << c.parity << c.stopBits);
    const posix::LineFormat f{c.baud, c.parity, c.dataBits, c.stopBits};
    termios noisy{};
    noisy.c_cflag = CRTSCTS | CS8 | PARENB;
    noisy.c_iflag = IXON | IXOFF | ICRNL;
    noisy.c_lflag = ICANON | ECHO;
    const termios built = posix::MakeLineTermios(noisy, f);
    EXPECT_EQ(built.c_cflag & CSIZE, c.size);
    EXPECT_EQ(built.c_cflag & (PARENB | PARODD | CMSPAR), c.parityFlags);
    EXPECT_EQ((built.c_iflag & INPCK) != 0, c.parityFlags != 0);

    ASSERT_EQ(port.open(&loop, pty.slave, c.baud, c.parity, c.dataBits, c.stopBits, kEventRxChar), 1);
    termios t{};
    ASSERT_EQ(tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR), c.parityFlags & (PARODD | CMSPAR));
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.stopBits == 2);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), CLOCAL | CREAD);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(posix::ReadOutputSpeed(pty.master), c.baud);
    port.close();
  }
  EXPECT_TRUE(boxes.all().empty());  // the read-back agreed every time
}

TEST_F(SerialPortTest, UnopenableDevicesReturnZeroWithTheReasonAndNoBox) {
  CSerialPort holder(&boxes), second(&boxes);
  ASSERT_EQ(openDefault(holder), 1);
  EXPECT_EQ(openDefault(second), 0);
  EXPECT_EQ(second.lastOpenError(), OpenError::Busy);
  EXPECT_FALSE(second.lastOpenErrorText().empty());
  EXPECT_FALSE(second.isOpen());
  EXPECT_EQ(second.write("x"), 0u);

  EXPECT_EQ(second.open(&loop, "/dev/no-such-tty", 9600, 'N', 8, 1, kEventRxChar), 0);
  EXPECT_EQ(second.lastOpenError(), OpenError::Missing);

  // Closing releases the device for the next program.
  holder.close();
  EXPECT_EQ(openDefault(second), 1);
  EXPECT_EQ(second.lastOpenError(), OpenError::None);
  EXPECT_TRUE(boxes.all().empty());
}

TEST_F(SerialPortTest, PermissionFailureIsDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens everything";
  ASSERT_EQ(chmod(pty.slave.c_str(), 0), 0);
  CSerialPort port(&boxes);
  EXPECT_EQ(openDefault(port), 0);
  EXPECT_EQ(port.lastOpenError(), OpenError::Denied);
  EXPECT_TRUE(boxes.all().empty());
}

// A frame the mode syntax does not allow shows the box and leaves the line
// as it was, but the port counts as open and carries bytes.
TEST_F(SerialPortTest, RejectedFormatShowsBoxAndPortStaysOpen) {
  struct Bad {
    char parity;
    int dataBits, stopBits;
  };
  const Bad cases[] = {{'N', 8, 0}, {'X', 8, 1}, {'N', 4, 1}, {'N', 9, 1}, {'\0', 8, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dataBits << int(c.parity) << c.stopBits);
    CapturedBoxes seen;
    CSerialPort port(&seen);
    termios before{};
    ASSERT_EQ(tcgetattr(pty.master, &before), 0);
    ASSERT_EQ(port.open(&loop, pty.slave, 9600, c.parity, c.dataBits, c.stopBits, kEventRxChar), 1);
    EXPECT_TRUE(port.isOpen());
    ASSERT_EQ(seen.all().size(), 1u);
    EXPECT_EQ(seen.all()[0], "WARNING:  BuildCommDCB() Failed with the following error: \n" +
                                 SystemErrorText(EINVAL) + "\nPort: " + pty.slave + "\n");
    termios after{};
    ASSERT_EQ(tcgetattr(pty.master, &after), 0);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(port.write("ok"), 2u);
    EXPECT_NE(pty.receive(1000).find("ok"), std::string::npos);
  }
}

TEST_F(SerialPortTest, DeviceThatIsNoTerminalFailsReadingTheLineState) {
  CSerialPort port(&boxes);
  ASSERT_EQ(port.open(&loop, "/dev/null", 9600, 'N', 8, 1, kEventRxChar), 1);
  EXPECT_TRUE(port.isOpen());
  ASSERT_EQ(boxes.all().size(), 1u);
  EXPECT_EQ(boxes.all()[0].rfind("WARNING:  GetCommState() Failed", 0), 0u);
  EXPECT_NE(boxes.all()[0].find("\nPort: /dev/null\n"), std::string::npos);
}

TEST_F(SerialPortTest, WritesReachTheTerminalAndBytesComeBackInOrder) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  EXPECT_EQ(port.write("\r\nAT+SHOW\r\n"), 11u);
  EXPECT_EQ(pty.receive(1000), "\r\nAT+SHOW\r\n");
  pty.send("OK\r\n");
  ASSERT_TRUE(pumpUntil([&] { return received() == "OK\r\n"; }));
  port.close();
  EXPECT_EQ(port.write("s"), 0u);
  EXPECT_EQ(lost, 0);
}

// While the UI thread is busy the bytes queue up; they then arrive as full
// chunks of the largest size and the rest, never an empty one.
TEST_F(SerialPortTest, QueuedBytesArriveInChunksOfAtMost4095) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  pty.send("a");
  while (loop.waitingSends() < 1) std::this_thread::yield();  // the monitor now waits on us
  std::string big(5000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('0' + i % 43);
  pty.send(big);
  ASSERT_TRUE(pumpUntil([&] { return received().size() == 5001; }));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0], "a");
  EXPECT_EQ(chunks[1].size(), 4095u);
  EXPECT_EQ(chunks[2].size(), 905u);
  EXPECT_EQ(received(), "a" + big);
}

TEST_F(SerialPortTest, HangUpEndsTheMonitorAndTellsTheOwner) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  pty.send("hello");
  ASSERT_TRUE(pumpUntil([&] { return received() == "hello"; }));
  pty.closeMaster();
  ASSERT_TRUE(pumpUntil([&] { return lost == 1; }));
  // The monitor has ended, so it cannot spin on the dead line.
  EXPECT_FALSE(port.monitorAlive());
  EXPECT_EQ(received(), "hello");
  EXPECT_EQ(port.write("s"), 0u);
  port.close();
  EXPECT_TRUE(boxes.all().empty());
}

// The UI thread closes the port while the monitor waits for it to take a
// delivery: the delivery is dropped and nothing arrives afterwards.
TEST_F(SerialPortTest, CloseDuringBlockedDeliveryReturnsAndNothingArrivesAfter) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  pty.send("pending");
  while (loop.waitingSends() < 1) std::this_thread::yield();
  auto closing = std::async(std::launch::async, [&] { port.close(); });
  const bool returned = closing.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!returned) loop.quit();  // release the monitor so the test can end
  ASSERT_TRUE(returned);
  EXPECT_FALSE(port.monitorAlive());
  EXPECT_EQ(loop.waitingSends(), 0);
  loop.runPending();
  EXPECT_TRUE(chunks.empty());
  EXPECT_EQ(lost, 0);
}

TEST_F(SerialPortTest, CloseWhileBytesStreamInStopsDeliveries) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  std::atomic<bool> stop{false};
  std::thread terminal([&] {
    while (!stop) {
      if (::write(pty.master, "0123456789", 10) < 0) std::this_thread::yield();
    }
  });
  ASSERT_TRUE(pumpUntil([&] { return chunks.size() >= 20; }));
  port.close();  // on the UI thread, with sends in flight
  const std::size_t atClose = chunks.size();
  loop.runUntil([] { return false; }, 50);
  stop = true;
  terminal.join();
  EXPECT_EQ(chunks.size(), atClose);
  for (const auto& c : chunks) EXPECT_FALSE(c.empty());
}

// Nobody reads the terminal side: the write gives up at its bound and says
// exactly how much went out.
TEST_F(SerialPortTest, WriteToStalledLineReturnsTheExactPartialCount) {
  CSerialPort port(&boxes);
  port.setLineTimeouts({200, 0});
  ASSERT_EQ(openDefault(port), 1);
  std::string data(1 << 20, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 251);
  const unsigned written = port.write(data);
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, data.size());
  const std::string arrived = pty.receive(1000);
  EXPECT_EQ(arrived.size(), written);
  EXPECT_EQ(arrived, data.substr(0, written));
}

TEST_F(SerialPortTest, WritesFromTwoThreadsDoNotInterleave) {
  CSerialPort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  const std::string a(3000, 'a'), b(3000, 'b');
  std::string arrived;
  std::thread reader([&] {
    while (arrived.size() < 6000) arrived += pty.receive(2000);
  });
  std::thread other([&] { EXPECT_EQ(port.write(b), 3000u); });
  EXPECT_EQ(port.write(a), 3000u);
  other.join();
  reader.join();
  EXPECT_TRUE(arrived == a + b || arrived == b + a);
}

// Ptys have no error counters; this port reports one line error on demand.
class FaultyLinePort : public CSerialPort {
 public:
  using CSerialPort::CSerialPort;
  std::atomic<int> errors{0};

 protected:
  bool takeLineErrors() override {
    int n = errors.load();
    while (n > 0 && !errors.compare_exchange_weak(n, n - 1)) {
    }
    return n > 0;
  }
};

TEST_F(SerialPortTest, LineErrorDiscardsThatChunkAndTheNextWrite) {
  FaultyLinePort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  ASSERT_EQ(port.startMonitor(), 1);
  port.errors = 1;
  pty.send("garbled");
  while (port.errors.load() != 0) std::this_thread::yield();
  EXPECT_EQ(port.write("lost"), 0u);
  EXPECT_EQ(port.write("sent"), 4u);
  EXPECT_EQ(pty.receive(1000), "sent");
  pty.send("clean");
  ASSERT_TRUE(pumpUntil([&] { return !chunks.empty(); }));
  EXPECT_EQ(received(), "clean");
}

TEST_F(SerialPortTest, LineErrorFoundByWriteSendsNothing) {
  FaultyLinePort port(&boxes);
  ASSERT_EQ(openDefault(port), 1);
  port.errors = 1;
  EXPECT_EQ(port.write("cmd"), 0u);
  EXPECT_EQ(pty.receive(100), "");
  EXPECT_EQ(port.write("cmd"), 3u);
  EXPECT_EQ(pty.receive(1000), "cmd");
}

}  // namespace
}  // namespace devlink
