// Serial monitor costs on a pty: CPU while an open line is idle, how soon a
// hang-up is reported, and the round trip of one chunk to the UI thread.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "link/serial_port.h"
#include "link/window_messages.h"
#include "ui/plain_message_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Pty {
  int master = -1;
  std::string slave;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = ptsname(master);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
  }
};

double processCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Process CPU time over 10 s with the monitor waiting on a silent line.
void BM_IdleMonitorCpu(benchmark::State& state) {
  for (auto _ : state) {
    Pty pty;
    ui::PlainMessageLoop loop;
    devlink::CSerialPort port;
    if (port.open(&loop, pty.slave, 9600, 'N', 8, 1, devlink::kEventRxChar) != 1 ||
        port.startMonitor() != 1) {
      state.SkipWithError("cannot open a pty");
      return;
    }
    const double before = processCpuMs();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    state.counters["cpu_ms_per_10s"] = processCpuMs() - before;
    port.close();
  }
}
BENCHMARK(BM_IdleMonitorCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// From the far end hanging up to the owner handling the line-lost message.
void BM_HangUpToLineLost(benchmark::State& state) {
  for (auto _ : state) {
    auto pty = std::make_unique<Pty>();
    ui::PlainMessageLoop loop;
    bool lost = false;
    loop.setHandler([&](const ui::Message& m) -> std::int64_t {
      if (m.id == devlink::UM_LINE_LOST) lost = true;
      return 0;
    });
    devlink::CSerialPort port;
    port.open(&loop, pty->slave, 115200, 'N', 8, 1, devlink::kEventRxChar);
    port.startMonitor();
    const auto start = Clock::now();
    pty.reset();
    loop.runUntil([&] { return lost; }, 5000);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (!lost) state.SkipWithError("no line-lost message");
    port.close();
  }
}
BENCHMARK(BM_HangUpToLineLost)->Iterations(50)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One chunk from the far end's write to the UI thread's handler.
void BM_ChunkToUiThread(benchmark::State& state) {
  Pty pty;
  ui::PlainMessageLoop loop;
  std::size_t got = 0;
  loop.setHandler([&](const ui::Message& m) -> std::int64_t {
    if (m.id == devlink::UM_SERIAL_DATA) got += m.payload.size();
    return 0;
  });
  devlink::CSerialPort port;
  port.open(&loop, pty.slave, 115200, 'N', 8, 1, devlink::kEventRxChar);
  port.startMonitor();
  const std::string chunk(static_cast<std::size_t>(state.range(0)), 'x');
  for (auto _ : state) {
    got = 0;
    if (::write(pty.master, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
      state.SkipWithError("short write");
      break;
    }
    loop.runUntil([&] { return got >= chunk.size(); }, 5000);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  port.close();
}
BENCHMARK(BM_ChunkToUiThread)->Arg(16)->Arg(4095)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
