// Start-up of the desktop window: from building the form (skin, widgets,
// frame) to its first paint, on the offscreen platform. The first round pays
// for fonts and styles once per process, as a real start does.
//
//   QT_QPA_PLATFORM=offscreen build/bench/window_start_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>

#include "app/startup.h"
#include "qtpaint/desktop_session.h"
#include "qtpaint/look.h"
#include "qtpaint/main_window.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "window_start_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* a = new QApplication(argc, argv);
    qtpaint::ApplyLook(*a);
    return a;
  }();
  return *app;
}

void BM_StartToFirstPaint(benchmark::State& state) {
  App();
  qtpaint::SessionOptions o;
  o.programDir = app::ProgramDirectory().parent_path() / "bin";
  o.startWorker = false;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    qtpaint::DesktopSession session(o);
    bool painted = false;
    session.window().onFirstPaint = [&] { painted = true; };
    session.window().showCentred();
    if (!session.waitFor([&] { return painted; }, 10000)) {
      state.SkipWithError("the window never painted");
      return;
    }
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
