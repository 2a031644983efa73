// End-to-end time of a "Load": the click, the worker's poll, the report on a
// paced simulated terminal, parsing and showing it in the form. Printed
// beside the report's own line time at that baud rate.
//
//   build/bench/load_e2e_bench --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "app/headless_shell.h"
#include "app/startup.h"
#include "sim/simulator.h"

namespace {

void BM_Load(benchmark::State& state) {
  const int baud = static_cast<int>(state.range(0));
  char tmpl[] = "/tmp/k9x40-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(tmpl);

  sim::SimOptions so;
  so.linkPath = (dir / "ttySIM0").string();
  so.baud = baud;
  // The terminal keeps its own boot window: the tool keys at its real periods.
  sim::Simulator terminal(so);
  if (!terminal.start()) {
    state.SkipWithError("simulator did not start");
    return;
  }

  app::ShellOptions o;
  o.programDir = app::ProgramDirectory().parent_path() / "bin";
  o.helpFile = dir / "Help.txt";
  std::atomic<int> applied{0};
  auto apply = o.hooks.applyReport;
  o.hooks.applyReport = [&applied, apply](params::FormContext& ctx) {
    if (apply) apply(ctx);
    ++applied;
  };
  app::HeadlessShell shell(o);
  if (!shell.openPort(terminal.devicePath(), baud) || !shell.waitForConfigMode(20000) || !shell.waitIdle(5000)) {
    state.SkipWithError("no configuration mode");
    return;
  }

  const double reportBytes = static_cast<double>(terminal.report().size());
  for (auto _ : state) {
    const int before = applied.load();
    const auto t0 = std::chrono::steady_clock::now();
    shell.click("Load");
    if (!shell.waitFor([&](app::CK9X40FrameWnd&) { return applied.load() > before; }, 60000)) {
      state.SkipWithError("report not applied");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    shell.waitIdle(10000);
  }
  state.counters["report_bytes"] = reportBytes;
  state.counters["line_time_ms"] = reportBytes * 10.0 / baud * 1000.0;
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

BENCHMARK(BM_Load)->Arg(115200)->Arg(9600)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
